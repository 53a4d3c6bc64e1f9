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

    void abcOrder()
    {
        QStringList names{"subsection", "section", "Sum", "sec", "setlength%space"};
        SortNamesAbc(names);
        QCOMPARE(names, (QStringList{"Sum", "sec", "section", "setlength%space", "subsection"}));
    }

    void firstMatch_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<int>("row");
        QTest::newRow("exact prefix") << "sub" << 2;
        QTest::newRow("case does not matter") << "SEC" << 0;
        QTest::newRow("first of several") << "se" << 0;
        QTest::newRow("description is part of the name") << "setlength%" << 3;
        QTest::newRow("no match") << "sx" << -1;
    }
    void firstMatch()
    {
        QFETCH(QString, word);
        QFETCH(int, row);
        const QStringList names{"section", "sec", "subsection", "setlength%space"};
        QCOMPARE(FirstNameStartingWith(names, word), row);
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

    void height_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("height");
        // Created height 90: tenths below 3 names, ninths below 20, then tenths plus 3 rows.
        QTest::newRow("1 name") << 1 << 18;
        QTest::newRow("2 names") << 2 << 27;
        QTest::newRow("3 names") << 3 << 40;
        QTest::newRow("19 names") << 19 << 200;
        QTest::newRow("20 names") << 20 << 216;
        QTest::newRow("100 names") << 100 << 936;
    }
    void height()
    {
        QFETCH(int, count);
        QFETCH(int, height);
        QCOMPARE(PopupListHeight(count, 90), height);
    }

    void width_data()
    {
        QTest::addColumn<int>("longest");
        QTest::addColumn<int>("width");
        QTest::newRow("short names: 14 pixels a letter") << 9 << 126;
        QTest::newRow("ten letters: 10 pixels a letter") << 10 << 100;
        QTest::newRow("long") << 25 << 250;
    }
    void width()
    {
        QFETCH(int, longest);
        QFETCH(int, width);
        QCOMPARE(PopupListWidth(longest), width);
    }

    void fit_data()
    {
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("caretY");
        QTest::addColumn<int>("lineHeight");
        QTest::addColumn<int>("fitted");
        // Client height 400.
        QTest::newRow("fits below") << 100 << 50 << 20 << 100;
        QTest::newRow("cut to the room below") << 500 << 50 << 20 << 330;
        QTest::newRow("cut to the room above") << 500 << 300 << 20 << 300;
        QTest::newRow("no font height counts 18") << 500 << 50 << 0 << 332;
    }
    void fit()
    {
        QFETCH(int, height);
        QFETCH(int, caretY);
        QFETCH(int, lineHeight);
        QFETCH(int, fitted);
        QCOMPARE(FitPopupHeight(height, caretY, lineHeight, 400), fitted);
    }

    void place_data()
    {
        QTest::addColumn<int>("caretX");
        QTest::addColumn<int>("caretY");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        // Popup 100 x 80, line height 20, client 400 x 300, gutter 40.
        QTest::newRow("below and a little left") << 100 << 50 << 90 << 70;
        QTest::newRow("right edge: left of the caret") << 350 << 50 << 270 << 70;
        QTest::newRow("bottom: above the caret line") << 100 << 250 << 90 << 170;
        QTest::newRow("narrow: never left of the gutter") << 70 << 50 << 30 << 70;
    }
    void place()
    {
        QFETCH(int, caretX);
        QFETCH(int, caretY);
        QFETCH(int, x);
        QFETCH(int, y);
        const int clientRight = caretX == 70 ? 150 : 400;
        const PopupPlace p = PlacePopup(caretX, caretY, 20, 100, 80, clientRight, 300, 40);
        QCOMPARE(p.x, x);
        QCOMPARE(p.y, y);
    }
};

QTEST_GUILESS_MAIN(TestCompletion)
#include "tst_completion.moc"
