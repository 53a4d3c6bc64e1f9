#include "preview/PreviewLayout.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr int kPercents[] = {10, 25, 50, 75, 100, 125, 150, 200, 300, 400, 800};
}

int PreviewZoom::Step(double scale, bool in)
{
    const double now = scale * 100.0;
    if (in) {
        for (int p : kPercents)
            if (p > now + 0.5)
                return p;
        return kPercents[std::size(kPercents) - 1];
    }
    for (auto it = std::rbegin(kPercents); it != std::rend(kPercents); ++it)
        if (*it < now - 0.5)
            return *it;
    return kPercents[0];
}

void PreviewLayout::Lay(const QList<QSizeF> &pageSizes, PreviewZoom zoom, QSizeF viewport)
{
    m_rects.clear();
    double widest = 0, tallest = 0;
    for (const QSizeF &s : pageSizes) {
        widest = std::max(widest, s.width());
        tallest = std::max(tallest, s.height());
    }
    const double room = std::max(1.0, viewport.width() - 2 * Gap);
    switch (zoom.mode) {
    case PreviewZoom::FitWidth:
        m_scale = widest > 0 ? room / widest : 1.0;
        break;
    case PreviewZoom::FitPage:
        m_scale =
            widest > 0 && tallest > 0
                ? std::min(room / widest, std::max(1.0, viewport.height() - 2 * Gap) / tallest)
                : 1.0;
        break;
    case PreviewZoom::Percent:
        m_scale = std::clamp(zoom.percent, 1, 6400) / 100.0;
        break;
    }
    const double width = std::max(viewport.width(), widest * m_scale + 2 * Gap);
    double y = Gap;
    for (const QSizeF &s : pageSizes) {
        const QSizeF scaled(std::ceil(s.width() * m_scale), std::ceil(s.height() * m_scale));
        m_rects << QRectF(QPointF(std::floor((width - scaled.width()) / 2), y), scaled);
        y += scaled.height() + Gap;
    }
    m_extent = QSizeF(width, y);
}

int PreviewLayout::PageAt(double y) const
{
    // The first page whose bottom gap reaches below y.
    const auto it =
        std::lower_bound(m_rects.cbegin(), m_rects.cend(), y,
                         [](const QRectF &r, double v) { return r.bottom() + Gap < v; });
    if (m_rects.isEmpty())
        return -1;
    return it == m_rects.cend() ? int(m_rects.size()) - 1 : int(it - m_rects.cbegin());
}

int PreviewLayout::PageHolding(QPointF p) const
{
    const int page = PageAt(p.y());
    return page >= 0 && m_rects[page].contains(p) ? page : -1;
}

QList<int> PreviewLayout::PagesBetween(double top, double bottom) const
{
    QList<int> pages;
    for (int page = std::max(0, PageAt(top)); page < m_rects.size(); ++page) {
        if (m_rects[page].top() > bottom)
            break;
        pages << page;
    }
    return pages;
}
