#include "app/HelpCommands.h"

#include <QByteArrayList>
#include <QFile>
#include <QStorageInfo>

#if defined(Q_OS_UNIX)
#include <unistd.h>
#endif

QString HelpFileName(HelpText which, bool english)
{
    switch (which) {
    case HelpText::Description:
        return english ? QStringLiteral("ReadMeE.log") : QStringLiteral("ReadMe.log");
    case HelpText::CalcHelp:
        return english ? QStringLiteral("HelpZelE.log") : QStringLiteral("HelpZel.log");
    case HelpText::HtmlManual:
        return QStringLiteral("HTMLman.log");
    case HelpText::Install:
        return QStringLiteral("HelpInst.log");
    }
    return {};
}

QStringList HelpViewerArguments(const QString &fileName)
{
    return {QStringLiteral("-w0"), QStringLiteral("-m0"), fileName};
}

QStringList CalculatorCandidates()
{
#if defined(Q_OS_WIN)
    return {QStringLiteral("calc.exe")};
#elif defined(Q_OS_MACOS)
    return {QStringLiteral("/System/Applications/Calculator.app/Contents/MacOS/Calculator")};
#else
    return {QStringLiteral("gnome-calculator"), QStringLiteral("kcalc"),
            QStringLiteral("galculator"), QStringLiteral("xcalc")};
#endif
}

std::optional<quint64> ParseMemTotal(const QByteArray &meminfo)
{
    for (const QByteArray &line : meminfo.split('\n')) {
        if (!line.startsWith("MemTotal:"))
            continue;
        // "MemTotal:       16318596 kB"
        const QByteArrayList fields = line.mid(9).simplified().split(' ');
        if (fields.size() != 2 || fields.at(1) != "kB")
            return std::nullopt;
        bool ok = false;
        const quint64 kb = fields.at(0).toULongLong(&ok);
        if (!ok || kb == 0)
            return std::nullopt;
        return kb * 1024;
    }
    return std::nullopt;
}

std::optional<quint64> PhysicalMemoryBytes()
{
#if defined(Q_OS_LINUX)
    QFile file(QStringLiteral("/proc/meminfo"));
    if (file.open(QIODevice::ReadOnly)) {
        if (const auto bytes = ParseMemTotal(file.read(64 * 1024)))
            return bytes;
    }
#endif
#if defined(Q_OS_UNIX) && defined(_SC_PHYS_PAGES)
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGESIZE);
    if (pages > 0 && pageSize > 0)
        return static_cast<quint64>(pages) * static_cast<quint64>(pageSize);
#endif
    return std::nullopt;
}

QString VolumeLabel(const QString &rootPath)
{
    // A drive letter names the volume as "C:"; elsewhere there is no letter, so the mount point
    // stands where the letter would.
    if (rootPath.size() >= 2 && rootPath.at(1) == QLatin1Char(':') && rootPath.at(0).isLetter())
        return rootPath.left(1).toUpper() + QLatin1Char(':');
    return rootPath;
}

DiskFacts FreeDiskOf(const QString &folder)
{
    DiskFacts facts;
    const QStorageInfo storage(folder);
    if (!storage.isValid() || !storage.isReady())
        return facts;
    const qint64 available = storage.bytesAvailable();
    if (available < 0)
        return facts;
    facts.freeBytes = static_cast<quint64>(available);
    facts.where = VolumeLabel(storage.rootPath());
    return facts;
}

QString FormatMemory(std::optional<quint64> bytes)
{
    if (!bytes)
        return QString::fromLatin1(AboutText::Unavailable);
    return QStringLiteral("%1 KB").arg(*bytes / 1024);
}

QString FormatFreeDisk(const DiskFacts &disk)
{
    if (!disk.freeBytes || disk.where.isEmpty())
        return QString::fromLatin1(AboutText::Unavailable);
    return QStringLiteral("%1 KB Free on %2").arg(*disk.freeBytes / 1024).arg(disk.where);
}
