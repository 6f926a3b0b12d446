#include "audio/AudioDevice.h"
#include "audio/GameMusic.h"
#include "audio/SoundEffects.h"
#include "core/Settings.h"
#include "tests/audio/AudioTestFiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

using namespace AudioTestFiles;

namespace
{
// Sets or clears an environment variable for one test and puts the old value back.
class ScopedEnvironment
{
public:
    ScopedEnvironment(const char* name, const char* value)
        : Name(name)
    {
        if (const char* old = std::getenv(name))
            Old = old;
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~ScopedEnvironment()
    {
        if (Old)
            setenv(Name, Old->c_str(), 1);
        else
            unsetenv(Name);
    }

private:
    const char* Name;
    std::optional<std::string> Old;
};

TEST(SoundFontSearch, PrefersTheGeneralMidiDefaultsThenAnyInNameOrder)
{
    const struct
    {
        const char* Name;
        std::vector<const char*> First;  // files of the first folder
        std::vector<const char*> Second; // files of the second folder
        const char* Expected;            // "first/x" or "second/x", empty for none
    } cases[] = {
        {"both defaults", {"a.sf2", "TimGM6mb.sf2", "default-GM.sf2"}, {}, "first/default-GM.sf2"},
        {"TimGM6mb only", {"a.sf2", "TimGM6mb.sf2"}, {}, "first/TimGM6mb.sf2"},
        {"others in name order", {"zeta.sf2", "Alpha.sf2", "beta.SF2"}, {}, "first/Alpha.sf2"},
        {"no soundfont", {"readme.txt", "sf2"}, {}, ""},
        {"nothing at all", {}, {}, ""},
        {"a default in the second folder wins", {"a.sf2"}, {"TimGM6mb.sf2"}, "second/TimGM6mb.sf2"},
        {"first folder first", {"m.sf2"}, {"a.sf2"}, "first/m.sf2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        QTemporaryDir root;
        ASSERT_TRUE(root.isValid());
        QDir(root.path()).mkdir("first");
        QDir(root.path()).mkdir("second");
        for (const char* file : c.First)
            ASSERT_TRUE(WriteFile(root.filePath(QString("first/") + file), "sfbk"));
        for (const char* file : c.Second)
            ASSERT_TRUE(WriteFile(root.filePath(QString("second/") + file), "sfbk"));
        const QString expected = *c.Expected ? root.filePath(c.Expected) : QString();
        EXPECT_EQ(TAudioDevice::FindSoundFont({root.filePath("first"), root.filePath("second"),
                                               root.filePath("not-there")}),
                  expected);
    }
}

TEST(SoundFontSearch, ADanglingDefaultLinkIsPassedOver)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    ASSERT_TRUE(QFile::link(folder.filePath("gone.sf2"), folder.filePath("default-GM.sf2")));
    ASSERT_TRUE(WriteFile(folder.filePath("other.sf2"), "sfbk"));
    EXPECT_EQ(TAudioDevice::FindSoundFont({folder.path()}), folder.filePath("other.sf2"));
}

TEST(AudioDeviceSoundFont, ASoundFontListInTheEnvironmentIsHonoured)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString own = folder.filePath("own.sf2");
    ASSERT_TRUE(WriteFile(own, "sfbk"));
    ScopedEnvironment soundFonts("SDL_SOUNDFONTS", own.toLocal8Bit().constData());
    TAudioDevice device;
    ASSERT_TRUE(device.EnsureOpen());
    EXPECT_EQ(device.SoundFont(), own);
}

TEST(AudioDeviceSoundFont, AnEnvironmentListOfMissingFilesFallsBackToTheSearch)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    ASSERT_TRUE(WriteFile(folder.filePath("found.sf2"), "sfbk"));
    ScopedEnvironment soundFonts("SDL_SOUNDFONTS", "/no/such/font.sf2");
    TAudioDevice device({folder.path()});
    ASSERT_TRUE(device.EnsureOpen());
    EXPECT_EQ(device.SoundFont(), folder.filePath("found.sf2"));
}

TEST(AudioDeviceSoundFont, WithoutASoundFontMusicIsToldOnceAndEffectsStillPlay)
{
    ScopedEnvironment soundFonts("SDL_SOUNDFONTS", nullptr);
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString song = folder.filePath("song.mid");
    ASSERT_TRUE(WriteFile(song, MidiSong(1.0)));
    ASSERT_TRUE(WriteFile(folder.filePath("drop.wav"), WaveTone(500)));

    TAudioDevice device({folder.path()});
    EXPECT_TRUE(device.EnsureOpen());
    EXPECT_FALSE(device.EnsureMusicReady());
    EXPECT_EQ(device.SoundFont(), "");

    std::vector<QString> messages;
    TGameMusic music(device, [&](const QString& title, const QString& text) { messages.push_back(title + "|" + text); });
    TSettings settings;
    settings.MusicOn = true;
    settings.MusicFile = song.toStdString();

    music.StartForNewGame(true, song);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "Pelmo 2000|Cannot play MIDI file.");
    EXPECT_EQ(music.MediaPlayer1().Mode(), TMediaMode::NotOpen);

    // Later games and a new file in the preferences stay quiet.
    music.StartForNewGame(true, song);
    music.PauseWithGame();
    music.ApplyPreferences(settings, true, folder.filePath("other.mid"), false);
    music.ResumeWithGame(true);
    music.MediaPlayer1Notify(true, false);
    music.StartForNewGame(true, song);
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_EQ(music.MediaPlayer1().Mode(), TMediaMode::NotOpen);

    bool soundOn = true;
    TSoundEffects effects(device, soundOn, folder.path());
    effects.PlayEffect(TEffect::Drop);
    EXPECT_EQ(effects.SoundingEffect(), "drop.wav");
}
} // namespace
