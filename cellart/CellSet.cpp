#include "cellart/CellSet.h"

#include "cellart/CellHues.h"
#include "cellart/DissolveMaskArt.h"
#include "cellart/NumberTileArt.h"
#include "cellart/PaletteQuantiser.h"
#include "cellart/PyramidTileArt.h"
#include "cellart/SolidTileArt.h"

namespace {

struct CellSize
{
    int Width;
    int Height;
    QString Suffix;    // of the pyramid and number names
    QString MaskName;  // of the dissolve masks
};

const CellSize Sizes[] = {
    {44, 37, "", "SOLVELARGE"},
    {34, 29, "M", "SOLVEMEDIUM"},
    {26, 22, "S", "SOLVESMALL"},
};

} // namespace

std::vector<NamedCell> CellSet::All()
{
    std::vector<NamedCell> cells;
    for (int n = 1; n <= CellHues::Count; ++n) {
        const QString index = QString::number(n);
        cells.push_back({"SOLID" + index, SolidTileArt::Classic(n), 4});
        cells.push_back({"SOLID256" + index,
                         PaletteQuantiser::ToIndexed(SolidTileArt::Shaded(SolidTileArt::LargeWidth, SolidTileArt::LargeHeight, n), 256), 8});
        for (const CellSize& size : Sizes) {
            cells.push_back({"PYRAMID" + size.Suffix + index,
                             PaletteQuantiser::ToIndexed(PyramidTileArt::Render(size.Width, size.Height, n), 256), 8});
            cells.push_back({"NUMBER" + size.Suffix + index,
                             PaletteQuantiser::ToIndexed(NumberTileArt::Render(size.Width, size.Height, n), 256), 8});
        }
    }
    for (const CellSize& size : Sizes)
        for (int step = 1; step <= 4; ++step)
            cells.push_back({size.MaskName + QString::number(step), DissolveMaskArt::Render(step, size.Width, size.Height), 4});
    return cells;
}
