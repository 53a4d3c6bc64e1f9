// The window side of the TeX commands: the console a run shows, the paper-size dialog, and
// the commands wired to the view's toolchain.

#include "support/Columns.h"
#include "support/FakeToolchainHost.h"
#include "support/EditorFixture.h"
#include "app/SettingsKeys.h"
#include "app/ui/COrrindaleDoc.h"
#include "app/ui/CPaneSplitter.h"
#include "app/ui/ProcessLauncher.h"
#include "toolchain/CToolchain.h"
#include "toolchain/ui/CConsoleDialog.h"

#include <QDockWidget>
#include <QLineEdit>
#include <QMainWindow>
#include <QStatusBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

namespace {
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
    }

    void console()
    {
        QFETCH(QString, script);
        QFETCH(QString, answer);
        QFETCH(int, exitCode);
        QFETCH(QString, output);
        QTemporaryDir dir;
        QMainWindow owner;
        CConsoleDialog console(true, &owner);
        QTimer::singleShot(script.isEmpty() ? 0 : 200, &console, [&] {
            if (exitCode == 9)
                console.StopButton()->click();
            console.Input()->setText(answer);
            QTest::keyClick(console.Input(), Qt::Key_Return);
        });
        CloseAfterFailure closer;
        const QString program = script.isEmpty() ? VELLOQUIN_FIXTURES_DIR "/faketex/asks.sh" : "/bin/sh";
        const QStringList args = script.isEmpty() ? QStringList{} : QStringList{"-c", script};
        QCOMPARE(console.Run(program, args, dir.path()), exitCode);
        QCOMPARE(closer.closed, int(exitCode == 7 || exitCode == 1));
        // Only a run the user ended says so in the window's status bar.
        QCOMPARE(owner.statusBar()->currentMessage().contains("was stopped"), exitCode == 9 || exitCode == 1);
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
        FrameFixture f;
        f.WriteFile("bad.tex", "\\documentclass{jarticle}\n\\begin{document}\n" + body + "\\end{document}\n");
        MemorySettingsStore store;
        FakePrompter prompter;
        FakeToolchainHost host;
        ProcessLauncher processes;
        CConsoleLauncher console(processes, true);
        ToolSettings settings;
        CToolchain tools(host, console, prompter, store, settings, true);
        host.files = DocumentFiles::Of(f.FilePath("bad.tex"), QString());
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
        QVERIFY(ReadFile(f.FilePath(QStringLiteral("bad.log"))).contains("\n? x"));
        QCOMPARE(QFile::exists(f.FilePath(QStringLiteral("bad.dvi"))), refreshes == 0);
        QCOMPARE(host.logPaneTexts.size(), refreshes);
        QVERIFY(prompter.messages.isEmpty());
    }

    void consoleWithoutProgram()
    {
        QCOMPARE(CConsoleDialog(true).Run(QStringLiteral("/nonexistent/platex"), {}, QDir::tempPath()), -1);
    }

    void choiceStaysWithTheView()
    {
        FrameFixture f;
        auto frame = f.MakeFrame();
        QVERIFY(frame->OpenDocumentFile(f.WriteFile("a.tex", "x\n")));
        f.prompter.answers.enqueue(MsgAnswer::Ok);
        f.prompter.openAnswers.enqueue(QStringLiteral("/opt/tl/bin/pbibtex"));
        QVERIFY(RunCommand(*frame, Cmd::SelectBibTeX));
        QCOMPARE(ReadSetting(*f.store, Keys::Bib), QStringLiteral("/opt/tl/bin/pbibtex"));
    }

    void compileRunsInTheTargetFolder_data()
    {
        // preview: the PDF Preview item given first; args: what the compiler got
        Columns<QByteArray, bool, QString>({"firstLine", "preview", "args"});
        QTest::newRow("first-line compiler") << QByteArray("% ptex.exe\n") << false << "ptex my paper";
        QTest::newRow("first-line compiler, preview on") << QByteArray("% ptex.exe\n") << true << "ptex -synctex=1|my paper";
        QTest::newRow("stored compiler, preview on") << QByteArray() << true << "platex -synctex=1|my paper";
    }
    // The preview's dock follows its menu item, and only while it is shown does the compiler
    // write SyncTeX data.
    void compileRunsInTheTargetFolder()
    {
        QFETCH(QByteArray, firstLine);
        QFETCH(bool, preview);
        QFETCH(QString, args);
        for (const char *tool : {"ptex", "platex"})
            if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
                QSKIP("ptex and platex are not installed");
        FrameFixture f;
        auto frame = f.MakeFrame();
        QVERIFY(frame->OpenDocumentFile(f.WriteFile("my paper.tex", firstLine + "\\bye\n")));
        auto *dock = frame->findChild<QDockWidget *>("PdfPreview");
        QVERIFY(dock && dock->isHidden());
        if (preview)
            QVERIFY(RunCommand(*frame, Cmd::PdfPreview) && !dock->isHidden());
        QVERIFY(RunCommand(*frame, Cmd::TeXCompile));
        QCOMPARE(f.launcher.calls.size(), 1);
        const FakeLauncher::Call &c = f.launcher.calls.first();
        QVERIFY(QFileInfo(c.program).isAbsolute()); // found, not bare
        QCOMPARE(QFileInfo(c.program).fileName() + ' ' + c.arguments.join(u'|'), args);
        QCOMPARE(QDir(c.workDir), QDir(f.dir.path()));
        QCOMPARE(ReadSetting(*f.store, Keys::TeX), QStringLiteral("platex")); // chosen for this window only
        QVERIFY(RunCommand(*frame, Cmd::PdfPreview));
        QCOMPARE(dock->isHidden(), preview);
    }

    // A compile refreshes the log pane, scrolled to its end, and leaves a read-only editor and
    // the document alone.
    void refreshLeavesReadOnlyEditorsAlone()
    {
        FrameFixture f;
        auto frame = f.MakeFrame();
        frame->resize(800, 600);
        frame->show();
        const QByteArray source = "\\documentclass{jarticle}\n\\begin{document}\nx\n";
        QVERIFY(frame->OpenDocumentFile(f.WriteFile("paper.tex", source)));
        f.WriteFile("paper.log", "old log\n");
        QVERIFY(RunCommand(*frame, Cmd::LogColumn));
        CPaneSplitter *panes = frame->Panes();
        panes->SetActivePane(panes->Pane(1));
        QVERIFY(RunCommand(*frame, Cmd::ReadWrite) && panes->Pane(1)->isReadOnly());
        QByteArray logText;
        for (int i = 0; i < 300; ++i)
            logText += "log line " + QByteArray::number(i) + "\n";
        f.WriteFile("paper.log", logText);
        QVERIFY(RunCommand(*frame, Cmd::TeXCompile));
        QCOMPARE(DocumentText(frame->GetDocument()->TextDocument()).toUtf8(), source);
        QVERIFY(!frame->GetDocument()->IsModified());
        COrrindaleView *log = panes->Pane(0);
        QCOMPARE(log->toPlainText().toUtf8(), logText);
        QCOMPARE(log->verticalScrollBar()->value(), log->verticalScrollBar()->maximum());
    }
};

QTEST_MAIN(TestToolchainUi)
#include "tst_toolchain_ui.moc"
