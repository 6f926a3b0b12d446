#include "cellart/CellArt.h"
#include "view/CellNames.h"

#include <QSet>
#include <gtest/gtest.h>

namespace
{

QImage Shipped(const QString& name)
{
    return QImage(TCellNames::ResourcePath(name)).convertToFormat(QImage::Format_RGB32);
}

int DifferentPixels(const QImage& a, const QImage& b)
{
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            count += a.pixel(x, y) != b.pixel(x, y);
    return count;
}

struct TShippedCase
{
    const char* Name; // without the colour or step
    int Skin;         // 0 for the dissolve masks
    int Width;
    int Height;
};

TEST(CellArt, DrawsTheShippedBitmapsAtTheirSizes)
{
    const TShippedCase cases[] = {
        {"SOLID256", 1, 44, 37}, {"SOLID", 2, 44, 37},      {"PYRAMID", 3, 44, 37},    {"PYRAMIDM", 3, 34, 29},
        {"PYRAMIDS", 3, 26, 22}, {"NUMBER", 4, 44, 37},     {"NUMBERM", 4, 34, 29},    {"NUMBERS", 4, 26, 22},
        {"SOLVELARGE", 0, 44, 37}, {"SOLVEMEDIUM", 0, 34, 29}, {"SOLVESMALL", 0, 26, 22},
    };
    for (const TShippedCase& c : cases)
    {
        const int count = c.Skin == 0 ? TCellArt::StepCount : TCellArt::ColourCount;
        for (int n = 1; n <= count; ++n)
        {
            const QString name = QString::fromLatin1(c.Name) + QString::number(n);
            SCOPED_TRACE(name.toStdString());
            const QImage drawn = c.Skin == 0 ? TCellArt::Mask(n, c.Width, c.Height)
                                             : TCellArt::Cell(c.Skin, n, c.Width, c.Height);
            const QImage shipped = Shipped(name);
            ASSERT_EQ(drawn.size(), shipped.size());
            EXPECT_EQ(DifferentPixels(drawn, shipped), 0);
        }
    }
}

// Mean colour, for comparing pictures of one cell at two sizes.
QRgb Mean(const QImage& image)
{
    double r = 0, g = 0, b = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
        {
            const QRgb p = image.pixel(x, y);
            r += qRed(p), g += qGreen(p), b += qBlue(p);
        }
    const double n = double(image.width()) * image.height();
    return qRgb(int(r / n + 0.5), int(g / n + 0.5), int(b / n + 0.5));
}

bool AllInTwoByTwoBlocks(const QImage& image)
{
    for (int y = 0; y + 1 < image.height(); y += 2)
        for (int x = 0; x + 1 < image.width(); x += 2)
        {
            const QRgb p = image.pixel(x, y);
            if (image.pixel(x + 1, y) != p || image.pixel(x, y + 1) != p || image.pixel(x + 1, y + 1) != p)
                return false;
        }
    return true;
}

QSet<QRgb> Colours(const QImage& image)
{
    QSet<QRgb> set;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            set.insert(image.pixel(x, y));
    return set;
}

TEST(CellArt, AtTwiceThePixelsShowsDetailInTheSkinsColours)
{
    for (int skin = 1; skin <= 4; ++skin)
        for (int colour = 1; colour <= TCellArt::ColourCount; ++colour)
        {
            SCOPED_TRACE(skin * 10 + colour);
            const QImage single = TCellArt::Cell(skin, colour, 44, 37);
            const QImage twice = TCellArt::Cell(skin, colour, 88, 74);
            EXPECT_FALSE(AllInTwoByTwoBlocks(twice));
            if (skin == 2)
            {
                EXPECT_EQ(Colours(twice), Colours(single)); // the 16-colour skin stays in its colours
            }
            const QRgb a = Mean(single);
            const QRgb b = Mean(twice);
            EXPECT_NEAR(qRed(a), qRed(b), 8);
            EXPECT_NEAR(qGreen(a), qGreen(b), 8);
            EXPECT_NEAR(qBlue(a), qBlue(b), 8);
        }
}

} // namespace
