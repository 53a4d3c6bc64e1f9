#include "app/ui/COrrindaleApp.h"

#include "app/CommandLine.h"

#include <QApplication>
#include <QTextStream>

int COrrindaleApp::Main(int argc, char *argv[])
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    const CommandLineSwitches sw = CommandLineSwitches::Parse(args);
    if (sw.version) {
        QTextStream(stdout) << VersionText << '\n';
        return 0;
    }
    QApplication app(argc, argv);
    return 0;
}
