#pragma once

// The cell size of a well fitted to the window: the largest at which the well with its frame,
// the button column on the left and the preview and displays on the right all fit the client
// area, the cells keeping the proportions of the skins' largest pictures (44 x 37) and the side
// columns growing with them. All sizes are in window coordinates.
struct TWellFit
{
    int CellWidth = 26;
    int CellHeight = 22;
    // How much the side columns are enlarged against their fixed layout (never below 1).
    double ColumnScale = 1.0;

    // The side columns at their fixed size: the left one from the client's left edge, the right
    // one up to its 25-pixel margin, each with room to spare before the frame.
    static constexpr int LeftColumnWidth = 136;
    static constexpr int LeftColumnHeight = 400;
    static constexpr int RightColumnWidth = 158;
    static constexpr int RightColumnHeight = 381;
    static constexpr int ColumnGap = 8;
    static constexpr int Frame = 6;
    // The fitted cells are never smaller than Small.
    static constexpr int SmallestHeight = 22;
    static constexpr int LargestHeight = 400;

    static TWellFit For(int clientWidth, int clientHeight, int columns, int rows);
    // The width that goes with a fitted height: 37 high is 44 wide.
    static int WidthFor(int cellHeight);

    bool operator==(const TWellFit&) const = default;
};
