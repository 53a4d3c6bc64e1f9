#include "support/EditorFixture.h"
#include "app/SettingsKeys.h"
#include "input/ui/CompletionController.h"
#include "input/ui/CompletionPopup.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QTest>

namespace {
const char *kList =
    "Notes about the list.\n"
    "\\COMMANDS \t marker\n%a \t\t marker\nalpha\t9\nabc\t2\n\n\n%A\n\n\n%b\n"
    "begin{\t20\nbeta\t3\nbegin{itemize}\t2\n\n\n%B\n\n\n%s\n"
    "section\t30\nsubsection\t20\nsec\t5\nsetlength\t4\nsum\t2\nsqrt[\t3\n\n\n%S\n"
    "Section\t1\nSmall\t1\n\n\n%t\n";

struct Completing : EditorFixture {
    explicit Completing(const QByteArray &list = kList, const QByteArray &doc = "")
        : EditorFixture(doc)
    {
        view->m_strCommandListPath = f.WriteFile(QStringLiteral("list.mme"), list);
        QTextCursor c = view->textCursor();
        c.movePosition(QTextCursor::End);
        view->setTextCursor(c);
    }
    CCompletionController *Controller() const { return view->Completion(); }
    CCompletionPopup *Popup() const { return Controller()->Popup(); }
    QStringList Names() const
    {
        QStringList out;
        for (int i = 0; Popup() && i < Popup()->count(); ++i)
            out << Popup()->item(i)->text();
        return out;
    }
    QString Current() const
    {
        return Popup() && Popup()->currentItem() ? Popup()->currentItem()->text() : QString();
    }
    int Caret() const { return view->textCursor().position(); }

    // Types a key script: characters as they stand; <Enter>, <BS>, <Left>, <Right>, <Up>,
    // <Down>, <Home>, <End> for those keys; <S> for Shift+S.
    void Type(const QString &script)
    {
        static const QHash<QString, Qt::Key> keys{
            {"<Enter>", Qt::Key_Return}, {"<BS>", Qt::Key_Backspace}, {"<Left>", Qt::Key_Left},
            {"<Right>", Qt::Key_Right},  {"<Up>", Qt::Key_Up},         {"<Down>", Qt::Key_Down},
            {"<Home>", Qt::Key_Home},    {"<End>", Qt::Key_End}};
        for (qsizetype i = 0; i < script.size(); ++i) {
            if (script.at(i) == QLatin1Char('<')) {
                const qsizetype close = script.indexOf(QLatin1Char('>'), i);
                const QString token = script.mid(i, close - i + 1);
                if (token == QLatin1String("<S>"))
                    QTest::keyClick(view, 'S', Qt::ShiftModifier);
                else if (token == QLatin1String("<Enter>"))
                    QTest::keyClick(view, Qt::Key_Return, Qt::NoModifier);
                else
                    QTest::keyClick(view, keys.value(token));
                i = close;
            } else {
                QTest::keyClick(view, script.at(i).toLatin1());
            }
        }
    }
};
} // namespace

class TestCompletionView : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void typing_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("caret");
        QTest::addColumn<QString>("current"); // empty: no popup
        QTest::newRow("backslash and a letter open the list") << "\\s" << "\\s" << 2 << "section";
        QTest::newRow("Shift+S offers upper-case names") << "\\<S>" << "\\S" << 2 << "Section";
        QTest::newRow("typing narrows") << "\\sub" << "\\sub" << 4 << "subsection";
        QTest::newRow("a letter without the backslash does nothing") << "s" << "s" << 1 << "";
        QTest::newRow("Enter writes the name without a new line")
            << "\\sec<Enter>" << "\\section" << 8 << "";
        QTest::newRow("begin gets its end line")
            << "\\b<Enter>" << "\\begin{\n\n\\end{\n" << 7 << "";
        QTest::newRow("Down moves the selection") << "\\b<Down><Enter>" << "\\beta" << 5 << "";
        QTest::newRow("Up from the first wraps to the last")
            << "\\b<Up><Enter>" << "\\begin{itemize}\n\n\\end{itemize}\n" << 15 << "";
        QTest::newRow("Down from the last wraps to the first")
            << "\\b<Down><Down><Down>" << "\\b" << 2 << "begin{";
        QTest::newRow("three misses keep the list") << "\\sxyz" << "\\sxyz" << 5 << "section";
        QTest::newRow("a fourth letter after three misses closes")
            << "\\sxyzw" << "\\sxyzw" << 6 << "";
        QTest::newRow("a match after misses still selects")
            << "\\sqx" << "\\sqx" << 4 << "sqrt[";
        QTest::newRow("Backspace over the first letter closes") << "\\s<BS>" << "\\" << 1 << "";
        QTest::newRow("a new letter after Backspace reopens")
            << "\\s<BS>b" << "\\b" << 2 << "begin{";
        QTest::newRow("Backspace inside the name narrows back")
            << "\\sub<BS><BS>" << "\\s" << 2 << "section";
        QTest::newRow("Left over the first letter closes and rearms")
            << "\\s<Left>b" << "\\bs" << 2 << "begin{";
        QTest::newRow("Right at the backslash opens on the next letter")
            << "\\s<Left><Right>" << "\\s" << 2 << "section";
        QTest::newRow("Home closes") << "\\s<Home>" << "\\s" << 0 << "";
        QTest::newRow("a digit after the backslash disarms") << "\\1s" << "\\1s" << 3 << "";
        QTest::newRow("no name with the prefix: no list, Enter types")
            << "\\q<Enter>" << "\\q\n" << 3 << "";
        QTest::newRow("a second backslash closes and rearms")
            << "\\s\\b" << "\\s\\b" << 4 << "begin{";
    }
    void typing()
    {
        QFETCH(QString, keys);
        QFETCH(QString, text);
        QFETCH(int, caret);
        QFETCH(QString, current);
        Completing e;
        e.Type(keys);
        QCOMPARE(e.Text(), text);
        QCOMPARE(e.Caret(), caret);
        QCOMPARE(e.Controller()->IsPopupOpen(), !current.isEmpty());
        QCOMPARE(e.Current(), current);
    }

    void offeredNames_data()
    {
        QTest::addColumn<int>("minimumIndex");
        QTest::addColumn<int>("abc");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("default: four letters, file order")
            << 2 << 0 << QStringList{"section", "subsection", "setlength", "sqrt["};
        QTest::newRow("two letters")
            << 0 << 0 << QStringList{"section", "subsection", "sec", "setlength", "sum", "sqrt["};
        QTest::newRow("seven letters") << 5 << 0 << QStringList{"section", "subsection",
                                                               "setlength"};
        QTest::newRow("ABC order")
            << 2 << 1 << QStringList{"section", "setlength", "sqrt[", "subsection"};
    }
    void offeredNames()
    {
        QFETCH(int, minimumIndex);
        QFETCH(int, abc);
        QFETCH(QStringList, names);
        Completing e;
        e.view->m_nInputMinimum = minimumIndex;
        if (abc) {
            QVERIFY(e.Run(Cmd::InputListOrder));
            QVERIFY(e.State(Cmd::InputListOrder).checked);
            QCOMPARE(ReadSetting(*e.f.store, Keys::ABC), 1);
        }
        e.Type(QStringLiteral("\\s"));
        QCOMPARE(e.Names(), names);
        QCOMPARE(e.Current(), names.first());
    }

    void noList_data()
    {
        QTest::addColumn<QByteArray>("list");
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("no entries") << QByteArray("\\COMMANDS\n%a\n\n\n%A\n");
        QTest::newRow("binary") << QByteArray("\0\1\2\3\xff", 5);
    }
    void noList()
    {
        QFETCH(QByteArray, list);
        Completing e(list);
        e.Type(QStringLiteral("\\s"));
        QVERIFY(!e.Controller()->IsPopupOpen());
        QCOMPARE(e.Text(), QStringLiteral("\\s"));
    }

    // A damaged file still offers the entries that can be read, even without TABs and
    // with line ends of either kind.
    void damagedListStillOffers()
    {
        Completing e(QByteArray("\\COMMANDS\r\n%a\r\nsection\r\nsubsection\t\xff\xfe\r\n\0x", 40));
        e.Type(QStringLiteral("\\s"));
        QCOMPARE(e.Names(), (QStringList{"section", "subsection"}));
    }

    void onlyInTeXFiles()
    {
        Completing e;
        QVERIFY(e.frame->OpenDocumentFile(e.f.WriteFile(QStringLiteral("notes.txt"), "")));
        e.view->m_strCommandListPath = e.f.FilePath(QStringLiteral("list.mme"));
        e.Type(QStringLiteral("\\s"));
        QVERIFY(!e.Controller()->IsPopupOpen());
        QVERIFY(!e.State(Cmd::TeXInput).checked);
    }

    void escSwitchesAndCloses()
    {
        Completing e;
        QVERIFY(e.State(Cmd::TeXInput).checked);
        e.Type(QStringLiteral("\\s"));
        QVERIFY(e.Controller()->IsPopupOpen());
        // With the list open Esc only closes it.
        QVERIFY(e.Run(Cmd::TeXInput));
        QVERIFY(!e.Controller()->IsPopupOpen());
        QCOMPARE(e.view->m_bInputSupport, 1);
        QVERIFY(e.Run(Cmd::TeXInput));
        QCOMPARE(e.view->m_bInputSupport, 0);
        QCOMPARE(ReadSetting(*e.f.store, Keys::Input), 0);
        e.Type(QStringLiteral("\\s"));
        QVERIFY(!e.Controller()->IsPopupOpen());
        QVERIFY(e.Run(Cmd::TeXInput));
        QCOMPARE(ReadSetting(*e.f.store, Keys::Input), 1);
        e.Type(QStringLiteral("\\b"));
        QVERIFY(e.Controller()->IsPopupOpen());
    }

    void inputMethodComposing()
    {
        Completing e;
        QInputMethodEvent compose(QStringLiteral("かん"), {});
        QApplication::sendEvent(e.view, &compose);
        e.Type(QStringLiteral("\\s"));
        QVERIFY(!e.Controller()->IsPopupOpen());
        QInputMethodEvent commit;
        commit.setCommitString(QStringLiteral("漢"));
        QApplication::sendEvent(e.view, &commit);
        e.Type(QStringLiteral("\\s"));
        QVERIFY(e.Controller()->IsPopupOpen());
    }

    void insertIsOneUndoStep()
    {
        Completing e;
        e.Type(QStringLiteral("\\sec"));
        e.Type(QStringLiteral("<Enter>"));
        QCOMPARE(e.Text(), QStringLiteral("\\section"));
        QVERIFY(e.Run(Cmd::Undo));
        QCOMPARE(e.Text(), QStringLiteral("\\sec"));
    }

    // Changes that do not come through the list's keys leave the typed name where it was not;
    // Enter then keeps the text as it is instead of writing over other characters.
    void textChangedUnderTheList_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("change");
        QTest::newRow("undo of the typed name") << "line<Enter>\\sec" << "undo";
        QTest::newRow("text put before the name") << "\\sec" << "insert at start";
        QTest::newRow("name shortened behind the caret") << "\\sec" << "remove before caret";
    }
    void textChangedUnderTheList()
    {
        QFETCH(QString, typed);
        QFETCH(QString, change);
        Completing e(kList, "\n\nkeep these words\n");
        QTextCursor c = e.view->textCursor();
        c.setPosition(0);
        e.view->setTextCursor(c);
        e.Type(typed);
        QVERIFY(e.Controller()->IsPopupOpen());
        if (change == QLatin1String("undo")) {
            QVERIFY(e.Run(Cmd::Undo));
        } else {
            QTextCursor edit(e.view->document());
            if (change == QLatin1String("insert at start")) {
                edit.insertText(QStringLiteral("XY"));
            } else {
                edit.setPosition(e.view->textCursor().position());
                edit.movePosition(QTextCursor::Left, QTextCursor::KeepAnchor, 2);
                edit.removeSelectedText();
            }
        }
        const QString changed = e.Text();
        e.Type(QStringLiteral("<Enter>"));
        QCOMPARE(e.Text(), changed);
        QVERIFY(!e.Controller()->IsPopupOpen());
    }

    void doubleClickInserts()
    {
        Completing e;
        e.Type(QStringLiteral("\\s"));
        CCompletionPopup *popup = e.Popup();
        QVERIFY(popup);
        const QRect row = popup->visualItemRect(popup->item(1));
        QTest::mouseClick(popup->viewport(), Qt::LeftButton, {}, row.center());
        QTest::mouseDClick(popup->viewport(), Qt::LeftButton, {}, row.center());
        QTRY_COMPARE(e.Text(), QStringLiteral("\\subsection"));
        QVERIFY(!e.Controller()->IsPopupOpen());
    }

    // The editor keeps the keyboard: the list never becomes the focus or the active window,
    // and it hangs below the caret line.
    void popupNeverTakesTheKeyboard()
    {
        Completing e("\\COMMANDS\n%a\nsection\t3\n", "line one\n");
        e.frame->resize(700, 500);
        e.frame->show();
        e.frame->activateWindow();
        e.view->setFocus();
        QVERIFY(QTest::qWaitForWindowActive(e.frame.get()));
        e.Type(QStringLiteral("\\s"));
        CCompletionPopup *popup = e.Popup();
        QVERIFY(popup && popup->isVisible());
        QCOMPARE(popup->focusPolicy(), Qt::NoFocus);
        QVERIFY(popup->testAttribute(Qt::WA_ShowWithoutActivating));
        QCOMPARE(QApplication::focusWidget(), e.view);
        const QRect caret = e.view->cursorRect();
        const QPoint caretBottom = e.view->viewport()->mapToGlobal(caret.bottomLeft());
        QVERIFY(popup->geometry().top() >= caretBottom.y());
        e.Type(QStringLiteral("e<Enter>"));
        QCOMPARE(QApplication::focusWidget(), e.view);
        QCOMPARE(e.view->toPlainText(), QStringLiteral("line one\n\\section"));
    }
};

QTEST_MAIN(TestCompletionView)
#include "tst_completion_view.moc"
