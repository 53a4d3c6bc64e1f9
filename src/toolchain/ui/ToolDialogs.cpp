#include "toolchain/ui/ToolDialogs.h"

#include "res/Messages.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
QDialogButtonBox *OkCancel(QDialog *dialog)
{
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}
} // namespace

CPaperSizeDialog::CPaperSizeDialog(bool english, const PaperDialogValues &values, QWidget *parent)
    : QDialog(parent)
    , m_pSizes(new QButtonGroup(this))
    , m_pNextTime(new QCheckBox(MsgText(Msg::PaperSizeNextTime, english), this))
    , m_pAnyMore(new QCheckBox(MsgText(Msg::PaperSizeAnyMore, english), this))
{
    setWindowTitle(MsgText(Msg::PaperSizeTitle, english));
    // In tab order, which is the order of the indexes.
    static const char *const names[PaperSizeCount] = {
        "A3", "A4", "A5",    "A6",     "Landscape", "B3",     "B4",
        "B5", "B6", "B5var", "Letter", "Legal",     "Ledger", "Tabloid",
    };
    auto *sizes = new QGroupBox(this);
    auto *grid = new QGridLayout(sizes);
    for (int i = 0; i < PaperSizeCount; ++i) {
        auto *button = new QRadioButton(QString::fromLatin1(names[i]), sizes);
        m_pSizes->addButton(button, i);
        grid->addWidget(button, i % 7, i / 7);
    }
    if (QAbstractButton *chosen = m_pSizes->button(values.sizeNo))
        chosen->setChecked(true);

    // The two boxes exclude each other; clicking a ticked one just clears it.
    m_pNextTime->setChecked(values.nShow != 0);
    m_pAnyMore->setChecked(values.neShow != 0 && values.nShow == 0);
    connect(m_pNextTime, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            m_pAnyMore->setChecked(false);
    });
    connect(m_pAnyMore, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            m_pNextTime->setChecked(false);
    });

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(MsgText(Msg::PaperSizeNote, english), this));
    layout->addWidget(sizes);
    layout->addWidget(new QLabel(MsgText(Msg::PaperSizeDontShow, english), this));
    layout->addWidget(m_pNextTime);
    layout->addWidget(m_pAnyMore);
    layout->addWidget(new QLabel(MsgText(Msg::PaperSizeMenuNote, english), this));
    layout->addWidget(OkCancel(this));
}

PaperDialogValues CPaperSizeDialog::Values() const
{
    PaperDialogValues v;
    v.nShow = m_pNextTime->isChecked() ? 1 : 0;
    v.neShow = m_pAnyMore->isChecked() ? 1 : 0;
    v.sizeNo = m_pSizes->checkedId() >= 0 ? m_pSizes->checkedId() : 1;
    return v;
}

CMakeIndexOptionsDialog::CMakeIndexOptionsDialog(bool english, const QString &options,
                                                 int neverShow, QWidget *parent)
    : QDialog(parent)
    , m_pOptions(new QLineEdit(options, this))
    , m_pNever(new QCheckBox(MsgText(Msg::MakeIndexOptionsNever, english), this))
{
    setWindowTitle(MsgText(Msg::MakeIndexOptionsTitle, english));
    m_pNever->setChecked(neverShow != 0);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(MsgText(Msg::MakeIndexOptionsNote, english), this));
    layout->addWidget(new QLabel(MsgText(Msg::MakeIndexOptionsExample, english), this));
    layout->addWidget(m_pOptions);
    layout->addWidget(new QLabel(MsgText(Msg::MakeIndexOptionsMore, english), this));
    layout->addWidget(m_pNever);
    layout->addWidget(new QLabel(MsgText(Msg::MakeIndexOptionsMenuNote, english), this));
    layout->addWidget(OkCancel(this));
}

QString CMakeIndexOptionsDialog::Options() const
{
    return m_pOptions->text();
}

int CMakeIndexOptionsDialog::NeverShow() const
{
    return m_pNever->isChecked() ? 1 : 0;
}
