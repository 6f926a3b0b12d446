#include "tools/cellart/ArtWriter.h"

#include "tools/cellart/BmpWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

QString ArtWriter::Path(const QString& relativePath) const
{
    return QDir(Root).filePath(relativePath);
}

bool ArtWriter::Prepare(const QString& relativePath)
{
    return QDir().mkpath(QFileInfo(Path(relativePath)).absolutePath());
}

bool ArtWriter::ReadsBackAs(const QString& relativePath, const QImage& expected)
{
    const QImage back(Path(relativePath));
    bool same = !back.isNull() && back.size() == expected.size();
    if (same) {
        const bool alpha = expected.hasAlphaChannel();
        const QImage a = expected.convertToFormat(alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
        const QImage b = back.convertToFormat(alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
        for (int y = 0; same && y < a.height(); ++y)
            for (int x = 0; same && x < a.width(); ++x)
                same = a.pixel(x, y) == b.pixel(x, y);
    }
    if (!same)
        std::fprintf(stderr, "CellArt: %s does not read back as written\n", qPrintable(relativePath));
    else
        ++Count;
    return same;
}

bool ArtWriter::Palettised(const QString& relativePath, const QImage& indexed, int bitsPerPixel)
{
    if (!Prepare(relativePath) || !BmpWriter::WritePalettised(Path(relativePath), indexed, bitsPerPixel)) {
        std::fprintf(stderr, "CellArt: cannot write %s\n", qPrintable(relativePath));
        return false;
    }
    const QImage back(Path(relativePath));
    if (back.format() != QImage::Format_Indexed8 || back.colorTable() != indexed.colorTable()) {
        std::fprintf(stderr, "CellArt: %s lost its palette\n", qPrintable(relativePath));
        return false;
    }
    return ReadsBackAs(relativePath, indexed);
}

bool ArtWriter::TrueColourBmp(const QString& relativePath, const QImage& image)
{
    if (!Prepare(relativePath) || !BmpWriter::WriteTrueColour(Path(relativePath), image)) {
        std::fprintf(stderr, "CellArt: cannot write %s\n", qPrintable(relativePath));
        return false;
    }
    return ReadsBackAs(relativePath, image.convertToFormat(QImage::Format_RGB32));
}

bool ArtWriter::Png(const QString& relativePath, const QImage& image)
{
    if (!Prepare(relativePath) || !image.save(Path(relativePath), "PNG")) {
        std::fprintf(stderr, "CellArt: cannot write %s\n", qPrintable(relativePath));
        return false;
    }
    return ReadsBackAs(relativePath, image);
}

bool ArtWriter::Raw(const QString& relativePath, const QByteArray& bytes)
{
    QFile file(Path(relativePath));
    if (!Prepare(relativePath) || !file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "CellArt: cannot write %s\n", qPrintable(relativePath));
        return false;
    }
    ++Count;
    return true;
}
