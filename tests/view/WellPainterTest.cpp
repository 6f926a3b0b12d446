#include "tests/pictures/MetafileTestFiles.h"
#include "StandInCells.h"

#include "core/Settings.h"
#include "view/CellImages.h"
#include "view/PauseBanner.h"
#include "view/WellPainter.h"

#include <QFontMetrics>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

namespace
{

constexpr int W = 44;
constexpr int H = 37;
const QRgb Inner = qRgb(0x40, 0x30, 0x20);
const QRgb Outer = qRgb(0x99, 0x66, 0x33);
const QRgb White = qRgb(255, 255, 255);
const QRgb Grey = qRgb(128, 128, 128);
const QRgb Silver = qRgb(192, 192, 192);

class WellPainting : public ::testing::Test
{
protected:
    WellPainting()
        : Painter(TWellState{&Board, &NewBoard, &Marks, &Piece, &BlockX, &BlockY, &State}, Settings, Cells)
    {
        Settings.InnerMode = 1;
        Settings.OuterMode = 1;
        Settings.InnerColor = 0x00203040; // red in the low byte
        Settings.OuterColor = 0x00336699;
        Settings.InnerImage.clear();
        Settings.OuterImage.clear();
        StandIn::Load(Cells, W, H, W, H);
        Painter.MessageRequested = [this](const QString& text) { Messages.push_back(text); };
        Painter.WindowChanged = [this](const QRect& rect) { ChangedRects.push_back(rect); };
        Painter.PreviewRepaintRequested = [this] { ++PreviewRepaints; };
    }

    void Open(int clientWidth = 1016, int clientHeight = 680)
    {
        Painter.FormResize(clientWidth, clientHeight);
        Painter.UpdateGeometry();
    }

    QPoint CellOnWindow(int column, int row) const
    {
        return Painter.Geometry().Origin() + QPoint(column * W, row * H);
    }

    QImage WindowCell(int column, int row) const
    {
        return Painter.WindowImage().copy(QRect(CellOnWindow(column, row), QSize(W, H)));
    }

    QImage BoardCell(int column, int row) const
    {
        return Painter.BoardImage().copy(column * W, row * H, W, H);
    }

    static QImage Plain(QRgb colour, int w = W, int h = H)
    {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(colour);
        return image;
    }

    static QImage Cell(int colour) { return StandIn::PatternedCell(colour, W, H); }

    QString SaveBmp(const QString& name, const QImage& image)
    {
        const QString path = Folder.filePath(name);
        EXPECT_TRUE(image.save(path, "BMP"));
        return path;
    }

    TSettings Settings;
    TGrid Board;
    TGrid NewBoard;
    TGrid Marks;
    TBlock Piece;
    int32_t BlockX = 0;
    int32_t BlockY = 0;
    TGameState State = gsPlaying;
    TCellImages Cells;
    TWellPainter Painter;
    std::vector<QString> Messages;
    std::vector<QRect> ChangedRects;
    int PreviewRepaints = 0;
    QTemporaryDir Folder;
};

TEST_F(WellPainting, FrameLinesAndSilverBandSurroundTheWell)
{
    Open();
    const int l = 310, t = 25, w = 396, h = 629;
    ASSERT_EQ(Painter.Geometry().WellRect(), QRect(l, t, w, h));
    struct TProbe
    {
        QPoint Point;
        QRgb Colour;
    };
    const TProbe probes[] = {
        {{0, 0}, Outer},
        {{1015, 679}, Outer},
        {{l - 7, t}, Outer},
        {{l - 6, t - 6}, White},         // top-left corner
        {{l - 6, t + h + 6}, White},     // the left line starts at the bottom-left corner
        {{l + w + 5, t - 6}, White},     // the top line ends before the top-right corner
        {{l + w + 6, t - 6}, Grey},
        {{l + w + 6, t + h + 6}, Grey},
        {{l - 5, t + h + 6}, Grey},
        {{l - 5, t - 5}, Silver},
        {{l - 1, t - 1}, Silver},
        {{l + w, t + h}, Silver},
        {{l + w + 5, t + h + 5}, Silver}, // six pixels of band on the right and bottom
        {{l + w + 7, t}, Outer},
        {{l, t + h + 7}, Outer},
        {{l, t}, Inner},
        {{l + w - 1, t + h - 1}, Inner},
    };
    for (const TProbe& probe : probes)
        EXPECT_EQ(Painter.WindowImage().pixel(probe.Point), probe.Colour)
            << "at " << probe.Point.x() << ", " << probe.Point.y();
}

TEST_F(WellPainting, OuterPictureIsTiledFromTheTopLeftCorner)
{
    QImage picture = Plain(qRgb(255, 0, 0), 64, 64);
    picture.setPixel(0, 0, qRgb(0, 255, 0));
    Settings.OuterMode = 2;
    Settings.OuterTile = true;
    Settings.OuterImage = SaveBmp(QStringLiteral("outer.bmp"), picture).toStdString();
    Open();
    Painter.LoadOuterPicture();

    int green = 0;
    std::set<std::pair<int, int>> corners;
    const QImage& window = Painter.WindowImage();
    for (int y = 0; y < window.height(); ++y)
        for (int x = 0; x < window.width(); ++x)
            if (window.pixel(x, y) == qRgb(0, 255, 0))
            {
                ++green;
                corners.insert({x, y});
            }
    // 16 columns by 11 rows of tiles, less the 7 x 10 whose corner lies under the frame and the well.
    for (const auto& [x, y] : corners)
    {
        EXPECT_EQ(x % 64, 0);
        EXPECT_EQ(y % 64, 0);
    }
    EXPECT_TRUE(corners.count({960, 640}));
    EXPECT_TRUE(corners.count({0, 0}));
    EXPECT_FALSE(corners.count({320, 64})); // under the well
    EXPECT_EQ(green, 16 * 11 - 7 * 10);
}

// The window asks for rectangles of its own choosing; each must match the whole client area
// painted at once, whatever it crosses: tiles, frame, band, well, the edges.
TEST_F(WellPainting, AnyRectanglePaintedAloneMatchesTheWholeWindow)
{
    QImage picture = Plain(qRgb(255, 0, 0), 64, 48);
    picture.setPixel(0, 0, qRgb(0, 255, 0));
    picture.setPixel(63, 47, qRgb(0, 0, 255));
    for (const bool tile : {true, false})
    {
        SCOPED_TRACE(tile ? "tiled" : "stretched");
        Settings.OuterMode = 2;
        Settings.OuterTile = tile;
        Settings.InnerMode = 2;
        Settings.InnerTile = tile;
        Settings.OuterImage = SaveBmp(QStringLiteral("outer.bmp"), picture).toStdString();
        Settings.InnerImage = SaveBmp(QStringLiteral("inner.bmp"), picture.mirrored()).toStdString();
        Open();
        Painter.LoadOuterPicture();
        Painter.DrawBoardCell(3, 2, 16);
        Painter.ShowWell();
        const QImage whole = Painter.WindowImage();
        const QPoint well = Painter.Geometry().Origin();
        for (const QRect area : {QRect(0, 0, 1016, 680), QRect(1, 2, 63, 47), QRect(well - QPoint(9, 9), QSize(30, 30)),
                                 QRect(well + QPoint(2 * W - 5, 16 * H - 3), QSize(W + 9, H + 40)),
                                 QRect(1000, 670, 16, 10), QRect(70, 65, 1, 600)})
        {
            SCOPED_TRACE(testing::Message() << area.x() << "," << area.y());
            QImage part(area.size(), QImage::Format_RGB32);
            part.fill(Qt::black);
            Painter.Paint(part, area);
            // Beyond the client area the part keeps its black.
            EXPECT_EQ(part, whole.copy(area).convertToFormat(QImage::Format_RGB32));
        }
    }
}

TEST_F(WellPainting, StretchedOuterPictureTakesNearestPixels)
{
    QImage picture = Plain(qRgb(255, 0, 0), 64, 64);
    picture.setPixel(0, 0, qRgb(0, 255, 0));
    Settings.OuterMode = 2;
    Settings.OuterTile = false;
    Settings.OuterImage = SaveBmp(QStringLiteral("outer.bmp"), picture).toStdString();
    Open();
    Painter.LoadOuterPicture();

    // One source pixel covers 15.9 x 10.6 target pixels: a sharp 16 x 11 block, nothing blended.
    const QImage& window = Painter.WindowImage();
    EXPECT_EQ(window.copy(0, 0, 16, 11), Plain(qRgb(0, 255, 0), 16, 11));
    EXPECT_EQ(window.pixel(16, 0), qRgb(255, 0, 0));
    EXPECT_EQ(window.pixel(0, 11), qRgb(255, 0, 0));
    EXPECT_EQ(window.pixel(1015, 679), qRgb(255, 0, 0));
}

TEST_F(WellPainting, InnerPictureOf100PixelsIsTiled28TimesOnTheLargeWell)
{
    QImage picture = Plain(qRgb(0, 0, 255), 100, 100);
    picture.setPixel(0, 0, qRgb(255, 0, 0));
    Settings.InnerMode = 2;
    Settings.InnerTile = true;
    Settings.InnerImage = SaveBmp(QStringLiteral("inner.bmp"), picture).toStdString();
    Open();

    std::set<std::pair<int, int>> marks;
    const QImage& background = Painter.WellBackground();
    ASSERT_EQ(background.size(), QSize(396, 629));
    for (int y = 0; y < background.height(); ++y)
        for (int x = 0; x < background.width(); ++x)
            if (background.pixel(x, y) == qRgb(255, 0, 0))
                marks.insert({x, y});
    std::set<std::pair<int, int>> expected;
    for (int r = 0; r <= 6; ++r)
        for (int c = 0; c <= 3; ++c)
            expected.insert({c * 100, r * 100});
    EXPECT_EQ(marks, expected);
    EXPECT_EQ(Painter.BoardImage(), background);
    EXPECT_TRUE(Messages.empty());
}

TEST_F(WellPainting, InnerPictureStretchedOverTheWell)
{
    QImage picture(2, 1, QImage::Format_RGB32);
    picture.setPixel(0, 0, qRgb(255, 0, 0));
    picture.setPixel(1, 0, qRgb(0, 0, 255));
    Settings.InnerMode = 2;
    Settings.InnerTile = false;
    Settings.InnerImage = SaveBmp(QStringLiteral("two.bmp"), picture).toStdString();
    Open();

    const QImage& background = Painter.WellBackground();
    EXPECT_EQ(background.copy(0, 0, 198, 629), Plain(qRgb(255, 0, 0), 198, 629));
    EXPECT_EQ(background.copy(198, 0, 198, 629), Plain(qRgb(0, 0, 255), 198, 629));
}

// A metafile is drawn on a transparent ground: the picture stretched over the well shows
// through the transparent parts of the tiles laid over it.
TEST_F(WellPainting, StretchedMetafileShowsThroughItsTiles)
{
    QFile file(Folder.filePath(QStringLiteral("half.wmf")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    // A red left half, the rest transparent, and an unknown record that is skipped.
    file.write(MetafileTestFiles::TWmf().Brush(0xFF).Add(0x0999, {1, 2}).Add(0x041B, {96, 48, 0, 0}).Placeable());
    file.close();
    Settings.InnerMode = 2;
    Settings.InnerTile = true;
    Settings.InnerImage = file.fileName().toStdString();
    Open();

    const QImage& background = Painter.WellBackground();
    EXPECT_EQ(background.pixel(30, 10), qRgb(255, 0, 0));  // the first tile's red half
    EXPECT_EQ(background.pixel(150, 10), qRgb(255, 0, 0)); // the stretched half through a tile
    EXPECT_EQ(background.pixel(300, 10), qRgb(255, 0, 0)); // the fourth tile
    EXPECT_NE(background.pixel(250, 10), qRgb(255, 0, 0)); // neither
}

struct TFailureCase
{
    const char* Name;
    QByteArray Content;
};

// A picture that cannot be opened is reported once and the background falls back to its colour.
TEST_F(WellPainting, UnopenablePicturesFallBackToColour)
{
    QImage valid = Plain(qRgb(1, 2, 3), 8, 8);
    ASSERT_TRUE(valid.save(Folder.filePath(QStringLiteral("valid.jpg")), "JPEG"));
    QFile::copy(Folder.filePath(QStringLiteral("valid.jpg")), Folder.filePath(QStringLiteral("valid.jpe")));
    QFile cut(Folder.filePath(QStringLiteral("cut.jpg")));
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    {
        QFile whole(Folder.filePath(QStringLiteral("valid.jpg")));
        ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
        cut.write(whole.readAll().left(200));
        cut.close();
    }
    const QString paths[] = {
        Folder.filePath(QStringLiteral("valid.jpe")),
        Folder.filePath(QStringLiteral("cut.jpg")),
        Folder.filePath(QStringLiteral("texture2.bmp")), // missing
    };
    for (const QString& path : paths)
    {
        Messages.clear();
        Settings.InnerMode = 2;
        Settings.InnerImage = path.toStdString();
        Settings.OuterMode = 2;
        Settings.OuterImage = path.toStdString();
        Open();
        Painter.LoadOuterPicture();

        ASSERT_EQ(Messages.size(), 2u) << path.toStdString();
        EXPECT_EQ(Messages[0], QStringLiteral("Cannot open ") + path);
        EXPECT_EQ(Messages[1], QStringLiteral("Cannot open ") + path);
        EXPECT_EQ(Settings.InnerMode, 1);
        EXPECT_EQ(Settings.OuterMode, 1);
        EXPECT_TRUE(Settings.InnerImage.empty());
        EXPECT_TRUE(Settings.OuterImage.empty());
        EXPECT_EQ(Painter.WellBackground(), Plain(Inner, 396, 629));
        EXPECT_EQ(Painter.WindowImage().pixel(0, 0), Outer);

        // Colour mode from now on: rebuilding asks nothing more.
        Painter.UpdateGeometry();
        Painter.LoadOuterPicture();
        EXPECT_EQ(Messages.size(), 2u);
    }
}

TEST_F(WellPainting, FullRedrawDrawsEveryCellOfTheBoard)
{
    Open();
    Board.At(16, 0) = 3;
    Board.At(16, 8) = 7;
    Board.At(0, 4) = 1;
    Painter.RedrawWell(true);
    EXPECT_EQ(BoardCell(0, 16), Cell(3));
    EXPECT_EQ(BoardCell(8, 16), Cell(7));
    EXPECT_EQ(BoardCell(4, 0), Cell(1));
    EXPECT_EQ(BoardCell(1, 16), Plain(Inner));
    EXPECT_EQ(WindowCell(8, 16), Cell(7));
    EXPECT_EQ(Painter.WindowImage().copy(Painter.Geometry().WellRect()), Painter.BoardImage());
}

TEST_F(WellPainting, PartialRedrawDrawsOnlyChangedAndMarkedCells)
{
    Open();
    Board.At(16, 0) = 1;
    Board.At(16, 1) = 2;
    Board.At(16, 2) = 3;
    Painter.RedrawWell(true);

    // Not redrawn: same in both grids, not marked, so the old picture stays.
    Board.At(16, 0) = 5;
    NewBoard.At(16, 0) = 5;
    // Changed: drawn with the value it is about to take.
    NewBoard.At(16, 1) = 6;
    NewBoard.At(15, 4) = 4;
    // Marked: drawn again although unchanged (empty here).
    Board.At(16, 2) = 0;
    NewBoard.At(16, 2) = 0;
    Marks.At(16, 2) = 1;
    Painter.RedrawWell(false);

    EXPECT_EQ(BoardCell(0, 16), Cell(1));
    EXPECT_EQ(BoardCell(1, 16), Cell(6));
    EXPECT_EQ(BoardCell(4, 15), Cell(4));
    EXPECT_EQ(BoardCell(2, 16), Plain(Inner));
    EXPECT_EQ(WindowCell(1, 16), Cell(6));
}

TEST_F(WellPainting, FallingPieceIsComposedOverTheBoardButNotKept)
{
    Open();
    Board.At(16, 4) = 2;
    Painter.RedrawWell(true);
    Piece.Horizontal = false;
    Piece.Count = 3;
    Piece.Colors[0] = 5;
    Piece.Colors[1] = 6;
    Piece.Colors[2] = 7;
    BlockX = 4;
    BlockY = 13;
    ChangedRects.clear();
    Painter.RedrawPieceArea(4 * W, 12 * H, W, 4 * H);

    EXPECT_EQ(WindowCell(4, 12), Plain(Inner));
    EXPECT_EQ(WindowCell(4, 13), Cell(5));
    EXPECT_EQ(WindowCell(4, 15), Cell(7));
    EXPECT_EQ(WindowCell(4, 16), Cell(2));
    EXPECT_EQ(BoardCell(4, 13), Plain(Inner));
    ASSERT_EQ(ChangedRects.size(), 1u);
    EXPECT_EQ(ChangedRects[0], QRect(CellOnWindow(4, 12), QSize(W, 4 * H)));
}

TEST_F(WellPainting, EnteringPieceShowsOnlyItsCellsInsideTheWell)
{
    Open();
    Painter.PaintWindow();
    const QImage before = Painter.WindowImage().copy();
    Piece.Horizontal = false;
    Piece.Count = 3;
    Piece.Colors[0] = 1;
    Piece.Colors[1] = 2;
    Piece.Colors[2] = 3;
    BlockX = 4;
    BlockY = -2;
    Painter.RedrawPieceArea(4 * W, -2 * H, W, 3 * H);

    EXPECT_EQ(WindowCell(4, 0), Cell(3));
    // The silver band above the well is untouched.
    const QRect above(CellOnWindow(4, 0) - QPoint(0, 6), QSize(W, 6));
    EXPECT_EQ(Painter.WindowImage().copy(above), before.copy(above));
}

TEST_F(WellPainting, WhilePausedOrStoppedThePieceIsNotComposed)
{
    Open();
    Piece.Horizontal = true;
    Piece.Count = 2;
    Piece.Colors[0] = 4;
    Piece.Colors[1] = 4;
    BlockX = 0;
    BlockY = 5;
    Painter.RedrawPieceArea(0, 5 * H, 2 * W, H);
    ASSERT_EQ(WindowCell(1, 5), Cell(4));

    // Paused: nothing is composed; the window keeps what it shows (here the bare well), even for
    // a moved piece.
    State = gsPaused;
    Painter.ShowWell();
    BlockX = 1;
    Painter.RedrawPieceArea(0, 5 * H, 2 * W, H);
    EXPECT_EQ(WindowCell(0, 5), Plain(Inner));
    EXPECT_EQ(WindowCell(1, 5), Plain(Inner));

    // Stopped: only the settled cells.
    State = gsStopped;
    Painter.RedrawPieceArea(0, 5 * H, 2 * W, H);
    EXPECT_EQ(WindowCell(0, 5), Plain(Inner));
    EXPECT_EQ(WindowCell(1, 5), Plain(Inner));
}

TEST_F(WellPainting, CaptureTakesTheShownPieceIntoTheBoardImage)
{
    for (const QSize client : {QSize(1016, 680), QSize(300, 200)}) // the second cuts the well off
    {
        Open(client.width(), client.height());
        Piece.Horizontal = true;
        Piece.Count = 3;
        Piece.Colors[0] = 1;
        Piece.Colors[1] = 2;
        Piece.Colors[2] = 3;
        BlockX = 6;
        BlockY = 16;
        Painter.RedrawPieceArea(6 * W, 15 * H, 3 * W, 2 * H);
        ASSERT_EQ(BoardCell(8, 16), Plain(Inner));

        Painter.CaptureWell();
        EXPECT_EQ(BoardCell(6, 16), Cell(1)) << client.width();
        EXPECT_EQ(BoardCell(8, 16), Cell(3)) << client.width();
        EXPECT_EQ(BoardCell(7, 15), Plain(Inner)) << client.width();
    }
}

TEST_F(WellPainting, DissolveFrameIsDrawnOnTheWindowForMarkedCellsOnly)
{
    Open();
    Board.At(16, 0) = 2;
    Board.At(16, 1) = 2;
    Board.At(16, 2) = 2;
    Board.At(15, 0) = 5;
    Painter.RedrawWell(true);
    Marks.At(16, 0) = 1;
    Marks.At(16, 1) = 1;
    Marks.At(16, 2) = 1;
    const QImage boardBefore = Painter.BoardImage().copy();

    ChangedRects.clear();
    Painter.DrawDissolveFrame(2);
    ASSERT_EQ(ChangedRects.size(), 1u);
    EXPECT_EQ(ChangedRects[0], QRect(CellOnWindow(0, 16), QSize(3 * W, H)));
    const QImage shown = WindowCell(1, 16);
    const QImage cell = Cell(2);
    int wrong = 0;
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            if (shown.pixel(x, y) != (StandIn::MaskIsWhite(2, x, y) ? Inner : cell.pixel(x, y)))
                ++wrong;
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(WindowCell(0, 15), Cell(5));
    EXPECT_EQ(Painter.BoardImage(), boardBefore);

    Painter.DrawDissolveFrame(5);
    EXPECT_EQ(WindowCell(0, 16), Plain(Inner));
    EXPECT_EQ(WindowCell(2, 16), Plain(Inner));
    EXPECT_EQ(WindowCell(0, 15), Cell(5));
}

TEST_F(WellPainting, PauseBannerHidesTheCellsAndResumingShowsThem)
{
    Open();
    for (int column = 0; column < 9; ++column)
        Board.At(16, column) = static_cast<uint8_t>(column % 7 + 1);
    Board.At(8, 4) = 3; // under the banner
    Painter.RedrawWell(true);

    State = gsPaused;
    Painter.PaintWindow();
    const QImage well = Painter.WindowImage().copy(Painter.Geometry().WellRect());
    EXPECT_EQ(WindowCell(0, 16), Plain(Inner));
    EXPECT_EQ(WindowCell(8, 16), Plain(Inner));
    // Everything that is not background is the banner: a box centred in the well.
    QRect banner;
    bool black = false;
    for (int y = 0; y < well.height(); ++y)
        for (int x = 0; x < well.width(); ++x)
            if (well.pixel(x, y) != Inner)
            {
                banner |= QRect(x, y, 1, 1);
                black = black || well.pixel(x, y) == qRgb(0, 0, 0);
            }
    EXPECT_TRUE(black);
    EXPECT_EQ(well.pixel(banner.topLeft()), White);
    EXPECT_GT(banner.width(), 100);
    EXPECT_LE(std::abs(banner.left() - (well.width() - 1 - banner.right())), 1);
    EXPECT_LE(std::abs(banner.top() - (well.height() - 1 - banner.bottom())), 1);

    State = gsPlaying;
    Painter.RedrawWell(true);
    EXPECT_EQ(WindowCell(0, 16), Cell(1));
    EXPECT_EQ(WindowCell(4, 8), Cell(3));
}

// From one column to nine, at any ratio: the banner stays inside the well, centred, and its text
// grows with a wide well past the old box of the window's 11-pixel font.
TEST_F(WellPainting, PauseBannerIsSizedForTheWell)
{
    struct TCase
    {
        const char* Name;
        int Columns;
        int CellWidth;
        int CellHeight;
        double Ratio;
        bool Wide;
    };
    const TCase cases[] = {
        {"small, 9 columns", 9, 26, 22, 1.0, true},        {"medium, 7 columns", 7, 34, 29, 1.0, true},
        {"large, 9 columns", 9, 44, 37, 1.0, true},        {"large, 5 columns, ratio 2", 5, 44, 37, 2.0, true},
        {"fitted, 9 columns, ratio 1.5", 9, 70, 59, 1.5, true}, {"small, 3 columns", 3, 26, 22, 1.0, false},
        {"small, 1 column", 1, 26, 22, 1.0, false},        {"large, 1 column, ratio 2", 1, 44, 37, 2.0, false},
    };
    QFont font;
    font.setPixelSize(11);
    const int oldBox = QFontMetrics(font).horizontalAdvance(TPauseBanner::Text());
    Painter.SetFont(font);
    State = gsPaused;
    for (const TCase& c : cases)
    {
        SCOPED_TRACE(c.Name);
        Settings.ColNumber = c.Columns;
        Painter.SetPixelRatio(c.Ratio);
        Painter.SetCellSize(c.CellWidth, c.CellHeight);
        Open();
        const QImage& well = Painter.ComposeImage();
        QRect banner;
        QRect ink;
        for (int y = 0; y < well.height(); ++y)
            for (int x = 0; x < well.width(); ++x)
            {
                const QRgb pixel = well.pixel(x, y);
                if (pixel != Inner)
                    banner |= QRect(x, y, 1, 1);
                if (pixel != Inner && pixel != White && pixel != Silver && pixel != Grey)
                    ink |= QRect(x, y, 1, 1);
            }
        EXPECT_TRUE(well.rect().adjusted(1, 1, -1, -1).contains(banner));
        EXPECT_LE(std::abs(banner.left() - (well.width() - 1 - banner.right())), 1);
        EXPECT_LE(std::abs(banner.top() - (well.height() - 1 - banner.bottom())), 1);
        EXPECT_TRUE(banner.adjusted(2, 2, -2, -2).contains(ink));
        EXPECT_TRUE(!c.Wide || ink.width() > oldBox * c.Ratio) << ink.width();
    }
}

TEST_F(WellPainting, PaintingAStoppedGameRedrawsTheBoardAndThePreview)
{
    Open();
    State = gsStopped;
    Board.At(3, 3) = 6;
    PreviewRepaints = 0;
    Painter.PaintWindow();
    EXPECT_EQ(WindowCell(3, 3), Cell(6));
    EXPECT_EQ(PreviewRepaints, 1);

    // A game in play repaints only what BoardImage holds.
    State = gsPlaying;
    Board.At(3, 4) = 6;
    Painter.PaintWindow();
    EXPECT_EQ(WindowCell(4, 3), Plain(Inner));
    EXPECT_EQ(PreviewRepaints, 2);
}

TEST_F(WellPainting, NewGameShowsTheEmptyWell)
{
    Open();
    Board.At(16, 3) = 6;
    Painter.RedrawWell(true);
    Painter.ShowEmptyWell();
    EXPECT_EQ(Painter.BoardImage(), Plain(Inner, 396, 629));
    EXPECT_EQ(WindowCell(3, 16), Plain(Inner));
}

TEST_F(WellPainting, InvalidationWaitsForThePaintWhenTheWindowAsks)
{
    int requests = 0;
    Painter.InvalidateRequested = [&requests] { ++requests; };
    Open();
    EXPECT_TRUE(Painter.PaintPending());
    EXPECT_GE(requests, 1);
    ChangedRects.clear();
    Painter.PaintWindow();
    EXPECT_FALSE(Painter.PaintPending());
    EXPECT_TRUE(ChangedRects.empty()); // the paint itself shows the whole image
    EXPECT_EQ(Painter.WindowImage().pixel(0, 0), Outer);
}

// At a pixel ratio above 1 the well starts on a whole window coordinate, so the repaint the window
// is asked for after a fall step covers the piece's cells and nothing of their neighbours.
TEST_F(WellPainting, AWellAtRatioTwoStartsOnAWholeWindowCoordinate)
{
    struct TCase
    {
        const char* Name;
        double Ratio;
        QSize Client;
        QPoint Corner;
        QRect Repaint;
    };
    const TCase cases[] = {
        {"ratio 1", 1.0, {1016, 680}, {310, 25}, {486, 469, 44, 148}},
        {"odd top", 2.0, {1016, 680}, {620, 50}, {486, 469, 44, 148}},
        {"odd left", 2.0, {1017, 681}, {620, 52}, {486, 470, 44, 148}},
    };
    for (const TCase& c : cases)
    {
        SCOPED_TRACE(c.Name);
        Painter.SetPixelRatio(c.Ratio);
        Open(c.Client.width(), c.Client.height());
        EXPECT_EQ(Painter.Geometry().Origin(), c.Corner);
        ChangedRects.clear();
        Painter.RedrawPieceArea(4 * Painter.CellWidth(), 12 * Painter.CellHeight(), Painter.CellWidth(),
                                4 * Painter.CellHeight());
        EXPECT_EQ(ChangedRects, std::vector<QRect>{c.Repaint});
    }
}

// While paused the banner is kept as its own pixels over the background: any rectangle across
// it, painted alone, matches the whole well, and the cells under it stay hidden.
TEST_F(WellPainting, PausedWellPaintedInPiecesMatchesTheWhole)
{
    for (const double ratio : {1.0, 2.0})
    {
        SCOPED_TRACE(ratio);
        Painter.SetPixelRatio(ratio);
        Open();
        Board.At(8, 4) = 3;
        Painter.RedrawWell(true);
        State = gsPaused;
        Painter.PaintWindow();
        const QImage whole = Painter.WindowImage();
        const QRect well = Painter.Geometry().WellRect();
        for (const QRect area : {QRect(well.center() - QPoint(40, 20), QSize(81, 41)),
                                 QRect(well.left(), well.center().y() - 1, well.width(), 3)})
        {
            QImage part(area.size(), QImage::Format_RGB32);
            part.fill(Qt::black);
            Painter.Paint(part, area);
            EXPECT_EQ(part, whole.copy(area));
        }
        const QImage shown = whole.copy(well);
        EXPECT_EQ(shown.pixel(0, 0), Inner);
        EXPECT_EQ(shown.pixel(shown.width() / 2, shown.height() / 2 - 2 * Painter.CellHeight()), Inner);
    }
}

} // namespace
