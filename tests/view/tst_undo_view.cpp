#include "support/EditorFixture.h"
#include "app/ui/COrrindaleDoc.h"
#include "app/ui/COrrindaleView.h"
#include "view/ui/UndoController.h"

#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QRandomGenerator>
#include <QSplitter>
#include <QTest>
#include <QTextBlock>

namespace {
using Editor = EditorFixture;
const QByteArray kText = "line one\nline two\nline three\n";

void GiveFocus(QWidget *w)
{
    QFocusEvent in(QEvent::FocusIn, Qt::OtherFocusReason);
    QApplication::sendEvent(w, &in);
}
} // namespace

class TestUndoView : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void typingThenUndo()
    {
        Editor e(kText);
        const QString opened = e.Text();
        e.Select(5, 5);
        QTest::keyClick(e.view, Qt::Key_X);
        QCOMPARE(e.History().CurrentIndex(), 1);
        QVERIFY(e.frame->GetDocument()->IsModified());
        QVERIFY(e.Enabled(Cmd::Undo));
        QVERIFY(!e.Enabled(Cmd::UndoForward));
        QVERIFY(e.Run(Cmd::Undo));
        QCOMPARE(e.Text(), opened);
        // The selection comes back as the file was shown.
        QCOMPARE(e.view->textCursor().position(), 0);
        QVERIFY(!e.frame->GetDocument()->IsModified());
        QVERIFY(!e.Enabled(Cmd::Undo));
        QVERIFY(e.Run(Cmd::UndoForward));
        QCOMPARE(e.Text(), QStringLiteral("line xone\nline two\nline three\n"));
        QVERIFY(e.frame->GetDocument()->IsModified());
    }

    // One change of the selected text is one snapshot, however the widget gets there.
    void oneSnapshotPerChangeOfASelection_data()
    {
        QTest::addColumn<int>("how");
        QTest::addColumn<QString>("after");
        QTest::newRow("typing over") << 0 << "line Xe\nline two\nline three\n";
        QTest::newRow("backspace") << 1 << "line e\nline two\nline three\n";
        QTest::newRow("delete") << 2 << "line e\nline two\nline three\n";
        QTest::newRow("cut") << 3 << "line e\nline two\nline three\n";
        QTest::newRow("paste over") << 4 << "line one\ne\nline two\nline three\n";
    }
    void oneSnapshotPerChangeOfASelection()
    {
        QFETCH(int, how);
        QFETCH(QString, after);
        Editor e(kText);
        if (how == 4) {
            e.Select(5, 9);
            QVERIFY(e.Run(Cmd::Copy));
        }
        e.Select(5, 7);
        const QString before = e.Text();
        switch (how) {
        case 0: QTest::keyClicks(e.view, QStringLiteral("X")); break;
        case 1: QTest::keyClick(e.view, Qt::Key_Backspace); break;
        case 2: QTest::keyClick(e.view, Qt::Key_Delete); break;
        case 3: QVERIFY(e.Run(Cmd::Cut)); break;
        case 4: QVERIFY(e.Run(Cmd::Paste)); break;
        }
        QCOMPARE(e.Text(), after);
        QCOMPARE(e.History().CurrentIndex(), 1);
        QVERIFY(e.Run(Cmd::Undo));
        QCOMPARE(e.Text(), before);
        QCOMPARE(e.view->textCursor().selectionStart(), 5);
        QCOMPARE(e.view->textCursor().selectionEnd(), 7);
    }

    // Taking away a selected text without a key of its own (an empty replacement) passes
    // without a snapshot; Undo still takes back exactly that, and Undo Forward brings it again.
    void undoTakesBackAChangeWithoutASnapshot()
    {
        Editor e(kText);
        e.Select(4, 8);
        e.view->textCursor().insertText(QString());
        QCOMPARE(e.History().CurrentIndex(), 0);
        QVERIFY(e.Run(Cmd::Undo));
        QCOMPARE(e.Text(), QString::fromLatin1(kText));
        QVERIFY(e.Run(Cmd::UndoForward));
        QCOMPARE(e.Text(), QStringLiteral("line\nline two\nline three\n"));
    }

    // Japanese is written through an input method: its composition takes the selection away
    // first, and only the committed text follows. Whether committed or cancelled, one Undo
    // brings the selected text back.
    void inputMethodOverASelection_data()
    {
        QTest::addColumn<QString>("commit");
        QTest::addColumn<QString>("after");
        QTest::newRow("committed") << QString::fromUtf8("漢字")
                                   << QString::fromUtf8("line 漢字e\nline two\nline three\n");
        QTest::newRow("cancelled") << QString() << "line e\nline two\nline three\n";
    }
    void inputMethodOverASelection()
    {
        QFETCH(QString, commit);
        QFETCH(QString, after);
        Editor e(kText);
        e.Select(5, 7);
        QInputMethodEvent compose(QString::fromUtf8("かんじ"), {});
        QApplication::sendEvent(e.view, &compose);
        QInputMethodEvent end;
        end.setCommitString(commit);
        QApplication::sendEvent(e.view, &end);
        QCOMPARE(e.Text(), after);
        QCOMPARE(e.History().CurrentIndex(), commit.isEmpty() ? 0 : 1);
        QVERIFY(e.Enabled(Cmd::Undo));
        QVERIFY(e.Run(Cmd::Undo));
        QCOMPARE(e.Text(), QString::fromLatin1(kText));
        QCOMPARE(e.Selection(), qMakePair(5, 7));
        QVERIFY(!e.frame->GetDocument()->IsModified());
        QVERIFY(e.Run(Cmd::UndoForward));
        QCOMPARE(e.Text(), after);
    }

    // A change that leaves the caret where the current snapshot's selection began, while no
    // erase key is down, is the passing state of typing over that selection: no snapshot of
    // its own. The next change records both, and Undo takes back what passed without one.
    void changesEndingAtTheSelectionStart_data()
    {
        QTest::addColumn<int>("caret");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("index");
        QTest::newRow("typing up to where a selection began") << 4 << "a" << 0;
        QTest::newRow("typing on past it") << 4 << "ab" << 1;
        QTest::newRow("typing elsewhere") << 12 << "a" << 1;
    }
    void changesEndingAtTheSelectionStart()
    {
        QFETCH(int, caret);
        QFETCH(QString, typed);
        QFETCH(int, index);
        Editor e(kText);
        e.Select(5, 8);
        e.Select(caret, caret);
        QTest::keyClicks(e.view, typed);
        QCOMPARE(e.History().CurrentIndex(), index);
        QVERIFY(e.frame->GetDocument()->IsModified());
        const QString typedText = e.Text();
        QVERIFY(e.Run(Cmd::Undo));
        QCOMPARE(e.Text(), QString::fromLatin1(kText));
        QVERIFY(e.Run(Cmd::UndoForward));
        QCOMPARE(e.Text(), typedText);
    }

    // The window's keys reach the program's own history, not the widget's.
    void keysUndoRedoAndCut()
    {
        Editor e(kText, false, true);
        e.frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(e.frame.get()));
        e.view->setFocus();
        e.Select(0, 5);
        e.frame->Router()->RefreshActions();
        QTest::keyClick(e.view, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(e.Text(), QStringLiteral("one\nline two\nline three\n"));
        QCOMPARE(e.History().CurrentIndex(), 1);
        e.frame->Router()->RefreshActions();
        QTest::keyClick(e.view, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(e.Text(), QString::fromLatin1(kText));
        e.frame->Router()->RefreshActions();
        QTest::keyClick(e.view, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(e.History().CurrentIndex(), 1);
        QCOMPARE(e.Text(), QStringLiteral("one\nline two\nline three\n"));
    }

    // Every save marks the saved text, whether it makes a backup or not.
    void undoReturnsToTheSavedText_data()
    {
        QTest::addColumn<bool>("backup");
        QTest::newRow("backup on") << true;
        QTest::newRow("backup off") << false;
    }
    void undoReturnsToTheSavedText()
    {
        QFETCH(bool, backup);
        Editor e(kText);
        if (!backup)
            e.frame->GetDocument()->ToggleBackupMode();
        QCOMPARE(e.frame->GetDocument()->BackupMode(), backup);
        e.Select(0, 0);
        QTest::keyClick(e.view, Qt::Key_A);
        QVERIFY(e.Run(Cmd::FileSave));
        const QString saved = e.Text();
        QVERIFY(!e.frame->GetDocument()->IsModified());
        QTest::keyClick(e.view, Qt::Key_B);
        QVERIFY(e.Run(Cmd::Undo));
        QCOMPARE(e.Text(), saved);
        QVERIFY(!e.frame->GetDocument()->IsModified());
        QVERIFY(e.Run(Cmd::Undo));
        QVERIFY(e.frame->GetDocument()->IsModified());
        QVERIFY(e.Run(Cmd::UndoForward));
        QVERIFY(!e.frame->GetDocument()->IsModified());
    }

    // A change that passed without a snapshot is in the saved file all the same: stepping back
    // from the saved text is a change again.
    void savingAChangeWithoutASnapshot_data()
    {
        QTest::addColumn<int>("caret");
        QTest::newRow("the change has no snapshot") << 4;
        QTest::newRow("the change has one") << 12;
    }
    void savingAChangeWithoutASnapshot()
    {
        QFETCH(int, caret);
        Editor e(kText);
        QVERIFY(e.frame->GetDocument()->BackupMode());
        e.Select(5, 8);
        e.Select(caret, caret);
        QTest::keyClick(e.view, Qt::Key_A);
        const QString saved = e.Text();
        QVERIFY(e.Run(Cmd::FileSave));
        QVERIFY(!e.frame->GetDocument()->IsModified());
        QVERIFY(e.Run(Cmd::Undo));
        QCOMPARE(e.Text(), QString::fromLatin1(kText));
        QVERIFY(e.frame->GetDocument()->IsModified());
        QVERIFY(e.Run(Cmd::UndoForward));
        QCOMPARE(e.Text(), saved);
        QVERIFY(!e.frame->GetDocument()->IsModified());
    }

    void readOnlyDisablesUndo()
    {
        Editor e(kText);
        QTest::keyClick(e.view, Qt::Key_A);
        QVERIFY(e.Run(Cmd::Undo));
        QVERIFY(e.Enabled(Cmd::UndoForward));
        QVERIFY(e.Run(Cmd::ReadWrite));
        QVERIFY(e.view->isReadOnly());
        QVERIFY(!e.Enabled(Cmd::Undo));
        QVERIFY(!e.Enabled(Cmd::UndoForward));
        QVERIFY(!e.Run(Cmd::UndoForward));
        QVERIFY(e.Run(Cmd::ReadWrite));
        QVERIFY(e.Enabled(Cmd::UndoForward));
    }

    void restoresTheFirstVisibleLine()
    {
        QByteArray many;
        for (int i = 0; i < 300; ++i)
            many += "line " + QByteArray::number(i) + "\n";
        Editor e(many);
        e.frame->resize(600, 400);
        e.frame->show();
        e.view->ScrollToLine(120);
        const int top = e.view->FirstVisibleLine();
        QVERIFY(top > 100);
        QTextCursor c(e.view->document()->findBlockByNumber(top + 3));
        e.view->setTextCursor(c);
        QTest::keyClick(e.view, Qt::Key_Z);
        QTest::keyClick(e.view, Qt::Key_Return);
        e.view->ScrollToLine(0);
        QVERIFY(e.Run(Cmd::Undo));
        QCOMPARE(e.view->FirstVisibleLine(), top);
    }

    // Scrolling while a snapshot is put back is no selection of the person's own.
    void aRestoredSnapshotKeepsItsSelection()
    {
        QByteArray many;
        for (int i = 0; i < 300; ++i)
            many += "line " + QByteArray::number(i) + "\n";
        Editor e(many, false, true);
        const int far = e.view->document()->findBlockByNumber(200).position();
        e.Select(far, far);
        QTest::keyClick(e.view, Qt::Key_X);
        e.Select(far, far + 4);
        for (int i = 0; i < 2; ++i) {
            QVERIFY(e.Run(Cmd::Undo));
            QCOMPARE(e.Selection(), qMakePair(0, 0));
            QCOMPARE(e.view->FirstVisibleLine(), 0);
            QVERIFY(e.Run(Cmd::UndoForward));
            QCOMPARE(e.Selection(), qMakePair(far, far + 4));
        }
    }

    // Random edits of every size and kind, then all the way back and forward: every step shows
    // exactly the text it had.
    void randomEditsComeBackExactly_data()
    {
        QTest::addColumn<quint32>("seed");
        QTest::newRow("seed 1") << 1u;
        QTest::newRow("seed 7") << 7u;
        QTest::newRow("seed 42") << 42u;
    }
    void randomEditsComeBackExactly()
    {
        QFETCH(quint32, seed);
        Editor e(QString::fromUtf8("一行目\n二行目 abc\n\n😀 end").toUtf8());
        QRandomGenerator rng(seed);
        const QStringList pieces{QStringLiteral("x"), QStringLiteral("\n"), QStringLiteral("漢字"),
                                 QStringLiteral("two\nlines\n"), QString::fromUtf8("😁"),
                                 QString()};
        QStringList states{e.Text()}; // every state the text passed through
        for (int i = 0; i < 60; ++i) {
            const int length = e.Text().size();
            const int a = rng.bounded(length + 1);
            const int b = std::min(length, a + rng.bounded(6));
            e.Select(a, b);
            const int kind = rng.bounded(4);
            if (kind == 0)
                QTest::keyClick(e.view, Qt::Key_Backspace);
            else if (kind == 1)
                QTest::keyClick(e.view, Qt::Key_Return);
            else
                e.view->textCursor().insertText(pieces.at(rng.bounded(pieces.size())));
            if (e.Text() != states.last())
                states << e.Text();
        }
        // Back to the start: each step shows an earlier state, in order.
        QStringList shown{e.Text()};
        while (e.Run(Cmd::Undo))
            shown << e.Text();
        QCOMPARE(shown.last(), states.first());
        QVERIFY(shown.size() >= states.size() / 2);
        int at = states.size() - 1;
        for (const QString &text : shown) {
            while (at >= 0 && states.at(at) != text)
                --at;
            QVERIFY2(at >= 0, "a snapshot that is no state of the text, or out of order");
        }
        // And forward again through the very same texts.
        for (int i = shown.size() - 2; i >= 0; --i) {
            QVERIFY(e.Run(Cmd::UndoForward));
            QCOMPARE(e.Text(), shown.at(i));
        }
        QVERIFY(!e.Run(Cmd::UndoForward));
    }

    // Two panes over one text: an edit is recorded once, by the pane it was made in, and the
    // other pane takes over that history.
    void twoPanesRecordEachChangeOnce()
    {
        Editor e(kText);
        auto *splitter = qobject_cast<QSplitter *>(e.frame->centralWidget());
        QVERIFY(splitter);
        auto *second = new COrrindaleView(e.f.context, e.frame->GetDocument(), splitter);
        splitter->addWidget(second);
        GiveFocus(second);
        second->textCursor().insertText(QStringLiteral("new "));
        const UndoHistory &mine = second->UndoController()->History();
        const UndoHistory &other = e.History();
        QCOMPARE(mine.CurrentIndex(), 1);
        QCOMPARE(other.CurrentIndex(), 1);
        QCOMPARE(other.TopIndex(), 1);
        second->UndoController()->Undo();
        QCOMPARE(e.Text(), QStringLiteral("line one\nline two\nline three\n"));
        QCOMPARE(mine.CurrentIndex(), 0);
        QCOMPARE(other.CurrentIndex(), 0);
        QCOMPARE(other.TopIndex(), 1);
        // Back in the first pane, Undo Forward goes on from the same place.
        GiveFocus(e.view);
        e.view->UndoController()->Redo();
        QCOMPARE(e.Text(), QStringLiteral("new line one\nline two\nline three\n"));
        QCOMPARE(mine.CurrentIndex(), 1);
        // A new pane's set-up does not wipe the history the first pane still shows.
        second->OnInitialUpdate();
        QCOMPARE(other.TopIndex(), 1);
        // Whichever widget the change comes through, it is one snapshot.
        QTest::keyClick(second, Qt::Key_Q);
        QCOMPARE(other.CurrentIndex(), 2);
        QTest::keyClick(e.view, Qt::Key_W);
        QCOMPARE(other.CurrentIndex(), 3);
        QCOMPARE(&mine, &other);
    }

    void aFileReadInStartsTheHistoryAgain()
    {
        Editor e(kText);
        QTest::keyClick(e.view, Qt::Key_A);
        QVERIFY(e.frame->OpenDocumentFile(e.f.WriteFile(QStringLiteral("other.txt"), "other\n")));
        QCOMPARE(e.History().CurrentIndex(), 0);
        QCOMPARE(e.History().TopIndex(), 0);
        QCOMPARE(e.History().CurrentText(), QStringLiteral("other\n"));
        QVERIFY(!e.Enabled(Cmd::Undo));
    }
};

QTEST_MAIN(TestUndoView)
#include "tst_undo_view.moc"
