#include "toolchain/CToolchain.h"

#include "app/SettingsKeys.h"
#include "res/Messages.h"

// BibTeX and MakeIndex are run, looked for and chosen the same way; this names what differs.
struct CToolchain::AuxTool {
    QString &command;
    const char *japaneseName; // the program a pLaTeX compiler goes with
    const char *plainName;    // the one for every other LaTeX
    const StringSetting &setting;
    Msg error;
    Msg cannotRun;
    Msg hint;
    int (CToolchain::*choose)();
    bool withOptions;
};

int CToolchain::RunAuxiliary(const AuxTool &tool)
{
    // MakeIndex gets the index file itself: mendex takes the name up to its first "." as the
    // base of what it writes, which breaks names with dots or a leading "./".
    const QString file = tool.withOptions ? Target().base + QStringLiteral(".idx") : Target().base;
    const QString options = tool.withOptions ? m_s.makeIndexOptions : QString();
    int r = RunTool(tool.command, file, options);
    if (r == 0)
        return 1;
    if (r != -1) {
        Notice(tool.error);
        return 0;
    }
    // Not startable as configured: the distribution's name in the fixed folders.
    tool.command = QString::fromLatin1(
        m_s.compiler.contains(QLatin1String("platex")) ? tool.japaneseName : tool.plainName);
    for (int i = 0; i < m_auxiliaryFolders.size(); ++i) {
        const QString full = m_auxiliaryFolders.at(i) + ExecutableName(tool.command);
        r = RunTool(full, file, options);
        if (r == 0) {
            tool.command = full;
            WriteSetting(m_store, tool.setting, full);
            return 1;
        }
        if (r == -1)
            continue;
        Notice(i + 1 < m_auxiliaryFolders.size() ? tool.hint : tool.error);
        return 0;
    }
    Notice(tool.cannotRun);
    if (!(this->*tool.choose)()) {
        Notice(tool.error);
        return 0;
    }
    SetCurrentDir(Target().dir);
    if (RunTool(tool.command, file, options) == 0)
        return 1;
    Notice(tool.error);
    return 0;
}

int CToolchain::RunBibTeX()
{
    const AuxTool bibtex{m_s.bibTeX,
                         "jbibtex",
                         "bibtex",
                         Keys::Bib,
                         Msg::BibTeXError,
                         Msg::BibTeXCannotRun,
                         Msg::BibTeXHint,
                         &CToolchain::ChooseBibTeX,
                         false};
    return RunAuxiliary(bibtex);
}

int CToolchain::RunMakeIndex()
{
    // The options are asked before each run until the user says never; the answer does not
    // stop the run.
    if (m_s.makeIndexNoAsk == 0)
        MakeIndexOptions();
    const AuxTool makeindex{m_s.makeIndex,
                            "mendex",
                            "makeindex",
                            Keys::MkIdx,
                            Msg::MakeIndexError,
                            Msg::MakeIndexCannotRun,
                            Msg::MakeIndexHint,
                            &CToolchain::ChooseMakeIndex,
                            true};
    return RunAuxiliary(makeindex);
}
