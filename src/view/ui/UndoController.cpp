#include "view/ui/UndoController.h"

#include "app/ui/COrrindaleDoc.h"
#include "app/ui/COrrindaleView.h"
#include "app/ui/CPaneSplitter.h"
#include "view/ui/ViewNavigator.h"

#include <QKeyEvent>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {
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

CUndoRecord::CUndoRecord(QTextDocument *doc)
    : QObject(doc)
    , m_pDoc(doc)
{
    setObjectName(QStringLiteral("undoRecord"));
    history.Start(DocumentText(doc), 0, 0);
    connect(doc, &QTextDocument::contentsChange, this, &CUndoRecord::OnContentsChange);
}

CUndoRecord *CUndoRecord::Of(QTextDocument *doc)
{
    if (auto *record = doc->findChild<CUndoRecord *>(QString(), Qt::FindDirectChildrenOnly))
        return record;
    return new CUndoRecord(doc);
}

void CUndoRecord::ResetChanges()
{
    changed = false;
    changedFrom = changedTo = 0;
}

void CUndoRecord::OnContentsChange(int position, int removed, int added)
{
    if (removed == 0 && added == 0)
        return;
    if (!changed && removed == added) {
        // A change of format only (the widget reports one before it inserts a line break).
        const int length = TextLength(m_pDoc);
        const QString &current = history.CurrentText();
        if (length == current.size() && position <= length
            && TextOfRange(m_pDoc, position, std::min(position + added, length))
                   == QStringView(current).mid(position, std::min(removed, length - position)))
            return;
    }
    if (!changed) {
        changed = true;
        changedFrom = position;
        changedTo = position + added;
        return;
    }
    // Move the end of the known range with the edit, then take in the edited range.
    int to = changedTo;
    if (to > position)
        to = to >= position + removed ? to + added - removed : position + added;
    changedFrom = std::min(changedFrom, position);
    changedTo = std::max(to, position + added);
}

CUndoController::CUndoController(COrrindaleView *view)
    : QObject(view)
    , m_pView(view)
{
    Record();
    connect(view, &QPlainTextEdit::textChanged, this, &CUndoController::OnTextChanged);
    connect(view, &QPlainTextEdit::selectionChanged, this, &CUndoController::OnSelectionChanged);
    // Scrolling with a selection moves the first line the snapshot comes back with.
    connect(view->verticalScrollBar(), &QScrollBar::valueChanged, this,
            &CUndoController::OnSelectionChanged);
    connect(view, &COrrindaleView::FocusGained, this, &CUndoController::OnFocusGained);
    view->installEventFilter(this);
}

CUndoRecord *CUndoController::Record() const
{
    return CUndoRecord::Of(m_pView->document());
}

void CUndoController::Start()
{
    // A pane added beside the editing one shows the same text and keeps its history.
    if (!IsEditingPane())
        return;
    CUndoRecord *record = Record();
    const QTextCursor c = m_pView->textCursor();
    record->history.Start(DocumentText(m_pView->document()), c.selectionStart(), c.selectionEnd());
    record->ResetChanges();
}

CUndoController *CUndoController::Sibling() const
{
    const COrrindaleView *pane = OtherPane(*m_pView);
    return pane && pane->document() == m_pView->document() ? pane->UndoController() : nullptr;
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
    return m_pView->Panes()->Pane(0) == m_pView;
}

void CUndoController::OnFocusGained()
{
    m_bActive = true;
    if (CUndoController *sibling = Sibling())
        sibling->m_bActive = false;
}

bool CUndoController::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_pView
        && (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Backspace || key == Qt::Key_Delete)
            m_bEraseKeyDown = event->type() == QEvent::KeyPress;
    } else if (watched == m_pView && event->type() == QEvent::FocusOut) {
        m_bEraseKeyDown = false; // its release goes to another window
    }
    return QObject::eventFilter(watched, event);
}

void CUndoController::OnSelectionChanged()
{
    // A selection is remembered while it exists, so that typing over it or cutting it is
    // recognised by the change that follows.
    const QTextCursor c = m_pView->textCursor();
    CUndoRecord *record = Record();
    if (!c.hasSelection() || record->restoring || !IsEditingPane())
        return;
    record->history.StoreSelection(m_pView->FirstVisibleLine(), c.selectionStart(),
                                   c.selectionEnd());
}

void CUndoController::OnTextChanged()
{
    CUndoRecord *record = Record();
    if (!record->changed || record->restoring || !IsEditingPane())
        return;
    if (m_pView->GetDocument()->IsSettingText())
        return; // a file being read in: its snapshot 0 follows
    const UndoHistory &history = record->history;
    const int index = history.CurrentIndex();
    const int storedStart = history.SelStartAt(index);
    const bool storedSelection = storedStart != history.SelEndAt(index);
    // Typing over a selection or cutting it passes through a state with the selection gone;
    // that state is not a snapshot of its own. An input method's composition takes the
    // selection away when it starts, and the widget reports that together with a change of
    // the line's layout, so the caret standing where the selection began is what tells.
    if (m_pView->textCursor().selectionEnd() == storedStart && storedSelection && !m_bEraseKeyDown)
        return;
    if (record->openGroups == 0)
        PushSnapshot();
}

void CUndoController::PushSnapshot()
{
    CUndoRecord *record = Record();
    UndoHistory &history = record->history;
    QTextDocument *doc = m_pView->document();
    const QTextCursor c = m_pView->textCursor();
    const int top = m_pView->FirstVisibleLine();
    const int length = TextLength(doc);
    const int currentLength = static_cast<int>(history.CurrentText().size());
    const int to = std::min(record->changedTo, length);
    const int oldTo = to - (length - currentLength);
    const int from = record->changedFrom;
    bool recorded = false;
    if (!record->changed) {
        if (length == currentLength)
            recorded = history.PushEdit(TextEdit{}, top, c.selectionStart(), c.selectionEnd());
    } else if (from >= 0 && from <= to && from <= oldTo && oldTo <= currentLength) {
        const TextEdit edit{from, history.CurrentText().mid(from, oldTo - from),
                            TextOfRange(doc, from, to)};
        recorded = history.PushEdit(edit, top, c.selectionStart(), c.selectionEnd());
    }
    if (!recorded)
        history.Push(DocumentText(doc), top, c.selectionStart(), c.selectionEnd());
    record->ResetChanges();
    SetDocumentModified(true);
    m_pView->viewport()->update();
}

void CUndoController::Show(const UndoStep &step)
{
    CUndoRecord *record = Record();
    QTextDocument *doc = m_pView->document();
    // Nothing here is an edit or a selection of the person's own.
    const QScopedValueRollback<bool> guard(record->restoring, true);
    const TextEdit &e = step.edit;
    const qsizetype shown =
        record->history.CurrentText().size() - e.inserted.size() + e.removed.size();
    if (!record->changed && TextLength(doc) == shown) {
        if (!e.removed.isEmpty() || !e.inserted.isEmpty()) {
            QTextCursor c(doc);
            c.setPosition(e.position);
            c.setPosition(e.position + static_cast<int>(e.removed.size()), QTextCursor::KeepAnchor);
            c.insertText(e.inserted);
        }
    } else {
        // The text moved on from the current snapshot without a snapshot of its own.
        ReplaceDocumentText(doc, DocumentText(doc), record->history.CurrentText());
    }
    record->ResetChanges();
    const int last = TextLength(doc);
    m_pView->ScrollToLine(step.topLine);
    QTextCursor c = m_pView->textCursor();
    c.setPosition(std::clamp(step.selStart, 0, last));
    c.setPosition(std::clamp(step.selEnd, 0, last), QTextCursor::KeepAnchor);
    m_pView->setTextCursor(c);
    m_pView->ensureCursorVisible();
    SetDocumentModified(!step.saved);
}

void CUndoController::SetDocumentModified(bool modified)
{
    // A log pane's text is not the document's: editing it never makes the file need saving.
    if (!m_pView->IsLogPane())
        m_pView->GetDocument()->SetModifiedFlag(modified);
}

bool CUndoController::HasUnrecordedChange() const
{
    const CUndoRecord *record = Record();
    if (!record->changed)
        return false;
    QTextDocument *doc = m_pView->document();
    const QString &current = record->history.CurrentText();
    const int length = TextLength(doc);
    if (length != current.size())
        return true;
    const int from = std::clamp(record->changedFrom, 0, length);
    const int to = std::clamp(record->changedTo, from, length);
    return TextOfRange(doc, from, to) != QStringView(current).mid(from, to - from);
}

void CUndoController::Undo()
{
    // A change that passed without a snapshot (typing where a selection had been) becomes
    // one first, so that Undo takes back that change and Undo Forward brings it again.
    if (HasUnrecordedChange() && !m_pView->isReadOnly())
        PushSnapshot();
    const QTextCursor c = m_pView->textCursor();
    if (const std::optional<UndoStep> step =
            Record()->history.Undo(c.selectionStart(), c.selectionEnd()))
        Show(*step);
}

void CUndoController::Redo()
{
    if (const std::optional<UndoStep> step = Record()->history.Redo())
        Show(*step);
}

bool CUndoController::CanUndo() const
{
    return (History().CanUndo() || HasUnrecordedChange()) && !m_pView->isReadOnly();
}

bool CUndoController::CanRedo() const
{
    return History().CanRedo() && !m_pView->isReadOnly();
}

void CUndoController::MarkSaved()
{
    // The file holds the text as it is now. A change still without a snapshot of its own gets
    // one first, or the mark would go to an older text and Undo would call that one saved.
    if (IsEditingPane() && HasUnrecordedChange() && !m_pView->isReadOnly())
        PushSnapshot();
    Record()->history.MarkSaved();
}

void CUndoController::OnWholeTextReplaced()
{
    if (!IsEditingPane())
        return; // the pane that made the change records it for both
    PushSnapshot();
    SetDocumentModified(true);
}

void CUndoController::RewriteText(const QString &target)
{
    // A change of the person's still without a snapshot keeps a step of its own.
    if (HasUnrecordedChange() && !m_pView->isReadOnly())
        PushSnapshot();
    CUndoRecord *record = Record();
    QTextDocument *doc = m_pView->document();
    {
        const CUndoGroup group(m_pView, CUndoGroup::End::CallerRecords);
        ReplaceDocumentText(doc, DocumentText(doc), target);
    }
    record->history.Amend(target);
    record->ResetChanges();
}

CUndoGroup::CUndoGroup(COrrindaleView *view, End end)
    : m_pView(view)
    , m_pRecord(CUndoRecord::Of(view->document()))
    , m_end(end)
{
    ++m_pRecord->openGroups;
}

CUndoGroup::~CUndoGroup()
{
    if (--m_pRecord->openGroups == 0 && m_end == End::Snapshot)
        m_pView->PushUndoSnapshot();
}
