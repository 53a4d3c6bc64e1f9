#include "input/CommandList.h"

#include <QFile>
#include <QMap>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>

#include <limits>

namespace {
// name -> count of the entry lines of a list, as the popup would read them.
QMap<QString, int> Entries(const QString &list)
{
    QMap<QString, int> out;
    for (const QString &line : list.split(QLatin1Char('\n'))) {
        const qsizetype tab = line.indexOf(QLatin1Char('\t'));
        if (tab > 0)
            out.insert(line.left(tab), line.mid(tab + 1).toInt());
    }
    return out;
}

using Counts = QMap<QString, int>;

QString Body(const QString &text)
{
    return QStringLiteral("\\documentclass{jarticle}\n\\begin{document}\n") + text
           + QStringLiteral("\n\\end{document}\n");
}

QString Lines(const QString &list)
{
    return QLatin1Char('\n') + list;
}
} // namespace

class TestCommandList : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void mergeCounts_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("chunk");
        QTest::addColumn<Counts>("expected");
        QTest::newRow("a longer name first keeps its own count")
            << QString() << Body("\\section x \\section y \\sec z \\section w")
            << Counts{{"section", 3}, {"sec", 1}};
        QTest::newRow("a shorter name first takes the longer ones")
            << QString() << Body("\\sec z \\section x \\section y \\section w")
            << Counts{{"sec", 4}};
        QTest::newRow("backslash before an ending character is skipped")
            << QString() << Body("a\\,b \\alpha \\$ \\beta $")
            << Counts{{"alpha", 1}, {"beta", 1}};
        QTest::newRow("one-letter names are never added")
            << QString() << Body("\\item one \\i \\item two")
            << Counts{{"item", 2}};
        QTest::newRow("a one-letter name drops its old line")
            << Lines("i\t7\nalpha\t1\n") << Body("\\i x")
            << Counts{{"alpha", 1}};
        QTest::newRow("opening characters belong to the name")
            << QString() << Body("\\begin{itemize}\\sqrt[3]{x} a\\_b x^\\alpha^2 \\end{itemize}")
            << Counts{{"begin{", 1}, {"sqrt[", 1}, {"alpha^", 1}, {"end{", 1}};
        QTest::newRow("digits, brackets and operators end a name")
            << QString() << Body("\\frac12 \\left(x\\right) \\vspace-1 \\hfill;\\cdot=")
            << Counts{{"frac", 1}, {"left", 1}, {"right", 1}, {"vspace", 1}, {"hfill", 1},
                      {"cdot", 1}};
        QTest::newRow("comments go, line break included")
            << QString() << Body("\\alpha % \\beta \\gamma\n\\delta x% \\zeta")
            << Counts{{"alpha", 1}, {"delta", 1}};
        QTest::newRow("escaped pairs are no commands")
            << QString() << Body("a\\\\bold \\{\\bf x\\} \\[ \\] \\|norm\\| \\ space \\\"quote")
            << Counts{{"bf", 1}};
        QTest::newRow("only the body counts")
            << QString()
            << QStringLiteral("\\usepackage{amsmath}\\begin{document}\\alpha "
                              "\\end{document}\\beta ")
            << Counts{{"alpha", 1}};
        QTest::newRow("without a body marker the whole text counts")
            << QString() << QStringLiteral("\\alpha \\beta \\alpha ")
            << Counts{{"alpha", 2}, {"beta", 1}};
        QTest::newRow("old counts are added")
            << Lines("alpha\t5\nbeta\t2\n") << Body("\\alpha \\alpha \\gamma ")
            << Counts{{"alpha", 7}, {"beta", 2}, {"gamma", 1}};
        QTest::newRow("an entry without a count counts one")
            << Lines("alpha\t\nbeta\n") << Body("\\alpha ")
            << Counts{{"alpha", 2}};
        QTest::newRow("a count beyond 32 bits saturates")
            << Lines("alpha\t99999999999\n") << Body("\\alpha ")
            << Counts{{"alpha", std::numeric_limits<int>::max()}};
        QTest::newRow("a name at the end of the body")
            << QString() << QStringLiteral("text \\LaTeX")
            << Counts{{"LaTeX", 1}};
    }
    void mergeCounts()
    {
        QFETCH(QString, list);
        QFETCH(QString, chunk);
        QFETCH(Counts, expected);
        QCOMPARE(Entries(MergeCommandCounts(list, chunk)), expected);
    }

    void descriptionIsKept()
    {
        const QString merged =
            MergeCommandCounts(Lines("alpha%greek letter\t5\n"), Body("\\alpha x \\alpha y"));
        QVERIFY2(merged.contains(QStringLiteral("\nalpha%greek letter\t7\n")), qPrintable(merged));
        QVERIFY(!merged.contains(QStringLiteral("\nalpha\t")));
    }

    void regrouping_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("start");
        QTest::newRow("descending counts, equal counts by name")
            << Lines("alpha\t3\nabc\t3\nangle\t9\naB\t3\n")
            << "\nangle\t9\naB\t3\nabc\t3\nalpha\t3\n\n\n%A\n\n\n%b";
        QTest::newRow("upper case follows lower case of the same letter")
            << Lines("Alpha\t1\nbeta\t2\nalpha\t1\n")
            << "\nalpha\t1\n\n\n%A\nAlpha\t1\n\n\n%b\nbeta\t2\n\n\n%B\n\n\n%c";
        QTest::newRow("identical lines once, other lines dropped")
            << Lines("alpha\t1\n%A\n7up\t3\n\nalpha\t1\n\\x\t2\n")
            << "\nalpha\t1\n\n\n%A\n\n\n%b";
    }
    void regrouping()
    {
        QFETCH(QString, list);
        QFETCH(QString, start);
        const QString merged = MergeCommandCounts(list, QString());
        QVERIFY2(merged.startsWith(start), qPrintable(merged));
        // Every letter has its marker line, in the order a A b B ... z Z.
        qsizetype at = 0;
        for (char c = 'a'; c <= 'z'; ++c) {
            for (const char letter : {c, char(c - 'a' + 'A')}) {
                if (letter == 'a')
                    continue;
                const QString marker = QStringLiteral("\n\n\n%") + QLatin1Char(letter);
                const qsizetype found = merged.indexOf(marker, at);
                QVERIFY2(found >= 0, qPrintable(marker));
                at = found + 1;
            }
        }
        QVERIFY(merged.endsWith(QStringLiteral("%Z\n\n\n")));
    }

    void split_data()
    {
        QTest::addColumn<QString>("content");
        QTest::addColumn<QString>("header");
        QTest::addColumn<QString>("list");
        const QString marker = CommandListMarker(true);
        QTest::newRow("header, marker and list")
            << "my notes\n" + marker + "\nalpha\t3\n\n\n%A\n"
            << "my notes\n" << "\nalpha\t3\n\n\n%A\n";
        QTest::newRow("no line with a after the marker: the whole text")
            << "notes\n" + marker + "\nbeta\t3\n" << "notes\n"
            << "notes\n" + marker + "\nbeta\t3\n";
        QTest::newRow("no marker at all") << "alpha\t2\nabove\t1\n" << ""
                                           << "\nabove\t1\n";
        QTest::newRow("empty") << "" << "" << "";
    }
    void split()
    {
        QFETCH(QString, content);
        QFETCH(QString, header);
        QFETCH(QString, list);
        const CommandListParts parts = SplitCommandList(content);
        QCOMPARE(parts.header, header);
        QCOMPARE(parts.list, list);
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
        QVERIFY(made.startsWith(head));
        QVERIFY(made.mid(head.size()).startsWith(QStringLiteral("\nalpha\t1\n\n\n%A")));
        QCOMPARE(Entries(made.mid(head.size())), (Counts{{"alpha", 1}, {"section{", 1}}));
        // Made again from its own output, the header stays and the counts grow.
        const QString again = MakeCommandListText(made, Body("\\alpha "), english);
        QVERIFY(again.startsWith(head));
        QCOMPARE(Entries(again.mid(head.size())), (Counts{{"alpha", 2}, {"section{", 1}}));
    }

    // The document is taken in pieces; each piece ends at a backslash, so no command is cut,
    // and the pieces after the first have no "\begin{document}" and count from their start.
    void largeDocumentInPieces()
    {
        QString doc = QStringLiteral("\\documentclass{jarticle}\\usepackage{graphicx}\n"
                                     "\\begin{document}\n");
        const int paragraphs = 3000;
        for (int i = 0; i < paragraphs; ++i)
            doc += QStringLiteral("\\section{Part} text text \\emph{word} more text here.\n");
        doc += QStringLiteral("\\end{document}\n");
        QVERIFY(doc.size() > 3 * CommandChunkLength);
        const QString made = MakeCommandListText(QString(), doc, true);
        const Counts counts = Entries(SplitCommandList(made).list);
        QCOMPARE(counts.value(QStringLiteral("section{")), paragraphs);
        QCOMPARE(counts.value(QStringLiteral("emph{")), paragraphs);
        QVERIFY(!counts.contains(QStringLiteral("usepackage{")));
    }

    void readList_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        const QString list = QStringLiteral("メモ\n\\COMMANDS\n%a\nalpha\t3\n");
        QStringEncoder sjis("windows-31j");
        QTest::newRow("UTF-8 with LF") << list.toUtf8() << list;
        QTest::newRow("UTF-8 with CR-LF") << QString(list).replace("\n", "\r\n").toUtf8() << list;
        QTest::newRow("Shift_JIS") << QByteArray(sjis.encode(QString(list).replace("\n", "\r\n")))
                                   << list;
        QTest::newRow("binary garbage keeps what reads")
            << QByteArray("\x00\x01\nalpha\t3\n\xff\xfe", 11) << QString();
        QTest::newRow("empty") << QByteArray() << QString();
    }
    void readList()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("input_tex.mme"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.close();
        const QString read = ReadCommandList(path);
        if (text.isEmpty() && !bytes.isEmpty())
            QVERIFY2(read.contains(QStringLiteral("\nalpha\t3\n")), qPrintable(read));
        else
            QCOMPARE(read, text);
        QCOMPARE(ReadCommandList(dir.filePath(QStringLiteral("missing.mme"))), QString());
    }
};

QTEST_GUILESS_MAIN(TestCommandList)
#include "tst_commandlist.moc"
