#pragma once

#include <QByteArray>
#include <QString>

class QUrl;

// What came back from the version file's address.
struct FetchResult {
    bool reached = false;  // an answer arrived (possibly too large)
    bool tooLarge = false; // the answer passed the limit and was cut off
    QByteArray body;
    QString error; // why nothing arrived
};

// Fetches a small file from the network, always fresh, never from a cache. The window keeps
// painting meanwhile but takes no input; a server that stays silent for timeoutMs, or that
// has not finished after twice that, ends the wait, and no more than limit bytes are kept.
FetchResult FetchSmallFile(const QUrl &url, int timeoutMs, qint64 limit);
