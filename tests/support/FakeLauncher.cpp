#include "FakeLauncher.h"

int FakeLauncher::RunAndWait(const QString &program, const QStringList &arguments,
                             const QString &workDir)
{
    calls << Call{Call::Run, program, arguments, workDir};
    return runResults.isEmpty() ? 0 : runResults.dequeue();
}

bool FakeLauncher::StartDetached(const QString &program, const QStringList &arguments,
                                 const QString &workDir)
{
    calls << Call{Call::Detached, program, arguments, workDir};
    return startResults.isEmpty() ? true : startResults.dequeue();
}

bool FakeLauncher::Open(const QString &fileOrUrl)
{
    calls << Call{Call::OpenFile, fileOrUrl, {}, {}};
    return startResults.isEmpty() ? true : startResults.dequeue();
}
