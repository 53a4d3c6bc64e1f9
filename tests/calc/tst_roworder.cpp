#include "calc/RowOrder.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

TableInput Input(const QString &text, int selStart, int selEnd, int decimals = 1)
{
    TableInput in;
    in.text = text;
    in.selStart = selStart;
    in.selEnd = selEnd;
    in.range = ComputeCellRange(text, selStart, selEnd);
    in.decimals = decimals;
    return in;
}

// The order the rows come out in when the largest remaining key is picked again and again
// (the first of equal keys wins), descending rows going to the head and ascending ones in
// front of the tail.
QStringList PickLargestRepeatedly(QList<QPair<int, QString>> rows, bool descending)
{
    QStringList head;
    QStringList tail;
    while (rows.size() > 1) {
        int best = 0;
        for (int i = 1; i < rows.size(); ++i) {
            if (rows[i].first > rows[best].first)
                best = i;
        }
        if (descending)
            head.append(rows[best].second);
        else
            tail.prepend(rows[best].second);
        rows.removeAt(best);
    }
    return head + QStringList{rows[0].second} + tail;
}

} // namespace

class TestRowOrder : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void block_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("s");
        QTest::addColumn<int>("e");
        QTest::addColumn<bool>("forSorting");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        const QString table = "a\tb\nc\td\ne\tf\n";
        QTest::newRow("no selection: to the end, empty last line left out")
            << table << 0 << 0 << true << 0 << 0 << 2;
        QTest::newRow("ranking without selection keeps the empty last line")
            << table << 0 << 0 << false << 0 << 0 << 3;
        QTest::newRow("selection ending at a line start")
            << table << 0 << 8 << true << 0 << 0 << 1;
        QTest::newRow("ranking: selection ending at a line start")
            << table << 0 << 8 << false << 0 << 0 << 1;
        QTest::newRow("key column from the selection start")
            << table << 6 << 9 << true << 1 << 1 << 2;
        QTest::newRow("short trailing line dropped for a key column past A")
            << "a\t1\nb\t2\nend" << 2 << 2 << true << 1 << 0 << 1;
        QTest::newRow("short trailing line kept for column A")
            << "a\t1\nb\t2\nend" << 0 << 0 << true << 0 << 0 << 2;
        QTest::newRow("short lines inside a selection are kept")
            << "a\t1\nx\nb\t2" << 2 << 10 << true << 1 << 0 << 2;
    }
    void block()
    {
        QFETCH(QString, text);
        QFETCH(int, s);
        QFETCH(int, e);
        QFETCH(bool, forSorting);
        const RowBlock b = SelectedRowBlock(text, s, e, forSorting);
        QTEST(b.column, "column");
        QTEST(b.firstRow, "first");
        QTEST(b.lastRow, "last");
    }

    void sort_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<bool>("descending");
        QTest::addColumn<bool>("asValues");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("caret");
        const QString keys = "3\ta\n1\tb\n2\tc\n1\td\n";
        QTest::newRow("ascending values: equal keys reversed")
            << keys << 0 << 1 << 4 << false << true << "1\td\n1\tb\n2\tc\n3\ta\n" << 0;
        QTest::newRow("descending values: equal keys in their order")
            << keys << 0 << 1 << 4 << true << true << "3\ta\n2\tc\n1\tb\n1\td\n" << 0;
        QTest::newRow("as characters 10 before 9")
            << "9\tx\n10\ty\n" << 0 << 1 << 2 << false << false << "10\ty\n9\tx\n" << 0;
        QTest::newRow("as values 9 before 10")
            << "10\ty\n9\tx\n" << 0 << 1 << 2 << false << true << "9\tx\n10\ty\n" << 0;
        QTest::newRow("upper case before lower case")
            << "b\t1\nB\t2\na\t3\n" << 0 << 1 << 3 << false << false << "B\t2\na\t3\nb\t1\n"
            << 0;
        // 伊 0x88C9, 加 0x89C1, 佐 0x8DB2 in the code page; in Unicode 伊 < 佐 < 加.
        QTest::newRow("kanji in code page order")
            << "\xe4\xbd\x90\t1\n\xe4\xbc\x8a\t2\n\xe5\x8a\xa0\t3\n" << 0 << 1 << 3
            << false << false
            << "\xe4\xbc\x8a\t2\n\xe5\x8a\xa0\t3\n\xe4\xbd\x90\t1\n" << 0;
        // Half-width ｱ is one byte 0xB1, below あ 0x82A0; in Unicode it is above.
        QTest::newRow("half-width kana before hiragana")
            << "\xe3\x81\x82\t1\n\xef\xbd\xb1\t2\n" << 0 << 1 << 2 << false << false
            << "\xef\xbd\xb1\t2\n\xe3\x81\x82\t1\n" << 0;
        // ä has no code page code: it goes after 漢 (0x8ABF), before it in Unicode.
        QTest::newRow("character outside the code page last")
            << "x\xc3\xa4\t1\nx\xe6\xbc\xa2\t2\nx\t3\n" << 0 << 1 << 3 << false << false
            << "x\t3\nx\xe6\xbc\xa2\t2\nx\xc3\xa4\t1\n" << 0;
        QTest::newRow("last line gets a line break")
            << "2\tx\n1\ty" << 0 << 1 << 2 << false << true << "1\ty\n2\tx\n" << 0;
        QTest::newRow("head and tail untouched")
            << "h\n3\t\n1\t\n2\t\ntail" << 0 << 2 << 4 << false << true
            << "h\n1\t\n2\t\n3\t\ntail" << 2;
        QTest::newRow("key in column B, caret at its cell")
            << "a\t3\nb\t1\n" << 1 << 1 << 2 << false << true << "b\t1\na\t3\n" << 2;
        QTest::newRow("text, empty and full-width cells count 0")
            << "x\t5\ny\tabc\nz\t\t\nw\t\xef\xbc\x91\n" << 1 << 1 << 4 << true << true
            << "x\t5\ny\tabc\nz\t\t\nw\t\xef\xbc\x91\n" << 2;
        QTest::newRow("negative, -0 and exponent")
            << "-0\ta\n1e2\tb\n-5\tc\n0\td\n" << 0 << 1 << 4 << true << true
            << "1e2\tb\n-0\ta\n0\td\n-5\tc\n" << 0;
        QTest::newRow("nan below every number")
            << "nan\ta\n-1e308\tb\n" << 0 << 1 << 2 << true << true
            << "-1e308\tb\nnan\ta\n" << 0;
        QTest::newRow("rows past the end are not invented")
            << "2\t\n1\t" << 0 << 1 << 9 << false << true << "1\t\n2\t\n" << 0;
        QTest::newRow("ragged rows, key missing in one")
            << "a\t2\t\nb\nc\t1" << 1 << 1 << 3 << false << true << "b\nc\t1\na\t2\t\n" << 0;
    }
    void sort()
    {
        QFETCH(QString, text);
        QFETCH(int, column);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(bool, descending);
        QFETCH(bool, asValues);
        const TableResult r = SortRows(Input(text, 0, 0), column, from, to, descending, asValues);
        QTEST(r.text, "after");
        QTEST(r.selStart, "caret");
    }

    // Many ties: the order must be the one of picking the largest key again and again.
    void sortMatchesPickingTheLargest_data()
    {
        QTest::addColumn<bool>("descending");
        QTest::newRow("descending") << true;
        QTest::newRow("ascending") << false;
    }
    void sortMatchesPickingTheLargest()
    {
        QFETCH(bool, descending);
        QRandomGenerator random(7);
        QList<QPair<int, QString>> rows;
        QStringList lines;
        for (int i = 0; i < 300; ++i) {
            const int key = random.bounded(6);
            const QString line = QString::number(key) + "\trow" + QString::number(i);
            rows.append({key, line});
            lines.append(line);
        }
        CellGrid grid(lines.join(u'\n') + u'\n');
        SortRowRange(grid, 0, 0, 299, descending, true);
        QCOMPARE(grid.Text(), PickLargestRepeatedly(rows, descending).join(u'\n') + u'\n');
    }

    void rank_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("column");
        QTest::addColumn<bool>("rank");
        QTest::addColumn<QString>("after");
        QTest::newRow("competition ranks 1, 2, 2, 4")
            << "a\t80\nb\t90\nc\t70\nd\t80" << 1 << true
            << "b\t1\t90\na\t2\t80\nd\t2\t80\nc\t4\t70\n";
        QTest::newRow("tie at the top")
            << "a\t90\nb\t90\nc\t80\n" << 1 << true << "a\t1\t90\nb\t1\t90\nc\t3\t80\n";
        QTest::newRow("all equal")
            << "5\t\n5\t\n5\t\n" << 0 << true << "1\t5\t\n1\t5\t\n1\t5\t\n";
        QTest::newRow("numbering keeps the order")
            << "a\t80\nb\t90\nc\t70\nd\t80" << 1 << false
            << "a\t1\t80\nb\t2\t90\nc\t3\t70\nd\t4\t80";
        QTest::newRow("numbering at column A")
            << "x\ny\n" << 0 << false << "1\tx\n2\ty\n";
    }
    void rank()
    {
        QFETCH(QString, text);
        QFETCH(int, column);
        QFETCH(bool, rank);
        const int rows = int(text.count(u'\n')) + (text.endsWith(u'\n') ? 0 : 1);
        const TableResult r = NumberOrRankRows(Input(text, 1, 1), column, 1, rows, rank);
        QTEST(r.text, "after");
        QCOMPARE(r.selStart, 1);
    }

    void rankRowsInsideTheText()
    {
        const QString text = "head\na\t2\nb\t3\ntail\t1\n";
        CellGrid grid(text);
        InsertRankColumn(grid, 1, 1, 2);
        QCOMPARE(grid.Text(), QString("head\nb\t1\t3\na\t2\t2\ntail\t1\n"));
    }

    void deviation_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("selStart");
        QTest::addColumn<int>("selEnd");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("after");
        const QString values = "40\t\n50\t\n60\t\n";
        QTest::newRow("right of the data")
            << values << 0 << 10 << 1 << "40\t37.8\t\n50\t50.0\t\n60\t62.2\t\n";
        QTest::newRow("two decimals")
            << values << 0 << 10 << 2 << "40\t37.75\t\n50\t50.00\t\n60\t62.25\t\n";
        QTest::newRow("selection ending after a TAB: data move right")
            << values << 0 << 11 << 1 << "37.8\t40\t\n50.0\t50\t\n62.2\t60\t\n";
        QTest::newRow("selection ending at a line start")
            << values << 0 << 8 << 0 << "38\t40\t\n50\t50\t\n62\t60\t\n";
        QTest::newRow("all equal: 50 for every value")
            << "0.1\t\n0.1\t\n0.1\t\n" << 0 << 13 << 1
            << "0.1\t50.0\t\n0.1\t50.0\t\n0.1\t50.0\t\n";
        QTest::newRow("text counts as 0")
            << "x\t\n20\t\n" << 0 << 5 << 0 << "x\t40\t\n20\t60\t\n";
        QTest::newRow("column B")
            << "a\t1\nb\t3\n" << 2 << 7 << 0 << "a\t1\t40\nb\t3\t60\n";
        QTest::newRow("no selection") << values << 3 << 3 << 1 << values;
    }
    void deviation()
    {
        QFETCH(QString, text);
        QFETCH(int, selStart);
        QFETCH(int, selEnd);
        QFETCH(int, decimals);
        QFETCH(QString, after);
        const TableResult r = DeviationValues(Input(text, selStart, selEnd, decimals));
        QCOMPARE(r.changed, after != text);
        if (r.changed)
            QCOMPARE(r.text, after);
    }

    // A range left from before typing removed rows: only the rows still there count.
    void deviationOfAStaleRange()
    {
        TableInput in = Input("1\t\n3\t", 0, 4, 0);
        in.range.lastRow = 9;
        const TableResult r = DeviationValues(in);
        QCOMPARE(r.text, QString("1\t40\t\n3\t60\t"));
        QCOMPARE(r.selStart, r.text.lastIndexOf("60") + 2);
    }

    void deviationBeyondTenThousandRows()
    {
        QString text;
        for (int i = 0; i < 12000; ++i)
            text += QString::number(i % 2 ? 60 : 40) + "\t\n";
        const TableResult r = DeviationValues(Input(text, 0, int(text.size()) - 2, 0));
        const CellGrid grid(r.text);
        QCOMPARE(grid.GetCellText(1, 11998), QString("40"));
        QCOMPARE(grid.GetCellText(1, 11999), QString("60"));
    }
};

QTEST_GUILESS_MAIN(TestRowOrder)
#include "tst_roworder.moc"
