#pragma once

#include "cellart/CellSet.h"

#include <QImage>
#include <vector>

// Enlarged overviews of the art for judging it by eye; never shipped.
class ContactSheet
{
public:
    // All cells in rows, each enlarged `zoom` times with nearest-pixel scaling.
    static QImage Cells(const std::vector<NamedCell>& cells, int zoom);
    // A texture repeated 3 x 3, to show its seams (or their absence).
    static QImage Tiled(const QImage& texture);
    // A mock-up of the game: four small wells, one per skin, with settled cells on the inner
    // texture, framed and set on the outer texture. `skins` holds seven cells per skin.
    static QImage Scene(const QImage& outer, const QImage& inner, const std::vector<std::vector<QImage>>& skins);
    // Pictures side by side on a mid-grey ground, enlarged.
    static QImage Strip(const std::vector<QImage>& pictures, int zoom, QRgb ground);
};
