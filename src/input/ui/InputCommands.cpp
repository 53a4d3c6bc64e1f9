#include "input/ui/InputCommands.h"

#include "app/AppSettings.h"
#include "app/Globals.h"
#include "app/Prompter.h"
#include "app/SettingsKeys.h"
#include "app/TextFile.h"
#include "app/ui/AppContext.h"
#include "app/ui/CMainFrame.h"
#include "app/ui/COrrindaleDoc.h"
#include "app/ui/COrrindaleView.h"
#include "app/ui/CommandRouter.h"
#include "input/CommandList.h"
#include "input/ui/CompletionController.h"
#include "input/ui/MinimumLettersDialog.h"
#include "res/Messages.h"
#include "toolchain/ui/ViewToolchain.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

namespace {
QString DefaultListPath(const COrrindaleView *view)
{
    return QDir(view->Settings().InstDir()).filePath(QString::fromLatin1(CommandListFileName));
}
} // namespace

void MakeTeXInputFile(CMainFrame &frame, COrrindaleView *view)
{
    AppContext &context = frame.Context();
    COrrindaleDoc *doc = view->GetDocument();
    const bool english = view->Settings().English();
    doc->SaveModified();
    if (doc->IsModified())
        return;
    if (!doc->PathName().isEmpty() && QFileInfo::exists(doc->PathName()))
        g_tFileTime = FileTimeOf(doc->PathName());
    if (context.prompter->Ask(MsgText(Msg::MakeInputQuestion, english), MsgButtons::YesNo)
        != MsgAnswer::Yes)
        return;

    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QString content = MakeCommandListText(
        ReadCommandList(view->Settings().CommandListPath()), DocumentText(view->document()),
        english);
    QApplication::restoreOverrideCursor();
    context.prompter->Notice(MsgText(Msg::MakeInputDone, english), MsgIcon::Information);

    // Always made in the installation folder; the file on disk stays as it is until the
    // user saves.
    const QString path = DefaultListPath(view);
    doc->ShowUnsavedText(path, content);
    g_tFileTime = FileTimeOf(path);
    view->OnInitialUpdate();
    doc->SetModifiedFlag(true);
    frame.UpdateStatusPanes();
}

void ChangeTeXInputFile(CMainFrame &frame)
{
    AppContext &context = frame.Context();
    CAppSettings &settings = *context.settings;
    const bool english = settings.English();
    if (context.prompter->Ask(MsgText(Msg::ChangeInputQuestion, english), MsgButtons::OkCancel)
        != MsgAnswer::Ok) {
        settings.SetCommandList(QString());
        return;
    }
    const QString chosen =
        context.prompter->OpenFileName(MsgText(Msg::MmeFilter, english), settings.InstDir());
    if (chosen.isEmpty())
        return;
    settings.SetCommandList(QFileInfo(chosen).absoluteFilePath());
}

void RegisterInputCommands(CMainFrame &frame, CommandRouter &router)
{
    CMainFrame *f = &frame;
    const auto view = [f] { return f->GetActiveView(); };
    CAppSettings *settings = f->Context().settings;
    router.SetHandler(Cmd::TeXInput, [view] { view()->Completion()->OnTeXInput(); },
                      [view] { return CommandState{true, view()->m_bInputSupport != 0}; });
    router.SetHandler(
        Cmd::InputListOrder,
        [settings] {
            InputSettings input = settings->Input();
            input.abc = input.abc ? 0 : 1;
            settings->SetInput(input);
        },
        [settings] { return CommandState{true, settings->Input().abc != 0}; });
    router.SetHandler(Cmd::InputLetterNo, [f, settings] {
        InputSettings input = settings->Input();
        CMinimumLettersDialog dialog(settings->English(), input.minimum, f);
        if (dialog.exec() != QDialog::Accepted)
            return;
        input.minimum = dialog.Index();
        settings->SetInput(input);
    });
    router.SetHandler(Cmd::MakeInputFile, [f, view] { MakeTeXInputFile(*f, view()); },
                      [view] { return ToolchainCommandState(view()); });
    router.SetHandler(Cmd::ChangeInputFile, [f] { ChangeTeXInputFile(*f); });
}
