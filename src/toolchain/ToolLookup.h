#pragma once

#include <QString>
#include <QStringList>

// Where and under which name the TeX programs are looked for on this platform, and how their
// command lines are formed.

// The two orders in which the fixed TeX folders are searched: the compiler and the converter
// start with the distribution's own folder, BibTeX and MakeIndex with the classic one.
enum class ToolFolderOrder { CompilerFirst, AuxiliaryFirst };

// The three fixed folders, each with its trailing separator.
QStringList DefaultToolFolders(ToolFolderOrder order);

// name + ".exe" on Windows, name elsewhere.
QString ExecutableName(const QString &name);

// The program to start for a command: names the platform's TeX lacks become their equivalent
// (the Japanese BibTeX is called pbibtex in TeX Live), the folder part is kept.
QString PlatformCommand(const QString &command);

// The words a program receives for a command line built by joining the arguments with single
// blanks, unquoted: a base name with blanks arrives as several words, empty options vanish.
QStringList CommandWords(const QStringList &arguments);

// The file a command starts, looked up as the platform's spawn does: a relative path against
// currentDir, a bare name first in currentDir (with the platform's program extensions) and
// otherwise left to the PATH search (returned unchanged).
QString ResolveProgram(const QString &command, const QString &currentDir);

// The compiler named on a document's first line "% … name.exe …": the word in front of the
// first ".exe". Only a bare name counts (no folder, no ".."); empty when there is none.
QString CompilerFromFirstLine(const QString &firstLine, bool *mentionsExe = nullptr);

// The file-name extensions the toolchain works on.
bool ToolchainCommandEnabled(const QString &targetExt);
