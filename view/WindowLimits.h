#pragma once

#include <optional>

// The window rules that depend on the well: the smallest size a restored window may take and
// where the right-hand column of labels and panels stands.
class TWindowLimits
{
public:
    static constexpr int PanelNextWidth = 133;
    static constexpr int RightMargin = 25;

    // None while maximised: a maximised window gets no minimum.
    static std::optional<int> MinimumOuterWidth(bool maximised, int panelNextWidth, int wellWidth);

    // Only when the client area is shorter than the well: the outer height at which the client
    // area is 25 pixels taller than the well. None means the minimum height stays as it was.
    static std::optional<int> MinimumOuterHeight(bool maximised, int outerHeight, int clientHeight,
                                                 int wellHeight);

    // Left edge that puts a control's right edge 25 pixels inside the client area.
    static int RightColumnLeft(int clientWidth, int controlWidth);
};
