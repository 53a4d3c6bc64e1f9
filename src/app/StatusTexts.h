#pragma once

#include <QString>

// The status bar's size pane: "%d byte" below 1000 characters, else "%d.%d KB" truncated.
QString SizePaneText(qsizetype characters, bool english);
// The line pane: line is 0-based, shown 1-based.
QString LinePaneText(int line, int column, int offset, bool english);
QString InsertPaneText(bool insertMode, bool english);
