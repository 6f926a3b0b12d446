#include "view/PictureLoader.h"

#include "view/JpegDecoder.h"
#include "view/MetafileDecoder.h"
#include "view/PictureLimits.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace
{

QString Extension(const QString& path)
{
    return QFileInfo(path).suffix().toLower();
}

} // namespace

bool TPictureLoader::IsJpegPath(const QString& path)
{
    const QString extension = Extension(path);
    return extension == QLatin1String("jpg") || extension == QLatin1String("jpeg");
}

bool TPictureLoader::Load(const QString& path, QImage& picture)
{
    // Opening a pipe or a device would wait for a writer that never comes, or read forever.
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return false;
    if (IsJpegPath(path))
        return TJpegDecoder::Decode(path, picture);

    const QString extension = Extension(path);
    if (extension == QLatin1String("bmp"))
        return LoadByExtension(path, "bmp", picture);
    if (extension == QLatin1String("ico"))
        return LoadByExtension(path, "ico", picture);
    if (extension == QLatin1String("wmf") || extension == QLatin1String("emf"))
        return TMetafileDecoder::Decode(path, picture);
    return false;
}

bool TPictureLoader::LoadByExtension(const QString& path, const QByteArray& format, QImage& picture)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QImageReader reader(&file, format);
    reader.setAutoDetectImageFormat(false);
    const QSize announced = reader.size();
    if (announced.isValid() && !TPictureLimits::Allowed(announced.width(), announced.height()))
        return false;

    QImage image;
    if (!reader.read(&image) || !TPictureLimits::Allowed(image.width(), image.height()))
        return false;
    picture = image.hasAlphaChannel() ? image.convertToFormat(QImage::Format_ARGB32_Premultiplied)
                                      : image.convertToFormat(QImage::Format_RGB32);
    return !picture.isNull();
}
