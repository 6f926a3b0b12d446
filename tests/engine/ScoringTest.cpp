#include "engine/GameEngine.h"
#include "tests/engine/EngineRig.h"
#include "tests/engine/WellText.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace
{

std::vector<std::string> Repeat(std::vector<std::string> pattern, int times)
{
    std::vector<std::string> rows;
    for (int i = 0; i < times; ++i)
        rows.push_back(pattern[i % pattern.size()]);
    return rows;
}

std::vector<std::string> Prepend(std::string row, std::vector<std::string> rows)
{
    rows.insert(rows.begin(), std::move(row));
    return rows;
}

// Column 4 filled from row 1 (or 3) to the floor in alternating colours, nothing else.
const std::vector<std::string> Column4From1 = Repeat({"....1....", "....2...."}, 16);
const std::vector<std::string> Column4From3 = Repeat({"....1....", "....2...."}, 14);

// Rows 0 to 2 of column 4 marked, in a 17-row well.
const std::vector<std::string> TopOfColumn4Marks = [] {
    std::vector<std::string> rows(3, "....1....");
    rows.resize(17, ".........");
    return rows;
}();

struct TLandingCase
{
    std::string Name;
    uint8_t GameMode;
    int32_t ColNumber;
    std::vector<std::string> Before; // bottom rows of a 17-row well
    TBlock Piece;
    int32_t X;
    int32_t RestRow;
    std::vector<std::pair<int, int>> Passes; // PassPoints, PassCells after each clearing pass
    int32_t Gained;
    std::vector<std::string> After;
    std::vector<std::string> FirstMarks; // cells the first pass removes; empty: not checked
};

std::vector<TLandingCase> LandingCases()
{
    return {
        {"one horizontal run of three", 3, 9, {"234......"}, MakeBlock({1, 1, 1}, true), 0, 15, {{30, 3}}, 45,
         {"234......"}, {"111......", "........."}},
        {"one horizontal run of four", 3, 9, {"2........"}, MakeBlock({2, 2, 2}, true), 1, 16, {{40, 4}}, 80, {},
         {"1111....."}},
        {"one vertical run of three, standing three-cell pieces", 2, 9, {}, MakeBlock({3, 3, 3}, false), 4, 14,
         {{27, 3}}, 47, {}, {"....1....", "....1....", "....1...."}},
        {"one horizontal run of three, lying three-cell pieces", 1, 9, {}, MakeBlock({1, 1, 1}, true), 3, 16,
         {{30, 3}}, 70, {}, {}},
        {"one diagonal run of four", 3, 9, {"41.......", "361......", "2571....."}, MakeBlock({1}, true), 0, 13,
         {{77, 7}}, 192, {"4........", "36.......", "257......"},
         {"1........", ".1.......", "..1......", "...1....."}},
        {"one rising diagonal run of three", 3, 9, {"..1......", ".12......", ".23......"}, MakeBlock({1}, true), 0, 16,
         {{33, 3}}, 48, {"..2......", ".23......"}, {"..1......", ".1.......", "1........"}},
        {"a horizontal and a vertical run sharing one cell", 3, 9, {"135......", "124......"},
         MakeBlock({1, 1, 1}, true), 0, 14, {{57, 6}}, 147, {".35......", ".24......"},
         {"111......", "1........", "1........"}},
        {"a horizontal run, then after the fall a vertical run", 3, 9, {".11......", "246......", "235......"},
         MakeBlock({2, 1}, false), 0, 13, {{30, 3}, {57, 6}}, 192, {".46......", ".35......"},
         {"111......", ".........", "........."}},
        {"a vertical run right above another waits for the next pass", 3, 9, {"1........", "1........"},
         MakeBlock({2, 2, 2, 1}, false), 0, 11, {{27, 3}, {54, 6}}, 42 + 144, {},
         {"1........", "1........", "1........"}},
        {"two runs of three in one row", 3, 9, {"11....2.."}, MakeBlock({1, 3, 2, 2}, true), 2, 16,
         {{30, 3}, {60, 6}}, 195, {"...3....."}, {"111......"}},
        {"two runs of three in one row, lying four-cell pieces", 1, 9, {"11....2.."}, MakeBlock({1, 3, 2, 2}, true), 2,
         16, {{30, 3}, {60, 6}}, 70 + 250, {"...3....."}, {}},
        {"lying one-cell pieces earn no extra", 1, 9, {"11......."}, MakeBlock({1}, true), 2, 16, {{30, 3}}, 45, {},
         {}},
        {"standing one-cell pieces earn no extra", 2, 9, {"....3....", "....3...."}, MakeBlock({3}, false), 4, 14,
         {{27, 3}}, 42, {}, {}},
        {"a run of three by a seven-cell row", 1, 7, {}, MakeBlock({1, 1, 1, 2, 3, 4, 5}, true), 0, 16, {{30, 3}}, 70,
         {"...2345"}, {}},
        {"a hanging end drops and completes a run", 3, 9, {"3........", "2........", "1.11....."},
         MakeBlock({4, 1}, true), 0, 13, {{40, 4}}, 80, {"4........", "3........", "2........"},
         {"1111....."}},
        {"a vertical run in rows 0 to 2", 3, 9, Column4From3, MakeBlock({3, 3, 3}, false), 4, 0, {{27, 3}}, 42,
         Column4From3, TopOfColumn4Marks},
        {"a horizontal run in row 0", 3, 9, Repeat({"123......", "231......"}, 16), MakeBlock({4, 4, 4}, true), 0, 0,
         {{30, 3}}, 45, Repeat({"123......", "231......"}, 16),
         Prepend("111......", std::vector<std::string>(16, "........."))},
        {"runs of two never clear", 3, 9, {"11......."}, MakeBlock({2}, true), 2, 16, {}, 0, {"112......"}, {}},
        {"standing runs of two never clear", 3, 9, {"....3...."}, MakeBlock({4, 3}, false), 4, 14, {}, 0,
         {"....4....", "....3....", "....3...."}, {}},
        {"a lying piece across a hole breaks apart", 3, 9, {"6........", "5........", "4........"},
         MakeBlock({1, 2, 3}, true), 0, 13, {}, 0, {"1........", "6........", "5........", "423......"}, {}},
        {"cells of a standing piece above the well are dropped", 3, 9, Column4From1, MakeBlock({3, 4, 5}, false), 4, -2,
         {}, 0, Prepend("....5....", Column4From1), {}},
    };
}

TSettings SettingsFor(const TLandingCase& c)
{
    return TEngineRig::ModeSettings(c.Piece.Count, c.ColNumber == 7 ? 5 : 7, c.ColNumber, 17, c.GameMode);
}

TEST(ScoringTest, OneLandingScoresItsRunsAndChains)
{
    for (const TLandingCase& c : LandingCases())
    {
        SCOPED_TRACE(c.Name);
        TEngineRig rig(SettingsFor(c));
        rig.Engine.NewGame();
        rig.Engine.Score = 1000;
        rig.Engine.Board = GridFromBottom(17, c.Before);
        rig.View.Clear();
        TGrid firstMarks;
        bool sawFrame = false;
        rig.View.OnCall = [&](const TViewEvent& e) {
            if (e.Call == TViewCall::DrawDissolveFrame && !sawFrame)
            {
                sawFrame = true;
                firstMarks = rig.Engine.ClearMarks;
            }
        };
        const uint32_t clockBefore = rig.Clock.Now;

        rig.LandAt(c.Piece, c.X, c.RestRow);
        rig.View.OnCall = nullptr;

        EXPECT_EQ(rig.Engine.Score - 1000, c.Gained);
        if (!c.Passes.empty())
        {
            EXPECT_EQ(rig.View.ShownScore, rig.Engine.Score);
        }
        EXPECT_EQ(rig.Engine.Board, GridFromBottom(17, c.After)) << GridText(rig.Engine.Board);
        EXPECT_EQ(rig.Engine.GameState, gsNextBlock);
        EXPECT_EQ(rig.Engine.LevelCounter, c.Passes.size());

        std::vector<TEffect> effects(c.Passes.size(), TEffect::Disappear);
        if (c.Passes.empty())
            effects.push_back(TEffect::Drop);
        EXPECT_EQ(rig.View.Effects(), effects);

        std::vector<TViewEvent> frames;
        for (size_t pass = 0; pass < c.Passes.size(); ++pass)
            for (int step = 1; step <= 5; ++step)
                frames.push_back({TViewCall::DrawDissolveFrame, step});
        EXPECT_EQ(rig.View.Only(TViewCall::DrawDissolveFrame), frames);
        EXPECT_GE(rig.Clock.Now - clockBefore, 125u * c.Passes.size()) << "25 ms after every frame";
        if (!c.FirstMarks.empty())
        {
            EXPECT_EQ(firstMarks, GridFromBottom(17, c.FirstMarks)) << GridText(firstMarks);
        }
    }
}

// The running totals of the passes, seen through the pass itself on the well as it stands
// right after the landing.
TEST(ScoringTest, PassTotalsGrowOverTheChain)
{
    for (const TLandingCase& c : LandingCases())
    {
        if (c.Name.find("hanging") != std::string::npos || c.Name.find("hole") != std::string::npos
            || c.RestRow < 0)
            continue; // the well right after these landings differs from the piece written in place
        SCOPED_TRACE(c.Name);
        TEngineRig rig(SettingsFor(c));
        rig.Play(c.Piece, c.X, c.RestRow);
        TGrid landed = GridFromBottom(17, c.Before);
        for (int i = 0; i < c.Piece.Count; ++i)
        {
            const int row = c.Piece.Horizontal ? c.RestRow : c.RestRow + i;
            const int col = c.Piece.Horizontal ? c.X + i : c.X;
            landed.At(row, col) = c.Piece.Colors[i];
        }
        rig.Engine.Board = landed;
        rig.Engine.GameState = gsNextBlock;

        int32_t passPoints = 0;
        int32_t passCells = 0;
        std::vector<std::pair<int, int>> totals;
        while (rig.Engine.ClearPass(passPoints, passCells) && totals.size() < 20)
            totals.emplace_back(passPoints, passCells);
        EXPECT_EQ(totals, c.Passes);
        EXPECT_EQ(rig.Engine.Board, GridFromBottom(17, c.After)) << GridText(rig.Engine.Board);
    }
}

TEST(ScoringTest, LevelRisesEverySixteenthPassUpToTwelve)
{
    struct Case
    {
        uint8_t StartLevel;
        int Passes;
        int Level;
        int FallDelay;
    };
    const Case cases[] = {
        {1, 15, 1, 14}, {1, 16, 2, 13}, {1, 31, 2, 13}, {1, 32, 3, 12}, {5, 16, 6, 9},
        {11, 16, 12, 3}, {11, 40, 12, 3}, {12, 40, 12, 3},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "start " << int(c.StartLevel) << " passes " << c.Passes);
        TSettings settings = TEngineRig::ModeSettings(3, 7, 9, 17, 3);
        settings.StartLevel = c.StartLevel;
        TEngineRig rig(settings);
        rig.Engine.NewGame();
        for (int pass = 0; pass < c.Passes; ++pass)
        {
            rig.Engine.Board.Clear();
            rig.LandAt(MakeBlock({1, 1, 1}, true), 0, 16);
        }
        EXPECT_EQ(rig.Engine.Level, c.Level);
        EXPECT_EQ(rig.Engine.FallDelay, c.FallDelay);
        EXPECT_EQ(rig.View.ShownLevel, c.Level);
        EXPECT_EQ(rig.Engine.Score, 45 * c.Passes);
    }
}

TEST(ScoringTest, LevelCountsPassesNotLandings)
{
    // Eight chains of two passes each: sixteen passes.
    TEngineRig rig(TEngineRig::ModeSettings(2, 7, 9, 17, 3));
    rig.Engine.NewGame();
    for (int landing = 0; landing < 8; ++landing)
    {
        EXPECT_EQ(rig.Engine.Level, 1);
        rig.Engine.Board = GridFromBottom(17, {".11......", "246......", "235......"});
        rig.LandAt(MakeBlock({2, 1}, false), 0, 13);
    }
    EXPECT_EQ(rig.Engine.Level, 2);
    EXPECT_EQ(rig.Engine.FallDelay, 13);
    EXPECT_EQ(rig.Engine.LevelCounter, 0);
    EXPECT_EQ(rig.Engine.Score, 8 * 192);
}

TEST(ScoringTest, ANewGameResetsScoreAndLevel)
{
    TSettings settings;
    settings.StartLevel = 3;
    TEngineRig rig(settings);
    rig.Engine.NewGame();
    for (int pass = 0; pass < 20; ++pass)
    {
        rig.Engine.Board.Clear();
        rig.LandAt(MakeBlock({1, 1, 1}, true), 0, 16);
    }
    ASSERT_EQ(rig.Engine.Level, 4);
    rig.View.Clear();
    rig.Engine.NewGame();
    EXPECT_EQ(rig.Engine.Score, 0);
    EXPECT_EQ(rig.Engine.Level, 3);
    EXPECT_EQ(rig.Engine.LevelCounter, 0);
    EXPECT_EQ(rig.Engine.FallDelay, 12);
    EXPECT_EQ(rig.View.ShownScore, 0);
    EXPECT_EQ(rig.View.ShownLevel, 3);
}

TEST(ScoringTest, SettledLyingPieceIsRedrawnFromTheNewWell)
{
    TEngineRig rig(TEngineRig::ModeSettings(3, 7, 9, 17, 3));
    rig.Play(MakeBlock({1, 2, 3}, true), 0, 13);
    rig.Engine.Board = GridFromBottom(17, {"6........", "5........", "4........"});
    rig.View.Clear();
    TGrid shownBoard;
    TGrid shownNewBoard;
    rig.View.OnCall = [&](const TViewEvent& e) {
        if (e.Call == TViewCall::RedrawWell)
        {
            shownBoard = rig.Engine.Board;
            shownNewBoard = rig.Engine.NewBoard;
        }
    };
    rig.FallOneRow();
    rig.View.OnCall = nullptr;

    EXPECT_EQ(rig.View.Only(TViewCall::CaptureWell).size() + rig.View.Only(TViewCall::RedrawWell).size(), 2u)
        << rig.View.Dump();
    EXPECT_LT(rig.View.IndexOf(TViewCall::CaptureWell), rig.View.IndexOf(TViewCall::RedrawWell));
    EXPECT_EQ(rig.View.Only(TViewCall::RedrawWell)[0].A, 0) << "only the changed cells";
    EXPECT_EQ(shownBoard, GridFromBottom(17, {"123......", "6........", "5........", "4........"}))
        << GridText(shownBoard);
    EXPECT_EQ(shownNewBoard, GridFromBottom(17, {"1........", "6........", "5........", "423......"}))
        << GridText(shownNewBoard);
}

TEST(ScoringTest, StandingPieceNeedsNoRedrawWhenNothingClears)
{
    TEngineRig rig(TEngineRig::ModeSettings(3, 7, 9, 17, 2));
    rig.Play(MakeBlock({1, 2, 3}, false), 4, 14);
    rig.View.Clear();
    rig.FallOneRow();
    EXPECT_EQ(rig.Engine.GameState, gsNextBlock);
    EXPECT_EQ(rig.View.CountOf(TViewCall::RedrawWell), 0) << rig.View.Dump();
    EXPECT_EQ(rig.View.CountOf(TViewCall::RedrawPieceArea), 0) << rig.View.Dump();
}

} // namespace
