#include "RecordingDialogs.h"

#include "app/FormTumbla.h"
#include "view/NextPreview.h"
#include "view/WellFit.h"

#include <QTest>
#include <gtest/gtest.h>

namespace
{

// The well with its frame and both side columns inside the client area.
void ExpectComposed(TFormTumbla& window, int cellHeight)
{
    const QWidget* client = &window.Parts().Client;
    EXPECT_EQ(window.Parts().Painter.LogicalCellHeight(), cellHeight);
    const QRect well = window.Parts().Painter.Geometry().WellRect().adjusted(-6, -6, 6, 6);
    EXPECT_TRUE(client->rect().contains(well)) << well.x() << "," << well.y() << " " << well.width() << "x" << well.height();
    const QWidget* panelNext = window.Parts().Preview.parentWidget();
    const double scale = std::max(1.0, cellHeight / 37.0);
    EXPECT_EQ(panelNext->width(), std::lround(133 * scale));
    EXPECT_EQ(panelNext->geometry().right() + 1, client->width() - std::lround(25 * scale));
    EXPECT_LT(well.right(), panelNext->x());
}

TEST(FitToWindow, AStoreWithItReopensFittedAndAGameKeepsItsWellAcrossAResize)
{
    TRecordingDialogs dialogs;
    int fixedWidth = 0;
    {
        TFormTumbla first(&dialogs);
        first.Parts().Settings.FitToWindow = true; // stored as it closes
        fixedWidth = first.Parts().Settings.BlockWidth;
    }
    TFormTumbla window(&dialogs);
    window.resize(1280, 1000);
    window.show();
    ASSERT_TRUE(window.Parts().Settings.FitToWindow);
    EXPECT_EQ(window.Parts().Settings.BlockWidth, fixedWidth);
    const QWidget* client = &window.Parts().Client;
    const int tall = TWellFit::For(client->width(), client->height(), 9, 17).CellHeight;
    EXPECT_GT(tall, 37);
    ExpectComposed(window, tall);

    TGameEngine& game = window.Parts().Engine;
    game.NewGame();
    window.StopGameTimer(); // ticks come from here only
    for (int tick = 0; tick < 400; ++tick)
        game.TimerTick();
    const TGrid well = game.Board;
    const int32_t score = game.Score;
    const int32_t row = game.BlockY;
    window.resize(900, 640);
    QTest::qWait(400); // the size settles
    const int lower = TWellFit::For(client->width(), client->height(), 9, 17).CellHeight;
    EXPECT_LT(lower, tall);
    ExpectComposed(window, lower);
    EXPECT_EQ(game.Board, well);
    EXPECT_EQ(game.Score, score);
    EXPECT_EQ(game.BlockY, row);
    EXPECT_EQ(game.GameState, gsPlaying);
}

} // namespace
