#include "pictures/PictureLoader.h"

#include "pictures/JpegDecoder.h"
#include "pictures/MetafileDecoder.h"
#include "pictures/PictureLimits.h"
#include "pictures/RegularFile.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>

#include <optional>

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
    const QString extension = Extension(path);
    const bool metafile = extension == QLatin1String("wmf") || extension == QLatin1String("emf");
    const bool byReader = extension == QLatin1String("bmp") || extension == QLatin1String("ico");
    if (!IsJpegPath(path) && !metafile && !byReader)
        return false;
    // Opened without blocking and checked on the open file, so a pipe or a device never gets read.
    const std::optional<QByteArray> bytes =
        ReadRegularFile(path, metafile ? TMetafileDecoder::MaxFileBytes : TPictureLimits::MaxFileBytes);
    if (!bytes)
        return false;
    if (metafile)
        return TMetafileDecoder::DecodeBytes(*bytes, picture);
    if (byReader)
        return LoadByExtension(*bytes, extension.toLatin1(), picture);
    return TJpegDecoder::Decode(*bytes, picture);
}

bool TPictureLoader::LoadByExtension(const QByteArray& bytes, const QByteArray& format, QImage& picture)
{
    QBuffer file;
    file.setData(bytes);
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
