#include "settings/SettingsIo.h"
#include "settings/SettingsStore.h"

#include "StoreTestSupport.h"

#include <QMap>

#include <algorithm>
#include <iterator>

namespace
{

using SaveSettingsTest = StoreTest;

// The order in which an interrupted save leaves new values before old ones.
const char* const WriteOrder[] = {
    "Version",    "NumOfBlock", "NumOfColor", "ColNumber",  "RowNumber", "BlockWidth",   "BlockHeight",
    "StartLevel", "BlockPicture", "GameMode", "FastDropping", "SoundOn", "MusicOn",      "MusicFile",
    "ShowNext",   "InnerMode",  "OuterMode",  "InnerColor", "OuterColor", "InnerTile",  "OuterTile",
    "InnerImage", "OuterImage", "LeftKey",    "RightKey",   "DropKey",   "RColorKey",    "RBlockKey",
};

TEST_F(SaveSettingsTest, EveryValueSurvivesASaveAndALoad)
{
    for (const bool showNext : {false, true})
    {
        SCOPED_TRACE(showNext);
        ClearStore();
        TSettingsStore store;
        ASSERT_TRUE(SaveSettings(UnusualSettings(), showNext, store));
        EXPECT_EQ(28, RawStore()->allKeys().size());
        ForgetCachedStore();

        TSettings loaded;
        bool loadedShowNext = !showNext;
        LoadSettings(loaded, loadedShowNext, WideTrueColor, store);
        ExpectSameSettings(UnusualSettings(), loaded);
        EXPECT_EQ(showNext, loadedShowNext);
    }
}

TEST_F(SaveSettingsTest, StoredTextOfNumbersBooleansAndKeys)
{
    TSettingsStore store;
    ASSERT_TRUE(SaveSettings(UnusualSettings(), false, store));

    const QString file = StoreFileText();
    for (const char* line : {"\nFastDropping=0\n", "\nSoundOn=0\n", "\nMusicOn=0\n", "\nShowNext=0\n",
                             "\nInnerTile=0\n", "\nOuterTile=0\n", "\nColNumber=5\n"})
        EXPECT_TRUE(file.contains(QString::fromLatin1(line))) << line << file.toStdString();

    // Colours go out as 0x00BBGGRR, key codes widened without sign.
    EXPECT_EQ(QStringLiteral("16744512"), RawText("InnerColor"));
    EXPECT_EQ(QStringLiteral("66051"), RawText("OuterColor"));
    EXPECT_EQ(QStringLiteral("65535"), RawText("RightKey"));
    EXPECT_EQ(QStringLiteral("32768"), RawText("DropKey"));
    EXPECT_EQ(QStringLiteral("37"), RawText("LeftKey"));

    ClearStore();
    TSettings defaults;
    LoadDefaultSettings(defaults, WideTrueColor);
    ASSERT_TRUE(SaveSettings(defaults, true, store));
    const QString defaultFile = StoreFileText();
    for (const char* line : {"\nFastDropping=1\n", "\nShowNext=1\n", "\nInnerTile=1\n", "\nOuterColor=8421504\n"})
        EXPECT_TRUE(defaultFile.contains(QString::fromLatin1(line))) << line << defaultFile.toStdString();
    EXPECT_FALSE(defaultFile.contains(QStringLiteral("true"))) << defaultFile.toStdString();
}

TEST_F(SaveSettingsTest, VersionIsOnePointZeroAfterEverySave)
{
    const QVariant previous[] = {QVariant(), QVariant(QStringLiteral("0.9")), QVariant(QStringLiteral("Version 2.1")),
                                 QVariant(QStringLiteral("7"))};
    for (const QVariant& before : previous)
    {
        SCOPED_TRACE(before.toString().toStdString());
        ClearStore();
        if (before.isValid())
            RawStore()->setValue(QStringLiteral("Version"), before);
        TSettingsStore store;
        ASSERT_TRUE(SaveSettings(UnusualSettings(), true, store));
        ForgetCachedStore();
        EXPECT_EQ(QStringLiteral("1.0"), RawText("Version"));
    }
}

// A store whose disk fills up at one value.
class TStoreFailingAt : public TSettingsStore
{
public:
    explicit TStoreFailingAt(std::string name) : FailingName(std::move(name)) {}

    bool WriteInteger(const std::string& name, int32_t value) override
    {
        return name != FailingName && TSettingsStore::WriteInteger(name, value);
    }
    bool WriteString(const std::string& name, const std::string& value) override
    {
        return name != FailingName && TSettingsStore::WriteString(name, value);
    }

private:
    std::string FailingName;
};

QMap<QString, QString> StoredTexts()
{
    QMap<QString, QString> texts;
    for (const char* name : WriteOrder)
        texts[QString::fromLatin1(name)] = RawText(name);
    return texts;
}

TEST_F(SaveSettingsTest, AFailedWriteStopsTheSaveAndLaterValuesKeepTheirOldText)
{
    TSettings newer;
    LoadDefaultSettings(newer, WideTrueColor);

    TSettingsStore plain;
    ASSERT_TRUE(SaveSettings(newer, true, plain));
    const QMap<QString, QString> newTexts = StoredTexts();
    ClearStore();
    ASSERT_TRUE(SaveSettings(UnusualSettings(), false, plain));
    RawStore()->setValue(QStringLiteral("Version"), QStringLiteral("0.9"));
    const QMap<QString, QString> oldTexts = StoredTexts();
    for (const char* name : WriteOrder)
        ASSERT_NE(oldTexts[name], newTexts[name]) << name;

    for (const char* failing :
         {"Version", "GameMode", "FastDropping", "MusicFile", "ShowNext", "InnerTile", "InnerImage", "RBlockKey"})
    {
        SCOPED_TRACE(failing);
        ClearStore();
        ASSERT_TRUE(SaveSettings(UnusualSettings(), false, plain));
        RawStore()->setValue(QStringLiteral("Version"), QStringLiteral("0.9"));

        TStoreFailingAt store(failing);
        EXPECT_FALSE(SaveSettings(newer, true, store));
        EXPECT_FALSE(store.IsOpen());
        ForgetCachedStore();

        const auto failingAt = std::find_if(std::begin(WriteOrder), std::end(WriteOrder),
                                            [&](const char* name) { return std::string(name) == failing; });
        for (auto it = std::begin(WriteOrder); it != std::end(WriteOrder); ++it)
        {
            const QMap<QString, QString>& expected = it < failingAt ? newTexts : oldTexts;
            EXPECT_EQ(expected[*it], RawText(*it)) << *it;
        }
    }
}

// A store whose folder is taken away right after the last value is handed over.
class TStoreLostAtTheEnd : public TSettingsStore
{
public:
    bool WriteInteger(const std::string& name, int32_t value) override
    {
        const bool written = TSettingsStore::WriteInteger(name, value);
        if (name == "RBlockKey")
        {
            QDir(StoreFolderPath()).removeRecursively();
            QFile blocker(StoreFolderPath());
            blocker.open(QIODevice::WriteOnly);
        }
        return written;
    }
};

TEST_F(SaveSettingsTest, ASaveThatCannotReachTheDiskReportsFailure)
{
    TStoreLostAtTheEnd store;
    EXPECT_FALSE(SaveSettings(UnusualSettings(), true, store));
    EXPECT_TRUE(QFileInfo(StoreFolderPath()).isFile());

    // The unwritten values stay pending in this process; let them out so later tests start clean.
    ClearStore();
    RawStore()->sync();
}

TEST_F(SaveSettingsTest, NothingIsWrittenWhenTheStoreCannotBeOpened)
{
    QFile blocker(StoreFolderPath());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    TSettingsStore store;
    EXPECT_FALSE(SaveSettings(UnusualSettings(), true, store));
    EXPECT_TRUE(QFileInfo(StoreFolderPath()).isFile());
    EXPECT_EQ(0, QFileInfo(StoreFolderPath()).size());
}

} // namespace
