#pragma once

#include <QDialog>

class Prompter;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;

// The dialogs of the row commands and of Make a Table. Every control carries its template id
// as object name. Input that cannot be carried out is refused with a message and the dialog
// stays open.

// A block of rows counted from 1 with a column A … Z: the part the sort and ranking dialogs
// share.
class CRowBlockDialog : public QDialog {
    Q_OBJECT
public:
    int Column() const;
    int FromRow() const;
    int ToRow() const;

    QComboBox *m_pColumn;
    QLineEdit *m_pFrom;
    QLineEdit *m_pTo;

protected:
    CRowBlockDialog(bool english, Prompter &prompter, int column, int fromRow, int toRow,
                    QWidget *parent);
    void done(int result) override;

    bool m_bEnglish;
    Prompter &m_prompter;
};

// "行データの並び替え" / "Sort Rows".
class CSortRowsDialog : public CRowBlockDialog {
    Q_OBJECT
public:
    CSortRowsDialog(bool english, Prompter &prompter, int column, int fromRow, int toRow,
                    bool descending, bool asValues, QWidget *parent = nullptr);
    bool Descending() const;
    bool AsValues() const;

    QCheckBox *m_pDescending;
    QCheckBox *m_pAsValues;
};

// "順位付け・番号列の挿入" / "Ranking or Numbering".
class CRankingDialog : public CRowBlockDialog {
    Q_OBJECT
public:
    CRankingDialog(bool english, Prompter &prompter, int column, int fromRow, int toRow, bool rank,
                   QWidget *parent = nullptr);
    bool Rank() const;

    QCheckBox *m_pRank;
};

// "表の作成" / "Make a Table".
class CMakeTableDialog : public QDialog {
    Q_OBJECT
public:
    CMakeTableDialog(bool english, Prompter &prompter, int rows, int columns, bool letters,
                     int numbering, QWidget *parent = nullptr);
    int Rows() const;
    int Columns() const;
    bool Letters() const;
    int Numbering() const; // 0 none, 1 = 1, 2, 3, …, 2 line numbers

    QLineEdit *m_pRows;
    QLineEdit *m_pColumns;
    QCheckBox *m_pLetters;
    QButtonGroup *m_pNumbering;

protected:
    void done(int result) override;

private:
    bool m_bEnglish;
    Prompter &m_prompter;
};
