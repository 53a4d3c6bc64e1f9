#pragma once

#include "calc/LineCalculation.h"

#include <QDialog>

class Prompter;
class QComboBox;
class QDialogButtonBox;
class QGridLayout;
class QLineEdit;

// The small dialogs of calculation mode, in Japanese or English. Controls carry their
// resource ids as object names. Dialogs with number edits refuse what cannot be computed
// with a message and stay open.

class CCalcDialog : public QDialog {
    Q_OBJECT
public:
    CCalcDialog(bool english, const QString &title, QWidget *parent);

protected:
    // The dialog's rows go here; OK and Cancel follow below.
    QGridLayout *Grid() const { return m_pGrid; }
    QComboBox *AddCombo(const QString &id, const QStringList &items, int current);
    QLineEdit *AddEdit(const QString &id, int value);
    void AddLabel(const QString &text, int row, int column);
    bool m_bEnglish;

private:
    QGridLayout *m_pGrid;
};

// The tab width of calculation mode: 4 to 24 characters in steps of 4.
class CTableWidthDialog : public CCalcDialog {
    Q_OBJECT
public:
    CTableWidthDialog(bool english, int tabWidth, QWidget *parent = nullptr);
    int TabWidth() const;

private:
    QComboBox *m_pWidth;
};

// The decimals every computed value keeps: item i ("i + 1") rounds at decimal place i + 1.
class CRoundOffDialog : public CCalcDialog {
    Q_OBJECT
public:
    CRoundOffDialog(bool english, int decimals, QWidget *parent = nullptr);
    int Decimals() const;

private:
    QComboBox *m_pPlace;
};

// Y = X * m / n + p / q.
class CLinearDialog : public CCalcDialog {
    Q_OBJECT
public:
    CLinearDialog(bool english, const LinearParams &params, Prompter &prompter,
                  QWidget *parent = nullptr);
    LinearParams Params() const { return m_params; }
    void accept() override;

private:
    Prompter &m_prompter;
    LinearParams m_params;
    QLineEdit *m_pM;
    QLineEdit *m_pN;
    QLineEdit *m_pP;
    QLineEdit *m_pQ;
};

// A…B mapped onto C…D.
class CMapDialog : public CCalcDialog {
    Q_OBJECT
public:
    CMapDialog(bool english, const MapParams &params, Prompter &prompter,
               QWidget *parent = nullptr);
    MapParams Params() const { return m_params; }
    void accept() override;

private:
    Prompter &m_prompter;
    MapParams m_params;
    QLineEdit *m_pA;
    QLineEdit *m_pB;
    QLineEdit *m_pC;
    QLineEdit *m_pD;
};

// Two columns (A…Z) or two row numbers and the operator between them.
class CArithmeticDialog : public CCalcDialog {
    Q_OBJECT
public:
    enum class Kind {
        Columns,
        Rows
    };
    CArithmeticDialog(bool english, Kind kind, int first, int second, int op, Prompter &prompter,
                      QWidget *parent = nullptr);
    int First() const { return m_nFirst; }
    int Second() const { return m_nSecond; }
    ArithOp Op() const;
    void accept() override;

private:
    Kind m_kind;
    Prompter &m_prompter;
    int m_nFirst;
    int m_nSecond;
    QComboBox *m_pFirstColumn = nullptr;
    QComboBox *m_pSecondColumn = nullptr;
    QLineEdit *m_pFirstRow = nullptr;
    QLineEdit *m_pSecondRow = nullptr;
    QComboBox *m_pOp;
};
