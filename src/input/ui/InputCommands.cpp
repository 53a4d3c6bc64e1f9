#include "input/ui/InputCommands.h"

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
    return QDir(view->m_strInstDir).filePath(QString::fromLatin1(CommandListFileName));
}
} // namespace

void MakeTeXInputFile(CMainFrame &frame, COrrindaleView *view)
{
    AppContext &context = frame.Context();
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
    frame.UpdateStatusPanes();
}

void ChangeTeXInputFile(CMainFrame &frame, COrrindaleView *view)
{
    AppContext &context = frame.Context();
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

void RegisterInputCommands(CMainFrame &frame, CommandRouter &router)
{
    CMainFrame *f = &frame;
    const auto view = [f] { return f->GetActiveView(); };
    router.SetHandler(Cmd::TeXInput, [view] { view()->Completion()->OnTeXInput(); },
                      [view] { return CommandState{true, view()->Options().inputSupport}; });
    router.SetHandler(
        Cmd::InputListOrder,
        [f, view] {
            COrrindaleView *v = view();
            v->m_nInputABC = v->m_nInputABC ? 0 : 1;
            WriteSetting(*f->Context().store, Keys::ABC, v->m_nInputABC);
        },
        [view] { return CommandState{true, view()->m_nInputABC != 0}; });
    router.SetHandler(Cmd::InputLetterNo, [f, view] {
        COrrindaleView *v = view();
        const int stored = ReadSetting(*f->Context().store, Keys::Minimum);
        CMinimumLettersDialog dialog(v->m_bEnglish, stored, f);
        if (dialog.exec() != QDialog::Accepted)
            return;
        v->m_nInputMinimum = dialog.Index();
        WriteSetting(*f->Context().store, Keys::Minimum, v->m_nInputMinimum);
    });
    router.SetHandler(Cmd::MakeInputFile, [f, view] { MakeTeXInputFile(*f, view()); },
                      [view] { return ToolchainCommandState(view()); });
    router.SetHandler(Cmd::ChangeInputFile, [f, view] { ChangeTeXInputFile(*f, view()); });
}
