#include "MetafileTestFiles.h"

#include "view/PictureLoader.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <bit>

namespace
{

using namespace MetafileTestFiles;

constexpr uint32_t Red = Ref(255, 0, 0);
constexpr uint32_t Blue = Ref(0, 0, 255);
constexpr uint32_t Green = Ref(0, 255, 0);
constexpr uint32_t Yellow = Ref(255, 255, 0);

QRgb Rgb(uint32_t ref)
{
    return qRgb(ref & 0xFF, (ref >> 8) & 0xFF, (ref >> 16) & 0xFF);
}

int64_t Float(float value)
{
    return std::bit_cast<uint32_t>(value);
}

// Windows metafile records by function number.
namespace W
{
constexpr uint16_t CreateBrush = 0x02FC, CreateFont = 0x02FB, Select = 0x012D, Delete = 0x01F0;
constexpr uint16_t Rectangle = 0x041B, Ellipse = 0x0418, RoundRect = 0x061C, Polygon = 0x0324, Polyline = 0x0325;
constexpr uint16_t PolyPolygon = 0x0538, MoveTo = 0x0214, LineTo = 0x0213, Arc = 0x0817, Pie = 0x081A, Chord = 0x0830;
constexpr uint16_t TextOut = 0x0521, ExtTextOut = 0x0A32, SetBkColor = 0x0201;
constexpr uint16_t SetBkMode = 0x0102, SetPolyFillMode = 0x0106, SaveDc = 0x001E, RestoreDc = 0x0127;
constexpr uint16_t SetWindowOrg = 0x020B, SetWindowExt = 0x020C, IntersectClip = 0x0416, StretchDib = 0x0F43;
constexpr uint16_t DibBitBlt = 0x0940, DibStretchBlt = 0x0B41, SetTextAlign = 0x012E;
} // namespace W

// Enhanced metafile records by type.
namespace E
{
constexpr uint32_t Polygon = 3, Polyline = 4, PolyPolygon16 = 91, Polygon16 = 86, Polyline16 = 87;
constexpr uint32_t SetWindowExt = 9, SetWindowOrg = 10, SetViewportExt = 11, SetMapMode = 17, SetBkMode = 18;
constexpr uint32_t SetPolyFillMode = 19, SetBkColor = 25, MoveTo = 27, IntersectClip = 30;
constexpr uint32_t SaveDc = 33, RestoreDc = 34, SetWorld = 35, Select = 37, CreateBrush = 39;
constexpr uint32_t Delete = 40, Ellipse = 42, Rectangle = 43, RoundRect = 44, Arc = 45, Chord = 46, Pie = 47;
constexpr uint32_t LineTo = 54, BeginPath = 59, EndPath = 60, CloseFigure = 61, FillPath = 62, StretchDiBits = 81;
constexpr uint32_t CreateFont = 82, ExtTextOutW = 84, PolyBezierTo16 = 88, BitBlt = 76, ExtSelectClipRgn = 75;
} // namespace E

struct TFile
{
    QByteArray Bytes;
    const char* Extension;
};

TFile Wmf(const TWmf& records)
{
    return {records.Placeable(), "wmf"};
}

TFile Emf(const TEmf& records)
{
    return {records.Bytes(), "emf"};
}

class Metafiles : public ::testing::Test
{
protected:
    bool Load(const TFile& file, QImage& picture)
    {
        const QString path = Folder.filePath(QStringLiteral("picture.") + QLatin1String(file.Extension));
        QFile out(path);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(file.Bytes);
        out.close();
        return TPictureLoader::Load(path, picture);
    }

    QTemporaryDir Folder;
};

TEST_F(Metafiles, EachRecordFamilyDrawsWhereItSays)
{
    using namespace W;
    struct TDrawCase
    {
        const char* Name;
        TFile File; // 96 x 96 pixels
        QPoint Inside;
        uint32_t Colour;
        QPoint Outside{-1, -1}; // stays transparent
    };
    const QByteArray dib = Dib(0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00);
    const QByteArray copy = Longs({0x00CC0020});
    // A square ring round a square hole, both drawn the same way round.
    const std::initializer_list<int64_t> rings = {10, 20, 20, 80, 20, 80, 80, 20, 80, 20, 20,
                                                  10, 10, 90, 10, 90, 90, 10, 90, 10, 10};
    const QByteArray font = Words({-40, 0, 0, 0, 700, 0, 0, 0, 0}) + QByteArray("Sans").leftJustified(32, '\0');
    const TWmf text = TWmf().Add(CreateFont, font).Add(Select, {0}).Add(SetBkColor, {Yellow & 0xFFFF, 0});
    const auto stretch = [&](int from) {
        return Longs({0, 0, 0, 0, 0, 0, 0, 0, from, from, 80, 40, 120, dib.size() - 40, 0, 0x00CC0020, 96, 96}) + dib;
    };
    const TDrawCase cases[] = {
        {"wmf rectangle", Wmf(TWmf().Brush(Red).Add(Rectangle, {50, 50, 10, 10})), {30, 30}, Red, {70, 70}},
        {"wmf ellipse", Wmf(TWmf().Brush(Blue).Add(Ellipse, {90, 90, 10, 10})), {50, 50}, Blue, {12, 12}},
        {"wmf round rectangle", Wmf(TWmf().Brush(Blue).Add(RoundRect, {40, 40, 90, 90, 10, 10})), {50, 50}, Blue,
         {11, 11}},
        {"wmf polygon", Wmf(TWmf().Brush(Red).Add(Polygon, {3, 0, 0, 90, 0, 0, 90})), {20, 20}, Red, {70, 70}},
        {"wmf poly-polygon",
         Wmf(TWmf().Brush(Green).Add(PolyPolygon, {2, 4, 4, 0, 0, 40, 0, 40, 40, 0, 40, 50, 50, 90, 50, 90, 90, 50,
                                                   90})),
         {70, 70}, Green, {45, 45}},
        {"wmf pen lines", Wmf(TWmf().Pen(6, Green).Add(MoveTo, {50, 0}).Add(LineTo, {50, 96})), {48, 50}, Green,
         {48, 30}},
        {"wmf polyline", Wmf(TWmf().Pen(6, Red).Add(Polyline, {2, 0, 20, 96, 20})), {48, 20}, Red, {48, 40}},
        {"wmf pie", Wmf(TWmf().Brush(Red).Add(Pie, {0, 96, 96, 48, 90, 90, 10, 10})), {70, 55}, Red, {40, 60}},
        {"wmf chord", Wmf(TWmf().Brush(Blue).Add(Chord, {90, 10, 10, 90, 90, 90, 10, 10})), {25, 25}, Blue, {75, 75}},
        {"wmf arc", Wmf(TWmf().Pen(4, Green).Add(Arc, {50, 96, 50, 0, 90, 90, 10, 10})), {50, 89}, Green, {50, 11}},
        {"wmf text out on its box",
         Wmf(TWmf(text).Add(SetBkMode, {2}).Add(TextOut, Words({2}) + "WW" + Words({10, 10}))),
         {12, 40}, Yellow, {12, 8}},
        {"wmf ext text out", Wmf(TWmf(text).Add(SetTextAlign, {24}).Add(ExtTextOut, Words({60, 10, 2, 0}) + "WW")),
         {12, 50}, Yellow, {12, 70}},
        {"wmf font deleted", Wmf(TWmf().Add(CreateFont, font).Add(Delete, {0}).Add(Select, {0}).Add(SetBkMode, {2})
                                     .Add(SetBkColor, {Yellow & 0xFFFF, 0}).Add(TextOut, {1, 'W', 10, 10})),
         {12, 12}, Yellow, {12, 40}},
        {"wmf stretched DIB", Wmf(TWmf().Add(StretchDib, copy + Words({0, 2, 2, 0, 0, 96, 96, 0, 0}) + dib)), {70, 20},
         Green},
        {"wmf DIB source rows counted from the bottom",
         Wmf(TWmf().Add(StretchDib, copy + Words({0, 1, 1, 0, 1, 96, 96, 0, 0}) + dib)), {50, 50}, Yellow},
        {"wmf DIB block transfer", Wmf(TWmf().Add(DibBitBlt, copy + Words({1, 1, 1, 1, 50, 50}) + dib)), {50, 50},
         Yellow, {49, 49}},
        {"wmf DIB stretch transfer", Wmf(TWmf().Add(DibStretchBlt, copy + Words({1, 1, 1, 0, 40, 40, 0, 0}) + dib)),
         {20, 20}, Blue, {60, 60}},
        {"wmf save and restore", Wmf(TWmf().Brush(Red).Add(SaveDc, {}).Add(CreateBrush, {0, 0, 0xFF, 0})
                                     .Add(Select, {1}).Add(RestoreDc, {-1}).Add(Rectangle, {50, 50, 10, 10})),
         {30, 30}, Red, {70, 70}},
        {"wmf alternate fill leaves the hole", Wmf(TWmf().Brush(Red).Add(Polygon, rings)), {50, 15}, Red, {50, 50}},
        {"wmf winding fill", Wmf(TWmf().Brush(Red).Add(SetPolyFillMode, {2}).Add(Polygon, rings)), {50, 50}, Red},
        {"wmf window", Wmf(TWmf().Brush(Blue).Add(SetWindowOrg, {100, 100}).Add(SetWindowExt, {48, 48})
                           .Add(Rectangle, {112, 112, 100, 100})),
         {20, 20}, Blue, {30, 30}},
        {"wmf clip", Wmf(TWmf().Brush(Green).Add(IntersectClip, {96, 48, 0, 0}).Add(Rectangle, {96, 96, 0, 0})),
         {20, 50}, Green, {70, 50}},

        {"emf rectangle", Emf(TEmf().Brush(Red).Add(E::Rectangle, {10, 10, 50, 50})), {30, 30}, Red, {70, 70}},
        {"emf ellipse", Emf(TEmf().Brush(Blue).Add(E::Ellipse, {10, 10, 90, 90})), {50, 50}, Blue, {12, 12}},
        {"emf round rectangle", Emf(TEmf().Brush(Blue).Add(E::RoundRect, {10, 10, 90, 90, 40, 40})), {50, 50}, Blue,
         {11, 11}},
        {"emf polygon", Emf(TEmf().Brush(Red).Add(E::Polygon, {0, 0, 0, 0, 3, 0, 0, 90, 0, 0, 90})), {20, 20}, Red,
         {70, 70}},
        {"emf polygon16",
         Emf(TEmf().Brush(Red).Add(E::Polygon16, Longs({0, 0, 0, 0, 3}) + Words({96, 96, 6, 96, 96, 6}))), {70, 70},
         Red, {20, 20}},
        {"emf poly-polygon16", Emf(TEmf().Brush(Green).Add(E::PolyPolygon16, Longs({0, 0, 0, 0, 2, 8, 4, 4}) +
                                   Words({0, 0, 40, 0, 40, 40, 0, 40, 50, 50, 90, 50, 90, 90, 50, 90}))),
         {20, 20}, Green, {45, 45}},
        {"emf polyline and pen", Emf(TEmf().Pen(6, Green).Add(E::Polyline, {0, 0, 0, 0, 2, 0, 20, 96, 20})), {48, 20},
         Green, {48, 40}},
        {"emf line reaching millions of pixels away", // once seconds of stroking
         Emf(TEmf().Pen(6, Green).Add(E::Polyline, {0, 0, 0, 0, 3, 0, 20, 6291552, 20, 6291552, 6291462})), {48, 20},
         Green, {48, 40}},
        {"emf polyline16",
         Emf(TEmf().Pen(6, Red).Add(E::Polyline16, Longs({0, 0, 0, 0, 2}) + Words({50, 0, 50, 96}))), {50, 48}, Red,
         {30, 48}},
        {"emf move and line", Emf(TEmf().Pen(6, Blue).Add(E::MoveTo, {0, 70}).Add(E::LineTo, {96, 70})), {48, 70}, Blue,
         {48, 50}},
        {"emf pie", Emf(TEmf().Brush(Red).Add(E::Pie, {10, 10, 90, 90, 96, 48, 48, 0})), {60, 40}, Red, {40, 60}},
        {"emf chord", Emf(TEmf().Brush(Blue).Add(E::Chord, {10, 10, 90, 90, 90, 90, 10, 10})), {70, 30}, Blue,
         {30, 70}},
        {"emf arc", Emf(TEmf().Pen(4, Green).Add(E::Arc, {10, 10, 90, 90, 0, 50, 96, 50})), {50, 89}, Green, {50, 11}},
        {"emf bezier path",
         Emf(TEmf().Brush(Green).Add(E::BeginPath, {}).Add(E::MoveTo, {10, 10})
                 .Add(E::PolyBezierTo16,
                      Longs({0, 0, 0, 0, 6}) + Words({40, 10, 60, 10, 90, 10, 90, 40, 90, 60, 90, 90}))
                 .Add(E::CloseFigure, {}).Add(E::EndPath, {}).Add(E::FillPath, {0, 0, 0, 0})),
         {80, 20}, Green, {20, 80}},
        {"emf text", // the text after the record's 84 bytes
         Emf(TEmf().Add(E::CreateFont,
                        Longs({1, -40, 0, 0, 0, 700, 0, 0}) + Words({'S', 'a', 'n', 's'}).leftJustified(64, '\0'))
                 .Add(E::Select, {1}).Add(E::SetBkColor, {Yellow}).Add(E::SetBkMode, {2})
                 .Add(E::ExtTextOutW,
                      Longs({0, 0, 0, 0, 1, Float(1), Float(1), 10, 10, 2, 84, 0, 0, 0, 0, 0, 0, 0, 0}) +
                          Words({'W', 'W'}))),
         {12, 40}, Yellow, {12, 8}},
        {"emf stretched DIB", Emf(TEmf().Add(E::StretchDiBits, stretch(2))), {20, 70}, Blue},
        {"emf DIB source rows counted from the bottom", Emf(TEmf().Add(E::StretchDiBits, stretch(1))), {50, 50}, Blue},
        {"emf DIB block transfer",
         Emf(TEmf().Add(E::BitBlt, Longs({0, 0, 0, 0, 50, 50, 2, 2, 0x00CC0020, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 100, 40,
                                          140, dib.size() - 40}) + dib)),
         {51, 51}, Yellow, {49, 49}},
        {"emf save and restore", Emf(TEmf().Brush(Red).Add(E::SaveDc, {}).Add(E::CreateBrush, {2, 0, Blue, 0})
                                     .Add(E::Select, {2}).Add(E::RestoreDc, {-1}).Add(E::Rectangle, {10, 10, 50, 50})),
         {30, 30}, Red, {70, 70}},
        {"emf stock brush", Emf(TEmf().Add(E::Select, {0x80000004}).Add(E::Rectangle, {10, 10, 50, 50})), {30, 30}, 0,
         {70, 70}},
        {"emf winding fill",
         Emf(TEmf().Brush(Red).Add(E::SetPolyFillMode, {2}).Add(E::Polygon, Longs({0, 0, 0, 0}) + Longs(rings))),
         {50, 50}, Red},
        {"emf anisotropic mapping", Emf(TEmf().Brush(Blue).Add(E::SetMapMode, {8}).Add(E::SetWindowOrg, {100, 100})
                                            .Add(E::SetWindowExt, {10, 10}).Add(E::SetViewportExt, {40, 40})
                                            .Add(E::Rectangle, {105, 105, 110, 110})),
         {30, 30}, Blue, {10, 10}},
        {"emf world transform", Emf(TEmf().Brush(Green).Add(E::SetWorld, {Float(2), 0, 0, Float(2), Float(10), 0})
                                        .Add(E::Rectangle, {20, 20, 40, 40})),
         {80, 70}, Green, {40, 40}},
        {"emf clip", Emf(TEmf().Brush(Green).Add(E::IntersectClip, {0, 0, 48, 96}).Add(E::Rectangle, {0, 0, 96, 96})),
         {20, 50}, Green, {70, 50}},
        {"emf clip region reset", Emf(TEmf().Brush(Green).Add(E::IntersectClip, {0, 0, 48, 96})
                                          .Add(E::ExtSelectClipRgn, {0, 5}).Add(E::Rectangle, {0, 0, 96, 96})),
         {70, 50}, Green},
    };
    for (const TDrawCase& c : cases)
    {
        SCOPED_TRACE(c.Name);
        QImage picture;
        ASSERT_TRUE(Load(c.File, picture));
        EXPECT_EQ(picture.pixel(c.Inside), Rgb(c.Colour)) << std::hex << picture.pixel(c.Inside);
        if (c.Outside.x() >= 0)
        {
            EXPECT_EQ(qAlpha(picture.pixel(c.Outside)), 0);
        }
    }
}

// A bitmap with its own coverage, blended at half strength, keeps the picture see-through.
TEST_F(Metafiles, AlphaBlendedBitmapsKeepTheirCoverage)
{
    const QByteArray dib = Longs({40, 1, 1}) + Words({1, 32}) + Longs({0, 4, 0, 0, 0, 0}) + Longs({0x80800000});
    TEmf emf; // premultiplied red at half coverage, blended at full and at half strength
    for (int64_t strength : {255, 128})
        emf.Add(114, Longs({0, 0, 0, 0, strength == 255 ? 0 : 48, 0, 48, 96, strength << 16 | 0x01000000, 0, 0, 0, 0,
                            0, 0, 0, 0, 0, 0, 108, 40, 148, 4, 1, 1}) + dib);
    QImage picture;
    ASSERT_TRUE(Load(Emf(emf), picture));
    picture = picture.convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(picture.pixel(20, 50), qRgba(255, 0, 0, 128));
    EXPECT_NEAR(qAlpha(picture.pixel(70, 50)), 64, 1);
    EXPECT_EQ(qRed(picture.pixel(70, 50)), 255);
}

// The placeable header gives the size in its own units to the inch; without it the window does.
TEST_F(Metafiles, PlaceableAndPlainHeadersGiveTheSize)
{
    QImage picture;
    ASSERT_TRUE(Load({TWmf().Brush(Red).Add(W::Rectangle, {960, 480, 0, 0}).Placeable(QRect(0, 0, 960, 1440), 960),
                      "wmf"}, picture));
    EXPECT_EQ(picture.size(), QSize(96, 144));
    EXPECT_EQ(picture.pixel(20, 40), qRgb(255, 0, 0));
    EXPECT_EQ(qAlpha(picture.pixel(70, 40)), 0);

    ASSERT_TRUE(Load({TWmf().Add(W::SetWindowOrg, {0, 0}).Add(W::SetWindowExt, {50, 120}).Brush(Blue)
                          .Add(W::Rectangle, {50, 60, 0, 0}).Plain(), "WMF"}, picture));
    EXPECT_EQ(picture.size(), QSize(120, 50));
    EXPECT_EQ(picture.pixel(30, 25), qRgb(0, 0, 255));
    EXPECT_EQ(qAlpha(picture.pixel(90, 25)), 0);

    TEmf wide;
    wide.Size = QSize(200, 100);
    ASSERT_TRUE(Load({wide.Bytes(), "Emf"}, picture));
    EXPECT_EQ(picture.size(), QSize(200, 100));
}

// Each damaged file is refused as a whole; none crashes or hangs the reader.
TEST_F(Metafiles, MalformedFilesAreRefused)
{
    const QByteArray wmf = TWmf().Placeable();
    const QByteArray emf = TEmf().Bytes();
    QImage picture;
    ASSERT_TRUE(Load({wmf, "wmf"}, picture));
    ASSERT_TRUE(Load({emf, "emf"}, picture));
    TWmf overdraw, fewObjects;
    overdraw.Records = TWmf().Add(W::Rectangle, {2000, 2000, 0, 0}).Records.repeated(40);
    fewObjects.Objects = 2;
    TEmf fewHandles;
    fewHandles.Handles = 3;
    struct TBad
    {
        const char* Name;
        TFile File;
    };
    const TBad cases[] = {
        {"wmf end record missing", {wmf.chopped(6), "wmf"}},
        {"wmf record past the end", {wmf.chopped(6) + Longs({40}) + Words({W::Rectangle}), "wmf"}},
        {"wmf record size zero", {wmf.chopped(6) + Longs({0}) + Words({W::Rectangle, 3, 0, 0}), "wmf"}},
        {"wmf header size", {QByteArray(wmf).replace(24, 2, Words({7})), "wmf"}},
        {"wmf zero inch", {TWmf().Placeable(QRect(0, 0, 96, 96), 0), "wmf"}},
        {"wmf empty box", {TWmf().Placeable(QRect(10, 10, 0, 96)), "wmf"}},
        {"wmf absurd extent", {TWmf().Placeable(QRect(0, 0, 30000, 30000), 1), "wmf"}},
        {"wmf over the pixel ceiling", {TWmf().Placeable(QRect(0, 0, 10000, 7000)), "wmf"}},
        {"wmf plain without a window", {TWmf().Plain(), "wmf"}},
        {"wmf select out of range", Wmf(TWmf(fewObjects).Add(W::Select, {2}))},
        {"wmf delete out of range", Wmf(TWmf().Add(W::Delete, {65535}))},
        {"wmf object table full", Wmf(TWmf(fewObjects).Pen(1, Red).Pen(1, Red).Pen(1, Red))},
        {"wmf polygon longer than its record", Wmf(TWmf().Add(W::Polygon, {100, 0, 0, 10, 10}))},
        {"wmf text longer than its record", Wmf(TWmf().Add(W::TextOut, {300, 0, 0}))},
        {"wmf drawing the picture over forty times", {overdraw.Placeable(QRect(0, 0, 2000, 2000)), "wmf"}},
        {"emf end record missing", {emf.chopped(20), "emf"}},
        {"emf header size", {QByteArray(emf).replace(4, 4, Longs({80})), "emf"}},
        {"emf header past the end", {QByteArray(emf).replace(4, 4, Longs({4000})), "emf"}},
        {"emf no device", {QByteArray(emf).replace(72, 4, Longs({0})), "emf"}},
        {"emf empty frame", {QByteArray(emf).replace(32, 4, Longs({0})), "emf"}},
        {"emf absurd frame", {QByteArray(emf).replace(32, 8, Longs({2000000000, 2000000000})), "emf"}},
        {"emf record size not whole", Emf(TEmf().Add(E::SaveDc, QByteArray(2, '\0')))},
        {"emf record past the end", {emf.chopped(20) + Longs({E::Rectangle, 400}), "emf"}},
        {"emf second header", Emf(TEmf().Add(1, {0, 0, 0, 0}))},
        {"emf select out of range", Emf(TEmf(fewHandles).Add(E::Select, {3}))},
        {"emf create past the table", Emf(TEmf(fewHandles).Add(E::CreateBrush, {7, 0, 0, 0}))},
        {"emf delete out of range", Emf(TEmf().Add(E::Delete, {1000}))},
        {"emf polygon longer than its record", Emf(TEmf().Add(E::Polygon, {0, 0, 0, 0, 90, 1, 1}))},
        {"emf poly-polygon counts past the record", Emf(TEmf().Add(E::PolyPolygon16, {0, 0, 0, 0, 1000000, 4}))},
        {"emf text past the record",
         Emf(TEmf().Add(E::ExtTextOutW, {0, 0, 0, 0, 1, 0, 0, 0, 0, 50, 76, 0, 0, 0, 0, 0, 0}))},
        {"emf clip rectangles past the record", Emf(TEmf().Add(E::ExtSelectClipRgn, {48, 5, 32, 1, 9, 0, 0, 0, 0, 0}))},
        {"neither kind", {QByteArray(200, '\x11'), "wmf"}},
        {"empty", {QByteArray(), "emf"}},
    };
    for (const TBad& c : cases)
    {
        SCOPED_TRACE(c.Name);
        QImage refused;
        EXPECT_FALSE(Load(c.File, refused));
        EXPECT_TRUE(refused.isNull());
    }
}

// Clip art drawn in a drawing program and saved in both kinds by it and by an office suite (the SVG
// beside them is the drawing).
TEST_F(Metafiles, ClipArtFromADrawingProgramDraws)
{
    struct TArt
    {
        const char* File;
        QSize Size;
        QPoint Inside;
        QRgb Expected;
    };
    const TArt cases[] = {
        {"sunhouse.wmf", {240, 180}, {190, 40}, qRgb(0xff, 0xcc, 0x00)}, // the sun
        {"sunhouse.emf", {242, 181}, {80, 70}, qRgb(0xb2, 0x22, 0x22)},  // the roof
        {"sunhouse.wmf", {240, 180}, {20, 172}, qRgb(0x3a, 0x9a, 0x3a)}, // the grass
        {"flower.wmf", {120, 160}, {60, 60}, qRgb(0xff, 0xeb, 0x3b)},
        {"flower.emf", {121, 162}, {60, 30}, qRgb(0xe9, 0x1e, 0x63)},
        {"sunhouse-office.wmf", {224, 164}, {180, 38}, qRgb(0xff, 0xcc, 0x00)}, // from an office suite
        {"sunhouse-office.emf", {224, 164}, {75, 70}, qRgb(0xb2, 0x22, 0x22)},
    };
    for (const TArt& c : cases)
    {
        SCOPED_TRACE(c.File);
        QImage picture;
        ASSERT_TRUE(TPictureLoader::Load(QStringLiteral(PELMO_SOURCE_DIR "/tests/view/clipart/") +
                                             QLatin1String(c.File), picture));
        EXPECT_EQ(picture.size(), c.Size);
        EXPECT_EQ(picture.pixel(c.Inside), c.Expected);
        EXPECT_EQ(qAlpha(picture.pixel(4, 4)), 0);
    }
}

} // namespace
