// How a command becomes a program file and its words, which names TeX can be given, and where
// the fixed folders are.

#include "toolchain/ToolLookup.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestToolLookup : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void toolArguments_data()
    {
        QTest::addColumn<QString>("options");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("words");
        QTest::newRow("base name") << "" << "paper" << QStringList{"paper"};
        const QString japanese = QString::fromUtf8("論文 第2版");
        QTest::newRow("blanks stay in the one file argument")
            << "" << japanese << QStringList{japanese};
        QTest::newRow("a leading dash is not a switch") << "" << "-lead" << QStringList{"./-lead"};
        QTest::newRow("options split, B5's double blank")
            << " -p  b5" << "my paper" << QStringList{"-p", "b5", "my paper"};
        QTest::newRow("several options, tab") << "-s myindex\t-g" << "a.idx"
                                              << QStringList{"-s", "myindex", "-g", "a.idx"};
    }

    void toolArguments()
    {
        QFETCH(QString, options);
        QFETCH(QString, file);
        QFETCH(QStringList, words);
        QCOMPARE(ToolArguments(options, file), words);
    }

    void compilerFromFirstLine_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("name");
        QTest::newRow("after a blank") << "% platex.exe ── sample\n" << "platex";
        QTest::newRow("after the percent sign") << "%ptex.exe\n" << "ptex";
        QTest::newRow("the last blank before .exe") << "% run uplatex.exe -x\n" << "uplatex";
        QTest::newRow("any case, digits, - and _") << "% Lua_La-TeX2e-tex.exe\n"
                                                    << "Lua_La-TeX2e-tex";
        QTest::newRow("only the first .exe counts") << "% make.exe platex.exe\n" << "";
        QTest::newRow("make is no TeX") << "% make.exe\n" << "";
        QTest::newRow("a helper in prose is no TeX")
            << "% by the author: compile with helper.exe please\n" << "";
        QTest::newRow("a path is refused") << "% C:\\w32tex\\bin\\platex.exe\n" << "";
        QTest::newRow("a slash path is refused") << "% /usr/bin/platex.exe\n" << "";
        QTest::newRow("a dot is refused") << "% ..platex.exe\n" << "";
        QTest::newRow("no .exe") << "% platex\n" << "";
        QTest::newRow(".EXE in capitals is not .exe") << "% platex.EXE\n" << "";
    }

    void compilerFromFirstLine()
    {
        QFETCH(QString, line);
        QFETCH(QString, name);
        QCOMPARE(CompilerFromFirstLine(line), name);
    }

    void texCanReadName_data()
    {
        QTest::addColumn<QString>("base");
        QTest::addColumn<bool>("readable");
        QTest::newRow("blank, Japanese, digits") << QString::fromUtf8("論文 第2版") << true;
        QTest::newRow("leading dash") << "-lead" << true;
        QTest::newRow("TeX's other specials") << "a#b$c&d{e}f^g_h" << true;
        QTest::newRow("double quote") << "a\"b" << false;
        QTest::newRow("percent") << "a%b" << false;
        QTest::newRow("tilde") << "a~b" << false;
        QTest::newRow("backslash") << "a\\b" << false;
        QTest::newRow("tab") << "a\tb" << false;
    }

    void texCanReadName()
    {
        QFETCH(QString, base);
        QFETCH(bool, readable);
        QCOMPARE(TeXCanReadName(base), readable);
    }

    void platformCommand_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("program");
        QTest::newRow("jbibtex is pbibtex") << "jbibtex" << "pbibtex";
        QTest::newRow("in its folder") << "/tl/bin/jbibtex" << "/tl/bin/pbibtex";
        QTest::newRow("a folder named jbibtex unchanged") << "/jbibtex/bibtex" << "/jbibtex/bibtex";
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

    void findProgram_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("found"); // relative to the folder, "" for nothing
        QTest::newRow("bare name in a folder") << "mytex" << "bin/mytex";
        QTest::newRow("not runnable") << "notes" << "";
        QTest::newRow("a folder is no program") << "sub" << "";
        QTest::newRow("not there") << "platex" << "";
        QTest::newRow("absolute path") << "@bin/mytex" << "bin/mytex";
        QTest::newRow("absolute path not there") << "@bin/none" << "";
        QTest::newRow("relative path: never the working folder") << "bin/mytex" << "";
    }

    void findProgram()
    {
        QFETCH(QString, command);
        QFETCH(QString, found);
        QTemporaryDir dir;
        QDir(dir.path()).mkpath(QStringLiteral("bin/sub"));
        for (const char *name : {"bin/mytex", "bin/notes"}) {
            QFile f(dir.filePath(QLatin1String(name)));
            QVERIFY(f.open(QIODevice::WriteOnly));
            if (QByteArray(name).endsWith("tex"))
                f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
        }
        // The working folder holds the program too; a relative folder must not reach it.
        QDir::setCurrent(dir.path());
        command.replace(QLatin1Char('@'), dir.path() + QLatin1Char('/'));
        const QStringList folders{QStringLiteral("bin"), dir.filePath(QStringLiteral("bin"))};
        QCOMPARE(FindProgram(command, folders), found.isEmpty() ? found : dir.filePath(found));
    }

    void searchPathFolders()
    {
        const QString path = QStringList{"", ".", "/usr/bin", "bin", "/opt/tl/bin/"}.join(
            QDir::listSeparator());
        QCOMPARE(SearchPathFolders(path), (QStringList{"/usr/bin", "/opt/tl/bin/"}));
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
