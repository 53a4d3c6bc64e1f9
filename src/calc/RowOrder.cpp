#include "calc/RowOrder.h"

#include <QStringEncoder>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

namespace {

// Larger first; NaN is below every number so that the order stays strict and weak.
bool ValueGreater(double a, double b)
{
    if (std::isnan(a))
        return false;
    return std::isnan(b) || a > b;
}

// A text key as the codes of its characters in the Japanese Windows code page, a double-byte
// character as one 16-bit code: the order Japanese users know, with kanji by reading and
// half-width kana before every double-byte character. A character the code page lacks comes
// after all of them, in Unicode order.
class CodePageKeys {
public:
    std::vector<uint> Of(const QString &text)
    {
        const QByteArray bytes = m_encoder.encode(text);
        if (m_encoder.hasError()) {
            m_encoder = NewEncoder(); // its error state does not clear
            return CharByChar(text);
        }
        return Codes(bytes);
    }

private:
    static QStringEncoder NewEncoder()
    {
        return QStringEncoder("windows-31j", QStringConverter::Flag::Stateless);
    }

    static bool IsLeadByte(uchar b) { return (b >= 0x81 && b <= 0x9f) || (b >= 0xe0 && b <= 0xfc); }

    static std::vector<uint> Codes(const QByteArray &bytes)
    {
        std::vector<uint> codes;
        codes.reserve(bytes.size());
        for (qsizetype i = 0; i < bytes.size(); ++i) {
            const uchar b = uchar(bytes[i]);
            if (IsLeadByte(b) && i + 1 < bytes.size())
                codes.push_back(uint(b) << 8 | uchar(bytes[++i]));
            else
                codes.push_back(b);
        }
        return codes;
    }

    std::vector<uint> CharByChar(const QString &text)
    {
        std::vector<uint> codes;
        for (const char32_t c : text.toUcs4()) {
            const QString one = QString::fromUcs4(&c, 1);
            const QByteArray bytes = m_encoder.encode(one);
            if (m_encoder.hasError()) {
                m_encoder = NewEncoder();
                codes.push_back(0x10000u + uint(c));
            } else {
                const std::vector<uint> part = Codes(bytes);
                codes.insert(codes.end(), part.begin(), part.end());
            }
        }
        return codes;
    }

    QStringEncoder m_encoder = NewEncoder();
};

// The caret just after a cell inserted by CellGrid::InsertCell at col of the row.
int EndOfInsertedCell(const CellGrid &grid, int col, int row, int length)
{
    const int offset = col == 0 ? length + 1 : grid.CellOffset(col, row) + length;
    return grid.RowStart(row) + offset;
}

} // namespace

RowBlock SelectedRowBlock(QStringView text, int s, int e, bool forSorting)
{
    const int size = int(text.size());
    s = qBound(0, s, size);
    e = qBound(0, e, size);
    if (e <= s) {
        s = qMin(s, e);
        e = size;
    }
    RowBlock block;
    block.firstRow = RowOfPosition(text, s);
    block.column = ColumnOfPosition(text, s);
    block.lastRow = RowOfPosition(text, e);
    const bool atLineStart = e > 0 && text[e - 1] == u'\n';
    if (atLineStart && (forSorting || e < size))
        --block.lastRow;
    block.lastRow = qMax(block.lastRow, block.firstRow);
    if (forSorting && e == size && block.column >= 1) {
        const CellGrid grid(text.toString());
        while (block.lastRow > block.firstRow && grid.TabCount(block.lastRow) < block.column)
            --block.lastRow;
    }
    return block;
}

void SortRowRange(CellGrid &grid, int column, int first, int last, bool descending, bool asValues)
{
    first = qMax(0, first);
    last = qMin(last, grid.RowCount() - 1);
    if (first > last)
        return;
    const int n = last - first + 1;
    std::vector<int> order(n);
    std::iota(order.begin(), order.end(), 0);
    // The keys are read once; a stable sort, largest first, keeps equal keys in their order.
    if (asValues) {
        std::vector<double> keys(n);
        for (int i = 0; i < n; ++i)
            keys[i] = grid.GetCellValue(column, first + i);
        std::stable_sort(order.begin(), order.end(),
                         [&keys](int a, int b) { return ValueGreater(keys[a], keys[b]); });
    } else {
        CodePageKeys codePage;
        std::vector<std::vector<uint>> keys(n);
        for (int i = 0; i < n; ++i)
            keys[i] = codePage.Of(grid.GetCellText(column, first + i));
        std::stable_sort(order.begin(), order.end(),
                         [&keys](int a, int b) { return keys[a] > keys[b]; });
    }
    // Ascending is the descending order read backwards: equal keys come out reversed.
    if (!descending)
        std::reverse(order.begin(), order.end());
    QStringList rows;
    rows.reserve(n);
    for (int i : order)
        rows.append(grid.RowText(first + i));
    const bool blockEndsText = last == grid.RowCount() - 1;
    grid.ReplaceRows(first, last, rows);
    if (blockEndsText)
        grid.InsertRow(grid.RowCount(), QString());
}

void InsertNumberColumn(CellGrid &grid, int column, int first, int last)
{
    first = qMax(0, first);
    last = qMin(last, grid.RowCount() - 1);
    for (int row = first; row <= last; ++row)
        grid.InsertCell(column, row, QString::number(row - first + 1));
}

void InsertRankColumn(CellGrid &grid, int column, int first, int last)
{
    first = qMax(0, first);
    last = qMin(last, grid.RowCount() - 1);
    if (first > last)
        return;
    SortRowRange(grid, column, first, last, true, true);
    InsertNumberColumn(grid, column, first, last);
    int leader = first; // the row that started the current rank
    double leaderValue = grid.GetCellValue(column + 1, first);
    for (int row = first + 1; row <= last; ++row) {
        const double value = grid.GetCellValue(column + 1, row);
        if (value == leaderValue) {
            const QString rank = grid.GetCellText(column, leader);
            grid.DeleteCell(column, row);
            grid.InsertCell(column, row, rank);
        } else {
            leader = row;
            leaderValue = value;
        }
    }
}

TableResult SortRows(const TableInput &in, int column, int fromRow, int toRow, bool descending,
                     bool asValues)
{
    CellGrid grid(in.text);
    const int first = fromRow - 1;
    SortRowRange(grid, column, first, toRow - 1, descending, asValues);
    TableResult result;
    result.text = grid.Text();
    result.changed = result.text != in.text;
    const int offset = grid.CellOffset(column, first);
    result.selStart = offset >= 0 ? grid.RowStart(first) + offset
                                  : qBound(0, in.selStart, int(result.text.size()));
    return result;
}

TableResult NumberOrRankRows(const TableInput &in, int column, int fromRow, int toRow, bool rank)
{
    CellGrid grid(in.text);
    if (rank)
        InsertRankColumn(grid, column, fromRow - 1, toRow - 1);
    else
        InsertNumberColumn(grid, column, fromRow - 1, toRow - 1);
    TableResult result;
    result.text = grid.Text();
    result.changed = result.text != in.text;
    // The caret goes back to where the selection started, by position.
    result.selStart = qBound(0, in.selStart, int(result.text.size()));
    return result;
}

TableResult DeviationValues(const TableInput &in)
{
    TableResult result;
    result.selStart = in.selStart;
    const int size = int(in.text.size());
    const int selStart = qBound(0, in.selStart, size);
    const int selEnd = qBound(0, in.selEnd, size);
    if (selStart >= selEnd || in.range.lastRow < in.range.firstRow)
        return result;
    CellGrid grid(in.text);
    const int col = in.range.firstCol;
    const int first = qMax(0, in.range.firstRow);
    const int last = qMin(in.range.lastRow, grid.RowCount() - 1);
    if (first > last)
        return result;
    const int n = last - first + 1;
    std::vector<double> values(n);
    double sum = 0;
    for (int i = 0; i < n; ++i) {
        values[i] = grid.GetCellValue(col, first + i);
        sum += values[i];
    }
    const double mean = sum / n;
    // Equal values give σ = 0 exactly; a mean rounded in the last bit must not turn them into
    // ±1 standard deviation.
    const auto [lo, hi] = std::minmax_element(values.begin(), values.end());
    double sigma = 0;
    if (*lo != *hi) {
        double squares = 0;
        for (double x : values)
            squares += (x - mean) * (x - mean);
        sigma = std::sqrt(squares / n);
    }
    const QChar before = in.text[selEnd - 1];
    const int target = before == u'\t' || before == u'\n' ? col : col + 1;
    int caret = -1;
    for (int i = 0; i < n; ++i) {
        const double t = sigma == 0 ? 50.0 : (values[i] - mean) * 10 / sigma + 50;
        const QString cell = FormatNumber(t, in.decimals);
        if (grid.InsertCell(target, first + i, cell))
            caret = EndOfInsertedCell(grid, target, first + i, int(cell.size()));
    }
    if (caret < 0)
        return result;
    result.text = grid.Text();
    result.changed = true;
    result.selStart = caret;
    return result;
}
