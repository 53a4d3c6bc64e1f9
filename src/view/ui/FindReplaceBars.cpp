#include "view/ui/FindReplaceBars.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace {
QString T(bool english, const char *en, const char *ja)
{
    return english ? QString::fromUtf8(en) : QString::fromUtf8(ja);
}

// The history lists open with the Down key, as the platform's extended combo boxes do.
class HistoryComboBox : public QComboBox {
public:
    using QComboBox::QComboBox;

protected:
    void keyPressEvent(QKeyEvent *e) override
    {
        if (e->key() == Qt::Key_Down && e->modifiers() == Qt::NoModifier && count() > 0) {
            showPopup();
            return;
        }
        QComboBox::keyPressEvent(e);
    }
};

// width: the characters the box shows at least; it grows with the bar, never with a long
// entry of its history, so that a bar always fits the window.
QComboBox *HistoryCombo(QWidget *parent, int id, int width)
{
    auto *combo = new HistoryComboBox(parent);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(width);
    combo->setFont(HistoryComboFont());
    combo->setObjectName(QString::number(id));
    return combo;
}

template <class W>
W *Control(W *w, int id)
{
    w->setObjectName(QString::number(id));
    return w;
}
} // namespace

QFont HistoryComboFont()
{
    QFont font;
    // The proportional gothic of Japanese Windows, else the installed CJK sans serif.
    font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("Noto Sans CJK JP")});
    font.setPointSize(10);
    font.setWeight(QFont::Bold);
    return font;
}

CFindBar::CFindBar(bool english, QWidget *parent)
    : QWidget(parent)
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->addWidget(new QLabel(T(english, "FIND", "検索"), this));
    m_pSearch = HistoryCombo(this, 1023, 24);
    layout->addWidget(m_pSearch, 1);
    m_pNext = Control(new QPushButton(T(english, "&Next", "次を検索"), this), 1018);
    m_pPrev = Control(new QPushButton(T(english, "&Prev", "前を検索"), this), 1019);
    m_pMatchCase = Control(new QCheckBox(T(english, "&Large/Small", "大/小文字"), this), 1022);
    m_pContinuity = Control(new QCheckBox(T(english, "&Continuity", "連続"), this), 1029);
    m_pRecord = Control(new QPushButton(T(english, "Record Po&sition", "位置記録"), this), 1024);
    m_pBackToStart =
        Control(new QPushButton(T(english, "&Back to Start", "開始前位置に戻る"), this), 1021);
    m_pClose = Control(new QPushButton(T(english, "&Close", "閉じる"), this), 1025);
    for (QWidget *w : {static_cast<QWidget *>(m_pNext), static_cast<QWidget *>(m_pPrev),
                       static_cast<QWidget *>(m_pMatchCase), static_cast<QWidget *>(m_pContinuity),
                       static_cast<QWidget *>(m_pRecord), static_cast<QWidget *>(m_pBackToStart),
                       static_cast<QWidget *>(m_pClose)})
        layout->addWidget(w);
    m_pMatchCase->setChecked(false);
    m_pContinuity->setChecked(true);
}

CReplaceBar::CReplaceBar(bool english, QWidget *parent)
    : QWidget(parent)
{
    // Two rows, searching above and replacing below: in one row the twelve controls would be
    // wider than many screens.
    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setVerticalSpacing(2);
    auto *findLabel = new QLabel(T(english, "FIND", "検索文字列"), this);
    m_pSearch = HistoryCombo(this, 1023, 16);
    auto *replaceLabel = new QLabel(T(english, "REPLACE", "置換文字列"), this);
    m_pReplacement = HistoryCombo(this, 1020, 16);
    m_pFindNext = Control(new QPushButton(T(english, "Find &Next", "次を検索"), this), 1018);
    m_pFindPrev = Control(new QPushButton(T(english, "Find &Prev", "前を検索"), this), 1003);
    m_pReplace = Control(new QPushButton(T(english, "&Replace", "置換"), this), 1005);
    m_pReplaceAll = Control(new QPushButton(T(english, "Replace &All", "全置換"), this), 1004);
    m_pMatchCase = Control(new QCheckBox(T(english, "&Large/Small", "大/小文字区別"), this), 1040);
    m_pRecord = Control(new QPushButton(T(english, "Record Po&sition", "位置記録"), this), 1024);
    m_pBackToStart =
        Control(new QPushButton(T(english, "&Back to Start Pos", "開始前位置に戻る"), this), 1021);
    m_pUndo =
        Control(new QPushButton(T(english, "Undo", "元へ戻す"), this), english ? 32994 : 32992);
    m_pUndoForward = Control(new QPushButton(T(english, "Undo Forward", "先へ戻す"), this),
                             english ? 32995 : 32996);
    m_pClose = Control(new QPushButton(T(english, "&Close", "閉じる"), this), 1026);
    const QList<QWidget *> rows[] = {
        {findLabel, m_pSearch, m_pFindNext, m_pFindPrev, m_pMatchCase, m_pRecord, m_pBackToStart},
        {replaceLabel, m_pReplacement, m_pReplace, m_pReplaceAll, m_pUndo, m_pUndoForward,
         m_pClose},
    };
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < rows[row].size(); ++column)
            layout->addWidget(rows[row].at(column), row, column);
    }
    layout->setColumnStretch(1, 1);
    m_pMatchCase->setChecked(true);
}
