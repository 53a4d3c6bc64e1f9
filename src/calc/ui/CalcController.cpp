#include "calc/ui/CalcController.h"

#include "app/AppSettings.h"
#include "app/Prompter.h"
#include "app/SettingsKeys.h"
#include "app/SettingsStore.h"
#include "app/ui/AppContext.h"
#include "app/ui/COrrindaleDoc.h"
#include "app/ui/COrrindaleView.h"
#include "calc/ui/TableEdit.h"
#include "res/Messages.h"

#include <QPainter>
#include <QScrollBar>
#include <QTextCursor>

CCalcController::CCalcController(COrrindaleView &view, AppContext &context)
    : QObject(&view)
    , m_view(view)
    , m_context(context)
{
    // The highlight is drawn over the text as it was when the range was taken; any change of
    // the text, the caret or the scrolling paints it away.
    connect(&view, &QPlainTextEdit::textChanged, this, &CCalcController::HideHighlight);
    connect(&view, &QPlainTextEdit::cursorPositionChanged, this, &CCalcController::HideHighlight);
    connect(view.verticalScrollBar(), &QScrollBar::valueChanged, this,
            &CCalcController::HideHighlight);
    connect(view.horizontalScrollBar(), &QScrollBar::valueChanged, this,
            &CCalcController::HideHighlight);
}

void CCalcController::ToggleCalcMode()
{
    COrrindaleView &v = m_view;
    SettingsStore &store = *m_context.store;
    if (!v.m_bCalcMode) {
        v.m_bCalcMode = 1;
        // Physical line numbers, as their own command switches them: stored for every pane.
        WriteSetting(store, Keys::Line, 1);
        v.m_nLineNumberMode = 1;
        v.m_nTabWidth = ReadSetting(store, Keys::RetuHaba);
        v.m_bWordWrap = 0;
    } else {
        v.m_bCalcMode = 0;
        v.m_nLineNumberMode = 0; // for this view only: "Line" keeps its value
        v.m_nTabWidth = ReadSetting(store, Keys::TabStops);
        v.m_bWordWrap = 1;
    }
    v.ApplyTabStops();
    v.SetWordWrap(v.m_bWordWrap != 0, true);
    if (v.m_bCalcMode) {
        v.GetDocument()->UpdateAllViews(Hint::Initial);
    } else {
        // The word-wrap switch lays the panes out again from the stored setting.
        v.m_nLineNumberMode = 0;
        v.LayoutGutter();
    }
    v.viewport()->update();
    v.setFocus();
}

void CCalcController::SetTableWidth(int width)
{
    m_view.m_nTabWidth = qBound(4, width, 24);
    m_view.ApplyTabStops();
    m_view.viewport()->update();
    WriteSetting(*m_context.store, Keys::RetuHaba, m_view.m_nTabWidth);
}

void CCalcController::RefreshSelection()
{
    const QTextCursor c = m_view.textCursor();
    m_view.m_nSelStart = c.selectionStart();
    m_view.m_nSelEnd = c.selectionEnd();
}

void CCalcController::ComputeCellRange()
{
    COrrindaleView &v = m_view;
    v.m_range = ::ComputeCellRange(TableText(v), v.m_nSelStart, v.m_nSelEnd);
    bool show = false;
    if (v.m_range.firstCol <= v.m_range.lastCol) {
        const auto [from, to] = SelectionCorners();
        show = from.left() < to.left();
    }
    m_bHighlight = show;
    v.viewport()->update();
}

void CCalcController::ToggleTwoClickSelect()
{
    COrrindaleView &v = m_view;
    // Only the flag: a start still waiting for its end keeps waiting.
    v.m_bTwoClickSelect = v.m_bTwoClickSelect ? 0 : 1;
}

void CCalcController::OnLeftButtonUp()
{
    COrrindaleView &v = m_view;
    if (!v.m_bCalcMode)
        return;
    if (!v.m_bTwoClickSelect) {
        RefreshSelection();
        ComputeCellRange();
        return;
    }
    const QTextCursor c = v.textCursor();
    if (v.m_nSelEnd != -1) {
        v.m_nSelStart = c.selectionStart();
        v.m_nSelEnd = -1;
    } else {
        v.m_nSelEnd = c.selectionEnd();
        if (v.m_nSelStart >= v.m_nSelEnd) {
            m_context.prompter->Notice(MsgText(Msg::CalcReselectEnd, v.Settings().English() != 0));
            v.m_nSelEnd = -1;
        } else {
            v.m_bTwoClickSelect = 0;
            QTextCursor selection = v.textCursor();
            selection.setPosition(v.m_nSelStart);
            selection.setPosition(v.m_nSelEnd, QTextCursor::KeepAnchor);
            v.setTextCursor(selection);
            v.ensureCursorVisible();
        }
    }
    ComputeCellRange();
}

void CCalcController::OnKeyUp(int key)
{
    // A selection made with Shift and the arrow keys defines the range as a drag does.
    if (key == Qt::Key_Shift && m_view.m_bCalcMode && !m_view.m_bTwoClickSelect) {
        RefreshSelection();
        ComputeCellRange();
    }
}

void CCalcController::PaintHighlight(QPainter &p) const
{
    if (!m_bHighlight)
        return;
    const auto [from, to] = SelectionCorners();
    const QRect area(QPoint(from.left(), from.top()),
                     QPoint(to.left() - 1, to.top() + m_view.LineHeight() - 1));
    p.save();
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    p.fillRect(area, Qt::white);
    p.restore();
}

std::pair<QRect, QRect> CCalcController::SelectionCorners() const
{
    const COrrindaleView &v = m_view;
    const int last = v.document()->characterCount() - 1;
    QTextCursor start(v.document());
    start.setPosition(qBound(0, v.m_nSelStart, last));
    QTextCursor end(v.document());
    end.setPosition(qBound(0, v.m_nSelEnd, last));
    return {v.cursorRect(start), v.cursorRect(end)};
}

void CCalcController::HideHighlight()
{
    if (!m_bHighlight)
        return;
    m_bHighlight = false;
    m_view.viewport()->update();
}

TableInput CCalcController::Input() const
{
    TableInput in;
    in.text = TableText(m_view);
    in.selStart = m_view.m_nSelStart;
    in.selEnd = m_view.m_nSelEnd;
    in.range = m_view.m_range;
    in.decimals = m_view.m_nRoundIndex;
    in.english = m_view.Settings().English() != 0;
    return in;
}

bool CCalcController::Apply(const TableResult &result)
{
    if (!result.message.isEmpty()) {
        MessageRequest request;
        request.text = result.message;
        request.caption = MsgText(Msg::CalcCaution, m_view.Settings().English() != 0);
        request.icon = MsgIcon::Exclamation;
        m_context.prompter->Message(request);
        return false;
    }
    if (!result.changed)
        return false;
    return ApplyTableEdit(m_view, result.text, result.selStart);
}
