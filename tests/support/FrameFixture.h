#pragma once

#include "FakeLauncher.h"
#include "FakePrompter.h"
#include "app/AppSettings.h"
#include "app/SettingsStore.h"
#include "app/ui/AppContext.h"
#include "res/Commands.h"

#include <QTemporaryDir>

#include <memory>

class CMainFrame;

// A main window built around doubles: settings in a temporary INI file, a scripted prompter
// and a recording launcher.
struct FrameFixture {
    QTemporaryDir dir;
    std::unique_ptr<IniSettingsStore> store;
    std::unique_ptr<CAppSettings> settings; // read from store at each (re)start
    FakePrompter prompter;
    FakeLauncher launcher;
    AppContext context;

    explicit FrameFixture(const QStringList &arguments = {});
    std::unique_ptr<CMainFrame> MakeFrame();
    // The settings as a process starting now reads them.
    void ReadSettings();
    // Starts over with the same settings file, as a restart of the program would.
    void Restart(const QStringList &arguments = {});
    // The interface language of the next window, as a restart after the switch gives it.
    void SetEnglish(bool english);
    QString FilePath(const QString &name) const { return dir.filePath(name); }
    QString WriteFile(const QString &name, const QByteArray &bytes) const;
};

// Gives a command as its menu item would; false when it is disabled or has no handler.
bool RunCommand(CMainFrame &frame, Cmd cmd);

// The bytes of a file; empty when it cannot be read.
QByteArray ReadFile(const QString &path);
