#include "support/Columns.h"
#include "support/EditorFixture.h"
#include "app/HelpCommands.h"
#include "app/ui/AboutDialog.h"
#include "app/ui/COrrindaleDoc.h"
#include "res/Messages.h"

#include <QDir>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QTcpServer>
#include <QStatusBar>
#include <QTcpSocket>
#include <QTimer>
#include <QTest>

namespace {
// A one-file HTTP server on the loopback address: every request gets the same answer.
class TinyHttpServer : public QTcpServer {
public:
    QByteArray status = "200 OK";
    QByteArray body;
    enum Mode { Answer, Silent, Trickle } mode = Answer; // Trickle: a byte now and then, never done
    int requests = 0;

    explicit TinyHttpServer(Mode m = Answer)
        : mode(m)
    {
        listen(QHostAddress::LocalHost);
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    if (!(m_requests[socket] += socket->readAll()).contains("\r\n\r\n"))
                        return;
                    ++requests;
                    if (mode == Trickle) {
                        socket->write("HTTP/1.1 200 OK\r\nContent-Length: 99999\r\n\r\n");
                        auto *t = new QTimer(socket);
                        connect(t, &QTimer::timeout, socket, [socket] { socket->write("2"); });
                        t->start(50);
                    }
                    if (mode != Answer)
                        return;
                    socket->write("HTTP/1.1 " + status + "\r\nContent-Length: " + QByteArray::number(body.size())
                                  + "\r\nConnection: close\r\n\r\n" + body);
                    socket->disconnectFromHost();
                });
                connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
    }
    QString Url() const { return QStringLiteral("http://127.0.0.1:%1/VelloquinV.txt").arg(serverPort()); }

private:
    QHash<QTcpSocket *, QByteArray> m_requests;
};

// A window in the language asked for, whose update check asks url.
std::unique_ptr<CMainFrame> Frame(FrameFixture &f, bool english, const QString &url = {})
{
    if (!url.isEmpty())
        f.store->WriteString("Settings", "UpdateURL", url);
    f.SetEnglish(english);
    auto frame = f.MakeFrame();
    frame->show();
    return frame;
}
} // namespace

// The help menu's commands as the user gives them; the rules behind them are tested in the core.
class TestHelpMenu : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void helpStartsViewer_data()
    {
        Columns<bool, Cmd, QString, bool>({"english", "cmd", "file", "starts"}); // file empty: missing
        QTest::newRow("calculation help, English") << true << Cmd::CalcHelp << "HelpZelE.log" << true;
        QTest::newRow("viewer cannot start, Japanese") << false << Cmd::Description << "ReadMe.log" << false;
        QTest::newRow("help file missing") << false << Cmd::HtmlManual << "" << true;
    }
    void helpStartsViewer()
    {
        QFETCH(bool, english);
        QFETCH(Cmd, cmd);
        QFETCH(QString, file);
        QFETCH(bool, starts);
        FrameFixture f;
        QDir().mkpath(f.context.dataDir);
        if (!file.isEmpty())
            f.WriteFile("data/" + file, "help\n");
        f.launcher.startResults << starts;
        QVERIFY(RunCommand(*Frame(f, english), cmd));
        QCOMPARE(f.launcher.calls.size(), file.isEmpty() ? 0 : 1);
        if (!file.isEmpty()) {
            const FakeLauncher::Call &call = f.launcher.calls.first();
            QCOMPARE(call.kind, FakeLauncher::Call::Detached);
            QCOMPARE(call.program, f.context.programPath);
            QCOMPARE(call.arguments, (QStringList{"-w0", "-m0", file}));
            QCOMPARE(call.workDir, f.context.dataDir);
        }
        // The message is English in both languages.
        QCOMPARE(f.prompter.Texts(), starts && !file.isEmpty() ? QStringList() : QStringList{"Failed to show the description"});
    }

    // The web page and the calculator are started without a box when they cannot be; the
    // page's failure is told in the status bar.
    void programsStartedSilently()
    {
        FrameFixture f;
        f.store->WriteString("Settings", "WebPageURL", "https://example.org/v/");
        auto frame = Frame(f, false);
        f.launcher.startResults << false << false; // no opener: the browser by name, which fails
        QVERIFY(RunCommand(*frame, Cmd::WebPage));
        QCOMPARE(f.launcher.calls.size(), 2);
        QCOMPARE(f.launcher.calls[0].program, QStringLiteral("https://example.org/v/"));
        QCOMPARE(f.launcher.calls[1].arguments, QStringList{"https://example.org/v/"});
        QCOMPARE(frame->statusBar()->currentMessage(), MsgText(Msg::BrowserOpenFailed, false).arg("https://example.org/v/"));
        f.launcher.startResults << false << true;
        QVERIFY(RunCommand(*frame, Cmd::Calculator));
        QCOMPARE(f.launcher.calls.size(), 4);
        QCOMPARE(f.launcher.calls[3].program, CalculatorCandidates().at(1));
        QCOMPARE(f.prompter.messages.size(), 0);
    }

    // A newer version is downloaded in the browser and the window closes, unless the user
    // keeps the text or there is no browser.
    void updateFoundClosesWindow_data()
    {
        // closed: for a modified text the save prompt is answered No, else Cancel
        Columns<bool, bool, bool, bool>({"english", "modified", "browser", "closed"});
        QTest::newRow("modified, not saved: closes") << false << true << true << true;
        QTest::newRow("modified, save prompt cancelled: stays") << true << true << true << false;
        QTest::newRow("no browser: stays, no save prompt") << false << true << false << false;
    }
    void updateFoundClosesWindow()
    {
        QFETCH(bool, english);
        QFETCH(bool, modified);
        QFETCH(bool, browser);
        QFETCH(bool, closed);
        TinyHttpServer server;
        server.body = "2501\r\nVelloquin 2.5.0.1\r\n";
        FrameFixture f;
        f.store->WriteString("Settings", "DownloadURL", "https://example.org/Velloquin.zip");
        auto frame = Frame(f, english, server.Url());
        if (modified)
            frame->GetActiveView()->insertPlainText(QStringLiteral("unsaved words"));
        f.prompter.answers << MsgAnswer::Ok << MsgAnswer::Ok << (closed ? MsgAnswer::No : MsgAnswer::Cancel);
        if (!browser)
            f.launcher.startResults << false << false;
        QVERIFY(RunCommand(*frame, Cmd::CheckUpdate));
        QTRY_VERIFY(!f.prompter.messages.isEmpty());
        QStringList expected{"2501", english ? "Found a new version of Velloquin." : "Velloquin の新しいバージョンが見つかりましたので、ダウンロードします。"};
        if (!browser)
            expected << (english ? "Cannot execute \"internet Browser\"" : "インターネット ブラウザが起動できないので、ダウンロードできません。");
        else if (modified)
            expected << MsgText(Msg::AskToSave, english).arg(frame->GetDocument()->Title());
        QCOMPARE(f.prompter.Texts(), expected);
        QCOMPARE(f.launcher.calls.value(0).program, QStringLiteral("https://example.org/Velloquin.zip"));
        QCOMPARE(frame->isVisible(), !closed);
        if (!closed)
            QVERIFY(frame->GetActiveView()->toPlainText().contains(QStringLiteral("unsaved words")));
    }

    // The check runs behind a note while the window takes typing; a server that never answers
    // or never finishes is given up at the limit; Cancel ends the wait without a word.
    void updateCheckInBackground_data()
    {
        Columns<int, bool>({"mode", "cancel"});
        QTest::newRow("silent server: the limit") << int(TinyHttpServer::Silent) << false;
        QTest::newRow("trickling server: the limit") << int(TinyHttpServer::Trickle) << false;
        QTest::newRow("Cancel") << int(TinyHttpServer::Silent) << true;
    }
    void updateCheckInBackground()
    {
        QFETCH(int, mode);
        QFETCH(bool, cancel);
        TinyHttpServer server{TinyHttpServer::Mode(mode)};
        FrameFixture f;
        auto frame = Frame(f, true, server.Url());
        f.context.updateTimeoutMs = 500;
        auto *note = RunCommand(*frame, Cmd::CheckUpdate) ? frame->findChild<QProgressDialog *>() : nullptr;
        QVERIFY(note && note->isVisible()); // the command is over, the check goes on
        QTest::keyClicks(frame->GetActiveView(), "typed");
        QCOMPARE(frame->GetActiveView()->toPlainText(), QStringLiteral("typed"));
        if (cancel)
            QTest::mouseClick(note->findChild<QPushButton *>(), Qt::LeftButton);
        QTRY_VERIFY(!frame->findChild<QProgressDialog *>());
        QCOMPARE(f.prompter.Texts(), cancel ? QStringList() : QStringList{MsgText(Msg::UpdateUnreachable, true).arg(server.Url(), "no answer in time")});
    }

    // The box shows this machine's figures; their form is tested in the core.
    void aboutBox()
    {
        FrameFixture f;
        QString title, memory;
        WhenModal([&](QWidget *w) {
            title = w->windowTitle();
            memory = qobject_cast<CAboutDialog *>(w)->MemoryField()->text();
        });
        QVERIFY(RunCommand(*Frame(f, true), Cmd::About));
        QCOMPARE(title, QStringLiteral("About Velloquin Editor"));
        QVERIFY2(memory.endsWith(u" KB") && memory.section(u' ', 0, 0).toLongLong() > 0, qPrintable(memory));
    }
};

QTEST_MAIN(TestHelpMenu)
#include "tst_helpmenu.moc"
