#include "app/ZelSettings.h"

#include <climits>
#include <initializer_list>

namespace {
// The text behind key up to the next TAB; a key with no TAB behind it gives nothing.
bool ValueOf(QStringView row, QLatin1StringView key, QStringView &value)
{
    const qsizetype at = row.indexOf(key);
    if (at < 0)
        return false;
    const qsizetype start = at + key.size();
    const qsizetype tab = row.indexOf(QLatin1Char('\t'), start);
    if (tab < 0)
        return false;
    value = row.mid(start, tab - start);
    return true;
}

bool TakeListed(QStringView value, std::initializer_list<int> accepted, int &setting)
{
    for (const int n : accepted) {
        if (value == QString::number(n)) {
            setting = n;
            return true;
        }
    }
    return false;
}
} // namespace

int CAtoi(QStringView text)
{
    qsizetype i = 0;
    const auto isCSpace = [](QChar c) {
        return c == QLatin1Char(' ') || (c.unicode() >= '\t' && c.unicode() <= '\r');
    };
    while (i < text.size() && isCSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    long long n = 0;
    for (; i < text.size() && text[i].unicode() >= '0' && text[i].unicode() <= '9'; ++i) {
        // Saturate instead of overflowing; a hand-edited line must not be undefined behaviour.
        if (n <= static_cast<long long>(INT_MAX) + 1)
            n = n * 10 + (text[i].unicode() - '0');
    }
    if (negative)
        n = -n;
    if (n > INT_MAX)
        return INT_MAX;
    if (n < INT_MIN)
        return INT_MIN;
    return static_cast<int>(n);
}

bool ReadZelSettingsLine(const QString &firstRow, ZelSettings &settings)
{
    // Only the first row counts, even when the caller hands over more of the text.
    QStringView row(firstRow);
    const qsizetype end = row.indexOf(QLatin1Char('\n'));
    if (end >= 0)
        row = row.left(end);
    if (row.isEmpty() || row.front() != QLatin1Char('%'))
        return false;

    QStringView value;
    if (ValueOf(row, QLatin1StringView("TAB="), value))
        TakeListed(value, {4, 8, 12, 16, 20}, settings.tabWidth);
    if (ValueOf(row, QLatin1StringView("COL="), value))
        TakeListed(value, {1, 2, 3, 4}, settings.printColumns);
    if (ValueOf(row, QLatin1StringView("Font="), value)) {
        settings.printFontHeight = CAtoi(value);
        settings.printFontHeightSet = true;
    }
    if (ValueOf(row, QLatin1StringView("Margin="), value))
        TakeListed(value, {1, 2, 3, 4}, settings.printMargin);
    return true;
}
