#include "support/Columns.h"
#include "input/CommandList.h"
#include "input/Completion.h"
#include "input/MergeCommandFiles.h"

#include <QtTest>

#include <limits>

namespace {
using Counts = QMap<QString, int>;

// name -> count of the entry lines of a list, as the popup would read them.
Counts Entries(const QString &list)
{
    Counts out;
    for (const QString &line : list.split(u'\n'))
        if (const qsizetype tab = line.indexOf(u'\t'); tab > 0)
            out.insert(line.left(tab), line.mid(tab + 1).toInt());
    return out;
}

QString Body(const QString &text)
{
    return "\\documentclass{jarticle}\n\\begin{document}\n" + text + "\n\\end{document}\n";
}

QStringList Split(const QString &content)
{
    const CommandListParts parts = SplitCommandList(content);
    return {parts.header, parts.list};
}
// The text inserted, then "@" and the caret in it.
QString Insertion(const QString &item)
{
    const CompletionInsertion r = InsertionFor(item);
    return r.text + u'@' + QString::number(r.caret);
}
// The names offered for a prefix; the list's width follows the longest.
QStringList Names(const QString &content, const QString &prefix, int minimum)
{
    const CompletionNames found = FindCompletionNames(CompletionEntries(content), prefix, minimum);
    const qsizetype longest = found.names.isEmpty() ? 0 : std::max_element(found.names.begin(), found.names.end(), [](auto &a, auto &b) { return a.size() < b.size(); })->size();
    return found.longest == longest ? found.names : QStringList{"longest", QString::number(found.longest)};
}
QPoint Place(int caretX, int caretY, int right)
{
    const PopupPlace p = PlacePopup(caretX, caretY, 20, 200, 100, right, 420, 40);
    return {p.x, p.y};
}
} // namespace

class TestInput : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void rules_data()
    {
        RuleColumns();
        Rule("merge: a longer name first keeps its own count", Entries(MergeCommandCounts(QString(), Body("\\section x \\section y \\sec z \\section w"))), {{"section", 3}, {"sec", 1}});
        Rule("merge: a shorter name first takes the longer ones", Entries(MergeCommandCounts(QString(), Body("\\sec z \\section x \\section y \\section w"))), {{"sec", 4}});
        Rule("merge: backslash before an ending character is skipped", Entries(MergeCommandCounts(QString(), Body("a\\,b \\alpha \\$ \\beta $"))), {{"alpha", 1}, {"beta", 1}});
        Rule("merge: one-letter names are never added", Entries(MergeCommandCounts(QString(), Body("\\item one \\i \\item two"))), {{"item", 2}});
        Rule("merge: a one-letter name drops its old line", Entries(MergeCommandCounts("\ni\t7\nalpha\t1\n", Body("\\i x"))), {{"alpha", 1}});
        Rule("merge: opening characters belong to the name", Entries(MergeCommandCounts(QString(), Body("\\begin{itemize}\\sqrt[3]{x} a\\_b x^\\alpha^2 \\end{itemize}"))), {{"begin{", 1}, {"sqrt[", 1}, {"alpha^", 1}, {"end{", 1}});
        Rule("merge: digits, brackets and operators end a name", Entries(MergeCommandCounts(QString(), Body("\\frac12 \\left(x\\right) \\vspace-1 \\hfill;\\cdot="))), {{"frac", 1}, {"left", 1}, {"right", 1}, {"vspace", 1}, {"hfill", 1}, {"cdot", 1}});
        Rule("merge: comments go, line break included", Entries(MergeCommandCounts(QString(), Body("\\alpha % \\beta \\gamma\n\\delta x% \\zeta"))), {{"alpha", 1}, {"delta", 1}});
        Rule("merge: escaped pairs are no commands", Entries(MergeCommandCounts(QString(), Body("a\\\\bold \\{\\bf x\\} \\[ \\] \\|norm\\| \\ space \\\"quote"))), {{"bf", 1}});
        Rule("merge: only the body counts", Entries(MergeCommandCounts(QString(), "\\usepackage{amsmath}\\begin{document}\\alpha \\end{document}\\beta ")), {{"alpha", 1}});
        Rule("merge: without a body marker the whole text counts", Entries(MergeCommandCounts(QString(), "\\alpha \\beta \\alpha ")), {{"alpha", 2}, {"beta", 1}});
        Rule("merge: old counts are added", Entries(MergeCommandCounts("\nalpha\t5\nbeta\t2\n", Body("\\alpha \\alpha \\gamma "))), {{"alpha", 7}, {"beta", 2}, {"gamma", 1}});
        Rule("merge: an entry without a count counts one", Entries(MergeCommandCounts("\nalpha\t\nbeta\n", Body("\\alpha "))), {{"alpha", 2}});
        Rule("merge: a count beyond 32 bits saturates", Entries(MergeCommandCounts("\nalpha\t99999999999\n", Body("\\alpha "))), {{"alpha", std::numeric_limits<int>::max()}});
        Rule("merge: a name at the end of the body", Entries(MergeCommandCounts(QString(), "text \\LaTeX")), {{"LaTeX", 1}});
        Rule("merge: a description stays with its entry", Entries(MergeCommandCounts("\nalpha%greek letter\t5\n", Body("\\alpha x \\alpha y"))), {{"alpha%greek letter", 7}});
        const QString marker = CommandListMarker(true);
        Rule("split: header, marker and list", Split("my notes\n" + marker + "\nalpha\t3\n\n\n%A\n"), {"my notes\n", "\nalpha\t3\n\n\n%A\n"});
        Rule("split: no line with a after the marker, the whole text", Split("notes\n" + marker + "\nbeta\t3\n"), {"notes\n", "notes\n" + marker + "\nbeta\t3\n"});
        Rule("split: no marker at all", Split("alpha\t2\nabove\t1\n"), {"", "\nabove\t1\n"});
        Rule("split: empty", Split(""), {"", ""});
        QStringList names{"section", "Sum", "sec", "abc"};
        SortNamesAbc(names); // by character code, upper case first
        Rule("abc order", names, {"Sum", "abc", "sec", "section"});
        Rule("first name starting with, any case", FirstNameStartingWith(names, "SEC"), 2);
        Rule("first name starting with, none", FirstNameStartingWith(names, "x"), -1);
        Rule("word end: the end of the text", TypedWordEnd("\\sec", 1), 4);
        Rule("word end: a blank", TypedWordEnd("\\sec tion", 1), 4);
        Rule("word end: a backslash", TypedWordEnd("\\sec\\x", 1), 4);
        Rule("word end: a brace belongs to the name", TypedWordEnd("\\begin{doc}", 1), 7);
        Rule("word end: a bracket belongs to the name", TypedWordEnd("\\sqrt[3]", 1), 6);
        Rule("word end: underscore and caret", TypedWordEnd("\\x_i \\y^2", 6), 8);
        Rule("insert: plain name", Insertion("section"), "section@7");
        Rule("insert: description cut", Insertion("setlength%space"), "setlength@9");
        Rule("insert: begin with environment", Insertion("begin{itemize}"), "begin{itemize}\n\n\\end{itemize}\n@14");
        Rule("insert: begin alone", Insertion("begin{"), "begin{\n\n\\end{\n@6");
        Rule("insert: begin with description", Insertion("begin{center}%centre"), "begin{center}\n\n\\end{center}\n@13");
        Rule("insert: only a description", Insertion("%nothing"), "@0");
        Rule("insert: a name ending in a brace", InsertionFor("section{").brace && InsertionFor("begin{").brace && !InsertionFor("begin{itemize}").brace, true);
        Rule("enter: the typed word begins the name, any case", EnterTakesName("SEC", "section"), true);
        Rule("enter: the whole name typed", EnterTakesName("setlength", "setlength%space"), true);
        Rule("enter: typed past the name is a miss", EnterTakesName("section{結論}", "section{"), false);
        // A list of 200 x 100 in a client 420 high, lines of 20, a gutter of 40: below the caret
        // line a little left of the caret; left of it (not past the gutter) at the right edge;
        // above the line at the bottom.
        Rule("popup: room right and below", Place(100, 50, 450), {90, 70});
        Rule("popup: at the right edge", Place(400, 50, 450), {220, 70});
        Rule("popup: narrow window, at the gutter", Place(150, 50, 300), {30, 70});
        Rule("popup: at the bottom", Place(100, 350, 450), {90, 250});
        Rule("popup height: two names", PopupListHeight(2, 180), 54);
        Rule("popup height: twenty names", PopupListHeight(20, 180), 432);
        Rule("popup width: nine letters", PopupListWidth(9), 126);
        Rule("popup width: ten letters", PopupListWidth(10), 100);
        Rule("popup fit: the room below the caret line", FitPopupHeight(500, 100, 20, 400), 280);
        Rule("popup fit: the room above it", FitPopupHeight(500, 300, 20, 400), 300);
        Rule("popup fit: small enough", FitPopupHeight(50, 300, 20, 400), 50);
        const QString list = "notes: \\COMMANDS x\n%a m\nalpha\t9\n\n\n%b\nsection\t5\nsec\t3\nsubsection\t2\nSection\t1\nsetlength%space\t3\nsmallskip\nSum\t4\nsqrt[\t3\n\n\n%T\n";
        Rule("completion: lower case prefix, four letters", Names(list, "s", 4), {"section", "subsection", "setlength%space", "smallskip", "sqrt["});
        Rule("completion: upper case prefix", Names(list, "S", 4), {"Section"});
        Rule("completion: two letters", Names(list, "s", 2), {"section", "sec", "subsection", "setlength%space", "smallskip", "sqrt["});
        Rule("completion: no match", Names(list, "q", 2), {});
        Rule("completion: the free text before the marker is not read", Names("\nsimple\t3\n\\COMMANDS\n%a\nsigma\t1\n", "s", 2), {"sigma"});
        Rule("completion: a file without markers is read whole", Names("\nsimple\t3\nsigma\t1", "s", 2), {"simple", "sigma"});
    }
    void rules() { CompareRule(); }

    void regrouping_data()
    {
        Columns<QString, QString>({"list", "start"});
        QTest::newRow("descending counts, equal counts by name") << "\nalpha\t3\nabc\t3\nangle\t9\naB\t3\n" << "\nangle\t9\naB\t3\nabc\t3\nalpha\t3\n\n\n%A\n\n\n%b";
        QTest::newRow("upper case follows lower case of the same letter") << "\nAlpha\t1\nbeta\t2\nalpha\t1\n" << "\nalpha\t1\n\n\n%A\nAlpha\t1\n\n\n%b\nbeta\t2\n\n\n%B\n\n\n%c";
        QTest::newRow("identical lines once, other lines dropped") << "\nalpha\t1\n%A\n7up\t3\n\nalpha\t1\n\\x\t2\n" << "\nalpha\t1\n\n\n%A\n\n\n%b";
    }
    void regrouping()
    {
        QFETCH(QString, list);
        QFETCH(QString, start);
        const QString merged = MergeCommandCounts(list, QString());
        QVERIFY2(merged.startsWith(start), qPrintable(merged));
        // Every letter has its marker line, in the order a A b B ... z Z.
        qsizetype at = 0;
        for (char c = 'a'; c <= 'z'; ++c)
            for (const char letter : {c, char(c - 'a' + 'A')})
                if (letter != 'a') {
                    at = merged.indexOf(QStringLiteral("\n\n\n%") + QLatin1Char(letter), at);
                    QVERIFY2(at++ >= 0, &letter);
                }
        QVERIFY(merged.endsWith(QStringLiteral("%Z\n\n\n")));
    }

    void makeFromNothing_data()
    {
        QTest::addColumn<bool>("english");
        QTest::newRow("Japanese") << false;
        QTest::newRow("English") << true;
    }
    void makeFromNothing()
    {
        QFETCH(bool, english);
        const QString made = MakeCommandListText(QString(), Body("\\alpha \\section{x}"), english);
        const QString head = StandardDescription(english) + CommandListMarker(english);
        QVERIFY(made.startsWith(head + "\nalpha\t1\n\n\n%A"));
        QCOMPARE(Entries(made.mid(head.size())), (Counts{{"alpha", 1}, {"section{", 1}}));
        // Made again from its own output, the header stays and the counts grow.
        const QString again = MakeCommandListText(made, Body("\\alpha "), english);
        QVERIFY(again.startsWith(head));
        QCOMPARE(Entries(again.mid(head.size())), (Counts{{"alpha", 2}, {"section{", 1}}));
    }

    // The document is taken in pieces that each end at a backslash, so no command is cut, and
    // the pieces after the first have no "\begin{document}" and count from their start.
    void largeDocumentInPieces()
    {
        QString doc = "\\documentclass{jarticle}\\usepackage{graphicx}\n\\begin{document}\n"
                      + QStringLiteral("\\section{Part} text text \\emph{word} more text.\n").repeated(3000) + "\\end{document}\n";
        QVERIFY(doc.size() > 3 * CommandChunkLength);
        const Counts counts = Entries(SplitCommandList(MakeCommandListText({}, doc, true)).list);
        QCOMPARE(counts.value("section{"), 3000);
        QCOMPARE(counts.value("emph{"), 3000);
        QVERIFY(!counts.contains("usepackage{"));
    }

    void readList_data()
    {
        Columns<QByteArray, QString>({"bytes", "text"});
        const QString list = QStringLiteral("メモ\n\\COMMANDS\n%a\nalpha\t3\n");
        const QString crlf = QString(list).replace("\n", "\r\n");
        QTest::newRow("UTF-8 with LF") << list.toUtf8() << list;
        QTest::newRow("UTF-8 with CR-LF") << crlf.toUtf8() << list;
        QTest::newRow("Shift_JIS") << QByteArray(QStringEncoder("windows-31j").encode(crlf)) << list;
        QTest::newRow("binary garbage keeps what reads") << QByteArray("\x00\x01\nalpha\t3\n\xff\xfe", 11) << QString();
        QTest::newRow("empty") << QByteArray() << QString();
    }
    void readList()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QTemporaryDir dir;
        const QString read = ReadCommandList(WriteBytes(dir.filePath("input_tex.mme"), bytes));
        if (text.isEmpty() && !bytes.isEmpty())
            QVERIFY2(read.contains(QStringLiteral("\nalpha\t3\n")), qPrintable(read));
        else
            QCOMPARE(read, text);
        QCOMPARE(ReadCommandList(dir.filePath("missing.mme")), QString());
    }

    // Each document is merged in turn and the list written as UTF-8 with LF, whatever it had;
    // a document that cannot be read leaves the list as it was.
    void mergeFiles_data()
    {
        QTest::addColumn<bool>("missing");
        QTest::newRow("every document read") << false;
        QTest::newRow("one document missing") << true;
    }
    void mergeFiles()
    {
        QFETCH(bool, missing);
        QTemporaryDir dir;
        const QByteArray old = "mine\r\n\\COMMANDS\r\n%a\r\nalpha\t2\r\n";
        const QString list = WriteBytes(dir.filePath("input_tex.mme"), old);
        QStringList docs{WriteBytes(dir.filePath("a.tex"), "\\begin{document}\\alpha \\beta \\end{document}"),
                         WriteBytes(dir.filePath("b.tex"), "\\begin{document}\r\n\\alpha x\r\n\\end{document}")};
        if (missing)
            docs << dir.filePath("missing.tex");
        QString err;
        QTextStream errors(&err);
        QCOMPARE(MergeCommandFiles(list, docs, false, errors), missing ? 1 : 0);
        QCOMPARE(err.contains("missing.tex"), missing);
        const QByteArray bytes = ReadBytes(list);
        QCOMPARE(bytes == old, missing);
        if (missing)
            return;
        QVERIFY(QString::fromUtf8(bytes).startsWith("mine\n" + CommandListMarker(false)));
        QCOMPARE(Entries(SplitCommandList(QString::fromUtf8(bytes)).list), (Counts{{"alpha", 4}, {"beta", 1}}));
    }
};

QTEST_GUILESS_MAIN(TestInput)
#include "tst_input.moc"
