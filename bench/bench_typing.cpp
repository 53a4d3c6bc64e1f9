// What typing and scrolling cost in the real window, for a generated 1 MB and 10 MB pLaTeX
// document with colouring, marks and logical line numbers on: 500 typed keys (letters, Enter,
// Backspace and Japanese characters committed by an input method) and 200 pages of Page Up.
// Prints the process's CPU time per key and per page (everything the process does, timers and
// threads included, with the keys 20 ms apart), the median and 99th percentile of the time from
// a key event to the end of the paint it causes, and the peak memory, beside the targets.
//
//   QT_QPA_PLATFORM=offscreen build/bench/bench_typing [MEGABYTES...]

#include "BenchContext.h"
#include "app/SettingsKeys.h"
#include "app/ui/CMainFrame.h"
#include "app/ui/COrrindaleDoc.h"
#include "app/ui/COrrindaleView.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTimer>

#include <cstdio>

namespace {
constexpr int KeyCount = 500;
constexpr int PageCount = 200;
constexpr int SpacingMs = 20;

// Counts the paints of the text area.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *e) override
    {
        if (e->type() == QEvent::Paint)
            ++paints;
        return QObject::eventFilter(watched, e);
    }
};

void Idle(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

struct Measure {
    QList<double> latencies; // ms
    qint64 cpu = 0;          // ns
    int missed = 0;          // events after which nothing was painted

    double Percentile(double q)
    {
        std::sort(latencies.begin(), latencies.end());
        const qsizetype i = std::clamp<qsizetype>(qsizetype(q * latencies.size() + 0.999999) - 1, 0,
                                                  latencies.size() - 1);
        return latencies.isEmpty() ? 0 : latencies[i];
    }
};

// Sends one event and handles what it posts until the text area has been painted.
void SendAndPaint(QWidget *target, QEvent *e, QEvent *release, PaintCounter &counter, Measure &m)
{
    const int before = counter.paints;
    QElapsedTimer clock;
    clock.start();
    QApplication::sendEvent(target, e);
    if (release)
        QApplication::sendEvent(target, release);
    while (counter.paints == before && clock.elapsed() < 500)
        QApplication::processEvents();
    if (counter.paints == before)
        ++m.missed;
    else
        m.latencies << clock.nsecsElapsed() / 1e6;
}

void SendKey(COrrindaleView *view, int key, const QString &text, PaintCounter &counter, Measure &m)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    SendAndPaint(view, &press, &release, counter, m);
}

void Commit(COrrindaleView *view, const QString &text, PaintCounter &counter, Measure &m)
{
    QInputMethodEvent commit;
    commit.setCommitString(text);
    SendAndPaint(view, &commit, nullptr, counter, m);
}

// Twenty keys: letters and a space, Japanese characters from the input method, Enter and
// Backspace; the text grows by two lines.
void TypeKey(COrrindaleView *view, int i, PaintCounter &counter, Measure &m)
{
    static const QString cycle = QStringLiteral("kanjiJ xyz\npq\b\brsJ\b\n");
    const QChar c = cycle[i % cycle.size()];
    if (c == QLatin1Char('J'))
        Commit(view, i % 2 ? QStringLiteral("漢") : QStringLiteral("字"), counter, m);
    else if (c == QLatin1Char('\n'))
        SendKey(view, Qt::Key_Return, QStringLiteral("\r"), counter, m);
    else if (c == QLatin1Char('\b'))
        SendKey(view, Qt::Key_Backspace, QStringLiteral("\b"), counter, m);
    else if (c == QLatin1Char(' '))
        SendKey(view, Qt::Key_Space, QStringLiteral(" "), counter, m);
    else
        SendKey(view, Qt::Key_A + (c.unicode() - 'a'), QString(c), counter, m);
}

void Report(const char *what, Measure &m, int count, double cpuTarget, const char *unit)
{
    const double cpu = m.cpu / 1e6 / count;
    const double median = m.Percentile(0.5);
    const double p99 = m.Percentile(0.99);
    std::printf("  %s: CPU %.2f ms per %s (target <= %.0f%s); to the end of the paint: "
                "median %.2f ms, p99 %.2f ms",
                what, cpu, unit, cpuTarget, cpu <= cpuTarget ? ", met" : ", NOT met", median, p99);
    if (m.missed)
        std::printf(", %d without a paint", m.missed);
    std::printf("\n");
}

QString LoadAverage()
{
    QFile f(QStringLiteral("/proc/loadavg"));
    return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readLine()).section(u' ', 0, 2)
                                       : QStringLiteral("?");
}

bool Run(BenchWorkspace &workspace, int megabytes)
{
    const QByteArray text = MixedTeXText(qsizetype(megabytes) * 1024 * 1024);
    const QString path =
        WriteBenchFile(workspace.dir, QStringLiteral("typing%1.tex").arg(megabytes), text);
    if (path.isEmpty())
        return false;
    CMainFrame frame(workspace.bench.context);
    frame.resize(1000, 800);
    if (!frame.OpenDocumentFile(path))
        return false;
    frame.show();
    QApplication::setActiveWindow(&frame);
    COrrindaleView *view = frame.GetActiveView();
    view->setFocus();
    // Typing starts on a prose line in the middle of the text.
    const QTextBlock block = view->document()->findBlock(view->document()->characterCount() / 2);
    QTextCursor c(block.next().next().next());
    c.movePosition(QTextCursor::EndOfBlock);
    view->setTextCursor(c);
    view->ensureCursorVisible();
    Idle(200);
    PaintCounter counter;
    view->viewport()->installEventFilter(&counter);

    std::printf("%d MB (%lld bytes, %d lines), load %s\n", megabytes,
                static_cast<long long>(text.size()), view->document()->blockCount(),
                qPrintable(LoadAverage()));
    Measure keys;
    qint64 start = ProcessCpuNs();
    for (int i = 0; i < KeyCount; ++i) {
        TypeKey(view, i, counter, keys);
        Idle(SpacingMs);
    }
    keys.cpu = ProcessCpuNs() - start;
    Report("typing", keys, KeyCount, 3, "key");
    std::printf("  key to paint targets: median <= 4 ms%s, p99 <= 12 ms%s\n",
                keys.Percentile(0.5) <= 4 ? " met" : " NOT met",
                keys.Percentile(0.99) <= 12 ? " met" : " NOT met");

    // Scrolling up from the end of the text, a page at a time.
    c.movePosition(QTextCursor::End);
    view->setTextCursor(c);
    view->ensureCursorVisible();
    Idle(200);
    Measure pages;
    start = ProcessCpuNs();
    for (int i = 0; i < PageCount; ++i) {
        SendKey(view, Qt::Key_PageUp, QString(), counter, pages);
        Idle(SpacingMs);
    }
    pages.cpu = ProcessCpuNs() - start;
    Report("Page Up", pages, PageCount, 10, "page");
    std::printf("  peak memory %ld MB; load %s\n", PeakMegabytes(), qPrintable(LoadAverage()));
    // Nothing is to be saved.
    frame.GetDocument()->SetModifiedFlag(false);
    return true;
}
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    BenchWorkspace workspace;
    // Recovery copies are written while typing goes on, as in the program.
    workspace.bench.context.recoveryDir = workspace.dir.filePath(QStringLiteral("recovery"));
    QDir().mkpath(workspace.bench.context.recoveryDir);
    WriteSetting(*workspace.store, Keys::Line, 2);
    QList<int> sizes;
    for (int i = 1; i < argc; ++i)
        sizes << QString::fromLocal8Bit(argv[i]).toInt();
    if (sizes.isEmpty())
        sizes = {1, 10};
    for (int megabytes : sizes)
        if (megabytes <= 0 || !Run(workspace, megabytes))
            return 1;
    return 0;
}
