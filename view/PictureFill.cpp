#include "view/PictureFill.h"

#include "view/RasterOps.h"

#include <QPainter>

void TPictureFill::Draw(QImage& target, const QImage& picture, bool tile)
{
    if (target.isNull())
        return;
    if (!picture.hasAlphaChannel())
    {
        if (tile)
            TRasterOps::Tile(target, picture);
        else
            TRasterOps::Stretch(target, target.rect(), picture);
        return;
    }
    QPainter painter(&target);
    if (!tile)
    {
        painter.drawImage(target.rect(), picture);
        return;
    }
    for (int r = 0; r <= target.height() / picture.height(); ++r)
        for (int c = 0; c <= target.width() / picture.width(); ++c)
            painter.drawImage(QPoint(c * picture.width(), r * picture.height()), picture);
}
