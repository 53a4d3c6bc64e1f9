#include "input/CommandList.h"
#include "input/Completion.h"
#include "input/MergeCommandFiles.h"

#include <QFile>
#include <QMap>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

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

QString Write(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    QFile f(dir.filePath(name));
    if (!f.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(name));
    f.write(bytes);
    return f.fileName();
}

QByteArray ReadBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

class TestInput : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void mergeCounts_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("chunk");
        QTest::addColumn<Counts>("expected");
        QTest::newRow("a longer name first keeps its own count") << QString() << Body("\\section x \\section y \\sec z \\section w") << Counts{{"section", 3}, {"sec", 1}};
        QTest::newRow("a shorter name first takes the longer ones") << QString() << Body("\\sec z \\section x \\section y \\section w") << Counts{{"sec", 4}};
        QTest::newRow("backslash before an ending character is skipped") << QString() << Body("a\\,b \\alpha \\$ \\beta $") << Counts{{"alpha", 1}, {"beta", 1}};
        QTest::newRow("one-letter names are never added") << QString() << Body("\\item one \\i \\item two") << Counts{{"item", 2}};
        QTest::newRow("a one-letter name drops its old line") << "\ni\t7\nalpha\t1\n" << Body("\\i x") << Counts{{"alpha", 1}};
        QTest::newRow("opening characters belong to the name") << QString() << Body("\\begin{itemize}\\sqrt[3]{x} a\\_b x^\\alpha^2 \\end{itemize}") << Counts{{"begin{", 1}, {"sqrt[", 1}, {"alpha^", 1}, {"end{", 1}};
        QTest::newRow("digits, brackets and operators end a name") << QString() << Body("\\frac12 \\left(x\\right) \\vspace-1 \\hfill;\\cdot=") << Counts{{"frac", 1}, {"left", 1}, {"right", 1}, {"vspace", 1}, {"hfill", 1}, {"cdot", 1}};
        QTest::newRow("comments go, line break included") << QString() << Body("\\alpha % \\beta \\gamma\n\\delta x% \\zeta") << Counts{{"alpha", 1}, {"delta", 1}};
        QTest::newRow("escaped pairs are no commands") << QString() << Body("a\\\\bold \\{\\bf x\\} \\[ \\] \\|norm\\| \\ space \\\"quote") << Counts{{"bf", 1}};
        QTest::newRow("only the body counts") << QString() << "\\usepackage{amsmath}\\begin{document}\\alpha \\end{document}\\beta " << Counts{{"alpha", 1}};
        QTest::newRow("without a body marker the whole text counts") << QString() << "\\alpha \\beta \\alpha " << Counts{{"alpha", 2}, {"beta", 1}};
        QTest::newRow("old counts are added") << "\nalpha\t5\nbeta\t2\n" << Body("\\alpha \\alpha \\gamma ") << Counts{{"alpha", 7}, {"beta", 2}, {"gamma", 1}};
        QTest::newRow("an entry without a count counts one") << "\nalpha\t\nbeta\n" << Body("\\alpha ") << Counts{{"alpha", 2}};
        QTest::newRow("a count beyond 32 bits saturates") << "\nalpha\t99999999999\n" << Body("\\alpha ") << Counts{{"alpha", std::numeric_limits<int>::max()}};
        QTest::newRow("a name at the end of the body") << QString() << "text \\LaTeX" << Counts{{"LaTeX", 1}};
        QTest::newRow("a description stays with its entry") << "\nalpha%greek letter\t5\n" << Body("\\alpha x \\alpha y") << Counts{{"alpha%greek letter", 7}};
    }
    void mergeCounts()
    {
        QFETCH(QString, list);
        QFETCH(QString, chunk);
        QFETCH(Counts, expected);
        QCOMPARE(Entries(MergeCommandCounts(list, chunk)), expected);
    }

    void regrouping_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("start");
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

    void split_data()
    {
        QTest::addColumn<QString>("content");
        QTest::addColumn<QString>("header");
        QTest::addColumn<QString>("list");
        const QString marker = CommandListMarker(true);
        QTest::newRow("header, marker and list") << "my notes\n" + marker + "\nalpha\t3\n\n\n%A\n" << "my notes\n" << "\nalpha\t3\n\n\n%A\n";
        QTest::newRow("no line with a after the marker: the whole text") << "notes\n" + marker + "\nbeta\t3\n" << "notes\n" << "notes\n" + marker + "\nbeta\t3\n";
        QTest::newRow("no marker at all") << "alpha\t2\nabove\t1\n" << "" << "\nabove\t1\n";
        QTest::newRow("empty") << "" << "" << "";
    }
    void split()
    {
        QFETCH(QString, content);
        const CommandListParts parts = SplitCommandList(content);
        QTEST(parts.header, "header");
        QTEST(parts.list, "list");
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
                      + QStringLiteral("\\section{Part} text text \\emph{word} more text.\n")
                            .repeated(3000)
                      + "\\end{document}\n";
        QVERIFY(doc.size() > 3 * CommandChunkLength);
        const Counts counts = Entries(SplitCommandList(MakeCommandListText({}, doc, true)).list);
        QCOMPARE(counts.value("section{"), 3000);
        QCOMPARE(counts.value("emph{"), 3000);
        QVERIFY(!counts.contains("usepackage{"));
    }

    void readList_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
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
        const QString read = ReadCommandList(Write(dir, "input_tex.mme", bytes));
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
        const QString list = Write(dir, "input_tex.mme", old);
        QStringList docs{Write(dir, "a.tex", "\\begin{document}\\alpha \\beta \\end{document}"),
                         Write(dir, "b.tex", "\\begin{document}\r\n\\alpha x\r\n\\end{document}")};
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

    void completionNames_data()
    {
        QTest::addColumn<QString>("content");
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<int>("minimum");
        QTest::addColumn<QStringList>("names");
        const QString list = "notes: \\COMMANDS x\n%a m\nalpha\t9\n\n\n%b\nsection\t5\nsec\t3\nsubsection\t2\nSection\t1\nsetlength%space\t3\nsmallskip\nSum\t4\nsqrt[\t3\n\n\n%T\n";
        QTest::newRow("lower case prefix, four letters") << list << "s" << 4 << QStringList{"section", "subsection", "setlength%space", "smallskip", "sqrt["};
        QTest::newRow("upper case prefix") << list << "S" << 4 << QStringList{"Section"};
        QTest::newRow("two letters") << list << "s" << 2 << QStringList{"section", "sec", "subsection", "setlength%space", "smallskip", "sqrt["};
        QTest::newRow("seven letters") << list << "s" << 7 << QStringList{"section", "subsection", "setlength%space", "smallskip"};
        QTest::newRow("longer prefix") << list << "se" << 2 << QStringList{"section", "sec", "setlength%space"};
        QTest::newRow("no match") << list << "q" << 2 << QStringList{};
        QTest::newRow("the free text before the marker is not read") << "\nsimple\t3\n\\COMMANDS\n%a\nsigma\t1\n" << "s" << 2 << QStringList{"sigma"};
        QTest::newRow("a file without markers is read whole") << "\nsimple\t3\nsigma\t1" << "s" << 2 << QStringList{"simple", "sigma"};
    }
    void completionNames()
    {
        QFETCH(QString, content);
        QFETCH(QString, prefix);
        QFETCH(int, minimum);
        QFETCH(QStringList, names);
        const CompletionNames found = FindCompletionNames(CompletionEntries(content), prefix, minimum);
        QCOMPARE(found.names, names);
        int longest = 0;
        for (const QString &n : names)
            longest = std::max(longest, int(n.size()));
        QCOMPARE(found.longest, longest);
    }

    // ABC order is by character code, upper case first; the typed word finds the first name
    // that begins with it whatever the case.
    void orderAndSelection()
    {
        QStringList names{"section", "Sum", "sec", "abc"};
        SortNamesAbc(names);
        QCOMPARE(names, (QStringList{"Sum", "abc", "sec", "section"}));
        QCOMPARE(FirstNameStartingWith(names, "SEC"), 2);
        QCOMPARE(FirstNameStartingWith(names, "su"), 0);
        QCOMPARE(FirstNameStartingWith(names, "x"), -1);
    }

    void wordEnd_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("end");
        QTest::newRow("to the end of the text") << "\\sec" << 1 << 4;
        QTest::newRow("at a blank") << "\\sec tion" << 1 << 4;
        QTest::newRow("at a backslash") << "\\sec\\x" << 1 << 4;
        QTest::newRow("at a line break") << "\\sec\nx" << 1 << 4;
        QTest::newRow("at a TAB") << "\\sec\tx" << 1 << 4;
        QTest::newRow("brace belongs to the name") << "\\begin{doc}" << 1 << 7;
        QTest::newRow("bracket belongs to the name") << "\\sqrt[3]" << 1 << 6;
        QTest::newRow("underscore and caret") << "\\x_i \\y^2" << 6 << 8;
    }
    void wordEnd()
    {
        QFETCH(QString, text);
        QFETCH(int, start);
        QTEST(TypedWordEnd(text, start), "end");
    }

    void insertion_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("caret");
        QTest::newRow("plain name") << "section" << "section" << 7;
        QTest::newRow("description cut") << "setlength%space" << "setlength" << 9;
        QTest::newRow("begin with environment") << "begin{itemize}" << "begin{itemize}\n\n\\end{itemize}\n" << 14;
        QTest::newRow("begin alone") << "begin{" << "begin{\n\n\\end{\n" << 6;
        QTest::newRow("begin with description") << "begin{center}%centre" << "begin{center}\n\n\\end{center}\n" << 13;
        QTest::newRow("only a description") << "%nothing" << "" << 0;
    }
    void insertion()
    {
        QFETCH(QString, item);
        const CompletionInsertion r = InsertionFor(item);
        QTEST(r.text, "text");
        QTEST(r.caret, "caret");
    }

    // The list below the caret line a little left of the caret; left of the caret (not past
    // the gutter) at the right edge; above the line at the bottom.
    void popupPlace_data()
    {
        QTest::addColumn<int>("caretX");
        QTest::addColumn<int>("caretY");
        QTest::addColumn<int>("right");
        QTest::addColumn<QPoint>("place");
        QTest::newRow("room right and below") << 100 << 50 << 450 << QPoint(90, 70);
        QTest::newRow("at the right edge") << 400 << 50 << 450 << QPoint(220, 70);
        QTest::newRow("narrow window: at the gutter") << 150 << 50 << 300 << QPoint(30, 70);
        QTest::newRow("at the bottom") << 100 << 350 << 450 << QPoint(90, 250);
    }
    void popupPlace()
    {
        QFETCH(int, caretX);
        QFETCH(int, caretY);
        QFETCH(int, right);
        // A list of 200 x 100 in a client 420 high, lines of 20, a gutter of 40.
        const PopupPlace p = PlacePopup(caretX, caretY, 20, 200, 100, right, 420, 40);
        QTEST(QPoint(p.x, p.y), "place");
    }

    void popupSize()
    {
        QCOMPARE(PopupListHeight(2, 180), 54);
        QCOMPARE(PopupListHeight(3, 180), 80);
        QCOMPARE(PopupListHeight(20, 180), 432);
        QCOMPARE(PopupListWidth(9), 126);
        QCOMPARE(PopupListWidth(10), 100);
        QCOMPARE(FitPopupHeight(500, 100, 20, 400), 280); // the room below the caret line
        QCOMPARE(FitPopupHeight(500, 300, 20, 400), 300); // the room above it
        QCOMPARE(FitPopupHeight(50, 300, 20, 400), 50);
    }
};

QTEST_GUILESS_MAIN(TestInput)
#include "tst_input.moc"
