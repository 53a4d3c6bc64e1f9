#pragma once

#include "toolchain/ToolLookup.h"
#include "toolchain/AnotherFile.h"
#include "toolchain/ToolSettings.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

class Launcher;
class Prompter;
class SettingsStore;
class ToolchainHost;
enum class Msg;
struct StringSetting;

// The TeX commands of one window: compile with its reruns, BibTeX, MakeIndex, DVI and PDF,
// and the choosers of the programs. It runs the programs through the Launcher, asks through
// the Prompter, works with the settings it is given and writes their changes to the store, and
// reaches the window and its document's files through its host.
class CToolchain {
public:
    CToolchain(ToolchainHost &host, Launcher &launcher, Prompter &prompter, SettingsStore &store,
               ToolSettings &settings, bool english);
    // The folder runs happen in and file dialogs open at.
    QString CurrentDir() const { return m_strCurrentDir; }
    // Runs from here on happen in the target's folder (the compile does this first).
    void EnterTargetDir() { m_strCurrentDir = Target().dir; }
    // The fixed folders: searched after the TeX folder and before PATH, and tried in turn when
    // a program cannot be started (tests point them elsewhere).
    void SetToolFolders(const QStringList &compilerFirst, const QStringList &auxiliaryFirst);

    // Where a command's program file is: by default FindProgram over the TeX folder, the fixed
    // folders and PATH (tests that only record runs take every command as it is).
    void SetProgramLookup(std::function<QString(const QString &command)> lookup)
    {
        m_lookup = std::move(lookup);
    }

    // Runs command on file (one argument) after the words of options, in the current folder,
    // and waits: its exit code, -1 when it cannot be started.
    int RunTool(const QString &command, const QString &file, const QString &options = QString());
    // Words every run of the TeX compiler gets before the target's name ("-synctex=1" while
    // the window shows its PDF); the other programs never get them.
    void SetCompilerOptions(const QString &options) { m_strCompilerOptions = options; }

    // Compile (1 success, 0 failure) and the steps it drives.
    int CompileTarget();
    int RunBibTeX();
    int RunMakeIndex();

    void ShowDvi();
    int MakePdf();
    void ShowPdf();
    int TeXPdfMake();
    void TeXPdfShow();

    // The dialogs of the menu; false on Cancel.
    bool PaperSizeDialog();
    bool MakeIndexOptions();

    // Choosers: 1 when a program was chosen.
    void ChangeCompiler();
    int ChooseCompiler();
    int ChooseDviPdf();
    int ChooseBibTeX();
    int ChooseMakeIndex();

private:
    struct AuxTool;
    int RunCompiler(const QString &command);
    int CompilerFallback();
    int FindCompilerInDefaultFolders();
    int FindDviPdfInDefaultFolders(const QString &option);
    int RunAuxiliary(const AuxTool &tool);
    int ChooseProgram(QString &command, const StringSetting &setting, Msg question);
    void SetCurrentDir(const QString &dir) { m_strCurrentDir = dir; }
    const TargetPieces &Target() const;
    QString EditedPath() const;
    QString TargetFile(const char *ext) const;
    QByteArray ReadLog() const;
    QString Text(Msg id) const;
    void Notice(Msg id);
    bool AskOk(Msg id);
    void StoreEditedFileTime();
    int FinishCompile(int result);

    ToolchainHost &m_host;
    Launcher &m_launcher;
    Prompter &m_prompter;
    SettingsStore &m_store;
    ToolSettings &m_s;
    bool m_english;
    QString m_strCurrentDir;
    QString m_strCompilerOptions;
    QStringList m_compilerFolders;
    QStringList m_auxiliaryFolders;
    std::function<QString(const QString &)> m_lookup;
};

// The whole content of a file; text unchanged when the file does not exist.
void ReadWholeFile(const QString &path, QByteArray &text);
// TeX stopped at its error prompt: answered with X, or by the end of its input when no one
// can answer.
bool LogShowsErrorStop(const QByteArray &log);
