#include "app/ui/HelpMenuCommands.h"

#include "app/AppSettings.h"
#include "app/Launcher.h"
#include "app/Prompter.h"
#include "app/SettingsKeys.h"
#include "app/UpdateCheck.h"
#include "app/ui/AboutDialog.h"
#include "app/ui/AppContext.h"
#include "app/ui/CMainFrame.h"
#include "app/ui/COrrindaleView.h"
#include "app/ui/CommandRouter.h"
#include "app/ui/UpdateFetcher.h"
#include "res/Commands.h"
#include "res/Messages.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace {
// The window's language, fixed when it was made (a switch takes effect at the next start).
bool IsEnglish(const CMainFrame &frame, const AppContext &context)
{
    if (const COrrindaleView *view = frame.GetActiveView())
        return view->Settings().English() != 0;
    return ReadSetting(*context.store, Keys::English) != 0;
}

void OnAbout(CMainFrame &frame)
{
    CAboutDialog dialog(FormatMemory(PhysicalMemoryBytes()),
                        FormatFreeDisk(FreeDiskOf(QDir::currentPath())), &frame);
    dialog.exec();
}
} // namespace

bool OpenInBrowser(AppContext &context, const QString &url, const QString &workDir)
{
    if (context.launcher->Open(url))
        return true;
#ifdef Q_OS_WIN
    const QString fallback = QStringLiteral("iexplore");
#else
    const QString fallback = QStringLiteral("x-www-browser");
#endif
    return context.launcher->StartDetached(fallback, {url}, workDir);
}

void OnShowHelp(CMainFrame &frame, AppContext &context, HelpText which)
{
    const bool english = IsEnglish(frame, context);
    const QString file = HelpFileName(which, english);
    const COrrindaleView *view = frame.GetActiveView();
    const QString instDir = view ? view->Settings().InstDir() : context.dataDir;
    // A missing help file would only open an empty viewer; say so here instead.
    bool shown = false;
    if (!instDir.isEmpty() && QFileInfo(QDir(instDir).filePath(file)).isFile()) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        shown = context.launcher->StartDetached(context.programPath, HelpViewerArguments(file),
                                                instDir);
        QApplication::restoreOverrideCursor();
    }
    if (!shown)
        context.prompter->Notice(MsgText(Msg::DescriptionFailed, english));
}

void OnWebPage(AppContext &context)
{
    OpenInBrowser(context, WebPageUrl(*context.store));
}

void OnCalculator(AppContext &context)
{
    for (const QString &program : CalculatorCandidates()) {
        if (context.launcher->StartDetached(program, {}, QString()))
            return;
    }
}

void OnCheckUpdate(CMainFrame &frame, AppContext &context)
{
    const bool english = IsEnglish(frame, context);
    const QString url = VersionFileUrl(*context.store);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const FetchResult fetched = FetchSmallFile(QUrl(url), UpdateTimeoutMs, VersionFileLimit);
    QApplication::restoreOverrideCursor();
    if (!fetched.reached) {
        context.prompter->Notice(MsgText(Msg::UpdateUnreachable, english).arg(url, fetched.error),
                                 MsgIcon::Exclamation);
        return;
    }
    const UpdateVerdict verdict = JudgeVersionFile(fetched.body, fetched.tooLarge);
    switch (verdict.kind) {
    case UpdateVerdict::NotVersion:
        context.prompter->Notice(MsgText(Msg::UpdateNotVersion, english).arg(url),
                                 MsgIcon::Exclamation);
        return;
    case UpdateVerdict::Newest:
        context.prompter->Notice(
            MsgText(Msg::UpdateNewest, english).arg(QString::fromLatin1(ProgramVersion)));
        return;
    case UpdateVerdict::Found:
        break;
    }
    context.prompter->Notice(QString::fromLatin1(verdict.line));
    context.prompter->Notice(MsgText(Msg::UpdateFound, english));
    if (!OpenInBrowser(context, DownloadUrl(*context.store))) {
        context.prompter->Notice(MsgText(Msg::UpdateNoBrowser, english), MsgIcon::Exclamation);
        return;
    }
    // The normal close: caret memory, histories and placement are stored and the save prompt
    // runs; cancelling it keeps the window (the download has started all the same).
    frame.close();
}

void RegisterHelpCommands(CMainFrame &frame, AppContext &context, CommandRouter &router)
{
    CMainFrame *f = &frame;
    AppContext *c = &context;
    router.SetHandler(Cmd::Description, [f, c] { OnShowHelp(*f, *c, HelpText::Description); });
    router.SetHandler(Cmd::CalcHelp, [f, c] { OnShowHelp(*f, *c, HelpText::CalcHelp); });
    router.SetHandler(Cmd::HtmlManual, [f, c] { OnShowHelp(*f, *c, HelpText::HtmlManual); });
    router.SetHandler(Cmd::WebPage, [c] { OnWebPage(*c); });
    router.SetHandler(Cmd::CheckUpdate, [f, c] { OnCheckUpdate(*f, *c); });
    router.SetHandler(Cmd::Calculator, [c] { OnCalculator(*c); });
    router.SetHandler(Cmd::About, [f] { OnAbout(*f); });
}
