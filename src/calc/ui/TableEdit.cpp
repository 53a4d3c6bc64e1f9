#include "calc/ui/TableEdit.h"

#include "app/ui/COrrindaleView.h"
#include "view/ui/UndoController.h"

#include <QTextCursor>

QString TableText(const COrrindaleView &view)
{
    return DocumentText(view.document());
}

void PutTableCaret(COrrindaleView &view, int pos)
{
    QTextCursor cursor = view.textCursor();
    cursor.setPosition(qBound(0, pos, view.document()->characterCount() - 1));
    view.setTextCursor(cursor);
    view.ensureCursorVisible();
}

bool ApplyTableEdit(COrrindaleView &view, const QString &text, int caretPos)
{
    if (view.isReadOnly())
        return false;
    {
        CUndoGroup group(&view);
        const QString current = TableText(view);
        if (current != text)
            ReplaceDocumentText(view.document(), current, text);
        PutTableCaret(view, caretPos);
    }
    return true;
}
