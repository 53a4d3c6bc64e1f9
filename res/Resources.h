#pragma once

// The menus, context menus, accelerators and toolbars of both languages, as data. The tables
// live in Menus_ja.cpp / Menus_en.cpp and Prompts_ja.cpp / Prompts_en.cpp, one per language.

#include <QString>

#include <span>

enum class MenuEntryKind { Item, Separator, Popup };

// A menu is a flat list in order; depth 0 entries are the top-level popups of the menu bar
// (or of the context menu), deeper entries belong to the last popup one level up.
struct MenuEntry {
    int depth;
    MenuEntryKind kind;
    int id;           // command id of an item; 0 for separators and popups
    const char *text; // UTF-8, with "&" mnemonics and "\t" before the shortcut text
};

enum class MenuResource { Main, ContextTeX, ContextCalc };
enum class ToolbarResource { Main, TeX };

struct AccelEntry {
    const char *key; // QKeySequence portable text: "Ctrl+1", "Alt+Down", "Esc", "Ins" ...
    int id;
};

std::span<const MenuEntry> MenuTable(MenuResource which, bool english);
std::span<const AccelEntry> AccelTable(bool english);
// Button ids in order; 0 is a separator.
std::span<const int> ToolbarTable(ToolbarResource which, bool english);

// The prompt string of an id of the given language's resources: the status-bar text before
// "\n" and the tool tip after it. Empty when the id has none.
QString PromptString(int id, bool english);
QString StatusTipOf(int id, bool english);
QString ToolTipOf(int id, bool english);

// The tables of one language behind the lookups above: Menus_ja.cpp / Menus_en.cpp.
struct LanguageResources {
    std::span<const MenuEntry> mainMenu;
    std::span<const MenuEntry> contextTeX;
    std::span<const MenuEntry> contextCalc;
    std::span<const AccelEntry> accelerators;
    std::span<const int> mainToolbar;
    std::span<const int> texToolbar;
};
const LanguageResources &JapaneseResources();
const LanguageResources &EnglishResources();

// Prompts_ja.cpp / Prompts_en.cpp.
struct PromptEntry {
    int id;
    const char *text; // UTF-8; status-bar text, then "\n" and the tool tip
};
std::span<const PromptEntry> JapanesePrompts();
std::span<const PromptEntry> EnglishPrompts();
