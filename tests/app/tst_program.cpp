// The program itself, started as a person starts it from a terminal.
#include "support/Headless.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class TestProgram : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void printsWithoutAWindow_data();
    void printsWithoutAWindow();
};

void TestProgram::printsWithoutAWindow_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("english");
    QTest::addColumn<QString>("firstLine");
    QTest::addColumn<QString>("contains");
    QTest::newRow("--version") << QStringList{"--version"} << 0 << "Velloquin 2.5.0.0" << "";
    QTest::newRow("--version with a file") << QStringList{"a.tex", "--version"} << 0
                                           << "Velloquin 2.5.0.0" << "";
    QTest::newRow("--help japanese") << QStringList{"--help"} << 0 << "Velloquin 2.5.0.0"
                                     << "使い方: velloquin [-w0] [-w1] [-m0]";
    QTest::newRow("--help english") << QStringList{"--help"} << 1 << "Velloquin 2.5.0.0"
                                    << "Usage: velloquin [-w0] [-w1] [-m0] [FILE]";
}

void TestProgram::printsWithoutAWindow()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, english);
    QFETCH(QString, firstLine);
    QFETCH(QString, contains);
    QTemporaryDir config;
    QFile ini(config.filePath("Velloquin.ini"));
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write(QStringLiteral("[Settings]\nEnglish=%1\n").arg(english).toUtf8());
    ini.close();
    QProcess program;
    StartWithoutDisplay(program, arguments, config.path());
    QVERIFY(program.waitForFinished(30000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
    const QString out = QString::fromUtf8(program.readAllStandardOutput());
    QCOMPARE(out.section(QLatin1Char('\n'), 0, 0), firstLine);
    if (!contains.isEmpty())
        QVERIFY2(out.contains(contains), qPrintable(out));
    QCOMPARE(program.readAllStandardError(), QByteArray());
}

QTEST_GUILESS_MAIN(TestProgram)
#include "tst_program.moc"
