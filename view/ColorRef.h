#pragma once

#include <QColor>
#include <cstdint>

// Stored colours keep red in the low byte: 0x00BBGGRR.
inline QRgb RgbFromColorRef(uint32_t colour)
{
    return qRgb(static_cast<int>(colour & 0xff), static_cast<int>((colour >> 8) & 0xff),
                static_cast<int>((colour >> 16) & 0xff));
}
