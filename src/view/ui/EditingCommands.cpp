#include "view/ui/EditingCommands.h"

#include "app/AppSettings.h"
#include "app/Launcher.h"
#include "app/Prompter.h"
#include "app/SettingsKeys.h"
#include "app/ui/AppContext.h"
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
    const bool toFour = view->Options().tabWidth == 8;
    const Msg question = toFour ? Msg::TabStopsTo4Question : Msg::TabStopsTo8Question;
    if (context.prompter->Ask(MsgText(question, english), MsgButtons::OkCancel) != MsgAnswer::Ok)
        return;
    view->SetTabWidth(toFour ? 4 : 8);
    WriteSetting(*context.store, Keys::TabStops, view->Options().tabWidth);
}

void SwitchReadOnly(COrrindaleView *view, AppContext &context)
{
    if (!view->isReadOnly()) {
        view->setReadOnly(true);
        view->SetColoring(false);
    } else {
        view->setReadOnly(false);
        view->SetUnderlineCaretLine(true);
        view->SetColoring(ReadSetting(*context.store, Keys::Enter));
    }
    view->ApplyColors(); // read-only text has colours of its own
}

void SwitchWordWrap(COrrindaleView *view)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool on = view->lineWrapMode() == QPlainTextEdit::NoWrap;
    view->SetWordWrap(on);
    QApplication::restoreOverrideCursor();
}

bool CanPaste(const COrrindaleView *view)
{
    const QMimeData *data = QApplication::clipboard()->mimeData();
    return !view->isReadOnly() && data && data->hasText();
}
} // namespace

void RegisterEditingCommands(CommandRouter &r, AppContext &context, CFindReplaceController *bars)
{
    using View = COrrindaleView;
    const auto enabled = [](bool on) { return CommandState{on, false}; };

    r.SetViewHandler(
        Cmd::Undo, [](View &v) { v.UndoController()->Undo(); },
        [enabled](const View &v) { return enabled(v.UndoController()->CanUndo()); });
    r.SetViewHandler(
        Cmd::UndoForward, [](View &v) { v.UndoController()->Redo(); },
        [enabled](const View &v) { return enabled(v.UndoController()->CanRedo()); });
    r.SetViewHandler(
        Cmd::Cut,
        [](View &v) {
            v.cut();
            v.PushUndoSnapshot();
        },
        [enabled](const View &v) { return enabled(HasSelection(&v) && !v.isReadOnly()); });
    r.SetViewHandler(
        Cmd::Copy, [](View &v) { v.copy(); },
        [enabled](const View &v) { return enabled(HasSelection(&v)); });
    r.SetViewHandler(
        Cmd::Paste, [](View &v) { v.paste(); },
        [enabled](const View &v) { return enabled(CanPaste(&v)); });

    const auto hasText = [enabled](const View &v) {
        return enabled(v.document()->characterCount() > 1);
    };
    r.SetViewHandler(
        Cmd::Find, [bars](View &) { bars->OnFind(); }, hasText);
    r.SetViewHandler(
        Cmd::Replace, [bars](View &) { bars->OnReplace(); }, hasText);
    r.SetHandler(
        Cmd::RepeatFindReplace, [bars] { bars->OnRepeat(); },
        [bars, enabled] { return enabled(bars->CanRepeat()); });

    r.SetViewHandler(Cmd::AddComment, [](View &v) { AddComment(&v); });
    r.SetViewHandler(
        Cmd::RemoveComment, [](View &v) { RemoveComment(&v); },
        [enabled](const View &v) { return enabled(HasSelection(&v)); });
    r.SetViewHandler(Cmd::RemoveAllCommentLines,
                     [&context](View &v) { RemoveAllCommentLines(&v, *context.prompter); });
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
        r.SetViewHandler(cmd, [which](View &v) { InsertTemplate(&v, which); });
    r.SetViewHandler(
        Cmd::WebSearch, [&context](View &v) { WebSearch(&v, context); },
        [enabled](const View &v) { return enabled(HasSelection(&v)); });
    r.SetViewHandler(
        Cmd::TabStops, [&context](View &v) { TabStops(&v, context); },
        [enabled](const View &v) { return enabled(!v.Options().calcMode); });
    r.SetViewHandler(Cmd::ReadWrite, [&context](View &v) { SwitchReadOnly(&v, context); });
    r.SetViewHandler(
        Cmd::WordWrap, [](View &v) { SwitchWordWrap(&v); },
        [](const View &v) {
            return CommandState{true, v.lineWrapMode() != QPlainTextEdit::NoWrap};
        });
}
