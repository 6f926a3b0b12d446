#include "tools/soundgen/WavWriter.h"

#include "tools/soundgen/StereoBuffer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <vector>

namespace {

void PutText(std::vector<std::uint8_t>& out, const char* text)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(text[i]));
}

void PutLittleEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

std::int16_t ToPcm(double sample)
{
    return static_cast<std::int16_t>(std::lround(std::clamp(sample, -1.0, 1.0) * 32767.0));
}

} // namespace

bool WavWriter::Write(const std::string& path, const StereoBuffer& sound)
{
    constexpr int Channels = 2;
    constexpr int BytesPerSample = 2;
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(sound.Frames()) * Channels * BytesPerSample;

    std::vector<std::uint8_t> out;
    out.reserve(44 + dataBytes);
    PutText(out, "RIFF");
    PutLittleEndian(out, 36 + dataBytes, 4);
    PutText(out, "WAVE");
    PutText(out, "fmt ");
    PutLittleEndian(out, 16, 4);
    PutLittleEndian(out, 1, 2); // integer PCM
    PutLittleEndian(out, Channels, 2);
    PutLittleEndian(out, StereoBuffer::SampleRate, 4);
    PutLittleEndian(out, StereoBuffer::SampleRate * Channels * BytesPerSample, 4);
    PutLittleEndian(out, Channels * BytesPerSample, 2);
    PutLittleEndian(out, BytesPerSample * 8, 2);
    PutText(out, "data");
    PutLittleEndian(out, dataBytes, 4);
    for (int i = 0; i < sound.Frames(); ++i) {
        PutLittleEndian(out, static_cast<std::uint16_t>(ToPcm(sound.Left(i))), 2);
        PutLittleEndian(out, static_cast<std::uint16_t>(ToPcm(sound.Right(i))), 2);
    }

    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    return static_cast<bool>(file);
}
