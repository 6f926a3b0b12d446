#include "view/RasterOps.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace
{

constexpr uint32_t OpaqueAlpha = 0xff000000u;

bool IsThirtyTwoBit(const QImage& image)
{
    return !image.isNull() && image.depth() == 32;
}

template <TRasterOp Op>
inline void Combine(uint32_t& target, uint32_t source)
{
    if constexpr (Op == TRasterOp::Copy)
        target = source;
    else if constexpr (Op == TRasterOp::And)
        target &= source;
    else if constexpr (Op == TRasterOp::Or)
        target |= source;
    else
        target = ~source | OpaqueAlpha; // keeps the pixel opaque
}

template <TRasterOp Op>
void CopyRows(uint8_t* targetBits, qsizetype targetStride, const uint8_t* sourceBits, qsizetype sourceStride,
              int w, int h)
{
    for (int row = 0; row < h; ++row)
    {
        auto* t = reinterpret_cast<uint32_t*>(targetBits + row * targetStride);
        const auto* s = reinterpret_cast<const uint32_t*>(sourceBits + row * sourceStride);
        if constexpr (Op == TRasterOp::Copy)
        {
            std::memmove(t, s, static_cast<size_t>(w) * 4);
        }
        else
        {
            for (int col = 0; col < w; ++col)
                Combine<Op>(t[col], s[col]);
        }
    }
}

// Source index of each target pixel: the pixel under the centre of the target pixel,
// stepped exactly with a running quotient and remainder instead of a division per pixel.
struct TNearestStep
{
    int Index;
    int64_t Remainder;
    int64_t Step;
    int64_t Denominator;
    int StepIndex;

    TNearestStep(int first, int sourceSize, int targetSize)
    {
        Denominator = 2 * static_cast<int64_t>(targetSize);
        const int64_t numerator = (2 * static_cast<int64_t>(first) + 1) * sourceSize;
        Index = static_cast<int>(numerator / Denominator);
        Remainder = numerator % Denominator;
        const int64_t advance = 2 * static_cast<int64_t>(sourceSize);
        StepIndex = static_cast<int>(advance / Denominator);
        Step = advance % Denominator;
    }

    void Next()
    {
        Index += StepIndex;
        Remainder += Step;
        if (Remainder >= Denominator)
        {
            Remainder -= Denominator;
            ++Index;
        }
    }
};

template <TRasterOp Op>
void StretchRows(QImage& target, const QRect& rect, const QRect& clipped, const QImage& source)
{
    const int sourceWidth = source.width();
    const int sourceHeight = source.height();
    uint8_t* targetBits = target.bits();
    const uint8_t* sourceBits = source.constBits();
    const qsizetype targetStride = target.bytesPerLine();
    const qsizetype sourceStride = source.bytesPerLine();
    const int firstColumn = clipped.left() - rect.left();
    const int width = clipped.width();

    TNearestStep row(clipped.top() - rect.top(), sourceHeight, rect.height());
    for (int y = clipped.top(); y <= clipped.bottom(); ++y, row.Next())
    {
        auto* t = reinterpret_cast<uint32_t*>(targetBits + y * targetStride) + clipped.left();
        const auto* s = reinterpret_cast<const uint32_t*>(sourceBits + row.Index * sourceStride);
        if (sourceWidth == rect.width())
        {
            s += firstColumn;
            if constexpr (Op == TRasterOp::Copy)
                std::memcpy(t, s, static_cast<size_t>(width) * 4);
            else
                for (int x = 0; x < width; ++x)
                    Combine<Op>(t[x], s[x]);
        }
        else
        {
            TNearestStep column(firstColumn, sourceWidth, rect.width());
            for (int x = 0; x < width; ++x, column.Next())
                Combine<Op>(t[x], s[column.Index]);
        }
    }
}

} // namespace

void TRasterOps::Copy(QImage& target, int dx, int dy, const QImage& source, int sx, int sy, int w, int h,
                      TRasterOp op)
{
    if (!IsThirtyTwoBit(target) || !IsThirtyTwoBit(source) || w <= 0 || h <= 0)
        return;

    // Clip against the source, then against the target, moving both corners together.
    if (sx < 0) { dx -= sx; w += sx; sx = 0; }
    if (sy < 0) { dy -= sy; h += sy; sy = 0; }
    w = std::min(w, source.width() - sx);
    h = std::min(h, source.height() - sy);
    if (dx < 0) { sx -= dx; w += dx; dx = 0; }
    if (dy < 0) { sy -= dy; h += dy; dy = 0; }
    w = std::min(w, target.width() - dx);
    h = std::min(h, target.height() - dy);
    if (w <= 0 || h <= 0)
        return;

    uint8_t* t = target.bits() + dy * target.bytesPerLine() + dx * 4;
    const uint8_t* s = source.constBits() + sy * source.bytesPerLine() + sx * 4;
    switch (op)
    {
    case TRasterOp::Copy: CopyRows<TRasterOp::Copy>(t, target.bytesPerLine(), s, source.bytesPerLine(), w, h); break;
    case TRasterOp::And: CopyRows<TRasterOp::And>(t, target.bytesPerLine(), s, source.bytesPerLine(), w, h); break;
    case TRasterOp::Or: CopyRows<TRasterOp::Or>(t, target.bytesPerLine(), s, source.bytesPerLine(), w, h); break;
    case TRasterOp::NotSource:
        CopyRows<TRasterOp::NotSource>(t, target.bytesPerLine(), s, source.bytesPerLine(), w, h);
        break;
    }
}

void TRasterOps::Stretch(QImage& target, const QRect& rect, const QImage& source, TRasterOp op)
{
    Stretch(target, rect, source, op, target.rect());
}

void TRasterOps::Stretch(QImage& target, const QRect& rect, const QImage& source, TRasterOp op, const QRect& clip)
{
    if (!IsThirtyTwoBit(target) || !IsThirtyTwoBit(source) || rect.width() <= 0 || rect.height() <= 0)
        return;
    const QRect clipped = rect & target.rect() & clip;
    if (clipped.isEmpty())
        return;

    switch (op)
    {
    case TRasterOp::Copy: StretchRows<TRasterOp::Copy>(target, rect, clipped, source); break;
    case TRasterOp::And: StretchRows<TRasterOp::And>(target, rect, clipped, source); break;
    case TRasterOp::Or: StretchRows<TRasterOp::Or>(target, rect, clipped, source); break;
    case TRasterOp::NotSource: StretchRows<TRasterOp::NotSource>(target, rect, clipped, source); break;
    }
}

void TRasterOps::Tile(QImage& target, const QImage& source)
{
    if (!IsThirtyTwoBit(target) || !IsThirtyTwoBit(source))
        return;
    const int w = source.width();
    const int h = source.height();
    for (int r = 0; r <= target.height() / h; ++r)
        for (int c = 0; c <= target.width() / w; ++c)
            Copy(target, c * w, r * h, source, 0, 0, w, h);
}

void TRasterOps::Tile(QImage& target, const QImage& source, QPoint origin)
{
    if (!IsThirtyTwoBit(target) || !IsThirtyTwoBit(source))
        return;
    const int w = source.width();
    const int h = source.height();
    // The copies the target sees, each at its place in the tiled area.
    const int firstColumn = std::max(0, origin.x()) / w;
    const int firstRow = std::max(0, origin.y()) / h;
    const int lastColumn = (origin.x() + target.width() - 1) / w;
    const int lastRow = (origin.y() + target.height() - 1) / h;
    for (int r = firstRow; r <= lastRow; ++r)
        for (int c = firstColumn; c <= lastColumn; ++c)
            Copy(target, c * w - origin.x(), r * h - origin.y(), source, 0, 0, w, h);
}

void TRasterOps::Fill(QImage& target, const QRect& rect, QRgb colour)
{
    if (!IsThirtyTwoBit(target))
        return;
    const QRect clipped = rect & target.rect();
    if (clipped.isEmpty())
        return;
    const uint32_t pixel = colour | OpaqueAlpha;
    uint8_t* bits = target.bits();
    for (int y = clipped.top(); y <= clipped.bottom(); ++y)
    {
        auto* line = reinterpret_cast<uint32_t*>(bits + y * target.bytesPerLine());
        std::fill(line + clipped.left(), line + clipped.left() + clipped.width(), pixel);
    }
}

QImage TRasterOps::View(QImage& target, const QRect& rect)
{
    return QImage(target.bits() + rect.y() * target.bytesPerLine() + rect.x() * 4, rect.width(), rect.height(),
                  target.bytesPerLine(), target.format());
}
