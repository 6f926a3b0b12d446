#pragma once

// Somewhere cells can be drawn: the well images, the preview, the window.
// Keeps the engine's pieces able to draw themselves without knowing Qt.
class ICellSurface
{
public:
    virtual ~ICellSurface() = default;
    // Draws one cell of the given colour (0..7) at a pixel rectangle; step 0 is the plain
    // cell, 1..4 the dissolve frames, 5 the bare well background.
    virtual void DrawCell(int x, int y, int width, int height, int colour, int step) = 0;
};
