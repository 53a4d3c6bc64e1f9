#pragma once

#include <QString>
#include <QStringList>

// The switches count only as whole arguments (a file "report-w0.tex" is a file); the first
// argument that is not a flag is the file to open.
struct CommandLineSwitches {
    bool viewer = false;        // -w0
    bool secondWindow = false;  // -w1
    bool noLineNumbers = false; // -m0
    bool help = false;          // --help
    bool version = false;       // --version
    QString file;               // as given; ResolveFile makes it absolute
    int line = 0;               // --line N: the caret starts on line N of file (0: where it was)
    // --merge-commands LIST DOC...: the list file, then the documents to merge into it; no
    // window is opened.
    QStringList mergeCommands;
    // --eval LINE (repeatable) [--round N]: the lines evaluated as if typed one after another
    // and ended with Enter, each printed as it ends up; no window is opened. evalRound -1:
    // the stored rounding; a --round that is not a number from 0 to 15 asks for the usage.
    QStringList evalLines;
    int evalRound = -1;
    bool evalUsageError = false;
    // --html FILE [--calc]: writes FILE's HTML page beside it; no window is opened.
    QString htmlFile;
    bool htmlCalc = false;
    // --tex FILE: compiles FILE to a PDF as TeX-PDF (make) does; no window is opened.
    QString texFile;

    static CommandLineSwitches Parse(const QStringList &arguments); // without the program name
    // The arguments of main(), the program name left out, in the locale's encoding.
    static CommandLineSwitches Parse(int argc, char *argv[]);
    QString ResolveFile(const QString &workingDir) const;
};

// What starting with a file means: a file that exists, or that cannot be a new one (its folder
// is missing, the name is a folder or a broken link), is opened, so that a failure says why;
// a name that does not exist yet in an existing folder starts an empty document of that name,
// which the first save creates.
enum class StartFile {
    None,
    Open,
    New
};
StartFile StartFileKind(const QString &absolutePath);

inline constexpr const char *VersionText = "Velloquin 2.5.0.0";
