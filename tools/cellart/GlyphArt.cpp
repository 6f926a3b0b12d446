#include "tools/cellart/GlyphArt.h"

#include "cellart/CellHues.h"
#include "tools/cellart/PixelCanvas.h"

#include <cmath>

namespace {

constexpr double Pi = 3.14159265358979;

const char* const PlayRows[] = {
    "................",
    "..kk............",
    "..kLkk..........",
    "..kLLLkk........",
    "..kLeeLLkk......",
    "..kLeeeeLLkk....",
    "..kLeeeeeeLLkk..",
    "..kLeeeeeeeeLLk.",
    "..kLeeeeeeeeGGk.",
    "..kLeeeeeeGGkk..",
    "..kLeeeeGGkk....",
    "..kLeeGGkk......",
    "..kLGGkk........",
    "..kGkk..........",
    "..kk............",
    "................",
};

const char* const TrophyRows[] = {
    "................",
    "..kkkkkkkkkkkk..",
    "kkkLwyyyyyyyYkkk",
    "k.kLyyyyyyyyYk.k",
    "k.kLyyyyyyyyYk.k",
    ".kkLyyyyyyyyYkk.",
    "..kLyyyyyyyyYk..",
    "...kLyyyyyyYk...",
    "....kLyyyyYk....",
    ".....kkyYkk.....",
    "......kyYk......",
    "......kyYk......",
    ".....kLyyYk.....",
    "....kLyyyyYk....",
    "....kkkkkkkk....",
    "................",
};

const char* const CrossRows[] = {
    "ww....ww",
    "www..www",
    ".wwwwww.",
    "..wwww..",
    "..wwww..",
    ".wwwwww.",
    "www..www",
    "ww....ww",
};

const char* const QuestionRows[] = {
    ".wwww.",
    "ww..ww",
    "....ww",
    "...ww.",
    "..ww..",
    "..ww..",
    "......",
    "..ww..",
    "..ww..",
};

bool InCircle(double x, double y, double radius)
{
    return std::hypot(x - 8.0, y - 8.0) <= radius;
}

QImage CircleWithSign(const ColourTone& base, const char* const* rows, int rowCount, int left, int top)
{
    PixelCanvas canvas(GlyphArt::Size);
    canvas.Embossed([](double x, double y) { return InCircle(x, y, 6.4); }, base);
    const QRgb shadow = base.Darker(0.65).ToRgb();
    // The sign twice: a dark copy one pixel down and right, then the white one.
    if (!canvas.Rows(rows, rowCount, left + 1, top + 1, {{'w', shadow}}) ||
        !canvas.Rows(rows, rowCount, left, top, {{'w', qRgb(255, 255, 255)}}))
        return {};
    return canvas.Image();
}

} // namespace

QImage GlyphArt::NewGame()
{
    PixelCanvas canvas(Size);
    const QHash<char, QRgb> key{{'k', qRgb(0, 70, 0)}, {'L', qRgb(150, 240, 140)}, {'e', qRgb(40, 190, 40)}, {'G', qRgb(10, 120, 10)}};
    return canvas.Rows(PlayRows, Size, 0, 0, key) ? canvas.Image() : QImage();
}

QImage GlyphArt::Pause()
{
    PixelCanvas canvas(Size);
    canvas.Embossed([](double x, double y) { return y > 3 && y < 13 && ((x > 4 && x < 7) || (x > 9 && x < 12)); },
                    ColourTone{245, 150, 20});
    return canvas.Image();
}

QImage GlyphArt::HighScores()
{
    PixelCanvas canvas(Size);
    const QHash<char, QRgb> key{{'k', qRgb(90, 55, 0)}, {'L', qRgb(255, 244, 170)}, {'w', qRgb(255, 255, 255)},
                                {'y', qRgb(250, 200, 30)}, {'Y', qRgb(190, 130, 10)}};
    return canvas.Rows(TrophyRows, Size, 0, 0, key) ? canvas.Image() : QImage();
}

QImage GlyphArt::Preferences()
{
    PixelCanvas canvas(Size);
    canvas.Embossed([](double x, double y) {
        const double r = std::hypot(x - 8.0, y - 8.0);
        if (r < 2.0)
            return false; // the axle hole
        // Eight teeth around a round body.
        const double angle = std::atan2(y - 8.0, x - 8.0) + Pi / 8;
        const double withinTooth = std::fmod(angle + 2 * Pi, Pi / 4) / (Pi / 4);
        const bool tooth = withinTooth > 0.28 && withinTooth < 0.72;
        return r <= (tooth ? 6.6 : 4.9);
    }, ColourTone{170, 176, 190});
    return canvas.Image();
}

QImage GlyphArt::Exit()
{
    return CircleWithSign(ColourTone{215, 35, 30}, CrossRows, 8, 4, 4);
}

QImage GlyphArt::Help()
{
    return CircleWithSign(ColourTone{40, 95, 225}, QuestionRows, 9, 5, 3);
}

QImage GlyphArt::Mode(const QString& name)
{
    PixelCanvas canvas(Size);
    auto hue = [](int index) { return CellHues::Tone(index); };
    if (name == "single") {
        canvas.Cell(4, 4, 8, 8, hue(6));
    } else if (name == "duo") {
        canvas.Cell(2, 5, 6, 6, hue(4));
        canvas.Cell(8, 5, 6, 6, hue(5));
    } else if (name == "trio") {
        canvas.Cell(0, 5, 5, 5, hue(3));
        canvas.Cell(5, 5, 5, 5, hue(6));
        canvas.Cell(10, 5, 5, 5, hue(5));
    } else if (name == "column") {
        canvas.Cell(5, 0, 5, 5, hue(2));
        canvas.Cell(5, 5, 5, 5, hue(7));
        canvas.Cell(5, 10, 5, 5, hue(4));
    } else if (name == "quartet") {
        canvas.Cell(0, 6, 4, 4, hue(1));
        canvas.Cell(4, 6, 4, 4, hue(2));
        canvas.Cell(8, 6, 4, 4, hue(5));
        canvas.Cell(12, 6, 4, 4, hue(6));
    } else if (name == "row") {
        // A piece as wide as the well, between its two walls.
        const QRgb wall = qRgb(150, 150, 160);
        for (int y = 2; y < Size; ++y) {
            canvas.Put(0, y, wall);
            canvas.Put(Size - 1, y, wall);
        }
        canvas.Cell(1, 5, 5, 5, hue(3));
        canvas.Cell(6, 5, 4, 5, hue(4));
        canvas.Cell(10, 5, 5, 5, hue(6));
    } else {
        // Pieces of one to three cells as this mode deals them, settled in a staircase on a
        // clear ground like the other modes' pictures.
        canvas.Cell(2, 10, 4, 4, hue(1));
        canvas.Cell(6, 10, 4, 4, hue(2));
        canvas.Cell(10, 10, 4, 4, hue(3));
        canvas.Cell(6, 6, 4, 4, hue(5));
        canvas.Cell(10, 6, 4, 4, hue(4));
        canvas.Cell(10, 2, 4, 4, hue(7));
    }
    return canvas.Image();
}

std::vector<NamedGlyph> GlyphArt::All()
{
    std::vector<NamedGlyph> glyphs{
        {"newgame", NewGame()}, {"pause", Pause()}, {"highscores", HighScores()},
        {"preferences", Preferences()}, {"exit", Exit()}, {"help", Help()},
    };
    for (const char* mode : {"single", "duo", "trio", "column", "quartet", "row", "pelmo"})
        glyphs.push_back({mode, Mode(mode)});
    for (const NamedGlyph& g : glyphs)
        if (g.Image.isNull() || g.Image.size() != QSize(Size, Size))
            return {};
    return glyphs;
}
