#include "support/Columns.h"
#include "app/ZelSettings.h"
#include "view/PrintLayout.h"
#include "view/TextCommands.h"

#include <QtTest>

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
// On a page 4100 wide and 6000 high: with margin 1 the text is 4000 wide.
QList<PrintRect> Columns4100(int margin, int columns) { return ColumnRects(DrawingArea(4100, 6000, "PDF"), margin, columns); }
const QList<PrintRect> Four{{100, 100, 1050, 6000}, {1150, 100, 2050, 6000}, {2150, 100, 3050, 6000}, {3150, 100, 4100, 6000}};
int PageOf(int index)
{
    PageStartTable pages;
    pages.Paginate(ColumnRects(PrintRect{0, 0, 4100, 6000}, 1, 2), 50, FixedFitter(10));
    return pages.PageOf(index);
}
const QString Line = ZelSettingsLineText(8, 0, 2, 1);
// The text with the settings line at its top, "+" when it changed.
QString AtTop(const QString &text)
{
    const SettingsLineEdit edit = WithSettingsLine(text, Line);
    return edit.text + (edit.changed ? "+" : "");
}
} // namespace

class TestPrintLayout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void rules_data()
    {
        RuleColumns();
        Rule("one column fills the text area", Columns4100(1, 1), {{100, 100, 4100, 6000}});
        Rule("two columns with a gap of 100", Columns4100(1, 2), {{100, 100, 2050, 6000}, {2150, 100, 4100, 6000}});
        Rule("three columns truncate the thirds", Columns4100(1, 3), {{100, 100, 1383, 6000}, {1483, 100, 2716, 6000}, {2816, 100, 4100, 6000}});
        Rule("four columns", Columns4100(1, 4), Four);
        Rule("margin 4 moves the left and the top only", Columns4100(4, 2), {{400, 400, 2200, 6000}, {2300, 400, 4100, 6000}});
        Rule("a count beyond four is four", Columns4100(1, 9), Four);
        Rule("no margin is margin 1", Columns4100(0, 1), {{100, 100, 4100, 6000}});
        Rule("the document writer prints smaller", DrawingArea(5000, 7000, "Microsoft XPS Document Writer"), {0, 0, 4900, 6900});
        Rule("another printer of a like name does not", DrawingArea(5000, 7000, "Microsoft XPS Document Writer 2"), {0, 0, 5000, 7000});
        Rule("page of the start", PageOf(0), 1);
        Rule("page of page 1's last character", PageOf(19), 1);
        Rule("page of page 2's first character", PageOf(20), 2);
        Rule("page of a character beyond the text", PageOf(1000), 3);
        Rule("settings line: a plain table gets it", AtTop("A\t1\nB\t2"), Line + "A\t1\nB\t2+");
        Rule("settings line: the same stays", AtTop(Line + "A\t1"), Line + "A\t1");
        Rule("settings line: an old one is replaced", AtTop(ZelSettingsLineText(4, -50, 1, 3) + "A"), Line + "A+");
        Rule("settings line: a damaged one is replaced, nothing else lost", AtTop("% TAB=x\tCOL=\n%note\nA\t1\n"), Line + "%note\nA\t1\n+");
        Rule("settings line: a comment without TAB= stays below", AtTop("% my table\nA"), Line + "% my table\nA+");
        Rule("settings line: TAB= in a row that is no comment stays", AtTop("TAB=8\nA"), Line + "TAB=8\nA+");
        Rule("settings line: without its break at the end", AtTop(Line.chopped(1)), Line + "+");
        Rule("settings line: an empty document", AtTop(""), Line + "+");
    }
    void rules() { CompareRule(); }

    void pagesContinueColumnAfterColumn_data()
    {
        Columns<int, int, int, QList<int>, int>({"columns", "perColumn", "length", "starts", "fitCalls"});
        QTest::newRow("two columns: a page holds both") << 2 << 10 << 45 << QList<int>{0, 20, 40} << 5;
        QTest::newRow("text ends in the first column") << 2 << 10 << 25 << QList<int>{0, 20} << 3;
        QTest::newRow("text ends exactly at a page end") << 2 << 10 << 40 << QList<int>{0, 20} << 4;
        QTest::newRow("four columns") << 4 << 7 << 60 << QList<int>{0, 28, 56} << 9;
        QTest::newRow("empty text is one page") << 1 << 10 << 0 << QList<int>{0} << 0;
    }
    void pagesContinueColumnAfterColumn()
    {
        QFETCH(int, columns);
        QFETCH(int, perColumn);
        QFETCH(int, length);
        const QList<PrintRect> rects = ColumnRects(PrintRect{0, 0, 4100, 6000}, 1, columns);
        QList<PrintRect> seen;
        PageStartTable pages;
        pages.Paginate(rects, length, FixedFitter(perColumn, &seen));
        QTEST(pages.Starts(), "starts");
        QTEST(int(seen.size()), "fitCalls");
        // Every column is laid in its own rectangle, left to right, page after page.
        for (qsizetype i = 0; i < seen.size(); ++i)
            QCOMPARE(seen.at(i), rects.at(i % rects.size()));
    }

    void tooSmallColumnsStillEnd()
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

    void printedTextMapsBack_data()
    {
        Columns<QString, bool>({"source", "withoutComments"});
        QTest::newRow("plain text is printed as it is") << u"a\n%b\nc"_qs << false;
        QTest::newRow("comments inside") << u"A\t1\n%c\nB\t2\n%d\n%e\nC"_qs << true;
        QTest::newRow("comment first") << u"% TAB=8\tx\nA\nB\n"_qs << true;
        QTest::newRow("comment last") << u"A\nB\n%end"_qs << true;
        QTest::newRow("empty lines and an empty first line") << u"\n\n%x\n\nA\n"_qs << true;
        QTest::newRow("only comments") << u"%a\n%b"_qs << true;
    }
    void printedTextMapsBack()
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

    void settingsLineReadsBack_data()
    {
        Columns<int, int, int, int>({"tab", "font", "columns", "margin"});
        QTest::newRow("defaults, no printer font") << 8 << 0 << 1 << 1;
        QTest::newRow("chosen values") << 16 << -83 << 3 << 4;
    }
    void settingsLineReadsBack()
    {
        QFETCH(int, tab);
        QFETCH(int, font);
        QFETCH(int, columns);
        QFETCH(int, margin);
        const QString line = ZelSettingsLineText(tab, font, columns, margin);
        QCOMPARE(line, u"% TAB=%1\tFont=%2\tCOL=%3\tMargin=%4\t印刷設定：表幅・フォント・段組・余白\t% 行は印刷されません。\n"_qs.arg(tab).arg(font).arg(columns).arg(margin));
        // Opening the document reads the same values back.
        ZelSettings read{4, 2, 0, false, 2};
        QVERIFY(ReadZelSettingsLine(line, read));
        QCOMPARE((QList<int>{read.tabWidth, read.printFontHeight, read.printFontHeightSet, read.printColumns, read.printMargin}), (QList<int>{tab, font, 1, columns, margin}));
    }

    void selectionFollowsTheText()
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
};

QTEST_APPLESS_MAIN(TestPrintLayout)
#include "tst_printlayout.moc"
