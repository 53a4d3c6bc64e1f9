#include "support/FrameFixture.h"
#include "app/ui/CMainFrame.h"
#include "app/ui/COrrindaleApp.h"
#include "app/ui/COrrindaleDoc.h"
#include "app/ui/COrrindaleView.h"
#include "app/ui/CPaneSplitter.h"
#include "app/ui/CommandRouter.h"
#include "app/ui/FontMapping.h"
#include "res/Messages.h"
#include "res/Resources.h"
#include "view/ui/FindReplaceBars.h"

#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QTranslator>

#include <utime.h>

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

QString Read(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QStringLiteral("<none>");
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
        QTest::addColumn<bool>("english");
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
        for (QAction *a : frame->MainToolBar()->actions() + frame->TeXBar()->actions())
            if (ActionId(a) != 0) // widgets on the bars are no commands
                items << a;
        Flatten(frame->menuBar()->actions(), 0, shown, items);
        for (const MenuEntry &e : MenuTable(MenuResource::Main, english))
            table << QStringLiteral("%1 ").arg(e.depth)
                    + (e.kind == MenuEntryKind::Separator ? QStringLiteral("-")
                       : e.kind == MenuEntryKind::Popup   ? QStringLiteral("[%1]").arg(QString::fromUtf8(e.text))
                                                          : QStringLiteral("%1 %2").arg(QString::fromUtf8(e.text)).arg(e.id));
        QCOMPARE(shown, table);
        for (QAction *a : frame->MainToolBar()->actions())
            if (!a->isSeparator())
                QCOMPARE(a->toolTip(), ToolTipOf(ActionId(a), english));
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
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("panes");
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
            QVERIFY(!frame->Router()->Execute(32803)); // no command answers it
            QVERIFY(RunCommand(*frame, Cmd::SwitchLanguage));
            QCOMPARE(frame->menuBar()->actions().at(1)->text(), QStringLiteral("ﾌｧｲﾙ(&F)"));
        }
        f.Restart(); // the switch takes effect at the next start
        auto frame = f.MakeFrame();
        QCOMPARE(frame->menuBar()->actions().at(1)->text(), QStringLiteral("File(&F)"));
        QCOMPARE(frame->GetDocument()->Title(), QStringLiteral("Untitled"));
        // The standard buttons of message boxes follow the interface language.
        for (const bool english : {false, true}) {
            QVERIFY(COrrindaleApp::InstallQtTexts(english));
            QMessageBox box(QMessageBox::Question, QString(), QString(), QMessageBox::Cancel);
            QCOMPARE(box.button(QMessageBox::Cancel)->text().remove('&'), QString::fromUtf8(english ? "Cancel" : "キャンセル"));
            for (QTranslator *t : qApp->findChildren<QTranslator *>())
                QCoreApplication::removeTranslator(t);
        }
    }

    void viewerWindowHasNoBars()
    {
        FrameFixture f({"-w1", "-w0", "-m0", "ReadMe.log"});
        auto frame = f.MakeFrame();
        frame->show();
        for (QWidget *bar : QList<QWidget *>{frame->menuBar(), frame->MainToolBar(), frame->TeXBar(), frame->statusBar()})
            QVERIFY(!bar->isVisible());
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

    void statusPanes()
    {
        FrameFixture f; // Japanese
        auto frame = f.MakeFrame();
        frame->resize(500, 400);
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame.get()));
        COrrindaleView *view = frame->GetActiveView();
        view->setPlainText(QString(400, 'x') + QStringLiteral("\nsecond"));
        view->moveCursor(QTextCursor::End);
        frame->UpdateStatusPanes();
        QCOMPARE(frame->SizePane()->text(), QStringLiteral("407 バイト"));
        QCOMPARE(frame->InsertPane()->text(), QStringLiteral("挿入"));
        QVERIFY(RunCommand(*frame, Cmd::InsertMode));
        QVERIFY(view->overwriteMode());
        QCOMPARE(frame->InsertPane()->text(), QStringLiteral("上書"));
        view->SetWordWrap(false);
        frame->UpdateStatusPanes();
        QCOMPARE(frame->LinePane()->text(), QString::fromUtf8("2 行, 6 列 [ 407 文字]"));
        QVERIFY(RunCommand(*frame, Cmd::SplitRow));
        QVERIFY(frame->Panes()->Pane(1)->overwriteMode()); // a new pane takes the window's mode
    }

    void saveCommand_data()
    {
        QTest::addColumn<bool>("english");
        QTest::newRow("japanese: Save always enabled") << false;
        QTest::newRow("english: Save greyed while unmodified") << true;
    }
    void saveCommand()
    {
        QFETCH(bool, english);
        FrameFixture f;
        f.SetEnglish(english);
        const QByteArray sjis("\x95\x5c\x83\x5c\r\nold\r\n", 10); // 表ソ in Shift_JIS with CR-LF
        const QString path = f.WriteFile("doc.tex", sjis);
        auto frame = f.MakeFrame();
        QVERIFY(frame->OpenDocumentFile(path));
        QCOMPARE(frame->Router()->StateOf(Cmd::FileSave).enabled, !english);
        frame->GetActiveView()->moveCursor(QTextCursor::End);
        frame->GetActiveView()->insertPlainText(QStringLiteral("新\u00a0x")); // no-break space kept
        QVERIFY(RunCommand(*frame, Cmd::FileSave));
        QCOMPARE(Read(path), QStringLiteral("表ソ\nold\n新\u00a0x"));
        QFile backup(path + ".bak");
        QVERIFY(backup.open(QIODevice::ReadOnly));
        QCOMPARE(backup.readAll(), sjis);
        QVERIFY(!frame->GetDocument()->IsModified());
        QVERIFY(f.prompter.messages.isEmpty());
        // Without backups the next save makes none.
        QVERIFY(Checked(*frame, Cmd::BackupMode));
        QVERIFY(RunCommand(*frame, Cmd::BackupMode));
        QVERIFY(!Checked(*frame, Cmd::BackupMode));
        QVERIFY(QFile::remove(path + ".bak"));
        frame->GetActiveView()->insertPlainText(QStringLiteral("y"));
        QVERIFY(RunCommand(*frame, Cmd::FileSave));
        QVERIFY(!QFileInfo::exists(path + ".bak"));
        QVERIFY(!frame->Router()->StateOf(Cmd::DeleteBackup).enabled);
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
        QCOMPARE(f.prompter.messages.size(), 1);
        QVERIFY(f.prompter.messages.first().text.contains(path));
        QVERIFY(frame->GetDocument()->IsModified());
        QCOMPARE(frame->GetActiveView()->toPlainText(), QStringLiteral("new old\n"));
        QCOMPARE(Read(path), QStringLiteral("old\n"));
        QVERIFY(!QFileInfo::exists(path + ".bak"));
    }

    void checkFileChangedAsksAgainAfterNo()
    {
        FrameFixture f;
        const QString path = f.WriteFile("c.tex", "first\n");
        const auto setTime = [&](time_t t) {
            utimbuf times{t, t};
            utime(QFile::encodeName(path).constData(), &times);
        };
        setTime(1'000'000'000);
        auto frame = f.MakeFrame();
        QVERIFY(frame->OpenDocumentFile(path));
        frame->CheckFileChanged();
        QVERIFY(f.prompter.messages.isEmpty()); // unchanged on disk: no question
        f.WriteFile("c.tex", "second\n");
        setTime(1'000'000'100);
        f.prompter.answers << MsgAnswer::No << MsgAnswer::Yes;
        frame->CheckFileChanged();
        QCOMPARE(frame->GetActiveView()->toPlainText(), QStringLiteral("first\n"));
        frame->CheckFileChanged();
        QCOMPARE(frame->GetActiveView()->toPlainText(), QStringLiteral("second\n"));
        QCOMPARE(f.prompter.Texts(), QStringList(2, MsgText(Msg::FileChangedQuestion, false)));
        QCOMPARE(f.prompter.messages.last().icon, MsgIcon::Exclamation);
        // Neither the reloaded file nor a save from this window asks again.
        frame->CheckFileChanged();
        frame->GetActiveView()->insertPlainText(QStringLiteral("x"));
        QVERIFY(frame->GetDocument()->DoFileSave());
        frame->CheckFileChanged();
        QCOMPARE(f.prompter.messages.size(), 2);
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
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("text");
        // calc, tab, read-only, colouring, line numbers, wrap; line numbers of the next TeX file
        QTest::addColumn<QList<int>>("expected");
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

    void texBarFollowsTheDocument_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("registered");
        QTest::addColumn<bool>("shown");
        QTest::newRow("log hides") << "a.log" << false << false;
        QTest::newRow("registered txt shows") << "a.txt" << true << true;
    }
    void texBarFollowsTheDocument()
    {
        QFETCH(QString, name);
        QFETCH(bool, registered);
        QFETCH(bool, shown);
        FrameFixture f;
        const QString path = f.WriteFile(name, "x\n");
        if (registered)
            f.store->WriteString("TeXFile", path, f.FilePath("main.tex"));
        auto frame = f.MakeFrame();
        frame->show();
        f.prompter.openAnswers << path;
        QVERIFY(RunCommand(*frame, Cmd::FileOpen));
        QCOMPARE(frame->TeXBar()->isVisible(), shown);
    }

    // The open dialog offers the document's own kind first.
    void openFilterFollowsTheDocument()
    {
        FrameFixture f;
        auto frame = f.MakeFrame();
        QVERIFY(frame->OpenDocumentFile(f.WriteFile("a.zel", "x\n")));
        QVERIFY(RunCommand(*frame, Cmd::FileOpen)); // cancelled: nothing happens
        QCOMPARE(f.prompter.openFilters.value(0).section('|', 0, 0), QStringLiteral("Zel files (*.zel )"));
        QCOMPARE(frame->GetDocument()->PathName(), f.FilePath("a.zel"));
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
        QCOMPARE(Read(target), QStringLiteral("新しい文書\n"));
        QVERIFY(!QFileInfo::exists(target + ".bak"));
        QVERIFY(frame->Router()->StateOf(Cmd::TeXCompile).enabled);
    }

    void newAndOpenWindowStartTheProgram()
    {
        FrameFixture f;
        auto frame = f.MakeFrame();
        const QString doc = f.WriteFile("my notes.tex", "x\n");
        f.prompter.openAnswers << doc << doc;
        QVERIFY(RunCommand(*frame, Cmd::NewWindow));
        QVERIFY(RunCommand(*frame, Cmd::OpenWindow));
        QCOMPARE(f.launcher.calls.size(), 2);
        QCOMPARE(f.launcher.calls[0].program, f.context.programPath);
        QCOMPARE(f.launcher.calls[0].arguments, QStringList({"-w1"}));
        QCOMPARE(f.launcher.calls[1].arguments, QStringList({"-w1", "my notes.tex"}));
        QCOMPARE(f.launcher.calls[1].workDir, QFileInfo(doc).absolutePath());
        // A program that cannot be started is reported, in English in both languages.
        f.launcher.startResults << false << false;
        QVERIFY(RunCommand(*frame, Cmd::NewWindow));
        QVERIFY(RunCommand(*frame, Cmd::OpenWindow));
        QCOMPARE(f.prompter.Texts(), QStringList({"Failed to open the another new file", "Failed to open the another file"}));
    }

    void setWindowStoresOrResets_data()
    {
        QTest::addColumn<MsgAnswer>("answer");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("stored");
        QTest::newRow("ok, big enough") << MsgAnswer::Ok << QSize(700, 500) << true;
        QTest::newRow("cancel") << MsgAnswer::Cancel << QSize(700, 500) << false;
    }
    void setWindowStoresOrResets()
    {
        QFETCH(MsgAnswer, answer);
        QFETCH(QSize, size);
        QFETCH(bool, stored);
        FrameFixture f;
        auto frame = f.MakeFrame();
        frame->setMinimumSize(1, 1);
        frame->setGeometry(QRect(QPoint(40, 50), size));
        f.prompter.answers << answer;
        QVERIFY(RunCommand(*frame, Cmd::SetWindow));
                QCOMPARE(f.prompter.messages.first().text, MsgText(Msg::SetWindowQuestion, false));
        QCOMPARE(f.prompter.messages.first().buttons, MsgButtons::OkCancel);
        const QSize expected = stored ? size : DefaultWindowRect(frame->Metrics()).size();
        QCOMPARE(f.store->GetInt("Settings", "wndDefW", -1), expected.width());
        frame->setGeometry(10, 10, 300, 300);
        QVERIFY(RunCommand(*frame, Cmd::RestoreWindow));
        QCOMPARE(frame->geometry().size(), expected);
    }

    void fonts()
    {
        FrameFixture f;
        auto frame = f.MakeFrame();
        const LogFont chosen{-20, 400, 0, 49, 128, frame->GetActiveView()->font().family()};
        f.prompter.fontAnswers << chosen;
        QVERIFY(RunCommand(*frame, Cmd::Font));
        QCOMPARE(f.store->GetInt("Font", "Height", 0), -20);
        QCOMPARE(frame->GetActiveView()->font().pixelSize(), 20);
        QVERIFY(RunCommand(*frame, Cmd::Font)); // cancelled: nothing changes
        QCOMPARE(frame->GetActiveView()->font().pixelSize(), 20);
        // A face the machine lacks falls back to a CJK monospace font of the same size.
        const QFont font = FontFromLogFont(LogFont{-16, 700, 0, 49, 128, QStringLiteral("ＭＳ ゴシック")});
        QCOMPARE(font.families().value(0), CjkMonospaceFamily());
        QCOMPARE(font.pixelSize(), 16);
        QVERIFY(font.bold());
    }
};

QTEST_MAIN(TestMainFrame)
#include "tst_mainframe.moc"
