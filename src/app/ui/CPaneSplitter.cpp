#include "app/ui/CPaneSplitter.h"

#include "app/AppSettings.h"
#include "app/Prompter.h"
#include "app/SplitRules.h"
#include "app/TextFile.h"
#include "app/ui/AppContext.h"
#include "app/ui/COrrindaleDoc.h"
#include "app/ui/COrrindaleView.h"
#include "toolchain/AnotherFile.h"
#include "view/ui/ViewNavigator.h"

#include <QEvent>
#include <QFileInfo>
#include <QPlainTextDocumentLayout>
#include <QScreen>
#include <QScrollBar>
#include <QSplitter>
#include <QStyle>
#include <QTextBlock>
#include <QTextLayout>

namespace {
// Splitting and joining show the same text in other panes; they never make it modified.
class ModifiedKeeper {
public:
    explicit ModifiedKeeper(COrrindaleDoc *doc)
        : m_pDoc(doc)
        , m_bWas(doc->IsModified())
    {
    }
    ~ModifiedKeeper() { m_pDoc->SetModifiedFlag(m_bWas); }
    ModifiedKeeper(const ModifiedKeeper &) = delete;
    ModifiedKeeper &operator=(const ModifiedKeeper &) = delete;

private:
    COrrindaleDoc *m_pDoc;
    bool m_bWas;
};

// The panes scroll by display rows: with word wrap a long line is several rows.
int TopRow(const COrrindaleView *pane)
{
    return pane->verticalScrollBar()->value();
}

void SetTopRow(COrrindaleView *pane, int row)
{
    pane->verticalScrollBar()->setValue(std::max(0, row));
}

// The first character of a display row; the text's end past the last row.
int RowStart(const COrrindaleView *pane, int row)
{
    const int start = DisplayLineStart(*pane, row);
    return start < 0 ? pane->document()->characterCount() - 1 : start;
}

void PlaceCaret(COrrindaleView *pane, int position)
{
    QTextCursor c = pane->textCursor();
    c.setPosition(std::clamp(position, 0, pane->document()->characterCount() - 1));
    pane->setTextCursor(c);
}
} // namespace

CPaneSplitter::CPaneSplitter(AppContext &context, QSplitter *splitter, COrrindaleDoc *doc,
                             PaneFactory factory, QObject *parent)
    : QObject(parent)
    , m_context(context)
    , m_pSplitter(splitter)
    , m_pDoc(doc)
    , m_factory(std::move(factory))
{
    m_pSplitter->setChildrenCollapsible(false);
    m_pSplitter->window()->installEventFilter(this);
}

COrrindaleView *CPaneSplitter::NewPane()
{
    COrrindaleView *pane = m_factory();
    pane->SetPanes(this);
    return pane;
}

COrrindaleView *CPaneSplitter::CreateFirstPane()
{
    COrrindaleView *pane = NewPane();
    pane->setMinimumSize(10, 10);
    m_pSplitter->addWidget(pane);
    connect(pane, &COrrindaleView::FocusGained, this, [this, pane] { OnPaneFocused(pane); });
    m_pActive = pane;
    m_pLastActivePane = pane;
    return pane;
}

CPaneSplitter::Layout CPaneSplitter::CurrentLayout() const
{
    if (m_pSplitter->count() < 2)
        return Layout::Single;
    return m_pSplitter->orientation() == Qt::Vertical ? Layout::Rows : Layout::Columns;
}

int CPaneSplitter::PaneCount() const
{
    return m_pSplitter->count();
}

COrrindaleView *CPaneSplitter::Pane(int index) const
{
    if (index < 0 || index >= m_pSplitter->count())
        return nullptr;
    return qobject_cast<COrrindaleView *>(m_pSplitter->widget(index));
}

int CPaneSplitter::IndexOf(const COrrindaleView *pane) const
{
    return pane ? m_pSplitter->indexOf(const_cast<COrrindaleView *>(pane)) : -1;
}

COrrindaleView *CPaneSplitter::ActivePane() const
{
    if (m_pActive && IndexOf(m_pActive) >= 0)
        return m_pActive;
    return Pane(0);
}

COrrindaleView *CPaneSplitter::OtherPane(const COrrindaleView &view) const
{
    if (PaneCount() != 2 || IndexOf(&view) < 0)
        return nullptr;
    return Pane(IndexOf(&view) == 0 ? 1 : 0);
}

COrrindaleView *CPaneSplitter::LogPane() const
{
    if (PaneCount() < 2)
        return nullptr;
    // Only a read-only pane with a text of its own is the log: an editor the user switched
    // to read-only shows the document's text, which the log must never replace.
    const auto isLog = [](const COrrindaleView *pane) {
        return pane && pane->isReadOnly() && pane->IsLogPane();
    };
    if (COrrindaleView *last = Pane(PaneCount() - 1); isLog(last))
        return last;
    if (COrrindaleView *first = Pane(0); isLog(first))
        return first;
    return nullptr;
}

void CPaneSplitter::SetActivePane(COrrindaleView *pane)
{
    if (!pane || IndexOf(pane) < 0)
        return;
    // Activated by the program, not by the user moving to it: the view order stays.
    m_pActive = pane;
    m_pLastActivePane = pane;
    pane->setFocus(Qt::OtherFocusReason);
}

void CPaneSplitter::OnPaneFocused(COrrindaleView *pane)
{
    if (IndexOf(pane) < 0)
        return;
    m_pActive = pane;
    SynchronisePanes();
}

bool CPaneSplitter::FirstPaneIsLog() const
{
    // The log stays the log when the user has switched it to writable: it has no place in the
    // document's view list and never outlives the editor.
    const COrrindaleView *first = Pane(0);
    return first && (first->isReadOnly() || first->IsLogPane());
}

void CPaneSplitter::SynchronisePanes()
{
    COrrindaleView *active = ActivePane();
    if (PaneCount() < 2 || FirstPaneIsLog() || active == m_pLastActivePane)
        return;
    const ModifiedKeeper keep(m_pDoc);
    // The pane left behind goes to the end of the list, so the active one comes first. Both
    // panes show the one text, so there is nothing to copy between them.
    if (COrrindaleView *old = m_pLastActivePane; old && IndexOf(old) >= 0) {
        m_pDoc->RemoveView(old);
        m_pDoc->AddView(old);
    }
    m_pLastActivePane = active;
}

void CPaneSplitter::SetSplitLineCount(int lines)
{
    m_nSplitLineCount = lines;
    for (int i = 0; i < PaneCount(); ++i)
        Pane(i)->SetGutterLineCount(lines);
}

int CPaneSplitter::AreaHeight() const
{
    return m_pSplitter->height();
}

int CPaneSplitter::AreaWidth() const
{
    return m_pSplitter->width();
}

COrrindaleView *CPaneSplitter::AddPane(int index, bool logPane)
{
    // A new editor on the shared text would impose its own wrap setting on the text's layout
    // before it has read the file's; the panes already shown keep theirs.
    QTextDocument *shared = m_pDoc->TextDocument();
    const QTextOption sharedOption = shared->defaultTextOption();
    COrrindaleView *pane = NewPane();
    pane->SetGutterLineCount(m_nSplitLineCount);
    if (logPane) {
        auto *log = new QTextDocument(pane);
        log->setDocumentLayout(new QPlainTextDocumentLayout(log));
        log->setUndoRedoEnabled(false);
        log->setDefaultFont(pane->font());
        pane->setDocument(log);
    }
    shared->setDefaultTextOption(sharedOption);
    pane->setMinimumSize(10, 10);
    m_pSplitter->insertWidget(index, pane);
    connect(pane, &COrrindaleView::FocusGained, this, [this, pane] { OnPaneFocused(pane); });
    pane->OnInitialUpdate();
    return pane;
}

void CPaneSplitter::RemovePane(int index)
{
    COrrindaleView *pane = Pane(index);
    COrrindaleView *survivor = Pane(1 - index);
    if (!pane || !survivor)
        return;
    m_pDoc->RemoveView(pane);
    if (m_pActive == pane || !m_pActive)
        m_pActive = survivor;
    if (m_pLastActivePane == pane)
        m_pLastActivePane = survivor;
    // The pane may be running the very command that removes it (its context menu); it is
    // taken out now and deleted once that is over, no longer tied to the shared text.
    pane->blockSignals(true);
    pane->hide();
    pane->setParent(nullptr);
    pane->setDocument(nullptr);
    pane->deleteLater();
    survivor->setFocus(Qt::OtherFocusReason);
}

bool CPaneSplitter::RemoveSplit(int halfRows)
{
    const bool firstReadOnly = FirstPaneIsLog();
    const int victim = PaneToRemove(firstReadOnly, IndexOf(ActivePane()));
    // The lower pane was opened half a window further down; taking its place, it goes back.
    if (CurrentLayout() == Layout::Rows && victim == 0 && !firstReadOnly)
        SetTopRow(Pane(1), TopRow(Pane(1)) - halfRows);
    RemovePane(victim);
    m_pLastActivePane = ActivePane();
    return firstReadOnly;
}

void CPaneSplitter::OnSplitRow()
{
    const ModifiedKeeper keep(m_pDoc);
    const int h = Pane(0)->LineHeight();
    const int half = HalfRows(AreaHeight(), h);
    if (CurrentLayout() == Layout::Rows) {
        RemoveSplit(half);
        m_pDoc->UpdateAllViews(Hint::Unsplit);
        return;
    }
    if (CurrentLayout() == Layout::Columns) {
        RemoveSplit(half);
        m_pDoc->UpdateAllViews(Hint::Unsplit);
    }
    COrrindaleView *upper = Pane(0);
    const int caret = ActivePane()->SelectionStart();
    const int caretRow = DisplayLineOf(*upper, caret);
    SetSplitLineCount(upper->LineCount());

    m_pSplitter->setOrientation(Qt::Vertical);
    COrrindaleView *lower = AddPane(1, false);
    const int first = RowSplitFirstHeight(half, h);
    m_pSplitter->setSizes({first, std::max(10, AreaHeight() - first)});
    m_pDoc->UpdateAllViews(Hint::Initial, lower);
    const int lowerTop = TopRow(upper) + half;
    SetTopRow(lower, lowerTop);
    if (caretRow >= lowerTop) {
        PlaceCaret(lower, caret);
        SetActivePane(lower);
    } else {
        PlaceCaret(lower, RowStart(lower, lowerTop + 1));
        SetTopRow(lower, lowerTop);
        PlaceCaret(upper, caret);
        SetActivePane(upper);
    }
    m_pLastActivePane = ActivePane();
}

void CPaneSplitter::OnSplitColumn()
{
    const ModifiedKeeper keep(m_pDoc);
    const int half = HalfRows(AreaHeight(), Pane(0)->LineHeight());
    if (CurrentLayout() == Layout::Columns) {
        RemoveSplit(half);
        m_pDoc->UpdateAllViews(Hint::Unsplit);
        return;
    }
    if (CurrentLayout() == Layout::Rows) {
        RemoveSplit(half);
        m_pDoc->UpdateAllViews(Hint::Unsplit);
    }
    COrrindaleView *left = Pane(0);
    const int caret = ActivePane()->SelectionStart();
    SetSplitLineCount(left->LineCount());

    m_pSplitter->setOrientation(Qt::Horizontal);
    COrrindaleView *right = AddPane(1, false);
    const int first = ColumnSplitFirstWidth(AreaWidth());
    m_pSplitter->setSizes({first, std::max(10, AreaWidth() - first)});
    m_pDoc->UpdateAllViews(Hint::ColumnSplit);
    // Both columns lose word wrap with the hint above (the left one keeping its first line),
    // so rows are counted after it.
    const int top = TopRow(left);
    SetTopRow(right, top);
    PlaceCaret(right, RowStart(right, top));
    SetTopRow(right, top);
    PlaceCaret(left, caret);
    SetActivePane(left);
    m_pLastActivePane = left;
}

void CPaneSplitter::Unsplit()
{
    if (CurrentLayout() == Layout::Columns)
        OnSplitColumn();
    else if (CurrentLayout() == Layout::Rows)
        OnSplitRow();
}

void CPaneSplitter::OnLogColumn()
{
    ShowLog(true);
}

void CPaneSplitter::OnLogRow()
{
    ShowLog(false);
}

void CPaneSplitter::ShowLog(bool columns)
{
    const QString edited = m_pDoc->PathName();
    const QString log = TargetLogPath(edited, ReadAnotherFile(*m_context.store, edited));
    if (log.isEmpty() || !QFileInfo(log).isFile())
        return;
    const ModifiedKeeper keep(m_pDoc);
    const int h = Pane(0)->LineHeight();
    const int n = HalfRows(AreaHeight(), h);
    const Layout asked = columns ? Layout::Columns : Layout::Rows;
    if (CurrentLayout() == asked) {
        const bool logRemoved = RemoveSplit(n);
        if (columns || logRemoved)
            m_pDoc->UpdateAllViews(Hint::Unsplit);
        return;
    }
    if (CurrentLayout() != Layout::Single) {
        RemoveSplit(n);
        if (!columns)
            m_pDoc->UpdateAllViews(Hint::Unsplit);
    }

    COrrindaleView *editor = Pane(0);
    const int caret = editor->SelectionStart();
    const LoadResult loaded = LoadTextFile(log);
    if (loaded.error != LoadError::None) {
        m_context.prompter->Notice(LoadErrorMessage(loaded, log, editor->Settings().English()),
                                   MsgIcon::Exclamation);
        return;
    }
    m_pSplitter->setOrientation(columns ? Qt::Horizontal : Qt::Vertical);
    COrrindaleView *logPane = AddPane(0, true);
    logPane->document()->setPlainText(loaded.text);
    const int first = columns ? LogColumnFirstWidth(AreaWidth()) : LogRowFirstHeight(n, h);
    const int extent = columns ? AreaWidth() : AreaHeight();
    m_pSplitter->setSizes({first, std::max(10, extent - first)});
    m_pDoc->UpdateAllViews(columns ? Hint::ColumnSplit : Hint::LogRowSplit, logPane);
    m_pDoc->UpdateAllViews(Hint::LogPane, editor);

    logPane->setReadOnly(true);
    const int rows = logPane->document()->lineCount();
    int topRow = LogColumnTopRow(rows, n);
    if (!columns) {
        const QScreen *screen = m_pSplitter->screen();
        const int caption = m_pSplitter->style()->pixelMetric(QStyle::PM_TitleBarHeight);
        const int fullScreen = screen ? screen->availableGeometry().height() - caption : 0;
        topRow = LogRowTopRow(rows, fullScreen, h);
    }
    SetTopRow(logPane, topRow);
    // The editor stays the document's first view, so saving saves the text, not the log.
    m_pDoc->RemoveView(logPane);
    m_pDoc->AddView(logPane);

    PlaceCaret(editor, caret);
    editor->ensureCursorVisible();
    SetActivePane(editor);
    m_pLastActivePane = editor;
}

void CPaneSplitter::EqualiseHalves()
{
    if (PaneCount() < 2)
        return;
    const int extent = CurrentLayout() == Layout::Rows ? AreaHeight() : AreaWidth();
    const int half = EqualHalf(extent);
    m_pSplitter->setSizes({half, half});
}

bool CPaneSplitter::eventFilter(QObject *watched, QEvent *event)
{
    // The window's own handling has laid out the splitter by the time its filters run.
    if (watched == m_pSplitter->window() && event->type() == QEvent::Resize)
        EqualiseHalves();
    return QObject::eventFilter(watched, event);
}
