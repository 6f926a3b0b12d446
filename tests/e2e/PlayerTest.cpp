#include "GameDriver.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>
#include <QThread>
#include <gtest/gtest.h>

#include <algorithm>

namespace
{
// X key codes of the numeric keypad's keys: the same physical key gives a digit with Num Lock on
// and an arrow with it off.
const QString Keypad2 = "88";
const QString Keypad8 = "80";

constexpr QRgb Lime = qRgb(0, 255, 0);
constexpr QRgb Yellow = qRgb(255, 255, 0);
constexpr QRgb White = qRgb(255, 255, 255);
constexpr QRgb Blue = qRgb(0, 0, 255);

// Flat buttons of the left column, in client coordinates.
QPoint ModeButton(int mode)
{
    return {50, 208 + 26 * (mode - 1) + 10};
}
const QPoint ExitButton(40, 150);
const QPoint PreferencesButton(50, 124);

// Where one colour shows within an area of the screen, relative to the area: equal for equal displays.
std::vector<QPoint> Pixels(const QImage& screen, QRect area, QRgb colour)
{
    std::vector<QPoint> found;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (screen.pixel(x, y) == colour)
                found.push_back(QPoint(x, y) - area.topLeft());
    return found;
}

std::vector<int> Columns(const std::vector<QPoint>& cells, int shift = 0)
{
    std::vector<int> columns;
    for (const QPoint& cell : cells)
        columns.push_back(cell.y() + shift);
    return columns;
}

class PlayerTest : public ::testing::Test
{
protected:
    bool Start() { return Game.Launch() && Game.WaitForMainWindow(); }

    // The exit button, its question answered Yes.
    bool Quit()
    {
        Game.Click(ExitButton);
        if (!Game.DialogActive())
            return false;
        Game.Key("y");
        return Game.WaitForExit();
    }

    // Where a well of this many cells lies when centred in the client area.
    QPoint CentredWell(int columns = 9, int rows = 17) const
    {
        const QSize margin = Game.Client.size() - QSize(columns * Game.Cell.width(), rows * Game.Cell.height());
        return Game.Client.topLeft() + QPoint(margin.width() / 2, margin.height() / 2);
    }

    TScreenWell Well(const QImage& screen, const QString& skin = "SOLID256") const
    {
        return TScreenWell(screen, CentredWell(), 9, 17, Game.Cell, skin);
    }

    // Waits for the falling TrioBlock piece to show and returns its three cells.
    std::vector<QPoint> Piece(const QString& label, const QString& skin = "SOLID256")
    {
        std::vector<QPoint> cells;
        WaitUntil(5000, [&] { return (cells = Well(Game.Shot(label), skin).Filled()).size() == 3; });
        return cells;
    }

    // The right column's display panel at this height in the client.
    QRect Display(int top) const
    {
        return {Game.Client.topLeft() + QPoint(Game.Client.width() * 3 / 4, top), QSize(Game.Client.width() / 4, 37)};
    }

    bool ModeMarked(const QImage& screen, int mode) const
    {
        const QRect button(Game.Client.topLeft() + QPoint(0, ModeButton(mode).y() - 10), QSize(151, 22));
        return Pixels(screen, button, Lime).size() > 20;
    }

    // The pause banner: a white box across the middle of the well.
    bool BannerShown(const QImage& screen, int columns = 9, int rows = 17) const
    {
        const QPoint middle = CentredWell(columns, rows) + QPoint(0, rows * Game.Cell.height() / 2 - 8);
        return Pixels(screen, {middle, QSize(columns * Game.Cell.width(), 17)}, White).size() > 300;
    }

    // Pelmo 2000's well of nine by seventeen centred, and its mode button alone marked.
    void ExpectPelmoMode(const QImage& screen) const
    {
        EXPECT_EQ(FindTile(screen, Texture(2)), CentredWell());
        for (int mode = 1; mode <= 7; ++mode)
            EXPECT_EQ(ModeMarked(screen, mode), mode == 7) << "mode " << mode;
    }

    QSettings Store() const { return QSettings(Game.StorePath(), QSettings::IniFormat); }

    // Screenshots until one shows what is awaited, or the bound passes; the last one either way.
    QImage ShotWhen(const QString& label, const std::function<bool(const QImage&)>& shows, int milliseconds = 4000)
    {
        QImage screen;
        WaitUntil(milliseconds, [&] { return shows(screen = Game.Shot(label)); });
        return screen;
    }

    TGameDriver Game{::testing::UnitTest::GetInstance()->current_test_info()->name()};
};

TEST_F(PlayerTest, FirstStartShowsTheEmptyCentredWellTheDisplaysAndThePelmoMode)
{
    ASSERT_TRUE(Start());
    const QImage screen = Game.Shot("first-start");
    ExpectPelmoMode(screen);
    EXPECT_TRUE(Well(screen).Filled().empty());

    // Score 0 and best score 0 light six segments each, level 1 two.
    const size_t score = Pixels(screen, Display(200), Yellow).size();
    const size_t level = Pixels(screen, Display(272), Yellow).size();
    ASSERT_GT(level, 0u);
    EXPECT_NEAR(double(score) / level, 3.0, 0.6);
    EXPECT_EQ(Pixels(screen, Display(344), Yellow).size(), score);

    // No piece comes by itself: a second's worth of screenshots all show the empty well.
    EXPECT_FALSE(WaitUntil(1000, [&] { return !Well(Game.Shot("still-empty")).Filled().empty(); }));
}

TEST_F(PlayerTest, KeypadKeysMoveDropAndTurnTheColoursWithNumLockOffAndOn)
{
    ASSERT_TRUE(Start());
    // The piece enters at the top and falls a row every 420 ms at level 1: however slowly the
    // screen is read, the first sighting is no lower than that time allows.
    QElapsedTimer clock;
    clock.start();
    Game.Key("F2");
    std::vector<QPoint> seen;
    while (seen.empty() && clock.elapsed() < 5000)
        seen = Well(Game.Shot("f2")).Filled();
    ASSERT_FALSE(seen.empty()) << "no piece after F2";
    EXPECT_LE(seen.front().x(), clock.elapsed() / 420 + 1) << "first seen in row " << seen.front().x();

    Game.Click(ModeButton(3)); // TrioBlock: three cells lying side by side
    const std::vector<QPoint> start = Piece("trio");
    ASSERT_EQ(start.size(), 3u);
    // 83 and 85: the keypad's 4 and 6.
    const struct { const char* Name; QString Keys; bool NumLock; int Shift; } moves[] = {
        {"4 as the left arrow", "83", false, -1}, {"6 as a digit", "Num_Lock 85", true, 0},
        {"4 as a digit", "83", true, -1}, {"6 as the right arrow", "Num_Lock 85", false, 0}};
    for (const auto& move : moves)
    {
        SCOPED_TRACE(move.Name);
        Game.Key(move.Keys);
        EXPECT_EQ(Game.NumLockOn(), move.NumLock);
        EXPECT_EQ(Columns(Piece("moved")), Columns(start, move.Shift));
    }

    const auto colours = [this](const QString& label) {
        std::vector<int> filled;
        std::ranges::copy_if(Well(Game.Shot(label)).Cells, std::back_inserter(filled), [](int c) { return c > 0; });
        return filled;
    };
    const std::vector<int> before = colours("colours-before");
    ASSERT_EQ(before.size(), 3u);
    Game.Key(Keypad8);
    EXPECT_EQ(colours("colours-turned"), (std::vector<int>{before[1], before[2], before[0]}));

    Game.Key(Keypad2);
    const bool allAlike = before[0] == before[1] && before[1] == before[2];
    const auto landed = [&](const TScreenWell& well, int i) { return well.At({16, start[i].y()}) == (allAlike ? 0 : before[(i + 1) % 3]); };
    const TScreenWell dropped = Well(ShotWhen("dropped", [&](const QImage& screen) {
        const TScreenWell well = Well(screen);
        return landed(well, 0) && landed(well, 1) && landed(well, 2);
    }));
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(landed(dropped, i)) << "cell " << i;
}

TEST_F(PlayerTest, PauseHidesTheCellsBehindTheBannerAndAModeButtonRecentresASmallerWell)
{
    ASSERT_TRUE(Start());
    Game.Click(ModeButton(3));
    const std::vector<QPoint> piece = Piece("playing");
    ASSERT_EQ(piece.size(), 3u);

    Game.Key("F3");
    const QImage paused = ShotWhen("paused", [&](const QImage& screen) { return BannerShown(screen); });
    EXPECT_TRUE(BannerShown(paused));
    for (const QPoint& cell : piece)
        EXPECT_EQ(Well(paused).At(cell), 0);

    Game.Key("F3");
    EXPECT_EQ(Columns(Piece("resumed")), Columns(piece));
    EXPECT_FALSE(BannerShown(Game.Shot("no-banner")));

    Game.Click(ModeButton(1));
    const QImage single = ShotWhen("single", [&](const QImage& screen) { return FindTile(screen, Texture(2)) == CentredWell(5, 15); });
    EXPECT_EQ(FindTile(single, Texture(2)), CentredWell(5, 15));
    EXPECT_TRUE(ModeMarked(single, 1));
}

TEST_F(PlayerTest, ClosingAsksNoKeepsThePausedGameYesSavesEverySetting)
{
    ASSERT_TRUE(Start());
    Game.Click(ModeButton(1)); // Single: a game starts and the mode is a change to save
    ASSERT_TRUE(WaitUntil(4000, [&] { return FindTile(Game.Shot("single"), Texture(2)) == CentredWell(5, 15); }));

    ASSERT_TRUE(Game.CloseByWindowManager());
    EXPECT_EQ(Game.ActiveTitle(), "Pelmo 2000");
    Game.Key("n");
    EXPECT_TRUE(BannerShown(ShotWhen("after-no", [&](const QImage& screen) { return BannerShown(screen, 5, 15); }), 5, 15))
        << "the game is not paused";
    EXPECT_TRUE(Game.Running());

    ASSERT_TRUE(Quit());
    const QSettings store = Store();
    EXPECT_EQ(store.allKeys().size(), 28) << store.allKeys().join(' ').toStdString();
    const std::pair<const char*, const char*> saved[] = {
        {"NumOfBlock", "1"}, {"ColNumber", "5"}, {"RowNumber", "15"}, {"Version", "1.0"}};
    for (const auto& [key, value] : saved)
        EXPECT_EQ(store.value(key).toString(), value) << key;
}

TEST_F(PlayerTest, ADamagedStoreStartsWithTheDefaults)
{
    Game.WriteStore("[General]\nColNumber=@Variant(\\0\\0\\0\\x7f\nRowNumber=lots\nNumOfBlock=\xff\xfe\n");
    ASSERT_TRUE(Start());
    ExpectPelmoMode(Game.Shot("defaults"));
}

TEST_F(PlayerTest, AMissingBackgroundPictureIsReportedAndItsColourShown)
{
    // A whole store as the game writes it, then the outer picture removed behind its back.
    ASSERT_TRUE(Start());
    ASSERT_TRUE(Quit());
    {
        QSettings store = Store();
        store.setValue("OuterImage", "/nonexistent/outer.bmp");
        store.setValue("OuterColor", 0x204080); // blue 0x20, green 0x40, red 0x80
    }

    ASSERT_TRUE(Game.Launch());
    ASSERT_TRUE(Game.DialogActive());
    EXPECT_EQ(Game.ActiveTitle(), "Pelmo 2000");
    Game.Key("Return");
    ASSERT_TRUE(Game.WaitForMainWindow());
    const QImage screen = Game.Shot("colour");
    const QPoint well = FindTile(screen, Texture(2)).value_or(QPoint());
    EXPECT_EQ(screen.pixel(well + QPoint(-30, 40)), qRgb(0x80, 0x40, 0x20));
    EXPECT_EQ(screen.pixel(Game.Client.topLeft() + QPoint(200, 5)), qRgb(0x80, 0x40, 0x20));
}

TEST_F(PlayerTest, TheInstalledGameStartsFromItsDesktopEntryAndFindsItsFilesBesideItself)
{
    QTemporaryDir prefix;
    QProcess install;
    install.start(PELMO_CMAKE, {"--install", PELMO_BUILD_DIR, "--prefix", prefix.path()});
    ASSERT_TRUE(install.waitForFinished(30000));
    ASSERT_EQ(install.exitCode(), 0);
    QFile entry(prefix.filePath("share/applications/net.hollin_games.Pelmo2000.desktop"));
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
    static const QRegularExpression exec("^Exec=(.*)$", QRegularExpression::MultilineOption);
    const QString command = exec.match(QString::fromUtf8(entry.readAll())).captured(1);

    ASSERT_TRUE(Game.Launch(prefix.filePath("bin/" + command)));
    ASSERT_TRUE(Game.WaitForMainWindow()); // the well's texture was found
    EXPECT_TRUE(FindTile(Game.Shot("outer"), Texture(1))) << "no outer texture";
    ASSERT_TRUE(Quit());
    const QString home = QFileInfo(prefix.filePath("lib/pelmo2000")).canonicalFilePath() + "/";
    EXPECT_EQ(Store().value("MusicFile").toString(), home + "pelmo2000.mid");
    EXPECT_EQ(Store().value("InnerImage").toString(), home + "texture2.bmp");
}

TEST_F(PlayerTest, PreferencesPauseTheGameCancelKeepsItPausedAndANewSkinShowsAfterResuming)
{
    ASSERT_TRUE(Start());
    Game.Click(ModeButton(3));
    ASSERT_EQ(Piece("solid").size(), 3u);

    Game.Click(PreferencesButton);
    ASSERT_TRUE(Game.DialogActive());
    Game.Key("Escape");
    const QImage cancelled = ShotWhen("cancelled", [&](const QImage& screen) { return BannerShown(screen); });
    EXPECT_TRUE(BannerShown(cancelled));
    EXPECT_TRUE(Well(cancelled).Filled().empty());

    // The Skins page, then the third skin down from the current one: Pyramid. Enter is OK.
    Game.Click(PreferencesButton);
    ASSERT_TRUE(Game.DialogActive());
    Game.Key("Right Tab Down Down Return");
    EXPECT_TRUE(WaitUntil(4000, [&] { return Game.ActiveTitle() == "Pelmo 2000"; })) << "the dialog stays";
    EXPECT_TRUE(BannerShown(Game.Shot("still-paused")));
    Game.Key("F3");
    EXPECT_EQ(Piece("pyramid", "PYRAMID").size(), 3u);
}

TEST_F(PlayerTest, AGameToItsEndAsksTheNameShowsTheTableAndTheBestScoreStaysForTheNextRun)
{
    ASSERT_TRUE(Start());
    const std::vector<QPoint> zero = Pixels(Game.Shot("start"), Display(344), Yellow);
    Game.Click(ModeButton(1)); // Single: one cell at a time into a well of five columns
    bool asked = false;
    for (int drop = 1; drop <= 60 && !asked; ++drop)
    {
        QThread::msleep(100);
        Game.Key(Keypad2);
        asked = drop % 3 == 0 && Game.DialogActive(300);
    }
    ASSERT_TRUE(asked) << "no name prompt";
    Game.Key("ctrl+a T e s t e r Return");
    const auto marked = [](const QImage& screen) { return Pixels(screen, screen.rect(), Blue).size() > 10; };
    EXPECT_TRUE(marked(ShotWhen("table", marked))) << "the new entry's row is not marked";
    ASSERT_TRUE(Game.DialogActive());
    Game.Key("Escape");
    const QImage over = ShotWhen("over", [&](const QImage& screen) { return !marked(screen) && Pixels(screen, Display(200), Yellow) != zero; });
    const std::vector<QPoint> score = Pixels(over, Display(200), Yellow);
    EXPECT_NE(score, zero);
    EXPECT_EQ(Pixels(over, Display(344), Yellow), score);

    ASSERT_TRUE(Quit());
    ASSERT_TRUE(Start());
    EXPECT_EQ(Pixels(Game.Shot("next-run"), Display(344), Yellow), score);
}
} // namespace
