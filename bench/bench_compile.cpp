// The compile chain on the sample document with the TeX installed on this machine: the time
// of each program run and of the whole chain, for a first compile (bibliography, index and
// reruns) and for a compile of an unchanged document. The difference between the chain and
// its programs is what the editor itself spends. Figures are printed, not judged.
//
//   build/bench/bench_compile [DOCUMENT.tex]     (default: examples/sample.tex)

#include "app/SettingsStore.h"
#include "app/ui/ProcessLauncher.h"
#include "app/Prompter.h"
#include "toolchain/CToolchain.h"
#include "toolchain/ToolchainHost.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

namespace {
QTextStream out(stdout);

// Runs the programs without their output (and with no answer to a prompt) and notes how long
// each one took.
class TimingLauncher : public ProcessLauncher {
public:
    QList<QPair<QString, qint64>> runs;
    int RunAndWait(const QString &program, const QStringList &arguments,
                   const QString &workDir) override
    {
        QElapsedTimer t;
        t.start();
        QProcess process;
        process.setWorkingDirectory(workDir);
        process.setStandardInputFile(QProcess::nullDevice());
        process.setStandardOutputFile(QProcess::nullDevice());
        process.setStandardErrorFile(QProcess::nullDevice());
        process.start(program, arguments);
        int code = -1;
        if (process.waitForStarted()) {
            process.waitForFinished(-1);
            code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : 1;
        }
        runs << qMakePair(QFileInfo(program).fileName(), t.elapsed());
        return code;
    }
};

// A saved document, no log pane, and dialogs answered with their proposals.
class QuietHost : public ToolchainHost {
public:
    QString firstLine;
    bool IsModified() const override { return false; }
    bool SaveModified() override { return true; }
    QString FirstLine() const override { return firstLine; }
    void RefreshLogPane(const QString &) override {}
    void FocusEditor() override {}
    void SetBusy(bool) override {}
    bool PaperSizeDialog(PaperDialogValues &) override { return true; }
    bool MakeIndexOptionsDialog(QString &, int &) override { return false; }
};

// Messages go to the output instead of a box.
class PrintingPrompter : public Prompter {
public:
    MsgAnswer Message(const MessageRequest &request) override
    {
        out << "  message: " << request.text << '\n';
        return MsgAnswer::Ok;
    }
    QString OpenFileName(const QString &, const QString &) override { return {}; }
    QString SaveFileName(const QString &, const QString &) override { return {}; }
    bool ChooseFont(LogFont &) override { return false; }
};

void Measure(const char *title, CToolchain &tools, TimingLauncher &launcher)
{
    launcher.runs.clear();
    QElapsedTimer t;
    t.start();
    const int result = tools.TeXPdfMake();
    const qint64 total = t.elapsed();
    qint64 programs = 0;
    out << title << " (result " << result << ")\n";
    for (const auto &run : launcher.runs) {
        out << QStringLiteral("  %1 %2 ms\n").arg(run.first, -10).arg(run.second, 6);
        programs += run.second;
    }
    out << QStringLiteral("  chain      %1 ms, of which the editor %2 ms\n")
               .arg(total, 6)
               .arg(total - programs);
    out.flush();
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QString source = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                    : QStringLiteral(VELLOQUIN_SOURCE_DIR "/examples/sample.tex");
    const QFileInfo info(source);
    QTemporaryDir dir;
    // The document and whatever it reads beside it (.bib, pictures).
    for (const QFileInfo &f : info.dir().entryInfoList(QDir::Files))
        QFile::copy(f.filePath(), dir.filePath(f.fileName()));

    MemorySettingsStore store;
    PrintingPrompter prompter;
    QuietHost host;
    TimingLauncher launcher;
    CToolchain tools(host, launcher, prompter, store);
    ToolchainState &s = tools.State();
    s.m_bEnglish = 1;
    s.m_bMakeIndexNoAsk = 1;
    s.m_bSkipPaperDialog = 1;
    s.m_strEditedPath = dir.filePath(info.fileName());
    s.m_strTargetDir = dir.path() + QLatin1Char('/');
    s.m_strTargetBase = info.completeBaseName();
    s.m_strTargetExt = QLatin1Char('.') + info.suffix();
    QFile f(s.m_strEditedPath);
    if (f.open(QIODevice::ReadOnly))
        host.firstLine = QString::fromUtf8(f.readLine());

    out << "Compiling " << source << '\n';
    Measure("first compile", tools, launcher);
    Measure("unchanged document", tools, launcher);
    return 0;
}
