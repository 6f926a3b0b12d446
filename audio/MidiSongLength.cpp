#include "audio/MidiSongLength.h"

#include <algorithm>
#include <vector>

namespace
{
constexpr uint32_t DefaultMicrosecondsPerQuarter = 500000; // 120 beats a minute
constexpr uint8_t MetaEvent = 0xFF;
constexpr uint8_t MetaTempo = 0x51;
constexpr uint8_t MetaEndOfTrack = 0x2F;
// Anything longer is a garbled file rather than a song.
constexpr long double LongestSongMicroseconds = 24.0L * 3600 * 1000000;

struct TTempoChange
{
    uint64_t Tick;
    uint32_t MicrosecondsPerQuarter;
};

// Reads big-endian numbers and variable-length quantities, never past the end it was given.
class TByteReader
{
public:
    TByteReader(const uint8_t* data, size_t size)
        : Data(data)
        , Size(size)
    {
    }

    bool AtEnd() const { return Pos >= Size; }
    size_t Left() const { return Size - Pos; }
    const uint8_t* Here() const { return Data + Pos; }

    bool Peek(uint8_t& value) const
    {
        if (AtEnd())
            return false;
        value = Data[Pos];
        return true;
    }
    bool Number(int bytes, uint32_t& value)
    {
        if (Left() < size_t(bytes))
            return false;
        value = 0;
        for (int i = 0; i < bytes; ++i)
            value = (value << 8) | Data[Pos++];
        return true;
    }
    bool VariableLength(uint32_t& value)
    {
        value = 0;
        for (int i = 0; i < 4; ++i) {
            if (AtEnd())
                return false;
            const uint8_t byte = Data[Pos++];
            value = (value << 7) | (byte & 0x7F);
            if (!(byte & 0x80))
                return true;
        }
        return false; // longer than the four bytes a quantity may have
    }
    bool Skip(size_t bytes)
    {
        if (Left() < bytes)
            return false;
        Pos += bytes;
        return true;
    }

private:
    const uint8_t* Data;
    size_t Size;
    size_t Pos = 0;
};

// Walks one track; gives the tick of its last event and gathers its tempo changes.
bool ReadTrack(TByteReader track, uint64_t& endTick, std::vector<TTempoChange>& tempos)
{
    uint64_t tick = 0;
    uint8_t runningStatus = 0;
    while (!track.AtEnd()) {
        uint32_t delta = 0;
        if (!track.VariableLength(delta))
            return false;
        tick += delta;
        uint8_t status = 0;
        if (!track.Peek(status))
            return false;
        if (status & 0x80)
            track.Skip(1);
        else if (runningStatus)
            status = runningStatus; // the byte read is already the first data byte
        else
            return false;

        if (status == MetaEvent) {
            uint32_t type = 0;
            uint32_t length = 0;
            if (!track.Number(1, type) || !track.VariableLength(length) || track.Left() < length)
                return false;
            if (type == MetaTempo && length == 3) {
                uint32_t tempo = 0;
                track.Number(3, tempo);
                if (tempo > 0)
                    tempos.push_back({tick, tempo});
            } else {
                track.Skip(length);
            }
            if (type == MetaEndOfTrack)
                break;
        } else if (status == 0xF0 || status == 0xF7) {
            uint32_t length = 0;
            if (!track.VariableLength(length) || !track.Skip(length))
                return false;
        } else if (status >= 0xF0) {
            return false; // no other system message belongs in a file
        } else {
            const int dataBytes = (status & 0xF0) == 0xC0 || (status & 0xF0) == 0xD0 ? 1 : 2;
            if (!track.Skip(size_t(dataBytes)))
                return false;
            runningStatus = status;
        }
    }
    endTick = tick;
    return true;
}
} // namespace

int64_t TMidiSongLength::Microseconds(const QByteArray& file)
{
    TByteReader reader(reinterpret_cast<const uint8_t*>(file.constData()), size_t(file.size()));
    uint32_t headerLength = 0;
    uint32_t trackCount = 0;
    uint32_t division = 0;
    // The format (the two bytes after the header length) does not matter: the sequencer starts
    // every track at once.
    if (!file.startsWith("MThd") || !reader.Skip(4) || !reader.Number(4, headerLength) || headerLength < 6
        || !reader.Skip(2) || !reader.Number(2, trackCount) || !reader.Number(2, division)
        || !reader.Skip(headerLength - 6))
        return 0;
    if (division == 0 || (division & 0x8000) || trackCount == 0)
        return 0;

    std::vector<TTempoChange> tempos;
    uint64_t endTick = 0;
    uint32_t tracksRead = 0;
    while (tracksRead < trackCount) {
        uint32_t chunkLength = 0;
        if (reader.Left() < 8)
            return 0;
        const bool isTrack = std::equal(reader.Here(), reader.Here() + 4, "MTrk");
        reader.Skip(4);
        if (!reader.Number(4, chunkLength) || reader.Left() < chunkLength)
            return 0;
        if (isTrack) {
            uint64_t trackEnd = 0;
            if (!ReadTrack(TByteReader(reader.Here(), chunkLength), trackEnd, tempos))
                return 0;
            endTick = std::max(endTick, trackEnd);
            ++tracksRead;
        }
        reader.Skip(chunkLength);
    }

    std::stable_sort(tempos.begin(), tempos.end(),
                     [](const TTempoChange& a, const TTempoChange& b) { return a.Tick < b.Tick; });
    // Summed in tick-microseconds and divided once, so that no rounding piles up per change.
    long double tickMicroseconds = 0;
    uint64_t tick = 0;
    uint32_t tempo = DefaultMicrosecondsPerQuarter;
    for (const TTempoChange& change : tempos) {
        if (change.Tick >= endTick)
            break;
        tickMicroseconds += static_cast<long double>(change.Tick - tick) * tempo;
        tick = change.Tick;
        tempo = change.MicrosecondsPerQuarter;
    }
    tickMicroseconds += static_cast<long double>(endTick - tick) * tempo;
    const long double microseconds = tickMicroseconds / division;
    return microseconds <= LongestSongMicroseconds ? static_cast<int64_t>(microseconds + 0.5L) : 0;
}
