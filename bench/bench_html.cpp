// HTML export of a generated document of 10 MB with prose, headings, decorations, rules,
// comment lines and TAB tables, in calculation mode: the page computed from the text, then the
// whole headless export (read, convert, write), then the command in a window (save, page into
// the editor, write, back to the document). The target is 2 s for the page.
//
//   QT_QPA_PLATFORM=offscreen build/bench/bench_html

#include "BenchContext.h"
#include "app/Launcher.h"
#include "app/ui/CMainFrame.h"
#include "calc/HtmlExport.h"
#include "calc/ui/HtmlExportCommands.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextStream>

#include <cstdio>

namespace {

constexpr qsizetype TargetChars = 10 * 1024 * 1024;

QString Document()
{
    QRandomGenerator random(7);
    QString text;
    text.reserve(TargetChars + 4096);
    text += QStringLiteral("%generated\n\\title=Benchmark\n\\bgcolor=y\n");
    for (int section = 0; text.size() < TargetChars; ++section) {
        text += QStringLiteral("\\h2r Section %1\n").arg(section);
        for (int p = 0; p < 8; ++p) {
            text += QStringLiteral("Plain prose of line %1 with {\\rB some important words} and "
                                   "{\\I a quiet aside} in the middle of it.\n")
                        .arg(p);
            if (p == 3)
                text += QStringLiteral("%a comment line the page leaves out\n");
        }
        text += QStringLiteral("\\h3 Table %1\n").arg(section);
        for (int row = 0; row < 12; ++row) {
            for (int col = 0; col < 6; ++col)
                text += QString::number(random.bounded(100000) / 10.0) + QLatin1Char('\t');
            text += QLatin1Char('\n');
        }
        text += QStringLiteral("\\-\n");
    }
    return text;
}

// Opens nothing: the benchmark must not start a browser.
class QuietLauncher : public Launcher {
public:
    int RunAndWait(const QString &, const QStringList &, const QString &) override { return -1; }
    bool StartDetached(const QString &, const QStringList &, const QString &) override
    {
        return true;
    }
    bool Open(const QString &) override { return true; }
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    BenchWorkspace workspace;
    const QString text = Document();
    QElapsedTimer timer;
    timer.start();
    const HtmlPage page = ExportHtml(text, QStringLiteral("bench"), true);
    const qint64 pageNs = timer.nsecsElapsed();
    std::printf("document %.1f MB, page %.1f MB\n", text.size() / 1048576.0,
                page.page.size() / 1048576.0);
    std::printf("%-40s %8.1f ms (target 2000 ms)%s\n", "page in calculation mode", pageNs / 1e6,
                pageNs > 2000000000 ? "  OVER" : "");

    const QTemporaryDir &dir = workspace.dir;
    const QString path = dir.filePath(QStringLiteral("bench.zel"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0)
        return 1;
    file.close();
    QString errors;
    QTextStream err(&errors);
    timer.restart();
    const int status = ExportHtmlFile(path, true, false, err);
    const qint64 fileNs = timer.nsecsElapsed();
    std::printf("%-40s %8.1f ms%s\n", "read, convert and write the file", fileNs / 1e6,
                status == 0 ? "" : "  FAILED");

    QuietLauncher launcher;
    workspace.bench.context.launcher = &launcher;
    CMainFrame frame(workspace.bench.context);
    if (!frame.OpenDocumentFile(path))
        return 1;
    timer.restart();
    OnExportHtml(*frame.GetActiveView(), workspace.bench.context);
    std::printf("%-40s %8.1f ms\n", "the command in the window", timer.nsecsElapsed() / 1e6);
    return status;
}
