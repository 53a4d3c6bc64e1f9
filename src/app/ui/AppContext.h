#pragma once

#include "app/CommandLine.h"

#include <QString>

class CAppSettings;
class Launcher;
class Prompter;
class SettingsStore;

// What every window object of a process shares: the seams and the facts of this start.
// The application owns the real ones; tests build one around their doubles.
struct AppContext {
    SettingsStore *store = nullptr;
    Prompter *prompter = nullptr;
    Launcher *launcher = nullptr;
    CAppSettings *settings = nullptr; // the settings of this process, read once at start
    CommandLineSwitches switches;
    QString programPath;         // the running program, started again for New Window / Open Window
    QString dataDir;             // the data folder found beside the program (see InstallDir.h)
    QString recoveryDir;         // where unsaved text is kept (see Recovery.h); "" keeps none
    int appEnglish = 0;          // the application's own copy of the language flag
    int updateTimeoutMs = 10000; // how long the update check waits for the version file
};
