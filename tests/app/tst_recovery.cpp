#include "app/Recovery.h"
#include "app/TextFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {
void WriteBytes(const QString &path, const QByteArray &bytes, qint64 ageSeconds = 0)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
    QVERIFY(file.flush()); // or the time set would be that of the flush at close
    QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(-ageSeconds),
                             QFileDevice::FileModificationTime));
}

const QString Text = HoldWidgetBreaks(QString::fromUtf8("日本語\u2029\n"));
} // namespace

class TestRecovery : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readsAllOrNothing_data();
    void readsAllOrNothing();
    void offersLeftCopies_data();
    void offersLeftCopies();
};

void TestRecovery::readsAllOrNothing_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("ok");
    const QByteArray whole = RecoveryBytes("/a b/%doc\n.tex", Text);
    QTest::newRow("whole") << whole << true;
    QTest::newRow("cut short") << whole.chopped(1) << false;
    QTest::newRow("longer than it says") << whole + "x" << false;
    QTest::newRow("not UTF-8") << whole.chopped(2) + "\xff\n" << false;
    QTest::newRow("no header") << QByteArray("text\n") << false;
    QTest::newRow("empty") << QByteArray() << false;
}

void TestRecovery::readsAllOrNothing()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, ok);
    QTemporaryDir dir;
    const QString copy = dir.filePath("1.recovery");
    WriteBytes(copy, bytes);
    const RecoveryText read = ReadRecoveryCopy(copy);
    QCOMPARE(read.ok, ok);
    QCOMPARE(read.text, ok ? Text : QString());
    QCOMPARE(read.documentPath, ok ? "/a b/%doc\n.tex" : QString());
    QCOMPARE(read.detail.isEmpty(), ok);
}

void TestRecovery::offersLeftCopies_data()
{
    QTest::addColumn<QString>("copyOf");  // "file", "other", "untitled" or "damaged"
    QTest::addColumn<int>("fileAge");     // seconds the file is older than the copy
    QTest::addColumn<bool>("held");       // a running window holds the copy
    QTest::addColumn<bool>("askUntitled");
    QTest::addColumn<bool>("offered");
    QTest::newRow("the file's, newer") << "file" << 60 << false << false << true;
    QTest::newRow("the file's, older than the file") << "file" << -60 << false << false << false;
    QTest::newRow("the file's, held by a running window") << "file" << 60 << true << false
                                                          << false;
    QTest::newRow("another file's") << "other" << 60 << false << false << false;
    QTest::newRow("untitled") << "untitled" << 60 << false << true << true;
    QTest::newRow("untitled, when a file opens") << "untitled" << 60 << false << false << false;
    QTest::newRow("damaged, at a start without a file") << "damaged" << 60 << false << true
                                                        << true;
    QTest::newRow("damaged, when a file opens") << "damaged" << 60 << false << false << false;
}

void TestRecovery::offersLeftCopies()
{
    QFETCH(QString, copyOf);
    QFETCH(int, fileAge);
    QFETCH(bool, held);
    QFETCH(bool, askUntitled);
    QFETCH(bool, offered);
    QTemporaryDir dir;
    const QString file = dir.filePath("doc.tex");
    WriteBytes(file, "text\n", fileAge);
    const QString folder = dir.filePath("recovery");
    QVERIFY(QDir().mkpath(folder));
    const QString copy = NewRecoveryCopyName(folder);
    const QString path = copyOf == u"file" ? file : copyOf == u"other" ? dir.filePath("x.tex")
                                                                       : QString();
    WriteBytes(copy, copyOf == u"damaged" ? QByteArray("?") : RecoveryBytes(path, Text));
    std::unique_ptr<QLockFile> owner = held ? TakeRecoveryCopy(copy) : nullptr;

    const std::vector<OfferedCopy> copies = RecoveryCopiesFor(folder, askUntitled ? "" : file);
    QCOMPARE(copies.size(), offered ? 1u : 0u);
    if (offered) {
        QCOMPARE(copies.front().file, copy);
        QVERIFY(!TakeRecoveryCopy(copy)); // held by the caller while it asks
    }
}

QTEST_GUILESS_MAIN(TestRecovery)
#include "tst_recovery.moc"
