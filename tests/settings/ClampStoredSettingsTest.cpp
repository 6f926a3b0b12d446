#include "settings/SettingsIo.h"

#include "StoreTestSupport.h"

#include <functional>
#include <utility>

namespace
{

struct TClampCase
{
    const char* Label;
    std::function<void(TSettings&)> Store;  // a value the program itself never writes
    std::function<void(TSettings&)> Expect; // what the game then runs with
};

TEST(ClampStoredSettingsTest, OutOfRangeValuesAreBroughtBackIntoPlay)
{
    const TDisplayFacts medium{1023, 32, "/opt/pelmo/"};
    const TClampCase cases[] = {
        {"ColNumber 0", [](TSettings& s) { s.ColNumber = 0; }, [](TSettings& s) { s.ColNumber = 9; }},
        {"ColNumber -5", [](TSettings& s) { s.ColNumber = -5; }, [](TSettings& s) { s.ColNumber = 9; }},
        {"ColNumber 10", [](TSettings& s) { s.ColNumber = 10; }, [](TSettings& s) { s.ColNumber = 9; }},
        {"ColNumber 1", [](TSettings& s) { s.ColNumber = 1; }, [](TSettings& s) { s.ColNumber = 9; }},
        {"RowNumber 0", [](TSettings& s) { s.RowNumber = 0; }, [](TSettings& s) { s.RowNumber = 17; }},
        {"RowNumber 18", [](TSettings& s) { s.RowNumber = 18; }, [](TSettings& s) { s.RowNumber = 17; }},
        {"RowNumber max", [](TSettings& s) { s.RowNumber = 2147483647; }, [](TSettings& s) { s.RowNumber = 17; }},
        {"RowNumber 15", [](TSettings& s) { s.RowNumber = 15; }, [](TSettings& s) { s.RowNumber = 15; }},
        {"NumOfColor 0", [](TSettings& s) { s.NumOfColor = 0; }, [](TSettings& s) { s.NumOfColor = 1; }},
        {"NumOfColor -1", [](TSettings& s) { s.NumOfColor = -1; }, [](TSettings& s) { s.NumOfColor = 1; }},
        {"NumOfColor 8", [](TSettings& s) { s.NumOfColor = 8; }, [](TSettings& s) { s.NumOfColor = 7; }},
        {"NumOfColor 5", [](TSettings& s) { s.NumOfColor = 5; }, [](TSettings& s) { s.NumOfColor = 5; }},
        {"NumOfBlock 0", [](TSettings& s) { s.NumOfBlock = 0; }, [](TSettings& s) { s.NumOfBlock = 5; }},
        {"NumOfBlock 10", [](TSettings& s) { s.NumOfBlock = 10; }, [](TSettings& s) { s.NumOfBlock = 5; }},
        {"NumOfBlock 255", [](TSettings& s) { s.NumOfBlock = 255; }, [](TSettings& s) { s.NumOfBlock = 5; }},
        {"NumOfBlock 9", [](TSettings& s) { s.NumOfBlock = 9; }, [](TSettings& s) { s.NumOfBlock = 9; }},
        {"NumOfBlock 6", [](TSettings& s) { s.NumOfBlock = 6; }, [](TSettings& s) { s.NumOfBlock = 6; }},
        {"NumOfBlock 7", [](TSettings& s) { s.NumOfBlock = 7; }, [](TSettings& s) { s.NumOfBlock = 7; }},
        {"StartLevel 0", [](TSettings& s) { s.StartLevel = 0; }, [](TSettings& s) { s.StartLevel = 1; }},
        {"StartLevel 13", [](TSettings& s) { s.StartLevel = 13; }, [](TSettings& s) { s.StartLevel = 12; }},
        {"StartLevel 255", [](TSettings& s) { s.StartLevel = 255; }, [](TSettings& s) { s.StartLevel = 12; }},
        {"StartLevel 12", [](TSettings& s) { s.StartLevel = 12; }, [](TSettings& s) { s.StartLevel = 12; }},
        {"BlockWidth 3",
         [](TSettings& s) { s.BlockWidth = 3; s.BlockHeight = 22; },
         [](TSettings& s) { s.BlockWidth = 34; s.BlockHeight = 29; }},
        {"BlockWidth 129",
         [](TSettings& s) { s.BlockWidth = 129; s.BlockHeight = 37; },
         [](TSettings& s) { s.BlockWidth = 34; s.BlockHeight = 29; }},
        {"BlockHeight 0",
         [](TSettings& s) { s.BlockWidth = 44; s.BlockHeight = 0; },
         [](TSettings& s) { s.BlockWidth = 34; s.BlockHeight = 29; }},
        {"BlockHeight -37",
         [](TSettings& s) { s.BlockWidth = 44; s.BlockHeight = -37; },
         [](TSettings& s) { s.BlockWidth = 34; s.BlockHeight = 29; }},
        {"odd size kept",
         [](TSettings& s) { s.BlockWidth = 30; s.BlockHeight = 25; },
         [](TSettings& s) { s.BlockWidth = 30; s.BlockHeight = 25; }},
        {"smallest and largest kept",
         [](TSettings& s) { s.BlockWidth = 4; s.BlockHeight = 128; },
         [](TSettings& s) { s.BlockWidth = 4; s.BlockHeight = 128; }},
        {"large kept on a medium screen",
         [](TSettings& s) { s.BlockWidth = 44; s.BlockHeight = 37; },
         [](TSettings& s) { s.BlockWidth = 44; s.BlockHeight = 37; }},
        {"unknown choices kept",
         [](TSettings& s) { s.InnerMode = 0; s.OuterMode = 7; s.GameMode = 200; s.LeftKey = 65535; },
         [](TSettings& s) { s.InnerMode = 0; s.OuterMode = 7; s.GameMode = 200; s.LeftKey = 65535; }},
        {"skin 0", [](TSettings& s) { s.BlockPicture = 0; }, [](TSettings& s) { s.BlockPicture = 4; }},
        {"skin 9", [](TSettings& s) { s.BlockPicture = 9; }, [](TSettings& s) { s.BlockPicture = 4; }},
        {"skin 255", [](TSettings& s) { s.BlockPicture = 255; }, [](TSettings& s) { s.BlockPicture = 4; }},
        {"skin 3 kept", [](TSettings& s) { s.BlockPicture = 3; }, [](TSettings& s) { s.BlockPicture = 3; }},
    };
    for (const TClampCase& c : cases)
    {
        SCOPED_TRACE(c.Label);
        TSettings settings;
        LoadDefaultSettings(settings, medium);
        TSettings expected = settings;
        c.Store(settings);
        c.Expect(expected);
        ClampStoredSettings(settings, medium);
        ExpectSameSettings(expected, settings);
    }
}

TEST(ClampStoredSettingsTest, AnOversizedCellFallsBackToTheScreensDefault)
{
    const int widths[] = {1024, 1023, 799};
    const TCellPixels sizes[] = {{44, 37}, {34, 29}, {26, 22}};
    for (int i = 0; i < 3; ++i)
    {
        SCOPED_TRACE(widths[i]);
        TSettings settings;
        settings.BlockWidth = 5000;
        settings.BlockHeight = 37;
        ClampStoredSettings(settings, TDisplayFacts{widths[i], 32, ""});
        EXPECT_EQ(sizes[i].Width, settings.BlockWidth);
        EXPECT_EQ(sizes[i].Height, settings.BlockHeight);
    }
}

// A well too small for the stored mode's pieces takes that mode's own size; one that fits stays.
TEST(ClampStoredSettingsTest, AWellTooSmallForThePiecesTakesTheModesSize)
{
    struct TWellCase
    {
        uint8_t NumOfBlock, GameMode;
        int32_t ColNumber, RowNumber, ExpectedColumns, ExpectedRows;
    };
    const TWellCase cases[] = {
        {1, 1, 1, 3, 1, 3},   // Single fits one column of three rows
        {1, 1, 1, 2, 5, 15},  // too shallow: Single's 5 x 15
        {2, 3, 3, 4, 3, 4},   // DuoBlock: a lying pair enters at column 1 of 3, a standing one needs 4 rows
        {2, 3, 2, 16, 7, 16}, // DuoBlock's 7 x 16
        {3, 1, 4, 17, 9, 17}, // TrioBlock lying from the middle needs 5 columns
        {3, 2, 1, 5, 1, 5},   // Column needs 5 rows and one column
        {3, 2, 9, 4, 9, 17},
        {4, 3, 6, 17, 9, 17}, // QuartetBlock
        {7, 1, 6, 17, 7, 17}, // RowBlock's seven-cell rows
        {7, 1, 7, 3, 7, 3},
        {5, 3, 8, 17, 9, 17}, // Pelmo 2000's nine-cell row
        {5, 3, 9, 5, 9, 17},
        {9, 2, 9, 10, 9, 17}, // a standing nine needs eleven rows
        {9, 2, 1, 11, 1, 11},
    };
    for (const TWellCase& c : cases)
    {
        SCOPED_TRACE(&c - cases);
        TSettings settings;
        settings.NumOfBlock = c.NumOfBlock;
        settings.GameMode = c.GameMode;
        settings.ColNumber = c.ColNumber;
        settings.RowNumber = c.RowNumber;
        ClampStoredSettings(settings, TDisplayFacts{1024, 32, ""});
        EXPECT_EQ(std::make_pair(c.ExpectedColumns, c.ExpectedRows),
                  std::make_pair(settings.ColNumber, settings.RowNumber));
    }
}

} // namespace
