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

QStringList ToolArguments(const QString &options, const QString &file)
{
    static const QRegularExpression blanks(QStringLiteral("[ \\t]+"));
    QStringList words = options.split(blanks, Qt::SkipEmptyParts);
    words << (file.startsWith(QLatin1Char('-')) ? QStringLiteral("./") + file : file);
    return words;
}

QString ShownCommand(const QString &program, const QStringList &arguments)
{
    QStringList shown{QStringLiteral(">"), program};
    for (const QString &a : arguments)
        shown << (a.contains(QLatin1Char(' ')) ? QLatin1Char('"') + a + QLatin1Char('"') : a);
    return shown.join(QLatin1Char(' '));
}

QStringList SearchPathFolders(const QString &pathVariable)
{
    QStringList folders;
    for (const QString &entry : pathVariable.split(QDir::listSeparator(), Qt::SkipEmptyParts)) {
        if (QDir::isAbsolutePath(entry))
            folders << entry;
    }
    return folders;
}

QString FindProgram(const QString &command, const QStringList &folders)
{
    if (command.isEmpty())
        return QString();
    const bool hasFolder =
        command.contains(QLatin1Char('/')) || (kWindows && command.contains(QLatin1Char('\\')));
    QStringList bases;
    if (hasFolder) {
        if (QDir::isAbsolutePath(command))
            bases << command;
    } else {
        for (const QString &folder : folders) {
            if (QDir::isAbsolutePath(folder))
                bases << QDir(folder).filePath(command);
        }
    }
    const bool tryExtensions = kWindows && QFileInfo(command).suffix().isEmpty();
    for (const QString &base : std::as_const(bases)) {
        QStringList candidates{base};
        if (tryExtensions) {
            for (const char *ext : {".com", ".exe", ".bat", ".cmd"})
                candidates << base + QLatin1String(ext);
        }
        for (const QString &candidate : candidates) {
            if (IsRunnableFile(candidate))
                return QDir::cleanPath(candidate);
        }
    }
    return QString();
}

QString CompilerFromFirstLine(const QString &firstLine)
{
    const qsizetype exe = firstLine.indexOf(QLatin1String(".exe"));
    if (exe < 0)
        return QString();
    const QString head = firstLine.left(exe);
    qsizetype from = head.lastIndexOf(QLatin1Char(' '));
    if (from < 0)
        from = head.lastIndexOf(QLatin1Char('%'));
    // Only a TeX engine: a first line must not be able to start make, a shell or a helper.
    static const QRegularExpression engine(QStringLiteral("^[A-Za-z0-9_-]*tex$"),
                                           QRegularExpression::CaseInsensitiveOption);
    const QString name = head.mid(from + 1);
    return engine.match(name).hasMatch() ? name : QString();
}

bool TeXCanReadName(const QString &baseName)
{
    for (const QChar c : baseName) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f || c == QLatin1Char('"')
            || c == QLatin1Char('%') || c == QLatin1Char('~') || c == QLatin1Char('\\'))
            return false;
    }
    return !baseName.isEmpty();
}

bool ToolchainCommandEnabled(const QString &targetExt)
{
    return IsTeXExtension(targetExt);
}
