#pragma once

#include <QString>
#include <QStringList>

class QProcess;

// Starts the built program with no display at all, as a script on a server starts it: a program
// that tried to open a window would fail. Its settings are the INI file in configDir.
void StartWithoutDisplay(QProcess &program, const QStringList &arguments,
                         const QString &configDir);
