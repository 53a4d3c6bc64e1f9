// The calculation mode, the table commands, the line evaluator and the HTML export in the
// window: keys and menus to text, undo steps, dialogs, settings; and the program's --eval and
// --html switches.
#include "support/EditorFixture.h"
#include "support/Headless.h"
#include "app/Globals.h"
#include "app/SettingsKeys.h"
#include "app/TextFile.h"
#include "app/ui/COrrindaleDoc.h"
#include "app/ui/CPaneSplitter.h"
#include "app/ui/MenuBuilder.h"
#include "calc/ui/CalcController.h"
#include "calc/ui/CalcDialogs.h"
#include "calc/ui/TableDialogs.h"
#include "input/ui/CompletionController.h"
#include "res/Messages.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {
using DialogScript = std::function<void(QDialog *)>;

const QString Reselect = QString::fromUtf8("終点（右下）を選び直して下さい。");
const QString ReturnQuestion = QString::fromUtf8(
    "表示を元のファイルに戻しますか？\nどちらも履歴から開き直すことができます。\n"
    "「はい」を押すと、このメッセージは2度と表示されず、ファイルの表示も元のままとなります。\n"
    "再びメッセージを表示したければ「ﾍﾙﾌﾟ」の「設定」からできます。");
const QString Unclosed =
    QString::fromUtf8("文字修飾 {\\・・・に対応する終わりの } がありません。修正して下さい。");
const QString TableStart = QStringLiteral("<table border=\"1\"");

struct Editor : EditorFixture {
    using EditorFixture::EditorFixture;

    int Setting(const char *key) const
    {
        return f.store->GetInt(QStringLiteral("Settings"), QString::fromLatin1(key), -999);
    }

    // A selection as the mouse leaves it: in calculation mode it becomes the range.
    void SelectRange(int from, int to)
    {
        Select(from, to);
        QTest::keyRelease(view, Qt::Key_Shift);
    }

    // Runs a command from the calculation context menu of the view's language; false when the
    // item is missing or greyed.
    bool FromMenu(Cmd cmd)
    {
        const bool english = f.settings->English();
        std::unique_ptr<QMenu> menu(BuildContextMenu(MenuResource::ContextCalc, english,
                                                     *frame->Router(), frame.get()));
        frame->Router()->RefreshActions();
        for (QAction *action : menu->findChildren<QAction *>()) {
            if (ActionId(action) == IdOf(cmd, english) && action->isEnabled()) {
                action->trigger();
                return true;
            }
        }
        return false;
    }

    bool OneUndoGives(const QString &before) { return Run(Cmd::Undo) && Text() == before; }

    // Types text, "<Enter>" pieces as that key with the given modifiers.
    void Type(const QString &script, Qt::KeyboardModifiers modifiers = {})
    {
        for (const QString &piece : script.split(u'|')) {
            if (piece == QLatin1String("<Enter>"))
                QTest::keyClick(view, Qt::Key_Return, modifiers);
            else
                QTest::keyClicks(view, piece);
        }
    }
};

// Answers the next modal dialog of type D.
template <class D = QDialog> void OnDialog(std::function<void(D *)> act)
{
    QTimer::singleShot(0, [act] {
        auto *dialog = qobject_cast<D *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        act(dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
}

template <class W> W *Child(QDialog *d, const char *id)
{
    auto *w = d->findChild<W *>(QString::fromLatin1(id));
    if (!w)
        qFatal("no such control");
    return w;
}

// Fills edits and combo boxes of a dialog by their ids; `accept` presses OK.
DialogScript Fill(const QList<std::pair<const char *, QString>> &edits,
                  const QList<std::pair<const char *, int>> &combos = {}, bool accept = true)
{
    return [=](QDialog *d) {
        for (const auto &[id, text] : edits)
            Child<QLineEdit>(d, id)->setText(text);
        for (const auto &[id, index] : combos)
            Child<QComboBox>(d, id)->setCurrentIndex(index);
        if (accept)
            d->accept();
    };
}

QByteArray ReadBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void SetModified(const QString &path, const QDateTime &when)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(when, QFileDevice::FileModificationTime));
}

void PressExportKey(CMainFrame &frame)
{
    QTest::keyClick(frame.GetActiveView(), Qt::Key_H, Qt::AltModifier);
}
} // namespace

Q_DECLARE_METATYPE(Cmd)
Q_DECLARE_METATYPE(CellRange)
Q_DECLARE_METATYPE(DialogScript)

class TestCalcView : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void switchingTheMode()
    {
        Editor e("1\t2\n");
        e.f.store->WriteInt("Settings", "TabStops", 4);
        e.f.store->WriteInt("Settings", "RetuHaba", 12);
        const qreal space = e.view->fontMetrics().horizontalAdvance(QLatin1Char(' '));
        QVERIFY(e.Run(Cmd::CalcMode));
        QVERIFY(e.State(Cmd::CalcMode).checked);
        QCOMPARE(e.view->tabStopDistance(), space * 12);
        QCOMPARE(e.view->lineWrapMode(), QPlainTextEdit::NoWrap);
        QCOMPARE(e.view->m_nLineNumberMode, 1);
        QCOMPARE(e.Setting("Line"), 1);
        QVERIFY(e.Run(Cmd::CalcMode));
        QVERIFY(!e.State(Cmd::CalcMode).checked);
        QCOMPARE(e.view->tabStopDistance(), space * 4);
        QCOMPARE(e.view->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        QCOMPARE(e.view->m_nLineNumberMode, 0);
        QCOMPARE(e.Setting("Line"), 1); // leaving the mode does not store it
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
        OnDialog<QDialog>([index](QDialog *d) {
            auto *combo = Child<QComboBox>(d, "1115");
            QCOMPARE(combo->count(), 6);
            QCOMPARE(combo->currentIndex(), 1); // the width of 8 in use
            combo->setCurrentIndex(index);
            if (index >= 0)
                d->accept();
        });
        QVERIFY(e.Run(Cmd::TableWidth));
        QCOMPARE(e.view->tabStopDistance(),
                 e.view->fontMetrics().horizontalAdvance(QLatin1Char(' ')) * width);
        QCOMPARE(e.Setting("RetuHaba"), index < 0 ? -999 : width);
        QCOMPARE(e.Setting("TabStops"), -999);
    }

    void roundOff_data()
    {
        QTest::addColumn<bool>("english");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("sums");
        QTest::newRow("ja, round at the third place") << false << 2 << "四捨五入" << "4.00\t6.00\t";
        QTest::newRow("en, round at the first place") << true << 0 << "Round Off to " << "4\t6\t";
    }
    void roundOff()
    {
        QFETCH(bool, english);
        QFETCH(int, index);
        QFETCH(QString, title);
        QFETCH(QString, sums);
        Editor e("1\t2\t\n3\t4\t", english);
        e.Run(Cmd::CalcMode);
        OnDialog<QDialog>([&](QDialog *d) {
            QCOMPARE(d->windowTitle(), title);
            // Nothing stored yet: the dialog starts at the first place whatever the view keeps.
            QCOMPARE(Child<QComboBox>(d, "1033")->currentIndex(), 0);
            Fill({}, {{"1033", index}})(d);
        });
        QVERIFY(e.Run(Cmd::RoundOff));
        QCOMPARE(e.Setting("Sho"), index);
        e.SelectRange(0, int(e.Text().size()));
        QVERIFY(e.FromMenu(Cmd::SumColumnBottom));
        QVERIFY(e.Text().endsWith(u'\n' + sums));
    }

    void rangeFollowsTheSelection_data()
    {
        QTest::addColumn<bool>("calcMode");
        QTest::addColumn<bool>("byMouse");
        QTest::newRow("mouse release in the mode") << true << true;
        QTest::newRow("Shift release in the mode") << true << false;
        QTest::newRow("mouse release outside the mode") << false << true;
        QTest::newRow("Shift release outside the mode") << false << false;
    }
    void rangeFollowsTheSelection()
    {
        QFETCH(bool, calcMode);
        QFETCH(bool, byMouse);
        // From the middle of B in row 1 to just after the TAB that ends D in row 4.
        Editor e("h\n1\t22\t3\t4\t5\n1\t2\t3\t4\t\n1\t2\t3\t4\t\n1\t2\t3\t4\t\n", false, true);
        if (calcMode)
            e.Run(Cmd::CalcMode);
        e.Select(5, 39);
        if (byMouse)
            QTest::mouseRelease(e.view->viewport(), Qt::LeftButton, {}, e.view->cursorRect().center());
        else
            QTest::keyRelease(e.view, Qt::Key_Shift);
        const CellRange expected = calcMode ? CellRange{1, 1, 3, 4} : CellRange();
        QCOMPARE(e.view->m_range, expected);
        QCOMPARE(e.view->m_nSelStart, calcMode ? 5 : 0);
        QCOMPARE(e.view->CalcController()->HighlightShown(), calcMode);
        QTest::keyClick(e.view, Qt::Key_X);
        QVERIFY(!e.view->CalcController()->HighlightShown());
        QCOMPARE(e.view->m_range, expected); // kept through typing
    }

    // Each step is "arm" (the command), a click at a position, or a drag "from-to"; every
    // click or drag ends with the left button's release.
    void twoClickSelection_data()
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
            << QStringList{"arm", "8", "3", "15"} << 8 << 15 << false << CellRange{1, 1, 1, 2} << 1;
        QTest::newRow("disarmed and armed again while a start waits: the click ends it")
            << QStringList{"arm", "8", "arm", "arm", "15"} << 8 << 15 << false
            << CellRange{1, 1, 1, 2} << 0;
        QTest::newRow("disarmed: a drag is taken as it is")
            << QStringList{"arm", "arm", "2-9"} << 2 << 9 << false << CellRange{1, 0, 1, 1} << 0;
        QTest::newRow("a drag as the end click ends where the drag ends")
            << QStringList{"arm", "2", "9-16"} << 2 << 16 << false << CellRange{1, 0, 1, 2} << 0;
    }
    void twoClickSelection()
    {
        QFETCH(QStringList, steps);
        QFETCH(int, selStart);
        QFETCH(int, selEnd);
        QFETCH(bool, armed);
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
            QTest::mouseRelease(e.view->viewport(), Qt::LeftButton, {}, e.view->cursorRect().center());
        }
        QCOMPARE(e.view->m_nSelStart, selStart);
        QCOMPARE(e.view->m_nSelEnd, selEnd);
        QCOMPARE(e.view->m_bTwoClickSelect != 0, armed);
        QTEST(e.view->m_range, "range");
        if (selEnd > selStart)
            QCOMPARE(e.Selection(), qMakePair(selStart, selEnd));
        QCOMPARE(e.f.prompter.Texts(), QStringList(warnings, Reselect));
        for (const MessageRequest &m : std::as_const(e.f.prompter.messages))
            QCOMPARE(m.caption, QStringLiteral("Velloquin"));
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
        Editor e("1\t2\t\n3\t4\t\n5\t6\t");
        e.Run(Cmd::CalcMode);
        e.SelectRange(2, int(e.Text().size()));
        QVERIFY(e.Enabled(Cmd::SumColumnBottom));
        if (openAnother)
            QVERIFY(e.frame->OpenDocumentFile(e.f.WriteFile(QStringLiteral("b.zel"), "7\t8\n")));
        else
            QVERIFY(e.Run(Cmd::FileNew));
        QCOMPARE(e.view->m_range, CellRange());
        QCOMPARE(e.view->m_nSelStart, 0);
        QCOMPARE(e.view->m_nSelEnd, 0);
        QVERIFY(!e.Enabled(Cmd::SumColumnBottom));
    }

    // Sums without a range warn in Japanese, whatever the interface's language.
    void sumsWithoutRangeWarn()
    {
        Editor e("1\t2\n3\t4", true);
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
        QTest::addColumn<Cmd>("cmd");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<int>("storedRows");
        QTest::addColumn<bool>("enabled");
        // "1\t2\t3\n4\t5\t6\n7\t8\t9": 0 = A1, 2 = B1, 5 = end of row 1, 9 = after B2.
        const auto row = [](const char *name, Cmd cmd, int from, int to, int stored, bool on) {
            QTest::newRow(name) << cmd << from << to << stored << on;
        };
        row("column sums: one column, two rows", Cmd::SumColumnBottom, 2, 9, 0, true);
        row("column means: one cell", Cmd::MeanColumnTop, 2, 3, 0, false);
        row("row sums: one row, two columns", Cmd::SumRowRight, 0, 3, 0, true);
        row("row means: one column, two rows", Cmd::MeanRowLeft, 2, 9, 0, false);
        row("column transform: no range", Cmd::LinearColumnRight, 2, 2, 0, true);
        row("column transform: one row, two columns", Cmd::MapColumnLeft, 0, 3, 0, false);
        row("row transform: one column, two rows", Cmd::LinearRowTop, 2, 9, 0, false);
        row("row transform: one row, two columns", Cmd::MapRowBottom, 0, 3, 0, true);
        row("arithmetic of rows: two by two", Cmd::ArithRowsTop, 0, 9, 0, true);
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
        QFETCH(Cmd, cmd);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(int, storedRows);
        Editor e("1\t2\t3\n4\t5\t6\n7\t8\t9");
        e.Run(Cmd::CalcMode);
        e.SelectRange(from, to);
        e.view->m_areaStore = QStringList(storedRows, QStringLiteral("x\ty"));
        e.view->m_nAreaRows = storedRows;
        e.view->m_nAreaCols = storedRows ? 2 : 0;
        QTEST(e.Enabled(cmd), "enabled");
    }

    // Each command of the calculation menu edits the text in one undo step.
    void fromTheMenu_data()
    {
        QTest::addColumn<Cmd>("cmd");
        QTest::addColumn<bool>("english");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<QString>("after");
        const QString table = QStringLiteral("a\tb\t\n1\t2\t\n3\t4\t");
        QTest::newRow("Sum: Bottom") << Cmd::SumColumnBottom << false << table << 5 << 14
                                     << table + "\n4.0\t6.0\t";
        QTest::newRow("Mean of Row to Right, English label")
            << Cmd::MeanRowRight << true << table << 5 << 14 << "a\tb\tMean\t\n1\t2\t1.5\t\n3\t4\t3.5\t";
        QTest::newRow("Deviation") << Cmd::Deviation << false << "40\t\n50\t\n60\t\n" << 0 << 10
                                   << "40\t37.8\t\n50\t50.0\t\n60\t62.2\t\n";
        QTest::newRow("Clear Selected Area") << Cmd::ClearArea << true << "1\t2\t3\t" << 0 << 3
                                             << "\t\t3\t";
        QTest::newRow("Delete Selected Area")
            << Cmd::DeleteArea << true << "1\t2\t3\n4\t5\t6" << 2 << 9 << "1\t3\n4\t6";
        QTest::newRow("Insert Blank Cells")
            << Cmd::InsertBlankCells << true << "1\t2\t3\n4\t5\t6" << 2 << 9 << "1\t\t2\t3\n4\t\t5\t6";
        QTest::newRow("Insert a Blank Column")
            << Cmd::InsertColumn << true << "1\t22\t3\n4\t55\t6" << 3 << 3 << "1\t22\t\t3\n4\t55\t\t6";
        QTest::newRow("Delete the Column")
            << Cmd::DeleteColumn << true << "t\n1\t2\t3\n4\t5\t6\nx\ty" << 4 << 4 << "t\n1\t3\n4\t6\nx\t";
    }
    void fromTheMenu()
    {
        QFETCH(Cmd, cmd);
        QFETCH(bool, english);
        QFETCH(QString, text);
        QFETCH(int, from);
        QFETCH(int, to);
        Editor e(text.toUtf8(), english);
        e.Run(Cmd::CalcMode);
        e.SelectRange(from, to);
        const int steps = e.History().CurrentIndex();
        QVERIFY(e.FromMenu(cmd));
        QTEST(e.Text(), "after");
        QCOMPARE(e.History().CurrentIndex(), steps + 1);
        QVERIFY(e.OneUndoGives(text));
    }

    // What one command keeps, the next one uses: the area or the column.
    void storedAreas_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<Cmd>("first");
        QTest::addColumn<int>("firstFrom");
        QTest::addColumn<int>("firstTo");
        QTest::addColumn<Cmd>("second");
        QTest::addColumn<int>("secondFrom");
        QTest::addColumn<int>("secondTo");
        QTest::addColumn<QString>("after");
        QTest::newRow("copy a, b, c, d, paste repeated over 4 x 4")
            << "a\tb\t\t\t\nc\td\t\t\t\n\t\t\t\t\n\t\t\t\t\n" << Cmd::CopyArea << 0 << 10
            << Cmd::PasteRepeat << 0 << 23 << "a\tb\ta\tb\t\nc\td\tc\td\t\na\tb\ta\tb\t\nc\td\tc\td\t\n";
        QTest::newRow("cut columns A and B, paste at the end of the first row")
            << "1\t2\t3\n4\t5\t6\n" << Cmd::CutArea << 0 << 9 << Cmd::PasteArea << 1 << 1
            << "3\t1\t2\n6\t4\t5\n";
        QTest::newRow("cut column B, insert it after C")
            << "1\t2\t3\n4\t5\t6" << Cmd::CutColumn << 2 << 2 << Cmd::InsertCopiedColumn << 3 << 3
            << "1\t3\t2\n4\t6\t5";
    }
    void storedAreas()
    {
        QFETCH(QString, text);
        QFETCH(Cmd, first);
        QFETCH(int, firstFrom);
        QFETCH(int, firstTo);
        QFETCH(Cmd, second);
        QFETCH(int, secondFrom);
        QFETCH(int, secondTo);
        Editor e(text.toUtf8(), true);
        e.Run(Cmd::CalcMode);
        e.SelectRange(firstFrom, firstTo);
        QVERIFY(e.FromMenu(first));
        const QString between = e.Text();
        e.SelectRange(secondFrom, secondTo);
        QVERIFY(e.FromMenu(second));
        QTEST(e.Text(), "after");
        QVERIFY(e.OneUndoGives(between));
    }

    void dialogCommands_data()
    {
        QTest::addColumn<Cmd>("cmd");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<DialogScript>("script");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QStringList>("stored");
        QTest::newRow("Y = X*3/2 + 7/2, column to the right")
            << Cmd::LinearColumnRight << QByteArray("4\tx\n6\ty")
            << Fill({{"1010", "3"}, {"1009", "2"}, {"1011", "7"}, {"1012", "2"}})
            << "4\t9.0\tx\n6\t12.0\ty" << QStringList{"Num1=3", "Num=2", "Num2=7", "Num3=2"};
        QTest::newRow("60…120 onto 65…100, row below")
            << Cmd::MapRowBottom << QByteArray("60\t90\t120")
            << Fill({{"1013", "60"}, {"1014", "120"}, {"1015", "65"}, {"1016", "100"}})
            << "60\t90\t120\n65.0\t82.5\t100.0" << QStringList{"A=60", "B=120", "C=65", "D=100"};
        QTest::newRow("C ÷ A, to the right")
            << Cmd::ArithColumnsRight << QByteArray("6\tx\t3\n1\ty\t0")
            << Fill({}, {{"1114", 2}, {"1111", 1}, {"1008", 0}}) << "6\tx\t3\t2.0\n1\ty\t0\tError"
            << QStringList{"SisokuR=1"};
        QTest::newRow("rows 1 － 2, on top")
            << Cmd::ArithRowsTop << QByteArray("5\t7\n2\t3")
            << Fill({{"1112", "1"}, {"1113", "2"}}, {{"1111", 3}}) << "3.0\t4.0\n5\t7\n2\t3"
            << QStringList{"SisokuG=3"};
        QTest::newRow("equal columns: nothing done, nothing stored")
            << Cmd::ArithColumnsLeft << QByteArray("1\t2")
            << Fill({}, {{"1114", 1}, {"1111", 2}, {"1008", 1}}) << "1\t2" << QStringList{"SisokuR=-999"};
        QTest::newRow("cancelled transform: nothing stored")
            << Cmd::LinearRowTop << QByteArray("1\t2") << DialogScript([](QDialog *d) { d->reject(); })
            << "1\t2" << QStringList{"Num1=-999", "Num=-999"};
    }
    void dialogCommands()
    {
        QFETCH(Cmd, cmd);
        QFETCH(QByteArray, text);
        QFETCH(DialogScript, script);
        QFETCH(QStringList, stored);
        Editor e(text);
        e.Run(Cmd::CalcMode);
        e.Select(0, 0);
        OnDialog<QDialog>(script);
        QVERIFY(e.FromMenu(cmd));
        QTEST(e.Text(), "after");
        for (const QString &entry : stored)
            QCOMPARE(e.Setting(entry.section(u'=', 0, 0).toLatin1()), entry.section(u'=', 1).toInt());
        if (e.Text() != QString::fromUtf8(text))
            QVERIFY(e.OneUndoGives(QString::fromUtf8(text)));
        QVERIFY(e.f.prompter.messages.isEmpty());
    }

    // Input that cannot be computed keeps the dialog open with a message.
    void refusedInput_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("english");
        QTest::addColumn<DialogScript>("script");
        QTest::addColumn<QString>("message");
        QTest::newRow("n = 0") << 0 << false << Fill({{"1009", "0"}}, {}, false)
                               << QString::fromUtf8("n と q には 0 以外の整数を入れて下さい。");
        QTest::newRow("q = 0") << 0 << true << Fill({{"1012", "0"}}, {}, false)
                               << "n and q must be integers other than 0.";
        QTest::newRow("an empty m") << 0 << true << Fill({{"1010", ""}}, {}, false)
                                    << "Please enter an integer.";
        QTest::newRow("A = B") << 1 << false << Fill({{"1013", "7"}, {"1014", "7"}}, {}, false)
                               << QString::fromUtf8("A と B には異なる値を入れて下さい。");
        QTest::newRow("an empty row number") << 2 << false << Fill({{"1112", ""}}, {}, false)
                                             << QString::fromUtf8("整数を入れて下さい。");
    }
    void refusedInput()
    {
        QFETCH(int, kind);
        QFETCH(bool, english);
        QFETCH(DialogScript, script);
        FakePrompter prompter;
        std::unique_ptr<QDialog> dialog;
        if (kind == 0)
            dialog = std::make_unique<CLinearDialog>(english, LinearParams{}, prompter);
        else if (kind == 1)
            dialog = std::make_unique<CMapDialog>(english, MapParams{}, prompter);
        else
            dialog = std::make_unique<CArithmeticDialog>(english, CArithmeticDialog::Kind::Rows,
                                                         1, 2, 0, prompter);
        dialog->show();
        script(dialog.get());
        dialog->accept();
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->result(), int(QDialog::Rejected));
        QCOMPARE(prompter.Texts().size(), 1);
        QTEST(prompter.Texts().first(), "message");
    }

    // The dialog's defaults come from the caret; bad rows are refused and the dialog stays.
    void sortRowsDialog_data()
    {
        QTest::addColumn<bool>("english");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("English") << true << "Sort Rows"
                                 << "Enter row numbers from 1, the first row not after the last.";
        QTest::newRow("Japanese") << false << QString::fromUtf8("行データの並び替え")
                                  << MsgText(Msg::TableRowsInvalid, false);
    }
    void sortRowsDialog()
    {
        QFETCH(bool, english);
        QFETCH(QString, title);
        QFETCH(QString, refusal);
        const QString text = "name\tscore\nb\t3\na\t1\nc\t2\n";
        Editor e(text.toUtf8(), english);
        e.Run(Cmd::CalcMode);
        e.SelectRange(13, 13); // in the score of b, no selection: down to the end
        e.f.prompter.answers << MsgAnswer::Ok;
        OnDialog<CSortRowsDialog>([&](CSortRowsDialog *d) {
            QCOMPARE(d->windowTitle(), title);
            QCOMPARE(d->Column(), 1);
            QCOMPARE(d->FromRow(), 2);
            QCOMPARE(d->ToRow(), 4);
            QVERIFY(d->Descending()); // the defaults
            QVERIFY(d->AsValues());
            d->m_pFrom->setText("5");
            d->accept(); // from after to: refused
            QVERIFY(d->isVisible());
            d->m_pFrom->setText("2");
            d->m_pDescending->setChecked(false);
            d->accept();
        });
        QVERIFY(e.Run(Cmd::SortRows));
        QCOMPARE(e.f.prompter.Texts(), QStringList{refusal});
        QCOMPARE(e.Text(), QString("name\tscore\na\t1\nc\t2\nb\t3\n"));
        QCOMPARE(e.view->textCursor().position(), 13); // at the score of the first row
        QCOMPARE(e.Setting("Down"), 0);
        QCOMPARE(e.Setting("Value"), 1);
        QVERIFY(e.OneUndoGives(text));
    }

    void rankingDialog_data()
    {
        QTest::addColumn<bool>("rank");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("after");
        QTest::newRow("ranks") << true << true << "b\t1\t90\na\t2\t80\nc\t2\t80\n";
        QTest::newRow("numbers") << false << true << "a\t1\t80\nb\t2\t90\nc\t3\t80\n";
        QTest::newRow("cancel") << true << false << "a\t80\nb\t90\nc\t80\n";
    }
    void rankingDialog()
    {
        QFETCH(bool, rank);
        QFETCH(bool, ok);
        const QString text = "a\t80\nb\t90\nc\t80\n";
        Editor e(text.toUtf8(), true);
        e.Run(Cmd::CalcMode);
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
        QTEST(e.Text(), "after");
        QCOMPARE(e.view->textCursor().position(), 2);
        if (ok)
            QVERIFY(e.OneUndoGives(text));
    }

    void makeTableDialog()
    {
        const QString text = "abc\nrest";
        Editor e(text.toUtf8());
        e.Run(Cmd::CalcMode);
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
        for (const char *key : {"Gyo=2", "Retu=3", "ABC=1", "No=1"})
            QCOMPARE(e.Setting(QByteArray(key).split('=')[0]), QByteArray(key).split('=')[1].toInt());
        QVERIFY(e.OneUndoGives(text));
    }

    // Enter completes a line of arithmetic; the rules of the evaluation are tested without
    // the window.
    void enterCompletesTheLine_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("caretAt"); // -1: the end
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("caret");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("completed with the view's rounding, caret at the next line")
            << QByteArray() << -1 << "1/8=|<Enter>" << 0 << "1/8=0.125\n" << 10 << QStringList();
        QTest::newRow("line in the middle of a text")
            << QByteArray("a\nb") << 1 << "+1*2=|<Enter>" << 0 << "a+1*2=2.000\n\nb" << 12
            << QStringList();
        QTest::newRow("Enter inside a line: its rest goes on the next line")
            << QByteArray("1+2=rest\nnext") << 4 << "<Enter>" << 0 << "1+2=3.000\nrest\nnext" << 10
            << QStringList();
        QTest::newRow("value line, caret on the empty line after it")
            << QByteArray() << -1 << "x1+1|<Enter>|x1=2|<Enter>" << 0 << "x1+1\n3.000, if x1=2\n\n"
            << 20 << QStringList();
        QTest::newRow("message, then the line")
            << QByteArray() << -1 << "2^1.5=|<Enter>" << 0 << "2^1.5=0.000\n" << 12
            << QStringList{QString::fromUtf8("累乗の指数に誤りがあります。整数乗しか扱えません。\n（a^n "
                                             "で n は整数で、a は小数でも良い) ")};
        QTest::newRow("Shift+Enter breaks the line as Enter does")
            << QByteArray() << -1 << "1+2=|<Enter>" << int(Qt::ShiftModifier) << "1+2=3.000\n" << 10
            << QStringList();
        QTest::newRow("Ctrl+Enter types no break and finishes no line")
            << QByteArray("1+2=\nabc") << 5 << "<Enter>" << int(Qt::ControlModifier) << "1+2=\nabc" << 5
            << QStringList();
    }
    void enterCompletesTheLine()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, caretAt);
        QFETCH(QString, typed);
        QFETCH(int, modifiers);
        QFETCH(QString, text);
        QFETCH(QStringList, messages);
        Editor e(content);
        e.view->m_nRoundIndex = 3;
        e.Select(caretAt < 0 ? int(content.size()) : caretAt, caretAt < 0 ? int(content.size()) : caretAt);
        e.Type(typed, Qt::KeyboardModifiers(modifiers));
        QCOMPARE(e.Text(), text);
        // Every line break is a real one, none a separator inside a line.
        QCOMPARE(e.view->blockCount(), int(text.count(u'\n')) + 1);
        QTEST(e.view->textCursor().position(), "caret");
        QCOMPARE(e.f.prompter.Texts(), messages);
        for (const MessageRequest &m : std::as_const(e.f.prompter.messages))
            QCOMPARE(m.caption, QString::fromLatin1(AppCaption));
    }

    void keypadEnterAndUndo()
    {
        Editor e("first\n");
        e.Select(6, 6);
        e.view->m_nRoundIndex = 1;
        QTest::keyClicks(e.view, "(1+2)*(3+4)=");
        QTest::keyClick(e.view, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(e.Text(), QStringLiteral("first\n(1+2)*(3+4)=21.0\n"));
        QVERIFY(e.Run(Cmd::Undo));
        QCOMPARE(e.Text(), QStringLiteral("first\n(1+2)*(3+4)=\n"));
        QVERIFY(e.Run(Cmd::UndoForward));
        QCOMPARE(e.Text(), QStringLiteral("first\n(1+2)*(3+4)=21.0\n"));
    }

    // Enter belongs to someone else while an input method composes, a completion list is open
    // or the view is read-only.
    void enterNotEvaluating()
    {
        Editor e("");
        e.view->m_nRoundIndex = 1;
        e.Type("1+2=");
        QInputMethodEvent compose(QStringLiteral("かん"), {});
        QApplication::sendEvent(e.view, &compose);
        e.Type("<Enter>");
        QCOMPARE(e.Text(), QStringLiteral("1+2=\n"));
        QInputMethodEvent commit;
        commit.setCommitString(QString());
        QApplication::sendEvent(e.view, &commit);
        e.f.settings->SetCommandList(e.f.WriteFile(
            QStringLiteral("list.mme"), "Notes.\n\\COMMANDS \t marker\n%s\nsum=\t9\n\n\n%S\n"));
        e.view->m_bInputSupport = 1;
        e.Type("1+\\s");
        QVERIFY(e.view->Completion()->IsPopupOpen());
        e.Type("<Enter>");
        QCOMPARE(e.Text(), QStringLiteral("1+2=\n1+\\sum="));
        e.Type("<Enter>"); // the editor's again
        QCOMPARE(e.Text(), QStringLiteral("1+2=\n1+\\sum=1.0\n"));
        e.view->setReadOnly(true);
        e.Select(4, 4);
        e.Type("<Enter>");
        QCOMPARE(e.Text(), QStringLiteral("1+2=\n1+\\sum=1.0\n"));
        QVERIFY(e.f.prompter.messages.isEmpty());
    }

    void exportAndReturn_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("content");
        QTest::addColumn<int>("ync"); // 1: back without asking
        QTest::addColumn<MsgAnswer>("answer");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("messages");
        const QString table = QStringLiteral("a\tb\n");
        QTest::newRow("not asked: back; zel with tables, title, UTF-8")
            << "doc.zel" << QString::fromUtf8("%note\n\\title=報告\nA\tB\n1\t2\nend\n") << 1
            << MsgAnswer::Yes << QString::fromUtf8("報告") << QStringList();
        QTest::newRow("not asked: unclosed decoration, message, page still written")
            << "d.txt" << "{\\r open\n" << 1 << MsgAnswer::Yes << "d" << QStringList{Unclosed};
        QTest::newRow("asked, Yes: back, never asked again")
            << "q.zel" << table << 0 << MsgAnswer::Yes << "q" << QStringList{ReturnQuestion};
        QTest::newRow("asked, No: stays on the page")
            << "q.zel" << table << 0 << MsgAnswer::No << "q" << QStringList{ReturnQuestion};
        QTest::newRow("asked, Cancel: stays on the page")
            << "q.zel" << table << 0 << MsgAnswer::Cancel << "q" << QStringList{ReturnQuestion};
    }
    void exportAndReturn()
    {
        QFETCH(QString, name);
        QFETCH(QString, content);
        QFETCH(int, ync);
        QFETCH(MsgAnswer, answer);
        QFETCH(QString, title);
        const bool back = ync == 1 || answer == MsgAnswer::Yes;
        FrameFixture f;
        WriteSetting(*f.store, Keys::YNC, ync);
        auto frame = f.MakeFrame();
        const QString path = f.WriteFile(name, content.toUtf8());
        // An old document, so that the page is written in a later second.
        SetModified(path, QDateTime::currentDateTime().addDays(-2));
        QVERIFY(frame->OpenDocumentFile(path));
        frame->show(); // the Help menu's own Alt+H is there too; the accelerator wins
        if (ync == 0)
            f.prompter.answers.enqueue(answer);
        PressExportKey(*frame);
        const QString html = f.FilePath(QFileInfo(name).completeBaseName() + ".html");
        const QByteArray bytes = ReadBytes(html);
        const QString page = QString::fromUtf8(bytes);
        QCOMPARE(page.toUtf8(), bytes); // valid UTF-8
        QVERIFY2(page.contains("<title>" + title + ".html</title>"), qPrintable(page));
        QCOMPARE(page.contains(TableStart), name.endsWith(QLatin1String(".zel")));
        QTEST(f.prompter.Texts(), "messages");
        if (ync == 0) {
            QCOMPARE(f.prompter.messages.last().caption, QStringLiteral("Velloquin"));
            QCOMPARE(f.prompter.messages.last().buttons, MsgButtons::YesNoCancel);
        }
        QCOMPARE(f.launcher.calls.size(), 1);
        QCOMPARE(f.launcher.calls[0].kind, FakeLauncher::Call::OpenFile);
        QCOMPARE(f.launcher.calls[0].program, html);
        COrrindaleDoc *doc = frame->GetDocument();
        QCOMPARE(doc->PathName(), back ? path : html);
        QCOMPARE(DocumentText(doc->TextDocument()), back ? content : page);
        QVERIFY(!doc->IsModified());
        QCOMPARE(ReadBytes(path), content.toUtf8());
        QCOMPARE(ReadSetting(*f.store, Keys::YNC), back ? 1 : 0);
        QCOMPARE(f.settings->Editor().restoreAfterHtml, back ? 1 : 0);
        if (back) { // in the document's mode; both files in the recent-file list, the document first
            QCOMPARE(frame->GetActiveView()->m_bCalcMode, name.endsWith(QLatin1String(".zel")) ? 1 : 0);
            const QString recent = QString::fromLatin1(Sections::RecentFiles);
            QCOMPARE(f.store->GetString(recent, RecentFileKey(1)), path);
            QCOMPARE(f.store->GetString(recent, RecentFileKey(2)), html);
        }
        // The window watches the file it shows from the time it was written: no question until
        // that file changes again.
        QCOMPARE(g_tFileTime, FileTimeOf(back ? path : html));
        f.prompter.messages.clear();
        frame->CheckFileChanged();
        QCOMPARE(f.prompter.Texts(), QStringList());
        SetModified(back ? path : html, QDateTime::currentDateTime().addDays(1));
        f.prompter.answers.enqueue(MsgAnswer::No);
        frame->CheckFileChanged();
        QCOMPARE(f.prompter.Texts(), QStringList{MsgText(Msg::FileChangedQuestion, false)});
    }

    // Changed or untitled text is saved (and named) first; the page never replaces the document.
    void exportSavesFirst_data()
    {
        QTest::addColumn<QString>("existing"); // the document's file, empty: untitled
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("name"); // the name given in Save As; empty: cancelled
        QTest::addColumn<QString>("pageHolds"); // empty: no page
        QTest::addColumn<QString>("message"); // exact; starting with "…": a file named in it
        const QString overDocument = QString::fromUtf8(
            "HTML ファイル %1 は文書そのものなので、上書きしません。\n文書の名前を変えてから変換して下さい。");
        QTest::newRow("changed zel: saved, then exported") << "m.zel" << "x\t" << "" << "<td>x</td>" << "";
        QTest::newRow("page cannot be written: the document stays") << "w.txt" << "" << "" << "" << "…w.html";
        QTest::newRow("untitled table, named .zel: tables") << "" << "a\tb" << "t.zel" << "<td>b</td>" << "";
        QTest::newRow("untitled named .html: kept, no page over it") << "" << "mine" << "n.html" << "" << overDocument;
        QTest::newRow("Save As cancelled: nothing exported, text kept") << "" << "kept" << "" << "" << "";
    }
    void exportSavesFirst()
    {
        QFETCH(QString, existing);
        QFETCH(QString, typed);
        QFETCH(QString, name);
        QFETCH(QString, pageHolds);
        QFETCH(QString, message);
        FrameFixture f;
        auto frame = f.MakeFrame();
        QString path = existing.isEmpty() ? QString() : f.WriteFile(existing, "1\t2\n");
        if (existing == "w.txt") // a folder where the page would go
            QVERIFY(QDir(f.dir.path()).mkdir("w.html"));
        if (!path.isEmpty())
            QVERIFY(frame->OpenDocumentFile(path));
        QTest::keyClicks(frame->GetActiveView(), typed);
        if (!name.isEmpty())
            f.prompter.saveAnswers.enqueue(path = f.FilePath(name));
        const QString text = DocumentText(frame->GetDocument()->TextDocument());
        PressExportKey(*frame);
        QCOMPARE(f.prompter.saveFilters.size(), existing.isEmpty() ? 1 : 0);
        const QStringList texts = f.prompter.Texts();
        if (message.startsWith(u'…'))
            QVERIFY(texts.size() == 1 && texts[0].contains(f.FilePath(message.mid(1))));
        else
            QCOMPARE(texts, message.isEmpty() ? QStringList() : QStringList{message.arg(path)});
        QCOMPARE(frame->GetDocument()->PathName(), path);
        QCOMPARE(DocumentText(frame->GetDocument()->TextDocument()), text);
        QCOMPARE(frame->GetDocument()->IsModified(), path.isEmpty());
        QCOMPARE(QString::fromUtf8(ReadBytes(path)), path.isEmpty() ? QString() : text);
        const QString page = QString::fromUtf8(ReadBytes(QFileInfo(path).path() + "/"
                                                          + QFileInfo(path).completeBaseName() + ".html"));
        QVERIFY2(page.contains(pageHolds), qPrintable(page));
        QCOMPARE(f.launcher.calls.size(), pageHolds.isEmpty() ? 0 : 1);
        // The history starts at the exported document: Undo neither brings the page back nor
        // loses the document.
        frame->Router()->Execute(IdsOf(Cmd::Undo).japaneseId);
        if (!pageHolds.isEmpty())
            QCOMPARE(DocumentText(frame->GetDocument()->TextDocument()), text);
    }

    void answerHoldsInBothPanes_data()
    {
        QTest::addColumn<int>("before");
        QTest::addColumn<bool>("switchOff"); // the Help menu's command instead of an answer
        QTest::newRow("Yes, then the other pane exports") << 0 << false;
        QTest::newRow("asking switched on, then the other pane exports") << 1 << true;
        QTest::newRow("switched when already asking: no toggle") << 0 << true;
    }
    void answerHoldsInBothPanes()
    {
        // The choice is the program's, not one pane's.
        QFETCH(int, before);
        QFETCH(bool, switchOff);
        FrameFixture f;
        WriteSetting(*f.store, Keys::YNC, before);
        auto frame = f.MakeFrame();
        const QString path = f.WriteFile("s.txt", "split\n");
        QVERIFY(frame->OpenDocumentFile(path));
        frame->Router()->RefreshActions();
        QVERIFY(frame->Router()->Execute(IdsOf(Cmd::SplitRow).japaneseId));
        CPaneSplitter *panes = frame->Panes();
        panes->SetActivePane(panes->Pane(0));
        f.prompter.answers.enqueue(MsgAnswer::Yes);
        if (switchOff)
            QVERIFY(frame->Router()->Execute(IdsOf(Cmd::HtmlMessage).japaneseId));
        else
            PressExportKey(*frame);
        QCOMPARE(f.prompter.messages.size(), switchOff ? 0 : 1);
        const int expected = switchOff ? 0 : 1;
        QCOMPARE(ReadSetting(*f.store, Keys::YNC), expected);
        panes->SetActivePane(panes->Pane(1));
        f.prompter.messages.clear();
        f.prompter.answers.enqueue(MsgAnswer::Yes);
        PressExportKey(*frame);
        QCOMPARE(f.prompter.messages.size(), switchOff ? 1 : 0);
        QCOMPARE(frame->GetDocument()->PathName(), path);
    }

    void exportFromTheLogPane()
    {
        FrameFixture f;
        auto frame = f.MakeFrame();
        const QString path = f.WriteFile("l.tex", "a\tb\n");
        f.WriteFile("l.log", "This is a log\n");
        QVERIFY(frame->OpenDocumentFile(path));
        frame->Router()->RefreshActions();
        QVERIFY(frame->Router()->Execute(IdsOf(Cmd::CalcMode).japaneseId));
        frame->Router()->RefreshActions();
        QVERIFY(frame->Router()->Execute(IdsOf(Cmd::LogColumn).japaneseId));
        CPaneSplitter *panes = frame->Panes();
        COrrindaleView *log = panes->Pane(0);
        QVERIFY(log->IsLogPane());
        panes->SetActivePane(log);
        Q_EMIT log->FocusGained();
        QCOMPARE(frame->GetActiveView(), log);
        PressExportKey(*frame); // made from the text pane, in its calculation mode
        QVERIFY(ReadBytes(f.FilePath("l.html")).contains("<td>b</td>"));
        QCOMPARE(frame->GetDocument()->PathName(), path);
        QCOMPARE(log->toPlainText(), QStringLiteral("This is a log\n"));
    }

    // The program run by a script: --eval prints the evaluated lines, --html writes the page.
    void commandLine_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out"); // the page's file for --html
        QTest::addColumn<QString>("err"); // "*": the usage
        const QByteArray sho3 = "[Settings]\nSho=3\n";
        QTest::newRow("default rounding") << QByteArray() << QStringList{"--eval", "1+2*3="} << 0
                                          << "1+2*3=7.0\n" << "";
        QTest::newRow("stored rounding") << sho3 << QStringList{"--eval", "1+2*3="} << 0
                                         << "1+2*3=7.000\n" << "";
        QTest::newRow("formula and value lines, --round 2")
            << sho3 << QStringList{"--eval", "x1*2+x2", "--eval", "x1=3, x2=4", "--round", "2",
                                   "--eval", "x1=5, x2=1"}
            << 0 << "x1*2+x2\n10.00, if x1=3, x2=4\n11.00, if x1=5, x2=1\n" << "";
        QTest::newRow("line starting with a minus, line left as typed")
            << sho3 << QStringList{"--round", "1", "--eval", "-3+1=", "--eval", "hello"} << 0
            << "-3+1=-2.0\nhello\n" << "";
        QTest::newRow("message on standard error")
            << sho3 << QStringList{"--eval", "2^1.5=", "--eval", "1+2)=", "--round", "0"} << 0
            << "2^1.5=0\n1+2)=\n"
            << QString::fromUtf8("累乗の指数に誤りがあります。整数乗しか扱えません。\n（a^n で n "
                                 "は整数で、a は小数でも良い) \n( が足りません。\n");
        QTest::newRow("bad --round") << sho3 << QStringList{"--eval", "1+1=", "--round", "x"} << 2
                                     << "" << "*";
        QTest::newRow("--eval without a line") << sho3 << QStringList{"--eval"} << 2 << "" << "*";
        QTest::newRow("--html --calc on a text file") << sho3 << QStringList{"--html", "c.txt", "--calc"}
                                                      << 0 << "c.html" << "";
        QTest::newRow("--html of a text file") << sho3 << QStringList{"--html", "c.txt"} << 0
                                               << "c.html" << "";
        QTest::newRow("--html of a missing file: its name on stderr")
            << sho3 << QStringList{"--html", "gone.txt", "--calc"} << 1 << "" << "gone.txt";
    }
    void commandLine()
    {
        QFETCH(QByteArray, ini);
        QFETCH(QStringList, arguments);
        QFETCH(QString, out);
        QFETCH(QString, err);
        QTemporaryDir dir;
        QDir(dir.path()).mkdir("config");
        if (!ini.isEmpty()) {
            QFile file(dir.filePath("config/Velloquin.ini"));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(ini);
        }
        QFile text(dir.filePath("c.txt"));
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write("a\tb\n");
        text.close();
        for (QString &argument : arguments)
            argument.replace(QRegularExpression("^(\\w+\\.txt)$"), dir.path() + "/\\1");
        QProcess program;
        StartWithoutDisplay(program, arguments, dir.filePath("config"));
        QVERIFY(program.waitForFinished(30000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QTEST(program.exitCode(), "exitCode");
        const QString output = QString::fromUtf8(program.readAllStandardOutput());
        const QString errors = QString::fromUtf8(program.readAllStandardError());
        if (err == QLatin1String("*"))
            QVERIFY2(errors.contains(QLatin1String("--eval")), qPrintable(errors));
        else if (arguments[0] == QLatin1String("--html"))
            QVERIFY2(errors.contains(err), qPrintable(errors));
        else
            QCOMPARE(errors, err);
        if (!out.endsWith(QLatin1String(".html"))) {
            QCOMPARE(output, out);
            return;
        }
        const QString page = QString::fromUtf8(ReadBytes(dir.filePath(out)));
        QVERIFY(page.endsWith(QLatin1String("</body></html>")));
        QCOMPARE(page.contains(TableStart), arguments.contains("--calc"));
    }
};

QTEST_MAIN(TestCalcView)
#include "tst_calc_view.moc"
