#include "StandInCells.h"

#include "view/CellImages.h"
#include "view/CellNames.h"

#include <QFile>
#include <gtest/gtest.h>

namespace
{

constexpr int LargeWidth = 44;
constexpr int LargeHeight = 37;
const QPoint WellOrigin(20, 15);

QImage Filled(int w, int h, int seed)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb((x * 3 + seed) & 0xff, (y * 2 + seed) & 0xff, (x + y + seed * 7) & 0xff));
    return image;
}

// A window-sized surface with a well of 3 x 3 large cells at (20, 15) and its own background.
class CellDrawing : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Background = Filled(3 * LargeWidth, 3 * LargeHeight, 11);
        Window = Filled(200, 150, 90);
        Cells.SetWellBackground(&Background, WellOrigin);
    }

    // Window position of a well cell.
    static QPoint CellCorner(int column, int row)
    {
        return WellOrigin + QPoint(column * LargeWidth, row * LargeHeight);
    }

    // Every pixel outside the rectangle is as it was.
    void ExpectUnchangedOutside(const QImage& before, const QRect& rect) const
    {
        int changed = 0;
        for (int y = 0; y < Window.height(); ++y)
            for (int x = 0; x < Window.width(); ++x)
                if (!rect.contains(x, y) && Window.pixel(x, y) != before.pixel(x, y))
                    ++changed;
        EXPECT_EQ(changed, 0);
    }

    TCellImages Cells;
    QImage Background;
    QImage Window;
};

struct TDissolveCase
{
    int Step;
    int Colour;
};

class DissolveFrame : public CellDrawing, public ::testing::WithParamInterface<TDissolveCase>
{
};

// The cell shows where its mask is black (white for an empty cell), the well background where white.
TEST_P(DissolveFrame, ShowsCellWhereMaskIsBlackAndBackgroundWhereWhite)
{
    const auto [step, colour] = GetParam();
    StandIn::Load(Cells, LargeWidth, LargeHeight, LargeWidth, LargeHeight);
    const QImage before = Window.copy();
    const QPoint corner = CellCorner(1, 1);

    Cells.DrawCell(Window, corner.x(), corner.y(), LargeWidth, LargeHeight, colour, step);

    const QImage cell = StandIn::PatternedCell(colour == 0 ? 1 : colour, LargeWidth, LargeHeight);
    int wrong = 0;
    for (int y = 0; y < LargeHeight; ++y)
        for (int x = 0; x < LargeWidth; ++x)
        {
            QRgb expected;
            if (StandIn::MaskIsWhite(step, x, y))
                expected = Background.pixel(LargeWidth + x, LargeHeight + y);
            else
                expected = colour == 0 ? qRgb(255, 255, 255) : cell.pixel(x, y);
            if (Window.pixel(corner.x() + x, corner.y() + y) != expected)
                ++wrong;
        }
    EXPECT_EQ(wrong, 0);
    ExpectUnchangedOutside(before, QRect(corner, QSize(LargeWidth, LargeHeight)));
}

INSTANTIATE_TEST_SUITE_P(StepsAndColours, DissolveFrame,
                         ::testing::Values(TDissolveCase{1, 3}, TDissolveCase{2, 3}, TDissolveCase{3, 3},
                                           TDissolveCase{4, 3}, TDissolveCase{1, 7}, TDissolveCase{4, 1},
                                           TDissolveCase{1, 0}, TDissolveCase{2, 0}, TDissolveCase{3, 0},
                                           TDissolveCase{4, 0}));

TEST_F(CellDrawing, FinalStepLeavesExactlyTheWellBackground)
{
    StandIn::Load(Cells, LargeWidth, LargeHeight, LargeWidth, LargeHeight);
    const QPoint corner = CellCorner(2, 0);
    Cells.DrawCell(Window, corner.x(), corner.y(), LargeWidth, LargeHeight, 5, 0);
    for (int step = 1; step <= 5; ++step)
        Cells.DrawCell(Window, corner.x(), corner.y(), LargeWidth, LargeHeight, 5, step);

    const QImage shown = Window.copy(QRect(corner, QSize(LargeWidth, LargeHeight)));
    const QImage expected = Background.copy(2 * LargeWidth, 0, LargeWidth, LargeHeight);
    EXPECT_EQ(shown, expected);
}

TEST_F(CellDrawing, EmptyCellAtStepZeroLeavesTheTargetUnchanged)
{
    StandIn::Load(Cells, LargeWidth, LargeHeight, LargeWidth, LargeHeight);
    const QImage before = Window.copy();
    Cells.DrawCell(Window, 30, 30, LargeWidth, LargeHeight, 0, 0);
    EXPECT_EQ(Window, before);
}

TEST_F(CellDrawing, StepZeroCopiesTheCellPictureAtItsOwnSize)
{
    StandIn::Load(Cells, LargeWidth, LargeHeight, LargeWidth, LargeHeight);
    const QImage before = Window.copy();
    Cells.DrawCell(Window, 7, 9, LargeWidth, LargeHeight, 6, 0);
    EXPECT_EQ(Window.copy(7, 9, LargeWidth, LargeHeight), StandIn::PatternedCell(6, LargeWidth, LargeHeight));
    ExpectUnchangedOutside(before, QRect(7, 9, LargeWidth, LargeHeight));
}

// Skins that exist only at the large size are shrunk into every smaller cell.
TEST_F(CellDrawing, LargePictureIsShrunkToExactlyTheSmallCell)
{
    StandIn::Load(Cells, LargeWidth, LargeHeight, 26, 22, StandIn::TCellLook::Solid);
    const QImage before = Window.copy();
    Cells.DrawCell(Window, 50, 40, 26, 22, 4, 0);
    EXPECT_EQ(Window.copy(50, 40, 26, 22), StandIn::SolidCell(4, 26, 22));
    ExpectUnchangedOutside(before, QRect(50, 40, 26, 22));
    EXPECT_EQ(Cells.MaskImage().size(), QSize(LargeWidth, LargeHeight));
}

// Small masks, large pictures: the mask is scaled up into the scratch image and back down.
TEST_F(CellDrawing, DissolveOfLargePictureInSmallCellFollowsTheSmallMask)
{
    StandIn::Load(Cells, LargeWidth, LargeHeight, 26, 22, StandIn::TCellLook::Solid);
    Cells.SetWellBackground(&Background, QPoint(0, 0));
    for (int step = 1; step <= 4; ++step)
    {
        Cells.DrawCell(Window, 26, 22, 26, 22, 2, step);
        int wrong = 0;
        for (int y = 0; y < 22; ++y)
            for (int x = 0; x < 26; ++x)
            {
                const QRgb expected =
                    StandIn::MaskIsWhite(step, x, y) ? Background.pixel(26 + x, 22 + y) : StandIn::Hue(2);
                if (Window.pixel(26 + x, 22 + y) != expected)
                    ++wrong;
            }
        EXPECT_EQ(wrong, 0) << "step " << step;
    }
}

// A piece entering from above the well is cut off at the image's edge, not shifted.
TEST_F(CellDrawing, CellsCutOffByTheEdgeKeepTheirVisiblePart)
{
    StandIn::Load(Cells, LargeWidth, LargeHeight, LargeWidth, LargeHeight);
    Cells.DrawCell(Window, Window.width() - 20, -10, LargeWidth, LargeHeight, 3, 0);
    const QImage cell = StandIn::PatternedCell(3, LargeWidth, LargeHeight);
    EXPECT_EQ(Window.copy(Window.width() - 20, 0, 20, LargeHeight - 10), cell.copy(0, 10, 20, LargeHeight - 10));
}

TEST_F(CellDrawing, SkinOutsideOneToFourLoadsNothingAndDrawsNoCells)
{
    for (const int skin : {0, 5, 255})
    {
        StandIn::Load(Cells, LargeWidth, LargeHeight, LargeWidth, LargeHeight);
        Cells.LoadCellImages(skin, LargeWidth);
        for (int colour = 1; colour <= 7; ++colour)
            EXPECT_TRUE(Cells.CellImage(colour).isNull()) << "skin " << skin << " colour " << colour;
        EXPECT_EQ(Cells.MaskImage().size(), QSize(0, 0));

        const QImage before = Window.copy();
        Cells.DrawCell(Window, 40, 40, LargeWidth, LargeHeight, 3, 0);
        EXPECT_EQ(Window, before) << "skin " << skin;
    }
}

struct TNameCase
{
    int Skin;
    int Width;
    int Colour;
    const char* Name;
};

TEST(CellNames, PictureNamesFollowSkinAndCellWidth)
{
    const TNameCase cases[] = {
        {1, 44, 1, "SOLID2561"},  {1, 26, 7, "SOLID2567"},  {2, 34, 3, "SOLID3"},    {2, 26, 1, "SOLID1"},
        {3, 26, 5, "PYRAMIDS5"},  {3, 34, 3, "PYRAMIDM3"},  {3, 44, 1, "PYRAMID1"},  {3, 50, 2, "PYRAMID2"},
        {4, 26, 2, "NUMBERS2"},   {4, 34, 6, "NUMBERM6"},   {4, 44, 7, "NUMBER7"},   {4, 0, 4, "NUMBER4"},
        {0, 44, 1, ""},           {5, 26, 1, ""},
    };
    for (const TNameCase& c : cases)
        EXPECT_EQ(TCellNames::CellImageName(c.Skin, c.Width, c.Colour), QString::fromLatin1(c.Name))
            << "skin " << c.Skin << " width " << c.Width << " colour " << c.Colour;
}

TEST(CellNames, MaskNamesFollowCellWidth)
{
    EXPECT_EQ(TCellNames::SolveImageName(26, 1), QStringLiteral("SOLVESMALL1"));
    EXPECT_EQ(TCellNames::SolveImageName(34, 4), QStringLiteral("SOLVEMEDIUM4"));
    EXPECT_EQ(TCellNames::SolveImageName(44, 2), QStringLiteral("SOLVELARGE2"));
    EXPECT_EQ(TCellNames::SolveImageName(40, 3), QStringLiteral("SOLVELARGE3"));
    EXPECT_EQ(TCellNames::ResourcePath(QStringLiteral("PYRAMIDM3")), QStringLiteral(":/cells/PYRAMIDM3"));
}

struct TLoadCase
{
    int Skin;
    int Width;
    QSize CellSize;
    QSize MaskSize;
};

// Needs the program's built-in pictures; skipped while they are not linked in.
TEST(CellResources, LoadedPicturesHaveTheSizesOfTheirSet)
{
    if (!QFile::exists(QStringLiteral(":/cells/SOLVELARGE1")))
        GTEST_SKIP() << "built-in cell pictures not linked";
    const TLoadCase cases[] = {
        {1, 26, {44, 37}, {26, 22}}, {2, 44, {44, 37}, {44, 37}}, {3, 34, {34, 29}, {34, 29}},
        {3, 26, {26, 22}, {26, 22}}, {4, 44, {44, 37}, {44, 37}}, {4, 34, {34, 29}, {34, 29}},
    };
    for (const TLoadCase& c : cases)
    {
        TCellImages cells;
        cells.LoadCellImages(c.Skin, c.Width);
        cells.LoadSolveImages(c.Width);
        for (int colour = 1; colour <= 7; ++colour)
            EXPECT_EQ(cells.CellImage(colour).size(), c.CellSize) << "skin " << c.Skin << " colour " << colour;
        for (int step = 1; step <= 4; ++step)
            EXPECT_EQ(cells.SolveImage(step).size(), c.MaskSize) << "width " << c.Width << " step " << step;
        EXPECT_EQ(cells.MaskImage().size(), c.CellSize);
    }
}

} // namespace

namespace
{

// The built-in pictures go through the same bitwise steps once loaded: every pixel of a dissolve
// frame is either the cell's own pixel (mask black) or the well background (mask white).
TEST(CellResources, DissolveOfBuiltInCellFollowsItsMask)
{
    if (!QFile::exists(QStringLiteral(":/cells/SOLVEMEDIUM1")))
        GTEST_SKIP() << "built-in cell pictures not linked";
    TCellImages cells;
    cells.LoadCellImages(Pyramid, 34);
    cells.LoadSolveImages(34);
    QImage background(34, 29, QImage::Format_RGB32);
    background.fill(qRgb(10, 200, 30));
    cells.SetWellBackground(&background, QPoint(0, 0));
    const QImage cell = cells.CellImage(6);
    ASSERT_EQ(cell.size(), QSize(34, 29));

    for (int step = 1; step <= 4; ++step)
    {
        const QImage mask = cells.SolveImage(step);
        QImage target(34, 29, QImage::Format_RGB32);
        target.fill(Qt::black);
        cells.DrawCell(target, 0, 0, 34, 29, 6, step);
        int white = 0;
        int wrong = 0;
        for (int y = 0; y < 29; ++y)
            for (int x = 0; x < 34; ++x)
            {
                const bool isWhite = (mask.pixel(x, y) & 0xffffff) == 0xffffff;
                white += isWhite ? 1 : 0;
                if (target.pixel(x, y) != (isWhite ? background.pixel(x, y) : cell.pixel(x, y)))
                    ++wrong;
            }
        EXPECT_EQ(wrong, 0) << "step " << step;
        EXPECT_GT(white, 0) << "step " << step;
        EXPECT_LT(white, 34 * 29) << "step " << step;
    }
}

} // namespace
