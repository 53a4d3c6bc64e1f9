#include "calc/AreaEditing.h"

namespace {

// Column of a position in the grid, and whether the position starts a cell (right after a TAB
// or at the row start).
struct GridPlace {
    int row = 0;
    int column = 0;
    bool afterTab = false;
    bool atRowStart = false;
};

GridPlace PlaceOf(const CellGrid &grid, int pos)
{
    GridPlace place;
    int offset = 0;
    std::tie(place.row, offset) = grid.RowAndOffset(pos);
    const QString text = grid.RowText(place.row);
    place.column = int(QStringView(text).first(offset).count(u'\t'));
    place.afterTab = offset > 0 && text[offset - 1] == u'\t';
    place.atRowStart = offset == 0;
    return place;
}

// Position of the start of cell col of the row, or `fallback` when the cell does not exist.
int CellStartOr(const CellGrid &grid, int col, int row, int fallback)
{
    const int offset = grid.CellOffset(col, row);
    return offset >= 0 ? grid.RowStart(row) + offset : fallback;
}

TableResult Finish(const TableInput &in, const CellGrid &grid, int caret)
{
    TableResult result;
    result.text = grid.Text();
    result.changed = result.text != in.text;
    result.selStart = qBound(0, caret, int(result.text.size()));
    return result;
}

TableResult Unchanged(const TableInput &in)
{
    TableResult result;
    result.selStart = in.selStart;
    return result;
}

bool HasSelection(const TableInput &in)
{
    const int size = int(in.text.size());
    return qBound(0, in.selStart, size) < qBound(0, in.selEnd, size);
}

// The range without the rows past the text's end.
CellRange ExistingRows(const CellGrid &grid, CellRange range)
{
    range.firstRow = qMax(0, range.firstRow);
    range.lastRow = qMin(range.lastRow, grid.RowCount() - 1);
    return range;
}

} // namespace

void DeleteArea(CellGrid &grid, const CellRange &range)
{
    const CellRange r = ExistingRows(grid, range);
    for (int row = r.lastRow; row >= r.firstRow; --row) {
        for (int col = r.lastCol; col >= r.firstCol; --col)
            grid.DeleteCell(col, row);
    }
}

int CaretColumn(QStringView text, int pos)
{
    pos = qBound(0, pos, int(text.size()));
    const int k = ColumnOfPosition(text, pos);
    const bool startsCell = pos == 0 || text[pos - 1] == u'\t' || text[pos - 1] == u'\n';
    return startsCell ? k : k + 1;
}

void CopyArea(const TableInput &in, AreaStore &store)
{
    const CellGrid grid(in.text);
    const CellRange r = ExistingRows(grid, in.range);
    store.nCols = qMax(0, r.Width());
    store.nRows = store.nCols > 0 ? qMax(0, r.Height()) : 0;
    if (store.rows.size() < store.nRows)
        store.rows.resize(store.nRows);
    for (int i = 0; i < store.nRows; ++i)
        store.rows[i] = grid.GetCellText(r.firstCol, r.firstRow + i, store.nCols - 1);
}

TableResult DeleteSelectedArea(const TableInput &in)
{
    CellGrid grid(in.text);
    grid.SetAnchor(in.selStart);
    DeleteArea(grid, in.range);
    return Finish(in, grid, grid.Anchor());
}

TableResult ClearSelectedArea(const TableInput &in)
{
    CellGrid grid(in.text);
    const CellRange r = ExistingRows(grid, in.range);
    int caret = -1;
    for (int row = r.firstRow; row <= r.lastRow; ++row) {
        for (int col = r.firstCol; col <= r.lastCol; ++col) {
            const auto [start, end] = grid.CellSpan(col, row);
            if (start < 0)
                continue;
            QString text = grid.RowText(row);
            text.replace(start, end - start, QStringLiteral("\t"));
            grid.SetRowText(row, text);
            caret = grid.RowStart(row) + start + 1;
        }
    }
    return caret < 0 ? Unchanged(in) : Finish(in, grid, caret);
}

TableResult PasteArea(const TableInput &in, const AreaStore &store)
{
    CellGrid grid(in.text);
    grid.SetAnchor(in.selStart);
    if (HasSelection(in))
        DeleteArea(grid, in.range);
    const GridPlace at = PlaceOf(grid, grid.Anchor());
    const int column = at.afterTab ? at.column : at.column + 1;
    for (int i = 0; i < store.nRows; ++i)
        grid.InsertCell(column, at.row + i, store.rows.value(i));
    return Finish(in, grid, in.selEnd);
}

TableResult PasteAreaRepeated(const TableInput &in, AreaStore &store)
{
    const CellRange &range = in.range;
    const int height = range.Height();
    const int width = range.Width();
    if (store.nRows <= 0 || store.nCols <= 0 || height <= 0 || width <= 0 || !HasSelection(in))
        return Unchanged(in);
    const int q = height / store.nRows;
    const int rr = height % store.nRows;
    const int p = width / store.nCols;
    const int pr = width % store.nCols;
    if (store.nCols != width) {
        if (store.rows.size() < store.nRows)
            store.rows.resize(store.nRows);
        for (int i = 0; i < store.nRows; ++i) {
            const QString row = store.rows[i];
            QStringList parts(p, row);
            if (pr > 0)
                parts.append(row.split(u'\t').mid(0, pr).join(u'\t'));
            store.rows[i] = parts.join(u'\t');
        }
    }
    CellGrid grid(in.text);
    grid.SetAnchor(in.selStart);
    DeleteArea(grid, range);
    const int anchor = grid.Anchor();
    const GridPlace at = PlaceOf(grid, anchor);
    for (int k = 0; k < q; ++k) {
        for (int i = 0; i < store.nRows; ++i)
            grid.InsertCell(at.column, at.row + k * store.nRows + i, store.rows.value(i));
    }
    for (int i = 0; i < rr; ++i)
        grid.InsertCell(at.column, at.row + q * store.nRows + i, store.rows.value(i));
    return Finish(in, grid, anchor);
}

TableResult InsertBlankColumns(const TableInput &in)
{
    CellGrid grid(in.text);
    const int line = RowOfPosition(in.text, in.selStart);
    const int column = CaretColumn(in.text, in.selStart);
    int first = 0;
    int last = grid.RowCount() - 1;
    if (in.range.firstRow < in.range.lastRow) {
        first = qMax(0, in.range.firstRow);
        last = qMin(last, in.range.lastRow);
    }
    const int count = in.range.Width() > 1 ? in.range.Width() : 1;
    for (int j = 0; j < count; ++j) {
        for (int row = first; row <= last; ++row)
            grid.InsertCell(column + j, row, QString());
    }
    return Finish(in, grid, CellStartOr(grid, column, line, in.selStart));
}

std::pair<int, int> ColumnsOfSelection(const TableInput &in)
{
    if (HasSelection(in))
        return {in.range.firstCol, in.range.Width()};
    return {ColumnOfPosition(in.text, in.selStart), 1};
}

TableResult DeleteColumns(const TableInput &in)
{
    const auto [column, count] = ColumnsOfSelection(in);
    CellGrid grid(in.text);
    grid.SetAnchor(in.selStart);
    for (int row = 0; row < grid.RowCount(); ++row) {
        for (int k = 0; k < count; ++k)
            grid.DeleteCell(column, row);
    }
    return Finish(in, grid, grid.Anchor());
}

void CopyColumns(const TableInput &in, AreaStore &store)
{
    const auto [column, count] = ColumnsOfSelection(in);
    const CellGrid grid(in.text);
    store.rows.clear();
    store.rows.reserve(grid.RowCount());
    for (int row = 0; row < grid.RowCount(); ++row)
        store.rows.append(count > 0 ? grid.GetCellText(column, row, count - 1) : QString());
}

TableResult InsertCopiedColumn(const TableInput &in, const AreaStore &store)
{
    CellGrid grid(in.text);
    const int line = RowOfPosition(in.text, in.selStart);
    const int column = CaretColumn(in.text, in.selStart);
    for (int row = 0; row < grid.RowCount(); ++row)
        grid.InsertCell(column, row, store.rows.value(row));
    return Finish(in, grid, CellStartOr(grid, column, line, in.selStart));
}

QString MakeTableText(int rows, int columns, bool letters, TableNumbering numbering, int caretLine)
{
    columns = qMin(columns, MaxTableColumns);
    if (rows <= 0 || columns <= 0)
        return QString();
    const bool numbered = numbering != TableNumbering::None;
    QString text = QStringLiteral("\n\n");
    int base = caretLine + 2;
    if (letters) {
        // The number column is headed too, so it takes "A"; past "Z" the header stays empty.
        const int headers = columns + (numbered ? 1 : 0);
        for (int k = 0; k < headers; ++k) {
            if (k < MaxTableColumns)
                text += QChar(u'A' + k);
            text += u'\t';
        }
        text += u'\n';
        ++base;
    }
    const QString cells(columns, u'\t');
    text.reserve(text.size() + qsizetype(rows) * (columns + 8));
    for (int i = 0; i < rows; ++i) {
        if (numbering == TableNumbering::Sequence)
            text += QString::number(i + 1) + u'\t';
        else if (numbering == TableNumbering::LineNumbers)
            text += QString::number(i + base + 1) + u'\t';
        text += cells;
        text += u'\n';
    }
    return text;
}

TableResult MakeTable(const TableInput &in, int rows, int columns, bool letters,
                      TableNumbering numbering)
{
    const int size = int(in.text.size());
    const int caret = qBound(0, in.selStart, size);
    const QString table =
        MakeTableText(rows, columns, letters, numbering, RowOfPosition(in.text, caret));
    if (table.isEmpty())
        return Unchanged(in);
    int at = int(in.text.indexOf(u'\n', caret));
    if (at < 0)
        at = size;
    TableResult result;
    result.text = in.text;
    result.text.insert(at, table);
    result.changed = true;
    result.selStart = at + int(table.size());
    return result;
}
