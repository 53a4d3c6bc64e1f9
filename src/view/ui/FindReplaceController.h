#pragma once

#include <QObject>
#include <QString>

class CMainFrame;
class COrrindaleView;
class QComboBox;
class QToolBar;

// The find and replace bars at work: opening and closing them, searching with wrap-around,
// replacing, the shared histories and the recorded position. Every operation works on the
// router's active pane.
class CFindReplaceController : public QObject {
    Q_OBJECT
public:
    explicit CFindReplaceController(CMainFrame &frame);

    // The Find and Replace commands: toggle their bar.
    void OnFind() { OpenBar(1); }
    void OnReplace() { OpenBar(2); }
    void OnRepeat();
    bool CanRepeat() const { return m_nBarMode == 0 && m_nLastOperation != 0; }

    void Search(bool forward);
    void Replace();
    void ReplaceAll();
    void RecordPosition();
    void BackToStart();
    void CloseBar();

    int BarMode() const { return m_nBarMode; }
    int LastOperation() const { return m_nLastOperation; }
    bool Forward() const { return m_bForward; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The search and replacement texts from the bar; false while there is nothing to search.
    bool TakeReplaceTexts();
    void RefreshUndoButtons();
    void OpenBar(int mode);
    void Next(bool forward);
    void AddSearchHistory(const QString &text);
    // The text is there, whether or not a match had to be searched for first.
    bool SelectSearchText(const QString &what);
    COrrindaleView *View() const;
    QToolBar *Host(int mode) const;

    // The window itself: the bars are its toolbars, shown and hidden there.
    CMainFrame &m_frame;
    int m_nBarMode = 0;
    int m_nLastOperation = 0;
    bool m_bForward = true;
    int m_nRecordedStart = 0;
    int m_nRecordedEnd = 0;
    int m_nRecordedTop = 0;
    QString m_strSearch;
    QString m_strReplacement;
};

// The combo's list with text at the top; letter case counts when matchCase is set.
void PutOnTopOfHistory(QComboBox *combo, const QString &text, bool matchCase);
