#include "app/CommandLine.h"

#include <QDir>
#include <QFileInfo>

namespace {
// Windows programs also take "/x" as a flag; elsewhere "/" begins an absolute path.
bool IsFlag(const QString &arg)
{
#ifdef Q_OS_WIN
    if (arg.startsWith(QLatin1Char('/')))
        return true;
#endif
    return arg.startsWith(QLatin1Char('-'));
}
} // namespace

CommandLineSwitches CommandLineSwitches::Parse(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return Parse(arguments);
}

CommandLineSwitches CommandLineSwitches::Parse(const QStringList &arguments)
{
    CommandLineSwitches sw;
    const qsizetype merge = arguments.indexOf(QLatin1String("--merge-commands"));
    if (merge >= 0) {
        // Everything after the switch names files, whatever it looks like.
        sw.mergeCommands = arguments.mid(merge + 1);
        if (sw.mergeCommands.isEmpty())
            sw.help = true;
        return sw;
    }
    if (arguments.contains(QLatin1String("--eval"))) {
        // The argument after --eval is the line, whatever it looks like ("-3+2=").
        for (qsizetype i = 0; i < arguments.size(); ++i) {
            const QString &a = arguments.at(i);
            const bool hasValue = i + 1 < arguments.size();
            if (a == QLatin1String("--eval") && hasValue) {
                sw.evalLines << arguments.at(++i);
            } else if (a == QLatin1String("--round") && hasValue) {
                bool ok = false;
                sw.evalRound = arguments.at(++i).toInt(&ok);
                if (!ok || sw.evalRound < 0 || sw.evalRound > 15)
                    sw.evalUsageError = true;
            } else {
                sw.evalUsageError = true;
            }
        }
        return sw;
    }
    const qsizetype tex = arguments.indexOf(QLatin1String("--tex"));
    if (tex >= 0) {
        // The argument after the switch is the file, whatever it looks like ("-lead.tex").
        sw.texFile = arguments.value(tex + 1);
        sw.help = sw.texFile.isEmpty();
        return sw;
    }
    const qsizetype html = arguments.indexOf(QLatin1String("--html"));
    if (html >= 0) {
        // The first argument after the switch other than --calc is the file, whatever it
        // looks like.
        sw.htmlCalc = arguments.contains(QLatin1String("--calc"));
        for (qsizetype i = html + 1; i < arguments.size() && sw.htmlFile.isEmpty(); ++i) {
            if (arguments[i] != QLatin1String("--calc"))
                sw.htmlFile = arguments[i];
        }
        sw.help = sw.htmlFile.isEmpty();
        return sw;
    }
    sw.viewer = arguments.contains(QLatin1String("-w0"));
    sw.secondWindow = arguments.contains(QLatin1String("-w1"));
    sw.noLineNumbers = arguments.contains(QLatin1String("-m0"));
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &a = arguments.at(i);
        if (a == QLatin1String("--help") || a == QLatin1String("-h"))
            sw.help = true;
        else if (a == QLatin1String("--line") && i + 1 < arguments.size())
            sw.line = qMax(0, arguments.at(++i).toInt());
        else if (a == QLatin1String("--version"))
            sw.version = true;
        else if (sw.file.isEmpty() && !IsFlag(a))
            sw.file = a;
    }
    return sw;
}

QString CommandLineSwitches::ResolveFile(const QString &workingDir) const
{
    if (file.isEmpty())
        return {};
    return QDir::cleanPath(QDir(workingDir).absoluteFilePath(file));
}

StartFile StartFileKind(const QString &absolutePath)
{
    if (absolutePath.isEmpty())
        return StartFile::None;
    const QFileInfo info(absolutePath);
    if (info.exists() || info.isSymLink() || !info.dir().exists())
        return StartFile::Open;
    return StartFile::New;
}
