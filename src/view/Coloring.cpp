#include "view/Coloring.h"

#include "app/TeXFile.h"

#include <algorithm>

namespace {
constexpr QChar FullWidthSpace(0x3000);
constexpr int PercentIndex = 3;
constexpr int BackslashIndex = 4;

void AddMarks(const QString &text, QChar c, PaintKind kind, QList<PaintSpan> &out)
{
    for (int p = text.indexOf(c); p >= 0; p = text.indexOf(c, p + 1))
        out.append({kind, p, 1, 0});
}

void AddSymbol(const QString &text, int index, bool tex, QList<PaintSpan> &out)
{
    const QString symbol = QString::fromLatin1(SymbolKeys()[index]);
    int from = 0;
    while (true) {
        const int p = text.indexOf(symbol, from);
        if (p < 0)
            break;
        if (!tex) {
            out.append({PaintKind::Symbol, p, static_cast<int>(symbol.size()), index});
            from = p + static_cast<int>(symbol.size());
            continue;
        }
        if (index == PercentIndex && (p == 0 || text[p - 1] != QLatin1Char('\\'))) {
            // A comment runs to the end of its line.
            int end = text.indexOf(QLatin1Char('\n'), p);
            if (end < 0)
                end = static_cast<int>(text.size());
            out.append({PaintKind::Symbol, p, end - p, index});
            from = end;
            continue;
        }
        if (!InsideComment(text, p)) {
            const int end = index == BackslashIndex ? CommandNameEnd(text, p)
                                                    : p + static_cast<int>(symbol.size());
            out.append({PaintKind::Symbol, p, end - p, index});
        }
        from = p + static_cast<int>(symbol.size());
    }
}

void AddUserString(const QString &text, const QString &user, int index, QList<PaintSpan> &out)
{
    for (int p = text.indexOf(user); p >= 0; p = text.indexOf(user, p + user.size()))
        out.append({PaintKind::UserString, p, static_cast<int>(user.size()), index});
}
} // namespace

bool IsTeXDocument(const QString &editedExt, const QString &mainFileExt)
{
    for (const char *ext : {".tex", ".TEX", ".zel", ".ZEL"})
        if (editedExt == QLatin1String(ext))
            return true;
    return IsTeXExtension(mainFileExt);
}

int CommandNameEnd(const QString &text, int pos)
{
    static const QString enders = QStringLiteral("&%_{[()]}^ \\,.\n=$+-/");
    for (int i = pos + 1; i < text.size(); ++i)
        if (enders.contains(text[i]))
            return i;
    return static_cast<int>(text.size());
}

bool InsideComment(const QString &text, int pos)
{
    if (pos <= 0)
        return false;
    const int q = text.lastIndexOf(QLatin1Char('%'), pos - 1);
    if (q < 0)
        return false;
    const int lineBreak = text.indexOf(QLatin1Char('\n'), q);
    if (lineBreak >= 0 && lineBreak < pos)
        return false;
    return q == 0 || text[q - 1] != QLatin1Char('\\');
}

QList<PaintSpan> ComputePaintSpans(const QString &text, bool texDocument, const ViewColors &colors,
                                   bool withMarks)
{
    QList<PaintSpan> out;
    if (withMarks) {
        AddMarks(text, QLatin1Char('\n'), PaintKind::LineEnd, out);
        AddMarks(text, QLatin1Char('\t'), PaintKind::Tab, out);
        AddMarks(text, FullWidthSpace, PaintKind::WideSpace, out);
    }
    for (int i = 0; i < ViewColors::SymbolCount; ++i)
        if (i != PercentIndex)
            AddSymbol(text, i, texDocument, out);
    for (int i = 0; i < ViewColors::UserStringCount; ++i) {
        const QString &user = colors.userStrings[i];
        if (!user.isEmpty() && colors.userColors[i] != colors.text)
            AddUserString(text, user, i, out);
    }
    AddSymbol(text, PercentIndex, texDocument, out);
    return out;
}

namespace {
int PaintOrder(const PaintSpan &span)
{
    // Marks, then the symbols but "%", the user strings, and "%" last.
    constexpr int Symbols = 3;
    constexpr int UserStrings = Symbols + ViewColors::SymbolCount;
    switch (span.kind) {
    case PaintKind::LineEnd:
        return 0;
    case PaintKind::Tab:
        return 1;
    case PaintKind::WideSpace:
        return 2;
    case PaintKind::Symbol:
        return span.index == PercentIndex ? UserStrings + ViewColors::UserStringCount
                                          : Symbols + span.index;
    case PaintKind::UserString:
        return UserStrings + span.index;
    }
    return 0;
}
} // namespace

void SortIntoPaintOrder(QList<PaintSpan> &spans)
{
    // Stable: within one place the spans stay in text order, as one pass over the text finds
    // them.
    std::stable_sort(spans.begin(), spans.end(), [](const PaintSpan &a, const PaintSpan &b) {
        return PaintOrder(a) < PaintOrder(b);
    });
}

bool ColorsLineByLine(const ViewColors &colors)
{
    for (const QString &user : colors.userStrings)
        if (user.contains(QLatin1Char('\n')))
            return false;
    return true;
}

const QList<PaintSpan> &LineSpanCache::Spans(const QString &line, bool texDocument,
                                             const ViewColors &colors)
{
    // A screenful of lines is a few dozen; long scrolling must not keep every line it passed.
    constexpr qsizetype MaxLines = 4096;
    if (texDocument != m_bTeX || colors != m_colors || m_lines.size() >= MaxLines) {
        m_lines.clear();
        m_bTeX = texDocument;
        m_colors = colors;
    }
    auto it = m_lines.find(line);
    if (it == m_lines.end())
        it = m_lines.insert(line, ComputePaintSpans(line, texDocument, colors));
    return *it;
}
