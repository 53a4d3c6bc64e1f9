// The window side of the TeX commands: the console a run shows, the paper-size dialog, and
// the commands wired to the view's toolchain.

#include "support/Columns.h"
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
#include "toolchain/CToolchain.h"
#include "toolchain/ui/CConsoleDialog.h"
#include "toolchain/ui/ToolDialogs.h"

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
    void console_data()
    {
        // script: "": the fixture that asks like TeX; answer: typed into the console
        Columns<QString, QString, int, QString>({"script", "answer", "exitCode", "output"});
        QTest::newRow("success closes it at once") << "echo done" << "" << 0 << "done";
        QTest::newRow("a failure leaves its words until Enter") << "echo oops; exit 7" << "" << 7 << "oops";
        QTest::newRow("Stop ends the program and the console") << "echo stop; exec sleep 60" << "" << 9 << "stop";
        QTest::newRow("x answered to TeX's prompt stops it") << "" << "x" << 1 << "Undefined control sequence";
        QTest::newRow("an empty answer lets TeX go on") << "" << "" << 0 << "Undefined control sequence";
    }

    void console()
    {
        QFETCH(QString, script);
        QFETCH(QString, answer);
        QFETCH(int, exitCode);
        QFETCH(QString, output);
        QTemporaryDir dir;
        CConsoleDialog console(true);
        QTimer::singleShot(script.isEmpty() ? 0 : 200, &console, [&] {
            if (exitCode == 9)
                console.StopButton()->click();
            console.Input()->setText(answer);
            QTest::keyClick(console.Input(), Qt::Key_Return);
        });
        // Enter closes the console that a failed program left open.
        int closed = 0;
        QTimer closer;
        connect(&closer, &QTimer::timeout, [&] {
            if (console.isVisible() && console.CloseButton()->isVisible() && ++closed)
                QTest::keyClick(&console, Qt::Key_Return);
        });
        closer.start(10);
        const QString program = script.isEmpty() ? VELLOQUIN_FIXTURES_DIR "/faketex/asks.sh" : "/bin/sh";
        const QStringList args = script.isEmpty() ? QStringList{} : QStringList{"-c", script};
        QCOMPARE(console.Run(program, args, dir.path()), exitCode);
        QCOMPARE(closed, int(exitCode == 7 || exitCode == 1));
        QVERIFY(console.isHidden());
        const QString text = console.Output()->toPlainText();
        QVERIFY2(text.startsWith("> " + program) && text.contains(output), qPrintable(text));
        QFile answered(dir.filePath("answered.log"));
        QCOMPARE(answered.open(QIODevice::ReadOnly) ? answered.readAll() : "-", script.isEmpty() ? "? " + answer.toUtf8() + "\n" : "-");
    }

    // Real platex stops at an error, the user answers x in the console, the compile fails.
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
        ToolSettings settings;
        CToolchain tools(host, console, prompter, store, settings, true);
        host.files = DocumentFiles::Of(tex.fileName(), QString());
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

    void consoleWithoutProgram()
    {
        QCOMPARE(CConsoleDialog(true).Run(QStringLiteral("/nonexistent/platex"), {}, QDir::tempPath()), -1);
    }

    void paperBoxesExcludeEachOther_data()
    {
        // click: n "next time", a "any more"
        Columns<int, int, QChar, int, int>({"nShow", "neShow", "click", "expectNShow", "expectNeShow"});
        QTest::newRow("next time ticked, tick any more") << 1 << 0 << QChar(u'a') << 0 << 1;
        QTest::newRow("any more ticked, tick next time") << 0 << 1 << QChar(u'n') << 1 << 0;
        QTest::newRow("clicking a ticked box clears it") << 1 << 0 << QChar(u'n') << 0 << 0;
    }

    void paperBoxesExcludeEachOther()
    {
        QFETCH(int, nShow);
        QFETCH(int, neShow);
        QFETCH(QChar, click);
        QFETCH(int, expectNShow);
        QFETCH(int, expectNeShow);
        CPaperSizeDialog dialog(true, PaperDialogValues{nShow, neShow, 7});
        (click == u'n' ? dialog.NextTimeBox() : dialog.AnyMoreBox())->click();
        const PaperDialogValues v = dialog.Values();
        QCOMPARE(QList<int>({v.nShow, v.neShow, v.sizeNo}), QList<int>({expectNShow, expectNeShow, 7}));
        QCOMPARE(dialog.Sizes()->checkedButton()->text(), QStringLiteral("B5"));
    }

    void paperSettingsAtStart_data()
    {
        Columns<int, int, int, int>({"nShow", "neShow", "skip", "paper"});
        QTest::newRow("any more: B5 kept, no dialog") << 0 << 1 << 1 << 7;
        QTest::newRow("to the next time: asked again at A4") << 1 << 0 << 0 << 1;
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
        QCOMPARE(f.settings->Tools().skipPaperDialog, skip);
        QCOMPARE(f.settings->Tools().pdfPaper, paper);
        QCOMPARE(ReadSetting(*f.store, Keys::PdfNShow), 0);
    }

    void choiceIsKeptAndStored()
    {
        FrameFixture f;
        auto frame = f.MakeFrame();
        QVERIFY(frame->OpenDocumentFile(f.WriteFile("a.tex", "x\n")));
        f.prompter.answers.enqueue(MsgAnswer::Ok);
        f.prompter.openAnswers.enqueue(QStringLiteral("/opt/tl/bin/pbibtex"));
        QVERIFY(frame->Router()->Execute(IdsOf(Cmd::SelectBibTeX).japaneseId));
        QCOMPARE(f.settings->Tools().bibTeX, QStringLiteral("/opt/tl/bin/pbibtex"));
        QCOMPARE(ReadSetting(*f.store, Keys::Bib), QStringLiteral("/opt/tl/bin/pbibtex"));
    }

    void compileRunsInTheTargetFolder()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("ptex")).isEmpty())
            QSKIP("ptex is not installed");
        FrameFixture f;
        auto frame = f.MakeFrame();
        QVERIFY(frame->OpenDocumentFile(f.WriteFile("my paper.tex", "% ptex.exe\n\\bye\n")));
        QVERIFY(frame->Router()->Execute(IdsOf(Cmd::TeXCompile).japaneseId));
        QCOMPARE(f.launcher.calls.size(), 1);
        const FakeLauncher::Call &c = f.launcher.calls.first();
        QVERIFY(QFileInfo(c.program).isAbsolute()); // found, not bare
        QCOMPARE(QFileInfo(c.program).fileName() + ' ' + c.arguments.join(u'|'), "ptex my paper");
        QCOMPARE(QDir(c.workDir), QDir(f.dir.path()));
        // The first line chose the compiler for this window only.
        QCOMPARE(f.settings->Tools().compiler, QStringLiteral("ptex"));
        QCOMPARE(ReadSetting(*f.store, Keys::TeX), QStringLiteral("platex"));
    }

    void refreshLeavesReadOnlyEditorsAlone_data()
    {
        // readOnlyPane: -1: none
        Columns<Cmd, int, bool>({"split", "readOnlyPane", "logShown"});
        QTest::newRow("rows, lower editor read-only") << Cmd::SplitRow << 1 << false;
        QTest::newRow("log column, editor read-only") << Cmd::LogColumn << 1 << true;
        QTest::newRow("log row, editor writable") << Cmd::LogRow << -1 << true;
    }

    void refreshLeavesReadOnlyEditorsAlone()
    {
        QFETCH(Cmd, split);
        QFETCH(int, readOnlyPane);
        QFETCH(bool, logShown);
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
        if (readOnlyPane >= 0) {
            panes->SetActivePane(panes->Pane(readOnlyPane));
            r->RefreshActions();
            QVERIFY(r->Execute(IdsOf(Cmd::ReadWrite).englishId));
            QVERIFY(panes->Pane(readOnlyPane)->isReadOnly());
        }
        QByteArray log;
        for (int i = 0; i < 300; ++i)
            log += "log line " + QByteArray::number(i) + "\n";
        f.WriteFile("paper.log", log);
        r->RefreshActions();
        QVERIFY(r->Execute(IdsOf(Cmd::TeXCompile).englishId));
        QCOMPARE(DocumentText(frame->GetDocument()->TextDocument()).toUtf8(), source);
        QVERIFY(!frame->GetDocument()->IsModified());
        if (logShown) {
            COrrindaleView *pane = panes->Pane(0);
            QCOMPARE(pane->toPlainText().toUtf8(), log);
            QCOMPARE(pane->verticalScrollBar()->value(), pane->verticalScrollBar()->maximum());
        }
    }
};

QTEST_MAIN(TestToolchainUi)
#include "tst_toolchain_ui.moc"
