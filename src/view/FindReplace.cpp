#include "view/FindReplace.h"

#include <algorithm>

namespace {
// A match may not begin or end between the two halves of a surrogate pair.
bool CutsPair(const QString &text, qsizetype at)
{
    return at > 0 && at < text.size() && text.at(at - 1).isHighSurrogate()
           && text.at(at).isLowSurrogate();
}
} // namespace

std::optional<TextMatch> FindInText(const QString &text, const QString &what, int selStart,
                                    int selEnd, bool forward, bool matchCase)
{
    if (what.isEmpty())
        return std::nullopt;
    const Qt::CaseSensitivity cs = matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    const qsizetype n = what.size();
    if (forward) {
        for (qsizetype at = text.indexOf(what, std::clamp<qsizetype>(selEnd, 0, text.size()), cs);
             at >= 0; at = text.indexOf(what, at + 1, cs)) {
            if (!CutsPair(text, at) && !CutsPair(text, at + n))
                return TextMatch{static_cast<int>(at), static_cast<int>(n)};
        }
        return std::nullopt;
    }
    // The match must lie wholly before the selection.
    qsizetype from = std::clamp<qsizetype>(selStart, 0, text.size()) - n;
    while (from >= 0) {
        const qsizetype at = text.lastIndexOf(what, from, cs);
        if (at < 0)
            break;
        if (!CutsPair(text, at) && !CutsPair(text, at + n))
            return TextMatch{static_cast<int>(at), static_cast<int>(n)};
        from = at - 1;
    }
    return std::nullopt;
}

int MatchScrollLines(int caretLine, int topLine, int visibleRows)
{
    if (caretLine < topLine + 2)
        return caretLine - topLine - 2;
    if (caretLine >= topLine + visibleRows - 3)
        return caretLine - topLine - visibleRows + 3;
    return 0;
}

QStringList AddToHistory(const QStringList &list, const QString &text, bool matchCase, int limit)
{
    QStringList out = list;
    const Qt::CaseSensitivity cs = matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    // The list holds each text once, so one equal entry at most goes.
    for (qsizetype i = 0; i < out.size(); ++i) {
        if (out.at(i).compare(text, cs) == 0) {
            out.removeAt(i);
            break;
        }
    }
    out.prepend(text);
    while (out.size() > limit)
        out.removeLast();
    return out;
}

ReplaceAllResult ReplaceAllInText(const QString &text, const QString &what, const QString &with)
{
    ReplaceAllResult result;
    if (what.isEmpty()) {
        result.text = text;
        return result;
    }
    result.text.reserve(text.size());
    qsizetype from = 0;
    qsizetype at = text.indexOf(what, 0);
    while (at >= 0) {
        if (CutsPair(text, at) || CutsPair(text, at + what.size())) {
            at = text.indexOf(what, at + 1);
            continue;
        }
        result.text.append(QStringView(text).mid(from, at - from));
        result.text.append(with);
        from = at + what.size();
        ++result.count;
        at = text.indexOf(what, from);
    }
    result.text.append(QStringView(text).mid(from));
    return result;
}
