#pragma once

#include "calc/CellGrid.h"
#include "calc/TableCommand.h"

// Ordering and scoring the rows of a table: sorting a block of rows by one column, numbering
// or ranking rows in a new column, and the deviation values (T-scores) of a column.

// What the sort and ranking dialogs start with: the key column and the first and last row
// (0-based) that the selection covers.
struct RowBlock {
    int column = 0;
    int firstRow = 0;
    int lastRow = 0;
};

// The block a selection s … e picks (without a selection, e is the end of the text): the rows
// from s's row to e's row; the key column is s's column. For sorting, e's row is left out when
// e stands at a line start, and when e is the end of the text and the key column is not the
// first, so are the rows at the end that lack the key column (an empty last line). For ranking
// only a selection that ends at a line start before the end of the text leaves e's row out.
RowBlock SelectedRowBlock(QStringView text, int s, int e, bool forSorting);

// Sorts rows first … last (clamped to the grid) by the key column. Descending keeps rows with
// equal keys in their order; ascending is the exact reverse of the descending order, so equal
// keys come out reversed. Values compare as the numbers atof reads (NaN below every number);
// texts compare by their character codes in the Japanese Windows code page (a double-byte
// character as one 16-bit code), case-sensitive. When the block holds the last row, a line
// break is added after it so that every sorted row ends with one.
void SortRowRange(CellGrid &grid, int column, int first, int last, bool descending, bool asValues);

// Inserts 1, 2, 3, … at the column of rows first … last; the cells from there on move right.
void InsertNumberColumn(CellGrid &grid, int column, int first, int last);

// Sorts the rows by the column, largest first, and inserts their ranks at that column (the
// values move one right): equal values share the rank of the first of them and the next value
// gets its position (1, 2, 2, 4).
void InsertRankColumn(CellGrid &grid, int column, int first, int last);

// The sort command after its dialog: rows fromRow … toRow counted from 1. The caret goes to the
// start of the key cell of the first row.
TableResult SortRows(const TableInput &in, int column, int fromRow, int toRow, bool descending,
                     bool asValues);

// The ranking command after its dialog (rank: ranks, otherwise plain numbers); the caret goes
// back to the selection start.
TableResult NumberOrRankRows(const TableInput &in, int column, int fromRow, int toRow, bool rank);

// The deviation value 50 + 10 (x - mean) / σ of every value of the range's first column
// (population σ; 50 for every value when σ is 0), written in a new cell of each row: right of
// the data, or at the data's own column (pushing them right) when the selection ends just
// after a TAB or at a line start. No selection: no change.
TableResult DeviationValues(const TableInput &in);
