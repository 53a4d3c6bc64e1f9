#include "app/ui/PaneCommands.h"

#include "app/AppSettings.h"
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

void OnRegistAnotherFile(const COrrindaleView &view, AppContext &context)
{
    const QString chosen = context.prompter->OpenFileName(
        QStringLiteral("TeX files (*.tex)|*.tex||"), view.Files().edited.dir);
    if (chosen.isEmpty())
        return;
    view.GetDocument()->SetAnotherFile(QFileInfo(chosen).absoluteFilePath());
}

void OnUnregistAnotherFile(const COrrindaleView &view)
{
    view.GetDocument()->SetAnotherFile(QString());
}

void OnWinTpic(const COrrindaleView &view, AppContext &context)
{
    const QString program = WinTpicPath(view.Settings().InstDir());
    bool started = false;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (QFileInfo(program).isFile()) {
        // Started as a program; where that is not possible the file's associated opener
        // (for example a compatibility layer) may still run it.
        started = context.launcher->StartDetached(program, {}, view.Files().edited.dir)
                  || context.launcher->Open(program);
    }
    QApplication::restoreOverrideCursor();
    if (!started)
        context.prompter->Notice(MsgText(Msg::WinTpicMissing, view.Settings().English())
                                     .arg(QDir::toNativeSeparators(program)));
}

void OnCommandPrompt(const COrrindaleView &view, AppContext &context)
{
    const QString target = view.Files().target.dir;
    const QString folder = target.isEmpty() ? QDir::currentPath() : target;
    const ProgramCall call =
        TerminalCall(CurrentTerminalPlatform(), folder, qEnvironmentVariable("TERMINAL"),
                     [](const QString &name) { return QStandardPaths::findExecutable(name); });
    if (call.program.isEmpty()
        || !context.launcher->StartDetached(call.program, call.arguments, folder))
        context.prompter->Notice(MsgText(Msg::TerminalMissing, view.Settings().English()));
}

void RegisterPaneCommands(CPaneSplitter &splitter, AppContext &context, CommandRouter &router)
{
    CPaneSplitter *panes = &splitter;
    const auto texTarget = [](const COrrindaleView &v) { return ToolchainCommandState(&v); };
    router.SetHandler(Cmd::SplitRow, [panes] { panes->OnSplitRow(); });
    router.SetHandler(Cmd::SplitColumn, [panes] { panes->OnSplitColumn(); });
    router.SetViewHandler(
        Cmd::LogColumn, [panes](COrrindaleView &) { panes->OnLogColumn(); }, texTarget);
    router.SetViewHandler(
        Cmd::LogRow, [panes](COrrindaleView &) { panes->OnLogRow(); }, texTarget);
    router.SetViewHandler(Cmd::RegistAnotherFile,
                          [&context](COrrindaleView &v) { OnRegistAnotherFile(v, context); });
    router.SetViewHandler(
        Cmd::UnregistAnotherFile, [](COrrindaleView &v) { OnUnregistAnotherFile(v); },
        [](const COrrindaleView &v) {
            return CommandState{!v.Files().anotherFile.isEmpty(), false};
        });
    router.SetViewHandler(Cmd::WinTpic, [&context](COrrindaleView &v) { OnWinTpic(v, context); });
    router.SetViewHandler(Cmd::CommandPrompt,
                          [&context](COrrindaleView &v) { OnCommandPrompt(v, context); });
}
