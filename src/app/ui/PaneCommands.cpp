#include "app/ui/PaneCommands.h"

#include "app/Launcher.h"
#include "app/Prompter.h"
#include "app/ui/AppContext.h"
#include "app/ui/CMainFrame.h"
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

void OnRegistAnotherFile(CMainFrame &frame, AppContext &context)
{
    COrrindaleView *view = frame.GetActiveView();
    const QString chosen = context.prompter->OpenFileName(
        QStringLiteral("TeX files (*.tex)|*.tex||"), view->m_strEditedDir);
    if (chosen.isEmpty())
        return;
    const QString another = QFileInfo(chosen).absoluteFilePath();
    // Every pane of the document compiles the same target.
    for (COrrindaleView *pane : frame.GetDocument()->Views())
        SetTarget(pane, another);
    WriteAnotherFile(*context.store, view->m_strEditedPath, another);
}

void OnUnregistAnotherFile(CMainFrame &frame, AppContext &context)
{
    COrrindaleView *view = frame.GetActiveView();
    for (COrrindaleView *pane : frame.GetDocument()->Views())
        SetTarget(pane, QString());
    DeleteAnotherFile(*context.store, view->m_strEditedPath);
    frame.GetDocument()->UpdateAllViews(Hint::AnotherFile);
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

void RegisterPaneCommands(CMainFrame &frame, AppContext &context, CommandRouter &router)
{
    CPaneSplitter *panes = frame.Panes();
    const auto texTarget = [&frame] { return ToolchainCommandState(frame.GetActiveView()); };
    router.SetHandler(Cmd::SplitRow, [panes] { panes->OnSplitRow(); });
    router.SetHandler(Cmd::SplitColumn, [panes] { panes->OnSplitColumn(); });
    router.SetHandler(Cmd::LogColumn, [panes] { panes->OnLogColumn(); }, texTarget);
    router.SetHandler(Cmd::LogRow, [panes] { panes->OnLogRow(); }, texTarget);
    router.SetHandler(Cmd::RegistAnotherFile,
                      [&frame, &context] { OnRegistAnotherFile(frame, context); });
    router.SetHandler(Cmd::UnregistAnotherFile,
                      [&frame, &context] { OnUnregistAnotherFile(frame, context); },
                      [&frame] {
                          return CommandState{!frame.GetActiveView()->m_strAnotherFile.isEmpty(),
                                              false};
                      });
    router.SetHandler(Cmd::WinTpic,
                      [&frame, &context] { OnWinTpic(*frame.GetActiveView(), context); });
    router.SetHandler(Cmd::CommandPrompt,
                      [&frame, &context] { OnCommandPrompt(*frame.GetActiveView(), context); });
}
