#include "view/UndoHistory.h"

#include <algorithm>

namespace {
// A cut between the two halves of a surrogate pair would leave each half alone in an edit.
bool SplitsPair(const QString &text, qsizetype at)
{
    return at > 0 && at < text.size() && text.at(at - 1).isHighSurrogate()
           && text.at(at).isLowSurrogate();
}
} // namespace

UndoHistory::UndoHistory(int capacity)
    : m_nCapacity(std::max(capacity, 2))
{
    Start(QString(), 0, 0);
}

void UndoHistory::Start(const QString &text, int selStart, int selEnd)
{
    m_entries.clear();
    Entry first;
    first.selStart = selStart;
    first.selEnd = selEnd;
    first.saved = true;
    m_entries.push_back(first);
    m_nCurrent = 0;
    m_nTop = 0;
    m_strCurrent = text;
}

TextEdit UndoHistory::Difference(const QString &from, const QString &to)
{
    const qsizetype shorter = std::min(from.size(), to.size());
    qsizetype prefix = 0;
    const QChar *a = from.constData();
    const QChar *b = to.constData();
    while (prefix < shorter && a[prefix] == b[prefix])
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < shorter - prefix && a[from.size() - 1 - suffix] == b[to.size() - 1 - suffix])
        ++suffix;
    if (SplitsPair(from, prefix) || SplitsPair(to, prefix))
        --prefix;
    if (SplitsPair(from, from.size() - suffix) || SplitsPair(to, to.size() - suffix))
        --suffix;
    TextEdit edit;
    edit.position = static_cast<int>(prefix);
    edit.removed = from.mid(prefix, from.size() - prefix - suffix);
    edit.inserted = to.mid(prefix, to.size() - prefix - suffix);
    return edit;
}

TextEdit UndoHistory::Trimmed(const TextEdit &edit)
{
    TextEdit inner = Difference(edit.removed, edit.inserted);
    inner.position += edit.position;
    return inner;
}

void UndoHistory::Apply(QString &text, const TextEdit &edit)
{
    text.replace(edit.position, edit.removed.size(), edit.inserted);
}

void UndoHistory::Revert(QString &text, const TextEdit &edit)
{
    text.replace(edit.position, edit.inserted.size(), edit.removed);
}

void UndoHistory::Push(const QString &text, int topLine, int selStart, int selEnd)
{
    Record(Difference(m_strCurrent, text), topLine, selStart, selEnd);
}

bool UndoHistory::PushEdit(const TextEdit &edit, int topLine, int selStart, int selEnd)
{
    const qsizetype end = qsizetype(edit.position) + edit.removed.size();
    if (edit.position < 0 || end > m_strCurrent.size()
        || QStringView(m_strCurrent).mid(edit.position, edit.removed.size()) != edit.removed)
        return false;
    Record(Trimmed(edit), topLine, selStart, selEnd);
    return true;
}

void UndoHistory::Amend(const QString &text)
{
    // The neighbours' differences are taken again, now to and from the new text.
    if (m_nCurrent < m_nTop)
        m_entries[m_nCurrent + 1].fromPrevious = Difference(text, TextAt(m_nCurrent + 1));
    if (m_nCurrent > 0)
        m_entries[m_nCurrent].fromPrevious = Difference(TextAt(m_nCurrent - 1), text);
    m_strCurrent = text;
}

void UndoHistory::Record(const TextEdit &edit, int topLine, int selStart, int selEnd)
{
    Entry entry;
    entry.topLine = topLine;
    entry.selStart = selStart;
    entry.selEnd = selEnd;
    entry.fromPrevious = edit;
    const int next = m_nCurrent + 1;
    if (next <= m_nTop) {
        // The slot is overwritten, but the snapshot after it stays reachable: its difference is
        // taken again, now from the new text.
        if (next + 1 <= m_nTop) {
            QString after = m_strCurrent;
            Apply(after, m_entries[next].fromPrevious);
            Apply(after, m_entries[next + 1].fromPrevious);
            QString text = m_strCurrent;
            Apply(text, edit);
            m_entries[next + 1].fromPrevious = Difference(text, after);
        }
        m_entries[next] = entry;
        m_nCurrent = next;
    } else {
        m_entries.push_back(entry);
        m_nCurrent = next;
        m_nTop = next;
        if (static_cast<int>(m_entries.size()) > m_nCapacity) {
            m_entries.pop_front();
            m_entries.front().fromPrevious = TextEdit{};
            --m_nCurrent;
            --m_nTop;
        }
    }
    // In place: a keystroke in a long text moves the tail, it does not copy the text.
    Apply(m_strCurrent, edit);
}

UndoStep UndoHistory::StepTo(int index, const TextEdit &edit) const
{
    const Entry &e = m_entries[index];
    return UndoStep{edit, e.topLine, e.selStart, e.selEnd, e.saved};
}

std::optional<UndoStep> UndoHistory::Undo(int presentSelStart, int presentSelEnd)
{
    if (m_nCurrent == 0)
        return std::nullopt;
    Entry &present = m_entries[m_nCurrent];
    present.selStart = presentSelStart;
    present.selEnd = presentSelEnd;
    const TextEdit &forward = present.fromPrevious;
    const TextEdit back{forward.position, forward.inserted, forward.removed};
    Revert(m_strCurrent, forward);
    --m_nCurrent;
    return StepTo(m_nCurrent, back);
}

std::optional<UndoStep> UndoHistory::Redo()
{
    if (m_nCurrent >= m_nTop)
        return std::nullopt;
    ++m_nCurrent;
    const TextEdit &forward = m_entries[m_nCurrent].fromPrevious;
    Apply(m_strCurrent, forward);
    return StepTo(m_nCurrent, forward);
}

void UndoHistory::MarkSaved()
{
    for (int i = 0; i <= m_nTop; ++i)
        m_entries[i].saved = false;
    m_entries[m_nCurrent].saved = true;
}

void UndoHistory::StoreSelection(int topLine, int selStart, int selEnd)
{
    Entry &e = m_entries[m_nCurrent];
    if (e.topLine == topLine && e.selStart == selStart && e.selEnd == selEnd)
        return;
    e.topLine = topLine;
    e.selStart = selStart;
    e.selEnd = selEnd;
}

QString UndoHistory::TextAt(int index) const
{
    QString text = m_strCurrent;
    for (int i = m_nCurrent; i > index; --i)
        Revert(text, m_entries[i].fromPrevious);
    for (int i = m_nCurrent + 1; i <= index; ++i)
        Apply(text, m_entries[i].fromPrevious);
    return text;
}

qsizetype UndoHistory::DifferenceSize() const
{
    qsizetype size = 0;
    for (const Entry &e : m_entries)
        size += e.fromPrevious.removed.size() + e.fromPrevious.inserted.size();
    return size;
}
