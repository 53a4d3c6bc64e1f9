#include "app/CommandLine.h"

#include <QtTest>

class TestCommandLine : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void parse_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("viewer");
        QTest::addColumn<bool>("secondWindow");
        QTest::addColumn<bool>("noLineNumbers");
        QTest::addColumn<QString>("file");

        QTest::newRow("nothing") << QStringList{} << false << false << false << QString();
        QTest::newRow("file only") << QStringList{"a.tex"} << false << false << false
                                   << QStringLiteral("a.tex");
        QTest::newRow("new window") << QStringList{"-w1"} << false << true << false << QString();
        QTest::newRow("open window, blanks around")
            << QStringList{"", "-w1", "", "b.tex"} << false << true << false
            << QStringLiteral("b.tex");
        QTest::newRow("help text viewer")
            << QStringList{"-w0", "-m0", "ReadMe.log"} << true << false << true
            << QStringLiteral("ReadMe.log");
        QTest::newRow("both window switches") << QStringList{"-w0", "-w1"} << true << true
                                              << false << QString();
        QTest::newRow("both, reversed, file first")
            << QStringList{"x.tex", "-w1", "-m0", "-w0"} << true << true << true
            << QStringLiteral("x.tex");
        QTest::newRow("switches glued in one word")
            << QStringList{"-w0-m0"} << true << false << true << QString();
        QTest::newRow("switch inside a file name")
            << QStringList{"notes-m0.tex"} << false << false << true
            << QStringLiteral("notes-m0.tex");
        QTest::newRow("first file wins") << QStringList{"one.tex", "two.tex"} << false << false
                                         << false << QStringLiteral("one.tex");
        QTest::newRow("unknown flag skipped")
            << QStringList{"-x", "c.zel"} << false << false << false << QStringLiteral("c.zel");
        QTest::newRow("upper case is not a switch")
            << QStringList{"-W0", "-M0"} << false << false << false << QString();
        QTest::newRow("japanese file") << QStringList{"-w1", QString::fromUtf8("論文.tex")}
                                       << false << true << false
                                       << QString::fromUtf8("論文.tex");
#ifndef Q_OS_WIN
        QTest::newRow("absolute path after switch")
            << QStringList{"-w0", "/tmp/x.tex"} << true << false << false
            << QStringLiteral("/tmp/x.tex");
#endif
    }
    void parse()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, viewer);
        QFETCH(bool, secondWindow);
        QFETCH(bool, noLineNumbers);
        QFETCH(QString, file);

        const auto sw = CommandLineSwitches::Parse(arguments);
        QCOMPARE(sw.viewer, viewer);
        QCOMPARE(sw.secondWindow, secondWindow);
        QCOMPARE(sw.noLineNumbers, noLineNumbers);
        QCOMPARE(sw.file, file);
        QVERIFY(!sw.help);
        QVERIFY(!sw.version);
    }

    void helpAndVersion_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("help");
        QTest::addColumn<bool>("version");
        QTest::newRow("--help") << QStringList{"--help"} << true << false;
        QTest::newRow("-h") << QStringList{"-h"} << true << false;
        QTest::newRow("--version with file") << QStringList{"a.tex", "--version"} << false << true;
        QTest::newRow("help text is a file name") << QStringList{"help"} << false << false;
    }
    void helpAndVersion()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, help);
        QFETCH(bool, version);
        const auto sw = CommandLineSwitches::Parse(arguments);
        QCOMPARE(sw.help, help);
        QCOMPARE(sw.version, version);
    }

    void htmlSwitch_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("calc");
        QTest::addColumn<bool>("help");
        QTest::newRow("file") << QStringList{"--html", "a.zel"} << "a.zel" << false << false;
        QTest::newRow("file, --calc") << QStringList{"--html", "a.txt", "--calc"} << "a.txt"
                                      << true << false;
        QTest::newRow("--calc before the file") << QStringList{"--html", "--calc", "a.txt"}
                                                << "a.txt" << true << false;
        QTest::newRow("file that looks like a switch") << QStringList{"--html", "-w0"} << "-w0"
                                                       << false << false;
        QTest::newRow("no file: usage") << QStringList{"--html"} << "" << false << true;
        QTest::newRow("only --calc: usage") << QStringList{"--html", "--calc"} << "" << true
                                            << true;
        QTest::newRow("no switch") << QStringList{"a.txt", "--calc"} << "" << false << false;
    }
    void htmlSwitch()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, file);
        QFETCH(bool, calc);
        QFETCH(bool, help);
        const auto sw = CommandLineSwitches::Parse(arguments);
        QCOMPARE(sw.htmlFile, file);
        QCOMPARE(sw.htmlCalc, calc);
        QCOMPARE(sw.help, help);
        QVERIFY(sw.file.isEmpty() || file.isEmpty()); // no window opens a file for --html
    }

#ifndef Q_OS_WIN
    void resolveFile_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("workingDir");
        QTest::addColumn<QString>("expected");
        QTest::newRow("no file") << QStringList{"-w1"} << QStringLiteral("/home/u") << QString();
        QTest::newRow("relative") << QStringList{"a.tex"} << QStringLiteral("/home/u/doc")
                                  << QStringLiteral("/home/u/doc/a.tex");
        QTest::newRow("relative with dot dot")
            << QStringList{"../b.tex"} << QStringLiteral("/home/u/doc")
            << QStringLiteral("/home/u/b.tex");
        QTest::newRow("relative subfolder with dot")
            << QStringList{"./sub/./c.tex"} << QStringLiteral("/home/u/")
            << QStringLiteral("/home/u/sub/c.tex");
        QTest::newRow("absolute ignores working folder")
            << QStringList{"-w0", "/tmp/x.tex"} << QStringLiteral("/home/u")
            << QStringLiteral("/tmp/x.tex");
        QTest::newRow("help log in the installation folder")
            << QStringList{"-w0", "-m0", "HelpZel.log"}
            << QStringLiteral("/usr/share/velloquin")
            << QStringLiteral("/usr/share/velloquin/HelpZel.log");
    }
    void resolveFile()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, workingDir);
        QFETCH(QString, expected);
        QCOMPARE(CommandLineSwitches::Parse(arguments).ResolveFile(workingDir), expected);
    }
#endif
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
