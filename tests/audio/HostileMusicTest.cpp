#include "audio/AudioDevice.h"
#include "audio/GameMusic.h"
#include "tests/audio/AudioTestFiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <thread>

using namespace AudioTestFiles;

namespace
{
constexpr qint64 LongestCallMs = 100;

// Every call of the window thread is timed; one that never comes back ends the test run with a
// message instead of hanging it.
class TWatchdog
{
public:
    TWatchdog()
        : Thread([this] { Watch(); })
    {
    }
    ~TWatchdog()
    {
        {
            std::lock_guard<std::mutex> lock(Mutex);
            Done = true;
        }
        Wake.notify_all();
        Thread.join();
    }

    qint64 TimedMs(const std::function<void()>& call)
    {
        QElapsedTimer timer;
        timer.start();
        Calls.fetch_add(1);
        call();
        Calls.fetch_add(1);
        return timer.elapsed();
    }

private:
    void Watch()
    {
        std::unique_lock<std::mutex> lock(Mutex);
        int64_t seen = -1;
        while (!Wake.wait_for(lock, std::chrono::seconds(5), [this] { return Done; })) {
            const int64_t now = Calls.load();
            if (now == seen && now % 2 == 1) {
                std::fputs("a call on the window thread has not come back for 5 s\n", stderr);
                std::abort();
            }
            seen = now;
        }
    }

    std::atomic<int64_t> Calls{0};
    std::mutex Mutex;
    std::condition_variable Wake;
    bool Done = false;
    std::thread Thread;
};

QByteArray Header(uint32_t length = 6, uint16_t tracks = 1)
{
    QByteArray out("MThd");
    PutBe(out, length, 4);
    PutBe(out, 1, 2);
    PutBe(out, tracks, 2);
    PutBe(out, 480, 2);
    return out.append(QByteArray(int(length) - 6, '\0'));
}

QByteArray Track(const QByteArray& events, int extraLength = 0)
{
    QByteArray out("MTrk");
    PutBe(out, uint32_t(events.size() + extraLength), 4);
    return out + events;
}

QByteArray RiffWrapped(const QByteArray& song)
{
    QByteArray out("RIFF");
    PutLe(out, uint32_t(song.size() + 12 + (song.size() & 1)), 4);
    out.append("RMIDdata");
    PutLe(out, uint32_t(song.size()), 4);
    return out + song + QByteArray(song.size() & 1, '\0');
}

const QByteArray Song = MidiSong(1.0);
const QByteArray Notes = Song.mid(22); // the events of its one track
const QByteArray EndOfTrack("\x00\xFF\x2F\x00", 4);

class HostileMusicTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Folder.isValid());
        ASSERT_TRUE(Device.EnsureMusicReady()) << "no General MIDI soundfont installed";
        Good = Folder.filePath("good.mid");
        ASSERT_TRUE(WriteFile(Good, Song));
        // The soundfont is read once, at the first music of the program; that is not under test.
        Music.StartForNewGame(true, Good);
        Music.StopAtGameOver();
    }

    // A new game with the file, a pause, a resume and the end of the music as the window sends
    // them; then the next game with a good song must play.
    void PlayGameWith(const QString& file)
    {
        EXPECT_LT(Dog.TimedMs([&] { Music.StartForNewGame(true, file); }), LongestCallMs);
        EXPECT_LT(Dog.TimedMs([&] { QTest::qWait(30); }), LongestCallMs + 30);
        EXPECT_LT(Dog.TimedMs([&] { Music.PauseWithGame(); }), LongestCallMs);
        EXPECT_LT(Dog.TimedMs([&] { Music.ResumeWithGame(true); }), LongestCallMs);
        EXPECT_LT(Dog.TimedMs([&] { Music.MediaPlayer1Notify(true, false); }), LongestCallMs);
        EXPECT_LT(Dog.TimedMs([&] { Music.StopAtGameOver(); }), LongestCallMs);
    }

    TWatchdog Dog;
    QTemporaryDir Folder;
    QString Good;
    TAudioDevice Device;
    int Messages = 0;
    TGameMusic Music{Device, [this](const QString&, const QString&) { ++Messages; }};
};

TEST_F(HostileMusicTest, EveryDamagedFileGivesTheMessageOnceAndTheGamePlaysOn)
{
    QByteArray unknownChunk = Header() + "XFIR";
    PutBe(unknownChunk, 3, 4);
    unknownChunk += QByteArray("abc") + Track(Notes);
    QByteArray brokenRunningStatus = Song;
    brokenRunningStatus[Song.indexOf(char(0x80))] = char(0x3C); // a note-off's status lost
    const struct
    {
        const char* Name;
        QByteArray File; // empty: made below
        bool Plays;
    } cases[] = {
        {"cut after the header", Song.left(14), false},
        {"cut inside the track header", Song.left(18), false},
        {"cut inside the events", Song.left(40), false},
        {"cut one byte short", Song.chopped(1), false},
        {"header only, no track", Header(), false},
        {"MThd only", "MThd", false},
        {"zero-length song", Header() + Track(QByteArray("\x00\x90\x3C\x40\x00\x80\x3C\x00", 8) + EndOfTrack), false},
        {"header chunk of odd length", Header(7) + Track(Notes), true},
        {"unknown chunk of odd length", unknownChunk, true},
        {"corrupted running status", brokenRunningStatus, false},
        {"a data byte where a status belongs", Header() + Track(QByteArray("\x00\x90\x3C\xC0", 4) + EndOfTrack), false},
        {"track chunk longer than the file", Header() + Track(Notes, 100), false},
        {"more tracks announced than found", Header(6, 3) + Track(Notes), false},
        {"meta event past its track", Header() + Track(QByteArray("\x00\xFF\x01\x7F", 4)), false},
        {"no note at all", Header() + Track(QByteArray("\x00\xC0\x13", 3) + EndOfTrack), false},
        {"a wave file", WaveTone(100), false},
        {"RIFF-wrapped song (.rmi)", RiffWrapped(Song), true},
        {"RIFF wrapper around nothing", RiffWrapped(QByteArray()), false},
        {"named pipe", {}, false},
        {"folder", {}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const QString file = Folder.filePath(QString("%1.mid").arg(&c - cases));
        if (QLatin1String(c.Name) == "named pipe")
            ASSERT_EQ(mkfifo(QFile::encodeName(file).constData(), 0600), 0);
        else if (QLatin1String(c.Name) == "folder")
            ASSERT_TRUE(QDir().mkdir(file));
        else
            ASSERT_TRUE(WriteFile(file, c.File));

        Messages = 0;
        PlayGameWith(file);
        EXPECT_EQ(Messages, c.Plays ? 0 : 1);
        if (c.Plays)
            EXPECT_EQ(Music.MediaPlayer1().LengthMs(), 1000);

        PlayGameWith(Good);
        EXPECT_EQ(Messages, c.Plays ? 0 : 1);
        Music.StartForNewGame(true, Good);
        EXPECT_EQ(Music.MediaPlayer1().Mode(), TMediaMode::Playing);
    }
}

TEST_F(HostileMusicTest, IdleMeansTheDeviceIsClosedAndASoundOpensItAtOnce)
{
    const auto closes = [&] { return QTest::qWaitFor([&] { return !Device.IsOpen(); }, 3 * TAudioDevice::LingerMs); };
    // Before the first game, while paused and after game over nothing holds the device open.
    ASSERT_TRUE(closes());
    Music.StartForNewGame(true, Good);
    EXPECT_TRUE(Device.IsOpen());
    // A quick resume finds it open; closing never waits for the audio thread to drain.
    EXPECT_LT(Dog.TimedMs([&] { Music.PauseWithGame(); }), 10);
    QTest::qWait(TAudioDevice::LingerMs / 2);
    EXPECT_TRUE(Device.IsOpen());
    EXPECT_LT(Dog.TimedMs([&] { ASSERT_TRUE(closes()); }), 2 * TAudioDevice::LingerMs);
    Device.WaitUntilClosed();
    EXPECT_LT(Dog.TimedMs([&] { Music.ResumeWithGame(true); }), 20);
    EXPECT_TRUE(Device.IsOpen());
    Music.StopAtGameOver();
    EXPECT_TRUE(closes());
}
} // namespace
