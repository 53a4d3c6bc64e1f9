#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <utility>

// The table that calculation mode sees in plain text: every line is a row, every TAB ends a
// cell. A row without any TAB has no cells at all. Positions count QChars of a text with "\n"
// line breaks.

// The rectangle of cells the table commands act on, 0-based and inclusive. The empty range is
// column 0, row 0 to column -1, row -1.
struct CellRange {
    int firstCol = 0;
    int firstRow = 0;
    int lastCol = -1;
    int lastRow = -1;

    int Width() const { return lastCol - firstCol + 1; }
    int Height() const { return lastRow - firstRow + 1; }
    bool operator==(const CellRange &) const = default;
};

// C library atof: leading white space skipped, the longest numeric prefix read ("inf" and
// "nan" included), 0 when there is none. Never depends on the process locale.
double CAtof(QStringView text);

// A computed value as every table command writes it: rounded half away from zero on the
// decimal expansion of the double to `decimals` places, trailing zeros kept, "-" in front of a
// negative value. A value that rounds to nothing with no decimals is written "0", never "-0";
// infinities and NaN are written "inf", "-inf" and "nan".
QString FormatNumber(double value, int decimals);

// Position helpers over the whole text.
int RowOfPosition(QStringView text, int pos);      // line breaks before pos
int RowStartOfPosition(QStringView text, int pos); // start of pos's row
int ColumnOfPosition(QStringView text, int pos);   // TABs between the row start and pos

// The range a selection covers: rows from the line breaks before its ends, columns from the
// TABs before them in their rows; a selection ending just after a TAB ends in the cell that
// TAB closes. An empty or inverted selection gives the empty range.
CellRange ComputeCellRange(QStringView text, int selStart, int selEnd);

// The text split into rows for commands that read and edit many cells: every operation costs
// the length of its row, never of the whole text. Text() joins the rows back.
class CellGrid {
public:
    explicit CellGrid(const QString &text);

    QString Text() const;
    // Rows: one more than the line breaks of the text (a final line break leaves an empty
    // last row, as a text editor shows it).
    int RowCount() const { return int(m_rows.size()); }
    // The row's text without its line break; "" for a row that does not exist.
    QString RowText(int row) const;
    // The row's text with its line break when it has one.
    QString GetRowText(int row) const;
    bool RowHasLineBreak(int row) const;
    int TabCount(int row) const;

    // Cells col … col + span joined with their TABs; "" for what does not exist.
    QString GetCellText(int col, int row, int span = 0) const;
    double GetCellValue(int col, int row) const;

    // Inserts a new cell at column col of the row, moving the old cell col and all after it
    // one column right: at col 0 the text and a TAB go to the row start; at col >= 1 a TAB and
    // the text go where cell col - 1 ends (its TAB, or the row end). Returns false, changing
    // nothing, when the row lacks cell col - 1.
    bool InsertCell(int col, int row, const QString &text);
    // Removes cell col with the TAB that closes it (the last cell of a row without closing
    // TAB: up to the row end). Column 0 of a row without TAB and cells past the row's TABs are
    // left alone. Returns whether anything was removed.
    bool DeleteCell(int col, int row);

    // Inserts a whole row (without line break) before row `row`; row == RowCount() appends one
    // after the last row.
    void InsertRow(int row, const QString &text);
    // Replaces the row's text (without its line break).
    void SetRowText(int row, const QString &text);
    // Replaces rows first … last (inclusive) by the given rows.
    void ReplaceRows(int first, int last, const QStringList &rows);

    // The start of cell col in the row, as an offset from the row start; -1 when the cell does
    // not exist (column 0: when the row has no TAB).
    int CellOffset(int col, int row) const;
    // The span of cell col in the row as row offsets: from its start through its closing TAB
    // (for column 0 only when the row has a TAB); {-1, -1} when the cell does not exist.
    std::pair<int, int> CellSpan(int col, int row) const;

    // Position of the row start in the joined text (costs the rows before it).
    int RowStart(int row) const;
    // Row and offset of a position in the joined text.
    std::pair<int, int> RowAndOffset(int pos) const;

    // A position kept on the same text through InsertCell and DeleteCell, as the commands'
    // remembered selection start is: an insertion strictly before it moves it right; a removal
    // before it moves it left, one around it moves it to the removal's start.
    void SetAnchor(int pos);
    int Anchor() const;

private:
    QStringList m_rows;
    int m_nAnchorRow = -1;
    int m_nAnchorOffset = 0;
};
