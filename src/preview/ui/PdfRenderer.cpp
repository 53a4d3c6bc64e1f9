#include "preview/ui/PdfRenderer.h"

#include "preview/PdfFile.h"

#include <QPdfDocument>

#include <cmath>
#include <memory>

class PdfWorker : public QObject {
    Q_OBJECT
public:
    explicit PdfWorker(std::atomic<quint64> &wanted)
        : m_wanted(wanted)
    {
    }

    void Load(const QString &path)
    {
        auto next = std::make_unique<QPdfDocument>();
        // A PDF still being written or cut short is not read at all: the library would make
        // what pages it can of it.
        if (!PdfIsWhole(path) || next->load(path) != QPdfDocument::Error::None
            || next->pageCount() < 1) {
            Q_EMIT LoadFailed(path);
            return;
        }
        QList<QSizeF> sizes;
        for (int page = 0; page < next->pageCount(); ++page)
            sizes << next->pagePointSize(page);
        m_document = std::move(next);
        Q_EMIT Loaded(++m_load, sizes);
    }

    void Render(int page, double scale, quint64 request)
    {
        if (!m_document || request != m_wanted.load() || page < 0
            || page >= m_document->pageCount())
            return;
        const QSizeF points = m_document->pagePointSize(page);
        const QSize pixels(qMax(1, int(std::ceil(points.width() * scale))),
                           qMax(1, int(std::ceil(points.height() * scale))));
        Q_EMIT Rendered(m_load, page, scale, m_document->render(page, pixels));
    }

Q_SIGNALS:
    void Loaded(int load, const QList<QSizeF> &pageSizes);
    void LoadFailed(const QString &path);
    void Rendered(int load, int page, double scale, const QImage &image);

private:
    std::atomic<quint64> &m_wanted;
    std::unique_ptr<QPdfDocument> m_document;
    int m_load = 0;
};

CPdfRenderer::CPdfRenderer(QObject *parent)
    : QObject(parent)
    , m_pWorker(new PdfWorker(m_wanted))
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
    // Renders still queued are dropped; the one under way ends first.
    ++m_wanted;
    m_thread.quit();
    m_thread.wait();
}

void CPdfRenderer::Load(const QString &path)
{
    QMetaObject::invokeMethod(m_pWorker, [w = m_pWorker, path] { w->Load(path); });
}

void CPdfRenderer::Want(const QList<int> &pages, double scale)
{
    const quint64 request = ++m_wanted;
    for (int page : pages)
        QMetaObject::invokeMethod(
            m_pWorker, [w = m_pWorker, page, scale, request] { w->Render(page, scale, request); });
}

#include "PdfRenderer.moc"
