#include "view/ViewColors.h"

#include "app/SettingsKeys.h"
#include "app/SettingsStore.h"

namespace {
constexpr unsigned UserStringDefault = Rgb(192, 192, 192);
}

const std::array<const char *, ViewColors::SymbolCount> &SymbolKeys()
{
    static const std::array<const char *, ViewColors::SymbolCount> keys{
        "$", "{", "}", "%", "\\", "[", "]", "(", ")", "\\[", "\\]"};
    return keys;
}

ViewColors DefaultViewColors()
{
    ViewColors c;
    c.text = static_cast<unsigned>(Keys::TextColor.defaultValue);
    c.back = static_cast<unsigned>(Keys::BackColor.defaultValue);
    c.symbols = {Rgb(255, 0, 0),  Rgb(255, 0, 0), Rgb(255, 0, 0), Rgb(90, 220, 90),
                 Rgb(0, 0, 255),  Rgb(0, 0, 255), Rgb(0, 0, 255), Rgb(0, 10, 155),
                 Rgb(0, 10, 155), Rgb(255, 0, 0), Rgb(255, 0, 0)};
    c.userColors.fill(UserStringDefault);
    return c;
}

ViewColors LoadViewColors(const SettingsStore &store)
{
    ViewColors c = DefaultViewColors();
    c.text = static_cast<unsigned>(ReadSetting(store, Keys::TextColor));
    c.back = static_cast<unsigned>(ReadSetting(store, Keys::BackColor));
    const QString colors = QString::fromLatin1(Sections::Colors);
    for (int i = 0; i < ViewColors::SymbolCount; ++i)
        c.symbols[i] = static_cast<unsigned>(store.GetInt(
            colors, QString::fromLatin1(SymbolKeys()[i]), static_cast<int>(c.symbols[i])));
    for (int i = 0; i < ViewColors::UserStringCount; ++i) {
        c.userStrings[i] = store.GetString(colors, QStringLiteral("Str%1").arg(i + 1));
        if (!c.userStrings[i].isEmpty())
            c.userColors[i] = static_cast<unsigned>(
                store.GetInt(colors, c.userStrings[i], static_cast<int>(UserStringDefault)));
    }
    return c;
}
