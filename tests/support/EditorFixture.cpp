#include "EditorFixture.h"

#include "view/ui/UndoController.h"

#include <QTest>

EditorFixture::EditorFixture(const QByteArray &content, bool english, bool shown)
{
    if (english)
        f.store->WriteInt(QStringLiteral("Settings"), QStringLiteral("English"), 1);
    frame = f.MakeFrame();
    if (!frame->OpenDocumentFile(f.WriteFile(QStringLiteral("doc.tex"), content)))
        qFatal("the test document could not be opened");
    view = frame->GetActiveView();
    if (shown) {
        frame->resize(700, 500);
        frame->show();
    }
}

const UndoHistory &EditorFixture::History() const
{
    return view->UndoController()->History();
}

void EditorFixture::Select(int from, int to)
{
    QTextCursor c = view->textCursor();
    c.setPosition(from);
    c.setPosition(to, QTextCursor::KeepAnchor);
    view->setTextCursor(c);
}

QPair<int, int> EditorFixture::Selection() const
{
    const QTextCursor c = view->textCursor();
    return {c.selectionStart(), c.selectionEnd()};
}
