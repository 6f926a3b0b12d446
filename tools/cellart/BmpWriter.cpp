#include "tools/cellart/BmpWriter.h"

#include <QByteArray>
#include <QFile>

namespace {

constexpr int FileHeaderSize = 14;
constexpr int InfoHeaderSize = 40;
constexpr int PixelsPerMetre = 2835; // 72 dots per inch

void PutU16(QByteArray& out, quint16 value)
{
    out.append(char(value & 0xFF));
    out.append(char(value >> 8));
}

void PutU32(QByteArray& out, quint32 value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.append(char((value >> shift) & 0xFF));
}

int RowStride(int width, int bitsPerPixel)
{
    return ((width * bitsPerPixel + 31) / 32) * 4;
}

QByteArray Headers(int width, int height, int bitsPerPixel, int colourCount)
{
    const quint32 pixelBytes = quint32(RowStride(width, bitsPerPixel) * height);
    const quint32 pixelOffset = quint32(FileHeaderSize + InfoHeaderSize + 4 * colourCount);
    QByteArray out;
    out.append("BM");
    PutU32(out, pixelOffset + pixelBytes);
    PutU16(out, 0);
    PutU16(out, 0);
    PutU32(out, pixelOffset);

    PutU32(out, InfoHeaderSize);
    PutU32(out, quint32(width));
    PutU32(out, quint32(height)); // positive: rows stored bottom-up
    PutU16(out, 1);
    PutU16(out, quint16(bitsPerPixel));
    PutU32(out, 0); // uncompressed
    PutU32(out, pixelBytes);
    PutU32(out, PixelsPerMetre);
    PutU32(out, PixelsPerMetre);
    PutU32(out, quint32(colourCount));
    PutU32(out, 0);
    return out;
}

bool WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(bytes) == bytes.size() && file.flush();
}

} // namespace

bool BmpWriter::WritePalettised(const QString& path, const QImage& indexed, int bitsPerPixel)
{
    if (indexed.format() != QImage::Format_Indexed8 || (bitsPerPixel != 4 && bitsPerPixel != 8))
        return false;
    const QList<QRgb> table = indexed.colorTable();
    const int maxColours = 1 << bitsPerPixel;
    if (table.isEmpty() || table.size() > maxColours)
        return false;

    const int width = indexed.width();
    const int height = indexed.height();
    QByteArray out = Headers(width, height, bitsPerPixel, int(table.size()));
    for (QRgb colour : table) {
        out.append(char(qBlue(colour)));
        out.append(char(qGreen(colour)));
        out.append(char(qRed(colour)));
        out.append(char(0));
    }

    const int stride = RowStride(width, bitsPerPixel);
    for (int y = height - 1; y >= 0; --y) {
        const uchar* line = indexed.constScanLine(y);
        QByteArray row(stride, '\0');
        for (int x = 0; x < width; ++x) {
            const int index = line[x];
            if (index >= table.size())
                return false;
            if (bitsPerPixel == 8)
                row[x] = char(index);
            else
                row[x / 2] = char(uchar(row[x / 2]) | (x % 2 == 0 ? index << 4 : index));
        }
        out.append(row);
    }
    return WriteFile(path, out);
}

bool BmpWriter::WriteTrueColour(const QString& path, const QImage& image)
{
    if (image.isNull())
        return false;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const int width = rgb.width();
    const int height = rgb.height();
    QByteArray out = Headers(width, height, 24, 0);
    const int stride = RowStride(width, 24);
    for (int y = height - 1; y >= 0; --y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        QByteArray row(stride, '\0');
        for (int x = 0; x < width; ++x) {
            row[3 * x] = char(qBlue(line[x]));
            row[3 * x + 1] = char(qGreen(line[x]));
            row[3 * x + 2] = char(qRed(line[x]));
        }
        out.append(row);
    }
    return WriteFile(path, out);
}
