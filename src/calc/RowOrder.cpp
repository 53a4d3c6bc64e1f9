#include "calc/RowOrder.h"

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

void SortRowRange(CellGrid &grid, int column, int first, int last, bool descending,
                  bool asValues)
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
        std::vector<QString> keys(n);
        for (int i = 0; i < n; ++i)
            keys[i] = grid.GetCellText(column, first + i);
        std::stable_sort(order.begin(), order.end(), [&keys](int a, int b) {
            return QStringView(keys[a]).compare(QStringView(keys[b]), Qt::CaseSensitive) > 0;
        });
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
