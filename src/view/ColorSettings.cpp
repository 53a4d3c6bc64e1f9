#include "view/ColorSettings.h"

#include "app/SettingsKeys.h"
#include "app/SettingsStore.h"

namespace {
QString CustomKey(int i)
{
    return QStringLiteral("CstClr%1").arg(i);
}

QString UserStringKey(int i)
{
    return QStringLiteral("Str%1").arg(i + 1);
}
} // namespace

CustomColors DefaultCustomColors()
{
    CustomColors c;
    c.fill(Rgb(255, 255, 255));
    return c;
}

CustomColors LoadCustomColors(const SettingsStore &store)
{
    CustomColors c = DefaultCustomColors();
    for (int i = 0; i < static_cast<int>(c.size()); ++i)
        c[i] = static_cast<unsigned>(
            store.GetInt(SectionName(Sections::ColorCust), CustomKey(i), static_cast<int>(c[i])));
    return c;
}

void SaveColorSettings(SettingsStore &store, const ViewColors &colors, const CustomColors &custom)
{
    WriteSetting(store, Keys::TextColor, static_cast<int>(colors.text));
    WriteSetting(store, Keys::BackColor, static_cast<int>(colors.back));
    const QString section = SectionName(Sections::Colors);
    for (int i = 0; i < ViewColors::SymbolCount; ++i)
        store.WriteInt(section, QString::fromLatin1(SymbolKeys()[i]),
                       static_cast<int>(colors.symbols[i]));
    for (int i = 0; i < ViewColors::UserStringCount; ++i) {
        const QString &text = colors.userStrings[i];
        store.WriteString(section, UserStringKey(i), text);
        // An empty string has no key of its own to hold a colour.
        if (!text.isEmpty())
            store.WriteInt(section, text, static_cast<int>(colors.userColors[i]));
    }
    for (int i = 0; i < static_cast<int>(custom.size()); ++i)
        store.WriteInt(SectionName(Sections::ColorCust), CustomKey(i), static_cast<int>(custom[i]));
}

void ResetTextAndBack(SettingsStore &store, ViewColors &colors)
{
    store.DeleteSection(SectionName(Sections::ColorTB));
    const ViewColors defaults = DefaultViewColors();
    colors.text = defaults.text;
    colors.back = defaults.back;
}

void ResetCharacterColors(SettingsStore &store, ViewColors &colors)
{
    store.DeleteSection(SectionName(Sections::Colors));
    const ViewColors defaults = DefaultViewColors();
    colors.symbols = defaults.symbols;
    colors.userStrings = defaults.userStrings;
    colors.userColors = defaults.userColors;
}

void ResetCustomColors(SettingsStore &store, CustomColors &custom)
{
    store.DeleteSection(SectionName(Sections::ColorCust));
    custom = DefaultCustomColors();
}

void ResetAllColors(SettingsStore &store, ViewColors &colors, CustomColors &custom)
{
    ResetTextAndBack(store, colors);
    ResetCustomColors(store, custom);
    ResetCharacterColors(store, colors);
}
