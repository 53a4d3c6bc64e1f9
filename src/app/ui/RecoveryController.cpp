#include "app/ui/RecoveryController.h"

#include "app/FileWriter.h"
#include "app/Prompter.h"
#include "app/Recovery.h"
#include "app/ui/AppContext.h"
#include "app/ui/COrrindaleDoc.h"
#include "app/ui/COrrindaleView.h"
#include "res/Messages.h"
#include "view/ui/UndoController.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextDocument>

namespace {
// The text as the undo history holds it: a shared copy, so that taking it costs nothing on
// this thread however large the document is.
QString TextNow(QTextDocument *doc)
{
    const CUndoRecord *record = CUndoRecord::Of(doc);
    return record->changed ? DocumentText(doc) : record->history.CurrentText();
}
} // namespace

CRecoveryController::CRecoveryController(COrrindaleDoc &doc, AppContext &context, QObject *parent)
    : QObject(parent)
    , m_doc(doc)
    , m_context(context)
    , m_strFolder(context.recoveryDir)
{
    m_writer.setMaxThreadCount(1);
    m_pause.setSingleShot(true);
    connect(&m_pause, &QTimer::timeout, this, &CRecoveryController::WriteNow);
    if (m_strFolder.isEmpty())
        return;
    connect(doc.TextDocument(), &QTextDocument::contentsChanged, this,
            &CRecoveryController::OnTextChanged);
    connect(&doc, &COrrindaleDoc::ModifiedChanged, this, &CRecoveryController::OnModifiedChanged);
}

CRecoveryController::~CRecoveryController()
{
    // The window ends the normal way: its text was saved or given up.
    m_writer.waitForDone();
    RemoveCopy();
}

void CRecoveryController::OnTextChanged()
{
    if (m_doc.IsSettingText())
        return;
    if (!m_pause.isActive())
        m_waiting.start();
    if (m_waiting.elapsed() < LongestWaitMs - PauseMs)
        m_pause.start(PauseMs);
}

void CRecoveryController::WriteNow()
{
    m_pause.stop();
    if (m_strFolder.isEmpty() || !m_doc.IsModified())
        return;
    if (m_bWriting) {
        m_bWriteAgain = true;
        return;
    }
    if (!m_lock) {
        QDir().mkpath(m_strFolder);
        m_strCopy = NewRecoveryCopyName(m_strFolder);
        m_lock = TakeRecoveryCopy(m_strCopy);
        if (!m_lock)
            return;
    }
    m_bWriting = true;
    m_bRemoveAfterWrite = false;
    m_writer.start([this, copy = m_strCopy, path = m_doc.PathName(),
                    text = TextNow(m_doc.TextDocument())]() mutable {
        // An own copy at once: while the text is shared, the next keystroke would copy it on
        // the editor's thread.
        const QString own(text.constData(), text.size());
        text = QString();
        WriteFileSafely(copy, RecoveryBytes(path, own));
        QMetaObject::invokeMethod(this, &CRecoveryController::OnWritten, Qt::QueuedConnection);
    });
}

void CRecoveryController::WaitForWrites()
{
    m_writer.waitForDone();
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}

void CRecoveryController::OnWritten()
{
    m_bWriting = false;
    if (m_bRemoveAfterWrite || !m_doc.IsModified()) {
        RemoveCopy();
    } else if (m_bWriteAgain) {
        m_bWriteAgain = false;
        WriteNow();
    }
}

void CRecoveryController::OnModifiedChanged(bool modified)
{
    if (modified)
        return;
    m_pause.stop();
    m_bWriteAgain = false;
    // A write under way would bring the copy back after its removal.
    if (m_bWriting)
        m_bRemoveAfterWrite = true;
    else
        RemoveCopy();
}

void CRecoveryController::RemoveCopy()
{
    if (!m_strCopy.isEmpty())
        QFile::remove(m_strCopy);
}

void CRecoveryController::OfferCopies(const QString &path)
{
    if (m_strFolder.isEmpty())
        return;
    const bool english = m_context.appEnglish != 0;
    for (OfferedCopy &copy : RecoveryCopiesFor(m_strFolder, path)) {
        const RecoveryText kept = ReadRecoveryCopy(copy.file);
        if (!kept.ok) {
            // Kept as it is: the person may still get something out of it by hand.
            m_context.prompter->Notice(MsgText(Msg::RecoveryUnreadable, english)
                                           .arg(QDir::toNativeSeparators(copy.file), kept.detail),
                                       MsgIcon::Exclamation);
            continue;
        }
        const QString name = path.isEmpty() ? m_doc.Title() : QDir::toNativeSeparators(path);
        const QString when =
            QFileInfo(copy.file).lastModified().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        if (m_context.prompter->Ask(MsgText(Msg::RecoveryQuestion, english).arg(name, when),
                                    MsgButtons::YesNo, MsgIcon::Question)
            != MsgAnswer::Yes) {
            QFile::remove(copy.file);
            continue;
        }
        // One step on top of the file's text: Undo goes back to what is on disk.
        QTextDocument *doc = m_doc.TextDocument();
        COrrindaleView *editor = m_doc.Views().value(0);
        {
            CUndoGroup group(editor, CUndoGroup::End::CallerRecords);
            ReplaceDocumentText(doc, DocumentText(doc), kept.text);
        }
        m_doc.UpdateAllViews(Hint::ReplaceAll);
        m_doc.SetModifiedFlag(true);
        // The copy is this window's own from now on.
        RemoveCopy();
        m_strCopy = copy.file;
        m_lock = std::move(copy.lock);
        return;
    }
}
