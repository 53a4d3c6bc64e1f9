#include "support/Columns.h"
#include "support/EditorFixture.h"
#include "app/SettingsKeys.h"
#include "app/ui/COrrindaleDoc.h"
#include "input/CommandList.h"
#include "input/ui/CompletionController.h"
#include "input/ui/CompletionPopup.h"
#include "res/Messages.h"

#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QRadioButton>
#include <QStatusBar>
#include <QTest>

namespace {
const char *kList = "Notes.\n\\COMMANDS \t marker\n%a \t\t marker\nalpha\t9\n\n\n%A\n\n\n%b\n"
                    "begin{\t20\nbeta\t3\nbegin{itemize}\t2\n\n\n%B\n\n\n%s\nsection\t30\n"
                    "subsection\t20\nsec\t5\nsetlength\t4\nsqrt[\t3\nsection{\t2\n\n\n%S\nSection\t1\n";

struct Completing : EditorFixture {
    explicit Completing(const QByteArray &doc = "\\documentclass{jarticle}\n\\begin{document}\n"
                                                "\\alpha \\textbf{x}\n\\end{document}\n",
                        bool english = false)
        : EditorFixture(doc, english)
    {
        UseCommandList(f.WriteFile(QStringLiteral("list.mme"), kList));
        Select(0, 0);
    }
    bool Open() const { return view->Completion()->IsPopupOpen(); }
    QString Current() const
    {
        const CCompletionPopup *p = view->Completion()->Popup();
        return Open() && p->currentItem() ? p->currentItem()->text() : QString();
    }
    // Characters as they stand; ^ Backspace, < Left, > Right, v Down, A Up, H Home, S Shift+S,
    // | Enter and TAB Tab.
    void Type(const QString &keys)
    {
        static const QHash<QChar, Qt::Key> special{
            {u'^', Qt::Key_Backspace}, {u'<', Qt::Key_Left}, {u'>', Qt::Key_Right},
            {u'v', Qt::Key_Down},      {u'A', Qt::Key_Up},   {u'H', Qt::Key_Home},
            {u'|', Qt::Key_Return}, {u'\t', Qt::Key_Tab}};
        for (QChar k : keys)
            if (k == u'S')
                QTest::keyClick(view, 'S', Qt::ShiftModifier);
            else if (special.contains(k))
                QTest::keyClick(view, special.value(k));
            else if (k.unicode() > 127) // typed as text, with no key of its own
                QTest::sendKeyEvent(QTest::Click, view, Qt::Key_unknown, QString(k), {});
            else
                QTest::keyClick(view, k.toLatin1());
    }
};
} // namespace

class TestInputView : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The keys that open, narrow, move through and close the list while typing.
    void typing_data()
    {
        Columns<QString, QString, int, QString>({"keys", "text", "caret", "current"}); // current empty: no list
        QTest::newRow("backslash and a letter open the list") << "\\s" << "\\s" << 2 << "section";
        QTest::newRow("Shift+S offers upper-case names") << "\\S" << "\\S" << 2 << "Section";
        QTest::newRow("Enter writes the name, no new line") << "\\sec|" << "\\section" << 8 << "";
        QTest::newRow("begin gets its end line, a brace typed after it is not doubled") << "\\b|{" << "\\begin{\n\n\\end{\n" << 7 << "";
        QTest::newRow("after a miss Enter keeps the text and breaks the line") << "\\section{結論}|" << "\\section{結論}\n" << 13 << "";
        QTest::newRow("after a miss Tab still chooses") << "\\sx\t" << "\\section" << 8 << "";
        QTest::newRow("Up from the first wraps to the last") << "\\bA" << "\\b" << 2 << "begin{itemize}";
        QTest::newRow("a fourth miss closes it") << "\\sxyzw" << "\\sxyzw" << 6 << "";
        QTest::newRow("Backspace inside the name narrows back") << "\\sub^^" << "\\s" << 2 << "section";
        QTest::newRow("Left over the first letter closes and rearms") << "\\s<b" << "\\bs" << 2 << "begin{";
        QTest::newRow("a digit after the backslash disarms") << "\\1s" << "\\1s" << 3 << "";
        QTest::newRow("no name with the prefix: Enter types") << "\\q|" << "\\q\n" << 3 << "";
    }
    void typing()
    {
        QFETCH(QString, keys);
        Completing e("");
        e.Type(keys);
        QTEST(e.Text(), "text");
        QTEST(e.Selection().first, "caret");
        QTEST(e.Current(), "current");
    }

    // Esc closes an open list first, then switches the input support; "ABC" order and the
    // minimum length are set by their commands; a name written is one undo step.
    void commands()
    {
        Completing e;
        WhenModal([](QWidget *d) {
            d->findChild<QRadioButton *>("1068")->click(); // seven letters
            qobject_cast<QDialog *>(d)->accept();
        });
        QVERIFY(e.Run(Cmd::InputLetterNo));
        QCOMPARE(ReadSetting(*e.f.store, Keys::Minimum), 5);
        QVERIFY(e.Run(Cmd::InputListOrder));
        QCOMPARE(ReadSetting(*e.f.store, Keys::ABC), 1);
        e.Type("\\s");
        QVERIFY(e.Open() && e.State(Cmd::TeXInput).checked);
        const CCompletionPopup *p = e.view->Completion()->Popup();
        QCOMPARE(p->count(), 4);
        QCOMPARE(p->item(2)->text(), QStringLiteral("setlength"));
        QVERIFY(e.Run(Cmd::TeXInput));
        QVERIFY(!e.Open() && e.State(Cmd::TeXInput).checked);
        QVERIFY(e.Run(Cmd::TeXInput));
        QCOMPARE(ReadSetting(*e.f.store, Keys::Input), 0);
        QCOMPARE(e.frame->statusBar()->currentMessage(), MsgText(Msg::InputSupportOff, false));
        e.Type("\\b");
        QVERIFY(!e.Open());
        QVERIFY(e.Run(Cmd::TeXInput));
        e.Type("\\s|");
        QVERIFY(e.Text().startsWith("\\s\\b\\section\\doc"));
        QVERIFY(e.Run(Cmd::Undo));
        QVERIFY(e.Text().startsWith("\\s\\b\\s\\doc"));
        // Only TeX documents complete.
        QVERIFY(e.frame->OpenDocumentFile(e.f.WriteFile("notes.txt", "")));
        e.UseCommandList(e.f.FilePath("list.mme"));
        e.Type("\\s");
        QVERIFY(!e.Open() && !e.State(Cmd::TeXInput).checked && !e.Enabled(Cmd::MakeInputFile));
        e.f.prompter.answers << MsgAnswer::Cancel; // the question names the list of the data folder
        QVERIFY(e.Run(Cmd::ChangeInputFile) && e.f.prompter.Texts().last().contains(QDir(ReadSetting(*e.f.store, Keys::InstDir)).filePath(CommandListFileName)));
    }

    void makeInputFile_data()
    {
        Columns<bool, MsgAnswer, QString>({"english", "answer", "question"});
        const QString ja = u"入力支援補助ファイル \"input_tex.mme\" を作ります。\n「頻度順」で作りますが、「表示」は「 ABC 順」も選択できます。"_qs;
        QTest::newRow("made") << false << MsgAnswer::Yes << ja;
        QTest::newRow("declined") << false << MsgAnswer::No << ja;
    }
    void makeInputFile()
    {
        QFETCH(bool, english);
        QFETCH(MsgAnswer, answer);
        QFETCH(QString, question);
        Completing e("\\begin{document}\\alpha \\end{document}", english);
        const QString made = QDir(ReadSetting(*e.f.store, Keys::InstDir)).filePath(CommandListFileName);
        QDir().mkpath(QFileInfo(made).path());
        e.f.prompter.answers << answer << MsgAnswer::Ok;
        QVERIFY(e.Run(Cmd::MakeInputFile));
        const bool yes = answer == MsgAnswer::Yes;
        QCOMPARE(e.f.prompter.Texts(), (yes ? QStringList{question, MsgText(Msg::MakeInputDone, english)} : QStringList{question}));
        QCOMPARE(e.frame->GetDocument()->PathName() == made, yes);
        if (!yes)
            return;
        // The old list merged; the window edits it, not yet saved; saving writes it as every file is.
        QVERIFY(e.Text().startsWith("Notes.\n" + CommandListMarker(english) + "\nalpha\t10\n"));
        QVERIFY(e.frame->GetDocument()->IsModified());
        QVERIFY(e.Run(Cmd::FileSave));
        QFile file(made);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), e.Text().toUtf8());
    }

    // The editor keeps the keyboard: the list never takes the focus or the active window and
    // hangs below the caret line; a double-click writes the name.
    void listAndKeyboard()
    {
        Completing e("line one\n");
        e.frame->resize(700, 500);
        e.frame->show();
        e.frame->activateWindow();
        e.view->setFocus();
        QVERIFY(QTest::qWaitForWindowActive(e.frame.get()));
        e.Select(9, 9);
        e.Type("\\s");
        QVERIFY(e.Open());
        CCompletionPopup *popup = e.view->Completion()->Popup();
        QCOMPARE(popup->focusPolicy(), Qt::NoFocus);
        QVERIFY(popup->testAttribute(Qt::WA_ShowWithoutActivating));
        QCOMPARE(QApplication::focusWidget(), e.view);
        const QPoint caretBottom = e.view->viewport()->mapToGlobal(e.view->cursorRect().bottomLeft());
        QVERIFY(popup->geometry().top() >= caretBottom.y());
        const QRect row = popup->visualItemRect(popup->item(1));
        QTest::mouseClick(popup->viewport(), Qt::LeftButton, {}, row.center());
        QTest::mouseDClick(popup->viewport(), Qt::LeftButton, {}, row.center());
        QTRY_VERIFY(e.Text().endsWith(QStringLiteral("\\subsection")));
        QVERIFY(!e.Open());
        QCOMPARE(QApplication::focusWidget(), e.view);
    }

    // Changes that do not come through the list's keys leave the typed name where it was not;
    // Enter then breaks the line as without the list instead of writing over other characters.
    void textChangedUnderTheList_data()
    {
        Columns<QString, int>({"typed", "change"});
        QTest::newRow("undo of the typed name") << "line|\\sec" << 0;
        QTest::newRow("name shortened behind the caret") << "\\sec" << 2;
    }
    void textChangedUnderTheList()
    {
        QFETCH(QString, typed);
        QFETCH(int, change);
        Completing e("\n\nkeep these words\n");
        e.Type(typed);
        QVERIFY(e.Open());
        QTextCursor edit(e.view->document());
        if (change == 0) {
            QVERIFY(e.Run(Cmd::Undo));
        } else {
            edit.setPosition(e.view->textCursor().position());
            edit.movePosition(QTextCursor::Left, QTextCursor::KeepAnchor, 2);
            edit.removeSelectedText();
        }
        const QString changed = e.Text().insert(e.view->textCursor().position(), u'\n');
        e.Type("|");
        QCOMPARE(e.Text(), changed);
        QVERIFY(!e.Open());
    }
};

QTEST_MAIN(TestInputView)
#include "tst_input_view.moc"
