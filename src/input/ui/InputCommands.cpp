#include "input/ui/InputCommands.h"

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
QString DefaultListPath(const COrrindaleView *view)
{
    return QDir(view->m_strInstDir).filePath(QString::fromLatin1(CommandListFileName));
}
} // namespace

void MakeTeXInputFile(COrrindaleView *view, AppContext &context,
                      const std::function<void()> &refreshStatus)
{
    COrrindaleDoc *doc = view->GetDocument();
    const bool english = view->m_bEnglish;
    doc->SaveModified();
    if (doc->IsModified())
        return;
    if (!doc->PathName().isEmpty() && QFileInfo::exists(doc->PathName()))
        doc->SetFileTime(FileTimeOf(doc->PathName()));
    if (context.prompter->Ask(MsgText(Msg::MakeInputQuestion, english), MsgButtons::YesNo)
        != MsgAnswer::Yes)
        return;

    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QString content = MakeCommandListText(ReadCommandList(view->m_strCommandListPath),
                                                DocumentText(view->document()), english);
    QApplication::restoreOverrideCursor();
    context.prompter->Notice(MsgText(Msg::MakeInputDone, english), MsgIcon::Information);

    // Always made in the installation folder; the file on disk stays as it is until the
    // user saves.
    const QString path = DefaultListPath(view);
    doc->ShowUnsavedText(path, content);
    doc->SetFileTime(FileTimeOf(path));
    view->OnInitialUpdate();
    doc->SetModifiedFlag(true);
    refreshStatus();
}

void ChangeTeXInputFile(COrrindaleView *view, AppContext &context)
{
    const bool english = view->m_bEnglish;
    const QString defaultPath = DefaultListPath(view);
    if (context.prompter->Ask(MsgText(Msg::ChangeInputQuestion, english), MsgButtons::OkCancel)
        != MsgAnswer::Ok) {
        view->m_strCommandListPath = defaultPath;
        DeleteSetting(*context.store, Keys::InputName);
        return;
    }
    const QString chosen =
        context.prompter->OpenFileName(MsgText(Msg::MmeFilter, english), view->m_strInstDir);
    if (chosen.isEmpty())
        return;
    view->m_strCommandListPath = QFileInfo(chosen).absoluteFilePath();
    WriteSetting(*context.store, Keys::InputName, view->m_strCommandListPath);
}

void RegisterInputCommands(CommandRouter &router, AppContext &context,
                           std::function<void()> refreshStatus)
{
    using View = COrrindaleView;
    SettingsStore &store = *context.store;
    router.SetViewHandler(Cmd::TeXInput, [](View &v) { v.Completion()->OnTeXInput(); },
                          [](const View &v) { return CommandState{true, v.Options().inputSupport}; });
    router.SetViewHandler(
        Cmd::InputListOrder,
        [&store](View &v) {
            v.m_nInputABC = v.m_nInputABC ? 0 : 1;
            WriteSetting(store, Keys::ABC, v.m_nInputABC);
        },
        [](const View &v) { return CommandState{true, v.m_nInputABC != 0}; });
    router.SetViewHandler(Cmd::InputLetterNo, [&store](View &v) {
        const int stored = ReadSetting(store, Keys::Minimum);
        CMinimumLettersDialog dialog(v.m_bEnglish, stored, v.window());
        if (dialog.exec() != QDialog::Accepted)
            return;
        v.m_nInputMinimum = dialog.Index();
        WriteSetting(store, Keys::Minimum, v.m_nInputMinimum);
    });
    router.SetViewHandler(
        Cmd::MakeInputFile,
        [&context, refreshStatus](View &v) { MakeTeXInputFile(&v, context, refreshStatus); },
        [](const View &v) { return ToolchainCommandState(&v); });
    router.SetViewHandler(Cmd::ChangeInputFile,
                          [&context](View &v) { ChangeTeXInputFile(&v, context); });
}
