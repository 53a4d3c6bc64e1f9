#pragma once

#include "app/FileWriter.h"
#include "toolchain/AnotherFile.h"

#include <QMultiHash>
#include <QList>
#include <QObject>
#include <QString>

class COrrindaleView;
class QTextDocument;
struct AppContext;

// The text of a document as the program keeps and saves it: "\n" between lines, every other
// character as it is (toPlainText() would turn no-break spaces into plain ones).
QString DocumentText(const QTextDocument *doc);

// Update hints sent through the document to its views.
enum class Hint {
    Initial = 0,
    LogRowSplit = 102,
    ColumnSplit = 109,
    LogPane = 190,
    Unsplit = 204,
    Saved = 707,
    NewFile = 777,
    Reloaded = 888,
    ReplaceAll = 909,
};

// The document: a path, a title, a modified flag and the text the views share. Reading and
// writing the file, the backup and the file time are done here.
class COrrindaleDoc : public QObject {
    Q_OBJECT
public:
    explicit COrrindaleDoc(AppContext &context, QObject *parent = nullptr);

    QTextDocument *TextDocument() const { return m_text; }
    QString PathName() const { return m_strPath; }
    // The edited file and the compile target; FilesChanged tells when they change.
    const DocumentFiles &Files() const { return m_files; }
    // Registers another file to compile instead of this one ("" removes the registration);
    // an untitled document keeps it only until it gets a name.
    void SetAnotherFile(const QString &another);
    QString Title() const { return m_strTitle; }
    QString Encoding() const { return m_strEncoding; }
    bool IsModified() const { return m_bModified; }
    void SetModifiedFlag(bool modified = true);
    bool BackupMode() const { return m_bBackup != 0; }
    // True while a file's text is being put into the document (not an edit).
    bool IsSettingText() const { return m_bSettingText; }
    // The file's modification time (whole seconds) as this window last read, wrote or
    // otherwise looked at it; a newer time on disk means another program changed the file.
    qint64 FileTime() const { return m_tFileTime; }
    void SetFileTime(qint64 seconds) { m_tFileTime = seconds; }

    // An empty text; with path, one that bears that name (a file still to be made).
    bool OnNewDocument(const QString &path = QString());
    // Reads path into the text; false (after telling why) when it cannot be opened.
    bool OnOpenDocument(const QString &path);
    bool OnSaveDocument(const QString &path);

    // The save commands: the Japanese one (framework save), the English one, Save As.
    bool DoFileSave();
    bool SaveEnglish();
    bool DoSaveAs();
    // Asks to save a modified text; false when the user cancels or the save fails.
    bool SaveModified();
    void ToggleBackupMode();
    // Shows text as the content of path, a file the program made and the user is to save:
    // nothing is written, the document is marked modified.
    void ShowUnsavedText(const QString &path, const QString &text);

    // The views in order. The first one is the editor the text belongs to: a log pane is kept
    // at the end, so that saving saves the text, not the log. A view leaves the list when it
    // is destroyed.
    void AddView(COrrindaleView *view);
    void RemoveView(COrrindaleView *view);
    QList<COrrindaleView *> Views() const { return m_views; }
    // Sends a hint to every view in list order except the sender.
    void UpdateAllViews(Hint hint, COrrindaleView *pSender = nullptr);

Q_SIGNALS:
    void Update(Hint hint, COrrindaleView *pSender);
    void TitleChanged();
    void FilesChanged();
    void ModifiedChanged(bool modified);

private:
    void SetPathName(const QString &path);
    void SetText(const QString &text);
    void SetFiles(const DocumentFiles &files);
    void AddToRecentFileList(const QString &path);

    AppContext &m_context;
    QTextDocument *m_text;
    QList<COrrindaleView *> m_views;
    QMultiHash<COrrindaleView *, QMetaObject::Connection> m_viewConnections;
    QString m_strPath;
    DocumentFiles m_files;
    QString m_strTitle;
    QString m_strEncoding;
    FileStamp m_stamp; // the file as last read or written
    qint64 m_tFileTime = 0;
    bool m_bModified = false;
    bool m_bSettingText = false;
    int m_bBackup;
    int m_bEnglish;
};
