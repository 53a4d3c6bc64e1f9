#include "support/EditorFixture.h"
#include "app/ui/COrrindaleDoc.h"
#include "view/ui/FindReplaceBars.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QFocusEvent>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QToolBar>

namespace {
struct Editor : EditorFixture {
    CFindBar *find;
    CReplaceBar *replace;
    explicit Editor(const QByteArray &content)
        : EditorFixture(content, false, true)
        , find(frame->FindBar())
        , replace(frame->ReplaceBar())
    {
    }
    static QStringList Items(const QComboBox *combo)
    {
        QStringList out;
        for (int i = 0; i < combo->count(); ++i)
            out << combo->itemText(i);
        return out;
    }
};
} // namespace

class TestFindReplaceBars : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void openingTakesTheSelection_data()
    {
        QTest::addColumn<bool>("replaceBar");
        QTest::addColumn<int>("selEnd");
        QTest::addColumn<QString>("comboText");
        QTest::addColumn<bool>("focusOnNext");
        QTest::newRow("find bar, nothing selected") << false << 0 << "" << false;
        QTest::newRow("find bar, a selection") << false << 5 << "alpha" << true;
        QTest::newRow("replace bar, nothing selected") << true << 0 << "" << false;
        QTest::newRow("replace bar, a selection") << true << 5 << "alpha" << true;
    }
    void openingTakesTheSelection()
    {
        QFETCH(bool, replaceBar);
        QFETCH(int, selEnd);
        QFETCH(QString, comboText);
        QFETCH(bool, focusOnNext);
        Editor e("alpha beta\ngamma alpha\n");
        e.Select(0, selEnd);
        QVERIFY(e.Run(replaceBar ? Cmd::Replace : Cmd::Find));
        QToolBar *host = replaceBar ? e.frame->ReplaceBarHost() : e.frame->FindBarHost();
        QVERIFY(!host->isHidden());
        QComboBox *combo = replaceBar ? e.replace->m_pSearch : e.find->m_pSearch;
        QCOMPARE(combo->currentText(), comboText);
        QWidget *next = replaceBar ? static_cast<QWidget *>(e.replace->m_pFindNext)
                                   : static_cast<QWidget *>(e.find->m_pNext);
        QWidget *expected = focusOnNext ? next : static_cast<QWidget *>(combo);
        QWidget *focused = e.frame->focusWidget();
        QVERIFY(focused == expected || expected->isAncestorOf(focused));
        // The same command again closes the bar and gives the text the focus.
        QVERIFY(e.Run(replaceBar ? Cmd::Replace : Cmd::Find));
        QVERIFY(host->isHidden());
        QCOMPARE(e.frame->focusWidget(), e.view);
    }

    // Opening a bar with nothing selected: what is typed replaces the last search text.
    void theLastSearchTextIsTypedOver_data()
    {
        QTest::addColumn<bool>("replaceBar");
        QTest::newRow("find bar") << false;
        QTest::newRow("replace bar") << true;
    }
    void theLastSearchTextIsTypedOver()
    {
        QFETCH(bool, replaceBar);
        Editor e("alpha beta\n");
        QComboBox *combo = replaceBar ? e.replace->m_pSearch : e.find->m_pSearch;
        combo->setEditText(QStringLiteral("last"));
        e.Select(3, 3);
        QVERIFY(e.Run(replaceBar ? Cmd::Replace : Cmd::Find));
        QTest::keyClicks(combo, QStringLiteral("beta"));
        QCOMPARE(combo->currentText(), QStringLiteral("beta"));
    }

    void onlyOneBarAtATime()
    {
        Editor e("text");
        QVERIFY(e.Run(Cmd::Find));
        QVERIFY(e.Run(Cmd::Replace));
        QVERIFY(e.frame->FindBarHost()->isHidden());
        QVERIFY(!e.frame->ReplaceBarHost()->isHidden());
        QVERIFY(e.Run(Cmd::Find));
        QVERIFY(!e.frame->FindBarHost()->isHidden());
        QVERIFY(e.frame->ReplaceBarHost()->isHidden());
        // Hidden from the window's toolbar menu, the bar counts as closed.
        e.find->m_pSearch->setEditText(QStringLiteral("text"));
        e.find->m_pNext->click();
        QVERIFY(!e.Enabled(Cmd::RepeatFindReplace));
        e.frame->FindBarHost()->toggleViewAction()->trigger();
        QVERIFY(e.frame->FindBarHost()->isHidden());
        QVERIFY(e.Enabled(Cmd::RepeatFindReplace));
    }

    void keysOpenTheBars_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("replaceBar");
        QTest::newRow("F1") << int(Qt::Key_F1) << false;
        QTest::newRow("Ctrl+F") << (Qt::CTRL | Qt::Key_F).toCombined() << false;
        QTest::newRow("F2") << int(Qt::Key_F2) << true;
        QTest::newRow("Ctrl+R") << (Qt::CTRL | Qt::Key_R).toCombined() << true;
    }
    void keysOpenTheBars()
    {
        QFETCH(int, key);
        QFETCH(bool, replaceBar);
        Editor e("text");
        e.frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(e.frame.get()));
        e.view->setFocus();
        e.frame->Router()->RefreshActions(); // the text is no longer empty
        const QKeyCombination combination = QKeyCombination::fromCombined(key);
        QTest::keyClick(e.view, combination.key(), combination.keyboardModifiers());
        QToolBar *host = replaceBar ? e.frame->ReplaceBarHost() : e.frame->FindBarHost();
        QVERIFY(!host->isHidden());
        QCOMPARE(e.Text(), QStringLiteral("text"));
    }

    void downOpensTheHistoryList()
    {
        Editor e("text");
        e.replace->m_pReplacement->addItems({QStringLiteral("one"), QStringLiteral("two")});
        QVERIFY(e.Run(Cmd::Replace));
        QComboBox *combo = e.replace->m_pReplacement;
        QVERIFY(!combo->view()->isVisible());
        QTest::keyClick(combo, Qt::Key_Down);
        QVERIFY(combo->view()->isVisible());
        combo->hidePopup();
    }

    // Next and Prev walk through the matches and start again at the other end.
    void searchWrapsAround_data()
    {
        QTest::addColumn<bool>("forward");
        QTest::addColumn<bool>("matchCase");
        QTest::addColumn<QList<int>>("starts"); // -1: not found, caret at the other end
        QTest::newRow("forward, case ignored") << true << false << QList<int>{0, 6, 12, -1, 0};
        QTest::newRow("forward, case counts") << true << true << QList<int>{0, 12, -1, 0};
        QTest::newRow("backward, case ignored") << false << false << QList<int>{12, 6, 0, -1, 12};
    }
    void searchWrapsAround()
    {
        QFETCH(bool, forward);
        QFETCH(bool, matchCase);
        QFETCH(QList<int>, starts);
        Editor e("ab cd AB cd ab");
        e.Select(forward ? 0 : 14, forward ? 0 : 14);
        QVERIFY(e.Run(Cmd::Find));
        e.find->m_pSearch->setEditText(QStringLiteral("ab"));
        e.find->m_pMatchCase->setChecked(matchCase);
        QPushButton *button = forward ? e.find->m_pNext : e.find->m_pPrev;
        for (int start : starts) {
            button->click();
            if (start < 0) {
                const int end = forward ? 0 : 14;
                QCOMPARE(e.Selection(), qMakePair(end, end));
            } else {
                QCOMPARE(e.Selection(), qMakePair(start, start + 2));
            }
        }
    }

    // The keys reach the box that has the focus: the combo box, which hands them to its line
    // edit itself; a test that sends them to the line edit directly would miss that road.
    void enterSearchesAndReplaces_data()
    {
        QTest::addColumn<bool>("toLineEdit");
        QTest::newRow("keys to the focused box") << false;
        QTest::newRow("keys to its line edit") << true;
    }
    void enterSearchesAndReplaces()
    {
        QFETCH(bool, toLineEdit);
        Editor e("one two one two");
        const auto target = [toLineEdit](QComboBox *combo) -> QWidget * {
            return toLineEdit ? static_cast<QWidget *>(combo->lineEdit()) : combo;
        };
        QVERIFY(e.Run(Cmd::Replace));
        QCOMPARE(e.replace->m_pSearch->lineEdit()->focusProxy(), e.replace->m_pSearch);
        e.replace->m_pSearch->setEditText(QStringLiteral("two"));
        QTest::keyClick(target(e.replace->m_pSearch), Qt::Key_Return);
        QCOMPARE(e.Selection(), qMakePair(4, 7));
        e.replace->m_pReplacement->setEditText(QStringLiteral("2"));
        QTest::keyClick(target(e.replace->m_pReplacement), Qt::Key_Return);
        QCOMPARE(e.Text(), QStringLiteral("one 2 one two"));
        QCOMPARE(e.Selection(), qMakePair(10, 13));
        QVERIFY(e.Run(Cmd::Find));
        e.find->m_pSearch->setEditText(QStringLiteral("one"));
        // Nothing after the selection: the first Enter starts again at the top.
        QTest::keyClick(target(e.find->m_pSearch), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(e.Selection(), qMakePair(0, 0));
        QTest::keyClick(target(e.find->m_pSearch), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(e.Selection(), qMakePair(0, 3));
    }

    void continuityDecidesWhereTheFocusGoes_data()
    {
        QTest::addColumn<bool>("continuity");
        QTest::newRow("continuity on") << true;
        QTest::newRow("continuity off") << false;
    }
    void continuityDecidesWhereTheFocusGoes()
    {
        QFETCH(bool, continuity);
        Editor e("one two one");
        QVERIFY(e.Run(Cmd::Find));
        e.find->m_pSearch->setEditText(QStringLiteral("two"));
        e.find->m_pContinuity->setChecked(continuity);
        e.find->m_pNext->setFocus();
        e.find->m_pNext->click();
        QCOMPARE(e.Selection(), qMakePair(4, 7));
        QCOMPARE(e.frame->focusWidget() == e.view, !continuity);
    }

    void aFoundLineStandsOnRowTwoOrNMinus3_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<bool>("forward");
        QTest::addColumn<bool>("fromBelow");
        QTest::newRow("far below") << 150 << true << false;
        QTest::newRow("far above") << 20 << false << true;
    }
    void aFoundLineStandsOnRowTwoOrNMinus3()
    {
        QFETCH(int, line);
        QFETCH(bool, forward);
        QFETCH(bool, fromBelow);
        QByteArray text;
        for (int i = 0; i < 200; ++i)
            text += (i == line ? "needle" : "hay " + QByteArray::number(i)) + "\n";
        Editor e(text);
        e.view->SetWordWrap(false, false);
        const int from = fromBelow ? e.view->document()->characterCount() - 1 : 0;
        e.Select(from, from);
        e.view->ScrollToLine(fromBelow ? 180 : 0);
        QVERIFY(e.Run(Cmd::Find));
        e.find->m_pSearch->setEditText(QStringLiteral("needle"));
        (forward ? e.find->m_pNext : e.find->m_pPrev)->click();
        QCOMPARE(e.view->textCursor().block().blockNumber(), line);
        // Rows on screen: row 2 from the top, or two whole rows left below the caret's row.
        const QRect caret = e.view->cursorRect();
        const int rows = e.view->viewport()->height() / caret.height();
        QVERIFY(rows > 6);
        const int row = caret.top() / caret.height();
        if (fromBelow)
            QCOMPARE(row, 2);
        else
            QCOMPARE(rows - 1 - row, 2);
    }

    void searchesGoIntoBothHistories()
    {
        Editor e("Abc abc x");
        e.find->m_pSearch->addItems({QStringLiteral("ABC"), QStringLiteral("other")});
        e.replace->m_pSearch->addItems({QStringLiteral("ABC"), QStringLiteral("other")});
        QVERIFY(e.Run(Cmd::Find));
        e.find->m_pSearch->setEditText(QStringLiteral("abc"));
        e.find->m_pNext->click();
        QCOMPARE(Editor::Items(e.find->m_pSearch), (QStringList{"abc", "other"}));
        QCOMPARE(Editor::Items(e.replace->m_pSearch), (QStringList{"abc", "ABC", "other"}));
        for (int i = 0; i < 20; ++i) {
            e.find->m_pSearch->setEditText(QStringLiteral("w%1").arg(i));
            e.find->m_pNext->click();
        }
        QCOMPARE(e.find->m_pSearch->count(), 16);
        QCOMPARE(e.replace->m_pSearch->count(), 16);
        QCOMPARE(e.find->m_pSearch->itemText(0), QStringLiteral("w19"));
        QCOMPARE(e.find->m_pSearch->currentText(), QStringLiteral("w19"));
    }

    void replace_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("selStart");
        QTest::addColumn<int>("selEnd");
        QTest::addColumn<bool>("matchCase");
        QTest::addColumn<QString>("with");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("nextMatch"); // selected afterwards; -1 none
        QTest::newRow("replaces the match ahead and selects the next")
            << "ab ab ab" << 1 << 1 << true << "X" << "ab X ab" << 5;
        QTest::newRow("a selected match is replaced") << "ab ab" << 0 << 2 << true << "Y"
            << "Y ab" << 2;
        QTest::newRow("another case is found but not replaced")
            << "ABC abc" << 0 << 0 << false << "x" << "ABC x" << -1;
        QTest::newRow("identical texts replace nothing")
            << "ab ab" << 0 << 2 << true << "ab" << "ab ab" << 0;
        QTest::newRow("wraps to the first match") << "ab cd" << 3 << 3 << true << "Z" << "Z cd"
            << -1;
    }
    void replace()
    {
        QFETCH(QString, text);
        QFETCH(int, selStart);
        QFETCH(int, selEnd);
        QFETCH(bool, matchCase);
        QFETCH(QString, with);
        QFETCH(QString, after);
        QFETCH(int, nextMatch);
        Editor e(text.toUtf8());
        e.Select(selStart, selEnd);
        QVERIFY(e.Run(Cmd::Replace));
        e.replace->m_pSearch->setEditText(text.left(text.indexOf(QLatin1Char(' '))).toLower());
        e.replace->m_pReplacement->setEditText(with);
        e.replace->m_pMatchCase->setChecked(matchCase);
        const int index = e.History().CurrentIndex();
        e.replace->m_pReplace->click();
        QCOMPARE(e.Text(), after);
        QCOMPARE(e.History().CurrentIndex(),
                 index + (after == text ? 0 : 1));
        if (nextMatch >= 0)
            QCOMPARE(e.Selection().first, nextMatch);
        else
            QVERIFY(!e.view->textCursor().hasSelection());
        QCOMPARE(e.replace->m_pReplacement->itemText(0), with);
    }

    void replaceAllKeepsThePlaceAndIsOneSnapshot()
    {
        QByteArray text;
        for (int i = 0; i < 120; ++i)
            text += "row " + QByteArray::number(i) + " foo and foo\n";
        Editor e(text);
        e.view->SetWordWrap(false, false);
        e.view->ScrollToLine(50);
        const int top = e.view->FirstVisibleLine();
        const int caret = e.view->document()->findBlockByNumber(top + 5).position() + 3;
        e.Select(caret, caret);
        QVERIFY(e.Run(Cmd::Replace));
        e.replace->m_pSearch->setEditText(QStringLiteral("foo"));
        // As long as "foo", so the remembered caret offset stays on its line.
        e.replace->m_pReplacement->setEditText(QStringLiteral("bar"));
        QVERIFY(!e.replace->m_pUndo->isEnabled());
        e.replace->m_pReplaceAll->click();
        QVERIFY(e.replace->m_pUndo->isEnabled());
        QVERIFY(!e.replace->m_pUndoForward->isEnabled());
        QCOMPARE(e.Text(), QString::fromUtf8(text).replace(QStringLiteral("foo"),
            QStringLiteral("bar")));
        QCOMPARE(e.view->FirstVisibleLine(), top);
        QCOMPARE(e.view->textCursor().position(), caret);
        QCOMPARE(e.History().CurrentIndex(), 1);
        QVERIFY(e.frame->GetDocument()->IsModified());
        QVERIFY(e.Run(Cmd::Undo));
        QCOMPARE(e.Text(), QString::fromUtf8(text));
        // The replace bar's own buttons step through the same history.
        e.replace->m_pUndoForward->click();
        QVERIFY(e.Text().contains(QStringLiteral("bar")));
        e.replace->m_pUndo->click();
        QCOMPARE(e.Text(), QString::fromUtf8(text));
    }

    // The replace bar's undo buttons are greyed exactly when their commands are, also right
    // after a change typed into the text.
    void undoButtonsFollowTheHistory_data()
    {
        QTest::addColumn<bool>("split"); // typed into the second pane of a split window
        QTest::addColumn<QString>("steps"); // k: a key typed into the text, u: the Undo button
        QTest::addColumn<bool>("undo");
        QTest::addColumn<bool>("forward");
        for (const bool split : {false, true}) {
            const auto name = [split](const char *what) {
                return QByteArray(what) + (split ? ", second pane" : "");
            };
            QTest::newRow(name("nothing yet")) << split << "" << false << false;
            QTest::newRow(name("a key typed")) << split << "k" << true << false;
            QTest::newRow(name("undone")) << split << "ku" << false << true;
            QTest::newRow(name("a change after the undo")) << split << "kuk" << true << false;
            QTest::newRow(name("two undone, one typed")) << split << "kkuuk" << true << true;
        }
    }
    void undoButtonsFollowTheHistory()
    {
        QFETCH(bool, split);
        QFETCH(QString, steps);
        QFETCH(bool, undo);
        QFETCH(bool, forward);
        Editor e("text\n");
        COrrindaleView *pane = e.view;
        if (split) {
            QVERIFY(e.Run(Cmd::SplitRow));
            const QList<COrrindaleView *> views = e.frame->GetDocument()->Views();
            QCOMPARE(views.size(), 2);
            pane = views.at(1);
            QFocusEvent in(QEvent::FocusIn, Qt::OtherFocusReason);
            QApplication::sendEvent(pane, &in);
        }
        QVERIFY(e.Run(Cmd::Replace));
        for (const QChar step : steps) {
            if (step == QLatin1Char('k'))
                QTest::keyClick(pane, Qt::Key_A);
            else
                e.replace->m_pUndo->click();
            QCoreApplication::processEvents(); // the window at rest between two steps
        }
        QCOMPARE(e.Enabled(Cmd::Undo), undo);
        QCOMPARE(e.Enabled(Cmd::UndoForward), forward);
        QCOMPARE(e.replace->m_pUndo->isEnabled(), undo);
        QCOMPARE(e.replace->m_pUndoForward->isEnabled(), forward);
    }

    // A bar fits the window it is shown in: a long text in a history does not widen it, nor
    // does the replace bar with all its buttons.
    void barsFitTheWindow_data()
    {
        QTest::addColumn<bool>("english");
        QTest::addColumn<bool>("replaceBar");
        QTest::newRow("Japanese find bar") << false << false;
        QTest::newRow("Japanese replace bar") << false << true;
        QTest::newRow("English find bar") << true << false;
        QTest::newRow("English replace bar") << true << true;
    }
    void barsFitTheWindow()
    {
        QFETCH(bool, english);
        QFETCH(bool, replaceBar);
        EditorFixture e("text with a long line\n", english, true);
        const QString longText = QStringLiteral("a long search text ").repeated(20);
        e.frame->FindBar()->m_pSearch->insertItem(0, longText);
        e.frame->ReplaceBar()->m_pSearch->insertItem(0, longText);
        e.frame->ReplaceBar()->m_pReplacement->insertItem(0, longText);
        e.frame->resize(1200, 600);
        QCOMPARE(e.frame->width(), 1200);
        QVERIFY(e.Run(replaceBar ? Cmd::Replace : Cmd::Find));
        QWidget *bar = replaceBar ? static_cast<QWidget *>(e.frame->ReplaceBar())
                                  : static_cast<QWidget *>(e.frame->FindBar());
        QVERIFY2(bar->minimumSizeHint().width() <= 1200 - 40,
                 qPrintable(QString::number(bar->minimumSizeHint().width())));
        QCOMPARE(e.frame->minimumSizeHint().width() <= 1200, true);
        QCOMPARE(e.frame->width(), 1200);
    }

    void repeatFindReplace_data()
    {
        QTest::addColumn<bool>("viaReplace");
        QTest::newRow("after a search") << false;
        QTest::newRow("after a replace") << true;
    }
    void repeatFindReplace()
    {
        QFETCH(bool, viaReplace);
        Editor e("ab ab ab ab");
        QVERIFY(!e.Enabled(Cmd::RepeatFindReplace));
        QVERIFY(e.Run(viaReplace ? Cmd::Replace : Cmd::Find));
        if (viaReplace) {
            e.replace->m_pSearch->setEditText(QStringLiteral("ab"));
            e.replace->m_pReplacement->setEditText(QStringLiteral("Q"));
            e.replace->m_pReplace->click();
            QCOMPARE(e.Text(), QStringLiteral("Q ab ab ab"));
            e.replace->m_pClose->click();
        } else {
            e.find->m_pSearch->setEditText(QStringLiteral("ab"));
            e.find->m_pNext->click();
            QVERIFY(!e.Enabled(Cmd::RepeatFindReplace)); // not while a bar is shown
            e.find->m_pClose->click();
        }
        QVERIFY(e.frame->FindBarHost()->isHidden() && e.frame->ReplaceBarHost()->isHidden());
        QCOMPARE(e.frame->focusWidget(), e.view);
        QVERIFY(e.Enabled(Cmd::RepeatFindReplace));
        QVERIFY(e.Run(Cmd::RepeatFindReplace));
        if (viaReplace) {
            QVERIFY(!e.frame->ReplaceBarHost()->isHidden());
            QCOMPARE(e.Text(), QStringLiteral("Q Q ab ab"));
        } else {
            QVERIFY(!e.frame->FindBarHost()->isHidden());
            QCOMPARE(e.Selection(), qMakePair(3, 5));
        }
    }

    void backToTheRecordedPosition()
    {
        QByteArray text;
        for (int i = 0; i < 100; ++i)
            text += "line\n";
        Editor e(text + "target");
        e.view->SetWordWrap(false, false);
        e.view->ScrollToLine(30);
        const int top = e.view->FirstVisibleLine();
        e.Select(160, 163);
        QVERIFY(e.Run(Cmd::Find));
        e.find->m_pRecord->click();
        e.find->m_pSearch->setEditText(QStringLiteral("target"));
        e.find->m_pNext->click();
        QVERIFY(e.view->FirstVisibleLine() != top);
        e.find->m_pBackToStart->click();
        QCOMPARE(e.Selection(), qMakePair(160, 163));
        QCOMPARE(e.view->FirstVisibleLine(), top);
        QCOMPARE(e.frame->focusWidget(), e.view);
    }
};

QTEST_MAIN(TestFindReplaceBars)
#include "tst_findreplace_bars.moc"
