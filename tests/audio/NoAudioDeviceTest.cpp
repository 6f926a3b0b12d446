#include "audio/AudioDevice.h"
#include "audio/GameMusic.h"
#include "audio/SoundEffects.h"
#include "core/Settings.h"
#include "tests/audio/AudioTestFiles.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QTest>

#include <cstdlib>
#include <string>

using namespace AudioTestFiles;

namespace
{
// The audio is opened with a driver that does not exist, as on a machine without sound.
class NoAudioDeviceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (const char* old = std::getenv("SDL_AUDIODRIVER"))
            OldDriver = old;
        setenv("SDL_AUDIODRIVER", "no-such-audio-driver", 1);
        ASSERT_TRUE(Folder.isValid());
        Song = Folder.filePath("song.mid");
        ASSERT_TRUE(WriteFile(Song, MidiSong(1.0)));
        ASSERT_TRUE(WriteFile(Folder.filePath("rotate.wav"), WaveTone(300)));
    }
    void TearDown() override { setenv("SDL_AUDIODRIVER", OldDriver.c_str(), 1); }

    std::string OldDriver = "dummy";
    QTemporaryDir Folder;
    QString Song;
};

TEST_F(NoAudioDeviceTest, EffectsStaySilent)
{
    TAudioDevice device;
    EXPECT_FALSE(device.EnsureOpen());
    EXPECT_FALSE(device.EnsureMusicReady());

    bool soundOn = true;
    TSoundEffects effects(device, soundOn, Folder.path());
    effects.Preload();
    effects.PlayEffect(TEffect::Rotate);
    effects.PlayEffect("rotate.wav");
    EXPECT_EQ(effects.LastEffect(), "");
    EXPECT_EQ(effects.SoundingEffect(), "");
}

TEST_F(NoAudioDeviceTest, TheGameGoesOnSilentAndIsToldOnce)
{
    TAudioDevice device;
    int messages = 0;
    QString lastText;
    TGameMusic music(device, [&](const QString&, const QString& text) {
        ++messages;
        lastText = text;
    });
    TSettings settings;
    settings.MusicOn = true;
    settings.MusicFile = Song.toStdString();

    for (int game = 0; game < 3; ++game) {
        music.StartForNewGame(true, Song);
        music.PauseWithGame();
        music.ApplyPreferences(settings, true, Folder.filePath("other.mid"), false);
        music.ResumeWithGame(true);
        music.MediaPlayer1Notify(true, false);
        QTest::qWait(5);
        music.StopAtGameOver();
    }
    EXPECT_EQ(messages, 1);
    EXPECT_EQ(lastText, "Cannot play MIDI file.");
    EXPECT_EQ(music.MediaPlayer1().Mode(), TMediaMode::NotOpen);
    EXPECT_FALSE(music.MediaPlayer1().Play());
    music.Close();
}
} // namespace
