#include "input/Completion.h"

#include <QTest>

class TestCompletion : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void names_data()
    {
        QTest::addColumn<QString>("content");
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<int>("minimum");
        QTest::addColumn<QStringList>("names");
        const QString list = QStringLiteral(
            "notes: \\COMMANDS x\n%a m\nalpha\t9\n\n\n%b\nsection\t5\nsec\t3\nsubsection\t2\n"
            "Section\t1\nsetlength%space\t3\nsmallskip\nSum\t4\nsqrt[\t3\n\n\n%T\n");
        QTest::newRow("lower case prefix, four letters")
            << list << "s" << 4
            << QStringList{"section", "subsection", "setlength%space", "smallskip", "sqrt["};
        QTest::newRow("upper case prefix") << list << "S" << 4 << QStringList{"Section"};
        QTest::newRow("two letters") << list << "s" << 2
                                     << QStringList{"section", "sec", "subsection",
                                                    "setlength%space", "smallskip", "sqrt["};
        QTest::newRow("seven letters") << list << "s" << 7
                                       << QStringList{"section", "subsection", "setlength%space",
                                                      "smallskip"};
        QTest::newRow("longer prefix") << list << "se" << 2
                                       << QStringList{"section", "sec", "setlength%space"};
        QTest::newRow("no match") << list << "q" << 2 << QStringList{};
        // Lines before the marker are free text, even when they look like entries.
        QTest::newRow("the free text is not read")
            << QStringLiteral("\nsimple\t3\n\\COMMANDS\n%a\nsigma\t1\n") << "s" << 2
            << QStringList{"sigma"};
        QTest::newRow("a file without markers is read whole")
            << QStringLiteral("\nsimple\t3\nsigma\t1") << "s" << 2
            << QStringList{"simple", "sigma"};
    }
    void names()
    {
        QFETCH(QString, content);
        QFETCH(QString, prefix);
        QFETCH(int, minimum);
        QFETCH(QStringList, names);
        const CompletionNames found =
            FindCompletionNames(CompletionEntries(content), prefix, minimum);
        QCOMPARE(found.names, names);
        int longest = 0;
        for (const QString &n : names)
            longest = std::max(longest, int(n.size()));
        QCOMPARE(found.longest, longest);
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
        QFETCH(int, end);
        QCOMPARE(TypedWordEnd(text, start), end);
    }

    void insertion_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("caret");
        QTest::newRow("plain name") << "section" << "section" << 7;
        QTest::newRow("description cut") << "setlength%space" << "setlength" << 9;
        QTest::newRow("begin with environment")
            << "begin{itemize}" << "begin{itemize}\n\n\\end{itemize}\n" << 14;
        QTest::newRow("begin alone") << "begin{" << "begin{\n\n\\end{\n" << 6;
        QTest::newRow("begin with description")
            << "begin{center}%centre" << "begin{center}\n\n\\end{center}\n" << 13;
        QTest::newRow("only a description") << "%nothing" << "" << 0;
    }
    void insertion()
    {
        QFETCH(QString, item);
        QFETCH(QString, text);
        QFETCH(int, caret);
        const CompletionInsertion r = InsertionFor(item);
        QCOMPARE(r.text, text);
        QCOMPARE(r.caret, caret);
    }

};

QTEST_GUILESS_MAIN(TestCompletion)
#include "tst_completion.moc"
