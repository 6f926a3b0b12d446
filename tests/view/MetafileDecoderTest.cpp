#include "MetafileTestFiles.h"

#include "view/PictureLoader.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>

namespace
{

using namespace MetafileTestFiles;

constexpr uint32_t Red = Ref(255, 0, 0);
constexpr uint32_t Blue = Ref(0, 0, 255);
constexpr uint32_t Green = Ref(0, 255, 0);
constexpr uint32_t Yellow = Ref(255, 255, 0);

// Windows metafile records by function number.
namespace W
{
QByteArray Brush(uint32_t colour, int style = 0, int hatch = 0)
{
    return Words({style, int(colour & 0xFFFF), int(colour >> 16), hatch});
}
QByteArray Pen(int width, uint32_t colour)
{
    return Words({0, width, 0, int(colour & 0xFFFF), int(colour >> 16)});
}
QByteArray Font(int height)
{
    return Words({height, 0, 0, 0, 700, 0, 0, 0, 0}) + QByteArray("Sans\0", 5).leftJustified(32, '\0');
}
constexpr uint16_t CreateBrush = 0x02FC, CreatePen = 0x02FA, CreateFont = 0x02FB, Select = 0x012D, Delete = 0x01F0;
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
constexpr uint32_t SaveDc = 33, RestoreDc = 34, SetWorld = 35, Select = 37, CreatePen = 38, CreateBrush = 39;
constexpr uint32_t Delete = 40, Ellipse = 42, Rectangle = 43, RoundRect = 44, Arc = 45, Chord = 46, Pie = 47;
constexpr uint32_t LineTo = 54, BeginPath = 59, EndPath = 60, CloseFigure = 61, FillPath = 62, StretchDiBits = 81;
constexpr uint32_t CreateFont = 82, ExtTextOutW = 84, PolyBezierTo16 = 88, BitBlt = 76, ExtSelectClipRgn = 75;
QByteArray Font(int height)
{
    QByteArray face = QByteArray("S\0a\0n\0s\0", 8).leftJustified(64, '\0');
    return Longs({1, height, 0, 0, 0, 700, 0}) + Longs({0}) + face;
}
QByteArray Float(float value)
{
    QByteArray out(4, '\0');
    std::memcpy(out.data(), &value, 4);
    return out;
}
// StretchDIBits of a bitmap onto (x, y, w, h).
QByteArray Stretch(int x, int y, int w, int h, const QByteArray& dib, int dibW, int dibH)
{
    const int infoAt = 8 + 72;
    return Longs({0, 0, 0, 0, x, y, 0, 0, dibW, dibH, infoAt, 40, infoAt + 40, dib.size() - 40, 0, 0x00CC0020, w, h}) +
           dib;
}
QByteArray Text(int x, int y, const QString& text)
{
    QByteArray units(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    return Longs({0, 0, 0, 0, 1}) + Float(1) + Float(1) +
           Longs({x, y, text.size(), 8 + 68 + 8, 0, 0, 0, 0, 0, 0}) + Longs({0, 0}) + units.leftJustified(
               (units.size() + 3) / 4 * 4, '\0');
}
} // namespace E

class Metafiles : public ::testing::Test
{
protected:
    QImage Load(const QByteArray& bytes, const char* extension, bool* loaded = nullptr)
    {
        const QString path = Folder.filePath(QStringLiteral("picture.") + QLatin1String(extension));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        file.close();
        QImage picture;
        const bool ok = TPictureLoader::Load(path, picture);
        if (loaded)
            *loaded = ok;
        else
            EXPECT_TRUE(ok);
        return picture;
    }

    QTemporaryDir Folder;
};

struct TDrawCase
{
    const char* Name;
    std::function<void(TWmf&)> Wmf; // or
    std::function<void(TEmf&)> Emf;
    QPoint Inside;  // shows Expected
    uint32_t Expected;
    QPoint Outside; // stays transparent
};

QRgb Rgb(uint32_t ref)
{
    return qRgb(ref & 0xFF, (ref >> 8) & 0xFF, (ref >> 16) & 0xFF);
}

TEST_F(Metafiles, EachRecordFamilyDrawsWhereItSays)
{
    using namespace W;
    const auto brush = [](TWmf& m, uint32_t c) { m.Add(CreateBrush, W::Brush(c)).Add(Select, {0}); };
    const auto ebrush = [](TEmf& m, uint32_t c) { m.Add(E::CreateBrush, {1, 0, c, 0}).Add(E::Select, {1}); };
    const QByteArray dib = Dib(2, 2, {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00});
    const TDrawCase cases[] = {
        {"wmf rectangle", [&](TWmf& m) { brush(m, Red); m.Add(Rectangle, {50, 50, 10, 10}); }, {}, {30, 30}, Red, {70, 70}},
        {"wmf ellipse", [&](TWmf& m) { brush(m, Blue); m.Add(Ellipse, {90, 90, 10, 10}); }, {}, {50, 50}, Blue, {12, 12}},
        {"wmf round rectangle", [&](TWmf& m) { brush(m, Blue); m.Add(RoundRect, {40, 40, 90, 90, 10, 10}); }, {},
         {50, 50}, Blue, {11, 11}},
        {"wmf polygon", [&](TWmf& m) { brush(m, Red); m.Add(Polygon, {3, 0, 0, 90, 0, 0, 90}); }, {}, {20, 20}, Red,
         {70, 70}},
        {"wmf poly-polygon", [&](TWmf& m) {
             brush(m, Green);
             m.Add(PolyPolygon, {2, 4, 4, 0, 0, 40, 0, 40, 40, 0, 40, 50, 50, 90, 50, 90, 90, 50, 90});
         }, {}, {70, 70}, Green, {45, 45}},
        {"wmf pen lines", [](TWmf& m) {
             m.Add(CreatePen, W::Pen(6, Green)).Add(Select, {0}).Add(MoveTo, {50, 0}).Add(LineTo, {50, 96});
         }, {}, {48, 50}, Green, {48, 30}},
        {"wmf polyline", [](TWmf& m) {
             m.Add(CreatePen, W::Pen(6, Red)).Add(Select, {0}).Add(Polyline, {2, 0, 20, 96, 20});
         }, {}, {48, 20}, Red, {48, 40}},
        {"wmf pie", [&](TWmf& m) { brush(m, Red); m.Add(Pie, {0, 96, 96, 48, 90, 90, 10, 10}); }, {}, {70, 55}, Red,
         {40, 60}},
        {"wmf chord", [&](TWmf& m) { brush(m, Blue); m.Add(Chord, {90, 10, 10, 90, 90, 90, 10, 10}); }, {}, {25, 25},
         Blue, {75, 75}},
        {"wmf arc", [](TWmf& m) {
             m.Add(CreatePen, W::Pen(4, Green)).Add(Select, {0}).Add(Arc, {50, 96, 50, 0, 90, 90, 10, 10});
         }, {}, {50, 89}, Green, {50, 11}},
        {"wmf text out on its box", [](TWmf& m) {
             m.Add(CreateFont, W::Font(-40)).Add(Select, {0}).Add(SetBkColor, {int(Yellow & 0xFFFF), int(Yellow >> 16)});
             m.Add(SetBkMode, {2}).Add(TextOut, Words({2}) + "WW" + Words({10, 10}));
         }, {}, {12, 40}, Yellow, {12, 8}},
        {"wmf ext text out", [](TWmf& m) {
             m.Add(CreateFont, W::Font(-40)).Add(Select, {0}).Add(SetBkColor, {int(Yellow & 0xFFFF), int(Yellow >> 16)});
             m.Add(SetTextAlign, {24}).Add(ExtTextOut, Words({60, 10, 2, 0}) + "WW");
         }, {}, {12, 50}, Yellow, {12, 70}},
        {"wmf font deleted", [](TWmf& m) {
             m.Add(CreateFont, W::Font(-40)).Add(Delete, {0}).Add(Select, {0}).Add(SetBkMode, {2});
             m.Add(SetBkColor, {int(Yellow & 0xFFFF), 0}).Add(TextOut, Words({1}) + QByteArray("W\0", 2) + Words({10, 10}));
         }, {}, {12, 12}, Yellow, {12, 40}},
        {"wmf stretched DIB", [&](TWmf& m) {
             m.Add(StretchDib, Longs({0x00CC0020}) + Words({0, 2, 2, 0, 0, 96, 96, 0, 0}) + dib);
         }, {}, {70, 20}, Green, {-1, -1}},
        {"wmf DIB source rows counted from the bottom", [&](TWmf& m) {
             m.Add(StretchDib, Longs({0x00CC0020}) + Words({0, 1, 1, 0, 1, 96, 96, 0, 0}) + dib);
         }, {}, {50, 50}, Yellow, {-1, -1}},
        {"wmf DIB block transfer", [&](TWmf& m) {
             m.Add(DibBitBlt, Longs({0x00CC0020}) + Words({1, 1, 1, 1, 50, 50}) + dib);
         }, {}, {50, 50}, Yellow, {49, 49}},
        {"wmf DIB stretch transfer", [&](TWmf& m) {
             m.Add(DibStretchBlt, Longs({0x00CC0020}) + Words({1, 1, 1, 0, 40, 40, 0, 0}) + dib);
         }, {}, {20, 20}, Blue, {60, 60}},
        {"wmf save and restore", [&](TWmf& m) {
             brush(m, Red);
             m.Add(SaveDc, {}).Add(CreateBrush, W::Brush(Blue)).Add(Select, {1}).Add(RestoreDc, {-1});
             m.Add(Rectangle, {50, 50, 10, 10});
         }, {}, {30, 30}, Red, {70, 70}},
        {"wmf alternate fill leaves the middle", [&](TWmf& m) {
             brush(m, Red);
             m.Add(Polygon, {10, 20, 20, 80, 20, 80, 80, 20, 80, 20, 20, 10, 10, 90, 10, 90, 90, 10, 90, 10, 10});
         }, {}, {50, 15}, Red, {50, 50}},
        {"wmf winding fill", [&](TWmf& m) {
             brush(m, Red);
             m.Add(SetPolyFillMode, {2});
             m.Add(Polygon, {10, 20, 20, 80, 20, 80, 80, 20, 80, 20, 20, 20, 10, 90, 10, 90, 90, 10, 90, 10, 10});
         }, {}, {50, 50}, Red, {-1, -1}},
        {"wmf window", [&](TWmf& m) {
             brush(m, Blue);
             m.Add(SetWindowOrg, {100, 100}).Add(SetWindowExt, {48, 48}).Add(Rectangle, {112, 112, 100, 100});
         }, {}, {20, 20}, Blue, {30, 30}},
        {"wmf clip", [&](TWmf& m) {
             brush(m, Green);
             m.Add(IntersectClip, {96, 48, 0, 0}).Add(Rectangle, {96, 96, 0, 0});
         }, {}, {20, 50}, Green, {70, 50}},

        {"emf rectangle", {}, [&](TEmf& m) { ebrush(m, Red); m.Add(E::Rectangle, {10, 10, 50, 50}); }, {30, 30}, Red,
         {70, 70}},
        {"emf ellipse", {}, [&](TEmf& m) { ebrush(m, Blue); m.Add(E::Ellipse, {10, 10, 90, 90}); }, {50, 50}, Blue,
         {12, 12}},
        {"emf round rectangle", {}, [&](TEmf& m) { ebrush(m, Blue); m.Add(E::RoundRect, {10, 10, 90, 90, 40, 40}); },
         {50, 50}, Blue, {11, 11}},
        {"emf polygon", {}, [&](TEmf& m) { ebrush(m, Red); m.Add(E::Polygon, {0, 0, 0, 0, 3, 0, 0, 90, 0, 0, 90}); },
         {20, 20}, Red, {70, 70}},
        {"emf polygon16", {}, [&](TEmf& m) {
             ebrush(m, Red);
             m.Add(E::Polygon16, Longs({0, 0, 0, 0, 3}) + Words({96, 96, 6, 96, 96, 6}));
         }, {70, 70}, Red, {20, 20}},
        {"emf poly-polygon16", {}, [&](TEmf& m) {
             ebrush(m, Green);
             m.Add(E::PolyPolygon16, Longs({0, 0, 0, 0, 2, 8, 4, 4}) +
                                         Words({0, 0, 40, 0, 40, 40, 0, 40, 50, 50, 90, 50, 90, 90, 50, 90}));
         }, {20, 20}, Green, {45, 45}},
        {"emf polyline and pen", {}, [](TEmf& m) {
             m.Add(E::CreatePen, {2, 0, 6, 0, Green}).Add(E::Select, {2});
             m.Add(E::Polyline, {0, 0, 0, 0, 2, 0, 20, 96, 20});
         }, {48, 20}, Green, {48, 40}},
        {"emf line reaching millions of pixels away", {}, [](TEmf& m) { // once seconds of stroking
             m.Add(E::CreatePen, {2, 0, 6, 0, Green}).Add(E::Select, {2});
             m.Add(E::Polyline, {0, 0, 0, 0, 3, 0, 20, 6291552, 20, 6291552, 6291462});
         }, {48, 20}, Green, {48, 40}},
        {"emf polyline16", {}, [](TEmf& m) {
             m.Add(E::CreatePen, {2, 0, 6, 0, Red}).Add(E::Select, {2});
             m.Add(E::Polyline16, Longs({0, 0, 0, 0, 2}) + Words({50, 0, 50, 96}));
         }, {50, 48}, Red, {30, 48}},
        {"emf move and line", {}, [](TEmf& m) {
             m.Add(E::CreatePen, {2, 0, 6, 0, Blue}).Add(E::Select, {2}).Add(E::MoveTo, {0, 70}).Add(E::LineTo, {96, 70});
         }, {48, 70}, Blue, {48, 50}},
        {"emf pie", {}, [&](TEmf& m) { ebrush(m, Red); m.Add(E::Pie, {10, 10, 90, 90, 96, 48, 48, 0}); }, {60, 40},
         Red, {40, 60}},
        {"emf chord", {}, [&](TEmf& m) { ebrush(m, Blue); m.Add(E::Chord, {10, 10, 90, 90, 90, 90, 10, 10}); },
         {70, 30}, Blue, {30, 70}},
        {"emf arc", {}, [](TEmf& m) {
             m.Add(E::CreatePen, {2, 0, 4, 0, Green}).Add(E::Select, {2}).Add(E::Arc, {10, 10, 90, 90, 0, 50, 96, 50});
         }, {50, 89}, Green, {50, 11}},
        {"emf bezier path", {}, [&](TEmf& m) {
             ebrush(m, Green);
             m.Add(E::BeginPath, {}).Add(E::MoveTo, {10, 10});
             m.Add(E::PolyBezierTo16, Longs({0, 0, 0, 0, 6}) + Words({40, 10, 60, 10, 90, 10, 90, 40, 90, 60, 90, 90}));
             m.Add(E::CloseFigure, {}).Add(E::EndPath, {}).Add(E::FillPath, {0, 0, 0, 0});
         }, {80, 20}, Green, {20, 80}},
        {"emf text", {}, [](TEmf& m) {
             m.Add(E::CreateFont, E::Font(-40)).Add(E::Select, {1}).Add(E::SetBkColor, {Yellow}).Add(E::SetBkMode, {2});
             m.Add(E::ExtTextOutW, E::Text(10, 10, QStringLiteral("WW")));
         }, {12, 40}, Yellow, {12, 8}},
        {"emf stretched DIB", {}, [&](TEmf& m) { m.Add(E::StretchDiBits, E::Stretch(0, 0, 96, 96, dib, 2, 2)); },
         {20, 70}, Blue, {-1, -1}},
        {"emf DIB source rows counted from the bottom", {},
         [&](TEmf& m) { m.Add(E::StretchDiBits, E::Stretch(0, 0, 96, 96, dib, 1, 1)); }, {50, 50}, Blue, {-1, -1}},
        {"emf DIB block transfer", {}, [&](TEmf& m) {
             m.Add(E::BitBlt, Longs({0, 0, 0, 0, 50, 50, 2, 2, 0x00CC0020, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 100, 40, 140,
                                     dib.size() - 40}) + dib);
         }, {51, 51}, Yellow, {49, 49}},
        {"emf save and restore", {}, [&](TEmf& m) {
             ebrush(m, Red);
             m.Add(E::SaveDc, {}).Add(E::CreateBrush, {2, 0, Blue, 0}).Add(E::Select, {2}).Add(E::RestoreDc, {-1});
             m.Add(E::Rectangle, {10, 10, 50, 50});
         }, {30, 30}, Red, {70, 70}},
        {"emf stock brush", {}, [](TEmf& m) {
             m.Add(E::Select, {0x80000004}).Add(E::Rectangle, {10, 10, 50, 50});
         }, {30, 30}, 0, {70, 70}},
        {"emf winding fill", {}, [&](TEmf& m) {
             ebrush(m, Red);
             m.Add(E::SetPolyFillMode, {2});
             m.Add(E::Polygon, {0, 0, 0, 0, 10, 20, 20, 80, 20, 80, 80, 20, 80, 20, 20, 20, 10, 90, 10, 90, 90, 10, 90,
                                10, 10});
         }, {50, 50}, Red, {-1, -1}},
        {"emf anisotropic mapping", {}, [&](TEmf& m) {
             ebrush(m, Blue);
             m.Add(E::SetMapMode, {8}).Add(E::SetWindowOrg, {100, 100}).Add(E::SetWindowExt, {10, 10});
             m.Add(E::SetViewportExt, {40, 40}).Add(E::Rectangle, {105, 105, 110, 110});
         }, {30, 30}, Blue, {10, 10}},
        {"emf world transform", {}, [&](TEmf& m) {
             ebrush(m, Green);
             m.Add(E::SetWorld, E::Float(2) + E::Float(0) + E::Float(0) + E::Float(2) + E::Float(10) + E::Float(0));
             m.Add(E::Rectangle, {20, 20, 40, 40});
         }, {80, 70}, Green, {40, 40}},
        {"emf clip", {}, [&](TEmf& m) {
             ebrush(m, Green);
             m.Add(E::IntersectClip, {0, 0, 48, 96}).Add(E::Rectangle, {0, 0, 96, 96});
         }, {20, 50}, Green, {70, 50}},
        {"emf clip region reset", {}, [&](TEmf& m) {
             ebrush(m, Green);
             m.Add(E::IntersectClip, {0, 0, 48, 96}).Add(E::ExtSelectClipRgn, {0, 5}).Add(E::Rectangle, {0, 0, 96, 96});
         }, {70, 50}, Green, {-1, -1}},
    };
    for (const TDrawCase& c : cases)
    {
        SCOPED_TRACE(c.Name);
        QImage picture;
        if (c.Wmf)
        {
            TWmf wmf;
            c.Wmf(wmf);
            picture = Load(wmf.Placeable(QRect(0, 0, 96, 96), 96), "wmf");
        }
        else
        {
            TEmf emf;
            c.Emf(emf);
            picture = Load(emf.Bytes(), "emf");
        }
        ASSERT_EQ(picture.size(), QSize(96, 96));
        EXPECT_EQ(picture.pixel(c.Inside), Rgb(c.Expected) | 0xFF000000) << std::hex << picture.pixel(c.Inside);
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
    for (int strength : {255, 128})
        emf.Add(114, Longs({0, 0, 0, 0, strength == 255 ? 0 : 48, 0, 48, 96, int64_t(strength) << 16 | 0x01000000, 0, 0,
                            0, 0, 0, 0, 0, 0, 0, 0, 108, 40, 148, 4, 1, 1}) + dib);
    const QImage picture = Load(emf.Bytes(), "emf").convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(picture.pixel(20, 50), qRgba(255, 0, 0, 128));
    EXPECT_NEAR(qAlpha(picture.pixel(70, 50)), 64, 1);
    EXPECT_EQ(qRed(picture.pixel(70, 50)), 255);
}

// The placeable header gives the size in its own units to the inch; without it the window does.
TEST_F(Metafiles, PlaceableAndPlainHeadersGiveTheSize)
{
    TWmf wmf;
    wmf.Add(W::CreateBrush, W::Brush(Red)).Add(W::Select, {0}).Add(W::Rectangle, {960, 480, 0, 0});
    QImage picture = Load(wmf.Placeable(QRect(0, 0, 960, 1440), 960), "wmf");
    EXPECT_EQ(picture.size(), QSize(96, 144));
    EXPECT_EQ(picture.pixel(20, 40), qRgb(255, 0, 0));
    EXPECT_EQ(qAlpha(picture.pixel(70, 40)), 0);

    TWmf plain;
    plain.Add(W::SetWindowOrg, {0, 0}).Add(W::SetWindowExt, {50, 120});
    plain.Add(W::CreateBrush, W::Brush(Blue)).Add(W::Select, {0}).Add(W::Rectangle, {50, 60, 0, 0});
    picture = Load(plain.Plain(), "WMF");
    EXPECT_EQ(picture.size(), QSize(120, 50));
    EXPECT_EQ(picture.pixel(30, 25), qRgb(0, 0, 255));
    EXPECT_EQ(qAlpha(picture.pixel(90, 25)), 0);

    TEmf emf;
    emf.Size = QSize(200, 100);
    EXPECT_EQ(Load(emf.Bytes(), "Emf").size(), QSize(200, 100));
}

// Each damaged file is refused as a whole; none crashes or hangs the reader.
TEST_F(Metafiles, MalformedFilesAreRefused)
{
    const auto wmf = [](std::function<void(TWmf&)> records, QRect box = QRect(0, 0, 96, 96), int inch = 96) {
        TWmf m;
        m.Objects = 2;
        records(m);
        return m.Placeable(box, inch);
    };
    const auto emf = [](std::function<void(TEmf&)> records) {
        TEmf m;
        m.Handles = 3;
        records(m);
        return m.Bytes();
    };
    const QByteArray good = wmf([](TWmf&) {});
    const QByteArray goodEmf = emf([](TEmf&) {});
    struct TBad
    {
        const char* Name;
        QByteArray Bytes;
        const char* Extension;
    };
    const TBad cases[] = {
        {"wmf end record missing", good.left(good.size() - 6), "wmf"},
        {"wmf record past the end", good.left(good.size() - 6) + Longs({40}) + Words({0x041B}), "wmf"},
        {"wmf record size zero", good.left(good.size() - 6) + Longs({0}) + Words({0x041B}) + Words({3, 0, 0}), "wmf"},
        {"wmf header cut", good.left(30), "wmf"},
        {"wmf header size", QByteArray(good).replace(24, 2, Words({7})), "wmf"},
        {"wmf zero inch", wmf([](TWmf&) {}, QRect(0, 0, 96, 96), 0), "wmf"},
        {"wmf empty box", wmf([](TWmf&) {}, QRect(10, 10, 0, 96)), "wmf"},
        {"wmf absurd extent", wmf([](TWmf&) {}, QRect(0, 0, 30000, 30000), 1), "wmf"},
        {"wmf over the pixel ceiling", wmf([](TWmf&) {}, QRect(0, 0, 10000, 7000)), "wmf"},
        {"wmf plain without a window", TWmf().Plain(), "wmf"},
        {"wmf select out of range", wmf([](TWmf& m) { m.Add(W::Select, {2}); }), "wmf"},
        {"wmf delete out of range", wmf([](TWmf& m) { m.Add(W::Delete, {65535}); }), "wmf"},
        {"wmf object table full", wmf([](TWmf& m) {
             for (int i = 0; i < 3; ++i)
                 m.Add(W::CreatePen, W::Pen(1, Red));
         }), "wmf"},
        {"wmf polygon longer than its record", wmf([](TWmf& m) { m.Add(W::Polygon, {100, 0, 0, 10, 10}); }), "wmf"},
        {"wmf text longer than its record", wmf([](TWmf& m) { m.Add(W::TextOut, {300, 0, 0}); }), "wmf"},
        {"emf end record missing", goodEmf.left(goodEmf.size() - 20), "emf"},
        {"emf header size", QByteArray(goodEmf).replace(4, 4, Longs({80})), "emf"},
        {"emf header past the end", QByteArray(goodEmf).replace(4, 4, Longs({4000})), "emf"},
        {"emf no device", QByteArray(goodEmf).replace(72, 4, Longs({0})), "emf"},
        {"emf empty frame", QByteArray(goodEmf).replace(32, 4, Longs({0})), "emf"},
        {"emf absurd frame", QByteArray(goodEmf).replace(32, 8, Longs({2000000000, 2000000000})), "emf"},
        {"emf record size not whole", emf([](TEmf& m) { m.Add(E::SaveDc, QByteArray(2, '\0')); }), "emf"},
        {"emf record past the end", goodEmf.left(goodEmf.size() - 20) + Longs({E::Rectangle, 400}), "emf"},
        {"emf second header", emf([](TEmf& m) { m.Add(1, {0, 0, 0, 0}); }), "emf"},
        {"emf select out of range", emf([](TEmf& m) { m.Add(E::Select, {3}); }), "emf"},
        {"emf create past the table", emf([](TEmf& m) { m.Add(E::CreatePen, {7, 0, 1, 0, 0}); }), "emf"},
        {"emf delete out of range", emf([](TEmf& m) { m.Add(E::Delete, {1000}); }), "emf"},
        {"emf polygon longer than its record", emf([](TEmf& m) { m.Add(E::Polygon, {0, 0, 0, 0, 90, 1, 1}); }), "emf"},
        {"emf poly-polygon counts past the record",
         emf([](TEmf& m) { m.Add(E::PolyPolygon16, {0, 0, 0, 0, 1000000, 4}); }), "emf"},
        {"emf text past the record", emf([](TEmf& m) {
             m.Add(E::ExtTextOutW, Longs({0, 0, 0, 0, 1, 0, 0, 0, 0, 50, 76, 0, 0, 0, 0, 0, 0}));
         }), "emf"},
        {"emf clip rectangles past the record", emf([](TEmf& m) {
             m.Add(E::ExtSelectClipRgn, {48, 5, 32, 1, 9, 0, 0, 0, 0, 0});
         }), "emf"},
        {"wmf drawing the picture over forty times", wmf([](TWmf& m) {
             m.Add(W::CreateBrush, W::Brush(Red)).Add(W::Select, {0});
             for (int i = 0; i < 40; ++i)
                 m.Add(W::Rectangle, {2000, 2000, 0, 0});
         }, QRect(0, 0, 2000, 2000)), "wmf"},
        {"neither kind", QByteArray(200, '\x11'), "wmf"},
        {"empty", QByteArray(), "emf"},
    };
    for (const TBad& c : cases)
    {
        SCOPED_TRACE(c.Name);
        bool loaded = true;
        const QImage picture = Load(c.Bytes, c.Extension, &loaded);
        EXPECT_FALSE(loaded);
        EXPECT_TRUE(picture.isNull());
    }
    bool loaded = false;
    Load(good, "wmf", &loaded);
    EXPECT_TRUE(loaded);
    Load(goodEmf, "emf", &loaded);
    EXPECT_TRUE(loaded);
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

