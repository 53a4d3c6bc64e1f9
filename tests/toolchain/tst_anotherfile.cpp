#include "toolchain/AnotherFile.h"
#include "toolchain/ExternalPrograms.h"

#include <QSet>
#include <QTest>

class TestAnotherFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void targetPieces_data();
    void targetPieces();
    void logPath_data();
    void logPath();
    void terminalChoice_data();
    void terminalChoice();
};

void TestAnotherFile::targetPieces_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("dir");
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("ext");
    QTest::newRow("plain") << "/home/a/paper.tex" << "/home/a/" << "paper" << ".tex";
    QTest::newRow("several dots: the last one counts")
        << "/home/a/paper.v2.tex" << "/home/a/" << "paper.v2" << ".tex";
    QTest::newRow("no extension") << "/home/a/Makefile" << "/home/a/" << "Makefile" << "";
    QTest::newRow("dot in the folder only") << "/home/a.b/notes" << "/home/a.b/" << "notes" << "";
    QTest::newRow("name that is all extension")
        << "/home/a/.latexmkrc" << "/home/a/" << "" << ".latexmkrc";
    QTest::newRow("upper-case extension kept") << "/x/Thesis.TEX" << "/x/" << "Thesis" << ".TEX";
    QTest::newRow("blanks kept") << "/x/my paper.tex" << "/x/" << "my paper" << ".tex";
    QTest::newRow("root folder") << "/paper.tex" << "/" << "paper" << ".tex";
    QTest::newRow("empty") << "" << "" << "" << "";
}

void TestAnotherFile::targetPieces()
{
    QFETCH(QString, path);
    QFETCH(QString, dir);
    QFETCH(QString, base);
    QFETCH(QString, ext);
    const TargetPieces pieces = SplitTargetPath(path);
    QCOMPARE(pieces.dir, dir);
    QCOMPARE(pieces.base, base);
    QCOMPARE(pieces.ext, ext);
    if (!path.isEmpty())
        QCOMPARE(pieces.dir + pieces.base + pieces.ext, path);
}

void TestAnotherFile::logPath_data()
{
    QTest::addColumn<QString>("edited");
    QTest::addColumn<QString>("another");
    QTest::addColumn<QString>("log");
    QTest::newRow("own log") << "/w/ch1.tex" << "" << "/w/ch1.log";
    QTest::newRow("master's log in another folder")
        << "/w/chap/ch1.tex" << "/w/main/book.tex" << "/w/main/book.log";
    QTest::newRow("registered for a text file")
        << "/w/notes.txt" << "/w/book.tex" << "/w/book.log";
    QTest::newRow("untitled with nothing registered") << "" << "" << "";
    QTest::newRow("dotted master") << "/w/a.tex" << "/w/book.final.tex" << "/w/book.final.log";
}

void TestAnotherFile::logPath()
{
    QFETCH(QString, edited);
    QFETCH(QString, another);
    QFETCH(QString, log);
    QCOMPARE(TargetLogPath(edited, another), log);
}

void TestAnotherFile::terminalChoice_data()
{
    QTest::addColumn<int>("platform");
    QTest::addColumn<QString>("variable");
    QTest::addColumn<QStringList>("installed");
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("arguments");
    const int posix = static_cast<int>(TerminalPlatform::Unix);
    QTest::newRow("the system's choice first")
        << posix << "" << QStringList{"xterm", "konsole", "x-terminal-emulator"}
        << "/usr/bin/x-terminal-emulator" << QStringList{};
    QTest::newRow("the user's TERMINAL before all")
        << posix << "kitty" << QStringList{"kitty", "x-terminal-emulator"} << "/usr/bin/kitty"
        << QStringList{};
    QTest::newRow("TERMINAL not installed is passed over")
        << posix << "nonesuch" << QStringList{"konsole"} << "/usr/bin/konsole" << QStringList{};
    QTest::newRow("xterm as the last resort")
        << posix << "  " << QStringList{"xterm"} << "/usr/bin/xterm" << QStringList{};
    QTest::newRow("none installed") << posix << "" << QStringList{} << "" << QStringList{};
    QTest::newRow("windows prompt found")
        << static_cast<int>(TerminalPlatform::Windows) << "" << QStringList{"cmd.exe"}
        << "/usr/bin/cmd.exe" << QStringList{};
    QTest::newRow("windows prompt at its usual place")
        << static_cast<int>(TerminalPlatform::Windows) << "" << QStringList{}
        << "c:\\windows\\system32\\cmd.exe" << QStringList{};
    QTest::newRow("mac terminal in the folder")
        << static_cast<int>(TerminalPlatform::MacOS) << "" << QStringList{} << "/usr/bin/open"
        << QStringList{"-a", "Terminal", "/w/main/"};
}

void TestAnotherFile::terminalChoice()
{
    QFETCH(int, platform);
    QFETCH(QString, variable);
    QFETCH(QStringList, installed);
    QFETCH(QString, program);
    QFETCH(QStringList, arguments);
    const QSet<QString> present(installed.begin(), installed.end());
    const ProgramCall call = TerminalCall(
        static_cast<TerminalPlatform>(platform), QStringLiteral("/w/main/"), variable,
        [&](const QString &name) {
            return present.contains(name) ? QStringLiteral("/usr/bin/") + name : QString();
        });
    QCOMPARE(call.program, program);
    QCOMPARE(call.arguments, arguments);
}

QTEST_GUILESS_MAIN(TestAnotherFile)
#include "tst_anotherfile.moc"
