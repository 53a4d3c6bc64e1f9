#include "app/InstallDir.h"

#include "app/SettingsKeys.h"
#include "app/SettingsStore.h"

#include <QDir>
#include <QFileInfo>

QString ApplyInstallDirRule(SettingsStore &store, const QString &dataDir,
                            const QString &programPath)
{
    QString instDir = ReadSetting(store, Keys::InstDir);
    if (instDir.isEmpty()) {
        if (!dataDir.isEmpty()) {
            instDir = dataDir;
            WriteSetting(store, Keys::InstDir, instDir);
        }
        return instDir;
    }
    // A program started from elsewhere (a file association, say) keeps the stored folder; only
    // a program that really runs from the new place corrects it. Without a data folder of our
    // own there is nothing to correct it with.
    if (!dataDir.isEmpty() && instDir != dataDir && QFileInfo(programPath).isFile()) {
        instDir = dataDir;
        WriteSetting(store, Keys::InstDir, instDir);
    }
    return instDir;
}

QString FindDataDir(const QString &programDir)
{
    if (programDir.isEmpty())
        return {};
    const QString beside = QDir::cleanPath(programDir + QStringLiteral("/share/velloquin"));
    if (QFileInfo(beside).isDir())
        return beside;
    const QString installed = QDir::cleanPath(programDir + QStringLiteral("/../share/velloquin"));
    if (QFileInfo(installed).isDir())
        return installed;
    return {};
}

QString FindInstalledFile(const QString &programDir, const QString &relative)
{
    const QString beside = QDir::cleanPath(programDir + QLatin1Char('/') + relative);
    if (QFileInfo(beside).isFile())
        return beside;
    return QDir::cleanPath(programDir + QStringLiteral("/../") + relative);
}
