#pragma once

#include "preview/SyncTeX.h"

#include <QDateTime>
#include <QDockWidget>
#include <QFileSystemWatcher>
#include <QTimer>

class CPdfRenderer;
class CPreviewView;
class QComboBox;
class QLabel;
enum class Msg;

// The PDF of the compile target beside the text: a dock on the right of the window that can
// float. A PDF that cannot be read leaves the last pages read on show, with a note that says so.
class CPreviewDock : public QDockWidget {
    Q_OBJECT
public:
    CPreviewDock(bool english, QWidget *parent = nullptr);
    ~CPreviewDock() override;

    // Shown (also while the window itself is not).
    bool IsOn() const { return !isHidden(); }
    // Showing the dock reads the PDF afresh.
    void setVisible(bool visible) override;
    // The PDF shown; changing it reads the new one when the dock is on.
    void SetPdfPath(const QString &path);
    QString PdfPath() const { return m_strPdf; }
    // Reads the PDF again when it changed since it was last read (or always when forced).
    void Reload(bool force = false);
    // Shows the place of line (1-based) of source; false, with a note, when there is none.
    bool ForwardSearch(const QString &source, int line);
    QString Note() const;
    CPreviewView *View() const { return m_pView; }

Q_SIGNALS:
    // Ctrl+click found the source of a place.
    void SourceRequested(const QString &path, int line);
    // Every reading of the PDF ends with one of these.
    void PdfLoaded();
    void PdfFailed();

private:
    void SetNote(const QString &text);
    bool OpenSyncTeX();
    void Inverse(int page, QPointF point);
    void UpdatePageLabel(int page, int count);
    void UpdateZoomText(double scale);
    void ChooseZoom(int index);
    QString Text(Msg id) const;

    bool m_bEnglish;
    CPdfRenderer *m_pRenderer;
    CPreviewView *m_pView;
    QLabel *m_pNote;
    QLabel *m_pPage;
    QComboBox *m_pZoom;
    QFileSystemWatcher m_watcher;
    QTimer m_settle;
    QString m_strPdf;
    QDateTime m_loadedTime;
    qint64 m_nLoadedSize = -1;
    CSyncTeX m_syncTeX;
    bool m_bSyncTeXRead = false;
    // A forward search made before the pages were known, shown when they are.
    int m_nPendingPage = -1;
    QRectF m_pendingBox;
};
