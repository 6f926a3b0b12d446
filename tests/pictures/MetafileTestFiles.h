#pragma once

// Windows and enhanced metafiles made on the spot, record by record, so that each test shows
// exactly what the reader is given.

#include <QByteArray>
#include <QRect>

#include <cstdint>
#include <initializer_list>

namespace MetafileTestFiles
{

// Each value in the given number of bytes, low byte first.
inline QByteArray Le(int bytes, std::initializer_list<int64_t> values)
{
    QByteArray out;
    for (int64_t value : values)
        for (int i = 0; i < bytes; ++i)
            out.append(char((value >> (8 * i)) & 0xFF));
    return out;
}
inline QByteArray Words(std::initializer_list<int64_t> words) { return Le(2, words); }
inline QByteArray Longs(std::initializer_list<int64_t> values) { return Le(4, values); }

// A colour as the files keep it: red in the low byte.
constexpr uint32_t Ref(int red, int green, int blue)
{
    return uint32_t(red) | uint32_t(green) << 8 | uint32_t(blue) << 16;
}

// Records of a Windows metafile; parameters in 16-bit words as the format lists them.
struct TWmf
{
    QByteArray Records;
    int Objects = 8;

    TWmf& Add(uint16_t function, const QByteArray& parameters)
    {
        Records += Longs({3 + parameters.size() / 2}) + Words({function}) + parameters;
        return *this;
    }
    TWmf& Add(uint16_t function, std::initializer_list<int64_t> words) { return Add(function, Words(words)); }
    // A solid brush or pen made and selected from the first free place.
    TWmf& Brush(uint32_t ref) { return Add(0x02FC, {0, ref & 0xFFFF, ref >> 16, 0}).Add(0x012D, {0}); }
    TWmf& Pen(int width, uint32_t ref) { return Add(0x02FA, {0, width, 0, ref & 0xFFFF, ref >> 16}).Add(0x012D, {0}); }

    QByteArray Plain() const
    {
        return Words({1, 9, 0x0300}) + Longs({(18 + Records.size() + 6) / 2}) + Words({Objects}) + Longs({0}) +
               Words({0}) + Records + Words({3, 0, 0});
    }
    QByteArray Placeable(QRect box = QRect(0, 0, 96, 96), int inch = 96) const
    {
        return Longs({0x9AC6CDD7}) + Words({0, box.left(), box.top(), box.right() + 1, box.bottom() + 1, inch}) +
               Longs({0}) + Words({0}) + Plain();
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
        Records += Longs({type, 8 + parameters.size()}) + parameters;
        return *this;
    }
    TEmf& Add(uint32_t type, std::initializer_list<int64_t> values) { return Add(type, Longs(values)); }
    TEmf& Brush(uint32_t ref) { return Add(39, {1, 0, ref, 0}).Add(37, {1}); }
    TEmf& Pen(int width, uint32_t ref) { return Add(38, {2, 0, width, 0, ref}).Add(37, {2}); }

    QByteArray Bytes() const
    {
        // 960 device pixels on 254 millimetres: 96 to the inch, as the picture.
        const int w = Size.width();
        const int h = Size.height();
        return Longs({1, 88, 0, 0, w - 1, h - 1, 0, 0, w * 2540 / 96, h * 2540 / 96, 0x464D4520, 0x10000,
                      88 + Records.size() + 20, 0}) +
               Words({Handles, 0}) + Longs({0, 0, 0, 960, 960, 254, 254}) + Records + Longs({14, 20, 0, 16, 20});
    }
};

} // namespace MetafileTestFiles
