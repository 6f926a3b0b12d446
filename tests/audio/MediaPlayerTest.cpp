#include "audio/AudioDevice.h"
#include "audio/MediaPlayer.h"
#include "tests/audio/AudioTestFiles.h"
#include "tests/audio/MixerOutputMonitor.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <algorithm>
#include <cstdlib>

using namespace AudioTestFiles;

namespace
{
class MediaPlayerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Folder.isValid());
        Song = Folder.filePath("song.mid");
        ASSERT_TRUE(WriteFile(Song, MidiSong(2.0)));
        ASSERT_TRUE(Device.EnsureMusicReady()) << "no General MIDI soundfont installed";
    }

    QTemporaryDir Folder;
    QString Song;
    TAudioDevice Device;
};

TEST_F(MediaPlayerTest, OnlyAStandardMidiFileOpens)
{
    ASSERT_TRUE(WriteFile(Folder.filePath("tone.mid"), WaveTone(300)));
    ASSERT_TRUE(WriteFile(Folder.filePath("text.mid"), "MT but not a MIDI header"));
    ASSERT_TRUE(WriteFile(Folder.filePath("empty.mid"), QByteArray()));
    ASSERT_TRUE(WriteFile(Folder.filePath("tone.wav"), WaveTone(300)));
    ASSERT_TRUE(QDir(Folder.path()).mkdir("folder.mid"));

    const QString rejected[] = {Folder.filePath("missing.mid"), Folder.filePath("tone.mid"),
                                Folder.filePath("text.mid"),    Folder.filePath("empty.mid"),
                                Folder.filePath("tone.wav"),    Folder.filePath("folder.mid"),
                                QString()};
    TMediaPlayer player(Device);
    for (const QString& file : rejected) {
        SCOPED_TRACE(file.toStdString());
        player.SetFileName(file);
        EXPECT_EQ(player.Open(), TMediaError::CannotOpen);
        EXPECT_EQ(player.Mode(), TMediaMode::NotOpen);
        EXPECT_FALSE(player.Play());
        EXPECT_EQ(player.Mode(), TMediaMode::NotOpen);
        // The name stays as given: the caller reports it and a later attempt retries it.
        EXPECT_EQ(player.FileName(), file);
    }

    player.SetFileName(Song);
    EXPECT_EQ(player.Open(), TMediaError::None);
    EXPECT_EQ(player.Mode(), TMediaMode::Stopped);
}

TEST_F(MediaPlayerTest, PauseHoldsThePositionAndPlayContinuesFromIt)
{
    TMediaPlayer player(Device);
    player.SetFileName(Song);
    ASSERT_EQ(player.Open(), TMediaError::None);
    ASSERT_TRUE(player.Play());
    EXPECT_EQ(player.Mode(), TMediaMode::Playing);
    ASSERT_TRUE(WaitWithoutEvents([&] { return player.PositionMs() >= 250; }, 3000));

    player.Pause();
    EXPECT_EQ(player.Mode(), TMediaMode::Paused);
    const int64_t held = player.PositionMs();
    QThread::msleep(200);
    EXPECT_EQ(player.PositionMs(), held);
    EXPECT_EQ(player.Mode(), TMediaMode::Paused);

    ASSERT_TRUE(player.Play());
    EXPECT_EQ(player.Mode(), TMediaMode::Playing);
    EXPECT_GE(player.PositionMs(), held);
    ASSERT_TRUE(WaitWithoutEvents([&] { return player.PositionMs() > held; }, 2000));
    // Continued, not started over: a restart would stand well below the held position.
    EXPECT_GE(player.PositionMs(), held);
}

TEST_F(MediaPlayerTest, PauseDoesNothingUnlessPlaying)
{
    TMediaPlayer player(Device);
    player.Pause();
    EXPECT_EQ(player.Mode(), TMediaMode::NotOpen);

    player.SetFileName(Song);
    ASSERT_EQ(player.Open(), TMediaError::None);
    player.Pause();
    EXPECT_EQ(player.Mode(), TMediaMode::Stopped);
}

TEST_F(MediaPlayerTest, PlayAfterStopStartsFromTheBeginning)
{
    TMediaPlayer player(Device);
    player.SetFileName(Song);
    ASSERT_EQ(player.Open(), TMediaError::None);
    ASSERT_TRUE(player.Play());
    ASSERT_TRUE(WaitWithoutEvents([&] { return player.PositionMs() >= 600; }, 3000));

    player.Stop();
    EXPECT_EQ(player.Mode(), TMediaMode::Stopped);
    ASSERT_TRUE(player.Play());
    EXPECT_EQ(player.Mode(), TMediaMode::Playing);
    EXPECT_LT(player.PositionMs(), 300);
}

TEST_F(MediaPlayerTest, TheEndOfPlaybackIsNotifiedOnThePlayersThreadLater)
{
    TMediaPlayer player(Device);
    int notifications = 0;
    QThread* notifiedOn = nullptr;
    QObject::connect(&player, &TMediaPlayer::Notify, [&] {
        ++notifications;
        notifiedOn = QThread::currentThread();
    });
    player.SetFileName(Song);
    ASSERT_EQ(player.Open(), TMediaError::None);
    ASSERT_TRUE(player.Play());

    player.Stop();
    // Queued: nothing runs inside the mixer's call, only when the thread handles its events.
    EXPECT_EQ(notifications, 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(notifications, 1);
    EXPECT_EQ(notifiedOn, QCoreApplication::instance()->thread());
}

TEST_F(MediaPlayerTest, OpenAndCloseSendNoNotification)
{
    TMediaPlayer player(Device);
    int notifications = 0;
    QObject::connect(&player, &TMediaPlayer::Notify, [&] { ++notifications; });
    player.SetFileName(Song);
    ASSERT_EQ(player.Open(), TMediaError::None);
    ASSERT_TRUE(player.Play());

    // Opening again closes the playing music first.
    ASSERT_EQ(player.Open(), TMediaError::None);
    EXPECT_EQ(player.Mode(), TMediaMode::Stopped);
    ASSERT_TRUE(player.Play());
    player.Close();
    EXPECT_EQ(player.Mode(), TMediaMode::NotOpen);
    EXPECT_EQ(player.FileName(), Song);
    QTest::qWait(50);
    EXPECT_EQ(notifications, 0);
}
TEST_F(MediaPlayerTest, ALoopingPlayerGoesOnFromTheEndToTheBeginningWithoutASilence)
{
    const QString held = Folder.filePath("held.mid");
    ASSERT_TRUE(WriteFile(held, MidiHeldNote(0.4)));
    TMixerOutputMonitor output;
    ASSERT_TRUE(output.IsValid());
    TMediaPlayer player(Device);
    int notifications = 0;
    QObject::connect(&player, &TMediaPlayer::Notify, [&] { ++notifications; });
    player.SetFileName(held);
    player.SetLooping(true);
    ASSERT_EQ(player.Open(), TMediaError::None);
    EXPECT_EQ(player.LengthMs(), 400);

    const int64_t start = output.Frames();
    ASSERT_TRUE(player.Play());
    const int64_t pass = int64_t(output.SampleRate()) * 400 / 1000;
    // Two seams and on into the third pass.
    ASSERT_TRUE(QTest::qWaitFor([&] { return output.Frames() >= start + 2 * pass + pass / 2; }, 5000));
    EXPECT_EQ(player.Mode(), TMediaMode::Playing);
    EXPECT_EQ(notifications, 0);
    ASSERT_GE(output.FirstSound(), start);
    EXPECT_LT(output.Milliseconds(output.LongestSilence()), LongestSeamSilenceMs);
    const int64_t mixed = output.Frames(); // read first: the mixer goes on meanwhile
    EXPECT_GE(output.LastSound(), mixed - 64) << "still sounding";
    // The position runs within the pass, with the mixer's output (give or take an output buffer).
    const int64_t heard = int64_t(output.Milliseconds(output.Frames() - start)) % 400;
    const int64_t position = player.PositionMs();
    EXPECT_LE(position, 400);
    const int64_t apart = std::abs(position - heard);
    EXPECT_LE(std::min(apart, 400 - apart), 50) << "position " << position << ", heard " << heard;

    player.Stop();
    EXPECT_EQ(player.Mode(), TMediaMode::Stopped);
    QCoreApplication::processEvents();
    EXPECT_EQ(notifications, 1);
}

TEST_F(MediaPlayerTest, EachPassOfALoopLastsTheSongsOwnLength)
{
    // One woodblock stroke at the start of 0.3 s; the strokes must follow each other at that pace.
    const QString strokes = Folder.filePath("strokes.mid");
    ASSERT_TRUE(WriteFile(strokes, MidiSong(0.3)));
    // Loud enough to tell a stroke from its dying away; a tenth of a second of quiet between them.
    TMixerOutputMonitor output(2000, 4410);
    ASSERT_TRUE(output.IsValid());
    TMediaPlayer player(Device);
    player.SetFileName(strokes);
    player.SetLooping(true);
    ASSERT_EQ(player.Open(), TMediaError::None);
    ASSERT_TRUE(player.Play());
    ASSERT_TRUE(WaitWithoutEvents([&] { return output.Silences().size() >= 3; }, 5000));
    player.Close();

    const auto silences = output.Silences();
    for (size_t i = 1; i < silences.size(); ++i) {
        const int64_t strokeApart = (silences[i].Start + silences[i].Frames) - (silences[i - 1].Start + silences[i - 1].Frames);
        EXPECT_NEAR(output.Milliseconds(strokeApart), 300.0, 2.0) << "pass " << i;
    }
}
} // namespace
