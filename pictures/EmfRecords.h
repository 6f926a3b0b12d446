#pragma once

#include "pictures/MetafileBytes.h"
#include "pictures/MetafileCanvas.h"

#include <QImage>
#include <QPolygonF>
#include <QRectF>
#include <QTransform>

#include <cstdint>
#include <optional>
#include <vector>

// The records of an enhanced metafile, each read into named fields. A reader takes the record's
// parameters (what follows its type and size); a read past them marks the record failed.
namespace EmfRecords
{

enum TType : uint32_t
{
    Header = 1,
    PolyBezier = 2,
    Polygon = 3,
    Polyline = 4,
    PolyBezierTo = 5,
    PolylineTo = 6,
    PolyPolyline = 7,
    PolyPolygon = 8,
    SetWindowExtEx = 9,
    SetWindowOrgEx = 10,
    SetViewportExtEx = 11,
    SetViewportOrgEx = 12,
    Eof = 14,
    SetPixelV = 15,
    SetMapMode = 17,
    SetBkMode = 18,
    SetPolyFillMode = 19,
    SetTextAlign = 22,
    SetTextColor = 24,
    SetBkColor = 25,
    MoveToEx = 27,
    ExcludeClipRect = 29,
    IntersectClipRect = 30,
    ScaleViewportExtEx = 31,
    ScaleWindowExtEx = 32,
    SaveDc = 33,
    RestoreDc = 34,
    SetWorldTransform = 35,
    ModifyWorldTransform = 36,
    SelectObject = 37,
    CreatePen = 38,
    CreateBrushIndirect = 39,
    DeleteObject = 40,
    AngleArc = 41,
    Ellipse = 42,
    Rectangle = 43,
    RoundRect = 44,
    Arc = 45,
    Chord = 46,
    Pie = 47,
    LineTo = 54,
    ArcTo = 55,
    SetArcDirection = 57,
    BeginPath = 59,
    EndPath = 60,
    CloseFigure = 61,
    FillPath = 62,
    StrokeAndFillPath = 63,
    StrokePath = 64,
    SelectClipPath = 67,
    AbortPath = 68,
    ExtSelectClipRgn = 75,
    BitBlt = 76,
    StretchBlt = 77,
    SetDiBitsToDevice = 80,
    StretchDiBits = 81,
    ExtCreateFontIndirectW = 82,
    ExtTextOutA = 83,
    ExtTextOutW = 84,
    PolyBezier16 = 85,
    Polygon16 = 86,
    Polyline16 = 87,
    PolyBezierTo16 = 88,
    PolylineTo16 = 89,
    PolyPolyline16 = 90,
    PolyPolygon16 = 91,
    CreateDibPatternBrushPt = 94,
    ExtCreatePen = 95,
    AlphaBlend = 114,
};

// The file's header: its frame, its object table and the reference device.
struct THeader
{
    int64_t Bytes = 0;
    QRectF Frame; // hundredths of a millimetre
    uint32_t Handles = 0;
    QSizeF DevicePixels;
    QSizeF DeviceMillimetres;
};
THeader ReadHeader(TMetafileBytes& file);
constexpr uint32_t Signature = 0x464D4520; // " EMF"
constexpr qsizetype SmallestHeader = 88;
bool HasSignature(TMetafileBytes& file);

QColor ColourRef(TMetafileBytes& record, qsizetype offset);
QRectF Box(TMetafileBytes& record, qsizetype offset); // left, top, right, bottom
QSizeF Extent(TMetafileBytes& record, qsizetype offset);
QTransform Xform(TMetafileBytes& record, qsizetype offset);

// The polyline families, 32- or 16-bit points (small) after the bounds.
QPolygonF Poly(TMetafileBytes& record, bool small);
std::vector<QPolygonF> PolyPoly(TMetafileBytes& record, bool small);

// Objects: where in the table each goes, and the object.
struct TObject
{
    uint32_t Index = 0;
    TGdiObject Object;
};
TObject Pen(TMetafileBytes& record);
TObject ExtPen(TMetafileBytes& record);
TObject Brush(TMetafileBytes& record);
TObject Font(TMetafileBytes& record);
// The pattern brush's bitmap is decoded through the canvas, which charges it.
TObject PatternBrush(TMetafileCanvas& canvas, TMetafileBytes& record);

// A line of text with its reference point and an optional opaque box; nothing when it runs past the record.
struct TText
{
    QPointF Reference;
    QString Text;
    std::optional<QRectF> OpaqueBox;
};
std::optional<TText> Text(TMetafileBytes& record, bool wide);

// The rectangles of a clip region in device units, and how they combine with the clip.
struct TClipRegion
{
    int Mode = 0;
    std::vector<QRectF> Rects;
};
std::optional<TClipRegion> ClipRegion(TMetafileBytes& record);

TBitmapTransfer BlockTransfer(TMetafileCanvas& canvas, TMetafileBytes& record, bool stretch);
TBitmapTransfer AlphaBlendTransfer(TMetafileCanvas& canvas, TMetafileBytes& record);
TBitmapTransfer StretchDibTransfer(TMetafileCanvas& canvas, TMetafileBytes& record);
TBitmapTransfer DibToDeviceTransfer(TMetafileCanvas& canvas, TMetafileBytes& record);

} // namespace EmfRecords
