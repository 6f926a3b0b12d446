#include "StandInCells.h"

#include "view/NextPreview.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{

struct TPreviewCase
{
    const char* Name;
    bool Horizontal;
    std::vector<int> Colours;
    std::vector<QPoint> Corners;
};

TBlock Piece(bool horizontal, const std::vector<int>& colours)
{
    TBlock block;
    block.Horizontal = horizontal;
    block.Count = static_cast<uint8_t>(colours.size());
    for (size_t i = 0; i < colours.size(); ++i)
        block.Colors[i] = static_cast<uint8_t>(colours[i]);
    return block;
}

int NonBlackPixels(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xffffff) != 0)
                ++count;
    return count;
}

class PreviewLayout : public ::testing::TestWithParam<TPreviewCase>
{
};

// The preview's inner area inside PanelNext is 119 x 117.
TEST_P(PreviewLayout, CellsLieWhereTheLayoutPutsThem)
{
    const TPreviewCase& c = GetParam();
    TCellImages cells;
    StandIn::Load(cells, 26, 22, 26, 22, StandIn::TCellLook::Solid);
    TNextPreview preview(cells);
    preview.resize(119, 117);
    preview.SetBlock(Piece(c.Horizontal, c.Colours));

    const QImage image = preview.Render();
    ASSERT_EQ(image.size(), QSize(119, 117));
    int visibleArea = 0;
    for (size_t i = 0; i < c.Corners.size(); ++i)
    {
        const QRect cell = QRect(c.Corners[i], QSize(26, 22)) & image.rect();
        visibleArea += cell.width() * cell.height();
        int wrong = 0;
        for (int y = cell.top(); y <= cell.bottom(); ++y)
            for (int x = cell.left(); x <= cell.right(); ++x)
                if (image.pixel(x, y) != StandIn::Hue(c.Colours[i]))
                    ++wrong;
        EXPECT_EQ(wrong, 0) << "cell " << i;
    }
    // Nothing else is drawn on the black ground.
    EXPECT_EQ(NonBlackPixels(image), visibleArea);
}

INSTANTIATE_TEST_SUITE_P(
    Pieces, PreviewLayout,
    ::testing::Values(
        TPreviewCase{"Lying2", true, {1, 2}, {{33, 47}, {59, 47}}},
        TPreviewCase{"Standing3", false, {3, 4, 5}, {{46, 25}, {46, 47}, {46, 69}}},
        TPreviewCase{"Standing1", false, {6}, {{46, 47}}},
        TPreviewCase{"Lying4", true, {7, 1, 2, 3}, {{7, 47}, {33, 47}, {59, 47}, {85, 47}}},
        TPreviewCase{"Lying7",
                     true,
                     {1, 2, 3, 4, 5, 6, 7},
                     {{7, 34}, {33, 34}, {59, 34}, {85, 34}, {20, 60}, {46, 60}, {72, 60}}},
        // The second row of a 9-cell row overhangs by 5 pixels on the left and 6 on the right.
        TPreviewCase{"Lying9",
                     true,
                     {1, 2, 3, 4, 5, 6, 7, 1, 2},
                     {{7, 34}, {33, 34}, {59, 34}, {85, 34}, {-5, 60}, {21, 60}, {47, 60}, {73, 60}, {99, 60}}}),
    [](const ::testing::TestParamInfo<TPreviewCase>& info) { return std::string(info.param.Name); });

TEST(NextPreview, ShowNextOffLeavesOnlyTheBlackGround)
{
    TCellImages cells;
    StandIn::Load(cells, 26, 22, 26, 22, StandIn::TCellLook::Solid);
    TNextPreview preview(cells);
    preview.resize(119, 117);
    preview.SetBlock(Piece(true, {1, 2, 3, 4}));
    preview.ShowNext = false;
    EXPECT_EQ(NonBlackPixels(preview.Render()), 0);
    preview.ShowNext = true;
    EXPECT_EQ(NonBlackPixels(preview.Render()), 4 * 26 * 22);
}

TEST(NextPreview, BeforeTheFirstPieceOnlyTheGroundShows)
{
    TCellImages cells;
    StandIn::Load(cells, 26, 22, 26, 22, StandIn::TCellLook::Solid);
    TNextPreview preview(cells);
    preview.resize(119, 117);
    EXPECT_TRUE(preview.ShowNext);
    EXPECT_EQ(NonBlackPixels(preview.Render()), 0);
}

TEST(NextPreview, LargeCellPicturesAreShrunkToPreviewCells)
{
    TCellImages cells;
    StandIn::Load(cells, 44, 37, 44, 37, StandIn::TCellLook::Solid);
    TNextPreview preview(cells);
    preview.resize(119, 117);
    preview.SetBlock(Piece(false, {5}));
    const QImage image = preview.Render();
    EXPECT_EQ(NonBlackPixels(image), 26 * 22);
    EXPECT_EQ(image.copy(46, 47, 26, 22), StandIn::SolidCell(5, 26, 22));
}

TEST(NextPreview, SetBlockTakesACopy)
{
    TCellImages cells;
    TNextPreview preview(cells);
    TBlock next = Piece(true, {4, 5});
    preview.SetBlock(next);
    next.Colors[0] = 1;
    next.Count = 3;
    EXPECT_EQ(preview.Block.Count, 2);
    EXPECT_TRUE(preview.Block.Horizontal);
    EXPECT_EQ(preview.Block.Colors[0], 4);
    EXPECT_EQ(preview.Block.Colors[1], 5);
}

} // namespace
