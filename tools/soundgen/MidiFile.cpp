#include "tools/soundgen/MidiFile.h"

#include <fstream>
#include <utility>

namespace {

void PutBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes)
{
    for (int i = bytes - 1; i >= 0; --i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void PutText(std::vector<std::uint8_t>& out, const char* text)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(text[i]));
}

} // namespace

void MidiFile::AddTrack(MidiTrack track)
{
    Tracks.push_back(std::move(track));
}

std::vector<std::uint8_t> MidiFile::Encode() const
{
    std::vector<std::uint8_t> out;
    PutText(out, "MThd");
    PutBigEndian(out, 6, 4);
    PutBigEndian(out, 1, 2); // format 1: simultaneous tracks
    PutBigEndian(out, static_cast<std::uint32_t>(Tracks.size()), 2);
    PutBigEndian(out, static_cast<std::uint32_t>(TicksPerQuarter), 2);
    for (const MidiTrack& track : Tracks) {
        const std::vector<std::uint8_t> body = track.Encode(EndTick);
        PutText(out, "MTrk");
        PutBigEndian(out, static_cast<std::uint32_t>(body.size()), 4);
        out.insert(out.end(), body.begin(), body.end());
    }
    return out;
}

bool MidiFile::Write(const std::string& path) const
{
    const std::vector<std::uint8_t> bytes = Encode();
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}
