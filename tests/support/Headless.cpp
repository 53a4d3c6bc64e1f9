#include "Headless.h"

#include <QProcess>
#include <QProcessEnvironment>

void StartWithoutDisplay(QProcess &program, const QStringList &arguments,
                         const QString &configDir)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("VELLOQUIN_CONFIG_DIR"), configDir);
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(VELLOQUIN_PROGRAM), arguments);
}
