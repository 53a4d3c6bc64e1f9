#include "view/ui/FindReplaceBars.h"

#include <QCheckBox>
#include <QComboBox>
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

QComboBox *HistoryCombo(QWidget *parent, int id)
{
    auto *combo = new HistoryComboBox(parent);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setMinimumContentsLength(24);
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
    m_pSearch = HistoryCombo(this, 1023);
    layout->addWidget(m_pSearch, 1);
    m_pNext = Control(new QPushButton(T(english, "&Next", "次を検索"), this), 1018);
    m_pPrev = Control(new QPushButton(T(english, "&Prev", "前を検索"), this), 1019);
    m_pMatchCase = Control(new QCheckBox(T(english, "&Large/Small", "大/小文字"), this), 1022);
    m_pContinuity = Control(new QCheckBox(T(english, "&Continuity", "連続"), this), 1029);
    m_pRecord = Control(new QPushButton(T(english, "Record Po&sition", "位置記録"), this), 1024);
    m_pBackToStart = Control(new QPushButton(T(english, "&Back to Start", "開始前位置に戻る"), this), 1021);
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
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->addWidget(new QLabel(T(english, "FIND", "検索文字列"), this));
    m_pSearch = HistoryCombo(this, 1023);
    layout->addWidget(m_pSearch, 1);
    layout->addWidget(new QLabel(T(english, "REPLACE", "置換文字列"), this));
    m_pReplacement = HistoryCombo(this, 1020);
    layout->addWidget(m_pReplacement, 1);
    m_pFindNext = Control(new QPushButton(T(english, "Find &Next", "次を検索"), this), 1018);
    m_pFindPrev = Control(new QPushButton(T(english, "Find &Prev", "前を検索"), this), 1003);
    m_pReplace = Control(new QPushButton(T(english, "&Replace", "置換"), this), 1005);
    m_pReplaceAll = Control(new QPushButton(T(english, "Replace &All", "全置換"), this), 1004);
    m_pMatchCase = Control(new QCheckBox(T(english, "&Large/Small", "大/小文字区別"), this), 1040);
    m_pRecord = Control(new QPushButton(T(english, "Record Po&sition", "位置記録"), this), 1024);
    m_pBackToStart = Control(new QPushButton(T(english, "&Back to Start Pos", "開始前位置に戻る"), this), 1021);
    m_pUndo = Control(new QPushButton(T(english, "Undo", "元へ戻す"), this), english ? 32994 : 32992);
    m_pUndoForward = Control(new QPushButton(T(english, "Undo Forward", "先へ戻す"), this), english ? 32995 : 32996);
    m_pClose = Control(new QPushButton(T(english, "&Close", "閉じる"), this), 1026);
    for (QWidget *w : {static_cast<QWidget *>(m_pFindNext), static_cast<QWidget *>(m_pFindPrev),
                       static_cast<QWidget *>(m_pReplace), static_cast<QWidget *>(m_pReplaceAll),
                       static_cast<QWidget *>(m_pMatchCase), static_cast<QWidget *>(m_pRecord),
                       static_cast<QWidget *>(m_pBackToStart), static_cast<QWidget *>(m_pUndo),
                       static_cast<QWidget *>(m_pUndoForward), static_cast<QWidget *>(m_pClose)})
        layout->addWidget(w);
    m_pMatchCase->setChecked(true);
}
