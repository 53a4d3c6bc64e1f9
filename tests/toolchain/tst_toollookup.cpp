// How a command becomes a program and its words, where the fixed folders are, and which
// targets the TeX commands work on.

#include "toolchain/ToolLookup.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestToolLookup : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void commandWords_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("words");
        QTest::newRow("base name") << QStringList{"paper"} << QStringList{"paper"};
        QTest::newRow("base name with blanks arrives as several words")
            << QStringList{"my paper"} << QStringList{"my", "paper"};
        QTest::newRow("empty options vanish") << QStringList{"", "paper"}
                                              << QStringList{"paper"};
        QTest::newRow("paper option with blanks around")
            << QStringList{" -p a3 ", "paper"} << QStringList{"-p", "a3", "paper"};
        QTest::newRow("B5's double blank") << QStringList{" -p  b5", "paper"}
                                           << QStringList{"-p", "b5", "paper"};
        QTest::newRow("several options") << QStringList{"-s myindex -g", "paper"}
                                         << QStringList{"-s", "myindex", "-g", "paper"};
    }

    void commandWords()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, words);
        QCOMPARE(CommandWords(arguments), words);
    }

    void compilerFromFirstLine_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("exe");
        QTest::newRow("after a blank") << "% platex.exe ── sample\n" << "platex" << true;
        QTest::newRow("after the percent sign") << "%ptex.exe\n" << "ptex" << true;
        QTest::newRow("the last blank before .exe") << "% run uplatex.exe -x\n" << "uplatex"
                                                    << true;
        QTest::newRow("only the first .exe counts") << "% a.exe b.exe\n" << "a" << true;
        QTest::newRow("a path is refused") << "% C:\\w32tex\\bin\\platex.exe\n" << "" << true;
        QTest::newRow("a slash path is refused") << "% /usr/bin/platex.exe\n" << "" << true;
        QTest::newRow("a climb is refused") << "% ..platex.exe\n" << "" << true;
        QTest::newRow("nothing before .exe") << "% .exe\n" << "" << true;
        QTest::newRow("no .exe") << "% platex\n" << "" << false;
        QTest::newRow(".EXE in capitals is not .exe") << "% platex.EXE\n" << "" << false;
    }

    void compilerFromFirstLine()
    {
        QFETCH(QString, line);
        QFETCH(QString, name);
        QFETCH(bool, exe);
        bool mentions = !exe;
        QCOMPARE(CompilerFromFirstLine(line, &mentions), name);
        QCOMPARE(mentions, exe);
    }

    void platformCommand_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("program");
        QTest::newRow("jbibtex is pbibtex") << "jbibtex" << "pbibtex";
        QTest::newRow("in its folder") << "/tl/bin/jbibtex" << "/tl/bin/pbibtex";
        QTest::newRow("bibtex unchanged") << "bibtex" << "bibtex";
        QTest::newRow("a folder named jbibtex unchanged") << "/jbibtex/bibtex" << "/jbibtex/bibtex";
        QTest::newRow("platex unchanged") << "platex" << "platex";
    }

    void platformCommand()
    {
#ifdef Q_OS_WIN
        QSKIP("Windows has jbibtex itself");
#endif
        QFETCH(QString, command);
        QFETCH(QString, program);
        QCOMPARE(PlatformCommand(command), program);
    }

    void resolveProgram()
    {
        QTemporaryDir dir;
        const QString folder = dir.path() + QLatin1Char('/');
        QFile runnable(folder + QStringLiteral("mytex"));
        QVERIFY(runnable.open(QIODevice::WriteOnly));
        runnable.setPermissions(runnable.permissions() | QFileDevice::ExeOwner);
        runnable.close();
        QFile plain(folder + QStringLiteral("notes"));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.close();
        QDir(folder).mkdir(QStringLiteral("sub"));

        // A bare name is first looked for in the current folder.
        QCOMPARE(ResolveProgram(QStringLiteral("mytex"), folder), folder + QStringLiteral("mytex"));
        // Not runnable there, or not there: left to the PATH search.
        QCOMPARE(ResolveProgram(QStringLiteral("notes"), folder), QStringLiteral("notes"));
        QCOMPARE(ResolveProgram(QStringLiteral("platex"), folder), QStringLiteral("platex"));
        QCOMPARE(ResolveProgram(QStringLiteral("sub"), folder), QStringLiteral("sub"));
        // A relative path is taken against the current folder, found or not.
        QCOMPARE(ResolveProgram(QStringLiteral("./mytex"), folder), folder + "mytex");
        QCOMPARE(ResolveProgram(QStringLiteral("bin/tex"), folder), folder + "bin/tex");
        QCOMPARE(ResolveProgram(QStringLiteral("/abs/tex"), folder), QStringLiteral("/abs/tex"));
    }

    void fixedFolders()
    {
        const QStringList compiler = DefaultToolFolders(ToolFolderOrder::CompilerFirst);
        const QStringList aux = DefaultToolFolders(ToolFolderOrder::AuxiliaryFirst);
        QCOMPARE(compiler.size(), 3);
        // The same three folders, the auxiliary order starting with the compiler's second.
        QCOMPARE(aux.join(u'|').toLower(),
                 (QStringList{compiler[1], compiler[2], compiler[0]}).join(u'|').toLower());
        for (const QString &f : compiler)
            QVERIFY2(f.endsWith(QLatin1Char('/')) || f.endsWith(QLatin1Char('\\')), qPrintable(f));
    }
};

QTEST_GUILESS_MAIN(TestToolLookup)
#include "tst_toollookup.moc"
