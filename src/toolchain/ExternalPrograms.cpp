#include "toolchain/ExternalPrograms.h"

#include <QDir>

QString WinTpicPath(const QString &instDir)
{
    return QDir(instDir).filePath(QStringLiteral("WinTpic/wtpic.exe"));
}

TerminalPlatform CurrentTerminalPlatform()
{
#if defined(Q_OS_WIN)
    return TerminalPlatform::Windows;
#elif defined(Q_OS_MACOS)
    return TerminalPlatform::MacOS;
#else
    return TerminalPlatform::Unix;
#endif
}

ProgramCall TerminalCall(TerminalPlatform platform, const QString &folder,
                         const QString &terminalVariable,
                         const std::function<QString(const QString &)> &findExecutable)
{
    ProgramCall call;
    switch (platform) {
    case TerminalPlatform::Windows:
        call.program = findExecutable(QStringLiteral("cmd.exe"));
        if (call.program.isEmpty())
            call.program = QStringLiteral("c:\\windows\\system32\\cmd.exe");
        return call;
    case TerminalPlatform::MacOS:
        call.program = QStringLiteral("/usr/bin/open");
        call.arguments = {QStringLiteral("-a"), QStringLiteral("Terminal"), folder};
        return call;
    case TerminalPlatform::Unix:
        break;
    }
    QStringList candidates;
    if (!terminalVariable.trimmed().isEmpty())
        candidates << terminalVariable.trimmed();
    // Debian's alternative first, then the terminals of the common desktops, then xterm.
    candidates << QStringLiteral("x-terminal-emulator") << QStringLiteral("gnome-terminal")
               << QStringLiteral("konsole") << QStringLiteral("xfce4-terminal")
               << QStringLiteral("mate-terminal") << QStringLiteral("lxterminal")
               << QStringLiteral("qterminal") << QStringLiteral("terminator")
               << QStringLiteral("alacritty") << QStringLiteral("kitty") << QStringLiteral("xterm");
    for (const QString &name : candidates) {
        const QString found = findExecutable(name);
        if (!found.isEmpty()) {
            call.program = found;
            return call;
        }
    }
    return call;
}
