#pragma once

#include <QPoint>
#include <QString>

class COrrindaleView;
class CommandRouter;

// Caret movement, paging, jumps, word selection and the right-click menu of an editor pane.
// Lines are display lines (a wrapped line is several) unless called logical.

int DisplayLineOf(const COrrindaleView &view, int position);
// The first position of a display line; -1 when there is no such line.
int DisplayLineStart(const COrrindaleView &view, int line);
int DisplayLineCount(const COrrindaleView &view);
int TopDisplayLine(const COrrindaleView &view);
void ScrollDisplayLines(COrrindaleView &view, int lines);
// The other pane of a split window, or nullptr.
COrrindaleView *OtherPane(const COrrindaleView &view);

void ToHead(COrrindaleView &view);
void ToEnd(COrrindaleView &view);
void ToLineHead(COrrindaleView &view);
void ToLineEnd(COrrindaleView &view);
void PageDown(COrrindaleView &view);
void PageUp(COrrindaleView &view);
// Line n (1-based): logical when asked and word wrap is on, else display line n.
void JumpToLine(COrrindaleView &view, int n, bool logical);

// The caret column kept across lines of different length.
bool MovesCaretColumn(int key, const QString &text);
void RememberCaretX(COrrindaleView &view);
void KeepCaretColumn(COrrindaleView &view);

// Double-click: select the word at the caret; in a log pane, a line number moves the other pane
// to that line of the document, and then the answer is true.
bool SelectWordAtCaret(COrrindaleView &view);
// The program's own right-click menu; false when it shows none, and the editor's standard menu
// is left to come up as on a plain edit control.
bool ShowPopupMenu(COrrindaleView &view, CommandRouter *router, const QPoint &globalPos);
// The editor's standard editing menu (undo, cut, copy, paste, delete, select all) in the
// interface language.
void ShowStandardEditMenu(COrrindaleView &view, const QPoint &globalPos);
