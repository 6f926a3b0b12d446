#pragma once

#include <QImage>
#include <QPoint>
#include <array>

// The seven cell pictures of the chosen skin and size, the four dissolve masks, and the one
// routine that draws a cell or a dissolve frame of it.
// Everything is kept as 32-bit images so the drawing is plain bitwise block transfers.
class TCellImages
{
public:
    static constexpr int ColourCount = 7;
    static constexpr int StepCount = 4;

    // Loads colour 1..7 of a skin by name; a skin outside 1..4 leaves all seven empty.
    // MaskImage follows the size of the first picture.
    void LoadCellImages(int skin, int cellWidth);
    void LoadSolveImages(int cellWidth);

    // Colour 1..7 of a skin and the four masks drawn for cells of width x height pixels by the
    // code that made the built-in pictures; a mask's pattern pixel is unit x unit.
    void MakeCellImages(int skin, int width, int height);
    void MakeSolveImages(int width, int height, int unit);

    // Cells of blockWidth x blockHeight shown at deviceWidth x deviceHeight pixels: the built-in
    // pictures when the two agree, pictures drawn for the device's own pixels otherwise.
    void Prepare(int skin, int blockWidth, int blockHeight, int deviceWidth, int deviceHeight, int maskUnit);

    // Gives MaskImage the size of CellImages entry 1 (0 x 0 when that is empty).
    void ResizeMaskImage();

    // Replace one picture; used after Preferences and by stand-ins. Call ResizeMaskImage after
    // changing entry 1.
    void SetCellImage(int colour, const QImage& image);
    void SetSolveImage(int step, const QImage& image);

    const QImage& CellImage(int colour) const;
    const QImage& SolveImage(int step) const;
    const QImage& MaskImage() const { return Mask; }

    // The well background that dissolve frames and erased cells show, and where the well's
    // top-left corner lies on the surfaces those are drawn on (the window).
    // A tiled background is one period of it, repeated from the well's corner.
    void SetWellBackground(const QImage* wellBackground, QPoint wellOrigin, bool tiled = false);

    // Step 0 draws the cell (colour 0 draws nothing), steps 1..4 the dissolve frames, 5 and above
    // the bare well background. x and y are in the coordinates of the target.
    void DrawCell(QImage& target, int x, int y, int w, int h, int colour, int step);
    // The same with the well standing at wellOrigin on this target.
    void DrawCell(QImage& target, QPoint wellOrigin, int x, int y, int w, int h, int colour, int step);
    // The well background onto rect of target, the well's corner lying at wellOrigin there.
    void CopyBackground(QImage& target, const QRect& rect, QPoint wellOrigin) const;

private:
    static QImage LoadResource(const QString& name);
    bool DissolveInOnePass(QImage& target, const QRect& rect, QPoint wellOrigin, const QImage& solve, int colour) const;

    std::array<QImage, ColourCount + 1> CellImages;
    std::array<QImage, StepCount + 1> SolveImages;
    QImage Mask;
    QImage Empty;
    const QImage* WellBackground = nullptr;
    bool BackgroundTiled = false;
    QPoint WellOrigin;
};
