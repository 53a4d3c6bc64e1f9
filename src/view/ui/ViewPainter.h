#pragma once

#include <QColor>
#include <QFont>
#include <QList>
#include <QPointF>
#include <QTextBlock>
#include <QWidget>

class COrrindaleView;
class QPainter;
class QRegion;
struct PaintSpan;

// A COLORREF (0x00BBGGRR) as a colour.
inline QColor ColorFromRef(unsigned c)
{
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

// What the gutter shows: the numbers and the tops of their rows, right-aligned at right.
struct GutterContent {
    bool strip = false; // the tinted strip is drawn
    int right = 0;
    QStringList labels;
    QList<int> tops;

    bool operator==(const GutterContent &) const = default;
};

// Everything the editor paints beside the text itself: marks, symbol colours, "[EOF]" and the
// caret-line underline over the text area, and the line-number gutter and the column-header row
// in the margins. Only the rows on screen are looked at, and of those only the rows to repaint.
class CViewPainter {
public:
    explicit CViewPainter(COrrindaleView &view);

    void PaintText(QPainter &p, const QRegion &dirty);
    GutterContent Gutter(int height) const;
    void PaintGutter(QPainter &p, int width, int height, const GutterContent &content);
    // Where the column letters start.
    double HeaderLeft() const;
    void PaintHeader(QPainter &p, int width, int height);

    // One display row on screen, in viewport coordinates.
    struct Row {
        QTextBlock block;
        int lineInBlock;
        int top;
        int height;
    };
    QList<Row> VisibleRows() const;

private:
    QList<PaintSpan> SpansOfRows(const QList<Row> &rows, int base, int end, const QRegion &dirty);
    void PaintRange(QPainter &p, int start, int length, const QColor &color);
    void PaintGlyphs(QPainter &p, int start, int end, const QColor &color);
    void PaintMark(QPainter &p, int position, const QString &glyph, const QFont &font,
                   const QColor &color, int dx, int dy, int rightLimit);
    void PaintEof(QPainter &p);
    void PaintUnderline(QPainter &p);
    QPointF PositionOf(int position, int *lineHeight = nullptr, int *ascent = nullptr) const;

    COrrindaleView &m_view;
};

// The strip left of the text and the row above it, painted by CViewPainter.
class CViewMargin : public QWidget {
public:
    enum class Kind {
        Gutter,
        Header
    };
    CViewMargin(COrrindaleView *view, Kind kind);
    // Repaints when what the margin shows differs from what it painted last.
    void UpdateIfChanged();

protected:
    void paintEvent(QPaintEvent *e) override;

private:
    COrrindaleView *m_pView;
    Kind m_kind;
    GutterContent m_paintedGutter;
    double m_paintedHeaderLeft = 0;
};
