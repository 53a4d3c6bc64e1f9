#pragma once

#include "app/Launcher.h"

// Programs started with QProcess; files and URLs opened with the platform's associations.
class ProcessLauncher : public Launcher {
public:
    int RunAndWait(const QString &program, const QStringList &arguments,
                   const QString &workDir) override;
    bool StartDetached(const QString &program, const QStringList &arguments,
                       const QString &workDir) override;
    bool Open(const QString &fileOrUrl) override;

    // How long opening waits for the desktop's opener to say that nothing can open a file.
    static constexpr int OpenerAnswerMs = 3000;
};
