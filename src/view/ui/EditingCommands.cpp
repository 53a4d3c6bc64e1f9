#include "view/ui/EditingCommands.h"

#include "app/AppSettings.h"
#include "app/Launcher.h"
#include "app/Prompter.h"
#include "app/SettingsKeys.h"
#include "app/ui/AppContext.h"
#include "app/ui/CMainFrame.h"
#include "app/ui/COrrindaleDoc.h"
#include "app/ui/COrrindaleView.h"
#include "app/ui/CommandRouter.h"
#include "res/Messages.h"
#include "view/TextCommands.h"
#include "view/ui/FindReplaceController.h"
#include "view/ui/UndoController.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QTextCursor>

namespace {
QString SelectedText(const COrrindaleView *view)
{
    return view->textCursor().selectedText().replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
}

bool HasSelection(const COrrindaleView *view)
{
    return view->textCursor().hasSelection();
}

void AddComment(COrrindaleView *view)
{
    QTextCursor c = view->textCursor();
    if (!c.hasSelection()) {
        const int caret = c.position();
        c.movePosition(QTextCursor::StartOfLine); // of the display line
        c.insertText(QStringLiteral("%%"));
        c.setPosition(caret + 2);
    } else {
        c.insertText(CommentedSelection(SelectedText(view)));
    }
    view->setTextCursor(c);
}

void RemoveComment(COrrindaleView *view)
{
    QTextCursor c = view->textCursor();
    c.insertText(UncommentedSelection(SelectedText(view)));
    view->setTextCursor(c);
}

void RemoveAllCommentLines(COrrindaleView *view, Prompter &prompter)
{
    const bool english = view->Settings().English();
    if (prompter.Ask(MsgText(Msg::RemoveCommentLinesQuestion, english), MsgButtons::OkCancel)
        != MsgAnswer::Ok)
        return;
    CUndoGroup group(view);
    const QString text = DocumentText(view->document());
    const QString result = WithoutCommentLines(text);
    if (result != text)
        ReplaceDocumentText(view->document(), text, result);
}

void InsertTemplate(COrrindaleView *view, EnvTemplate which)
{
    const TemplateText t = EnvironmentTemplate(which, view->Settings().English() != 0);
    QTextCursor c = view->textCursor();
    const int start = c.selectionStart();
    c.insertText(t.text);
    c.setPosition(start + t.caretOffset);
    view->setTextCursor(c);
    view->ensureCursorVisible();
}

void WebSearch(COrrindaleView *view, AppContext &context)
{
    const QString url = WebSearchUrl(SelectedText(view)).toString(QUrl::FullyEncoded);
    if (context.launcher->Open(url))
        return;
    if (context.launcher->StartDetached(QStringLiteral("firefox"), {url}, QString()))
        return;
#ifdef Q_OS_WIN
    const QString fallback = QStringLiteral("iexplore");
#else
    const QString fallback = QStringLiteral("x-www-browser");
#endif
    if (context.launcher->StartDetached(fallback, {url}, QString()))
        return;
    context.prompter->Notice(MsgText(Msg::WebSearchFailed, view->Settings().English()).arg(url),
                             MsgIcon::Exclamation);
}

void TabStops(COrrindaleView *view, AppContext &context)
{
    const bool english = view->Settings().English();
    const bool toFour = view->m_nTabWidth == 8;
    const Msg question = toFour ? Msg::TabStopsTo4Question : Msg::TabStopsTo8Question;
    if (context.prompter->Ask(MsgText(question, english), MsgButtons::OkCancel) != MsgAnswer::Ok)
        return;
    view->m_nTabWidth = toFour ? 4 : 8;
    view->ApplyTabStops();
    WriteSetting(*context.store, Keys::TabStops, view->m_nTabWidth);
}

void SwitchReadOnly(COrrindaleView *view, AppContext &context)
{
    if (!view->isReadOnly()) {
        view->setReadOnly(true);
        view->m_bColoring = 0;
    } else {
        view->setReadOnly(false);
        view->m_bUnderlineCaretLine = 1;
        view->m_bColoring = ReadSetting(*context.store, Keys::Enter);
    }
    view->ApplyColors(); // read-only text has colours of its own
    view->viewport()->update();
}

void SwitchWordWrap(COrrindaleView *view)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool on = view->lineWrapMode() == QPlainTextEdit::NoWrap;
    view->SetWordWrap(on, true);
    view->m_bWordWrap = on ? 1 : 0;
    QApplication::restoreOverrideCursor();
}

bool CanPaste(const COrrindaleView *view)
{
    const QMimeData *data = QApplication::clipboard()->mimeData();
    return !view->isReadOnly() && data && data->hasText();
}
} // namespace

void RegisterEditingCommands(CMainFrame &frame, CommandRouter &r)
{
    const auto view = [&frame] { return frame.GetActiveView(); };
    const auto enabled = [](bool on) { return CommandState{on, false}; };
    AppContext &context = frame.Context();

    r.SetHandler(Cmd::Undo, [view] { view()->UndoController()->Undo(); },
                 [view, enabled] { return enabled(view()->UndoController()->CanUndo()); });
    r.SetHandler(Cmd::UndoForward, [view] { view()->UndoController()->Redo(); },
                 [view, enabled] { return enabled(view()->UndoController()->CanRedo()); });
    r.SetHandler(Cmd::Cut,
                 [view] {
                     view()->cut();
                     view()->PushUndoSnapshot();
                 },
                 [view, enabled] {
                     return enabled(HasSelection(view()) && !view()->isReadOnly());
                 });
    r.SetHandler(Cmd::Copy, [view] { view()->copy(); },
                 [view, enabled] { return enabled(HasSelection(view())); });
    r.SetHandler(Cmd::Paste, [view] { view()->paste(); },
                 [view, enabled] { return enabled(CanPaste(view())); });

    auto *bars = new CFindReplaceController(frame);
    const auto hasText = [view, enabled] {
        return enabled(view()->document()->characterCount() > 1);
    };
    r.SetHandler(Cmd::Find, [bars] { bars->OnFind(); }, hasText);
    r.SetHandler(Cmd::Replace, [bars] { bars->OnReplace(); }, hasText);
    r.SetHandler(Cmd::RepeatFindReplace, [bars] { bars->OnRepeat(); },
                 [bars, enabled] { return enabled(bars->CanRepeat()); });

    r.SetHandler(Cmd::AddComment, [view] { AddComment(view()); });
    r.SetHandler(Cmd::RemoveComment, [view] { RemoveComment(view()); },
                 [view, enabled] { return enabled(HasSelection(view())); });
    r.SetHandler(Cmd::RemoveAllCommentLines,
                 [view, &context] { RemoveAllCommentLines(view(), *context.prompter); });
    const std::pair<Cmd, EnvTemplate> templates[] = {
        {Cmd::EnvEqnarrayStar, EnvTemplate::EqnarrayStar},
        {Cmd::EnvEqnarray, EnvTemplate::Eqnarray},
        {Cmd::EnvEquation, EnvTemplate::Equation},
        {Cmd::EnvEnumerate, EnvTemplate::Enumerate},
        {Cmd::EnvItemize, EnvTemplate::Itemize},
        {Cmd::EnvArray, EnvTemplate::Array},
        {Cmd::EnvTabular, EnvTemplate::Tabular},
        {Cmd::EnvCenter, EnvTemplate::Center},
        {Cmd::EnvFlushright, EnvTemplate::Flushright},
        {Cmd::EnvFlushleft, EnvTemplate::Flushleft},
        {Cmd::EnvDocument, EnvTemplate::Document},
    };
    for (const auto &[cmd, which] : templates)
        r.SetHandler(cmd, [view, which] { InsertTemplate(view(), which); });
    r.SetHandler(Cmd::WebSearch, [view, &context] { WebSearch(view(), context); },
                 [view, enabled] { return enabled(HasSelection(view())); });
    r.SetHandler(Cmd::TabStops, [view, &context] { TabStops(view(), context); },
                 [view, enabled] { return enabled(!view()->m_bCalcMode); });
    r.SetHandler(Cmd::ReadWrite, [view, &context] { SwitchReadOnly(view(), context); });
    r.SetHandler(Cmd::WordWrap, [view] { SwitchWordWrap(view()); }, [view] {
        return CommandState{true, view()->lineWrapMode() != QPlainTextEdit::NoWrap};
    });
}
