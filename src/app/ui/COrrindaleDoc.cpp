#include "app/ui/COrrindaleDoc.h"

#include "app/Prompter.h"
#include "app/SettingsKeys.h"
#include "app/SettingsStore.h"
#include "app/TextFile.h"
#include "app/ui/AppContext.h"
#include "app/ui/COrrindaleView.h"
#include "res/Messages.h"

#include <QApplication>
#include <QFileInfo>
#include <QPlainTextDocumentLayout>
#include <QTextDocument>

QString DocumentText(const QTextDocument *doc)
{
    return doc->toRawText().replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
}

COrrindaleDoc::COrrindaleDoc(AppContext &context, QObject *parent)
    : QObject(parent)
    , m_context(context)
    , m_text(new QTextDocument(this))
    , m_bBackup(ReadSetting(*context.store, Keys::Backup))
    , m_bEnglish(ReadSetting(*context.store, Keys::English))
{
    m_text->setDocumentLayout(new QPlainTextDocumentLayout(m_text));
    // The program keeps its own history of the text; the widget's would double the memory.
    m_text->setUndoRedoEnabled(false);
    connect(m_text, &QTextDocument::contentsChange, this, [this](int, int removed, int added) {
        if (!m_bSettingText && (removed || added))
            SetModifiedFlag(true);
    });
    m_strTitle = MsgText(Msg::UntitledTitle, m_bEnglish);
}

void COrrindaleDoc::SetModifiedFlag(bool modified)
{
    if (m_bModified == modified)
        return;
    m_bModified = modified;
    Q_EMIT ModifiedChanged(modified);
}

void COrrindaleDoc::SetText(const QString &text)
{
    m_bSettingText = true;
    m_text->setPlainText(text);
    m_bSettingText = false;
}

void COrrindaleDoc::SetFiles(const DocumentFiles &files)
{
    if (files == m_files)
        return;
    m_files = files;
    Q_EMIT FilesChanged();
}

void COrrindaleDoc::SetAnotherFile(const QString &another)
{
    if (another.isEmpty())
        DeleteAnotherFile(*m_context.store, m_strPath);
    else
        WriteAnotherFile(*m_context.store, m_strPath, another);
    // Kept for an untitled text too, until it gets a name.
    SetFiles(DocumentFiles::Of(m_strPath, another));
}

void COrrindaleDoc::SetPathName(const QString &path)
{
    m_strPath = path;
    SetFiles(DocumentFiles::Read(*m_context.store, m_strPath));
    m_strTitle =
        path.isEmpty() ? MsgText(Msg::UntitledTitle, m_bEnglish) : QFileInfo(path).fileName();
    if (!path.isEmpty())
        AddToRecentFileList(path);
    Q_EMIT TitleChanged();
}

void COrrindaleDoc::AddToRecentFileList(const QString &path)
{
    QStringList files;
    for (int i = 1; i <= Keys::RecentFileCount; ++i) {
        const QString f = m_context.store->GetString(QString::fromLatin1(Sections::RecentFiles),
                                                     RecentFileKey(i));
        if (f.isEmpty())
            break;
        files << f;
    }
    files.removeAll(path);
    files.prepend(path);
    while (files.size() > Keys::RecentFileCount)
        files.removeLast();
    for (int i = 0; i < files.size(); ++i)
        m_context.store->WriteString(QString::fromLatin1(Sections::RecentFiles),
                                     RecentFileKey(i + 1), files[i]);
}

bool COrrindaleDoc::OnNewDocument(const QString &path)
{
    SetText(QString());
    m_strEncoding.clear();
    m_stamp = {};
    SetPathName(path);
    SetModifiedFlag(false);
    return true;
}

bool COrrindaleDoc::OnOpenDocument(const QString &path)
{
    const LoadResult loaded = LoadTextFile(path);
    if (loaded.error != LoadError::None) {
        m_context.prompter->Notice(LoadErrorMessage(loaded, path, m_bEnglish),
                                   MsgIcon::Exclamation);
        return false;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    SetText(loaded.text);
    QApplication::restoreOverrideCursor();
    m_strEncoding = loaded.encoding;
    m_stamp = loaded.stamp;
    SetPathName(path);
    SetModifiedFlag(false);
    m_tFileTime = loaded.modifiedTime;
    return true;
}

bool COrrindaleDoc::OnSaveDocument(const QString &path)
{
    WriteOptions options;
    if (path != m_strPath) {
        // A new name: no backup; the views prepare themselves for the new file.
        SetPathName(path);
        m_stamp = {};
        UpdateAllViews(Hint::NewFile);
    } else {
        options.makeBackup = m_bBackup != 0;
        options.known = m_stamp;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const WriteResult result = SaveTextFile(path, DocumentText(m_text), options);
    QApplication::restoreOverrideCursor();
    if (result.error != WriteError::None) {
        m_context.prompter->Notice(SaveErrorMessage(result, path, m_bEnglish), MsgIcon::Stop);
        return false;
    }
    if (result.backupFailed) // ownerless, with the system's caption
        m_context.prompter->Message(
            {MsgText(Msg::BackupFailed, m_bEnglish), QString(), MsgButtons::Ok, MsgIcon::None, 0});
    // The file now holds the text as it is: that snapshot is the unmodified one.
    UpdateAllViews(Hint::Saved);
    m_stamp = result.stamp;
    m_strEncoding = QStringLiteral("UTF-8");
    SetModifiedFlag(false);
    m_tFileTime = FileTimeOf(path);
    return true;
}

bool COrrindaleDoc::DoFileSave()
{
    if (m_strPath.isEmpty())
        return DoSaveAs();
    return OnSaveDocument(m_strPath);
}

bool COrrindaleDoc::SaveEnglish()
{
    if (m_strTitle == MsgText(Msg::UntitledTitle, m_bEnglish))
        return DoSaveAs();
    const bool ok = OnSaveDocument(m_strPath);
    if (QFileInfo::exists(m_strPath))
        m_tFileTime = FileTimeOf(m_strPath);
    return ok;
}

bool COrrindaleDoc::DoSaveAs()
{
    QString initial = m_strPath;
    if (initial.isEmpty())
        initial = m_strTitle;
    const QString path =
        m_context.prompter->SaveFileName(MsgText(Msg::AllFilesFilter, m_bEnglish), initial);
    if (path.isEmpty())
        return false;
    const bool ok = OnSaveDocument(QFileInfo(path).absoluteFilePath());
    if (QFileInfo::exists(m_strPath))
        m_tFileTime = FileTimeOf(m_strPath);
    return ok;
}

bool COrrindaleDoc::SaveModified()
{
    if (!m_bModified)
        return true;
    const QString name = m_strPath.isEmpty() ? m_strTitle : m_strPath;
    const MsgAnswer answer = m_context.prompter->Ask(MsgText(Msg::AskToSave, m_bEnglish).arg(name),
                                                     MsgButtons::YesNoCancel, MsgIcon::Exclamation);
    if (answer == MsgAnswer::Cancel)
        return false;
    if (answer == MsgAnswer::No)
        return true;
    return DoFileSave();
}

void COrrindaleDoc::ShowUnsavedText(const QString &path, const QString &text)
{
    SetText(text);
    m_strEncoding.clear();
    m_stamp = {};
    SetPathName(path);
    SetModifiedFlag(true);
}

void COrrindaleDoc::ToggleBackupMode()
{
    m_bBackup = m_bBackup ? 0 : 1;
    WriteSetting(*m_context.store, Keys::Backup, m_bBackup);
}

void COrrindaleDoc::AddView(COrrindaleView *view)
{
    if (m_views.contains(view))
        return;
    m_views.append(view);
    // One connection per view, made in list order, so that hints arrive in that order too.
    m_viewConnections.insert(view, connect(this, &COrrindaleDoc::Update, view,
                                           [view](Hint hint, COrrindaleView *pSender) {
                                               if (pSender != view)
                                                   view->OnUpdate(hint);
                                           }));
    m_viewConnections.insert(
        view, connect(view, &QObject::destroyed, this, [this, view] { RemoveView(view); }));
}

void COrrindaleDoc::RemoveView(COrrindaleView *view)
{
    m_views.removeAll(view);
    for (const QMetaObject::Connection &c : m_viewConnections.values(view))
        disconnect(c);
    m_viewConnections.remove(view);
}

void COrrindaleDoc::UpdateAllViews(Hint hint, COrrindaleView *pSender)
{
    Q_EMIT Update(hint, pSender);
}
