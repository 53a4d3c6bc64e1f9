#include "toolchain/ToolLookup.h"

#include "app/TeXFile.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace {
#ifdef Q_OS_WIN
constexpr bool kWindows = true;
#else
constexpr bool kWindows = false;
#endif

bool IsRunnableFile(const QString &path)
{
    const QFileInfo info(path);
    return info.isFile() && (kWindows || info.isExecutable());
}

// The newest TeX Live installed under /usr/local/texlive, as its binary folder.
QString TeXLiveBinFolder()
{
    QDir root(QStringLiteral("/usr/local/texlive"));
    QStringList years = root.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (auto year = years.crbegin(); year != years.crend(); ++year) {
        QDir bin(root.filePath(*year + QStringLiteral("/bin")));
        const QStringList arches = bin.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
        if (!arches.isEmpty())
            return bin.filePath(arches.first()) + QLatin1Char('/');
    }
    return QStringLiteral("/usr/local/texlive/bin/");
}
} // namespace

QStringList DefaultToolFolders(ToolFolderOrder order)
{
    if (kWindows) {
        if (order == ToolFolderOrder::CompilerFirst)
            return {QStringLiteral("C:\\w32tex\\bin\\"), QStringLiteral("C:\\tex\\bin\\"),
                    QStringLiteral("C:\\usr\\local\\bin\\")};
        return {QStringLiteral("c:\\tex\\bin\\"), QStringLiteral("c:\\usr\\local\\bin\\"),
                QStringLiteral("c:\\w32tex\\bin\\")};
    }
    const QString texLive = TeXLiveBinFolder();
    const QString opt = QStringLiteral("/opt/texlive/bin/");
    const QString usr = QStringLiteral("/usr/bin/");
    if (order == ToolFolderOrder::CompilerFirst)
        return {texLive, opt, usr};
    return {opt, usr, texLive};
}

QString ExecutableName(const QString &name)
{
    return kWindows ? name + QStringLiteral(".exe") : name;
}

QString PlatformCommand(const QString &command)
{
    if (kWindows)
        return command;
    const qsizetype slash = command.lastIndexOf(QLatin1Char('/'));
    const QString name = command.mid(slash + 1);
    if (name == QLatin1String("jbibtex"))
        return command.left(slash + 1) + QStringLiteral("pbibtex");
    return command;
}

QStringList CommandWords(const QStringList &arguments)
{
    static const QRegularExpression blanks(QStringLiteral("[ \\t]+"));
    return arguments.join(QLatin1Char(' ')).split(blanks, Qt::SkipEmptyParts);
}

QString ResolveProgram(const QString &command, const QString &currentDir)
{
    if (command.isEmpty())
        return command;
    const bool hasFolder = command.contains(QLatin1Char('/'))
                           || (kWindows && command.contains(QLatin1Char('\\')));
    const QString base = QDir::isAbsolutePath(command) ? command
                                                       : QDir(currentDir).filePath(command);
    QStringList candidates{base};
    if (kWindows && QFileInfo(command).suffix().isEmpty()) {
        for (const char *ext : {".com", ".exe", ".bat", ".cmd"})
            candidates << base + QLatin1String(ext);
    }
    for (const QString &candidate : candidates) {
        if (IsRunnableFile(candidate))
            return QDir::cleanPath(candidate);
    }
    // A path that is not there stays as written so that starting it fails; a bare name is
    // left to the PATH search of the process start.
    return hasFolder ? base : command;
}

QString CompilerFromFirstLine(const QString &firstLine, bool *mentionsExe)
{
    const qsizetype exe = firstLine.indexOf(QLatin1String(".exe"));
    if (mentionsExe)
        *mentionsExe = exe >= 0;
    if (exe < 0)
        return QString();
    const QString head = firstLine.left(exe);
    qsizetype from = head.lastIndexOf(QLatin1Char(' '));
    if (from < 0)
        from = head.lastIndexOf(QLatin1Char('%'));
    const QString name = head.mid(from + 1);
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\'))
        || name.contains(QLatin1String("..")) || name.contains(QLatin1Char(':')))
        return QString();
    return name;
}

bool ToolchainCommandEnabled(const QString &targetExt)
{
    return IsTeXExtension(targetExt);
}
