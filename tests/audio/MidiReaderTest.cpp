#include "audio/MidiReader.h"
#include "tests/audio/AudioTestFiles.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

using namespace AudioTestFiles;

namespace
{
QByteArray Bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int value : values)
        out.append(char(value));
    return out;
}

QByteArray Smf(std::initializer_list<QByteArray> tracks)
{
    QByteArray out("MThd");
    PutBe(out, 6, 4);
    PutBe(out, 1, 2);
    PutBe(out, uint32_t(tracks.size()), 2);
    PutBe(out, 96, 2);
    for (const QByteArray& track : tracks) {
        out.append("MTrk");
        PutBe(out, uint32_t(track.size()), 4);
        out.append(track);
    }
    return out;
}

// "time:status" for every event, in playing order.
std::string Timeline(const TMidiSong& song)
{
    std::string out;
    for (const TMidiEvent& event : song.Events)
        out += std::to_string(event.Microsecond) + ":" + std::to_string(event.Status) + " ";
    return out;
}

TEST(MidiReader, MergesTheTracksInPlayingOrderWithTheTempoOfTheFirst)
{
    // 96 ticks a quarter; after one quarter at 120 the tempo halves to 60.
    const QByteArray tempo = Bytes({0x60, 0xFF, 0x51, 0x03, 0x0F, 0x42, 0x40, 0x00, 0xFF, 0x2F, 0x00});
    const QByteArray notes = Bytes({0x00, 0x90, 0x3C, 0x40, 0x60, 0x80, 0x3C, 0x00, 0x60, 0xC1, 0x05, 0x00, 0xFF, 0x2F, 0x00});
    const QByteArray sysEx = Bytes({0x30, 0xF0, 0x04, 0x7E, 0x7F, 0x09, 0xF7, 0x00, 0xFF, 0x2F, 0x00});
    const std::optional<TMidiSong> song = TMidiReader::Read(Smf({tempo, notes, sysEx}));
    ASSERT_TRUE(song);
    EXPECT_EQ(Timeline(*song), "0:144 250000:240 500000:128 1500000:193 ");
    EXPECT_EQ(song->LengthMicroseconds, 1500000);
    const TMidiEvent& message = song->Events[1];
    const std::vector<uint8_t> payload(song->SysEx.begin() + message.SysExOffset,
                                       song->SysEx.begin() + message.SysExOffset + message.SysExLength);
    EXPECT_EQ(payload, (std::vector<uint8_t>{0x7E, 0x7F, 0x09})) << "without its closing F7";
}

TEST(MidiReader, FindsTheSongInsideItsRiffWrapper)
{
    const QByteArray song = MidiSong(0.5);
    const auto riff = [&](const QByteArray& chunks) {
        QByteArray out("RIFF");
        PutLe(out, uint32_t(chunks.size() + 4), 4);
        return out + "RMID" + chunks;
    };
    const auto chunk = [](const char* id, const QByteArray& body) {
        QByteArray out(id);
        PutLe(out, uint32_t(body.size()), 4);
        return out + body + QByteArray(body.size() & 1, '\0');
    };
    const struct
    {
        const char* Name;
        QByteArray File;
        bool Reads;
    } cases[] = {
        {"data first", riff(chunk("data", song)), true},
        {"after an odd INFO chunk", riff(chunk("LIST", "INFOabc") + chunk("data", song)), true},
        {"no data chunk", riff(chunk("LIST", "INFO")), false},
        {"data longer than the file", riff(chunk("data", song)).chopped(2), false},
        {"not RMID", QByteArray("RIFF\x10\0\0\0WAVE", 12) + chunk("data", song), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const std::optional<TMidiSong> read = TMidiReader::Read(c.File);
        ASSERT_EQ(read.has_value(), c.Reads);
        if (read)
            EXPECT_EQ(read->LengthMicroseconds, 500000);
    }
}
} // namespace
