#include "audio/AudioDevice.h"
#include "audio/GameMusic.h"
#include "core/Settings.h"
#include "tests/audio/AudioTestFiles.h"
#include "tests/audio/MixerOutputMonitor.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <utility>
#include <vector>

using namespace AudioTestFiles;

namespace
{
using TMessage = std::pair<QString, QString>; // title, text
const TMessage CannotPlay{"Pelmo 2000", "Cannot play MIDI file."};
// Playing and pausing at once may let the mixer render a buffer or two in between.
constexpr int64_t StartMargin = 150;

class GameMusicTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Folder.isValid());
        SongA = Folder.filePath("a.mid");
        SongB = Folder.filePath("b.mid");
        ShortSong = Folder.filePath("short.mid");
        HeldSong = Folder.filePath("held.mid");
        ASSERT_TRUE(WriteFile(SongA, MidiSong(3.0)));
        ASSERT_TRUE(WriteFile(SongB, MidiSong(3.0)));
        // Played to its end, the synthesizer lets a song ring on for about two seconds after its last note.
        ASSERT_TRUE(WriteFile(ShortSong, MidiSong(0.3)));
        ASSERT_TRUE(WriteFile(HeldSong, MidiHeldNote(0.4)));
        ASSERT_TRUE(Device.EnsureMusicReady()) << "no General MIDI soundfont installed";
        Settings.MusicOn = true;
        Settings.MusicFile = SongA.toStdString();
        // Wired as the game window does.
        QObject::connect(&Music.MediaPlayer1(), &TMediaPlayer::Notify, [this] {
            ++Notifications;
            Music.MediaPlayer1Notify(Settings.MusicOn, GameStopped);
        });
    }

    TMediaPlayer& Player() { return Music.MediaPlayer1(); }
    int64_t Position() { return Player().PositionMs(); }
    bool WaitForPosition(int64_t ms) { return WaitWithoutEvents([&] { return Position() >= ms; }, 3000); }
    void NewGame(const QString& file)
    {
        GameStopped = false;
        Music.StartForNewGame(Settings.MusicOn, file);
    }

    QTemporaryDir Folder;
    QString SongA;
    QString SongB;
    QString ShortSong;
    QString HeldSong;
    TAudioDevice Device;
    TSettings Settings;
    bool GameStopped = true;
    int Notifications = 0;
    std::vector<TMessage> Messages;
    TGameMusic Music{Device, [this](const QString& title, const QString& text) { Messages.emplace_back(title, text); }};
};

TEST_F(GameMusicTest, EveryNewGameStartsTheMusicFromTheBeginning)
{
    NewGame(SongA);
    EXPECT_EQ(Player().Mode(), TMediaMode::Playing);
    EXPECT_EQ(Player().FileName(), SongA);
    ASSERT_TRUE(WaitForPosition(600));

    NewGame(SongA);
    EXPECT_EQ(Player().Mode(), TMediaMode::Playing);
    EXPECT_LT(Position(), 300);
    EXPECT_TRUE(Messages.empty());
}

TEST_F(GameMusicTest, WithMusicOffANewGameLeavesThePlayerAlone)
{
    Settings.MusicOn = false;
    NewGame(SongA);
    EXPECT_EQ(Player().Mode(), TMediaMode::NotOpen);
    EXPECT_EQ(Player().FileName(), "");
    EXPECT_TRUE(Messages.empty());
}

TEST_F(GameMusicTest, PausingTwiceDoesNothingMoreAndResumeContinues)
{
    NewGame(SongA);
    ASSERT_TRUE(WaitForPosition(300));

    Music.PauseWithGame();
    EXPECT_EQ(Player().Mode(), TMediaMode::Paused);
    const int64_t held = Position();
    // Focus loss while already paused.
    Music.PauseWithGame();
    EXPECT_EQ(Player().Mode(), TMediaMode::Paused);
    QThread::msleep(150);
    EXPECT_EQ(Position(), held);

    Music.ResumeWithGame(true);
    EXPECT_EQ(Player().Mode(), TMediaMode::Playing);
    ASSERT_TRUE(WaitWithoutEvents([&] { return Position() > held; }, 2000));
    EXPECT_GE(Position(), held);
    QTest::qWait(20);
    EXPECT_EQ(Notifications, 0);
}

TEST_F(GameMusicTest, ResumeWithMusicOffLeavesItPaused)
{
    NewGame(SongA);
    Music.PauseWithGame();
    Music.ResumeWithGame(false);
    EXPECT_EQ(Player().Mode(), TMediaMode::Paused);
}

TEST_F(GameMusicTest, LoopsWithoutASilenceWhileAGameRunsAndFallsSilentAtGameOver)
{
    TMixerOutputMonitor output;
    ASSERT_TRUE(output.IsValid());
    const int64_t pass = int64_t(output.SampleRate()) * 400 / 1000;
    const int64_t start = output.Frames();
    NewGame(HeldSong);
    // Two seams and on into the third pass.
    ASSERT_TRUE(QTest::qWaitFor([&] { return output.Frames() >= start + 2 * pass + pass / 2; }, 5000));
    EXPECT_EQ(Player().Mode(), TMediaMode::Playing);
    EXPECT_EQ(Notifications, 0);
    EXPECT_LT(output.Milliseconds(output.LongestSilence()), LongestSeamSilenceMs);
    const int64_t mixed = output.Frames(); // read first: the mixer goes on meanwhile
    EXPECT_GE(output.LastSound(), mixed - 64) << "still sounding";
    EXPECT_LE(Position(), 400) << "counted within the pass";

    // Game over: the state is stopped first, and the music plays on while the name is asked for.
    GameStopped = true;
    QTest::qWait(50);
    EXPECT_EQ(Player().Mode(), TMediaMode::Playing);
    Music.StopAtGameOver();
    EXPECT_EQ(Player().Mode(), TMediaMode::Stopped);
    // The halt is heard of, nothing sounds again, and the idle device closes until the next game.
    const int64_t heard = output.SoundingFrames();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Device.IsOpen(); }, 3 * TAudioDevice::LingerMs));
    Device.WaitUntilClosed();
    EXPECT_EQ(Notifications, 1);
    EXPECT_EQ(output.SoundingFrames(), heard);
    EXPECT_EQ(Player().Mode(), TMediaMode::Stopped);
    EXPECT_TRUE(Messages.empty());
}

TEST_F(GameMusicTest, MusicThatEndsAllTheSameDuringAGameStartsAgainFromItsBeginning)
{
    // As with a synthesizer that cannot loop: the end comes as a notification.
    Player().SetLooping(false);
    NewGame(ShortSong);
    ASSERT_TRUE(WaitForPosition(250));
    ASSERT_TRUE(QTest::qWaitFor([&] { return Notifications >= 1; }, 6000));
    EXPECT_EQ(Notifications, 1);
    EXPECT_EQ(Player().Mode(), TMediaMode::Playing);
    EXPECT_LT(Position(), StartMargin) << "started again from its beginning";
    EXPECT_TRUE(Messages.empty());
}

TEST_F(GameMusicTest, MusicEndingAfterThePauseWaitsForTheResume)
{
    NewGame(ShortSong);
    ASSERT_TRUE(WaitForPosition(200));
    // The playback ends while the game thread is busy, and the game pauses before it hears of it.
    // A halt reaches the game just as an end does.
    Player().Stop();
    Music.PauseWithGame();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Notifications >= 1; }, 1000));
    EXPECT_EQ(Player().Mode(), TMediaMode::Paused);
    EXPECT_LT(Position(), StartMargin);

    Music.ResumeWithGame(true);
    EXPECT_EQ(Player().Mode(), TMediaMode::Playing);
}

TEST_F(GameMusicTest, SwitchingMusicOffWhilePausedStopsItForGood)
{
    NewGame(SongA);
    Music.PauseWithGame();
    Music.ApplyPreferences(Settings, false, SongA, GameStopped);
    EXPECT_EQ(Player().Mode(), TMediaMode::Stopped);
    EXPECT_FALSE(Settings.MusicOn);
    EXPECT_EQ(Settings.MusicFile, SongA.toStdString());
    EXPECT_EQ(Player().FileName(), "");

    QTest::qWait(50);
    Music.ResumeWithGame(Settings.MusicOn);
    EXPECT_EQ(Player().Mode(), TMediaMode::Stopped);

    // On again in a later visit to the preferences: the file counts as new and waits paused.
    Music.PauseWithGame();
    Music.ApplyPreferences(Settings, true, SongA, GameStopped);
    EXPECT_TRUE(Settings.MusicOn);
    EXPECT_EQ(Player().Mode(), TMediaMode::Paused);
    EXPECT_EQ(Player().FileName(), SongA);
    EXPECT_TRUE(Messages.empty());
}

TEST_F(GameMusicTest, ANewFileChosenWhilePausedWaitsPausedAtItsStart)
{
    NewGame(SongA);
    ASSERT_TRUE(WaitForPosition(600));
    Music.PauseWithGame();

    Music.ApplyPreferences(Settings, true, SongB, GameStopped);
    EXPECT_EQ(Settings.MusicFile, SongB.toStdString());
    EXPECT_TRUE(Settings.MusicOn);
    EXPECT_EQ(Player().FileName(), SongB);
    EXPECT_EQ(Player().Mode(), TMediaMode::Paused);
    EXPECT_LT(Position(), StartMargin);

    // The halt of the old music is heard of later and starts nothing.
    QTest::qWait(50);
    EXPECT_EQ(Player().Mode(), TMediaMode::Paused);

    Music.ResumeWithGame(Settings.MusicOn);
    EXPECT_EQ(Player().Mode(), TMediaMode::Playing);
    EXPECT_TRUE(Messages.empty());
}

TEST_F(GameMusicTest, TheSameFileOrNoGameLeavesThePlayerAsItIs)
{
    // No game: the new file waits for the next new game.
    Music.ApplyPreferences(Settings, true, SongB, true);
    EXPECT_EQ(Player().Mode(), TMediaMode::NotOpen);
    EXPECT_EQ(Settings.MusicFile, SongB.toStdString());

    NewGame(SongB);
    ASSERT_TRUE(WaitForPosition(300));
    Music.PauseWithGame();
    const int64_t held = Position();
    Music.ApplyPreferences(Settings, true, SongB, GameStopped);
    EXPECT_EQ(Player().Mode(), TMediaMode::Paused);
    EXPECT_EQ(Position(), held);
}

TEST_F(GameMusicTest, AnEmptyMusicFieldSwitchesTheMusicOff)
{
    Music.ApplyPreferences(Settings, true, QString(), GameStopped);
    EXPECT_FALSE(Settings.MusicOn);
    EXPECT_EQ(Settings.MusicFile, "");
    EXPECT_EQ(Player().FileName(), "");
    EXPECT_EQ(Player().Mode(), TMediaMode::NotOpen);
    EXPECT_TRUE(Messages.empty());
}

TEST_F(GameMusicTest, AnUnplayableFileIsReportedAtEachAttemptAndTheGameGoesOnSilent)
{
    const QString notMidi = Folder.filePath("tone.mid");
    ASSERT_TRUE(WriteFile(notMidi, WaveTone(200)));
    const QString files[] = {notMidi, Folder.filePath("missing.mid"), QString()};
    for (const QString& file : files) {
        SCOPED_TRACE(file.toStdString());
        Messages.clear();
        NewGame(file);
        ASSERT_EQ(Messages.size(), 1u);
        EXPECT_EQ(Messages[0], CannotPlay);
        EXPECT_EQ(Player().Mode(), TMediaMode::NotOpen);

        Music.PauseWithGame();
        Music.ResumeWithGame(true);
        Music.MediaPlayer1Notify(true, false);
        EXPECT_EQ(Player().Mode(), TMediaMode::NotOpen);

        NewGame(file);
        EXPECT_EQ(Messages.size(), 2u);
    }
}

TEST_F(GameMusicTest, AnUnplayableFileChosenDuringAGameIsReportedAndTheChoiceKept)
{
    NewGame(SongA);
    Music.PauseWithGame();
    const QString missing = Folder.filePath("missing.mid");

    Music.ApplyPreferences(Settings, true, missing, GameStopped);
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0], CannotPlay);
    EXPECT_TRUE(Settings.MusicOn);
    EXPECT_EQ(Settings.MusicFile, missing.toStdString());
    EXPECT_EQ(Player().Mode(), TMediaMode::NotOpen);

    QTest::qWait(50);
    Music.ResumeWithGame(Settings.MusicOn);
    EXPECT_EQ(Player().Mode(), TMediaMode::NotOpen);
    EXPECT_EQ(Messages.size(), 1u);
}
} // namespace
