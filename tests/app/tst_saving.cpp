// Saving and recovery in the window: the wiring from keys to the file on disk and back.
#include "app/ui/COrrindaleDoc.h"
#include "support/EditorFixture.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTest>
#include <QUrl>

namespace {
QStringList Copies(const QString &folder)
{
    return QDir(folder).entryList({"*.recovery"}, QDir::Files);
}

const QByteArray Original("\\section{a}\n");
const char *const ChildRole = "VELLOQUIN_TEST_TYPE_AND_WAIT";

// The child's part: a window on the file (none: untitled) types and runs until it is killed.
int TypeAndWait(const QString &file, const QString &folder)
{
    FrameFixture f;
    f.context.recoveryDir = folder;
    std::unique_ptr<CMainFrame> frame = f.MakeFrame();
    if (!file.isEmpty() && !frame->OpenDocumentFile(file))
        return 2;
    QTest::keyClicks(frame->GetActiveView(), "typed");
    return QApplication::exec();
}

} // namespace

class TestSaving : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void save();
    void newFileMadeByTheFirstSave();
    void recoveryAfterAKill_data();
    void recoveryAfterAKill();
};

// A file named at start that does not exist yet is an empty document of that name, in the mode
// of its extension; the first save makes it.
void TestSaving::newFileMadeByTheFirstSave()
{
    FrameFixture f;
    std::unique_ptr<CMainFrame> frame = f.MakeFrame();
    const QString path = f.FilePath("new.tex");
    frame->NewDocument(path);
    QVERIFY(frame->GetDocument()->Title() == "new.tex" && frame->GetActiveView()->IsTeXDocument() && !QFile::exists(path));
    QTest::keyClicks(frame->GetActiveView(), "x");
    QVERIFY(RunCommand(*frame, Cmd::FileSave) && ReadFile(path) == "x");
    QVERIFY(f.prompter.messages.isEmpty() && !QFile::exists(path + ".bak"));
}

// Every character reaches the file as UTF-8; the .bak keeps the bytes from before the first
// save, however often the text is saved; without backups none is made.
void TestSaving::save()
{
    const QByteArray original = QString::fromUtf8("a\u2028b\u2029c\uFDD0d\uFDD1e\u00A0f\r\nold\r\n").toUtf8();
    EditorFixture e(original);
    const QString path = e.f.FilePath("doc.tex");
    QVERIFY(e.Enabled(Cmd::FileSave)); // in Japanese even while unmodified
    e.Select(0, 0);
    QTest::keyClick(e.view, Qt::Key_X);
    QVERIFY(e.Run(Cmd::FileSave) && e.Run(Cmd::FileSave));
    QCOMPARE(ReadFile(path), "x" + QByteArray(original).replace("\r\n", "\n"));
    QCOMPARE(ReadFile(path + ".bak"), original);
    QVERIFY(!e.frame->GetDocument()->IsModified() && e.f.prompter.messages.isEmpty());
    QVERIFY(e.State(Cmd::BackupMode).checked && e.Run(Cmd::BackupMode) && !e.State(Cmd::BackupMode).checked);
    QVERIFY(QFile::remove(path + ".bak"));
    QTest::keyClick(e.view, Qt::Key_Y);
    QVERIFY(e.Run(Cmd::FileSave));
    QVERIFY(!QFileInfo::exists(path + ".bak") && !e.Enabled(Cmd::DeleteBackup));
}

void TestSaving::recoveryAfterAKill_data()
{
    QTest::addColumn<bool>("untitled");
    QTest::addColumn<QString>("copy"); // "typed", or "damaged": written by the test itself
    QTest::addColumn<int>("answer");
    QTest::newRow("a file, taken back") << false << "typed" << int(MsgAnswer::Yes);
    QTest::newRow("a file, not taken") << false << "typed" << int(MsgAnswer::No);
    QTest::newRow("untitled, taken back") << true << "typed" << int(MsgAnswer::Yes);
    QTest::newRow("a damaged copy is reported and kept") << false << "damaged" << int(MsgAnswer::Ok);
}

void TestSaving::recoveryAfterAKill()
{
    QFETCH(bool, untitled);
    QFETCH(QString, copy);
    QFETCH(int, answer);
    FrameFixture f;
    const QString folder = f.FilePath("recovery");
    const QString file = untitled ? QString() : f.WriteFile("doc.tex", Original);
    if (!untitled) {
        // Older than any copy, even one written within the same tick of the clock.
        QFile doc(file);
        QVERIFY(doc.open(QIODevice::ReadWrite));
        QVERIFY(doc.setFileTime(QDateTime::currentDateTime().addSecs(-60), QFileDevice::FileModificationTime));
    }
    f.context.recoveryDir = folder;

    if (copy == u"typed") {
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(ChildRole, "1");
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), {file, folder});
        QVERIFY(child.waitForStarted());
        // The copy is due a moment after the typing stops.
        QTRY_COMPARE_WITH_TIMEOUT(Copies(folder).size(), 1, 10000);
        QTRY_VERIFY(ReadFile(folder + "/" + Copies(folder).first()).contains("typed"));
        child.kill(); // SIGKILL: nothing of the window's own ending runs
        QVERIFY(child.waitForFinished());
    } else {
        QDir().mkpath(folder);
        f.WriteFile("recovery/1-0.recovery", "Velloquin recovery 1\n" + QUrl::toPercentEncoding(file) + "\n99\nshort");
    }
    const QStringList left = Copies(folder);

    f.prompter.answers.enqueue(MsgAnswer(answer));
    std::unique_ptr<CMainFrame> frame = f.MakeFrame();
    if (!untitled)
        QVERIFY(frame->OpenDocumentFile(file));
    COrrindaleDoc *doc = frame->GetDocument();
    QCOMPARE(f.prompter.messages.size(), 1);
    QCOMPARE(f.prompter.unexpected, 0);
    const bool back = answer == int(MsgAnswer::Yes);
    const QByteArray shown = untitled ? QByteArray() : Original;
    QCOMPARE(DocumentText(doc->TextDocument()).toUtf8(), back ? "typed" + shown : shown);
    QCOMPARE(doc->IsModified(), back);
    QCOMPARE(Copies(folder), answer == int(MsgAnswer::No) ? QStringList() : left);
    if (back) {
        // Undo goes back to the file's text, unmodified.
        QVERIFY(RunCommand(*frame, Cmd::Undo));
        QVERIFY(!doc->IsModified());
    }
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (qEnvironmentVariableIsSet(ChildRole))
        return TypeAndWait(app.arguments().value(1), app.arguments().value(2));
    TestSaving test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_saving.moc"
