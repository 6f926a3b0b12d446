#include "view/WindowLimits.h"

std::optional<int> TWindowLimits::MinimumOuterWidth(bool maximised, int panelNextWidth, int wellWidth)
{
    if (maximised)
        return std::nullopt;
    return 2 * panelNextWidth + wellWidth + 100;
}

std::optional<int> TWindowLimits::MinimumOuterHeight(bool maximised, int outerHeight, int clientHeight,
                                                     int wellHeight)
{
    if (maximised || clientHeight >= wellHeight)
        return std::nullopt;
    return outerHeight - clientHeight + wellHeight + 25;
}

int TWindowLimits::RightColumnLeft(int clientWidth, int controlWidth)
{
    return clientWidth - controlWidth - RightMargin;
}
