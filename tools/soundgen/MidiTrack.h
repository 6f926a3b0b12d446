#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One track of a Standard MIDI File. Events may be added in any order; they are sorted by
// time when the track is encoded.
class MidiTrack {
public:
    void AddTrackName(std::uint32_t tick, const std::string& name);
    void AddMarker(std::uint32_t tick, const std::string& text);
    void AddTempo(std::uint32_t tick, double beatsPerMinute);
    void AddTimeSignature(std::uint32_t tick, int numerator, int denominator);
    // sharpsOrFlats: negative for flats; minor selects a minor key.
    void AddKeySignature(std::uint32_t tick, int sharpsOrFlats, bool minor);

    void AddProgramChange(std::uint32_t tick, int channel, int program);
    void AddControlChange(std::uint32_t tick, int channel, int controller, int value);
    void AddNote(std::uint32_t tick, std::uint32_t length, int channel, int key, int velocity);

    // The end-of-track event goes at endTick, or after the last event if that is later.
    std::vector<std::uint8_t> Encode(std::uint32_t endTick) const;

    static void PutVariableLength(std::vector<std::uint8_t>& out, std::uint32_t value);

private:
    // At one tick, meta events come first, then set-up messages, then releases, then new notes,
    // so a note that ends where the same key starts again is not cut short.
    enum class Order { Meta, Setup, NoteOff, NoteOn };

    struct Event {
        std::uint32_t Tick;
        Order Priority;
        std::uint32_t Sequence;
        std::vector<std::uint8_t> Bytes;
    };

    void AddMeta(std::uint32_t tick, std::uint8_t type, const std::vector<std::uint8_t>& data);
    void AddEvent(std::uint32_t tick, Order priority, std::vector<std::uint8_t> bytes);

    std::vector<Event> Events;
};
