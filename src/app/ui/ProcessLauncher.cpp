#include "app/ui/ProcessLauncher.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

int ProcessLauncher::RunAndWait(const QString &program, const QStringList &arguments,
                                const QString &workDir)
{
    QProcess process;
    process.setWorkingDirectory(workDir);
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(program, arguments);
    if (!process.waitForStarted())
        return -1;
    process.waitForFinished(-1);
    if (process.exitStatus() != QProcess::NormalExit)
        return process.exitCode() != 0 ? process.exitCode() : 1;
    return process.exitCode();
}

bool ProcessLauncher::StartDetached(const QString &program, const QStringList &arguments,
                                    const QString &workDir)
{
    return QProcess::startDetached(program, arguments, workDir);
}

bool ProcessLauncher::Open(const QString &fileOrUrl)
{
    const QUrl url =
        QFileInfo::exists(fileOrUrl) ? QUrl::fromLocalFile(fileOrUrl) : QUrl(fileOrUrl);
    return QDesktopServices::openUrl(url);
}
