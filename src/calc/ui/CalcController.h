#pragma once

#include "calc/TableCommand.h"

#include <QObject>
#include <QRect>

#include <utility>

class COrrindaleView;
class QPainter;
struct AppContext;

// Calculation mode of one view: the switch and its tab width, the remembered selection and
// the cell range the table commands act on (from every left click, every Shift release, or two
// clicks when armed), its highlight, and the way a table command's result goes into the view.
class CCalcController : public QObject {
    Q_OBJECT
public:
    CCalcController(COrrindaleView &view, AppContext &context);

    // Turns calculation mode on or off: line numbers, tab width and word wrap follow.
    void ToggleCalcMode();
    // Sets the tab width of the mode (4 to 24), applies it and stores it.
    void SetTableWidth(int width);

    // m_nSelStart / m_nSelEnd from the widget's selection.
    void RefreshSelection();
    // m_range from m_nSelStart / m_nSelEnd, highlighted until the view next changes.
    void ComputeCellRange();
    // Arms or disarms the two-click selection.
    void ToggleTwoClickSelect();

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
};
