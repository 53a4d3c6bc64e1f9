#include "view/FindReplace.h"

#include <QTest>

class TestFindReplace : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void find_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("what");
        QTest::addColumn<int>("selStart");
        QTest::addColumn<int>("selEnd");
        QTest::addColumn<bool>("forward");
        QTest::addColumn<bool>("matchCase");
        QTest::addColumn<int>("found"); // -1: none
        QTest::newRow("forward from the caret") << "abc abc abc" << "abc" << 1 << 1 << true
            << true << 4;
        QTest::newRow("forward starts behind the selection")
            << "abc abc abc" << "abc" << 4 << 7 << true << true << 8;
        QTest::newRow("forward past the last match") << "abc abc" << "abc" << 4 << 7 << true
            << true << -1;
        QTest::newRow("backward from the selection start")
            << "abc abc abc" << "abc" << 8 << 11 << false << true << 4;
        QTest::newRow("backward needs the whole match before the selection")
            << "abcabc" << "abc" << 5 << 5 << false << true << 0;
        QTest::newRow("backward before the first match") << "abc abc" << "abc" << 0 << 3
            << false << true << -1;
        QTest::newRow("case counts") << "ABC abc" << "abc" << 0 << 0 << true << true << 4;
        QTest::newRow("case ignored") << "ABC abc" << "abc" << 0 << 0 << true << false << 0;
        QTest::newRow("empty search text") << "abc" << "" << 0 << 0 << true << true << -1;
        QTest::newRow("a half of a pair is not a match")
            << QString::fromUtf8("😀") << QString(QString::fromUtf8("😀").at(1)) << 0 << 0 << true
            << true << -1;
    }
    void find()
    {
        QFETCH(QString, text);
        QFETCH(QString, what);
        QFETCH(int, selStart);
        QFETCH(int, selEnd);
        QFETCH(bool, forward);
        QFETCH(bool, matchCase);
        QFETCH(int, found);
        const std::optional<TextMatch> m = FindInText(text, what, selStart, selEnd, forward,
            matchCase);
        QCOMPARE(m ? m->start : -1, found);
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
        QTest::newRow("the replacement is not searched again") << "ab" << "a" << "aa" << "aab"
            << 1;
        QTest::newRow("line breaks inside") << "a\nb a\nb" << "a\nb" << "c" << "c c" << 2;
        QTest::newRow("removing") << "x1x2x" << "x" << "" << "12" << 3;
        QTest::newRow("nothing found") << "abc" << "z" << "y" << "abc" << 0;
        QTest::newRow("empty search text") << "abc" << "" << "y" << "abc" << 0;
    }
    void replaceAll()
    {
        QFETCH(QString, text);
        QFETCH(QString, what);
        QFETCH(QString, with);
        QFETCH(QString, result);
        QFETCH(int, count);
        const ReplaceAllResult r = ReplaceAllInText(text, what, with);
        QCOMPARE(r.text, result);
        QCOMPARE(r.count, count);
    }
};

QTEST_GUILESS_MAIN(TestFindReplace)
#include "tst_findreplace.moc"
