#pragma once

#include <QList>
#include <QRectF>
#include <QSizeF>

// Where the pages of a PDF lie in the preview: one column, top to bottom, each page centred,
// at one scale (pixels per PDF point) chosen by the zoom.
struct PreviewZoom {
    enum Mode {
        FitWidth,
        FitPage,
        Percent
    };
    Mode mode = FitWidth;
    int percent = 100; // for Percent

    bool operator==(const PreviewZoom &) const = default;
    // The next percentage up or down (Ctrl+wheel, the zoom keys), from the scale now shown.
    static int Step(double scale, bool in);
};

class PreviewLayout {
public:
    static constexpr int Gap = 8; // pixels around and between pages

    // pageSizes in points; viewport in pixels.
    void Lay(const QList<QSizeF> &pageSizes, PreviewZoom zoom, QSizeF viewport);

    double Scale() const { return m_scale; }
    int PageCount() const { return int(m_rects.size()); }
    QRectF PageRect(int page) const { return m_rects.value(page); }
    QSizeF Extent() const { return m_extent; }
    // The page shown at content height y (the last one above it in a gap).
    int PageAt(double y) const;
    // The page that holds content point p, -1 in a gap.
    int PageHolding(QPointF p) const;
    // The pages that meet content heights top..bottom.
    QList<int> PagesBetween(double top, double bottom) const;

private:
    double m_scale = 1.0;
    QList<QRectF> m_rects;
    QSizeF m_extent;
};
