#include "input/Completion.h"

#include <algorithm>

QString CompletionEntries(const QString &content)
{
    qsizetype commands = content.indexOf(QStringLiteral("\\COMMANDS"));
    commands = commands < 0 ? 0 : commands;
    qsizetype first = content.indexOf(QStringLiteral("%a"), commands);
    first = first < 0 ? 0 : first;
    return content.mid(first);
}

CompletionNames FindCompletionNames(const QString &entries, const QString &prefix,
                                    int minimumLength)
{
    CompletionNames result;
    if (prefix.isEmpty())
        return result;
    const QString start = QLatin1Char('\n') + prefix;
    qsizetype pos = entries.indexOf(start);
    while (pos >= 0) {
        const qsizetype from = pos + 1;
        qsizetype lineEnd = entries.indexOf(QLatin1Char('\n'), from);
        if (lineEnd < 0)
            lineEnd = entries.size();
        qsizetype end = entries.indexOf(QLatin1Char('\t'), from);
        if (end < 0 || end > lineEnd)
            end = lineEnd;
        const QString name = entries.mid(from, end - from);
        if (name.size() >= minimumLength) {
            result.names.append(name);
            result.longest = std::max(result.longest, static_cast<int>(name.size()));
        }
        pos = entries.indexOf(start, lineEnd);
    }
    return result;
}

void SortNamesAbc(QStringList &names)
{
    std::stable_sort(names.begin(), names.end());
}

int FirstNameStartingWith(const QStringList &names, const QString &word)
{
    for (int i = 0; i < names.size(); ++i) {
        if (names.at(i).startsWith(word, Qt::CaseInsensitive))
            return i;
    }
    return -1;
}

int TypedWordEnd(const QString &text, int wordStart)
{
    const int size = static_cast<int>(text.size());
    for (int i = std::max(wordStart, 0); i < size; ++i) {
        switch (text.at(i).unicode()) {
        case '\n':
        case ' ':
        case '\\':
        case '\t':
            return i;
        case '{':
        case '[':
        case '_':
        case '^':
            return i + 1;
        default:
            break;
        }
    }
    return size;
}

CompletionInsertion InsertionFor(const QString &item)
{
    CompletionInsertion result;
    const qsizetype percent = item.indexOf(QLatin1Char('%'));
    result.text = percent < 0 ? item : item.left(percent);
    result.caret = static_cast<int>(result.text.size());
    result.brace = result.text.endsWith(QLatin1Char('{'));
    if (result.text.startsWith(QLatin1String("begin")))
        result.text += QStringLiteral("\n\n\\end") + result.text.mid(5) + QLatin1Char('\n');
    return result;
}

bool EnterTakesName(const QString &typed, const QString &item)
{
    const qsizetype percent = item.indexOf(QLatin1Char('%'));
    const QString name = percent < 0 ? item : item.left(percent);
    return name.startsWith(typed, Qt::CaseInsensitive);
}

int PopupListHeight(int count, int createdHeight)
{
    if (count < 3)
        return (count + 1) * createdHeight / 10;
    if (count < 20)
        return (count + 1) * createdHeight / 9;
    return (count + 4) * createdHeight / 10;
}

int PopupListWidth(int longest)
{
    return longest < 10 ? 14 * longest : 10 * longest;
}

int FitPopupHeight(int height, int caretY, int lineHeight, int clientHeight)
{
    const int h = lineHeight > 0 ? lineHeight : 18;
    const int room = std::max(caretY, clientHeight - caretY - h);
    return std::min(height, room);
}

PopupPlace PlacePopup(int caretX, int caretY, int lineHeight, int width, int height,
                      int clientRight, int clientBottom, int gutterWidth)
{
    const int h = lineHeight > 0 ? lineHeight : 18;
    PopupPlace place;
    if (caretX + width < clientRight)
        place.x = caretX - h / 2;
    else if (caretX - width + 20 >= gutterWidth - 10)
        place.x = caretX - width + 20;
    else
        place.x = gutterWidth - 10;
    place.y = caretY + height < clientBottom ? caretY + h : caretY - height;
    return place;
}
