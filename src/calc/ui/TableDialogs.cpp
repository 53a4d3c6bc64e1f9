#include "calc/ui/TableDialogs.h"

#include "app/Prompter.h"
#include "res/Messages.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <climits>

namespace {

QString Tr(bool english, const char *en, const char *ja)
{
    return english ? QString::fromUtf8(en) : QString::fromUtf8(ja);
}

QLineEdit *NumberEdit(int value, const char *id, QWidget *parent, int top = INT_MAX)
{
    auto *edit = new QLineEdit(QString::number(value), parent);
    edit->setObjectName(QString::fromLatin1(id));
    edit->setValidator(new QIntValidator(0, top, edit));
    return edit;
}

QDialogButtonBox *OkCancel(bool english, QDialog *dialog)
{
    auto *buttons = new QDialogButtonBox(dialog);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(Tr(english, "Cancel", "キャンセル"), QDialogButtonBox::RejectRole);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

int Number(const QLineEdit *edit)
{
    bool ok = false;
    const int n = edit->text().toInt(&ok);
    return ok ? n : 0;
}

} // namespace

CRowBlockDialog::CRowBlockDialog(bool english, Prompter &prompter, int column, int fromRow,
                                 int toRow, QWidget *parent)
    : QDialog(parent)
    , m_bEnglish(english)
    , m_prompter(prompter)
{
    m_pColumn = new QComboBox(this);
    m_pColumn->setObjectName(QStringLiteral("1007"));
    for (char c = 'A'; c <= 'Z'; ++c)
        m_pColumn->addItem(QString(QChar(c)));
    m_pColumn->setCurrentIndex(qBound(0, column, 25));
    m_pFrom = NumberEdit(fromRow, "1116", this);
    m_pTo = NumberEdit(toRow, "1117", this);
}

int CRowBlockDialog::Column() const
{
    return m_pColumn->currentIndex();
}

int CRowBlockDialog::FromRow() const
{
    return Number(m_pFrom);
}

int CRowBlockDialog::ToRow() const
{
    return Number(m_pTo);
}

void CRowBlockDialog::done(int result)
{
    if (result == QDialog::Accepted && (FromRow() < 1 || ToRow() < FromRow())) {
        m_prompter.Notice(MsgText(Msg::TableRowsInvalid, m_bEnglish), MsgIcon::Exclamation);
        return;
    }
    QDialog::done(result);
}

CSortRowsDialog::CSortRowsDialog(bool english, Prompter &prompter, int column, int fromRow,
                                 int toRow, bool descending, bool asValues, QWidget *parent)
    : CRowBlockDialog(english, prompter, column, fromRow, toRow, parent)
{
    setObjectName(QStringLiteral("SortRowsDialog"));
    setWindowTitle(Tr(english, "Sort Rows", "行データの並び替え"));
    m_pDescending = new QCheckBox(
        Tr(english, "Descending (Ascending if No Check)", "降順で （チェック無は昇順）"), this);
    m_pDescending->setObjectName(QStringLiteral("1006"));
    m_pDescending->setChecked(descending);
    m_pAsValues = new QCheckBox(Tr(english, "As Values (As Characters if No Check) ",
                                   "値として（チェック無は文字列として） "),
                                this);
    m_pAsValues->setObjectName(QStringLiteral("1031"));
    m_pAsValues->setChecked(asValues);

    auto *form = new QFormLayout;
    form->addRow(Tr(english, "Key Column", "キーの列"), m_pColumn);
    form->addRow(Tr(english, "From Row", "開始行"), m_pFrom);
    form->addRow(Tr(english, "To Row", "終了行"), m_pTo);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_pDescending);
    layout->addWidget(m_pAsValues);
    layout->addWidget(OkCancel(english, this));
}

bool CSortRowsDialog::Descending() const
{
    return m_pDescending->isChecked();
}

bool CSortRowsDialog::AsValues() const
{
    return m_pAsValues->isChecked();
}

CRankingDialog::CRankingDialog(bool english, Prompter &prompter, int column, int fromRow, int toRow,
                               bool rank, QWidget *parent)
    : CRowBlockDialog(english, prompter, column, fromRow, toRow, parent)
{
    setObjectName(QStringLiteral("RankingDialog"));
    setWindowTitle(Tr(english, "Ranking or Numbering", "順位付け・番号列の挿入"));
    // The check box reads on from the column: "[B] を大きい順に並べ替え、順位を挿入".
    m_pRank = new QCheckBox(Tr(english, " Sorting accneding order and Insert Ranking",
                               "を大きい順に並べ替え、順位を挿入"),
                            this);
    m_pRank->setObjectName(QStringLiteral("1028"));
    m_pRank->setChecked(rank);

    auto *columnRow = new QHBoxLayout;
    columnRow->addWidget(new QLabel(Tr(english, "Column", "列"), this));
    columnRow->addWidget(m_pColumn);
    columnRow->addWidget(m_pRank, 1);
    auto *form = new QFormLayout;
    form->addRow(Tr(english, "From Row", "開始行"), m_pFrom);
    form->addRow(Tr(english, "To Row", "終了行"), m_pTo);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(columnRow);
    layout->addLayout(form);
    layout->addWidget(OkCancel(english, this));
}

bool CRankingDialog::Rank() const
{
    return m_pRank->isChecked();
}

CMakeTableDialog::CMakeTableDialog(bool english, Prompter &prompter, int rows, int columns,
                                   bool letters, int numbering, QWidget *parent)
    : QDialog(parent)
    , m_bEnglish(english)
    , m_prompter(prompter)
{
    setObjectName(QStringLiteral("MakeTableDialog"));
    setWindowTitle(Tr(english, "Make a Table", "表の作成"));
    // A new table is typed into by hand: a million rows would only freeze the window.
    m_pRows = NumberEdit(rows, "1116", this, 999999);
    m_pColumns = NumberEdit(columns, "1117", this, 999);
    m_pLetters = new QCheckBox(
        Tr(english, "Insert A, B, C,... to the 1st Line ", "第一行に A, B, C, ･･･を挿入"), this);
    m_pLetters->setObjectName(QStringLiteral("1032"));
    m_pLetters->setChecked(letters);
    m_pNumbering = new QButtonGroup(this);
    const struct {
        const char *id;
        const char *en;
        const char *ja;
    } choices[] = {{"1120", "No Numbers", "第一列には何もしない"},
                   {"1119", " 1, 2, 3,...", "第一列に 1 からの番号を挿入"},
                   {"1118", "Line Numbers", "第一列に行番号を挿入"}};
    auto *layout = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    form->addRow(Tr(english, "Rows", "行数"), m_pRows);
    form->addRow(Tr(english, "Columns (up to 26)", "列数（26 まで）"), m_pColumns);
    layout->addLayout(form);
    layout->addWidget(m_pLetters);
    for (int i = 0; i < 3; ++i) {
        auto *radio = new QRadioButton(Tr(english, choices[i].en, choices[i].ja), this);
        radio->setObjectName(QString::fromLatin1(choices[i].id));
        m_pNumbering->addButton(radio, i);
        layout->addWidget(radio);
    }
    m_pNumbering->button(qBound(0, numbering, 2))->setChecked(true);
    layout->addWidget(OkCancel(english, this));
}

int CMakeTableDialog::Rows() const
{
    return Number(m_pRows);
}

int CMakeTableDialog::Columns() const
{
    return Number(m_pColumns);
}

bool CMakeTableDialog::Letters() const
{
    return m_pLetters->isChecked();
}

int CMakeTableDialog::Numbering() const
{
    return m_pNumbering->checkedId();
}

void CMakeTableDialog::done(int result)
{
    if (result == QDialog::Accepted && (Rows() < 1 || Columns() < 1)) {
        m_prompter.Notice(MsgText(Msg::TableSizeInvalid, m_bEnglish), MsgIcon::Exclamation);
        return;
    }
    QDialog::done(result);
}
