#include "calc/LineCalculation.h"

#include "res/Messages.h"

#include <QList>

#include <numeric>

namespace {

constexpr int LastLetterColumn = 25; // Z: the dialogs name columns by one letter

struct Span {
    int first = 0;
    int last = -1;
};

int Clamped(const QString &text, int pos)
{
    return qBound(0, pos, int(text.size()));
}

bool HasSelection(const TableInput &in)
{
    return in.selStart < in.selEnd;
}

// End of the row holding pos, before its line break (the end of the text for the last row).
int RowEndOfPosition(const QString &text, int pos)
{
    const int lineBreak = int(text.indexOf(u'\n', Clamped(text, pos)));
    return lineBreak < 0 ? int(text.size()) : lineBreak;
}

// Rows a column command works through: the range's rows when there is a selection, otherwise
// as many rows as the text has, counted from the range's first row. Rows past the text are
// dropped, as there is nothing to read or insert there.
Span RowsToProcess(const TableInput &in, const CellGrid &grid)
{
    Span rows;
    if (HasSelection(in)) {
        rows = {in.range.firstRow, in.range.lastRow};
    } else {
        rows.first = qMax(0, in.range.firstRow);
        rows.last = rows.first + grid.RowCount() - 1;
    }
    rows.first = qMax(0, rows.first);
    rows.last = qMin(rows.last, grid.RowCount() - 1);
    return rows;
}

// Cells a row command works through: the range's columns when there is a selection, otherwise
// every cell of the given row, counted from the range's first column.
Span ColumnsToProcess(const TableInput &in, const CellGrid &grid, int row)
{
    if (HasSelection(in))
        return {qMax(0, in.range.firstCol), in.range.lastCol};
    const int first = qMax(0, in.range.firstCol);
    return {first, first + grid.TabCount(row)};
}

// CellGrid::InsertCell, returning the row offset just after the inserted string (-1 when
// nothing was inserted), which is where the edit control leaves its caret.
int InsertCellAt(CellGrid &grid, int col, int row, const QString &text)
{
    int at = 0;
    if (col > 0) {
        const int next = grid.CellOffset(col, row);
        at = next >= 0 ? next - 1 : int(grid.RowText(row).size());
    }
    if (!grid.InsertCell(col, row, text))
        return -1;
    return at + int(text.size()) + 1;
}

// Inserts one cell per row and puts the caret after the last insertion, as one insertion after
// another through the edit control would; the text is built here and written once, which gives
// the same text and the same one-step Undo.
class CellInserter {
public:
    explicit CellInserter(CellGrid &grid)
        : m_grid(grid)
    {
    }
    void Insert(int col, int row, const QString &text)
    {
        const int end = InsertCellAt(m_grid, col, row, text);
        if (end < 0)
            return;
        m_nLastRow = row;
        m_nLastEnd = end;
    }
    bool Inserted() const { return m_nLastRow >= 0; }
    int Caret() const { return m_grid.RowStart(m_nLastRow) + m_nLastEnd; }

private:
    CellGrid &m_grid;
    int m_nLastRow = -1;
    int m_nLastEnd = 0;
};

TableResult Changed(QString text, int caret)
{
    TableResult result;
    result.changed = true;
    result.text = std::move(text);
    result.selStart = qBound(0, caret, int(result.text.size()));
    return result;
}

TableResult InsertText(const QString &text, int pos, const QString &inserted)
{
    QString result = text;
    result.insert(pos, inserted);
    return Changed(std::move(result), pos + int(inserted.size()));
}

TableResult Unchanged()
{
    return TableResult();
}

// A new row for values per column, placed after `leading` TABs: empty values stay empty
// cells, and the cells are separated by TABs with none after the last.
QString BuildRow(int leading, const QStringList &cells, bool below)
{
    QString row = below ? QStringLiteral("\n") : QString();
    row += QString(leading, u'\t');
    row += cells.join(u'\t');
    if (!below)
        row += u'\n';
    return row;
}

// Adds the values of cells first … last of the row to totals[0 …], in one pass over the row;
// cells that do not exist add nothing, as a row without TAB has none.
void AddRowValues(QStringView row, int first, int last, double *totals)
{
    if (!row.contains(u'\t'))
        return;
    qsizetype start = 0;
    for (int col = 0; col <= last; ++col) {
        qsizetype end = row.indexOf(u'\t', start);
        const bool lastCell = end < 0;
        if (lastCell)
            end = row.size();
        if (col >= first && end > start)
            totals[col - first] += CAtof(row.sliced(start, end - start));
        if (lastCell)
            break;
        start = end + 1;
    }
}

TableResult ColumnTotals(const TableInput &in, bool mean, bool before)
{
    const CellGrid grid(in.text);
    const CellRange &range = in.range;
    QList<double> totals(range.Width(), 0.0);
    const int lastRow = qMin(range.lastRow, grid.RowCount() - 1);
    for (int r = qMax(0, range.firstRow); r <= lastRow; ++r)
        AddRowValues(grid.RowText(r), range.firstCol, range.lastCol, totals.data());
    // Sums carry their label in column 0 when the range leaves room for it; means leave the
    // cells left of the range empty.
    QString row;
    if (range.firstCol > 0) {
        if (!mean)
            row += TotalLabel(false, in.english);
        row += QString(range.firstCol, u'\t');
    }
    for (double total : totals)
        row += FormatNumber(mean ? total / range.Height() : total, in.decimals) + u'\t';

    if (before) {
        // The caret goes back to the remembered selection start, now inside the new row.
        const int at = RowStartOfPosition(in.text, in.selStart);
        TableResult result = InsertText(in.text, at, row + u'\n');
        result.selStart = Clamped(result.text, in.selStart);
        return result;
    }
    TableResult result = InsertText(in.text, RowEndOfPosition(in.text, in.selEnd), u'\n' + row);
    if (!mean) // sums rewrite the whole text and leave the caret where the selection began
        result.selStart = Clamped(result.text, in.selStart);
    return result;
}

TableResult RowTotals(const TableInput &in, bool mean, bool before)
{
    CellGrid grid(in.text);
    grid.SetAnchor(Clamped(in.text, in.selStart));
    CellInserter inserter(grid);
    const CellRange &range = in.range;
    const int col = before ? range.firstCol : range.lastCol + 1;
    const int lastRow = qMin(range.lastRow, grid.RowCount() - 1);
    QList<double> values(range.Width());
    for (int r = qMax(0, range.firstRow); r <= lastRow; ++r) {
        values.fill(0.0);
        AddRowValues(grid.RowText(r), range.firstCol, range.lastCol, values.data());
        const double total = std::accumulate(values.cbegin(), values.cend(), 0.0);
        inserter.Insert(col, r, FormatNumber(mean ? total / range.Width() : total, in.decimals));
    }
    // The label heads the new column in the row above the range, or in the range's own first
    // row, ahead of its value, when there is no row above.
    inserter.Insert(col, qMax(0, range.firstRow - 1), TotalLabel(mean, in.english));
    if (!inserter.Inserted())
        return Unchanged();
    // Sums keep the caret on the text where the selection began; means leave it after the
    // last insertion.
    return Changed(grid.Text(), mean ? inserter.Caret() : grid.Anchor());
}

} // namespace

double LinearParams::Apply(double x) const
{
    // 64-bit so that INT_MIN div -1 cannot overflow.
    const qint64 quotient = qint64(p) / qint64(q);
    return double(m) * x / double(n) + double(quotient);
}

double MapParams::Apply(double x) const
{
    const double span = double(qint64(d) - qint64(c));
    const double width = double(qint64(b) - qint64(a));
    return (x - double(a)) * span / width + double(c);
}

QString TotalLabel(bool mean, bool english)
{
    if (english)
        return mean ? QStringLiteral("Mean") : QStringLiteral("Sum");
    return mean ? QStringLiteral("平均") : QStringLiteral("合計");
}

QString ArithmeticText(double a, double b, ArithOp op, int decimals)
{
    switch (op) {
    case ArithOp::Multiply:
        return FormatNumber(a * b, decimals);
    case ArithOp::Divide:
        return b == 0.0 ? QStringLiteral("Error") : FormatNumber(a / b, decimals);
    case ArithOp::Add:
        return FormatNumber(a + b, decimals);
    case ArithOp::Subtract:
        return FormatNumber(a - b, decimals);
    }
    return QString();
}

TableResult TotalsOfRange(const TableInput &in, bool mean, bool ofColumns, bool before)
{
    const CellRange &range = in.range;
    if (range.firstCol > range.lastCol || range.firstRow > range.lastRow) {
        TableResult refused;
        refused.message = MsgText(Msg::CalcNoRange, in.english);
        return refused;
    }
    if (!HasSelection(in))
        return Unchanged();
    return ofColumns ? ColumnTotals(in, mean, before) : RowTotals(in, mean, before);
}

TableResult TransformColumn(const TableInput &in, const Transform &f, bool before)
{
    CellGrid grid(in.text);
    CellInserter inserter(grid);
    const int current = ColumnOfPosition(in.text, in.selEnd);
    const int col = before ? current : current + 1;
    const Span rows = RowsToProcess(in, grid);
    for (int r = rows.first; r <= rows.last; ++r)
        inserter.Insert(col, r, FormatNumber(f(grid.GetCellValue(current, r)), in.decimals));
    if (!inserter.Inserted())
        return Unchanged();
    return Changed(grid.Text(), inserter.Caret());
}

TableResult TransformRow(const TableInput &in, const Transform &f, bool before)
{
    const CellGrid grid(in.text);
    const int row = RowOfPosition(in.text, in.selEnd);
    const Span cols = ColumnsToProcess(in, grid, row);
    QStringList cells;
    for (int c = cols.first; c <= cols.last; ++c) {
        const QString cell = grid.GetCellText(c, row);
        cells << (cell.isEmpty() ? QString() : FormatNumber(f(CAtof(cell)), in.decimals));
    }
    const QString newRow = BuildRow(cols.first, cells, !before);
    if (before)
        return InsertText(in.text, RowStartOfPosition(in.text, in.selEnd), newRow);
    return InsertText(in.text, RowEndOfPosition(in.text, in.selEnd), newRow);
}

TableResult ArithmeticOfColumns(const TableInput &in, int first, int second, ArithOp op,
                                bool before)
{
    if (first == second || first < 0 || second < 0)
        return Unchanged();
    const int left = qMin(first, second);
    const int right = qMax(first, second);
    CellGrid grid(in.text);
    CellInserter inserter(grid);
    const int col = before ? left : right + 1;
    const Span rows = RowsToProcess(in, grid);
    for (int r = rows.first; r <= rows.last; ++r) {
        const QString value = ArithmeticText(grid.GetCellValue(left, r),
                                             grid.GetCellValue(right, r), op, in.decimals);
        inserter.Insert(col, r, value);
    }
    if (!inserter.Inserted())
        return Unchanged();
    return Changed(grid.Text(), inserter.Caret());
}

TableResult ArithmeticOfRows(const TableInput &in, int firstNumber, int secondNumber, ArithOp op,
                             bool before)
{
    if (firstNumber == secondNumber || firstNumber < 1 || secondNumber < 1)
        return Unchanged();
    const int upper = qMin(firstNumber, secondNumber) - 1;
    const int lower = qMax(firstNumber, secondNumber) - 1;
    const CellGrid grid(in.text);
    const int current = RowOfPosition(in.text, in.selStart);
    const Span cols = ColumnsToProcess(in, grid, current);
    QStringList cells;
    for (int c = cols.first; c <= cols.last; ++c) {
        if (grid.GetCellText(c, upper).isEmpty() && grid.GetCellText(c, lower).isEmpty()) {
            cells << QString();
            continue;
        }
        cells << ArithmeticText(grid.GetCellValue(c, upper), grid.GetCellValue(c, lower), op,
                                in.decimals);
    }
    const QString newRow = BuildRow(cols.first, cells, !before);
    // The new row goes beside the caret's row, not beside the operand rows.
    if (before)
        return InsertText(in.text, grid.RowStart(current), newRow);
    int at;
    if (lower == upper + 1) {
        // Below the row after the current one: with the caret on the upper operand row, right
        // under the lower one.
        at = grid.RowStart(current) + int(grid.GetRowText(current).size())
             + int(grid.GetRowText(lower).size()) - (grid.RowHasLineBreak(lower) ? 1 : 0);
        at = Clamped(in.text, at);
    } else {
        at = RowEndOfPosition(in.text, in.selEnd);
    }
    return InsertText(in.text, at, newRow);
}

std::pair<int, int> ArithmeticColumnsDefaults(const TableInput &in)
{
    const int first = ColumnOfPosition(in.text, in.selStart);
    const int second = qMax(first + 1, in.range.lastCol);
    return {qMin(first, LastLetterColumn), qMin(second, LastLetterColumn)};
}

std::pair<int, int> ArithmeticRowsDefaults(const TableInput &in)
{
    const int current = RowOfPosition(in.text, in.selStart);
    const int second = in.range.lastRow > current ? in.range.lastRow : current + 1;
    return {current + 1, second + 1};
}
