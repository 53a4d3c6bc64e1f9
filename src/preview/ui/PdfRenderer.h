#pragma once

#include <QImage>
#include <QList>
#include <QMutex>
#include <QObject>
#include <QSizeF>
#include <QThread>

class PdfWorker;

// Loads and renders a PDF on a thread of its own, so that a long or slow document never holds
// up the editor. A load that fails keeps the document loaded before it. A render asked for is
// skipped when, by its turn, its page has left the pages wanted or the scale has changed.
class CPdfRenderer : public QObject {
    Q_OBJECT
public:
    explicit CPdfRenderer(QObject *parent = nullptr);
    ~CPdfRenderer() override;

    // Reads path; the renders still queued are dropped (Loaded asks for the pages again).
    void Load(const QString &path);
    // The pages first..last are wanted at scale (pixels per point); of them, pages are rendered
    // (Rendered follows for each).
    void Want(const QList<int> &pages, double scale, int first, int last);

    // What the worker asks before each render.
    bool IsWanted(int page, double scale);

Q_SIGNALS:
    // load counts the successful loads; images of an older load belong to the old document.
    void Loaded(int load, const QList<QSizeF> &pageSizes);
    void LoadFailed(const QString &path);
    void Rendered(int load, int page, double scale, const QImage &image);

private:
    QThread m_thread;
    PdfWorker *m_pWorker;
    QMutex m_mutex;
    int m_nFirst = 0;
    int m_nLast = -1;
    double m_scale = 0;
};
