#include "calc/ui/HtmlExportCommands.h"

#include "app/AppSettings.h"
#include "app/Prompter.h"
#include "app/TextFile.h"
#include "app/ui/AppContext.h"
#include "app/ui/COrrindaleDoc.h"
#include "app/ui/COrrindaleView.h"
#include "app/ui/CommandRouter.h"
#include "app/ui/HelpMenuCommands.h"
#include "app/ui/StatusMessage.h"
#include "calc/HtmlExport.h"
#include "res/Messages.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextCursor>

#include <algorithm>

namespace {

// What the window showed before the page replaced it.
struct ShownDocument {
    QString path;
    QString text;
    qint64 fileTime = 0;
    int caret = 0;
    int firstLine = 0;
};

// Puts the document back into the window, prepared as when it was opened, with the caret and
// the scroll position it had. Its history starts again from this text.
void ShowDocumentAgain(COrrindaleView *view, const ShownDocument &shown, bool setUp)
{
    COrrindaleDoc *doc = view->GetDocument();
    doc->ShowUnsavedText(shown.path, shown.text);
    doc->SetModifiedFlag(false);
    if (setUp)
        doc->UpdateAllViews(Hint::NewFile);
    doc->SetFileTime(shown.fileTime);
    QTextCursor c = view->textCursor();
    c.setPosition(std::clamp(shown.caret, 0, view->document()->characterCount() - 1));
    view->ScrollToLine(shown.firstLine);
    view->setTextCursor(c);
}

// Whether to go back after an export is the user's choice for the program, not for a pane.
void SetRestoreAfterHtml(AppContext &context, int restore)
{
    EditorSettings editor = context.settings->Editor();
    editor.restoreAfterHtml = restore;
    context.settings->SetEditor(editor);
}

void OnHtmlMessage(AppContext &context)
{
    if (context.settings->Editor().restoreAfterHtml != 1)
        return;
    SetRestoreAfterHtml(context, 0);
}

// The pane that edits the document: with the log pane focused, the document's first text
// pane (the log is never the document's first view).
COrrindaleView *EditingView(COrrindaleView &active)
{
    const QList<COrrindaleView *> views = active.GetDocument()->Views();
    return active.IsLogPane() && !views.isEmpty() ? views.first() : &active;
}

} // namespace

void OnExportHtml(COrrindaleView &active, AppContext &context)
{
    COrrindaleDoc *doc = active.GetDocument();
    COrrindaleView *view = EditingView(active);
    const bool english = context.settings->English();
    // The page is made from the file as saved: a new or changed text is saved first.
    if (doc->IsModified() || doc->PathName().isEmpty()) {
        if (english)
            doc->SaveEnglish();
        else
            doc->DoFileSave();
        if (doc->IsModified() || doc->PathName().isEmpty())
            return;
    }
    ShownDocument shown;
    shown.path = doc->PathName();
    // The reference time of the check for changes made elsewhere, restored when the window
    // shows the document again.
    shown.fileTime = FileTimeOf(shown.path);
    doc->SetFileTime(shown.fileTime);
    shown.text = DocumentText(doc->TextDocument());
    shown.caret = view->textCursor().position();
    shown.firstLine = view->FirstVisibleLine();

    const QString htmlPath = HtmlPathFor(shown.path);
    if (QFileInfo(htmlPath) == QFileInfo(shown.path)) {
        context.prompter->Notice(MsgText(Msg::HtmlOverDocument, english).arg(htmlPath),
                                 MsgIcon::Exclamation);
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const HtmlPage page =
        ExportHtml(shown.text, QFileInfo(shown.path).completeBaseName(), view->Options().calcMode);
    QApplication::restoreOverrideCursor();
    if (page.unclosedDecoration)
        context.prompter->Notice(MsgText(Msg::HtmlUnclosedDecoration, english));

    doc->ShowUnsavedText(htmlPath, page.page);
    if (!doc->OnSaveDocument(htmlPath)) {
        // The save said why; the window goes on with the document as it was.
        ShowDocumentAgain(view, shown, false);
        return;
    }
    if (!OpenInBrowser(context, htmlPath, QFileInfo(shown.path).absolutePath()))
        ShowStatusMessage(
            view, MsgText(Msg::BrowserOpenFailed, english).arg(QDir::toNativeSeparators(htmlPath)));

    if (context.settings->Editor().restoreAfterHtml == 1) {
        ShowDocumentAgain(view, shown, true);
        return;
    }
    const MsgAnswer answer =
        context.prompter->Ask(MsgText(Msg::HtmlReturnQuestion, english), MsgButtons::YesNoCancel);
    if (answer == MsgAnswer::Yes) {
        ShowDocumentAgain(view, shown, true);
        SetRestoreAfterHtml(context, 1);
        return;
    }
    // The window stays on the page, prepared as a file of its own (its history starts there).
    doc->UpdateAllViews(Hint::NewFile);
}

void RegisterHtmlExportCommands(CommandRouter &router, AppContext &context)
{
    AppContext *c = &context;
    router.SetViewHandler(Cmd::HtmlExport, [c](COrrindaleView &v) { OnExportHtml(v, *c); });
    router.SetViewHandler(Cmd::HtmlMessage, [c](COrrindaleView &) { OnHtmlMessage(*c); });
}
