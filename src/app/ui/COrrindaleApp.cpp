#include "app/ui/COrrindaleApp.h"

#include "app/CommandLine.h"
#include "app/Recovery.h"
#include "app/SettingsKeys.h"
#include "app/SettingsStore.h"
#include "app/AppSettings.h"
#include "app/InstallDir.h"
#include "app/ui/AppContext.h"
#include "app/ui/CMainFrame.h"
#include "app/ui/ProcessLauncher.h"
#include "app/ui/QtPrompter.h"
#include "toolchain/ui/CConsoleDialog.h"
#include "view/ui/ViewNavigator.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QPalette>
#include <QTranslator>

bool COrrindaleApp::InstallQtTexts(bool english)
{
    if (english)
        return true; // Qt speaks English by itself
    auto *texts = new QTranslator(qApp);
    if (!texts->load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete texts;
        return false;
    }
    return QCoreApplication::installTranslator(texts);
}

int COrrindaleApp::Main(int argc, char *argv[])
{
    const CommandLineSwitches sw = CommandLineSwitches::Parse(argc, argv);
    std::unique_ptr<SettingsStore> store = SettingsStore::OpenDefault();
    const int english = ReadSetting(*store, Keys::English);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velloquin"));
    QApplication::setOrganizationName(QStringLiteral("Wendro"));
    InstallQtTexts(english);
    // Dialogs on a light grey ground with black text.
    QPalette palette = QApplication::palette();
    palette.setColor(QPalette::Window, QColor(240, 240, 240));
    palette.setColor(QPalette::WindowText, Qt::black);
    QApplication::setPalette(palette);

    QtPrompter prompter;
    ProcessLauncher processLauncher;
    // Programs that are waited for show their console, where TeX's questions are answered.
    CConsoleLauncher launcher(processLauncher, english);
    AppContext context;
    context.store = store.get();
    context.prompter = &prompter;
    context.launcher = &launcher;
    context.switches = sw;
    context.programPath = QApplication::applicationFilePath();
    context.dataDir = FindDataDir(QApplication::applicationDirPath());
    context.appEnglish = english;
    context.recoveryDir = RecoveryFolder(SettingsStore::DefaultFilePath());
    CAppSettings settings(*store, context.dataDir, context.programPath);
    context.settings = &settings;

    CMainFrame frame(context);
    prompter.SetOwner(&frame);
    const QString file = sw.ResolveFile(QDir::currentPath());
    switch (StartFileKind(file)) {
    case StartFile::Open:
        if (!frame.OpenDocumentFile(file))
            return 1; // the reason was shown; the process ends as a failed start does
        if (sw.line > 0 && frame.GetActiveView())
            JumpToLine(*frame.GetActiveView(), sw.line, true);
        break;
    case StartFile::New:
    case StartFile::None:
        frame.NewDocument(file);
        break;
    }
    frame.show();
    return QApplication::exec();
}
