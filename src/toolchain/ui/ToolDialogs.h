#pragma once

#include "toolchain/ToolSettings.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QLineEdit;

// The paper size for the DVI-to-PDF converter, with the two ways of not being asked again.
class CPaperSizeDialog : public QDialog {
    Q_OBJECT
public:
    CPaperSizeDialog(bool english, const PaperDialogValues &values, QWidget *parent = nullptr);
    PaperDialogValues Values() const;

    QButtonGroup *Sizes() const { return m_pSizes; }
    QCheckBox *NextTimeBox() const { return m_pNextTime; }
    QCheckBox *AnyMoreBox() const { return m_pAnyMore; }

private:
    QButtonGroup *m_pSizes;
    QCheckBox *m_pNextTime;
    QCheckBox *m_pAnyMore;
};

// The options passed to MakeIndex, and whether to ask for them before each run.
class CMakeIndexOptionsDialog : public QDialog {
    Q_OBJECT
public:
    CMakeIndexOptionsDialog(bool english, const QString &options, int neverShow,
                            QWidget *parent = nullptr);
    QString Options() const;
    int NeverShow() const;

    QLineEdit *OptionsEdit() const { return m_pOptions; }
    QCheckBox *NeverBox() const { return m_pNever; }

private:
    QLineEdit *m_pOptions;
    QCheckBox *m_pNever;
};
