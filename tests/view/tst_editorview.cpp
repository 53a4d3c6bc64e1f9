// The editing pane in its window: what the commands and keys do to the text, the undo history
// and the screen. The rules behind them are tested on plain text in tst_textrules and
// tst_coloring.
#include "support/Columns.h"
#include "support/EditorFixture.h"
#include "app/ui/COrrindaleApp.h"
#include "app/ui/COrrindaleDoc.h"
#include "app/ui/CPaneSplitter.h"
#include "view/TextCommands.h"
#include "view/ui/ColorSettingsDialog.h"
#include "view/ui/FindReplaceBars.h"
#include "view/ui/LineJumpDialog.h"
#include "view/ui/UndoController.h"

#include <QComboBox>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>
#include <QToolBar>
#include <QTranslator>

namespace {
const QColor kRed(255, 0, 0), kGreen(90, 220, 90), kMark(180, 180, 255);
const QString kText = u"line one\nline two\nline three\n"_qs;

QImage Grab(COrrindaleView *view)
{
    view->viewport()->repaint();
    return view->viewport()->grab().toImage();
}

bool HasColorIn(const QImage &image, const QRect &r, const QColor &want)
{
    for (int y = std::max(0, r.top()); y <= std::min(image.height() - 1, r.bottom()); ++y)
        for (int x = std::max(0, r.left()); x <= std::min(image.width() - 1, r.right()); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - want.red()) < 40 && std::abs(c.green() - want.green()) < 40
                && std::abs(c.blue() - want.blue()) < 40)
                return true;
        }
    return false;
}

// The pixels over the characters from..to.
QRect RangeRect(COrrindaleView *view, int from, int to)
{
    QTextCursor a(view->document()), b(view->document());
    a.setPosition(from);
    b.setPosition(to);
    const QRect ra = view->cursorRect(a);
    return QRect(QPoint(ra.left() + 1, ra.top()), QPoint(view->cursorRect(b).left() - 1, ra.bottom()));
}

struct Editor : EditorFixture {
    explicit Editor(const QByteArray &text = kText.toUtf8(), const QString &name = u"doc.tex"_qs, bool english = false)
        : EditorFixture(name, text, english, true)
    {
        QVERIFY(QTest::qWaitForWindowExposed(frame.get()));
        view->setFocus();
    }
    int Caret() const { return view->textCursor().position(); }
    bool Modified() const { return frame->GetDocument()->IsModified(); }
    CFindBar *Find() const { return frame->FindBar(); }
    CReplaceBar *Replace() const { return frame->ReplaceBar(); }
    void Activate()
    {
        QApplication::setActiveWindow(frame.get());
        QVERIFY(QTest::qWaitForWindowActive(frame.get()));
        frame->Router()->RefreshActions();
    }
};
} // namespace

class TestEditorView : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Symbols and marks are painted in their colours until the Coloring command turns them off.
    void coloringOnScreen_data()
    {
        Columns<QString, QString, int, int, QColor, bool>({"name", "text", "from", "to", "colour", "present"});
        QTest::newRow("brace in brace colour") << "a.tex" << "\\section{Intro}" << 8 << 9 << kRed << true;
        QTest::newRow("comment in comment colour") << "a.tex" << "x % {y}" << 4 << 7 << kGreen << true;
        QTest::newRow("calculation: bar before the next cell") << "a.zel" << "1\t2" << 1 << 2 << kMark << true;
    }
    void coloringOnScreen()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QColor, colour);
        QFETCH(bool, present);
        Editor e(text.toUtf8(), name);
        e.view->clearFocus(); // no caret-line underline
        QCOMPARE(HasColorIn(Grab(e.view), RangeRect(e.view, from, to), colour), present);
        QVERIFY(e.State(Cmd::Coloring).checked && e.Run(Cmd::Coloring) && !e.State(Cmd::Coloring).checked);
        QCOMPARE(e.f.store->GetInt("Settings", "Enter", -1), 0);
        QVERIFY(!HasColorIn(Grab(e.view), RangeRect(e.view, from, to), colour));
    }

    // A change repaints only the rows it touched; the window then shows what a whole repaint
    // shows: colours, marks, the caret-line underline, "[EOF]" and the line numbers.
    void partialRepaints()
    {
        Editor e("\\section{a} $x$\tb\u3000{c}\nd {e} f\n");
        QVERIFY(e.Run(Cmd::LogicalLineNo));
        QApplication::setActiveWindow(e.frame.get());
        QApplication::setCursorFlashTime(0); // a caret that blinks between two grabs differs
        // The last line stops a few characters short of the right edge.
        QTextCursor(e.view->document()->lastBlock()).insertText(QString(e.view->viewport()->width() / e.view->fontMetrics().horizontalAdvance('g') - 12, 'g'));
        const QRect area(e.view->mapTo(e.frame.get(), QPoint()), e.view->size());
        const auto shown = [&] { return e.frame->screen()->grabWindow(e.frame->winId()).toImage().copy(area); };
        const auto rows = [&] { return e.view->document()->lastBlock().layout()->lineCount(); };
        for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Percent, Qt::Key_End, Qt::Key_Return, Qt::Key_Backspace, Qt::Key_G}) {
            for (int i = 0; i < (key == Qt::Key_G ? 20 : 1) && rows() == 1; ++i) {
                QTest::keyClick(e.view, key);
                QCoreApplication::processEvents();
                const QImage partial = shown();
                for (QWidget *w : e.view->findChildren<QWidget *>())
                    w->repaint();
                QCOMPARE(partial, shown());
            }
        }
        QCOMPARE(rows(), 2); // "[EOF]" went below the line, then the line wrapped
    }

    void lineNumbers_data()
    {
        Columns<QString, int, Cmd, int>({"name", "start", "command", "mode"});
        QTest::newRow("physical on") << "a.tex" << 0 << Cmd::PhysicalLineNo << 1;
        QTest::newRow("logical from physical") << "a.tex" << 1 << Cmd::LogicalLineNo << 2;
        QTest::newRow("logical ignored in calculation mode") << "a.zel" << 1 << Cmd::LogicalLineNo << 1;
    }
    void lineNumbers()
    {
        QFETCH(QString, name);
        QFETCH(int, start);
        QFETCH(Cmd, command);
        QFETCH(int, mode);
        FrameFixture f;
        f.store->WriteInt("Settings", "Line", start);
        f.Restart();
        auto frame = f.MakeFrame();
        QVERIFY(frame->OpenDocumentFile(f.WriteFile(name, "a\nb\n")) && RunCommand(*frame, command));
        QCOMPARE(f.store->GetInt("Settings", "Line", -1), mode);
        QCOMPARE(frame->Router()->StateOf(Cmd::PhysicalLineNo).checked, mode == 1);
        QCOMPARE(frame->Router()->StateOf(Cmd::LogicalLineNo).checked, mode == 2);
        QCOMPARE(frame->GetActiveView()->viewport()->x() > 15, mode != 0); // the gutter
    }

    void moving()
    {
        QByteArray text = "0123456789012345678901234\n\nshort\n0123456789012345678901234\n";
        Editor e(text + QByteArray("line\n").repeated(200), u"a.txt"_qs);
        QVERIFY(e.Run(Cmd::ToEnd) && e.Caret() == e.Text().size());
        QVERIFY(e.Run(Cmd::ToHead) && e.Caret() == 0);
        // The caret goes back to its column after the short lines, unless switched off.
        for (const bool keep : {true, false}) {
            e.Select(20, 20);
            for (const Qt::Key key : {Qt::Key_Right, Qt::Key_Left, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down})
                QTest::keyClick(e.view, key);
            QCOMPARE(e.Caret(), keep ? 53 : 33);
            QVERIFY(e.Run(Cmd::CaretPosition));
        }
        QCOMPARE(e.f.store->GetInt("Settings", "CaretPos", -1), 1);
    }

    // Line Jump and a double-click on a number in the log pane move the editing pane.
    void fromTheLogPane()
    {
        Editor e("a\nb\nc\nd\n");
        e.f.WriteFile("doc.log", "Warning on input line 3.\nnothing here\n");
        QVERIFY(e.Run(Cmd::LogColumn));
        COrrindaleView *log = e.frame->Panes()->Pane(0);
        e.frame->Panes()->SetActivePane(log);
        WhenModal([](QWidget *w) {
            qobject_cast<CLineJumpDialog *>(w)->m_pLine->setText("2");
            qobject_cast<QDialog *>(w)->accept();
        });
        QVERIFY(e.Run(Cmd::LineJump));
        QCOMPARE(e.view->textCursor().position(), 2);
        QSignalSpy jumps(log, &COrrindaleView::LogLineShown);
        for (const int at : {22, 28}) { // a number, then a word that moves nothing
            QTest::mouseDClick(log->viewport(), Qt::LeftButton, {}, RangeRect(log, at, at + 1).center());
            QCOMPARE(e.view->textCursor().selectedText(), QStringLiteral("c") + QChar(0x2029));
            QCOMPARE(jumps.count(), 1);
        }
        QCOMPARE(log->textCursor().selectedText(), QStringLiteral("nothing"));
    }

    void rightClickMenus_data()
    {
        // shown: the first item's id of ours, or the standard menu's copy item
        Columns<QString, bool, bool, QString>({"name", "switchOff", "english", "shown"});
        QTest::newRow("tex, Japanese: editing menu") << "a.tex" << false << false << "32992";
        QTest::newRow("switch off: the standard menu, in Japanese") << "a.tex" << true << false << QString::fromUtf8("コピー(&C)");
        QTest::newRow("calculation menu even with the switch off") << "a.zel" << true << true << "33058";
    }
    void rightClickMenus()
    {
        QFETCH(QString, name);
        QFETCH(bool, switchOff);
        QFETCH(bool, english);
        Editor e("text\n", name, english);
        if (switchOff)
            QVERIFY(e.Run(Cmd::RightClickMenu));
        QCOMPARE(e.State(Cmd::RightClickMenu).checked, !switchOff);
        QVERIFY(!e.f.store->Contains("Settings", "RightClickMenu"));
        QVERIFY(COrrindaleApp::InstallQtTexts(english));
        QString seen;
        QTimer::singleShot(0, qApp, [&seen] {
            if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
                auto *copy = menu->findChild<QAction *>("edit-copy");
                seen = menu->objectName() == "ViewPopupMenu" ? QString::number(ActionId(menu->actions().first()))
                                                             : copy ? copy->text().section(u'\t', 0, 0) : "other";
                menu->close();
            }
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(10, 10), e.view->mapToGlobal(QPoint(10, 10)));
        QApplication::sendEvent(e.view->viewport(), &event);
        QCoreApplication::processEvents();
        for (QTranslator *t : qApp->findChildren<QTranslator *>())
            QCoreApplication::removeTranslator(t);
        QTEST(seen, "shown");
    }

    // OK stores the colours and paints with them.
    void colourDialog()
    {
        Editor e("{x} TODO\n");
        WhenModal([](QWidget *w) {
            auto *d = qobject_cast<CColorSettingsDialog *>(w);
            d->SetChooser([](unsigned &color, CustomColors &custom, QWidget *) {
                color = 0x00FF00;
                custom[3] = 0x123456;
                return true;
            });
            d->Button(1106)->click(); // background
            d->UserStringEdit(0)->setText("TODO");
            d->Button(1081)->click();
            d->accept();
        });
        QVERIFY(e.Run(Cmd::SetColor));
        const ViewColors stored = LoadViewColors(*e.f.store);
        QCOMPARE(e.Colors(), stored);
        QVERIFY(stored.userStrings[0] == u"TODO" && stored.userColors[0] == 0x00FF00u);
        QCOMPARE(LoadCustomColors(*e.f.store)[3], 0x123456u);
        const QImage image = Grab(e.view);
        QCOMPARE(image.pixelColor(image.width() - 5, image.height() - 5), QColor(0, 255, 0));
    }

    // Text commands change the text in one undo step.
    void textCommands_data()
    {
        Columns<Cmd, int, int, QString, int>({"cmd", "from", "to", "after", "caret"});
        const TemplateText t = EnvironmentTemplate(EnvTemplate::Itemize, false);
        QTest::newRow("comment, caret inside a line") << Cmd::AddComment << 12 << 12 << "line one\n%%line two\nline three\n" << 14;
        QTest::newRow("comment, two whole lines") << Cmd::AddComment << 0 << 18 << "%%line one\n%%line two\n%%line three\n" << 24;
        QTest::newRow("template over the selection") << Cmd::EnvItemize << 9 << 17 << "line one\n" + t.text + "\nline three\n" << 9 + t.caretOffset;
    }
    void textCommands()
    {
        QFETCH(Cmd, cmd);
        QFETCH(int, from);
        QFETCH(int, to);
        Editor e;
        e.Select(from, to);
        QVERIFY(e.Run(cmd));
        QTEST(e.Text(), "after");
        QTEST(e.Caret(), "caret");
        QCOMPARE(e.History().CurrentIndex(), 1);
        QVERIFY(e.Run(Cmd::Undo) && e.Text() == kText);
    }

    void removeCommentLines_data()
    {
        Columns<bool, MsgAnswer, QString>({"english", "answer", "question"});
        QTest::newRow("Japanese, OK") << false << MsgAnswer::Ok << QString::fromUtf8("コメント行（% で始まる行）を全て削除します。");
        QTest::newRow("English, Cancel") << true << MsgAnswer::Cancel << "Remove all comment lines (lines starting %)";
    }
    void removeCommentLines()
    {
        QFETCH(bool, english);
        QFETCH(MsgAnswer, answer);
        const QByteArray text = "%first\nkeep\n  %indented\n%last";
        Editor e(text, u"doc.tex"_qs, english);
        e.f.prompter.answers << answer;
        QVERIFY(e.Run(Cmd::RemoveAllCommentLines));
        QTEST(e.f.prompter.Texts().value(0), "question");
        QCOMPARE(e.f.prompter.messages.first().buttons, MsgButtons::OkCancel);
        QCOMPARE(e.Text(), answer == MsgAnswer::Ok ? u"keep\n  %indented"_qs : QString::fromUtf8(text));
        QCOMPARE(e.History().CurrentIndex(), answer == MsgAnswer::Ok ? 1 : 0);
        QVERIFY(!e.Run(Cmd::Undo) || e.Text() == QString::fromUtf8(text));
    }

    void tabStops_data()
    {
        Columns<int, bool, MsgAnswer, QString, int>({"width", "english", "answer", "question", "after"});
        QTest::newRow("8 to 4") << 8 << false << MsgAnswer::Ok << QString::fromUtf8("タブ幅を現在の 8 文字（既定）から\n 4 文字（半角）に設定します。") << 4;
        QTest::newRow("English, 8 to 4") << 8 << true << MsgAnswer::Ok << "Change Tab Stops from 8 (default) to 4." << 4;
        QTest::newRow("English, 4 back to 8, cancelled") << 4 << true << MsgAnswer::Cancel << "Restore Tab Stops from 4 to 8 (default)." << 4;
    }
    void tabStops()
    {
        QFETCH(int, width);
        QFETCH(bool, english);
        QFETCH(MsgAnswer, answer);
        QFETCH(int, after);
        Editor e("a\tb", u"doc.tex"_qs, english);
        e.view->SetTabWidth(width);
        e.f.prompter.answers << answer;
        QVERIFY(e.Run(Cmd::TabStops));
        QTEST(e.f.prompter.Texts().value(0), "question");
        QCOMPARE(e.f.store->GetInt("Settings", "TabStops", 0), answer == MsgAnswer::Ok ? after : 0);
        if (answer == MsgAnswer::Ok)
            QCOMPARE(e.view->tabStopDistance(), e.view->fontMetrics().horizontalAdvance(u' ') * after);
    }

    void wordWrap()
    {
        Editor e("first\n" + QByteArray("word ").repeated(200) + "\nlast\n");
        const QTextBlock block = e.view->document()->findBlockByNumber(1);
        e.Select(506, 506);
        for (const bool wrapped : {false, true}) {
            QVERIFY(e.Run(Cmd::WordWrap));
            QCOMPARE(e.State(Cmd::WordWrap).checked, wrapped);
            QCOMPARE(block.layout()->lineCount() > 1, wrapped);
            QCOMPARE(e.Caret(), 506);
        }
        QVERIFY(!e.Modified() && !e.Enabled(Cmd::Undo));
    }

    // Find and Replace open their bar with the selected text; the same command closes it and
    // gives the text the focus; only one bar at a time.
    void bars_data()
    {
        Columns<int, bool, bool>({"key", "replace", "english"});
        QTest::newRow("F1, English") << int(Qt::Key_F1) << false << true;
        QTest::newRow("F2, English") << int(Qt::Key_F2) << true << true;
        QTest::newRow("Ctrl+R") << (Qt::CTRL | Qt::Key_R).toCombined() << true << false;
    }
    void bars()
    {
        QFETCH(int, key);
        QFETCH(bool, replace);
        QFETCH(bool, english);
        Editor e("alpha beta\n", u"doc.tex"_qs, english);
        e.Activate();
        e.Select(0, 5);
        const QKeyCombination combination = QKeyCombination::fromCombined(key);
        QTest::keyClick(e.view, combination.key(), combination.keyboardModifiers());
        QToolBar *host = replace ? e.frame->ReplaceBarHost() : e.frame->FindBarHost();
        QToolBar *other = replace ? e.frame->FindBarHost() : e.frame->ReplaceBarHost();
        QVERIFY(!host->isHidden());
        QCOMPARE((replace ? e.Replace()->m_pSearch : e.Find()->m_pSearch)->currentText(), u"alpha"_qs);
        QVERIFY(e.Run(replace ? Cmd::Find : Cmd::Replace));
        QVERIFY(host->isHidden() && !other->isHidden());
        QVERIFY(e.Run(replace ? Cmd::Find : Cmd::Replace));
        QVERIFY(other->isHidden());
        QCOMPARE(e.frame->focusWidget(), e.view);
    }

    // Replace and Replace All are one snapshot each; the bar's undo buttons follow the history.
    void replace()
    {
        Editor e("ab ab ab ab");
        QVERIFY(e.Run(Cmd::Replace));
        e.Replace()->m_pSearch->setEditText("ab");
        e.Replace()->m_pReplacement->setEditText("Q");
        QVERIFY(!e.Replace()->m_pUndo->isEnabled());
        QTest::keyClick(e.Replace()->m_pReplacement, Qt::Key_Return);
        QCOMPARE(e.Text(), u"Q ab ab ab"_qs);
        QCOMPARE(e.Selection(), qMakePair(2, 4));
        e.Replace()->m_pReplaceAll->click();
        QCOMPARE(e.Text(), u"Q Q Q Q"_qs);
        QCOMPARE(e.History().CurrentIndex(), 2);
        QVERIFY(e.Replace()->m_pUndo->isEnabled() && !e.Replace()->m_pUndoForward->isEnabled());
        e.Replace()->m_pUndo->click();
        QCOMPARE(e.Text(), u"Q ab ab ab"_qs);
        QVERIFY(e.Replace()->m_pUndoForward->isEnabled());
        QTest::keyClick(e.view, Qt::Key_X);
        QCoreApplication::processEvents();
        QVERIFY(!e.Replace()->m_pUndoForward->isEnabled());
        e.Replace()->m_pClose->click();
        QVERIFY(e.Run(Cmd::RepeatFindReplace) && !e.frame->ReplaceBarHost()->isHidden());
        QCOMPARE(e.Text().count(u'Q'), 2);
    }

    // A save without a backup marks the saved text too; reading a file in starts the history
    // again.
    void undo()
    {
        Editor e;
        QVERIFY(e.Run(Cmd::BackupMode));
        e.Select(5, 5);
        QTest::keyClick(e.view, Qt::Key_X);
        QVERIFY(e.Modified() && e.Enabled(Cmd::Undo) && !e.Enabled(Cmd::UndoForward));
        QVERIFY(e.Run(Cmd::Undo) && e.Text() == kText);
        QVERIFY(!e.Modified() && !e.Enabled(Cmd::Undo));
        QVERIFY(e.Run(Cmd::UndoForward) && e.Text() == u"line xone\nline two\nline three\n"_qs);
        QVERIFY(e.Run(Cmd::FileSave));
        QTest::keyClick(e.view, Qt::Key_B);
        QVERIFY(e.Run(Cmd::Undo) && !e.Modified());
        QVERIFY(e.Run(Cmd::Undo) && e.Modified());
        QVERIFY(e.frame->OpenDocumentFile(e.f.WriteFile("other.txt", "other\n")));
        QVERIFY(!e.Enabled(Cmd::Undo) && e.History().TopIndex() == 0);
    }

    // One change of the selected text is one snapshot, however the widget gets there; Undo
    // brings the selection back.
    void changeOfASelection_data()
    {
        Columns<int, QString, int>({"how", "after", "index"});
        QTest::newRow("typing over") << 0 << "line Xe\nline two\nline three\n" << 1;
        QTest::newRow("backspace") << 1 << "line e\nline two\nline three\n" << 1;
        QTest::newRow("cut key") << 3 << "line e\nline two\nline three\n" << 1;
        QTest::newRow("paste over") << 4 << "line one\ne\nline two\nline three\n" << 1;
        QTest::newRow("input method, committed") << 5 << QString::fromUtf8("line 漢字e\nline two\nline three\n") << 1;
        QTest::newRow("input method, cancelled") << 6 << "line e\nline two\nline three\n" << 0;
        QTest::newRow("an empty replacement passes without one") << 7 << "line e\nline two\nline three\n" << 0;
    }
    void changeOfASelection()
    {
        QFETCH(int, how);
        QFETCH(QString, after);
        Editor e;
        e.Activate();
        if (how == 4) {
            e.Select(5, 9);
            QVERIFY(e.Run(Cmd::Copy));
        }
        e.Select(5, 7);
        QInputMethodEvent compose(u"かんじ"_qs, {}), commit;
        commit.setCommitString(how == 5 ? u"漢字"_qs : QString());
        switch (how) {
        case 0: QTest::keyClicks(e.view, "X"); break;
        case 1: QTest::keyClick(e.view, Qt::Key_Backspace); break;
        case 2: QTest::keyClick(e.view, Qt::Key_Delete); break;
        case 3: QTest::keyClick(e.view, Qt::Key_X, Qt::ControlModifier); break;
        case 4: QVERIFY(e.Run(Cmd::Paste)); break;
        case 7: e.view->textCursor().insertText(QString()); break;
        default: QApplication::sendEvent(e.view, &compose), QApplication::sendEvent(e.view, &commit);
        }
        QCOMPARE(e.Text(), after);
        QTEST(e.History().CurrentIndex(), "index");
        QTest::keyClick(e.view, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(e.Text(), kText);
        QCOMPARE(e.Selection(), qMakePair(5, 7));
        QTest::keyClick(e.view, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(e.Text(), after);
    }

    // Two panes over one text share one history: an edit is recorded once, by its pane.
    void twoPanes()
    {
        Editor e;
        QVERIFY(e.Run(Cmd::SplitRow));
        COrrindaleView *second = e.frame->GetDocument()->Views().at(1);
        QFocusEvent in(QEvent::FocusIn, Qt::OtherFocusReason);
        QApplication::sendEvent(second, &in);
        QVERIFY(e.Run(Cmd::Replace));
        QTest::keyClick(second, Qt::Key_Q);
        QCoreApplication::processEvents();
        QCOMPARE(&second->UndoController()->History(), &e.History());
        QCOMPARE(e.History().CurrentIndex(), 1);
        e.Replace()->m_pUndo->click();
        QCoreApplication::processEvents();
        QCOMPARE(e.Text(), kText);
        QVERIFY(e.Enabled(Cmd::UndoForward) && e.Replace()->m_pUndoForward->isEnabled());
        second->OnInitialUpdate(); // a new pane's set-up keeps the history
        QTest::keyClick(e.view, Qt::Key_W);
        QCOMPARE(e.History().CurrentIndex(), 1);
        QCOMPARE(e.History().TopIndex(), 1);
    }
};

QTEST_MAIN(TestEditorView)
#include "tst_editorview.moc"
