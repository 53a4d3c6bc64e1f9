// Sums in calculation mode over a generated table of 100 000 rows of 10 cells: the column sums
// (a new row below) and the row sums (a new column to the right), each timed as the computation
// alone and as the whole command in a window (reading the text, one edit, one undo snapshot).
// Figures are printed beside the 1 s target.
//
//   QT_QPA_PLATFORM=offscreen build/bench/bench_calc

#include "BenchContext.h"
#include "app/SettingsStore.h"
#include "app/ui/AppContext.h"
#include "app/ui/CMainFrame.h"
#include "app/ui/COrrindaleView.h"
#include "app/ui/CommandRouter.h"
#include "calc/LineCalculation.h"
#include "calc/ui/CalcController.h"
#include "view/ui/UndoController.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextStream>

#include <ctime>

namespace {
constexpr int Rows = 100000;
constexpr int Columns = 10;

QByteArray Table()
{
    QByteArray text;
    text.reserve(Rows * Columns * 7);
    for (int r = 0; r < Rows; ++r) {
        for (int c = 0; c < Columns; ++c) {
            text += QByteArray::number((r * 37 + c * 11) % 1000) + '.' + QByteArray::number(c);
            text += '\t';
        }
        text += '\n';
    }
    return text;
}

// Wall time and the CPU time of this thread: on a busy machine the second is the fairer figure.
struct Clock {
    QElapsedTimer wall;
    qint64 cpuStart = 0;
    static qint64 CpuMs()
    {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return qint64(t.tv_sec) * 1000 + t.tv_nsec / 1000000;
    }
    void Start()
    {
        wall.start();
        cpuStart = CpuMs();
    }
    QString Verdict() const
    {
        const qint64 cpu = CpuMs() - cpuStart;
        return QStringLiteral("%1 ms wall, %2 ms CPU (target < 1000 ms: %3)")
            .arg(wall.elapsed())
            .arg(cpu)
            .arg(cpu < 1000 ? "met" : "MISSED");
    }
};
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    BenchWorkspace workspace;
    const QTemporaryDir &dir = workspace.dir;
    BenchContext &bench = workspace.bench;
    QTextStream out(stdout);

    const QByteArray table = Table();
    const QString path = dir.filePath(QStringLiteral("table.txt"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(table) != table.size())
        return 1;
    file.close();

    CMainFrame frame(bench.context);
    if (!frame.OpenDocumentFile(path))
        return 1;
    frame.resize(900, 700);
    frame.show();
    COrrindaleView *view = frame.GetActiveView();
    CommandRouter &router = *frame.Router();
    router.Execute(IdOf(Cmd::CalcMode, false));
    CCalcController &calc = *view->CalcController();
    out << "table: " << Rows << " rows of " << Columns << " cells, " << table.size() << " bytes\n";

    // The whole table selected, without the empty row after the last line break.
    const auto selectAll = [&] {
        QTextCursor c = view->textCursor();
        c.setPosition(0);
        c.setPosition(view->document()->characterCount() - 2, QTextCursor::KeepAnchor);
        view->setTextCursor(c);
        calc.RefreshSelection();
        calc.ComputeCellRange();
    };
    Clock clock;
    const struct {
        const char *name;
        Cmd cmd;
        bool ofColumns;
    } runs[] = {{"column sums (new row below)", Cmd::SumColumnBottom, true},
                {"row sums (new column right)", Cmd::SumRowRight, false}};
    for (const auto &run : runs) {
        selectAll();
        clock.Start();
        const TableResult result = TotalsOfRange(calc.Input(), false, run.ofColumns, false);
        const QString computed = clock.Verdict();
        if (!result.changed)
            return 1;
        clock.Start();
        router.Execute(IdOf(run.cmd, false));
        out << run.name << ":\n  computed in " << computed << "\n  whole command "
            << clock.Verdict() << '\n';
        view->UndoController()->Undo();
    }
    return 0;
}
