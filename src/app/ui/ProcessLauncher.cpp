#include "app/ui/ProcessLauncher.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
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
    const bool file = QFileInfo::exists(fileOrUrl);
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    // The desktop's opener, started detached, succeeds even when nothing can open the file;
    // it gives up within moments, so its answer is awaited that long. An opener still busy
    // then is running the viewer itself, which goes on alone.
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (!opener.isEmpty()) {
        auto *process = new QProcess;
        process->setStandardOutputFile(QProcess::nullDevice());
        process->setStandardErrorFile(QProcess::nullDevice());
        process->start(opener, {fileOrUrl});
        if (!process->waitForFinished(OpenerAnswerMs) && process->state() != QProcess::NotRunning) {
            QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
            return true;
        }
        const bool opened = process->error() == QProcess::UnknownError
                            && process->exitStatus() == QProcess::NormalExit
                            && process->exitCode() == 0;
        delete process;
        return opened;
    }
#endif
    return QDesktopServices::openUrl(file ? QUrl::fromLocalFile(fileOrUrl) : QUrl(fileOrUrl));
}
