// Undo history in a large document: the time of a keystroke with its snapshot, of one Undo and
// one Undo Forward, and the memory the history holds, for a generated 10 MB document typed into
// 2000 times. Figures are printed, not judged.
//
//   QT_QPA_PLATFORM=offscreen build/bench/bench_undo

#include "BenchContext.h"
#include "app/SettingsStore.h"
#include "app/ui/AppContext.h"
#include "app/ui/CMainFrame.h"
#include "app/ui/COrrindaleView.h"
#include "view/ui/UndoController.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    BenchWorkspace workspace;
    const QTemporaryDir &dir = workspace.dir;
    BenchContext &bench = workspace.bench;
    AppContext &context = bench.context;

    const QByteArray text = LargeTeXText(10 * 1024 * 1024);
    const QString path = WriteBenchFile(dir, QStringLiteral("large.tex"), text);
    if (path.isEmpty())
        return 1;

    CMainFrame frame(context);
    if (!frame.OpenDocumentFile(path))
        return 1;
    frame.resize(900, 700);
    frame.show();
    COrrindaleView *view = frame.GetActiveView();
    QTextCursor c = view->textCursor();
    c.setPosition(view->document()->characterCount() / 2);
    view->setTextCursor(c);
    const long before = PeakMegabytes();

    QElapsedTimer clock;
    Timing typing;
    for (int i = 0; i < 2000; ++i) {
        const bool newLine = i % 40 == 39;
        QKeyEvent press(QEvent::KeyPress, newLine ? Qt::Key_Return : Qt::Key_A, Qt::NoModifier,
                        newLine ? QStringLiteral("\r") : QStringLiteral("a"));
        clock.start();
        QApplication::sendEvent(view, &press);
        typing.Add(clock.nsecsElapsed());
    }
    CUndoController *undo = view->UndoController();
    const UndoHistory &history = undo->History();
    Timing back;
    while (history.CanUndo()) {
        clock.start();
        undo->Undo();
        back.Add(clock.nsecsElapsed());
    }
    Timing forward;
    while (history.CanRedo()) {
        clock.start();
        undo->Redo();
        forward.Add(clock.nsecsElapsed());
    }

    QTextStream out(stdout);
    out << "document: " << text.size() << " bytes, " << view->document()->characterCount() - 1
        << " characters\n";
    out << "keystroke with its snapshot: " << typing.Text() << '\n';
    out << "undo: " << back.Text() << '\n';
    out << "undo forward: " << forward.Text() << '\n';
    out << "snapshots: " << history.TopIndex() + 1
        << ", differences held: " << history.DifferenceSize() << " characters\n";
    out << "peak memory: " << before << " MB after opening, " << PeakMegabytes()
        << " MB at the end\n";
    return 0;
}
