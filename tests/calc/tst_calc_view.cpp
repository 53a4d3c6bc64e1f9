// Calculation mode, the table commands, the line evaluator and the HTML export in the window:
// keys and menus to text and one undo step; the rules are tested in tst_calc. Also the
// program's --eval and --html switches.
#include "support/Columns.h"
#include "support/EditorFixture.h"
#include "support/Headless.h"
#include "app/SettingsKeys.h"
#include "app/TextFile.h"
#include "app/ui/COrrindaleDoc.h"
#include "app/ui/MenuBuilder.h"
#include "calc/ui/CalcController.h"
#include "input/ui/CompletionController.h"
#include "res/Messages.h"

#include <QAction>
#include <QApplication>
#include <QAbstractButton>
#include <QComboBox>
#include <QDateTime>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QTest>

namespace {
using DialogScript = std::function<void(QDialog *)>;

const QString TableStart = QStringLiteral("<table border=\"1\"");

struct Editor : EditorFixture {
    using EditorFixture::EditorFixture;

    int Setting(const QString &key) const { return f.store->GetInt("Settings", key, -999); }
    TableInput Calc() const { return view->CalcController()->Input(); }

    // A selection as the mouse leaves it: in calculation mode it becomes the range.
    void SelectRange(int from, int to)
    {
        Select(from, to);
        QTest::keyRelease(view, Qt::Key_Shift);
    }
    void ClickRange(int from, int to)
    {
        Select(from, to);
        QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, view->cursorRect().center());
    }

    // Runs a command from the calculation context menu; false when it is missing or greyed.
    bool FromMenu(Cmd cmd, bool english)
    {
        std::unique_ptr<QMenu> menu(BuildContextMenu(MenuResource::ContextCalc, english,
                                                     *frame->Router(), frame.get()));
        frame->Router()->RefreshActions();
        for (QAction *action : menu->findChildren<QAction *>())
            if (ActionId(action) == IdOf(cmd, english) && action->isEnabled())
                return action->trigger(), true;
        return false;
    }

    bool OneUndoGives(const QString &before) { return Run(Cmd::Undo) && Text() == before; }

    // Types text, "|" as Return with the given modifiers.
    void Type(const QString &script, Qt::KeyboardModifiers modifiers = {})
    {
        const QStringList pieces = script.split(u'|');
        for (qsizetype i = 0; i < pieces.size(); ++i) {
            if (i > 0)
                QTest::keyClick(view, Qt::Key_Return, modifiers);
            QTest::keyClicks(view, pieces[i]);
        }
    }
};

// Fills edits, combo boxes and check boxes or radio buttons of a dialog by their ids, and
// presses OK.
DialogScript Fill(const QList<std::pair<const char *, QString>> &edits,
                  const QList<std::pair<const char *, int>> &combos = {},
                  const QList<std::pair<const char *, bool>> &checks = {})
{
    return [=](QDialog *d) {
        for (const auto &[id, text] : edits)
            d->findChild<QLineEdit *>(id)->setText(text);
        for (const auto &[id, index] : combos)
            d->findChild<QComboBox *>(id)->setCurrentIndex(index);
        for (const auto &[id, on] : checks)
            d->findChild<QAbstractButton *>(id)->setChecked(on);
        d->accept();
    };
}

void OnDialog(const DialogScript &act)
{
    WhenModal([act](QWidget *w) { act(qobject_cast<QDialog *>(w)); });
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
    // The mode brings its own tab width, line numbers and no wrap; the table width and the
    // rounding are set by their dialogs.
    void switchingTheMode()
    {
        Editor e("1\t2\t\n3\t4\t");
        const qreal space = e.view->fontMetrics().horizontalAdvance(QLatin1Char(' '));
        QVERIFY(e.Run(Cmd::CalcMode));
        QVERIFY(e.State(Cmd::CalcMode).checked && e.State(Cmd::PhysicalLineNo).checked);
        QCOMPARE(e.view->lineWrapMode(), QPlainTextEdit::NoWrap);
        OnDialog(Fill({}, {{"1115", 5}})); // the widest
        QVERIFY(e.Run(Cmd::TableWidth));
        QCOMPARE(e.view->tabStopDistance(), space * 24);
        QCOMPARE(e.Setting("RetuHaba"), 24);
        OnDialog(Fill({}, {{"1033", 2}}));
        QVERIFY(e.Run(Cmd::RoundOff));
        QCOMPARE(e.Setting("Sho"), 2);
        e.SelectRange(0, int(e.Text().size()));
        QVERIFY(e.FromMenu(Cmd::SumColumnBottom, false));
        QVERIFY(e.Text().endsWith(u"\n4.00\t6.00\t"));
        QVERIFY(e.Run(Cmd::CalcMode));
        QVERIFY(!e.State(Cmd::CalcMode).checked && !e.State(Cmd::PhysicalLineNo).checked);
        QCOMPARE(e.view->tabStopDistance(), space * 8);
        QCOMPARE(e.view->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    }

    // Each step is "arm" (the command) or a click or drag "from-to" ending with the release.
    void twoClickSelection_data()
    {
        Columns<QStringList, int, int, bool, CellRange, int>({"steps", "selStart", "selEnd", "armed", "range", "warnings"});
        // Rows of "1\t2\t3\n4\t5\t6\n7\t8\t9" start at 0, 6 and 12.
        QTest::newRow("start, then an end after it") << QStringList{"arm", "8", "15"} << 8 << 15 << false << CellRange{1, 1, 1, 2} << 0;
        QTest::newRow("asked again, the next click is the end") << QStringList{"arm", "8", "3", "15"} << 8 << 15 << false << CellRange{1, 1, 1, 2} << 1;
        QTest::newRow("a drag as the end click ends where the drag ends") << QStringList{"arm", "2", "9-16"} << 2 << 16 << false << CellRange{1, 0, 1, 2} << 0;
    }
    void twoClickSelection()
    {
        QFETCH(QStringList, steps);
        QFETCH(int, selStart);
        QFETCH(int, selEnd);
        QFETCH(int, warnings);
        Editor e("1\t2\t3\n4\t5\t6\n7\t8\t9", false, true);
        e.Run(Cmd::CalcMode);
        for (const QString &step : steps) {
            if (step == u"arm")
                QVERIFY(e.Run(Cmd::RangeSelect));
            else
                e.ClickRange(step.section(u'-', 0, 0).toInt(), step.section(u'-', -1).toInt());
        }
        QCOMPARE(e.Calc().selStart, selStart);
        QCOMPARE(e.Calc().selEnd, selEnd);
        QTEST(e.State(Cmd::RangeSelect).checked, "armed");
        QTEST(e.Calc().range, "range");
        if (selEnd > selStart)
            QCOMPARE(e.Selection(), qMakePair(selStart, selEnd));
        QCOMPARE(e.f.prompter.Texts(), QStringList(warnings, QString::fromUtf8("終点（右下）を選び直して下さい。")));
    }

    // A text opened in the window starts without the range taken in the old one.
    void newTextForgetsTheRange()
    {
        Editor e("1\t2\t\n3\t4\t\n5\t6\t");
        e.Run(Cmd::CalcMode);
        e.SelectRange(2, int(e.Text().size()));
        QVERIFY(e.Enabled(Cmd::SumColumnBottom));
        QVERIFY(e.frame->OpenDocumentFile(e.f.WriteFile(QStringLiteral("b.zel"), "7\t8\n")));
        QCOMPARE(e.Calc().range, CellRange());
        QVERIFY(!e.Enabled(Cmd::SumColumnBottom));
    }

    // copied: the area copied before, as "from-to"; empty: nothing stored.
    void enabling_data()
    {
        Columns<Cmd, int, int, QString, bool>({"cmd", "from", "to", "copied", "enabled"});
        // "1\t2\t3\n4\t5\t6\n7\t8\t9": 0 = A1, 2 = B1, 5 = end of row 1, 9 = after B2.
        const auto row = [](const char *name, Cmd cmd, int from, int to, const char *copied, bool on) {
            QTest::newRow(name) << cmd << from << to << QString::fromLatin1(copied) << on;
        };
        row("column sums: one column, two rows", Cmd::SumColumnBottom, 2, 9, "", true);
        row("row transform: one row, two columns", Cmd::MapRowBottom, 0, 3, "", true);
        row("paste: two rows copied", Cmd::PasteArea, 0, 0, "0-9", true);
        row("paste: one row copied", Cmd::PasteArea, 0, 0, "0-3", false);
        row("paste repeat: 2 x 2", Cmd::PasteRepeat, 0, 9, "0-9", true);
        row("deviation: one column", Cmd::Deviation, 2, 15, "", true);
        row("make a table: no selection", Cmd::MakeTable, 2, 2, "", true);
    }
    void enabling()
    {
        QFETCH(Cmd, cmd);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QString, copied);
        Editor e("1\t2\t3\n4\t5\t6\n7\t8\t9");
        e.Run(Cmd::CalcMode);
        if (!copied.isEmpty()) {
            e.SelectRange(copied.section(u'-', 0, 0).toInt(), copied.section(u'-', 1).toInt());
            QVERIFY(e.Run(Cmd::CopyArea));
        }
        e.SelectRange(from, to);
        QTEST(e.Enabled(cmd), "enabled");
    }

    // Each command of the calculation menu edits the text in one undo step; a second command
    // uses what the first one kept.
    void fromTheMenu_data()
    {
        Columns<QString, bool, Cmd, int, int, Cmd, int, int, QString>(
            {"text", "english", "first", "from", "to", "second", "secondFrom", "secondTo", "after"});
        const QString table = QStringLiteral("a\tb\t\n1\t2\t\n3\t4\t");
        const auto once = [](const char *name, const QString &text, bool english, Cmd cmd, int from, int to, const QString &after) {
            QTest::newRow(name) << text << english << cmd << from << to << Cmd::Undo << 0 << 0 << after;
        };
        once("Sum: Bottom", table, false, Cmd::SumColumnBottom, 5, 14, table + "\n4.0\t6.0\t");
        once("Mean of Row to Right, English label", table, true, Cmd::MeanRowRight, 5, 14, "a\tb\tMean\t\n1\t2\t1.5\t\n3\t4\t3.5\t");
        once("Deviation", "40\t\n50\t\n60\t\n", false, Cmd::Deviation, 0, 10, "40\t37.8\t\n50\t50.0\t\n60\t62.2\t\n");
        once("Delete Selected Area", "1\t2\t3\n4\t5\t6", true, Cmd::DeleteArea, 2, 9, "1\t3\n4\t6");
        once("Delete the Column", "t\n1\t2\t3\n4\t5\t6\nx\ty", true, Cmd::DeleteColumn, 4, 4, "t\n1\t3\n4\t6\nx\t");
        QTest::newRow("copy a, b, c, d, paste repeated over 4 x 4")
            << "a\tb\t\t\t\nc\td\t\t\t\n\t\t\t\t\n\t\t\t\t\n" << true << Cmd::CopyArea << 0 << 10
            << Cmd::PasteRepeat << 0 << 23 << "a\tb\ta\tb\t\nc\td\tc\td\t\na\tb\ta\tb\t\nc\td\tc\td\t\n";
        QTest::newRow("cut column B, insert it after C") << "1\t2\t3\n4\t5\t6" << true << Cmd::CutColumn << 2 << 2
                                                         << Cmd::InsertCopiedColumn << 3 << 3 << "1\t3\t2\n4\t6\t5";
    }
    void fromTheMenu()
    {
        QFETCH(QString, text);
        QFETCH(bool, english);
        QFETCH(Cmd, first);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(Cmd, second);
        QFETCH(int, secondFrom);
        QFETCH(int, secondTo);
        Editor e(text.toUtf8(), english);
        e.Run(Cmd::CalcMode);
        e.SelectRange(from, to);
        QVERIFY(e.FromMenu(first, english));
        const QString before = second == Cmd::Undo ? text : e.Text();
        if (second != Cmd::Undo) {
            e.SelectRange(secondFrom, secondTo);
            QVERIFY(e.FromMenu(second, english));
        }
        QTEST(e.Text(), "after");
        QCOMPARE(e.History().CurrentIndex(), second == Cmd::Undo || first == Cmd::CopyArea ? 1 : 2);
        QVERIFY(e.OneUndoGives(before));
    }

    // The dialogs' values reach the table and the settings; refused values keep the dialog
    // open with a message; cancelled or equal, nothing changes.
    void dialogCommands_data()
    {
        Columns<Cmd, QByteArray, int, DialogScript, QString, QStringList, QStringList>(
            {"cmd", "text", "caret", "script", "after", "stored", "messages"});
        const auto both = [](const DialogScript &first, const DialogScript &second) {
            return DialogScript([=](QDialog *d) { first(d), second(d); });
        };
        QTest::newRow("Y = X*3/2 + 7/2, column to the right")
            << Cmd::LinearColumnRight << QByteArray("4\tx\n6\ty") << 0 << Fill({{"1010", "3"}, {"1009", "2"}, {"1011", "7"}, {"1012", "2"}})
            << "4\t9.0\tx\n6\t12.0\ty" << QStringList{"Num1=3", "Num=2", "Num2=7", "Num3=2"} << QStringList();
        QTest::newRow("A = B refused, then 60…120 onto 65…100, row below") << Cmd::MapRowBottom << QByteArray("60\t90\t120") << 0
            << both(Fill({{"1013", "7"}, {"1014", "7"}}), Fill({{"1013", "60"}, {"1014", "120"}, {"1015", "65"}, {"1016", "100"}}))
            << "60\t90\t120\n65.0\t82.5\t100.0" << QStringList{"A=60", "B=120", "C=65", "D=100"}
            << QStringList{QString::fromUtf8("A と B には異なる値を入れて下さい。")};
        QTest::newRow("C ÷ A, to the right") << Cmd::ArithColumnsRight << QByteArray("6\tx\t3\n1\ty\t0") << 0
            << Fill({}, {{"1114", 2}, {"1111", 1}, {"1008", 0}}) << "6\tx\t3\t2.0\n1\ty\t0\tError" << QStringList{"SisokuR=1"} << QStringList();
        QTest::newRow("cancelled transform: nothing stored") << Cmd::LinearRowTop << QByteArray("1\t2") << 0
            << DialogScript([](QDialog *d) { d->reject(); }) << "1\t2" << QStringList{"Num1=-999", "Num=-999"} << QStringList();
        QTest::newRow("rows after the last refused, then sorted up from the caret's row")
            << Cmd::SortRows << QByteArray("name\tscore\nb\t3\na\t1\nc\t2\n") << 13
            << both(Fill({{"1116", "5"}}), Fill({{"1116", "2"}}, {}, {{"1006", false}})) << "name\tscore\na\t1\nc\t2\nb\t3\n"
            << QStringList{"Down=0", "Value=1"} << QStringList{MsgText(Msg::TableRowsInvalid, false)};
        QTest::newRow("ranks of the caret's column") << Cmd::Ranking << QByteArray("a\t80\nb\t90\nc\t80\n") << 2
            << Fill({{"1117", "3"}}, {}, {{"1028", true}}) << "b\t1\t90\na\t2\t80\nc\t2\t80\n" << QStringList() << QStringList();
        QTest::newRow("no rows refused, then a table of 2 x 3") << Cmd::MakeTable << QByteArray("abc\nrest") << 1
            << both(Fill({{"1116", "0"}}), Fill({{"1116", "2"}, {"1117", "3"}}, {}, {{"1032", true}, {"1119", true}}))
            << "abc\n\nA\tB\tC\tD\t\n1\t\t\t\t\n2\t\t\t\t\n\nrest" << QStringList{"Gyo=2", "Retu=3", "ABC=1", "No=1"}
            << QStringList{QString::fromUtf8("行数と列数には 1 以上を入力して下さい。")};
    }
    void dialogCommands()
    {
        QFETCH(Cmd, cmd);
        QFETCH(QByteArray, text);
        QFETCH(int, caret);
        QFETCH(DialogScript, script);
        QFETCH(QStringList, stored);
        Editor e(text);
        e.Run(Cmd::CalcMode);
        e.SelectRange(caret, caret);
        OnDialog(script);
        QVERIFY(e.Run(cmd));
        QTEST(e.Text(), "after");
        for (const QString &entry : stored)
            QCOMPARE(e.Setting(entry.section(u'=', 0, 0)), entry.section(u'=', 1).toInt());
        QTEST(e.f.prompter.Texts(), "messages");
        if (e.Text() != QString::fromUtf8(text))
            QVERIFY(e.OneUndoGives(QString::fromUtf8(text)));
    }

    // Enter completes a line of arithmetic with the stored rounding, in one undo step.
    void enterCompletesTheLine_data()
    {
        Columns<QByteArray, int, QString, int, QString, int, QStringList>(
            {"content", "caretAt", "typed", "modifiers", "text", "caret", "messages"});
        QTest::newRow("completed, caret at the next line") << QByteArray() << 0 << "1/8=|" << 0 << "1/8=0.1\n" << 8 << QStringList();
        QTest::newRow("Enter inside a line: its rest goes on the next line")
            << QByteArray("1+2=rest\nnext") << 4 << "|" << 0 << "1+2=3.0\nrest\nnext" << 8 << QStringList();
        QTest::newRow("Keypad Enter as Enter") << QByteArray() << 0 << "(1+2)*(3+4)=|" << int(Qt::KeypadModifier) << "(1+2)*(3+4)=21.0\n" << 17 << QStringList();
        QTest::newRow("Ctrl+Enter types no break and finishes no line")
            << QByteArray("1+2=\nabc") << 5 << "|" << int(Qt::ControlModifier) << "1+2=\nabc" << 5 << QStringList();
    }
    void enterCompletesTheLine()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, caretAt);
        QFETCH(QString, typed);
        QFETCH(int, modifiers);
        QFETCH(QString, text);
        Editor e(content);
        e.Select(caretAt, caretAt);
        e.Type(typed, Qt::KeyboardModifiers(modifiers));
        QCOMPARE(e.Text(), text);
        // Every line break is a real one, none a separator inside a line.
        QCOMPARE(e.view->blockCount(), int(text.count(u'\n')) + 1);
        QTEST(e.view->textCursor().position(), "caret");
        QTEST(e.f.prompter.Texts(), "messages");
        if (modifiers == Qt::KeypadModifier) { // the value is one step of its own
            QVERIFY(e.OneUndoGives("(1+2)*(3+4)=\n"));
            QVERIFY(e.Run(Cmd::UndoForward) && e.Text() == text);
        }
    }

    // Enter belongs to someone else while an input method composes, a completion list is open
    // or the view is read-only.
    void enterNotEvaluating()
    {
        Editor e("");
        e.Type("1+2=");
        QInputMethodEvent compose(QStringLiteral("かん"), {}), commit;
        QApplication::sendEvent(e.view, &compose);
        e.Type("|");
        QCOMPARE(e.Text(), QStringLiteral("1+2=\n"));
        QApplication::sendEvent(e.view, &commit);
        e.UseCommandList(e.f.WriteFile("list.mme", "Notes.\n\\COMMANDS \t marker\n%s\nsum=\t9\n\n\n%S\n"));
        e.Type("1+\\s");
        QVERIFY(e.view->Completion()->IsPopupOpen());
        e.Type("|");
        QCOMPARE(e.Text(), QStringLiteral("1+2=\n1+\\sum="));
        e.Type("|"); // the evaluator's again
        QCOMPARE(e.Text(), QStringLiteral("1+2=\n1+\\sum=1.0\n"));
        QVERIFY(e.Run(Cmd::ReadWrite));
        e.Select(4, 4);
        e.Type("|");
        QCOMPARE(e.Text(), QStringLiteral("1+2=\n1+\\sum=1.0\n"));
    }

    // Alt+H saves changed text, writes the page, opens it and, unless asked otherwise, shows
    // the document again.
    void exportAndReturn_data()
    {
        Columns<QString, QString, QString, int, MsgAnswer, QString>({"name", "content", "typed", "ync", "answer", "title"});
        QTest::newRow("not asked: back; zel with tables, title, UTF-8")
            << "doc.zel" << QString::fromUtf8("%note\n\\title=報告\nA\tB\n1\t2\nend\n") << "" << 1 << MsgAnswer::Yes << QString::fromUtf8("報告");
        QTest::newRow("changed, asked, Yes: saved, back, never asked again") << "q.zel" << "a\tb\n" << "x\t" << 0 << MsgAnswer::Yes << "q";
        QTest::newRow("asked, No: stays on the page") << "q.txt" << "a\tb\n" << "" << 0 << MsgAnswer::No << "q";
    }
    void exportAndReturn()
    {
        QFETCH(QString, name);
        QFETCH(QString, content);
        QFETCH(QString, typed);
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
        QTest::keyClicks(frame->GetActiveView(), typed);
        content.prepend(typed);
        if (ync == 0)
            f.prompter.answers.enqueue(answer);
        PressExportKey(*frame);
        const QString html = f.FilePath(QFileInfo(name).completeBaseName() + ".html");
        const QByteArray bytes = ReadFile(html);
        const QString page = QString::fromUtf8(bytes);
        QCOMPARE(page.toUtf8(), bytes); // valid UTF-8
        QVERIFY2(page.contains("<title>" + title + ".html</title>"), qPrintable(page));
        QCOMPARE(page.contains(TableStart), name.endsWith(QLatin1String(".zel")));
        QCOMPARE(f.prompter.Texts().size(), 1 - ync);
        QCOMPARE(f.launcher.calls.size(), 1);
        QCOMPARE(f.launcher.calls[0].program, html);
        COrrindaleDoc *doc = frame->GetDocument();
        QCOMPARE(doc->PathName(), back ? path : html);
        QCOMPARE(DocumentText(doc->TextDocument()), back ? content : page);
        QVERIFY(!doc->IsModified());
        QCOMPARE(ReadFile(path), content.toUtf8());
        QCOMPARE(ReadSetting(*f.store, Keys::YNC), back ? 1 : 0);
        if (back) { // in the document's mode; both files in the recent-file list, the document first
            QVERIFY(frame->Router()->StateOf(Cmd::CalcMode).checked);
            const QString recent = QString::fromLatin1(Sections::RecentFiles);
            QCOMPARE(f.store->GetString(recent, RecentFileKey(1)), path);
            QCOMPARE(f.store->GetString(recent, RecentFileKey(2)), html);
        }
        // The window watches the file it shows from the time it was written.
        f.prompter.messages.clear();
        frame->CheckFileChanged();
        QCOMPARE(f.prompter.Texts(), QStringList());
        SetModified(back ? path : html, QDateTime::currentDateTime().addDays(1));
        f.prompter.answers.enqueue(MsgAnswer::No);
        frame->CheckFileChanged();
        QCOMPARE(f.prompter.Texts(), QStringList{MsgText(Msg::FileChangedQuestion, false)});
    }

    // The program run by a script: --eval prints the evaluated lines, --html writes the page.
    void commandLine_data()
    {
        // out: the page's file for --html; err: "*" the usage
        Columns<QByteArray, QStringList, int, QString, QString>({"ini", "arguments", "exitCode", "out", "err"});
        const QByteArray sho3 = "[Settings]\nSho=3\n";
        QTest::newRow("default rounding") << QByteArray() << QStringList{"--eval", "1+2*3="} << 0 << "1+2*3=7.0\n" << "";
        QTest::newRow("formula and value lines, --round 2, stored rounding ignored")
            << sho3 << QStringList{"--eval", "x1*2+x2", "--eval", "x1=3, x2=4", "--round", "2", "--eval", "x1=5, x2=1"}
            << 0 << "x1*2+x2\n10.00, if x1=3, x2=4\n11.00, if x1=5, x2=1\n" << "";
        QTest::newRow("message on standard error, line left as typed")
            << sho3 << QStringList{"--eval", "1+2)=", "--eval", "hello"} << 0 << "1+2)=\nhello\n" << QString::fromUtf8("( が足りません。\n");
        QTest::newRow("bad --round") << sho3 << QStringList{"--eval", "1+1=", "--round", "x"} << 2 << "" << "*";
        QTest::newRow("--html --calc on a text file") << sho3 << QStringList{"--html", "c.txt", "--calc"} << 0 << "c.html" << "";
        QTest::newRow("--html of a missing file: its name on stderr") << sho3 << QStringList{"--html", "gone.txt"} << 1 << "" << "gone.txt";
    }
    void commandLine()
    {
        QFETCH(QByteArray, ini);
        QFETCH(QStringList, arguments);
        QFETCH(QString, out);
        QFETCH(QString, err);
        FrameFixture f;
        QDir(f.dir.path()).mkdir("config");
        f.WriteFile("config/Velloquin.ini", ini);
        f.WriteFile("c.txt", "a\tb\n");
        for (QString &argument : arguments)
            if (argument.endsWith(u".txt"))
                argument = f.FilePath(argument);
        QProcess program;
        StartWithoutDisplay(program, arguments, f.FilePath("config"));
        QVERIFY(program.waitForFinished(30000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QTEST(program.exitCode(), "exitCode");
        const QString errors = QString::fromUtf8(program.readAllStandardError());
        if (err == u"*" || arguments[0] == u"--html")
            QVERIFY2(errors.contains(err == u"*" ? u"--eval"_qs : err), qPrintable(errors));
        else
            QCOMPARE(errors, err);
        if (!out.endsWith(u".html")) {
            QCOMPARE(QString::fromUtf8(program.readAllStandardOutput()), out);
            return;
        }
        const QString page = QString::fromUtf8(ReadFile(f.FilePath(out)));
        QVERIFY(page.endsWith(u"</body></html>"));
        QCOMPARE(page.contains(TableStart), arguments.contains("--calc"));
    }
};

QTEST_MAIN(TestCalcView)
#include "tst_calc_view.moc"
