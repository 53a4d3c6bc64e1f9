#include "EditorFixture.h"

#include "view/ColorSettings.h"
#include "view/ui/UndoController.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTest>
#include <QTimer>

EditorFixture::EditorFixture(const QByteArray &content, bool english, bool shown)
    : EditorFixture(QStringLiteral("doc.tex"), content, english, shown)
{
}

EditorFixture::EditorFixture(const QString &name, const QByteArray &content, bool english,
                             bool shown)
{
    if (english)
        f.store->WriteInt(QStringLiteral("Settings"), QStringLiteral("English"), 1);
    frame = f.MakeFrame();
    if (!frame->OpenDocumentFile(f.WriteFile(name, content)))
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

void EditorFixture::UseCommandList(const QString &path)
{
    f.settings->SetCommandList(path);
}

void EditorFixture::SetColors(const ViewColors &colors)
{
    f.settings->SetColors(colors, DefaultCustomColors());
}

ViewColors EditorFixture::Colors() const
{
    return f.settings->Colors();
}

void WhenModal(const std::function<void(QWidget *)> &act)
{
    QTimer::singleShot(0, qApp, [act] {
        QPointer<QWidget> w = QApplication::activeModalWidget();
        if (!w)
            qFatal("no dialog was shown");
        act(w);
        if (auto *dialog = qobject_cast<QDialog *>(w); dialog && dialog->isVisible())
            dialog->reject(); // left open by the script or by a failed check
    });
}
