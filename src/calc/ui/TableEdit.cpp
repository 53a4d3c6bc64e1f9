#include "calc/ui/TableEdit.h"

#include "app/ui/COrrindaleView.h"
#include "view/ui/UndoController.h"

#include <QTextCursor>

QString TableText(const COrrindaleView &view)
{
    return DocumentText(view.document());
}

bool ApplyTableEdit(COrrindaleView &view, const QString &text, int caretPos)
{
    if (view.isReadOnly())
        return false;
    view.m_bRecordUndo = 0;
    const QString current = TableText(view);
    if (current != text)
        ReplaceDocumentText(view.document(), current, text);
    QTextCursor cursor = view.textCursor();
    cursor.setPosition(qBound(0, caretPos, int(text.size())));
    view.setTextCursor(cursor);
    view.ensureCursorVisible();
    view.m_bRecordUndo = 1;
    view.PushUndoSnapshot();
    return true;
}
