#include "calc/ui/CalcDialogs.h"

#include "app/Prompter.h"
#include "res/Messages.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <climits>
#include <optional>

namespace {
QString Ja(const char *text)
{
    return QString::fromUtf8(text);
}

QStringList ColumnLetters()
{
    QStringList letters;
    for (char c = 'A'; c <= 'Z'; ++c)
        letters << QString(QLatin1Char(c));
    return letters;
}

QStringList Operators()
{
    return {Ja("×"), Ja("÷"), Ja("＋"), Ja("－")};
}

std::optional<int> IntegerOf(const QLineEdit *edit)
{
    bool ok = false;
    const int value = edit->text().trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

// Reads every edit as an integer; on the first that is none, says so and focuses it.
bool ReadIntegers(Prompter &prompter, bool english, std::initializer_list<QLineEdit *> edits,
                  std::initializer_list<int *> values)
{
    auto value = values.begin();
    for (QLineEdit *edit : edits) {
        const std::optional<int> read = IntegerOf(edit);
        if (!read) {
            prompter.Notice(MsgText(Msg::CalcIntegerNeeded, english), MsgIcon::Exclamation);
            edit->setFocus();
            edit->selectAll();
            return false;
        }
        **value++ = *read;
    }
    return true;
}
} // namespace

CCalcDialog::CCalcDialog(bool english, const QString &title, QWidget *parent)
    : QDialog(parent)
    , m_bEnglish(english)
{
    setWindowTitle(title);
    auto *layout = new QVBoxLayout(this);
    m_pGrid = new QGridLayout;
    layout->addLayout(m_pGrid);
    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    buttons->addButton(english ? QStringLiteral("Cancel") : Ja("キャンセル"),
                       QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

QComboBox *CCalcDialog::AddCombo(const QString &id, const QStringList &items, int current)
{
    auto *combo = new QComboBox(this);
    combo->setObjectName(id);
    combo->addItems(items);
    combo->setCurrentIndex(qBound(0, current, int(items.size()) - 1));
    return combo;
}

QLineEdit *CCalcDialog::AddEdit(const QString &id, int value)
{
    auto *edit = new QLineEdit(QString::number(value), this);
    edit->setObjectName(id);
    edit->setValidator(new QIntValidator(INT_MIN, INT_MAX, edit));
    edit->setMaximumWidth(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 10);
    return edit;
}

void CCalcDialog::AddLabel(const QString &text, int row, int column)
{
    m_pGrid->addWidget(new QLabel(text, this), row, column);
}

CTableWidthDialog::CTableWidthDialog(bool english, int tabWidth, QWidget *parent)
    : CCalcDialog(english, english ? QStringLiteral("Change Tab Stops") : Ja("タブ幅の変更"),
                  parent)
{
    setObjectName(QStringLiteral("TableWidthDialog"));
    m_pWidth =
        AddCombo(QStringLiteral("1115"), {"4", "8", "12", "16", "20", "24"}, tabWidth / 4 - 1);
    Grid()->addWidget(m_pWidth, 0, 0);
    AddLabel(english ? QStringLiteral("characters (at most 24)") : Ja("文字（最大24文字まで）"), 0,
             1);
}

int CTableWidthDialog::TabWidth() const
{
    return m_pWidth->currentIndex() * 4 + 4;
}

CRoundOffDialog::CRoundOffDialog(bool english, int decimals, QWidget *parent)
    : CCalcDialog(english, english ? QStringLiteral("Round Off to ") : Ja("四捨五入"), parent)
{
    setObjectName(QStringLiteral("RoundOffDialog"));
    m_pPlace = AddCombo(QStringLiteral("1033"), {"1", "2", "3", "4"}, decimals);
    if (english) {
        Grid()->addWidget(m_pPlace, 0, 0);
        AddLabel(QStringLiteral("-1   decimal place(s)"), 0, 1);
    } else {
        AddLabel(Ja("小数第"), 0, 0);
        Grid()->addWidget(m_pPlace, 0, 1);
        AddLabel(Ja("位を四捨五入します。"), 0, 2);
    }
}

int CRoundOffDialog::Decimals() const
{
    return m_pPlace->currentIndex();
}

CLinearDialog::CLinearDialog(bool english, const LinearParams &params, Prompter &prompter,
                             QWidget *parent)
    : CCalcDialog(english,
                  english ? QStringLiteral("Y = X*m/n + p/q") : Ja("X * m / n + p / q の計算"),
                  parent)
    , m_prompter(prompter)
    , m_params(params)
{
    setObjectName(QStringLiteral("LinearDialog"));
    m_pM = AddEdit(QStringLiteral("1010"), params.m);
    m_pN = AddEdit(QStringLiteral("1009"), params.n);
    m_pP = AddEdit(QStringLiteral("1011"), params.p);
    m_pQ = AddEdit(QStringLiteral("1012"), params.q);
    AddLabel(QStringLiteral("Y = X *"), 0, 0);
    Grid()->addWidget(m_pM, 0, 1);
    AddLabel(QStringLiteral("/"), 0, 2);
    Grid()->addWidget(m_pN, 0, 3);
    AddLabel(QStringLiteral("+"), 0, 4);
    Grid()->addWidget(m_pP, 0, 5);
    AddLabel(QStringLiteral("/"), 0, 6);
    Grid()->addWidget(m_pQ, 0, 7);
}

void CLinearDialog::accept()
{
    LinearParams read;
    if (!ReadIntegers(m_prompter, m_bEnglish, {m_pM, m_pN, m_pP, m_pQ},
                      {&read.m, &read.n, &read.p, &read.q}))
        return;
    if (!read.IsValid()) {
        // n = 0 gives no number and q = 0 no quotient.
        m_prompter.Notice(MsgText(Msg::CalcDenominatorZero, m_bEnglish), MsgIcon::Exclamation);
        (read.n == 0 ? m_pN : m_pQ)->setFocus();
        return;
    }
    m_params = read;
    QDialog::accept();
}

CMapDialog::CMapDialog(bool english, const MapParams &params, Prompter &prompter, QWidget *parent)
    : CCalcDialog(english, english ? QStringLiteral("Linear Transformation") : Ja("一次変換"),
                  parent)
    , m_prompter(prompter)
    , m_params(params)
{
    setObjectName(QStringLiteral("MapDialog"));
    m_pA = AddEdit(QStringLiteral("1013"), params.a);
    m_pB = AddEdit(QStringLiteral("1014"), params.b);
    m_pC = AddEdit(QStringLiteral("1015"), params.c);
    m_pD = AddEdit(QStringLiteral("1016"), params.d);
    AddLabel(QStringLiteral("A"), 0, 0);
    Grid()->addWidget(m_pA, 0, 1);
    AddLabel(Ja("→  C"), 0, 2);
    Grid()->addWidget(m_pC, 0, 3);
    AddLabel(QStringLiteral("B"), 1, 0);
    Grid()->addWidget(m_pB, 1, 1);
    AddLabel(Ja("→  D"), 1, 2);
    Grid()->addWidget(m_pD, 1, 3);
}

void CMapDialog::accept()
{
    MapParams read;
    if (!ReadIntegers(m_prompter, m_bEnglish, {m_pA, m_pB, m_pC, m_pD},
                      {&read.a, &read.b, &read.c, &read.d}))
        return;
    if (!read.IsValid()) {
        // A = B leaves no interval to map.
        m_prompter.Notice(MsgText(Msg::CalcSameBounds, m_bEnglish), MsgIcon::Exclamation);
        m_pB->setFocus();
        return;
    }
    m_params = read;
    QDialog::accept();
}

CArithmeticDialog::CArithmeticDialog(bool english, Kind kind, int first, int second, int op,
                                     Prompter &prompter, QWidget *parent)
    : CCalcDialog(
        english,
        kind == Kind::Columns
            ? (english ? QStringLiteral("Arithmetic Op. of Two Columns") : Ja("列の四則計算"))
            : (english ? QStringLiteral("Arithmetic Op. of Two Rows") : Ja("行の四則計算")),
        parent)
    , m_kind(kind)
    , m_prompter(prompter)
    , m_nFirst(first)
    , m_nSecond(second)
{
    setObjectName(kind == Kind::Columns ? QStringLiteral("ArithmeticColumnsDialog")
                                        : QStringLiteral("ArithmeticRowsDialog"));
    m_pOp = AddCombo(QStringLiteral("1111"), Operators(), op);
    if (kind == Kind::Columns) {
        m_pFirstColumn = AddCombo(QStringLiteral("1114"), ColumnLetters(), first);
        m_pSecondColumn = AddCombo(QStringLiteral("1008"), ColumnLetters(), second);
        Grid()->addWidget(m_pFirstColumn, 0, 0);
        Grid()->addWidget(m_pOp, 0, 1);
        Grid()->addWidget(m_pSecondColumn, 0, 2);
    } else {
        m_pFirstRow = AddEdit(QStringLiteral("1112"), first);
        m_pSecondRow = AddEdit(QStringLiteral("1113"), second);
        Grid()->addWidget(m_pFirstRow, 0, 0);
        Grid()->addWidget(m_pOp, 0, 1);
        Grid()->addWidget(m_pSecondRow, 0, 2);
    }
}

ArithOp CArithmeticDialog::Op() const
{
    return ArithOp(m_pOp->currentIndex());
}

void CArithmeticDialog::accept()
{
    if (m_kind == Kind::Columns) {
        m_nFirst = m_pFirstColumn->currentIndex();
        m_nSecond = m_pSecondColumn->currentIndex();
    } else {
        int first = 0;
        int second = 0;
        if (!ReadIntegers(m_prompter, m_bEnglish, {m_pFirstRow, m_pSecondRow}, {&first, &second}))
            return;
        m_nFirst = first;
        m_nSecond = second;
    }
    QDialog::accept();
}
