#include "audio/MidiSongLength.h"
#include "tests/audio/AudioTestFiles.h"

#include <gtest/gtest.h>

#include <initializer_list>

using namespace AudioTestFiles;

namespace
{
// A standard MIDI file of the given tracks; a track is given by its event bytes.
QByteArray MidiFile(uint16_t division, std::initializer_list<QByteArray> tracks, int declaredTracks = -1)
{
    QByteArray out("MThd");
    PutBe(out, 6, 4);
    PutBe(out, 1, 2);
    PutBe(out, declaredTracks < 0 ? uint32_t(tracks.size()) : uint32_t(declaredTracks), 2);
    PutBe(out, division, 2);
    for (const QByteArray& track : tracks) {
        out.append("MTrk");
        PutBe(out, uint32_t(track.size()), 4);
        out.append(track);
    }
    return out;
}

QByteArray Bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int value : values)
        out.append(char(value));
    return out;
}

TEST(MidiSongLength, CountsToTheLastEventWithTheTempoOfEveryTrack)
{
    const QByteArray endOfTrack = Bytes({0x00, 0xFF, 0x2F, 0x00});
    // 96 ticks a quarter; 500000 us a quarter is 120 beats a minute, 1000000 us is 60.
    const QByteArray tempoMap = Bytes({0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20, 0x60, 0xFF, 0x51, 0x03, 0x0F, 0x42, 0x40}) + endOfTrack;
    const QByteArray twoQuarters = Bytes({0x00, 0x90, 0x3C, 0x40, 0x81, 0x40, 0x80, 0x3C, 0x00}) + endOfTrack;
    const QByteArray lateTempo = Bytes({0x00, 0x90, 0x3C, 0x40, 0x60, 0x80, 0x3C, 0x00, 0x60, 0xFF, 0x51, 0x03, 0x0F, 0x42, 0x40});
    const QByteArray noEndMark = Bytes({0x00, 0x90, 0x3C, 0x40, 0x60, 0x80, 0x3C, 0x00});
    // Running status, a text and a system-exclusive event between the notes.
    const QByteArray busy = Bytes({0x00, 0x90, 0x3C, 0x40, 0x30, 0x3E, 0x40, 0x00, 0xFF, 0x01, 0x03, 'a', 'b', 'c',
                                   0x00, 0xF0, 0x03, 0x7E, 0x7F, 0xF7, 0x30, 0x80, 0x3C, 0x00, 0x00, 0x3E, 0x00})
                            + endOfTrack;
    QByteArray withForeignChunk = MidiFile(96, {twoQuarters});
    withForeignChunk.insert(14, QByteArray("XTRA") + Bytes({0, 0, 0, 2, 0x12, 0x34}));

    const struct
    {
        const char* Name;
        QByteArray File;
        int64_t Microseconds;
    } cases[] = {
        {"woodblock song of 0.3 s", MidiSong(0.3), 300000},
        {"held note of 0.4 s", MidiHeldNote(0.4), 400000},
        {"two quarters at 120", MidiFile(96, {twoQuarters}), 1000000},
        {"the tempo map of the first track slows the second", MidiFile(96, {tempoMap, twoQuarters}), 1500000},
        {"the longest track ends the song", MidiFile(96, {twoQuarters, Bytes({0x60, 0xFF, 0x2F, 0x00})}), 1000000},
        {"a tempo change at the end changes nothing", MidiFile(96, {lateTempo}), 1000000},
        {"without an end mark the last event ends the track", MidiFile(96, {noEndMark}), 500000},
        {"running status, text and system exclusive", MidiFile(96, {busy}), 500000},
        {"a chunk of another kind is passed over", withForeignChunk, 1000000},
        {"time in SMPTE frames", MidiFile(0xE728, {twoQuarters}), 0},
        {"more than a day", MidiFile(1, {Bytes({0x00, 0xFF, 0x51, 0x03, 0xFF, 0xFF, 0xFF, 0x8F, 0xFF, 0xFF, 0x7F, 0xFF, 0x2F, 0x00})}), 0},
        {"fewer tracks than announced", MidiFile(96, {twoQuarters}, 2), 0},
        {"a track longer than the file", MidiFile(96, {twoQuarters}).chopped(3), 0},
        {"a data byte before any status", MidiFile(96, {Bytes({0x00, 0x3C, 0x40}) + endOfTrack}), 0},
        {"a wave file", WaveTone(100), 0},
        {"nothing", QByteArray(), 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(TMidiSongLength::Microseconds(c.File), c.Microseconds);
    }
}
} // namespace
