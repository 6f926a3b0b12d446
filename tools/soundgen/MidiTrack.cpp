#include "tools/soundgen/MidiTrack.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace {

constexpr std::uint8_t MetaStatus = 0xFF;

std::uint8_t DataByte(int value)
{
    if (value < 0 || value > 127)
        throw std::out_of_range("MIDI data byte out of range: " + std::to_string(value));
    return static_cast<std::uint8_t>(value);
}

std::uint8_t Status(int kind, int channel)
{
    if (channel < 0 || channel > 15)
        throw std::out_of_range("MIDI channel out of range: " + std::to_string(channel));
    return static_cast<std::uint8_t>(kind | channel);
}

} // namespace

void MidiTrack::AddTrackName(std::uint32_t tick, const std::string& name)
{
    AddMeta(tick, 0x03, std::vector<std::uint8_t>(name.begin(), name.end()));
}

void MidiTrack::AddMarker(std::uint32_t tick, const std::string& text)
{
    AddMeta(tick, 0x06, std::vector<std::uint8_t>(text.begin(), text.end()));
}

void MidiTrack::AddTempo(std::uint32_t tick, double beatsPerMinute)
{
    const auto microseconds = static_cast<std::uint32_t>(std::lround(60'000'000.0 / beatsPerMinute));
    AddMeta(tick, 0x51,
        {static_cast<std::uint8_t>(microseconds >> 16), static_cast<std::uint8_t>(microseconds >> 8),
            static_cast<std::uint8_t>(microseconds)});
}

void MidiTrack::AddTimeSignature(std::uint32_t tick, int numerator, int denominator)
{
    int power = 0;
    while ((1 << power) < denominator)
        ++power;
    // 24 clocks per metronome click, 8 thirty-seconds per quarter note.
    AddMeta(tick, 0x58, {DataByte(numerator), DataByte(power), 24, 8});
}

void MidiTrack::AddKeySignature(std::uint32_t tick, int sharpsOrFlats, bool minor)
{
    AddMeta(tick, 0x59, {static_cast<std::uint8_t>(static_cast<std::int8_t>(sharpsOrFlats)), static_cast<std::uint8_t>(minor ? 1 : 0)});
}

void MidiTrack::AddProgramChange(std::uint32_t tick, int channel, int program)
{
    AddEvent(tick, Order::Setup, {Status(0xC0, channel), DataByte(program)});
}

void MidiTrack::AddControlChange(std::uint32_t tick, int channel, int controller, int value)
{
    AddEvent(tick, Order::Setup, {Status(0xB0, channel), DataByte(controller), DataByte(value)});
}

void MidiTrack::AddNote(std::uint32_t tick, std::uint32_t length, int channel, int key, int velocity)
{
    if (length == 0)
        return;
    AddEvent(tick, Order::NoteOn, {Status(0x90, channel), DataByte(key), DataByte(std::clamp(velocity, 1, 127))});
    AddEvent(tick + length, Order::NoteOff, {Status(0x80, channel), DataByte(key), 64});
}

void MidiTrack::AddMeta(std::uint32_t tick, std::uint8_t type, const std::vector<std::uint8_t>& data)
{
    std::vector<std::uint8_t> bytes = {MetaStatus, type};
    PutVariableLength(bytes, static_cast<std::uint32_t>(data.size()));
    bytes.insert(bytes.end(), data.begin(), data.end());
    AddEvent(tick, Order::Meta, std::move(bytes));
}

void MidiTrack::AddEvent(std::uint32_t tick, Order priority, std::vector<std::uint8_t> bytes)
{
    Events.push_back({tick, priority, static_cast<std::uint32_t>(Events.size()), std::move(bytes)});
}

std::vector<std::uint8_t> MidiTrack::Encode(std::uint32_t endTick) const
{
    std::vector<Event> sorted = Events;
    std::sort(sorted.begin(), sorted.end(), [](const Event& a, const Event& b) {
        if (a.Tick != b.Tick)
            return a.Tick < b.Tick;
        if (a.Priority != b.Priority)
            return a.Priority < b.Priority;
        return a.Sequence < b.Sequence;
    });

    std::vector<std::uint8_t> out;
    std::uint32_t now = 0;
    std::uint8_t runningStatus = 0;
    for (const Event& event : sorted) {
        PutVariableLength(out, event.Tick - now);
        now = event.Tick;
        const std::uint8_t status = event.Bytes.front();
        if (status == MetaStatus) {
            runningStatus = 0; // a meta event cancels running status
            out.insert(out.end(), event.Bytes.begin(), event.Bytes.end());
        } else if (status == runningStatus) {
            out.insert(out.end(), event.Bytes.begin() + 1, event.Bytes.end());
        } else {
            runningStatus = status;
            out.insert(out.end(), event.Bytes.begin(), event.Bytes.end());
        }
    }
    PutVariableLength(out, std::max(endTick, now) - now);
    out.insert(out.end(), {MetaStatus, 0x2F, 0x00});
    return out;
}

void MidiTrack::PutVariableLength(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    if (value > 0x0FFFFFFF)
        throw std::out_of_range("MIDI variable-length quantity too large");
    std::uint8_t groups[4];
    int count = 0;
    do {
        groups[count++] = static_cast<std::uint8_t>(value & 0x7F);
        value >>= 7;
    } while (value != 0);
    while (count > 1)
        out.push_back(static_cast<std::uint8_t>(groups[--count] | 0x80));
    out.push_back(groups[0]);
}
