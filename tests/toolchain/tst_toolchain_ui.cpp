// The window side of the TeX commands: the console a run shows, the paper-size dialog, the
// settings the window keeps, and the log pane refresh.

#include "support/FakeToolchainHost.h"
#include "support/FrameFixture.h"
#include "app/SettingsKeys.h"
#include "app/ui/CMainFrame.h"
#include "app/ui/COrrindaleDoc.h"
#include "app/ui/COrrindaleView.h"
#include "app/ui/CPaneSplitter.h"
#include "app/ui/CommandRouter.h"
#include "app/ui/ProcessLauncher.h"
#include "res/Commands.h"
#include "toolchain/ui/CConsoleDialog.h"
#include "toolchain/ui/ToolDialogs.h"
#include "toolchain/ui/ViewToolchain.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

namespace {
const QString Asks = QStringLiteral(VELLOQUIN_FIXTURES_DIR "/faketex/asks.sh");

QByteArray Read(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Presses Enter in the modal console whenever a failed program has left it open.
struct CloseAfterFailure {
    QTimer timer;
    int closed = 0;
    CloseAfterFailure()
    {
        QObject::connect(&timer, &QTimer::timeout, [this] {
            auto *dialog = qobject_cast<CConsoleDialog *>(QApplication::activeModalWidget());
            if (dialog && dialog->CloseButton()->isVisible()) {
                ++closed;
                QTest::keyClick(dialog, Qt::Key_Return);
            }
        });
        timer.start(10);
    }
};
} // namespace

class TestToolchainUi : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void consoleAnswersThePrompt_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("x stops TeX") << "x" << 1;
        QTest::newRow("an empty answer lets it go on") << "" << 0;
    }

    void consoleAnswersThePrompt()
    {
        QFETCH(QString, answer);
        QFETCH(int, exitCode);
        QTemporaryDir dir;
        CConsoleDialog console(true);
        QTimer::singleShot(0, &console, [&] {
            console.Input()->setText(answer);
            QTest::keyClick(console.Input(), Qt::Key_Return);
        });
        CloseAfterFailure closer;
        QCOMPARE(console.Run(Asks, {}, dir.path()), exitCode);
        QCOMPARE(closer.closed, exitCode != 0 ? 1 : 0);
        QCOMPARE(Read(dir.filePath(QStringLiteral("answered.log"))), "? " + answer.toUtf8() + "\n");
        QVERIFY(console.Output()->toPlainText().contains(
            QLatin1String("Undefined control sequence")));
        QVERIFY(console.isHidden());
    }

    void texErrorAnsweredWithXStopsTheCompile_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("refreshes");
        // Without a page there is no DVI, and the user reads why in the log pane.
        QTest::newRow("error before any page: no DVI") << QByteArray("\\undefinedcs x\n") << 1;
        // A page was written before the error: the answer in the log fails the compile.
        QTest::newRow("error after a page: the answer in the log")
            << QByteArray("a\\newpage\nb\\undefinedcs x\n") << 0;
    }

    void texErrorAnsweredWithXStopsTheCompile()
    {
        QFETCH(QByteArray, body);
        QFETCH(int, refreshes);
        if (QStandardPaths::findExecutable(QStringLiteral("platex")).isEmpty())
            QSKIP("platex is not installed");
        QTemporaryDir dir;
        QFile tex(dir.filePath(QStringLiteral("bad.tex")));
        QVERIFY(tex.open(QIODevice::WriteOnly));
        tex.write("\\documentclass{jarticle}\n\\begin{document}\n" + body
                  + "\\end{document}\n");
        tex.close();

        MemorySettingsStore store;
        FakePrompter prompter;
        FakeToolchainHost host;
        ProcessLauncher processes;
        CConsoleLauncher console(processes, true);
        CToolchain tools(host, console, prompter, store);
        tools.State().m_strTargetDir = dir.path() + QLatin1Char('/');
        tools.State().m_strTargetBase = QStringLiteral("bad");
        // TeX stops at the undefined command and waits; the user answers x in the console.
        QTimer::singleShot(0, this, [] {
            auto *dialog = qobject_cast<CConsoleDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            dialog->Input()->setText(QStringLiteral("x"));
            QTest::keyClick(dialog->Input(), Qt::Key_Return);
        });
        CloseAfterFailure closer;
        QCOMPARE(tools.CompileTarget(), 0);
        QCOMPARE(closer.closed, 1);
        QVERIFY(Read(dir.filePath(QStringLiteral("bad.log"))).contains("\n? x"));
        QCOMPARE(QFile::exists(dir.filePath(QStringLiteral("bad.dvi"))), refreshes == 0);
        QCOMPARE(host.logPaneTexts.size(), refreshes);
        QVERIFY(prompter.messages.isEmpty());
    }

    void consoleRunsToTheEnd_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("success closes it at once") << "echo done" << 0;
        QTest::newRow("a failure leaves its words until Enter")
            << "echo \"mendex: can't find style file\"; exit 7" << 7;
        QTest::newRow("Stop ends the program and the console") << "echo stop; exec sleep 60" << 9;
    }

    void consoleRunsToTheEnd()
    {
        QFETCH(QString, script);
        QFETCH(int, exitCode);
        QTemporaryDir dir;
        CConsoleDialog console(true);
        CloseAfterFailure closer;
        if (exitCode == 9) // killed
            QTimer::singleShot(200, &console, [&] { console.StopButton()->click(); });
        QCOMPARE(console.Run(QStringLiteral("/bin/sh"), {"-c", script}, dir.path()), exitCode);
        QCOMPARE(closer.closed, exitCode == 7 ? 1 : 0);
        // The command on a line of its own, then the program's output.
        const QStringList lines = console.Output()->toPlainText().split(u'\n');
        QCOMPARE(lines.value(0), QStringLiteral("> /bin/sh -c \"%1\"").arg(script));
        QCOMPARE(lines.value(1), exitCode == 7 ? "mendex: can't find style file"
                                 : exitCode ? "stop" : "done");
        QCOMPARE(CConsoleDialog(true).Run(QStringLiteral("/nonexistent/platex"), {}, dir.path()),
                 -1);
    }

    void paperBoxesExcludeEachOther_data()
    {
        QTest::addColumn<int>("nShow");
        QTest::addColumn<int>("neShow");
        QTest::addColumn<QString>("clicks"); // n = "next time" box, a = "any more" box
        QTest::addColumn<int>("expectNShow");
        QTest::addColumn<int>("expectNeShow");
        QTest::newRow("none ticked, tick next time") << 0 << 0 << "n" << 1 << 0;
        QTest::newRow("next time ticked, tick any more") << 1 << 0 << "a" << 0 << 1;
        QTest::newRow("any more ticked, tick next time") << 0 << 1 << "n" << 1 << 0;
        QTest::newRow("clicking a ticked box clears it") << 1 << 0 << "n" << 0 << 0;
    }

    void paperBoxesExcludeEachOther()
    {
        QFETCH(int, nShow);
        QFETCH(int, neShow);
        QFETCH(QString, clicks);
        QFETCH(int, expectNShow);
        QFETCH(int, expectNeShow);
        CPaperSizeDialog dialog(true, PaperDialogValues{nShow, neShow, 7});
        for (QChar c : clicks)
            (c == u'n' ? dialog.NextTimeBox() : dialog.AnyMoreBox())->click();
        const PaperDialogValues v = dialog.Values();
        QCOMPARE(v.nShow, expectNShow);
        QCOMPARE(v.neShow, expectNeShow);
        QCOMPARE(v.sizeNo, 7);
        QCOMPARE(dialog.Sizes()->checkedButton()->text(), QStringLiteral("B5"));
    }

    void paperSettingsAtStart_data()
    {
        QTest::addColumn<int>("nShow");
        QTest::addColumn<int>("neShow");
        QTest::addColumn<int>("skip");
        QTest::addColumn<int>("paper");
        QTest::newRow("any more: B5 kept, no dialog") << 0 << 1 << 1 << 7;
        QTest::newRow("to the next time: asked again at A4") << 1 << 0 << 0 << 1;
        QTest::newRow("neither: asked at A4") << 0 << 0 << 0 << 1;
    }

    void paperSettingsAtStart()
    {
        QFETCH(int, nShow);
        QFETCH(int, neShow);
        QFETCH(int, skip);
        QFETCH(int, paper);
        FrameFixture f;
        WriteSetting(*f.store, Keys::PdfNShow, nShow);
        WriteSetting(*f.store, Keys::PdfNeShow, neShow);
        WriteSetting(*f.store, Keys::PdfSizeNo, 7);
        f.Restart();
        auto frame = f.MakeFrame();
        COrrindaleView *view = frame->GetActiveView();
        QCOMPARE(view->m_bSkipPaperDialog, skip);
        QCOMPARE(view->m_nPdfPaper, paper);
        QCOMPARE(ReadSetting(*f.store, Keys::PdfNShow), neShow ? nShow : 0);
    }

    void choiceStaysWithTheView()
    {
        FrameFixture f;
        WriteSetting(*f.store, Keys::English, 1);
        f.Restart();
        auto frame = f.MakeFrame();
        QVERIFY(frame->OpenDocumentFile(f.WriteFile("a.tex", "x\n")));
        f.prompter.answers.enqueue(MsgAnswer::Ok);
        f.prompter.openAnswers.enqueue(QStringLiteral("/opt/tl/bin/pbibtex"));
        QVERIFY(frame->Router()->Execute(IdsOf(Cmd::SelectBibTeX).englishId));
        QCOMPARE(frame->GetActiveView()->m_strBibTeX, QStringLiteral("/opt/tl/bin/pbibtex"));
        QCOMPARE(ReadSetting(*f.store, Keys::Bib), QStringLiteral("/opt/tl/bin/pbibtex"));
    }

    void compileRunsInTheTargetFolder()
    {
        const QString ptex = QStandardPaths::findExecutable(QStringLiteral("ptex"));
        if (ptex.isEmpty())
            QSKIP("ptex is not installed");
        FrameFixture f;
        auto frame = f.MakeFrame();
        QVERIFY(frame->OpenDocumentFile(f.WriteFile("my paper.tex", "% ptex.exe\n\\bye\n")));
        QVERIFY(frame->Router()->Execute(IdsOf(Cmd::TeXCompile).japaneseId));
        QCOMPARE(f.launcher.calls.size(), 1);
        const FakeLauncher::Call &c = f.launcher.calls.first();
        QCOMPARE(QFileInfo(c.program).fileName(), QStringLiteral("ptex")); // found, not bare
        QVERIFY(QFileInfo(c.program).isAbsolute());
        QCOMPARE(c.arguments, QStringList{"my paper"});
        QCOMPARE(QDir(c.workDir), QDir(f.dir.path()));
        // The first line chose the compiler for this window only.
        QCOMPARE(frame->GetActiveView()->m_strCompiler, QStringLiteral("ptex"));
        QCOMPARE(ReadSetting(*f.store, Keys::TeX), QStringLiteral("platex"));
    }

    void refreshLeavesReadOnlyEditorsAlone_data()
    {
        QTest::addColumn<Cmd>("split");
        QTest::addColumn<int>("readOnlyPane");
        QTest::addColumn<int>("logPane"); // -1: the window shows no log
        QTest::newRow("rows, lower editor read-only") << Cmd::SplitRow << 1 << -1;
        QTest::newRow("rows, upper editor read-only") << Cmd::SplitRow << 0 << -1;
        QTest::newRow("columns, right editor read-only") << Cmd::SplitColumn << 1 << -1;
        QTest::newRow("log column, editor read-only") << Cmd::LogColumn << 1 << 0;
        QTest::newRow("log row, editor read-only") << Cmd::LogRow << 1 << 0;
        QTest::newRow("log column, editor writable") << Cmd::LogColumn << -1 << 0;
    }

    void refreshLeavesReadOnlyEditorsAlone()
    {
        QFETCH(Cmd, split);
        QFETCH(int, readOnlyPane);
        QFETCH(int, logPane);
        FrameFixture f;
        auto frame = f.MakeFrame();
        frame->resize(800, 600);
        frame->show();
        const QByteArray source = "\\documentclass{jarticle}\n\\begin{document}\nx\n";
        QVERIFY(frame->OpenDocumentFile(f.WriteFile("paper.tex", source)));
        f.WriteFile("paper.log", "old log\n");
        CommandRouter *r = frame->Router();
        r->RefreshActions();
        QVERIFY(r->Execute(IdsOf(split).englishId));
        CPaneSplitter *panes = frame->Panes();
        QCOMPARE(panes->PaneCount(), 2);
        // The user protects one editor from typing and compiles from it.
        if (readOnlyPane >= 0) {
            panes->SetActivePane(panes->Pane(readOnlyPane));
            r->RefreshActions();
            QVERIFY(r->Execute(IdsOf(Cmd::ReadWrite).englishId));
            QVERIFY(panes->Pane(readOnlyPane)->isReadOnly());
        }
        QByteArray log;
        for (int i = 0; i < 300; ++i)
            log += "new log line " + QByteArray::number(i) + "\n";
        f.WriteFile("paper.log", log);
        QList<int> hints;
        connect(frame->GetDocument(), &COrrindaleDoc::Update, this,
                [&](int hint, COrrindaleView *) { hints << hint; });
        r->RefreshActions();
        QVERIFY(r->Execute(IdsOf(Cmd::TeXCompile).englishId));

        QCOMPARE(DocumentText(frame->GetDocument()->TextDocument()).toUtf8(), source);
        QVERIFY(!frame->GetDocument()->IsModified());
        QCOMPARE(hints.contains(190), logPane >= 0);
        if (logPane >= 0) {
            COrrindaleView *pane = panes->Pane(logPane);
            QCOMPARE(pane->toPlainText().toUtf8(), log);
            QCOMPARE(pane->verticalScrollBar()->value(), pane->verticalScrollBar()->maximum());
        }
    }

};

QTEST_MAIN(TestToolchainUi)
#include "tst_toolchain_ui.moc"
