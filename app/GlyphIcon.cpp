#include "app/GlyphIcon.h"

#include <QImage>
#include <QPixmap>

QIcon GlyphIcon(const QString& path)
{
    const QImage glyph(path);
    if (glyph.isNull())
        return QIcon(path);
    QIcon icon;
    for (int times = 1; times <= 8; ++times)
        icon.addPixmap(QPixmap::fromImage(glyph.scaled(glyph.size() * times, Qt::IgnoreAspectRatio, Qt::FastTransformation)));
    return icon;
}
