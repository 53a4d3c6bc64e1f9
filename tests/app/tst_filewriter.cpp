#include "support/Columns.h"
#include "app/FileWriter.h"
#include "app/Recovery.h"
#include "app/TextFile.h"
#include "calc/HtmlExport.h"
#include "input/MergeCommandFiles.h"

#include <QtTest>

#include <cerrno>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {
QStringList Entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name);
}

// The real file system, failing at the listed calls ("Write#2": the second write) with the
// reason of a full disk.
class FaultyFileSystem : public SaveFileSystem {
public:
    explicit FaultyFileSystem(const QStringList &faults) : m_faults(faults) {}
    bool Create(const QString &path) override { return Step("Create") && m_real->Create(path); }
    bool Write(const QByteArray &bytes) override { return Step("Write") && m_real->Write(bytes); }
    bool Flush() override { return Step("Flush") && m_real->Flush(); }
    bool Sync() override { return Step("Sync") && m_real->Sync(); }
    bool Close() override { const bool ok = Step("Close"); return m_real->Close() && ok; } // a failed close still closes
    bool SetPermissions(const QString &path, QFileDevice::Permissions p) override { return Step("SetPermissions") && m_real->SetPermissions(path, p); }
    bool Link(const QString &existing, const QString &newName) override { return Step("Link") && m_real->Link(existing, newName); }
    bool Read(const QString &path, QByteArray &bytes) override { return Step("Read") && m_real->Read(path, bytes); }
    bool Rename(const QString &from, const QString &to) override { return Step("Rename") && m_real->Rename(from, to); }
    bool Remove(const QString &path) override { return m_real->Remove(path); }
    QString ErrorString() const override { return m_failed ? m_reason : m_real->ErrorString(); }

private:
    bool Step(const char *name)
    {
        const int n = ++m_counts[QLatin1String(name)];
        m_failed = m_faults.contains(QStringLiteral("%1#%2").arg(QLatin1String(name)).arg(n));
        return !m_failed;
    }
    QStringList m_faults;
    QHash<QString, int> m_counts;
    bool m_failed = false;
    const QString m_reason = qt_error_string(ENOSPC);
    std::unique_ptr<SaveFileSystem> m_real = MakeRealFileSystem();
};

const QByteArray OldFile("old text\n");
const QByteArray OldBackup("older text\n");
const QByteArray NewFile("new text\n");
const QString RecoveredText = HoldWidgetBreaks(QString::fromUtf8("日本語\u2029\n"));

void Age(const QString &path, qint64 seconds)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite) && file.setFileTime(QDateTime::currentDateTime().addSecs(-seconds), QFileDevice::FileModificationTime));
}
} // namespace

class TestFileWriter : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void failureAtEachStep_data()
    {
        // outcome: "failed", "saved" or "saved, old .bak kept"
        Columns<QStringList, QString>({"faults", "outcome"});
        QTest::newRow("create") << QStringList{"Create#1"} << "failed";
        QTest::newRow("write") << QStringList{"Write#1"} << "failed";
        QTest::newRow("flush") << QStringList{"Flush#1"} << "failed";
        QTest::newRow("sync") << QStringList{"Sync#1"} << "failed";
        QTest::newRow("close") << QStringList{"Close#1"} << "failed";
        QTest::newRow("permissions") << QStringList{"SetPermissions#1"} << "failed";
        QTest::newRow("link: a copy instead") << QStringList{"Link#1"} << "saved";
        QTest::newRow("link, then reading the copy") << QStringList{"Link#1", "Read#1"} << "failed";
        QTest::newRow("link, then the copy's write") << QStringList{"Link#1", "Write#2"} << "failed";
        QTest::newRow("link, then the copy's sync") << QStringList{"Link#1", "Sync#2"} << "failed";
        QTest::newRow("link, then the copy's close") << QStringList{"Link#1", "Close#2"} << "failed";
        QTest::newRow("rename over the document") << QStringList{"Rename#1"} << "failed";
        QTest::newRow("rename over the .bak") << QStringList{"Rename#2"} << "saved, old .bak kept";
    }
    void failureAtEachStep()
    {
        QFETCH(QStringList, faults);
        QFETCH(QString, outcome);
        QTemporaryDir dir;
        const QString path = dir.filePath("doc.tex");
        WriteBytes(path, OldFile);
        WriteBytes(path + ".bak", OldBackup);

        FaultyFileSystem fs(faults);
        const WriteResult result = WriteFileSafely(path, NewFile, WriteOptions{true, {}}, fs);

        const bool failed = outcome == u"failed";
        QCOMPARE(result.error, failed ? WriteError::Failed : WriteError::None);
        QCOMPARE(result.backupFailed, outcome == u"saved, old .bak kept");
        QCOMPARE(ReadBytes(path), failed ? OldFile : NewFile);
        QCOMPARE(ReadBytes(path + ".bak"), outcome == u"saved" ? OldFile : OldBackup);
        QCOMPARE(Entries(dir.path()), (QStringList{"doc.tex", "doc.tex.bak"}));
        if (failed) {
            QCOMPARE(result.detail, qt_error_string(ENOSPC));
            QCOMPARE(SaveErrorMessage(result, path, true), "The file could not be saved; the file on disk is unchanged:\n" + QDir::toNativeSeparators(path) + "\n" + qt_error_string(ENOSPC));
        }
    }

    void backup_data()
    {
        // oldBackup: "none", "file" or "folder"; backupAfter: "" for none, "folder" when left as it was
        Columns<bool, QString, bool, QByteArray>({"fileExists", "oldBackup", "makeBackup", "backupAfter"});
        QTest::newRow("backup off") << true << "file" << false << OldBackup;
        QTest::newRow("backup on, no file yet") << false << "file" << true << OldBackup;
        QTest::newRow("backup on") << true << "none" << true << OldFile;
        QTest::newRow("backup on replaces an old .bak") << true << "file" << true << OldFile;
        QTest::newRow(".bak is a folder") << true << "folder" << true << QByteArray("folder");
    }
    void backup()
    {
        QFETCH(bool, fileExists);
        QFETCH(QString, oldBackup);
        QFETCH(bool, makeBackup);
        QFETCH(QByteArray, backupAfter);
        QTemporaryDir dir;
        const QString path = dir.filePath("doc.tex");
        const QString bak = path + ".bak";
        // An existing file keeps its permissions, the run bit included.
        if (fileExists)
            QVERIFY(QFile::setPermissions(WriteBytes(path, OldFile), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup));
        const QFileDevice::Permissions mode = QFile::permissions(path);
        if (oldBackup == u"file")
            WriteBytes(bak, OldBackup);
        else if (oldBackup == u"folder")
            QVERIFY(QDir().mkpath(bak + "/inside"));

        const WriteResult result = WriteFileSafely(path, NewFile, WriteOptions{makeBackup, {}});
        QCOMPARE(result.error, WriteError::None);
        QCOMPARE(result.backupFailed, backupAfter == "folder");
        QCOMPARE(result.stamp, StampOf(path));
        QCOMPARE(ReadBytes(path), NewFile);
        if (fileExists)
            QCOMPARE(QFile::permissions(path), mode);
        if (backupAfter == "folder")
            QVERIFY(QFileInfo::exists(bak + "/inside"));
        else
            QCOMPARE(ReadBytes(bak), backupAfter);
        QCOMPARE(Entries(dir.path()), (QStringList{"doc.tex", "doc.tex.bak"}));
    }

    void refusesReadOnly_data()
    {
        QTest::addColumn<bool>("folderReadOnly");
        QTest::newRow("read-only file") << false;
        QTest::newRow("read-only folder") << true;
    }
    void refusesReadOnly()
    {
        QFETCH(bool, folderReadOnly);
        QTemporaryDir dir;
        const QString path = dir.filePath("doc.tex");
        WriteBytes(path, OldFile);
        const QString locked = folderReadOnly ? dir.path() : path;
        const QFileDevice::Permissions before = QFile::permissions(locked);
        QVERIFY(QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        const WriteResult result = WriteFileSafely(path, NewFile, WriteOptions{true, {}});
        QVERIFY(QFile::setPermissions(locked, before));
        QCOMPARE(result.error, WriteError::ReadOnly);
        QCOMPARE(ReadBytes(path), OldFile);
        QCOMPARE(Entries(dir.path()), QStringList{"doc.tex"});
        QVERIFY(SaveErrorMessage(result, path, false).startsWith(QString::fromUtf8("ファイルまたはフォルダが読み取り専用のため")));
    }

    void writesThroughLinks_data()
    {
        QTest::addColumn<QStringList>("chain"); // links from the path opened to the file
        QTest::newRow("a link to a file") << QStringList{"doc.tex"};
        QTest::newRow("a link to a link, in another folder") << QStringList{"mid.tex", "sub/doc.tex"};
    }
    void writesThroughLinks()
    {
        QFETCH(QStringList, chain);
        QTemporaryDir dir;
        QVERIFY(QDir().mkpath(dir.filePath("sub")));
        const QString target = dir.filePath(chain.last());
        WriteBytes(target, OldFile);
        QString linkedTo = target;
        for (int i = chain.size() - 2; i >= 0; --i) {
            QVERIFY(QFile::link(linkedTo, dir.filePath(chain[i])));
            linkedTo = dir.filePath(chain[i]);
        }
        const QString link = dir.filePath("link.tex");
        QVERIFY(QFile::link(linkedTo, link));

        for (const QByteArray &text : {QByteArray("one\n"), QByteArray("two\n")})
            QCOMPARE(WriteFileSafely(link, text, WriteOptions{true, {}}).error, WriteError::None);
        QCOMPARE(QFileInfo(link).symLinkTarget(), linkedTo);
        QCOMPARE(ReadBytes(target), QByteArray("two\n"));
        QCOMPARE(ReadBytes(target + ".bak"), QByteArray("one\n"));
        QVERIFY(!QFileInfo::exists(link + ".bak"));
    }

    void unchangedFileIsNotTouched_data()
    {
        Columns<QByteArray, bool, bool, bool>({"bytes", "touchedElsewhere", "known", "written"});
        QTest::newRow("same bytes") << OldFile << false << true << false;
        QTest::newRow("other bytes") << NewFile << false << true << true;
        QTest::newRow("other bytes of the same size") << QByteArray("odd text\n") << false << true << true;
        QTest::newRow("same bytes, file changed since") << OldFile << true << true << true;
        QTest::newRow("same bytes, nothing known") << OldFile << false << false << true;
    }
    void unchangedFileIsNotTouched()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, touchedElsewhere);
        QFETCH(bool, known);
        QFETCH(bool, written);
        QTemporaryDir dir;
        const QString path = dir.filePath("doc.tex");
        WriteBytes(path, OldFile);
        WriteBytes(path + ".bak", OldBackup);
        const FileStamp stamp = StampOf(path);
        if (touchedElsewhere)
            Age(path, 3600);

        const WriteResult result = WriteFileSafely(path, bytes, WriteOptions{true, known ? stamp : FileStamp{}});
        QCOMPARE(result.error, WriteError::None);
        QCOMPARE(result.unchanged, !written);
        QCOMPARE(ReadBytes(path), bytes);
        QCOMPARE(ReadBytes(path + ".bak"), written ? OldFile : OldBackup);
    }

    void fullDisk_data()
    {
        QTest::addColumn<QString>("writer");
        QTest::newRow("a document") << "document";
        QTest::newRow("the headless HTML export") << "html";
        QTest::newRow("the command list merge") << "merge";
    }

    // A real file system that is full: what the buffered writes hide until they are flushed.
    void fullDisk()
    {
        QFETCH(QString, writer);
        if (geteuid() != 0)
            QSKIP("mounting a small tmpfs needs root");
        QTemporaryDir dir;
        const QString mount = dir.filePath("disk");
        QVERIFY(QDir().mkpath(mount));
        if (QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=1m", "tmpfs", mount}) != 0)
            QSKIP("this machine does not allow mounting a tmpfs");
        const auto unmount = qScopeGuard([&] { QProcess::execute("umount", {mount}); });

        const QString doc = mount + "/doc.tex";
        const QString target = writer == u"html" ? mount + "/doc.html" : writer == u"merge" ? mount + "/input_tex.mme" : doc;
        WriteBytes(doc, "\\section{a}\n");
        const QByteArray old = writer == u"document" ? ReadBytes(doc) : QByteArray();
        const QString filler = mount + "/filler";
        QFile fill(filler);
        QVERIFY(fill.open(QIODevice::WriteOnly));
        while (fill.write(QByteArray(4096, 'x')) > 0 && fill.flush()) {
        }
        fill.close();
        const QStringList before = Entries(mount);

        QString message;
        QTextStream err(&message);
        int status = 0;
        if (writer == u"document") {
            const WriteResult result = SaveTextFile(doc, "\\section{b}\n", WriteOptions{true, {}});
            status = result.error == WriteError::Failed ? 1 : 0;
            message = SaveErrorMessage(result, doc, true);
        } else if (writer == u"html") {
            status = ExportHtmlFile(doc, false, true, err);
        } else {
            status = MergeCommandFiles(target, {doc}, true, err);
        }
        QCOMPARE(status, 1);
        QVERIFY2(message.contains(qt_error_string(ENOSPC)), qPrintable(message));
        QCOMPARE(ReadBytes(target), old);
        QCOMPARE(Entries(mount), before);

        // With room again the same save goes through, and the old text is the backup.
        QVERIFY(QFile::remove(filler));
        if (writer == u"document") {
            QCOMPARE(SaveTextFile(doc, "\\section{b}\n", WriteOptions{true, {}}).error, WriteError::None);
            QCOMPARE(ReadBytes(doc + ".bak"), old);
        }
    }

    void recoveryCopyReadsAllOrNothing_data()
    {
        Columns<QByteArray, bool>({"bytes", "ok"});
        const QByteArray whole = RecoveryBytes("/a b/%doc\n.tex", RecoveredText);
        QTest::newRow("whole") << whole << true;
        QTest::newRow("cut short") << whole.chopped(1) << false;
        QTest::newRow("longer than it says") << whole + "x" << false;
        QTest::newRow("not UTF-8") << whole.chopped(2) + "\xff\n" << false;
        QTest::newRow("no header") << QByteArray("text\n") << false;
        QTest::newRow("empty") << QByteArray() << false;
    }
    void recoveryCopyReadsAllOrNothing()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, ok);
        QTemporaryDir dir;
        WriteBytes(dir.filePath("1.recovery"), bytes);
        const RecoveryText read = ReadRecoveryCopy(dir.filePath("1.recovery"));
        QCOMPARE(read.ok, ok);
        QCOMPARE(read.text, ok ? RecoveredText : QString());
        QCOMPARE(read.documentPath, ok ? "/a b/%doc\n.tex" : QString());
        QCOMPARE(read.detail.isEmpty(), ok);
    }

    void recoveryCopiesOffered_data()
    {
        // copyOf: "file", "other", "untitled" or "damaged"; fileAge: seconds the file is older than the copy; held: a running window holds the copy
        Columns<QString, int, bool, bool, bool>({"copyOf", "fileAge", "held", "askUntitled", "offered"});
        QTest::newRow("the file's, newer") << "file" << 60 << false << false << true;
        QTest::newRow("the file's, older than the file") << "file" << -60 << false << false << false;
        QTest::newRow("the file's, held by a running window") << "file" << 60 << true << false << false;
        QTest::newRow("another file's") << "other" << 60 << false << false << false;
        QTest::newRow("untitled") << "untitled" << 60 << false << true << true;
        QTest::newRow("untitled, when a file opens") << "untitled" << 60 << false << false << false;
        QTest::newRow("damaged, at a start without a file") << "damaged" << 60 << false << true << true;
        QTest::newRow("damaged, when a file opens") << "damaged" << 60 << false << false << false;
    }
    void recoveryCopiesOffered()
    {
        QFETCH(QString, copyOf);
        QFETCH(int, fileAge);
        QFETCH(bool, held);
        QFETCH(bool, askUntitled);
        QFETCH(bool, offered);
        QTemporaryDir dir;
        const QString file = dir.filePath("doc.tex"), folder = dir.filePath("recovery");
        WriteBytes(file, "text\n");
        Age(file, fileAge);
        QVERIFY(QDir().mkpath(folder));
        const QString copy = NewRecoveryCopyName(folder);
        const QString path = copyOf == u"file" ? file : copyOf == u"other" ? dir.filePath("x.tex") : QString();
        WriteBytes(copy, copyOf == u"damaged" ? QByteArray("?") : RecoveryBytes(path, RecoveredText));
        std::unique_ptr<QLockFile> owner = held ? TakeRecoveryCopy(copy) : nullptr;
        const std::vector<OfferedCopy> copies = RecoveryCopiesFor(folder, askUntitled ? "" : file);
        QCOMPARE(copies.size(), offered ? 1u : 0u);
        if (offered) {
            QCOMPARE(copies.front().file, copy);
            QVERIFY(!TakeRecoveryCopy(copy)); // held by the caller while it asks
        }
    }
};

QTEST_GUILESS_MAIN(TestFileWriter)
#include "tst_filewriter.moc"
