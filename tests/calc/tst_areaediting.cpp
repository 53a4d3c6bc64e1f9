#include "calc/AreaEditing.h"

#include <QTest>

namespace {

TableInput Input(const QString &text, int selStart, int selEnd)
{
    TableInput in;
    in.text = text;
    in.selStart = selStart;
    in.selEnd = selEnd;
    in.range = ComputeCellRange(text, selStart, selEnd);
    return in;
}

QString After(const TableInput &in, const TableResult &r)
{
    return r.changed ? r.text : in.text;
}

const QString Grid4 = "1\t2\t3\t4\n5\t6\t7\t8\n9\t10\t11\t12\n13\t14\t15\t16\n";

} // namespace

class TestAreaEditing : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void caretColumn_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("pos");
        QTest::addColumn<int>("column");
        QTest::newRow("row start") << "ab\tcd\nef\tgh" << 6 << 0;
        QTest::newRow("inside cell A") << "ab\tcd" << 1 << 1;
        QTest::newRow("right after the TAB closing A") << "ab\tcd" << 3 << 1;
        QTest::newRow("inside cell B") << "ab\tcd" << 4 << 2;
        QTest::newRow("end of a row without TAB") << "abc" << 3 << 1;
    }
    void caretColumn()
    {
        QFETCH(QString, text);
        QFETCH(int, pos);
        QTEST(CaretColumn(text, pos), "column");
    }

    void copyArea()
    {
        AreaStore store;
        store.rows = QStringList{"old0", "old1", "old2", "old3", "old4"};
        // From cell B of row 1 to the end of cell C of row 2.
        CopyArea(Input(Grid4, 10, 23), store);
        QCOMPARE(store.nRows, 2);
        QCOMPARE(store.nCols, 2);
        QCOMPARE(store.rows, (QStringList{"6\t7", "10\t11", "old2", "old3", "old4"}));
    }

    void editArea_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("selStart");
        QTest::addColumn<int>("selEnd");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("caret");
        QTest::newRow("clear A and B") << "clear" << "1\t2\t3\t" << 0 << 3 << "\t\t3\t" << 2;
        QTest::newRow("clear a last cell without closing TAB")
            << "clear" << "1\t2\n3\t4" << 0 << 7 << "\t\t\n\t\t" << 5;
        QTest::newRow("clear leaves rows without cells")
            << "clear" << "1\t2\nnote\n3\t4" << 0 << 12 << "\t\t\nnote\n\t\t" << 10;
        QTest::newRow("delete column B of two rows")
            << "delete" << "1\t2\t3\n4\t5\t6" << 2 << 9 << "1\t3\n4\t6" << 2;
        QTest::newRow("delete the end cells of ragged rows")
            << "delete" << "1\t2\n4\n7\t8\t9" << 2 << 11 << "1\t\n4\n7\t" << 2;
        QTest::newRow("delete keeps the caret on its text")
            << "delete" << "x\ty\tz\n1\t2\t3" << 8 << 9 << "x\ty\tz\n1\t3" << 8;
    }
    void editArea()
    {
        QFETCH(QString, command);
        QFETCH(QString, text);
        QFETCH(int, selStart);
        QFETCH(int, selEnd);
        const TableInput in = Input(text, selStart, selEnd);
        const TableResult r =
            command == "clear" ? ClearSelectedArea(in) : DeleteSelectedArea(in);
        QTEST(After(in, r), "after");
        QTEST(r.selStart, "caret");
    }

    void paste_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("selStart");
        QTest::addColumn<int>("selEnd");
        QTest::addColumn<QString>("after");
        const QString two = "1\t2\n3\t4";
        QTest::newRow("caret at the row start pastes after A")
            << two << 0 << 0 << "1\tx\ty\t2\n3\tz\tw\t4";
        QTest::newRow("caret after a TAB pastes there")
            << two << 2 << 2 << "1\tx\ty\t2\n3\tz\tw\t4";
        QTest::newRow("caret at the end of B appends")
            << two << 3 << 3 << "1\t2\tx\ty\n3\t4\tz\tw";
        QTest::newRow("a selection is replaced")
            << "1\t2\t3\n4\t5\t6" << 2 << 9 << "1\tx\ty\t3\n4\tz\tw\t6";
        QTest::newRow("rows past the end are left out") << "1\t2" << 2 << 2 << "1\tx\ty\t2";
    }
    void paste()
    {
        QFETCH(QString, text);
        QFETCH(int, selStart);
        QFETCH(int, selEnd);
        AreaStore store{{"x\ty", "z\tw"}, 2, 2};
        const TableInput in = Input(text, selStart, selEnd);
        QTEST(After(in, PasteArea(in, store)), "after");
    }

    void pasteRepeated_data()
    {
        QTest::addColumn<int>("selEnd");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("storedRow");
        QTest::newRow("2x2 into 4x4")
            << 38 << "a\tb\ta\tb\t\nc\td\tc\td\t\na\tb\ta\tb\t\nc\td\tc\td\t\n" << "a\tb\ta\tb";
        QTest::newRow("2x2 into 3x3")
            << 23 << "a\tb\ta\t4\nc\td\tc\t8\na\tb\ta\t12\n13\t14\t15\t16\n" << "a\tb\ta";
        QTest::newRow("2x2 into 3x1")
            << 17 << "a\t2\t3\t4\nc\t6\t7\t8\na\t10\t11\t12\n13\t14\t15\t16\n" << "a";
    }
    void pasteRepeated()
    {
        QFETCH(int, selEnd);
        AreaStore store{{"a\tb", "c\td"}, 2, 2};
        const TableInput in = Input(Grid4, 0, selEnd);
        const TableResult r = PasteAreaRepeated(in, store);
        QTEST(After(in, r), "after");
        QTEST(store.rows[0], "storedRow");
        QCOMPARE(r.selStart, 0);
    }

    void pasteRepeatedRefused_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("cols");
        QTest::addColumn<int>("selEnd");
        QTest::newRow("empty store") << 0 << 0 << 38;
        QTest::newRow("no selection") << 2 << 2 << 0;
    }
    void pasteRepeatedRefused()
    {
        QFETCH(int, rows);
        QFETCH(int, cols);
        QFETCH(int, selEnd);
        AreaStore store{{}, rows, cols};
        if (rows)
            store.rows = QStringList{"a\tb", "c\td"};
        QVERIFY(!PasteAreaRepeated(Input(Grid4, 0, selEnd), store).changed);
    }

    void insertBlank_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("selStart");
        QTest::addColumn<int>("selEnd");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("caret");
        const QString t = "1\t22\t3\n4\t55\t6";
        QTest::newRow("caret inside B: after B")
            << t << 3 << 3 << "1\t22\t\t3\n4\t55\t\t6" << 5;
        QTest::newRow("caret after the TAB closing A: before B")
            << t << 2 << 2 << "1\t\t22\t3\n4\t\t55\t6" << 2;
        QTest::newRow("caret at a row start: before A")
            << t << 7 << 7 << "\t1\t22\t3\n\t4\t55\t6" << 8;
        QTest::newRow("range two wide: two columns")
            << t << 2 << 6 << "1\t\t\t22\t3\n4\t\t\t55\t6" << 2;
        QTest::newRow("range of rows: only those rows")
            << "h\tx\n1\t2\n3\t4\nf\ty" << 5 << 9 << "h\tx\n1\t\t2\n3\t\t4\nf\ty" << 6;
        QTest::newRow("rows too short are left alone")
            << "1\t2\t3\nx\n4\t5\t6" << 4 << 4 << "1\t2\t\t3\nx\n4\t5\t\t6" << 4;
    }
    void insertBlank()
    {
        QFETCH(QString, text);
        QFETCH(int, selStart);
        QFETCH(int, selEnd);
        const TableInput in = Input(text, selStart, selEnd);
        const TableResult r = InsertBlankColumns(in);
        QTEST(After(in, r), "after");
        QTEST(r.selStart, "caret");
    }

    void columns_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("selStart");
        QTest::addColumn<int>("selEnd");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QStringList>("copied");
        QTest::newRow("column B across lines outside the table")
            << "x\ty\tz\ntitle\n1\t2\t3\n\n4\t5\t6\nend\tof" << 14 << 14
            << "x\tz\ntitle\n1\t3\n\n4\t6\nend\t"
            << QStringList{"y", "", "2", "", "5", "of"};
        QTest::newRow("selection of two columns")
            << "1\t2\t3\t4\n5\t6\t7\t8" << 2 << 14 << "1\t4\n5\t8"
            << QStringList{"2\t3", "6\t7"};
        QTest::newRow("caret in A") << "1\t2\n3\t4\n" << 0 << 0 << "2\n4\n"
                                    << QStringList{"1", "3", ""};
    }
    void columns()
    {
        QFETCH(QString, text);
        QFETCH(int, selStart);
        QFETCH(int, selEnd);
        const TableInput in = Input(text, selStart, selEnd);
        AreaStore store{{"area"}, 1, 1};
        CopyColumns(in, store);
        QTEST(store.rows, "copied");
        QCOMPARE(store.nRows, 1); // the area's size stays
        QTEST(After(in, DeleteColumns(in)), "after");
    }

    // Cut the Column then Insert the Copied/Cut Column at the same place gives the text back.
    void cutAndInsertColumn_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("caret");
        QTest::newRow("column B") << "1\t2\t3\n4\t5\t6\n" << 2;
        QTest::newRow("column A") << "a\tb\nc\td" << 0;
    }
    void cutAndInsertColumn()
    {
        QFETCH(QString, text);
        QFETCH(int, caret);
        const TableInput in = Input(text, caret, caret);
        AreaStore store;
        CopyColumns(in, store);
        const TableResult cut = DeleteColumns(in);
        const TableResult back = InsertCopiedColumn(Input(cut.text, caret, caret), store);
        // Rows with nothing copied get an empty cell of their own.
        QString expected = text;
        if (expected.endsWith(u'\n'))
            expected += u'\t';
        QCOMPARE(back.text, expected);
        QCOMPARE(back.selStart, caret);
    }

    void insertCopiedColumnAfterB()
    {
        AreaStore store{{"x", "y"}, 0, 0};
        const TableResult r = InsertCopiedColumn(Input("1\t22\t3\n4\t55\t6", 10, 10), store);
        QCOMPARE(r.text, QString("1\t22\tx\t3\n4\t55\ty\t6"));
        QCOMPARE(r.selStart, 14);
    }

    void makeTable_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("caret");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("cols");
        QTest::addColumn<bool>("letters");
        QTest::addColumn<int>("numbering");
        QTest::addColumn<QString>("after");
        QTest::newRow("letters and 1, 2, 3 on line 1 of abc")
            << "x\nabc\nrest" << 3 << 2 << 3 << true << 1
            << "x\nabc\n\nA\tB\tC\tD\t\n1\t\t\t\t\n2\t\t\t\t\n\nrest";
        QTest::newRow("line numbers, no letters, first line")
            << "abc" << 0 << 2 << 1 << false << 2 << "abc\n\n3\t\t\n4\t\t\n";
        QTest::newRow("line numbers after the letter line")
            << "abc" << 1 << 1 << 1 << true << 2 << "abc\n\nA\tB\t\n4\t\t\n";
        QTest::newRow("letters without numbers")
            << "" << 0 << 1 << 2 << true << 0 << "\n\nA\tB\t\n\t\t\n";
        QTest::newRow("30 columns are cut to 26")
            << "" << 0 << 1 << 30 << false << 0 << "\n\n" + QString(26, u'\t') + "\n";
        QTest::newRow("no rows: nothing") << "abc" << 0 << 0 << 3 << true << 1 << "abc";
    }
    void makeTable()
    {
        QFETCH(QString, text);
        QFETCH(int, caret);
        QFETCH(int, rows);
        QFETCH(int, cols);
        QFETCH(bool, letters);
        QFETCH(int, numbering);
        QFETCH(QString, after);
        const TableInput in = Input(text, caret, caret);
        const TableResult r =
            MakeTable(in, rows, cols, letters, TableNumbering(numbering));
        QCOMPARE(After(in, r), after);
        if (!r.changed)
            return;
        // The caret follows the table's last line break, where the rest of the text resumes.
        const qsizetype lineEnd = text.indexOf(u'\n', caret);
        const qsizetype rest = lineEnd < 0 ? 0 : text.size() - lineEnd;
        QCOMPARE(r.selStart, after.size() - rest);
    }

    void makeTableLetterLineOf26WithNumbers()
    {
        const QString t = MakeTableText(1, 26, true, TableNumbering::Sequence, 0);
        const QString header = t.split(u'\n')[2];
        QCOMPARE(header.count(u'\t'), 27);
        QVERIFY(header.startsWith("A\tB\t"));
        QVERIFY(header.endsWith("Z\t\t"));
    }
};

QTEST_GUILESS_MAIN(TestAreaEditing)
#include "tst_areaediting.moc"
