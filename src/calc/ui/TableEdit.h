#pragma once

#include <QString>

class COrrindaleView;

// Writes a table command's result into the view as one edit of the range that differs, with
// undo recording off meanwhile, puts an empty selection at caretPos (clamped to the text) and
// scrolls it into view, then records the command's one undo snapshot. A read-only view is left
// as it is; returns whether the text was written.
bool ApplyTableEdit(COrrindaleView &view, const QString &text, int caretPos);

// An empty selection at pos (clamped to the text), scrolled into view.
void PutTableCaret(COrrindaleView &view, int pos);

// The view's text, as the table commands read it.
QString TableText(const COrrindaleView &view);
