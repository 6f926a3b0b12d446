#pragma once

// Windows and enhanced metafiles made on the spot, record by record, so that each test shows
// exactly what the reader is given.

#include <QByteArray>
#include <QRect>
#include <QString>

#include <cstdint>
#include <initializer_list>

namespace MetafileTestFiles
{

inline void PutLe(QByteArray& out, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.append(char((value >> (8 * i)) & 0xFF));
}

// A colour as the files keep it: red in the low byte.
constexpr uint32_t Ref(int red, int green, int blue)
{
    return uint32_t(red) | uint32_t(green) << 8 | uint32_t(blue) << 16;
}

inline QByteArray Words(std::initializer_list<int> words)
{
    QByteArray out;
    for (int word : words)
        PutLe(out, uint32_t(word), 2);
    return out;
}

inline QByteArray Longs(std::initializer_list<int64_t> values)
{
    QByteArray out;
    for (int64_t value : values)
        PutLe(out, uint32_t(value), 4);
    return out;
}

// A 24-bit bottom-up DIB of w x h pixels, given top row first (0xRRGGBB).
inline QByteArray Dib(int w, int h, std::initializer_list<uint32_t> topDown, bool withBits = true)
{
    QByteArray out = Longs({40, w, h}) + Words({1, 24}) + Longs({0, 0, 0, 0, 0, 0});
    const int stride = (w * 3 + 3) / 4 * 4;
    const uint32_t* pixels = topDown.begin();
    for (int row = h - 1; row >= 0 && withBits; --row)
    {
        QByteArray line;
        for (int x = 0; x < w; ++x)
            PutLe(line, pixels[row * w + x], 3); // blue, green, red in the file
        out += line.leftJustified(stride, '\0');
    }
    return out;
}

// Records of a Windows metafile; parameters in 16-bit words as the format lists them.
struct TWmf
{
    QByteArray Records;
    int Objects = 8;

    TWmf& Add(uint16_t function, const QByteArray& parameters)
    {
        PutLe(Records, uint32_t(3 + parameters.size() / 2), 4);
        PutLe(Records, function, 2);
        Records += parameters;
        return *this;
    }
    TWmf& Add(uint16_t function, std::initializer_list<int> words) { return Add(function, Words(words)); }

    QByteArray Plain() const
    {
        QByteArray out = Words({1, 9, 0x0300});
        PutLe(out, uint32_t((18 + Records.size() + 6) / 2), 4);
        out += Words({Objects});
        PutLe(out, 0, 4);
        out += Words({0});
        return out + Records + Words({3, 0, 0});
    }

    QByteArray Placeable(QRect box, int inch) const
    {
        QByteArray out = Longs({0x9AC6CDD7}) + Words({0, box.left(), box.top(), box.right() + 1, box.bottom() + 1, inch});
        PutLe(out, 0, 4);
        return out + Words({0}) + Plain();
    }
};

// Records of an enhanced metafile; parameters in 32-bit values. The header makes one device
// pixel one picture pixel in a picture of Size pixels.
struct TEmf
{
    QByteArray Records;
    QSize Size{96, 96};
    int Handles = 8;

    TEmf& Add(uint32_t type, const QByteArray& parameters)
    {
        PutLe(Records, type, 4);
        PutLe(Records, uint32_t(8 + parameters.size()), 4);
        Records += parameters;
        return *this;
    }
    TEmf& Add(uint32_t type, std::initializer_list<int64_t> values) { return Add(type, Longs(values)); }

    QByteArray Bytes() const
    {
        // 960 device pixels on 254 millimetres: 96 to the inch, as the picture.
        const int w = Size.width();
        const int h = Size.height();
        QByteArray header = Longs({1, 88, 0, 0, w - 1, h - 1, 0, 0, w * 2540 / 96, h * 2540 / 96, 0x464D4520, 0x10000,
                                   88 + Records.size() + 20, 0}) +
                            Words({Handles, 0}) + Longs({0, 0, 0, 960, 960, 254, 254});
        return header + Records + Longs({14, 20, 0, 16, 20});
    }
};

} // namespace MetafileTestFiles
