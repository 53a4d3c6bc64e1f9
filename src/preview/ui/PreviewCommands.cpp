#include "preview/ui/PreviewCommands.h"

#include "app/AppSettings.h"
#include "app/Launcher.h"
#include "app/Prompter.h"
#include "app/ui/AppContext.h"
#include "app/ui/CMainFrame.h"
#include "app/ui/COrrindaleDoc.h"
#include "app/ui/COrrindaleView.h"
#include "app/ui/CommandRouter.h"
#include "preview/ui/PreviewDock.h"
#include "res/Messages.h"
#include "view/ui/ViewNavigator.h"

#include <QFileInfo>

namespace {
bool SameFile(const QString &a, const QString &b)
{
    const QString canonical = QFileInfo(a).canonicalFilePath();
    return !canonical.isEmpty() && canonical == QFileInfo(b).canonicalFilePath();
}

// The line in this window when it edits that file, else the file at that line in a new window,
// opened as Open Window opens one.
void ShowSource(CMainFrame &frame, AppContext &context, const QString &path, int line)
{
    COrrindaleDoc *doc = frame.GetDocument();
    if (SameFile(path, doc->Files().editedPath)) {
        COrrindaleView *view = frame.GetActiveView();
        if (!view || view->IsLogPane())
            view = doc->Views().value(0);
        if (!view)
            return;
        JumpToLine(*view, line, true);
        frame.activateWindow();
        view->setFocus();
        return;
    }
    const QFileInfo file(path);
    if (!context.launcher->StartDetached(context.programPath,
                                         {QStringLiteral("-w1"), QStringLiteral("--line"),
                                          QString::number(line), file.fileName()},
                                         file.absolutePath()))
        context.prompter->Notice(MsgText(Msg::OpenWindowFailed, context.settings->English()));
}
} // namespace

ToolchainWatch InstallPreview(CMainFrame &frame, AppContext &context, CommandRouter &router)
{
    auto *dock = new CPreviewDock(context.settings->English(), &frame);
    frame.addDockWidget(Qt::RightDockWidgetArea, dock);
    dock->hide();
    COrrindaleDoc *doc = frame.GetDocument();
    dock->SetPdfPath(doc->Files().target.With(".pdf"));
    QObject::connect(doc, &COrrindaleDoc::FilesChanged, dock,
                     [dock, doc] { dock->SetPdfPath(doc->Files().target.With(".pdf")); });
    QObject::connect(dock, &CPreviewDock::SourceRequested, &frame,
                     [&frame, &context](const QString &path, int line) {
                         ShowSource(frame, context, path, line);
                     });

    router.SetHandler(
        Cmd::PdfPreview, [dock] { dock->setVisible(!dock->IsOn()); },
        [dock] {
            return CommandState{true, dock->IsOn()};
        });
    router.SetViewHandler(
        Cmd::ForwardSearch,
        [dock](COrrindaleView &view) {
            dock->show();
            dock->ForwardSearch(view.Files().editedPath, view.textCursor().blockNumber() + 1);
        },
        [](const COrrindaleView &view) { return ToolchainCommandState(&view); });

    return ToolchainWatch{
        [dock] { return dock->IsOn() ? QStringLiteral("-synctex=1") : QString(); },
        [dock] { dock->Reload(); },
    };
}
