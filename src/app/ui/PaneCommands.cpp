#include "app/ui/PaneCommands.h"

#include "app/Launcher.h"
#include "app/Prompter.h"
#include "app/ui/AppContext.h"
#include "app/ui/COrrindaleDoc.h"
#include "app/ui/COrrindaleView.h"
#include "app/ui/CPaneSplitter.h"
#include "app/ui/CommandRouter.h"
#include "res/Messages.h"
#include "toolchain/AnotherFile.h"
#include "toolchain/ExternalPrograms.h"
#include "toolchain/ui/ViewToolchain.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
void SetTarget(COrrindaleView *view, const QString &another)
{
    view->m_strAnotherFile = another;
    const TargetPieces pieces = SplitTargetPath(another.isEmpty() ? view->m_strEditedPath
                                                                  : another);
    view->m_strTargetDir = pieces.dir;
    view->m_strTargetBase = pieces.base;
    view->m_strTargetExt = pieces.ext;
}
} // namespace

void OnRegistAnotherFile(const COrrindaleView &view, AppContext &context)
{
    const QString chosen = context.prompter->OpenFileName(
        QStringLiteral("TeX files (*.tex)|*.tex||"), view.m_strEditedDir);
    if (chosen.isEmpty())
        return;
    const QString another = QFileInfo(chosen).absoluteFilePath();
    // Every pane of the document compiles the same target.
    for (COrrindaleView *pane : view.GetDocument()->Views())
        SetTarget(pane, another);
    WriteAnotherFile(*context.store, view.m_strEditedPath, another);
}

void OnUnregistAnotherFile(const COrrindaleView &view, AppContext &context)
{
    for (COrrindaleView *pane : view.GetDocument()->Views())
        SetTarget(pane, QString());
    DeleteAnotherFile(*context.store, view.m_strEditedPath);
    view.GetDocument()->UpdateAllViews(Hint::AnotherFile);
}

void OnWinTpic(const COrrindaleView &view, AppContext &context)
{
    const QString program = WinTpicPath(view.m_strInstDir);
    bool started = false;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (QFileInfo(program).isFile()) {
        // Started as a program; where that is not possible the file's associated opener
        // (for example a compatibility layer) may still run it.
        started = context.launcher->StartDetached(program, {}, view.m_strEditedDir)
               || context.launcher->Open(program);
    }
    QApplication::restoreOverrideCursor();
    if (!started)
        context.prompter->Notice(
            MsgText(Msg::WinTpicMissing, view.m_bEnglish).arg(QDir::toNativeSeparators(program)));
}

void OnCommandPrompt(const COrrindaleView &view, AppContext &context)
{
    const QString folder = view.m_strTargetDir.isEmpty() ? QDir::currentPath()
                                                         : view.m_strTargetDir;
    const ProgramCall call = TerminalCall(
        CurrentTerminalPlatform(), folder, qEnvironmentVariable("TERMINAL"),
        [](const QString &name) { return QStandardPaths::findExecutable(name); });
    if (call.program.isEmpty()
        || !context.launcher->StartDetached(call.program, call.arguments, folder))
        context.prompter->Notice(MsgText(Msg::TerminalMissing, view.m_bEnglish));
}

void RegisterPaneCommands(CPaneSplitter &splitter, AppContext &context, CommandRouter &router)
{
    CPaneSplitter *panes = &splitter;
    const auto texTarget = [](const COrrindaleView &v) { return ToolchainCommandState(&v); };
    router.SetHandler(Cmd::SplitRow, [panes] { panes->OnSplitRow(); });
    router.SetHandler(Cmd::SplitColumn, [panes] { panes->OnSplitColumn(); });
    router.SetViewHandler(Cmd::LogColumn, [panes](COrrindaleView &) { panes->OnLogColumn(); },
                          texTarget);
    router.SetViewHandler(Cmd::LogRow, [panes](COrrindaleView &) { panes->OnLogRow(); },
                          texTarget);
    router.SetViewHandler(Cmd::RegistAnotherFile,
                          [&context](COrrindaleView &v) { OnRegistAnotherFile(v, context); });
    router.SetViewHandler(
        Cmd::UnregistAnotherFile,
        [&context](COrrindaleView &v) { OnUnregistAnotherFile(v, context); },
        [](const COrrindaleView &v) { return CommandState{!v.m_strAnotherFile.isEmpty(), false}; });
    router.SetViewHandler(Cmd::WinTpic, [&context](COrrindaleView &v) { OnWinTpic(v, context); });
    router.SetViewHandler(Cmd::CommandPrompt,
                          [&context](COrrindaleView &v) { OnCommandPrompt(v, context); });
}
