#include "calc/CellGrid.h"

#include <QTest>

class TestCellGrid : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cells_data();
    void cells();
    void values_data();
    void values();
    void formatNumber_data();
    void formatNumber();
    void range_data();
    void range();
    void insertCell_data();
    void insertCell();
    void deleteCell_data();
    void deleteCell();
    void cellSpan_data();
    void cellSpan();
    void rowsKeepText();
    void anchorAcrossRows();
};

void TestCellGrid::cells_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("col");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("span");
    QTest::addColumn<QString>("cell");
    QTest::newRow("first cell") << "1\t2\t3" << 0 << 0 << 0 << "1";
    QTest::newRow("last cell without closing tab") << "1\t2\t3" << 2 << 0 << 0 << "3";
    QTest::newRow("past the last tab") << "1\t2\t3" << 3 << 0 << 0 << "";
    QTest::newRow("empty cell after closing tab") << "1\t2\t3\t" << 3 << 0 << 0 << "";
    QTest::newRow("closed last cell") << "1\t2\t3\t" << 2 << 0 << 0 << "3";
    QTest::newRow("row without tab has no cells") << "123" << 0 << 0 << 0 << "";
    QTest::newRow("second row") << "a\tb\n1\t2\t" << 1 << 1 << 0 << "2";
    QTest::newRow("missing row") << "a\tb" << 0 << 5 << 0 << "";
    QTest::newRow("span joins with tabs") << "1\t2\t3\t4" << 1 << 0 << 1 << "2\t3";
    QTest::newRow("span past the row end") << "1\t2\t3" << 1 << 0 << 5 << "2\t3";
    QTest::newRow("empty last row") << "1\t2\n" << 0 << 1 << 0 << "";
}

void TestCellGrid::cells()
{
    QFETCH(QString, text);
    QFETCH(int, col);
    QFETCH(int, row);
    QFETCH(int, span);
    QFETCH(QString, cell);
    QCOMPARE(CellGrid(text).GetCellText(col, row, span), cell);
}

void TestCellGrid::values_data()
{
    QTest::addColumn<QString>("cell");
    QTest::addColumn<double>("value");
    QTest::newRow("plain") << "42" << 42.0;
    QTest::newRow("leading blanks") << "   -3.5" << -3.5;
    QTest::newRow("numeric prefix") << "12abc" << 12.0;
    QTest::newRow("text") << "abc" << 0.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("exponent") << "1e3" << 1000.0;
    QTest::newRow("bare exponent letter") << "5e" << 5.0;
    QTest::newRow("1e308") << "1e308" << 1e308;
    QTest::newRow("overflow") << "1e309" << qInf();
    QTest::newRow("full-width digits") << "１２" << 0.0;
    QTest::newRow("decimal comma is not read") << "1,5" << 1.0;
    QTest::newRow("plus sign") << "+7" << 7.0;
    QTest::newRow("long run of leading zeros") << QString(5000, u'0') + u'5' << 5.0;
    QTest::newRow("long number with a late exponent")
        << QStringLiteral("1") + QString(5000, u'0') + QStringLiteral("e-4990") << 1e10;
}

void TestCellGrid::values()
{
    QFETCH(QString, cell);
    QFETCH(double, value);
    QCOMPARE(CellGrid(cell + u'\t').GetCellValue(0, 0), value);
    QCOMPARE(CAtof(cell), value);
}

void TestCellGrid::formatNumber_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("text");
    QTest::newRow("2.26 one decimal") << 2.26 << 1 << "2.3";
    QTest::newRow("-0.5 one decimal") << -0.5 << 1 << "-0.5";
    QTest::newRow("10 one decimal") << 10.0 << 1 << "10.0";
    QTest::newRow("2.6 none") << 2.6 << 0 << "3";
    QTest::newRow("7 none") << 7.0 << 0 << "7";
    QTest::newRow("half rounds away from zero") << 2.5 << 0 << "3";
    QTest::newRow("negative half") << -2.5 << 0 << "-3";
    QTest::newRow("exact binary half") << 0.125 << 2 << "0.13";
    QTest::newRow("1.005 is below the half") << 1.005 << 2 << "1.00";
    QTest::newRow("trailing zeros kept") << 3.0 << 2 << "3.00";
    QTest::newRow("small with leading zeros") << 0.05 << 3 << "0.050";
    QTest::newRow("rounds to nothing") << 0.2 << 0 << "0";
    QTest::newRow("tiny negative") << -0.001 << 1 << "-0.0";
    QTest::newRow("large") << 1e22 << 1 << "10000000000000000000000.0";
    QTest::newRow("nan") << qQNaN() << 1 << "nan";
    QTest::newRow("minus infinity") << -qInf() << 1 << "-inf";
}

void TestCellGrid::formatNumber()
{
    QFETCH(double, value);
    QFETCH(int, decimals);
    QFETCH(QString, text);
    QCOMPARE(FormatNumber(value, decimals), text);
}

void TestCellGrid::range_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selEnd");
    QTest::addColumn<CellRange>("range");
    const QString table = QStringLiteral("h\n11\t22\t33\t44\t55\n1\t2\t3\t4\n1\t2\t3\t4\n1\t2\t3\t4\t5");
    // From the middle of B in row 1 to just after the TAB closing D in row 4.
    const int start = int(table.indexOf(u"22")) + 1;
    const int end = int(table.lastIndexOf(u"4\t5")) + 2;
    QTest::newRow("middle of B to after D's tab") << table << start << end << CellRange{1, 1, 3, 4};
    QTest::newRow("empty selection") << table << start << start << CellRange{};
    QTest::newRow("inverted") << table << end << start << CellRange{};
    QTest::newRow("one cell") << QStringLiteral("1\t2\t3") << 2 << 3 << CellRange{1, 0, 1, 0};
    QTest::newRow("after the first tab only") << QStringLiteral("1\t2") << 0 << 2
                                              << CellRange{0, 0, 0, 0};
    QTest::newRow("past the text end is clamped") << QStringLiteral("1\t2") << 0 << 99
                                                  << CellRange{0, 0, 1, 0};
}

void TestCellGrid::range()
{
    QFETCH(QString, text);
    QFETCH(int, selStart);
    QFETCH(int, selEnd);
    QFETCH(CellRange, range);
    QCOMPARE(ComputeCellRange(text, selStart, selEnd), range);
}

void TestCellGrid::insertCell_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("col");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("anchor");
    QTest::addColumn<QString>("result");
    QTest::addColumn<int>("anchorAfter");
    QTest::newRow("column 0") << "1\t2\t" << 0 << 0 << 0 << "X\t1\t2\t" << 0;
    QTest::newRow("anchor at the insertion point stays") << "1\t2\t" << 1 << 0 << 1 << "1\tX\t2\t" << 1;
    QTest::newRow("moves a later anchor") << "1\t2\t" << 1 << 0 << 3 << "1\tX\t2\t" << 5;
    QTest::newRow("after the last closing tab") << "1\t2\t" << 2 << 0 << 0 << "1\t2\tX\t" << 0;
    QTest::newRow("at the row end without tab") << "1\t2" << 2 << 0 << 0 << "1\t2\tX" << 0;
    QTest::newRow("row too short") << "1\t2" << 3 << 0 << 0 << "1\t2" << 0;
    QTest::newRow("row without tab, column 1") << "abc" << 1 << 0 << 0 << "abc\tX" << 0;
    QTest::newRow("second row, anchor there") << "a\nb\tc" << 1 << 1 << 4 << "a\nb\tX\tc" << 6;
    QTest::newRow("earlier row moves the anchor") << "a\tb\nc" << 1 << 0 << 5
                                                  << "a\tX\tb\nc" << 7;
    QTest::newRow("missing row") << "a\tb" << 0 << 3 << 0 << "a\tb" << 0;
}

void TestCellGrid::insertCell()
{
    QFETCH(QString, text);
    QFETCH(int, col);
    QFETCH(int, row);
    QFETCH(int, anchor);
    QFETCH(QString, result);
    QFETCH(int, anchorAfter);
    CellGrid grid(text);
    grid.SetAnchor(anchor);
    grid.InsertCell(col, row, QStringLiteral("X"));
    QCOMPARE(grid.Text(), result);
    QCOMPARE(grid.Anchor(), anchorAfter);
}

void TestCellGrid::deleteCell_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("col");
    QTest::addColumn<int>("anchor");
    QTest::addColumn<QString>("result");
    QTest::addColumn<int>("anchorAfter");
    QTest::newRow("column A") << "1\t22\t3" << 0 << 0 << "22\t3" << 0;
    QTest::newRow("middle, anchor after") << "1\t22\t3" << 1 << 6 << "1\t3" << 3;
    QTest::newRow("middle, anchor inside") << "1\t22\t3" << 1 << 3 << "1\t3" << 2;
    QTest::newRow("last cell keeps the tab before it") << "1\t22\t3" << 2 << 0 << "1\t22\t" << 0;
    QTest::newRow("closed last cell") << "1\t2\t" << 1 << 0 << "1\t" << 0;
    QTest::newRow("row without tab left alone") << "123" << 0 << 0 << "123" << 0;
    QTest::newRow("too few tabs") << "1\t2" << 3 << 0 << "1\t2" << 0;
}

void TestCellGrid::deleteCell()
{
    QFETCH(QString, text);
    QFETCH(int, col);
    QFETCH(int, anchor);
    QFETCH(QString, result);
    QFETCH(int, anchorAfter);
    CellGrid grid(text);
    grid.SetAnchor(anchor);
    grid.DeleteCell(col, 0);
    QCOMPARE(grid.Text(), result);
    QCOMPARE(grid.Anchor(), anchorAfter);
}

void TestCellGrid::cellSpan_data()
{
    QTest::addColumn<QString>("row");
    QTest::addColumn<int>("col");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("end");
    QTest::newRow("column 0 with its tab") << "ab\tc" << 0 << 0 << 3;
    QTest::newRow("column 0 without tab") << "abc" << 0 << -1 << -1;
    QTest::newRow("last cell to the row end") << "ab\tc" << 1 << 3 << 4;
    QTest::newRow("missing cell") << "ab\tc" << 2 << -1 << -1;
}

void TestCellGrid::cellSpan()
{
    QFETCH(QString, row);
    QFETCH(int, col);
    QFETCH(int, start);
    QFETCH(int, end);
    const auto span = CellGrid(row).CellSpan(col, 0);
    QCOMPARE(span.first, start);
    QCOMPARE(span.second, end);
}

void TestCellGrid::rowsKeepText()
{
    for (const QString text : {QString(), QStringLiteral("\n"), QStringLiteral("a\tb\n\nc\n")}) {
        CellGrid grid(text);
        QCOMPARE(grid.Text(), text);
        QCOMPARE(grid.RowCount(), int(text.count(u'\n')) + 1);
    }
    CellGrid grid(QStringLiteral("a\nb"));
    QCOMPARE(grid.GetRowText(0), QStringLiteral("a\n"));
    QCOMPARE(grid.GetRowText(1), QStringLiteral("b"));
    QCOMPARE(grid.RowStart(1), 2);
    QCOMPARE(grid.RowAndOffset(2), std::make_pair(1, 0));
    QCOMPARE(grid.RowAndOffset(1), std::make_pair(0, 1));
}

void TestCellGrid::anchorAcrossRows()
{
    CellGrid grid(QStringLiteral("a\tb\nc\td"));
    grid.SetAnchor(6); // "d"
    grid.InsertRow(0, QStringLiteral("new"));
    QCOMPARE(grid.Anchor(), 10);
    grid.InsertCell(0, 2, QStringLiteral("x"));
    QCOMPARE(grid.Anchor(), 12);
    QCOMPARE(grid.Text(), QStringLiteral("new\na\tb\nx\tc\td"));
}

QTEST_APPLESS_MAIN(TestCellGrid)
#include "tst_cellgrid.moc"
