#include "app/ZelSettings.h"
#include "view/PrintLayout.h"
#include "view/TextCommands.h"

#include <QTest>

Q_DECLARE_METATYPE(PrintRect)

namespace {
// A column that holds exactly perColumn characters, as a fixed-pitch font would.
ColumnFitter FixedFitter(int perColumn, QList<PrintRect> *seen = nullptr)
{
    return [perColumn, seen](const PrintRect &column, int start) {
        if (seen)
            seen->append(column);
        return start + perColumn;
    };
}
} // namespace

class TestPrintLayout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void columnRects_data();
    void columnRects();
    void documentWriterPrintsSmaller();
    void pagesContinueColumnAfterColumn_data();
    void pagesContinueColumnAfterColumn();
    void tooSmallColumnsStillEnd();
    void pageOfIndex_data();
    void pageOfIndex();
    void printedTextMapsBack_data();
    void printedTextMapsBack();
    void settingsLineReadsBack_data();
    void settingsLineReadsBack();
    void settingsLineAtTop_data();
    void settingsLineAtTop();
    void selectionFollowsTheText();
};

void TestPrintLayout::columnRects_data()
{
    QTest::addColumn<int>("margin");
    QTest::addColumn<int>("columns");
    QTest::addColumn<QList<PrintRect>>("expected");
    // A page 4100 wide and 6000 high: with margin 1 the text is 4000 wide.
    QTest::newRow("one column fills the text area")
        << 1 << 1 << QList<PrintRect>{{100, 100, 4100, 6000}};
    QTest::newRow("two columns with a gap of 100")
        << 1 << 2 << QList<PrintRect>{{100, 100, 2050, 6000}, {2150, 100, 4100, 6000}};
    QTest::newRow("three columns truncate the thirds")
        << 1 << 3
        << QList<PrintRect>{{100, 100, 1383, 6000}, {1483, 100, 2716, 6000},
                            {2816, 100, 4100, 6000}};
    QTest::newRow("four columns")
        << 1 << 4
        << QList<PrintRect>{{100, 100, 1050, 6000}, {1150, 100, 2050, 6000},
                            {2150, 100, 3050, 6000}, {3150, 100, 4100, 6000}};
    QTest::newRow("margin 4 moves the left and the top only")
        << 4 << 2 << QList<PrintRect>{{400, 400, 2200, 6000}, {2300, 400, 4100, 6000}};
    QTest::newRow("a count beyond four is four") << 1 << 9
        << QList<PrintRect>{{100, 100, 1050, 6000}, {1150, 100, 2050, 6000},
                            {2150, 100, 3050, 6000}, {3150, 100, 4100, 6000}};
    QTest::newRow("no margin is margin 1") << 0 << 1 << QList<PrintRect>{{100, 100, 4100, 6000}};
}

void TestPrintLayout::columnRects()
{
    QFETCH(int, margin);
    QFETCH(int, columns);
    QFETCH(QList<PrintRect>, expected);
    const PrintRect area = DrawingArea(4100, 6000, QStringLiteral("PDF"));
    QCOMPARE(ColumnRects(area, margin, columns), expected);
}

void TestPrintLayout::documentWriterPrintsSmaller()
{
    QCOMPARE(DrawingArea(5000, 7000, QStringLiteral("Microsoft XPS Document Writer")),
             (PrintRect{0, 0, 4900, 6900}));
    QCOMPARE(DrawingArea(5000, 7000, QStringLiteral("Microsoft XPS Document Writer 2")),
             (PrintRect{0, 0, 5000, 7000}));
}

void TestPrintLayout::pagesContinueColumnAfterColumn_data()
{
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("perColumn");
    QTest::addColumn<int>("length");
    QTest::addColumn<QList<int>>("starts");
    QTest::addColumn<int>("fitCalls");
    QTest::newRow("two columns: a page holds both") << 2 << 10 << 45 << QList<int>{0, 20, 40}
                                                    << 5;
    QTest::newRow("text ends in the first column") << 2 << 10 << 25 << QList<int>{0, 20} << 3;
    QTest::newRow("text ends exactly at a page end") << 2 << 10 << 40 << QList<int>{0, 20} << 4;
    QTest::newRow("four columns") << 4 << 7 << 60 << QList<int>{0, 28, 56} << 9;
    QTest::newRow("empty text is one page") << 1 << 10 << 0 << QList<int>{0} << 0;
}

void TestPrintLayout::pagesContinueColumnAfterColumn()
{
    QFETCH(int, columns);
    QFETCH(int, perColumn);
    QFETCH(int, length);
    QFETCH(QList<int>, starts);
    QFETCH(int, fitCalls);
    const QList<PrintRect> rects = ColumnRects(PrintRect{0, 0, 4100, 6000}, 1, columns);
    QList<PrintRect> seen;
    PageStartTable pages;
    pages.Paginate(rects, length, FixedFitter(perColumn, &seen));
    QCOMPARE(pages.Starts(), starts);
    QCOMPARE(seen.size(), fitCalls);
    // Every column is laid in its own rectangle, left to right, page after page.
    for (qsizetype i = 0; i < seen.size(); ++i)
        QCOMPARE(seen.at(i), rects.at(i % rects.size()));
}

void TestPrintLayout::tooSmallColumnsStillEnd()
{
    // A column that takes nothing still moves a page on; the table stops at its limit.
    PageStartTable pages;
    const QList<PrintRect> rects = ColumnRects(PrintRect{0, 0, 50, 50}, 4, 2);
    pages.Paginate(rects, 10, FixedFitter(0));
    QCOMPARE(pages.PageCount(), 10);
    QCOMPARE(pages.StartOf(10), 9);
    pages.Paginate(rects, PageStartTable::MaxPages + 500, FixedFitter(0));
    QCOMPARE(pages.PageCount(), PageStartTable::MaxPages);
    // Recording a page that is not the last one known changes nothing.
    QVERIFY(!pages.Record(3, 7, 100000));
}

void TestPrintLayout::pageOfIndex_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("page");
    QTest::newRow("start of the text") << 0 << 1;
    QTest::newRow("last character of page 1") << 19 << 1;
    QTest::newRow("first character of page 2") << 20 << 2;
    QTest::newRow("inside the last page") << 45 << 3;
    QTest::newRow("beyond the text") << 1000 << 3;
}

void TestPrintLayout::pageOfIndex()
{
    QFETCH(int, index);
    QFETCH(int, page);
    PageStartTable pages;
    pages.Paginate(ColumnRects(PrintRect{0, 0, 4100, 6000}, 1, 2), 50, FixedFitter(10));
    QCOMPARE(pages.PageOf(index), page);
}

void TestPrintLayout::printedTextMapsBack_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<bool>("withoutComments");
    QTest::newRow("plain text is printed as it is") << u"a\n%b\nc"_qs << false;
    QTest::newRow("comments inside") << u"A\t1\n%c\nB\t2\n%d\n%e\nC"_qs << true;
    QTest::newRow("comment first") << u"% TAB=8\tx\nA\nB\n"_qs << true;
    QTest::newRow("comment last") << u"A\nB\n%end"_qs << true;
    QTest::newRow("empty lines and an empty first line") << u"\n\n%x\n\nA\n"_qs << true;
    QTest::newRow("indented comment stays") << u" %kept\n%gone\nA"_qs << true;
    QTest::newRow("only comments") << u"%a\n%b"_qs << true;
    QTest::newRow("empty text") << QString() << true;
}

void TestPrintLayout::printedTextMapsBack()
{
    QFETCH(QString, source);
    QFETCH(bool, withoutComments);
    const PrintedText printed(source, withoutComments);
    QCOMPARE(printed.Text(), withoutComments ? WithoutCommentLines(source) : source);
    const QString &text = printed.Text();
    for (int i = 0; i < text.size(); ++i) {
        const int at = printed.ToSource(i);
        QVERIFY2(at >= 0 && at < source.size(), qPrintable(QString::number(i)));
        QCOMPARE(source.at(at), text.at(i));
        QCOMPARE(printed.ToPrinted(at), i);
    }
    QCOMPARE(printed.ToSource(static_cast<int>(text.size())), static_cast<int>(source.size()));
    // A position in a comment line goes forward to the next printed character.
    for (int s = 0; s < source.size(); ++s) {
        const int p = printed.ToPrinted(s);
        QVERIFY(p >= 0 && p <= text.size());
        if (p < text.size())
            QVERIFY(printed.ToSource(p) >= s);
    }
}

void TestPrintLayout::settingsLineReadsBack_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<int>("font");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("margin");
    QTest::newRow("defaults, no printer font") << 8 << 0 << 1 << 1;
    QTest::newRow("chosen values") << 16 << -83 << 3 << 4;
}

void TestPrintLayout::settingsLineReadsBack()
{
    QFETCH(int, tab);
    QFETCH(int, font);
    QFETCH(int, columns);
    QFETCH(int, margin);
    const QString line = ZelSettingsLineText(tab, font, columns, margin);
    QCOMPARE(line, u"% TAB=%1\tFont=%2\tCOL=%3\tMargin=%4\t印刷設定：表幅・フォント・段組・余白\t"
                   u"% 行は印刷されません。\n"_qs.arg(tab).arg(font).arg(columns).arg(margin));
    // Opening the document reads the same values back.
    ZelSettings read;
    read.tabWidth = 4;
    read.printColumns = 2;
    read.printMargin = 2;
    QVERIFY(ReadZelSettingsLine(line, read));
    QCOMPARE(read.tabWidth, tab);
    QCOMPARE(read.printFontHeight, font);
    QVERIFY(read.printFontHeightSet);
    QCOMPARE(read.printColumns, columns);
    QCOMPARE(read.printMargin, margin);
}

void TestPrintLayout::settingsLineAtTop_data()
{
    const QString line = ZelSettingsLineText(8, 0, 2, 1);
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("changed");
    QTest::newRow("plain table gets the line") << u"A\t1\nB\t2"_qs << line + u"A\t1\nB\t2"_qs
                                               << true;
    QTest::newRow("the same line stays") << line + u"A\t1"_qs << line + u"A\t1"_qs << false;
    QTest::newRow("an old line is replaced")
        << ZelSettingsLineText(4, -50, 1, 3) + u"A"_qs << line + u"A"_qs << true;
    QTest::newRow("a damaged line is replaced, nothing else lost")
        << u"% TAB=x\tCOL=\n%note\nA\t1\n"_qs << line + u"%note\nA\t1\n"_qs << true;
    QTest::newRow("a comment without TAB= stays below")
        << u"% my table\nA"_qs << line + u"% my table\nA"_qs << true;
    QTest::newRow("TAB= in a row that is no comment stays")
        << u"TAB=8\nA"_qs << line + u"TAB=8\nA"_qs << true;
    QTest::newRow("the line without its break at the end")
        << line.chopped(1) << line << true;
    QTest::newRow("empty document") << QString() << line << true;
}

void TestPrintLayout::settingsLineAtTop()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QFETCH(bool, changed);
    const SettingsLineEdit edit = WithSettingsLine(text, ZelSettingsLineText(8, 0, 2, 1));
    QCOMPARE(edit.text, expected);
    QCOMPARE(edit.changed, changed);
}

void TestPrintLayout::selectionFollowsTheText()
{
    const QString line = ZelSettingsLineText(8, 0, 1, 1);
    const QString text = u"% TAB=4\told\nA\t1\nB\t2"_qs;
    const SettingsLineEdit edit = WithSettingsLine(text, line);
    const int b = static_cast<int>(text.indexOf(u"B\t2"_qs));
    QCOMPARE(edit.text.mid(edit.Shift(b), 3), u"B\t2"_qs);
    QCOMPARE(edit.Shift(static_cast<int>(text.size())), static_cast<int>(edit.text.size()));
    // A caret inside the removed line goes to the first character after the new line.
    QCOMPARE(edit.Shift(3), static_cast<int>(line.size()));
}

QTEST_APPLESS_MAIN(TestPrintLayout)
#include "tst_printlayout.moc"
