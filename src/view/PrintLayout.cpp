#include "view/PrintLayout.h"

#include "view/TextCommands.h"

#include <algorithm>

namespace {
constexpr int MarginUnit = 100;
constexpr int HalfGap = 50;
} // namespace

PrintRect DrawingArea(int pageWidth, int pageHeight, const QString &printerName)
{
    PrintRect area{0, 0, pageWidth, pageHeight};
    if (printerName == QLatin1String("Microsoft XPS Document Writer")) {
        area.right -= 100;
        area.bottom -= 100;
    }
    return area;
}

QList<PrintRect> ColumnRects(const PrintRect &area, int margin, int columns)
{
    margin = std::clamp(margin, 1, 4);
    columns = std::clamp(columns, 1, 4);
    const int left = area.left + margin * MarginUnit;
    const int top = area.top + margin * MarginUnit;
    const int right = area.right;
    const int bottom = area.bottom;
    const int w = right - left;
    QList<PrintRect> rects;
    for (int i = 0; i < columns; ++i) {
        const int from = i == 0 ? left : left + i * w / columns + HalfGap;
        const int to = i == columns - 1 ? right : left + (i + 1) * w / columns - HalfGap;
        rects.append(PrintRect{from, top, to, bottom});
    }
    return rects;
}

int LayPage(const QList<PrintRect> &columns, int start, int textLength, const ColumnFitter &fit)
{
    int next = start;
    for (const PrintRect &column : columns) {
        if (next >= textLength)
            break;
        next = std::clamp(fit(column, next), next, textLength);
    }
    if (next == start && start < textLength)
        ++next;
    return next;
}

bool PageStartTable::Record(int page, int next, int textLength)
{
    if (page != PageCount() || next >= textLength || PageCount() >= MaxPages)
        return false;
    m_starts.append(next);
    return true;
}

void PageStartTable::Paginate(const QList<PrintRect> &columns, int textLength,
                              const ColumnFitter &fit)
{
    m_starts = {0};
    for (int page = 1;; ++page) {
        const int next = LayPage(columns, StartOf(page), textLength, fit);
        if (!Record(page, next, textLength))
            break;
    }
}

int PageStartTable::PageOf(int index) const
{
    const auto after = std::upper_bound(m_starts.cbegin(), m_starts.cend(), index);
    return std::max(1, static_cast<int>(after - m_starts.cbegin()));
}

PrintedText::PrintedText(const QString &source, bool withoutComments)
    : m_sourceLength(static_cast<int>(source.size()))
{
    if (!withoutComments) {
        m_text = source;
        m_printedStarts = {0};
        m_sourceStarts = {0};
        m_runLengths = {m_sourceLength};
        return;
    }
    m_text = WithoutCommentLines(source);
    // The same walk as the removal: every kept line brings the line break in front of it,
    // except the first one kept.
    int printed = 0;
    int lineStart = 0;
    bool first = true;
    while (lineStart <= m_sourceLength) {
        int lineEnd = static_cast<int>(source.indexOf(QLatin1Char('\n'), lineStart));
        if (lineEnd < 0)
            lineEnd = m_sourceLength;
        const bool comment = lineStart < m_sourceLength && source.at(lineStart) == QLatin1Char('%');
        if (!comment) {
            const int from = first ? lineStart : lineStart - 1;
            const int length = lineEnd - from;
            m_printedStarts.append(printed);
            m_sourceStarts.append(from);
            m_runLengths.append(length);
            printed += length;
            first = false;
        }
        lineStart = lineEnd + 1;
    }
    Q_ASSERT(printed == m_text.size());
}

int PrintedText::ToSource(int printed) const
{
    if (printed >= m_text.size() || m_printedStarts.isEmpty())
        return m_sourceLength;
    const auto after =
        std::upper_bound(m_printedStarts.cbegin(), m_printedStarts.cend(), std::max(0, printed));
    // Runs of length 0 (empty lines) share a printed start with the next run; the last run
    // that starts there is the one that holds the character.
    const qsizetype run = (after - m_printedStarts.cbegin()) - 1;
    return m_sourceStarts.at(run) + (printed - m_printedStarts.at(run));
}

int PrintedText::ToPrinted(int source) const
{
    const auto after = std::upper_bound(m_sourceStarts.cbegin(), m_sourceStarts.cend(), source);
    if (after == m_sourceStarts.cbegin())
        return 0;
    const qsizetype run = (after - m_sourceStarts.cbegin()) - 1;
    const int offset = source - m_sourceStarts.at(run);
    return m_printedStarts.at(run) + std::min(offset, m_runLengths.at(run));
}

QString ZelSettingsLineText(int tabWidth, int printFontHeight, int columns, int margin)
{
    return QString::fromUtf8(
               "% TAB=%1\tFont=%2\tCOL=%3\tMargin=%4\t印刷設定：表幅・フォント・段組・"
               "余白\t% 行は印刷されません。\n")
        .arg(tabWidth)
        .arg(printFontHeight)
        .arg(columns)
        .arg(margin);
}

int SettingsLineEdit::Shift(int position) const
{
    if (position < removed)
        return inserted;
    return position - removed + inserted;
}

SettingsLineEdit WithSettingsLine(const QString &text, const QString &line)
{
    SettingsLineEdit edit;
    const qsizetype lineBreak = text.indexOf(QLatin1Char('\n'));
    const qsizetype firstLength = lineBreak < 0 ? text.size() : lineBreak + 1;
    const QStringView first = QStringView(text).left(firstLength);
    if (first == line) {
        edit.text = text;
        return edit;
    }
    edit.changed = true;
    if (first.startsWith(QLatin1Char('%')) && first.contains(QLatin1String("TAB=")))
        edit.removed = static_cast<int>(firstLength);
    edit.inserted = static_cast<int>(line.size());
    edit.text = line + text.mid(edit.removed);
    return edit;
}

bool IsCalcExtension(const QString &ext)
{
    return ext == QLatin1String(".zel") || ext == QLatin1String(".ZEL");
}
