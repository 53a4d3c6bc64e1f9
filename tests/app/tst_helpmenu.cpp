#include "support/FrameFixture.h"
#include "app/HelpCommands.h"
#include "app/SettingsKeys.h"
#include "app/ui/AboutDialog.h"
#include "app/ui/CMainFrame.h"
#include "app/ui/COrrindaleDoc.h"
#include "app/ui/COrrindaleView.h"
#include "app/ui/CommandRouter.h"
#include "res/Commands.h"
#include "res/Messages.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>

Q_DECLARE_METATYPE(Cmd)

namespace {
// A one-file HTTP server on the loopback address: every request gets the same answer.
class TinyHttpServer : public QTcpServer {
public:
    QByteArray status = "200 OK";
    QByteArray body;
    int requests = 0;

    TinyHttpServer()
    {
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    m_requests[socket] += socket->readAll();
                    if (!m_requests[socket].contains("\r\n\r\n"))
                        return;
                    ++requests;
                    socket->write("HTTP/1.1 " + status + "\r\nContent-Type: text/plain\r\n"
                                  "Content-Length: " + QByteArray::number(body.size())
                                  + "\r\nConnection: close\r\n\r\n");
                    socket->write(body);
                    socket->disconnectFromHost();
                });
                connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
    }
    QString Url() const
    {
        return QStringLiteral("http://127.0.0.1:%1/VelloquinV.txt").arg(serverPort());
    }

private:
    QHash<QTcpSocket *, QByteArray> m_requests;
};

bool Run(CMainFrame &frame, Cmd cmd)
{
    frame.Router()->RefreshActions();
    return frame.Router()->Execute(IdOf(cmd, false));
}

void WriteString(FrameFixture &f, const char *key, const QString &value)
{
    f.store->WriteString(QStringLiteral("Settings"), QString::fromLatin1(key), value);
}

// A port on which nothing listens: taken from a server that is closed again.
quint16 ClosedPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}
} // namespace

class TestHelpMenu : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void helpStartsViewer_data();
    void helpStartsViewer();
    void helpFailures_data();
    void helpFailures();
    void webPage_data();
    void webPage();
    void calculator_data();
    void calculator();
    void updateAnswers_data();
    void updateAnswers();
    void updateFoundClosesWindow_data();
    void updateFoundClosesWindow();
    void updateUnreachable_data();
    void updateUnreachable();
    void aboutBox();
};

void TestHelpMenu::helpStartsViewer_data()
{
    QTest::addColumn<int>("english");
    QTest::addColumn<Cmd>("cmd");
    QTest::addColumn<QString>("file");
    QTest::newRow("description, Japanese") << 0 << Cmd::Description << "ReadMe.log";
    QTest::newRow("description, English") << 1 << Cmd::Description << "ReadMeE.log";
    QTest::newRow("calculation help, Japanese") << 0 << Cmd::CalcHelp << "HelpZel.log";
    QTest::newRow("calculation help, English") << 1 << Cmd::CalcHelp << "HelpZelE.log";
    QTest::newRow("HTML manual") << 0 << Cmd::HtmlManual << "HTMLman.log";
}

void TestHelpMenu::helpStartsViewer()
{
    QFETCH(int, english);
    QFETCH(Cmd, cmd);
    QFETCH(QString, file);
    FrameFixture f;
    WriteSetting(*f.store, Keys::English, english);
    QDir().mkpath(f.context.dataDir);
    for (const char *name : {"ReadMe.log", "ReadMeE.log", "HelpZel.log", "HelpZelE.log",
                             "HTMLman.log"})
        f.WriteFile(QStringLiteral("data/") + QLatin1String(name), "help\n");
    auto frame = f.MakeFrame();
    QVERIFY(Run(*frame, cmd));
    QCOMPARE(f.launcher.calls.size(), 1);
    const FakeLauncher::Call &call = f.launcher.calls.first();
    QCOMPARE(call.kind, FakeLauncher::Call::Detached);
    QCOMPARE(call.program, f.context.programPath);
    QCOMPARE(call.arguments, (QStringList{QStringLiteral("-w0"), QStringLiteral("-m0"), file}));
    QCOMPARE(call.workDir, f.context.dataDir);
    QCOMPARE(f.prompter.messages.size(), 0);
}

void TestHelpMenu::helpFailures_data()
{
    QTest::addColumn<int>("english");
    QTest::addColumn<bool>("fileThere");
    QTest::addColumn<bool>("starts");
    QTest::addColumn<int>("launches");
    QTest::newRow("viewer cannot start, Japanese") << 0 << true << false << 1;
    QTest::newRow("viewer cannot start, English") << 1 << true << false << 1;
    QTest::newRow("help file missing") << 0 << false << true << 0;
}

void TestHelpMenu::helpFailures()
{
    QFETCH(int, english);
    QFETCH(bool, fileThere);
    QFETCH(bool, starts);
    QFETCH(int, launches);
    FrameFixture f;
    WriteSetting(*f.store, Keys::English, english);
    QDir().mkpath(f.context.dataDir);
    if (fileThere)
        f.WriteFile(QStringLiteral("data/") + HelpFileName(HelpText::Description, english),
                    "help\n");
    f.launcher.startResults.enqueue(starts);
    auto frame = f.MakeFrame();
    QVERIFY(Run(*frame, Cmd::Description));
    QCOMPARE(f.launcher.calls.size(), launches);
    // The message is English in both languages.
    QCOMPARE(f.prompter.Texts(), QStringList{QStringLiteral("Failed to show the description")});
}

void TestHelpMenu::webPage_data()
{
    QTest::addColumn<QString>("url"); // empty: the default
    QTest::addColumn<bool>("opens");
    QTest::addColumn<int>("calls");
    QTest::newRow("default address, opener works") << QString() << true << 1;
    QTest::newRow("own address, browser by name") << "https://example.org/v/" << false << 2;
}

void TestHelpMenu::webPage()
{
    QFETCH(QString, url);
    QFETCH(bool, opens);
    QFETCH(int, calls);
    FrameFixture f;
    if (!url.isEmpty())
        WriteString(f, "WebPageURL", url);
    f.launcher.startResults << opens << false;
    auto frame = f.MakeFrame();
    QVERIFY(Run(*frame, Cmd::WebPage));
    const QString expected = url.isEmpty() ? QString::fromLatin1(Keys::WebPageUrl.defaultValue)
                                           : url;
    QCOMPARE(f.launcher.calls.size(), calls);
    QCOMPARE(f.launcher.calls.first().kind, FakeLauncher::Call::OpenFile);
    QCOMPARE(f.launcher.calls.first().program, expected);
    if (calls > 1)
        QCOMPARE(f.launcher.calls.at(1).arguments, QStringList{expected});
    // A failed web page says nothing.
    QCOMPARE(f.prompter.messages.size(), 0);
}

void TestHelpMenu::calculator_data()
{
    QTest::addColumn<QList<bool>>("results");
    QTest::addColumn<int>("tried");
    QTest::newRow("first calculator starts") << QList<bool>{true} << 1;
    QTest::newRow("second one starts") << QList<bool>{false, true} << 2;
    const int all = int(CalculatorCandidates().size());
    QTest::newRow("none installed") << QList<bool>(all, false) << all;
}

void TestHelpMenu::calculator()
{
    QFETCH(QList<bool>, results);
    QFETCH(int, tried);
    FrameFixture f;
    for (bool r : results)
        f.launcher.startResults.enqueue(r);
    auto frame = f.MakeFrame();
    QVERIFY(Run(*frame, Cmd::Calculator));
    QCOMPARE(f.launcher.calls.size(), tried);
    for (int i = 0; i < tried; ++i)
        QCOMPARE(f.launcher.calls.at(i).program, CalculatorCandidates().at(i));
    QCOMPARE(f.prompter.messages.size(), 0);
}

namespace {
const char *const kNewestEn = "This \"Velloquin\" is the newest version!!\nVersion 2500";
const char *const kNewestJa = "お使いの Velloquin エディタは最新版です。\nバージョン 2500";
const char *const kFoundEn = "Found a new version of Velloquin.exe.";
const char *const kFoundJa = "Velloquin の新しいバージョンが見つかりましたので、ダウンロードします。";
const char *const kNoBrowserEn = "Cannot execute \"internet Browser\"";
const char *const kNoBrowserJa = "インターネット ブラウザが起動できないので、ダウンロードできません。";
} // namespace

void TestHelpMenu::updateAnswers_data()
{
    QTest::addColumn<int>("english");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("expected"); // %1: the address asked
    const QString notVersionEn = MsgText(Msg::UpdateNotVersion, true);
    const QString notVersionJa = MsgText(Msg::UpdateNotVersion, false);
    QTest::newRow("same version, English") << 1 << QByteArray("2500\r\n") << kNewestEn;
    QTest::newRow("same version, Japanese") << 0 << QByteArray("2500\n") << kNewestJa;
    QTest::newRow("ten thousand sorts lower") << 1 << QByteArray("10000\n") << kNewestEn;
    QTest::newRow("empty file") << 1 << QByteArray() << kNewestEn;
    QTest::newRow("a web page instead") << 1 << QByteArray("<html><body>2501</body></html>")
                                        << notVersionEn;
    QTest::newRow("binary data, Japanese") << 0 << QByteArray("\x1f\x8b\x08\0\0\0", 6)
                                           << notVersionJa;
    QTest::newRow("ten megabytes") << 1 << QByteArray("2501\n").append(10 << 20, 'x')
                                   << notVersionEn;
}

void TestHelpMenu::updateAnswers()
{
    QFETCH(int, english);
    QFETCH(QByteArray, body);
    QFETCH(QString, expected);
    TinyHttpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost));
    server.body = body;
    FrameFixture f;
    WriteSetting(*f.store, Keys::English, english);
    WriteString(f, "UpdateURL", server.Url());
    auto frame = f.MakeFrame();
    frame->show();
    QVERIFY(Run(*frame, Cmd::CheckUpdate));
    QCOMPARE(server.requests, 1);
    if (expected.contains(QLatin1String("%1")))
        expected = expected.arg(server.Url());
    QCOMPARE(f.prompter.Texts(), QStringList{expected});
    QCOMPARE(f.launcher.calls.size(), 0);
    QVERIFY(frame->isVisible());
}

void TestHelpMenu::updateFoundClosesWindow_data()
{
    QTest::addColumn<int>("english");
    QTest::addColumn<bool>("modified");
    QTest::addColumn<QList<MsgAnswer>>("savePrompt"); // empty: none expected
    QTest::addColumn<bool>("browser");
    QTest::addColumn<bool>("closed");
    QTest::newRow("unmodified: closes at once") << 1 << false << QList<MsgAnswer>{} << true
                                                << true;
    QTest::newRow("modified, not saved: closes") << 0 << true
                                                 << QList<MsgAnswer>{MsgAnswer::No} << true
                                                 << true;
    QTest::newRow("modified, save prompt cancelled: stays") << 1 << true
                                                            << QList<MsgAnswer>{MsgAnswer::Cancel}
                                                            << true << false;
    QTest::newRow("no browser: stays, no save prompt") << 1 << true << QList<MsgAnswer>{}
                                                       << false << false;
    QTest::newRow("no browser, Japanese") << 0 << false << QList<MsgAnswer>{} << false << false;
}

void TestHelpMenu::updateFoundClosesWindow()
{
    QFETCH(int, english);
    QFETCH(bool, modified);
    QFETCH(QList<MsgAnswer>, savePrompt);
    QFETCH(bool, browser);
    QFETCH(bool, closed);
    TinyHttpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost));
    server.body = "2501\r\nVelloquin 2.5.0.1\r\n";
    FrameFixture f;
    WriteSetting(*f.store, Keys::English, english);
    WriteString(f, "UpdateURL", server.Url());
    WriteString(f, "DownloadURL", QStringLiteral("https://example.org/Velloquin.zip"));
    auto frame = f.MakeFrame();
    frame->show();
    if (modified)
        frame->GetActiveView()->insertPlainText(QStringLiteral("unsaved words"));
    QCOMPARE(frame->GetDocument()->IsModified(), modified);
    f.prompter.answers << MsgAnswer::Ok << MsgAnswer::Ok;
    f.prompter.answers.append(savePrompt);
    if (!browser) {
        f.launcher.startResults << false << false;
        f.prompter.answers << MsgAnswer::Ok;
    }

    QVERIFY(Run(*frame, Cmd::CheckUpdate));

    QStringList expected{QStringLiteral("2501"),
                         QString::fromUtf8(english ? kFoundEn : kFoundJa)};
    if (!browser)
        expected << QString::fromUtf8(english ? kNoBrowserEn : kNoBrowserJa);
    else if (!savePrompt.isEmpty())
        expected << MsgText(Msg::AskToSave, english).arg(frame->GetDocument()->Title());
    QCOMPARE(f.prompter.Texts(), expected);
    QCOMPARE(f.prompter.unexpected, 0);
    QVERIFY(!f.launcher.calls.isEmpty());
    QCOMPARE(f.launcher.calls.first().kind, FakeLauncher::Call::OpenFile);
    QCOMPARE(f.launcher.calls.first().program,
             QStringLiteral("https://example.org/Velloquin.zip"));
    QCOMPARE(frame->isVisible(), !closed);
    // Whatever happened, the unsaved text is still there while the window is.
    if (!closed && modified)
        QVERIFY(frame->GetActiveView()->toPlainText().contains(QStringLiteral("unsaved words")));
}

void TestHelpMenu::updateUnreachable_data()
{
    QTest::addColumn<int>("english");
    QTest::addColumn<QString>("how");
    QTest::newRow("connection refused, English") << 1 << "refused";
    QTest::newRow("connection refused, Japanese") << 0 << "refused";
    QTest::newRow("file not on the server") << 1 << "404";
    QTest::newRow("not an address") << 1 << "bad";
}

void TestHelpMenu::updateUnreachable()
{
    QFETCH(int, english);
    QFETCH(QString, how);
    TinyHttpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost));
    server.status = "404 Not Found";
    server.body = "2501\n";
    QString url = server.Url();
    if (how == QLatin1String("refused"))
        url = QStringLiteral("http://127.0.0.1:%1/VelloquinV.txt").arg(ClosedPort());
    else if (how == QLatin1String("bad"))
        url = QStringLiteral("VelloquinV.txt");
    FrameFixture f;
    WriteSetting(*f.store, Keys::English, english);
    WriteString(f, "UpdateURL", url);
    auto frame = f.MakeFrame();
    frame->show();
    QVERIFY(Run(*frame, Cmd::CheckUpdate));
    QCOMPARE(f.prompter.messages.size(), 1);
    // The reason comes from the network layer; the rest of the text is ours.
    const QStringList parts = MsgText(Msg::UpdateUnreachable, english).arg(url).split(
        QStringLiteral("%2"));
    QCOMPARE(parts.size(), 2);
    const QString text = f.prompter.messages.first().text;
    QVERIFY2(text.startsWith(parts.at(0)) && text.endsWith(parts.at(1)), qPrintable(text));
    QVERIFY(text.size() > parts.at(0).size() + parts.at(1).size());
    QCOMPARE(f.launcher.calls.size(), 0);
    QVERIFY(frame->isVisible());
}

void TestHelpMenu::aboutBox()
{
    FrameFixture f;
    auto frame = f.MakeFrame();
    frame->show();
    QString memory, disk, title;
    // The box is modal: read it and close it from the event loop it runs.
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            auto *dialog = qobject_cast<CAboutDialog *>(w);
            if (!dialog || !dialog->isVisible())
                continue;
            poll.stop();
            title = dialog->windowTitle();
            memory = dialog->MemoryField()->text();
            disk = dialog->DiskField()->text();
            dialog->accept();
        }
    });
    poll.start(10);
    QVERIFY(Run(*frame, Cmd::About));
    QCOMPARE(title, QStringLiteral("About Velloquin Editor"));
    QVERIFY2(QRegularExpression(QStringLiteral("^[1-9][0-9]* KB$")).match(memory).hasMatch(),
             qPrintable(memory));
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("^[0-9]+ KB Free on (.+)$")).match(disk);
    QVERIFY2(m.hasMatch(), qPrintable(disk));
    QVERIFY2(QDir::current().canonicalPath().startsWith(m.captured(1)), qPrintable(disk));
}

QTEST_MAIN(TestHelpMenu)
#include "tst_helpmenu.moc"
