#include "settings/SettingsStore.h"

#include "StoreTestSupport.h"

#include <QStringList>

#include <optional>

namespace
{

using SettingsStoreTest = StoreTest;

struct TIntegerCase
{
    const char* Label;
    std::optional<QVariant> Stored; // nothing: the name is absent
    bool Succeeds;
    int32_t Expected; // what the variable holds afterwards; it starts at -99
};

TEST_F(SettingsStoreTest, ReadIntegerAcceptsOnlyWhole32BitNumbers)
{
    const TIntegerCase cases[] = {
        {"absent", std::nullopt, false, -99},
        {"plain", QVariant(QStringLiteral("42")), true, 42},
        {"negative", QVariant(QStringLiteral("-7")), true, -7},
        {"zero", QVariant(QStringLiteral("0")), true, 0},
        {"largest", QVariant(QStringLiteral("2147483647")), true, 2147483647},
        {"smallest", QVariant(QStringLiteral("-2147483648")), true, -2147483647 - 1},
        {"one too large", QVariant(QStringLiteral("2147483648")), false, -99},
        {"far too large", QVariant(QStringLiteral("5000000000")), false, -99},
        {"word", QVariant(QStringLiteral("abc")), false, -99},
        {"empty", QVariant(QString()), false, -99},
        {"trailing letters", QVariant(QStringLiteral("12abc")), false, -99},
        {"fraction", QVariant(QStringLiteral("1.5")), false, -99},
        {"hex", QVariant(QStringLiteral("0x10")), false, -99},
        {"boolean word", QVariant(QStringLiteral("true")), false, -99},
        {"list", QVariant(QStringList{QStringLiteral("1"), QStringLiteral("2")}), false, -99},
    };
    for (const TIntegerCase& c : cases)
    {
        SCOPED_TRACE(c.Label);
        ClearStore();
        if (c.Stored)
        {
            RawStore()->setValue(QStringLiteral("ColNumber"), *c.Stored);
            ForgetCachedStore();
        }
        TSettingsStore store;
        ASSERT_TRUE(store.Open());
        int32_t value = -99;
        EXPECT_EQ(c.Succeeds, store.ReadInteger("ColNumber", value));
        EXPECT_EQ(c.Expected, value);
    }
}

struct TBooleanCase
{
    const char* Label;
    const char* Stored; // nullptr: absent
    bool Succeeds;
    bool Expected; // starts false
};

TEST_F(SettingsStoreTest, ReadBooleanIsAnIntegerWhereNonZeroIsTrue)
{
    const TBooleanCase cases[] = {
        {"zero", "0", true, false},
        {"one", "1", true, true},
        {"minus one", "-1", true, true},
        {"two", "2", true, true},
        {"word true", "true", false, false},
        {"absent", nullptr, false, false},
    };
    for (const TBooleanCase& c : cases)
    {
        SCOPED_TRACE(c.Label);
        ClearStore();
        if (c.Stored)
        {
            RawStore()->setValue(QStringLiteral("SoundOn"), QString::fromLatin1(c.Stored));
            ForgetCachedStore();
        }
        TSettingsStore store;
        ASSERT_TRUE(store.Open());
        bool value = false;
        EXPECT_EQ(c.Succeeds, store.ReadBoolean("SoundOn", value));
        EXPECT_EQ(c.Expected, value);
    }
}

struct TStringCase
{
    const char* Label;
    std::optional<QVariant> Stored;
    bool Succeeds;
    std::string Expected; // starts as "before"
};

TEST_F(SettingsStoreTest, ReadStringGivesEmptyTextForAnAbsentName)
{
    const TStringCase cases[] = {
        {"absent", std::nullopt, true, ""},
        {"empty", QVariant(QString()), true, ""},
        {"text", QVariant(QStringLiteral("C:\\Music\\song.mid")), true, "C:\\Music\\song.mid"},
        {"digits are text too", QVariant(QStringLiteral("12345")), true, "12345"},
        {"non-ASCII", QVariant(QString::fromUtf8("Jürgen Ωmega")), true, "Jürgen Ωmega"},
        {"list", QVariant(QStringList{QStringLiteral("a"), QStringLiteral("b")}), false, "before"},
    };
    for (const TStringCase& c : cases)
    {
        SCOPED_TRACE(c.Label);
        ClearStore();
        if (c.Stored)
        {
            RawStore()->setValue(QStringLiteral("MusicFile"), *c.Stored);
            ForgetCachedStore();
        }
        TSettingsStore store;
        ASSERT_TRUE(store.Open());
        std::string value = "before";
        EXPECT_EQ(c.Succeeds, store.ReadString("MusicFile", value));
        EXPECT_EQ(c.Expected, value);
    }
}

TEST_F(SettingsStoreTest, WrittenValuesReadBackAfterReopening)
{
    const std::string name = "Ünïcode, \"quoted\" = ; # [x] @start";
    {
        TSettingsStore store;
        ASSERT_TRUE(store.Open());
        EXPECT_TRUE(store.WriteInteger("CScore11", -2147483647 - 1));
        EXPECT_TRUE(store.WriteInteger("CScore12", 2147483647));
        EXPECT_TRUE(store.WriteString("CName11", name));
        EXPECT_TRUE(store.WriteString("CName12", ""));
        EXPECT_TRUE(store.WriteBoolean("SoundOn", true));
        EXPECT_TRUE(store.WriteBoolean("MusicOn", false));
        EXPECT_TRUE(store.Close());
    }
    ForgetCachedStore();

    TSettingsStore store;
    ASSERT_TRUE(store.Open());
    int32_t low = 0, high = 0;
    std::string text, empty = "x";
    bool sound = false, music = true;
    EXPECT_TRUE(store.ReadInteger("CScore11", low));
    EXPECT_TRUE(store.ReadInteger("CScore12", high));
    EXPECT_TRUE(store.ReadString("CName11", text));
    EXPECT_TRUE(store.ReadString("CName12", empty));
    EXPECT_TRUE(store.ReadBoolean("SoundOn", sound));
    EXPECT_TRUE(store.ReadBoolean("MusicOn", music));
    EXPECT_EQ(-2147483647 - 1, low);
    EXPECT_EQ(2147483647, high);
    EXPECT_EQ(name, text);
    EXPECT_EQ("", empty);
    EXPECT_TRUE(sound);
    EXPECT_FALSE(music);
}

TEST_F(SettingsStoreTest, BooleansAreStoredAsTheIntegersOneAndZero)
{
    TSettingsStore store;
    ASSERT_TRUE(store.Open());
    ASSERT_TRUE(store.WriteBoolean("SoundOn", true));
    ASSERT_TRUE(store.WriteBoolean("MusicOn", false));
    ASSERT_TRUE(store.Close());

    const QString file = StoreFileText();
    EXPECT_TRUE(file.contains(QStringLiteral("\nSoundOn=1\n"))) << file.toStdString();
    EXPECT_TRUE(file.contains(QStringLiteral("\nMusicOn=0\n"))) << file.toStdString();
    EXPECT_FALSE(file.contains(QStringLiteral("true"))) << file.toStdString();
    EXPECT_FALSE(file.contains(QStringLiteral("false"))) << file.toStdString();
}

TEST_F(SettingsStoreTest, AStoreThatCannotBeCreatedDoesNotOpen)
{
    // A plain file where the store's folder belongs.
    QFile blocker(StoreFolderPath());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    TSettingsStore store;
    EXPECT_FALSE(store.Open());
    EXPECT_FALSE(store.IsOpen());
    int32_t value = 3;
    EXPECT_FALSE(store.ReadInteger("ColNumber", value));
    EXPECT_EQ(3, value);
    EXPECT_FALSE(store.WriteInteger("ColNumber", 4));
    EXPECT_TRUE(QFileInfo(StoreFolderPath()).isFile());
}

TEST_F(SettingsStoreTest, WritesReportFailureWhenTheFileCannotBeWritten)
{
    TSettingsStore store;
    ASSERT_TRUE(store.Open());
    ASSERT_TRUE(store.WriteInteger("ColNumber", 5));
    ASSERT_TRUE(store.Close());
    ASSERT_TRUE(store.Open());
    ASSERT_TRUE(store.WriteInteger("ColNumber", 6));

    // The folder disappears under the open store and a plain file takes its place.
    ASSERT_TRUE(QDir(StoreFolderPath()).removeRecursively());
    QFile blocker(StoreFolderPath());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    EXPECT_FALSE(store.WriteInteger("RowNumber", 12));
    EXPECT_FALSE(store.WriteBoolean("SoundOn", false));
    EXPECT_FALSE(store.WriteString("MusicFile", "x.mid"));
    // The value written before the folder went cannot reach the disk either.
    EXPECT_FALSE(store.Close());
    EXPECT_TRUE(QFileInfo(StoreFolderPath()).isFile());

    // The unwritten value stays pending in this process; let it out so later tests start clean.
    ClearStore();
    RawStore()->sync();
    ClearStore();
}

TEST_F(SettingsStoreTest, AFileWithABrokenLineStillReadsAndWrites)
{
    WriteStoreFile("[General]\nColNumber=5\nthis line has no value\n");

    TSettingsStore store;
    ASSERT_TRUE(store.Open());
    int32_t columns = 0;
    EXPECT_TRUE(store.ReadInteger("ColNumber", columns));
    EXPECT_EQ(5, columns);
    EXPECT_TRUE(store.WriteInteger("RowNumber", 12));
    EXPECT_TRUE(store.Close());

    ForgetCachedStore();
    EXPECT_EQ(QStringLiteral("12"), RawText("RowNumber"));
    EXPECT_EQ(QStringLiteral("5"), RawText("ColNumber"));
}

TEST_F(SettingsStoreTest, NothingIsReadOrWrittenBeforeOpeningOrAfterClosing)
{
    TSettingsStore store;
    EXPECT_FALSE(store.WriteInteger("ColNumber", 5));
    ASSERT_TRUE(store.Open());
    ASSERT_TRUE(store.WriteInteger("ColNumber", 6));
    ASSERT_TRUE(store.Close());
    int32_t value = 1;
    std::string text = "kept";
    EXPECT_FALSE(store.ReadInteger("ColNumber", value));
    EXPECT_FALSE(store.ReadString("MusicFile", text));
    EXPECT_EQ(1, value);
    EXPECT_EQ("kept", text);
    EXPECT_EQ(QStringLiteral("6"), RawText("ColNumber"));
}

// A value the player's file lacks is absent, whatever the system-wide or organisation-wide files hold.
TEST_F(SettingsStoreTest, ReadsOnlyThePlayersOwnFile)
{
    const QString system = QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME")) + QStringLiteral("/system");
    QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, system);
    const QString others[] = {system + QStringLiteral("/Hollin/Pelmo2000.conf"), system + QStringLiteral("/Hollin.conf"),
                              StoreFolderPath() + QStringLiteral(".conf")};
    for (const QString& path : others)
        QSettings(path, QSettings::IniFormat).setValue(QStringLiteral("RBlockKey"), 77);
    RawStore()->setValue(QStringLiteral("ColNumber"), 5);
    TSettingsStore store;
    ASSERT_TRUE(store.Open());
    int32_t key = -1;
    EXPECT_FALSE(store.ReadInteger("RBlockKey", key));
    EXPECT_TRUE(store.ReadInteger("ColNumber", key)); // the player's own file is read
    EXPECT_EQ(5, key);
    for (const QString& path : others)
        QFile::remove(path);
}

} // namespace
