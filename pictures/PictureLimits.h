#pragma once

#include <cstdint>

// Pictures larger than this are refused before decoding instead of exhausting memory.
struct TPictureLimits
{
    static constexpr int64_t MaxSide = 16384;
    static constexpr int64_t MaxPixels = 64'000'000;
    // The largest picture stored uncompressed at four bytes a pixel, with room for its headers.
    static constexpr int64_t MaxFileBytes = MaxPixels * 4 + 1024 * 1024;

    static bool Allowed(int64_t width, int64_t height)
    {
        return width > 0 && height > 0 && width <= MaxSide && height <= MaxSide && width * height <= MaxPixels;
    }
};
