// BibTeX and MakeIndex: the run, the search of the fixed folders, the chooser as the last
// resort, and exactly one of the three notices on every failure.

#include "ToolchainTestKit.h"

#include "app/SettingsKeys.h"

#include <QtTest>

namespace {
const QString BibA = QStringLiteral(
    "There are some erros !! Eg. Selected \"bibtex.exe\" instead of \"jbibtex.exe\". \nAlso "
    "check the bibliography in DVI file.");
const QString BibB = QStringLiteral("Can't execute BibTeX !!");
const QString BibC = QStringLiteral(
    "You can also choose BibTeX (\"jbibtex.exe\") by \n\"Help\"->\"Settings\"->\"Choose "
    "BibTeX\" in the menu. \nIf it does not work, then use \"Command Prompt Window\" !! ");
const QString BibQ = QStringLiteral(
    "If it failed to execute BibTeX, then jbibtex.exe file may not be specified. \nFind and "
    "select jbibtex.exe or bibtex.exe. \nIf you push Cancel, then the default is restored; "
    "\"(j)bibtex.exe\" with no path.");
const QString IdxA = QStringLiteral(
    "There are some erros !! Eg. Selected \"makeindex.exe\" instead of \"mendex.exe\".");
const QString IdxB = QStringLiteral("Can't execute MakeIndex (mendex.exe) !!");
const QString IdxC = QStringLiteral(
    "You can also choose MakeIndex (\"mendex.exe\") by \n\"Help\"->\"Settings\"->\"Choose "
    "MakeIndex\" in the menu. \nIf it does not work, then use \"Command Prompt Window\" !! ");
const QString IdxQ = QStringLiteral(
    "If it failed to execute MakeIndex, then mendex.exe file may not be specified. \nFind and "
    "select mendex.exe or makeindex.exe. \nIf you push Cancel, then the default is restored; "
    "\"mendex.exe\" with no path.");
} // namespace

class TestAuxTools : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void bibtex_data()
    {
        QTest::addColumn<QString>("compiler");
        QTest::addColumn<QList<int>>("codes");
        QTest::addColumn<QString>("chosen"); // "": the question is cancelled
        QTest::addColumn<int>("result");
        QTest::addColumn<QStringList>("runs");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("stored"); // "-": nothing stored

        const QString j = QStringLiteral("jbibtex"); // the configured name
        QTest::newRow("runs") << "platex" << QList<int>{0} << "" << 1
                              << QStringList{"pbibtex paper"} << QStringList{} << j << "-";
        QTest::newRow("reports an error: A") << "platex" << QList<int>{3} << "" << 0
                                             << QStringList{"pbibtex paper"}
                                             << QStringList{BibA} << j << "-";
        QTest::newRow("found in the third folder: stored")
            << "platex" << QList<int>{-1, -1, -1, 0} << "" << 1
            << QStringList{"pbibtex paper", "/f1/pbibtex paper", "/f2/pbibtex paper",
                           "/f3/pbibtex paper"}
            << QStringList{} << "/f3/jbibtex" << "/f3/jbibtex";
        QTest::newRow("latex compiler looks for bibtex")
            << "/usr/bin/latex" << QList<int>{-1, -1, 0} << "" << 1
            << QStringList{"pbibtex paper", "/f1/bibtex paper", "/f2/bibtex paper"}
            << QStringList{} << "/f2/bibtex" << "/f2/bibtex";
        QTest::newRow("first folder's program fails: C")
            << "platex" << QList<int>{-1, 2} << "" << 0
            << QStringList{"pbibtex paper", "/f1/pbibtex paper"} << QStringList{BibC} << j
            << "-";
        QTest::newRow("third folder's program fails: A")
            << "platex" << QList<int>{-1, -1, -1, 2} << "" << 0
            << QStringList{"pbibtex paper", "/f1/pbibtex paper", "/f2/pbibtex paper",
                           "/f3/pbibtex paper"}
            << QStringList{BibA} << j << "-";
        const QStringList allFolders{"pbibtex paper", "/f1/pbibtex paper", "/f2/pbibtex paper",
                                     "/f3/pbibtex paper"};
        QTest::newRow("nowhere, chooser cancelled: B then A, default restored")
            << "platex" << QList<int>{-1, -1, -1, -1} << "" << 0 << allFolders
            << QStringList{BibB, BibQ, BibA} << j << "-";
        QTest::newRow("nowhere, chosen program runs")
            << "platex" << QList<int>{-1, -1, -1, -1, 0} << "/opt/tex/jbibtex" << 1
            << allFolders + QStringList{"/opt/tex/pbibtex paper"} << QStringList{BibB, BibQ}
            << "/opt/tex/jbibtex" << "/opt/tex/jbibtex";
        QTest::newRow("nowhere, chosen program fails: A")
            << "platex" << QList<int>{-1, -1, -1, -1, 1} << "/opt/tex/bibtex" << 0
            << allFolders + QStringList{"/opt/tex/bibtex paper"}
            << QStringList{BibB, BibQ, BibA} << "/opt/tex/bibtex" << "/opt/tex/bibtex";
    }

    void bibtex()
    {
        QFETCH(QString, compiler);
        QFETCH(QList<int>, codes);
        QFETCH(QString, chosen);
        QFETCH(int, result);
        QFETCH(QStringList, runs);
        QFETCH(QStringList, messages);
        QFETCH(QString, command);
        QFETCH(QString, stored);

        RecordingKit kit;
        kit.tools.State().m_strCompiler = compiler;
        kit.Results(codes);
        const int notices = messages.size() - (messages.contains(BibQ) ? 1 : 0);
        for (int i = 0; i < notices; ++i)
            kit.prompter.answers.enqueue(MsgAnswer::Ok);
        if (messages.contains(BibQ)) {
            // The question comes second, after notice B.
            kit.prompter.answers.insert(1, chosen.isEmpty() ? MsgAnswer::Cancel : MsgAnswer::Ok);
            kit.prompter.openAnswers.enqueue(chosen);
        }
        kit.tools.EnterTargetDir();
        QCOMPARE(kit.tools.RunBibTeX(), result);
        QCOMPARE(kit.Runs(), runs);
        QCOMPARE(kit.prompter.Texts(), messages);
        QCOMPARE(kit.prompter.unexpected, 0);
        QCOMPARE(kit.tools.State().m_strBibTeX, command);
        QCOMPARE(kit.store.Contains("Settings", "Bib"), stored != "-");
        if (stored != "-")
            QCOMPARE(ReadSetting(kit.store, Keys::Bib), stored);
        // The run is always in the target folder.
        for (const FakeLauncher::Call &c : kit.launcher.calls)
            QCOMPARE(c.workDir, kit.tools.State().m_strTargetDir);
    }

    void makeindex_data()
    {
        QTest::addColumn<QString>("compiler");
        QTest::addColumn<QString>("options");
        QTest::addColumn<QList<int>>("codes");
        QTest::addColumn<QStringList>("runs");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QString>("stored");

        QTest::newRow("options come before the base name")
            << "platex" << "-s myindex -g" << QList<int>{0}
            << QStringList{"mendex -s myindex -g paper.idx"} << QStringList{} << "-";
        QTest::newRow("empty options leave only the base name")
            << "platex" << "" << QList<int>{0} << QStringList{"mendex paper.idx"} << QStringList{}
            << "-";
        QTest::newRow("reports an error: A")
            << "platex" << "" << QList<int>{1} << QStringList{"mendex paper.idx"}
            << QStringList{IdxA} << "-";
        QTest::newRow("found in the second folder with the options: stored")
            << "platex" << "-r" << QList<int>{-1, -1, 0}
            << QStringList{"mendex -r paper.idx", "/f1/mendex -r paper.idx",
                           "/f2/mendex -r paper.idx"}
            << QStringList{} << "/f2/mendex";
        QTest::newRow("latex compiler looks for makeindex; failing there: C")
            << "latex" << "" << QList<int>{-1, 5}
            << QStringList{"mendex paper.idx", "/f1/makeindex paper.idx"} << QStringList{IdxC}
            << "-";
        QTest::newRow("nowhere, chooser cancelled: B then A")
            << "platex" << "" << QList<int>{-1, -1, -1, -1}
            << QStringList{"mendex paper.idx", "/f1/mendex paper.idx", "/f2/mendex paper.idx",
                           "/f3/mendex paper.idx"}
            << QStringList{IdxB, IdxQ, IdxA} << "-";
    }

    void makeindex()
    {
        QFETCH(QString, compiler);
        QFETCH(QString, options);
        QFETCH(QList<int>, codes);
        QFETCH(QStringList, runs);
        QFETCH(QStringList, messages);
        QFETCH(QString, stored);

        RecordingKit kit;
        kit.tools.State().m_strCompiler = compiler;
        kit.tools.State().m_strMakeIndexOptions = options;
        kit.Results(codes);
        QCOMPARE(kit.tools.RunMakeIndex() == 1, messages.isEmpty());
        QCOMPARE(kit.Runs(), runs);
        QCOMPARE(kit.prompter.Texts(), messages);
        QCOMPARE(kit.store.Contains("Settings", "MkIdx"), stored != "-");
        if (stored != "-")
            QCOMPARE(ReadSetting(kit.store, Keys::MkIdx), stored);
        else if (messages.contains(IdxQ))
            QCOMPARE(kit.tools.State().m_strMakeIndex, QStringLiteral("mendex"));
        QVERIFY(kit.host.optionsShown.isEmpty()); // "never show" is set
    }

    void optionsDialogBeforeEachRun_data()
    {
        QTest::addColumn<QString>("storedOptions"); // "-": nothing stored
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("run");
        QTest::newRow("fresh installation proposes a style, Cancel runs without options")
            << "-" << false << "-s myindex" << "mendex paper.idx";
        QTest::newRow("fresh installation, OK takes the proposal")
            << "-" << true << "-s myindex" << "mendex -s myindex paper.idx";
        QTest::newRow("stored options are shown") << "-g" << true << "-g" << "mendex -g paper.idx";
        QTest::newRow("emptied options stay empty") << "" << true << "" << "mendex paper.idx";
    }

    void optionsDialogBeforeEachRun()
    {
        QFETCH(QString, storedOptions);
        QFETCH(bool, ok);
        QFETCH(QString, shown);
        QFETCH(QString, run);
        RecordingKit kit;
        kit.tools.State().m_bMakeIndexNoAsk = 0;
        if (storedOptions != "-") {
            WriteSetting(kit.store, Keys::MkIdxOpt, storedOptions);
            kit.tools.State().m_strMakeIndexOptions = storedOptions;
        }
        if (ok)
            kit.host.optionsAnswer = shown;
        QCOMPARE(kit.tools.RunMakeIndex(), 1);
        QCOMPARE(kit.host.optionsShown, QStringList{shown});
        QCOMPARE(kit.Runs(), QStringList{run});
        QCOMPARE(kit.store.Contains("Settings", "MkIdxNvr"), ok);
    }

    void neverShowStopsTheDialog()
    {
        RecordingKit kit;
        kit.tools.State().m_bMakeIndexNoAsk = 0;
        kit.host.optionsAnswer = QStringLiteral("-q");
        kit.host.neverAnswer = 1;
        kit.tools.RunMakeIndex();
        kit.tools.RunMakeIndex();
        QCOMPARE(kit.host.optionsShown.size(), 1);
        QCOMPARE(kit.Runs(), (QStringList{"mendex -q paper.idx", "mendex -q paper.idx"}));
        QCOMPARE(ReadSetting(kit.store, Keys::MkIdxNvr), 1);
        QCOMPARE(ReadSetting(kit.store, Keys::MkIdxOpt), QStringLiteral("-q"));
    }
};

QTEST_GUILESS_MAIN(TestAuxTools)
#include "tst_auxtools.moc"
