#pragma once

// The two helper programs started beside the editor: the drawing program WinTpic from the
// installation folder, and a command prompt (the platform's terminal) in the target folder.

#include <QString>
#include <QStringList>

#include <functional>

// Where WinTpic is expected: "WinTpic/wtpic.exe" in the installation folder.
QString WinTpicPath(const QString &instDir);

struct ProgramCall {
    QString program; // empty: nothing to start
    QStringList arguments;
};

enum class TerminalPlatform {
    Windows,
    MacOS,
    Unix
};

TerminalPlatform CurrentTerminalPlatform();

// The terminal to open in a folder. On Unix-like systems the first of the usual terminals
// that findExecutable locates (an empty result from findExecutable means "not installed");
// $TERMINAL, when set, comes first. The folder is also the working folder of the start.
ProgramCall TerminalCall(TerminalPlatform platform, const QString &folder,
                         const QString &terminalVariable,
                         const std::function<QString(const QString &)> &findExecutable);
