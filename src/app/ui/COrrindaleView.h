#pragma once

#include "calc/CellGrid.h"

#include <QHash>
#include <QPlainTextEdit>

class CAppSettings;
class COrrindaleDoc;
struct DocumentFiles;
enum class Hint;
class CommandRouter;
class CViewMargin;
class CCompletionController;
class CUndoController;
class CCalcController;
class CEvaluatorHook;
struct AppContext;

// The editor: the text widget of one pane, following the process's settings, and the
// preparation of each file shown (initial update) and of each update hint.
class COrrindaleView : public QPlainTextEdit {
    Q_OBJECT
public:
    COrrindaleView(AppContext &context, COrrindaleDoc *doc, QWidget *parent = nullptr);

    COrrindaleDoc *GetDocument() const { return m_pDoc; }
    // A pane that shows a text of its own (the compile log) rather than the document's.
    bool IsLogPane() const;
    // The window's accelerators (key combination → command id), which win over the editor's
    // own handling of the same keys.
    void SetAccelerators(CommandRouter *router, const QHash<int, int> &accelerators)
    {
        m_pRouter = router;
        m_accelerators = accelerators;
    }

    void OnInitialUpdate();
    void OnUpdate(Hint hint);
    // Switches word wrap; false when it already was in that state.
    bool SetWordWrap(bool on, bool keepPosition);
    // Sizes the line-number gutter and the column-header row for m_nLineNumberMode.
    void LayoutGutter();

    // Caret and scrolling helpers the frame uses.
    int FirstVisibleLine() const;
    void ScrollToLine(int line);
    int SelectionStart() const;
    int LineCount() const;
    int LineHeight() const;

    // Commands of the view.
    void OnFont();
    void OnDeleteBackup();
    void ApplyTabStops();

    // Undo history: a compound edit opens a CUndoGroup (view/ui/UndoController.h) and becomes
    // one snapshot.
    void PushUndoSnapshot();
    CUndoController *UndoController() const { return m_pUndo; }
    // Completion of TeX command names (src/input/ui/CompletionController.*).
    CCompletionController *Completion() const { return m_pCompletion; }

    // The settings of the process and the document's files, which the features read.
    CAppSettings &Settings() const;
    const DocumentFiles &Files() const;

    int m_bCalcMode = 0;
    int m_nTabWidth = 8;
    int m_nRoundIndex = 1;
    int m_bWordWrap = 1;
    int m_bInputSupport = 0;
    int m_bColoring = 1;
    int m_bUnderlineCaretLine = 1;
    int m_nLineNumberMode = 0;
    int m_nGutterWidth = 10;
    int m_nGutterTextLength = 0;
    int m_nLineCountAtOpen = 0;

    // Calculation mode (src/calc/ui/): the remembered selection (m_nSelEnd -1: a two-click
    // selection waits for its end), the range the table commands act on, and the area store
    // of the table-editing commands with the size of the area last copied.
    int m_nSelStart = 0;
    int m_nSelEnd = 0;
    CellRange m_range;
    int m_bTwoClickSelect = 0;
    QStringList m_areaStore;
    int m_nAreaRows = 0;
    int m_nAreaCols = 0;
    CCalcController *CalcController() const { return m_pCalc; }
    // Expressions typed into the text, evaluated on the release of Enter.
    CEvaluatorHook *Evaluator() const { return m_pEvaluator; }

    // Painting, caret and mouse (src/view/ui/ViewPainter.*, ViewNavigator.*).
    bool IsTeXDocument() const;
    int VisibleRows() const;
    void ApplyColors();
    int m_bRightClickMenu = 1; // not stored: on at every start
    int m_nDesiredCaretX = 0;

    // The first pane's line count saved by the latest split; 0 while no split has happened.
    static int s_nSplitLineCount;

Q_SIGNALS:
    void FocusGained();

protected:
    bool event(QEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;
    void paintEvent(QPaintEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void contextMenuEvent(QContextMenuEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void keyReleaseEvent(QKeyEvent *e) override;

private:
    friend class CViewPainter;
    void LayoutMargins();
    void CheckGutterDigits();
    CViewMargin *m_pGutter = nullptr;
    CViewMargin *m_pHeader = nullptr;

    // The command id bound to the key in the window's accelerator table; 0 when none is.
    int AcceleratorOf(const QKeyEvent *e) const;
    void ApplyScreenFont();
    void ReadZelSettings();
    void RestoreCaretMemory();

    AppContext &m_context;
    COrrindaleDoc *m_pDoc;
    CommandRouter *m_pRouter = nullptr;
    CUndoController *m_pUndo = nullptr;
    CCalcController *m_pCalc = nullptr;
    CCompletionController *m_pCompletion = nullptr;
    CEvaluatorHook *m_pEvaluator = nullptr;
    QHash<int, int> m_accelerators;
};
