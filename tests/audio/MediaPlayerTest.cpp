#include "audio/AudioDevice.h"
#include "audio/MediaPlayer.h"
#include "tests/audio/AudioTestFiles.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

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
} // namespace
