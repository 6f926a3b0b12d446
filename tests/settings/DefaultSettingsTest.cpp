#include "settings/SettingsIo.h"

#include "StoreTestSupport.h"

namespace
{

struct TCellCase
{
    int ScreenWidth;
    int32_t Width;
    int32_t Height;
};

TEST(DefaultSettingsTest, CellSizeFollowsTheScreenWidth)
{
    const TCellCase cases[] = {
        {1920, 44, 37}, {1024, 44, 37}, {1023, 34, 29}, {800, 34, 29}, {799, 26, 22}, {640, 26, 22},
    };
    for (const TCellCase& c : cases)
    {
        SCOPED_TRACE(c.ScreenWidth);
        TSettings settings = UnusualSettings();
        LoadDefaultSettings(settings, TDisplayFacts{c.ScreenWidth, 32, "/opt/pelmo/"});
        EXPECT_EQ(c.Width, settings.BlockWidth);
        EXPECT_EQ(c.Height, settings.BlockHeight);
    }
}

TSettings ExpectedDefaults(int32_t width, int32_t height, bool manyColors)
{
    TSettings s;
    s.ColNumber = 9;
    s.RowNumber = 17;
    s.NumOfBlock = 5;
    s.NumOfColor = 7;
    s.BlockWidth = width;
    s.BlockHeight = height;
    s.StartLevel = 1;
    s.BlockPicture = manyColors ? 1 : 2;
    s.GameMode = 3;
    s.FastDropping = true;
    s.SoundOn = true;
    s.MusicOn = true;
    s.MusicFile = "/opt/pelmo/pelmo2000.mid";
    s.InnerMode = manyColors ? 2 : 1;
    s.OuterMode = manyColors ? 2 : 1;
    s.InnerColor = 0;
    s.OuterColor = 8421504;
    s.InnerImage = manyColors ? "/opt/pelmo/texture2.bmp" : "";
    s.OuterImage = manyColors ? "/opt/pelmo/texture1.bmp" : "";
    s.InnerTile = manyColors;
    s.OuterTile = manyColors;
    s.LeftKey = 100;
    s.RightKey = 102;
    s.DropKey = 98;
    s.RColorKey = 104;
    s.RBlockKey = 101;
    return s;
}

struct TDepthCase
{
    int ColorDepth;
    bool ManyColors;
};

TEST(DefaultSettingsTest, ColourDepthChoosesSkinAndBackgrounds)
{
    // 8 bits or fewer: the 16-colour skin and plain colour backgrounds; more: pictures, tiled.
    const TDepthCase cases[] = {{1, false}, {4, false}, {8, false}, {16, true}, {24, true}, {32, true}};
    for (const TDepthCase& c : cases)
    {
        SCOPED_TRACE(c.ColorDepth);
        TSettings settings = UnusualSettings();
        LoadDefaultSettings(settings, TDisplayFacts{1024, c.ColorDepth, "/opt/pelmo/"});
        ExpectSameSettings(ExpectedDefaults(44, 37, c.ManyColors), settings);
    }
}

} // namespace
