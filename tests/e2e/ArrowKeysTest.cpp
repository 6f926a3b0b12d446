// A player without a numeric keypad: on a fresh store the arrow keys and Space play a piece.
#include "GameDriver.h"

#include <QImage>
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace
{
const QPoint QuartetButton(50, 208 + 26 * 4 + 10); // the fifth mode button, in client coordinates

struct TPiece
{
    std::vector<QPoint> Cells; // (row, column), in reading order: the piece's own cell order
    std::vector<int> Colours;

    bool Lying() const
    {
        return std::ranges::all_of(Cells, [this](QPoint c) { return c.x() == Cells.front().x(); });
    }
    std::set<int> Columns() const
    {
        std::set<int> columns;
        for (QPoint c : Cells)
            columns.insert(c.y());
        return columns;
    }
};

std::set<int> Shifted(const std::set<int>& columns, int by)
{
    std::set<int> shifted;
    for (int c : columns)
        shifted.insert(c + by);
    return shifted;
}

class ArrowKeysTest : public ::testing::Test
{
protected:
    TScreenWell Well(const QImage& screen) const
    {
        const QSize margin = Game.Client.size() - QSize(9 * Game.Cell.width(), 17 * Game.Cell.height());
        const QPoint origin = Game.Client.topLeft() + QPoint(margin.width() / 2, margin.height() / 2);
        return TScreenWell(screen, origin, 9, 17, Game.Cell, "SOLID256");
    }

    TPiece PieceIn(const QImage& screen) const
    {
        const TScreenWell well = Well(screen);
        TPiece piece{well.Filled(), {}};
        for (QPoint c : piece.Cells)
            piece.Colours.push_back(well.At(c));
        return piece;
    }

    // Screenshots until the whole four-cell piece shows as awaited; the last sighting either way.
    TPiece PieceWhen(const QString& label, const std::function<bool(const TPiece&)>& awaited)
    {
        TPiece piece;
        WaitUntil(5000, [&] {
            piece = PieceIn(Game.Shot(label));
            return piece.Cells.size() == 4 && awaited(piece);
        });
        return piece;
    }

    TGameDriver Game{::testing::UnitTest::GetInstance()->current_test_info()->name()};
};

TEST_F(ArrowKeysTest, OnAFreshStoreArrowsAndSpacePlayAPiece)
{
    ASSERT_TRUE(Game.Launch() && Game.WaitForMainWindow());
    Game.Click(QuartetButton); // QuartetBlock: four cells that may turn; the game starts
    const TPiece start = PieceWhen("entered", [](const TPiece&) { return true; });
    ASSERT_EQ(start.Cells.size(), 4u) << "no whole piece in view";

    Game.Key("Left");
    EXPECT_EQ(PieceWhen("left", [&](const TPiece& p) { return p.Columns() != start.Columns(); }).Columns(),
              Shifted(start.Columns(), -1));
    Game.Key("Right");
    EXPECT_EQ(PieceWhen("right", [&](const TPiece& p) { return p.Columns() == start.Columns(); }).Columns(),
              start.Columns());

    const std::vector<int> c = start.Colours;
    const std::vector<int> cycled{c[1], c[2], c[3], c[0]};
    Game.Key("Up");
    EXPECT_EQ(PieceWhen("up", [&](const TPiece& p) { return p.Colours == cycled; }).Colours, cycled);

    Game.Key("space");
    EXPECT_NE(PieceWhen("space", [&](const TPiece& p) { return p.Lying() != start.Lying(); }).Lying(), start.Lying());

    // Down drops it to the floor at once (what is left of it, should three alike dissolve there).
    Game.Key("Down");
    const bool allAlike = std::ranges::all_of(c, [&](int colour) { return colour == c[0]; });
    const auto onFloor = [&](const QImage& screen) {
        const TScreenWell well = Well(screen);
        for (int column = 0; column < 9; ++column)
            if (well.At({16, column}) > 0)
                return true;
        return allAlike;
    };
    QImage screen;
    EXPECT_TRUE(WaitUntil(4000, [&] { return onFloor(screen = Game.Shot("dropped")); }));
}
} // namespace
