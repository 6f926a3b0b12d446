#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRegion>
#include <QString>
#include <QTransform>

#include <cstdint>
#include <optional>
#include <set>
#include <variant>
#include <vector>

// The drawing objects a metafile creates, selects and deletes, as the graphics device keeps them.
struct TGdiPen
{
    uint32_t Style = 0; // line style in the low nibble, caps and joins above
    double Width = 0;   // logical units; 0 is one pixel whatever the scale
    QColor Colour = Qt::black;
};

struct TGdiBrush
{
    uint32_t Style = 0; // 0 solid, 1 none, 2 hatched, 3 and above a pattern picture
    QColor Colour = Qt::white;
    uint32_t Hatch = 0;
    QImage Pattern;
};

struct TGdiFont
{
    QString Face;
    double Height = 0; // logical units; negative means the character height without leading
    int Escapement = 0; // tenths of a degree, anticlockwise
    int Weight = 400;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
};

using TGdiObject = std::variant<std::monostate, TGdiPen, TGdiBrush, TGdiFont>;

// Everything SaveDC keeps and RestoreDC brings back.
struct TDrawingState
{
    TGdiPen Pen;
    TGdiBrush Brush;
    TGdiFont Font;
    QColor TextColour = Qt::black;
    QColor BackColour = Qt::white;
    bool OpaqueBack = true;
    uint32_t TextAlign = 0;
    Qt::FillRule FillRule = Qt::OddEvenFill;
    int MapMode = 1;
    QPointF WindowOrg;
    QPointF ViewportOrg;
    QSizeF WindowExt{1, 1};
    QSizeF ViewportExt{1, 1};
    QTransform World;
    QPointF Position;
    std::optional<QRegion> Clip; // in picture pixels
    bool Clockwise = false;
};

// One bitmap transfer: the bitmap (null to fill with the brush as the operation asks), the part
// of it shown, the logical rectangle it goes to, and how it combines with what is there.
struct TBitmapTransfer
{
    QRectF Target;
    QRectF Source;
    uint32_t RasterOp = 0;
    double Opacity = 1;
    QImage Bitmap;
};

// The graphics device both metafile kinds play into: its state, its object table and the
// drawing calls, painted with QPainter onto the picture. Logical coordinates go through the world
// transform, the window-to-viewport mapping, and the device-to-picture scale.
class TMetafileCanvas
{
public:
    // devicePerMillimetre: device pixels in a millimetre, for the metric and English mapping modes.
    TMetafileCanvas(QImage& picture, const QTransform& deviceToPicture, QSizeF devicePerMillimetre);

    // A picture of the given size, wholly transparent, to draw on.
    static QImage TransparentPicture(QSize size);

    TDrawingState& State() { return Now; }

    // Drawing costs pixels. A file that asks for far more than a picture of its size could show
    // (a million rectangles over a huge picture) is refused instead of keeping the player waiting.
    bool Afford(double pixels);
    bool Exhausted() const { return Spent > Budget; }

    // The object table: enhanced metafiles say where each object goes, Windows metafiles take the
    // first free place. False for a place outside the table.
    void ResizeTable(uint32_t count);
    bool PutAt(uint32_t index, TGdiObject object);
    bool PutFirstFree(TGdiObject object);
    bool Select(uint32_t index);
    bool Delete(uint32_t index);
    void SelectStock(uint32_t stock);

    void SetMapMode(int mode);
    void SetWindowOrg(QPointF origin) { Now.WindowOrg = origin; }
    void SetViewportOrg(QPointF origin) { Now.ViewportOrg = origin; }
    void SetWindowExt(QSizeF extent);
    void SetViewportExt(QSizeF extent);
    void ScaleWindowExt(double xNum, double xDenom, double yNum, double yDenom);
    void ScaleViewportExt(double xNum, double xDenom, double yNum, double yDenom);
    void ModifyWorld(const QTransform& transform, uint32_t mode);

    void Save();
    void Restore(int which);

    void MoveTo(QPointF point);
    void LineTo(QPointF point);
    void Polyline(const QPolygonF& points);
    void PolylineTo(const QPolygonF& points);
    void PolyBezier(const QPolygonF& points);
    void PolyBezierTo(const QPolygonF& points);
    void Polygon(const QPolygonF& points);
    void PolyPolygon(const std::vector<QPolygonF>& polygons);
    void PolyPolyline(const std::vector<QPolygonF>& polylines);
    void Rectangle(const QRectF& box);
    void RoundRect(const QRectF& box, QSizeF corner);
    void Ellipse(const QRectF& box);
    enum class TArcKind { Arc, ArcTo, Chord, Pie };
    void Arc(const QRectF& box, QPointF start, QPointF end, TArcKind kind);
    void AngleArc(QPointF centre, double radius, double startDegrees, double sweepDegrees);
    void SetPixel(QPointF point, QColor colour);
    void Text(QPointF reference, const QString& text, const std::optional<QRectF>& opaqueBox);
    // A bitmap into a logical rectangle; a null picture fills with the brush as the operation asks.
    void Bitmap(const QRectF& target, const QImage& picture, QRectF source, uint32_t rasterOp, double opacity = 1);
    void Bitmap(const TBitmapTransfer& transfer)
    {
        Bitmap(transfer.Target, transfer.Bitmap, transfer.Source, transfer.RasterOp, transfer.Opacity);
    }

    void BeginPath();
    void EndPath() { PathOpen = false; }
    void AbortPath();
    void CloseFigure();
    void FillPath() { DrawPath(true, false); }
    void StrokePath() { DrawPath(false, true); }
    void StrokeAndFillPath() { DrawPath(true, true); }
    void SelectClipPath(int mode);

    void IntersectClip(const QRectF& box);
    void ExcludeClip(const QRectF& box);
    // Region combination modes: 1 and, 2 or, 3 xor, 4 difference, 5 copy. Rectangles in device units.
    void CombineClip(const std::vector<QRectF>& deviceRects, int mode);

private:
    // What a call costs besides its pixels: setting up the painter, a font, a region.
    static constexpr double CallCost = 250;
    // Each rectangle of a region, whenever the region is set, joined or combined.
    static constexpr double RegionRectCost = 32;
    // Each element of a path cut down to the picture's surroundings.
    static constexpr double FarCost = 64;

    QTransform Transform() const;
    QTransform LogicalToDevice() const;
    double PenPixels() const;
    QPen MakePen() const;
    QBrush MakeBrush() const;
    void Prepare(const QTransform& transform);
    bool AffordArea(const QRectF& logical, double extra);
    void Paint(const QPainterPath& path, bool fill, bool stroke);
    void PaintFar(const QPainterPath& mapped, const QRectF& reach, bool fill, const QPen& pen, bool smooth);
    // Inside a path bracket a figure is kept for later instead of drawn.
    void Figure(const QPainterPath& path, bool fill, bool stroke);
    void DrawPath(bool fill, bool stroke);
    void CombineRegion(const QRegion& region, int mode);
    QPainterPath ArcPath(const QRectF& box, QPointF start, QPointF end, TArcKind kind) const;

    QImage& Picture;
    QPainter Painter;
    QTransform DeviceToPicture;
    QSizeF DevicePerMillimetre;
    TDrawingState Now;
    std::vector<TDrawingState> Saved;
    std::vector<TGdiObject> Objects;
    std::set<uint32_t> FreeObjects;
    double Budget;
    double Spent = 0;
    QPainterPath Path;
    bool PathOpen = false;
};
