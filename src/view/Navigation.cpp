#include "view/Navigation.h"

#include <QDir>

#include <algorithm>
#include <climits>

namespace {
const QString &WideStops()
{
    static const QString stops = QString::fromUtf8("\u3000）｝」』（｛「『、。，．？");
    return stops;
}

const QString &PlainSet()
{
    static const QString set = QStringLiteral(" \t\\") + WideStops();
    return set;
}

const QString &CodeForwardSet()
{
    static const QString set = QStringLiteral("/*=-)]}><{[(,.;:? $\"`'\t\\") + WideStops();
    return set;
}

const QString &CodeBackwardSet()
{
    static const QString set = QStringLiteral("/*=-([{<>}]),.;:?$\"`'\t ") + WideStops();
    return set;
}

bool IsSourceExtension(const QString &ext)
{
    for (const char *e : {".cpp", ".h", ".CPP", ".H", ".tex", ".TEX"})
        if (ext == QLatin1String(e))
            return true;
    return false;
}
} // namespace

PageTarget PageDownTarget(int lineCount, int caretLine, int visibleRows)
{
    PageTarget t;
    if (lineCount - caretLine >= visibleRows + 1) {
        t.scrollLines = visibleRows;
        t.line = caretLine + visibleRows;
    } else {
        t.toEnd = true;
    }
    return t;
}

PageTarget PageUpTarget(int caretLine, int visibleRows)
{
    PageTarget t;
    if (caretLine >= visibleRows) {
        t.scrollLines = -visibleRows;
        t.line = caretLine - visibleRows;
    } else {
        t.toStart = true;
    }
    return t;
}

int JumpScrollAdjustment(int targetLine, int topLine, int amount)
{
    if (targetLine - topLine > amount)
        return amount;
    if (targetLine <= topLine)
        return -amount;
    return 0;
}

int IndexAfterLineFeeds(const QString &text, int count)
{
    int index = 0;
    for (int i = 0; i < count; ++i) {
        const int lf = text.indexOf(QLatin1Char('\n'), index);
        if (lf < 0)
            return static_cast<int>(text.size());
        index = lf + 1;
    }
    return index;
}

TextRange LogicalLineRange(const QString &text, int n)
{
    TextRange r;
    r.start = IndexAfterLineFeeds(text, std::max(0, n - 1));
    const int lf = text.indexOf(QLatin1Char('\n'), r.start);
    r.end = lf < 0 ? r.start : lf + 1;
    return r;
}

int LeadingNumber(const QString &text)
{
    int i = 0;
    while (i < text.size() && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
        ++i;
    qint64 n = 0;
    for (; i < text.size() && text[i].isDigit() && text[i].unicode() < 128; ++i) {
        n = n * 10 + (text[i].unicode() - '0');
        if (n > INT_MAX)
            return 0;
    }
    return static_cast<int>(n);
}

TextRange WordSelectionRange(const QString &text, int s, const QString &ext)
{
    s = std::clamp(s, 0, static_cast<int>(text.size()));
    const int lineStart = s == 0 ? 0 : text.lastIndexOf(QLatin1Char('\n'), s - 1) + 1;
    int lineEnd = text.indexOf(QLatin1Char('\n'), s);
    if (lineEnd < 0)
        lineEnd = static_cast<int>(text.size());
    const QString line = text.mid(lineStart, lineEnd - lineStart);
    const int col = s - lineStart;
    const bool code = IsSourceExtension(ext);

    const QString &forward = code ? CodeForwardSet() : PlainSet();
    int right = static_cast<int>(line.size()) - col;
    for (int i = col; i < line.size(); ++i) {
        if (forward.contains(line[i])) {
            right = i - col;
            break;
        }
    }

    const QString &backward = code ? CodeBackwardSet() : PlainSet();
    int left = col;
    for (int d = 0; d < col; ++d) {
        if (backward.contains(line[col - 1 - d])) {
            left = d;
            break;
        }
    }
    for (int d = 0; d < col; ++d) {
        if (line[col - 1 - d] == QLatin1Char('\\')) {
            if (d + 1 < left)
                left = d + 1;
            break;
        }
    }
    return {s - left, s + right};
}

PopupChoice PopupMenuFor(bool readMe, bool calcMode, bool rightClickSwitch)
{
    if (readMe)
        return PopupChoice::None;
    if (calcMode)
        return PopupChoice::Calculation;
    return rightClickSwitch ? PopupChoice::Editing : PopupChoice::None;
}

bool IsReadMeFile(const QString &path, const QString &installDir)
{
    if (path.isEmpty() || installDir.isEmpty())
        return false;
    const QString dir = QDir::cleanPath(installDir);
    const QString clean = QDir::cleanPath(path);
    return clean == dir + QStringLiteral("/ReadMe.log")
           || clean == dir + QStringLiteral("/ReadMeE.log");
}
