#pragma once

// The numbers behind the two-pane window: which pane goes when a split is removed, where a
// new split is placed and how far a new log pane is scrolled. Heights and widths are pixels of
// the area the panes share; rows are display rows.

// Which pane (0 = left or top, 1 = right or bottom) a removal deletes: a read-only first pane
// is the log and always goes; otherwise the pane that is not active goes.
int PaneToRemove(bool firstPaneReadOnly, int activePane);

// Rows in half of the pane area: the offset between the two panes of a new row split.
int HalfRows(int areaHeight, int lineHeight);

// First pane size of a new split (never below the smallest pane of 10 pixels).
int RowSplitFirstHeight(int halfRows, int lineHeight);
int ColumnSplitFirstWidth(int areaWidth);
int LogColumnFirstWidth(int areaWidth);
int LogRowFirstHeight(int halfRows, int lineHeight);

// The first row shown in a new log pane, so that its end is in view (0 for a short log).
int LogColumnTopRow(int logRows, int halfRows);
int LogRowTopRow(int logRows, int fullScreenHeight, int lineHeight);

// Both panes after the window is resized: half of the extent each, at least 10.
int EqualHalf(int extent);
