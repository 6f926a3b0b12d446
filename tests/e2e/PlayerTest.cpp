#include "GameDriver.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace
{
// X key codes of the numeric keypad's keys: the same physical key gives a digit with Num Lock on
// and an arrow with it off.
const QString Keypad2 = QStringLiteral("88");
const QString Keypad4 = QStringLiteral("83");
const QString Keypad6 = QStringLiteral("85");
const QString Keypad8 = QStringLiteral("80");

constexpr QRgb Lime = 0x00FF00;
constexpr QRgb Yellow = 0xFFFF00;

// Flat buttons of the left column, in client coordinates.
QPoint ModeButton(int mode)
{
    return {50, 208 + 26 * (mode - 1) + 10};
}
const QPoint ExitButton(40, 150);
const QPoint PreferencesButton(50, 124);

class PlayerTest : public ::testing::Test
{
protected:
    PlayerTest()
        : Game(QString::fromLatin1(::testing::UnitTest::GetInstance()->current_test_info()->name()))
    {
    }

    void Start()
    {
        ASSERT_TRUE(Game.Launch());
        ASSERT_TRUE(Game.WaitForMainWindow());
    }

    // Where a well of this many cells lies when centred in the client area.
    QPoint CentredWell(int columns, int rows) const
    {
        const QRect client = Game.ClientRect();
        return client.topLeft() + QPoint((client.width() - columns * Game.CellWidth) / 2,
                                         (client.height() - rows * Game.CellHeight) / 2);
    }

    TScreenWell Well(const QString& label, int columns = 9, int rows = 17, const QString& skin = "SOLID256")
    {
        return TScreenWell(Game.Shot(label), CentredWell(columns, rows), columns, rows, Game.CellWidth,
                           Game.CellHeight, skin);
    }

    // Waits for the falling piece to show and returns its cells.
    std::vector<QPoint> Piece(const QString& label, size_t cells, const QString& skin = "SOLID256")
    {
        for (int i = 0; i < 30; ++i)
        {
            const std::vector<QPoint> filled = Well(label, 9, 17, skin).Filled();
            if (filled.size() == cells)
                return filled;
            TGameDriver::Pause(50);
        }
        return {};
    }

    static std::vector<int> Columns(const std::vector<QPoint>& cells)
    {
        std::vector<int> columns;
        for (const QPoint& cell : cells)
            columns.push_back(cell.y());
        return columns;
    }

    static std::vector<int> Colours(const TScreenWell& well, const std::vector<QPoint>& cells)
    {
        std::vector<int> colours;
        for (const QPoint& cell : cells)
            colours.push_back(well.At(cell.x(), cell.y()));
        return colours;
    }

    // Pixels of one colour within a band of client rows (the left or the right column).
    int CountColour(const QImage& screen, QRgb colour, int top, int height, bool rightColumn) const
    {
        const QRect client = Game.ClientRect();
        const int left = rightColumn ? client.left() + client.width() * 3 / 4 : client.left();
        const int right = rightColumn ? client.right() : client.left() + 150;
        int count = 0;
        for (int y = client.top() + top; y < client.top() + top + height; ++y)
            for (int x = left; x <= right; ++x)
                count += (screen.pixel(x, y) & 0xFFFFFF) == colour;
        return count;
    }

    // The pause banner: a white box in the middle of the well.
    bool BannerShown(const QImage& screen, int columns = 9, int rows = 17) const
    {
        const QPoint well = CentredWell(columns, rows);
        const QPoint centre = well + QPoint(columns * Game.CellWidth / 2, rows * Game.CellHeight / 2);
        int white = 0;
        for (int y = centre.y() - 8; y <= centre.y() + 8; ++y)
            for (int x = well.x(); x < well.x() + columns * Game.CellWidth; ++x)
                white += (screen.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF;
        return white > 300;
    }

    // Where the lit segments of a display lie, relative to its panel: equal for equal numbers.
    std::vector<QPoint> LitSegments(const QImage& screen, int panelTop) const
    {
        const QRect client = Game.ClientRect();
        std::vector<QPoint> lit;
        for (int y = 0; y < 37; ++y)
            for (int x = client.left() + client.width() * 3 / 4; x <= client.right(); ++x)
                if ((screen.pixel(x, client.top() + panelTop + y) & 0xFFFFFF) == Yellow)
                    lit.emplace_back(x, y);
        return lit;
    }

    QSettings Store() const { return QSettings(Game.StorePath(), QSettings::IniFormat); }

    TGameDriver Game;
};

TEST_F(PlayerTest, FirstStartShowsTheEmptyCentredWellTheDisplaysAndThePelmoMode)
{
    Start();
    const QImage screen = Game.Shot(QStringLiteral("first-start"));
    EXPECT_EQ(TGameDriver::FindTile(screen, TGameDriver::InnerTexture()), CentredWell(9, 17));
    const TScreenWell well(screen, CentredWell(9, 17), 9, 17, Game.CellWidth, Game.CellHeight);
    EXPECT_TRUE(well.Filled().empty());

    // Score 0 and best score 0 light six segments each, level 1 two.
    const int score = CountColour(screen, Yellow, 200, 37, true);
    const int level = CountColour(screen, Yellow, 272, 37, true);
    const int best = CountColour(screen, Yellow, 344, 37, true);
    EXPECT_GT(level, 0);
    EXPECT_NEAR(double(score) / level, 3.0, 0.6);
    EXPECT_EQ(best, score);

    // Only the Pelmo 2000 button is lime.
    for (int mode = 1; mode <= 7; ++mode)
    {
        const int lime = CountColour(screen, Lime, ModeButton(mode).y() - 10, 22, false);
        EXPECT_EQ(lime > 20, mode == 7) << "mode " << mode;
    }

    TGameDriver::Pause(1000);
    EXPECT_TRUE(Well(QStringLiteral("still-empty")).Filled().empty());
}

TEST_F(PlayerTest, KeypadKeysMoveDropAndTurnTheColoursWithNumLockOffAndOn)
{
    Start();
    // The piece enters at the top and falls a row every 420 ms at level 1: however slowly the
    // screen is read, the first sighting is no lower than that time allows.
    QElapsedTimer clock;
    clock.start();
    Game.Key(QStringLiteral("F2"));
    std::vector<QPoint> seen;
    while (seen.empty() && clock.elapsed() < 5000)
        seen = Well(QStringLiteral("f2")).Filled();
    ASSERT_FALSE(seen.empty()) << "no piece after F2";
    EXPECT_LE(seen.front().x(), clock.elapsed() / 420 + 1) << "first seen in row " << seen.front().x();

    // TrioBlock: three cells lying side by side.
    Game.Click(ModeButton(3));
    const std::vector<QPoint> start = Piece(QStringLiteral("trio"), 3);
    ASSERT_EQ(start.size(), 3u);
    const std::vector<int> startColumns = Columns(start);

    ASSERT_FALSE(Game.NumLockOn());
    Game.Key(Keypad4); // Num Lock off: keypad 4 is the left arrow
    const std::vector<QPoint> left = Piece(QStringLiteral("left"), 3);
    std::vector<int> expected = startColumns;
    for (int& c : expected)
        --c;
    EXPECT_EQ(Columns(left), expected);

    Game.Key(QStringLiteral("Num_Lock ") + Keypad6); // Num Lock on: the digits
    EXPECT_TRUE(Game.NumLockOn());
    EXPECT_EQ(Columns(Piece(QStringLiteral("right"), 3)), startColumns);
    Game.Key(Keypad4);
    EXPECT_EQ(Columns(Piece(QStringLiteral("left-digit"), 3)), expected);
    Game.Key(QStringLiteral("Num_Lock ") + Keypad6); // off again: the right arrow
    EXPECT_FALSE(Game.NumLockOn());
    EXPECT_EQ(Columns(Piece(QStringLiteral("right-arrow"), 3)), startColumns);

    const TScreenWell before = Well(QStringLiteral("colours-before"));
    const std::vector<int> colours = Colours(before, before.Filled());
    Game.Key(Keypad8);
    const TScreenWell turned = Well(QStringLiteral("colours-turned"));
    ASSERT_EQ(colours.size(), 3u);
    EXPECT_EQ(Colours(turned, turned.Filled()), (std::vector<int>{colours[1], colours[2], colours[0]}));

    Game.Key(Keypad2);
    TGameDriver::Pause(300);
    const TScreenWell dropped = Well(QStringLiteral("dropped"));
    const bool allAlike = colours[0] == colours[1] && colours[1] == colours[2];
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(dropped.At(16, startColumns[i]), allAlike ? 0 : colours[(i + 1) % 3]) << "cell " << i;
}

TEST_F(PlayerTest, PauseHidesTheCellsBehindTheBannerAndAModeButtonRecentresASmallerWell)
{
    Start();
    Game.Click(ModeButton(3));
    const std::vector<QPoint> piece = Piece(QStringLiteral("playing"), 3);
    ASSERT_EQ(piece.size(), 3u);

    Game.Key(QStringLiteral("F3"));
    TGameDriver::Pause(200);
    const QImage paused = Game.Shot(QStringLiteral("paused"));
    EXPECT_TRUE(BannerShown(paused));
    const TScreenWell hidden(paused, CentredWell(9, 17), 9, 17, Game.CellWidth, Game.CellHeight);
    for (const QPoint& cell : piece)
        EXPECT_EQ(hidden.At(cell.x(), cell.y()), 0);

    Game.Key(QStringLiteral("F3"));
    const std::vector<QPoint> resumed = Piece(QStringLiteral("resumed"), 3);
    EXPECT_EQ(Columns(resumed), Columns(piece));
    EXPECT_FALSE(BannerShown(Game.Shot(QStringLiteral("no-banner"))));

    Game.Click(ModeButton(1));
    TGameDriver::Pause(300);
    const QImage single = Game.Shot(QStringLiteral("single"));
    EXPECT_EQ(TGameDriver::FindTile(single, TGameDriver::InnerTexture()), CentredWell(5, 15));
    EXPECT_GT(CountColour(single, Lime, ModeButton(1).y() - 10, 22, false), 20);
}

TEST_F(PlayerTest, ClosingAsksNoKeepsThePausedGameYesSavesEverySetting)
{
    Start();
    Game.Click(ModeButton(1)); // Single: a game starts and the mode is a change to save
    TGameDriver::Pause(300);

    ASSERT_TRUE(Game.CloseByWindowManager());
    EXPECT_EQ(Game.ActiveTitle(), "Pelmo 2000");
    Game.Key(QStringLiteral("n"));
    TGameDriver::Pause(300);
    EXPECT_TRUE(Game.Running());
    EXPECT_TRUE(BannerShown(Game.Shot(QStringLiteral("after-no")), 5, 15)) << "the game is not paused";

    Game.Click(ExitButton);
    ASSERT_TRUE(Game.DialogActive());
    Game.Key(QStringLiteral("y"));
    ASSERT_TRUE(Game.WaitForExit());

    const QSettings store = Store();
    EXPECT_EQ(store.allKeys().size(), 28) << store.allKeys().join(' ').toStdString();
    EXPECT_EQ(store.value("NumOfBlock").toInt(), 1);
    EXPECT_EQ(store.value("ColNumber").toInt(), 5);
    EXPECT_EQ(store.value("RowNumber").toInt(), 15);
    EXPECT_EQ(store.value("Version").toString(), "1.0");
}

TEST_F(PlayerTest, ADamagedStoreStartsWithTheDefaults)
{
    Game.WriteStore(QStringLiteral("[General]\nColNumber=@Variant(\\0\\0\\0\\x7f\nRowNumber=lots\nNumOfBlock=\xff\xfe\n"));
    Start();
    const QImage screen = Game.Shot(QStringLiteral("defaults"));
    EXPECT_EQ(TGameDriver::FindTile(screen, TGameDriver::InnerTexture()), CentredWell(9, 17));
    EXPECT_GT(CountColour(screen, Lime, ModeButton(7).y() - 10, 22, false), 20);
}

TEST_F(PlayerTest, AMissingBackgroundPictureIsReportedAndItsColourShown)
{
    // A whole store as the game writes it, then the outer picture removed behind its back.
    Start();
    Game.Click(ExitButton);
    ASSERT_TRUE(Game.DialogActive());
    Game.Key(QStringLiteral("y"));
    ASSERT_TRUE(Game.WaitForExit());
    {
        QSettings store = Store();
        store.setValue("OuterImage", "/nonexistent/outer.bmp");
        store.setValue("OuterColor", 0x204080); // blue 0x20, green 0x40, red 0x80
    }

    ASSERT_TRUE(Game.Launch());
    ASSERT_TRUE(Game.DialogActive());
    EXPECT_EQ(Game.ActiveTitle(), "Pelmo 2000");
    Game.Key(QStringLiteral("Return"));
    ASSERT_TRUE(Game.WaitForMainWindow());
    const QImage screen = Game.Shot(QStringLiteral("colour"));
    const QPoint well = TGameDriver::FindTile(screen, TGameDriver::InnerTexture()).value_or(QPoint());
    EXPECT_EQ(screen.pixel(well.x() - 30, well.y() + 40) & 0xFFFFFF, 0x804020u);
    EXPECT_EQ(screen.pixel(Game.ClientOrigin().x() + 200, Game.ClientOrigin().y() + 5) & 0xFFFFFF, 0x804020u);
}

TEST_F(PlayerTest, TheInstalledGameStartsFromItsDesktopEntryAndFindsItsFilesBesideItself)
{
    QTemporaryDir prefix;
    QProcess install;
    install.start(QStringLiteral(PELMO_CMAKE), {"--install", PELMO_BUILD_DIR, "--prefix", prefix.path()});
    ASSERT_TRUE(install.waitForFinished(30000));
    ASSERT_EQ(install.exitCode(), 0);
    QFile entry(prefix.filePath("share/applications/net.hollin_games.Pelmo2000.desktop"));
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
    QString command;
    for (const QString& line : QString::fromUtf8(entry.readAll()).split('\n'))
        if (line.startsWith("Exec="))
            command = line.mid(5);

    ASSERT_TRUE(Game.Launch(prefix.filePath("bin/" + command)));
    ASSERT_TRUE(Game.WaitForMainWindow()); // the well's texture was found
    EXPECT_TRUE(TGameDriver::FindTile(Game.Shot("outer"), TGameDriver::OuterTexture())) << "no outer texture";
    Game.Click(ExitButton);
    ASSERT_TRUE(Game.DialogActive());
    Game.Key(QStringLiteral("y"));
    ASSERT_TRUE(Game.WaitForExit());
    const QString home = QFileInfo(prefix.filePath("lib/pelmo2000")).canonicalFilePath() + "/";
    EXPECT_EQ(Store().value("MusicFile").toString(), home + "pelmo2000.mid");
    EXPECT_EQ(Store().value("InnerImage").toString(), home + "texture2.bmp");
}

TEST_F(PlayerTest, PreferencesPauseTheGameCancelKeepsItPausedAndANewSkinShowsAfterResuming)
{
    Start();
    Game.Click(ModeButton(3));
    ASSERT_EQ(Piece(QStringLiteral("solid"), 3).size(), 3u);

    Game.Click(PreferencesButton);
    ASSERT_TRUE(Game.DialogActive());
    Game.Key(QStringLiteral("Escape"));
    TGameDriver::Pause(300);
    const QImage cancelled = Game.Shot(QStringLiteral("cancelled"));
    EXPECT_TRUE(BannerShown(cancelled));
    const TScreenWell hidden(cancelled, CentredWell(9, 17), 9, 17, Game.CellWidth, Game.CellHeight);
    EXPECT_TRUE(hidden.Filled().empty());

    // The Skins page, then the third skin down from the current one: Pyramid. Enter is OK.
    Game.Click(PreferencesButton);
    ASSERT_TRUE(Game.DialogActive());
    Game.Key(QStringLiteral("Right Tab Down Down Return"));
    TGameDriver::Pause(300);
    EXPECT_TRUE(BannerShown(Game.Shot(QStringLiteral("still-paused"))));
    Game.Key(QStringLiteral("F3"));
    EXPECT_EQ(Piece(QStringLiteral("pyramid"), 3, QStringLiteral("PYRAMID")).size(), 3u);
}

TEST_F(PlayerTest, AGameToItsEndAsksTheNameShowsTheTableAndTheBestScoreStaysForTheNextRun)
{
    Start();
    const std::vector<QPoint> zero = LitSegments(Game.Shot(QStringLiteral("start")), 344);
    Game.Click(ModeButton(1)); // Single: one cell at a time into a well of five columns
    bool asked = false;
    for (int round = 0; round < 20 && !asked; ++round)
    {
        for (int piece = 0; piece < 3; ++piece)
        {
            TGameDriver::Pause(100);
            Game.Key(Keypad2);
        }
        asked = Game.DialogActive(300);
    }
    ASSERT_TRUE(asked) << "no name prompt";
    Game.Key(QStringLiteral("ctrl+a"));
    Game.Key(QStringLiteral("T e s t e r Return"));
    TGameDriver::Pause(400);
    ASSERT_TRUE(Game.DialogActive());
    const QImage table = Game.Shot(QStringLiteral("table"));
    int blue = 0; // the new entry's row
    for (int y = 0; y < table.height(); ++y)
        for (int x = 0; x < table.width(); ++x)
            blue += (table.pixel(x, y) & 0xFFFFFF) == 0x0000FF;
    EXPECT_GT(blue, 10);
    Game.Key(QStringLiteral("Escape"));
    TGameDriver::Pause(300);
    const QImage over = Game.Shot(QStringLiteral("over"));
    const std::vector<QPoint> score = LitSegments(over, 200);
    EXPECT_NE(score, zero);
    EXPECT_EQ(LitSegments(over, 344), score);

    Game.Click(ExitButton);
    ASSERT_TRUE(Game.DialogActive());
    Game.Key(QStringLiteral("y"));
    ASSERT_TRUE(Game.WaitForExit());
    Start();
    EXPECT_EQ(LitSegments(Game.Shot(QStringLiteral("next-run")), 344), score);
}
} // namespace
