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
    const bool on = !v.Options().calcMode;
    // Physical line numbers, as their own command switches them: stored for every pane.
    if (on)
        WriteSetting(store, Keys::Line, 1);
    v.SetCalcMode(on);
    v.SetTabWidth(ReadSetting(store, on ? Keys::RetuHaba : Keys::TabStops));
    v.SetWordWrap(!on);
    if (on)
        v.GetDocument()->UpdateAllViews(Hint::Initial);
    else // after the wrap switch laid the panes out from the stored setting: this view only
        v.SetLineNumberMode(0);
    v.setFocus();
}

void CCalcController::SetTableWidth(int width)
{
    m_view.SetTabWidth(qBound(4, width, 24));
    WriteSetting(*m_context.store, Keys::RetuHaba, m_view.Options().tabWidth);
}

void CCalcController::RefreshSelection()
{
    const QTextCursor c = m_view.textCursor();
    m_nSelStart = c.selectionStart();
    m_nSelEnd = c.selectionEnd();
}

void CCalcController::ComputeCellRange()
{
    m_range = ::ComputeCellRange(TableText(m_view), m_nSelStart, m_nSelEnd);
    bool show = false;
    if (m_range.firstCol <= m_range.lastCol) {
        const auto [from, to] = SelectionCorners();
        show = from.left() < to.left();
    }
    m_bHighlight = show;
    m_view.viewport()->update();
}

void CCalcController::ForgetSelection()
{
    m_nSelStart = 0;
    m_nSelEnd = 0;
    m_range = CellRange();
}

void CCalcController::ToggleTwoClickSelect()
{
    // Only the flag: a start still waiting for its end keeps waiting.
    m_bTwoClickSelect = !m_bTwoClickSelect;
}

void CCalcController::OnLeftButtonUp()
{
    COrrindaleView &v = m_view;
    if (!v.Options().calcMode)
        return;
    if (!m_bTwoClickSelect) {
        RefreshSelection();
        ComputeCellRange();
        return;
    }
    const QTextCursor c = v.textCursor();
    if (m_nSelEnd != -1) {
        m_nSelStart = c.selectionStart();
        m_nSelEnd = -1;
    } else {
        m_nSelEnd = c.selectionEnd();
        if (m_nSelStart >= m_nSelEnd) {
            m_context.prompter->Notice(MsgText(Msg::CalcReselectEnd, v.Settings().English() != 0));
            m_nSelEnd = -1;
        } else {
            m_bTwoClickSelect = false;
            QTextCursor selection = v.textCursor();
            selection.setPosition(m_nSelStart);
            selection.setPosition(m_nSelEnd, QTextCursor::KeepAnchor);
            v.setTextCursor(selection);
            v.ensureCursorVisible();
        }
    }
    ComputeCellRange();
}

void CCalcController::OnKeyUp(int key)
{
    // A selection made with Shift and the arrow keys defines the range as a drag does.
    if (key == Qt::Key_Shift && m_view.Options().calcMode && !m_bTwoClickSelect) {
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
    start.setPosition(qBound(0, m_nSelStart, last));
    QTextCursor end(v.document());
    end.setPosition(qBound(0, m_nSelEnd, last));
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
    in.selStart = m_nSelStart;
    in.selEnd = m_nSelEnd;
    in.range = m_range;
    in.decimals = m_view.Options().roundIndex;
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
