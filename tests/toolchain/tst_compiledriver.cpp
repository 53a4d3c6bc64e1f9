// The compile driver against fake TeX programs: which program runs when, how often the
// compiler reruns, and what the user is told.

#include "ToolchainTestKit.h"

#include "app/SettingsKeys.h"

#include <QtTest>

namespace {
const char *const WarningText =
    "Succeeded to compile!!\nHowever \"LaTeX Warning\"'s are there!!\n(Not \"Font Warning\") "
    "\nCheck the log file!!";
const QString P = QStringLiteral("platex sample");
const QString Bib = QStringLiteral("pbibtex sample");
const QString Idx = QStringLiteral("mendex sample.idx");
const QString Dvi = QStringLiteral("sample.dvi=DVI");
} // namespace

class TestCompileDriver : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        // Bare program names must not find the machine's own TeX.
        qputenv("PATH", "/nonexistent-velloquin-path");
    }

    void passes_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QStringList>("plan");
        QTest::addColumn<QStringList>("calls");
        QTest::addColumn<int>("result");
        QTest::addColumn<bool>("warned");
        QTest::addColumn<int>("refreshes");

        QTest::newRow("clean first compile: one pass")
            << QStringList{} << QStringList{"platex.1|" + Dvi} << QStringList{P} << 1 << false
            << 1;
        QTest::newRow("no DVI written: failure, log pane still refreshed")
            << QStringList{} << QStringList{"platex.1|sample.log=! Undefined"}
            << QStringList{P} << 0 << false << 1;
        QTest::newRow("DVI left as it was: failure")
            << QStringList{Dvi} << QStringList{"platex.1|sample.log=x"} << QStringList{P} << 0
            << false << 1;
        QTest::newRow("error prompt answered x: stop without refresh")
            << QStringList{}
            << QStringList{"platex.1|" + Dvi + "|sample.log=l.3\n? x\nNo file sample.bbl."}
            << QStringList{P} << 0 << false << 0;
        QTest::newRow("error prompt answered X: stop without refresh")
            << QStringList{} << QStringList{"platex.1|" + Dvi + "|sample.log=\n? X\n"}
            << QStringList{P} << 0 << false << 0;
        QTest::newRow("error prompt met the end of input: stop without refresh")
            << QStringList{}
            << QStringList{"platex.1|" + Dvi + "|sample.log=\n? \nEnd of file on the terminal!"}
            << QStringList{P} << 0 << false << 0;
        QTest::newRow("missing bbl: BibTeX and a second pass")
            << QStringList{} << QStringList{"platex.1|" + Dvi + "|sample.log=No file sample.bbl."}
            << QStringList{P, Bib, P} << 1 << false << 1;
        QTest::newRow("missing bbl of a quoted name: BibTeX and a second pass")
            << QStringList{}
            << QStringList{"platex.1|" + Dvi + "|sample.log=No file \"sample\".bbl."}
            << QStringList{P, Bib, P} << 1 << false << 1;
        QTest::newRow("another document's bbl is not ours")
            << QStringList{} << QStringList{"platex.1|" + Dvi + "|sample.log=No file other.bbl."}
            << QStringList{P} << 1 << false << 1;
        QTest::newRow("bibdata in the aux: BibTeX and a second pass")
            << QStringList{} << QStringList{"platex.1|" + Dvi + "|sample.aux=\\bibdata{refs}"}
            << QStringList{P, Bib, P} << 1 << false << 1;
        QTest::newRow("changed aux: a second pass without BibTeX")
            << QStringList{"sample.aux=\\newlabel{a}{{1}{1}}"}
            << QStringList{"platex.1|" + Dvi + "|sample.aux=\\newlabel{a}{{2}{1}}"}
            << QStringList{P, P} << 1 << false << 1;
        QTest::newRow("unchanged aux: no second pass")
            << QStringList{"sample.aux=\\relax"}
            << QStringList{"platex.1|" + Dvi + "|sample.aux=\\relax"} << QStringList{P} << 1
            << false << 1;
        QTest::newRow("first pass failed: its aux counts as empty")
            << QStringList{"sample.aux=\\relax"}
            << QStringList{"platex.1|" + Dvi + "|sample.aux=\\relax|exit=1"}
            << QStringList{P, P} << 1 << false << 1;
        QTest::newRow("BibTeX failing: notice, no second pass, compile goes on")
            << QStringList{}
            << QStringList{"platex.1|" + Dvi + "|sample.log=No file sample.bbl.",
                           "pbibtex.1|exit=2"}
            << QStringList{P, Bib} << 1 << false << 1;
        QTest::newRow("error in the pass after BibTeX: stop without refresh")
            << QStringList{}
            << QStringList{"platex.1|" + Dvi + "|sample.log=No file sample.bbl.",
                           "platex.2|sample.log=\n? x\n"}
            << QStringList{P, Bib, P} << 0 << false << 0;
        QTest::newRow("new index file: MakeIndex and a pass")
            << QStringList{} << QStringList{"platex.1|" + Dvi + "|sample.idx=\\indexentry{a}{1}"}
            << QStringList{P, Idx, P} << 1 << false << 1;
        QTest::newRow("rewritten index file: MakeIndex and a pass")
            << QStringList{"sample.idx=old"}
            << QStringList{"platex.1|" + Dvi + "|sample.idx=\\indexentry{a}{1}"}
            << QStringList{P, Idx, P} << 1 << false << 1;
        QTest::newRow("index file untouched: no MakeIndex")
            << QStringList{"sample.idx=old"} << QStringList{"platex.1|" + Dvi}
            << QStringList{P} << 1 << false << 1;
        QTest::newRow("BibTeX, then MakeIndex, each with its pass")
            << QStringList{}
            << QStringList{"platex.1|" + Dvi + "|sample.log=No file sample.bbl.|sample.idx=i"}
            << QStringList{P, Bib, P, Idx, P} << 1 << false << 1;
        QTest::newRow("labels, no contents before or after: one more pass")
            << QStringList{}
            << QStringList{"platex.1|" + Dvi + "|sample.log=Label(s) may have changed."}
            << QStringList{P, P} << 1 << false << 1;
        QTest::newRow("new contents without labels: one more pass")
            << QStringList{} << QStringList{"platex.1|" + Dvi + "|sample.toc=T1"}
            << QStringList{P, P} << 1 << false << 1;
        QTest::newRow("new contents and labels, settled after one: two passes")
            << QStringList{}
            << QStringList{"platex.1|" + Dvi + "|sample.toc=T1|sample.log=Label(s)",
                           "platex.2|sample.toc=T1|sample.log=ok"}
            << QStringList{P, P} << 1 << false << 1;
        QTest::newRow("new contents and labels, still moving: three passes")
            << QStringList{}
            << QStringList{"platex.1|" + Dvi + "|sample.toc=T1|sample.log=Label(s)",
                           "platex.2|sample.toc=T2|sample.log=ok"}
            << QStringList{P, P, P} << 1 << false << 1;
        QTest::newRow("old contents changed, no labels: one more pass")
            << QStringList{"sample.toc=T0"} << QStringList{"platex.1|" + Dvi + "|sample.toc=T1"}
            << QStringList{P, P} << 1 << false << 1;
        QTest::newRow("old contents unchanged, no labels: done")
            << QStringList{"sample.toc=T0"} << QStringList{"platex.1|" + Dvi + "|sample.toc=T0"}
            << QStringList{P} << 1 << false << 1;
        QTest::newRow("old contents with labels: up to two passes")
            << QStringList{"sample.toc=T0"}
            << QStringList{"platex.1|" + Dvi + "|sample.toc=T0|sample.log=Label(s)",
                           "platex.2|sample.toc=T1"}
            << QStringList{P, P, P} << 1 << false << 1;
        QTest::newRow("first pass failed: an existing contents file counts as changed")
            << QStringList{"sample.toc=T0"}
            << QStringList{"platex.1|" + Dvi + "|sample.toc=T0|exit=1"}
            << QStringList{P, P} << 1 << false << 1;
        QTest::newRow("a rerun failing fails the compile, without a message")
            << QStringList{}
            << QStringList{"platex.1|" + Dvi + "|sample.log=Label(s) LaTeX Warning",
                           "platex.2|exit=1"}
            << QStringList{P, P} << 0 << false << 1;
        QTest::newRow("a second of two reruns failing fails the compile")
            << QStringList{}
            << QStringList{"platex.1|" + Dvi + "|sample.toc=T1|sample.log=Label(s)",
                           "platex.2|sample.toc=T2", "platex.3|exit=1"}
            << QStringList{P, P, P} << 0 << false << 1;
        QTest::newRow("LaTeX warning left: success with the warning")
            << QStringList{}
            << QStringList{"platex.1|" + Dvi + "|sample.log=LaTeX Warning: Citation `x' undefined"}
            << QStringList{P} << 1 << true << 1;
        QTest::newRow("warning gone after the rerun: no message")
            << QStringList{}
            << QStringList{"platex.1|" + Dvi + "|sample.log=LaTeX Warning: Label(s) changed",
                           "platex.2|sample.log=clean"}
            << QStringList{P, P} << 1 << false << 1;
        QTest::newRow("font warnings do not count")
            << QStringList{}
            << QStringList{"platex.1|" + Dvi + "|sample.log=LaTeX Font Warning: Font shape"}
            << QStringList{P} << 1 << false << 1;
        QTest::newRow("first pass with an error code but a new DVI: success")
            << QStringList{} << QStringList{"platex.1|" + Dvi + "|exit=1"} << QStringList{P}
            << 1 << false << 1;
    }

    void passes()
    {
        QFETCH(QStringList, before);
        QFETCH(QStringList, plan);
        QFETCH(QStringList, calls);
        QFETCH(int, result);
        QFETCH(bool, warned);
        QFETCH(int, refreshes);

        ToolchainKit kit;
        kit.WriteAll(before);
        kit.Plan(plan);
        QCOMPARE(kit.tools.CompileTarget(), result);
        QCOMPARE(kit.Calls(), calls);
        QCOMPARE(kit.host.logPaneTexts.size(), refreshes);
        QCOMPARE(kit.host.focusRequests, refreshes);
        QStringList expected;
        if (plan.filter(QStringLiteral("pbibtex.1|exit=2")).size() == 1)
            expected << QStringLiteral("There are some erros !! Eg. Selected \"bibtex.exe\" "
                                       "instead of \"jbibtex.exe\". \nAlso check the "
                                       "bibliography in DVI file.");
        if (warned)
            expected << QString::fromUtf8(WarningText);
        QCOMPARE(kit.prompter.Texts(), expected);
        if (warned) {
            const MessageRequest &m = kit.prompter.messages.last();
            QCOMPARE(m.caption, QStringLiteral("Warning!!"));
            QCOMPARE(m.icon, MsgIcon::Exclamation);
            QCOMPARE(m.buttons, MsgButtons::Ok);
        }
    }

    void logPaneShowsTheLog()
    {
        ToolchainKit kit;
        kit.Plan({"platex.1|" + Dvi + "|sample.log=This is pTeX\nOutput written on sample.dvi"});
        QCOMPARE(kit.tools.CompileTarget(), 1);
        QCOMPARE(kit.host.logPaneTexts,
                 QStringList{"This is pTeX\nOutput written on sample.dvi"});

        // Without a log the pane is emptied.
        QFile::remove(kit.Doc("sample.log"));
        kit.Plan({"platex.2|sample.dvi=again"});
        kit.Write("sample.dvi", "old");
        QCOMPARE(kit.tools.CompileTarget(), 1);
        QCOMPARE(kit.host.logPaneTexts.last(), QString());
    }

    void plainTeXRunsOnce_data()
    {
        QTest::addColumn<int>("exitCode");
        QTest::newRow("success") << 0;
        QTest::newRow("errors reported") << 1;
    }

    void plainTeXRunsOnce()
    {
        QFETCH(int, exitCode);
        ToolchainKit kit;
        kit.tools.State().m_strCompiler = kit.Bin("ptex");
        kit.Plan({QStringLiteral("ptex.1|sample.log=LaTeX Warning Label(s)|exit=%1")
                      .arg(exitCode)});
        QCOMPARE(kit.tools.CompileTarget(), 1);
        QCOMPARE(kit.Calls(), QStringList{"ptex sample"});
        QVERIFY(kit.host.logPaneTexts.isEmpty());
        QCOMPARE(kit.host.focusRequests, 0);
        QVERIFY(kit.prompter.messages.isEmpty());
    }

    void unsavedDocument_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("runs");
        QTest::newRow("saved: compiled") << int(FakeToolchainHost::SaveAnswer::Yes) << 1 << 1;
        QTest::newRow("not saved: nothing compiled")
            << int(FakeToolchainHost::SaveAnswer::No) << 0 << 0;
        QTest::newRow("cancelled: nothing compiled")
            << int(FakeToolchainHost::SaveAnswer::Cancel) << 0 << 0;
    }

    void unsavedDocument()
    {
        QFETCH(int, answer);
        QFETCH(int, result);
        QFETCH(int, runs);
        ToolchainKit kit;
        kit.host.modified = true;
        kit.host.saveAnswer = FakeToolchainHost::SaveAnswer(answer);
        kit.Plan({"platex.1|" + Dvi});
        QCOMPARE(kit.tools.CompileTarget(), result);
        QCOMPARE(kit.host.savePrompts, 1);
        QCOMPARE(kit.Calls().size(), runs);
        QCOMPARE(kit.host.logPaneTexts.size(), 1); // refreshed either way
    }

    void nameTeXCannotReadIsRefused()
    {
        ToolchainKit kit;
        kit.tools.State().m_strTargetBase = QStringLiteral("say \"hi\"");
        kit.host.modified = true;
        QCOMPARE(kit.tools.CompileTarget(), 0);
        QCOMPARE(kit.prompter.Texts(),
                 QStringList{"TeX cannot read the file name \"say \"hi\"\".\nPlease rename the "
                             "file without double quotes, \"%\", \"~\", \"\\\" and control "
                             "characters."});
        QCOMPARE(kit.host.savePrompts, 0);
        QVERIFY(kit.Calls().isEmpty());
    }

    void firstLineNamesTheCompiler_data()
    {
        QTest::addColumn<QString>("firstLine");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("expected"); // "bin:" = in the tools folder
        QTest::newRow("bare name with .exe") << "% ptex.exe\n" << "" << "bin:ptex";
        QTest::newRow("uplatex") << "% uplatex.exe\n" << "bin:ptex" << "bin:uplatex";
        QTest::newRow("make is no TeX: the stored compiler")
            << "% make.exe\n" << "bin:ptex" << "bin:ptex";
        QTest::newRow("a helper in prose is no TeX: the stored compiler")
            << "% by the author: compile with helper.exe please\n" << "bin:ptex" << "bin:ptex";
        QTest::newRow("comment without .exe, nothing stored: platex")
            << "% a comment\n" << "" << "platex";
        QTest::newRow("a path is not taken: the stored compiler")
            << "% /tmp/evil/ptex.exe\n" << "bin:ptex" << "bin:ptex";
        QTest::newRow("no comment: unchanged") << "\\documentclass{jarticle}\n" << ""
                                               << "bin:platex";
    }

    void firstLineNamesTheCompiler()
    {
        QFETCH(QString, firstLine);
        QFETCH(QString, stored);
        QFETCH(QString, expected);
        ToolchainKit kit;
        const QString binDir = kit.tmp.filePath(QStringLiteral("bin")) + QLatin1Char('/');
        const auto resolve = [&](QString v) {
            return v.startsWith(QLatin1String("bin:")) ? binDir + v.mid(4) : v;
        };
        kit.tools.State().m_strTeXInstDir = binDir;
        if (!stored.isEmpty())
            WriteSetting(kit.store, Keys::TeX, resolve(stored));
        kit.host.firstLine = firstLine;
        kit.Plan({"platex.1|" + Dvi, "ptex.1|" + Dvi, "uplatex.1|" + Dvi});
        kit.tools.CompileTarget();
        QCOMPARE(kit.tools.State().m_strCompiler, resolve(expected));
        // Taken for this window only.
        QCOMPARE(ReadSetting(kit.store, Keys::TeX), stored.isEmpty() ? "platex" : resolve(stored));
    }
};

QTEST_GUILESS_MAIN(TestCompileDriver)
#include "tst_compiledriver.moc"
