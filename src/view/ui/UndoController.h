#pragma once

#include "view/UndoHistory.h"

#include <QObject>

class COrrindaleView;
class QTextDocument;

// The text of a document as the program keeps it: "\n" between lines, every other character
// as it is.
QString DocumentText(const QTextDocument *doc);
// Makes the document's text target by one edit of the range where the two differ, so the
// widget relays out only that range.
void ReplaceDocumentText(QTextDocument *doc, const QString &current, const QString &target);

// Ties one pane's undo history to its widget: records a snapshot for each change of the text,
// steps back and forward by editing only the range that differs, and keeps the history of a
// second pane over the same text in step.
class CUndoController : public QObject {
    Q_OBJECT
public:
    explicit CUndoController(COrrindaleView *view);

    // Snapshot 0 of the text shown now.
    void Start();
    void PushSnapshot();
    void Undo();
    void Redo();
    bool CanUndo() const;
    bool CanRedo() const;
    // The file was just saved with a backup: the current snapshot is the saved state.
    void MarkSaved();
    // The whole text was replaced (Replace All and the like): one snapshot, text modified.
    void OnWholeTextReplaced();
    void CopyTo(CUndoController *other) const;

    const UndoHistory &History() const { return m_history; }
    // The pane whose edits this is: the one with the focus, else the one that had it last.
    bool IsEditingPane() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void OnContentsChange(int position, int removed, int added);
    void OnTextChanged();
    void OnSelectionChanged();
    void OnFocusGained();
    void Show(const UndoStep &step);
    void ResetChanges();
    void SyncSibling();
    CUndoController *Sibling() const;
    bool Restoring() const;

    COrrindaleView *m_pView;
    UndoHistory m_history;
    // The range of the text changed since the current snapshot, in present positions.
    bool m_bChanged = false;
    int m_nChangedFrom = 0;
    int m_nChangedTo = 0;
    bool m_bActive = true;
    bool m_bEraseKeyDown = false;
    bool m_bRestoring = false;
};
