#include "view/ui/ColorSettingsDialog.h"

#include "view/ui/ViewPainter.h"

#include <QColorDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QStyleOptionButton>
#include <QVBoxLayout>

namespace {
unsigned RefFromColor(const QColor &c)
{
    return Rgb(c.red(), c.green(), c.blue());
}
} // namespace

CColorButton::CColorButton(unsigned *color, QWidget *parent)
    : QPushButton(parent)
    , m_pColor(color)
{
    setMinimumSize(36, 20);
}

void CColorButton::paintEvent(QPaintEvent *e)
{
    QPushButton::paintEvent(e);
    QPainter p(this);
    p.fillRect(rect().adjusted(4, 4, -4, -4), ColorFromRef(*m_pColor));
}

bool ChooseColorWithDialog(unsigned &color, CustomColors &custom, QWidget *parent)
{
    for (int i = 0; i < static_cast<int>(custom.size()); ++i)
        QColorDialog::setCustomColor(i, ColorFromRef(custom[i]));
    QColorDialog dialog(ColorFromRef(color), parent);
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    const bool ok = dialog.exec() == QDialog::Accepted;
    // The chooser's custom colours are kept whether or not a colour was taken.
    for (int i = 0; i < static_cast<int>(custom.size()); ++i)
        custom[i] = RefFromColor(QColorDialog::customColor(i));
    if (ok)
        color = RefFromColor(dialog.selectedColor());
    return ok;
}

CColorSettingsDialog::CColorSettingsDialog(SettingsStore &store, bool english, QWidget *parent)
    : QDialog(parent)
    , m_store(store)
    , m_colors(LoadViewColors(store))
    , m_custom(LoadCustomColors(store))
    , m_chooser(ChooseColorWithDialog)
{
    setObjectName(QStringLiteral("ColorSettingsDialog"));
    setWindowTitle(english ? QStringLiteral("Set Colors")
                           : QString::fromUtf8("色の設定　[テキスト・背景・文字]"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(
        english
            ? QStringLiteral("Set charcter colors. The lower and right hand side have priority. ")
            : QString::fromUtf8(
                "文字色の設定をします。もし同じ文字が含まれるときは右・下の方が優先されます。"),
        this));

    auto colorButton = [this](int id, unsigned *color) {
        auto *b = new CColorButton(color, this);
        b->setObjectName(QString::number(id));
        connect(b, &QPushButton::clicked, this, [this, color] { Choose(color); });
        return b;
    };
    auto *top = new QHBoxLayout;
    top->addWidget(
        new QLabel(english ? QStringLiteral("Text") : QString::fromUtf8("テキスト"), this));
    top->addWidget(colorButton(1105, &m_colors.text));
    top->addWidget(new QLabel(english ? QStringLiteral("Back") : QString::fromUtf8("背景"), this));
    top->addWidget(colorButton(1106, &m_colors.back));
    auto *resetTB = new QPushButton(english ? QStringLiteral("RESET Text && Back")
                                            : QString::fromUtf8("左の2つをリセット"),
                                    this);
    resetTB->setObjectName(QStringLiteral("1110"));
    top->addWidget(resetTB);
    top->addStretch();
    layout->addLayout(top);

    auto *symbols = new QGridLayout;
    for (int i = 0; i < ViewColors::SymbolCount; ++i) {
        auto *label = new QLabel(QString::fromLatin1(SymbolKeys()[i]), this);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        symbols->addWidget(label, i / 6, (i % 6) * 2);
        symbols->addWidget(colorButton(1070 + i, &m_colors.symbols[i]), i / 6, (i % 6) * 2 + 1);
    }
    layout->addLayout(symbols);

    auto *users = new QGridLayout;
    for (int i = 0; i < ViewColors::UserStringCount; ++i) {
        auto *edit = new QLineEdit(m_colors.userStrings[i], this);
        edit->setObjectName(QString::number(1093 + i));
        m_userEdits[i] = edit;
        users->addWidget(edit, i / 3, (i % 3) * 2);
        users->addWidget(colorButton(1081 + i, &m_colors.userColors[i]), i / 3, (i % 3) * 2 + 1);
    }
    layout->addLayout(users);

    auto *resets = new QHBoxLayout;
    auto addReset = [&](int id, const char *en, const char *ja) {
        auto *b = new QPushButton(english ? QString::fromUtf8(en) : QString::fromUtf8(ja), this);
        b->setObjectName(QString::number(id));
        connect(b, &QPushButton::clicked, this, [this, id] { Reset(id); });
        resets->addWidget(b);
        return b;
    };
    connect(resetTB, &QPushButton::clicked, this, [this] { Reset(1110); });
    addReset(1109, "RESET Character Colors", "文字色を初期9に戻す");
    if (english)
        resets->addWidget(new QLabel(QStringLiteral("In \"Choose Color\""), this));
    addReset(1108, "RESET Custom Colors", "作成した色をリセット");
    addReset(1107, "RESET ALL", "全てを初期設定に戻す");
    layout->addLayout(resets);

    auto *bottom = new QHBoxLayout;
    bottom->addStretch();
    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("1"));
    ok->setDefault(true);
    auto *cancel =
        new QPushButton(english ? QStringLiteral("CANCEL") : QString::fromUtf8("ｷｬﾝｾﾙ"), this);
    cancel->setObjectName(QStringLiteral("2"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    bottom->addWidget(ok);
    bottom->addWidget(cancel);
    layout->addLayout(bottom);
}

QPushButton *CColorSettingsDialog::Button(int id) const
{
    return findChild<QPushButton *>(QString::number(id));
}

void CColorSettingsDialog::Choose(unsigned *color)
{
    unsigned chosen = *color;
    if (m_chooser(chosen, m_custom, this)) {
        *color = chosen;
        update();
        for (QWidget *w : findChildren<QWidget *>())
            w->update();
    }
}

void CColorSettingsDialog::Reset(int id)
{
    switch (id) {
    case 1110:
        ResetTextAndBack(m_store, m_colors);
        break;
    case 1109:
        ResetCharacterColors(m_store, m_colors);
        RefreshEdits();
        break;
    case 1108:
        ResetCustomColors(m_store, m_custom);
        break;
    default:
        ResetAllColors(m_store, m_colors, m_custom);
        RefreshEdits();
        break;
    }
    for (QWidget *w : findChildren<QWidget *>())
        w->update();
}

void CColorSettingsDialog::RefreshEdits()
{
    for (int i = 0; i < ViewColors::UserStringCount; ++i)
        m_userEdits[i]->setText(m_colors.userStrings[i]);
}

void CColorSettingsDialog::accept()
{
    for (int i = 0; i < ViewColors::UserStringCount; ++i)
        m_colors.userStrings[i] = m_userEdits[i]->text();
    QDialog::accept();
}
