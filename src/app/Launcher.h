#pragma once

#include <QString>
#include <QStringList>

// Everything that starts another program goes through a Launcher.
class Launcher {
public:
    virtual ~Launcher() = default;

    // Runs the program in workDir and waits for it: its exit code, 0 for success, -1 when it
    // cannot be started (a crash counts as a failure, never as success).
    virtual int RunAndWait(const QString &program, const QStringList &arguments,
                           const QString &workDir) = 0;
    // Starts the program without waiting; false when it cannot be started.
    virtual bool StartDetached(const QString &program, const QStringList &arguments,
                               const QString &workDir) = 0;
    // Opens a file or URL with the program the platform associates with it.
    virtual bool Open(const QString &fileOrUrl) = 0;
};
