// The whole chain with the TeX installed on this machine, as `velloquin --tex` runs it without
// a window: file names TeX Live reads only as one argument compile with their bibliography
// and index, and a document's first line never runs a program of its own.

#include "support/Headless.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {
QByteArray Read(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Runnable, so that a helper written beside the document could be started.
void Write(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
}

// Runs `velloquin --tex file` in dir with no display and a PATH that starts with an empty and
// a "." entry; the program names of its runs, in order.
QStringList CompileWithoutWindow(const QString &dir, const QString &file, int &exitCode)
{
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", ":.:" + path);
    QProcess program;
    program.setWorkingDirectory(dir);
    StartWithoutDisplay(program, {"--tex", file}, dir + QStringLiteral("/config"));
    qputenv("PATH", path);
    program.waitForFinished(120000);
    exitCode = program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1;
    const QString err = QString::fromUtf8(program.readAllStandardError());
    QStringList programs;
    static const QRegularExpression run(QStringLiteral("^> (\\S+)"),
                                        QRegularExpression::MultilineOption);
    for (const QRegularExpressionMatch &m : run.globalMatch(err))
        programs << QFileInfo(m.captured(1)).fileName();
    return programs;
}

} // namespace

class TestRealChain : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        for (const char *tool : {"platex", "pbibtex", "mendex", "dvipdfmx"}) {
            if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
                QSKIP("TeX Live's platex, pbibtex, mendex and dvipdfmx are not installed");
        }
    }

    void anyNameCompiles_data()
    {
        QTest::addColumn<QString>("base");
        QTest::newRow("blank") << "my paper";
        QTest::newRow("leading dash") << "-lead";
        QTest::newRow("Japanese and a full-width blank") << QString::fromUtf8("論文 第2版");
    }

    void anyNameCompiles()
    {
        QFETCH(QString, base);
        QTemporaryDir dir;
        Write(dir.filePath(base + ".tex"),
              "% platex.exe\n\\documentclass{jarticle}\n\\usepackage{makeidx}\n\\makeindex\n"
              "\\begin{document}\n日本語の本文\\cite{knuth}\\index{ほんぶん@本文}．\n"
              "\\bibliographystyle{jplain}\n\\bibliography{refs}\n\\printindex\n"
              "\\end{document}\n");
        Write(dir.filePath("refs.bib"), "@book{knuth, author={Donald E. Knuth}, title={The "
                                        "{\\TeX}book}, publisher={Addison-Wesley}, year=1984}\n");
        int exitCode = -1;
        const QStringList ran = CompileWithoutWindow(dir.path(), base + ".tex", exitCode);
        QCOMPARE(exitCode, 0);
        QCOMPARE(ran.mid(0, 5), (QStringList{"platex", "pbibtex", "platex", "mendex", "platex"}));
        QCOMPARE(ran.last(), QStringLiteral("dvipdfmx"));
        QVERIFY(Read(dir.filePath(base + ".bbl")).contains("Knuth"));
        QVERIFY(Read(dir.filePath(base + ".ind")).contains("本文"));
        QVERIFY(Read(dir.filePath(base + ".pdf")).startsWith("%PDF-"));
    }

    void firstLineRunsOnlyTeX_data()
    {
        QTest::addColumn<QByteArray>("firstLine");
        QTest::addColumn<QString>("helper"); // a file beside the document that makes the canary
        QTest::addColumn<QByteArray>("helperText");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("make beside a Makefile: the stored compiler")
            << QByteArray("% make.exe") << "Makefile"
            << QByteArray("all paper evil:\n\ttouch canary\n") << 0;
        QTest::newRow("a helper named in prose: the stored compiler")
            << QByteArray("% by the author: compile with helper.exe please") << "helper"
            << QByteArray("#!/bin/sh\ntouch canary\n") << 0;
        // A TeX-like name is looked for where TeX lives, not beside the document; not found
        // there, nothing compiles.
        QTest::newRow("a TeX name is not taken from the document's folder")
            << QByteArray("% evil-tex.exe") << "evil-tex" << QByteArray("#!/bin/sh\ntouch canary\n")
            << 1;
    }

    void firstLineRunsOnlyTeX()
    {
        QFETCH(QByteArray, firstLine);
        QFETCH(QString, helper);
        QFETCH(QByteArray, helperText);
        QFETCH(int, exitCode);
        QTemporaryDir dir;
        Write(dir.filePath("paper.tex"), firstLine + "\n\\documentclass{article}\n"
                                                     "\\begin{document}\nx\n\\end{document}\n");
        Write(dir.filePath(helper), helperText);
        int code = -1;
        const QStringList ran = CompileWithoutWindow(dir.path(), QStringLiteral("paper.tex"), code);
        QCOMPARE(code, exitCode);
        QVERIFY(!QFile::exists(dir.filePath("canary")));
        const QStringList compiled{"platex", "dvipdfmx"};
        QCOMPARE(ran, exitCode == 0 ? compiled : QStringList());
    }
};

QTEST_GUILESS_MAIN(TestRealChain)
#include "tst_realchain.moc"
