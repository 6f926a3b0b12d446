#include "view/WindowLimits.h"

std::optional<int> TWindowLimits::MinimumOuterWidth(bool maximised, int panelNextWidth, int wellWidth)
{
    if (maximised)
        return std::nullopt;
    return 2 * panelNextWidth + wellWidth + 100;
}

int TWindowLimits::RightColumnLeft(int clientWidth, int controlWidth)
{
    return clientWidth - controlWidth - RightMargin;
}
