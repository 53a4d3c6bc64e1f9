#pragma once

#include <QObject>
#include <QPointer>

#include <functional>

class COrrindaleDoc;
class COrrindaleView;
class QSplitter;
struct AppContext;

// The panes of the main window's splitter: one editor, two editors over the one document in
// rows or in columns, or the compile log (a read-only first pane with a text of its own)
// beside the editor. The panes are the splitter's direct children, 0 being left or top.
// Splitting and joining never change whether the document counts as modified.
class CPaneSplitter : public QObject {
    Q_OBJECT
public:
    enum class Layout {
        Single,
        Rows,
        Columns
    };
    // Makes a pane of the document, wired to the window (accelerators, status bar).
    using PaneFactory = std::function<COrrindaleView *()>;

    CPaneSplitter(AppContext &context, QSplitter *splitter, COrrindaleDoc *doc, PaneFactory factory,
                  QObject *parent = nullptr);

    // The pane of a window that has just been made.
    COrrindaleView *CreateFirstPane();

    Layout CurrentLayout() const;
    int PaneCount() const;
    COrrindaleView *Pane(int index) const;
    // The pane that has (or last had) the focus.
    COrrindaleView *ActivePane() const;
    void SetActivePane(COrrindaleView *pane);
    COrrindaleView *LastActivePane() const { return m_pLastActivePane; }
    // The other pane of a split window; nullptr when view is alone or no pane of this window.
    COrrindaleView *OtherPane(const COrrindaleView &view) const;
    // The compile log beside the editor: the read-only one of the first and the last pane that
    // shows a text of its own (the last when both do); nullptr when there is none.
    COrrindaleView *LogPane() const;

    // Split Row / Split Column: each toggles its own split and first removes the other kind.
    void OnSplitRow();
    void OnSplitColumn();
    // Back to one pane before another file is shown.
    void Unsplit();
    // Log Column / Log Row: the compile target's log beside or above the text (toggles).
    void OnLogColumn();
    void OnLogRow();
    // A pane got the focus: the newly active editor becomes the document's first view.
    void SynchronisePanes();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    COrrindaleView *NewPane();
    COrrindaleView *AddPane(int index, bool logPane);
    void RemovePane(int index);
    // A read-only first pane, or the log pane even when switched to writable.
    bool FirstPaneIsLog() const;
    // Removes the split by the common rule; true when the read-only first pane went.
    bool RemoveSplit(int halfRows);
    void ShowLog(bool columns);
    void OnPaneFocused(COrrindaleView *pane);
    int IndexOf(const COrrindaleView *pane) const;
    int AreaHeight() const;
    int AreaWidth() const;
    void SetSplitLineCount(int lines);
    void EqualiseHalves();

    AppContext &m_context;
    QSplitter *m_pSplitter;
    COrrindaleDoc *m_pDoc;
    PaneFactory m_factory;
    QPointer<COrrindaleView> m_pActive;
    QPointer<COrrindaleView> m_pLastActivePane;
    // The first pane's line count at the latest split, which sizes every pane's gutter from
    // then on; 0 while no split has happened.
    int m_nSplitLineCount = 0;
};
