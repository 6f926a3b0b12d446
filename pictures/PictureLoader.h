#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// Opens the picture files chosen as backgrounds: ".jpg" and ".jpeg" in any case through libjpeg,
// ".bmp" and ".ico" by their extension, ".wmf" and ".emf" through our own metafile reader; every other extension, and any file that cannot be read
// or decoded, fails. Pictures with transparent parts keep their alpha channel.
class TPictureLoader
{
public:
    static bool IsJpegPath(const QString& path);
    static bool Load(const QString& path, QImage& picture);

private:
    static bool LoadByExtension(const QByteArray& bytes, const QByteArray& format, QImage& picture);
};
