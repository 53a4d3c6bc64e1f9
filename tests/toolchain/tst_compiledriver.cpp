// The compile against fake TeX programs: which program runs when, how often the compiler
// reruns, what the log pane and the user are shown.

#include "ToolchainTestKit.h"

#include "app/SettingsKeys.h"
#include "res/Messages.h"

#include <QtTest>

class TestCompileDriver : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { qputenv("PATH", "/nonexistent"); } // never the machine's own TeX

    void passes_data()
    {
        // before: files before the compile; plan: see ToolchainKit::Plan, "|D" a new DVI; calls:
        // P platex, B pbibtex, I mendex, X ptex; notice: W the warning, A BibTeX failed
        Columns<QString, QString, QString, int, QString, int>({"before", "plan", "calls", "result", "notice", "refreshes"});

        const QString bbl = QStringLiteral("platex.1|D|sample.log=No file sample.bbl.");
        QTest::newRow("clean first compile: one pass") << "" << "platex.1|D" << "P" << 1 << "" << 1;
        QTest::newRow("no DVI written: failure") << "" << "platex.1|sample.log=! Undefined" << "P" << 0 << "" << 1;
        QTest::newRow("DVI left as it was: failure") << "sample.dvi=old" << "platex.1|sample.log=x" << "P" << 0 << "" << 1;
        QTest::newRow("error prompt answered x: stop, no refresh") << "" << "platex.1|D|sample.log=l.3\n? x\nNo file sample.bbl." << "P" << 0 << "" << 0;
        QTest::newRow("error prompt met the end of input: stop") << "" << "platex.1|D|sample.log=\n? \nEnd of file on the terminal!" << "P" << 0 << "" << 0;
        QTest::newRow("missing bbl: BibTeX and a second pass") << "" << bbl << "PBP" << 1 << "" << 1;
        QTest::newRow("missing bbl of a quoted name") << "" << "platex.1|D|sample.log=No file \"sample\".bbl." << "PBP" << 1 << "" << 1;
        QTest::newRow("another document's bbl is not ours") << "" << "platex.1|D|sample.log=No file other.bbl." << "P" << 1 << "" << 1;
        QTest::newRow("bibdata in the aux: BibTeX and a second pass") << "" << "platex.1|D|sample.aux=\\bibdata{refs}" << "PBP" << 1 << "" << 1;
        QTest::newRow("changed aux: a second pass, no BibTeX") << "sample.aux=\\newlabel{a}{{1}{1}}" << "platex.1|D|sample.aux=\\newlabel{a}{{2}{1}}" << "PP" << 1 << "" << 1;
        QTest::newRow("unchanged aux: no second pass") << "sample.aux=\\relax" << "platex.1|D|sample.aux=\\relax" << "P" << 1 << "" << 1;
        QTest::newRow("first pass failed: its aux counts as empty") << "sample.aux=\\relax" << "platex.1|D|sample.aux=\\relax|exit=1" << "PP" << 1 << "" << 1;
        QTest::newRow("BibTeX failing: notice, no second pass") << "" << bbl + ";pbibtex.1|exit=2" << "PB" << 1 << "A" << 1;
        QTest::newRow("error in the pass after BibTeX: stop") << "" << bbl + ";platex.2|sample.log=\n? x\n" << "PBP" << 0 << "" << 0;
        QTest::newRow("new index file: MakeIndex and a pass") << "" << "platex.1|D|sample.idx=i" << "PIP" << 1 << "" << 1;
        QTest::newRow("rewritten index file: MakeIndex and a pass") << "sample.idx=old" << "platex.1|D|sample.idx=i" << "PIP" << 1 << "" << 1;
        QTest::newRow("index file untouched: no MakeIndex") << "sample.idx=old" << "platex.1|D" << "P" << 1 << "" << 1;
        QTest::newRow("BibTeX, then MakeIndex, each with its pass") << "" << bbl + "|sample.idx=i" << "PBPIP" << 1 << "" << 1;
        QTest::newRow("labels, no contents: one more pass") << "" << "platex.1|D|sample.log=Label(s) may have changed." << "PP" << 1 << "" << 1;
        QTest::newRow("new contents, no labels: one more pass") << "" << "platex.1|D|sample.toc=T1" << "PP" << 1 << "" << 1;
        QTest::newRow("new contents and labels, settled: two passes") << "" << "platex.1|D|sample.toc=T1|sample.log=Label(s);platex.2|sample.toc=T1" << "PP" << 1 << "" << 1;
        QTest::newRow("new contents and labels, moving: three passes") << "" << "platex.1|D|sample.toc=T1|sample.log=Label(s);platex.2|sample.toc=T2" << "PPP" << 1 << "" << 1;
        QTest::newRow("old contents changed, no labels: one more pass") << "sample.toc=T0" << "platex.1|D|sample.toc=T1" << "PP" << 1 << "" << 1;
        QTest::newRow("old contents unchanged, no labels: done") << "sample.toc=T0" << "platex.1|D|sample.toc=T0" << "P" << 1 << "" << 1;
        QTest::newRow("old contents with labels: up to two passes") << "sample.toc=T0" << "platex.1|D|sample.toc=T0|sample.log=Label(s);platex.2|sample.toc=T1" << "PPP" << 1 << "" << 1;
        QTest::newRow("first pass failed: old contents count as changed") << "sample.toc=T0" << "platex.1|D|sample.toc=T0|exit=1" << "PP" << 1 << "" << 1;
        QTest::newRow("a rerun failing fails, without a message") << "" << "platex.1|D|sample.log=Label(s) LaTeX Warning;platex.2|exit=1" << "PP" << 0 << "" << 1;
        QTest::newRow("the second of two reruns failing fails") << "" << "platex.1|D|sample.toc=T1|sample.log=Label(s);platex.2|sample.toc=T2;platex.3|exit=1" << "PPP" << 0 << "" << 1;
        QTest::newRow("LaTeX warning left: success with the warning") << "" << "platex.1|D|sample.log=LaTeX Warning: Citation `x' undefined" << "P" << 1 << "W" << 1;
        QTest::newRow("warning gone after the rerun: no message") << "" << "platex.1|D|sample.log=LaTeX Warning: Label(s);platex.2|sample.log=clean" << "PP" << 1 << "" << 1;
        QTest::newRow("font warnings do not count") << "" << "platex.1|D|sample.log=LaTeX Font Warning: Font shape" << "P" << 1 << "" << 1;
        QTest::newRow("error code but a new DVI: success") << "" << "platex.1|D|exit=1" << "P" << 1 << "" << 1;
        QTest::newRow("plain TeX: once, no refresh, no warning") << "" << "ptex.1|sample.log=LaTeX Warning Label(s)|exit=1" << "X" << 1 << "" << 0;
    }
    void passes()
    {
        QFETCH(QString, before);
        QFETCH(QString, plan);
        QFETCH(QString, calls);
        QFETCH(int, result);
        QFETCH(QString, notice);
        QFETCH(int, refreshes);
        ToolchainKit kit;
        kit.Before(before);
        kit.Plan(plan.replace(QStringLiteral("|D"), QStringLiteral("|sample.dvi=DVI")));
        if (plan.startsWith(QStringLiteral("ptex")))
            kit.settings.compiler = kit.Bin(QStringLiteral("ptex"));
        QCOMPARE(kit.tools.CompileTarget(), result);

        const QHash<QChar, QString> programs{{u'P', "platex sample"}, {u'B', "pbibtex sample"},
                                             {u'I', "mendex sample.idx"}, {u'X', "ptex sample"}};
        QStringList expected;
        for (QChar c : calls)
            expected << programs[c];
        QCOMPARE(kit.Calls(), expected);
        // The pane shows the log as the compile left it.
        QFile log(kit.Doc(QStringLiteral("sample.log")));
        const QString logText = log.open(QIODevice::ReadOnly) ? QString(log.readAll()) : QString();
        QCOMPARE(kit.host.logPaneTexts, refreshes ? QStringList{logText} : QStringList{});
        QCOMPARE(kit.host.focusRequests, refreshes);
        QCOMPARE(kit.prompter.Texts(), notice == "W"   ? QStringList{MsgText(Msg::LaTeXWarnings, true)}
                                       : notice == "A" ? QStringList{MsgText(Msg::BibTeXError, true)}
                                                       : QStringList{});
        if (notice == "W") {
            const MessageRequest &m = kit.prompter.messages.last();
            QCOMPARE(m.caption, MsgText(Msg::WarningCaption, true));
            QCOMPARE(m.icon, MsgIcon::Exclamation);
            QCOMPARE(m.buttons, MsgButtons::Ok);
        }
    }

    void unsavedDocument_data()
    {
        Columns<FakeToolchainHost::SaveAnswer, int>({"answer", "result"});
        QTest::newRow("saved: compiled") << FakeToolchainHost::SaveAnswer::Yes << 1;
        QTest::newRow("not saved: nothing compiled") << FakeToolchainHost::SaveAnswer::No << 0;
        QTest::newRow("cancelled: nothing compiled") << FakeToolchainHost::SaveAnswer::Cancel << 0;
    }
    void unsavedDocument()
    {
        QFETCH(FakeToolchainHost::SaveAnswer, answer);
        QFETCH(int, result);
        ToolchainKit kit;
        kit.host.modified = true;
        kit.host.saveAnswer = answer;
        kit.Plan(QStringLiteral("platex.1|sample.dvi=DVI"));
        QCOMPARE(kit.tools.CompileTarget(), result);
        QCOMPARE(kit.host.savePrompts, 1);
        QCOMPARE(kit.Calls().size(), result);
        QCOMPARE(kit.host.logPaneTexts.size(), 1); // refreshed either way
    }

    void nameTeXCannotReadIsRefused()
    {
        ToolchainKit kit;
        kit.host.files.target.base = QStringLiteral("say \"hi\"");
        kit.host.modified = true;
        QCOMPARE(kit.tools.CompileTarget(), 0);
        QCOMPARE(kit.prompter.Texts(), QStringList{MsgText(Msg::TargetNameUnreadable, true).arg("say \"hi\"")});
        QCOMPARE(kit.host.savePrompts, 0);
        QVERIFY(kit.Calls().isEmpty());
    }

    void firstLineNamesTheCompiler_data()
    {
        // stored: "": nothing stored; expected: "bin:": in the TeX folder
        Columns<QString, QString, QString>({"firstLine", "stored", "expected"});
        QTest::newRow("a TeX name: found in the TeX folder") << "% uplatex.exe\n" << "bin:ptex" << "bin:uplatex";
        QTest::newRow("no TeX name: the stored compiler") << "% make.exe\n" << "bin:ptex" << "bin:ptex";
        QTest::newRow("comment without .exe, nothing stored: platex") << "% a comment\n" << "" << "platex";
        QTest::newRow("no comment: unchanged") << "\\documentclass{jarticle}\n" << "" << "bin:platex";
    }
    void firstLineNamesTheCompiler()
    {
        QFETCH(QString, firstLine);
        QFETCH(QString, stored);
        QFETCH(QString, expected);
        ToolchainKit kit;
        const QString binDir = kit.Bin(QString());
        stored.replace(QStringLiteral("bin:"), binDir);
        kit.settings.texInstDir = binDir;
        if (!stored.isEmpty())
            WriteSetting(kit.store, Keys::TeX, stored);
        kit.host.firstLine = firstLine;
        kit.tools.CompileTarget();
        QCOMPARE(kit.settings.compiler, expected.replace(QStringLiteral("bin:"), binDir));
        // Taken for this window only.
        QCOMPARE(ReadSetting(kit.store, Keys::TeX), stored.isEmpty() ? "platex" : stored);
    }
};

QTEST_GUILESS_MAIN(TestCompileDriver)
#include "tst_compiledriver.moc"
