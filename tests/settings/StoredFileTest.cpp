#include "settings/SettingsIo.h"
#include "settings/SettingsStore.h"

#include "StoreTestSupport.h"

#include <QFile>

namespace
{

using StoredFileTest = StoreTest;

TSettings OddSettings()
{
    TSettings s;
    s.ColNumber = 6;
    s.RowNumber = 12;
    s.NumOfBlock = 7;
    s.NumOfColor = 3;
    s.BlockWidth = 26;
    s.BlockHeight = 22;
    s.StartLevel = 11;
    s.BlockPicture = 3;
    s.GameMode = 1;
    s.FastDropping = false;
    s.SoundOn = true;
    s.MusicOn = false;
    s.MusicFile = "/home/zoë/Mūzika/Lieder alte; \"Träume\" = 1.mid";
    s.InnerMode = 1;
    s.OuterMode = 2;
    s.InnerColor = 0xFF00FF80;
    s.OuterColor = 0x80FFFFFF;
    s.InnerImage = "";
    s.OuterImage = "C:\\Bilder\\Ümläut #2\\@outer [x].JPG";
    s.InnerTile = true;
    s.OuterTile = false;
    s.LeftKey = 65;
    s.RightKey = 65535;
    s.DropKey = 32768;
    s.RColorKey = 13;
    s.RBlockKey = 111;
    return s;
}

QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Whatever the code does inside, the file a player keeps between versions must not change.
TEST_F(StoredFileTest, SavedFileMatchesTheKeptCopy)
{
    struct TCase
    {
        const char* Name;
        bool FirstRun;
        bool ShowNext;
    };
    const TCase cases[] = {
        {"FirstRun", true, true},
        {"Unusual", false, false},
    };
    for (const TCase& c : cases)
    {
        SCOPED_TRACE(c.Name);
        ClearStore();
        TSettingsStore store;
        TSettings settings = OddSettings();
        bool showNext = c.ShowNext;
        if (c.FirstRun)
            LoadSettings(settings, showNext, WideTrueColor, store);
        ASSERT_TRUE(SaveSettings(settings, showNext, store));
        const QString kept = QStringLiteral(PELMO_SOURCE_DIR "/tests/settings/data/") + c.Name + ".conf";
        const QByteArray expected = FileBytes(kept);
        ASSERT_FALSE(expected.isEmpty()) << kept.toStdString();
        EXPECT_EQ(expected.toStdString(), FileBytes(StoreFilePath()).toStdString());
    }
}

} // namespace
