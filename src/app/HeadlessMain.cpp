#include "app/HeadlessMain.h"

#include "app/CommandLine.h"
#include "app/InstallDir.h"
#include "app/SettingsKeys.h"
#include "app/SettingsStore.h"
#include "calc/ExpressionEvaluator.h"
#include "calc/HtmlExport.h"
#include "input/MergeCommandFiles.h"
#include "res/Messages.h"
#include "toolchain/HeadlessCompile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLibrary>
#include <QTextStream>

#include <cerrno>

namespace {
// A library rather than a second program: the process keeps the name, the command line and
// the program file a person started (ps, the desktop's window matching, the data folder found
// beside the program), and nothing is started twice.
int RunWindowLibrary(int argc, char *argv[], const QString &windowLibrary, bool english)
{
    QString programDir;
    {
        // Only an application object knows the program's own file; the window library makes
        // the real one. It sees no switches, so argv stays as it is for the window.
        int programOnly = 1;
        QCoreApplication probe(programOnly, argv);
        programDir = QCoreApplication::applicationDirPath();
    }
    const QString path = FindInstalledFile(programDir, windowLibrary);
    QLibrary library(path);
    const auto windowMain = reinterpret_cast<WindowMainFunction>(library.resolve(WindowEntryPoint));
    if (!windowMain) {
        // For a missing file the loader's own text names variants of the name it tried.
        const QString why =
            QFileInfo::exists(path) ? library.errorString() : qt_error_string(ENOENT);
        QTextStream(stderr) << MsgText(Msg::WindowLibraryFailed, english).arg(path, why) << '\n';
        return 1;
    }
    return windowMain(argc, argv);
}
} // namespace

int ProgramMain(int argc, char *argv[], const QString &windowLibrary)
{
    const CommandLineSwitches sw = CommandLineSwitches::Parse(argc, argv);
    std::unique_ptr<SettingsStore> store = SettingsStore::OpenDefault();
    const int english = ReadSetting(*store, Keys::English);
    if (sw.version) {
        QTextStream(stdout) << VersionText << '\n';
        return 0;
    }
    if (!sw.mergeCommands.isEmpty()) {
        QCoreApplication app(argc, argv);
        QTextStream err(stderr);
        return MergeCommandFiles(sw.mergeCommands.first(), sw.mergeCommands.mid(1), english, err);
    }
    if (sw.evalUsageError) {
        QTextStream(stderr) << MsgText(Msg::Usage, english);
        return 2;
    }
    if (!sw.evalLines.isEmpty()) {
        QCoreApplication app(argc, argv);
        const int decimals = sw.evalRound >= 0 ? sw.evalRound : ReadSetting(*store, Keys::Sho);
        QStringList lines;
        QStringList messages;
        EvaluateLines(sw.evalLines, decimals, lines, messages);
        QTextStream err(stderr);
        for (const QString &m : std::as_const(messages))
            err << m << '\n';
        err.flush();
        QTextStream out(stdout);
        for (const QString &line : std::as_const(lines))
            out << line << '\n';
        return 0;
    }
    if (!sw.htmlFile.isEmpty()) {
        QCoreApplication app(argc, argv);
        QTextStream err(stderr);
        return ExportHtmlFile(sw.htmlFile, sw.htmlCalc, english, err);
    }
    if (!sw.texFile.isEmpty()) {
        QCoreApplication app(argc, argv);
        QFile err;
        err.open(stderr, QIODevice::WriteOnly | QIODevice::Unbuffered);
        return CompileToPdfWithoutWindow(sw.texFile, *store, english, err);
    }
    if (sw.help) {
        QTextStream(stdout) << VersionText << "\n\n" << MsgText(Msg::Usage, english);
        return 0;
    }
    store.reset(); // the window opens the settings itself
    return RunWindowLibrary(argc, argv, windowLibrary, english);
}
