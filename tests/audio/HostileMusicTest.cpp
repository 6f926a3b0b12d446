#include "audio/AudioDevice.h"
#include "audio/GameMusic.h"
#include "audio/SoundEffects.h"
#include "tests/audio/AudioTestFiles.h"
#include "tests/support/TimeBound.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <future>
#include <thread>

using namespace AudioTestFiles;

namespace
{
constexpr qint64 LongestCallMs = TimeBoundMs(100);

// Times one call of the window thread; a call that never comes back ends the run with a message
// instead of hanging it.
qint64 TimedMs(const std::function<void()>& call)
{
    std::promise<void> back;
    std::thread watchdog([done = back.get_future()] {
        if (done.wait_for(std::chrono::seconds(5)) == std::future_status::timeout) {
            std::fputs("a call on the window thread has not come back for 5 s\n", stderr);
            std::abort();
        }
    });
    QElapsedTimer timer;
    timer.start();
    call();
    const qint64 elapsed = timer.elapsed();
    back.set_value();
    watchdog.join();
    return elapsed;
}

QByteArray Track(const QByteArray& events, int extraLength = 0)
{
    QByteArray out("MTrk");
    PutBe(out, uint32_t(events.size() + extraLength), 4);
    return out + events;
}

// One track at 480 ticks a quarter; the odd one carries a byte more.
const QByteArray Header = "MThd" + QByteArray::fromHex("00000006 0001 0001 01E0");
const QByteArray OddHeader = "MThd" + QByteArray::fromHex("00000007 0001 0001 01E0 00");
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
        ASSERT_TRUE(WriteFile(Folder.filePath("move.wav"), WaveTone(50)));
        // The soundfont is read once, at the first music of the program; that is not under test.
        Music.StartForNewGame(true, Good);
        Music.StopAtGameOver();
    }

    // A game with the file as the window plays it: start, a moment of music, pause, resume, the end
    // of the music, game over. Gives what the start left the player with.
    std::pair<TMediaMode, int64_t> PlayGameWith(const QString& file)
    {
        EXPECT_LT(TimedMs([&] { Music.StartForNewGame(true, file); }), LongestCallMs);
        const auto started = std::make_pair(Music.MediaPlayer1().Mode(), Music.MediaPlayer1().LengthMs());
        QThread::msleep(30);
        const std::function<void()> calls[] = {[] { QCoreApplication::processEvents(); },
                                               [&] { Effects.PlayEffect(TEffect::Move); },
                                               [&] { Music.PauseWithGame(); }, [&] { Music.ResumeWithGame(true); },
                                               [&] { Music.MediaPlayer1Notify(true, false); },
                                               [&] { Music.StopAtGameOver(); }};
        for (const auto& call : calls)
            EXPECT_LT(TimedMs(call), LongestCallMs);
        return started;
    }

    QTemporaryDir Folder;
    QString Good;
    TAudioDevice Device;
    int Messages = 0;
    TGameMusic Music{Device, [this](const QString&, const QString&) { ++Messages; }};
    bool SoundOn = true;
    TSoundEffects Effects{Device, SoundOn, Folder.path()};
};

TEST_F(HostileMusicTest, EveryDamagedFileGivesTheMessageOnceAndTheGamePlaysOn)
{
    QByteArray brokenRunningStatus = Song;
    brokenRunningStatus[Song.indexOf(char(0x80))] = char(0x3C); // a note-off's status lost
    const struct
    {
        const char* Name;
        QByteArray File; // the pipe and the folder are made below
        bool Plays;
        int64_t LengthMs = 1000;
    } cases[] = {
        {"cut inside the track header", Song.left(18), false},
        {"cut in its last event", Song.chopped(1), false},
        {"header only", Header, false},
        {"MThd only", "MThd", false},
        {"zero-length song", Header + Track(QByteArray("\x00\x90\x3C\x40\x00\x80\x3C\x00", 8) + EndOfTrack), false},
        {"header chunk of odd length", OddHeader + Track(Notes), true},
        {"unknown chunk of odd length", Header + "XFIR" + QByteArray::fromHex("00000003") + "abc" + Track(Notes), true},
        {"corrupted running status", brokenRunningStatus, false},
        {"track chunk longer than the file", Header + Track(Notes, 100), false},
        {"meta event past its track", Header + Track(QByteArray("\x00\xFF\x01\x7F", 4)), false},
        {"a delta time of five bytes", Header + Track(QByteArray("\x80\x80\x80\x80", 4) + Notes), false},
        {"no note at all", Header + Track(QByteArray("\x00\xC0\x13", 3) + EndOfTrack), false},
        {"one tick of 3000 controller changes", MidiBurst(TBurst::Controllers, 3000), true, 0},
        {"one tick of 1000 notes", MidiBurst(TBurst::Notes, 1000), true, 0},
        {"one tick of 300 General MIDI resets", MidiBurst(TBurst::Resets, 300), true, 0},
        {"one tick of 300 tuning changes", MidiBurst(TBurst::Tunings, 300), true, 0},
        {"one tick of 20000 controller changes", MidiBurst(TBurst::Controllers, 20000), false},
        {"ten ticks at 480 a quarter holding 50000 events", MidiBurst(TBurst::Controllers, 50000, 10, 480), false},
        {"30000 tracks of a note each", MidiManyTracks(30000), false},
        {"named pipe", {}, false},
        {"folder", {}, false},
    };
    const std::pair refused{TMediaMode::NotOpen, int64_t(0)};
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
        EXPECT_EQ(PlayGameWith(file), c.Plays ? std::pair(TMediaMode::Playing, c.LengthMs) : refused);
        EXPECT_EQ(PlayGameWith(Good), std::pair(TMediaMode::Playing, int64_t(1000)));
        EXPECT_EQ(Messages, c.Plays ? 0 : 1);
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
    EXPECT_LT(TimedMs([&] { Music.PauseWithGame(); }), 10);
    QTest::qWait(TAudioDevice::LingerMs / 2);
    EXPECT_TRUE(Device.IsOpen());
    EXPECT_LT(TimedMs([&] { ASSERT_TRUE(closes()); }), 2 * TAudioDevice::LingerMs);
    Device.WaitUntilClosed();
    EXPECT_LT(TimedMs([&] { Music.ResumeWithGame(true); }), 20);
    EXPECT_TRUE(Device.IsOpen());
    Music.StopAtGameOver();
    EXPECT_TRUE(closes());
}
TEST(DamagedSoundFontTest, TheLoadersSayNothingOnStderr)
{
    QTemporaryDir folder;
    QFile whole(TAudioDevice::FindSoundFont(TAudioDevice::DefaultSoundFontFolders()));
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly)) << "no General MIDI soundfont installed";
    const QString cut = folder.filePath("cut.sf2");
    ASSERT_TRUE(WriteFile(cut, whole.read(whole.size() / 2)));
    ASSERT_TRUE(WriteFile(folder.filePath("good.mid"), Song));
    const QString log = folder.filePath("stderr.txt");
    qputenv("SDL_SOUNDFONTS", QFile::encodeName(cut));
    const int saved = dup(STDERR_FILENO);
    std::fflush(stderr);
    ASSERT_TRUE(std::freopen(QFile::encodeName(log).constData(), "w", stderr));
    int messages = 0;
    {
        TAudioDevice device;
        TGameMusic music(device, [&](const QString&, const QString&) { ++messages; });
        for (int game = 0; game < 2; ++game) {
            music.StartForNewGame(true, folder.filePath("good.mid"));
            music.StopAtGameOver();
        }
    }
    std::fflush(stderr);
    dup2(saved, STDERR_FILENO);
    close(saved);
    qunsetenv("SDL_SOUNDFONTS");
    QFile written(log);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll().toStdString(), "");
    EXPECT_EQ(messages, 1);
}
} // namespace
