#pragma once

#include "app/WindowPlacement.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>

class COrrindaleDoc;
class COrrindaleView;
class CFindBar;
class CReplaceBar;
class CommandRouter;
class CRecoveryController;
class CPaneSplitter;
class QLabel;
class QMenu;
class QSplitter;
class QToolBar;
struct AppContext;

// The main window: placement, menus, toolbars, status bar, the hidden find and replace bars,
// the splitter host, and the file commands that change which file is shown.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    CMainFrame(AppContext &context, QWidget *parent = nullptr);
    ~CMainFrame() override;

    COrrindaleDoc *GetDocument() const { return m_pDoc; }
    COrrindaleView *GetActiveView() const;
    CommandRouter *Router() const { return m_pRouter; }
    QToolBar *MainToolBar() const { return m_pMainToolBar; }
    QToolBar *TeXBar() const { return m_pTeXBar; }
    CFindBar *FindBar() const { return m_pFindBar; }
    CReplaceBar *ReplaceBar() const { return m_pReplaceBar; }
    QToolBar *FindBarHost() const { return m_pFindBarHost; }
    QToolBar *ReplaceBarHost() const { return m_pReplaceBarHost; }
    AppContext &Context() const { return m_context; }
    QLabel *LinePane() const { return m_pLinePane; }
    QLabel *SizePane() const { return m_pSizePane; }
    QLabel *InsertPane() const { return m_pInsertPane; }
    bool IsTeXBarShown() const { return m_bTeXBarShown != 0; }
    ScreenMetrics Metrics() const;
    // The panes of the splitter: splits, the log pane, the active pane.
    CPaneSplitter *Panes() const { return m_pPanes; }
    CRecoveryController *Recovery() const { return m_pRecovery; }
    // While a print preview is up the status bar says so and closing stores no window state.
    void SetPreviewMode(bool on);

    // Opens a file in this window (the framework's OpenDocumentFile); false when it cannot.
    bool OpenDocumentFile(const QString &path);
    // Start-up without a file: an empty document; with path, an empty document of that name
    // (a file that does not exist yet, which the first save creates).
    void NewDocument(const QString &path = QString());

    void OnFileNew();
    void OnFileOpen();
    void OnRecentFile(int index);
    void OnNewWindow();
    void OnOpenWindow();
    void OnTeXBar();
    void OnRestoreWindow();
    void OnSetWindow();
    void OnInsertMode();
    void StoreCaret();
    void CheckFileChanged();
    void DecideTeXBar();
    void UpdateStatusPanes();

protected:
    void closeEvent(QCloseEvent *e) override;
    void changeEvent(QEvent *e) override;
    void dragEnterEvent(QDragEnterEvent *e) override;
    void dropEvent(QDropEvent *e) override;

private:
    void CreateBars();
    void RegisterCommands();
    void FillHistories();
    void StoreHistories();
    QString OpenFilter() const;
    void ShowTeXBar(bool show);
    void UpdateTitle();
    void RebuildRecentMenu();
    COrrindaleView *CreatePane();

    AppContext &m_context;
    int m_bEnglish;
    QString m_strExePath;
    COrrindaleDoc *m_pDoc;
    CRecoveryController *m_pRecovery;
    QSplitter *m_pSplitter;
    CPaneSplitter *m_pPanes;
    QHash<int, int> m_accelerators;
    CommandRouter *m_pRouter;
    QToolBar *m_pMainToolBar = nullptr;
    QToolBar *m_pTeXBar = nullptr;
    QToolBar *m_pFindBarHost = nullptr;
    QToolBar *m_pReplaceBarHost = nullptr;
    CFindBar *m_pFindBar = nullptr;
    CReplaceBar *m_pReplaceBar = nullptr;
    QLabel *m_pLinePane = nullptr;
    QLabel *m_pSizePane = nullptr;
    QLabel *m_pCapPane = nullptr;
    QLabel *m_pNumPane = nullptr;
    QLabel *m_pInsertPane = nullptr;
    QMenu *m_pRecentMenu = nullptr;
    QAction *m_pRecentPlaceholder = nullptr;
    int m_bPreview = 0;
    int m_bTeXBarShown = 1;
    int m_bTeXBarDecided = 0;
    QString m_strTeXFile;
    QString m_strPrevTeXFile;
    QString m_strExt;
    int m_nLastCol = 0;
    int m_nLastCharPos = 0;
    bool m_bCheckingFile = false;
    // Insert or overwrite, one for every pane of the window (the Insert key switches it).
    bool m_bInsertMode = true;
    // A double-click in the log pane moved the editor to a line; the status update of the log
    // pane takes it.
    bool m_bLogJump = false;
};
