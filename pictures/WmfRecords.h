#pragma once

#include "pictures/MetafileBytes.h"
#include "pictures/MetafileCanvas.h"

#include <QPolygonF>
#include <QRectF>

#include <cstdint>
#include <optional>
#include <vector>

// The records of a Windows metafile, each read into named fields. A reader takes the record's
// parameters (what follows its size and function), 16-bit words that most records list last to first.
namespace WmfRecords
{

enum TFunction : uint16_t
{
    Eof = 0x0000,
    SaveDc = 0x001E,
    CreatePalette = 0x00F7,
    SetBkMode = 0x0102,
    SetMapMode = 0x0103,
    SetPolyFillMode = 0x0106,
    RestoreDc = 0x0127,
    SelectObject = 0x012D,
    SetTextAlign = 0x012E,
    DibCreatePatternBrush = 0x0142,
    DeleteObject = 0x01F0,
    CreatePatternBrush = 0x01F9,
    SetBkColor = 0x0201,
    SetTextColor = 0x0209,
    SetWindowOrg = 0x020B,
    SetWindowExt = 0x020C,
    OffsetWindowOrg = 0x020F,
    LineTo = 0x0213,
    MoveTo = 0x0214,
    CreatePenIndirect = 0x02FA,
    CreateFontIndirect = 0x02FB,
    CreateBrushIndirect = 0x02FC,
    Polygon = 0x0324,
    Polyline = 0x0325,
    ScaleWindowExt = 0x0410,
    ExcludeClipRect = 0x0415,
    IntersectClipRect = 0x0416,
    Ellipse = 0x0418,
    Rectangle = 0x041B,
    SetPixel = 0x041F,
    TextOut = 0x0521,
    PolyPolygon = 0x0538,
    RoundRect = 0x061C,
    PatBlt = 0x061D,
    CreateRegion = 0x06FF,
    Arc = 0x0817,
    Pie = 0x081A,
    Chord = 0x0830,
    DibBitBlt = 0x0940,
    ExtTextOut = 0x0A32,
    DibStretchBlt = 0x0B41,
    SetDibToDev = 0x0D33,
    StretchDib = 0x0F43,
};

QColor ColourRef(TMetafileBytes& record, qsizetype offset);
QRectF Box(TMetafileBytes& record, qsizetype offset); // bottom, right, top, left
QPointF YX(TMetafileBytes& record, qsizetype offset); // a point stored y first
QPolygonF Poly(TMetafileBytes& record);               // the count, then the points
std::vector<QPolygonF> PolyPoly(TMetafileBytes& record);

TGdiPen Pen(TMetafileBytes& record);
TGdiBrush Brush(TMetafileBytes& record);
TGdiFont Font(TMetafileBytes& record);
// The pattern brush's bitmap is decoded through the canvas, which charges it.
TGdiBrush PatternBrush(TMetafileCanvas& canvas, TMetafileBytes& record);

struct TText
{
    QPointF Reference;
    QString Text;
    std::optional<QRectF> OpaqueBox;
};
TText ReadTextOut(TMetafileBytes& record);
TText ReadExtTextOut(TMetafileBytes& record);

// The bitmap transfers; recordBytes is the whole record's size, which tells whether a bitmap comes with it.
TBitmapTransfer PatternFill(TMetafileBytes& record);
TBitmapTransfer BlockTransfer(TMetafileCanvas& canvas, TMetafileBytes& record);
TBitmapTransfer StretchTransfer(TMetafileCanvas& canvas, TMetafileBytes& record);
TBitmapTransfer StretchDibTransfer(TMetafileCanvas& canvas, TMetafileBytes& record);
TBitmapTransfer DibToDeviceTransfer(TMetafileCanvas& canvas, TMetafileBytes& record);

} // namespace WmfRecords
