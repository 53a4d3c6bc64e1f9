#pragma once

#include <QString>

class SettingsStore;

// The installation folder is the folder that holds the program's data (help texts,
// input_tex.mme). The stored "InstDir" is corrected whenever the program runs from a place
// whose data folder differs from it.
//
// dataDir: the data folder found beside the running program; programPath: the running
// program's own file (the stored value is replaced only when that file exists).
QString ApplyInstallDirRule(SettingsStore &store, const QString &dataDir,
                            const QString &programPath);

// The data folder beside a program: <programDir>/share/velloquin in a build tree,
// <programDir>/../share/velloquin when installed. Empty when neither exists.
QString FindDataDir(const QString &programDir);

// A file laid out below the program's folder in a build tree as it is installed below the
// prefix (relative: its path below the prefix). The installed path when neither exists.
QString FindInstalledFile(const QString &programDir, const QString &relative);
