#include "support/Columns.h"
#include "view/FindReplace.h"
#include "view/Navigation.h"
#include "view/TextCommands.h"

#include <QtTest>

namespace {
QString Word(const QString &text, int at, const char *ext)
{
    const TextRange r = WordSelectionRange(text, at, QString::fromLatin1(ext));
    return text.mid(r.start, r.end - r.start);
}
// Where the match starts, -1 for none.
int Find(const QString &text, const QString &what, int selStart, int selEnd, bool forward, bool matchCase = true)
{
    const std::optional<TextMatch> m = FindInText(text, what, selStart, selEnd, forward, matchCase);
    return m && m->length == what.size() ? m->start : -1;
}
// The text after Replace All, then "#" and the count.
QString ReplaceAll(const QString &text, const QString &what, const QString &with)
{
    const ReplaceAllResult r = ReplaceAllInText(text, what, with);
    return r.text + u'#' + QString::number(r.count);
}
PopupChoice Popup(const char *path, bool calc, bool rightClick) { return PopupMenuFor(IsReadMeFile(path, "/i"), calc, rightClick); }
const QStringList History{"abc", "ABC", "other"};
} // namespace

// The rules of moving, searching and the small text commands, on plain text.
class TestTextRules : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void rules_data()
    {
        RuleColumns();
        Rule("page down: one screen and one line left", PageDownTarget(31, 10, 20), {20, 30, false, false});
        Rule("page down: one line short of a screen goes to the end", PageDownTarget(30, 10, 20), {0, 0, false, true});
        Rule("page down: on the last line", PageDownTarget(5, 4, 20), {0, 0, false, true});
        Rule("page up: far down", PageUpTarget(50, 20), {-20, 30, false, false});
        Rule("page up: exactly one screen down", PageUpTarget(20, 20), {-20, 0, false, false});
        Rule("page up: within the first screen", PageUpTarget(19, 20), {0, 0, true, false});
        // Top line 10; a line jump scrolls by 5, a search shows 20 rows.
        Rule("jump: five below", JumpScrollAdjustment(15, 10, 5), 0);
        Rule("jump: six below", JumpScrollAdjustment(16, 10, 5), 5);
        Rule("jump: on the top line", JumpScrollAdjustment(10, 10, 5), -5);
        Rule("match: far below the top", MatchScrollLines(40, 10, 20), 13);
        Rule("match: one below", MatchScrollLines(11, 10, 20), -1);
        Rule("match: above the top", MatchScrollLines(3, 10, 20), -9);
        Rule("match: row N-3 stays", MatchScrollLines(27, 10, 20), 0);
        Rule("match: row N-2 moves one", MatchScrollLines(28, 10, 20), 1);
        const QString lines = QStringLiteral("ab\ncde\n\nf");
        Rule("line: first", LogicalLineRange(lines, 1), {0, 3});
        Rule("line: empty", LogicalLineRange(lines, 3), {7, 8});
        Rule("line: last without feed, empty at its start", LogicalLineRange(lines, 4), {8, 8});
        Rule("line: beyond the last, the text end", LogicalLineRange(lines, 9), {9, 9});
        Rule("line: of an empty text", LogicalLineRange("", 2), {0, 0});
        Rule("after feeds: two", IndexAfterLineFeeds(lines, 2), 7);
        Rule("after feeds: beyond the last", IndexAfterLineFeeds(lines, 8), 9);
        Rule("number: digits then text", LeadingNumber("42abc"), 42);
        Rule("number: leading blanks", LeadingNumber("  7"), 7);
        Rule("number: no digits", LeadingNumber("l.12"), 0);
        Rule("number: full-width digits are none", LeadingNumber("１２"), 0);
        Rule("number: too large", LeadingNumber("99999999999"), 0);
        Rule("word: tex command with its backslash", Word("\\section{Intro}", 4, ".tex"), "\\section");
        Rule("word: tex argument stops at braces", Word("\\section{Intro}", 11, ".tex"), "Intro");
        Rule("word: tex glued command takes its backslash", Word("x\\alpha=y", 4, ".tex"), "\\alpha");
        Rule("word: tex backslash left of a stop is not taken", Word("\\a b", 3, ".tex"), "b");
        Rule("word: txt comma is part of the word", Word("x a,b y", 3, ".txt"), "a,b");
        Rule("word: txt stops at a backslash", Word("a\\bc d", 3, ".txt"), "bc");
        Rule("word: txt full-width punctuation stops", Word("日本語、英語", 1, ".txt"), "日本語");
        Rule("word: cpp code punctuation", Word("int x=foo(y);", 7, ".cpp"), "foo");
        Rule("word: H counts as source", Word("a.b", 0, ".H"), "a");
        Rule("word: second line only", Word("one\ntwo three", 5, ".txt"), "two");
        Rule("word: at the line end", Word("ab\ncd", 2, ".txt"), "ab");
        Rule("word: empty line selects nothing", Word("a\n\nb", 2, ".txt"), "");
        Rule("popup: editing menu", Popup("/i/a.tex", false, true), PopupChoice::Editing);
        Rule("popup: switch off, none of ours", Popup("/i/a.tex", false, false), PopupChoice::None);
        Rule("popup: calculation even with the switch off", Popup("/i/a.zel", true, false), PopupChoice::Calculation);
        Rule("popup: the read-me", Popup("/i/ReadMe.log", true, true), PopupChoice::None);
        Rule("popup: the English read-me", Popup("/i//ReadMeE.log", false, true), PopupChoice::None);
        Rule("popup: a read-me elsewhere", Popup("/j/ReadMe.log", false, true), PopupChoice::Editing);
        Rule("find: forward from the caret", Find("abc abc abc", "abc", 1, 1, true), 4);
        Rule("find: forward starts behind the selection", Find("abc abc abc", "abc", 4, 7, true), 8);
        Rule("find: forward past the last match", Find("abc abc", "abc", 4, 7, true), -1);
        Rule("find: backward from the selection start", Find("abc abc abc", "abc", 8, 11, false), 4);
        Rule("find: backward needs the whole match before the selection", Find("abcabc", "abc", 5, 5, false), 0);
        Rule("find: backward before the first match", Find("abc abc", "abc", 0, 3, false), -1);
        Rule("find: case counts", Find("ABC abc", "abc", 0, 0, true), 4);
        Rule("find: case ignored", Find("ABC abc", "abc", 0, 0, true, false), 0);
        Rule("find: empty search text", Find("abc", "", 0, 0, true), -1);
        Rule("find: a half of a pair is no match", Find("😀", QString(QString("😀").at(1)), 0, 0, true), -1);
        Rule("replace: every occurrence", ReplaceAll("a-b-a-b", "a", "XY"), "XY-b-XY-b#2");
        Rule("replace: not overlapping, left to right", ReplaceAll("aaaaa", "aa", "b"), "bba#2");
        Rule("replace: case counts", ReplaceAll("Abc abc ABC", "abc", "x"), "Abc x ABC#1");
        Rule("replace: the replacement is not searched again", ReplaceAll("ab", "a", "aa"), "aab#1");
        Rule("replace: line breaks inside", ReplaceAll("a\nb a\nb", "a\nb", "c"), "c c#2");
        Rule("replace: removing", ReplaceAll("x1x2x", "x", ""), "12#3");
        Rule("replace: empty search text", ReplaceAll("abc", "", "y"), "abc#0");
        Rule("history: new text on top", AddToHistory(History, "new", true, 4), {"new", "abc", "ABC", "other"});
        Rule("history: the same text moves up", AddToHistory(History, "other", true, 4), {"other", "abc", "ABC"});
        Rule("history: case ignored, the first equal one goes", AddToHistory(History, "Abc", false, 4), {"Abc", "ABC", "other"});
        Rule("history: case counts, the equal one goes", AddToHistory(History, "ABC", true, 4), {"ABC", "abc", "other"});
        Rule("history: sixteen at most", AddToHistory(QStringList(20, "w"), "x", true).size(), 16);
        Rule("comment: one line", CommentedSelection("two"), "%%two");
        Rule("comment: every line, and after a final break", CommentedSelection("one\ntwo\n"), "%%one\n%%two\n%%");
        Rule("uncomment: pairs go", UncommentedSelection("%%a\n%%b"), "a\nb");
        Rule("uncomment: a pair then a single", UncommentedSelection("%%%a"), "%a");
        Rule("uncomment: a single stays", UncommentedSelection("50% a"), "50% a");
        Rule("comment lines: first and last", WithoutCommentLines("%first\nkeep\n%last"), "keep");
        Rule("comment lines: indented comments stay", WithoutCommentLines("a\n  %b\n\t%c\nd"), "a\n  %b\n\t%c\nd");
        Rule("comment lines: consecutive comments", WithoutCommentLines("a\n%1\n%2\n%3\nb"), "a\nb");
        Rule("comment lines: comment with its final break", WithoutCommentLines("%a\n"), "");
        Rule("comment lines: text ends with a break", WithoutCommentLines("a\n%b\n"), "a\n");
        Rule("comment lines: empty lines stay", WithoutCommentLines("a\n\n%b\n\nc"), "a\n\n\nc");
        Rule("comment lines: first line empty, then a comment", WithoutCommentLines("\n%x\ny"), "\ny");
        // Every reserved character is encoded: the search page reads "+" as a space.
        Rule("web search", WebSearchUrl("c++ tables & more").toString(QUrl::FullyEncoded), "http://www.google.com/search?q=c%2B%2B%20tables%20%26%20more");
    }
    void rules() { CompareRule(); }

    // Every environment opens and closes the same name and leaves the caret at the start of a
    // line inside it; the document skeleton leaves it in the class of its first line.
    void templates_data()
    {
        Columns<int, bool>({"which", "english"});
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
};

QTEST_APPLESS_MAIN(TestTextRules)
#include "tst_textrules.moc"
