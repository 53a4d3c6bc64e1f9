#pragma once

#include <QDialog>

class QButtonGroup;

// The shortest command name the completion list offers: six choices, 2 to 7 letters, kept
// as their index 0 to 5.
class CMinimumLettersDialog : public QDialog {
    Q_OBJECT
public:
    CMinimumLettersDialog(bool english, int index, QWidget *parent = nullptr);
    int Index() const;

private:
    QButtonGroup *m_pChoices;
};
