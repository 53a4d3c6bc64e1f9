#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

class QNetworkReply;
class QUrl;

// What came back from the version file's address.
struct FetchResult {
    bool reached = false;   // an answer arrived (possibly too large)
    bool tooLarge = false;  // the answer passed the limit and was cut off
    bool cancelled = false; // the user stopped the wait
    QByteArray body;
    QString error; // why nothing arrived
};

// Fetches a small file from the network in the background, always fresh, never from a cache;
// the window stays usable meanwhile. Finished comes once: with the answer, when timeoutMs
// have passed without a complete one (a silent server as well as one that trickles), or after
// Cancel. No more than limit bytes are kept.
class CSmallFileFetch : public QObject {
    Q_OBJECT
public:
    CSmallFileFetch(const QUrl &url, int timeoutMs, qint64 limit, QObject *parent = nullptr);
    void Cancel();

Q_SIGNALS:
    void Finished(const FetchResult &result);

private:
    void Finish();

    QPointer<QNetworkReply> m_pReply;
    QTimer m_deadline;
    qint64 m_limit;
    bool m_bTimedOut = false;
    bool m_bDone = false;
    FetchResult m_result;
};
