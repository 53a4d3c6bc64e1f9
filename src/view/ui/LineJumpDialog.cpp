#include "view/ui/LineJumpDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <climits>

CLineJumpDialog::CLineJumpDialog(bool english, int line, bool logical, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("LineJumpDialog"));
    setWindowTitle(english ? QStringLiteral("Jump to") : QString::fromUtf8("指定行ジャンプ"));
    m_pLine = new QLineEdit(QString::number(std::max(1, line)), this);
    m_pLine->setObjectName(QStringLiteral("1000"));
    // Only whole numbers from 1 up can be confirmed.
    m_pLine->setValidator(new QIntValidator(1, INT_MAX, m_pLine));
    m_pLogical =
        new QCheckBox(english ? QStringLiteral("Logical Line") : QString::fromUtf8("論理行"), this);
    m_pLogical->setObjectName(QStringLiteral("1027"));
    m_pLogical->setChecked(logical);
    auto *buttons = new QDialogButtonBox(this);
    m_pJump = buttons->addButton(english ? QStringLiteral("Jump") : QString::fromUtf8("ジャンプ"),
                                 QDialogButtonBox::AcceptRole);
    m_pJump->setDefault(true);
    buttons->addButton(english ? QStringLiteral("Cancel") : QString::fromUtf8("キャンセル"),
                       QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_pLine, &QLineEdit::textChanged, this,
            [this] { m_pJump->setEnabled(m_pLine->hasAcceptableInput()); });

    auto *layout = new QVBoxLayout(this);
    auto *row = new QHBoxLayout;
    row->addWidget(
        new QLabel(english ? QStringLiteral("Line No.") : QString::fromUtf8("行番号"), this));
    row->addWidget(m_pLine);
    layout->addLayout(row);
    layout->addWidget(m_pLogical);
    layout->addWidget(buttons);
    m_pLine->selectAll();
}

int CLineJumpDialog::Line() const
{
    return m_pLine->text().toInt();
}

bool CLineJumpDialog::Logical() const
{
    return m_pLogical->isChecked();
}
