#include "audio/AudioDevice.h"
#include "audio/SoundEffects.h"
#include "tests/audio/AudioTestFiles.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <SDL2/SDL_mixer.h>

using namespace AudioTestFiles;

namespace
{
class SoundEffectsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Folder.isValid());
        ASSERT_TRUE(WriteFile(Folder.filePath("long.wav"), WaveTone(1500)));
        ASSERT_TRUE(WriteFile(Folder.filePath("short.wav"), WaveTone(800, 880)));
        ASSERT_TRUE(Device.EnsureOpen());
    }

    QTemporaryDir Folder;
    TAudioDevice Device;
    bool SoundOn = true;
};

TEST_F(SoundEffectsTest, PlaysOnlyWhileSoundIsOnAndFollowsTheSetting)
{
    TSoundEffects effects(Device, SoundOn, Folder.path());

    SoundOn = false;
    effects.PlayEffect("long.wav");
    EXPECT_EQ(effects.SoundingEffect(), "");
    EXPECT_EQ(effects.LastEffect(), "");
    EXPECT_EQ(Mix_Playing(-1), 0);

    // The same object sees the setting change, as after the preferences.
    SoundOn = true;
    effects.PlayEffect("long.wav");
    // Asynchronous: the call is back while the sound goes on.
    EXPECT_EQ(effects.SoundingEffect(), "long.wav");
    EXPECT_EQ(effects.LastEffect(), "long.wav");

    SoundOn = false;
    effects.PlayEffect("short.wav");
    EXPECT_EQ(effects.SoundingEffect(), "long.wav");
    EXPECT_EQ(effects.LastEffect(), "long.wav");
}

TEST_F(SoundEffectsTest, ANewEffectCutsTheOneStillSounding)
{
    TSoundEffects effects(Device, SoundOn, Folder.path());
    effects.PlayEffect("long.wav");
    ASSERT_EQ(effects.SoundingEffect(), "long.wav");

    effects.PlayEffect("short.wav");
    EXPECT_EQ(effects.SoundingEffect(), "short.wav");
    EXPECT_EQ(Mix_Playing(-1), 1);

    // The same effect again restarts it rather than adding a second voice.
    effects.PlayEffect("short.wav");
    EXPECT_EQ(effects.SoundingEffect(), "short.wav");
    EXPECT_EQ(Mix_Playing(-1), 1);
}

TEST_F(SoundEffectsTest, AMissingOrUnreadableWaveFilePlaysNothing)
{
    ASSERT_TRUE(WriteFile(Folder.filePath("garbage.wav"), "this is no wave file at all"));
    ASSERT_TRUE(WriteFile(Folder.filePath("empty.wav"), QByteArray()));
    ASSERT_TRUE(WriteFile(Folder.filePath("truncated.wav"), WaveTone(500).left(30)));
    ASSERT_TRUE(QDir(Folder.path()).mkdir("folder.wav"));
    // Opening a pipe that nobody writes to would wait for ever.
    ASSERT_EQ(mkfifo(QFile::encodeName(Folder.filePath("pipe.wav")).constData(), 0600), 0);

    const char* badFiles[] = {"missing.wav", "garbage.wav", "empty.wav", "truncated.wav", "folder.wav", "pipe.wav", ""};
    for (const char* bad : badFiles) {
        SCOPED_TRACE(bad);
        TSoundEffects effects(Device, SoundOn, Folder.path());
        effects.PlayEffect(bad);
        EXPECT_EQ(effects.SoundingEffect(), "");
        EXPECT_EQ(effects.LastEffect(), "");
        EXPECT_EQ(Mix_Playing(-1), 0);

        // A sound already going on is left alone, also when the bad file is asked for again.
        effects.PlayEffect("long.wav");
        effects.PlayEffect(bad);
        effects.PlayEffect(bad);
        EXPECT_EQ(effects.SoundingEffect(), "long.wav");
        EXPECT_EQ(effects.LastEffect(), "long.wav");
        Mix_HaltChannel(-1);
    }
}

TEST_F(SoundEffectsTest, TheGameEffectsPlayTheirOwnFiles)
{
    const struct
    {
        TEffect Effect;
        const char* File;
    } cases[] = {
        {TEffect::Rotate, "rotate.wav"},
        {TEffect::Move, "move.wav"},
        {TEffect::Drop, "drop.wav"},
        {TEffect::Disappear, "disapp.wav"},
    };
    for (const auto& c : cases)
        ASSERT_TRUE(WriteFile(Folder.filePath(c.File), WaveTone(400)));

    TSoundEffects effects(Device, SoundOn, Folder.path());
    effects.Preload();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.File);
        effects.PlayEffect(c.Effect);
        EXPECT_EQ(effects.SoundingEffect(), c.File);
    }
}

TEST_F(SoundEffectsTest, FilesComeFromTheProgramFolderNotTheCurrentDirectory)
{
    const QString appDir = QCoreApplication::applicationDirPath();
    const QString tag = QString::number(QCoreApplication::applicationPid());
    const QString besideProgram = "beside-program-" + tag + ".wav";
    const QString inCurrentDir = "in-current-dir-" + tag + ".wav";
    ASSERT_TRUE(WriteFile(QDir(appDir).filePath(besideProgram), WaveTone(600)));
    ASSERT_TRUE(WriteFile(Folder.filePath(inCurrentDir), WaveTone(600)));
    const QString oldCurrent = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(Folder.path()));

    TSoundEffects effects(Device, SoundOn);
    effects.PlayEffect(inCurrentDir);
    const QString fromCurrentDir = effects.SoundingEffect();
    effects.PlayEffect(besideProgram);
    const QString fromProgramDir = effects.SoundingEffect();

    QDir::setCurrent(oldCurrent);
    QFile::remove(QDir(appDir).filePath(besideProgram));
    EXPECT_EQ(fromCurrentDir, "");
    EXPECT_EQ(fromProgramDir, besideProgram);
}
} // namespace
