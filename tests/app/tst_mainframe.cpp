#include "support/Columns.h"
#include "support/EditorFixture.h"
#include "app/ui/COrrindaleDoc.h"
#include "app/ui/FontMapping.h"
#include "res/Resources.h"
#include "view/ui/FindReplaceBars.h"

#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

namespace {
// A menu as (depth, text, id) lines, separators as "-", submenus as "[title]"; items collects
// the commands' actions.
void Flatten(const QList<QAction *> &actions, int depth, QStringList &out, QList<QAction *> &items)
{
    for (QAction *a : actions) {
        out << QStringLiteral("%1 ").arg(depth)
                + (a->isSeparator() ? QStringLiteral("-")
                   : a->menu()      ? QLatin1Char('[') + a->text() + QLatin1Char(']')
                                    : a->text() + QStringLiteral(" %1").arg(ActionId(a)));
        if (a->menu())
            Flatten(a->menu()->actions(), depth + 1, out, items);
        else if (!a->isSeparator())
            items << a;
    }
}

bool Checked(CMainFrame &frame, Cmd cmd)
{
    return frame.Router()->StateOf(cmd).checked;
}
} // namespace

// The main window's wiring: menus, keys and bars from the tables, the file commands, the
// window and the status bar. The rules behind them are tested in the core.
class TestMainFrame : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void menusAndKeysFollowTheTables_data()
    {
        Columns<bool>({"english"});
        QTest::newRow("japanese") << false;
        QTest::newRow("english") << true;
    }
    void menusAndKeysFollowTheTables()
    {
        QFETCH(bool, english);
        FrameFixture f;
        f.SetEnglish(english);
        auto frame = f.MakeFrame();
        QStringList shown, table;
        QList<QAction *> items;
        QHash<QByteArray, int> pictures; // each button's own, drawn sharp at twice the size
        for (QAction *a : frame->MainToolBar()->actions() + frame->TeXBar()->actions()) {
            if (ActionId(a) == 0) // widgets on the bars are no commands
                continue;
            items << a;
            QCOMPARE(a->toolTip(), ToolTipOf(ActionId(a), english));
            const QImage image = a->icon().pixmap(QSize(16, 16), 2.0).toImage();
            const QByteArray bits(reinterpret_cast<const char *>(image.constBits()), image.sizeInBytes());
            QVERIFY2(image.size() == QSize(32, 32) && bits.count('\0') < bits.size() * 15 / 16 && pictures.value(bits, ActionId(a)) == ActionId(a), qPrintable(a->toolTip()));
            pictures.insert(bits, ActionId(a));
        }
        Flatten(frame->menuBar()->actions(), 0, shown, items);
        for (const MenuEntry &e : MenuTable(MenuResource::Main, english))
            table << QStringLiteral("%1 ").arg(e.depth)
                    + (e.kind == MenuEntryKind::Separator ? QStringLiteral("-")
                       : e.kind == MenuEntryKind::Popup   ? QStringLiteral("[%1]").arg(QString::fromUtf8(e.text))
                                                          : QStringLiteral("%1 %2").arg(QString::fromUtf8(e.text)).arg(e.id));
        QCOMPARE(shown, table);
        QHash<QString, int> bound;
        for (QAction *a : frame->actions())
            bound.insert(a->shortcut().toString(QKeySequence::PortableText), ActionId(a));
        for (const AccelEntry &a : AccelTable(english))
            QVERIFY2(bound.value(QString::fromLatin1(a.key)) == a.id, a.key);
        // Items that no command answers are disabled; the rest is live.
        frame->Router()->RefreshActions();
        int enabled = 0;
        for (QAction *a : items) {
            const std::optional<Cmd> cmd = CommandForId(ActionId(a));
            QVERIFY2((cmd && frame->Router()->IsHandled(*cmd)) || !a->isEnabled(), qPrintable(a->text()));
            enabled += a->isEnabled();
        }
        QVERIFY(enabled >= 10);
    }

    void editorKeysGoToAccelerators_data()
    {
        Columns<QString, int>({"file", "panes"});
        // Log Column is offered for TeX files only; elsewhere its key must not reach the
        // editor, whose own Ctrl+K would delete to the end of the line.
        QTest::newRow("disabled command swallows its key") << "a.txt" << 1;
        QTest::newRow("enabled command runs in an inactive window") << "a.tex" << 2;
    }
    void editorKeysGoToAccelerators()
    {
        QFETCH(QString, file);
        QFETCH(int, panes);
        FrameFixture f;
        f.WriteFile("a.log", "log\n");
        auto frame = f.MakeFrame();
        QVERIFY(frame->OpenDocumentFile(f.WriteFile(file, "first line\nsecond\n")));
        QVERIFY(!frame->isActiveWindow()); // as after a dialog closed without a window manager
        QTest::keyClick(frame->GetActiveView(), Qt::Key_K, Qt::ControlModifier);
        QCOMPARE(frame->GetDocument()->TextDocument()->toPlainText(), "first line\nsecond\n");
        QCOMPARE(frame->findChildren<COrrindaleView *>().size(), panes);
    }

    void idsAndLanguage()
    {
        FrameFixture f;
        {
            auto frame = f.MakeFrame();
            QVERIFY(frame->OpenDocumentFile(f.WriteFile("a.tex", "x\n")));
            frame->show();
            QVERIFY(frame->Router()->Execute(IdsOf(Cmd::TeXBar).japaneseId));
            QVERIFY(!frame->TeXBar()->isVisible());
            QVERIFY(frame->Router()->Execute(IdsOf(Cmd::TeXBar).englishId));
            QVERIFY(frame->TeXBar()->isVisible());
            // Without an active pane its commands are off; the window's own stay on.
            frame->Router()->SetViewProvider([] { return nullptr; });
            QVERIFY(!frame->Router()->StateOf(Cmd::SelectAll).enabled && !RunCommand(*frame, Cmd::SelectAll));
            QVERIFY(frame->Router()->StateOf(Cmd::TeXBar).enabled);
            QVERIFY(RunCommand(*frame, Cmd::SwitchLanguage));
            QCOMPARE(frame->statusBar()->currentMessage(), QStringLiteral("次回の起動から、メニューとメッセージが英語になります。"));
            QCOMPARE(frame->menuBar()->actions().at(1)->text(), QStringLiteral("ﾌｧｲﾙ(&F)"));
        }
        f.Restart(); // the switch takes effect at the next start
        auto frame = f.MakeFrame();
        QCOMPARE(frame->menuBar()->actions().at(1)->text(), QStringLiteral("File(&F)"));
        QCOMPARE(frame->GetDocument()->Title(), QStringLiteral("Untitled"));
    }

    // The line pane follows every new layout, not only caret moves: the first one, a resize,
    // word wrap switched.
    void linePaneFollowsLayout()
    {
        FrameFixture f;
        auto frame = f.MakeFrame();
        QVERIFY(frame->OpenDocumentFile(f.WriteFile("long.txt", QByteArray(600, 'x'))));
        frame->GetActiveView()->moveCursor(QTextCursor::End); // a .txt wraps its words
        frame->resize(600, 400);
        frame->show();
        QVERIFY(QTest::qWaitForWindowActive(frame.get())); // no focus change comes later
        QTRY_VERIFY(!frame->LinePane()->text().startsWith("1 "));
        const QString narrow = frame->LinePane()->text();
        frame->resize(1200, 400);
        QTRY_VERIFY(frame->LinePane()->text() != narrow);
        frame->GetActiveView()->SetWordWrap(false);
        QTRY_VERIFY(frame->LinePane()->text().startsWith("1 "));
        // The lock keys show where the platform tells them (X11), and are hidden elsewhere.
        QCOMPARE(frame->findChild<QWidget *>("59137")->isHidden(), QGuiApplication::platformName() != "xcb");
    }

    // The find bars start hidden with the stored histories; closing stores the window, the
    // histories and the caret, which the next start puts back.
    void closeStoresWhatTheNextStartReads()
    {
        FrameFixture f({"-w0"});
        f.store->WriteString("Find", "List0", "\\section");
        f.store->WriteString("Find", "List1", "表");
        f.store->WriteString("Find", "List3", "after a gap");
        const QString path = f.WriteFile("a.tex", "line one\nline two\n");
        {
            auto frame = f.MakeFrame();
            frame->show();
            QVERIFY(!frame->FindBar()->isVisible() && !frame->ReplaceBar()->isVisible());
            QCOMPARE(frame->FindBar()->m_pSearch->count(), 2); // up to the first empty value
            QVERIFY(frame->OpenDocumentFile(path));
            frame->ReplaceBar()->m_pReplacement->addItem(QStringLiteral("thread"));
            QTextCursor c = frame->GetActiveView()->textCursor();
            c.setPosition(12);
            frame->GetActiveView()->setTextCursor(c);
            frame->setGeometry(50, 60, 700, 500);
            QVERIFY(frame->close());
            QCOMPARE(f.store->GetInt("Settings", "wndW", -1), 700);
        }
        QCOMPARE(f.store->GetString("Find", "List1"), QStringLiteral("表"));
        QCOMPARE(f.store->GetString("Replace", "List0"), QStringLiteral("thread"));
        f.Restart();
        auto frame = f.MakeFrame();
        QVERIFY(frame->OpenDocumentFile(path));
        QCOMPARE(frame->GetActiveView()->textCursor().position(), 12);
    }

    void saveFailureKeepsTextModified()
    {
        FrameFixture f;
        const QString path = f.WriteFile("ro.tex", "old\n");
        auto frame = f.MakeFrame();
        QVERIFY(frame->OpenDocumentFile(path));
        QFile::setPermissions(path, QFile::ReadOwner);
        frame->GetActiveView()->insertPlainText(QStringLiteral("new "));
        QVERIFY(!frame->GetDocument()->DoFileSave());
        QVERIFY(f.prompter.messages.size() == 1 && f.prompter.messages.first().text.contains(path));
        QVERIFY(frame->GetDocument()->IsModified());
        QCOMPARE(frame->GetActiveView()->toPlainText(), QStringLiteral("new old\n"));
        QCOMPARE(ReadFile(path), "old\n");
        QVERIFY(!QFileInfo::exists(path + ".bak"));
    }

    // Changed text survives a file that cannot be opened and a recent file given up at the
    // question; only No lets it go.
    void changedTextIsKept()
    {
        FrameFixture f;
        auto frame = f.MakeFrame();
        QVERIFY(frame->OpenDocumentFile(f.WriteFile("b.tex", "B\n")));
        const QString a = f.WriteFile("a.tex", "A\n");
        QVERIFY(frame->OpenDocumentFile(a)); // the list is now a, b
        frame->GetActiveView()->insertPlainText(QStringLiteral("changed "));
        QVERIFY(!frame->OpenDocumentFile(f.WriteFile("c.tex", QByteArray("ab\0cd", 5))));
        f.prompter.answers << MsgAnswer::Cancel << MsgAnswer::No;
        frame->OnRecentFile(1);
        QCOMPARE(f.prompter.messages.size(), 2);
        QCOMPARE(f.prompter.messages.last().buttons, MsgButtons::YesNoCancel);
        QCOMPARE(frame->GetActiveView()->toPlainText(), QStringLiteral("changed A\n"));
        QCOMPARE(frame->GetDocument()->PathName(), a);
        QVERIFY(frame->GetDocument()->IsModified());
        frame->OnRecentFile(1); // No: the changes go
        QCOMPARE(frame->GetActiveView()->toPlainText(), QStringLiteral("B\n"));
        QVERIFY(!frame->GetDocument()->IsModified());
    }

    // Each kind of file is shown as it is meant to be edited.
    void fileTypesPrepared_data()
    {
        // expected: calc, tab, read-only, colouring, line numbers, wrap; line numbers of the next TeX file
        Columns<QStringList, QString, QByteArray, QList<int>>({"arguments", "name", "text", "expected"});
        QTest::newRow("zel with a settings line") << QStringList{} << "t.zel" << QByteArray("%% TAB=12\tCOL=1\t\n1\t2\n") << QList<int>{1, 12, 0, 1, 1, 0, 1};
        QTest::newRow("log") << QStringList{} << "a.log" << QByteArray("This is pTeX\n") << QList<int>{0, 8, 1, 0, 0, 1, 2};
        QTest::newRow("tex in the viewer: no numbers") << QStringList{"-m0"} << "a.tex" << QByteArray("x\n") << QList<int>{0, 8, 0, 1, 0, 1, 0};
    }
    void fileTypesPrepared()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, name);
        QFETCH(QByteArray, text);
        QFETCH(QList<int>, expected);
        FrameFixture f(arguments);
        f.store->WriteInt("Settings", "Line", 2);
        auto frame = f.MakeFrame();
        COrrindaleView *view = frame->GetActiveView();
        const auto shown = [&] {
            const int numbers = Checked(*frame, Cmd::PhysicalLineNo) ? 1 : Checked(*frame, Cmd::LogicalLineNo) ? 2 : 0;
            const int tab = qRound(view->tabStopDistance() / view->fontMetrics().horizontalAdvance(' '));
            return QList<int>{Checked(*frame, Cmd::CalcMode), tab, view->isReadOnly(), Checked(*frame, Cmd::Coloring), numbers,
                              view->lineWrapMode() != QPlainTextEdit::NoWrap};
        };
        QVERIFY(frame->OpenDocumentFile(f.WriteFile(name, text)));
        QCOMPARE(shown(), expected.mid(0, 6));
        // The next TeX file is edited as text again; a table leaves physical line numbers on.
        QVERIFY(frame->OpenDocumentFile(f.WriteFile("next.tex", "x\n")));
        const QList<int> next = shown();
        QCOMPARE(next.first(), 0);
        QCOMPARE(next.mid(2), (QList<int>{0, 1, expected.last(), 1}));
    }

    // Save on an untitled document asks for a name, makes no backup, and the window follows
    // the new name: a .tex file can be compiled at once.
    void untitledSaveGoesToSaveAs()
    {
        FrameFixture f;
        auto frame = f.MakeFrame();
        frame->GetActiveView()->insertPlainText(QStringLiteral("新しい文書\n"));
        QVERIFY(!frame->Router()->StateOf(Cmd::TeXCompile).enabled);
        const QString target = f.FilePath("new.tex");
        f.prompter.saveAnswers << target;
        QVERIFY(RunCommand(*frame, Cmd::FileSave));
        QCOMPARE(f.prompter.saveFilters.size(), 1);
        QCOMPARE(frame->GetDocument()->Title(), QStringLiteral("new.tex"));
        QCOMPARE(QString::fromUtf8(ReadFile(target)), QStringLiteral("新しい文書\n"));
        QVERIFY(!QFileInfo::exists(target + ".bak"));
        QVERIFY(frame->Router()->StateOf(Cmd::TeXCompile).enabled);
    }

    void newAndOpenWindowStartTheProgram()
    {
        FrameFixture f;
        auto frame = f.MakeFrame();
        const QString doc = f.WriteFile("my notes.tex", "x\n");
        f.prompter.openAnswers << doc;
        f.launcher.startResults << true << false; // the second one cannot be started
        QVERIFY(RunCommand(*frame, Cmd::NewWindow) && RunCommand(*frame, Cmd::OpenWindow));
        QCOMPARE(f.launcher.calls.size(), 2);
        QCOMPARE(f.launcher.calls[0].program, f.context.programPath);
        QCOMPARE(f.launcher.calls[0].arguments, QStringList({"-w1"}));
        QCOMPARE(f.launcher.calls[1].arguments, QStringList({"-w1", "my notes.tex"}));
        QCOMPARE(f.launcher.calls[1].workDir, QFileInfo(doc).absolutePath());
        QCOMPARE(f.prompter.Texts(), QStringList{"Failed to open the another file"}); // English in both languages
    }

    // The chosen font is stored and shown, in a CJK monospace face where the machine lacks it.
    void fonts()
    {
        FrameFixture f;
        auto frame = f.MakeFrame();
        f.prompter.fontAnswers << LogFont{-20, 400, 0, 49, 128, QStringLiteral("ＭＳ ゴシック")};
        QVERIFY(RunCommand(*frame, Cmd::Font));
        QCOMPARE(f.store->GetInt("Font", "Height", 0), -20);
        const QFont shown = frame->GetActiveView()->font();
        QVERIFY(shown.pixelSize() == 20 && shown.families().value(0) == CjkMonospaceFamily());
        QVERIFY(RunCommand(*frame, Cmd::Font)); // cancelled: nothing changes
        QCOMPARE(frame->GetActiveView()->font().pixelSize(), 20);
    }

};

QTEST_MAIN(TestMainFrame)
#include "tst_mainframe.moc"
