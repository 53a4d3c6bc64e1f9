#include "view/FindReplace.h"
#include "view/Navigation.h"
#include "view/TextCommands.h"

#include <QtTest>

Q_DECLARE_METATYPE(PageTarget)
Q_DECLARE_METATYPE(TextRange)
Q_DECLARE_METATYPE(PopupChoice)

// The rules of moving, searching and the small text commands, on plain text.
class TestTextRules : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void paging_data()
    {
        QTest::addColumn<int>("lineCount"); // 0: page up
        QTest::addColumn<int>("caret");
        QTest::addColumn<PageTarget>("target");
        QTest::newRow("down: a whole screen below") << 100 << 10 << PageTarget{20, 30, false, false};
        QTest::newRow("down: one screen and one line left") << 31 << 10 << PageTarget{20, 30, false, false};
        QTest::newRow("down: one line short of a screen goes to the end") << 30 << 10 << PageTarget{0, 0, false, true};
        QTest::newRow("down: on the last line") << 5 << 4 << PageTarget{0, 0, false, true};
        QTest::newRow("up: far down") << 0 << 50 << PageTarget{-20, 30, false, false};
        QTest::newRow("up: exactly one screen down") << 0 << 20 << PageTarget{-20, 0, false, false};
        QTest::newRow("up: within the first screen") << 0 << 19 << PageTarget{0, 0, true, false};
    }
    void paging()
    {
        QFETCH(int, lineCount);
        QFETCH(int, caret);
        QTEST(lineCount ? PageDownTarget(lineCount, caret, 20) : PageUpTarget(caret, 20), "target");
    }

    void scrolls_data()
    {
        QTest::addColumn<int>("target");
        QTest::addColumn<int>("jump"); // after a line jump, amount 5
        QTest::addColumn<int>("match"); // after a search, 20 rows
        QTest::newRow("far below the top") << 40 << 5 << 13;
        QTest::newRow("six below") << 16 << 5 << 0;
        QTest::newRow("five below") << 15 << 0 << 0;
        QTest::newRow("one below") << 11 << 0 << -1;
        QTest::newRow("on the top line") << 10 << -5 << -2;
        QTest::newRow("above the top") << 3 << -5 << -9;
        QTest::newRow("row N-3 stays for a search") << 27 << 5 << 0;
        QTest::newRow("row N-2 moves one for a search") << 28 << 5 << 1;
    }
    void scrolls()
    {
        QFETCH(int, target);
        QTEST(JumpScrollAdjustment(target, 10, 5), "jump");
        QTEST(MatchScrollLines(target, 10, 20), "match");
    }

    void logicalLines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("n");
        QTest::addColumn<TextRange>("range");
        QTest::addColumn<int>("afterFeeds");
        const QString text = QStringLiteral("ab\ncde\n\nf");
        QTest::newRow("first line") << text << 1 << TextRange{0, 3} << 0;
        QTest::newRow("second line") << text << 2 << TextRange{3, 7} << 3;
        QTest::newRow("empty line") << text << 3 << TextRange{7, 8} << 7;
        QTest::newRow("last line without feed: empty at its start") << text << 4 << TextRange{8, 8} << 8;
        QTest::newRow("beyond the last line: text end") << text << 9 << TextRange{9, 9} << 9;
        QTest::newRow("empty text") << QString() << 2 << TextRange{0, 0} << 0;
    }
    void logicalLines()
    {
        QFETCH(QString, text);
        QFETCH(int, n);
        QTEST(LogicalLineRange(text, n), "range");
        QTEST(IndexAfterLineFeeds(text, n - 1), "afterFeeds");
    }

    void leadingNumber_data()
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
    void leadingNumber()
    {
        QFETCH(QString, text);
        QTEST(LeadingNumber(text), "n");
    }

    void wordSelection_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("s");
        QTest::addColumn<QString>("ext");
        QTest::addColumn<QString>("selected");
        QTest::newRow("tex: command with its backslash") << "\\section{Intro}" << 4 << ".tex" << "\\section";
        QTest::newRow("tex: argument stops at braces") << "\\section{Intro}" << 11 << ".tex" << "Intro";
        QTest::newRow("tex: glued command takes its backslash") << "x\\alpha=y" << 4 << ".tex" << "\\alpha";
        QTest::newRow("tex: backslash further left than a stop is not taken") << "\\a b" << 3 << ".tex" << "b";
        QTest::newRow("txt: comma is part of the word") << "x a,b y" << 3 << ".txt" << "a,b";
        QTest::newRow("txt: stops at a backslash") << "a\\bc d" << 3 << ".txt" << "bc";
        QTest::newRow("txt: full-width punctuation stops") << QString::fromUtf8("日本語、英語") << 1 << ".txt" << QString::fromUtf8("日本語");
        QTest::newRow("cpp: code punctuation") << "int x=foo(y);" << 7 << ".cpp" << "foo";
        QTest::newRow("H counts as source") << "a.b" << 0 << ".H" << "a";
        QTest::newRow("second line only") << "one\ntwo three" << 5 << ".txt" << "two";
        QTest::newRow("at the line end") << "ab\ncd" << 2 << ".txt" << "ab";
        QTest::newRow("empty line selects nothing") << "a\n\nb" << 2 << ".txt" << "";
    }
    void wordSelection()
    {
        QFETCH(QString, text);
        QFETCH(int, s);
        QFETCH(QString, ext);
        const TextRange r = WordSelectionRange(text, s, ext);
        QTEST(text.mid(r.start, r.end - r.start), "selected");
    }

    void popupMenu_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("calc");
        QTest::addColumn<bool>("rightClick");
        QTest::addColumn<PopupChoice>("menu");
        QTest::newRow("editing menu") << "/i/a.tex" << false << true << PopupChoice::Editing;
        QTest::newRow("switch off: none of ours") << "/i/a.tex" << false << false << PopupChoice::None;
        QTest::newRow("calculation even with the switch off") << "/i/a.zel" << true << false << PopupChoice::Calculation;
        QTest::newRow("the read-me") << "/i/ReadMe.log" << true << true << PopupChoice::None;
        QTest::newRow("the English read-me") << "/i//ReadMeE.log" << false << true << PopupChoice::None;
        QTest::newRow("a read-me elsewhere") << "/j/ReadMe.log" << false << true << PopupChoice::Editing;
    }
    void popupMenu()
    {
        QFETCH(QString, path);
        QFETCH(bool, calc);
        QFETCH(bool, rightClick);
        QTEST(PopupMenuFor(IsReadMeFile(path, "/i"), calc, rightClick), "menu");
    }

    void find_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("what");
        QTest::addColumn<int>("selStart");
        QTest::addColumn<int>("selEnd");
        QTest::addColumn<bool>("forward");
        QTest::addColumn<bool>("matchCase");
        QTest::addColumn<int>("found"); // -1: none
        QTest::newRow("forward from the caret") << "abc abc abc" << "abc" << 1 << 1 << true << true << 4;
        QTest::newRow("forward starts behind the selection") << "abc abc abc" << "abc" << 4 << 7 << true << true << 8;
        QTest::newRow("forward past the last match") << "abc abc" << "abc" << 4 << 7 << true << true << -1;
        QTest::newRow("backward from the selection start") << "abc abc abc" << "abc" << 8 << 11 << false << true << 4;
        QTest::newRow("backward needs the whole match before the selection") << "abcabc" << "abc" << 5 << 5 << false << true << 0;
        QTest::newRow("backward before the first match") << "abc abc" << "abc" << 0 << 3 << false << true << -1;
        QTest::newRow("case counts") << "ABC abc" << "abc" << 0 << 0 << true << true << 4;
        QTest::newRow("case ignored") << "ABC abc" << "abc" << 0 << 0 << true << false << 0;
        QTest::newRow("empty search text") << "abc" << "" << 0 << 0 << true << true << -1;
        QTest::newRow("a half of a pair is not a match") << QString::fromUtf8("😀") << QString(QString::fromUtf8("😀").at(1)) << 0 << 0 << true << true << -1;
    }
    void find()
    {
        QFETCH(QString, text);
        QFETCH(QString, what);
        QFETCH(int, selStart);
        QFETCH(int, selEnd);
        QFETCH(bool, forward);
        QFETCH(bool, matchCase);
        const std::optional<TextMatch> m = FindInText(text, what, selStart, selEnd, forward, matchCase);
        QTEST(m ? m->start : -1, "found");
        if (m)
            QCOMPARE(m->length, what.size());
    }

    void replaceAll_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("with");
        QTest::addColumn<QString>("result");
        QTest::addColumn<int>("count");
        QTest::newRow("every occurrence") << "a-b-a-b" << "a" << "XY" << "XY-b-XY-b" << 2;
        QTest::newRow("not overlapping, left to right") << "aaaaa" << "aa" << "b" << "bba" << 2;
        QTest::newRow("case counts") << "Abc abc ABC" << "abc" << "x" << "Abc x ABC" << 1;
        QTest::newRow("the replacement is not searched again") << "ab" << "a" << "aa" << "aab" << 1;
        QTest::newRow("line breaks inside") << "a\nb a\nb" << "a\nb" << "c" << "c c" << 2;
        QTest::newRow("removing") << "x1x2x" << "x" << "" << "12" << 3;
        QTest::newRow("empty search text") << "abc" << "" << "y" << "abc" << 0;
    }
    void replaceAll()
    {
        QFETCH(QString, text);
        QFETCH(QString, what);
        QFETCH(QString, with);
        const ReplaceAllResult r = ReplaceAllInText(text, what, with);
        QTEST(r.text, "result");
        QTEST(r.count, "count");
    }

    void history_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("matchCase");
        QTest::addColumn<QStringList>("list");
        QTest::newRow("new text on top") << "new" << true << QStringList{"new", "abc", "ABC", "other"};
        QTest::newRow("the same text moves up") << "other" << true << QStringList{"other", "abc", "ABC"};
        QTest::newRow("case ignored: the first equal one goes") << "Abc" << false << QStringList{"Abc", "ABC", "other"};
        QTest::newRow("case counts: the equal one goes") << "ABC" << true << QStringList{"ABC", "abc", "other"};
    }
    void history()
    {
        QFETCH(QString, text);
        QFETCH(bool, matchCase);
        QTEST(AddToHistory({"abc", "ABC", "other"}, text, matchCase, 4), "list");
        QCOMPARE(AddToHistory(QStringList(20, "w"), "x", true).size(), 16);
    }

    void comments_data()
    {
        QTest::addColumn<int>("rule"); // 0 add, 1 remove marks, 2 remove comment lines
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("result");
        QTest::newRow("add: one line") << 0 << "two" << "%%two";
        QTest::newRow("add: every line, and after a final break") << 0 << "one\ntwo\n" << "%%one\n%%two\n%%";
        QTest::newRow("remove: pairs go") << 1 << "%%a\n%%b" << "a\nb";
        QTest::newRow("remove: a pair then a single") << 1 << "%%%a" << "%a";
        QTest::newRow("remove: a single stays") << 1 << "50% a" << "50% a";
        QTest::newRow("lines: first and last") << 2 << "%first\nkeep\n%last" << "keep";
        QTest::newRow("lines: indented comments stay") << 2 << "a\n  %b\n\t%c\nd" << "a\n  %b\n\t%c\nd";
        QTest::newRow("lines: consecutive comments") << 2 << "a\n%1\n%2\n%3\nb" << "a\nb";
        QTest::newRow("lines: only comments") << 2 << "%a\n%b\n%c" << "";
        QTest::newRow("lines: comment with its final break") << 2 << "%a\n" << "";
        QTest::newRow("lines: text ends with a break") << 2 << "a\n%b\n" << "a\n";
        QTest::newRow("lines: empty lines stay") << 2 << "a\n\n%b\n\nc" << "a\n\n\nc";
        QTest::newRow("lines: first line empty, then a comment") << 2 << "\n%x\ny" << "\ny";
    }
    void comments()
    {
        QFETCH(int, rule);
        QFETCH(QString, text);
        QTEST(rule == 0 ? CommentedSelection(text) : rule == 1 ? UncommentedSelection(text) : WithoutCommentLines(text), "result");
    }

    // Every environment opens and closes the same name and leaves the caret at the start of a
    // line inside it; the document skeleton leaves it in the class of its first line.
    void templates_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<bool>("english");
        for (int w = 0; w <= int(EnvTemplate::Document); ++w)
            for (bool english : {false, true})
                QTest::addRow("%d, %s", w, english ? "en" : "ja") << w << english;
    }
    void templates()
    {
        QFETCH(int, which);
        QFETCH(bool, english);
        const TemplateText t = EnvironmentTemplate(EnvTemplate(which), english);
        QVERIFY(t.text.endsWith(u'\n') && t.caretOffset > 0 && t.caretOffset < t.text.size());
        const QStringList lines = t.text.chopped(1).split(u'\n');
        const qsizetype caretLine = t.text.left(t.caretOffset).count(u'\n');
        if (EnvTemplate(which) == EnvTemplate::Document) {
            QCOMPARE(caretLine, 0);
            QVERIFY(lines.first().startsWith("\\documentclass") && lines.contains("\\begin{document}"));
            QCOMPARE(lines.last(), QLatin1String("\\end{document}"));
            return;
        }
        QCOMPARE(t.text.at(t.caretOffset - 1), u'\n');
        const QString name = lines.first().section(u'{', 1, 1).section(u'}', 0, 0);
        QVERIFY(lines.first().startsWith(QStringLiteral("\\begin{%1}").arg(name)));
        QCOMPARE(lines.last(), QStringLiteral("\\end{%1}").arg(name));
        QVERIFY(caretLine > 0 && caretLine < lines.size() - 1);
    }

    void webSearch()
    {
        // Every reserved character is encoded: the search page reads "+" as a space.
        QCOMPARE(WebSearchUrl("c++ tables & more").toString(QUrl::FullyEncoded),
                 QStringLiteral("http://www.google.com/search?q=c%2B%2B%20tables%20%26%20more"));
    }
};

QTEST_APPLESS_MAIN(TestTextRules)
#include "tst_textrules.moc"
