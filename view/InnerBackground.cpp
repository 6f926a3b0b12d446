#include "view/InnerBackground.h"

#include "view/PictureFill.h"
#include "view/RasterOps.h"

void TInnerBackground::Clear()
{
    Picture = QImage();
    Tiled = false;
}

void TInnerBackground::SetColour(QRgb colour)
{
    Tiled = true;
    Picture = QImage(64, 64, QImage::Format_RGB32);
    TRasterOps::Fill(Picture, Picture.rect(), colour);
}

void TInnerBackground::SetPicture(const QImage& picture, QSize well, bool tile, bool stretchedUnder)
{
    const bool repeats = tile && picture.width() > 0 && picture.height() > 0;
    if (repeats && !picture.hasAlphaChannel() && picture.depth() == 32)
    {
        Tiled = true;
        Picture = picture;
        return;
    }
    Tiled = false;
    if (Picture.size() != well || Picture.isNull())
    {
        Picture = QImage(well, QImage::Format_RGB32);
        Picture.fill(Qt::black);
    }
    if (stretchedUnder)
        TPictureFill::Draw(Picture, picture, false);
    TPictureFill::Draw(Picture, picture, repeats);
}
