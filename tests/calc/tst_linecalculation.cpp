#include "calc/LineCalculation.h"
#include "res/Messages.h"

#include <QTest>

#include <climits>

namespace {
// The input a command sees right after the selection from..to was made: the range is the one
// that selection gives.
TableInput Input(const QString &text, int from, int to, int decimals = 1, bool english = false)
{
    TableInput in;
    in.text = text;
    in.selStart = from;
    in.selEnd = to;
    in.range = ComputeCellRange(text, from, to);
    in.decimals = decimals;
    in.english = english;
    return in;
}

int End(const QString &text)
{
    return int(text.size());
}

Transform Linear(int m, int n, int p, int q)
{
    const LinearParams params{m, n, p, q};
    return [params](double x) { return params.Apply(x); };
}

Transform Map(int a, int b, int c, int d)
{
    const MapParams params{a, b, c, d};
    return [params](double x) { return params.Apply(x); };
}
} // namespace

Q_DECLARE_METATYPE(Transform)
Q_DECLARE_METATYPE(ArithOp)

class TestLineCalculation : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void totals_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<bool>("mean");
        QTest::addColumn<bool>("ofColumns");
        QTest::addColumn<bool>("before");
        QTest::addColumn<bool>("english");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("caret");

        const QString two = QStringLiteral("1\t2\t3\t\n4\t5\t6\t");
        const QString headed = QStringLiteral("a\tb\tc\t\n") + two;
        QTest::newRow("column sums below two whole rows")
            << two << 0 << End(two) << false << true << false << false
            << two + "\n5.0\t7.0\t9.0\t" << 0;
        QTest::newRow("column sums above: the caret stays at the selection start")
            << two << 0 << End(two) << false << true << true << false
            << "5.0\t7.0\t9.0\t\n" + two << 0;
        QTest::newRow("column sums below a range ending inside a row")
            << two + "\nlast" << 2 << 9 << false << true << false << false
            << QString::fromUtf8("1\t2\t3\t\n4\t5\t6\t\n合計\t7.0\t\nlast") << 2;
        QTest::newRow("row sums right under a header row")
            << headed << 7 << End(headed) << false << false << false << true
            << "a\tb\tc\tSum\t\n1\t2\t3\t6.0\t\n4\t5\t6\t15.0\t" << 11;
        QTest::newRow("row sums right from row 0: the label goes ahead of the value")
            << two << 0 << End(two) << false << false << false << true
            << "1\t2\t3\tSum\t6.0\t\n4\t5\t6\t15.0\t" << 0;
        QTest::newRow("row sums left: Japanese label, the selection start kept on its text")
            << headed << 9 << End(headed) << false << false << true << false
            << QString::fromUtf8("a\t合計\tb\tc\t\n1\t5.0\t2\t3\t\n4\t11.0\t5\t6\t") << 16;
        const QString fromB = QStringLiteral("x\t1\t2\t\ny\t3\t4\t");
        QTest::newRow("sum row of a range from column B carries the label")
            << fromB << 2 << End(fromB) << false << true << false << false
            << fromB + QString::fromUtf8("\n合計\t4.0\t6.0\t") << 2;
        QTest::newRow("mean row of a range from column B has an empty first cell")
            << fromB << 2 << End(fromB) << true << true << false << true
            << fromB + "\n\t2.0\t3.0\t" << End(fromB) + 10;
        const QString holey = QStringLiteral("1\t\n\t\n3\t\n4\t");
        QTest::newRow("column mean counts an empty cell")
            << holey << 0 << End(holey) << true << true << false << false
            << holey + "\n2.0\t" << End(holey) + 5;
        QTest::newRow("column mean above: the caret returns to the selection start")
            << holey << 0 << End(holey) << true << true << true << false
            << "2.0\t\n" + holey << 0;
        QTest::newRow("row means right: the caret after the label")
            << headed << 7 << End(headed) << true << false << false << true
            << "a\tb\tc\tMean\t\n1\t2\t3\t2.0\t\n4\t5\t6\t5.0\t" << 10;
        QTest::newRow("row means left in Japanese")
            << two << 0 << 10 << true << false << true << false
            << QString::fromUtf8("平均\t1.5\t1\t2\t3\t\n4.5\t4\t5\t6\t") << 3;
        const QString odd = QString::fromUtf8("abc\t1e308\t\n-0\t１\t\n5");
        QTest::newRow("text, -0 and full-width digits read as atof does")
            << odd << 0 << 16 << false << true << false << false
            << QString::fromUtf8("abc\t1e308\t\n-0\t１\t\n0.0\t") + FormatNumber(1e308, 1)
                   + "\t\n5"
            << 0;
        const QString ragged = QStringLiteral("1\t2\t3\n4\n5\t6");
        QTest::newRow("ragged rows: missing cells add nothing and get no value")
            << ragged << 0 << End(ragged) << false << false << false << true
            << "1\t2\tSum\t3.0\t3\n4\n5\t6\t11.0" << 0;
    }
    void totals()
    {
        QFETCH(QString, text);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(bool, mean);
        QFETCH(bool, ofColumns);
        QFETCH(bool, before);
        QFETCH(bool, english);
        QFETCH(QString, after);
        QFETCH(int, caret);
        const TableResult r = TotalsOfRange(Input(text, from, to, 1, english), mean, ofColumns,
                                            before);
        QVERIFY(r.message.isEmpty());
        QVERIFY(r.changed);
        QCOMPARE(r.text, after);
        QCOMPARE(r.selStart, caret);
    }

    void totalsRefused_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<bool>("rangeKept");
        QTest::addColumn<bool>("warned");
        QTest::newRow("no range") << 3 << 3 << false << true;
        QTest::newRow("a range but the selection collapsed since") << 3 << 3 << true << false;
        QTest::newRow("an inverted selection") << 9 << 2 << false << true;
    }
    void totalsRefused()
    {
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(bool, rangeKept);
        QFETCH(bool, warned);
        const QString text = QStringLiteral("1\t2\t\n3\t4\t");
        TableInput in = Input(text, from, to);
        if (rangeKept)
            in.range = ComputeCellRange(text, 0, End(text));
        for (bool mean : {false, true}) {
            for (bool english : {false, true}) {
                in.english = english;
                const TableResult r = TotalsOfRange(in, mean, true, false);
                QVERIFY(!r.changed);
                // The warning exists in Japanese only.
                QCOMPARE(r.message, warned ? MsgText(Msg::CalcNoRange, false) : QString());
            }
        }
        QCOMPARE(MsgText(Msg::CalcNoRange, true),
                 QString::fromUtf8("選択が無いか、選択に誤りがあります。\n計算したい行列の左上から"
                                   "右下までを、マウスで選択して下さい。"));
    }

    void formulas_data()
    {
        QTest::addColumn<Transform>("f");
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::newRow("3/2 and 7 div 2 map 4 to 6 + 3") << Linear(3, 2, 7, 2) << 4.0 << 9.0;
        QTest::newRow("1 div 2 adds nothing") << Linear(1, 1, 1, 2) << 5.0 << 5.0;
        QTest::newRow("-7 div 2 truncates toward zero") << Linear(1, 1, -7, 2) << 0.0 << -3.0;
        QTest::newRow("m*X/n in doubles") << Linear(1, 4, 0, 1) << 1.0 << 0.25;
        QTest::newRow("INT_MIN div -1 does not overflow")
            << Linear(0, 1, INT_MIN, -1) << 0.0 << 2147483648.0;
        QTest::newRow("A maps to C") << Map(60, 120, 65, 100) << 60.0 << 65.0;
        QTest::newRow("B maps to D") << Map(60, 120, 65, 100) << 120.0 << 100.0;
        QTest::newRow("the middle maps to the middle") << Map(60, 120, 65, 100) << 90.0 << 82.5;
        QTest::newRow("a falling interval") << Map(100, 0, 0, 10) << 25.0 << 7.5;
        QTest::newRow("extreme bounds without integer overflow")
            << Map(INT_MIN, INT_MAX, INT_MAX, INT_MIN) << double(INT_MIN) << double(INT_MAX);
    }
    void formulas()
    {
        QFETCH(Transform, f);
        QFETCH(double, x);
        QFETCH(double, y);
        QCOMPARE(f(x), y);
    }

    void refusedParameters()
    {
        QVERIFY(!(LinearParams{1, 0, 1, 1}.IsValid()));
        QVERIFY(!(LinearParams{1, 1, 1, 0}.IsValid()));
        QVERIFY((LinearParams{0, 1, 0, 1}.IsValid()));
        QVERIFY(!(MapParams{5, 5, 0, 1}.IsValid()));
        QVERIFY((MapParams{5, 6, 1, 1}.IsValid()));
    }

    void transforms_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<Transform>("f");
        QTest::addColumn<bool>("ofColumn");
        QTest::addColumn<bool>("before");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("caret");

        const Transform scale = Linear(3, 2, 7, 2);
        QTest::newRow("column right without selection: every row")
            << "4\tx\n6\ty" << 0 << 0 << scale << true << false << "4\t9.0\tx\n6\t12.0\ty"
            << 14;
        QTest::newRow("column left: the data moves right")
            << "4\tx\n6\ty" << 0 << 0 << scale << true << true << "9.0\t4\tx\n12.0\t6\ty"
            << 13;
        QTest::newRow("rows without TAB have no cells: X reads 0")
            << "4\n6" << 0 << 0 << scale << true << false << "4\t3.0\n6\t3.0" << 11;
        QTest::newRow("column of the selection end, its range's rows only")
            << "0\t1\n0\t2\n0\t3" << 6 << 7 << scale << true << false
            << "0\t1\n0\t2\t6.0\n0\t3" << 11;
        QTest::newRow("60…120 onto 65…100 in column A")
            << "60\t\n90\t\n120\t" << 0 << 11 << Map(60, 120, 65, 100) << true << false
            << "60\t65.0\t\n90\t82.5\t\n120\t100.0\t" << 27;
        QTest::newRow("a row below the caret's row; empty cells stay empty")
            << "4\t\t6\nz" << 0 << 0 << scale << false << false << "4\t\t6\n9.0\t\t12.0\nz"
            << 14;
        QTest::newRow("a row above, from column B of the range")
            << "x\t4\t6\ny" << 2 << 5 << scale << false << true << "\t9.0\t12.0\nx\t4\t6\ny"
            << 10;
        QTest::newRow("the last row without line break")
            << "a\n2\t" << 2 << 2 << scale << false << false << "a\n2\t\n6.0\t" << 9;
    }
    void transforms()
    {
        QFETCH(QString, text);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(Transform, f);
        QFETCH(bool, ofColumn);
        QFETCH(bool, before);
        QFETCH(QString, after);
        QFETCH(int, caret);
        const TableInput in = Input(text, from, to);
        const TableResult r =
            ofColumn ? TransformColumn(in, f, before) : TransformRow(in, f, before);
        QVERIFY(r.changed);
        QCOMPARE(r.text, after);
        QCOMPARE(r.selStart, caret);
    }

    // A range kept from an earlier, longer text: only rows that exist are touched.
    void staleRangeStaysInsideTheText()
    {
        TableInput in = Input(QStringLiteral("1\t\n2\t"), 0, 4);
        in.range = CellRange{0, 1, 0, 40};
        const TableResult r = TransformColumn(in, Linear(2, 1, 0, 1), false);
        QCOMPARE(r.text, QStringLiteral("1\t\n2\t4.0\t"));
        in.selEnd = 90;
        const TableResult sums = TotalsOfRange(in, false, true, false);
        QCOMPARE(sums.text, QStringLiteral("1\t\n2\t\n2.0\t"));
    }

    void arithmeticOfColumns_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("second");
        QTest::addColumn<ArithOp>("op");
        QTest::addColumn<bool>("before");
        QTest::addColumn<QString>("after");

        QTest::newRow("C ÷ A gives A/C, Error for a zero or empty C")
            << "6\tx\t3\n1\ty\t0\n2\tz\t" << 0 << 0 << 2 << 0 << ArithOp::Divide << false
            << "6\tx\t3\t2.0\n1\ty\t0\tError\n2\tz\t\tError";
        QTest::newRow("× before the left column")
            << "2\t3" << 0 << 0 << 0 << 1 << ArithOp::Multiply << true << "6.0\t2\t3";
        QTest::newRow("－ on the range's rows only")
            << "1\t2\n3\t4\n5\t6" << 4 << 7 << 0 << 1 << ArithOp::Subtract << false
            << "1\t2\n3\t4\t-1.0\n5\t6";
        QTest::newRow("＋ between columns B and D of ragged rows")
            << "0\t1\t0\t2\n0\t5" << 0 << 0 << 3 << 1 << ArithOp::Add << false
            << "0\t1\t0\t2\t3.0\n0\t5";
    }
    void arithmeticOfColumns()
    {
        QFETCH(QString, text);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(int, first);
        QFETCH(int, second);
        QFETCH(ArithOp, op);
        QFETCH(bool, before);
        QFETCH(QString, after);
        const TableResult r =
            ArithmeticOfColumns(Input(text, from, to), first, second, op, before);
        QVERIFY(r.changed);
        QCOMPARE(r.text, after);
        QVERIFY(!ArithmeticOfColumns(Input(text, from, to), first, first, op, before).changed);
    }

    void arithmeticOfRows_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("caret");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("second");
        QTest::addColumn<ArithOp>("op");
        QTest::addColumn<bool>("before");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("caretAfter");

        const QString pair = QStringLiteral("2\t3\n4\t5\nend");
        QTest::newRow("× below the lower of two adjacent rows")
            << pair << 0 << 1 << 2 << ArithOp::Multiply << false
            << "2\t3\n4\t5\n8.0\t15.0\nend" << 16;
        QTest::newRow("× above the caret's row")
            << pair << 0 << 1 << 2 << ArithOp::Multiply << true
            << "8.0\t15.0\n2\t3\n4\t5\nend" << 9;
        QTest::newRow("the upper row is the first operand whatever the order")
            << pair << 0 << 2 << 1 << ArithOp::Subtract << false
            << "2\t3\n4\t5\n-2.0\t-2.0\nend" << 17;
        QTest::newRow("÷ by zero or empty: Error; both empty: empty")
            << "4\t\t6\t1\n0\t\t3\t" << 0 << 1 << 2 << ArithOp::Divide << false
            << "4\t\t6\t1\n0\t\t3\t\nError\t\t2.0\tError" << 29;
        QTest::newRow("rows apart: below the caret's row")
            << "1\t1\nx\n3\t3" << 0 << 1 << 3 << ArithOp::Add << false
            << "1\t1\n4.0\t4.0\nx\n3\t3" << 11;
        QTest::newRow("the lower row is the last, without line break")
            << "1\t2\n3\t4" << 0 << 1 << 2 << ArithOp::Add << false
            << "1\t2\n3\t4\n4.0\t6.0" << 15;
    }
    void arithmeticOfRows()
    {
        QFETCH(QString, text);
        QFETCH(int, caret);
        QFETCH(int, first);
        QFETCH(int, second);
        QFETCH(ArithOp, op);
        QFETCH(bool, before);
        QFETCH(QString, after);
        QFETCH(int, caretAfter);
        const TableInput in = Input(text, caret, caret);
        const TableResult r = ArithmeticOfRows(in, first, second, op, before);
        QVERIFY(r.changed);
        QCOMPARE(r.text, after);
        QCOMPARE(r.selStart, caretAfter);
        QVERIFY(!ArithmeticOfRows(in, first, first, op, before).changed);
    }

    void dialogDefaults_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<int>("firstColumn");
        QTest::addColumn<int>("secondColumn");
        QTest::addColumn<int>("firstRow");
        QTest::addColumn<int>("secondRow");
        // Rows of "a\tb\tc\td\n" (8 characters each) and a last one reaching column Z and on.
        QTest::newRow("caret in B of row 2") << 10 << 10 << 1 << 2 << 2 << 3;
        QTest::newRow("range B2…D4") << 10 << 31 << 1 << 3 << 2 << 4;
        QTest::newRow("range ending after the TAB of its only column")
            << 10 << 12 << 1 << 2 << 2 << 3;
        QTest::newRow("caret past column Z") << 40 + 27 << 40 + 27 << 25 << 25 << 6 << 7;
    }
    void dialogDefaults()
    {
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(int, firstColumn);
        QFETCH(int, secondColumn);
        QFETCH(int, firstRow);
        QFETCH(int, secondRow);
        const QString text = QStringLiteral("a\tb\tc\td\n").repeated(5) + QString(30, u'\t');
        const TableInput in = Input(text, from, to);
        QCOMPARE(ArithmeticColumnsDefaults(in), std::make_pair(firstColumn, secondColumn));
        QCOMPARE(ArithmeticRowsDefaults(in), std::make_pair(firstRow, secondRow));
    }
};

QTEST_GUILESS_MAIN(TestLineCalculation)
#include "tst_linecalculation.moc"
