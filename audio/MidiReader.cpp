#include "audio/MidiReader.h"

#include <algorithm>
#include <cstring>

namespace
{
constexpr uint32_t DefaultMicrosecondsPerQuarter = 500000; // 120 beats a minute
constexpr uint8_t MetaEvent = 0xFF;
constexpr uint8_t MetaTempo = 0x51;
constexpr uint8_t MetaEndOfTrack = 0x2F;
constexpr uint8_t SysExStart = 0xF0;
constexpr uint8_t SysExEscape = 0xF7;
constexpr long double LongestSongMicroseconds = 24.0L * 3600 * 1000000;
// Far more than any song holds; keeps a hostile file from filling the memory with empty events.
constexpr size_t MostEvents = 1 << 19;
// No second of a song that can be heard holds more; the sequencer sends about this many a second at
// most, and a song far denser would only crawl.
constexpr size_t MostEventsInASecond = 10000;

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
    size_t Offset() const { return Pos; }
    const uint8_t* Here() const { return Data + Pos; }
    bool Next(const char* tag) const { return Left() >= 4 && std::memcmp(Here(), tag, 4) == 0; }

    bool Byte(uint8_t& value)
    {
        if (AtEnd())
            return false;
        value = Data[Pos++];
        return true;
    }
    bool Peek(uint8_t& value) const
    {
        if (AtEnd())
            return false;
        value = Data[Pos];
        return true;
    }
    bool BigEndian(int bytes, uint32_t& value)
    {
        if (Left() < size_t(bytes))
            return false;
        value = 0;
        for (int i = 0; i < bytes; ++i)
            value = (value << 8) | Data[Pos++];
        return true;
    }
    bool LittleEndian32(uint32_t& value)
    {
        if (Left() < 4)
            return false;
        value = uint32_t(Data[Pos]) | uint32_t(Data[Pos + 1]) << 8 | uint32_t(Data[Pos + 2]) << 16
                | uint32_t(Data[Pos + 3]) << 24;
        Pos += 4;
        return true;
    }
    bool VariableLength(uint32_t& value)
    {
        value = 0;
        for (int i = 0; i < 4; ++i) {
            uint8_t byte = 0;
            if (!Byte(byte))
                return false;
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

class TTrackCollector
{
public:
    // Timed in ticks until the tempo map is known.
    std::vector<TMidiEvent> Events;
    std::vector<TTempoChange> Tempos;
    std::vector<uint8_t> SysEx;
    uint64_t EndTick = 0;
    bool HasNote = false;

    // Walks one track chunk; false on anything that does not belong in it.
    bool ReadTrack(TByteReader track)
    {
        uint64_t tick = 0;
        uint8_t runningStatus = 0;
        while (!track.AtEnd()) {
            uint32_t delta = 0;
            uint8_t status = 0;
            if (!track.VariableLength(delta) || !track.Peek(status))
                return false;
            tick += delta;
            if (status & 0x80)
                track.Skip(1);
            else if (runningStatus)
                status = runningStatus; // the byte seen is already the first data byte
            else
                return false;

            if (status == MetaEvent) {
                uint8_t type = 0;
                uint32_t length = 0;
                if (!track.Byte(type) || (type & 0x80) || !track.VariableLength(length) || track.Left() < length)
                    return false;
                uint32_t tempo = 0;
                if (type == MetaTempo && length == 3) {
                    track.BigEndian(3, tempo);
                    if (tempo > 0)
                        Tempos.push_back({tick, tempo});
                } else {
                    track.Skip(length);
                }
                if (type == MetaEndOfTrack)
                    break;
            } else if (status == SysExStart || status == SysExEscape) {
                uint32_t length = 0;
                if (!track.VariableLength(length) || track.Left() < length)
                    return false;
                // An escape carries raw bytes a synthesizer takes no part in.
                if (status == SysExStart && !AddSysEx(tick, track.Here(), length))
                    return false;
                track.Skip(length);
            } else if (status >= 0xF0) {
                return false; // no other system message belongs in a file
            } else if (!AddChannelMessage(tick, status, track)) {
                return false;
            } else {
                runningStatus = status;
            }
        }
        EndTick = std::max(EndTick, tick);
        return true;
    }

private:
    bool AddChannelMessage(uint64_t tick, uint8_t status, TByteReader& track)
    {
        const uint8_t kind = status & 0xF0;
        const int dataBytes = kind == 0xC0 || kind == 0xD0 ? 1 : 2;
        TMidiEvent event;
        event.Status = status;
        if (!track.Byte(event.Data1) || (dataBytes == 2 && !track.Byte(event.Data2)))
            return false;
        if ((event.Data1 | event.Data2) & 0x80)
            return false; // a status byte where a data byte belongs: the running status is broken
        if (kind == 0x90 && event.Data2 > 0)
            HasNote = true;
        return Add(tick, event);
    }

    bool AddSysEx(uint64_t tick, const uint8_t* bytes, uint32_t length)
    {
        if (length > 0 && bytes[length - 1] == SysExEscape)
            --length; // the synthesizer takes the message without its closing byte
        TMidiEvent event;
        event.Status = SysExStart;
        event.SysExOffset = uint32_t(SysEx.size());
        event.SysExLength = length;
        SysEx.insert(SysEx.end(), bytes, bytes + length);
        return Add(tick, event);
    }

    bool Add(uint64_t tick, const TMidiEvent& event)
    {
        if (Events.size() >= MostEvents)
            return false;
        Events.push_back(event);
        Events.back().Microsecond = int64_t(tick);
        return true;
    }
};

// The standard MIDI file inside a RIFF wrapper: its "data" chunk.
std::optional<TByteReader> UnwrapRiff(TByteReader riff)
{
    uint32_t length = 0;
    if (!riff.Skip(4) || !riff.LittleEndian32(length) || !riff.Next("RMID") || !riff.Skip(4))
        return std::nullopt;
    while (riff.Left() >= 8) {
        const bool isData = riff.Next("data");
        riff.Skip(4);
        riff.LittleEndian32(length);
        if (riff.Left() < length)
            return std::nullopt;
        if (isData)
            return TByteReader(riff.Here(), length);
        riff.Skip(length + (length & 1)); // chunks are padded to an even length
    }
    return std::nullopt;
}

// Times the events in microseconds with the merged tempo map; the length comes back.
long double ApplyTempos(std::vector<TMidiEvent>& events, std::vector<TTempoChange>& tempos, uint64_t endTick,
                        uint32_t division)
{
    std::stable_sort(tempos.begin(), tempos.end(),
                     [](const TTempoChange& a, const TTempoChange& b) { return a.Tick < b.Tick; });
    // Summed in tick-microseconds and divided once, so that no rounding piles up per change.
    long double tickMicroseconds = 0;
    uint64_t tick = 0;
    uint32_t tempo = DefaultMicrosecondsPerQuarter;
    size_t nextTempo = 0;
    const auto advanceTo = [&](uint64_t target) {
        for (; nextTempo < tempos.size() && tempos[nextTempo].Tick <= target; ++nextTempo) {
            tickMicroseconds += static_cast<long double>(tempos[nextTempo].Tick - tick) * tempo;
            tick = tempos[nextTempo].Tick;
            tempo = tempos[nextTempo].MicrosecondsPerQuarter;
        }
        return (tickMicroseconds + static_cast<long double>(target - tick) * tempo) / division;
    };
    for (TMidiEvent& event : events) {
        const long double microsecond = advanceTo(uint64_t(event.Microsecond)); // still the tick
        event.Microsecond = static_cast<int64_t>(std::min(microsecond, LongestSongMicroseconds) + 0.5L);
    }
    return advanceTo(endTick);
}

// The most events of any one second of the song (the events in playing order).
size_t BusiestSecond(const std::vector<TMidiEvent>& events)
{
    size_t most = 0;
    for (size_t first = 0, last = 0; last < events.size(); ++last) {
        while (events[last].Microsecond - events[first].Microsecond >= 1000000)
            ++first;
        most = std::max(most, last - first + 1);
    }
    return most;
}
} // namespace

std::optional<TMidiSong> TMidiReader::Read(const QByteArray& file)
{
    if (file.size() > LargestFileBytes)
        return std::nullopt;
    TByteReader reader(reinterpret_cast<const uint8_t*>(file.constData()), size_t(file.size()));
    if (reader.Next("RIFF")) {
        const std::optional<TByteReader> inner = UnwrapRiff(reader);
        if (!inner)
            return std::nullopt;
        reader = *inner;
    }

    uint32_t headerLength = 0;
    uint32_t format = 0;
    uint32_t trackCount = 0;
    uint32_t division = 0;
    if (!reader.Next("MThd") || !reader.Skip(4) || !reader.BigEndian(4, headerLength) || headerLength < 6
        || !reader.BigEndian(2, format) || !reader.BigEndian(2, trackCount) || !reader.BigEndian(2, division)
        || !reader.Skip(headerLength - 6))
        return std::nullopt;
    // Time in SMPTE frames is left out: no game song counts its time so.
    if (format > 2 || trackCount == 0 || division == 0 || (division & 0x8000))
        return std::nullopt;

    TTrackCollector tracks;
    // An event takes two bytes at the least; growing the list step by step costs more than its pages.
    tracks.Events.reserve(std::min(MostEvents, reader.Left() / 2));
    for (uint32_t tracksRead = 0; tracksRead < trackCount;) {
        uint32_t chunkLength = 0;
        if (reader.Left() < 8)
            return std::nullopt;
        const bool isTrack = reader.Next("MTrk");
        reader.Skip(4);
        if (!reader.BigEndian(4, chunkLength) || reader.Left() < chunkLength)
            return std::nullopt;
        if (isTrack) {
            if (!tracks.ReadTrack(TByteReader(reader.Here(), chunkLength)))
                return std::nullopt;
            ++tracksRead;
        }
        reader.Skip(chunkLength); // a chunk of another kind is passed over by its length
    }
    if (!tracks.HasNote)
        return std::nullopt;

    std::stable_sort(tracks.Events.begin(), tracks.Events.end(),
                     [](const TMidiEvent& a, const TMidiEvent& b) { return a.Microsecond < b.Microsecond; });
    const long double length = ApplyTempos(tracks.Events, tracks.Tempos, tracks.EndTick, division);
    if (length > LongestSongMicroseconds || length < 0.5L)
        return std::nullopt;
    if (BusiestSecond(tracks.Events) > MostEventsInASecond)
        return std::nullopt;

    TMidiSong song;
    song.LengthMicroseconds = static_cast<int64_t>(length + 0.5L);
    song.Events = std::move(tracks.Events);
    song.SysEx = std::move(tracks.SysEx);
    return song;
}
