#include "app/SplitRules.h"

#include <QTest>

class TestSplitRules : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void paneToRemove_data();
    void paneToRemove();
    void logOpensTowardsItsEnd_data();
    void logOpensTowardsItsEnd();
    void sizesNeverBelowTheSmallestPane_data();
    void sizesNeverBelowTheSmallestPane();
};

void TestSplitRules::paneToRemove_data()
{
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<int>("active");
    QTest::addColumn<int>("removed");
    QTest::newRow("log pane goes though it is active") << true << 0 << 0;
    QTest::newRow("log pane goes while the editor is active") << true << 1 << 0;
    QTest::newRow("editors: first active keeps first") << false << 0 << 1;
    QTest::newRow("editors: second active keeps second") << false << 1 << 0;
}

void TestSplitRules::paneToRemove()
{
    QFETCH(bool, readOnly);
    QFETCH(int, active);
    QFETCH(int, removed);
    QCOMPARE(PaneToRemove(readOnly, active), removed);
}

void TestSplitRules::logOpensTowardsItsEnd_data()
{
    QTest::addColumn<int>("logRows");
    QTest::addColumn<int>("halfRows");
    QTest::addColumn<bool>("scrolled");
    QTest::newRow("long log") << 500 << 20 << true;
    QTest::newRow("log that fits exactly") << 41 << 20 << false;
    QTest::newRow("one row more than fits") << 42 << 20 << true;
    QTest::newRow("short log") << 3 << 20 << false;
    QTest::newRow("empty log") << 0 << 20 << false;
}

void TestSplitRules::logOpensTowardsItsEnd()
{
    QFETCH(int, logRows);
    QFETCH(int, halfRows);
    QFETCH(bool, scrolled);
    const int top = LogColumnTopRow(logRows, halfRows);
    QVERIFY(top >= 0);
    QCOMPARE(top > 0, scrolled);
    // A full-height column of 2 × halfRows rows then shows the last row.
    if (scrolled)
        QVERIFY(top + 2 * halfRows >= logRows - 1);
    const int rowTop = LogRowTopRow(logRows, halfRows * 3 * 16, 16);
    QVERIFY(rowTop >= 0);
    QVERIFY(rowTop < std::max(1, logRows));
}

void TestSplitRules::sizesNeverBelowTheSmallestPane_data()
{
    QTest::addColumn<int>("extent");
    QTest::addColumn<int>("lineHeight");
    QTest::newRow("ordinary window") << 600 << 16;
    QTest::newRow("tiny window") << 12 << 16;
    QTest::newRow("no room at all") << 0 << 16;
    QTest::newRow("font without height") << 600 << 0;
}

void TestSplitRules::sizesNeverBelowTheSmallestPane()
{
    QFETCH(int, extent);
    QFETCH(int, lineHeight);
    const int half = HalfRows(extent, lineHeight);
    QVERIFY(half >= 0);
    for (int size : {RowSplitFirstHeight(half, lineHeight), ColumnSplitFirstWidth(extent),
                     LogColumnFirstWidth(extent), LogRowFirstHeight(half, lineHeight),
                     EqualHalf(extent)})
        QVERIFY2(size >= 10, qPrintable(QString::number(size)));
    // The first pane of a split never takes more than the window has (beyond the minimum).
    if (extent >= 40) {
        QVERIFY(RowSplitFirstHeight(half, lineHeight) <= extent / 2);
        QVERIFY(ColumnSplitFirstWidth(extent) < extent / 2);
        QVERIFY(LogRowFirstHeight(half, lineHeight) < extent / 2);
    }
}

QTEST_GUILESS_MAIN(TestSplitRules)
#include "tst_splitrules.moc"
