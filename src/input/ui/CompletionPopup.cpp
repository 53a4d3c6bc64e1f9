#include "input/ui/CompletionPopup.h"

CCompletionPopup::CCompletionPopup(QWidget *owner)
    : QListWidget(owner)
{
    // A window of its own so that it can hang below the view's edge, shown without taking
    // activation or focus from the editor.
    setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    viewport()->setFocusPolicy(Qt::NoFocus);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(this, &QListWidget::itemDoubleClicked, this, &CCompletionPopup::Chosen);
}

int CCompletionPopup::CreatedHeight() const
{
    return 75 * fontMetrics().height() / 8 - 2 * frameWidth();
}

void CCompletionPopup::MoveSelection(bool down)
{
    const int n = count();
    if (n == 0)
        return;
    const int row = currentRow();
    if (down) {
        if (n < 2)
            return;
        setCurrentRow(row < 0 || row + 1 >= n ? 0 : row + 1);
    } else {
        setCurrentRow(row <= 0 ? n - 1 : row - 1);
    }
    scrollToItem(currentItem());
}
