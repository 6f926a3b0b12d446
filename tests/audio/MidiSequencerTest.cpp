#include "audio/AudioDevice.h"
#include "audio/MidiSequencer.h"
#include "audio/MidiSynth.h"
#include "tests/audio/AudioTestFiles.h"

#include <gtest/gtest.h>

#include <vector>

using namespace AudioTestFiles;

namespace
{
constexpr int Rate = 22050;
constexpr int BufferFrames = 512; // what the player renders at a time

// However many messages a moment of the song holds, each buffer sends only its share and the song's
// time waits for the rest; a song of a moment starts again at most four times a second.
TEST(MidiSequencer, SendsABoundedShareEachBufferAndRestartsAtMostFourTimesASecond)
{
    TMidiSynth synth;
    ASSERT_TRUE(synth.Load(TAudioDevice::FindSoundFont(TAudioDevice::DefaultSoundFontFolders()), Rate))
        << "no General MIDI soundfont installed";
    const struct
    {
        const char* Name;
        QByteArray File;
        int BuffersBeforeTimeMoves;
    } cases[] = {
        {"a song of a second", MidiSong(1.0), 1},
        {"one tick, one note", MidiBurst(TBurst::Notes, 1), 1},
        {"one tick of 3000 controller changes", MidiBurst(TBurst::Controllers, 3000), 12},
        {"one tick of 1000 notes", MidiBurst(TBurst::Notes, 1000), 8},
        {"one tick of 300 General MIDI resets", MidiBurst(TBurst::Resets, 300), 150},
        {"one tick of 300 tuning changes", MidiBurst(TBurst::Tunings, 300), 150},
    };
    std::vector<int16_t> buffer(BufferFrames * 2);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        std::optional<TMidiSong> song = TMidiReader::Read(c.File);
        ASSERT_TRUE(song);
        TMidiSequencer sequencer;
        sequencer.SetSong(std::move(*song), Rate);
        synth.Reset();
        int buffers = 0;
        while (sequencer.PassFrame() == 0 && buffers < 1000) {
            sequencer.Render(synth, buffer.data(), BufferFrames, true);
            ++buffers;
        }
        EXPECT_EQ(buffers, c.BuffersBeforeTimeMoves);

        int restarts = 0;
        for (int64_t frame = 0, last = sequencer.PassFrame(); frame < 2 * Rate; frame += BufferFrames) {
            sequencer.Render(synth, buffer.data(), BufferFrames, true);
            restarts += sequencer.PassFrame() < last;
            last = sequencer.PassFrame();
        }
        EXPECT_GE(restarts, 1);
        EXPECT_LE(restarts, 8);
    }
}
} // namespace
