#include "support/EditorFixture.h"
#include "app/ui/MenuBuilder.h"
#include "calc/ui/CalcController.h"
#include "calc/ui/CalcDialogs.h"
#include "res/Messages.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {
using Editor = EditorFixture;
using DialogScript = std::function<void(QDialog *)>;

int Setting(const Editor &e, const char *key, int otherwise = -999)
{
    return e.f.store->GetInt(QStringLiteral("Settings"), QString::fromLatin1(key), otherwise);
}

void SetSetting(Editor &e, const char *key, int value)
{
    e.f.store->WriteInt(QStringLiteral("Settings"), QString::fromLatin1(key), value);
}

// Runs a command from the calculation context menu of the view's language; false when the
// item is missing or greyed.
bool RunFromContextMenu(Editor &e, Cmd cmd)
{
    const bool english = e.view->m_bEnglish != 0;
    std::unique_ptr<QMenu> menu(
        BuildContextMenu(MenuResource::ContextCalc, english, *e.frame->Router(), e.frame.get()));
    e.frame->Router()->RefreshActions();
    for (QAction *action : menu->findChildren<QAction *>()) {
        if (ActionId(action) == IdOf(cmd, english) && action->isEnabled()) {
            action->trigger();
            return true;
        }
    }
    return false;
}

// Answers the next modal dialog: the script fills it in and accepts it, or rejects it.
void Answer(const DialogScript &script)
{
    QTimer::singleShot(0, [script] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        script(dialog);
    });
}

void SetEdit(QDialog *d, const char *id, const QString &text)
{
    auto *edit = d->findChild<QLineEdit *>(QString::fromLatin1(id));
    QVERIFY(edit);
    edit->setText(text);
}

void SetCombo(QDialog *d, const char *id, int index)
{
    auto *combo = d->findChild<QComboBox *>(QString::fromLatin1(id));
    QVERIFY(combo);
    combo->setCurrentIndex(index);
}

DialogScript Fill(const QList<std::pair<const char *, QString>> &edits,
                  const QList<std::pair<const char *, int>> &combos = {})
{
    return [edits, combos](QDialog *d) {
        for (const auto &[id, text] : edits)
            SetEdit(d, id, text);
        for (const auto &[id, index] : combos)
            SetCombo(d, id, index);
        d->accept();
    };
}

const DialogScript Cancel = [](QDialog *d) { d->reject(); };


void SelectRange(Editor &e, int from, int to)
{
    e.Select(from, to);
    QTest::keyRelease(e.view, Qt::Key_Shift);
}
} // namespace

Q_DECLARE_METATYPE(Cmd)
Q_DECLARE_METATYPE(CellRange)
Q_DECLARE_METATYPE(DialogScript)

class TestCalcMode : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void switchingTheMode()
    {
        Editor e("1\t2\n");
        SetSetting(e, "TabStops", 4);
        SetSetting(e, "RetuHaba", 12);
        SetSetting(e, "Line", 0);
        const qreal space = e.view->fontMetrics().horizontalAdvance(QLatin1Char(' '));
        QVERIFY(e.Run(Cmd::CalcMode));
        QVERIFY(e.State(Cmd::CalcMode).checked);
        QCOMPARE(e.view->m_nTabWidth, 12);
        QCOMPARE(e.view->tabStopDistance(), space * 12);
        QCOMPARE(e.view->lineWrapMode(), QPlainTextEdit::NoWrap);
        QCOMPARE(e.view->m_nLineNumberMode, 1);
        QCOMPARE(Setting(e, "Line"), 1);

        QVERIFY(e.Run(Cmd::CalcMode));
        QVERIFY(!e.State(Cmd::CalcMode).checked);
        QCOMPARE(e.view->m_nTabWidth, 4);
        QCOMPARE(e.view->tabStopDistance(), space * 4);
        QCOMPARE(e.view->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        QCOMPARE(e.view->m_nLineNumberMode, 0);
        QCOMPARE(Setting(e, "Line"), 1); // leaving the mode does not store it
        QCOMPARE(e.Text(), QStringLiteral("1\t2\n"));
    }

    void tableWidth_data()
    {
        QTest::addColumn<bool>("calcMode");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("width");
        QTest::newRow("widest, in the mode") << true << 5 << 24;
        QTest::newRow("narrowest, outside the mode") << false << 0 << 4;
        QTest::newRow("cancelled") << true << -1 << 8;
    }
    void tableWidth()
    {
        QFETCH(bool, calcMode);
        QFETCH(int, index);
        QFETCH(int, width);
        Editor e("a\tb");
        if (calcMode)
            e.Run(Cmd::CalcMode);
        Answer([index](QDialog *d) {
            auto *combo = d->findChild<QComboBox *>(QStringLiteral("1115"));
            QCOMPARE(combo->count(), 6);
            QCOMPARE(combo->itemText(5), QStringLiteral("24"));
            QCOMPARE(combo->currentIndex(), 1); // the width of 8 in use
            if (index < 0)
                return d->reject();
            combo->setCurrentIndex(index);
            d->accept();
        });
        QVERIFY(e.Run(Cmd::TableWidth));
        QCOMPARE(e.view->m_nTabWidth, width);
        QCOMPARE(e.view->tabStopDistance(),
                 e.view->fontMetrics().horizontalAdvance(QLatin1Char(' ')) * width);
        QCOMPARE(Setting(e, "RetuHaba"), index < 0 ? -999 : width);
        QCOMPARE(Setting(e, "TabStops"), -999);
    }

    void roundOff_data()
    {
        QTest::addColumn<bool>("english");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("sums");
        QTest::newRow("ja, round at the third place") << false << 2 << "4.00\t6.00\t";
        QTest::newRow("en, round at the first place") << true << 0 << "4\t6\t";
    }
    void roundOff()
    {
        QFETCH(bool, english);
        QFETCH(int, index);
        QFETCH(QString, sums);
        Editor e("1\t2\t\n3\t4\t", english);
        e.Run(Cmd::CalcMode);
        Answer([index, english](QDialog *d) {
            QCOMPARE(d->windowTitle(),
                     english ? QStringLiteral("Round Off to ") : QString::fromUtf8("四捨五入"));
            // Nothing stored yet: the dialog starts at the first place whatever the view keeps.
            QCOMPARE(d->findChild<QComboBox *>(QStringLiteral("1033"))->currentIndex(), 0);
            SetCombo(d, "1033", index);
            d->accept();
        });
        QVERIFY(e.Run(Cmd::RoundOff));
        QCOMPARE(e.view->m_nRoundIndex, index);
        QCOMPARE(Setting(e, "Sho"), index);
        SelectRange(e, 0, int(e.Text().size()));
        QVERIFY(RunFromContextMenu(e, Cmd::SumColumnBottom));
        QVERIFY(e.Text().endsWith(u'\n' + sums));
    }

    void rangeFollowsTheSelection_data()
    {
        QTest::addColumn<bool>("calcMode");
        QTest::addColumn<bool>("byMouse");
        QTest::addColumn<bool>("taken");
        QTest::newRow("mouse release in the mode") << true << true << true;
        QTest::newRow("Shift release in the mode") << true << false << true;
        QTest::newRow("mouse release outside the mode") << false << true << false;
        QTest::newRow("Shift release outside the mode") << false << false << false;
    }
    void rangeFollowsTheSelection()
    {
        QFETCH(bool, calcMode);
        QFETCH(bool, byMouse);
        QFETCH(bool, taken);
        // From the middle of B in row 1 to just after the TAB that ends D in row 4.
        Editor e("h\n1\t22\t3\t4\t5\n1\t2\t3\t4\t\n1\t2\t3\t4\t\n1\t2\t3\t4\t\n", false, true);
        if (calcMode)
            e.Run(Cmd::CalcMode);
        e.Select(5, 39);
        if (byMouse)
            QTest::mouseRelease(e.view->viewport(), Qt::LeftButton, {},
                                e.view->cursorRect().center());
        else
            QTest::keyRelease(e.view, Qt::Key_Shift);
        const CellRange expected = taken ? CellRange{1, 1, 3, 4} : CellRange();
        QCOMPARE(e.view->m_range, expected);
        QCOMPARE(e.view->m_nSelStart, taken ? 5 : 0);
        QCOMPARE(e.view->CalcController()->HighlightShown(), taken);
        if (taken) {
            QTest::keyClick(e.view, Qt::Key_X);
            QVERIFY(!e.view->CalcController()->HighlightShown());
            QCOMPARE(e.view->m_range, expected); // kept through typing
        }
    }

    void twoClickSelection()
    {
        Editor e("1\t2\t3\n4\t5\t6\n7\t8\t9");
        e.Run(Cmd::CalcMode);
        QVERIFY(e.State(Cmd::RangeSelect).enabled);
        QVERIFY(e.Run(Cmd::RangeSelect));
        QVERIFY(e.State(Cmd::RangeSelect).checked);
        CCalcController &calc = *e.view->CalcController();
        const auto click = [&](int pos) {
            e.Select(pos, pos);
            calc.OnLeftButtonUp();
        };
        click(8);
        QCOMPARE(e.view->m_nSelStart, 8);
        QCOMPARE(e.view->m_nSelEnd, -1);
        QCOMPARE(e.view->m_range, CellRange());
        click(3); // before the start: asked again, the start kept
        QCOMPARE(e.f.prompter.Texts(), QStringList{QString::fromUtf8("終点（右下）を選び直して下さい。")});
        QCOMPARE(e.f.prompter.messages.first().caption, QStringLiteral("Velloquin"));
        QCOMPARE(e.view->m_nSelEnd, -1);
        QVERIFY(e.view->m_bTwoClickSelect);
        click(15);
        QVERIFY(!e.view->m_bTwoClickSelect);
        QCOMPARE(e.Selection(), qMakePair(8, 15));
        QCOMPARE(e.view->m_range, (CellRange{1, 1, 1, 2}));
        QCOMPARE(e.f.prompter.messages.size(), 1);
    }

    // Each step is "arm" (the command), a click at a position, or a drag "from-to"; every
    // click or drag ends with the left button's release.
    void twoClickSequences_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<int>("selStart");
        QTest::addColumn<int>("selEnd");
        QTest::addColumn<bool>("armed");
        QTest::addColumn<CellRange>("range");
        QTest::addColumn<int>("warnings");
        // Rows of "1\t2\t3\n4\t5\t6\n7\t8\t9" start at 0, 6 and 12.
        QTest::newRow("start, then an end after it")
            << QStringList{"arm", "8", "15"} << 8 << 15 << false << CellRange{1, 1, 1, 2} << 0;
        QTest::newRow("an end before the start is asked again")
            << QStringList{"arm", "8", "3"} << 8 << -1 << true << CellRange() << 1;
        QTest::newRow("asked again, the next click is the end")
            << QStringList{"arm", "8", "3", "15"} << 8 << 15 << false << CellRange{1, 1, 1, 2}
            << 1;
        QTest::newRow("disarmed and armed again while a start waits: the click ends it")
            << QStringList{"arm", "8", "arm", "arm", "15"} << 8 << 15 << false
            << CellRange{1, 1, 1, 2} << 0;
        QTest::newRow("disarmed: a drag is taken as it is")
            << QStringList{"arm", "arm", "2-9"} << 2 << 9 << false << CellRange{1, 0, 1, 1} << 0;
        QTest::newRow("a drag as the end click ends where the drag ends")
            << QStringList{"arm", "2", "9-16"} << 2 << 16 << false << CellRange{1, 0, 1, 2}
            << 0;
    }
    void twoClickSequences()
    {
        QFETCH(QStringList, steps);
        QFETCH(int, selStart);
        QFETCH(int, selEnd);
        QFETCH(bool, armed);
        QFETCH(CellRange, range);
        QFETCH(int, warnings);
        Editor e("1\t2\t3\n4\t5\t6\n7\t8\t9", false, true);
        e.Run(Cmd::CalcMode);
        for (const QString &step : steps) {
            if (step == QLatin1String("arm")) {
                QVERIFY(e.Run(Cmd::RangeSelect));
                continue;
            }
            const QStringList ends = step.split(u'-');
            e.Select(ends.first().toInt(), ends.last().toInt());
            QTest::mouseRelease(e.view->viewport(), Qt::LeftButton, {},
                                e.view->cursorRect().center());
        }
        QCOMPARE(e.view->m_nSelStart, selStart);
        QCOMPARE(e.view->m_nSelEnd, selEnd);
        QCOMPARE(e.view->m_bTwoClickSelect != 0, armed);
        QCOMPARE(e.view->m_range, range);
        if (selEnd > selStart)
            QCOMPARE(e.Selection(), qMakePair(selStart, selEnd));
        QCOMPARE(e.f.prompter.Texts(),
                 QStringList(warnings, QString::fromUtf8("終点（右下）を選び直して下さい。")));
    }

    // A new text in the window starts without the range taken in the old one.
    void newTextForgetsTheRange_data()
    {
        QTest::addColumn<bool>("openAnother");
        QTest::newRow("another file opened") << true;
        QTest::newRow("a new document") << false;
    }
    void newTextForgetsTheRange()
    {
        QFETCH(bool, openAnother);
        const QByteArray table = "1\t2\t\n3\t4\t\n5\t6\t";
        Editor e(table);
        e.Run(Cmd::CalcMode);
        SelectRange(e, 2, int(table.size()));
        QCOMPARE(e.view->m_range, (CellRange{1, 0, 1, 2}));
        QVERIFY(e.Enabled(Cmd::SumColumnBottom));
        if (openAnother)
            QVERIFY(e.frame->OpenDocumentFile(e.f.WriteFile(QStringLiteral("b.zel"), "7\t8\n")));
        else
            QVERIFY(e.Run(Cmd::FileNew));
        QCOMPARE(e.view->m_range, CellRange());
        QCOMPARE(e.view->m_nSelStart, 0);
        QCOMPARE(e.view->m_nSelEnd, 0);
        QVERIFY(!e.Enabled(Cmd::SumColumnBottom));
        QVERIFY(!e.Enabled(Cmd::SumRowRight));
    }

    // Sums without a range warn in Japanese, whatever the interface's language.
    void sumsWithoutRangeWarn_data()
    {
        QTest::addColumn<bool>("english");
        QTest::newRow("Japanese interface") << false;
        QTest::newRow("English interface") << true;
    }
    void sumsWithoutRangeWarn()
    {
        QFETCH(bool, english);
        Editor e("1\t2\n3\t4", english);
        e.Run(Cmd::CalcMode);
        CCalcController &calc = *e.view->CalcController();
        QVERIFY(!calc.Apply(TotalsOfRange(calc.Input(), false, true, false)));
        QCOMPARE(e.f.prompter.messages.size(), 1);
        const MessageRequest &m = e.f.prompter.messages.first();
        QCOMPARE(m.text, QString::fromUtf8("選択が無いか、選択に誤りがあります。\n計算したい行列の"
                                           "左上から右下までを、マウスで選択して下さい。"));
        QCOMPARE(m.caption, QString::fromUtf8("注意！"));
        QCOMPARE(m.icon, MsgIcon::Exclamation);
        QCOMPARE(e.Text(), QStringLiteral("1\t2\n3\t4"));
        QCOMPARE(e.History().CurrentIndex(), 0);
    }

    void enabling_data()
    {
        QTest::addColumn<CellRange>("range");
        QTest::addColumn<bool>("columnTotals");
        QTest::addColumn<bool>("rowTotals");
        QTest::addColumn<bool>("columnTransforms");
        QTest::addColumn<bool>("rowTransforms");
        QTest::newRow("no range") << CellRange() << false << false << true << true;
        QTest::newRow("one cell") << CellRange{1, 1, 1, 1} << false << false << true << true;
        QTest::newRow("one column, two rows") << CellRange{1, 1, 1, 2} << true << false << true
                                              << false;
        QTest::newRow("one row, two columns") << CellRange{1, 1, 2, 1} << false << true << false
                                              << true;
        QTest::newRow("two by two") << CellRange{0, 0, 1, 1} << true << true << false << false;
    }
    void enabling()
    {
        QFETCH(CellRange, range);
        QFETCH(bool, columnTotals);
        QFETCH(bool, rowTotals);
        QFETCH(bool, columnTransforms);
        QFETCH(bool, rowTransforms);
        Editor e("1\t2\n3\t4");
        e.Run(Cmd::CalcMode);
        e.view->m_range = range;
        for (Cmd c : {Cmd::SumColumnTop, Cmd::SumColumnBottom, Cmd::MeanColumnTop,
                      Cmd::MeanColumnBottom})
            QCOMPARE(e.Enabled(c), columnTotals);
        for (Cmd c : {Cmd::SumRowLeft, Cmd::SumRowRight, Cmd::MeanRowLeft, Cmd::MeanRowRight})
            QCOMPARE(e.Enabled(c), rowTotals);
        for (Cmd c : {Cmd::LinearColumnLeft, Cmd::LinearColumnRight, Cmd::MapColumnLeft,
                      Cmd::MapColumnRight})
            QCOMPARE(e.Enabled(c), columnTransforms);
        for (Cmd c : {Cmd::LinearRowTop, Cmd::LinearRowBottom, Cmd::MapRowTop, Cmd::MapRowBottom})
            QCOMPARE(e.Enabled(c), rowTransforms);
        for (Cmd c : {Cmd::ArithColumnsLeft, Cmd::ArithColumnsRight, Cmd::ArithRowsTop,
                      Cmd::ArithRowsBottom})
            QVERIFY(e.Enabled(c));
    }

    void totalsFromTheMenu_data()
    {
        QTest::addColumn<Cmd>("cmd");
        QTest::addColumn<bool>("english");
        QTest::addColumn<QString>("after");
        const QString table = QStringLiteral("a\tb\t\n1\t2\t\n3\t4\t");
        QTest::newRow("Sum: Bottom") << Cmd::SumColumnBottom << false << table + "\n4.0\t6.0\t";
        QTest::newRow("Mean: Top") << Cmd::MeanColumnTop << true
                                   << "a\tb\t\n2.0\t3.0\t\n1\t2\t\n3\t4\t";
        QTest::newRow("Sum of Row to Right, English label")
            << Cmd::SumRowRight << true << "a\tb\tSum\t\n1\t2\t3.0\t\n3\t4\t7.0\t";
        QTest::newRow("Mean of Row to Left, Japanese label")
            << Cmd::MeanRowLeft << false
            << QString::fromUtf8("平均\ta\tb\t\n1.5\t1\t2\t\n3.5\t3\t4\t");
    }
    void totalsFromTheMenu()
    {
        QFETCH(Cmd, cmd);
        QFETCH(bool, english);
        QFETCH(QString, after);
        const QByteArray before = "a\tb\t\n1\t2\t\n3\t4\t";
        Editor e(before, english);
        e.Run(Cmd::CalcMode);
        SelectRange(e, 5, int(before.size()));
        const int steps = e.History().CurrentIndex();
        QVERIFY(RunFromContextMenu(e, cmd));
        QCOMPARE(e.Text(), after);
        QCOMPARE(e.History().CurrentIndex(), steps + 1);
        QVERIFY(e.Run(Cmd::Undo));
        QCOMPARE(e.Text(), QString::fromUtf8(before));
    }

    void dialogCommands_data()
    {
        QTest::addColumn<Cmd>("cmd");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("caret");
        QTest::addColumn<DialogScript>("script");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QStringList>("stored");

        QTest::newRow("Y = X*3/2 + 7/2, column to the right")
            << Cmd::LinearColumnRight << QByteArray("4\tx\n6\ty") << 0
            << Fill({{"1010", "3"}, {"1009", "2"}, {"1011", "7"}, {"1012", "2"}})
            << "4\t9.0\tx\n6\t12.0\ty" << QStringList{"Num1=3", "Num=2", "Num2=7", "Num3=2"};
        QTest::newRow("60…120 onto 65…100, row below")
            << Cmd::MapRowBottom << QByteArray("60\t90\t120") << 0
            << Fill({{"1013", "60"}, {"1014", "120"}, {"1015", "65"}, {"1016", "100"}})
            << "60\t90\t120\n65.0\t82.5\t100.0"
            << QStringList{"A=60", "B=120", "C=65", "D=100"};
        QTest::newRow("C ÷ A, to the right")
            << Cmd::ArithColumnsRight << QByteArray("6\tx\t3\n1\ty\t0") << 0
            << Fill({}, {{"1114", 2}, {"1111", 1}, {"1008", 0}})
            << "6\tx\t3\t2.0\n1\ty\t0\tError" << QStringList{"SisokuR=1"};
        QTest::newRow("rows 1 － 2, on top")
            << Cmd::ArithRowsTop << QByteArray("5\t7\n2\t3") << 0
            << Fill({{"1112", "1"}, {"1113", "2"}}, {{"1111", 3}}) << "3.0\t4.0\n5\t7\n2\t3"
            << QStringList{"SisokuG=3"};
        QTest::newRow("equal columns: nothing done, nothing stored")
            << Cmd::ArithColumnsLeft << QByteArray("1\t2") << 0
            << Fill({}, {{"1114", 1}, {"1111", 2}, {"1008", 1}}) << "1\t2"
            << QStringList{"SisokuR=-999"};
        QTest::newRow("cancelled transform: nothing stored")
            << Cmd::LinearRowTop << QByteArray("1\t2") << 0 << Cancel << "1\t2"
            << QStringList{"Num1=-999", "Num=-999"};
    }
    void dialogCommands()
    {
        QFETCH(Cmd, cmd);
        QFETCH(QByteArray, text);
        QFETCH(int, caret);
        QFETCH(DialogScript, script);
        QFETCH(QString, after);
        QFETCH(QStringList, stored);
        Editor e(text);
        e.Run(Cmd::CalcMode);
        e.Select(caret, caret);
        Answer(script);
        QVERIFY(RunFromContextMenu(e, cmd));
        QCOMPARE(e.Text(), after);
        for (const QString &entry : stored) {
            const QStringList kv = entry.split(u'=');
            QCOMPARE(Setting(e, kv[0].toLatin1().constData()), kv[1].toInt());
        }
        if (after != QString::fromUtf8(text)) {
            QVERIFY(e.Run(Cmd::Undo));
            QCOMPARE(e.Text(), QString::fromUtf8(text));
        }
        QVERIFY(e.f.prompter.messages.isEmpty());
    }

    // Input that cannot be computed keeps the dialog open with a message.
    void refusedInput_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("english");
        QTest::addColumn<DialogScript>("script");
        QTest::addColumn<QString>("message");
        const auto fill = [](QList<std::pair<const char *, QString>> edits) {
            return DialogScript([edits](QDialog *d) {
                for (const auto &[id, text] : edits)
                    SetEdit(d, id, text);
            });
        };
        QTest::newRow("n = 0") << 0 << false << fill({{"1009", "0"}})
                               << QString::fromUtf8("n と q には 0 以外の整数を入れて下さい。");
        QTest::newRow("q = 0") << 0 << true << fill({{"1012", "0"}})
                               << "n and q must be integers other than 0.";
        QTest::newRow("an empty m") << 0 << true << fill({{"1010", ""}})
                                    << "Please enter an integer.";
        QTest::newRow("A = B") << 1 << false << fill({{"1013", "7"}, {"1014", "7"}})
                               << QString::fromUtf8("A と B には異なる値を入れて下さい。");
        QTest::newRow("an empty row number")
            << 2 << false << fill({{"1112", ""}})
            << QString::fromUtf8("整数を入れて下さい。");
    }
    void refusedInput()
    {
        QFETCH(int, kind);
        QFETCH(bool, english);
        QFETCH(DialogScript, script);
        QFETCH(QString, message);
        FakePrompter prompter;
        std::unique_ptr<QDialog> dialog;
        if (kind == 0)
            dialog = std::make_unique<CLinearDialog>(english, LinearParams{}, prompter);
        else if (kind == 1)
            dialog = std::make_unique<CMapDialog>(english, MapParams{}, prompter);
        else
            dialog = std::make_unique<CArithmeticDialog>(
                english, CArithmeticDialog::Kind::Rows, 1, 2, 0, prompter);
        dialog->show();
        script(dialog.get());
        dialog->accept();
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->result(), int(QDialog::Rejected));
        QCOMPARE(prompter.Texts(), QStringList{message});
    }
};

QTEST_MAIN(TestCalcMode)
#include "tst_calcmode.moc"
