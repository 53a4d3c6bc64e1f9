#include "support/FrameFixture.h"
#include "app/SettingsKeys.h"
#include "app/ui/CMainFrame.h"
#include "app/ui/COrrindaleDoc.h"
#include "app/ui/COrrindaleView.h"
#include "app/ui/CPaneSplitter.h"
#include "app/ui/CommandRouter.h"
#include "app/ui/PaneCommands.h"
#include "res/Commands.h"

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
    QString text = sjis.decode(Fixture(QStringLiteral("report.log")));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

// A shown window of a fixed size with report.tex open and, unless told, its log beside it.
std::unique_ptr<CMainFrame> OpenReport(FrameFixture &f, bool withLog = true)
{
    const QString tex = f.WriteFile(QStringLiteral("report.tex"),
                                    Fixture(QStringLiteral("report.tex")));
    if (withLog)
        f.WriteFile(QStringLiteral("report.log"), Fixture(QStringLiteral("report.log")));
    auto frame = f.MakeFrame();
    frame->resize(900, 700);
    frame->show();
    // Focus moves between the panes as it would on a screen.
    QApplication::setActiveWindow(frame.get());
    if (!frame->OpenDocumentFile(tex))
        return nullptr;
    return frame;
}

bool Run(CMainFrame &frame, Cmd cmd)
{
    frame.Router()->RefreshActions();
    return frame.Router()->Execute(IdOf(cmd, false));
}

COrrindaleView *Pane(CMainFrame &frame, int index)
{
    return frame.Panes()->Pane(index);
}

int TopRow(const COrrindaleView *view)
{
    return view->verticalScrollBar()->value();
}

void PutCaretOnLine(COrrindaleView *view, int line)
{
    QTextCursor c(view->document()->findBlockByNumber(line));
    view->setTextCursor(c);
}

int VisibleRows(const COrrindaleView *view)
{
    return view->viewport()->height() / view->LineHeight();
}

// The caret line is in view: the pane would not need to scroll to show it.
bool CaretInView(const COrrindaleView *view)
{
    const QRect caret = view->cursorRect();
    return caret.top() >= 0 && caret.bottom() <= view->viewport()->height();
}

QString Text(const COrrindaleView *view)
{
    return view->document()->toPlainText();
}
} // namespace

class TestPanes : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void splitRowActivatesThePaneOfTheCaret_data();
    void splitRowActivatesThePaneOfTheCaret();
    void splitCommandsToggleAndSwitch_data();
    void splitCommandsToggleAndSwitch();
    void unsplitKeepsTheActivePane_data();
    void unsplitKeepsTheActivePane();
    void splitColumnShowsTheSameLines();
    void resizeKeepsEqualHalves_data();
    void resizeKeepsEqualHalves();
    void hintsSkipTheirSender();
    void activatedPaneBecomesFirstView();
    void logPaneShowsTheTargetLog_data();
    void logPaneShowsTheTargetLog();
    void savingWithLogPaneSavesTheText();
    void logCommandsWithoutLogDoNothing();
    void texCommandsFollowTheTarget_data();
    void texCommandsFollowTheTarget();
    void fileCommandsUnsplit_data();
    void fileCommandsUnsplit();
    void storeCaretLeavesTheLogPane();
    void writableLogPaneStaysTheLog_data();
    void writableLogPaneStaysTheLog();
    void anotherFileRoundTrip();
    void winTpicStartsOrExplains_data();
    void winTpicStartsOrExplains();
    void commandPromptOpensInTargetFolder_data();
    void commandPromptOpensInTargetFolder();
};

void TestPanes::splitRowActivatesThePaneOfTheCaret_data()
{
    QTest::addColumn<bool>("caretLow");
    QTest::addColumn<bool>("modified");
    QTest::newRow("caret near the top, unmodified") << false << false;
    QTest::newRow("caret near the top, modified") << false << true;
    QTest::newRow("caret at the bottom row, unmodified") << true << false;
    QTest::newRow("caret at the bottom row, modified") << true << true;
}

void TestPanes::splitRowActivatesThePaneOfTheCaret()
{
    QFETCH(bool, caretLow);
    QFETCH(bool, modified);
    FrameFixture f;
    auto frame = OpenReport(f, false);
    QVERIFY(frame);
    COrrindaleView *view = frame->GetActiveView();
    if (modified)
        view->insertPlainText(QStringLiteral("%"));
    view->ScrollToLine(60);
    const int top = TopRow(view);
    QVERIFY(top > 0);
    const int caretLine = caretLow ? top + VisibleRows(view) - 1 : top + 1;
    PutCaretOnLine(view, caretLine);
    view->ScrollToLine(60);
    const int caret = view->SelectionStart();
    const QString text = Text(view);

    QVERIFY(Run(*frame, Cmd::SplitRow));
    QCOMPARE(frame->Panes()->CurrentLayout(), Layout::Rows);
    COrrindaleView *upper = Pane(*frame, 0);
    COrrindaleView *lower = Pane(*frame, 1);
    QCOMPARE(upper, view);
    QCOMPARE(frame->GetActiveView(), caretLow ? lower : upper);
    QCOMPARE(frame->GetActiveView()->SelectionStart(), caret);
    QCOMPARE(frame->Panes()->LastActivePane(), frame->GetActiveView());
    QVERIFY(frame->GetActiveView()->hasFocus());
    // Activating a pane by the split itself does not reorder the views.
    QCOMPARE(frame->GetDocument()->Views(), (QList<COrrindaleView *>{upper, lower}));
    // The lower pane continues half a window further down, over the same text.
    QVERIFY(TopRow(lower) > TopRow(upper));
    QCOMPARE(lower->document(), upper->document());
    QCOMPARE(Text(lower), text);
    QCOMPARE(frame->GetDocument()->IsModified(), modified);
    QCOMPARE(COrrindaleView::s_nSplitLineCount, view->LineCount());
}

void TestPanes::splitCommandsToggleAndSwitch_data()
{
    using Cmds = QList<Cmd>;
    QTest::addColumn<Cmds>("commands");
    QTest::addColumn<Layout>("layout");
    QTest::addColumn<bool>("logFirst");
    const Cmd row = Cmd::SplitRow, col = Cmd::SplitColumn;
    const Cmd logRow = Cmd::LogRow, logCol = Cmd::LogColumn;
    QTest::newRow("split row twice") << Cmds{row, row} << Layout::Single << false;
    QTest::newRow("split column twice") << Cmds{col, col} << Layout::Single << false;
    QTest::newRow("row split, then column") << Cmds{row, col} << Layout::Columns << false;
    QTest::newRow("column split, then row") << Cmds{col, row} << Layout::Rows << false;
    QTest::newRow("log column twice") << Cmds{logCol, logCol} << Layout::Single << false;
    QTest::newRow("log row twice") << Cmds{logRow, logRow} << Layout::Single << false;
    QTest::newRow("log column, then log row") << Cmds{logCol, logRow} << Layout::Rows << true;
    QTest::newRow("log row, then log column") << Cmds{logRow, logCol} << Layout::Columns << true;
    QTest::newRow("log column, then split row") << Cmds{logCol, row} << Layout::Rows << false;
    QTest::newRow("column split, then log row") << Cmds{col, logRow} << Layout::Rows << true;
    // Already split in rows: Log Row only joins the panes.
    QTest::newRow("row split, then log row") << Cmds{row, logRow} << Layout::Single << false;
}

void TestPanes::splitCommandsToggleAndSwitch()
{
    QFETCH(QList<Cmd>, commands);
    QFETCH(Layout, layout);
    QFETCH(bool, logFirst);
    for (const bool modified : {false, true}) {
        FrameFixture f;
        auto frame = OpenReport(f);
        QVERIFY(frame);
        if (modified)
            frame->GetActiveView()->insertPlainText(QStringLiteral("% edited\n"));
        const QString text = Text(frame->GetActiveView());
        for (Cmd cmd : commands)
            QVERIFY(Run(*frame, cmd));
        QCOMPARE(frame->Panes()->CurrentLayout(), layout);
        const int count = layout == Layout::Single ? 1 : 2;
        QCOMPARE(frame->Panes()->PaneCount(), count);
        QCOMPARE(frame->findChild<QSplitter *>()->count(), count);
        QCOMPARE(Pane(*frame, 0)->IsLogPane(), logFirst);
        QCOMPARE(Pane(*frame, 0)->isReadOnly(), logFirst);
        // The editor keeps the text, the document its state; removed panes leave the list.
        for (int i = logFirst ? 1 : 0; i < count; ++i) {
            QVERIFY(!Pane(*frame, i)->IsLogPane());
            QVERIFY(!Pane(*frame, i)->isReadOnly());
            QCOMPARE(Text(Pane(*frame, i)), text);
        }
        COrrindaleView *editor = Pane(*frame, logFirst ? 1 : 0);
        QCOMPARE(frame->GetDocument()->IsModified(), modified);
        QCOMPARE(frame->GetDocument()->Views().size(), count);
        QCOMPARE(frame->GetDocument()->Views().first(), editor);
        QVERIFY(!frame->GetActiveView()->isReadOnly());
    }
}

void TestPanes::unsplitKeepsTheActivePane_data()
{
    QTest::addColumn<Cmd>("split");
    QTest::addColumn<int>("active");
    QTest::newRow("rows, upper active") << Cmd::SplitRow << 0;
    QTest::newRow("rows, lower active") << Cmd::SplitRow << 1;
    QTest::newRow("columns, left active") << Cmd::SplitColumn << 0;
    QTest::newRow("columns, right active") << Cmd::SplitColumn << 1;
}

void TestPanes::unsplitKeepsTheActivePane()
{
    QFETCH(Cmd, split);
    QFETCH(int, active);
    FrameFixture f;
    auto frame = OpenReport(f, false);
    QVERIFY(frame);
    frame->GetActiveView()->ScrollToLine(40);
    PutCaretOnLine(frame->GetActiveView(), 41);
    frame->GetActiveView()->ScrollToLine(40);
    const int topBefore = TopRow(frame->GetActiveView());
    QVERIFY(Run(*frame, split));
    COrrindaleView *keep = Pane(*frame, active);
    frame->Panes()->SetActivePane(keep);
    QVERIFY(Run(*frame, split));
    QCOMPARE(frame->Panes()->PaneCount(), 1);
    QCOMPARE(Pane(*frame, 0), keep);
    QCOMPARE(frame->GetActiveView(), keep);
    QCOMPARE(frame->GetDocument()->Views(), QList<COrrindaleView *>{keep});
    // Word wrap comes back after a column split took it away.
    QCOMPARE(keep->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    // The lower pane of a row split returns to where the window was.
    if (split == Cmd::SplitRow && active == 1)
        QCOMPARE(TopRow(keep), topBefore);
}

void TestPanes::splitColumnShowsTheSameLines()
{
    FrameFixture f;
    auto frame = OpenReport(f, false);
    QVERIFY(frame);
    COrrindaleView *left = frame->GetActiveView();
    left->ScrollToLine(70);
    PutCaretOnLine(left, 75);
    left->ScrollToLine(70);
    const int caret = left->SelectionStart();
    QVERIFY(Run(*frame, Cmd::SplitColumn));
    COrrindaleView *right = Pane(*frame, 1);
    QCOMPARE(Pane(*frame, 0), left);
    QCOMPARE(right->FirstVisibleLine(), left->FirstVisibleLine());
    const QTextBlock top = right->document()->findBlockByNumber(right->FirstVisibleLine());
    QCOMPARE(right->SelectionStart(), top.position());
    QCOMPARE(frame->GetActiveView(), left);
    QCOMPARE(left->SelectionStart(), caret);
    // Columns show the lines unwrapped.
    QCOMPARE(left->lineWrapMode(), QPlainTextEdit::NoWrap);
    QCOMPARE(right->lineWrapMode(), QPlainTextEdit::NoWrap);
}

void TestPanes::resizeKeepsEqualHalves_data()
{
    QTest::addColumn<Cmd>("split");
    QTest::newRow("rows") << Cmd::SplitRow;
    QTest::newRow("columns") << Cmd::SplitColumn;
    QTest::newRow("log row") << Cmd::LogRow;
    QTest::newRow("log column") << Cmd::LogColumn;
}

void TestPanes::resizeKeepsEqualHalves()
{
    QFETCH(Cmd, split);
    FrameFixture f;
    auto frame = OpenReport(f);
    QVERIFY(frame);
    QVERIFY(Run(*frame, split));
    for (const QSize size : {QSize(1000, 760), QSize(700, 500)}) {
        frame->resize(size);
        QCoreApplication::processEvents();
        const QList<int> sizes = frame->findChild<QSplitter *>()->sizes();
        QCOMPARE(sizes.size(), 2);
        QVERIFY2(std::abs(sizes[0] - sizes[1]) <= 1,
                 qPrintable(QStringLiteral("%1 / %2").arg(sizes[0]).arg(sizes[1])));
    }
}

void TestPanes::hintsSkipTheirSender()
{
    FrameFixture f;
    auto frame = OpenReport(f, false);
    QVERIFY(frame);
    QVERIFY(Run(*frame, Cmd::SplitRow));
    COrrindaleView *upper = Pane(*frame, 0);
    COrrindaleView *lower = Pane(*frame, 1);
    QCOMPARE(upper->m_bColoring, 1);
    QCOMPARE(lower->m_bColoring, 1);
    frame->GetDocument()->UpdateAllViews(Hint::LogPane, lower);
    QCOMPARE(upper->m_bColoring, 0);
    QCOMPARE(upper->m_bUnderlineCaretLine, 0);
    QCOMPARE(lower->m_bColoring, 1);
    frame->GetDocument()->UpdateAllViews(Hint::Unsplit);
    QCOMPARE(upper->m_bColoring, 1);
}

void TestPanes::activatedPaneBecomesFirstView()
{
    FrameFixture f;
    auto frame = OpenReport(f, false);
    QVERIFY(frame);
    COrrindaleView *left = frame->GetActiveView();
    left->insertPlainText(QStringLiteral("x"));
    QVERIFY(Run(*frame, Cmd::SplitColumn));
    COrrindaleView *right = Pane(*frame, 1);
    QCOMPARE(frame->GetDocument()->Views(), (QList<COrrindaleView *>{left, right}));
    Q_EMIT right->FocusGained();
    QCOMPARE(frame->GetActiveView(), right);
    QCOMPARE(frame->GetDocument()->Views(), (QList<COrrindaleView *>{right, left}));
    QVERIFY(frame->GetDocument()->IsModified());
    Q_EMIT left->FocusGained();
    QCOMPARE(frame->GetDocument()->Views(), (QList<COrrindaleView *>{left, right}));
    // Nothing moves while the log is the first pane.
    QVERIFY(Run(*frame, Cmd::SplitColumn));
    f.WriteFile(QStringLiteral("report.log"), Fixture(QStringLiteral("report.log")));
    QVERIFY(Run(*frame, Cmd::LogColumn));
    COrrindaleView *log = Pane(*frame, 0);
    const QList<COrrindaleView *> order = frame->GetDocument()->Views();
    Q_EMIT log->FocusGained();
    QCOMPARE(frame->GetDocument()->Views(), order);
    QCOMPARE(order.last(), log);
}

void TestPanes::logPaneShowsTheTargetLog_data()
{
    QTest::addColumn<Cmd>("command");
    QTest::addColumn<Layout>("layout");
    QTest::addColumn<bool>("modified");
    QTest::newRow("column, unmodified") << Cmd::LogColumn << Layout::Columns << false;
    QTest::newRow("column, modified") << Cmd::LogColumn << Layout::Columns << true;
    QTest::newRow("row, unmodified") << Cmd::LogRow << Layout::Rows << false;
    QTest::newRow("row, modified") << Cmd::LogRow << Layout::Rows << true;
}

void TestPanes::logPaneShowsTheTargetLog()
{
    QFETCH(Cmd, command);
    QFETCH(Layout, layout);
    QFETCH(bool, modified);
    FrameFixture f;
    auto frame = OpenReport(f);
    QVERIFY(frame);
    COrrindaleView *editor = frame->GetActiveView();
    PutCaretOnLine(editor, 120);
    if (modified)
        editor->insertPlainText(QStringLiteral("% note\n"));
    const int caret = editor->SelectionStart();
    const QString text = Text(editor);

    QVERIFY(Run(*frame, command));
    QCOMPARE(frame->Panes()->CurrentLayout(), layout);
    COrrindaleView *log = Pane(*frame, 0);
    QVERIFY(log->IsLogPane());
    QVERIFY(log->isReadOnly());
    QCOMPARE(Text(log), ExpectedLog());
    QCOMPARE(log->m_bColoring, 0);
    QCOMPARE(log->m_nLineNumberMode, 0);
    QCOMPARE(log->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    // The editor is the same widget, still active, with its caret, text and state.
    QCOMPARE(Pane(*frame, 1), editor);
    QCOMPARE(frame->GetActiveView(), editor);
    QCOMPARE(editor->SelectionStart(), caret);
    QVERIFY(CaretInView(editor));
    QCOMPARE(Text(editor), text);
    QCOMPARE(editor->lineWrapMode(), QPlainTextEdit::NoWrap);
    QCOMPARE(frame->GetDocument()->IsModified(), modified);
    QCOMPARE(frame->GetDocument()->Views(), (QList<COrrindaleView *>{editor, log}));
    // A long log opens towards its end.
    QVERIFY(TopRow(log) > 0);
    if (layout == Layout::Columns) {
        QTextCursor end(log->document());
        end.movePosition(QTextCursor::End);
        end.movePosition(QTextCursor::PreviousBlock);
        QVERIFY(log->cursorRect(end).bottom() <= log->viewport()->height());
    }
}

void TestPanes::savingWithLogPaneSavesTheText()
{
    FrameFixture f;
    auto frame = OpenReport(f);
    QVERIFY(frame);
    QVERIFY(Run(*frame, Cmd::LogColumn));
    COrrindaleView *editor = frame->GetActiveView();
    editor->insertPlainText(QStringLiteral("% saved with the log open\n"));
    QVERIFY(frame->GetDocument()->DoFileSave());
    QFile saved(f.FilePath(QStringLiteral("report.tex")));
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(saved.readAll()), Text(editor));
    QFile log(f.FilePath(QStringLiteral("report.log")));
    QVERIFY(log.open(QIODevice::ReadOnly));
    QCOMPARE(log.readAll(), Fixture(QStringLiteral("report.log")));
}

void TestPanes::logCommandsWithoutLogDoNothing()
{
    for (Cmd cmd : {Cmd::LogColumn, Cmd::LogRow}) {
        FrameFixture f;
        auto frame = OpenReport(f, false);
        QVERIFY(frame);
        QVERIFY(Run(*frame, Cmd::SplitColumn));
        QVERIFY(Run(*frame, cmd));
        // Not even the column split is touched.
        QCOMPARE(frame->Panes()->CurrentLayout(), Layout::Columns);
        QVERIFY(f.prompter.messages.isEmpty());
    }
}

void TestPanes::texCommandsFollowTheTarget_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("another");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("tex") << "a.tex" << "" << true;
    QTest::newRow("TEX") << "a.TEX" << "" << true;
    QTest::newRow("mixed case Tex") << "a.Tex" << "" << false;
    QTest::newRow("text file") << "a.txt" << "" << false;
    QTest::newRow("log file") << "a.log" << "" << false;
    QTest::newRow("text file compiling a tex master") << "a.txt" << "master.tex" << true;
    QTest::newRow("tex file compiling a text file") << "a.tex" << "notes.txt" << false;
}

void TestPanes::texCommandsFollowTheTarget()
{
    QFETCH(QString, name);
    QFETCH(QString, another);
    QFETCH(bool, enabled);
    FrameFixture f;
    auto frame = f.MakeFrame();
    const QString path = f.WriteFile(name, "text\n");
    if (!another.isEmpty())
        f.store->WriteString(QStringLiteral("TeXFile"), path, f.FilePath(another));
    QVERIFY(frame->OpenDocumentFile(path));
    CommandRouter *r = frame->Router();
    r->RefreshActions();
    for (Cmd cmd : {Cmd::LogColumn, Cmd::LogRow, Cmd::TeXCompile, Cmd::DviShow, Cmd::PdfShow,
                    Cmd::TeXPdfShow, Cmd::TeXPdfMake, Cmd::PdfPaperSize, Cmd::MakeIndexOptions})
        QVERIFY2(r->StateOf(cmd).enabled == enabled, IdsOf(cmd).name);
    for (Cmd cmd : {Cmd::SplitRow, Cmd::RegistAnotherFile, Cmd::ChangeCompiler,
                    Cmd::SelectDviPdf, Cmd::SelectBibTeX, Cmd::SelectMakeIndex})
        QVERIFY2(r->StateOf(cmd).enabled, IdsOf(cmd).name);
    QCOMPARE(r->StateOf(Cmd::UnregistAnotherFile).enabled, !another.isEmpty());
}

void TestPanes::fileCommandsUnsplit_data()
{
    QTest::addColumn<Cmd>("split");
    QTest::addColumn<QString>("command");
    for (const Cmd split : {Cmd::SplitRow, Cmd::SplitColumn, Cmd::LogRow, Cmd::LogColumn}) {
        const QString name = QString::fromLatin1(IdsOf(split).name);
        QTest::addRow("%s, new", qPrintable(name)) << split << QStringLiteral("new");
        QTest::addRow("%s, open", qPrintable(name)) << split << QStringLiteral("open");
        QTest::addRow("%s, recent file", qPrintable(name)) << split << QStringLiteral("recent");
    }
}

void TestPanes::fileCommandsUnsplit()
{
    QFETCH(Cmd, split);
    QFETCH(QString, command);
    FrameFixture f;
    const QString other = f.WriteFile(QStringLiteral("other.txt"), "other text\n");
    auto frame = OpenReport(f);
    QVERIFY(frame);
    QVERIFY(frame->OpenDocumentFile(other));
    QVERIFY(frame->OpenDocumentFile(f.FilePath(QStringLiteral("report.tex"))));
    QVERIFY(Run(*frame, split));
    QCOMPARE(frame->Panes()->PaneCount(), 2);
    if (command == QLatin1String("new")) {
        frame->OnFileNew();
    } else if (command == QLatin1String("open")) {
        f.prompter.openAnswers << other;
        frame->OnFileOpen();
    } else {
        frame->OnRecentFile(1); // the list holds report.tex, then other.txt
    }
    QCOMPARE(frame->Panes()->PaneCount(), 1);
    COrrindaleView *view = Pane(*frame, 0);
    QVERIFY(!view->IsLogPane());
    QVERIFY(!view->isReadOnly());
    QCOMPARE(frame->GetActiveView(), view);
    QCOMPARE(frame->GetDocument()->Views(), QList<COrrindaleView *>{view});
    const bool isNew = command == QLatin1String("new");
    QCOMPARE(Text(view), isNew ? QString() : QStringLiteral("other text\n"));
    QVERIFY(!frame->GetDocument()->IsModified());
}

void TestPanes::storeCaretLeavesTheLogPane()
{
    FrameFixture f;
    auto frame = OpenReport(f);
    QVERIFY(frame);
    QVERIFY(Run(*frame, Cmd::LogColumn));
    COrrindaleView *log = Pane(*frame, 0);
    COrrindaleView *editor = Pane(*frame, 1);
    editor->ScrollToLine(90);
    PutCaretOnLine(editor, 150); // the memory takes the top line, not this caret
    editor->ScrollToLine(90);
    frame->Panes()->SetActivePane(log);
    QCOMPARE(frame->GetActiveView(), log);
    frame->StoreCaret();
    QCOMPARE(frame->GetActiveView(), editor);
    const QString path = frame->GetDocument()->PathName();
    const int line = editor->FirstVisibleLine();
    QVERIFY(line > 0);
    QCOMPARE(f.store->GetInt(QStringLiteral("Caret"), path + QStringLiteral("cL"), -1),
             editor->document()->findBlockByNumber(line).position());
    QCOMPARE(f.store->GetInt(QStringLiteral("Caret"), path + QStringLiteral("cH"), -1), line);
}

void TestPanes::writableLogPaneStaysTheLog_data()
{
    QTest::addColumn<Cmd>("log");
    QTest::addColumn<Cmd>("next");
    QTest::addColumn<Layout>("layout");
    QTest::addColumn<bool>("logFirst");
    QTest::newRow("log column twice") << Cmd::LogColumn << Cmd::LogColumn << Layout::Single
                                      << false;
    QTest::newRow("log row twice") << Cmd::LogRow << Cmd::LogRow << Layout::Single << false;
    QTest::newRow("log column, then log row") << Cmd::LogColumn << Cmd::LogRow << Layout::Rows
                                              << true;
    QTest::newRow("log row, then split row") << Cmd::LogRow << Cmd::SplitRow << Layout::Single
                                             << false;
    QTest::newRow("log column, then split row") << Cmd::LogColumn << Cmd::SplitRow
                                                << Layout::Rows << false;
}

void TestPanes::writableLogPaneStaysTheLog()
{
    QFETCH(Cmd, log);
    QFETCH(Cmd, next);
    QFETCH(Layout, layout);
    QFETCH(bool, logFirst);
    FrameFixture f;
    auto frame = OpenReport(f);
    QVERIFY(frame);
    const QString text = Text(frame->GetActiveView());
    QVERIFY(Run(*frame, log));
    COrrindaleView *logPane = Pane(*frame, 0);
    COrrindaleView *editor = Pane(*frame, 1);
    // The user clicks into the log and switches it to writable.
    frame->Panes()->SetActivePane(logPane);
    QVERIFY(Run(*frame, Cmd::ReadWrite));
    QVERIFY(!logPane->isReadOnly());
    // Back in the editor, then into the log again: the editor stays the first view.
    frame->Panes()->SetActivePane(editor);
    logPane->setFocus();
    QCOMPARE(frame->Panes()->ActivePane(), logPane);
    QCOMPARE(frame->GetDocument()->Views().first(), editor);
    // Typing into the log changes the log only: the document stays unmodified.
    QVERIFY(!frame->GetDocument()->IsModified());
    QTest::keyClicks(logPane, QStringLiteral("zz"));
    QVERIFY(Text(logPane).contains(QStringLiteral("zz")));
    QVERIFY(!frame->GetDocument()->IsModified());

    QVERIFY(Run(*frame, next));
    QCOMPARE(frame->Panes()->CurrentLayout(), layout);
    const int count = layout == Layout::Single ? 1 : 2;
    QCOMPARE(Pane(*frame, 0)->IsLogPane(), logFirst);
    for (int i = logFirst ? 1 : 0; i < count; ++i) {
        QVERIFY(!Pane(*frame, i)->IsLogPane());
        QCOMPARE(Text(Pane(*frame, i)), text);
    }
}

void TestPanes::anotherFileRoundTrip()
{
    FrameFixture f;
    QDir(f.dir.path()).mkpath(QStringLiteral("chapters"));
    QDir(f.dir.path()).mkpath(QStringLiteral("main"));
    const QString chapter = f.WriteFile(QStringLiteral("chapters/one.tex"), "\\section{One}\n");
    const QString master = f.WriteFile(QStringLiteral("main/book.tex"), "\\begin{document}\n");
    f.WriteFile(QStringLiteral("main/book.log"), Fixture(QStringLiteral("report.log")));
    f.WriteFile(QStringLiteral("chapters/one.log"), "the chapter's own log\n");
    {
        auto frame = f.MakeFrame();
        QVERIFY(frame->OpenDocumentFile(chapter));
        frame->Router()->RefreshActions();
        QVERIFY(!frame->Router()->StateOf(Cmd::UnregistAnotherFile).enabled);
        QVERIFY(Run(*frame, Cmd::RegistAnotherFile)); // cancelled: nothing registered
        QVERIFY(!f.store->Contains(QStringLiteral("TeXFile"), chapter));
        QCOMPARE(frame->GetActiveView()->m_strTargetBase, QStringLiteral("one"));
        f.prompter.openAnswers << master;
        QVERIFY(Run(*frame, Cmd::RegistAnotherFile));
        QCOMPARE(f.prompter.openFilters.last(), QStringLiteral("TeX files (*.tex)|*.tex||"));
        QCOMPARE(f.store->GetString(QStringLiteral("TeXFile"), chapter), master);
        COrrindaleView *view = frame->GetActiveView();
        QCOMPARE(view->m_strAnotherFile, master);
        QCOMPARE(view->m_strTargetDir, f.FilePath(QStringLiteral("main")) + QLatin1Char('/'));
        QCOMPARE(view->m_strTargetBase, QStringLiteral("book"));
        QCOMPARE(view->m_strTargetExt, QStringLiteral(".tex"));
        // The log shown is the master's.
        QVERIFY(Run(*frame, Cmd::LogColumn));
        QCOMPARE(Text(Pane(*frame, 0)), ExpectedLog());
        QVERIFY(Run(*frame, Cmd::LogColumn));
        QCOMPARE(frame->Panes()->PaneCount(), 1);
    }
    // Read again when the file is opened in a new window.
    f.Restart();
    auto frame = f.MakeFrame();
    QVERIFY(frame->OpenDocumentFile(chapter));
    COrrindaleView *view = frame->GetActiveView();
    QCOMPARE(view->m_strAnotherFile, master);
    QCOMPARE(view->m_strTargetBase, QStringLiteral("book"));
    QVERIFY(Run(*frame, Cmd::UnregistAnotherFile));
    QVERIFY(!f.store->Contains(QStringLiteral("TeXFile"), chapter));
    QCOMPARE(view->m_strAnotherFile, QString());
    QCOMPARE(view->m_strTargetDir, f.FilePath(QStringLiteral("chapters")) + QLatin1Char('/'));
    QCOMPARE(view->m_strTargetBase, QStringLiteral("one"));
    frame->Router()->RefreshActions();
    QVERIFY(!frame->Router()->StateOf(Cmd::UnregistAnotherFile).enabled);
    QVERIFY(Run(*frame, Cmd::LogRow));
    QCOMPARE(Text(Pane(*frame, 0)), QStringLiteral("the chapter's own log\n"));
    QCOMPARE(TopRow(Pane(*frame, 0)), 0); // a short log is shown from its start
}

void TestPanes::winTpicStartsOrExplains_data()
{
    QTest::addColumn<bool>("english");
    QTest::addColumn<bool>("installed");
    QTest::addColumn<QList<bool>>("starts"); // answers of the program start, then the opener
    QTest::addColumn<bool>("message");
    QTest::newRow("installed, starts") << true << true << QList<bool>{true} << false;
    QTest::newRow("installed, only the opener runs it")
        << true << true << QList<bool>{false, true} << false;
    QTest::newRow("installed, cannot start, english")
        << true << true << QList<bool>{false, false} << true;
    QTest::newRow("missing, english") << true << false << QList<bool>{} << true;
    QTest::newRow("missing, japanese") << false << false << QList<bool>{} << true;
}

void TestPanes::winTpicStartsOrExplains()
{
    QFETCH(bool, english);
    QFETCH(bool, installed);
    QFETCH(QList<bool>, starts);
    QFETCH(bool, message);
    FrameFixture f;
    f.store->WriteInt(QStringLiteral("Settings"), QStringLiteral("English"), english);
    f.Restart();
    auto frame = f.MakeFrame();
    QDir(f.dir.path()).mkpath(QStringLiteral("docs"));
    QVERIFY(frame->OpenDocumentFile(f.WriteFile(QStringLiteral("docs/a.tex"), "x\n")));
    COrrindaleView *view = frame->GetActiveView();
    const QString program = view->m_strInstDir + QStringLiteral("/WinTpic/wtpic.exe");
    if (installed) {
        QVERIFY(QDir().mkpath(view->m_strInstDir + QStringLiteral("/WinTpic")));
        QFile exe(program);
        QVERIFY(exe.open(QIODevice::WriteOnly));
    }
    for (bool s : starts)
        f.launcher.startResults << s;
    QVERIFY(Run(*frame, Cmd::WinTpic));
    if (installed) {
        QVERIFY(!f.launcher.calls.isEmpty());
        QCOMPARE(f.launcher.calls.first().kind, FakeLauncher::Call::Detached);
        QCOMPARE(QDir::cleanPath(f.launcher.calls.first().program), QDir::cleanPath(program));
        QCOMPARE(f.launcher.calls.first().workDir,
                 f.FilePath(QStringLiteral("docs")) + QLatin1Char('/'));
    } else {
        QVERIFY(f.launcher.calls.isEmpty());
    }
    if (!message) {
        QVERIFY(f.prompter.messages.isEmpty());
        return;
    }
    const QString shown = QDir::toNativeSeparators(QDir::cleanPath(program));
    const QString expected = english
        ? QStringLiteral("Failed to find WinTpic (wtpic.exe) !\n Please install as [%1]")
        : QStringLiteral("TeX 用描画ソフト WinTpic がありません！\n %1 にインストールして下さい。");
    QCOMPARE(f.prompter.Texts(), QStringList{expected.arg(shown)});
}

void TestPanes::commandPromptOpensInTargetFolder_data()
{
    QTest::addColumn<bool>("terminalInstalled");
    QTest::addColumn<bool>("english");
    QTest::newRow("terminal found") << true << true;
    QTest::newRow("no terminal, english") << false << true;
    QTest::newRow("no terminal, japanese") << false << false;
}

void TestPanes::commandPromptOpensInTargetFolder()
{
    QFETCH(bool, terminalInstalled);
    QFETCH(bool, english);
    const QByteArray path = qgetenv("PATH");
    const QByteArray terminal = qgetenv("TERMINAL");
    const auto restore = qScopeGuard([&] {
        qputenv("PATH", path);
        if (terminal.isNull())
            qunsetenv("TERMINAL");
        else
            qputenv("TERMINAL", terminal);
    });
    FrameFixture f;
    f.store->WriteInt(QStringLiteral("Settings"), QStringLiteral("English"), english);
    f.Restart();
    QDir(f.dir.path()).mkpath(QStringLiteral("bin"));
    QDir(f.dir.path()).mkpath(QStringLiteral("main"));
    const QString fake = f.WriteFile(QStringLiteral("bin/x-terminal-emulator"), "#!/bin/sh\n");
    if (terminalInstalled)
        QFile::setPermissions(fake, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("PATH", QFile::encodeName(f.FilePath(QStringLiteral("bin"))));
    qunsetenv("TERMINAL");
    auto frame = f.MakeFrame();
    // The prompt opens where the compile runs: the registered master's folder.
    const QString chapter = f.WriteFile(QStringLiteral("one.tex"), "x\n");
    f.store->WriteString(QStringLiteral("TeXFile"), chapter,
                         f.FilePath(QStringLiteral("main/book.tex")));
    QVERIFY(frame->OpenDocumentFile(chapter));
    QVERIFY(Run(*frame, Cmd::CommandPrompt));
    if (terminalInstalled) {
        QCOMPARE(f.launcher.calls.size(), 1);
        QCOMPARE(f.launcher.calls.first().kind, FakeLauncher::Call::Detached);
        QCOMPARE(f.launcher.calls.first().program, fake);
        QCOMPARE(f.launcher.calls.first().workDir,
                 f.FilePath(QStringLiteral("main")) + QLatin1Char('/'));
        QVERIFY(f.prompter.messages.isEmpty());
        return;
    }
    QVERIFY(f.launcher.calls.isEmpty());
    const QString expected = english
        ? QStringLiteral("No command prompt could be started: no terminal program was found.\n"
                         "Install one (for example xterm) or name it in the environment variable "
                         "TERMINAL.")
        : QStringLiteral("コマンドプロンプトを起動できません。端末ソフトが見つかりません。\n"
                         "端末ソフト（例えば xterm）をインストールするか、環境変数 TERMINAL "
                         "で指定して下さい。");
    QCOMPARE(f.prompter.Texts(), QStringList{expected});
}

QTEST_MAIN(TestPanes)
#include "tst_panes.moc"
