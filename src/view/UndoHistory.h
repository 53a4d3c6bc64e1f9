#pragma once

#include <QString>

#include <deque>
#include <optional>

// One replacement of a range of text: the characters [position, position + removed.size())
// of the old text become inserted.
struct TextEdit {
    int position = 0;
    QString removed;
    QString inserted;
};

// What a view needs to show another snapshot: the edit that turns the text it shows now into
// the snapshot's text, and the snapshot's scroll position, selection and saved mark.
struct UndoStep {
    TextEdit edit;
    int topLine = 0;
    int selStart = 0;
    int selEnd = 0;
    bool saved = false;
};

// The history of whole-text snapshots behind Undo and Undo Forward. Every snapshot can be
// brought back exactly, but only the text of the current one is held whole; each neighbour
// pair keeps the difference between them, so memory follows the size of the edits rather than
// the size of the document. Past the last slot the oldest snapshot is dropped.
class UndoHistory {
public:
    static constexpr int DefaultCapacity = 65535;

    explicit UndoHistory(int capacity = DefaultCapacity);

    // Snapshot 0 of a document just shown: saved, at the top of the text.
    void Start(const QString &text, int selStart, int selEnd);
    // Records the present state as the snapshot after the current one.
    void Push(const QString &text, int topLine, int selStart, int selEnd);
    // The same when the caller knows which part changed: edit turns the current snapshot's
    // text into the present text. Returns false (recording nothing) when the edit does not fit.
    bool PushEdit(const TextEdit &edit, int topLine, int selStart, int selEnd);
    // The current snapshot becomes text in place, without a step of its own: the program changed
    // the text, not the person.
    void Amend(const QString &text);

    // Steps back; the present selection is stored into the current snapshot first.
    std::optional<UndoStep> Undo(int presentSelStart, int presentSelEnd);
    std::optional<UndoStep> Redo();

    // The file was saved as the current snapshot shows it.
    void MarkSaved();
    // The selection and first line the current snapshot comes back with.
    void StoreSelection(int topLine, int selStart, int selEnd);

    int CurrentIndex() const { return m_nCurrent; }
    int TopIndex() const { return m_nTop; }
    bool CanUndo() const { return m_nCurrent > 0; }
    bool CanRedo() const { return m_nCurrent < m_nTop; }

    const QString &CurrentText() const { return m_strCurrent; }
    QString TextAt(int index) const;
    int SelStartAt(int index) const { return m_entries.at(index).selStart; }
    int SelEndAt(int index) const { return m_entries.at(index).selEnd; }
    bool IsSavedAt(int index) const { return m_entries.at(index).saved; }
    // Characters held by the stored differences (the current text not counted).
    qsizetype DifferenceSize() const;

private:
    struct Entry {
        int topLine = 0;
        int selStart = 0;
        int selEnd = 0;
        bool saved = false;
        // The edit from the previous snapshot to this one (empty for the first).
        TextEdit fromPrevious;
    };

    static TextEdit Difference(const QString &from, const QString &to);
    static void Apply(QString &text, const TextEdit &edit);
    static void Revert(QString &text, const TextEdit &edit);
    static TextEdit Trimmed(const TextEdit &edit);
    void Record(const TextEdit &edit, int topLine, int selStart, int selEnd);
    UndoStep StepTo(int index, const TextEdit &edit) const;

    int m_nCapacity;
    std::deque<Entry> m_entries;
    int m_nCurrent = 0;
    int m_nTop = 0;
    QString m_strCurrent;
};
