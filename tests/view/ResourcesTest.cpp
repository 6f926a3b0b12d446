// The built-in pictures: every cell image and dissolve mask by its name, the icon, the
// button pictures and the two default background textures.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QSet>
#include <QString>
#include <QtEndian>
#include <cmath>
#include <vector>

namespace {

struct CellSize
{
    int Width;
    int Height;
    const char* Suffix;
    const char* MaskName;
};

const CellSize Large{44, 37, "", "SOLVELARGE"};
const CellSize Medium{34, 29, "M", "SOLVEMEDIUM"};
const CellSize Small{26, 22, "S", "SOLVESMALL"};
const CellSize AllSizes[] = {Large, Medium, Small};

const QRgb Hues[8] = {0, qRgb(128, 0, 128), qRgb(0, 255, 255), qRgb(0, 0, 255), qRgb(0, 255, 0),
                      qRgb(255, 255, 0), qRgb(255, 0, 0), qRgb(255, 0, 255)};

struct BmpHeader
{
    bool Valid = false;
    int FileSize = 0;
    int StatedFileSize = 0;
    int Width = 0;
    int Height = 0;
    int BitsPerPixel = 0;
    int Compression = -1;
    int PaletteSize = 0;
};

BmpHeader ReadBmpHeader(const QString& path)
{
    BmpHeader header;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return header;
    const QByteArray bytes = file.readAll();
    if (bytes.size() < 54 || !bytes.startsWith("BM"))
        return header;
    const auto* data = reinterpret_cast<const uchar*>(bytes.constData());
    header.Valid = qFromLittleEndian<quint32>(data + 14) == 40;
    header.FileSize = int(bytes.size());
    header.StatedFileSize = int(qFromLittleEndian<quint32>(data + 2));
    header.Width = qFromLittleEndian<qint32>(data + 18);
    header.Height = qFromLittleEndian<qint32>(data + 22);
    header.BitsPerPixel = qFromLittleEndian<quint16>(data + 28);
    header.Compression = int(qFromLittleEndian<quint32>(data + 30));
    header.PaletteSize = int(qFromLittleEndian<quint32>(data + 46));
    return header;
}

QImage Cell(const QString& name)
{
    return QImage(":/cells/" + name).convertToFormat(QImage::Format_RGB32);
}

double Luma(QRgb c)
{
    return 0.299 * qRed(c) + 0.587 * qGreen(c) + 0.114 * qBlue(c);
}

int Spread(QRgb p)
{
    return std::max({qRed(p), qGreen(p), qBlue(p)}) - std::min({qRed(p), qGreen(p), qBlue(p)});
}

// The hue (1..7) nearest to a colour.
int NearestHue(double r, double g, double b)
{
    int best = 0;
    double bestDistance = 1e18;
    for (int hue = 1; hue <= 7; ++hue) {
        const double dr = r - qRed(Hues[hue]), dg = g - qGreen(Hues[hue]), db = b - qBlue(Hues[hue]);
        const double distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = hue;
        }
    }
    return best;
}

// The hue nearest to the mean colour of the picture's middle, grey pixels (a digit) left out.
int MiddleHue(const QImage& image)
{
    double r = 0, g = 0, b = 0, n = 0;
    for (int y = image.height() / 4; y < image.height() * 3 / 4; ++y)
        for (int x = image.width() / 4; x < image.width() * 3 / 4; ++x) {
            const QRgb p = image.pixel(x, y);
            if (Spread(p) < 40)
                continue;
            r += qRed(p);
            g += qGreen(p);
            b += qBlue(p);
            ++n;
        }
    return n > 0 ? NearestHue(r / n, g / n, b / n) : 0;
}

bool MaskRuleIsWhite(int step, int x, int y)
{
    const bool dot = x % 4 < 2 && y % 4 < 2;
    switch (step) {
    case 1: return dot;
    case 2: return (x / 2 + y / 2) % 2 == 0;
    case 3: return !dot;
    default: return !(dot && (x / 4 + y / 4) % 2 == 0);
    }
}

QString SourcePath(const QString& relative)
{
    return QDir(QStringLiteral(PELMO_SOURCE_DIR)).filePath(relative);
}

struct CellEntry
{
    QString Name;
    int Width;
    int Height;
    int BitsPerPixel;
    int MaxColours;
};

std::vector<CellEntry> AllCellEntries()
{
    std::vector<CellEntry> entries;
    for (int n = 1; n <= 7; ++n) {
        const QString index = QString::number(n);
        entries.push_back({"SOLID" + index, 44, 37, 4, 16});
        entries.push_back({"SOLID256" + index, 44, 37, 8, 256});
        for (const CellSize& size : AllSizes) {
            entries.push_back({QString("PYRAMID") + size.Suffix + index, size.Width, size.Height, 8, 256});
            entries.push_back({QString("NUMBER") + size.Suffix + index, size.Width, size.Height, 8, 256});
        }
    }
    for (const CellSize& size : AllSizes)
        for (int step = 1; step <= 4; ++step)
            entries.push_back({size.MaskName + QString::number(step), size.Width, size.Height, 4, 16});
    return entries;
}

} // namespace

TEST(ResourcesTest, EveryCellAndMaskLoadsByNameWithItsSizeAndDepth)
{
    const std::vector<CellEntry> entries = AllCellEntries();
    ASSERT_EQ(entries.size(), 68u);
    for (const CellEntry& entry : entries) {
        SCOPED_TRACE(entry.Name.toStdString());
        const QString path = ":/cells/" + entry.Name;
        const QImage image(path);
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.width(), entry.Width);
        EXPECT_EQ(image.height(), entry.Height);
        EXPECT_EQ(image.format(), QImage::Format_Indexed8);
        EXPECT_LE(image.colorCount(), entry.MaxColours);

        const BmpHeader header = ReadBmpHeader(path);
        ASSERT_TRUE(header.Valid);
        EXPECT_EQ(header.BitsPerPixel, entry.BitsPerPixel);
        EXPECT_EQ(header.Compression, 0);
        EXPECT_EQ(header.Width, entry.Width);
        EXPECT_EQ(header.Height, entry.Height); // positive: bottom-up rows
        EXPECT_EQ(header.StatedFileSize, header.FileSize);
        EXPECT_EQ(header.PaletteSize, image.colorCount());
    }
}

TEST(ResourcesTest, UnknownCellNameLoadsNothing)
{
    for (const char* name : {"SOLID0", "SOLID8", "PYRAMIDL1", "SOLVELARGE5", "NUMBERS"})
        EXPECT_TRUE(QImage(QString(":/cells/") + name).isNull()) << name;
}

TEST(ResourcesTest, SixteenColourTilesHaveWhiteAndGreyBevelsMitred)
{
    const QRgb white = qRgb(255, 255, 255);
    const QRgb grey = qRgb(128, 128, 128);
    for (int n = 1; n <= 7; ++n) {
        SCOPED_TRACE(n);
        const QImage tile = Cell("SOLID" + QString::number(n));
        ASSERT_EQ(tile.size(), QSize(44, 37));
        QSet<QRgb> used;
        for (int y = 0; y < 37; ++y)
            for (int x = 0; x < 44; ++x)
                used.insert(tile.pixel(x, y));
        EXPECT_EQ(used, (QSet<QRgb>{white, grey, Hues[n]}));

        for (int d = 0; d < 3; ++d) {
            EXPECT_EQ(tile.pixel(22, d), white);       // top
            EXPECT_EQ(tile.pixel(d, 18), white);       // left
            EXPECT_EQ(tile.pixel(22, 36 - d), grey);   // bottom
            EXPECT_EQ(tile.pixel(43 - d, 18), grey);   // right
        }
        EXPECT_EQ(tile.pixel(3, 3), Hues[n]);
        EXPECT_EQ(tile.pixel(40, 33), Hues[n]);
        EXPECT_EQ(tile.pixel(22, 3), Hues[n]);
        // Mitres: the corner squares split along their diagonals.
        EXPECT_EQ(tile.pixel(0, 0), white);
        EXPECT_EQ(tile.pixel(43, 36), grey);
        EXPECT_EQ(tile.pixel(41, 1), white); // above the top-right diagonal
        EXPECT_EQ(tile.pixel(42, 2), grey);  // below it
        EXPECT_EQ(tile.pixel(1, 34), white); // above the bottom-left diagonal
        EXPECT_EQ(tile.pixel(2, 35), grey);  // below it
        // Face area: everything 3 pixels in from every edge.
        int face = 0;
        for (int y = 3; y < 34; ++y)
            for (int x = 3; x < 41; ++x)
                face += tile.pixel(x, y) == Hues[n];
        EXPECT_EQ(face, 38 * 31);
    }
}

TEST(ResourcesTest, EachCellShowsItsOwnColour)
{
    for (int n = 1; n <= 7; ++n) {
        QStringList names{"SOLID" + QString::number(n), "SOLID256" + QString::number(n)};
        for (const CellSize& size : AllSizes) {
            names << QString("PYRAMID") + size.Suffix + QString::number(n);
            names << QString("NUMBER") + size.Suffix + QString::number(n);
        }
        for (const QString& name : names)
            EXPECT_EQ(MiddleHue(Cell(name)), n) << name.toStdString();
    }
}

TEST(ResourcesTest, ShadedTilesAreLitFromTheTopLeft)
{
    for (int n = 1; n <= 7; ++n) {
        for (const QString& name : {"SOLID256" + QString::number(n), QString("NUMBERS") + QString::number(n)}) {
            SCOPED_TRACE(name.toStdString());
            const QImage tile = Cell(name);
            const int w = tile.width();
            const int h = tile.height();
            EXPECT_GT(Luma(tile.pixel(w / 2, 1)), Luma(tile.pixel(w / 2, h - 2)));
            EXPECT_GT(Luma(tile.pixel(1, h / 2)), Luma(tile.pixel(w - 2, h / 2)));
        }
    }
}

TEST(ResourcesTest, PyramidFacesRunFromLightestAtTopToDarkestAtBottom)
{
    for (int n = 1; n <= 7; ++n) {
        for (const CellSize& size : AllSizes) {
            const QString name = QString("PYRAMID") + size.Suffix + QString::number(n);
            SCOPED_TRACE(name.toStdString());
            const QImage tile = Cell(name);
            const int w = size.Width;
            const int h = size.Height;
            const double top = Luma(tile.pixel(w / 2, h / 6));
            const double left = Luma(tile.pixel(w / 6, h / 2));
            const double right = Luma(tile.pixel(w - 1 - w / 6, h / 2));
            const double bottom = Luma(tile.pixel(w / 2, h - 1 - h / 6));
            EXPECT_GT(top, left);
            EXPECT_GT(left, right);
            EXPECT_GT(right, bottom);
        }
    }
}

TEST(ResourcesTest, NumberCellsCarryDistinctCentredLightGreyDigits)
{
    for (const CellSize& size : AllSizes) {
        std::vector<QImage> digits;
        for (int n = 1; n <= 7; ++n) {
            const QString name = QString("NUMBER") + size.Suffix + QString::number(n);
            SCOPED_TRACE(name.toStdString());
            const QImage tile = Cell(name);
            // Light grey: all three channels close together and bright.
            QImage digit(tile.size(), QImage::Format_Mono);
            digit.fill(0);
            QRect box;
            int count = 0;
            for (int y = 0; y < tile.height(); ++y)
                for (int x = 0; x < tile.width(); ++x) {
                    const QRgb p = tile.pixel(x, y);
                    if (Spread(p) <= 12 && qGreen(p) >= 180) {
                        digit.setPixel(x, y, 1);
                        box |= QRect(x, y, 1, 1);
                        ++count;
                    }
                }
            // A large digit: taller than half the cell, in the middle.
            EXPECT_GE(count, size.Width * size.Height / 24);
            EXPECT_GE(box.height(), size.Height / 2);
            EXPECT_LE(std::abs((box.left() + box.right()) - (size.Width - 1)), 3);
            EXPECT_LE(std::abs((box.top() + box.bottom()) - (size.Height - 1)), 3);
            for (const QImage& other : digits)
                EXPECT_NE(digit, other);
            digits.push_back(digit);
        }
    }
}

TEST(ResourcesTest, DissolveMasksArePixelExact)
{
    struct Expected
    {
        CellSize Size;
        int White[4];
    };
    // 1628, 986 and 572 pixels: a quarter, a half, three quarters and seven eighths white,
    // as near as the odd sizes allow.
    const Expected table[] = {
        {Large, {418, 814, 1210, 1418}},
        {Medium, {270, 494, 716, 850}},
        {Small, {168, 288, 404, 488}},
    };
    for (const Expected& e : table) {
        for (int step = 1; step <= 4; ++step) {
            const QString name = e.Size.MaskName + QString::number(step);
            SCOPED_TRACE(name.toStdString());
            const QImage mask = Cell(name);
            ASSERT_EQ(mask.size(), QSize(e.Size.Width, e.Size.Height));
            int white = 0;
            int wrong = 0;
            int neither = 0;
            for (int y = 0; y < mask.height(); ++y)
                for (int x = 0; x < mask.width(); ++x) {
                    const QRgb p = mask.pixel(x, y);
                    if (p != qRgb(0, 0, 0) && p != qRgb(255, 255, 255))
                        ++neither;
                    const bool isWhite = p == qRgb(255, 255, 255);
                    white += isWhite;
                    wrong += isWhite != MaskRuleIsWhite(step, x, y);
                }
            EXPECT_EQ(neither, 0);
            EXPECT_EQ(white, e.White[step - 1]);
            EXPECT_EQ(wrong, 0);
        }
    }
}

TEST(ResourcesTest, DissolveStepsHaveTheirDotPatterns)
{
    const QRgb W = qRgb(255, 255, 255);
    const QRgb B = qRgb(0, 0, 0);
    struct Probe
    {
        int Step, X, Y;
        QRgb Colour;
    };
    const Probe probes[] = {
        // Step 1: black, white 2 x 2 dots every 4 pixels.
        {1, 0, 0, W}, {1, 1, 1, W}, {1, 2, 0, B}, {1, 0, 2, B}, {1, 3, 3, B}, {1, 4, 4, W}, {1, 5, 0, W},
        // Step 2: 2 x 2 checkerboard.
        {2, 0, 0, W}, {2, 1, 1, W}, {2, 2, 0, B}, {2, 0, 2, B}, {2, 2, 2, W}, {2, 3, 3, W}, {2, 4, 2, B},
        // Step 3: the reverse of step 1.
        {3, 0, 0, B}, {3, 1, 1, B}, {3, 2, 0, W}, {3, 0, 2, W}, {3, 4, 4, B}, {3, 3, 3, W},
        // Step 4: black 2 x 2 dots 8 apart, the next row of dots 4 pixels along.
        {4, 0, 0, B}, {4, 1, 1, B}, {4, 4, 0, W}, {4, 8, 0, B}, {4, 0, 4, W}, {4, 4, 4, B}, {4, 5, 5, B},
        {4, 12, 4, B}, {4, 8, 4, W}, {4, 2, 2, W}, {4, 0, 8, B},
    };
    for (const CellSize& size : AllSizes) {
        for (const Probe& p : probes) {
            const QImage mask = Cell(size.MaskName + QString::number(p.Step));
            EXPECT_EQ(mask.pixel(p.X, p.Y), p.Colour)
                << size.MaskName << p.Step << " at " << p.X << "," << p.Y;
        }
    }
}

TEST(ResourcesTest, ProgramIconComesInSeveralSizesShowingColouredCells)
{
    const struct
    {
        const char* Path;
        int Size;
    } icons[] = {
        {":/icon/pelmo2000.png", 32},     {":/icon/pelmo2000-16.png", 16},   {":/icon/pelmo2000-24.png", 24},
        {":/icon/pelmo2000-48.png", 48},  {":/icon/pelmo2000-64.png", 64},   {":/icon/pelmo2000-128.png", 128},
        {":/icon/pelmo2000-256.png", 256},
    };
    for (const auto& icon : icons) {
        SCOPED_TRACE(icon.Path);
        const QImage image = QImage(icon.Path).convertToFormat(QImage::Format_RGB32);
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.size(), QSize(icon.Size, icon.Size));
        // Cells of at least four different colours, covering much of the picture.
        QSet<int> hues;
        int vivid = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QRgb p = image.pixel(x, y);
                if (Spread(p) < 150)
                    continue;
                ++vivid;
                hues.insert(NearestHue(qRed(p), qGreen(p), qBlue(p)));
            }
        EXPECT_GE(hues.size(), 4);
        EXPECT_GE(vivid, icon.Size * icon.Size / 5);
    }
    const QImage ico(":/icon/pelmo2000.ico");
    ASSERT_FALSE(ico.isNull());
    EXPECT_EQ(ico.width(), ico.height());
}

TEST(ResourcesTest, ButtonAndMenuPicturesAreSixteenPixelsWithTransparency)
{
    for (const char* name : {"newgame", "pause", "highscores", "preferences", "exit", "help", "single", "duo",
                             "trio", "column", "quartet", "row", "pelmo"}) {
        SCOPED_TRACE(name);
        const QImage glyph = QImage(QString(":/glyphs/%1.png").arg(name)).convertToFormat(QImage::Format_ARGB32);
        ASSERT_FALSE(glyph.isNull());
        EXPECT_EQ(glyph.size(), QSize(16, 16));
        int clear = 0;
        int solid = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                clear += qAlpha(glyph.pixel(x, y)) == 0;
                solid += qAlpha(glyph.pixel(x, y)) == 255;
            }
        EXPECT_GT(solid, 20);
        EXPECT_GT(clear + solid, 255 - 8); // crisp pixel art, no soft edges
        if (QString(name) != "pelmo") {
            EXPECT_GT(clear, 30);
        }
    }
}

TEST(ResourcesTest, DefaultTexturesAreTrueColourAndTileWithoutSeams)
{
    for (const char* file : {"data/texture1.bmp", "data/texture2.bmp"}) {
        SCOPED_TRACE(file);
        const QString path = SourcePath(file);
        const BmpHeader header = ReadBmpHeader(path);
        ASSERT_TRUE(header.Valid);
        EXPECT_EQ(header.BitsPerPixel, 24);
        EXPECT_EQ(header.StatedFileSize, header.FileSize);
        const QImage texture = QImage(path).convertToFormat(QImage::Format_RGB32);
        ASSERT_FALSE(texture.isNull());
        const int w = texture.width();
        const int h = texture.height();
        EXPECT_EQ(w, 256);
        EXPECT_EQ(h, 256);

        auto step = [&](int x1, int y1, int x2, int y2) {
            const QRgb a = texture.pixel(x1, y1);
            const QRgb b = texture.pixel(x2, y2);
            return double(std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b)));
        };
        // Across the wrap the picture changes no more than between any two neighbouring
        // rows or columns inside it.
        auto columnStep = [&](int x1, int x2) {
            double sum = 0;
            for (int y = 0; y < h; ++y)
                sum += step(x1, y, x2, y);
            return sum;
        };
        auto rowStep = [&](int y1, int y2) {
            double sum = 0;
            for (int x = 0; x < w; ++x)
                sum += step(x, y1, x, y2);
            return sum;
        };
        double widestColumnStep = 0;
        double widestRowStep = 0;
        for (int i = 0; i + 1 < w; ++i)
            widestColumnStep = std::max(widestColumnStep, columnStep(i, i + 1));
        for (int i = 0; i + 1 < h; ++i)
            widestRowStep = std::max(widestRowStep, rowStep(i, i + 1));
        EXPECT_LE(columnStep(w - 1, 0), widestColumnStep);
        EXPECT_LE(rowStep(h - 1, 0), widestRowStep);
    }
}

TEST(ResourcesTest, WellTextureIsDarkerThanTheSurroundSoCellsStandOut)
{
    auto meanLuma = [](const QString& path) {
        const QImage t = QImage(path).convertToFormat(QImage::Format_RGB32);
        double sum = 0;
        for (int y = 0; y < t.height(); ++y)
            for (int x = 0; x < t.width(); ++x)
                sum += Luma(t.pixel(x, y));
        return sum / (t.width() * t.height());
    };
    const double outer = meanLuma(SourcePath("data/texture1.bmp"));
    const double inner = meanLuma(SourcePath("data/texture2.bmp"));
    EXPECT_LT(inner, outer);
    EXPECT_LT(inner, 32.0);
    EXPECT_LT(outer, 90.0); // the white and yellow captions stay readable on it
}
