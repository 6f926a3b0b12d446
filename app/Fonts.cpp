#include "Fonts.h"

#include <QStringList>

namespace
{
QFont MakeFont(const QStringList& families, QFont::StyleHint hint, int pixelSize, bool bold)
{
    QFont font;
    font.setFamilies(families);
    font.setStyleHint(hint);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}
} // namespace

QFont SansFont(int pixelSize, bool bold)
{
    return MakeFont({"MS Sans Serif", "Microsoft Sans Serif", "Liberation Sans", "Arial", "DejaVu Sans"},
                    QFont::SansSerif, pixelSize, bold);
}

QFont SerifFont(int pixelSize, bool bold)
{
    return MakeFont({"Times New Roman", "Liberation Serif", "DejaVu Serif"}, QFont::Serif, pixelSize, bold);
}
