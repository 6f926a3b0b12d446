#pragma once

#include <QByteArray>
#include <QPointF>
#include <QString>
#include <QtEndian>

#include <bit>
#include <cstdint>

// Little-endian reads inside one record. A read past the record's end sets Failed and returns 0,
// so a record handler reads all its fields first and checks Failed once.
class TMetafileBytes
{
public:
    TMetafileBytes(const char* data, qsizetype size) : Data(data), Size(size) {}

    qsizetype Length() const { return Size; }
    const char* At(qsizetype offset) const { return Data + offset; }
    bool Failed() const { return Broken; }
    void Fail() { Broken = true; }

    // True when [offset, offset + count) lies inside the record.
    bool Holds(int64_t offset, int64_t count) const
    {
        return offset >= 0 && count >= 0 && offset <= Size && count <= Size - offset;
    }

    uint32_t U32(qsizetype offset) { return Read<uint32_t>(offset); }
    int32_t I32(qsizetype offset) { return Read<int32_t>(offset); }
    uint16_t U16(qsizetype offset) { return Read<uint16_t>(offset); }
    int16_t I16(qsizetype offset) { return Read<int16_t>(offset); }
    uint8_t U8(qsizetype offset) { return Read<uint8_t>(offset); }
    float F32(qsizetype offset) { return std::bit_cast<float>(Read<uint32_t>(offset)); }

    QPointF Point32(qsizetype offset) { return QPointF(I32(offset), I32(offset + 4)); }
    // UTF-16 text of count units, stored low byte first whatever the machine reading it.
    QString Utf16(qsizetype offset, qsizetype count)
    {
        if (!Holds(offset, 2 * int64_t(count)))
        {
            Broken = true;
            return {};
        }
        QString text(count, Qt::Uninitialized);
        qFromLittleEndian<char16_t>(Data + offset, count, text.data());
        return text;
    }
    QPointF Point16(qsizetype offset) { return QPointF(I16(offset), I16(offset + 2)); }

    TMetafileBytes Slice(qsizetype offset, qsizetype count)
    {
        if (!Holds(offset, count))
        {
            Broken = true;
            return TMetafileBytes(Data, 0);
        }
        return TMetafileBytes(Data + offset, count);
    }

private:
    template <typename T>
    T Read(qsizetype offset)
    {
        if (!Holds(offset, sizeof(T)))
        {
            Broken = true;
            return T{};
        }
        return qFromLittleEndian<T>(Data + offset);
    }

    const char* Data;
    qsizetype Size;
    bool Broken = false;
};
