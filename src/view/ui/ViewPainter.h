#pragma once

#include <QColor>
#include <QFont>
#include <QList>
#include <QPointF>
#include <QTextBlock>
#include <QWidget>

class COrrindaleView;
class QPainter;

// A COLORREF (0x00BBGGRR) as a colour.
inline QColor ColorFromRef(unsigned c)
{
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

// Everything the editor paints beside the text itself: marks, symbol colours, "[EOF]" and the
// caret-line underline over the text area, and the line-number gutter and the column-header row
// in the margins. Only the rows on screen are looked at.
class CViewPainter {
public:
    explicit CViewPainter(COrrindaleView &view);

    void PaintText(QPainter &p);
    void PaintGutter(QPainter &p, int width, int height);
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

protected:
    void paintEvent(QPaintEvent *e) override;

private:
    COrrindaleView *m_pView;
    Kind m_kind;
};
