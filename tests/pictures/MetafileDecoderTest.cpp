#include "tests/pictures/MetafileTestFiles.h"

#include "pictures/PictureLoader.h"
#include "tests/support/TimeBound.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <bit>
#include <utility>

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
constexpr uint16_t CreateBrush = 0x02FC, CreateFont = 0x02FB, Select = 0x012D, Delete = 0x01F0, SaveDc = 0x001E;
constexpr uint16_t Rectangle = 0x041B, Ellipse = 0x0418, RoundRect = 0x061C, Polygon = 0x0324, Polyline = 0x0325;
constexpr uint16_t PolyPolygon = 0x0538, MoveTo = 0x0214, LineTo = 0x0213, Arc = 0x0817, Pie = 0x081A, Chord = 0x0830;
constexpr uint16_t TextOut = 0x0521, ExtTextOut = 0x0A32, SetBkColor = 0x0201, SetBkMode = 0x0102, RestoreDc = 0x0127;
constexpr uint16_t SetPolyFillMode = 0x0106, SetWindowOrg = 0x020B, SetWindowExt = 0x020C, IntersectClip = 0x0416;
constexpr uint16_t StretchDib = 0x0F43, DibBitBlt = 0x0940, DibStretchBlt = 0x0B41, SetTextAlign = 0x012E;
} // namespace W

// Enhanced metafile records by type.
namespace E
{
constexpr uint32_t Polygon = 3, Polyline = 4, PolyPolygon16 = 91, Polygon16 = 86, Polyline16 = 87, SetWindowExt = 9;
constexpr uint32_t SetWindowOrg = 10, SetViewportExt = 11, SetMapMode = 17, SetBkMode = 18, SetPolyFillMode = 19;
constexpr uint32_t SetBkColor = 25, MoveTo = 27, IntersectClip = 30, SaveDc = 33, RestoreDc = 34, SetWorld = 35;
constexpr uint32_t Select = 37, CreateBrush = 39, Delete = 40, Ellipse = 42, Rectangle = 43, RoundRect = 44, Arc = 45;
constexpr uint32_t Chord = 46, Pie = 47, LineTo = 54, BeginPath = 59, EndPath = 60, CloseFigure = 61, FillPath = 62;
constexpr uint32_t StretchDiBits = 81, CreateFont = 82, ExtTextOutW = 84, PolyBezierTo16 = 88, BitBlt = 76;
constexpr uint32_t ExtSelectClipRgn = 75;
} // namespace E

// A file to load: a Windows metafile with the placeable header, an enhanced one, or any bytes.
struct TFile
{
    TFile(const TWmf& records) : Bytes(records.Placeable()), Extension("wmf") {}
    TFile(const TEmf& records) : Bytes(records.Bytes()), Extension("emf") {}
    TFile(const QByteArray& bytes, const QString& extension) : Bytes(bytes), Extension(extension) {}

    QByteArray Bytes;
    QString Extension;
};

// Clip art drawn in a drawing program and saved in both kinds by it and by an office suite (the
// SVG beside them is the drawing).
TFile ClipArt(const QString& name)
{
    QFile file(QStringLiteral(PELMO_SOURCE_DIR "/tests/pictures/clipart/") + name);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return {file.readAll(), QFileInfo(name).suffix()};
}

// points corners of a line that zig-zags between the top and bottom of a square of the given side.
QByteArray ZigZag(int points, int side, int bytes = 2)
{
    QByteArray corners;
    for (int i = 0; i < points; ++i)
        corners += Le(bytes, {int64_t(i) * side / points, i % 2 ? side - 1 : 0});
    return corners;
}

bool Load(const TFile& file, QImage& picture)
{
    static const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("picture.") + file.Extension);
    QFile out(path);
    EXPECT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
    out.write(file.Bytes);
    out.close();
    return TPictureLoader::Load(path, picture);
}

// Each family of records draws where it says on a transparent ground, as does real clip art; the
// placeable header gives the size in its own units to the inch, and without it the drawing's window does.
TEST(Metafiles, EachRecordFamilyAndHeaderDrawsWhereItSays)
{
    using namespace W;
    struct TDrawCase
    {
        const char* Name;
        TFile File;
        QPoint Inside;
        uint32_t Colour;
        QPoint Outside{}; // stays transparent, unless null
        QSize Size{96, 96};
    };
    // 2 x 2 pixels, the bottom row first, each pixel blue, green, red: red and green above blue and yellow.
    const QByteArray dib = Longs({40, 2, 2}) + Words({1, 24}) + Longs({0, 0, 0, 0, 0, 0}) +
                           Le(3, {0x0000FF, 0xFFFF00}) + Words({0}) + Le(3, {0xFF0000, 0x00FF00}) + Words({0});
    const QByteArray copy = Longs({0x00CC0020});
    // A square ring round a square hole, both drawn the same way round.
    const std::initializer_list<int64_t> rings = {10, 20, 20, 80, 20, 80, 80, 20, 80, 20, 20,
                                                  10, 10, 90, 10, 90, 90, 10, 90, 10, 10};
    const QByteArray font = Words({-40, 0, 0, 0, 700, 0, 0, 0, 0}) + QByteArray("Sans").leftJustified(32, '\0');
    const TWmf text = TWmf().Add(CreateFont, font).Add(Select, {0}).Add(SetBkColor, {Yellow & 0xFFFF, 0});
    const auto stretch = [&](int from) {
        return Longs({0, 0, 0, 0, 0, 0, 0, 0, from, from, 80, 40, 120, dib.size() - 40, 0, 0x00CC0020, 96, 96}) + dib;
    };
    TEmf wide;
    wide.Size = QSize(200, 100);
    TEmf grid; // 20,000 squares of 5 pixels, 10 apart
    grid.Size = QSize(2000, 1000);
    QByteArray squares;
    for (int i = 0; i < 20000; ++i)
        squares += Longs({i % 200 * 10, i / 200 * 10, i % 200 * 10 + 5, i / 200 * 10 + 5});
    grid.Add(E::ExtSelectClipRgn, Longs({32 + squares.size(), 5, 32, 1, 20000, squares.size(), 0, 0, 2000, 1000}) + squares)
        .Brush(Green).Add(E::Rectangle, {0, 0, 2000, 1000});
    const TDrawCase cases[] = {
        {"wmf placeable header", {TWmf().Brush(Red).Add(Rectangle, {960, 480, 0, 0}).Placeable({0, 0, 960, 1440}, 960),
                                  "wmf"}, {20, 40}, Red, {70, 40}, {96, 144}},
        {"wmf plain header", {TWmf().Add(SetWindowOrg, {0, 0}).Add(SetWindowExt, {50, 120}).Brush(Blue)
                                  .Add(Rectangle, {50, 60, 0, 0}).Plain(), "WMF"}, {30, 25}, Blue, {90, 25}, {120, 50}},
        {"emf header", {TEmf(wide).Brush(Green).Add(E::Rectangle, {0, 0, 99, 99}).Bytes(), "Emf"}, {50, 50}, Green,
         {150, 50}, {200, 100}},
        {"wmf rectangle", TWmf().Brush(Red).Add(Rectangle, {50, 50, 10, 10}), {30, 30}, Red, {70, 70}},
        {"wmf ellipse", TWmf().Brush(Blue).Add(Ellipse, {90, 90, 10, 10}), {50, 50}, Blue, {12, 12}},
        {"wmf round rectangle", TWmf().Brush(Blue).Add(RoundRect, {40, 40, 90, 90, 10, 10}), {50, 50}, Blue, {11, 11}},
        {"wmf polygon", TWmf().Brush(Red).Add(Polygon, {3, 0, 0, 90, 0, 0, 90}), {20, 20}, Red, {70, 70}},
        {"wmf poly-polygon",
         TWmf().Brush(Green).Add(PolyPolygon, {2, 4, 4, 0, 0, 40, 0, 40, 40, 0, 40, 50, 50, 90, 50, 90, 90, 50, 90}),
         {70, 70}, Green, {45, 45}},
        {"wmf pen lines", TWmf().Pen(6, Green).Add(MoveTo, {50, 0}).Add(LineTo, {50, 96}), {48, 50}, Green, {48, 30}},
        {"wmf polyline", TWmf().Pen(6, Red).Add(Polyline, {2, 0, 20, 96, 20}), {48, 20}, Red, {48, 40}},
        {"wmf pie", TWmf().Brush(Red).Add(Pie, {0, 96, 96, 48, 90, 90, 10, 10}), {70, 55}, Red, {40, 60}},
        {"wmf chord", TWmf().Brush(Blue).Add(Chord, {90, 10, 10, 90, 90, 90, 10, 10}), {25, 25}, Blue, {75, 75}},
        {"wmf arc", TWmf().Pen(4, Green).Add(Arc, {50, 96, 50, 0, 90, 90, 10, 10}), {50, 89}, Green, {50, 11}},
        {"wmf text out on its box", TWmf(text).Add(SetBkMode, {2}).Add(TextOut, Words({2}) + "WW" + Words({10, 10})),
         {12, 40}, Yellow, {12, 8}},
        {"wmf ext text out", TWmf(text).Add(SetTextAlign, {24}).Add(ExtTextOut, Words({60, 10, 2, 0}) + "WW"), {12, 50},
         Yellow, {12, 70}},
        {"wmf font deleted", TWmf().Add(CreateFont, font).Add(Delete, {0}).Add(Select, {0}).Add(SetBkMode, {2})
                                 .Add(SetBkColor, {Yellow & 0xFFFF, 0}).Add(TextOut, {1, 'W', 10, 10}),
         {12, 12}, Yellow, {12, 40}},
        {"wmf stretched DIB", TWmf().Add(StretchDib, copy + Words({0, 2, 2, 0, 0, 96, 96, 0, 0}) + dib), {70, 20},
         Green},
        {"wmf DIB source rows counted from the bottom",
         TWmf().Add(StretchDib, copy + Words({0, 1, 1, 0, 1, 96, 96, 0, 0}) + dib), {50, 50}, Yellow},
        {"wmf DIB block transfer", TWmf().Add(DibBitBlt, copy + Words({1, 1, 1, 1, 50, 50}) + dib), {50, 50}, Yellow,
         {49, 49}},
        {"wmf DIB stretch transfer", TWmf().Add(DibStretchBlt, copy + Words({1, 1, 1, 0, 40, 40, 0, 0}) + dib),
         {20, 20}, Blue, {60, 60}},
        {"wmf save and restore", TWmf().Brush(Red).Add(SaveDc, {}).Add(CreateBrush, {0, 0, 0xFF, 0}).Add(Select, {1})
                                     .Add(RestoreDc, {-1}).Add(Rectangle, {50, 50, 10, 10}),
         {30, 30}, Red, {70, 70}},
        {"wmf alternate fill leaves the hole", TWmf().Brush(Red).Add(Polygon, rings), {50, 15}, Red, {50, 50}},
        {"wmf winding fill", TWmf().Brush(Red).Add(SetPolyFillMode, {2}).Add(Polygon, rings), {50, 50}, Red},
        {"wmf window", TWmf().Brush(Blue).Add(SetWindowOrg, {100, 100}).Add(SetWindowExt, {48, 48})
                           .Add(Rectangle, {112, 112, 100, 100}),
         {20, 20}, Blue, {30, 30}},
        {"wmf clip", TWmf().Brush(Green).Add(IntersectClip, {96, 48, 0, 0}).Add(Rectangle, {96, 96, 0, 0}), {20, 50},
         Green, {70, 50}},

        {"emf rectangle", TEmf().Brush(Red).Add(E::Rectangle, {10, 10, 50, 50}), {30, 30}, Red, {70, 70}},
        {"emf ellipse", TEmf().Brush(Blue).Add(E::Ellipse, {10, 10, 90, 90}), {50, 50}, Blue, {12, 12}},
        {"emf round rectangle", TEmf().Brush(Blue).Add(E::RoundRect, {10, 10, 90, 90, 40, 40}), {50, 50}, Blue,
         {11, 11}},
        {"emf polygon", TEmf().Brush(Red).Add(E::Polygon, {0, 0, 0, 0, 3, 0, 0, 90, 0, 0, 90}), {20, 20}, Red,
         {70, 70}},
        {"emf polygon16", TEmf().Brush(Red).Add(E::Polygon16, Longs({0, 0, 0, 0, 3}) + Words({96, 96, 6, 96, 96, 6})),
         {70, 70}, Red, {20, 20}},
        {"emf poly-polygon16", TEmf().Brush(Green).Add(E::PolyPolygon16, Longs({0, 0, 0, 0, 2, 8, 4, 4}) +
                                   Words({0, 0, 40, 0, 40, 40, 0, 40, 50, 50, 90, 50, 90, 90, 50, 90})),
         {20, 20}, Green, {45, 45}},
        {"emf polyline and pen", TEmf().Pen(6, Green).Add(E::Polyline, {0, 0, 0, 0, 2, 0, 20, 96, 20}), {48, 20}, Green,
         {48, 40}},
        {"emf line reaching millions of pixels away", // once seconds of stroking
         TEmf().Pen(6, Green).Add(E::Polyline, {0, 0, 0, 0, 3, 0, 20, 6291552, 20, 6291552, 6291462}), {48, 20}, Green,
         {48, 40}},
        {"emf polyline16", TEmf().Pen(6, Red).Add(E::Polyline16, Longs({0, 0, 0, 0, 2}) + Words({50, 0, 50, 96})),
         {50, 48}, Red, {30, 48}},
        {"emf move and line", TEmf().Pen(6, Blue).Add(E::MoveTo, {0, 70}).Add(E::LineTo, {96, 70}), {48, 70}, Blue,
         {48, 50}},
        {"emf pie", TEmf().Brush(Red).Add(E::Pie, {10, 10, 90, 90, 96, 48, 48, 0}), {60, 40}, Red, {40, 60}},
        {"emf chord", TEmf().Brush(Blue).Add(E::Chord, {10, 10, 90, 90, 90, 90, 10, 10}), {70, 30}, Blue, {30, 70}},
        {"emf arc", TEmf().Pen(4, Green).Add(E::Arc, {10, 10, 90, 90, 0, 50, 96, 50}), {50, 89}, Green, {50, 11}},
        {"emf bezier path",
         TEmf().Brush(Green).Add(E::BeginPath, {}).Add(E::MoveTo, {10, 10})
             .Add(E::PolyBezierTo16, Longs({0, 0, 0, 0, 6}) + Words({40, 10, 60, 10, 90, 10, 90, 40, 90, 60, 90, 90}))
             .Add(E::CloseFigure, {}).Add(E::EndPath, {}).Add(E::FillPath, {0, 0, 0, 0}),
         {80, 20}, Green, {20, 80}},
        {"emf text", // the text after the record's 84 bytes
         TEmf().Add(E::CreateFont,
                    Longs({1, -40, 0, 0, 0, 700, 0, 0}) + Words({'S', 'a', 'n', 's'}).leftJustified(64, '\0'))
             .Add(E::Select, {1}).Add(E::SetBkColor, {Yellow}).Add(E::SetBkMode, {2})
             .Add(E::ExtTextOutW, Longs({0, 0, 0, 0, 1, Float(1), Float(1), 10, 10, 2, 84, 0, 0, 0, 0, 0, 0, 0, 0}) +
                                      Words({'W', 'W'})),
         {12, 40}, Yellow, {12, 8}},
        {"emf stretched DIB", TEmf().Add(E::StretchDiBits, stretch(2)), {20, 70}, Blue},
        {"emf DIB source rows counted from the bottom", TEmf().Add(E::StretchDiBits, stretch(1)), {50, 50}, Blue},
        {"emf DIB block transfer",
         TEmf().Add(E::BitBlt, Longs({0, 0, 0, 0, 50, 50, 2, 2, 0x00CC0020, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 100, 40, 140,
                                      dib.size() - 40}) + dib),
         {51, 51}, Yellow, {49, 49}},
        {"emf save and restore", TEmf().Brush(Red).Add(E::SaveDc, {}).Add(E::CreateBrush, {2, 0, Blue, 0})
                                     .Add(E::Select, {2}).Add(E::RestoreDc, {-1}).Add(E::Rectangle, {10, 10, 50, 50}),
         {30, 30}, Red, {70, 70}},
        {"emf stock brush", TEmf().Add(E::Select, {0x80000004}).Add(E::Rectangle, {10, 10, 50, 50}), {30, 30}, 0,
         {70, 70}},
        {"emf winding fill",
         TEmf().Brush(Red).Add(E::SetPolyFillMode, {2}).Add(E::Polygon, Longs({0, 0, 0, 0}) + Longs(rings)), {50, 50},
         Red},
        {"emf anisotropic mapping", TEmf().Brush(Blue).Add(E::SetMapMode, {8}).Add(E::SetWindowOrg, {100, 100})
                                        .Add(E::SetWindowExt, {10, 10}).Add(E::SetViewportExt, {40, 40})
                                        .Add(E::Rectangle, {105, 105, 110, 110}),
         {30, 30}, Blue, {10, 10}},
        {"emf world transform", TEmf().Brush(Green).Add(E::SetWorld, {Float(2), 0, 0, Float(2), Float(10), 0})
                                    .Add(E::Rectangle, {20, 20, 40, 40}),
         {80, 70}, Green, {40, 40}},
        {"emf clip", TEmf().Brush(Green).Add(E::IntersectClip, {0, 0, 48, 96}).Add(E::Rectangle, {0, 0, 96, 96}),
         {20, 50}, Green, {70, 50}},
        {"emf clip region reset", TEmf().Brush(Green).Add(E::IntersectClip, {0, 0, 48, 96})
                                      .Add(E::ExtSelectClipRgn, {0, 5}).Add(E::Rectangle, {0, 0, 96, 96}),
         {70, 50}, Green},
        {"emf clip region of thousands of rectangles", grid, {1992, 992}, Green, {1997, 997}, {2000, 1000}},

        {"sun", ClipArt("sunhouse.wmf"), {190, 40}, Ref(0xff, 0xcc, 0x00), {4, 4}, {240, 180}},
        {"grass", ClipArt("sunhouse.wmf"), {20, 172}, Ref(0x3a, 0x9a, 0x3a), {4, 4}, {240, 180}},
        {"roof", ClipArt("sunhouse.emf"), {80, 70}, Ref(0xb2, 0x22, 0x22), {4, 4}, {242, 181}},
        {"flower", ClipArt("flower.wmf"), {60, 60}, Ref(0xff, 0xeb, 0x3b), {4, 4}, {120, 160}},
        {"petal", ClipArt("flower.emf"), {60, 30}, Ref(0xe9, 0x1e, 0x63), {4, 4}, {121, 162}},
        {"office sun", ClipArt("sunhouse-office.wmf"), {180, 38}, Ref(0xff, 0xcc, 0x00), {4, 4}, {224, 164}},
        {"office roof", ClipArt("sunhouse-office.emf"), {75, 70}, Ref(0xb2, 0x22, 0x22), {4, 4}, {224, 164}},
    };
    for (const TDrawCase& c : cases)
    {
        SCOPED_TRACE(c.Name);
        QImage picture;
        QElapsedTimer clock;
        clock.start();
        ASSERT_TRUE(Load(c.File, picture));
        EXPECT_LT(clock.elapsed(), TimeBoundMs(1000));
        EXPECT_EQ(picture.size(), c.Size);
        EXPECT_EQ(picture.pixel(c.Inside), Rgb(c.Colour)) << std::hex << picture.pixel(c.Inside);
        if (!c.Outside.isNull())
        {
            EXPECT_EQ(qAlpha(picture.pixel(c.Outside)), 0);
        }
    }
}

// A bitmap with its own coverage, blended at half strength, keeps the picture see-through.
TEST(Metafiles, AlphaBlendedBitmapsKeepTheirCoverage)
{
    const QByteArray dib = Longs({40, 1, 1}) + Words({1, 32}) + Longs({0, 4, 0, 0, 0, 0}) + Longs({0x80800000});
    TEmf emf; // premultiplied red at half coverage, blended at full and at half strength
    for (int64_t strength : {255, 128})
        emf.Add(114, Longs({0, 0, 0, 0, strength == 255 ? 0 : 48, 0, 48, 96, strength << 16 | 0x01000000, 0, 0, 0, 0,
                            0, 0, 0, 0, 0, 0, 108, 40, 148, 4, 1, 1}) + dib);
    QImage picture;
    ASSERT_TRUE(Load(emf, picture));
    picture = picture.convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(picture.pixel(20, 50), qRgba(255, 0, 0, 128));
    EXPECT_NEAR(qAlpha(picture.pixel(70, 50)), 64, 1);
    EXPECT_EQ(qRed(picture.pixel(70, 50)), 255);
}

// Each damaged file is refused as a whole; none crashes or hangs the reader.
TEST(Metafiles, MalformedFilesAreRefused)
{
    const QByteArray wmf = TWmf().Placeable();
    const QByteArray emf = TEmf().Bytes();
    QImage picture;
    ASSERT_TRUE(Load({wmf, "wmf"}, picture));
    ASSERT_TRUE(Load({emf, "emf"}, picture));
    TWmf overdraw, fewObjects, zigZag, manyZigZags, widePen;
    zigZag.Records = TWmf().Brush(Red).Add(W::Polygon, Words({300}) + ZigZag(300, 1000)).Records;
    QByteArray polygons = Words({50}) + Words({100}).repeated(50);
    for (int i = 0; i < 50; ++i)
        polygons += ZigZag(100, 1000);
    manyZigZags.Records = TWmf().Brush(Red).Add(W::PolyPolygon, polygons).Records;
    widePen.Records = TWmf().Pen(400, Blue).Add(W::Polyline, Words({1000}) + ZigZag(1000, 1000)).Records;
    overdraw.Records = TWmf().Add(W::Rectangle, {2000, 2000, 0, 0}).Records.repeated(40);
    fewObjects.Objects = 2;
    const std::pair<const char*, TFile> cases[] = {
        {"wmf end record missing", {wmf.chopped(6), "wmf"}},
        {"wmf record past the end", {wmf.chopped(6) + Longs({40}) + Words({W::Rectangle}), "wmf"}},
        {"wmf record size zero", {wmf.chopped(6) + Longs({0}) + Words({W::Rectangle, 3, 0, 0}), "wmf"}},
        {"wmf header size", {QByteArray(wmf).replace(24, 2, Words({7})), "wmf"}},
        {"wmf zero inch", {TWmf().Placeable(QRect(0, 0, 96, 96), 0), "wmf"}},
        {"wmf empty box", {TWmf().Placeable(QRect(10, 10, 0, 96)), "wmf"}},
        {"wmf over the pixel ceiling", {TWmf().Placeable(QRect(0, 0, 10000, 7000)), "wmf"}},
        {"wmf plain without a window", {TWmf().Plain(), "wmf"}},
        {"wmf select out of range", TWmf().Add(W::Select, {8})},
        {"wmf delete out of range", TWmf().Add(W::Delete, {65535})},
        {"wmf object table full", TWmf(fewObjects).Pen(1, Red).Pen(1, Red).Pen(1, Red)},
        {"wmf polygon longer than its record", TWmf().Add(W::Polygon, {100, 0, 0, 10, 10})},
        {"wmf text longer than its record", TWmf().Add(W::TextOut, {300, 0, 0})},
        {"wmf drawing the picture over forty times", {overdraw.Placeable(QRect(0, 0, 2000, 2000)), "wmf"}},
        // Each once seconds of rasterizing, a few hundred bytes to a few kilobytes across a picture of a million pixels.
        {"wmf polygon zig-zagging across the picture", {zigZag.Placeable(QRect(0, 0, 1000, 1000)), "wmf"}},
        {"wmf poly-polygon of zig-zags", {manyZigZags.Placeable(QRect(0, 0, 1000, 1000)), "wmf"}},
        {"wmf wide pen zig-zagging", {widePen.Placeable(QRect(0, 0, 1000, 1000)), "wmf"}},
        {"emf end record missing", {emf.chopped(20), "emf"}},
        {"emf header size", {QByteArray(emf).replace(4, 4, Longs({80})), "emf"}},
        {"emf header past the end", {QByteArray(emf).replace(4, 4, Longs({4000})), "emf"}},
        {"emf no device", {QByteArray(emf).replace(72, 4, Longs({0})), "emf"}},
        {"emf empty frame", {QByteArray(emf).replace(32, 4, Longs({0})), "emf"}},
        {"emf absurd frame", {QByteArray(emf).replace(32, 8, Longs({2000000000, 2000000000})), "emf"}},
        {"emf record size not whole", TEmf().Add(E::SaveDc, QByteArray(2, '\0'))},
        {"emf record past the end", {emf.chopped(20) + Longs({E::Rectangle, 400}), "emf"}},
        {"emf second header", TEmf().Add(1, {0, 0, 0, 0})},
        {"emf select out of range", TEmf().Add(E::Select, {8})},
        {"emf create past the table", TEmf().Add(E::CreateBrush, {8, 0, 0, 0})},
        {"emf delete out of range", TEmf().Add(E::Delete, {1000})},
        {"emf polygon longer than its record", TEmf().Add(E::Polygon, {0, 0, 0, 0, 90, 1, 1})},
        {"emf poly-polygon counts past the record", TEmf().Add(E::PolyPolygon16, {0, 0, 0, 0, 1000000, 4})},
        {"emf text past the record",
         TEmf().Add(E::ExtTextOutW, {0, 0, 0, 0, 1, 0, 0, 0, 0, 50, 76, 0, 0, 0, 0, 0, 0})},
        {"emf clip rectangles past the record", TEmf().Add(E::ExtSelectClipRgn, {48, 5, 32, 1, 9, 0, 0, 0, 0, 0})},
        {"neither kind", {QByteArray(200, '\x11'), "wmf"}},
    };
    for (const auto& [name, file] : cases)
    {
        SCOPED_TRACE(name);
        QImage refused;
        QElapsedTimer clock;
        clock.start();
        EXPECT_FALSE(Load(file, refused));
        EXPECT_LT(clock.elapsed(), TimeBoundMs(1000));
        EXPECT_TRUE(refused.isNull());
    }
}

} // namespace
