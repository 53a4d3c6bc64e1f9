#pragma once

#include "input/ui/CompletionPopup.h"

#include <QMargins>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

class COrrindaleView;
class QKeyEvent;
class SettingsStore;

// Completion of TeX command names in one editor view: a backslash arms it, the next letter
// opens the list of names from the command list file that begin with it, typing narrows the
// selection, Up and Down move it, Enter (while the typed word begins the name), Tab or a
// double click writes the chosen name.
class CCompletionController : public QObject {
    Q_OBJECT
public:
    CCompletionController(COrrindaleView *view, SettingsStore &store);
    ~CCompletionController() override;

    // Runs before the editor handles a key; true when the key was used up here.
    bool KeyPress(QKeyEvent *e);
    // Esc: switches completion on and off, or closes an open list.
    void OnTeXInput();

    bool IsArmed() const { return m_bArmed; }
    bool IsPopupOpen() const { return m_bPopupOpen; }
    // An input method is composing text in the view (its keys are not the editor's).
    bool IsComposing() const { return m_bComposing; }
    // The list while it is shown; nullptr otherwise.
    CCompletionPopup *Popup() const { return m_bPopupOpen ? m_pPopup.data() : nullptr; }
    int MissCount() const { return m_nMissCount; }

    // Builds and shows the list for prefix; closes a list that is open instead. The prefix
    // letter is either still to be typed by the key being handled, or already stands right
    // of the caret (opened with the Right arrow).
    void OpenPopup(const QString &prefix, bool letterPending = true);
    void ClosePopup();
    // Writes the selected name over the typed one and closes the list.
    void InsertSelected();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    enum class Move {
        Character,
        Right,
        Back
    };
    void Reselect(Move move, QChar typed = QChar());
    void EnsurePopup();
    void PositionPopup(int caretX, int caretY);
    // The view's margins around its text area: the gutter on the left, the header row on top.
    QMargins TextMargins() const;
    int Caret() const;
    QString TextBetween(int from, int to) const;
    int WordEnd() const;
    void Disarm();

    COrrindaleView *m_pView;
    SettingsStore &m_store;
    QPointer<CCompletionPopup> m_pPopup;
    QStringList m_names; // the names shown, in the list's order
    bool m_bArmed = false;
    bool m_bPopupOpen = false;
    bool m_bComposing = false;
    int m_nWordStart = 0;
    int m_nWordEnd = 0;
    int m_nMissCount = 0;
    int m_nRangeStart = 0;
    int m_nRangeEnd = 0;
    QString m_strRangeText; // what the range holds once the key being handled is typed
    int m_nBraceAt = -1;    // just after the "{" that the last chosen name ended in
};
