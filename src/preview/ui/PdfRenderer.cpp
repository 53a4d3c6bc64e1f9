#include "preview/ui/PdfRenderer.h"

#include <poppler-qt6.h>

#include <memory>

class PdfWorker : public QObject {
    Q_OBJECT
public:
    explicit PdfWorker(CPdfRenderer &renderer)
        : m_renderer(renderer)
    {
    }

    void Load(const QString &path)
    {
        // A PDF still being written or cut short has no trailer yet, and Poppler refuses it.
        std::unique_ptr<Poppler::Document> next = Poppler::Document::load(path);
        if (!next || next->isLocked() || next->numPages() < 1) {
            Q_EMIT LoadFailed(path);
            return;
        }
        next->setRenderHint(Poppler::Document::Antialiasing);
        next->setRenderHint(Poppler::Document::TextAntialiasing);
        QList<QSizeF> sizes;
        for (int page = 0; page < next->numPages(); ++page) {
            const std::unique_ptr<Poppler::Page> p = next->page(page);
            sizes << (p ? p->pageSizeF() : QSizeF());
        }
        m_document = std::move(next);
        Q_EMIT Loaded(++m_load, sizes);
    }

    void Render(int page, double scale)
    {
        if (!m_document || !m_renderer.IsWanted(page, scale))
            return;
        const std::unique_ptr<Poppler::Page> p = m_document->page(page);
        if (!p)
            return;
        const double dpi = 72.0 * scale;
        Q_EMIT Rendered(m_load, page, scale, p->renderToImage(dpi, dpi));
    }

Q_SIGNALS:
    void Loaded(int load, const QList<QSizeF> &pageSizes);
    void LoadFailed(const QString &path);
    void Rendered(int load, int page, double scale, const QImage &image);

private:
    CPdfRenderer &m_renderer;
    std::unique_ptr<Poppler::Document> m_document;
    int m_load = 0;
};

CPdfRenderer::CPdfRenderer(QObject *parent)
    : QObject(parent)
    , m_pWorker(new PdfWorker(*this))
{
    m_pWorker->moveToThread(&m_thread);
    connect(&m_thread, &QThread::finished, m_pWorker, &QObject::deleteLater);
    connect(m_pWorker, &PdfWorker::Loaded, this, &CPdfRenderer::Loaded);
    connect(m_pWorker, &PdfWorker::LoadFailed, this, &CPdfRenderer::LoadFailed);
    connect(m_pWorker, &PdfWorker::Rendered, this, &CPdfRenderer::Rendered);
    m_thread.start();
}

CPdfRenderer::~CPdfRenderer()
{
    // Renders still queued are skipped; the one under way ends first.
    Want({}, 0, 0, -1);
    m_thread.quit();
    m_thread.wait();
}

void CPdfRenderer::Load(const QString &path)
{
    // Pages still queued are of the old document: the new one comes first.
    Want({}, 0, 0, -1);
    QMetaObject::invokeMethod(m_pWorker, [w = m_pWorker, path] { w->Load(path); });
}

void CPdfRenderer::Want(const QList<int> &pages, double scale, int first, int last)
{
    {
        const QMutexLocker lock(&m_mutex);
        m_nFirst = first;
        m_nLast = last;
        m_scale = scale;
    }
    for (int page : pages)
        QMetaObject::invokeMethod(m_pWorker,
                                  [w = m_pWorker, page, scale] { w->Render(page, scale); });
}

bool CPdfRenderer::IsWanted(int page, double scale)
{
    const QMutexLocker lock(&m_mutex);
    return page >= m_nFirst && page <= m_nLast && scale == m_scale;
}

#include "PdfRenderer.moc"
