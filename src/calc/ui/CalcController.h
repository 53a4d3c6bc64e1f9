#pragma once

#include "calc/AreaEditing.h"
#include "calc/TableCommand.h"

#include <QObject>
#include <QRect>

#include <utility>

class COrrindaleView;
class QPainter;
struct AppContext;

// Calculation mode of one view: the switch and its tab width, the remembered selection and
// the cell range the table commands act on (from every left click, every Shift release, or two
// clicks when armed), its highlight, the area store of the table-editing commands, and the way
// a table command's result goes into the view.
class CCalcController : public QObject {
    Q_OBJECT
public:
    CCalcController(COrrindaleView &view, AppContext &context);

    // Turns calculation mode on or off: line numbers, tab width and word wrap follow.
    void ToggleCalcMode();
    // Sets the tab width of the mode (4 to 24), applies it and stores it.
    void SetTableWidth(int width);

    // The remembered selection from the widget's selection.
    void RefreshSelection();
    // The range from the remembered selection, highlighted until the view next changes.
    void ComputeCellRange();
    // A new text: no remembered selection, no range.
    void ForgetSelection();
    const CellRange &Range() const { return m_range; }
    // Arms or disarms the two-click selection.
    void ToggleTwoClickSelect();
    bool TwoClickSelectArmed() const { return m_bTwoClickSelect; }

    // The rows last copied by the table-editing commands, kept for the view's lifetime.
    const AreaStore &Area() const { return m_area; }
    void SetArea(const AreaStore &area) { m_area = area; }

    // Hooks of the view's events.
    void OnLeftButtonUp();
    void OnKeyUp(int key);
    void PaintHighlight(QPainter &p) const;
    bool HighlightShown() const { return m_bHighlight; }

    // What a table command starts from, and its result written back: one edit and one undo
    // step, or the message it refused with. Returns whether the text changed.
    TableInput Input() const;
    bool Apply(const TableResult &result);

private:
    void HideHighlight();
    // Where the remembered selection's start and end stand on screen (clamped to the text).
    std::pair<QRect, QRect> SelectionCorners() const;

    COrrindaleView &m_view;
    AppContext &m_context;
    bool m_bHighlight = false;
    // The remembered selection (end -1: a two-click selection waits for its end) and the range
    // taken from it.
    int m_nSelStart = 0;
    int m_nSelEnd = 0;
    CellRange m_range;
    bool m_bTwoClickSelect = false;
    AreaStore m_area;
};
