#pragma once

#include "app/ui/COrrindaleDoc.h" // DocumentText
#include "view/UndoHistory.h"

#include <QObject>

class COrrindaleView;
class QTextDocument;

// Makes the document's text target by one edit of the range where the two differ, so the
// widget relays out only that range.
void ReplaceDocumentText(QTextDocument *doc, const QString &current, const QString &target);

// The undo state of one text: its history and the range changed since the current snapshot.
// Panes over the same text share it, so one change is one snapshot whichever pane shows it.
class CUndoRecord : public QObject {
    Q_OBJECT
public:
    // The record of doc, made with snapshot 0 of its present text on first use.
    static CUndoRecord *Of(QTextDocument *doc);

    UndoHistory history;
    bool changed = false;
    int changedFrom = 0; // present positions
    int changedTo = 0;
    bool restoring = false;
    int openGroups = 0; // compound edits under way: their single changes record nothing

    void ResetChanges();

private:
    explicit CUndoRecord(QTextDocument *doc);
    void OnContentsChange(int position, int removed, int added);
    QTextDocument *m_pDoc;
};

// One compound edit, one undo step. While a group is open on a text, its changes record no
// snapshots of their own; when the outermost group ends, the pane records the one snapshot,
// or leaves it to the caller (a whole-text replacement records it through its update hint).
class CUndoGroup {
public:
    enum class End {
        Snapshot,
        CallerRecords
    };
    explicit CUndoGroup(COrrindaleView *view, End end = End::Snapshot);
    ~CUndoGroup();
    CUndoGroup(const CUndoGroup &) = delete;
    CUndoGroup &operator=(const CUndoGroup &) = delete;

private:
    COrrindaleView *m_pView;
    CUndoRecord *m_pRecord;
    End m_end;
};

// Ties one pane to the undo record of its text: records a snapshot for each change the pane
// makes, and steps back and forward by editing only the range that differs.
class CUndoController : public QObject {
    Q_OBJECT
public:
    explicit CUndoController(COrrindaleView *view);

    // Snapshot 0 of the text shown now (a second pane over the same text keeps the history).
    void Start();
    void PushSnapshot();
    void Undo();
    void Redo();
    bool CanUndo() const;
    bool CanRedo() const;
    // The file was just saved: the current snapshot is the saved state.
    void MarkSaved();
    // The whole text was replaced (Replace All and the like): one snapshot, text modified.
    void OnWholeTextReplaced();
    // The program rewrites the text (a .zel file's settings line): no change of the person's,
    // so the current snapshot takes it in place and Undo steps over it.
    void RewriteText(const QString &target);

    const UndoHistory &History() const { return Record()->history; }
    // The pane whose edits these are: the one with the focus, else the one that had it last.
    bool IsEditingPane() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void OnTextChanged();
    void OnSelectionChanged();
    void OnFocusGained();
    void Show(const UndoStep &step);
    void SetDocumentModified(bool modified);
    bool HasUnrecordedChange() const;
    CUndoController *Sibling() const;
    CUndoRecord *Record() const;

    COrrindaleView *m_pView;
    bool m_bActive = true;
    bool m_bEraseKeyDown = false;
};
