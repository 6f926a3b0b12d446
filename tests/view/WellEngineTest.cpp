#include "StandInCells.h"

#include "engine/GameEngine.h"
#include "core/Settings.h"
#include "tests/support/FakeClock.h"
#include "view/CellImages.h"
#include "view/WellPainter.h"
#include "view/WellView.h"

#include <gtest/gtest.h>

#include <random>

namespace
{

constexpr int W = 44;
constexpr int H = 37;

TSettings QuietSettings()
{
    TSettings settings;
    settings.SoundOn = false;
    settings.MusicOn = false;
    settings.InnerMode = 1;
    settings.OuterMode = 1;
    settings.InnerColor = 0x00402010;
    settings.InnerImage.clear();
    settings.OuterImage.clear();
    return settings;
}

// A game driven through the view, as the window does it: engine -> view -> painter.
struct TGameRig
{
    explicit TGameRig(uint32_t seed)
        : Settings(QuietSettings()), View(Painter, Settings), Engine(Settings, View, Clock, seed),
          Painter(Engine, Settings, Cells)
    {
        StandIn::Load(Cells, W, H, W, H);
        Painter.FormResize(1016, 680);
        Painter.UpdateGeometry();
        Engine.Start();
    }

    // BoardImage as a full redraw of the settled cells would make it.
    QImage Redrawn() const
    {
        TCellImages cells;
        StandIn::Load(cells, W, H, W, H);
        TWellPainter reference(Engine, const_cast<TSettings&>(Settings), cells);
        reference.FormResize(1016, 680);
        reference.UpdateGeometry();
        reference.RedrawWell(true);
        return reference.BoardImage();
    }

    QImage ShownWell() const { return Painter.WindowImage().copy(Painter.Geometry().WellRect()); }

    QImage WindowCell(int column, int row) const
    {
        const QPoint corner = Painter.Geometry().Origin() + QPoint(column * W, row * H);
        return Painter.WindowImage().copy(QRect(corner, QSize(W, H)));
    }

    QImage BoardCell(int column, int row) const { return Painter.BoardImage().copy(column * W, row * H, W, H); }

    // Ticks until the falling piece has landed.
    void TickUntilLanded()
    {
        for (int tick = 0; tick < 2000 && Engine.GameState == gsPlaying; ++tick)
            Engine.TimerTick();
        ASSERT_EQ(Engine.GameState, gsNextBlock);
    }

    void Place(const TBlock& piece, int x, int y)
    {
        Engine.CurrentBlock = piece;
        Engine.BlockX = x;
        Engine.BlockY = y;
        Engine.GameState = gsPlaying;
        View.RedrawPieceArea(x, y, piece.Horizontal ? piece.Count : 1, piece.Horizontal ? 1 : piece.Count);
    }

    TSettings Settings;
    TFakeClock Clock{5}; // busy waits end after a few polls
    TCellImages Cells;
    TWellView View;
    TGameEngine Engine;
    TWellPainter Painter;
};

TBlock Piece(bool horizontal, std::initializer_list<uint8_t> colours)
{
    TBlock block;
    block.Horizontal = horizontal;
    block.Count = static_cast<uint8_t>(colours.size());
    int i = 0;
    for (const uint8_t colour : colours)
        block.Colors[i++] = colour;
    return block;
}

QImage Plain(QRgb colour)
{
    QImage image(W, H, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

const QRgb Inner = qRgb(0x10, 0x20, 0x40);

// A lying piece lands across a hole: its left cell drops in, completes a row of three,
// the row dissolves and the stack is redrawn.
TEST(WellWithEngine, LandingThatSettlesAndClearsLeavesTheBoardImageOfTheBoard)
{
    TGameRig rig(7);
    rig.Engine.NewGame();
    rig.Engine.Board.At(16, 0) = 1;
    rig.Engine.Board.At(16, 1) = 1;
    rig.Engine.Board.At(16, 3) = 6;
    rig.Engine.Board.At(16, 4) = 7;
    rig.View.RedrawWell(true);
    rig.Place(Piece(true, {1, 4, 5}), 2, 0);

    rig.TickUntilLanded();

    EXPECT_EQ(rig.Engine.Board.At(16, 0), 0);
    EXPECT_EQ(rig.Engine.Board.At(16, 2), 0);
    EXPECT_EQ(rig.Engine.Board.At(16, 3), 6);
    EXPECT_EQ(rig.Engine.Board.At(15, 3), 4);
    EXPECT_EQ(rig.Engine.Score, 45);
    EXPECT_EQ(rig.Painter.BoardImage(), rig.Redrawn());
    EXPECT_EQ(rig.ShownWell(), rig.Painter.BoardImage());
    EXPECT_EQ(rig.BoardCell(4, 15), StandIn::PatternedCell(5, W, H));
    EXPECT_EQ(rig.BoardCell(0, 16), Plain(Inner));
}

TEST(WellWithEngine, StandingPieceThatLandsIsTakenIntoTheBoardImage)
{
    TGameRig rig(11);
    rig.Engine.NewGame();
    rig.Place(Piece(false, {2, 3, 4}), 6, -2);

    rig.TickUntilLanded();

    EXPECT_EQ(rig.Engine.Board.At(16, 6), 4);
    EXPECT_EQ(rig.Engine.Board.At(14, 6), 2);
    EXPECT_EQ(rig.Painter.BoardImage(), rig.Redrawn());
    EXPECT_EQ(rig.ShownWell(), rig.Painter.BoardImage());
}

// Many pieces with random moves and hard drops: after every landing the board image matches.
TEST(WellWithEngine, EveryLandingOfAGameKeepsTheBoardImageExact)
{
    TGameRig rig(20240601);
    std::mt19937 moves(5);
    rig.Engine.NewGame();
    int landings = 0;
    int clears = 0;
    while (landings < 60 && rig.Engine.GameState != gsStopped)
    {
        rig.Engine.TimerTick(); // the next piece enters
        if (rig.Engine.GameState != gsPlaying)
            break;
        const int32_t scoreBefore = rig.Engine.Score;
        const int shifts = static_cast<int>(moves() % 9) - 4;
        for (int i = 0; i < std::abs(shifts); ++i)
            rig.Engine.FormKeyDown(shifts < 0 ? rig.Settings.LeftKey : rig.Settings.RightKey);
        if (moves() % 3 == 0)
            rig.Engine.FormKeyDown(rig.Settings.RBlockKey);
        if (moves() % 2 == 0)
            rig.Engine.FormKeyDown(rig.Settings.RColorKey);
        if (moves() % 4 == 0)
            rig.TickUntilLanded(); // a few pieces fall tick by tick
        else
            rig.Engine.FormKeyDown(rig.Settings.DropKey);
        ASSERT_EQ(rig.Engine.GameState, gsNextBlock);
        ++landings;
        if (rig.Engine.Score - scoreBefore > 20)
            ++clears;
        ASSERT_EQ(rig.Painter.BoardImage(), rig.Redrawn()) << "landing " << landings;
        ASSERT_EQ(rig.ShownWell(), rig.Painter.BoardImage()) << "landing " << landings;
    }
    EXPECT_GE(landings, 20);
    EXPECT_GE(clears, 1);
}

TEST(WellWithEngine, PauseHidesTheCellsAndResumeShowsThemAndThePiece)
{
    TGameRig rig(3);
    rig.Engine.NewGame();
    rig.Engine.Board.At(16, 0) = 5;
    rig.Engine.Board.At(16, 8) = 2;
    rig.View.RedrawWell(true);
    rig.Place(Piece(true, {3, 3}), 4, 5);
    ASSERT_EQ(rig.WindowCell(4, 5), StandIn::PatternedCell(3, W, H));

    rig.Engine.PauseMenuClick();
    ASSERT_EQ(rig.Engine.GameState, gsPaused);
    EXPECT_EQ(rig.WindowCell(0, 16), Plain(Inner));
    EXPECT_EQ(rig.WindowCell(8, 16), Plain(Inner));
    EXPECT_EQ(rig.WindowCell(4, 5), Plain(Inner));
    EXPECT_NE(rig.ShownWell(), rig.Redrawn()); // the banner is there

    rig.Engine.PauseMenuClick();
    ASSERT_EQ(rig.Engine.GameState, gsPlaying);
    EXPECT_EQ(rig.WindowCell(0, 16), StandIn::PatternedCell(5, W, H));
    EXPECT_EQ(rig.WindowCell(8, 16), StandIn::PatternedCell(2, W, H));
    EXPECT_EQ(rig.WindowCell(4, 5), StandIn::PatternedCell(3, W, H));
    EXPECT_EQ(rig.WindowCell(5, 5), StandIn::PatternedCell(3, W, H));
    EXPECT_EQ(rig.Painter.BoardImage(), rig.Redrawn());
}

// The entering piece that ends the game stays visible over the stack without joining the well.
TEST(WellWithEngine, GameOverKeepsTheBlockedPieceOnScreen)
{
    TGameRig rig(9);
    rig.Engine.NewGame();
    for (int row = 0; row < 17; ++row)
        rig.Engine.Board.At(row, 4) = static_cast<uint8_t>(row % 2 ? 1 : 2);
    rig.Engine.NewBoard = rig.Engine.Board; // as the last clearing pass left it
    rig.View.RedrawWell(true);
    rig.Engine.NextBlock = Piece(false, {6, 6, 7});
    const TGrid before = rig.Engine.Board;

    rig.Engine.TimerTick();

    ASSERT_EQ(rig.Engine.GameState, gsStopped);
    EXPECT_EQ(rig.Engine.Board, before);
    EXPECT_EQ(rig.BoardCell(4, 0), StandIn::PatternedCell(7, W, H));
    EXPECT_EQ(rig.WindowCell(4, 0), StandIn::PatternedCell(7, W, H));
    EXPECT_EQ(rig.BoardCell(4, 1), StandIn::PatternedCell(1, W, H));
}

} // namespace
