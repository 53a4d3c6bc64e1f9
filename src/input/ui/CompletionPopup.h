#pragma once

#include <QListWidget>

// The list of command names under the caret. It never takes the keyboard: the editor keeps
// the focus and its completion controller moves the selection; the mouse can still choose a
// name with a double click.
class CCompletionPopup : public QListWidget {
    Q_OBJECT
public:
    explicit CCompletionPopup(QWidget *owner);

    // The list's inner height as it is made (75 dialog units of its font, less the frame),
    // the unit the popup's height rules are stated in.
    int CreatedHeight() const;
    // The selection one down (last to first) or one up (first to last).
    void MoveSelection(bool down);

Q_SIGNALS:
    void Chosen();
};
