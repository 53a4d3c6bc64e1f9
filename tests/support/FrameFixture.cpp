#include "FrameFixture.h"

#include "app/ui/CMainFrame.h"
#include "app/ui/CommandRouter.h"

#include <QCoreApplication>
#include <QFile>

FrameFixture::FrameFixture(const QStringList &arguments)
{
    store = std::make_unique<IniSettingsStore>(dir.filePath(QStringLiteral("Velloquin.ini")));
    Restart(arguments);
}

void FrameFixture::Restart(const QStringList &arguments)
{
    store = std::make_unique<IniSettingsStore>(dir.filePath(QStringLiteral("Velloquin.ini")));
    context = AppContext{};
    context.store = store.get();
    context.prompter = &prompter;
    context.launcher = &launcher;
    context.switches = CommandLineSwitches::Parse(arguments);
    context.programPath = QCoreApplication::applicationFilePath();
    context.dataDir = dir.filePath(QStringLiteral("data"));
    context.appEnglish = store->GetInt(QStringLiteral("Settings"), QStringLiteral("English"), 0);
    ReadSettings();
}

void FrameFixture::SetEnglish(bool english)
{
    store->WriteInt(QStringLiteral("Settings"), QStringLiteral("English"), english ? 1 : 0);
    Restart();
}

void FrameFixture::ReadSettings()
{
    settings = std::make_unique<CAppSettings>(*store, context.dataDir, context.programPath);
    context.settings = settings.get();
}

std::unique_ptr<CMainFrame> FrameFixture::MakeFrame()
{
    ReadSettings(); // a window is a process of its own, which reads the settings at start
    auto frame = std::make_unique<CMainFrame>(context);
    frame->NewDocument();
    return frame;
}

QString FrameFixture::WriteFile(const QString &name, const QByteArray &bytes) const
{
    const QString path = dir.filePath(name);
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
    return path;
}

bool RunCommand(CMainFrame &frame, Cmd cmd)
{
    // Both ids of a command reach its one handler.
    const CommandIds &ids = IdsOf(cmd);
    return frame.Router()->Execute(ids.japaneseId ? ids.japaneseId : ids.englishId);
}

QByteArray ReadFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
