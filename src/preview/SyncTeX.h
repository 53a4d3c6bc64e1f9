#pragma once

#include <QByteArray>
#include <QList>
#include <QRectF>
#include <QString>

#include <utility>

// The SyncTeX data TeX wrote beside a PDF (name.synctex.gz), read with TeX Live's parser.
// Positions are in PDF points from the top left corner of the page; pages count from 0.
class CSyncTeX {
public:
    CSyncTeX();
    ~CSyncTeX();
    CSyncTeX(const CSyncTeX &) = delete;
    CSyncTeX &operator=(const CSyncTeX &) = delete;

    enum class State {
        Ready,
        Missing,
        Stale
    };
    // Reads the data of pdfPath; Missing when there is none, Stale when it is older than the
    // PDF (the PDF was made without it after an earlier compile that had it).
    State Open(const QString &pdfPath);
    bool IsOpen() const { return m_scanner != nullptr; }
    void Close();

    struct Place {
        int page = -1;
        QRectF box; // the marked place, empty when only the page is known
    };
    // The first place that line (1-based) of source produced; page -1 when none.
    Place Forward(const QString &sourcePath, int line) const;

    struct SourceLine {
        QString path; // absolute
        int line = 0; // 1-based; 0 when nothing was found
    };
    SourceLine Inverse(int page, QPointF point) const;

private:
    QString FileOfName(const QByteArray &name) const;

    struct Scanner;
    Scanner *m_scanner = nullptr;
    QString m_strPdfDir;
    // The inputs TeX recorded: the file each names (canonical path), and the name as recorded.
    QList<std::pair<QString, QByteArray>> m_inputs;
};
