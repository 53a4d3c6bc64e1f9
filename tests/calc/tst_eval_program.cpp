// `velloquin --eval`, started as a script starts it.
#include "support/Headless.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class TestEvalProgram : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void printsTheLines_data();
    void printsTheLines();
};

void TestEvalProgram::printsTheLines_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");
    QTest::addColumn<int>("exitCode");
    // The stored rounding is 3 decimals.
    QTest::newRow("stored rounding") << QStringList{"--eval", "1+2*3="} << "1+2*3=7.000\n" << ""
                                     << 0;
    QTest::newRow("formula and value lines, --round 2")
        << QStringList{"--eval", "x1*2+x2", "--eval", "x1=3, x2=4", "--round", "2", "--eval",
                       "x1=5, x2=1"}
        << "x1*2+x2\n10.00, if x1=3, x2=4\n11.00, if x1=5, x2=1\n" << "" << 0;
    QTest::newRow("line starting with a minus")
        << QStringList{"--round", "1", "--eval", "-3+1="} << "-3+1=-2.0\n" << "" << 0;
    QTest::newRow("message on standard error")
        << QStringList{"--eval", "2^1.5=", "--eval", "1+2)=", "--round", "0"}
        << "2^1.5=0\n1+2)=\n"
        << QString::fromUtf8("累乗の指数に誤りがあります。整数乗しか扱えません。\n（a^n で n "
                             "は整数で、a は小数でも良い) \n( が足りません。\n")
        << 0;
    QTest::newRow("line left as typed") << QStringList{"--eval", "hello"} << "hello\n" << ""
                                        << 0;
    QTest::newRow("bad --round") << QStringList{"--eval", "1+1=", "--round", "x"} << "" << "*"
                                 << 2;
    QTest::newRow("--eval without a line") << QStringList{"--eval"} << "" << "*" << 2;
}

void TestEvalProgram::printsTheLines()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, out);
    QFETCH(QString, err);
    QFETCH(int, exitCode);
    QTemporaryDir config;
    QFile ini(config.filePath(QStringLiteral("Velloquin.ini")));
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write("[Settings]\nSho=3\n");
    ini.close();
    QProcess program;
    StartWithoutDisplay(program, arguments, config.path());
    QVERIFY(program.waitForFinished(30000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), exitCode);
    QCOMPARE(QString::fromUtf8(program.readAllStandardOutput()), out);
    const QString errors = QString::fromUtf8(program.readAllStandardError());
    if (err == QLatin1String("*"))
        QVERIFY2(errors.contains(QLatin1String("--eval")), qPrintable(errors)); // the usage
    else
        QCOMPARE(errors, err);
}

QTEST_GUILESS_MAIN(TestEvalProgram)
#include "tst_eval_program.moc"
