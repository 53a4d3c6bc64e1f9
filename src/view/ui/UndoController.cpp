#include "view/ui/UndoController.h"

#include "app/ui/COrrindaleDoc.h"
#include "app/ui/COrrindaleView.h"

#include <QKeyEvent>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QSplitter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {
// Set on the shared text while a pane puts a snapshot back, so that no pane records it.
constexpr const char *kRestoringProperty = "velloquinRestoringUndo";

QString TextOfRange(QTextDocument *doc, int from, int to)
{
    QTextCursor c(doc);
    c.setPosition(from);
    c.setPosition(to, QTextCursor::KeepAnchor);
    return c.selectedText().replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
}

int TextLength(const QTextDocument *doc)
{
    return doc->characterCount() - 1;
}
} // namespace

QString DocumentText(const QTextDocument *doc)
{
    return doc->toRawText().replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
}

void ReplaceDocumentText(QTextDocument *doc, const QString &current, const QString &target)
{
    UndoHistory diff(2);
    diff.Start(current, 0, 0);
    diff.Push(target, 0, 0, 0);
    const std::optional<UndoStep> back = diff.Undo(0, 0);
    // Undoing gives the edit from target to current; the forward edit is its mirror.
    const TextEdit &e = back->edit;
    if (e.removed.isEmpty() && e.inserted.isEmpty())
        return;
    QTextCursor c(doc);
    c.setPosition(e.position);
    c.setPosition(e.position + static_cast<int>(e.inserted.size()), QTextCursor::KeepAnchor);
    c.insertText(e.removed);
}

CUndoController::CUndoController(COrrindaleView *view)
    : QObject(view)
    , m_pView(view)
{
    // The history always starts from the text as it is, so that every later edit fits it.
    Start();
    connect(view->document(), &QTextDocument::contentsChange, this,
            &CUndoController::OnContentsChange);
    connect(view, &QPlainTextEdit::textChanged, this, &CUndoController::OnTextChanged);
    connect(view, &QPlainTextEdit::selectionChanged, this, &CUndoController::OnSelectionChanged);
    connect(view, &COrrindaleView::FocusGained, this, &CUndoController::OnFocusGained);
    view->installEventFilter(this);
}

void CUndoController::Start()
{
    const QTextCursor c = m_pView->textCursor();
    m_history.Start(DocumentText(m_pView->document()), c.selectionStart(), c.selectionEnd());
    m_pView->m_bRecordUndo = 1;
    ResetChanges();
}

void CUndoController::ResetChanges()
{
    m_bChanged = false;
    m_nChangedFrom = m_nChangedTo = 0;
}

void CUndoController::OnContentsChange(int position, int removed, int added)
{
    if (removed == 0 && added == 0)
        return;
    if (!m_bChanged && removed == added) {
        // A change of format only (the widget reports one before it inserts a line break).
        const int length = TextLength(m_pView->document());
        const QString &current = m_history.CurrentText();
        if (length == current.size()
            && TextOfRange(m_pView->document(), position, std::min(position + added, length))
                   == QStringView(current).mid(position, std::min<qsizetype>(removed, current.size() - position)))
            return;
    }
    if (!m_bChanged) {
        m_bChanged = true;
        m_nChangedFrom = position;
        m_nChangedTo = position + added;
        return;
    }
    // Move the end of the known range with the edit, then take in the edited range.
    int to = m_nChangedTo;
    if (to > position)
        to = to >= position + removed ? to + added - removed : position + added;
    m_nChangedFrom = std::min(m_nChangedFrom, position);
    m_nChangedTo = std::max(to, position + added);
}

bool CUndoController::Restoring() const
{
    return m_bRestoring || m_pView->document()->property(kRestoringProperty).toBool();
}

CUndoController *CUndoController::Sibling() const
{
    auto *splitter = qobject_cast<QSplitter *>(m_pView->parentWidget());
    if (!splitter)
        return nullptr;
    for (int i = 0; i < splitter->count(); ++i) {
        auto *pane = qobject_cast<COrrindaleView *>(splitter->widget(i));
        if (pane && pane != m_pView && pane->document() == m_pView->document())
            return pane->UndoController();
    }
    return nullptr;
}

bool CUndoController::IsEditingPane() const
{
    if (m_pView->hasFocus())
        return true;
    const CUndoController *sibling = Sibling();
    if (!sibling)
        return true;
    if (sibling->m_pView->hasFocus())
        return false;
    if (m_bActive != sibling->m_bActive)
        return m_bActive;
    // Neither pane has had the focus yet: the first pane edits.
    auto *splitter = qobject_cast<QSplitter *>(m_pView->parentWidget());
    return splitter->indexOf(m_pView) < splitter->indexOf(sibling->m_pView);
}

void CUndoController::OnFocusGained()
{
    m_bActive = true;
    if (CUndoController *sibling = Sibling()) {
        sibling->m_bActive = false;
        // The pane with the longer history gives it to the other.
        if (sibling->m_history.TopIndex() > m_history.TopIndex())
            sibling->CopyTo(this);
        else if (sibling->m_history.Revision() != m_history.Revision()
                 || sibling->m_history.TopIndex() < m_history.TopIndex())
            CopyTo(sibling);
    }
}

void CUndoController::SyncSibling()
{
    CUndoController *sibling = Sibling();
    if (!sibling)
        return;
    if (sibling->m_history.TopIndex() > m_history.TopIndex())
        sibling->CopyTo(this);
    else
        CopyTo(sibling);
}

void CUndoController::CopyTo(CUndoController *other) const
{
    if (!other || other == this)
        return;
    other->m_history = m_history;
    other->m_bChanged = m_bChanged;
    other->m_nChangedFrom = m_nChangedFrom;
    other->m_nChangedTo = m_nChangedTo;
    other->m_pView->m_bRecordUndo = m_pView->m_bRecordUndo;
    if (other->m_pView->document() != m_pView->document()) {
        // A pane over another text (the log pane) cannot follow this text's edits: its own
        // text differs from the copied snapshot in full.
        other->m_bChanged = true;
        other->m_nChangedFrom = 0;
        other->m_nChangedTo = TextLength(other->m_pView->document());
    }
}

bool CUndoController::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_pView && (event->type() == QEvent::KeyPress
                               || event->type() == QEvent::KeyRelease)) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Backspace || key == Qt::Key_Delete)
            m_bEraseKeyDown = event->type() == QEvent::KeyPress;
    }
    return QObject::eventFilter(watched, event);
}

void CUndoController::OnSelectionChanged()
{
    // A selection is remembered while it exists, so that typing over it or cutting it is
    // recognised by the change that follows.
    const QTextCursor c = m_pView->textCursor();
    if (!c.hasSelection() || Restoring() || !IsEditingPane())
        return;
    m_history.StoreSelection(m_pView->FirstVisibleLine(), c.selectionStart(), c.selectionEnd());
}

void CUndoController::OnTextChanged()
{
    if (!m_bChanged || Restoring() || !IsEditingPane())
        return;
    if (m_pView->GetDocument()->IsSettingText())
        return; // a file being read in: its snapshot 0 follows
    const int index = m_history.CurrentIndex();
    const int storedStart = m_history.SelStartAt(index);
    const bool storedSelection = storedStart != m_history.SelEndAt(index);
    // Typing over a selection or cutting it passes through a state with the selection gone;
    // that state is not a snapshot of its own.
    if (m_pView->textCursor().selectionEnd() == storedStart && storedSelection
        && !m_bEraseKeyDown)
        return;
    if (m_pView->m_bRecordUndo)
        PushSnapshot();
}

void CUndoController::PushSnapshot()
{
    QTextDocument *doc = m_pView->document();
    const QTextCursor c = m_pView->textCursor();
    const int top = m_pView->FirstVisibleLine();
    const int length = TextLength(doc);
    const int delta = length - static_cast<int>(m_history.CurrentText().size());
    const int to = std::min(m_nChangedTo, length);
    const int oldTo = to - delta;
    const int from = m_nChangedFrom;
    bool recorded = false;
    if (!m_bChanged) {
        if (delta == 0)
            recorded = m_history.PushEdit(TextEdit{}, top, c.selectionStart(), c.selectionEnd());
    } else if (from >= 0 && from <= to && from <= oldTo
               && oldTo <= static_cast<int>(m_history.CurrentText().size())) {
        const TextEdit edit{from, m_history.CurrentText().mid(from, oldTo - from),
                            TextOfRange(doc, from, to)};
        recorded = m_history.PushEdit(edit, top, c.selectionStart(), c.selectionEnd());
    }
    if (!recorded)
        m_history.Push(DocumentText(doc), top, c.selectionStart(), c.selectionEnd());
    ResetChanges();
    m_pView->GetDocument()->SetModifiedFlag(true);
    m_pView->viewport()->update();
    SyncSibling();
}

void CUndoController::Show(const UndoStep &step)
{
    QTextDocument *doc = m_pView->document();
    const QScopedValueRollback<bool> guard(m_bRestoring, true);
    doc->setProperty(kRestoringProperty, true);
    const TextEdit &e = step.edit;
    const int shownLength = static_cast<int>(m_history.CurrentText().size() - e.inserted.size()
                                             + e.removed.size());
    if (!m_bChanged && TextLength(doc) == shownLength) {
        if (!e.removed.isEmpty() || !e.inserted.isEmpty()) {
            QTextCursor c(doc);
            c.setPosition(e.position);
            c.setPosition(e.position + static_cast<int>(e.removed.size()), QTextCursor::KeepAnchor);
            c.insertText(e.inserted);
        }
    } else {
        // The text moved on from the current snapshot without a snapshot of its own.
        ReplaceDocumentText(doc, DocumentText(doc), m_history.CurrentText());
    }
    doc->setProperty(kRestoringProperty, false);
    ResetChanges();
    const int last = TextLength(doc);
    m_pView->ScrollToLine(step.topLine);
    QTextCursor c = m_pView->textCursor();
    c.setPosition(std::clamp(step.selStart, 0, last));
    c.setPosition(std::clamp(step.selEnd, 0, last), QTextCursor::KeepAnchor);
    m_pView->setTextCursor(c);
    m_pView->ensureCursorVisible();
    m_pView->GetDocument()->SetModifiedFlag(!step.saved);
    SyncSibling();
}

void CUndoController::Undo()
{
    const QTextCursor c = m_pView->textCursor();
    if (const std::optional<UndoStep> step = m_history.Undo(c.selectionStart(), c.selectionEnd()))
        Show(*step);
}

void CUndoController::Redo()
{
    if (const std::optional<UndoStep> step = m_history.Redo())
        Show(*step);
}

bool CUndoController::CanUndo() const
{
    return m_history.CanUndo() && !m_pView->isReadOnly();
}

bool CUndoController::CanRedo() const
{
    return m_history.CanRedo() && !m_pView->isReadOnly();
}

void CUndoController::MarkSaved()
{
    m_history.MarkSaved();
}

void CUndoController::OnWholeTextReplaced()
{
    if (!IsEditingPane())
        return; // the pane that made the change records it and hands the history over
    PushSnapshot();
    m_pView->GetDocument()->SetModifiedFlag(true);
}
