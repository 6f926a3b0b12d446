#pragma once

#include <optional>

// The window rules that depend on the well: the smallest width a restored window may take and
// where the right-hand column of labels and panels stands. The smallest height is the game
// window's own (TFormTumbla::ApplyMinimumSize).
class TWindowLimits
{
public:
    static constexpr int PanelNextWidth = 133;
    static constexpr int RightMargin = 25;

    // None while maximised: a maximised window gets no minimum.
    static std::optional<int> MinimumOuterWidth(bool maximised, int panelNextWidth, int wellWidth);

    // Left edge that puts a control's right edge 25 pixels inside the client area.
    static int RightColumnLeft(int clientWidth, int controlWidth);
};
