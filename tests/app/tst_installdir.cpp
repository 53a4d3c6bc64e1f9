#include "app/InstallDir.h"
#include "app/SettingsKeys.h"
#include "app/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestInstallDir : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void rule_data()
    {
        QTest::addColumn<QString>("stored");     // null: nothing stored
        QTest::addColumn<QString>("dataDir");
        QTest::addColumn<bool>("programExists");
        QTest::addColumn<QString>("expected");   // returned and stored afterwards

        const QString data = QStringLiteral("/opt/velloquin/share/velloquin");
        const QString old = QStringLiteral("/usr/share/velloquin");
        QTest::newRow("first start takes the data folder") << QString() << data << true << data;
        QTest::newRow("first start, program file not needed")
            << QString() << data << false << data;
        QTest::newRow("first start without data folder stays empty")
            << QString() << QString() << true << QString();
        QTest::newRow("same folder") << data << data << true << data;
        QTest::newRow("moved program corrects stale value") << old << data << true << data;
        QTest::newRow("started elsewhere keeps stored value") << old << data << false << old;
        QTest::newRow("case differs is another folder")
            << QStringLiteral("/OPT/velloquin/share/velloquin") << data << true << data;
        QTest::newRow("trailing slash differs") << data + QLatin1Char('/') << data << true << data;
        QTest::newRow("no data folder keeps stored value even beside program")
            << old << QString() << true << old;
    }
    void rule()
    {
        QFETCH(QString, stored);
        QFETCH(QString, dataDir);
        QFETCH(bool, programExists);
        QFETCH(QString, expected);

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString program = dir.filePath(QStringLiteral("velloquin"));
        if (programExists) {
            QFile f(program);
            QVERIFY(f.open(QIODevice::WriteOnly));
        }

        MemorySettingsStore store;
        if (!stored.isNull())
            WriteSetting(store, Keys::InstDir, stored);
        QCOMPARE(ApplyInstallDirRule(store, dataDir, program), expected);
        QCOMPARE(ReadSetting(store, Keys::InstDir), expected);
        // The frame and the view both apply the rule; the second run must agree.
        QCOMPARE(ApplyInstallDirRule(store, dataDir, program), expected);
    }

    void folderAsProgramPathIsNoProgram()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        MemorySettingsStore store;
        WriteSetting(store, Keys::InstDir, QStringLiteral("/old"));
        QCOMPARE(ApplyInstallDirRule(store, QStringLiteral("/new"), dir.path()),
                 QStringLiteral("/old"));
    }

    void findDataDir_data()
    {
        QTest::addColumn<QStringList>("folders"); // made below the temporary folder
        QTest::addColumn<QString>("programDir");
        QTest::addColumn<QString>("expected");    // relative to the temporary folder; null: none

        QTest::newRow("build tree")
            << QStringList{"build/share/velloquin"} << QStringLiteral("build")
            << QStringLiteral("build/share/velloquin");
        QTest::newRow("installed under a prefix")
            << QStringList{"prefix/bin", "prefix/share/velloquin"} << QStringLiteral("prefix/bin")
            << QStringLiteral("prefix/share/velloquin");
        QTest::newRow("beside the program wins")
            << QStringList{"p/bin/share/velloquin", "p/share/velloquin"}
            << QStringLiteral("p/bin") << QStringLiteral("p/bin/share/velloquin");
        QTest::newRow("neither") << QStringList{"q/bin", "q/share"} << QStringLiteral("q/bin")
                                 << QString();
        QTest::newRow("other program's data is not ours")
            << QStringList{"r/bin", "r/share/other"} << QStringLiteral("r/bin") << QString();
    }
    void findDataDir()
    {
        QFETCH(QStringList, folders);
        QFETCH(QString, programDir);
        QFETCH(QString, expected);

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        for (const QString &f : folders)
            QVERIFY(QDir(dir.path()).mkpath(f));
        const QString found = FindDataDir(dir.filePath(programDir));
        if (expected.isNull())
            QVERIFY2(found.isEmpty(), qPrintable(found));
        else
            QCOMPARE(found, QDir::cleanPath(dir.filePath(expected)));
    }

    void findDataDirOfFileIsNone()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("b/share")));
        QFile f(dir.filePath(QStringLiteral("b/share/velloquin")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        QVERIFY(FindDataDir(dir.filePath(QStringLiteral("b"))).isEmpty());
        QVERIFY(FindDataDir(QString()).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestInstallDir)
#include "tst_installdir.moc"
