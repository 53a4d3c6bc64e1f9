#pragma once

#include "calc/TableCommand.h"

#include <functional>
#include <utility>

// Commands that compute values from the cells of the table and insert them as a new row or
// column beside the data: sums and means, two linear transforms of one column or row, and the
// four operations between two columns or two rows. Each takes the view's text, selection and
// range and returns the whole new text with the caret to show.

enum class ArithOp {
    Multiply,
    Divide,
    Add,
    Subtract
}; // the order of the dialogs' lists

// Y = X * m / n + (p div q), the quotient truncated toward zero.
struct LinearParams {
    int m = 1;
    int n = 1;
    int p = 1;
    int q = 1;
    bool IsValid() const { return n != 0 && q != 0; }
    double Apply(double x) const;
};

// The interval A…B mapped onto C…D.
struct MapParams {
    int a = 60;
    int b = 120;
    int c = 65;
    int d = 100;
    bool IsValid() const { return a != b; }
    double Apply(double x) const;
};

using Transform = std::function<double(double)>;

// Sums (mean = false) or means of the range. ofColumns: the total of each column in a new row
// above (before) or below the range; otherwise the total of each row in a new column left
// (before) or right of it, labelled in the row above. An empty or inverted range gives the
// guard message and no change; without a remembered selection nothing happens.
TableResult TotalsOfRange(const TableInput &in, bool mean, bool ofColumns, bool before);

// f applied to the column of the selection end, each value in a new cell left (before) or
// right of it: the range's rows when there is a selection, else every row from the range's
// first one.
TableResult TransformColumn(const TableInput &in, const Transform &f, bool before);
// f applied to the cells of the selection end's row, the values in a new row above (before)
// or below it; empty cells stay empty.
TableResult TransformRow(const TableInput &in, const Transform &f, bool before);

// a op b per row, a from the smaller column index and b from the larger, in a new cell before
// the left column or after the right one. Equal columns change nothing.
TableResult ArithmeticOfColumns(const TableInput &in, int first, int second, ArithOp op,
                                bool before);
// a op b per column between rows firstNumber and secondNumber (counted from 1), a from the
// upper row, in a new row placed above or below the row of the selection start.
TableResult ArithmeticOfRows(const TableInput &in, int firstNumber, int secondNumber, ArithOp op,
                             bool before);

// a op b as a cell text: "Error" for a division by zero.
QString ArithmeticText(double a, double b, ArithOp op, int decimals);

// What the two-line dialogs open with: columns (0-based, at most Z) and row numbers (from 1).
std::pair<int, int> ArithmeticColumnsDefaults(const TableInput &in);
std::pair<int, int> ArithmeticRowsDefaults(const TableInput &in);

// The label of a sum or a mean in the interface's language.
QString TotalLabel(bool mean, bool english);
