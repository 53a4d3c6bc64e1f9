#pragma once

#include <QString>
#include <QStringList>

// Where and under which name the TeX programs are looked for on this platform, and how their
// command lines are formed.

// The two orders in which the fixed TeX folders are searched: the compiler and the converter
// start with the distribution's own folder, BibTeX and MakeIndex with the classic one.
enum class ToolFolderOrder {
    CompilerFirst,
    AuxiliaryFirst
};

// The three fixed folders, each with its trailing separator.
QStringList DefaultToolFolders(ToolFolderOrder order);

// name + ".exe" on Windows, name elsewhere.
QString ExecutableName(const QString &name);

// The program to start for a command: names the platform's TeX lacks become their equivalent
// (the Japanese BibTeX is called pbibtex in TeX Live), the folder part is kept.
QString PlatformCommand(const QString &command);

// The words a program receives: each option string split at blanks, then the file as one
// argument whatever it holds; a file name beginning with "-" is passed as "./" + name so
// that it is not taken for a switch.
QStringList ToolArguments(const QString &options, const QString &file);

// A run as its console shows it: "> program arguments", an argument with blanks in quotes.
QString ShownCommand(const QString &program, const QStringList &arguments);

// The absolute folders of a PATH value; empty, "." and other relative entries would search
// the working folder and are dropped.
QStringList SearchPathFolders(const QString &pathVariable);

// The program file a command starts, as an absolute path; empty when there is none. A bare
// name is looked for in folders only (never in the document's or the working folder), with
// the platform's program extensions; a command with a folder part must be an absolute path.
QString FindProgram(const QString &command, const QStringList &folders);

// The compiler named on a document's first line "% … name.exe …": the word in front of the
// first ".exe". Only the bare name of a TeX engine counts (letters, digits, "-" and "_",
// ending in "tex", any case); empty when there is none.
QString CompilerFromFirstLine(const QString &firstLine);

// Whether TeX can read a file of this base name from its command line: a double quote, the
// characters LaTeX gives a meaning of their own there (%, ~, \) and control characters break it.
bool TeXCanReadName(const QString &baseName);

// The file-name extensions the toolchain works on.
bool ToolchainCommandEnabled(const QString &targetExt);
