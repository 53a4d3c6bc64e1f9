#pragma once

#include "app/Launcher.h"

#include <QList>
#include <QQueue>

// Records every program started and answers with queued results (0 / true when empty).
class FakeLauncher : public Launcher {
public:
    struct Call {
        enum Kind { Run, Detached, OpenFile } kind;
        QString program;
        QStringList arguments;
        QString workDir;
    };
    QList<Call> calls;
    QQueue<int> runResults;
    QQueue<bool> startResults;

    int RunAndWait(const QString &program, const QStringList &arguments,
                   const QString &workDir) override;
    bool StartDetached(const QString &program, const QStringList &arguments,
                       const QString &workDir) override;
    bool Open(const QString &fileOrUrl) override;
};
