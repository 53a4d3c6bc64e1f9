#include "app/ui/HelpMenuCommands.h"

#include "app/AppSettings.h"
#include "app/Launcher.h"
#include "app/Prompter.h"
#include "app/SettingsKeys.h"
#include "app/UpdateCheck.h"
#include "app/ui/AboutDialog.h"
#include "app/ui/AppContext.h"
#include "app/ui/COrrindaleView.h"
#include "app/ui/CommandRouter.h"
#include "app/ui/StatusMessage.h"
#include "app/ui/UpdateFetcher.h"
#include "res/Commands.h"
#include "res/Messages.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QProgressDialog>
#include <QUrl>

namespace {
// The window's language, fixed when it was made (a switch takes effect at the next start).
bool IsEnglish(const COrrindaleView *view, const AppContext &context)
{
    if (view)
        return view->Settings().English() != 0;
    return ReadSetting(*context.store, Keys::English) != 0;
}

void OnAbout(QWidget &window)
{
    CAboutDialog dialog(FormatMemory(PhysicalMemoryBytes()),
                        FormatFreeDisk(FreeDiskOf(QDir::currentPath())), &window);
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

void OnShowHelp(const COrrindaleView *view, AppContext &context, HelpText which)
{
    const bool english = IsEnglish(view, context);
    const QString file = HelpFileName(which, english);
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

void OnWebPage(QWidget &window, const COrrindaleView *view, AppContext &context)
{
    const QString url = WebPageUrl(*context.store);
    if (!OpenInBrowser(context, url))
        ShowStatusMessage(&window,
                          MsgText(Msg::BrowserOpenFailed, IsEnglish(view, context)).arg(url));
}

void OnCalculator(AppContext &context)
{
    for (const QString &program : CalculatorCandidates()) {
        if (context.launcher->StartDetached(program, {}, QString()))
            return;
    }
}

namespace {
void ShowUpdateAnswer(QWidget &window, bool english, AppContext &context, const QString &url,
                      const FetchResult &fetched)
{
    if (fetched.cancelled)
        return;
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
    window.close();
}
} // namespace

void OnCheckUpdate(QWidget &window, const COrrindaleView *view, AppContext &context)
{
    if (window.findChild<CSmallFileFetch *>())
        return; // one check at a time; its note is showing
    const bool english = IsEnglish(view, context);
    const QString url = VersionFileUrl(*context.store);
    auto *fetch =
        new CSmallFileFetch(QUrl(url), context.updateTimeoutMs, VersionFileLimit, &window);
    // A note beside the window, which stays usable; its Cancel (or closing it) ends the wait.
    auto *note = new QProgressDialog(&window);
    note->setLabelText(MsgText(Msg::UpdateChecking, english).arg(url));
    note->setRange(0, 0);
    note->setWindowModality(Qt::NonModal);
    note->show();
    QObject::connect(note, &QProgressDialog::canceled, fetch, &CSmallFileFetch::Cancel);
    QObject::connect(note, &QDialog::rejected, fetch, &CSmallFileFetch::Cancel);
    QObject::connect(fetch, &CSmallFileFetch::Finished, &window,
                     [&window, &context, english, url, fetch, note](const FetchResult &fetched) {
                         fetch->setParent(nullptr); // a new check may start at once
                         fetch->deleteLater();
                         note->deleteLater();
                         ShowUpdateAnswer(window, english, context, url, fetched);
                     });
}

void RegisterHelpCommands(QWidget &window, AppContext &context, CommandRouter &router)
{
    QWidget *w = &window;
    AppContext *c = &context;
    CommandRouter *r = &router;
    router.SetHandler(Cmd::Description,
                      [r, c] { OnShowHelp(r->ActiveView(), *c, HelpText::Description); });
    router.SetHandler(Cmd::CalcHelp,
                      [r, c] { OnShowHelp(r->ActiveView(), *c, HelpText::CalcHelp); });
    router.SetHandler(Cmd::HtmlManual,
                      [r, c] { OnShowHelp(r->ActiveView(), *c, HelpText::HtmlManual); });
    router.SetHandler(Cmd::WebPage, [w, r, c] { OnWebPage(*w, r->ActiveView(), *c); });
    router.SetHandler(Cmd::CheckUpdate, [w, r, c] { OnCheckUpdate(*w, r->ActiveView(), *c); });
    router.SetHandler(Cmd::Calculator, [c] { OnCalculator(*c); });
    router.SetHandler(Cmd::About, [w] { OnAbout(*w); });
}
