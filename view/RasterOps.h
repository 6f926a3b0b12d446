#pragma once

#include <QImage>
#include <QRect>

// How a transfer combines the source pixel s with the target pixel d.
enum class TRasterOp
{
    Copy,      // d := s
    And,       // d := d AND s
    Or,        // d := d OR s
    NotSource, // d := NOT s
};

// Whole-rectangle block transfers on 32-bit images (Format_RGB32), clipped to both images.
// They never allocate, so the cell drawing can run while a piece falls.
// Images of another depth are left alone.
class TRasterOps
{
public:
    // Unscaled: the rectangle (sx, sy, w, h) of source onto the target at (dx, dy).
    static void Copy(QImage& target, int dx, int dy, const QImage& source, int sx, int sy, int w, int h,
                     TRasterOp op = TRasterOp::Copy);

    // Scaled: the whole source onto the target rectangle, nearest pixel (no blending).
    // Parts of the rectangle outside the target are cut off without shifting the rest.
    static void Stretch(QImage& target, const QRect& rect, const QImage& source,
                        TRasterOp op = TRasterOp::Copy);
    // The same, changing only the target's pixels inside clip.
    static void Stretch(QImage& target, const QRect& rect, const QImage& source, TRasterOp op, const QRect& clip);

    // Repeats the whole source from the target's top-left corner, one extra copy
    // overhanging the right and bottom edges.
    static void Tile(QImage& target, const QImage& source);
    // The same for a target that is a window onto a larger tiled area: its pixel (0, 0) lies at
    // origin in that area, whose tiles start at (0, 0).
    static void Tile(QImage& target, const QImage& source, QPoint origin);

    static void Fill(QImage& target, const QRect& rect, QRgb colour);

    // The pixels of rect (inside a 32-bit target) as an image of their own, sharing target's
    // memory: what is drawn on it lands in target.
    static QImage View(QImage& target, const QRect& rect);
};
