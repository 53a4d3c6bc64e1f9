#include "app/ui/UpdateFetcher.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

FetchResult FetchSmallFile(const QUrl &url, int timeoutMs, qint64 limit)
{
    FetchResult result;
    if (!url.isValid() || url.isRelative()) {
        result.error = QStringLiteral("invalid address");
        return result;
    }
    QNetworkAccessManager manager;
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setTransferTimeout(timeoutMs);
    QNetworkReply *reply = manager.get(request);

    QEventLoop loop;
    bool timedOut = false;
    QObject::connect(reply, &QNetworkReply::readyRead, &loop, [&] {
        result.body += reply->read(limit + 1 - result.body.size());
        if (result.body.size() > limit) {
            result.tooLarge = true;
            reply->abort();
        }
    });
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        reply->abort();
    });
    deadline.start(2 * timeoutMs);
    if (!reply->isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    deadline.stop();

    if (result.tooLarge) {
        result.reached = true;
    } else if (timedOut) {
        result.error = QStringLiteral("no answer in time");
    } else if (reply->error() != QNetworkReply::NoError) {
        result.error = reply->errorString();
    } else {
        result.body += reply->read(limit + 1 - result.body.size());
        result.tooLarge = result.body.size() > limit;
        result.reached = true;
    }
    if (!result.reached)
        result.body.clear();
    delete reply;
    return result;
}
