// Opening large documents: the time from the start of the process to the first painted frame
// of the window (with the moments the window stood ready and the file was read and set up), and
// the peak memory of the process, for generated 10 MB and 50 MB UTF-8 files and
// a 10 MB Shift_JIS file. Each file is opened in a fresh child process so that the peaks do not
// add up. Figures are printed, not judged.
//
//   build/bench/bench_open            generate the files and measure all three
//   build/bench/bench_open FILE       measure one file (the child's job)

#include "BenchContext.h"
#include "app/SettingsStore.h"
#include "app/ui/AppContext.h"
#include "app/ui/CMainFrame.h"
#include "app/ui/COrrindaleView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

namespace {

// A TeX-like text with Japanese prose, commands and comments, repeated until its encoded size
// reaches the wanted number of bytes.
QByteArray GenerateFile(qint64 bytesWanted, const char *encoding)
{
    const QString block = QStringLiteral(
        "\\section{偏差値の計算}\\label{sec:%1}\n"
        "各教科の得点 $x_i$ から平均 $\\mu$ と標準偏差 $\\sigma$ を求め、"
        "偏差値 $T_i = 50 + 10 (x_i - \\mu) / \\sigma$ を計算する。\n"
        "% この行はコメントです。\n"
        "\\begin{tabular}{lrrr}\n国語 & 72 & 65 & 80 \\\\\n数学 & 58 & 91 & 77 \\\\\n"
        "\\end{tabular}\n\n");
    QStringEncoder encoder(encoding);
    QByteArray bytes;
    bytes.reserve(bytesWanted + 1024);
    for (qint64 i = 0; bytes.size() < bytesWanted; ++i)
        bytes += encoder.encode(block.arg(i));
    return bytes;
}

bool WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

class FirstPaint : public QObject {
public:
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::Paint && !painted) {
            painted = true;
            QTimer::singleShot(0, qApp, &QApplication::quit);
        }
        return false;
    }
    bool painted = false;
};

int MeasureOne(int argc, char *argv[], const QString &path)
{
    QElapsedTimer clock;
    clock.start();
    QApplication app(argc, argv);
    QTemporaryDir config;
    qputenv("VELLOQUIN_CONFIG_DIR", config.path().toLocal8Bit());
    std::unique_ptr<SettingsStore> store = SettingsStore::OpenDefault();
    BenchContext bench(*store);
    AppContext &context = bench.context;
    CMainFrame frame(context);
    FirstPaint watcher;
    frame.GetActiveView()->viewport()->installEventFilter(&watcher);
    const qint64 frameReady = clock.elapsed();
    if (!frame.OpenDocumentFile(path))
        return 1;
    const qint64 opened = clock.elapsed();
    frame.show();
    QApplication::exec();
    QTextStream(stdout) << QFile(path).size() << ' ' << clock.elapsed() << ' ' << PeakMegabytes()
                        << ' ' << frameReady << ' ' << opened << '\n';
    return watcher.painted ? 0 : 1;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc == 2)
        return MeasureOne(argc, argv, QString::fromLocal8Bit(argv[1]));

    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    QTextStream out(stdout);
    struct Case {
        const char *name;
        qint64 bytes;
        bool shiftJis;
    };
    const Case cases[] = {{"utf8-10MB.tex", 10'000'000, false},
                          {"utf8-50MB.tex", 50'000'000, false},
                          {"sjis-10MB.tex", 10'000'000, true}};
    out << "file              size(bytes)   first-paint(ms)   peak(MB)   target(ms, MB)   "
           "window-ready(ms)   file-opened(ms)\n";
    for (const Case &c : cases) {
        const QByteArray bytes = GenerateFile(c.bytes, c.shiftJis ? "windows-31j" : "UTF-8");
        const QString path = dir.filePath(QString::fromLatin1(c.name));
        if (!WriteFile(path, bytes)) {
            out << c.name << ": cannot write the test file\n";
            return 1;
        }
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(), {path});
        child.waitForFinished(-1);
        const QStringList figures =
            QString::fromLocal8Bit(child.readAllStandardOutput()).split(QLatin1Char(' '));
        if (child.exitCode() != 0 || figures.size() != 5) {
            out << c.name << ": the measurement failed\n";
            return 1;
        }
        const qint64 size = figures[0].toLongLong();
        const qint64 targetMs = size > 20'000'000 ? 5000 : 1000;
        const qint64 targetMb = 4 * size / 1'000'000 + 150;
        out << qSetFieldWidth(18) << Qt::left << c.name << qSetFieldWidth(14) << size
            << qSetFieldWidth(18) << figures[1] << qSetFieldWidth(11) << figures[2]
            << qSetFieldWidth(17) << QStringLiteral("%1, %2").arg(targetMs).arg(targetMb)
            << qSetFieldWidth(19) << figures[3] << qSetFieldWidth(0) << figures[4].trimmed()
            << '\n';
        out.flush();
    }
    return 0;
}
