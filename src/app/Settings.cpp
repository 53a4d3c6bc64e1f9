#include "app/Settings.h"

#include "app/SettingsKeys.h"
#include "app/SettingsStore.h"

#include <QDir>

void EditorSettings::Load(const SettingsStore &store)
{
    caretColumn = ReadSetting(store, Keys::CaretPos);
    restoreAfterHtml = ReadSetting(store, Keys::YNC);
}

void EditorSettings::Save(SettingsStore &store, const EditorSettings *before) const
{
    if (!before || before->caretColumn != caretColumn)
        WriteSetting(store, Keys::CaretPos, caretColumn);
    if (!before || before->restoreAfterHtml != restoreAfterHtml)
        WriteSetting(store, Keys::YNC, restoreAfterHtml);
}

void InputSettings::Load(const SettingsStore &store)
{
    commandList = ReadSetting(store, Keys::InputName);
    abc = ReadSetting(store, Keys::ABC);
    minimum = ReadSetting(store, Keys::Minimum);
}

void InputSettings::Save(SettingsStore &store, const InputSettings *before) const
{
    if (!before || before->commandList != commandList) {
        if (commandList.isEmpty())
            DeleteSetting(store, Keys::InputName);
        else
            WriteSetting(store, Keys::InputName, commandList);
    }
    if (!before || before->abc != abc)
        WriteSetting(store, Keys::ABC, abc);
    if (!before || before->minimum != minimum)
        WriteSetting(store, Keys::Minimum, minimum);
}

QString InputSettings::CommandListPath(const QString &dataDir) const
{
    return commandList.isEmpty() ? QDir(dataDir).filePath(QStringLiteral("input_tex.mme"))
                                 : commandList;
}

void PrintSettings::Load(const SettingsStore &store)
{
    columns = ReadSetting(store, Keys::ColNum);
    margin = ReadSetting(store, Keys::PrintMargin);
}

void PrintSettings::Save(SettingsStore &store, const PrintSettings *before) const
{
    if (!before || before->columns != columns)
        WriteSetting(store, Keys::ColNum, columns);
    if (!before || before->margin != margin)
        WriteSetting(store, Keys::PrintMargin, margin);
}

LogFont LoadPrintFont(const SettingsStore &store)
{
    LogFont font;
    LoadLogFont(store, SectionName(Sections::PrintFont), font);
    if (store.GetInt(SectionName(Sections::PrintFont), QString::fromLatin1(Keys::FontHeight), 0)
        == 0)
        font.height = 0;
    return font;
}
