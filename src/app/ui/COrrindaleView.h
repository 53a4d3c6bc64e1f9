#pragma once

#include "view/PaneOptions.h"

#include <QHash>
#include <QPlainTextEdit>

class CAppSettings;
class COrrindaleDoc;
struct DocumentFiles;
enum class Hint;
class CommandRouter;
class CPaneSplitter;
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
    // The panes of the window this pane is one of (nullptr outside a window): the way to the
    // other pane and the log pane.
    CPaneSplitter *Panes() const { return m_pPanes; }
    void SetPanes(CPaneSplitter *panes) { m_pPanes = panes; }

    void OnInitialUpdate();
    void OnUpdate(Hint hint);

    // The pane's options; each setter applies its change at once (tab stops, wrapping, the
    // gutter, a repaint) and stores nothing in the settings.
    const PaneOptions &Options() const { return m_options; }
    void SetCalcMode(bool on);
    void SetTabWidth(int width);
    void SetRoundIndex(int decimals) { m_options.roundIndex = decimals; }
    // Also switches the wrapping now, keeping the first visible line and the caret.
    void SetWordWrap(bool on);
    void SetInputSupport(bool on) { m_options.inputSupport = on; }
    void SetColoring(bool on);
    void SetUnderlineCaretLine(bool on);
    void SetLineNumberMode(int mode);
    void SetRightClickMenu(bool on) { m_options.rightClickMenu = on; }
    // The line count the gutter is made wide enough for, given by the splitter after a split
    // (the first pane's count then); 0: the pane's own.
    void SetGutterLineCount(int lines);
    int GutterWidth() const { return m_nGutterWidth; }

    // Caret and scrolling helpers the frame uses.
    int FirstVisibleLine() const;
    void ScrollToLine(int line);
    int SelectionStart() const;
    int LineCount() const;
    int LineHeight() const;

    // Commands of the view.
    void OnFont();
    void OnDeleteBackup();

    // Undo history: a compound edit opens a CUndoGroup (view/ui/UndoController.h) and becomes
    // one snapshot.
    void PushUndoSnapshot();
    CUndoController *UndoController() const { return m_pUndo; }
    // Completion of TeX command names (src/input/ui/CompletionController.*).
    CCompletionController *Completion() const { return m_pCompletion; }

    // The settings of the process and the document's files, which the features read.
    CAppSettings &Settings() const;
    const DocumentFiles &Files() const;

    // Calculation mode: the remembered selection, the cell range and the area store
    // (src/calc/ui/).
    CCalcController *CalcController() const { return m_pCalc; }
    // Expressions typed into the text, evaluated on the release of Enter.
    CEvaluatorHook *Evaluator() const { return m_pEvaluator; }

    // Painting, caret and mouse (src/view/ui/ViewPainter.*, ViewNavigator.*).
    bool IsTeXDocument() const;
    int VisibleRows() const;
    void ApplyColors();

Q_SIGNALS:
    void FocusGained();
    // The text was laid out anew (a resize, word wrap switched): rows may have moved.
    void Relaid();
    // A line number double-clicked in this log pane moved the other pane to that line.
    void LogLineShown();

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
    friend void RememberCaretX(COrrindaleView &view);
    friend void KeepCaretColumn(COrrindaleView &view);
    // Switches the wrapping alone, the option staying (a split turns it off for a while);
    // false when it already was in that state.
    bool ApplyWordWrap(bool on, bool keepPosition);
    void ApplyTabStops();
    // Sizes the line-number gutter and the column-header row for the line-number mode.
    void LayoutGutter();
    void LayoutMargins();
    void CheckGutterDigits();
    int GutterLineCount() const;

    PaneOptions m_options;
    CViewMargin *m_pGutter = nullptr;
    CViewMargin *m_pHeader = nullptr;
    int m_nGutterWidth = 10;
    int m_nGutterTextLength = 0;
    int m_nGutterLineCount = 0;
    // The caret's x kept across lines of different length (ViewNavigator.h).
    int m_nDesiredCaretX = 0;

    // The command id bound to the key in the window's accelerator table; 0 when none is.
    int AcceleratorOf(const QKeyEvent *e) const;
    void ApplyScreenFont();
    void ReadZelSettings();
    void RestoreCaretMemory();

    AppContext &m_context;
    COrrindaleDoc *m_pDoc;
    CommandRouter *m_pRouter = nullptr;
    CPaneSplitter *m_pPanes = nullptr;
    CUndoController *m_pUndo = nullptr;
    CCalcController *m_pCalc = nullptr;
    CCompletionController *m_pCompletion = nullptr;
    CEvaluatorHook *m_pEvaluator = nullptr;
    QHash<int, int> m_accelerators;
};
