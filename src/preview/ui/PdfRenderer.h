#pragma once

#include <QImage>
#include <QList>
#include <QObject>
#include <QSizeF>
#include <QThread>

#include <atomic>

class PdfWorker;

// Loads and renders a PDF on a thread of its own, so that a long or slow document never holds
// up the editor. A load that fails keeps the document loaded before it; renders asked for
// before the latest Want are dropped unless asked for again.
class CPdfRenderer : public QObject {
    Q_OBJECT
public:
    explicit CPdfRenderer(QObject *parent = nullptr);
    ~CPdfRenderer() override;

    void Load(const QString &path);
    // Renders these pages at scale (pixels per point); Rendered follows for each.
    void Want(const QList<int> &pages, double scale);

Q_SIGNALS:
    // load counts the successful loads; images of an older load belong to the old document.
    void Loaded(int load, const QList<QSizeF> &pageSizes);
    void LoadFailed(const QString &path);
    void Rendered(int load, int page, double scale, const QImage &image);

private:
    QThread m_thread;
    PdfWorker *m_pWorker;
    std::atomic<quint64> m_wanted{0};
};
