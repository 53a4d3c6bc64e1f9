// The compile chain against latexmk on three generated documents: plain; with contents and
// references; with contents, references, bibliography and index. Each run starts from a clean
// folder; `velloquin --tex` and latexmk (set up for platex, pbibtex, mendex and dvipdfmx) use
// the same TeX programs, each behind a small wrapper that notes when it started and ended.
// Printed for each document: the passes of each program, the wall times and their ratio, and
// the editor's own share of its wall time (the time in none of the programs; target < 2 %), and
// how much of that share is only starting and ending the program.
//
//   build/bench/bench_compile

#include "app/SettingsKeys.h"
#include "app/SettingsStore.h"

#include <algorithm>
#include <vector>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>

namespace {
QTextStream out(stdout);
const QStringList Tools{"platex", "pbibtex", "mendex", "dvipdfmx"};

void Write(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

QByteArray Document(bool contents, bool bibliography)
{
    QByteArray doc = "\\documentclass{jarticle}\n";
    if (bibliography)
        doc += "\\usepackage{makeidx}\n\\makeindex\n";
    doc += "\\begin{document}\n";
    if (contents)
        doc += "\\tableofcontents\n";
    for (int s = 1; s <= 12; ++s) {
        const QByteArray n = QByteArray::number(s);
        doc += "\\section{節 " + n + "}\\label{sec:" + n + "}\n";
        for (int p = 0; p < 6; ++p) {
            doc += "これは生成された本文です．組版の時間を測るための段落で，";
            if (contents && s > 1)
                doc += "第~\\ref{sec:" + QByteArray::number(s - 1) + "} 節を受けて，";
            if (bibliography)
                doc += "文献~\\cite{ref" + QByteArray::number((s + p) % 5)
                       + "} を引き，"
                         "索引語\\index{さくいん"
                       + n + "@索引" + n + "}を含みます．";
            doc += "同じ文を何度か繰り返して数ページの文書にします．\n\n";
        }
    }
    if (bibliography)
        doc += "\\bibliographystyle{jplain}\n\\bibliography{refs}\n\\printindex\n";
    return doc + "\\end{document}\n";
}

QByteArray Bibliography()
{
    QByteArray bib;
    for (int i = 0; i < 5; ++i)
        bib += "@book{ref" + QByteArray::number(i) + ", author={著者 " + QByteArray::number(i)
               + "}, title={書名 " + QByteArray::number(i) + "}, publisher={出版社}, year={20"
               + QByteArray::number(10 + i) + "}}\n";
    return bib;
}

// A program's passes and the milliseconds spent in all of them.
struct Runs {
    QMap<QString, int> passes;
    double toolMs = 0;
};

Runs ReadRuns(const QString &log)
{
    Runs runs;
    QFile f(log);
    if (!f.open(QIODevice::ReadOnly))
        return runs;
    for (const QByteArray &line : f.readAll().split('\n')) {
        const QList<QByteArray> w = line.split(' ');
        if (w.size() != 3)
            continue;
        ++runs.passes[QString::fromUtf8(w[0])];
        runs.toolMs += double(w[2].toLongLong() - w[1].toLongLong()) / 1e6;
    }
    return runs;
}

// Runs a command in folder with its input closed; its wall time, or -1 when it failed.
qint64 Run(const QString &program, const QStringList &arguments, const QString &folder,
           const QProcessEnvironment &env)
{
    QProcess p;
    p.setWorkingDirectory(folder);
    p.setProcessEnvironment(env);
    p.setStandardInputFile(QProcess::nullDevice());
    p.setProcessChannelMode(QProcess::MergedChannels);
    QElapsedTimer t;
    t.start();
    p.start(program, arguments);
    p.waitForFinished(-1);
    const qint64 ms = t.elapsed();
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        out << "  " << QFileInfo(program).fileName() << " failed:\n" << p.readAll() << '\n';
        return -1;
    }
    return ms;
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QString latexmk = QStandardPaths::findExecutable(QStringLiteral("latexmk"));
    QTemporaryDir work;
    const QString wrap = work.filePath(QStringLiteral("wrap"));
    const QString log = work.filePath(QStringLiteral("runs.log"));
    QDir().mkpath(wrap);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("BENCH_STAMP_LOG"), log);
    for (const QString &tool : Tools + QStringList{"true"}) {
        const QString real = QStandardPaths::findExecutable(tool);
        if (real.isEmpty() || latexmk.isEmpty()) {
            out << "needs platex, pbibtex, mendex, dvipdfmx and latexmk (scripts/setup)\n";
            return 1;
        }
        if (!QFile::link(QStringLiteral(BENCH_STAMP_PROGRAM), wrap + QLatin1Char('/') + tool))
            qFatal("cannot make the wrapper for %s", qPrintable(tool));
        env.insert(QStringLiteral("BENCH_STAMP_") + tool, real);
    }

    // The editor's settings name the wrappers; latexmk gets the same programs.
    const QString config = work.filePath(QStringLiteral("config"));
    QDir().mkpath(config);
    {
        IniSettingsStore store(config + QStringLiteral("/Velloquin.ini"));
        WriteSetting(store, Keys::English, 1);
        WriteSetting(store, Keys::TeXInstDir, wrap + QLatin1Char('/'));
        WriteSetting(store, Keys::TeX, wrap + QStringLiteral("/platex"));
        WriteSetting(store, Keys::Bib, wrap + QStringLiteral("/pbibtex"));
        WriteSetting(store, Keys::MkIdx, wrap + QStringLiteral("/mendex"));
        WriteSetting(store, Keys::DviPdf, wrap + QStringLiteral("/dvipdfmx"));
    }
    const QString rc = work.filePath(QStringLiteral("latexmkrc"));
    Write(rc, QStringLiteral("$latex = '%1/platex %O %S';\n$bibtex = '%1/pbibtex %O %B';\n"
                             "$makeindex = '%1/mendex %O -o %D %S';\n"
                             "$dvipdf = '%1/dvipdfmx %O -o %D %S';\n$pdf_mode = 3;\n")
                  .arg(wrap)
                  .toUtf8());
    env.insert(QStringLiteral("VELLOQUIN_CONFIG_DIR"), config);
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));

    // What a wrapper costs beyond the program it wraps (its own start and end), measured on a
    // program that does nothing; it is taken off the editor's side.
    constexpr int Calibrations = 20;
    QFile::remove(log);
    qint64 wrappedMs = 0;
    for (int i = 0; i < Calibrations; ++i)
        wrappedMs += Run(wrap + QStringLiteral("/true"), {}, work.path(), env);
    const double wrapperMs = (double(wrappedMs) - ReadRuns(log).toolMs) / Calibrations;
    // Loading the program with its libraries, before it does anything.
    constexpr int Starts = 5;
    qint64 startsMs = 0;
    for (int i = 0; i < Starts; ++i)
        startsMs += Run(QStringLiteral(VELLOQUIN_PROGRAM), {"--version"}, work.path(), env);
    const double startMs = double(startsMs) / Starts;
    out << QStringLiteral("wrapper overhead %1 ms a run; velloquin --version %2 ms\n")
               .arg(wrapperMs, 0, 'f', 1)
               .arg(startMs, 0, 'f', 1);

    const struct {
        const char *title;
        bool contents;
        bool bibliography;
    } documents[] = {{"plain", false, false},
                     {"contents and references", true, false},
                     {"contents, references, bibliography and index", true, true}};
    // Each document is compiled a few times from a clean folder; the median run of each side is
    // reported, so that one slow moment of a shared machine does not decide the figure.
    constexpr int Repeats = 5;
    for (const auto &d : documents) {
        out << d.title << '\n';
        Runs runs[2];
        qint64 wall[2] = {0, 0};
        double own = 0;
        for (int r = 0; r < 2; ++r) {
            std::vector<std::pair<qint64, Runs>> tries;
            for (int i = 0; i < Repeats; ++i) {
                QTemporaryDir folder;
                Write(folder.filePath(QStringLiteral("doc.tex")),
                      Document(d.contents, d.bibliography));
                if (d.bibliography)
                    Write(folder.filePath(QStringLiteral("refs.bib")), Bibliography());
                QFile::remove(log);
                const qint64 ms =
                    r == 0 ? Run(QStringLiteral(VELLOQUIN_PROGRAM), {"--tex", "doc.tex"},
                                 folder.path(), env)
                           : Run(latexmk, {"-norc", "-r", rc, "doc.tex"}, folder.path(), env);
                if (!QFile::exists(folder.filePath(QStringLiteral("doc.pdf"))))
                    out << "  no PDF was made\n";
                tries.emplace_back(ms, ReadRuns(log));
            }
            // The editor's side is ordered by its own time, latexmk's by its wall time.
            const auto ownOf = [&](const std::pair<qint64, Runs> &t) {
                int passes = 0;
                for (int n : std::as_const(t.second.passes))
                    passes += n;
                return double(t.first) - t.second.toolMs - passes * wrapperMs;
            };
            std::sort(tries.begin(), tries.end(), [&](const auto &a, const auto &b) {
                return r == 0 ? ownOf(a) < ownOf(b) : a.first < b.first;
            });
            const auto &median = tries[Repeats / 2];
            wall[r] = median.first;
            runs[r] = median.second;
            if (r == 0)
                own = ownOf(median);
        }
        out << QStringLiteral("  %1 %2 %3\n")
                   .arg(QString(), -10)
                   .arg("velloquin", 10)
                   .arg("latexmk", 10);
        for (const QString &tool : Tools)
            out << QStringLiteral("  %1 %2 %3\n")
                       .arg(tool, -10)
                       .arg(runs[0].passes.value(tool), 10)
                       .arg(runs[1].passes.value(tool), 10);
        out << QStringLiteral("  %1 %2 %3   ratio %4\n")
                   .arg("wall ms", -10)
                   .arg(wall[0], 10)
                   .arg(wall[1], 10)
                   .arg(wall[1] > 0 ? double(wall[0]) / double(wall[1]) : 0.0, 0, 'f', 2);
        const auto percent = [&](double ms) {
            return wall[0] > 0 ? 100.0 * ms / double(wall[0]) : 0.0;
        };
        out << QStringLiteral(
                   "  editor's own share (median of %4): %1 ms of %2 ms = %3 % (target < 2 %)\n")
                   .arg(own, 0, 'f', 0)
                   .arg(wall[0])
                   .arg(percent(own), 0, 'f', 2)
                   .arg(Repeats);
        // The part the chain's own work does not touch: starting a process that loads Qt Core,
        // reads the settings and ends.
        out << QStringLiteral(
                   "  of which starting and ending the program (--version): %1 ms = %2 %\n")
                   .arg(startMs, 0, 'f', 1)
                   .arg(percent(startMs), 0, 'f', 2);
        out.flush();
    }
    return 0;
}
