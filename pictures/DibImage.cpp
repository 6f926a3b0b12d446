#include "pictures/DibImage.h"

#include "pictures/MetafileBytes.h"
#include "pictures/PictureLimits.h"

#include <QtEndian>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace
{

constexpr uint32_t CoreHeaderBytes = 12;
constexpr uint32_t InfoHeaderBytes = 40;
constexpr uint32_t BitFields = 3;
constexpr uint32_t EmbeddedJpeg = 4;
constexpr uint32_t EmbeddedPng = 5;

} // namespace

int64_t TDibImage::InfoBytes(TMetafileBytes& info)
{
    const uint32_t headerBytes = info.U32(0);
    if (headerBytes == CoreHeaderBytes)
    {
        const int bitCount = info.U16(10);
        return headerBytes + (bitCount <= 8 ? 3 * (int64_t(1) << bitCount) : 0);
    }
    if (headerBytes < InfoHeaderBytes || info.Failed())
        return -1;
    const int bitCount = info.U16(14);
    const uint32_t compression = info.U32(16);
    const uint32_t used = info.U32(32);
    int64_t colours = used != 0 ? used : (bitCount <= 8 ? int64_t(1) << bitCount : 0);
    if (bitCount <= 8 && colours > 256)
        return -1;
    int64_t bytes = headerBytes + 4 * colours;
    if (compression == BitFields && headerBytes == InfoHeaderBytes)
        bytes += 12; // the three colour masks follow a plain info header
    return bytes;
}

QImage TDibImage::Decode(TMetafileBytes info, TMetafileBytes bits)
{
    const uint32_t headerBytes = info.U32(0);
    const bool core = headerBytes == CoreHeaderBytes;
    const int64_t width = core ? info.U16(4) : info.I32(4);
    const int64_t height = core ? info.U16(6) : info.I32(8);
    const uint32_t compression = core ? 0 : info.U32(16);
    if (info.Failed() || !TPictureLimits::Allowed(std::llabs(width), std::llabs(height)))
        return {};
    if (compression == EmbeddedJpeg || compression == EmbeddedPng)
    {
        const QByteArray data(bits.At(0), bits.Length());
        const QImage image = QImage::fromData(data, compression == EmbeddedJpeg ? "JPEG" : "PNG");
        return TPictureLimits::Allowed(image.width(), image.height()) ? image : QImage();
    }
    const int64_t infoBytes = InfoBytes(info);
    if (infoBytes < 0 || infoBytes > info.Length())
        return {};
    // Uncompressed rows must all be there; a tiny file must not make a huge empty picture.
    const int bitCount = core ? info.U16(10) : info.U16(14);
    const int64_t stride = (std::llabs(width) * bitCount + 31) / 32 * 4;
    if ((compression == 0 || compression == BitFields) && stride * std::llabs(height) > bits.Length())
        return {};

    // Qt reads these bitmaps once they carry the file header that BMP files start with.
    QByteArray file(14, '\0');
    const uint32_t fileBytes = static_cast<uint32_t>(14 + infoBytes + bits.Length());
    file[0] = 'B';
    file[1] = 'M';
    qToLittleEndian<uint32_t>(fileBytes, file.data() + 2);
    qToLittleEndian<uint32_t>(static_cast<uint32_t>(14 + infoBytes), file.data() + 10);
    file.append(info.At(0), infoBytes);
    file.append(bits.At(0), bits.Length());
    return QImage::fromData(file, "BMP");
}

QImage TDibImage::DecodeWithAlpha(TMetafileBytes info, TMetafileBytes bits)
{
    if (info.U32(0) < InfoHeaderBytes || info.U16(14) != 32 || info.U32(16) != 0 || info.Failed())
        return Decode(info, bits);
    const int64_t width = std::llabs(int64_t(info.I32(4)));
    const bool bottomUp = info.I32(8) > 0;
    const int64_t height = std::llabs(int64_t(info.I32(8)));
    if (!TPictureLimits::Allowed(width, height) || width * height * 4 > bits.Length())
        return {};
    QImage image(int(width), int(height), QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return {};
    for (int y = 0; y < height; ++y)
    {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        std::memcpy(line, bits.At((bottomUp ? height - 1 - y : y) * width * 4), size_t(width) * 4);
        for (int x = 0; x < width; ++x)
        {
            // Colour above its coverage is no premultiplied pixel; it is held to it.
            const int a = qAlpha(line[x]);
            line[x] = qRgba(std::min(qRed(line[x]), a), std::min(qGreen(line[x]), a), std::min(qBlue(line[x]), a), a);
        }
    }
    return image;
}

QRectF TDibImage::SourceFromTop(TMetafileBytes info, QRectF source, int pictureHeight)
{
    const bool bottomUp = info.U32(0) == CoreHeaderBytes || info.I32(8) > 0;
    if (bottomUp && !info.Failed())
        source.moveTop(pictureHeight - source.top() - source.height());
    return source;
}

int64_t TDibImage::DeclaredPixels(TMetafileBytes info)
{
    const bool core = info.U32(0) == CoreHeaderBytes;
    const int64_t width = core ? info.U16(4) : info.I32(4);
    const int64_t height = core ? info.U16(6) : info.I32(8);
    return info.Failed() ? 0 : std::llabs(width) * std::llabs(height);
}

QImage TDibImage::DecodePacked(TMetafileBytes packed)
{
    const int64_t infoBytes = InfoBytes(packed);
    if (infoBytes < 0 || infoBytes > packed.Length())
        return {};
    return Decode(packed.Slice(0, infoBytes), packed.Slice(infoBytes, packed.Length() - infoBytes));
}
