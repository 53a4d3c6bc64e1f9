// Choosing the TeX programs, and the compile's way out when its compiler cannot be started.

#include "ToolchainTestKit.h"

#include "app/SettingsKeys.h"

#include <QtTest>

namespace {
QString CannotRun(const QString &compiler)
{
    return QStringLiteral(
               "Can't execute a TeX compiler \"%1\" !! \nThe PATH may not be setted or Tex may "
               "not be installed!! \nIf you installed TeX, then please choose by yourself. \nIf "
               "you push Cancel, then the default is restored; \"platex.exe\" with no path.")
        .arg(compiler);
}
const QString Hint = QStringLiteral(
    "You can also choose TeX by \"Help\"->\"Settings\"->\"Change TeX compiler\" in the menu. ");
QString FailedAfterChoice(const QString &compiler)
{
    return QStringLiteral("Can't execute a TeX compiler \"%1\" !! You can also choose TeX by "
                          "\"Help\"->\"Settings\"->\"Change TeX compiler\" in the menu. ")
        .arg(compiler);
}
const QString ChangeQ = QStringLiteral(
    "Change TeX compiler. You can choose Exe file if you push OK. \nIf you push Cancel, then "
    "the default is restored; \"platex.exe\". \nAnother TeX may be found in  \"C:\\tex\\bin\", "
    "\"C:\\w32tex\\bin\", \"C:\\usr\\local\\bin\", ... etc.");
} // namespace

class TestChoosers : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void chooseCompiler_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("dviPdf");
        QTest::addColumn<QString>("bibtex");
        QTest::addColumn<QString>("makeindex");
        QTest::newRow("platex: the Japanese tools beside it")
            << "/tl/bin/platex" << "/tl/bin/dvipdfmx" << "/tl/bin/jbibtex" << "/tl/bin/mendex";
        QTest::newRow("latex: bibtex and makeindex beside it")
            << "/tl/bin/latex" << "/tl/bin/dvipdfmx" << "/tl/bin/bibtex" << "/tl/bin/makeindex";
        QTest::newRow("a name containing platex counts as platex")
            << "/tl/bin/uplatex" << "/tl/bin/dvipdfmx" << "/tl/bin/jbibtex" << "/tl/bin/mendex";
        QTest::newRow("PLATEX in capitals is not platex")
            << "/tl/bin/PLATEX" << "-" << "-" << "-";
        QTest::newRow("no latex in the path: the others unchanged")
            << "/tl/bin/ptex" << "-" << "-" << "-";
    }

    void chooseCompiler()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, dviPdf);
        QFETCH(QString, bibtex);
        QFETCH(QString, makeindex);
        RecordingKit kit;
        kit.tools.State().m_strTeXInstDir = QStringLiteral("/old/bin/");
        kit.prompter.openAnswers.enqueue(chosen);
        QCOMPARE(kit.tools.ChooseCompiler(), 1);
        const ToolchainState &s = kit.tools.State();
        QCOMPARE(s.m_strCompiler, chosen);
        QCOMPARE(ReadSetting(kit.store, Keys::TeX), chosen);
        QCOMPARE(s.m_strTeXInstDir, QStringLiteral("/tl/bin/"));
        QCOMPARE(ReadSetting(kit.store, Keys::TeXInstDir), QStringLiteral("/tl/bin/"));
        // The dialog opened in the old TeX folder, which stays the current folder.
        QCOMPARE(kit.tools.CurrentDir(), QStringLiteral("/old/bin/"));
        const auto check = [&](const QString &expected, const QString &value,
                               const StringSetting &key, const char *initial) {
            QCOMPARE(value, expected == "-" ? QString::fromLatin1(initial) : expected);
            QCOMPARE(kit.store.Contains("Settings", key.key), expected != "-");
            if (expected != "-")
                QCOMPARE(ReadSetting(kit.store, key), expected);
        };
        check(dviPdf, s.m_strDviPdf, Keys::DviPdf, "dvipdfmx");
        check(bibtex, s.m_strBibTeX, Keys::Bib, "jbibtex");
        check(makeindex, s.m_strMakeIndex, Keys::MkIdx, "mendex");
        QVERIFY(kit.prompter.messages.isEmpty()); // no question of its own
    }

    void cancelRestoresDefaults_data()
    {
        QTest::addColumn<int>("chooser"); // 0 compiler (menu), 1 dvipdfmx, 2 BibTeX, 3 MakeIndex
        QTest::addColumn<bool>("questionOk");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("defaultName");
        for (bool ok : {false, true}) {
            const char *how = ok ? "file dialog cancelled" : "question cancelled";
            QTest::addRow("compiler, %s", how) << 0 << ok << "TeX" << "platex";
            QTest::addRow("dvipdfmx, %s", how) << 1 << ok << "DviPdf" << "dvipdfmx";
            QTest::addRow("BibTeX, %s", how) << 2 << ok << "Bib" << "jbibtex";
            QTest::addRow("MakeIndex, %s", how) << 3 << ok << "MkIdx" << "mendex";
        }
    }

    void cancelRestoresDefaults()
    {
        QFETCH(int, chooser);
        QFETCH(bool, questionOk);
        QFETCH(QString, key);
        QFETCH(QString, defaultName);
        RecordingKit kit;
        ToolchainState &s = kit.tools.State();
        s.m_strCompiler = QStringLiteral("/usr/bin/latex"); // BibTeX's default stays jbibtex
        s.m_strDviPdf = s.m_strBibTeX = s.m_strMakeIndex = QStringLiteral("/x/tool");
        kit.store.WriteString("Settings", key, "/x/tool");
        kit.prompter.answers.enqueue(questionOk ? MsgAnswer::Ok : MsgAnswer::Cancel);
        const int result = chooser == 0   ? (kit.tools.ChangeCompiler(), 0)
                           : chooser == 1 ? kit.tools.ChooseDviPdf()
                           : chooser == 2 ? kit.tools.ChooseBibTeX()
                                          : kit.tools.ChooseMakeIndex();
        QCOMPARE(result, 0);
        const QString value = chooser == 0   ? s.m_strCompiler
                              : chooser == 1 ? s.m_strDviPdf
                              : chooser == 2 ? s.m_strBibTeX
                                             : s.m_strMakeIndex;
        QCOMPARE(value, defaultName);
        QVERIFY(!kit.store.Contains("Settings", key));
        QCOMPARE(kit.prompter.messages.size(), 1);
        QCOMPARE(kit.prompter.openFilters.size(), questionOk ? 1 : 0);
        if (chooser == 0)
            QCOMPARE(kit.prompter.Texts().first(), ChangeQ);
    }

    void compilerFallback_data()
    {
        QTest::addColumn<QList<int>>("codes");
        QTest::addColumn<QList<int>>("answers"); // 1 OK, 0 Cancel
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QStringList>("runs");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QString>("compiler");
        QTest::addColumn<QString>("stored"); // "-": "TeX" not stored
        QTest::addColumn<bool>("goesOn");     // the compile carried on to its log check

        const QStringList folders{"platex paper", "/f1/platex paper", "/f2/platex paper",
                                  "/f3/platex paper"};
        QTest::newRow("found in the second folder: stored, compile goes on")
            << QList<int>{-1, -1, 0} << QList<int>{} << ""
            << QStringList{"platex paper", "/f1/platex paper", "/f2/platex paper"}
            << QStringList{} << "/f2/platex" << "/f2/platex" << true;
        QTest::newRow("found but failing is still accepted")
            << QList<int>{-1, 1} << QList<int>{} << ""
            << QStringList{"platex paper", "/f1/platex paper"} << QStringList{} << "/f1/platex"
            << "/f1/platex" << true;
        QTest::newRow("nowhere, question cancelled: default restored, hint")
            << QList<int>{-1, -1, -1, -1} << QList<int>{0, 1} << "" << folders
            << QStringList{CannotRun("platex"), Hint} << "platex" << "-" << false;
        QTest::newRow("nowhere, chooser cancelled: hint")
            << QList<int>{-1, -1, -1, -1} << QList<int>{1, 1} << "" << folders
            << QStringList{CannotRun("platex"), Hint} << "platex" << "-" << false;
        QTest::newRow("nowhere, chosen compiler runs: compile goes on")
            << QList<int>{-1, -1, -1, -1, 2} << QList<int>{1} << "/tl/platex"
            << folders + QStringList{"/tl/platex paper"} << QStringList{CannotRun("platex")}
            << "/tl/platex" << "/tl/platex" << true;
        QTest::newRow("nowhere, chosen compiler cannot start either")
            << QList<int>{-1, -1, -1, -1, -1} << QList<int>{1, 1} << "/tl/platex"
            << folders + QStringList{"/tl/platex paper"}
            << QStringList{CannotRun("platex"), FailedAfterChoice("platex")} << "/tl/platex"
            << "/tl/platex" << false;
    }

    void compilerFallback()
    {
        QFETCH(QList<int>, codes);
        QFETCH(QList<int>, answers);
        QFETCH(QString, chosen);
        QFETCH(QStringList, runs);
        QFETCH(QStringList, messages);
        QFETCH(QString, compiler);
        QFETCH(QString, stored);
        QFETCH(bool, goesOn);

        RecordingKit kit;
        kit.tools.State().m_strCompiler = QStringLiteral("platex");
        kit.Results(codes);
        for (int a : answers)
            kit.prompter.answers.enqueue(a ? MsgAnswer::Ok : MsgAnswer::Cancel);
        if (!chosen.isEmpty() || answers.value(0) == 1)
            kit.prompter.openAnswers.enqueue(chosen);
        // No DVI appears, so even a compile that goes on ends in failure.
        QCOMPARE(kit.tools.CompileTarget(), 0);
        QCOMPARE(kit.Runs(), runs);
        QCOMPARE(kit.prompter.Texts(), messages);
        QCOMPARE(kit.tools.State().m_strCompiler, compiler);
        QCOMPARE(kit.store.Contains("Settings", "TeX"), stored != "-");
        if (stored != "-")
            QCOMPARE(ReadSetting(kit.store, Keys::TeX), stored);
        // A compiler found in a folder makes that folder the TeX folder.
        // (the chooser does the same for the folder of its choice)
        const QString from = runs.size() < 4 ? runs.last().section(u' ', 0, 0) : chosen;
        const QString folder = from.left(from.lastIndexOf(u'/') + 1);
        QCOMPARE(kit.tools.State().m_strTeXInstDir, folder);
        QCOMPARE(ReadSetting(kit.store, Keys::TeXInstDir), folder);
        // A compile that gave up refreshes nothing; one that went on refreshes the log pane.
        QCOMPARE(kit.host.logPaneTexts.size(), goesOn ? 1 : 0);
        for (const FakeLauncher::Call &c : kit.launcher.calls)
            QCOMPARE(c.workDir, kit.tools.State().m_strTargetDir);
    }

    void plainTeXFallbackIsItsResult_data()
    {
        QTest::addColumn<QList<int>>("codes");
        QTest::addColumn<int>("result");
        QTest::newRow("found in a folder") << QList<int>{-1, 0} << 1;
        QTest::newRow("nowhere") << QList<int>{-1, -1, -1, -1} << 0;
    }

    void plainTeXFallbackIsItsResult()
    {
        QFETCH(QList<int>, codes);
        QFETCH(int, result);
        RecordingKit kit;
        kit.tools.State().m_strCompiler = QStringLiteral("ptex");
        kit.Results(codes);
        kit.prompter.answers.enqueue(MsgAnswer::Cancel);
        kit.prompter.answers.enqueue(MsgAnswer::Ok);
        QCOMPARE(kit.tools.CompileTarget(), result);
    }
};

QTEST_GUILESS_MAIN(TestChoosers)
#include "tst_choosers.moc"
