#include "input/CommandList.h"
#include "input/MergeCommandFiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

namespace {
QByteArray ReadBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString Write(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    f.write(bytes);
    return path;
}
} // namespace

class TestMergeFiles : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Each document is merged in turn and the list is written as UTF-8 with LF, whatever the
    // encoding and line ends it had.
    void mergesEveryDocument()
    {
        QTemporaryDir dir;
        const QString list = Write(dir, "input_tex.mme",
                                   "mine\r\n\\COMMANDS\r\n%a\r\nalpha\t2\r\n");
        const QString a = Write(dir, "a.tex", "\\begin{document}\\alpha \\beta \\end{document}");
        const QString b = Write(dir, "b.tex", "\\begin{document}\r\n\\alpha x\r\n\\end{document}");
        QString err;
        QTextStream errors(&err);
        QCOMPARE(MergeCommandFiles(list, {a, b}, false, errors), 0);
        const QByteArray bytes = ReadBytes(list);
        QVERIFY(!bytes.contains('\r'));
        const QString text = QString::fromUtf8(bytes);
        QVERIFY(text.startsWith(QStringLiteral("mine\n") + CommandListMarker(false)));
        QVERIFY(text.contains(QStringLiteral("\nalpha\t4\n")));
        QVERIFY(text.contains(QStringLiteral("\nbeta\t1\n")));
        QVERIFY(err.isEmpty());
    }

    void missingDocumentLeavesTheList()
    {
        QTemporaryDir dir;
        const QByteArray old = "\\COMMANDS\n%a\nalpha\t2\n";
        const QString list = Write(dir, "input_tex.mme", old);
        const QString a = Write(dir, "a.tex", "\\alpha ");
        QString err;
        QTextStream errors(&err);
        QCOMPARE(MergeCommandFiles(list, {a, dir.filePath("missing.tex")}, true, errors), 1);
        QCOMPARE(ReadBytes(list), old);
        QVERIFY(err.contains(QStringLiteral("missing.tex")));
    }
};

QTEST_GUILESS_MAIN(TestMergeFiles)
#include "tst_mergefiles.moc"
