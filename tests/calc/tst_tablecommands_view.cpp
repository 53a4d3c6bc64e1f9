#include "app/SettingsKeys.h"
#include "app/ui/MenuBuilder.h"
#include "calc/ui/TableDialogs.h"
#include "res/Messages.h"
#include "support/EditorFixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

QAction *FindAction(const QMenu *menu, const QString &text)
{
    for (QAction *action : menu->actions()) {
        if (action->menu()) {
            if (QAction *inner = FindAction(action->menu(), text))
                return inner;
        } else if (action->text().startsWith(text)) {
            return action;
        }
    }
    return nullptr;
}

struct CalcEditor : EditorFixture {
    explicit CalcEditor(const QByteArray &content, bool english = true)
        : EditorFixture(content, english)
    {
        view->m_bCalcMode = 1;
    }

    // The selection as a mouse release leaves it: in the editor and as the range.
    void SelectRange(int from, int to)
    {
        Select(from, to);
        view->m_nSelStart = from;
        view->m_nSelEnd = to;
        view->m_range = ComputeCellRange(Text(), from, to);
    }

    // Runs an item of the calculation context menu by its text; false when it is greyed.
    bool RunFromMenu(const QString &item)
    {
        std::unique_ptr<QMenu> menu(BuildContextMenu(MenuResource::ContextCalc, view->m_bEnglish,
                                                     *frame->Router(), frame.get()));
        QAction *action = FindAction(menu.get(), item);
        if (!action)
            qFatal("no such menu item");
        return frame->Router()->Execute(ActionId(action));
    }

    // Undoes once and tells whether that gave the text back.
    bool OneUndoGives(const QString &before)
    {
        return Run(Cmd::Undo) && Text() == before;
    }

    int Setting(const IntSetting &s) const { return ReadSetting(*f.store, s); }
};

// Runs `act` on the dialog of type D as soon as it is shown.
template <class D> void OnDialog(std::function<void(D *)> act)
{
    QTimer::singleShot(0, [act] {
        auto *dialog = qobject_cast<D *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        act(dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
}

} // namespace

class TestTableCommandsView : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fromContextMenu_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<QString>("after");
        QTest::newRow("Dervations") << "Dervations" << "40\t\n50\t\n60\t\n" << 0 << 10
                                    << "40\t37.8\t\n50\t50.0\t\n60\t62.2\t\n";
        QTest::newRow("Clear Selected Area") << "Clear Selected Area" << "1\t2\t3\t" << 0 << 3
                                             << "\t\t3\t";
        QTest::newRow("Delete Selected Area")
            << "Delete Selected Area" << "1\t2\t3\n4\t5\t6" << 2 << 9 << "1\t3\n4\t6";
        QTest::newRow("Insert Brank Sels")
            << "Insert Brank Sels" << "1\t2\t3\n4\t5\t6" << 2 << 9 << "1\t\t2\t3\n4\t\t5\t6";
        QTest::newRow("Insert a Brank Column")
            << "Insert a Brank Column" << "1\t22\t3\n4\t55\t6" << 3 << 3
            << "1\t22\t\t3\n4\t55\t\t6";
        QTest::newRow("Delete the Column")
            << "Delete the Column" << "t\n1\t2\t3\n4\t5\t6\nx\ty" << 4 << 4
            << "t\n1\t3\n4\t6\nx\t";
    }
    void fromContextMenu()
    {
        QFETCH(QString, item);
        QFETCH(QString, text);
        QFETCH(int, from);
        QFETCH(int, to);
        CalcEditor e(text.toUtf8());
        e.SelectRange(from, to);
        QVERIFY(e.RunFromMenu(item));
        QTEST(e.Text(), "after");
        QVERIFY(e.OneUndoGives(text));
    }

    void copyThenPasteRepeat()
    {
        const QString text = "a\tb\t\t\t\nc\td\t\t\t\n\t\t\t\t\n\t\t\t\t\n";
        CalcEditor e(text.toUtf8());
        QVERIFY(!e.Enabled(Cmd::PasteRepeat));
        e.SelectRange(0, 10); // a, b, c, d
        QVERIFY(e.RunFromMenu("Copy Selected Area"));
        QCOMPARE(e.view->m_nAreaRows, 2);
        QCOMPARE(e.view->m_nAreaCols, 2);
        e.SelectRange(0, 23); // the whole 4 x 4
        QVERIFY(e.RunFromMenu("Paste Repeat Cut Area"));
        QCOMPARE(e.Text(), QString("a\tb\ta\tb\t\nc\td\tc\td\t\na\tb\ta\tb\t\nc\td\tc\td\t\n"));
        QVERIFY(e.OneUndoGives(text));
    }

    void cutAreaThenPaste()
    {
        const QString text = "1\t2\t3\n4\t5\t6\n";
        CalcEditor e(text.toUtf8());
        e.SelectRange(0, 9); // columns A, B of both rows
        QVERIFY(e.RunFromMenu("Cut Selected Area"));
        QCOMPARE(e.Text(), QString("3\n6\n"));
        e.SelectRange(1, 1); // end of the first row
        QVERIFY(e.RunFromMenu("Paste Cut Area"));
        QCOMPARE(e.Text(), QString("3\t1\t2\n6\t4\t5\n"));
        QVERIFY(e.OneUndoGives("3\n6\n"));
    }

    void cutColumnThenInsert()
    {
        const QString text = "1\t2\t3\n4\t5\t6";
        CalcEditor e(text.toUtf8());
        e.SelectRange(2, 2);
        QVERIFY(e.RunFromMenu("Cut the Column"));
        QCOMPARE(e.Text(), QString("1\t3\n4\t6"));
        e.SelectRange(3, 3); // at the end of C of the first row: after it
        QVERIFY(e.RunFromMenu("Insert the Copied/Cut Column"));
        QCOMPARE(e.Text(), QString("1\t3\t2\n4\t6\t5"));
        QCOMPARE(e.view->textCursor().position(), 4);
        QVERIFY(e.OneUndoGives("1\t3\n4\t6"));
    }

    void enabling_data()
    {
        QTest::addColumn<int>("cmd");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<int>("storedRows");
        QTest::addColumn<bool>("enabled");
        // "1\t2\t3\n4\t5\t6\n7\t8\t9": 0 = A1, 2 = B1, 5 = end of row 1, 8 = B2, 13 = B3.
        const auto row = [](const char *name, Cmd cmd, int from, int to, int stored, bool on) {
            QTest::newRow(name) << int(cmd) << from << to << stored << on;
        };
        row("paste: two stored rows", Cmd::PasteArea, 0, 0, 2, true);
        row("paste: one stored row", Cmd::PasteArea, 0, 0, 1, false);
        row("paste repeat: nothing stored", Cmd::PasteRepeat, 0, 9, 0, false);
        row("paste repeat: 2 x 2", Cmd::PasteRepeat, 0, 9, 2, true);
        row("paste repeat: one cell", Cmd::PasteRepeat, 0, 1, 2, false);
        row("paste repeat: no selection", Cmd::PasteRepeat, 0, 0, 2, false);
        row("clear: one cell", Cmd::ClearArea, 0, 1, 0, false);
        row("clear: two cells", Cmd::ClearArea, 0, 3, 0, true);
        row("delete area: one row", Cmd::DeleteArea, 0, 5, 0, false);
        row("delete area: two rows", Cmd::DeleteArea, 0, 9, 0, true);
        row("blank cells: one cell", Cmd::InsertBlankCells, 2, 3, 0, false);
        row("blank cells: two rows", Cmd::InsertBlankCells, 2, 9, 0, true);
        row("deviation: one column", Cmd::Deviation, 2, 15, 0, true);
        row("deviation: two columns", Cmd::Deviation, 0, 15, 0, false);
        row("deviation: no range", Cmd::Deviation, 2, 2, 0, false);
        row("insert copied column: no selection", Cmd::InsertCopiedColumn, 2, 2, 0, true);
        row("insert copied column: selection", Cmd::InsertCopiedColumn, 2, 3, 0, false);
        row("make a table: selection", Cmd::MakeTable, 2, 3, 0, false);
        row("make a table: no selection", Cmd::MakeTable, 2, 2, 0, true);
    }
    void enabling()
    {
        QFETCH(int, cmd);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(int, storedRows);
        CalcEditor e("1\t2\t3\n4\t5\t6\n7\t8\t9");
        e.SelectRange(from, to);
        e.view->m_areaStore = QStringList(storedRows, QStringLiteral("x\ty"));
        e.view->m_nAreaRows = storedRows;
        e.view->m_nAreaCols = storedRows ? 2 : 0;
        QTEST(e.Enabled(Cmd(cmd)), "enabled");
    }

    void sortRowsDialog_data()
    {
        QTest::addColumn<bool>("english");
        QTest::addColumn<QString>("title");
        QTest::newRow("English") << true << "Sort Rows";
        QTest::newRow("Japanese") << false << QString::fromUtf8("行データの並び替え");
    }
    void sortRowsDialog()
    {
        QFETCH(bool, english);
        QFETCH(QString, title);
        const QString text = "name\tscore\nb\t3\na\t1\nc\t2\n";
        CalcEditor e(text.toUtf8(), english);
        e.SelectRange(13, 13); // in the score of b, no selection: down to the end
        bool shown = false;
        OnDialog<CSortRowsDialog>([&](CSortRowsDialog *d) {
            shown = true;
            QCOMPARE(d->windowTitle(), title);
            QCOMPARE(d->Column(), 1);
            QCOMPARE(d->FromRow(), 2);
            QCOMPARE(d->ToRow(), 4);
            QVERIFY(d->Descending()); // the defaults
            QVERIFY(d->AsValues());
            d->m_pDescending->setChecked(false);
            d->accept();
        });
        QVERIFY(e.Run(Cmd::SortRows));
        QVERIFY(shown);
        QCOMPARE(e.Text(), QString("name\tscore\na\t1\nc\t2\nb\t3\n"));
        QCOMPARE(e.view->textCursor().position(), 13); // at the score of the first row
        QCOMPARE(e.Setting(Keys::Down), 0);
        QCOMPARE(e.Setting(Keys::Value), 1);
        QVERIFY(e.OneUndoGives(text));
    }

    void sortRowsRefusesBadRows()
    {
        const QString text = "2\t\n1\t\n";
        CalcEditor e(text.toUtf8());
        e.f.prompter.answers << MsgAnswer::Ok;
        OnDialog<CSortRowsDialog>([](CSortRowsDialog *d) {
            d->m_pFrom->setText("3");
            d->accept(); // from after to: refused, the dialog stays
            QVERIFY(d->isVisible());
            d->m_pFrom->setText("1");
            d->m_pDescending->setChecked(false);
            d->accept();
        });
        QVERIFY(e.Run(Cmd::SortRows));
        QCOMPARE(e.f.prompter.Texts(),
                 QStringList{"Enter row numbers from 1, the first row not after the last."});
        QCOMPARE(e.Text(), QString("1\t\n2\t\n"));
    }

    void rankingDialog_data()
    {
        QTest::addColumn<bool>("rank");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("after");
        const QString text = "a\t80\nb\t90\nc\t80\n";
        QTest::newRow("ranks") << true << true << "b\t1\t90\na\t2\t80\nc\t2\t80\n";
        QTest::newRow("numbers") << false << true << "a\t1\t80\nb\t2\t90\nc\t3\t80\n";
        QTest::newRow("cancel") << true << false << text;
    }
    void rankingDialog()
    {
        QFETCH(bool, rank);
        QFETCH(bool, ok);
        QFETCH(QString, after);
        const QString text = "a\t80\nb\t90\nc\t80\n";
        CalcEditor e(text.toUtf8());
        e.SelectRange(2, 2);
        OnDialog<CRankingDialog>([&](CRankingDialog *d) {
            QCOMPARE(d->windowTitle(), QString("Ranking or Numbering"));
            QCOMPARE(d->Column(), 1);
            QCOMPARE(d->FromRow(), 1);
            QCOMPARE(d->ToRow(), 4); // the empty last line is in the block
            QVERIFY(d->Rank());       // "Order" defaults to 1
            d->m_pTo->setText("3");
            d->m_pRank->setChecked(rank);
            if (ok)
                d->accept();
        });
        QVERIFY(e.Run(Cmd::Ranking));
        QCOMPARE(e.Text(), after);
        QCOMPARE(e.view->textCursor().position(), 2);
        if (ok)
            QVERIFY(e.OneUndoGives(text));
    }

    void makeTableDialog()
    {
        const QString text = "abc\nrest";
        CalcEditor e(text.toUtf8(), false);
        e.SelectRange(1, 1);
        e.f.prompter.answers << MsgAnswer::Ok;
        OnDialog<CMakeTableDialog>([](CMakeTableDialog *d) {
            QCOMPARE(d->windowTitle(), QString::fromUtf8("表の作成"));
            QCOMPARE(d->Rows(), 5);
            QCOMPARE(d->Columns(), 5);
            QVERIFY(!d->Letters());
            QCOMPARE(d->Numbering(), 0);
            d->m_pRows->setText("0");
            d->accept(); // refused
            QVERIFY(d->isVisible());
            d->m_pRows->setText("2");
            d->m_pColumns->setText("3");
            d->m_pLetters->setChecked(true);
            d->findChild<QRadioButton *>("1119")->setChecked(true);
            d->accept();
        });
        QVERIFY(e.Run(Cmd::MakeTable));
        QCOMPARE(e.f.prompter.Texts(),
                 QStringList{QString::fromUtf8("行数と列数には 1 以上を入力して下さい。")});
        QCOMPARE(e.Text(), QString("abc\n\nA\tB\tC\tD\t\n1\t\t\t\t\n2\t\t\t\t\n\nrest"));
        QCOMPARE(e.Setting(Keys::Gyo), 2);
        QCOMPARE(e.Setting(Keys::Retu), 3);
        QCOMPARE(e.Setting(Keys::ABC), 1);
        QCOMPARE(e.Setting(Keys::No), 1);
        QVERIFY(e.OneUndoGives(text));
    }
};

QTEST_MAIN(TestTableCommandsView)
#include "tst_tablecommands_view.moc"
