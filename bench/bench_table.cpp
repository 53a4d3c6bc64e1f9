// Table commands on a generated table of 100 000 rows: sorting by a numeric and by a text
// column, inserting a column, and making a table of 26 x 10 000 cells. Each command is timed
// as the computation of the new text and as the whole command with its one edit of the editor
// and its undo snapshot; the target is 1 s for each.
//
//   QT_QPA_PLATFORM=offscreen build/bench/bench_table

#include "BenchContext.h"
#include "app/SettingsStore.h"
#include "app/ui/CMainFrame.h"
#include "app/ui/COrrindaleView.h"
#include "calc/AreaEditing.h"
#include "calc/RowOrder.h"
#include "calc/ui/TableEdit.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>

namespace {

constexpr int Rows = 100000;

void Report(const char *what, qint64 coreNs, qint64 wholeNs)
{
    std::printf("%-40s text %8.1f ms, with the editor %8.1f ms (target 1000 ms)%s\n", what,
                coreNs / 1e6, wholeNs / 1e6, wholeNs > 1000000000 ? "  OVER" : "");
}

// Times the command's computation alone, then again with its result written into the view.
void Time(const char *what, COrrindaleView &view, const QString &original,
          const std::function<TableResult(const TableInput &)> &command, int caret = 0)
{
    TableInput in;
    in.text = original;
    in.selStart = in.selEnd = caret;
    QElapsedTimer timer;
    timer.start();
    command(in);
    const qint64 core = timer.nsecsElapsed();
    ApplyTableEdit(view, original, 0);
    timer.restart();
    in.text = TableText(view);
    const TableResult result = command(in);
    if (result.changed)
        ApplyTableEdit(view, result.text, result.selStart);
    Report(what, core, timer.nsecsElapsed());
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    BenchWorkspace workspace;
    const QTemporaryDir &dir = workspace.dir;
    BenchContext &bench = workspace.bench;

    QRandomGenerator random(11);
    QString text;
    for (int i = 0; i < Rows; ++i) {
        text += QStringLiteral("name%1\t%2\t%3\t\n")
                    .arg(random.bounded(1000000))
                    .arg(random.bounded(100000) / 10.0)
                    .arg(i);
    }
    const QString path = dir.filePath(QStringLiteral("table.zel"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0)
        return 1;
    file.close();

    CMainFrame frame(bench.context);
    if (!frame.OpenDocumentFile(path))
        return 1;
    frame.resize(900, 700);
    frame.show();
    COrrindaleView &view = *frame.GetActiveView();
    const QString original = TableText(view);
    std::printf("%d rows, %lld characters\n", Rows, qint64(original.size()));

    Time("sort by a numeric column", view, original,
         [](const TableInput &in) { return SortRows(in, 1, 1, Rows, false, true); });
    Time("sort by a text column", view, original,
         [](const TableInput &in) { return SortRows(in, 0, 1, Rows, true, false); });
    Time(
        "insert a column", view, original,
        [](const TableInput &in) { return InsertBlankColumns(in); }, 1);
    Time("make a table of 26 x 10 000", view, original, [](const TableInput &in) {
        return MakeTable(in, 10000, 26, true, TableNumbering::LineNumbers);
    });
    return 0;
}
