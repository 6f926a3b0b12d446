#include "settings/SettingsIo.h"

#include "StoreTestSupport.h"

#include <functional>

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
        {"ColNumber 0", [](TSettings& s) { s.ColNumber = 0; }, [](TSettings& s) { s.ColNumber = 1; }},
        {"ColNumber -5", [](TSettings& s) { s.ColNumber = -5; }, [](TSettings& s) { s.ColNumber = 1; }},
        {"ColNumber 10", [](TSettings& s) { s.ColNumber = 10; }, [](TSettings& s) { s.ColNumber = 9; }},
        {"ColNumber 1", [](TSettings& s) { s.ColNumber = 1; }, [](TSettings& s) { s.ColNumber = 1; }},
        {"RowNumber 0", [](TSettings& s) { s.RowNumber = 0; }, [](TSettings& s) { s.RowNumber = 1; }},
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
         [](TSettings& s) { s.BlockPicture = 9; s.InnerMode = 0; s.OuterMode = 7; s.GameMode = 200; s.LeftKey = 65535; },
         [](TSettings& s) { s.BlockPicture = 9; s.InnerMode = 0; s.OuterMode = 7; s.GameMode = 200; s.LeftKey = 65535; }},
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

} // namespace
