#include "support/FrameFixture.h"
#include "app/SettingsKeys.h"
#include "app/ui/CMainFrame.h"
#include "app/ui/COrrindaleDoc.h"
#include "app/ui/COrrindaleView.h"
#include "app/ui/CPaneSplitter.h"
#include "app/ui/CommandRouter.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QScrollBar>
#include <QSplitter>
#include <QStringDecoder>
#include <QTest>
#include <QTextBlock>

using Layout = CPaneSplitter::Layout;
using Cmds = QList<Cmd>;
using Views = QList<COrrindaleView *>;

namespace {
QByteArray Fixture(const QString &name)
{
    QFile f(QStringLiteral(VELLOQUIN_FIXTURES_DIR "/logpane/") + name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The log as the pane should show it: the fixture is a Shift_JIS log with CR-LF.
QString ExpectedLog()
{
    QStringDecoder sjis("windows-31j");
    QString text = sjis.decode(Fixture("report.log"));
    return text.replace("\r\n", "\n");
}

// A shown window of a fixed size with report.tex open and, unless told, its log beside it.
std::unique_ptr<CMainFrame> OpenReport(FrameFixture &f, bool withLog = true)
{
    const QString tex = f.WriteFile("report.tex", Fixture("report.tex"));
    if (withLog)
        f.WriteFile("report.log", Fixture("report.log"));
    auto frame = f.MakeFrame();
    frame->resize(900, 700);
    frame->show();
    QApplication::setActiveWindow(frame.get()); // focus moves between the panes as on a screen
    if (!frame->OpenDocumentFile(tex))
        return nullptr;
    return frame;
}

COrrindaleView *Pane(CMainFrame &frame, int index) { return frame.Panes()->Pane(index); }
int TopRow(const COrrindaleView *view) { return view->verticalScrollBar()->value(); }
QString Text(const COrrindaleView *view) { return view->document()->toPlainText(); }

// Scrolls the pane to top and puts the caret on line.
void Place(COrrindaleView *view, int top, int line)
{
    view->ScrollToLine(top);
    view->setTextCursor(QTextCursor(view->document()->findBlockByNumber(line)));
    view->ScrollToLine(top);
}

bool Coloured(CMainFrame &frame, COrrindaleView *pane)
{
    frame.Panes()->SetActivePane(pane);
    return frame.Router()->StateOf(Cmd::Coloring).checked;
}
} // namespace

// The two panes of the window: splits, the log pane and the commands that depend on the
// compile target. The pane arithmetic itself is tested in the core.
class TestPanes : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void splitRowActivatesThePaneOfTheCaret_data()
    {
        QTest::addColumn<bool>("caretLow");
        QTest::newRow("caret near the top") << false;
        QTest::newRow("caret at the bottom row") << true;
    }
    void splitRowActivatesThePaneOfTheCaret()
    {
        QFETCH(bool, caretLow);
        FrameFixture f;
        auto frame = OpenReport(f, false);
        QVERIFY(frame);
        COrrindaleView *upper = frame->GetActiveView();
        upper->ScrollToLine(60);
        const int top = TopRow(upper);
        Place(upper, 60, caretLow ? top + upper->VisibleRows() - 1 : top + 1);
        const int caret = upper->SelectionStart();
        QVERIFY(RunCommand(*frame, Cmd::SplitRow));
        COrrindaleView *lower = Pane(*frame, 1);
        QCOMPARE(Pane(*frame, 0), upper);
        QCOMPARE(frame->GetActiveView(), caretLow ? lower : upper);
        QCOMPARE(frame->GetActiveView()->SelectionStart(), caret);
        QVERIFY(frame->GetActiveView()->hasFocus());
        QCOMPARE(frame->GetDocument()->Views(), (Views{upper, lower}));
        // The lower pane continues half a window further down, over the same text.
        QVERIFY(TopRow(lower) > TopRow(upper));
        QCOMPARE(lower->document(), upper->document());
    }


    void resizeKeepsEqualHalves()
    {
        FrameFixture f;
        auto frame = OpenReport(f);
        QVERIFY(frame && RunCommand(*frame, Cmd::LogRow));
        frame->resize(1000, 760);
        QCoreApplication::processEvents();
        const QList<int> sizes = frame->findChild<QSplitter *>()->sizes();
        QVERIFY2(sizes.size() == 2 && std::abs(sizes[0] - sizes[1]) <= 1, qPrintable(QString::number(sizes[0])));
    }

    // The newly active editor becomes the document's first view, never the log.
    void activatedPaneBecomesFirstView()
    {
        FrameFixture f;
        auto frame = OpenReport(f);
        QVERIFY(frame);
        COrrindaleView *left = frame->GetActiveView();
        QVERIFY(RunCommand(*frame, Cmd::SplitColumn));
        COrrindaleView *right = Pane(*frame, 1);
        Q_EMIT right->FocusGained();
        QCOMPARE(frame->GetActiveView(), right);
        QCOMPARE(frame->GetDocument()->Views(), (Views{right, left}));
        QVERIFY(RunCommand(*frame, Cmd::SplitColumn));
        QVERIFY(RunCommand(*frame, Cmd::LogColumn));
        const Views order = frame->GetDocument()->Views();
        Q_EMIT Pane(*frame, 0)->FocusGained();
        QCOMPARE(frame->GetDocument()->Views(), order);
        QCOMPARE(order.last(), Pane(*frame, 0));
    }

    void logCommandsWithoutLogDoNothing()
    {
        FrameFixture f;
        auto frame = OpenReport(f, false);
        QVERIFY(frame && RunCommand(*frame, Cmd::SplitColumn));
        for (Cmd cmd : {Cmd::LogColumn, Cmd::LogRow})
            QVERIFY(RunCommand(*frame, cmd));
        QCOMPARE(frame->Panes()->CurrentLayout(), Layout::Columns); // not even the split is touched
        QVERIFY(f.prompter.messages.isEmpty());
    }

    // The TeX commands are enabled when the compile target is a ".tex" or ".TEX" file.

    void fileCommandsUnsplit_data()
    {
        QTest::addColumn<Cmd>("split");
        QTest::addColumn<QString>("command");
        QTest::newRow("split row, new") << Cmd::SplitRow << "new";
        QTest::newRow("log column, open") << Cmd::LogColumn << "open";
        QTest::newRow("log row, recent file") << Cmd::LogRow << "recent";
    }
    void fileCommandsUnsplit()
    {
        QFETCH(Cmd, split);
        QFETCH(QString, command);
        FrameFixture f;
        const QString other = f.WriteFile("other.txt", "other text\n");
        auto frame = OpenReport(f);
        QVERIFY(frame && frame->OpenDocumentFile(other));
        QVERIFY(frame->OpenDocumentFile(f.FilePath("report.tex")));
        QVERIFY(RunCommand(*frame, split));
        f.prompter.openAnswers << other;
        if (command == "recent")
            frame->OnRecentFile(1); // the list holds report.tex, then other.txt
        else
            QVERIFY(RunCommand(*frame, command == "new" ? Cmd::FileNew : Cmd::FileOpen));
        QCOMPARE(frame->Panes()->PaneCount(), 1);
        COrrindaleView *view = Pane(*frame, 0);
        QVERIFY(!view->IsLogPane() && !view->isReadOnly());
        QCOMPARE(frame->GetDocument()->Views(), Views{view});
        QCOMPARE(Text(view), command == "new" ? QString() : QStringLiteral("other text\n"));
        QVERIFY(!frame->GetDocument()->IsModified());
    }

    // The caret memory is the editor's, even when the log pane has the focus.
    void storeCaretLeavesTheLogPane()
    {
        FrameFixture f;
        auto frame = OpenReport(f);
        QVERIFY(frame && RunCommand(*frame, Cmd::LogColumn));
        COrrindaleView *log = Pane(*frame, 0);
        COrrindaleView *editor = Pane(*frame, 1);
        Place(editor, 90, 150); // the memory takes the top line, not this caret
        frame->Panes()->SetActivePane(log);
        frame->StoreCaret();
        QCOMPARE(frame->GetActiveView(), editor);
        const QString path = frame->GetDocument()->PathName();
        const int line = editor->FirstVisibleLine();
        QVERIFY(line > 0);
        QCOMPARE(f.store->GetInt("Caret", path + "cL", -1), editor->document()->findBlockByNumber(line).position());
        QCOMPARE(f.store->GetInt("Caret", path + "cH", -1), line);
    }

    // A log switched to writable is still the log: typing into it leaves the document alone.

    void splitCommandsToggleAndSwitch_data()
    {
        QTest::addColumn<Cmds>("commands");
        QTest::addColumn<Layout>("layout");
        QTest::addColumn<bool>("logFirst");
        QTest::newRow("split row twice") << Cmds{Cmd::SplitRow, Cmd::SplitRow} << Layout::Single << false;
        QTest::newRow("row split, then column") << Cmds{Cmd::SplitRow, Cmd::SplitColumn} << Layout::Columns << false;
        QTest::newRow("log column twice") << Cmds{Cmd::LogColumn, Cmd::LogColumn} << Layout::Single << false;
        QTest::newRow("log row, then log column") << Cmds{Cmd::LogRow, Cmd::LogColumn} << Layout::Columns << true;
        QTest::newRow("log column, then split row") << Cmds{Cmd::LogColumn, Cmd::SplitRow} << Layout::Rows << false;
        QTest::newRow("column split, then log row") << Cmds{Cmd::SplitColumn, Cmd::LogRow} << Layout::Rows << true;
        QTest::newRow("row split, then log row only joins") << Cmds{Cmd::SplitRow, Cmd::LogRow} << Layout::Single << false;
    }
    void splitCommandsToggleAndSwitch()
    {
        QFETCH(Cmds, commands);
        QFETCH(Layout, layout);
        QFETCH(bool, logFirst);
        FrameFixture f;
        auto frame = OpenReport(f);
        QVERIFY(frame);
        frame->GetActiveView()->insertPlainText(QStringLiteral("% edited\n"));
        const QString text = Text(frame->GetActiveView());
        for (Cmd cmd : commands)
            QVERIFY(RunCommand(*frame, cmd));
        QCOMPARE(frame->Panes()->CurrentLayout(), layout);
        const int count = layout == Layout::Single ? 1 : 2;
        QCOMPARE(frame->findChild<QSplitter *>()->count(), count);
        QCOMPARE(Pane(*frame, 0)->IsLogPane(), logFirst);
        QCOMPARE(Pane(*frame, 0)->isReadOnly(), logFirst);
        // The editors keep the text, the document its state; removed panes leave the list.
        for (int i = logFirst ? 1 : 0; i < count; ++i)
            QVERIFY(!Pane(*frame, i)->isReadOnly() && Text(Pane(*frame, i)) == text);
        QVERIFY(frame->GetDocument()->IsModified());
        QCOMPARE(frame->GetDocument()->Views().size(), count);
        QCOMPARE(frame->GetDocument()->Views().first(), Pane(*frame, logFirst ? 1 : 0));
    }

    void unsplitKeepsTheActivePane_data()
    {
        QTest::addColumn<Cmd>("split");
        QTest::addColumn<int>("active");
        QTest::newRow("rows, lower active") << Cmd::SplitRow << 1;
        QTest::newRow("columns, left active") << Cmd::SplitColumn << 0;
    }
    void unsplitKeepsTheActivePane()
    {
        QFETCH(Cmd, split);
        QFETCH(int, active);
        FrameFixture f;
        auto frame = OpenReport(f, false);
        QVERIFY(frame);
        COrrindaleView *first = frame->GetActiveView();
        Place(first, 70, 75);
        const int topBefore = TopRow(first);
        const int caret = first->SelectionStart();
        QVERIFY(RunCommand(*frame, split));
        if (split == Cmd::SplitColumn) {
            // Columns show the same lines unwrapped; the new pane's caret is at its top line.
            COrrindaleView *right = Pane(*frame, 1);
            QCOMPARE(right->FirstVisibleLine(), first->FirstVisibleLine());
            QCOMPARE(right->SelectionStart(), right->document()->findBlockByNumber(right->FirstVisibleLine()).position());
            QCOMPARE(frame->GetActiveView(), first);
            QCOMPARE(first->SelectionStart(), caret);
            QVERIFY(first->lineWrapMode() == QPlainTextEdit::NoWrap && right->lineWrapMode() == QPlainTextEdit::NoWrap);
        }
        COrrindaleView *keep = Pane(*frame, active);
        frame->Panes()->SetActivePane(keep);
        QVERIFY(RunCommand(*frame, split));
        QCOMPARE(frame->Panes()->PaneCount(), 1);
        QCOMPARE(Pane(*frame, 0), keep);
        QCOMPARE(frame->GetActiveView(), keep);
        QCOMPARE(frame->GetDocument()->Views(), Views{keep});
        QCOMPARE(keep->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        // The lower pane of a row split returns to where the window was.
        if (split == Cmd::SplitRow && active == 1)
            QCOMPARE(TopRow(keep), topBefore);
    }

    void logPaneShowsTheTargetLog()
    {
        FrameFixture f;
        auto frame = OpenReport(f);
        QVERIFY(frame);
        COrrindaleView *editor = frame->GetActiveView();
        Place(editor, 0, 120);
        editor->insertPlainText(QStringLiteral("% note\n"));
        const int caret = editor->SelectionStart();
        const QString text = Text(editor);
        QVERIFY(RunCommand(*frame, Cmd::LogColumn));
        COrrindaleView *log = Pane(*frame, 0);
        QVERIFY(log->IsLogPane() && log->isReadOnly());
        QCOMPARE(Text(log), ExpectedLog());
        QCOMPARE(log->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        QVERIFY(TopRow(log) > 0); // a long log opens towards its end
        // The editor is the same widget, still active, with its caret in view, text and state.
        QCOMPARE(Pane(*frame, 1), editor);
        QCOMPARE(frame->GetActiveView(), editor);
        QCOMPARE(editor->SelectionStart(), caret);
        QVERIFY(editor->cursorRect().top() >= 0 && editor->cursorRect().bottom() <= editor->viewport()->height());
        QCOMPARE(Text(editor), text);
        QVERIFY(frame->GetDocument()->IsModified());
        QCOMPARE(frame->GetDocument()->Views(), (Views{editor, log}));
        // The log is shown plain; the editor keeps its colours.
        QVERIFY(!Coloured(*frame, log));
        QVERIFY(!frame->Router()->StateOf(Cmd::PhysicalLineNo).checked && !frame->Router()->StateOf(Cmd::LogicalLineNo).checked);
        QVERIFY(Coloured(*frame, editor));
        // Saving writes the text, never the log.
        QVERIFY(frame->GetDocument()->DoFileSave());
        QFile saved(f.FilePath("report.tex")), logFile(f.FilePath("report.log"));
        QVERIFY(saved.open(QIODevice::ReadOnly) && logFile.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(saved.readAll()), text);
        QCOMPARE(logFile.readAll(), Fixture("report.log"));
    }

    // The TeX commands are enabled when the compile target is a ".tex" or ".TEX" file.
    void texCommandsFollowTheTarget_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("another");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("tex") << "a.tex" << "" << true;
        QTest::newRow("mixed case Tex") << "a.Tex" << "" << false;
        QTest::newRow("text file compiling a tex master") << "a.txt" << "master.tex" << true;
        QTest::newRow("tex file compiling a text file") << "a.tex" << "notes.txt" << false;
    }
    void texCommandsFollowTheTarget()
    {
        QFETCH(QString, name);
        QFETCH(QString, another);
        QFETCH(bool, enabled);
        FrameFixture f;
        auto frame = f.MakeFrame();
        const QString path = f.WriteFile(name, "text\n");
        if (!another.isEmpty())
            f.store->WriteString("TeXFile", path, f.FilePath(another));
        QVERIFY(frame->OpenDocumentFile(path));
        CommandRouter *r = frame->Router();
        for (Cmd cmd : {Cmd::LogColumn, Cmd::LogRow, Cmd::TeXCompile, Cmd::DviShow, Cmd::PdfShow, Cmd::TeXPdfShow,
                        Cmd::TeXPdfMake, Cmd::PdfPaperSize, Cmd::MakeIndexOptions})
            QVERIFY2(r->StateOf(cmd).enabled == enabled, IdsOf(cmd).name);
        for (Cmd cmd : {Cmd::SplitRow, Cmd::RegistAnotherFile, Cmd::ChangeCompiler, Cmd::SelectMakeIndex})
            QVERIFY2(r->StateOf(cmd).enabled, IdsOf(cmd).name);
        QCOMPARE(r->StateOf(Cmd::UnregistAnotherFile).enabled, !another.isEmpty());
    }

    // A log switched to writable is still the log: typing into it leaves the document alone.
    void writableLogPaneStaysTheLog()
    {
        FrameFixture f;
        auto frame = OpenReport(f);
        QVERIFY(frame);
        const QString text = Text(frame->GetActiveView());
        QVERIFY(RunCommand(*frame, Cmd::LogColumn));
        COrrindaleView *log = Pane(*frame, 0);
        COrrindaleView *editor = Pane(*frame, 1);
        frame->Panes()->SetActivePane(log);
        QVERIFY(RunCommand(*frame, Cmd::ReadWrite));
        QVERIFY(!log->isReadOnly());
        frame->Panes()->SetActivePane(editor);
        log->setFocus();
        QCOMPARE(frame->Panes()->ActivePane(), log);
        QCOMPARE(frame->GetDocument()->Views().first(), editor);
        QTest::keyClicks(log, QStringLiteral("zz"));
        QVERIFY(Text(log).contains(QStringLiteral("zz")));
        QVERIFY(!frame->GetDocument()->IsModified());
        QVERIFY(RunCommand(*frame, Cmd::SplitRow)); // the log goes, the editor is split
        QCOMPARE(frame->Panes()->CurrentLayout(), Layout::Rows);
        for (int i = 0; i < 2; ++i)
            QVERIFY(!Pane(*frame, i)->IsLogPane() && Text(Pane(*frame, i)) == text);
    }

    // Another file to compile: registered, read again in a new window, and removed.
    void anotherFileRoundTrip()
    {
        FrameFixture f;
        QDir(f.dir.path()).mkpath("chapters");
        QDir(f.dir.path()).mkpath("main");
        const QString chapter = f.WriteFile("chapters/one.txt", "\\section{One}\n");
        const QString master = f.WriteFile("main/book.tex", "\\begin{document}\n");
        f.WriteFile("main/book.log", Fixture("report.log"));
        f.WriteFile("chapters/one.log", "the chapter's own log\n");
        {
            auto frame = f.MakeFrame();
            QVERIFY(frame->OpenDocumentFile(chapter));
            QVERIFY(!frame->Router()->StateOf(Cmd::TeXCompile).enabled);
            QVERIFY(RunCommand(*frame, Cmd::RegistAnotherFile)); // cancelled: nothing registered
            QVERIFY(!f.store->Contains("TeXFile", chapter));
            f.prompter.openAnswers << master;
            QVERIFY(RunCommand(*frame, Cmd::RegistAnotherFile));
            QCOMPARE(f.prompter.openFilters.last(), QStringLiteral("TeX files (*.tex)|*.tex||"));
            QCOMPARE(f.store->GetString("TeXFile", chapter), master);
            QVERIFY(frame->Router()->StateOf(Cmd::TeXCompile).enabled);
            QVERIFY(RunCommand(*frame, Cmd::LogColumn));
            QCOMPARE(Text(Pane(*frame, 0)), ExpectedLog()); // the master's log
        }
        f.Restart();
        auto frame = f.MakeFrame();
        QVERIFY(frame->OpenDocumentFile(chapter));
        QVERIFY(frame->Router()->StateOf(Cmd::TeXCompile).enabled);
        QVERIFY(RunCommand(*frame, Cmd::UnregistAnotherFile));
        QVERIFY(!f.store->Contains("TeXFile", chapter));
        QVERIFY(!frame->Router()->StateOf(Cmd::UnregistAnotherFile).enabled);
        QVERIFY(!frame->Router()->StateOf(Cmd::TeXCompile).enabled);
    }

    void winTpicStartsOrExplains_data()
    {
        QTest::addColumn<bool>("english");
        QTest::addColumn<bool>("installed");
        QTest::addColumn<QList<bool>>("starts"); // answers of the program start, then the opener
        QTest::newRow("installed, cannot start, english") << true << true << QList<bool>{false, false};
        QTest::newRow("missing, japanese") << false << false << QList<bool>{};
    }
    void winTpicStartsOrExplains()
    {
        QFETCH(bool, english);
        QFETCH(bool, installed);
        QFETCH(QList<bool>, starts);
        FrameFixture f;
        f.SetEnglish(english);
        auto frame = f.MakeFrame();
        QDir(f.dir.path()).mkpath("docs");
        QVERIFY(frame->OpenDocumentFile(f.WriteFile("docs/a.tex", "x\n")));
        const QString program = ReadSetting(*f.store, Keys::InstDir) + QStringLiteral("/WinTpic/wtpic.exe");
        if (installed)
            QVERIFY(QDir().mkpath(QFileInfo(program).path()) && QFile(program).open(QIODevice::WriteOnly));
        f.launcher.startResults.append(starts);
        QVERIFY(RunCommand(*frame, Cmd::WinTpic));
        QCOMPARE(f.launcher.calls.size(), starts.size());
        if (installed) {
            QCOMPARE(f.launcher.calls.first().kind, FakeLauncher::Call::Detached);
            QCOMPARE(QDir::cleanPath(f.launcher.calls.first().program), QDir::cleanPath(program));
            QCOMPARE(f.launcher.calls.first().workDir, f.FilePath("docs") + QLatin1Char('/'));
        }
        const QString shown = QDir::toNativeSeparators(QDir::cleanPath(program));
        const QString expected = english ? QStringLiteral("Failed to find WinTpic (wtpic.exe) !\n Please install as [%1]")
                                         : QStringLiteral("TeX 用描画ソフト WinTpic がありません！\n %1 にインストールして下さい。");
        QCOMPARE(f.prompter.Texts(), QStringList{expected.arg(shown)});
    }

    // The command prompt opens where the compile runs: the registered master's folder.
    void commandPromptOpensInTargetFolder_data()
    {
        QTest::addColumn<bool>("terminalInstalled");
        QTest::newRow("terminal found") << true;
        QTest::newRow("no terminal") << false;
    }
    void commandPromptOpensInTargetFolder()
    {
        QFETCH(bool, terminalInstalled);
        const QByteArray path = qgetenv("PATH"), terminal = qgetenv("TERMINAL");
        const auto restore = qScopeGuard([&] {
            qputenv("PATH", path);
            terminal.isNull() ? void(qunsetenv("TERMINAL")) : void(qputenv("TERMINAL", terminal));
        });
        FrameFixture f;
        f.SetEnglish(true);
        QDir(f.dir.path()).mkpath("bin");
        const QString fake = f.WriteFile("bin/x-terminal-emulator", "#!/bin/sh\n");
        if (terminalInstalled)
            QFile::setPermissions(fake, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("PATH", QFile::encodeName(f.FilePath("bin")));
        qunsetenv("TERMINAL");
        auto frame = f.MakeFrame();
        const QString chapter = f.WriteFile("one.tex", "x\n");
        f.store->WriteString("TeXFile", chapter, f.FilePath("main/book.tex"));
        QVERIFY(frame->OpenDocumentFile(chapter));
        QVERIFY(RunCommand(*frame, Cmd::CommandPrompt));
        QCOMPARE(f.launcher.calls.size(), terminalInstalled ? 1 : 0);
        if (terminalInstalled) {
            QCOMPARE(f.launcher.calls.first().program, fake);
            QCOMPARE(f.launcher.calls.first().workDir, f.FilePath("main") + QLatin1Char('/'));
        }
        QCOMPARE(f.prompter.Texts(), terminalInstalled ? QStringList() : QStringList{
            "No command prompt could be started: no terminal program was found.\n"
            "Install one (for example xterm) or name it in the environment variable TERMINAL."});
    }
};

QTEST_MAIN(TestPanes)
#include "tst_panes.moc"
