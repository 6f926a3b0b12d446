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

bool TPictureLoader::Load(const QString& path, QImage& picture, QString* reason)
{
    const auto refuse = [reason](const char* why) {
        if (reason)
            *reason = QString::fromLatin1(why);
        return false;
    };
    // Opening a pipe or a device would wait for a writer that never comes, or read forever.
    const QFileInfo file(path);
    if (path.isEmpty() || !file.exists())
        return refuse("no such file");
    if (!file.isFile())
        return refuse("not a regular file (a pipe, a device or a folder)");
    bool loaded = false;
    const QString extension = Extension(path);
    if (IsJpegPath(path))
        loaded = TJpegDecoder::Decode(path, picture);
    else if (extension == QLatin1String("bmp"))
        loaded = LoadByExtension(path, "bmp", picture);
    else if (extension == QLatin1String("ico"))
        loaded = LoadByExtension(path, "ico", picture);
    else if (extension == QLatin1String("wmf") || extension == QLatin1String("emf"))
        loaded = TMetafileDecoder::Decode(path, picture);
    else
        return refuse("not a picture type the game opens (.bmp, .ico, .emf, .wmf, .jpg, .jpeg)");
    return loaded || refuse("unreadable, damaged, or larger than the game draws");
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
