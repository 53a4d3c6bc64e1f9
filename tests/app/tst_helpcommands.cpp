#include "app/HelpCommands.h"
#include "app/SettingsStore.h"
#include "app/UpdateCheck.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(HelpText)
Q_DECLARE_METATYPE(UpdateVerdict::Kind)

class TestHelpCommands : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void helpFilePerLanguage_data();
    void helpFilePerLanguage();
    void versionComparedAsBytes_data();
    void versionComparedAsBytes();
    void versionFileJudged_data();
    void versionFileJudged();
    void memTotalParsed_data();
    void memTotalParsed();
    void volumeNamed_data();
    void volumeNamed();
    void aboutValuesFormatted_data();
    void aboutValuesFormatted();
    void freeDiskOfTheWorkingFolder();
    void addressesAreSettings_data();
    void addressesAreSettings();
};

void TestHelpCommands::helpFilePerLanguage_data()
{
    QTest::addColumn<HelpText>("which");
    QTest::addColumn<bool>("english");
    QTest::addColumn<QString>("file");
    QTest::newRow("description, Japanese") << HelpText::Description << false << "ReadMe.log";
    QTest::newRow("description, English") << HelpText::Description << true << "ReadMeE.log";
    QTest::newRow("calculation, Japanese") << HelpText::CalcHelp << false << "HelpZel.log";
    QTest::newRow("calculation, English") << HelpText::CalcHelp << true << "HelpZelE.log";
    QTest::newRow("HTML manual, Japanese only") << HelpText::HtmlManual << false << "HTMLman.log";
    QTest::newRow("HTML manual, English window") << HelpText::HtmlManual << true << "HTMLman.log";
    QTest::newRow("installation") << HelpText::Install << true << "HelpInst.log";
}

void TestHelpCommands::helpFilePerLanguage()
{
    QFETCH(HelpText, which);
    QFETCH(bool, english);
    QFETCH(QString, file);
    QCOMPARE(HelpFileName(which, english), file);
    // The file goes last, after the viewer switches, so that the command line finds it.
    const QStringList args = HelpViewerArguments(HelpFileName(which, english));
    QCOMPARE(args, (QStringList{QStringLiteral("-w0"), QStringLiteral("-m0"), file}));
}

void TestHelpCommands::versionComparedAsBytes_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("newer");
    QTest::newRow("same version") << QByteArray("2500") << false;
    QTest::newRow("next build") << QByteArray("2501") << true;
    QTest::newRow("next minor") << QByteArray("2510") << true;
    QTest::newRow("older") << QByteArray("2499") << false;
    QTest::newRow("one digit greater") << QByteArray("3") << true;
    QTest::newRow("five digits starting with 1") << QByteArray("10000") << false;
    QTest::newRow("longer with the same start") << QByteArray("25000") << true;
    QTest::newRow("shorter prefix") << QByteArray("250") << false;
    QTest::newRow("empty") << QByteArray() << false;
}

void TestHelpCommands::versionComparedAsBytes()
{
    QFETCH(QByteArray, line);
    QFETCH(bool, newer);
    QCOMPARE(IsNewerVersion(line), newer);
}

void TestHelpCommands::versionFileJudged_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<bool>("tooLarge");
    QTest::addColumn<UpdateVerdict::Kind>("kind");
    QTest::addColumn<QByteArray>("line");
    using V = UpdateVerdict;
    QTest::newRow("this version, CR-LF") << QByteArray("2500\r\nnotes") << false << V::Newest
                                         << QByteArray("2500");
    QTest::newRow("newer, LF, more lines") << QByteArray("2501\n2.5.0.1\n") << false << V::Found
                                           << QByteArray("2501");
    QTest::newRow("newer without a line end") << QByteArray("3") << false << V::Found
                                              << QByteArray("3");
    QTest::newRow("trailing blanks") << QByteArray("2501 \t\n") << false << V::Found
                                     << QByteArray("2501");
    QTest::newRow("ten thousand is older") << QByteArray("10000\n") << false << V::Newest
                                           << QByteArray("10000");
    QTest::newRow("empty file") << QByteArray() << false << V::Newest << QByteArray();
    QTest::newRow("empty first line, version below") << QByteArray("\n2600\n") << false
                                                     << V::Newest << QByteArray();
    QTest::newRow("a web page") << QByteArray("<!DOCTYPE html>\n<html>") << false
                                << V::NotVersion << QByteArray();
    QTest::newRow("binary data") << QByteArray("\x89PNG\r\n\x1a\n", 8) << false
                                 << V::NotVersion << QByteArray();
    QTest::newRow("version then NUL bytes") << QByteArray("2501\0\0", 6) << false
                                            << V::NotVersion << QByteArray();
    QTest::newRow("cut off at the limit") << QByteArray("2501\n") << true << V::NotVersion
                                          << QByteArray();
}

void TestHelpCommands::versionFileJudged()
{
    QFETCH(QByteArray, body);
    QFETCH(bool, tooLarge);
    QFETCH(UpdateVerdict::Kind, kind);
    QFETCH(QByteArray, line);
    const UpdateVerdict verdict = JudgeVersionFile(body, tooLarge);
    QCOMPARE(verdict.kind, kind);
    if (kind != UpdateVerdict::NotVersion)
        QCOMPARE(verdict.line, line);
}

void TestHelpCommands::memTotalParsed_data()
{
    QTest::addColumn<QByteArray>("meminfo");
    QTest::addColumn<qint64>("bytes"); // -1: nothing
    QTest::newRow("first line") << QByteArray("MemTotal:       16318596 kB\nMemFree: 1 kB\n")
                                << qint64(16318596) * 1024;
    QTest::newRow("later line") << QByteArray("Foo: 2 kB\nMemTotal: 2048 kB\n")
                                << qint64(2048 * 1024);
    QTest::newRow("missing") << QByteArray("MemFree: 1 kB\n") << qint64(-1);
    QTest::newRow("not a number") << QByteArray("MemTotal: lots kB\n") << qint64(-1);
    QTest::newRow("zero") << QByteArray("MemTotal: 0 kB\n") << qint64(-1);
    QTest::newRow("other unit") << QByteArray("MemTotal: 16 GB\n") << qint64(-1);
    QTest::newRow("empty") << QByteArray() << qint64(-1);
}

void TestHelpCommands::memTotalParsed()
{
    QFETCH(QByteArray, meminfo);
    QFETCH(qint64, bytes);
    const std::optional<quint64> parsed = ParseMemTotal(meminfo);
    QCOMPARE(parsed.has_value(), bytes >= 0);
    if (parsed)
        QCOMPARE(qint64(*parsed), bytes);
}

void TestHelpCommands::volumeNamed_data()
{
    QTest::addColumn<QString>("root");
    QTest::addColumn<QString>("label");
    QTest::newRow("drive root") << "C:/" << "C:";
    QTest::newRow("lower-case drive, backslash") << "d:\\" << "D:";
    QTest::newRow("Unix root") << "/" << "/";
    QTest::newRow("mounted folder") << "/home" << "/home";
    QTest::newRow("colon later in a mount point") << "/mnt/a:b" << "/mnt/a:b";
}

void TestHelpCommands::volumeNamed()
{
    QFETCH(QString, root);
    QFETCH(QString, label);
    QCOMPARE(VolumeLabel(root), label);
}

void TestHelpCommands::aboutValuesFormatted_data()
{
    QTest::addColumn<qint64>("memory"); // -1: unknown
    QTest::addColumn<qint64>("free");   // -1: unknown
    QTest::addColumn<QString>("where");
    QTest::addColumn<QString>("memoryText");
    QTest::addColumn<QString>("diskText");
    QTest::newRow("16 GiB, drive C") << qint64(17179869184) << qint64(2048) << "C:"
                                     << "16777216 KB" << "2 KB Free on C:";
    QTest::newRow("whole kilobytes only") << qint64(4095) << qint64(1023) << "/"
                                          << "3 KB" << "0 KB Free on /";
    QTest::newRow("large disk on a mount point")
        << qint64(8589934592) << qint64(5000000000000) << "/home" << "8388608 KB"
        << "4882812500 KB Free on /home";
    QTest::newRow("nothing known") << qint64(-1) << qint64(-1) << "/" << "Unavailable"
                                   << "Unavailable";
    QTest::newRow("free space without a volume") << qint64(1024) << qint64(1024) << ""
                                                 << "1 KB" << "Unavailable";
}

void TestHelpCommands::aboutValuesFormatted()
{
    QFETCH(qint64, memory);
    QFETCH(qint64, free);
    QFETCH(QString, where);
    QFETCH(QString, memoryText);
    QFETCH(QString, diskText);
    std::optional<quint64> mem;
    if (memory >= 0)
        mem = quint64(memory);
    DiskFacts disk;
    if (free >= 0)
        disk.freeBytes = quint64(free);
    disk.where = where;
    QCOMPARE(FormatMemory(mem), memoryText);
    QCOMPARE(FormatFreeDisk(disk), diskText);
}

void TestHelpCommands::freeDiskOfTheWorkingFolder()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const DiskFacts disk = FreeDiskOf(dir.path());
    QVERIFY(disk.freeBytes.has_value());
    // The volume named is the one that holds the folder.
    const QString canonical = QDir(dir.path()).canonicalPath();
    QVERIFY2(canonical.startsWith(disk.where), qPrintable(disk.where + " / " + canonical));
    QVERIFY(PhysicalMemoryBytes().value_or(0) > 0);
}

void TestHelpCommands::addressesAreSettings_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("fileName");
    QTest::newRow("web page") << "WebPageURL" << "";
    QTest::newRow("version file") << "UpdateURL" << "VelloquinV.txt";
    QTest::newRow("download") << "DownloadURL" << "Velloquin.zip";
}

void TestHelpCommands::addressesAreSettings()
{
    QFETCH(QString, key);
    QFETCH(QString, fileName);
    MemorySettingsStore store;
    const auto read = [&] {
        if (key == QLatin1String("WebPageURL"))
            return WebPageUrl(store);
        if (key == QLatin1String("UpdateURL"))
            return VersionFileUrl(store);
        return DownloadUrl(store);
    };
    const QString byDefault = read();
    QVERIFY2(byDefault.startsWith(QLatin1String("https://")), qPrintable(byDefault));
    QVERIFY(byDefault.endsWith(fileName));
    store.WriteString(QStringLiteral("Settings"), key, QStringLiteral("http://127.0.0.1:1/x"));
    QCOMPARE(read(), QStringLiteral("http://127.0.0.1:1/x"));
    store.DeleteValue(QStringLiteral("Settings"), key);
    QCOMPARE(read(), byDefault);
}

QTEST_GUILESS_MAIN(TestHelpCommands)
#include "tst_helpcommands.moc"
