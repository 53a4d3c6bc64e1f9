#include "preview/ui/PreviewView.h"

#include "preview/ui/PdfRenderer.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <cmath>

namespace {
// Pages kept rendered on either side of those in view.
constexpr int kKeptAround = 2;
constexpr int kMarkMs = 1500;
} // namespace

CPreviewView::CPreviewView(CPdfRenderer &renderer, QWidget *parent)
    : QAbstractScrollArea(parent)
    , m_renderer(renderer)
{
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setBackgroundRole(QPalette::Dark);
    viewport()->setAutoFillBackground(true);
    m_markTimer.setSingleShot(true);
    connect(&m_markTimer, &QTimer::timeout, this, [this] {
        m_markPage = -1;
        viewport()->update();
    });
    connect(&m_renderer, &CPdfRenderer::Rendered, this, &CPreviewView::Rendered);
}

void CPreviewView::SetPages(int load, const QList<QSizeF> &pageSizes)
{
    const int page = CurrentPage();
    m_load = load;
    m_sizes = pageSizes;
    Relayout();
    GoToPage(std::min(page, int(m_sizes.size()) - 1));
    AskAgain();
}

void CPreviewView::AskAgain()
{
    m_pending.clear();
    RequestVisible();
}

void CPreviewView::SetZoom(PreviewZoom zoom)
{
    const int page = CurrentPage();
    m_zoom = zoom;
    Relayout();
    GoToPage(page);
    RequestVisible();
}

int CPreviewView::CurrentPage() const
{
    // The page at a third of the view's height is the one being read.
    return m_sizes.isEmpty() ? 0
                             : m_layout.PageAt(ContentOffset().y() + viewport()->height() / 3.0);
}

void CPreviewView::GoToPage(int page)
{
    if (page < 0 || page >= m_layout.PageCount())
        return;
    verticalScrollBar()->setValue(int(m_layout.PageRect(page).top()) - PreviewLayout::Gap);
}

void CPreviewView::ShowPlace(int page, const QRectF &box)
{
    if (page < 0 || page >= m_layout.PageCount())
        return;
    const QRectF rect = m_layout.PageRect(page);
    const double s = m_layout.Scale();
    const QRectF shown(rect.topLeft() + box.topLeft() * s, box.size() * s);
    if (box.isEmpty())
        GoToPage(page);
    else
        verticalScrollBar()->setValue(int(shown.center().y() - viewport()->height() / 2.0));
    horizontalScrollBar()->setValue(int(shown.left() - PreviewLayout::Gap));
    m_markPage = page;
    m_mark = box.isEmpty() ? QRectF(QPointF(0, 0), m_sizes.value(page)) : box;
    m_markTimer.start(kMarkMs);
    viewport()->update();
}

bool CPreviewView::HasPicture(int page) const
{
    const auto it = m_pictures.constFind(page);
    return it != m_pictures.cend() && it->load == m_load && it->scale == m_layout.Scale();
}

QPointF CPreviewView::ContentOffset() const
{
    return QPointF(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

void CPreviewView::Relayout()
{
    m_layout.Lay(m_sizes, m_zoom, viewport()->size());
    const QSizeF extent = m_layout.Extent();
    horizontalScrollBar()->setRange(0, std::max(0, int(extent.width()) - viewport()->width()));
    verticalScrollBar()->setRange(0, std::max(0, int(extent.height()) - viewport()->height()));
    horizontalScrollBar()->setPageStep(viewport()->width());
    verticalScrollBar()->setPageStep(viewport()->height());
    verticalScrollBar()->setSingleStep(40);
    horizontalScrollBar()->setSingleStep(40);
    Q_EMIT ZoomChanged(m_layout.Scale());
    viewport()->update();
}

void CPreviewView::RequestVisible()
{
    const double top = ContentOffset().y();
    const QList<int> visible = m_layout.PagesBetween(top, top + viewport()->height());
    const int page = CurrentPage();
    if (page != m_lastPage || m_layout.PageCount() != m_lastCount) {
        m_lastPage = page;
        m_lastCount = m_layout.PageCount();
        Q_EMIT PageChanged(page, m_lastCount);
    }
    if (visible.isEmpty())
        return;
    // Forget pictures far from the view, so that memory stays that of a few pages.
    const int first = std::max(0, visible.first() - kKeptAround);
    const int last = std::min(visible.last() + kKeptAround, m_layout.PageCount() - 1);
    for (auto it = m_pictures.begin(); it != m_pictures.end();)
        it = it.key() < first || it.key() > last ? m_pictures.erase(it) : std::next(it);
    // The renderer skips what left the range or was asked at another scale.
    for (auto it = m_pending.begin(); it != m_pending.end();)
        it = it.key() < first || it.key() > last || it.value() != m_layout.Scale()
                 ? m_pending.erase(it)
                 : std::next(it);
    QList<int> wanted;
    for (int p = first; p <= last; ++p)
        if (!HasPicture(p) && !m_pending.contains(p))
            wanted << p;
    // The pages in view first, then their neighbours.
    std::stable_partition(wanted.begin(), wanted.end(), [&](int p) { return visible.contains(p); });
    for (int p : wanted)
        m_pending.insert(p, m_layout.Scale());
    m_renderer.Want(wanted, m_layout.Scale(), first, last);
}

void CPreviewView::Rendered(int load, int page, double scale, const QImage &image)
{
    if (load != m_load || scale != m_layout.Scale() || image.isNull())
        return;
    m_pending.remove(page);
    m_pictures.insert(page, Picture{image, load, scale});
    viewport()->update();
}

void CPreviewView::paintEvent(QPaintEvent *)
{
    QPainter painter(viewport());
    const QPointF offset = ContentOffset();
    painter.translate(-offset);
    const double s = m_layout.Scale();
    for (int page : m_layout.PagesBetween(offset.y(), offset.y() + viewport()->height())) {
        const QRectF rect = m_layout.PageRect(page);
        painter.fillRect(rect, Qt::white);
        const auto it = m_pictures.constFind(page);
        if (it != m_pictures.cend())
            painter.drawImage(rect, it->image);
        if (page == m_markPage) {
            const QRectF mark(rect.topLeft() + m_mark.topLeft() * s, m_mark.size() * s);
            painter.fillRect(mark.adjusted(-2, -2, 2, 2), QColor(255, 200, 0, 90));
            painter.setPen(QPen(QColor(230, 120, 0), 2));
            painter.drawRect(mark.adjusted(-2, -2, 2, 2));
        }
    }
}

void CPreviewView::resizeEvent(QResizeEvent *e)
{
    QAbstractScrollArea::resizeEvent(e);
    const int page = CurrentPage();
    Relayout();
    if (m_zoom.mode != PreviewZoom::Percent)
        GoToPage(page);
    RequestVisible();
}

void CPreviewView::wheelEvent(QWheelEvent *e)
{
    if (!(e->modifiers() & Qt::ControlModifier)) {
        QAbstractScrollArea::wheelEvent(e);
        return;
    }
    const int delta = e->angleDelta().y();
    if (delta != 0)
        SetZoom({PreviewZoom::Percent, PreviewZoom::Step(m_layout.Scale(), delta > 0)});
    e->accept();
}

void CPreviewView::mousePressEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton && (e->modifiers() & Qt::ControlModifier)) {
        const QPointF at = e->position() + ContentOffset();
        const int page = m_layout.PageHolding(at);
        if (page >= 0)
            Q_EMIT InverseRequested(page,
                                    (at - m_layout.PageRect(page).topLeft()) / m_layout.Scale());
        e->accept();
        return;
    }
    QAbstractScrollArea::mousePressEvent(e);
}

void CPreviewView::keyPressEvent(QKeyEvent *e)
{
    switch (e->key()) {
    case Qt::Key_PageUp:
        GoToPage(CurrentPage() - 1);
        break;
    case Qt::Key_PageDown:
        GoToPage(CurrentPage() + 1);
        break;
    case Qt::Key_Plus:
    case Qt::Key_Minus:
        if (e->modifiers() & Qt::ControlModifier) {
            SetZoom({PreviewZoom::Percent,
                     PreviewZoom::Step(m_layout.Scale(), e->key() == Qt::Key_Plus)});
            break;
        }
        [[fallthrough]];
    default:
        QAbstractScrollArea::keyPressEvent(e);
    }
}

void CPreviewView::scrollContentsBy(int, int)
{
    viewport()->update();
    RequestVisible();
}
