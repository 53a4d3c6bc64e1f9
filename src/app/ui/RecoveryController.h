#pragma once

#include <QElapsedTimer>
#include <QLockFile>
#include <QObject>
#include <QThreadPool>
#include <QTimer>

#include <memory>

class COrrindaleDoc;
struct AppContext;

// Keeps a recovery copy of the document's text while it has unsaved changes: written a
// moment after typing pauses, encoded and written on a worker thread so that typing never
// waits, and removed once the text is saved or given up. After an open it offers the copy a
// window that died left of that file.
class CRecoveryController : public QObject {
    Q_OBJECT
public:
    // Pause after the last change before a copy is written, and the longest a change waits
    // while typing goes on.
    static constexpr int PauseMs = 1000;
    static constexpr int LongestWaitMs = 5000;

    CRecoveryController(COrrindaleDoc &doc, AppContext &context, QObject *parent);
    ~CRecoveryController() override;

    // Asks about each copy left for path ("" for untitled ones) until one is taken back.
    void OfferCopies(const QString &path);
    // Writes the copy now (the pause is over); for tests and the benchmark.
    void WriteNow();
    // Waits until no copy is being written.
    void WaitForWrites();
    QString CopyFile() const { return m_strCopy; }

private:
    void OnTextChanged();
    void OnModifiedChanged(bool modified);
    void OnWritten();
    void RemoveCopy();
    bool Restore(const QString &copy);

    COrrindaleDoc &m_doc;
    AppContext &m_context;
    QString m_strFolder;
    QString m_strCopy;
    std::unique_ptr<QLockFile> m_lock;
    QTimer m_pause;
    QElapsedTimer m_waiting;
    QThreadPool m_writer;
    bool m_bWriting = false;
    bool m_bWriteAgain = false;
    bool m_bRemoveAfterWrite = false;
};
