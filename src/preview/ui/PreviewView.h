#pragma once

#include "preview/PreviewLayout.h"

#include <QAbstractScrollArea>
#include <QHash>
#include <QImage>
#include <QTimer>

class CPdfRenderer;

// The pages of a PDF one below the other, rendered by the renderer as they come into view.
// Ctrl+wheel zooms, Ctrl+click asks for the source of the place clicked.
class CPreviewView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit CPreviewView(CPdfRenderer &renderer, QWidget *parent = nullptr);

    // The pages of a newly loaded document; page and zoom stay where they were.
    void SetPages(int load, const QList<QSizeF> &pageSizes);
    // A load drops the renders asked for before it: the pages in view are asked for again.
    void AskAgain();
    void SetZoom(PreviewZoom zoom);
    PreviewZoom Zoom() const { return m_zoom; }
    const PreviewLayout &Layout() const { return m_layout; }
    int CurrentPage() const;
    int PageCount() const { return m_sizes.size(); }
    void GoToPage(int page);
    // Brings box (points) of page into view and marks it for a moment.
    void ShowPlace(int page, const QRectF &box);
    // Whether the page's rendering at the current scale is in.
    bool HasPicture(int page) const;

Q_SIGNALS:
    void PageChanged(int page, int count);
    void ZoomChanged(double scale);
    void InverseRequested(int page, QPointF point);

protected:
    void paintEvent(QPaintEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void wheelEvent(QWheelEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void Relayout();
    void RequestVisible();
    void Rendered(int load, int page, double scale, const QImage &image);
    QPointF ContentOffset() const;

    CPdfRenderer &m_renderer;
    PreviewZoom m_zoom;
    PreviewLayout m_layout;
    QList<QSizeF> m_sizes;
    int m_load = 0;
    // Rendered pages near the view; a page of an earlier load or scale stands in until its
    // new rendering arrives.
    struct Picture {
        QImage image;
        int load = 0;
        double scale = 0;
    };
    QHash<int, Picture> m_pictures;
    // Pages asked of the renderer and not yet in, with the scale asked for.
    QHash<int, double> m_pending;
    int m_lastPage = -1;
    int m_lastCount = -1;
    int m_markPage = -1;
    QRectF m_mark;
    QTimer m_markTimer;
};
