// The recovery copy of a 10 MB document: the time the editor's own thread spends on each write
// (target: at most 20 ms), the time the worker thread takes to encode and write it, and a
// keystroke typed while a copy is being written. Figures are printed, not judged.
//
//   QT_QPA_PLATFORM=offscreen build/bench/bench_recovery

#include "BenchContext.h"
#include "app/Recovery.h"
#include "app/ui/CMainFrame.h"
#include "app/ui/COrrindaleView.h"
#include "app/ui/RecoveryController.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    BenchWorkspace workspace;
    AppContext &context = workspace.bench.context;
    context.recoveryDir = RecoveryFolder(SettingsStore::DefaultFilePath());

    const QByteArray text = LargeTeXText(10 * 1024 * 1024);
    const QString path = WriteBenchFile(workspace.dir, QStringLiteral("large.tex"), text);
    if (path.isEmpty())
        return 1;

    CMainFrame frame(context);
    if (!frame.OpenDocumentFile(path))
        return 1;
    COrrindaleView *view = frame.GetActiveView();
    CRecoveryController *recovery = frame.Recovery();
    const auto type = [view] {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        QApplication::sendEvent(view, &press);
    };

    QElapsedTimer clock;
    Timing uiThread;
    Timing whole;
    Timing keyIdle;
    Timing keyDuringWrite;
    for (int i = 0; i < 20; ++i) {
        clock.start();
        type();
        keyIdle.Add(clock.nsecsElapsed());
        clock.start();
        recovery->WriteNow();
        uiThread.Add(clock.nsecsElapsed());
        // A key while the worker still holds the text it writes.
        clock.start();
        type();
        keyDuringWrite.Add(clock.nsecsElapsed());
        recovery->WaitForWrites();
        whole.Add(clock.nsecsElapsed());
    }
    const qint64 copySize = QFile(recovery->CopyFile()).size();

    QTextStream out(stdout);
    out << "document: " << text.size() << " bytes; recovery copy: " << copySize << " bytes\n";
    out << "editor thread per recovery write: " << uiThread.Text() << " (target at most 20 ms)\n";
    out << "until the copy is on disk (worker): " << whole.Text() << '\n';
    out << "keystroke, no write under way: " << keyIdle.Text() << '\n';
    out << "keystroke while a copy is written: " << keyDuringWrite.Text() << '\n';
    return 0;
}
