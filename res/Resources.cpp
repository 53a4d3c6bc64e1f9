#include "res/Resources.h"

#include <QHash>

namespace {
const LanguageResources &ResourcesOf(bool english)
{
    return english ? EnglishResources() : JapaneseResources();
}

using PromptIndex = QHash<int, const PromptEntry *>;

PromptIndex IndexPrompts(std::span<const PromptEntry> prompts)
{
    PromptIndex index;
    index.reserve(static_cast<qsizetype>(prompts.size()));
    for (const PromptEntry &p : prompts)
        index.insert(p.id, &p);
    return index;
}

const PromptEntry *FindPrompt(int id, bool english)
{
    static const PromptIndex japanese = IndexPrompts(JapanesePrompts());
    static const PromptIndex englishIndex = IndexPrompts(EnglishPrompts());
    return (english ? englishIndex : japanese).value(id, nullptr);
}
} // namespace

std::span<const MenuEntry> MenuTable(MenuResource which, bool english)
{
    const LanguageResources &res = ResourcesOf(english);
    switch (which) {
    case MenuResource::Main:
        return res.mainMenu;
    case MenuResource::ContextTeX:
        return res.contextTeX;
    case MenuResource::ContextCalc:
        return res.contextCalc;
    }
    return {};
}

std::span<const AccelEntry> AccelTable(bool english)
{
    return ResourcesOf(english).accelerators;
}

std::span<const int> ToolbarTable(ToolbarResource which, bool english)
{
    const LanguageResources &res = ResourcesOf(english);
    switch (which) {
    case ToolbarResource::Main:
        return res.mainToolbar;
    case ToolbarResource::TeX:
        return res.texToolbar;
    }
    return {};
}

QString PromptString(int id, bool english)
{
    const PromptEntry *p = FindPrompt(id, english);
    return p ? QString::fromUtf8(p->text) : QString();
}

QString StatusTipOf(int id, bool english)
{
    return PromptString(id, english).section(QLatin1Char('\n'), 0, 0);
}

QString ToolTipOf(int id, bool english)
{
    const QString text = PromptString(id, english);
    const qsizetype lf = text.indexOf(QLatin1Char('\n'));
    return lf < 0 ? QString() : text.mid(lf + 1);
}
