#pragma once

#include "core/Settings.h"
#include "engine/GameEngine.h"
#include "view/CellImages.h"
#include "view/RasterOps.h"
#include "view/WellPainter.h"

#include <QImage>
#include <QRectF>

// What the painting benches share: the game's state as the painter reads it, with the lower rows
// of the well filled, and a stand-in for the window's backing store. Every change reaches that
// store as the client area's paint handler puts it there, so the figures include getting the
// pixels to the window.
struct TPaintRig
{
    TPaintRig() : Painter(TWellState{&Board, &NewBoard, &Marks, &Piece, &BlockX, &BlockY, &State}, Settings, Cells) {}

    // Once the cells and the geometry are set: the well drawn with its lower seven rows full.
    void FillLowerRows()
    {
        for (int row = 10; row < 17; ++row)
            for (int column = 0; column < 9; ++column)
                Board.At(row, column) = static_cast<uint8_t>((row + column) % 7 + 1);
        NewBoard = Board;
        Painter.RedrawWell(true);
    }

    void PaintScreen(const QRect& logical)
    {
        const double ratio = Painter.PixelRatio();
        const QRect area = QRectF(logical.x() * ratio, logical.y() * ratio, logical.width() * ratio,
                                  logical.height() * ratio).toAlignedRect();
        PaintArea(area & Painter.WindowRect());
    }

    void PaintArea(const QRect& area)
    {
        if (Screen.size() != Painter.WindowRect().size())
            Screen = QImage(Painter.WindowRect().size(), QImage::Format_RGB32);
        if (area.isEmpty())
            return;
        QImage view = TRasterOps::View(Screen, area);
        Painter.Paint(view, area);
    }

    void FullRepaint()
    {
        Painter.PaintWindow();
        PaintArea(Painter.WindowRect());
    }

    TSettings Settings;
    TGrid Board;
    TGrid NewBoard;
    TGrid Marks;
    TBlock Piece;
    int32_t BlockX = 2;
    int32_t BlockY = 0;
    TGameState State = gsPlaying;
    TCellImages Cells;
    QImage Screen;
    TWellPainter Painter;
};
