// The editing pane in its window: what the commands and keys do to the text, the undo history
// and the screen. The rules behind them are tested on plain text in tst_textrules and
// tst_coloring.
#include "support/EditorFixture.h"
#include "app/ui/COrrindaleApp.h"
#include "app/ui/COrrindaleDoc.h"
#include "res/Messages.h"
#include "view/ui/ColorSettingsDialog.h"
#include "view/ui/FindReplaceBars.h"
#include "view/ui/LineJumpDialog.h"
#include "view/ui/UndoController.h"
#include "view/TextCommands.h"
#include "view/ui/ViewNavigator.h"

#include <QCheckBox>
#include <QAbstractItemView>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QSplitter>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>
#include <QToolBar>
#include <QTranslator>
#include <QUrl>

namespace {
const QColor kRed(255, 0, 0), kBlue(0, 0, 255), kGreen(90, 220, 90), kMark(180, 180, 255);
const QByteArray kText = "line one\nline two\nline three\n";

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
    explicit Editor(const QByteArray &text = kText, const QString &name = u"doc.tex"_qs, bool english = false)
        : EditorFixture(name, text, english, true)
    {
        QVERIFY(QTest::qWaitForWindowExposed(frame.get()));
        view->setFocus();
    }
    int Caret() const { return view->textCursor().position(); }
    bool Modified() const { return frame->GetDocument()->IsModified(); }
    CFindBar *Find() const { return frame->FindBar(); }
    CReplaceBar *Replace() const { return frame->ReplaceBar(); }
};
} // namespace

class TestEditorView : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Symbols and marks are painted in their colours until the Coloring command turns them off.
    void coloringOnScreen_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<bool>("present");
        QTest::newRow("brace in brace colour") << "a.tex" << "\\section{Intro}" << 8 << 9 << kRed << true;
        QTest::newRow("command name in backslash colour") << "a.tex" << "\\section{Intro}" << 1 << 8 << kBlue << true;
        QTest::newRow("argument stays plain") << "a.tex" << "\\section{Intro}" << 9 << 14 << kBlue << false;
        QTest::newRow("comment in comment colour") << "a.tex" << "x % {y}" << 4 << 7 << kGreen << true;
        QTest::newRow("txt: comment only at its percent") << "a.txt" << "x % yyy" << 4 << 7 << kGreen << false;
        QTest::newRow("tab mark over its gap") << "a.txt" << "a\tb" << 1 << 2 << kMark << true;
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
        QVERIFY(e.State(Cmd::Coloring).checked);
        QVERIFY(e.Run(Cmd::Coloring));
        QVERIFY(!e.State(Cmd::Coloring).checked);
        QCOMPARE(e.f.store->GetInt("Settings", "Enter", -1), 0);
        QVERIFY(!HasColorIn(Grab(e.view), RangeRect(e.view, from, to), colour));
    }

    void readOnlyAndCaretLine()
    {
        Editor e("first\nsecond\n");
        QApplication::setActiveWindow(e.frame.get());
        QVERIFY(QTest::qWaitForWindowActive(e.frame.get()));
        e.Select(8, 8);
        const int y = e.view->cursorRect().bottom();
        QImage image = Grab(e.view);
        QCOMPARE(image.pixelColor(image.width() / 2, y), QColor(128, 128, 128));
        // Read-only: its own background, no colours, no typing, no undo.
        QTest::keyClick(e.view, Qt::Key_A);
        QVERIFY(e.Run(Cmd::ReadWrite));
        image = Grab(e.view);
        QCOMPARE(image.pixelColor(image.width() - 5, image.height() - 5), QColor(244, 254, 255));
        QTest::keyClick(e.view, Qt::Key_B);
        QCOMPARE(e.Text(), QStringLiteral("first\nseacond\n"));
        e.Select(0, 3);
        QVERIFY(!e.Enabled(Cmd::Undo) && !e.Enabled(Cmd::Cut) && !e.Enabled(Cmd::Paste));
        QVERIFY(e.Enabled(Cmd::Copy));
        QVERIFY(e.Run(Cmd::ReadWrite));
        QVERIFY(e.Enabled(Cmd::Undo));
    }

    void lineNumbers_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("start");
        QTest::addColumn<Cmd>("command");
        QTest::addColumn<int>("mode");
        QTest::newRow("physical on") << "a.tex" << 0 << Cmd::PhysicalLineNo << 1;
        QTest::newRow("physical off") << "a.tex" << 1 << Cmd::PhysicalLineNo << 0;
        QTest::newRow("physical from logical turns numbers off") << "a.tex" << 2 << Cmd::PhysicalLineNo << 0;
        QTest::newRow("logical on") << "a.tex" << 0 << Cmd::LogicalLineNo << 2;
        QTest::newRow("logical from physical") << "a.tex" << 1 << Cmd::LogicalLineNo << 2;
        QTest::newRow("logical off") << "a.tex" << 2 << Cmd::LogicalLineNo << 0;
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
        QVERIFY(frame->OpenDocumentFile(f.WriteFile(name, "a\nb\n")));
        QVERIFY(frame->Router()->Execute(IdOf(command, false)));
        QCOMPARE(f.store->GetInt("Settings", "Line", -1), mode);
        QCOMPARE(frame->Router()->StateOf(Cmd::PhysicalLineNo).checked, mode == 1);
        QCOMPARE(frame->Router()->StateOf(Cmd::LogicalLineNo).checked, mode == 2);
        QCOMPARE(frame->GetActiveView()->m_nGutterWidth > 10, mode != 0);
    }

    void moving()
    {
        QByteArray text = "0123456789012345678901234\n\nshort\n0123456789012345678901234\n";
        Editor e(text + QByteArray("line\n").repeated(200), u"a.txt"_qs);
        QVERIFY(e.Run(Cmd::ToEnd));
        QCOMPARE(e.Caret(), e.Text().size());
        QVERIFY(e.Run(Cmd::ToHead));
        QCOMPARE(e.Caret(), 0);
        e.Select(20, 20);
        QVERIFY(e.Run(Cmd::ToLineEnd));
        QCOMPARE(e.Caret(), 25);
        QVERIFY(e.Run(Cmd::ToLineHead));
        QCOMPARE(e.Caret(), 0);
        QVERIFY(e.Run(Cmd::PageDown));
        QCOMPARE(e.Caret(), DisplayLineStart(*e.view, e.view->VisibleRows()));
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

    void lineJump_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<bool>("logical");
        QTest::addColumn<int>("caret"); // -1: the text end
        QTest::newRow("display line inside a wrapped line") << "3" << false << 5 + 80;
        QTest::newRow("logical line") << "3" << true << 506;
        QTest::newRow("beyond the last line goes to the end") << "99" << false << -1;
    }
    void lineJump()
    {
        QFETCH(QString, number);
        QFETCH(bool, logical);
        QFETCH(int, caret);
        Editor e("aaaa\n" + QByteArray("word ").repeated(100) + "\nthird", u"a.txt"_qs);
        if (caret == 5 + 80)
            caret = DisplayLineStart(*e.view, 2);
        for (int round = 0; round < 2; ++round) {
            WhenModal([&](QWidget *w) {
                auto *d = qobject_cast<CLineJumpDialog *>(w);
                // The dialog opens with the values of the last jump; only numbers from 1 go.
                QCOMPARE(d->m_pLine->text(), round ? number : u"1"_qs);
                QCOMPARE(d->m_pLogical->isChecked(), round && logical);
                d->m_pLine->setText(round ? u"0"_qs : number);
                QCOMPARE(d->m_pJump->isEnabled(), !round);
                d->m_pLogical->setChecked(logical);
                round ? d->reject() : d->accept();
            });
            QVERIFY(e.Run(Cmd::LineJump));
            QCOMPARE(e.Caret(), caret < 0 ? e.Text().size() : caret);
        }
        const QRect r = e.view->cursorRect();
        QVERIFY(r.top() >= 0 && r.bottom() <= e.view->viewport()->height());
    }

    // Line Jump and a double-click on a number in the log pane move the editing pane.
    void fromTheLogPane()
    {
        Editor e("Warning on input line 3.\nnothing here\n", u"a.log"_qs);
        auto *splitter = qobject_cast<QSplitter *>(e.frame->centralWidget());
        COrrindaleDoc texDoc(e.f.context);
        texDoc.ShowUnsavedText(e.f.FilePath("a.tex"), "a\nb\nc\nd\n");
        auto *editor = new COrrindaleView(e.f.context, &texDoc, splitter);
        splitter->addWidget(editor);
        editor->show();
        QCoreApplication::processEvents();
        WhenModal([](QWidget *w) {
            qobject_cast<CLineJumpDialog *>(w)->m_pLine->setText("2");
            qobject_cast<QDialog *>(w)->accept();
        });
        QVERIFY(e.Run(Cmd::LineJump));
        QCOMPARE(editor->textCursor().position(), 2);
        for (const int at : {22, 28}) { // a number, then a word that moves nothing
            QTest::mouseDClick(e.view->viewport(), Qt::LeftButton, {}, RangeRect(e.view, at, at + 1).center());
            QCOMPARE(editor->textCursor().selectedText(), QStringLiteral("c") + QChar(0x2029));
        }
        QCOMPARE(e.view->textCursor().selectedText(), QStringLiteral("nothing"));
        delete editor; // before the document it shows
    }

    void rightClickMenus_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("switchOff");
        QTest::addColumn<int>("english");
        QTest::addColumn<QString>("shown"); // the first item's id of ours, or the copy item
        QTest::newRow("tex: editing menu") << "a.tex" << false << 1 << "32994";
        QTest::newRow("tex, Japanese: editing menu") << "a.tex" << false << 0 << "32992";
        QTest::newRow("switch off: the standard menu") << "a.tex" << true << 1 << "&Copy";
        QTest::newRow("switch off, Japanese: the standard menu in Japanese") << "a.tex" << true << 0 << QString::fromUtf8("コピー(&C)");
        QTest::newRow("calculation menu even with the switch off") << "a.zel" << true << 1 << "33058";
        QTest::newRow("read-me: the standard menu") << "data/ReadMeE.log" << false << 1 << "&Copy";
    }
    void rightClickMenus()
    {
        QFETCH(QString, name);
        QFETCH(bool, switchOff);
        QFETCH(int, english);
        QFETCH(QString, shown);
        Editor e("", u"x.txt"_qs, english);
        QDir(e.f.dir.path()).mkpath("data");
        QVERIFY(e.frame->OpenDocumentFile(e.f.WriteFile(name, "text\n")));
        QVERIFY(e.State(Cmd::RightClickMenu).checked);
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
        QCOMPARE(seen, shown);
    }

    void colourDialog_data()
    {
        QTest::addColumn<bool>("ok");
        QTest::newRow("OK writes and applies") << true;
        QTest::newRow("Cancel keeps the view") << false;
    }
    void colourDialog()
    {
        QFETCH(bool, ok);
        Editor e("{x} TODO\n");
        const ViewColors before = e.f.settings->Colors();
        WhenModal([ok](QWidget *w) {
            auto *d = qobject_cast<CColorSettingsDialog *>(w);
            d->SetChooser([](unsigned &color, CustomColors &custom, QWidget *) {
                color = 0x00FF00;
                custom[3] = 0x123456;
                return true;
            });
            d->Button(1071)->click(); // "{"
            d->Button(1106)->click(); // background
            d->UserStringEdit(0)->setText("TODO");
            d->Button(1081)->click();
            ok ? d->accept() : d->reject();
        });
        QVERIFY(e.Run(Cmd::SetColor));
        const ViewColors stored = LoadViewColors(*e.f.store);
        QCOMPARE(e.f.settings->Colors(), ok ? stored : before);
        QCOMPARE(e.f.store->Keys("Colors").isEmpty(), !ok);
        if (!ok)
            return;
        QCOMPARE(stored.symbols[1], 0x00FF00u);
        QCOMPARE(stored.userStrings[0], QStringLiteral("TODO"));
        QCOMPARE(stored.userColors[0], 0x00FF00u);
        QCOMPARE(LoadCustomColors(*e.f.store)[3], 0x123456u);
        const QImage image = Grab(e.view);
        QCOMPARE(image.pixelColor(image.width() - 5, image.height() - 5), QColor(0, 255, 0));
    }

    void comments_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("caret");
        QTest::newRow("caret inside a line") << 12 << 12 << "line one\n%%line two\nline three\n" << 14;
        QTest::newRow("two whole lines") << 0 << 18 << "%%line one\n%%line two\n%%line three\n" << 24;
    }
    void comments()
    {
        QFETCH(int, from);
        QFETCH(int, to);
        Editor e;
        e.Select(from, to);
        QVERIFY(e.Run(Cmd::AddComment));
        QTEST(e.Text(), "after");
        QTEST(e.Caret(), "caret");
        QCOMPARE(e.History().CurrentIndex(), 1);
    }

    // Line End, Line Head and Add Comment act on the row of a wrapped line the caret is on.
    void wrappedRow()
    {
        const QString line = QStringLiteral("word ").repeated(200);
        Editor e(("first\n" + line + "\n").toUtf8());
        const QTextBlock block = e.view->document()->findBlockByNumber(1);
        QVERIFY(block.layout()->lineCount() > 2);
        const int rowStart = block.position() + block.layout()->lineAt(1).textStart();
        e.Select(rowStart + 3, rowStart + 3);
        QVERIFY(e.Run(Cmd::ToLineEnd));
        QCOMPARE(e.Caret(), block.position() + block.layout()->lineAt(2).textStart() - 1);
        QVERIFY(e.Run(Cmd::ToLineHead));
        QCOMPARE(e.Caret(), rowStart);
        e.Select(rowStart + 3, rowStart + 3);
        QVERIFY(e.Run(Cmd::AddComment));
        QCOMPARE(e.Text(), QString("first\n" + line + "\n").insert(rowStart, u"%%"_qs));
        QCOMPARE(e.Caret(), rowStart + 5);
    }

    // The gutter widens with the digits; in calculation mode a header row of column letters
    // stands over the text and moves with it, only while the line numbers are shown.
    void gutterAndHeader()
    {
        Editor e(QByteArray("1\t2\t3\t").repeated(40) + "\n" + QByteArray("x\n").repeated(97), u"a.zel"_qs);
        QCOMPARE(e.view->m_nLineNumberMode, 1);
        QWidget *header = nullptr;
        for (QWidget *w : e.view->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            if (w->isVisible() && w->y() + w->height() <= e.view->viewport()->y() && w->height() > 0)
                header = w;
        QVERIFY(header);
        QCOMPARE(header->height(), e.view->LineHeight());
        const QImage before = header->grab().toImage();
        QCOMPARE(before.pixelColor(before.width() - 2, 1), QColor(240, 240, 255));
        e.view->horizontalScrollBar()->setValue(60);
        QCoreApplication::processEvents();
        QVERIFY(header->grab().toImage() != before);
        const int twoDigits = e.view->m_nGutterWidth;
        e.Select(int(e.Text().size()), int(e.Text().size()));
        e.view->textCursor().insertText(QStringLiteral("\n\n"));
        QCOMPARE(e.view->LineCount(), 101);
        QVERIFY(e.view->m_nGutterWidth > twoDigits);
        QVERIFY(e.Run(Cmd::PhysicalLineNo));
        QVERIFY(!header->isVisible());
    }

    // The end-of-file mark: behind the last character, or at the left of the row below a final
    // line break; none in an empty text.
    void eofMark_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("empty text shows none") << QByteArray();
        QTest::newRow("behind the last character") << QByteArray("abc");
        QTest::newRow("after a final line break: the row below") << QByteArray("abc\n");
    }
    void eofMark()
    {
        QFETCH(QByteArray, text);
        Editor e(text, u"a.txt"_qs);
        ViewColors colors = e.f.settings->Colors();
        colors.symbols.fill(0); // nothing else in the mark colour but line ends
        e.f.settings->SetColors(colors, DefaultCustomColors());
        e.view->clearFocus();
        QTextCursor end(e.view->document());
        end.movePosition(QTextCursor::End);
        const QRect at = e.view->cursorRect(end);
        const QImage image = Grab(e.view);
        QCOMPARE(HasColorIn(image, QRect(at.left(), at.top() + 1, 16, at.height() - 2), kMark), !text.isEmpty());
        QVERIFY(!HasColorIn(image, QRect(0, at.bottom() + 1, image.width(), image.height()), kMark));
    }

    void colourDialogResetsAtOnce()
    {
        ViewColors c = DefaultViewColors();
        c.text = 0x0000FF;
        c.userStrings[2] = QStringLiteral("abc");
        CustomColors custom = DefaultCustomColors();
        custom[0] = 1;
        FrameFixture f;
        SaveColorSettings(*f.store, c, custom);
        CColorSettingsDialog d(*f.store, true);
        QCOMPARE(d.UserStringEdit(2)->text(), QStringLiteral("abc"));
        d.Button(1107)->click();
        QCOMPARE(d.Colors(), DefaultViewColors());
        QCOMPARE(d.Custom(), DefaultCustomColors());
        QVERIFY(d.UserStringEdit(2)->text().isEmpty());
        for (const char *section : {"ColorTB", "Colors", "ColorCust"})
            QVERIFY(f.store->Keys(section).isEmpty());
    }

    void removeCommentLines_data()
    {
        QTest::addColumn<bool>("english");
        QTest::addColumn<MsgAnswer>("answer");
        QTest::addColumn<QString>("question");
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
        QCOMPARE(e.f.prompter.Texts(), QStringList{*static_cast<QString *>(QTest::qData("question", QMetaType::QString))});
        QCOMPARE(e.f.prompter.messages.first().buttons, MsgButtons::OkCancel);
        QCOMPARE(e.Text(), answer == MsgAnswer::Ok ? u"keep\n  %indented"_qs : QString::fromUtf8(text));
        QCOMPARE(e.History().CurrentIndex(), answer == MsgAnswer::Ok ? 1 : 0);
        QVERIFY(!e.Run(Cmd::Undo) || e.Text() == QString::fromUtf8(text));
    }

    void templateReplacesTheSelection()
    {
        Editor e("A\nold text\nZ\n");
        e.Select(2, 10);
        QVERIFY(e.Run(Cmd::EnvItemize));
        const TemplateText t = EnvironmentTemplate(EnvTemplate::Itemize, false);
        QCOMPARE(e.Text(), "A\n" + t.text + "\nZ\n");
        QCOMPARE(e.Caret(), 2 + t.caretOffset);
        QCOMPARE(e.History().CurrentIndex(), 1);
    }

    // The page opens in the associated program, else in firefox, else in another browser.
    void webSearch_data()
    {
        QTest::addColumn<QList<bool>>("results");
        QTest::addColumn<QStringList>("programs"); // after the page itself
        QTest::newRow("the associated program") << QList<bool>{true} << QStringList{};
        QTest::newRow("firefox") << QList<bool>{false, true} << QStringList{"firefox"};
        QTest::newRow("nothing starts: a message") << QList<bool>{false, false, false} << QStringList{"firefox", "x-www-browser"};
    }
    void webSearch()
    {
        QFETCH(QList<bool>, results);
        QFETCH(QStringList, programs);
        Editor e("find c++ tables");
        QVERIFY(!e.Enabled(Cmd::WebSearch));
        e.Select(5, 15);
        e.f.launcher.startResults.append(results);
        QVERIFY(e.Run(Cmd::WebSearch));
        QStringList started;
        for (const FakeLauncher::Call &c : e.f.launcher.calls)
            started << c.program;
        const QString url = WebSearchUrl("c++ tables").toString(QUrl::FullyEncoded);
        QCOMPARE(started, QStringList{url} + programs);
        QCOMPARE(e.f.prompter.Texts(), results.last() ? QStringList() : QStringList{MsgText(Msg::WebSearchFailed, false).arg(url)});
    }

    void tabStops_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<bool>("english");
        QTest::addColumn<MsgAnswer>("answer");
        QTest::addColumn<QString>("question");
        QTest::addColumn<int>("after");
        QTest::newRow("8 to 4") << 8 << false << MsgAnswer::Ok << QString::fromUtf8("タブ幅を現在の 8 文字（既定）から\n 4 文字（半角）に設定します。") << 4;
        QTest::newRow("4 back to 8") << 4 << false << MsgAnswer::Ok << QString::fromUtf8("タブ幅を現在の 4 文字から\n 既定の 8 文字（半角）に戻します。") << 8;
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
        e.view->m_nTabWidth = width;
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
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("replace");
        QTest::addColumn<bool>("english");
        QTest::newRow("F1, English") << int(Qt::Key_F1) << false << true;
        QTest::newRow("Ctrl+F") << (Qt::CTRL | Qt::Key_F).toCombined() << false << false;
        QTest::newRow("F2, English") << int(Qt::Key_F2) << true << true;
        QTest::newRow("Ctrl+R") << (Qt::CTRL | Qt::Key_R).toCombined() << true << false;
    }
    void bars()
    {
        QFETCH(int, key);
        QFETCH(bool, replace);
        QFETCH(bool, english);
        Editor e("alpha beta\n", u"doc.tex"_qs, english);
        // However long the remembered texts, the bars fit the window.
        for (QComboBox *history : {e.Find()->m_pSearch, e.Replace()->m_pSearch, e.Replace()->m_pReplacement})
            history->addItem(QStringLiteral("a long search text ").repeated(20));
        e.frame->resize(1200, 600);
        QApplication::setActiveWindow(e.frame.get());
        QVERIFY(QTest::qWaitForWindowActive(e.frame.get()));
        e.frame->Router()->RefreshActions();
        e.Select(0, 5);
        const QKeyCombination combination = QKeyCombination::fromCombined(key);
        QTest::keyClick(e.view, combination.key(), combination.keyboardModifiers());
        QToolBar *host = replace ? e.frame->ReplaceBarHost() : e.frame->FindBarHost();
        QToolBar *other = replace ? e.frame->FindBarHost() : e.frame->ReplaceBarHost();
        QVERIFY(!host->isHidden());
        QCOMPARE((replace ? e.Replace()->m_pSearch : e.Find()->m_pSearch)->currentText(), u"alpha"_qs);
        QVERIFY((replace ? static_cast<QWidget *>(e.Replace()) : e.Find())->minimumSizeHint().width() <= 1200 - 40);
        QCOMPARE(e.frame->width(), 1200);
        QComboBox *history = replace ? e.Replace()->m_pReplacement : e.Find()->m_pSearch;
        QTest::keyClick(history, Qt::Key_Down); // opens the history list
        QVERIFY(history->view()->isVisible());
        history->hidePopup();
        QVERIFY(e.Run(replace ? Cmd::Find : Cmd::Replace));
        QVERIFY(host->isHidden() && !other->isHidden());
        QVERIFY(e.Run(replace ? Cmd::Find : Cmd::Replace));
        QVERIFY(other->isHidden());
        QCOMPARE(e.frame->focusWidget(), e.view);
    }

    // Next and Prev walk through the matches and start again at the other end; the search
    // text goes on top of both histories.
    void search_data()
    {
        QTest::addColumn<bool>("forward");
        QTest::addColumn<bool>("matchCase");
        QTest::addColumn<QList<int>>("starts"); // -1: not found, caret at the other end
        QTest::newRow("forward, case ignored") << true << false << QList<int>{0, 6, 12, -1, 0};
        QTest::newRow("forward, case counts") << true << true << QList<int>{0, 12, -1, 0};
        QTest::newRow("backward, case ignored") << false << false << QList<int>{12, 6, 0, -1, 12};
    }
    void search()
    {
        QFETCH(bool, forward);
        QFETCH(bool, matchCase);
        QFETCH(QList<int>, starts);
        Editor e("ab cd AB cd ab");
        for (QComboBox *history : {e.Find()->m_pSearch, e.Replace()->m_pSearch})
            history->addItems({"AB", "other"});
        e.Select(forward ? 0 : 14, forward ? 0 : 14);
        QVERIFY(e.Run(Cmd::Find));
        e.Find()->m_pSearch->setEditText("ab");
        e.Find()->m_pMatchCase->setChecked(matchCase);
        for (int start : starts) {
            (forward ? e.Find()->m_pNext : e.Find()->m_pPrev)->click();
            const int end = forward ? 0 : 14;
            QCOMPARE(e.Selection(), start < 0 ? qMakePair(end, end) : qMakePair(start, start + 2));
        }
        QCOMPARE(e.Replace()->m_pSearch->itemText(0), u"ab"_qs);
        QCOMPARE(e.Find()->m_pSearch->count(), 2); // the find bar's history ignores case
        QCOMPARE(e.Replace()->m_pSearch->count(), 3);
        // Closed, the search goes on with Repeat Find.
        QVERIFY(!e.Enabled(Cmd::RepeatFindReplace));
        e.Find()->m_pClose->click();
        QVERIFY(e.Run(Cmd::RepeatFindReplace));
        QCOMPARE(e.Selection().second - e.Selection().first, 2);
    }

    // A line found far away stands on screen row 2 from the top, or with two whole rows below
    // it; with the continuity switch the focus stays on the bar for the next search. The
    // button back goes to the position recorded before.
    void foundLinePlace_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<bool>("fromBelow");
        QTest::addColumn<bool>("continuity");
        QTest::newRow("far below, continuity on") << 150 << false << true;
        QTest::newRow("far above, continuity off") << 20 << true << false;
    }
    void foundLinePlace()
    {
        QFETCH(int, line);
        QFETCH(bool, fromBelow);
        QFETCH(bool, continuity);
        QByteArray text;
        for (int i = 0; i < 200; ++i)
            text += (i == line ? "needle" : "hay " + QByteArray::number(i)) + "\n";
        Editor e(text);
        e.view->SetWordWrap(false, false);
        const int from = e.view->document()->findBlockByNumber(fromBelow ? 185 : 3).position() + 1;
        e.Select(from, from + 2);
        e.view->ScrollToLine(fromBelow ? 180 : 0);
        QVERIFY(e.Run(Cmd::Find));
        const int top = e.view->FirstVisibleLine();
        e.Find()->m_pRecord->click();
        e.Find()->m_pSearch->setEditText(QStringLiteral("needle"));
        e.Find()->m_pContinuity->setChecked(continuity);
        QPushButton *go = fromBelow ? e.Find()->m_pPrev : e.Find()->m_pNext;
        go->setFocus();
        go->click();
        QCOMPARE(e.view->textCursor().block().blockNumber(), line);
        QCOMPARE(e.frame->focusWidget() == e.view, !continuity);
        const QRect caret = e.view->cursorRect();
        const int rows = e.view->viewport()->height() / caret.height();
        QVERIFY(rows > 6);
        QCOMPARE(fromBelow ? caret.top() / caret.height() : rows - 1 - caret.top() / caret.height(), 2);
        e.Find()->m_pBackToStart->click();
        QCOMPARE(e.Selection(), qMakePair(from, from + 2));
        QCOMPARE(e.view->FirstVisibleLine(), top);
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
        QVERIFY(e.Run(Cmd::RepeatFindReplace));
        QVERIFY(!e.frame->ReplaceBarHost()->isHidden());
        QCOMPARE(e.Text().count(u'Q'), 2);
    }

    // Every save marks the saved text, whether it makes a backup or not.
    void undo_data()
    {
        QTest::addColumn<bool>("backup");
        QTest::newRow("backup on") << true;
        QTest::newRow("backup off") << false;
    }
    void undo()
    {
        QFETCH(bool, backup);
        Editor e;
        if (!backup)
            e.frame->GetDocument()->ToggleBackupMode();
        QCOMPARE(e.frame->GetDocument()->BackupMode(), backup);
        e.Select(5, 5);
        QTest::keyClick(e.view, Qt::Key_X);
        QVERIFY(e.Modified() && e.Enabled(Cmd::Undo) && !e.Enabled(Cmd::UndoForward));
        QVERIFY(e.Run(Cmd::Undo));
        QCOMPARE(e.Text(), QString::fromLatin1(kText));
        QVERIFY(!e.Modified() && !e.Enabled(Cmd::Undo));
        QVERIFY(e.Run(Cmd::UndoForward));
        QCOMPARE(e.Text(), u"line xone\nline two\nline three\n"_qs);
        // Saved, the text is unmodified again where it was saved.
        QVERIFY(e.Run(Cmd::FileSave));
        QTest::keyClick(e.view, Qt::Key_B);
        QVERIFY(e.Run(Cmd::Undo));
        QVERIFY(!e.Modified());
        QVERIFY(e.Run(Cmd::Undo));
        QVERIFY(e.Modified());
        // Reading a file in starts the history again.
        QVERIFY(e.frame->OpenDocumentFile(e.f.WriteFile("other.txt", "other\n")));
        QVERIFY(!e.Enabled(Cmd::Undo) && e.History().TopIndex() == 0);
    }

    // One change of the selected text is one snapshot, however the widget gets there; Undo
    // brings the selection back.
    void changeOfASelection_data()
    {
        QTest::addColumn<int>("how");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("index");
        QTest::newRow("typing over") << 0 << "line Xe\nline two\nline three\n" << 1;
        QTest::newRow("backspace") << 1 << "line e\nline two\nline three\n" << 1;
        QTest::newRow("delete") << 2 << "line e\nline two\nline three\n" << 1;
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
        QApplication::setActiveWindow(e.frame.get());
        QVERIFY(QTest::qWaitForWindowActive(e.frame.get()));
        e.frame->Router()->RefreshActions();
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
        QCOMPARE(e.Text(), QString::fromLatin1(kText));
        QCOMPARE(e.Selection(), qMakePair(5, 7));
        QTest::keyClick(e.view, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(e.Text(), after);
    }

    // A change that leaves the caret where the current snapshot's selection began is the
    // passing state of typing over that selection: no snapshot of its own, but saved and
    // undone all the same.
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
        Editor e;
        e.Select(5, 8);
        e.Select(caret, caret);
        QTest::keyClicks(e.view, typed);
        QTEST(e.History().CurrentIndex(), "index");
        const QString typedText = e.Text();
        QVERIFY(e.Run(Cmd::FileSave));
        QVERIFY(e.Run(Cmd::Undo));
        QCOMPARE(e.Text(), QString::fromLatin1(kText));
        QVERIFY(e.Modified());
        QVERIFY(e.Run(Cmd::UndoForward));
        QCOMPARE(e.Text(), typedText);
        QVERIFY(!e.Modified());
    }

    // A snapshot comes back with its first visible line and selection.
    void undoRestoresThePlace()
    {
        Editor e(QByteArray("line\n").repeated(300));
        e.view->ScrollToLine(120);
        const int top = e.view->FirstVisibleLine();
        const int at = e.view->document()->findBlockByNumber(top + 3).position();
        e.Select(at, at);
        QTest::keyClick(e.view, Qt::Key_Z);
        QTest::keyClick(e.view, Qt::Key_X);
        e.Select(at, at + 4);
        e.view->ScrollToLine(0);
        QVERIFY(e.Run(Cmd::Undo));
        QCOMPARE(e.view->FirstVisibleLine(), top);
        QCOMPARE(e.Selection(), qMakePair(at + 1, at + 1));
        QVERIFY(e.Run(Cmd::UndoForward));
        QCOMPARE(e.Selection(), qMakePair(at, at + 4));
    }

    // Random edits of every size and kind, then all the way back and forward: every step shows
    // a state the text had, in order.
    void randomEditsComeBackExactly()
    {
        Editor e(QString::fromUtf8("一行目\n二行目 abc\n\n😀 end").toUtf8());
        QRandomGenerator rng(7);
        const QStringList pieces{"x", "\n", u"漢字"_qs, "two\nlines\n", QString::fromUtf8("😁"), ""};
        QStringList states{e.Text()};
        for (int i = 0; i < 60; ++i) {
            const int a = rng.bounded(int(e.Text().size()) + 1);
            e.Select(a, std::min(int(e.Text().size()), a + rng.bounded(6)));
            const int kind = rng.bounded(4);
            if (kind < 2)
                QTest::keyClick(e.view, kind ? Qt::Key_Return : Qt::Key_Backspace);
            else
                e.view->textCursor().insertText(pieces.at(rng.bounded(pieces.size())));
            if (e.Text() != states.last())
                states << e.Text();
        }
        QStringList shown{e.Text()};
        while (e.Run(Cmd::Undo))
            shown << e.Text();
        QCOMPARE(shown.last(), states.first());
        qsizetype at = states.size() - 1;
        for (const QString &text : shown)
            QVERIFY2((at = states.lastIndexOf(text, at)) >= 0, "no state of the text, or out of order");
        for (qsizetype i = shown.size() - 2; i >= 0; --i) {
            QVERIFY(e.Run(Cmd::UndoForward));
            QCOMPARE(e.Text(), shown.at(i));
        }
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
        QVERIFY(e.Replace()->m_pUndo->isEnabled());
        e.Replace()->m_pUndo->click();
        QCoreApplication::processEvents();
        QCOMPARE(e.Text(), QString::fromLatin1(kText));
        QVERIFY(e.Enabled(Cmd::UndoForward) && e.Replace()->m_pUndoForward->isEnabled());
        second->OnInitialUpdate(); // a new pane's set-up keeps the history
        QTest::keyClick(e.view, Qt::Key_W);
        QCOMPARE(e.History().CurrentIndex(), 1);
        QCOMPARE(e.History().TopIndex(), 1);
    }
};

QTEST_MAIN(TestEditorView)
#include "tst_editorview.moc"
