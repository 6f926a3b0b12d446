#include "view/CellImages.h"

#include "cellart/CellArt.h"
#include "view/CellNames.h"
#include "view/RasterOps.h"

QImage TCellImages::LoadResource(const QString& name)
{
    const QImage image(TCellNames::ResourcePath(name));
    if (image.isNull())
        return {};
    return image.convertToFormat(QImage::Format_RGB32);
}

void TCellImages::LoadCellImages(int skin, int cellWidth)
{
    for (int colour = 1; colour <= ColourCount; ++colour)
    {
        const QString name = TCellNames::CellImageName(skin, cellWidth, colour);
        CellImages[colour] = name.isEmpty() ? QImage() : LoadResource(name);
    }
    ResizeMaskImage();
}

void TCellImages::LoadSolveImages(int cellWidth)
{
    for (int step = 1; step <= StepCount; ++step)
        SolveImages[step] = LoadResource(TCellNames::SolveImageName(cellWidth, step));
}

void TCellImages::MakeCellImages(int skin, int width, int height)
{
    for (int colour = 1; colour <= ColourCount; ++colour)
        CellImages[colour] = TCellArt::Cell(skin, colour, width, height);
    ResizeMaskImage();
}

void TCellImages::MakeSolveImages(int width, int height, int unit)
{
    for (int step = 1; step <= StepCount; ++step)
        SolveImages[step] = TCellArt::Mask(step, width, height, unit);
}

void TCellImages::Prepare(int skin, int blockWidth, int blockHeight, int deviceWidth, int deviceHeight, int maskUnit)
{
    if (blockWidth == deviceWidth && blockHeight == deviceHeight)
    {
        LoadCellImages(skin, blockWidth);
        LoadSolveImages(blockWidth);
        return;
    }
    MakeCellImages(skin, deviceWidth, deviceHeight);
    MakeSolveImages(deviceWidth, deviceHeight, maskUnit);
}

void TCellImages::ResizeMaskImage()
{
    const QSize size = CellImages[1].size();
    if (Mask.size() == size && !Mask.isNull())
        return;
    Mask = size.isEmpty() ? QImage() : QImage(size, QImage::Format_RGB32);
}

void TCellImages::SetCellImage(int colour, const QImage& image)
{
    if (colour < 1 || colour > ColourCount)
        return;
    CellImages[colour] = image.isNull() ? QImage() : image.convertToFormat(QImage::Format_RGB32);
}

void TCellImages::SetSolveImage(int step, const QImage& image)
{
    if (step < 1 || step > StepCount)
        return;
    SolveImages[step] = image.isNull() ? QImage() : image.convertToFormat(QImage::Format_RGB32);
}

const QImage& TCellImages::CellImage(int colour) const
{
    return colour >= 1 && colour <= ColourCount ? CellImages[colour] : Empty;
}

const QImage& TCellImages::SolveImage(int step) const
{
    return step >= 1 && step <= StepCount ? SolveImages[step] : Empty;
}

void TCellImages::SetWellBackground(const QImage* wellBackground, QPoint wellOrigin, bool tiled)
{
    WellBackground = wellBackground;
    WellOrigin = wellOrigin;
    BackgroundTiled = tiled;
}

void TCellImages::CopyBackground(QImage& target, const QRect& rect, QPoint wellOrigin) const
{
    if (!BackgroundTiled)
    {
        TRasterOps::Copy(target, rect.x(), rect.y(), *WellBackground, rect.x() - wellOrigin.x(),
                         rect.y() - wellOrigin.y(), rect.width(), rect.height());
        return;
    }
    const QRect clipped = rect & target.rect();
    if (clipped.isEmpty() || target.depth() != 32 || WellBackground->isNull())
        return;
    QImage part = TRasterOps::View(target, clipped);
    TRasterOps::Tile(part, *WellBackground, clipped.topLeft() - wellOrigin);
}

void TCellImages::DrawCell(QImage& target, int x, int y, int w, int h, int colour, int step)
{
    DrawCell(target, WellOrigin, x, y, w, h, colour, step);
}

void TCellImages::DrawCell(QImage& target, QPoint wellOrigin, int x, int y, int w, int h, int colour, int step)
{
    const QRect rect(x, y, w, h);
    if (step <= 0)
    {
        // Colour 0 and pictures that were never loaded draw nothing.
        TRasterOps::Stretch(target, rect, CellImage(colour));
        return;
    }

    const QImage* solveImage = step <= StepCount ? &SolveImages[step] : nullptr;
    if (solveImage && WellBackground && DissolveInOnePass(target, rect, wellOrigin, *solveImage, colour))
        return;
    if (WellBackground)
        CopyBackground(target, rect, wellOrigin);
    if (step > StepCount)
        return;

    const QImage& solve = SolveImages[step];
    if (solve.isNull())
        return;
    // Black where the mask keeps the cell, background where it lets the well through...
    TRasterOps::Stretch(target, rect, solve, TRasterOp::And);
    // ...then the cell's own pixels where the mask is black, black elsewhere, ORed on top.
    TRasterOps::Stretch(Mask, Mask.rect(), solve, TRasterOp::NotSource);
    if (colour != 0)
        TRasterOps::Copy(Mask, 0, 0, CellImage(colour), 0, 0, Mask.width(), Mask.height(), TRasterOp::And);
    TRasterOps::Stretch(target, rect, Mask, TRasterOp::Or);
}

// The usual case, everything at the cell's own size and inside the images: the passes below
// folded into one, each pixel background AND mask, OR cell AND NOT mask, with the same result.
bool TCellImages::DissolveInOnePass(QImage& target, const QRect& rect, QPoint wellOrigin, const QImage& solve,
                                    int colour) const
{
    const QImage& cell = CellImage(colour);
    const QRect inBackground = rect.translated(-wellOrigin);
    if (solve.size() != rect.size() || Mask.size() != rect.size() || (colour != 0 && cell.size() != rect.size())
        || !target.rect().contains(rect) || target.depth() != 32
        || (!BackgroundTiled && !WellBackground->rect().contains(inBackground))
        || solve.depth() != 32 || WellBackground->depth() != 32 || (colour != 0 && cell.depth() != 32))
        return false;
    // A repeated background is laid into the cell first and read back from there.
    if (BackgroundTiled)
        CopyBackground(target, rect, wellOrigin);
    constexpr uint32_t opaque = 0xff000000u;
    for (int row = 0; row < rect.height(); ++row)
    {
        auto* t = reinterpret_cast<uint32_t*>(target.scanLine(rect.y() + row)) + rect.x();
        const auto* b = BackgroundTiled ? t
                                        : reinterpret_cast<const uint32_t*>(
                                              WellBackground->constScanLine(inBackground.y() + row))
                                              + inBackground.x();
        const auto* m = reinterpret_cast<const uint32_t*>(solve.constScanLine(row));
        const auto* c = colour != 0 ? reinterpret_cast<const uint32_t*>(cell.constScanLine(row)) : nullptr;
        for (int x = 0; x < rect.width(); ++x)
            t[x] = (b[x] & m[x]) | ((~m[x] | opaque) & (c ? c[x] : 0xffffffffu));
    }
    return true;
}
