// Everything of the TeX commands but the compile passes: file names and command lines, the
// search for a program that cannot be started and the notices on failure, the PDF, showing the
// output, and the choosers.

#include "ToolchainTestKit.h"

#include "app/SettingsKeys.h"
#include "res/Messages.h"
#include "toolchain/AnotherFile.h"
#include "toolchain/ExternalPrograms.h"
#include "toolchain/ToolLookup.h"

#include <QtTest>

#include <functional>

using Answer = FakeToolchainHost::SaveAnswer;

namespace {
const QString Jp = QString::fromUtf8("論文 第2版");

// The notices by tool and letter; %1 is the compiler, or the folders a chooser names.
QString Notice(const QString &tool, QChar letter, const QString &compiler)
{
    static const QHash<QString, Msg> ids{{"bibA", Msg::BibTeXError}, {"bibB", Msg::BibTeXCannotRun}, {"bibC", Msg::BibTeXHint}, {"bibQ", Msg::ChooseBibTeXQuestion},
        {"idxA", Msg::MakeIndexError}, {"idxB", Msg::MakeIndexCannotRun}, {"idxC", Msg::MakeIndexHint}, {"idxQ", Msg::ChooseMakeIndexQuestion},
        {"pdfR", Msg::PdfMakeRetry}, {"pdfF", Msg::PdfMakeFailed}, {"pdfQ", Msg::ChooseDviPdfQuestion}, {"pdfO", Msg::PdfOpenFailed}, {"dviF", Msg::DviOpenFailed},
        {"texN", Msg::CompilerCannotRun}, {"texH", Msg::CompilerHint}, {"texF", Msg::CompilerFailedAfterChoice}, {"menuQ", Msg::ChangeCompilerQuestion}};
    const QString text = MsgText(ids.value(tool + letter), true);
    return text.contains(QLatin1String("%1")) ? text.arg(compiler) : text;
}

QString Terminal(TerminalPlatform platform, const QString &variable, const QString &installed)
{
    const QStringList present = installed.split(u' ', Qt::SkipEmptyParts);
    const ProgramCall c = TerminalCall(platform, QStringLiteral("/w/main/"), variable, [&](const QString &name) {
        return present.contains(name) ? "/usr/bin/" + name : QString();
    });
    return (QStringList{c.program} + c.arguments).join(u'|');
}
// Shows the DVI or PDF ("pdf") with the document saved or not (save: "", or the answer Y, N, C),
// the file there or not and the viewer starting or not.
QString Show(const QString &file, const QString &save, bool exists, bool opens)
{
    RecordingKit kit;
    if (exists)
        kit.Touch("paper." + file);
    kit.host.modified = !save.isEmpty();
    kit.host.saveAnswer = save == "N" ? Answer::No : save == "C" ? Answer::Cancel : Answer::Yes;
    kit.launcher.startResults.enqueue(opens);
    file == "pdf" ? kit.tools.ShowPdf() : kit.tools.ShowDvi();
    const QStringList opened = kit.Calls(FakeLauncher::Call::OpenFile);
    const QString shown = opened.isEmpty() ? "-" : opened == QStringList{kit.File("paper." + file)} ? "shown" : opened.join(u',');
    return shown + u' ' + QString::number(kit.Calls().size()) + u' ' + kit.prompter.Texts().join(u'|');
}
} // namespace

class TestToolRules : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir; // bin/mytex runnable, bin/notes not, bin/sub a folder

private Q_SLOTS:
    void initTestCase()
    {
        QDir(m_dir.path()).mkpath(QStringLiteral("bin/sub"));
        WriteEntry(m_dir.filePath(QStringLiteral("bin")), QStringLiteral("notes="), false);
        WriteEntry(m_dir.filePath(QStringLiteral("bin")), QStringLiteral("mytex="), false);
        QFile(m_dir.filePath(QStringLiteral("bin/mytex"))).setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        // The working folder holds the programs too; a relative folder must not reach them.
        QDir::setCurrent(m_dir.path());
    }

    void rules_data()
    {
        // out: lists joined by |; @ the test folder
        Columns<QString, QString, QString>({"in", "in2", "out"});
        // The row name before the colon names the rule.
        QTest::newRow("arguments: blanks stay in the one file argument") << "" << Jp << Jp;
        QTest::newRow("arguments: a leading dash is not a switch") << "" << "-lead" << "./-lead";
        QTest::newRow("arguments: options split, B5's double blank") << " -p  b5" << "my paper" << "-p|b5|my paper";
        QTest::newRow("arguments: several options, tab") << "-s myindex\t-g" << "a.idx" << "-s|myindex|-g|a.idx";
        QTest::newRow("first line: after a blank") << "% platex.exe ── sample\n" << "" << "platex";
        QTest::newRow("first line: after the percent sign") << "%ptex.exe\n" << "" << "ptex";
        QTest::newRow("first line: the last blank before .exe") << "% run uplatex.exe -x\n" << "" << "uplatex";
        QTest::newRow("first line: any case, digits, - and _") << "% Lua_La-TeX2e-tex.exe\n" << "" << "Lua_La-TeX2e-tex";
        QTest::newRow("first line: only the first .exe counts") << "% make.exe platex.exe\n" << "" << "";
        QTest::newRow("first line: make is no TeX") << "% make.exe\n" << "" << "";
        QTest::newRow("first line: a path is refused") << "% C:\\w32tex\\bin\\platex.exe\n" << "" << "";
        QTest::newRow("first line: a dot is refused") << "% ..platex.exe\n" << "" << "";
        QTest::newRow("first line: .EXE in capitals is not .exe") << "% platex.EXE\n" << "" << "";
        QTest::newRow("readable: blank, Japanese, digits") << Jp << "" << "1";
        QTest::newRow("readable: TeX's other specials") << "-a#b$c&d{e}f^g_h" << "" << "1";
        QTest::newRow("readable: double quote") << "a\"b" << "" << "0";
        QTest::newRow("readable: backslash") << "a\\b" << "" << "0";
        QTest::newRow("readable: tab") << "a\tb" << "" << "0";
        QTest::newRow("platform: jbibtex is pbibtex") << "jbibtex" << "" << "pbibtex";
        QTest::newRow("platform: in its folder") << "/tl/bin/jbibtex" << "" << "/tl/bin/pbibtex";
        QTest::newRow("platform: a folder named jbibtex unchanged") << "/jbibtex/bibtex" << "" << "/jbibtex/bibtex";
        QTest::newRow("pieces: plain") << "/home/a/paper.tex" << "" << "/home/a/|paper|.tex";
        QTest::newRow("pieces: several dots, the last counts") << "/home/a/paper.v2.TEX" << "" << "/home/a/|paper.v2|.TEX";
        QTest::newRow("pieces: no extension") << "/home/a/Makefile" << "" << "/home/a/|Makefile|";
        QTest::newRow("pieces: dot in the folder only") << "/home/a.b/notes" << "" << "/home/a.b/|notes|";
        QTest::newRow("pieces: all extension") << "/home/a/.latexmkrc" << "" << "/home/a/||.latexmkrc";
        QTest::newRow("pieces: empty") << "" << "" << "||";
        QTest::newRow("log: own log") << "/w/ch1.tex" << "" << "/w/ch1.log";
        QTest::newRow("log: the master's, in another folder") << "/w/chap/ch1.tex" << "/w/main/book.tex" << "/w/main/book.log";
        QTest::newRow("log: registered for a text file") << "/w/notes.txt" << "/w/book.final.tex" << "/w/book.final.log";
        QTest::newRow("log: untitled, nothing registered") << "" << "" << "";
        QTest::newRow("paper: A4, the default, passes nothing") << "1" << "" << "";
        QTest::newRow("paper: B5") << "7" << "" << " -p  b5";
        QTest::newRow("paper: beyond the list") << "14" << "" << "";
        QTest::newRow("search path: only absolute folders") << ":.:/usr/bin:bin:/opt/tl/bin/" << "" << "/usr/bin|/opt/tl/bin/";
        QTest::newRow("find: bare name in a folder") << "mytex" << "" << "@bin/mytex";
        QTest::newRow("find: not runnable") << "notes" << "" << "";
        QTest::newRow("find: a folder is no program") << "sub" << "" << "";
        QTest::newRow("find: absolute path") << "@bin/mytex" << "" << "@bin/mytex";
        QTest::newRow("find: relative path, never the working folder") << "bin/mytex" << "" << "";
        QTest::newRow("terminal: the system's choice first") << "" << "xterm konsole x-terminal-emulator" << "/usr/bin/x-terminal-emulator";
        QTest::newRow("terminal: the user's TERMINAL before all") << "kitty" << "kitty x-terminal-emulator" << "/usr/bin/kitty";
        QTest::newRow("terminal: TERMINAL not installed is passed over") << "nonesuch" << "konsole" << "/usr/bin/konsole";
        QTest::newRow("terminal: xterm as the last resort") << "  " << "xterm" << "/usr/bin/xterm";
        QTest::newRow("windows terminal: the prompt found") << "" << "cmd.exe" << "/usr/bin/cmd.exe";
        QTest::newRow("windows terminal: the prompt at its usual place") << "" << "" << "c:\\windows\\system32\\cmd.exe";
        QTest::newRow("mac terminal: in the folder") << "" << "" << "/usr/bin/open|-a|Terminal|/w/main/";
    }
    void rules()
    {
        QFETCH(QString, in);
        QFETCH(QString, in2);
        QFETCH(QString, out);
        const QString at = m_dir.path() + u'/';
        using Rule = std::function<QString(QString, QString)>;
        const QHash<QString, Rule> rules{
            {"arguments", [](auto a, auto b) { return ToolArguments(a, b).join(u'|'); }},
            {"first line", [](auto a, auto) { return CompilerFromFirstLine(a); }},
            {"readable", [](auto a, auto) { return QString::number(TeXCanReadName(a)); }},
            {"platform", [](auto a, auto) { return PlatformCommand(a); }},
            {"pieces", [](auto a, auto) { const TargetPieces p = SplitTargetPath(a); return p.dir + u'|' + p.base + u'|' + p.ext; }},
            {"log", [](auto a, auto b) { return TargetLogPath(a, b); }},
            {"paper", [](auto a, auto) { return PaperOption(a.toInt()); }},
            {"search path", [](auto a, auto) { return SearchPathFolders(a.replace(u':', QDir::listSeparator())).join(u'|'); }},
            {"find", [&](auto a, auto) { return FindProgram(a.replace(u'@', at), {"bin", at + "bin"}); }},
            {"terminal", [](auto a, auto b) { return Terminal(TerminalPlatform::Unix, a, b); }},
            {"windows terminal", [](auto a, auto b) { return Terminal(TerminalPlatform::Windows, a, b); }},
            {"mac terminal", [](auto a, auto b) { return Terminal(TerminalPlatform::MacOS, a, b); }}};
        const QString rule = QString::fromLatin1(QTest::currentDataTag()).section(u':', 0, 0);
#ifdef Q_OS_WIN
        if (rule == "platform")
            QSKIP("Windows has jbibtex itself");
#endif
        QCOMPARE(rules[rule](in, in2), out.replace(u'@', at));
    }

    void fixedFolders()
    {
        const QStringList compiler = DefaultToolFolders(ToolFolderOrder::CompilerFirst);
        QCOMPARE(compiler.size(), 3);
        // The auxiliary order starts with the compiler's second folder.
        QCOMPARE(DefaultToolFolders(ToolFolderOrder::AuxiliaryFirst).join(u'|').toLower(), (QStringList{compiler[1], compiler[2], compiler[0]}).join(u'|').toLower());
        for (const QString &f : compiler)
            QVERIFY2(f.endsWith(u'/') || f.endsWith(u'\\'), qPrintable(f));
    }

    // BibTeX, MakeIndex, dvipdfmx and the compiler that cannot be started: the fixed folders,
    // then the chooser, and exactly the notices of the failure.
    void programSearch_data()
    {
        // tool: bib, idx, pdf, tex, and "latex": under latex, "again": a PDF was made before,
        // "ptex": plain TeX; codes: of the runs, -1 cannot start; answers: O OK, C Cancel, then
        // the last button; runs: the programs, the file added; notices: see Notice(); result:
        // for tex, the compile went on to the log; stored: the program found or chosen, "-" none
        Columns<QString, QString, QString, QString, QString, QString, int, QString>({"tool", "codes", "answers", "chosen", "runs", "notices", "result", "stored"});

        const QString nowhere = QStringLiteral("-1 -1 -1 -1");
        QTest::newRow("BibTeX runs") << "bib" << "0" << "" << "" << "pbibtex" << "" << 1 << "-";
        QTest::newRow("BibTeX reports an error: A") << "bib" << "3" << "" << "" << "pbibtex" << "A" << 0 << "-";
        QTest::newRow("BibTeX found in the third folder") << "bib" << "-1 -1 -1 0" << "" << "" << "pbibtex,/f1/pbibtex,/f2/pbibtex,/f3/pbibtex" << "" << 1 << "/f3/jbibtex";
        QTest::newRow("BibTeX under latex is bibtex") << "bib latex" << "-1 -1 0" << "" << "" << "pbibtex,/f1/bibtex,/f2/bibtex" << "" << 1 << "/f2/bibtex";
        QTest::newRow("BibTeX failing in the first folder: C") << "bib" << "-1 2" << "" << "" << "pbibtex,/f1/pbibtex" << "C" << 0 << "-";
        QTest::newRow("BibTeX failing in the third folder: A") << "bib" << "-1 -1 -1 2" << "" << "" << "pbibtex,/f1/pbibtex,/f2/pbibtex,/f3/pbibtex" << "A" << 0 << "-";
        QTest::newRow("BibTeX nowhere, chooser cancelled: B, A") << "bib" << nowhere << "" << "" << "pbibtex,/f1/pbibtex,/f2/pbibtex,/f3/pbibtex" << "BQA" << 0 << "-";
        QTest::newRow("BibTeX nowhere, the chosen one runs") << "bib" << nowhere + " 0" << "OO" << "/o/jbibtex" << "pbibtex,/f1/pbibtex,/f2/pbibtex,/f3/pbibtex,/o/pbibtex" << "BQ" << 1 << "/o/jbibtex";
        QTest::newRow("BibTeX nowhere, the chosen one fails: A") << "bib" << nowhere + " 1" << "OO" << "/o/bibtex" << "pbibtex,/f1/pbibtex,/f2/pbibtex,/f3/pbibtex,/o/bibtex" << "BQA" << 0 << "/o/bibtex";
        QTest::newRow("MakeIndex runs with its options") << "idx" << "0" << "" << "" << "mendex" << "" << 1 << "-";
        QTest::newRow("MakeIndex reports an error: A") << "idx" << "1" << "" << "" << "mendex" << "A" << 0 << "-";
        QTest::newRow("MakeIndex under latex is makeindex, failing: C") << "idx latex" << "-1 5" << "" << "" << "mendex,/f1/makeindex" << "C" << 0 << "-";
        QTest::newRow("MakeIndex nowhere, chooser cancelled: B, A") << "idx" << nowhere << "" << "" << "mendex,/f1/mendex,/f2/mendex,/f3/mendex" << "BQA" << 0 << "-";
        QTest::newRow("dvipdfmx error, retry after closing the viewer") << "pdf" << "1 0" << "O" << "" << "dvipdfmx,dvipdfmx" << "R" << 1 << "-";
        QTest::newRow("dvipdfmx error twice, never made: chooser") << "pdf" << "1 1" << "O" << "" << "dvipdfmx,dvipdfmx" << "RFQ" << 0 << "-";
        QTest::newRow("dvipdfmx error, retry declined, made before") << "pdf again" << "1" << "C" << "" << "dvipdfmx" << "RF" << 0 << "-";
        QTest::newRow("dvipdfmx found in the third folder") << "pdf" << "-1 -1 -1 0" << "" << "" << "dvipdfmx,/f1/dvipdfmx,/f2/dvipdfmx,/f3/dvipdfmx" << "" << 1 << "/f3/dvipdfmx";
        QTest::newRow("dvipdfmx found but failing: retried as found") << "pdf" << "-1 3 0" << "O" << "" << "dvipdfmx,/f1/dvipdfmx,/f1/dvipdfmx" << "R" << 1 << "/f1/dvipdfmx";
        QTest::newRow("dvipdfmx nowhere: chooser, no further run") << "pdf again" << nowhere << "" << "" << "dvipdfmx,/f1/dvipdfmx,/f2/dvipdfmx,/f3/dvipdfmx" << "Q" << 0 << "-";
        QTest::newRow("compiler found in the second folder") << "tex" << "-1 -1 0" << "" << "" << "platex,/f1/platex,/f2/platex" << "" << 1 << "/f2/platex";
        QTest::newRow("compiler found but failing is still taken") << "tex" << "-1 1" << "" << "" << "platex,/f1/platex" << "" << 1 << "/f1/platex";
        QTest::newRow("compiler nowhere, question cancelled: hint") << "tex" << nowhere << "C" << "" << "platex,/f1/platex,/f2/platex,/f3/platex" << "NH" << 0 << "-";
        QTest::newRow("compiler nowhere, chooser cancelled: hint") << "tex" << nowhere << "O" << "" << "platex,/f1/platex,/f2/platex,/f3/platex" << "NH" << 0 << "-";
        QTest::newRow("compiler nowhere, the chosen one runs") << "tex" << nowhere + " 2" << "O" << "/o/platex" << "platex,/f1/platex,/f2/platex,/f3/platex,/o/platex" << "N" << 1 << "/o/platex";
        QTest::newRow("compiler nowhere, the chosen one cannot start") << "tex" << nowhere + " -1" << "O" << "/o/platex" << "platex,/f1/platex,/f2/platex,/f3/platex,/o/platex" << "NF" << 0 << "/o/platex";
        QTest::newRow("plain TeX found: its result") << "tex ptex" << "-1 0" << "" << "" << "ptex,/f1/ptex" << "" << 1 << "/f1/ptex";
        QTest::newRow("plain TeX nowhere: failure") << "tex ptex" << nowhere << "C" << "" << "ptex,/f1/ptex,/f2/ptex,/f3/ptex" << "NH" << 0 << "-";
    }
    void programSearch()
    {
        QFETCH(QString, tool);
        QFETCH(QString, codes);
        QFETCH(QString, answers);
        QFETCH(QString, chosen);
        QFETCH(QString, runs);
        QFETCH(QString, notices);
        QFETCH(int, result);
        QFETCH(QString, stored);
        const QStringList words = tool.split(u' ');
        const QString kind = words.first();
        RecordingKit kit;
        ToolSettings &s = kit.settings;
        s.compiler = words.contains("latex") ? "/usr/bin/latex" : words.contains("ptex") ? "ptex" : "platex";
        const QString compiler = s.compiler;
        s.makeIndexOptions = QStringLiteral("-r"); // MakeIndex's alone
        s.pdfMadeOnce = words.contains("again");
        kit.Touch(QStringLiteral("paper.dvi"));
        for (const QString &c : codes.split(u' '))
            kit.launcher.runResults.enqueue(c.toInt());
        kit.Answer(answers, chosen);
        kit.tools.EnterTargetDir();

        int got = kind == "bib" ? kit.tools.RunBibTeX() : kind == "idx" ? kit.tools.RunMakeIndex()
                : kind == "pdf" ? kit.tools.MakePdf() : kit.tools.CompileTarget();
        if (kind == "tex" && compiler == "platex") {
            QCOMPARE(got, 0); // no DVI appears
            got = kit.host.logPaneTexts.size();
        }
        QCOMPARE(int(got == 1), result);
        const QString file = kind == "idx" ? " -r paper.idx" : " paper";
        QCOMPARE(kit.Calls().join(u','), runs.replace(u',', file + u',') + file);
        QStringList expected;
        for (QChar n : notices)
            expected << Notice(kind, n, n == u'Q' ? u"\"/f1/\", \"/f2/\", \"/f3/\""_qs : compiler); // the folders searched
        QCOMPARE(kit.prompter.Texts(), expected);
        // The program in use after, its setting, and its name when none was found or chosen.
        const QHash<QString, std::tuple<const StringSetting *, QString, QString>> program{
            {"bib", {&Keys::Bib, s.bibTeX, "jbibtex"}}, {"pdf", {&Keys::DviPdf, s.dviPdf, "dvipdfmx"}},
            {"idx", {&Keys::MkIdx, s.makeIndex, words.contains("latex") ? "makeindex" : "mendex"}},
            {"tex", {&Keys::TeX, s.compiler, "platex"}}};
        const auto &[key, value, untouched] = program[kind];
        QCOMPARE(value, stored != "-" ? stored : untouched);
        QCOMPARE(kit.Stored(*key), stored);
        // A compiler found or chosen makes its folder the TeX folder.
        if (kind == "tex")
            QCOMPARE(s.texInstDir, stored.left(stored.lastIndexOf(u'/') + 1));
        // The first PDF ever made is remembered.
        const bool firstPdf = kind == "pdf" && !words.contains("again") && result;
        QCOMPARE(kit.store.Contains("Settings", "Acr"), firstPdf);
        QCOMPARE(s.pdfMadeOnce, int(words.contains("again") || firstPdf));
        for (const FakeLauncher::Call &c : kit.launcher.calls)
            QCOMPARE(c.workDir, kit.host.files.target.dir);
    }

    void makeIndexOptionsDialog_data()
    {
        // storedOptions: "-": nothing stored
        Columns<QString, bool, QString, QString>({"storedOptions", "ok", "shown", "run"});
        QTest::newRow("fresh: a style proposed, Cancel runs without") << "-" << false << "-s myindex" << "mendex paper.idx";
        QTest::newRow("fresh: OK takes the proposal") << "-" << true << "-s myindex" << "mendex -s myindex paper.idx";
        QTest::newRow("stored options are shown") << "-g" << true << "-g" << "mendex -g paper.idx";
        QTest::newRow("emptied options stay empty") << "" << true << "" << "mendex paper.idx";
    }
    void makeIndexOptionsDialog()
    {
        QFETCH(QString, storedOptions);
        QFETCH(bool, ok);
        QFETCH(QString, shown);
        QFETCH(QString, run);
        RecordingKit kit;
        kit.settings.makeIndexNoAsk = 0;
        if (storedOptions != "-") {
            WriteSetting(kit.store, Keys::MkIdxOpt, storedOptions);
            kit.settings.makeIndexOptions = storedOptions;
        }
        if (ok)
            kit.host.optionsAnswer = shown;
        QCOMPARE(kit.tools.RunMakeIndex(), 1);
        QCOMPARE(kit.host.optionsShown, QStringList{shown});
        QCOMPARE(kit.Calls(), QStringList{run});
        QCOMPARE(kit.store.Contains("Settings", "MkIdxNvr"), ok);
        // "Never show" stops the dialog and keeps the options.
        kit.host.optionsAnswer = QStringLiteral("-q");
        kit.host.neverAnswer = 1;
        kit.tools.RunMakeIndex();
        kit.tools.RunMakeIndex();
        QCOMPARE(kit.host.optionsShown.size(), 2);
        QCOMPARE(kit.Calls().last(), QStringLiteral("mendex -q paper.idx"));
        QCOMPARE(ReadSetting(kit.store, Keys::MkIdxNvr), 1);
    }

    void paperDialog_data()
    {
        Columns<bool, int, int, int>({"ok", "nShow", "neShow", "skip"});
        QTest::newRow("neither box: asked again next time") << true << 0 << 0 << 0;
        QTest::newRow("to the next time: not asked until the program ends") << true << 1 << 0 << 1;
        QTest::newRow("any more: not asked") << true << 0 << 1 << 1;
        QTest::newRow("Cancel: nothing converted or changed") << false << 1 << 1 << 0;
    }
    void paperDialog()
    {
        QFETCH(bool, ok);
        QFETCH(int, nShow);
        QFETCH(int, neShow);
        QFETCH(int, skip);
        RecordingKit kit;
        kit.Touch(QStringLiteral("paper.dvi"));
        ToolSettings &s = kit.settings;
        s.skipPaperDialog = 0;
        s.pdfPaper = 6;
        WriteSetting(kit.store, Keys::PdfNShow, 0);
        WriteSetting(kit.store, Keys::PdfNeShow, 0);
        WriteSetting(kit.store, Keys::PdfSizeNo, 6);
        if (ok)
            kit.host.paperAnswer = PaperDialogValues{nShow, neShow, 10};
        QCOMPARE(kit.tools.MakePdf(), int(ok));
        QCOMPARE(kit.host.paperShown.size(), 1);
        QCOMPARE(kit.host.paperShown.first().sizeNo, 6);
        QCOMPARE(kit.Calls(), ok ? QStringList{"dvipdfmx -p letter paper"} : QStringList{});
        const QList<int> after{s.skipPaperDialog, s.neverPaperDialog, s.pdfPaper,
                               ReadSetting(kit.store, Keys::PdfNShow), ReadSetting(kit.store, Keys::PdfNeShow), ReadSetting(kit.store, Keys::PdfSizeNo)};
        QCOMPARE(after, ok ? QList<int>({skip, neShow, 10, nShow, neShow, 10}) : QList<int>({0, 0, 6, 0, 0, 6}));
    }

    // When showing the DVI or PDF compiles first, and what the user is told: "shown" or "-", the
    // compiles, the notice (see Notice()).
    void show_data()
    {
        RuleColumns();
        Rule("PDF shown as it is, even unsaved", Show("pdf", "Y", true, true), "shown 0 ");
        Rule("PDF viewer missing", Show("pdf", "", true, false), "shown 0 " + Notice("pdf", u'O', "paper.pdf"));
        Rule("no PDF, no DVI: compile fails, nothing shown", Show("pdf", "", false, true), "- 1 ");
        Rule("saved, existing DVI: shown without compiling", Show("dvi", "", true, true), "shown 0 ");
        Rule("unsaved, answered No: the old DVI", Show("dvi", "N", true, true), "shown 0 ");
        Rule("unsaved, answered Cancel: nothing", Show("dvi", "C", true, true), "- 0 ");
        Rule("unsaved, saved: a failed compile shows nothing", Show("dvi", "Y", true, true), "- 1 ");
        Rule("unsaved, answered No, no DVI: nothing", Show("dvi", "N", false, true), "- 0 ");
        Rule("no DVI: compiled first", Show("dvi", "", false, true), "- 1 ");
        Rule("DVI viewer missing", Show("dvi", "", true, false), "shown 0 " + Notice("dvi", u'F', "paper.dvi"));
    }
    void show() { CompareRule(); }

    void chainsStopAtTheFirstFailure()
    {
        // No DVI appears, so the compile fails and neither conversion nor showing follow.
        RecordingKit kit;
        QCOMPARE(kit.tools.TeXPdfMake(), 0);
        kit.tools.TeXPdfShow();
        QCOMPARE(kit.Calls(), (QStringList{"platex paper", "platex paper"}));
        QVERIFY(kit.Calls(FakeLauncher::Call::OpenFile).isEmpty());
    }

    // A compiler chosen brings the tools beside it; Cancel restores a default, stored nowhere.
    void choosers_data()
    {
        // chooser: tex; menu: the compiler, asked first; pdf, bib, idx;
        // after: compiler|dvipdfmx|BibTeX|MakeIndex, x for /x/tool
        Columns<QString, QString, QString, QString>({"chooser", "answers", "chosen", "after"});
        QTest::newRow("platex: the Japanese tools beside it") << "tex" << "" << "/tl/bin/platex" << "/tl/bin/platex|/tl/bin/dvipdfmx|/tl/bin/jbibtex|/tl/bin/mendex";
        QTest::newRow("latex: bibtex and makeindex beside it") << "tex" << "" << "/tl/bin/latex" << "/tl/bin/latex|/tl/bin/dvipdfmx|/tl/bin/bibtex|/tl/bin/makeindex";
        QTest::newRow("a name containing platex counts as platex") << "tex" << "" << "/tl/bin/uplatex" << "/tl/bin/uplatex|/tl/bin/dvipdfmx|/tl/bin/jbibtex|/tl/bin/mendex";
        QTest::newRow("PLATEX in capitals is not platex") << "tex" << "" << "/tl/bin/PLATEX" << "/tl/bin/PLATEX|x|x|x";
        QTest::newRow("no latex in the name: the others unchanged") << "tex" << "" << "/tl/bin/ptex" << "/tl/bin/ptex|x|x|x";
        QTest::newRow("compiler, question cancelled") << "menu" << "C" << "" << "platex|x|x|x";
        QTest::newRow("compiler, file dialog cancelled") << "menu" << "O" << "" << "platex|x|x|x";
        QTest::newRow("dvipdfmx, question cancelled") << "pdf" << "C" << "" << "/usr/bin/latex|dvipdfmx|x|x";
        QTest::newRow("BibTeX, question cancelled: jbibtex under latex too") << "bib" << "C" << "" << "/usr/bin/latex|x|jbibtex|x";
        QTest::newRow("BibTeX, file dialog cancelled") << "bib" << "O" << "" << "/usr/bin/latex|x|jbibtex|x";
        QTest::newRow("MakeIndex, question cancelled") << "idx" << "C" << "" << "/usr/bin/latex|x|x|mendex";
    }
    void choosers()
    {
        QFETCH(QString, chooser);
        QFETCH(QString, answers);
        QFETCH(QString, chosen);
        QFETCH(QString, after);
        RecordingKit kit;
        ToolSettings &s = kit.settings;
        s.texInstDir = QStringLiteral("/old/bin/");
        s.compiler = QStringLiteral("/usr/bin/latex");
        s.dviPdf = s.bibTeX = s.makeIndex = QStringLiteral("/x/tool");
        const StringSetting *const keys[] = {&Keys::TeX, &Keys::DviPdf, &Keys::Bib, &Keys::MkIdx};
        const QString *const values[] = {&s.compiler, &s.dviPdf, &s.bibTeX, &s.makeIndex};
        for (int i = 0; i < 4; ++i)
            WriteSetting(kit.store, *keys[i], *values[i]);
        kit.Answer(answers, chosen);
        const int result = chooser == "tex" ? kit.tools.ChooseCompiler() : chooser == "menu" ? (kit.tools.ChangeCompiler(), 0)
                         : chooser == "pdf" ? kit.tools.ChooseDviPdf() : chooser == "bib" ? kit.tools.ChooseBibTeX() : kit.tools.ChooseMakeIndex();
        QCOMPARE(result, int(!chosen.isEmpty()));
        QStringList now;
        for (int i = 0; i < 4; ++i) {
            now << (*values[i] == "/x/tool" ? "x" : *values[i]);
            // A program with its folder is stored; a default is not.
            QCOMPARE(kit.Stored(*keys[i]), values[i]->contains(u'/') ? *values[i] : "-");
        }
        QCOMPARE(now.join(u'|'), after);
        QCOMPARE(kit.prompter.Texts(), chooser == "tex" ? QStringList{} : QStringList{Notice(chooser, u'Q', u"\"/old/bin/\", \"/f1/\", \"/f2/\", \"/f3/\""_qs)});
        QCOMPARE(kit.prompter.openFilters.size(), int(answers != "C"));
        // The dialog opens in the old TeX folder, which stays the current one; the new one is kept.
        if (chooser == "tex")
            QCOMPARE(kit.tools.CurrentDir() + s.texInstDir + ReadSetting(kit.store, Keys::TeXInstDir), "/old/bin//tl/bin//tl/bin/");
    }
};

QTEST_GUILESS_MAIN(TestToolRules)
#include "tst_toolrules.moc"
