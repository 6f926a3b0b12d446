#include "audio/MidiReader.h"
#include "tests/audio/AudioTestFiles.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

using namespace AudioTestFiles;

namespace
{
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
    const QByteArray tempo = QByteArray::fromHex("60 FF51030F4240 00FF2F00");
    const QByteArray notes = QByteArray::fromHex("00 903C40 60 803C00 60 C105 00FF2F00");
    const QByteArray sysEx = QByteArray::fromHex("30 F0047E7F09F7 00 F0044110 42F7 00FF2F00");
    const std::optional<TMidiSong> song = TMidiReader::Read(Smf({tempo, notes, sysEx}));
    ASSERT_TRUE(song);
    EXPECT_EQ(Timeline(*song), "0:144 250000:240 250000:240 500000:128 1500000:193 ");
    EXPECT_EQ(song->LengthMicroseconds, 1500000);
    const auto payload = [&](const TMidiEvent& message) {
        const auto first = song->SysEx.begin() + message.SysExOffset;
        return std::vector(first, first + message.SysExLength);
    };
    EXPECT_EQ(payload(song->Events[1]), (std::vector<uint8_t>{0x7E, 0x7F, 0x09})) << "without its closing F7";
    EXPECT_EQ(payload(song->Events[2]), (std::vector<uint8_t>{0x41, 0x10, 0x42}));
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
        EXPECT_EQ(read ? read->LengthMicroseconds : 0, c.Reads ? 500000 : 0);
    }
}
} // namespace
