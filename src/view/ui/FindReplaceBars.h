#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QPushButton;

// The find bar and the replace bar: docked bars holding the search history combos and their
// flags. The frame creates them hidden and keeps their histories; searching itself lives with
// the editor's find and replace commands.
class CFindBar : public QWidget {
    Q_OBJECT
public:
    CFindBar(bool english, QWidget *parent = nullptr);
    QComboBox *m_pSearch;        // 1023
    QCheckBox *m_pMatchCase;     // 1022
    QCheckBox *m_pContinuity;    // 1029
    QPushButton *m_pNext;        // 1018
    QPushButton *m_pPrev;        // 1019
    QPushButton *m_pRecord;      // 1024
    QPushButton *m_pBackToStart; // 1021
    QPushButton *m_pClose;       // 1025
};

class CReplaceBar : public QWidget {
    Q_OBJECT
public:
    CReplaceBar(bool english, QWidget *parent = nullptr);
    QComboBox *m_pSearch;        // 1023
    QComboBox *m_pReplacement;   // 1020
    QCheckBox *m_pMatchCase;     // 1040
    QPushButton *m_pFindNext;    // 1018
    QPushButton *m_pFindPrev;    // 1003
    QPushButton *m_pReplace;     // 1005
    QPushButton *m_pReplaceAll;  // 1004
    QPushButton *m_pBackToStart; // 1021
    QPushButton *m_pClose;       // 1026
    QPushButton *m_pRecord;      // 1024
    QPushButton *m_pUndo;
    QPushButton *m_pUndoForward;
};

// The combo font of the history boxes: 10 points, bold.
QFont HistoryComboFont();
