#include "view/ui/ViewPainter.h"

#include "app/AppSettings.h"
#include "app/ui/COrrindaleView.h"
#include "view/Coloring.h"
#include "view/Gutter.h"

#include <QAbstractTextDocumentLayout>
#include <QFontDatabase>
#include <QGlyphRun>
#include <QPaintEvent>
#include <QPainter>
#include <QTextLayout>

namespace {
const QColor MarkColor(180, 180, 255);
const QColor WideSpaceColor(220, 220, 255);
const QColor EofColor(180, 180, 255);
const QColor GutterTextColor(100, 100, 255);
const QColor GutterBackColor(240, 240, 255);
const QColor UnderlineColor(128, 128, 128);

QString MarkFamily(bool english)
{
    // The Japanese marks come from the proportional gothic; the English ones from a Latin font
    // that has the return and tab arrows.
    static const QStringList families = QFontDatabase::families();
    const QStringList wanted =
        english ? QStringList{QStringLiteral("DejaVu Sans"), QStringLiteral("Noto Sans"),
                              QStringLiteral("Segoe UI Symbol"), QStringLiteral("Arial Unicode MS")}
                : QStringList{QStringLiteral("MS PGothic"), QStringLiteral("Noto Sans CJK JP"),
                              QStringLiteral("Hiragino Sans"), QStringLiteral("IPAPGothic")};
    for (const QString &f : wanted)
        if (families.contains(f))
            return f;
    return QString();
}

// The text from base to end, which starts in block b, with "\n" for each line break.
QString ExaminedText(QTextBlock b, int base, int end)
{
    QString text;
    for (; b.isValid() && b.position() < end; b = b.next()) {
        const int from = std::max(base, b.position()) - b.position();
        const int to = std::min(end, b.position() + b.length()) - b.position();
        const QString blockText = b.text();
        text += QStringView(blockText).mid(from, std::min(to, int(blockText.size())) - from);
        if (to > blockText.size())
            text += QLatin1Char('\n');
    }
    return text;
}

QFont MarkFont(bool english, double size)
{
    QFont f;
    const QString family = MarkFamily(english);
    if (!family.isEmpty())
        f.setFamily(family);
    f.setPixelSize(std::max(5, qRound(size)));
    return f;
}
} // namespace

CViewPainter::CViewPainter(COrrindaleView &view)
    : m_view(view)
{
}

QList<CViewPainter::Row> CViewPainter::VisibleRows() const
{
    QList<Row> rows;
    const int height = m_view.viewport()->height();
    const QPointF offset = m_view.contentOffset();
    for (QTextBlock block = m_view.firstVisibleBlock(); block.isValid(); block = block.next()) {
        const QRectF geometry = m_view.blockBoundingGeometry(block).translated(offset);
        if (geometry.top() >= height)
            break;
        const QTextLayout *layout = block.layout();
        if (!block.isVisible() || !layout)
            continue;
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            const int top = qRound(geometry.top() + line.y());
            const int h = qRound(line.height());
            if (top + h <= 0)
                continue;
            if (top >= height)
                break;
            rows.append({block, i, top, h});
        }
    }
    return rows;
}

QPointF CViewPainter::PositionOf(int position, int *lineHeight, int *ascent) const
{
    const QTextBlock block = m_view.document()->findBlock(position);
    const QTextLayout *layout = block.layout();
    if (!block.isValid() || !layout || layout->lineCount() == 0)
        return {-1, -1};
    const QTextLine line = layout->lineForTextPosition(position - block.position());
    if (!line.isValid())
        return {-1, -1};
    const QPointF origin =
        m_view.blockBoundingGeometry(block).translated(m_view.contentOffset()).topLeft();
    if (lineHeight)
        *lineHeight = qRound(line.height());
    if (ascent)
        *ascent = qRound(line.ascent());
    return origin + QPointF(line.cursorToX(position - block.position()), line.y());
}

void CViewPainter::PaintRange(QPainter &p, int start, int length, const QColor &color)
{
    // Selected text keeps the highlight's own colours, so that it stays readable.
    const QTextCursor cursor = m_view.textCursor();
    if (cursor.hasSelection()) {
        const int a = cursor.selectionStart();
        const int b = cursor.selectionEnd();
        const int end = start + length;
        if (start < a)
            PaintGlyphs(p, start, std::min(end, a), color);
        if (end > b)
            PaintGlyphs(p, std::max(start, b), end, color);
        return;
    }
    PaintGlyphs(p, start, start + length, color);
}

void CViewPainter::PaintGlyphs(QPainter &p, int start, int end, const QColor &color)
{
    const int height = m_view.viewport()->height();
    p.setPen(color);
    for (QTextBlock block = m_view.document()->findBlock(start);
         block.isValid() && block.position() < end; block = block.next()) {
        const QTextLayout *layout = block.layout();
        if (!layout)
            continue;
        const QPointF origin =
            m_view.blockBoundingGeometry(block).translated(m_view.contentOffset()).topLeft();
        if (origin.y() >= height)
            break;
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            const int lineStart = block.position() + line.textStart();
            const int s = std::max(start, lineStart);
            const int e = std::min(end, lineStart + line.textLength());
            if (s >= e)
                continue;
            const double top = origin.y() + line.y();
            if (top + line.height() <= 0 || top >= height)
                continue;
            // The control's own glyphs at the control's own places, only in another colour.
            for (const QGlyphRun &run : line.glyphRuns(s - block.position(), e - s))
                p.drawGlyphRun(origin, run);
        }
    }
}

void CViewPainter::PaintMark(QPainter &p, int position, const QString &glyph, const QFont &font,
                             const QColor &color, int dx, int dy, int rightLimit)
{
    int lineHeight = 0;
    int ascent = 0;
    const QPointF at = PositionOf(position, &lineHeight, &ascent);
    if (at.x() < 0 || at.x() + 1 > rightLimit)
        return;
    p.setFont(font);
    p.setPen(color);
    p.drawText(QPointF(at.x() + dx, at.y() + ascent + dy), glyph);
}

QList<PaintSpan> CViewPainter::SpansOfRows(const QList<Row> &rows, int base, int end,
                                           const QRegion &dirty)
{
    COrrindaleView &v = m_view;
    const ViewColors &colors = v.Settings().Colors();
    const bool tex = v.IsTeXDocument();
    QList<PaintSpan> spans;
    const auto add = [&spans](const QList<PaintSpan> &some, int offset) {
        for (PaintSpan s : some) {
            s.start += offset;
            spans.append(s);
        }
    };
    if (!ColorsLineByLine(colors)) {
        add(ComputePaintSpans(ExaminedText(rows.first().block, base, end), tex, colors), base);
        return spans;
    }
    // The rules look no further than a line, so the lines of the rows to repaint are coloured
    // alone, each cut where the examined text is, and their spans merged into painting order.
    const int width = v.viewport()->width();
    QTextBlock done;
    for (const Row &r : rows) {
        if (r.block == done || !dirty.intersects(QRect(0, r.top, width, r.height)))
            continue;
        done = r.block;
        const int from = std::max(base, r.block.position());
        const int to = std::min(end, r.block.position() + r.block.length());
        add(v.m_spanCache.Spans(ExaminedText(r.block, from, to), tex, colors), from);
    }
    SortIntoPaintOrder(spans);
    return spans;
}

void CViewPainter::PaintText(QPainter &p, const QRegion &dirty)
{
    COrrindaleView &v = m_view;
    if (v.Options().coloring) {
        const QList<Row> rows = VisibleRows();
        if (!rows.isEmpty()) {
            // The examined text: from the first character of the top row to the end of the
            // last row, with its line break when the row ends a line. A long wrapped line is
            // looked at only as far as it is on screen.
            const Row &top = rows.first();
            const Row &bottom = rows.last();
            const QTextLayout *topLayout = top.block.layout();
            const QTextLayout *bottomLayout = bottom.block.layout();
            const int base = top.block.position() + topLayout->lineAt(top.lineInBlock).textStart();
            const QTextLine lastLine = bottomLayout->lineAt(bottom.lineInBlock);
            int end = bottom.block.position() + lastLine.textStart() + lastLine.textLength();
            if (bottom.lineInBlock + 1 == bottomLayout->lineCount()
                && bottom.block.next().isValid())
                ++end;
            const int lineHeight = v.LineHeight();
            const int width = v.viewport()->width();
            const int hWidth = v.fontMetrics().horizontalAdvance(QLatin1Char('h'));
            const bool english = v.Settings().English();
            const ViewColors &colors = v.Settings().Colors();
            const QFont lineEndFont = MarkFont(english, lineHeight * (english ? 0.6 : 0.5));
            const QFont tabFont = MarkFont(english, lineHeight * 0.7);
            for (const PaintSpan &s : SpansOfRows(rows, base, end, dirty)) {
                const int pos = s.start;
                switch (s.kind) {
                case PaintKind::LineEnd:
                    if (english)
                        PaintMark(p, pos, QStringLiteral("\u21B5"), lineEndFont, MarkColor, 2, 0,
                                  width - hWidth);
                    else
                        PaintMark(p, pos, QStringLiteral("\u2193"), lineEndFont, MarkColor, 0, 1,
                                  width - hWidth);
                    break;
                case PaintKind::Tab:
                    if (v.Options().calcMode) {
                        // The bar stands just before the cell that follows the tab.
                        PaintMark(p, pos + 1, QStringLiteral("|"), v.font(), MarkColor, -12, 1,
                                  width - 2 * hWidth + 2);
                    } else {
                        PaintMark(p, pos,
                                  english ? QStringLiteral("\u21E5") : QStringLiteral("\u2192"),
                                  tabFont, MarkColor, 2, 0, width - 2 * hWidth + 2);
                    }
                    break;
                case PaintKind::WideSpace:
                    PaintMark(p, pos, QStringLiteral("\u25A0"), tabFont, WideSpaceColor, 2, 0,
                              width - 2 * hWidth + 2);
                    break;
                case PaintKind::Symbol:
                    PaintRange(p, pos, s.length, ColorFromRef(colors.symbols[s.index]));
                    break;
                case PaintKind::UserString:
                    PaintRange(p, pos, s.length, ColorFromRef(colors.userColors[s.index]));
                    break;
                }
            }
        }
        PaintEof(p);
    }
    PaintUnderline(p);
}

void CViewPainter::PaintEof(QPainter &p)
{
    COrrindaleView &v = m_view;
    QTextDocument *doc = v.document();
    const int length = doc->characterCount() - 1;
    const QString mark = QStringLiteral("[EOF]");
    const QFontMetrics fm = v.fontMetrics();
    const QTextBlock last = doc->lastBlock();
    const bool endsWithBreak = length > 0 && last.length() == 1;
    int lineHeight = 0;
    int ascent = 0;
    QPointF at = PositionOf(length, &lineHeight, &ascent);
    if (at.x() < 0)
        return;
    const int width = v.viewport()->width();
    const EofPlace place =
        EofPlacement(length, endsWithBreak, qRound(at.x()) + 2 + fm.horizontalAdvance(mark), width);
    if (place == EofPlace::None)
        return;
    if (place == EofPlace::NextRow) {
        // A final line break leaves an empty last row of its own; otherwise the row below.
        if (!endsWithBreak)
            at.setY(at.y() + lineHeight);
        at.setX(v.contentOffset().x() + v.document()->documentMargin());
    }
    if (at.y() + lineHeight <= 0 || at.y() >= v.viewport()->height())
        return;
    p.setFont(v.font());
    p.setPen(EofColor);
    p.drawText(QPointF(at.x() + 2, at.y() + ascent), mark);
}

void CViewPainter::PaintUnderline(QPainter &p)
{
    COrrindaleView &v = m_view;
    if (!v.Options().underlineCaretLine || v.textCursor().hasSelection() || !v.hasFocus())
        return;
    const QRect caret = v.cursorRect();
    const int y = caret.bottom();
    if (y < 0 || y >= v.viewport()->height())
        return;
    p.setPen(QPen(UnderlineColor, 1));
    const int left = std::max(0, 14 - v.GutterWidth());
    p.drawLine(left, y, v.viewport()->width() - 10, y);
}

GutterContent CViewPainter::Gutter(int height) const
{
    COrrindaleView &v = m_view;
    GutterContent content;
    if (v.isReadOnly() || (v.Options().lineNumberMode == 0 && !v.Options().calcMode))
        return content;
    content.strip = true;
    content.right = v.GutterWidth() - 10;
    if (v.Options().lineNumberMode == 0)
        return content;
    const QList<Row> rows = VisibleRows();
    const int rowHeight = rows.isEmpty() ? v.fontMetrics().lineSpacing() : rows.first().height;
    const int rowCount = height / std::max(1, rowHeight);
    const int firstTop = rows.isEmpty() ? 0 : rows.first().top;
    int firstDisplayLine = 0;
    int topNumber = 1;
    QList<bool> starts;
    if (!rows.isEmpty()) {
        firstDisplayLine = rows.first().block.firstLineNumber() + rows.first().lineInBlock;
        topNumber = rows.first().block.blockNumber() + 1;
    }
    for (const Row &r : rows)
        starts << (r.lineInBlock == 0);
    const bool wrap = v.lineWrapMode() != QPlainTextEdit::NoWrap;
    content.labels = GutterLabels(v.Options().lineNumberMode, wrap, firstDisplayLine, topNumber,
                                  starts, rowCount);
    for (int r = 0; r < content.labels.size(); ++r)
        content.tops << (r < rows.size() ? rows[r].top : firstTop + r * rowHeight);
    return content;
}

void CViewPainter::PaintGutter(QPainter &p, int width, int height, const GutterContent &content)
{
    COrrindaleView &v = m_view;
    p.fillRect(0, 0, width, height, v.palette().color(QPalette::Base));
    if (!content.strip)
        return;
    p.fillRect(0, 0, content.right, height, GutterBackColor);
    p.setFont(v.font());
    p.setPen(GutterTextColor);
    const QFontMetrics fm = v.fontMetrics();
    for (int r = 0; r < content.labels.size(); ++r) {
        if (content.labels[r].isEmpty())
            continue;
        const int x = content.right - fm.horizontalAdvance(content.labels[r]);
        p.drawText(x, content.tops[r] + fm.ascent(), content.labels[r]);
    }
}

double CViewPainter::HeaderLeft() const
{
    // The letters start where the first column starts, and move with horizontal scrolling.
    return m_view.GutterWidth() + m_view.contentOffset().x() + m_view.document()->documentMargin();
}

void CViewPainter::PaintHeader(QPainter &p, int width, int height)
{
    COrrindaleView &v = m_view;
    p.fillRect(0, 0, width, height, GutterBackColor);
    const double x0 = HeaderLeft();
    QTextLayout layout(HeaderRowText(), v.font());
    QTextOption option;
    option.setTabStopDistance(v.tabStopDistance());
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    if (!line.isValid())
        return;
    p.setPen(ColorFromRef(v.Settings().Colors().text));
    layout.draw(&p, QPointF(x0, (height - line.height()) / 2));
}

CViewMargin::CViewMargin(COrrindaleView *view, Kind kind)
    : QWidget(view)
    , m_pView(view)
    , m_kind(kind)
{
}

void CViewMargin::UpdateIfChanged()
{
    if (!isVisible())
        return;
    const CViewPainter painter(*m_pView);
    if (m_kind == Kind::Gutter ? painter.Gutter(height()) != m_paintedGutter
                               : painter.HeaderLeft() != m_paintedHeaderLeft)
        update();
}

void CViewMargin::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    CViewPainter painter(*m_pView);
    if (m_kind == Kind::Gutter) {
        m_paintedGutter = painter.Gutter(height());
        painter.PaintGutter(p, width(), height(), m_paintedGutter);
    } else {
        m_paintedHeaderLeft = painter.HeaderLeft();
        painter.PaintHeader(p, width(), height());
    }
}
