#include "input/ui/InputCommands.h"

#include "app/AppSettings.h"
#include "app/Prompter.h"
#include "app/SettingsKeys.h"
#include "app/TextFile.h"
#include "app/ui/AppContext.h"
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
QString DefaultListPath(const CAppSettings &settings)
{
    return QDir(settings.InstDir()).filePath(QString::fromLatin1(CommandListFileName));
}
} // namespace

void MakeTeXInputFile(COrrindaleView *view, AppContext &context,
                      const std::function<void()> &refreshStatus)
{
    COrrindaleDoc *doc = view->GetDocument();
    const bool english = view->Settings().English();
    doc->SaveModified();
    if (doc->IsModified())
        return;
    if (!doc->PathName().isEmpty() && QFileInfo::exists(doc->PathName()))
        doc->SetFileTime(FileTimeOf(doc->PathName()));
    if (context.prompter->Ask(MsgText(Msg::MakeInputQuestion, english), MsgButtons::YesNo)
        != MsgAnswer::Yes)
        return;

    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QString content = MakeCommandListText(ReadCommandList(view->Settings().CommandListPath()),
                                                DocumentText(view->document()), english);
    QApplication::restoreOverrideCursor();
    context.prompter->Notice(MsgText(Msg::MakeInputDone, english), MsgIcon::Information);

    // Always made in the installation folder; the file on disk stays as it is until the
    // user saves.
    const QString path = DefaultListPath(view->Settings());
    doc->ShowUnsavedText(path, content);
    doc->SetFileTime(FileTimeOf(path));
    view->OnInitialUpdate();
    doc->SetModifiedFlag(true);
    refreshStatus();
}

void ChangeTeXInputFile(AppContext &context)
{
    CAppSettings &settings = *context.settings;
    const bool english = settings.English();
    // The question names the data folder and the list that ships there.
    const QString question = MsgText(Msg::ChangeInputQuestion, english)
                                 .arg(QDir::toNativeSeparators(settings.InstDir()),
                                      QDir::toNativeSeparators(DefaultListPath(settings)));
    if (context.prompter->Ask(question, MsgButtons::OkCancel) != MsgAnswer::Ok) {
        settings.SetCommandList(QString());
        return;
    }
    const QString chosen =
        context.prompter->OpenFileName(MsgText(Msg::MmeFilter, english), settings.InstDir());
    if (chosen.isEmpty())
        return;
    settings.SetCommandList(QFileInfo(chosen).absoluteFilePath());
}

void RegisterInputCommands(CommandRouter &router, AppContext &context,
                           std::function<void()> refreshStatus)
{
    using View = COrrindaleView;
    CAppSettings *settings = context.settings;
    router.SetViewHandler(
        Cmd::TeXInput, [](View &v) { v.Completion()->OnTeXInput(); },
        [](const View &v) {
            return CommandState{true, v.Options().inputSupport};
        });
    router.SetViewHandler(
        Cmd::InputListOrder,
        [settings](View &) {
            InputSettings input = settings->Input();
            input.abc = input.abc ? 0 : 1;
            settings->SetInput(input);
        },
        [settings](const View &) {
            return CommandState{true, settings->Input().abc != 0};
        });
    router.SetViewHandler(Cmd::InputLetterNo, [settings](View &v) {
        InputSettings input = settings->Input();
        CMinimumLettersDialog dialog(settings->English(), input.minimum, v.window());
        if (dialog.exec() != QDialog::Accepted)
            return;
        input.minimum = dialog.Index();
        settings->SetInput(input);
    });
    router.SetViewHandler(
        Cmd::MakeInputFile,
        [&context, refreshStatus](View &v) { MakeTeXInputFile(&v, context, refreshStatus); },
        [](const View &v) { return ToolchainCommandState(&v); });
    router.SetViewHandler(Cmd::ChangeInputFile,
                          [&context](View &) { ChangeTeXInputFile(context); });
}
