#include "app/ui/UpdateFetcher.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>

CSmallFileFetch::CSmallFileFetch(const QUrl &url, int timeoutMs, qint64 limit, QObject *parent)
    : QObject(parent)
    , m_limit(limit)
{
    if (!url.isValid() || url.isRelative()) {
        m_result.error = QStringLiteral("invalid address");
        // Later, so that the caller has connected to Finished.
        QTimer::singleShot(0, this, &CSmallFileFetch::Finish);
        return;
    }
    auto *manager = new QNetworkAccessManager(this);
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setTransferTimeout(timeoutMs);
    m_pReply = manager->get(request);
    connect(m_pReply, &QNetworkReply::readyRead, this, [this] {
        m_result.body += m_pReply->read(m_limit + 1 - m_result.body.size());
        if (m_result.body.size() > m_limit) {
            m_result.tooLarge = true;
            m_pReply->abort();
        }
    });
    connect(m_pReply, &QNetworkReply::finished, this, &CSmallFileFetch::Finish);
    // The transfer timeout restarts with every byte; this bounds the whole wait.
    m_deadline.setSingleShot(true);
    connect(&m_deadline, &QTimer::timeout, this, [this] {
        m_bTimedOut = true;
        m_pReply->abort();
    });
    m_deadline.start(timeoutMs);
}

void CSmallFileFetch::Cancel()
{
    if (m_bDone)
        return;
    m_result.cancelled = true;
    if (m_pReply)
        m_pReply->abort(); // finishes the reply, which ends here
    else
        Finish();
}

void CSmallFileFetch::Finish()
{
    if (m_bDone)
        return;
    m_bDone = true;
    m_deadline.stop();
    if (m_pReply) {
        if (m_result.tooLarge) {
            m_result.reached = true;
        } else if (m_bTimedOut) {
            m_result.error = QStringLiteral("no answer in time");
        } else if (m_pReply->error() != QNetworkReply::NoError) {
            m_result.error = m_pReply->errorString();
        } else {
            m_result.body += m_pReply->read(m_limit + 1 - m_result.body.size());
            m_result.tooLarge = m_result.body.size() > m_limit;
            m_result.reached = true;
        }
    }
    if (!m_result.reached)
        m_result.body.clear();
    Q_EMIT Finished(m_result);
}
