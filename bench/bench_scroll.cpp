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
#include <QFile>
#include <QScrollBar>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString block =
        QStringLiteral("\\section{偏差値の計算}\\label{sec:%1}\n"
                       "各教科の得点 $x_i$ から平均 $\\mu$ と標準偏差 $\\sigma$ を求め、\t"
                       "偏差値 $T_i = 50 + 10 (x_i - \\mu) / \\sigma$ を計算する。% 注 {x}\n"
                       "% この行はコメントです。\n"
                       "\\begin{tabular}{lrrr}\n国語 & 72 & 65 & 80 \\\\\n\\end{tabular}\n\n");
    QByteArray bytes;
    for (int i = 0; bytes.size() < 10 * 1024 * 1024; ++i)
        bytes += block.arg(i).toUtf8();
    const QString path = dir.filePath(QStringLiteral("big.tex"));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        return 1;
    f.close();

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
