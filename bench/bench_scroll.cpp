// Scrolling a large coloured document: the time to repaint the text area (text, colours,
// marks, [EOF], underline) and the gutter after each page of scrolling, through a generated
// 10 MB TeX file with logical line numbers and word wrap. Figures are printed, not judged.
//
//   QT_QPA_PLATFORM=offscreen build/bench/bench_scroll

#include "BenchContext.h"
#include "app/SettingsStore.h"
#include "app/ui/AppContext.h"
#include "app/ui/CMainFrame.h"
#include "app/ui/COrrindaleView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path =
        WriteBenchFile(dir, QStringLiteral("big.tex"), MixedTeXText(10 * 1024 * 1024));
    if (path.isEmpty())
        return 1;

    IniSettingsStore store(dir.filePath(QStringLiteral("Velloquin.ini")));
    store.WriteInt(QStringLiteral("Settings"), QStringLiteral("Line"), 2);
    BenchContext bench(store);
    AppContext &context = bench.context;
    CMainFrame frame(context);
    frame.resize(1000, 800);
    frame.OpenDocumentFile(path);
    frame.show();
    QApplication::processEvents();
    COrrindaleView *view = frame.GetActiveView();
    QScrollBar *bar = view->verticalScrollBar();

    QList<double> times;
    const int pages = 200;
    const int step = std::max(1, bar->maximum() / pages);
    for (int i = 0; i < pages; ++i) {
        bar->setValue(i * step);
        QElapsedTimer t;
        t.start();
        view->viewport()->repaint();
        for (QWidget *w : view->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            if (w->isVisible() && w != view->viewport())
                w->repaint();
        times << t.nsecsElapsed() / 1e6;
    }
    std::sort(times.begin(), times.end());
    double sum = 0;
    for (double v : times)
        sum += v;
    std::printf("10 MB TeX, %d pages through the file: repaint mean %.2f ms, median %.2f ms, "
                "max %.2f ms\n",
                pages, sum / times.size(), times[times.size() / 2], times.last());
    return 0;
}
