// The whole chain with the TeX installed on this machine: the sample document compiles with
// its bibliography and index, and becomes a PDF.

#include "support/FakePrompter.h"
#include "support/FakeToolchainHost.h"
#include "app/SettingsStore.h"
#include "app/ui/ProcessLauncher.h"
#include "toolchain/CToolchain.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {
// Runs the real programs and notes which ones ran.
class NotingLauncher : public ProcessLauncher {
public:
    QStringList programs;
    int RunAndWait(const QString &program, const QStringList &arguments,
                   const QString &workDir) override
    {
        programs << QFileInfo(program).fileName();
        return ProcessLauncher::RunAndWait(program, arguments, workDir);
    }
};

QByteArray Read(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

class TestRealChain : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void sampleBecomesPdf()
    {
        for (const char *tool : {"platex", "pbibtex", "mendex", "dvipdfmx"}) {
            if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
                QSKIP("TeX Live's platex, pbibtex, mendex and dvipdfmx are not installed");
        }
        QTemporaryDir dir;
        const QString examples = QStringLiteral(VELLOQUIN_FIXTURES_DIR "/../../examples/");
        for (const char *name : {"sample.tex", "sample.bib"})
            QVERIFY(QFile::copy(examples + QLatin1String(name), dir.filePath(QLatin1String(name))));
        const QByteArray source = Read(dir.filePath(QStringLiteral("sample.tex")));

        MemorySettingsStore store;
        FakePrompter prompter;
        FakeToolchainHost host;
        NotingLauncher launcher;
        CToolchain tools(host, launcher, prompter, store);
        ToolchainState &s = tools.State();
        s.m_bEnglish = 1;
        s.m_strEditedPath = dir.filePath(QStringLiteral("sample.tex"));
        s.m_strTargetDir = dir.path() + QLatin1Char('/');
        s.m_strTargetBase = QStringLiteral("sample");
        s.m_strTargetExt = QStringLiteral(".tex");
        host.firstLine = QString::fromUtf8(source.left(source.indexOf('\n') + 1));
        // A fresh installation: MakeIndex's options and the paper size are asked for.
        host.paperAnswer = PaperDialogValues{0, 0, 1};

        QCOMPARE(tools.TeXPdfMake(), 1);

        const QStringList &ran = launcher.programs;
        QVERIFY2(ran.size() >= 6, qPrintable(ran.join(u' ')));
        QCOMPARE(ran.mid(0, 5),
                 (QStringList{"platex", "pbibtex", "platex", "mendex", "platex"}));
        QCOMPARE(ran.last(), QStringLiteral("dvipdfmx"));
        QCOMPARE(s.m_strCompiler, QStringLiteral("platex")); // from the first line
        QCOMPARE(host.optionsShown, QStringList{"-s myindex"});
        QCOMPARE(host.paperShown.size(), 1);
        QVERIFY2(prompter.messages.isEmpty(), qPrintable(prompter.Texts().join(u'\n')));

        QVERIFY(Read(dir.filePath(QStringLiteral("sample.bbl"))).contains("lamport1994"));
        QVERIFY(QFileInfo::exists(dir.filePath(QStringLiteral("sample.ind"))));
        QVERIFY(Read(dir.filePath(QStringLiteral("sample.pdf"))).startsWith("%PDF-"));
        QCOMPARE(s.m_bPdfMadeOnce, 1);
        QCOMPARE(host.logPaneTexts.size(), 1);
        QVERIFY(host.logPaneTexts.first().contains(QLatin1String("Output written on sample.dvi")));
    }
};

QTEST_GUILESS_MAIN(TestRealChain)
#include "tst_realchain.moc"
