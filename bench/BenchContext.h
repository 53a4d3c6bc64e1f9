#pragma once

#include "app/AppSettings.h"
#include "app/SettingsStore.h"
#include "app/ui/AppContext.h"
#include "app/ui/ProcessLauncher.h"
#include "app/ui/QtPrompter.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <QString>

#include <algorithm>
#include <ctime>
#include <memory>

#include <sys/resource.h>

// The program's real prompter and launcher over a settings store of the benchmark's own.
struct BenchContext {
    explicit BenchContext(SettingsStore &store)
        : settings(store, QString(), QCoreApplication::applicationFilePath())
    {
        context.store = &store;
        context.settings = &settings;
        context.prompter = &prompter;
        context.launcher = &launcher;
        context.programPath = QCoreApplication::applicationFilePath();
    }

    QtPrompter prompter;
    ProcessLauncher launcher;
    CAppSettings settings;
    AppContext context;
};

// A folder of the benchmark's own that also holds its settings file, so that a run never
// touches a person's settings; the program's context over those settings.
struct BenchWorkspace {
    BenchWorkspace()
        : store((qputenv("VELLOQUIN_CONFIG_DIR", dir.path().toLocal8Bit()),
                 SettingsStore::OpenDefault()))
        , bench(*store)
    {
    }

    QTemporaryDir dir;
    std::unique_ptr<SettingsStore> store;
    BenchContext bench;
};

// Mean and worst of repeated timings in nanoseconds.
struct Timing {
    qint64 total = 0;
    qint64 worst = 0;
    int count = 0;
    void Add(qint64 ns)
    {
        total += ns;
        worst = std::max(worst, ns);
        ++count;
    }
    QString Text() const
    {
        return QStringLiteral("mean %1 ms, worst %2 ms over %3")
            .arg(double(total) / count / 1e6, 0, 'f', 3)
            .arg(double(worst) / 1e6, 0, 'f', 3)
            .arg(count);
    }
};

// A TeX text of at least that many bytes: sections, Japanese prose, comments and tables.
inline QByteArray LargeTeXText(qsizetype bytes)
{
    const QByteArray block = "\\section{計算}\n各教科の得点 $x_i$ から平均を求める。\n"
                             "% コメント行\n\\begin{tabular}{lrr}\n国語 & 72 & 65 \\\\\n"
                             "\\end{tabular}\n\n";
    QByteArray text;
    while (text.size() < bytes)
        text += block;
    return text;
}

// A pLaTeX text of at least that many bytes in which nearly every line differs: Japanese and
// ASCII prose, commands, inline and display math, comments, tables with tabs and full-width
// spaces.
inline QByteArray MixedTeXText(qsizetype bytes)
{
    const QString block = QStringLiteral(
        "\\section{偏差値の計算 %1}\\label{sec:%1}\n"
        "各教科の得点 $x_{%1}$ から平均 $\\mu$ と標準偏差 $\\sigma$ を求め、\t"
        "偏差値 $T_i = 50 + 10 (x_i - \\mu) / \\sigma$ を計算する。% 注 {x} %1\n"
        "The deviation value of test %1 follows from the mean and the spread [see \\ref{eq:%1}].\n"
        "% この行はコメントです。%1\n"
        "\\[ \\sum_{i=1}^{%1} (x_i - \\bar{x})^2 \\]\n"
        "\\begin{tabular}{lrrr}\n国語\u3000& %1 & 65 & 80 \\\\\n"
        "Math\t& 58 & %1 & 77 \\\\ % row %1\n\\end{tabular}\n\n");
    QByteArray text;
    text.reserve(bytes + 1024);
    for (int i = 0; text.size() < bytes; ++i)
        text += block.arg(i).toUtf8();
    return text;
}

// The peak resident memory of this process.
inline long PeakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024; // kilobytes on Linux
}

// The CPU time this process has used, all threads together.
inline qint64 ProcessCpuNs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
}

// Writes bytes to a file of that name in the folder; its path, or "" when it cannot be written.
inline QString WriteBenchFile(const QTemporaryDir &dir, const QString &name,
                              const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return QString();
    return path;
}
