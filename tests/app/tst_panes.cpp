#include "support/Columns.h"
#include "support/EditorFixture.h"
#include "app/SettingsKeys.h"
#include "app/ui/COrrindaleDoc.h"
#include "app/ui/CPaneSplitter.h"

#include <QApplication>
#include <QDir>
#include <QFile>
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
    return ReadFile(QStringLiteral(VELLOQUIN_FIXTURES_DIR "/logpane/") + name);
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
} // namespace

// The two panes of the window: splits, the log pane and the commands that depend on the
// compile target. The pane arithmetic itself is tested in the core.
class TestPanes : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fileCommandsUnsplit_data()
    {
        Columns<Cmd, QString>({"split", "command"});
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

    void splitCommandsToggleAndSwitch_data()
    {
        Columns<Cmds, Layout, bool>({"commands", "layout", "logFirst"});
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
        Columns<Cmd, int>({"split", "active"});
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
        if (split == Cmd::SplitColumn) // columns show the same lines, unwrapped; the caret stays
            QVERIFY(Pane(*frame, 1)->FirstVisibleLine() == first->FirstVisibleLine() && first->lineWrapMode() == QPlainTextEdit::NoWrap
                    && first->SelectionStart() == caret);
        COrrindaleView *keep = Pane(*frame, active);
        frame->Panes()->SetActivePane(keep);
        QVERIFY(RunCommand(*frame, split));
        QCOMPARE(frame->Panes()->PaneCount(), 1);
        QCOMPARE(Pane(*frame, 0), keep);
        QCOMPARE(frame->GetActiveView(), keep);
        QCOMPARE(frame->GetDocument()->Views(), Views{keep});
        QCOMPARE(keep->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        if (split == Cmd::SplitRow && active == 1) // the lower pane returns to where the window was
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
        QVERIFY(TopRow(log) > 0); // a long log opens towards its end
        // The editor is the same widget, still active, with its caret in view, text and state.
        QVERIFY(Pane(*frame, 1) == editor && frame->GetActiveView() == editor && editor->SelectionStart() == caret);
        QVERIFY(editor->cursorRect().top() >= 0 && editor->cursorRect().bottom() <= editor->viewport()->height());
        QCOMPARE(Text(editor), text);
        QVERIFY(frame->GetDocument()->IsModified());
        QCOMPARE(frame->GetDocument()->Views(), (Views{editor, log}));
        frame->Panes()->SetActivePane(log);
        QVERIFY(!frame->Router()->StateOf(Cmd::Coloring).checked); // the log is shown plain
        // Saving writes the text, never the log.
        QVERIFY(frame->GetDocument()->DoFileSave());
        QCOMPARE(QString::fromUtf8(ReadFile(f.FilePath("report.tex"))), text);
        QCOMPARE(ReadFile(f.FilePath("report.log")), Fixture("report.log"));
    }

    // Another file to compile: registered, read again in a new window, and removed.
    void anotherFileRoundTrip()
    {
        FrameFixture f;
        QDir(f.dir.path()).mkpath("chapters/../main");
        const QString chapter = f.WriteFile("chapters/one.txt", "\\section{One}\n");
        const QString master = f.WriteFile("main/book.tex", "\\begin{document}\n");
        f.WriteFile("main/book.log", Fixture("report.log"));
        f.WriteFile("chapters/one.log", "the chapter's own log\n");
        {
            auto frame = f.MakeFrame();
            QVERIFY(frame->OpenDocumentFile(chapter));
            QVERIFY(!frame->Router()->StateOf(Cmd::TeXCompile).enabled);
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
        QVERIFY(!frame->Router()->StateOf(Cmd::UnregistAnotherFile).enabled && !frame->Router()->StateOf(Cmd::TeXCompile).enabled);
    }

    // WinTpic starts in the document's folder; when it is missing, a message says where it goes.
    void winTpicStartsOrExplains()
    {
        FrameFixture f;
        auto frame = f.MakeFrame();
        QDir(f.dir.path()).mkpath("docs");
        QVERIFY(frame->OpenDocumentFile(f.WriteFile("docs/a.tex", "x\n")));
        const QString program = ReadSetting(*f.store, Keys::InstDir) + QStringLiteral("/WinTpic/wtpic.exe");
        QVERIFY(RunCommand(*frame, Cmd::WinTpic));
        QCOMPARE(f.launcher.calls.size(), 0);
        QCOMPARE(f.prompter.Texts(), QStringList{QStringLiteral("TeX 用描画ソフト WinTpic がありません！\n %1 にインストールして下さい。")
                                                     .arg(QDir::toNativeSeparators(QDir::cleanPath(program)))});
        QVERIFY(QDir().mkpath(QFileInfo(program).path()) && QFile(program).open(QIODevice::WriteOnly));
        QVERIFY(RunCommand(*frame, Cmd::WinTpic));
        QCOMPARE(QDir::cleanPath(f.launcher.calls.value(0).program), QDir::cleanPath(program));
        QCOMPARE(f.launcher.calls.value(0).workDir, f.FilePath("docs") + QLatin1Char('/'));
    }

};

QTEST_MAIN(TestPanes)
#include "tst_panes.moc"
