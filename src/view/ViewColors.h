#pragma once

#include <QString>

#include <array>

class SettingsStore;

// The colours the editor paints with, as COLORREF values (0x00BBGGRR): the text and background
// of "ColorTB", the eleven TeX symbols of "Colors" keyed by the symbol itself, and twelve user
// strings ("Str1".."Str12") whose colour is keyed by the string's own text.
struct ViewColors {
    static constexpr int SymbolCount = 11;
    static constexpr int UserStringCount = 12;

    unsigned text = 0x000000;
    unsigned back = 0xFFFFFF;
    std::array<unsigned, SymbolCount> symbols{};
    std::array<QString, UserStringCount> userStrings;
    std::array<unsigned, UserStringCount> userColors{};

    bool operator==(const ViewColors &) const = default;
};

// The keys of the symbols in "Colors", in the order of ViewColors::symbols.
const std::array<const char *, ViewColors::SymbolCount> &SymbolKeys();
ViewColors DefaultViewColors();
ViewColors LoadViewColors(const SettingsStore &store);
// COLORREF from red, green and blue.
constexpr unsigned Rgb(int r, int g, int b)
{
    return static_cast<unsigned>(r) | (static_cast<unsigned>(g) << 8)
           | (static_cast<unsigned>(b) << 16);
}
