#include "view/Navigation.h"

#include <QtTest>

Q_DECLARE_METATYPE(PageTarget)
Q_DECLARE_METATYPE(TextRange)

class TestNavigation : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void pageDown_data();
    void pageDown();
    void pageUp_data();
    void pageUp();
    void jumpScroll_data();
    void jumpScroll();
    void logicalLines_data();
    void logicalLines();
    void leadingNumber_data();
    void leadingNumber();
    void wordSelection_data();
    void wordSelection();
};

void TestNavigation::pageDown_data()
{
    QTest::addColumn<int>("lineCount");
    QTest::addColumn<int>("caret");
    QTest::addColumn<int>("rows");
    QTest::addColumn<PageTarget>("target");
    QTest::newRow("a whole screen below") << 100 << 10 << 20 << PageTarget{20, 30, false, false};
    QTest::newRow("exactly one screen and one line left")
        << 31 << 10 << 20 << PageTarget{20, 30, false, false};
    QTest::newRow("one line short of a screen goes to the end")
        << 30 << 10 << 20 << PageTarget{0, 0, false, true};
    QTest::newRow("on the last line") << 5 << 4 << 20 << PageTarget{0, 0, false, true};
}

void TestNavigation::pageDown()
{
    QFETCH(int, lineCount);
    QFETCH(int, caret);
    QFETCH(int, rows);
    QFETCH(PageTarget, target);
    QCOMPARE(PageDownTarget(lineCount, caret, rows), target);
}

void TestNavigation::pageUp_data()
{
    QTest::addColumn<int>("caret");
    QTest::addColumn<int>("rows");
    QTest::addColumn<PageTarget>("target");
    QTest::newRow("far down") << 50 << 20 << PageTarget{-20, 30, false, false};
    QTest::newRow("exactly one screen down") << 20 << 20 << PageTarget{-20, 0, false, false};
    QTest::newRow("within the first screen") << 19 << 20 << PageTarget{0, 0, true, false};
    QTest::newRow("on the first line") << 0 << 20 << PageTarget{0, 0, true, false};
}

void TestNavigation::pageUp()
{
    QFETCH(int, caret);
    QFETCH(int, rows);
    QFETCH(PageTarget, target);
    QCOMPARE(PageUpTarget(caret, rows), target);
}

void TestNavigation::jumpScroll_data()
{
    QTest::addColumn<int>("target");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("adjust");
    QTest::newRow("far below the top") << 40 << 10 << 5;
    QTest::newRow("six below") << 16 << 10 << 5;
    QTest::newRow("five below stays") << 15 << 10 << 0;
    QTest::newRow("one below stays") << 11 << 10 << 0;
    QTest::newRow("on the top line") << 10 << 10 << -5;
    QTest::newRow("above the top") << 3 << 10 << -5;
}

void TestNavigation::jumpScroll()
{
    QFETCH(int, target);
    QFETCH(int, top);
    QFETCH(int, adjust);
    QCOMPARE(JumpScrollAdjustment(target, top, 5), adjust);
}

void TestNavigation::logicalLines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("n");
    QTest::addColumn<TextRange>("range");
    QTest::addColumn<int>("afterFeeds");
    const QString text = QStringLiteral("ab\ncde\n\nf");
    QTest::newRow("first line") << text << 1 << TextRange{0, 3} << 0;
    QTest::newRow("second line") << text << 2 << TextRange{3, 7} << 3;
    QTest::newRow("empty line") << text << 3 << TextRange{7, 8} << 7;
    QTest::newRow("last line without feed: empty at its start")
        << text << 4 << TextRange{8, 8} << 8;
    QTest::newRow("beyond the last line: text end") << text << 9 << TextRange{9, 9} << 9;
    QTest::newRow("empty text") << QString() << 2 << TextRange{0, 0} << 0;
}

void TestNavigation::logicalLines()
{
    QFETCH(QString, text);
    QFETCH(int, n);
    QFETCH(TextRange, range);
    QFETCH(int, afterFeeds);
    QCOMPARE(LogicalLineRange(text, n), range);
    QCOMPARE(IndexAfterLineFeeds(text, n - 1), afterFeeds);
}

void TestNavigation::leadingNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("n");
    QTest::newRow("digits") << "123" << 123;
    QTest::newRow("digits then text") << "42abc" << 42;
    QTest::newRow("leading blanks") << "  7" << 7;
    QTest::newRow("no digits") << "l.12" << 0;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("full-width digits are no number") << QString::fromUtf8("１２") << 0;
    QTest::newRow("too large") << "99999999999" << 0;
}

void TestNavigation::leadingNumber()
{
    QFETCH(QString, text);
    QFETCH(int, n);
    QCOMPARE(LeadingNumber(text), n);
}

void TestNavigation::wordSelection_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("s");
    QTest::addColumn<QString>("ext");
    QTest::addColumn<QString>("selected");
    QTest::newRow("tex: command with its backslash")
        << "\\section{Intro}" << 4 << ".tex" << "\\section";
    QTest::newRow("tex: argument stops at braces") << "\\section{Intro}" << 11 << ".tex"
                                                   << "Intro";
    QTest::newRow("tex: glued command takes its backslash")
        << "x\\alpha=y" << 4 << ".tex" << "\\alpha";
    QTest::newRow("tex: backslash further left than a stop is not taken")
        << "\\a b" << 3 << ".tex" << "b";
    QTest::newRow("txt: comma is part of the word") << "x a,b y" << 3 << ".txt" << "a,b";
    QTest::newRow("txt: stops at a backslash") << "a\\bc d" << 3 << ".txt" << "bc";
    QTest::newRow("txt: full-width punctuation stops")
        << QString::fromUtf8("日本語、英語") << 1 << ".txt" << QString::fromUtf8("日本語");
    QTest::newRow("cpp: code punctuation") << "int x=foo(y);" << 7 << ".cpp" << "foo";
    QTest::newRow("H counts as source") << "a.b" << 0 << ".H" << "a";
    QTest::newRow("second line only") << "one\ntwo three" << 5 << ".txt" << "two";
    QTest::newRow("at the line end") << "ab\ncd" << 2 << ".txt" << "ab";
    QTest::newRow("empty line selects nothing") << "a\n\nb" << 2 << ".txt" << "";
}

void TestNavigation::wordSelection()
{
    QFETCH(QString, text);
    QFETCH(int, s);
    QFETCH(QString, ext);
    QFETCH(QString, selected);
    const TextRange r = WordSelectionRange(text, s, ext);
    QCOMPARE(text.mid(r.start, r.end - r.start), selected);
}

QTEST_APPLESS_MAIN(TestNavigation)
#include "tst_navigation.moc"
