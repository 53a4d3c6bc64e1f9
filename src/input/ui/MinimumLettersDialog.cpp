#include "input/ui/MinimumLettersDialog.h"

#include "res/Messages.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

CMinimumLettersDialog::CMinimumLettersDialog(bool english, int index, QWidget *parent)
    : QDialog(parent)
    , m_pChoices(new QButtonGroup(this))
{
    setObjectName(QStringLiteral("MinimumLettersDialog"));
    setWindowTitle(MsgText(Msg::MinimumLettersTitle, english));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(MsgText(Msg::MinimumLettersText, english), this));
    auto *row = new QHBoxLayout;
    for (int i = 0; i < 6; ++i) {
        auto *choice = new QRadioButton(QString::number(i + 2), this);
        choice->setObjectName(QString::number(1063 + i));
        m_pChoices->addButton(choice, i);
        row->addWidget(choice);
    }
    m_pChoices->button(std::clamp(index, 0, 5))->setChecked(true);
    layout->addLayout(row);
    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(MsgText(Msg::MinimumLettersCancel, english), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

int CMinimumLettersDialog::Index() const
{
    return m_pChoices->checkedId();
}
