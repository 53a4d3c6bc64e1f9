#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

// "Jump to": a line number of at least 1 and whether it counts logical lines.
class CLineJumpDialog : public QDialog {
    Q_OBJECT
public:
    CLineJumpDialog(bool english, int line, bool logical, QWidget *parent = nullptr);

    int Line() const;
    bool Logical() const;

    QLineEdit *m_pLine;
    QCheckBox *m_pLogical;
    QPushButton *m_pJump;
};
