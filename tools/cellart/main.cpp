// CellArt: draws the game's built-in pictures into the source tree.
//   CellArt <source root> [preview folder]
// writes resources/cells, resources/icon, resources/glyphs and data/texture1.bmp,
// data/texture2.bmp under the root; with a preview folder also enlarged contact sheets.
#include "tools/cellart/ArtWriter.h"
#include "cellart/CellSet.h"
#include "tools/cellart/ContactSheet.h"
#include "tools/cellart/GlyphArt.h"
#include "tools/cellart/IconArt.h"
#include "tools/cellart/TextureArt.h"

#include <QDir>
#include <QGuiApplication>
#include <cstdio>

namespace {

bool WriteCells(ArtWriter& out, const std::vector<NamedCell>& cells)
{
    bool ok = true;
    for (const NamedCell& cell : cells)
        ok = out.Palettised("resources/cells/" + cell.Name + ".bmp", cell.Image, cell.BitsPerPixel) && ok;
    return ok;
}

bool WriteTextures(ArtWriter& out, const QImage& outer, const QImage& inner)
{
    const bool first = out.TrueColourBmp("data/texture1.bmp", outer);
    const bool second = out.TrueColourBmp("data/texture2.bmp", inner);
    return first && second;
}

const char* const SkinPrefixes[] = {"SOLID256", "SOLID", "PYRAMID", "NUMBER"};

const int IconSizes[] = {16, 24, 32, 48, 64, 128, 256};

// The 32-pixel icon is the window's and the About box's; the others serve the desktop.
bool WriteIcons(ArtWriter& out)
{
    bool ok = true;
    for (int size : IconSizes) {
        const QString name = size == 32 ? QString("pelmo2000.png") : QString("pelmo2000-%1.png").arg(size);
        ok = out.Png("resources/icon/" + name, IconArt::Render(size)) && ok;
    }
    const QByteArray ico = IconArt::IcoFile({IconArt::Render(16), IconArt::Render(32), IconArt::Render(48)});
    return out.Raw("resources/icon/pelmo2000.ico", ico) && ok;
}

bool WriteGlyphs(ArtWriter& out, const std::vector<NamedGlyph>& glyphs)
{
    if (glyphs.empty()) {
        std::fprintf(stderr, "CellArt: a menu picture is malformed\n");
        return false;
    }
    bool ok = true;
    for (const NamedGlyph& glyph : glyphs)
        ok = out.Png("resources/glyphs/" + glyph.Name + ".png", glyph.Image) && ok;
    return ok;
}

bool WritePreviews(const QString& folder, const std::vector<NamedCell>& cells, const QImage& outer, const QImage& inner,
                   const std::vector<NamedGlyph>& glyphs)
{
    ArtWriter preview(folder);
    bool ok = preview.Png("cells.png", ContactSheet::Cells(cells, 4));
    ok = preview.Png("texture1-tiled.png", ContactSheet::Tiled(outer)) && ok;
    ok = preview.Png("texture2-tiled.png", ContactSheet::Tiled(inner)) && ok;
    std::vector<QImage> pictures;
    for (const NamedGlyph& glyph : glyphs)
        pictures.push_back(glyph.Image);
    ok = preview.Png("glyphs-dark.png", ContactSheet::Strip(pictures, 4, qRgb(40, 44, 56))) && ok;
    ok = preview.Png("glyphs-light.png", ContactSheet::Strip(pictures, 4, qRgb(212, 208, 200))) && ok;
    std::vector<std::vector<QImage>> skins(4);
    for (const NamedCell& cell : cells)
        for (size_t s = 0; s < 4; ++s)
            if (cell.Name.size() == QString(SkinPrefixes[s]).size() + 1 && cell.Name.startsWith(SkinPrefixes[s]))
                skins[s].push_back(cell.Image);
    ok = preview.Png("scene.png", ContactSheet::Scene(outer, inner, skins)) && ok;
    std::vector<QImage> icons;
    for (int size : {16, 32, 48, 64, 128})
        icons.push_back(IconArt::Render(size));
    ok = preview.Png("icons.png", ContactSheet::Strip(icons, 2, qRgb(40, 44, 56))) && ok;
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: CellArt <source root> [preview folder]\n");
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    if (!QDir(root).exists("resources") || !QDir(root).exists("data")) {
        std::fprintf(stderr, "CellArt: %s has no resources and data folders\n", argv[1]);
        return 2;
    }

    const std::vector<NamedCell> cells = CellSet::All();
    const QImage outer = TextureArt::OuterMarble();
    const QImage inner = TextureArt::InnerDepth();

    const std::vector<NamedGlyph> glyphs = GlyphArt::All();

    ArtWriter out(root);
    bool ok = WriteCells(out, cells);
    ok = WriteTextures(out, outer, inner) && ok;
    ok = WriteIcons(out) && ok;
    ok = WriteGlyphs(out, glyphs) && ok;
    if (argc >= 3)
        ok = WritePreviews(QString::fromLocal8Bit(argv[2]), cells, outer, inner, glyphs) && ok;

    std::printf("CellArt: %d files written\n", out.Written());
    return ok ? 0 : 1;
}
