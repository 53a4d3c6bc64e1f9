// The PDF preview on the sample and on a generated 200-page document, compiled here with
// platex -synctex=1 and dvipdfmx: the first page at fit width, a reload after a compile,
// forward and inverse search, and the peak memory after every page has been shown.
// `bench_preview --shot FILE.png` also saves the pane as it shows the sample.

#include "BenchContext.h"
#include "preview/SyncTeX.h"
#include "preview/ui/PreviewDock.h"
#include "preview/ui/PreviewView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

namespace {
QTextStream out(stdout);

bool Run(const QString &dir, const QString &program, const QStringList &arguments)
{
    QProcess p;
    p.setWorkingDirectory(dir);
    p.start(QStandardPaths::findExecutable(program), arguments);
    return p.waitForFinished(600000) && p.exitCode() == 0;
}

bool Compile(const QString &dir, const QString &base)
{
    return Run(dir, QStringLiteral("platex"),
               {QStringLiteral("-synctex=1"), QStringLiteral("-interaction=nonstopmode"),
                base + QStringLiteral(".tex")})
           && Run(dir, QStringLiteral("dvipdfmx"), {base});
}

QByteArray LongDocument(int pages)
{
    QByteArray text = "\\documentclass{jsarticle}\n\\begin{document}\n";
    for (int i = 1; i <= pages; ++i) {
        text += "\\section{第" + QByteArray::number(i) + "節}\n";
        for (int p = 0; p < 4; ++p)
            text += "三教科の小テストの成績を表にまとめ，偏差値の求め方を式で示します．"
                    "平均 $\\mu$ と標準偏差 $\\sigma$ から $T = 50 + 10(x-\\mu)/\\sigma$ "
                    "を求めます．\n\n";
        text += "\\newpage\n";
    }
    return text + "\\end{document}\n";
}

// The line of the source that holds the marker.
int LineOf(const QString &path, const QByteArray &marker)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> lines = file.readAll().split('\n');
    for (int i = 0; i < lines.size(); ++i)
        if (lines[i].contains(marker))
            return i + 1;
    return 0;
}

// Runs the event loop until done, without spinning: the renderer has the cores to itself.
void WaitFor(const std::function<bool()> &done)
{
    QElapsedTimer clock;
    clock.start();
    QTimer tick;
    tick.start(20);
    while (!done() && clock.elapsed() < 60000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

// Milliseconds until the page's picture is in, after action.
double UntilShown(CPreviewDock &dock, const std::function<void()> &action)
{
    QElapsedTimer clock;
    bool loaded = false;
    const QMetaObject::Connection c =
        QObject::connect(&dock, &CPreviewDock::PdfLoaded, [&] { loaded = true; });
    clock.start();
    action();
    WaitFor([&] { return loaded && dock.View()->HasPicture(dock.View()->CurrentPage()); });
    QObject::disconnect(c);
    return clock.nsecsElapsed() / 1e6;
}

struct Row {
    QString what;
    double measured;
    double target;
    QString unit;
};

void Measure(const QString &dir, const QString &base, const QByteArray &marker, const QString &shot,
             QList<Row> &rows)
{
    const QString source = dir + QLatin1Char('/') + base + QStringLiteral(".tex");
    const QString pdf = dir + QLatin1Char('/') + base + QStringLiteral(".pdf");
    CPreviewDock dock(true);
    dock.resize(600, 900);
    dock.SetPdfPath(pdf);
    const double first = UntilShown(dock, [&] { dock.show(); });
    int pages = dock.View()->PageCount();
    const QString name = QStringLiteral("%1 (%2 pages)").arg(base).arg(pages);
    rows << Row{name + QStringLiteral(": open, first page at fit width"), first, 100, "ms"};
    if (!shot.isEmpty())
        dock.grab().save(shot);

    // A compile rewrote the PDF while the reader was in the middle of the document.
    dock.View()->GoToPage(pages / 2);
    WaitFor([&] { return dock.View()->HasPicture(pages / 2); });
    QFile::remove(pdf + QStringLiteral(".old"));
    QFile::rename(pdf, pdf + QStringLiteral(".old"));
    QFile::copy(pdf + QStringLiteral(".old"), pdf);
    const double reload = UntilShown(dock, [&] { dock.Reload(); });
    rows << Row{name + QStringLiteral(": reload, page and zoom kept"), reload, 300, "ms"};
    if (dock.View()->CurrentPage() != pages / 2)
        out << "  the reload lost the page: " << dock.View()->CurrentPage() << '\n';

    // Forward: the first search reads the SyncTeX data.
    const int line = LineOf(source, marker);
    QElapsedTimer clock;
    clock.start();
    const bool found = dock.ForwardSearch(source, line);
    rows << Row{name + QStringLiteral(": forward search, first (reads SyncTeX)"),
                clock.nsecsElapsed() / 1e6, 50, "ms"};
    if (!found)
        out << "  forward search found nothing: " << dock.Note() << '\n';
    CSyncTeX syncTeX;
    syncTeX.Open(pdf);
    const CSyncTeX::Place place = syncTeX.Forward(source, line);
    clock.restart();
    for (int i = 0; i < 20; ++i)
        syncTeX.Forward(source, line);
    rows << Row{name + QStringLiteral(": forward search, again"), clock.nsecsElapsed() / 20e6, 50,
                "ms"};
    clock.restart();
    CSyncTeX::SourceLine back;
    for (int i = 0; i < 20; ++i)
        back = syncTeX.Inverse(place.page, place.box.center());
    rows << Row{name + QStringLiteral(": inverse search"), clock.nsecsElapsed() / 20e6, 50, "ms"};
    if (back.line != line)
        out << "  inverse search gave line " << back.line << " for " << line << '\n';

    // A reader paging through the whole document.
    for (int page = 0; page < pages; ++page) {
        dock.View()->GoToPage(page);
        WaitFor([&] { return dock.View()->HasPicture(page); });
    }
}
} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const qsizetype shotAt = args.indexOf(QStringLiteral("--shot"));
    const QString shot = shotAt > 0 ? args.value(shotAt + 1) : QString();
    for (const char *tool : {"platex", "dvipdfmx"}) {
        if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty()) {
            out << "TeX Live's platex and dvipdfmx are needed\n";
            return 1;
        }
    }
    QTemporaryDir dir;
    QFile::copy(QStringLiteral(VELLOQUIN_SOURCE_DIR "/examples/sample.tex"),
                dir.filePath(QStringLiteral("sample.tex")));
    QFile longDoc(dir.filePath(QStringLiteral("long.tex")));
    if (!longDoc.open(QIODevice::WriteOnly) || longDoc.write(LongDocument(200)) < 0)
        return 1;
    longDoc.close();
    out << "compiling the sample and a 200-page document with platex -synctex=1 and dvipdfmx\n";
    out.flush();
    if (!Compile(dir.path(), QStringLiteral("sample"))
        || !Compile(dir.path(), QStringLiteral("long"))) {
        out << "the compile failed\n";
        return 1;
    }

    QList<Row> rows;
    Measure(dir.path(), QStringLiteral("sample"), "\\section{おわりに}", shot, rows);
    Measure(dir.path(), QStringLiteral("long"), "\\section{第150節}", QString(), rows);
    rows << Row{QStringLiteral("peak memory after every page of both shown"),
                double(PeakMegabytes()), 150, "MB"};

    out << QStringLiteral("%1 %2 %3\n")
               .arg(QStringLiteral("what"), -64)
               .arg("measured", 12)
               .arg("target", 10);
    for (const Row &r : rows)
        out << QStringLiteral("%1 %2 %3 %4\n")
                   .arg(r.what, -64)
                   .arg(QStringLiteral("%1 %2").arg(r.measured, 0, 'f', 1).arg(r.unit), 12)
                   .arg(QStringLiteral("%1 %2").arg(r.target).arg(r.unit), 10)
                   .arg(r.measured <= r.target ? QStringLiteral("ok") : QStringLiteral("OVER"));
    return 0;
}
