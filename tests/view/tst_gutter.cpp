#include "view/Gutter.h"

#include <QtTest>

Q_DECLARE_METATYPE(EofPlace)

class TestGutter : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void sizingText_data();
    void sizingText();
    void labels_data();
    void labels();
    void headerLettersStandOverColumns();
    void eofPlacement_data();
    void eofPlacement();
};

void TestGutter::sizingText_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("text");
    QTest::newRow("logical counts lines") << 2 << 5 << 40 << "  5:";
    QTest::newRow("physical at least the rows") << 1 << 5 << 40 << "  40:";
    QTest::newRow("physical with more lines") << 1 << 1200 << 40 << "  1200:";
}

void TestGutter::sizingText()
{
    QFETCH(int, mode);
    QFETCH(int, lines);
    QFETCH(int, rows);
    QFETCH(QString, text);
    QCOMPARE(GutterSizingText(mode, lines, rows), text);
}

void TestGutter::labels_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("wrap");
    QTest::addColumn<int>("firstDisplay");
    QTest::addColumn<int>("topNumber");
    QTest::addColumn<QList<bool>>("starts");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QStringList>("labels");
    const QList<bool> wrapped{true, false, true, true, false};
    QTest::newRow("none") << 0 << true << 0 << 1 << wrapped << 5 << QStringList{};
    QTest::newRow("physical numbers every row from the top")
        << 1 << true << 7 << 3 << wrapped << 4 << QStringList{"8:", "9:", "10:", "11:"};
    QTest::newRow("physical numbers rows below the text")
        << 1 << true << 0 << 1 << QList<bool>{true} << 3 << QStringList{"1:", "2:", "3:"};
    QTest::newRow("logical without wrap counts rows")
        << 2 << false << 4 << 5 << wrapped << 2 << QStringList{"5:", "6:"};
    QTest::newRow("logical: wrapped line numbered on its first row only")
        << 2 << true << 0 << 1 << wrapped << 5 << QStringList{"1:", "", "2:", "3:", ""};
    QTest::newRow("logical: top row inside a line gets no number")
        << 2 << true << 5 << 4 << QList<bool>{false, true, false} << 3
        << QStringList{"", "5:", ""};
    QTest::newRow("logical: rows past the text stay empty")
        << 2 << true << 0 << 9 << QList<bool>{true} << 3 << QStringList{"9:", "", ""};
}

void TestGutter::labels()
{
    QFETCH(int, mode);
    QFETCH(bool, wrap);
    QFETCH(int, firstDisplay);
    QFETCH(int, topNumber);
    QFETCH(QList<bool>, starts);
    QFETCH(int, rows);
    QFETCH(QStringList, labels);
    QCOMPARE(GutterLabels(mode, wrap, firstDisplay, topNumber, starts, rows), labels);
}

void TestGutter::headerLettersStandOverColumns()
{
    const QString text = HeaderRowText();
    const QStringList cells = text.split(QLatin1Char('\t'));
    QCOMPARE(cells.size(), 27); // 26 columns and the empty rest after the final tab
    QCOMPARE(cells.first(), QStringLiteral("  A"));
    for (int i = 1; i < 26; ++i)
        QCOMPARE(cells[i], QStringLiteral(" ") + QChar(u'A' + i));
    QVERIFY(cells.last().isEmpty());
}

void TestGutter::eofPlacement_data()
{
    QTest::addColumn<int>("length");
    QTest::addColumn<bool>("endsWithBreak");
    QTest::addColumn<int>("markRight");
    QTest::addColumn<EofPlace>("place");
    QTest::newRow("empty text") << 0 << false << 10 << EofPlace::None;
    QTest::newRow("behind the last character") << 5 << false << 100 << EofPlace::AfterText;
    QTest::newRow("at the right edge still fits") << 5 << false << 400 << EofPlace::AfterText;
    QTest::newRow("past the right edge") << 5 << false << 401 << EofPlace::NextRow;
    QTest::newRow("ends with a line break") << 5 << true << 100 << EofPlace::NextRow;
}

void TestGutter::eofPlacement()
{
    QFETCH(int, length);
    QFETCH(bool, endsWithBreak);
    QFETCH(int, markRight);
    QFETCH(EofPlace, place);
    QCOMPARE(EofPlacement(length, endsWithBreak, markRight, 400), place);
}

QTEST_APPLESS_MAIN(TestGutter)
#include "tst_gutter.moc"
