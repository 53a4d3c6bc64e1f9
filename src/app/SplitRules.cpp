#include "app/SplitRules.h"

#include <algorithm>

namespace {
constexpr int MinPane = 10;

int SafeHeight(int lineHeight)
{
    return lineHeight > 0 ? lineHeight : 18;
}
} // namespace

int PaneToRemove(bool firstPaneReadOnly, int activePane)
{
    if (firstPaneReadOnly)
        return 0;
    return activePane == 1 ? 0 : 1;
}

int HalfRows(int areaHeight, int lineHeight)
{
    return std::max(0, areaHeight) / (2 * SafeHeight(lineHeight));
}

int RowSplitFirstHeight(int halfRows, int lineHeight)
{
    return std::max(MinPane, halfRows * SafeHeight(lineHeight) - 5);
}

int ColumnSplitFirstWidth(int areaWidth)
{
    return std::max(MinPane, areaWidth / 2 - 18);
}

int LogColumnFirstWidth(int areaWidth)
{
    return std::max(MinPane, areaWidth / 2 - 3);
}

int LogRowFirstHeight(int halfRows, int lineHeight)
{
    return std::max(MinPane, halfRows * SafeHeight(lineHeight) * 2 / 3);
}

int LogColumnTopRow(int logRows, int halfRows)
{
    return std::max(0, logRows - 2 * halfRows - 1);
}

int LogRowTopRow(int logRows, int fullScreenHeight, int lineHeight)
{
    return std::max(0, logRows - fullScreenHeight / (3 * SafeHeight(lineHeight)) - 2);
}

int EqualHalf(int extent)
{
    return std::max(MinPane, extent / 2);
}
