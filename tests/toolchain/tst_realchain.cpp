// The whole chain with the TeX installed on this machine, as `velloquin --tex` runs it without
// a window: file names TeX reads only as one argument compile with their bibliography and
// index, and a document's first line never runs a program of its own.

#include "support/Columns.h"
#include "support/Headless.h"

#include <QtTest>

namespace {
// Runnable, so that a helper written beside the document could be started.
void Write(const QString &path, const QByteArray &bytes) { QFile::setPermissions(WriteBytes(path, bytes), QFile::permissions(path) | QFileDevice::ExeOwner); }

// Runs `velloquin --tex file` in dir, its PATH starting with an empty and a "." entry; the
// names of the programs it ran, then its exit code.
QStringList CompileWithoutWindow(const QString &dir, const QString &file)
{
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", ":.:" + path);
    QProcess program;
    program.setWorkingDirectory(dir);
    StartWithoutDisplay(program, {"--tex", file}, dir + QStringLiteral("/config"));
    qputenv("PATH", path);
    program.waitForFinished(120000);
    QStringList ran;
    static const QRegularExpression run(QStringLiteral("^> (\\S+)"), QRegularExpression::MultilineOption);
    for (const QRegularExpressionMatch &m : run.globalMatch(QString::fromUtf8(program.readAllStandardError())))
        ran << QFileInfo(m.captured(1)).fileName();
    return ran << QString::number(program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1);
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
        QTest::newRow("Japanese and a blank") << QString::fromUtf8("論文 第2版");
    }
    void anyNameCompiles()
    {
        QFETCH(QString, base);
        QTemporaryDir dir;
        Write(dir.filePath(base + ".tex"), "% platex.exe\n\\documentclass{jarticle}\n\\usepackage{makeidx}\n\\makeindex\n"
              "\\begin{document}\n日本語の本文\\cite{knuth}\\index{ほんぶん@本文}．\n"
              "\\bibliographystyle{jplain}\n\\bibliography{refs}\n\\printindex\n\\end{document}\n");
        Write(dir.filePath("refs.bib"), "@book{knuth, author={Donald E. Knuth}, title={The " "{\\TeX}book}, publisher={Addison-Wesley}, year=1984}\n");
        const QStringList ran = CompileWithoutWindow(dir.path(), base + ".tex");
        QCOMPARE(ran.mid(0, 5), (QStringList{"platex", "pbibtex", "platex", "mendex", "platex"}));
        QCOMPARE(ran.mid(ran.size() - 2), (QStringList{"dvipdfmx", "0"}));
        QVERIFY(ReadBytes(dir.filePath(base + ".bbl")).contains("Knuth"));
        QVERIFY(ReadBytes(dir.filePath(base + ".ind")).contains("本文"));
        QVERIFY(ReadBytes(dir.filePath(base + ".pdf")).startsWith("%PDF-"));
    }

    // Each first line beside a program that would make the canary.
    void firstLineRunsOnlyTeX_data()
    {
        Columns<QByteArray, QString, QByteArray, QStringList>({"firstLine", "helper", "helperText", "ran"});
        const QByteArray script = "#!/bin/sh\ntouch canary\n";
        QTest::newRow("make beside a Makefile: the stored compiler") << QByteArray("% make.exe") << "Makefile" << QByteArray("all paper evil:\n\ttouch canary\n") << QStringList{"platex", "dvipdfmx", "0"};
        QTest::newRow("a helper named in prose: the stored compiler") << QByteArray("% by the author: compile with helper.exe please") << "helper" << script << QStringList{"platex", "dvipdfmx", "0"};
        // Looked for where TeX lives, not beside the document; not found, nothing compiles.
        QTest::newRow("a TeX name is not taken from the document's folder") << QByteArray("% evil-tex.exe") << "evil-tex" << script << QStringList{"1"};
    }
    void firstLineRunsOnlyTeX()
    {
        QFETCH(QByteArray, firstLine);
        QFETCH(QString, helper);
        QFETCH(QByteArray, helperText);
        QFETCH(QStringList, ran);
        QTemporaryDir dir;
        Write(dir.filePath("paper.tex"), firstLine + "\n\\documentclass{article}\n\\begin{document}\nx\n\\end{document}\n");
        Write(dir.filePath(helper), helperText);
        QCOMPARE(CompileWithoutWindow(dir.path(), QStringLiteral("paper.tex")), ran);
        QVERIFY(!QFile::exists(dir.filePath("canary")));
    }
};

QTEST_GUILESS_MAIN(TestRealChain)
#include "tst_realchain.moc"
