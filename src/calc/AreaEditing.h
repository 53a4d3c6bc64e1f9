#pragma once

#include "calc/CellGrid.h"
#include "calc/TableCommand.h"

#include <QStringList>

// The structural table commands: rectangular areas of cells, whole columns and new tables.
// Each works on the text of a TableInput (selection and range as the view remembers them) and
// returns the new text with the caret to show.

// What Copy Selected Area and Copy the Column keep: one text per row (the row's cells joined
// by TABs), and the height and width of the area last copied.
struct AreaStore {
    QStringList rows;
    int nRows = 0;
    int nCols = 0;
};

// Removes the cells of the range from every row it covers that has them, last cell first, so
// the cells right of the area move left. The grid's anchor follows the removals.
void DeleteArea(CellGrid &grid, const CellRange &range);

// The caret column: the column of pos when pos starts a cell (after a TAB or at a row start),
// otherwise the column after the one pos is in.
int CaretColumn(QStringView text, int pos);

// Copy Selected Area: the range's cells of each row into the first rows of the store, which
// takes the range's size; rows past the text's end are not copied. The text does not change.
void CopyArea(const TableInput &in, AreaStore &store);
// Delete Selected Area: the caret stays on the text that followed the selection start.
TableResult DeleteSelectedArea(const TableInput &in);
// Clear Selected Area: every existing cell of the range emptied, its closing TAB kept (a last
// cell without one gets one). The caret follows the last emptied cell.
TableResult ClearSelectedArea(const TableInput &in);
// Paste Cut Area: with a selection the range is removed first; the stored rows go in as a block
// at the selection start's row, from the column after the one the selection start is in (at the
// column itself right after a TAB). The caret goes to the selection end.
TableResult PasteArea(const TableInput &in, const AreaStore &store);
// Paste Repeat Cut Area: the range is replaced by the stored area repeated across and down to
// its size. A store narrower or wider than the range is widened (repeated and cut) in place
// and keeps the widened rows. An empty store changes nothing.
TableResult PasteAreaRepeated(const TableInput &in, AreaStore &store);

// Insert a Brank Column / Insert Brank Sels: empty cells at the caret column, as many columns
// as the range is wide (one for a range of one column), in the range's rows when it spans
// several rows, else in every row. The caret goes to the start of the new cell in its row.
TableResult InsertBlankColumns(const TableInput &in);

// The column (and count) the column commands act on: the column of the selection start, or
// the range's columns when there is a selection.
std::pair<int, int> ColumnsOfSelection(const TableInput &in);
// Delete the Column: those columns removed from every row of the text.
TableResult DeleteColumns(const TableInput &in);
// Copy the Column: those columns of every row of the text into the store (its size stays).
void CopyColumns(const TableInput &in, AreaStore &store);
// Insert the Copied/Cut Column: stored row i as a new cell of row i at the caret column; rows
// past the store get an empty cell. The caret goes to the new cell of its row.
TableResult InsertCopiedColumn(const TableInput &in, const AreaStore &store);

// Make a Table: what to put in front of the rows.
enum class TableNumbering {
    None = 0,
    Sequence = 1,
    LineNumbers = 2
};
inline constexpr int MaxTableColumns = 26;
// The text of a new table of empty cells, starting with two line breaks, for a caret on the
// 0-based line `caretLine`; more than 26 columns are cut to 26.
QString MakeTableText(int rows, int columns, bool letters, TableNumbering numbering, int caretLine);
// Inserts that table at the end of the caret's line; the caret goes after it.
TableResult MakeTable(const TableInput &in, int rows, int columns, bool letters,
                      TableNumbering numbering);
