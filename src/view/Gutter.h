#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The line-number gutter, the column-header row of calculation mode and the "[EOF]" mark.

enum class LineNumberMode {
    None = 0,
    Physical = 1,
    Logical = 2
};

// The text whose width (plus one line height) makes the gutter: "  n:" with the line count,
// in physical mode at least the number of visible rows.
QString GutterSizingText(int mode, int lineCount, int visibleRows);

// The label of each visible row ("n:" or empty). Physical numbering, and any numbering without
// word wrap, counts display rows from firstDisplayLine. Logical numbering with word wrap puts
// topLineNumber (1-based) on the top row when that row starts a line, and the next number on
// every later row that starts a line; rowStartsLine holds one entry per row that has text.
QStringList GutterLabels(int mode, bool wordWrap, int firstDisplayLine, int topLineNumber,
                         const QList<bool> &rowStartsLine, int visibleRows);

// The letters over the columns: "  A", then "\t B" ... "\t Z", and a final tab.
QString HeaderRowText();

enum class EofPlace {
    None,
    AfterText,
    NextRow
};
// Where "[EOF]" goes: nowhere in an empty text; on the row below for a text that ends with a
// line break or whose mark would run past the right edge; else behind the last character.
EofPlace EofPlacement(int textLength, bool endsWithLineBreak, int markRight, int clientRight);
