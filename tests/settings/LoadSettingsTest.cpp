#include "settings/SettingsIo.h"
#include "settings/SettingsStore.h"

#include "StoreTestSupport.h"

#include <QMap>

namespace
{

using LoadSettingsTest = StoreTest;

const TDisplayFacts Narrow8Bit{1023, 8, "/usr/games/pelmo/"};

TSettings DefaultsFor(const TDisplayFacts& display)
{
    TSettings settings;
    LoadDefaultSettings(settings, display);
    return settings;
}

// Every value of UnusualSettings() present, as a previous run would have left it. The save
// runs once; later cases put the same values back in one go.
void StoreUnusual(bool showNext)
{
    static QMap<QString, QVariant> saved[2];
    QMap<QString, QVariant>& values = saved[showNext ? 1 : 0];
    if (values.isEmpty())
    {
        ClearStore();
        TSettingsStore store;
        ASSERT_TRUE(SaveSettings(UnusualSettings(), showNext, store));
        const auto raw = RawStore();
        for (const QString& name : raw->allKeys())
            values[name] = raw->value(name);
        ASSERT_EQ(28, values.size());
    }
    ClearStore();
    {
        const auto raw = RawStore();
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            raw->setValue(it.key(), it.value());
    }
    ForgetCachedStore();
}

void RemoveStored(const char* name)
{
    RawStore()->remove(QString::fromLatin1(name));
    ForgetCachedStore();
}

void SetStored(const char* name, const QString& text)
{
    RawStore()->setValue(QString::fromLatin1(name), text);
    ForgetCachedStore();
}

TEST_F(LoadSettingsTest, FirstRunGivesTheDefaultsAndLeavesShowNextOn)
{
    for (const TDisplayFacts& display : {WideTrueColor, Narrow8Bit})
    {
        SCOPED_TRACE(display.ScreenWidth);
        ClearStore();
        TSettings settings = UnusualSettings();
        bool showNext = true;
        TSettingsStore store;
        LoadSettings(settings, showNext, display, store);
        ExpectSameSettings(DefaultsFor(display), settings);
        EXPECT_TRUE(showNext);
        EXPECT_FALSE(store.IsOpen());

        // At exit every value is written, Version included.
        ASSERT_TRUE(SaveSettings(settings, showNext, store));
        EXPECT_EQ(28, RawStore()->allKeys().size());
    }
}

struct TMissingCase
{
    const char* Missing;
    bool ShowNextAfter; // stored ShowNext is 0; the preview starts with it on
};

TEST_F(LoadSettingsTest, AMissingValueBringsBackAllDefaults)
{
    // ShowNext keeps its stored value only when it was read before the failure.
    const TMissingCase cases[] = {
        {"ColNumber", true},   {"RowNumber", true},   {"NumOfBlock", true},   {"NumOfColor", true},
        {"BlockWidth", true},  {"BlockHeight", true}, {"StartLevel", true},   {"BlockPicture", true},
        {"GameMode", true},    {"FastDropping", true}, {"SoundOn", true},     {"MusicOn", true},
        {"ShowNext", true},    {"InnerMode", false},  {"OuterMode", false},   {"InnerColor", false},
        {"OuterColor", false}, {"InnerTile", false},  {"OuterTile", false},   {"LeftKey", false},
        {"RightKey", false},   {"DropKey", false},    {"RColorKey", false},   {"RBlockKey", false},
    };
    for (const TMissingCase& c : cases)
    {
        SCOPED_TRACE(c.Missing);
        ClearStore();
        StoreUnusual(false);
        RemoveStored(c.Missing);

        TSettings settings = UnusualSettings();
        bool showNext = true;
        TSettingsStore store;
        LoadSettings(settings, showNext, WideTrueColor, store);
        ExpectSameSettings(DefaultsFor(WideTrueColor), settings);
        EXPECT_EQ(c.ShowNextAfter, showNext);
    }
}

TEST_F(LoadSettingsTest, AbsentStringsReadEmptyAndEverythingElseLoads)
{
    for (const char* missing : {"MusicFile", "InnerImage", "OuterImage", "Version"})
    {
        SCOPED_TRACE(missing);
        ClearStore();
        StoreUnusual(false);
        RemoveStored(missing);

        TSettings expected = UnusualSettings();
        if (std::string(missing) == "MusicFile")
            expected.MusicFile.clear();
        else if (std::string(missing) == "InnerImage")
            expected.InnerImage.clear();
        else if (std::string(missing) == "OuterImage")
            expected.OuterImage.clear();

        TSettings settings;
        bool showNext = true;
        TSettingsStore store;
        LoadSettings(settings, showNext, WideTrueColor, store);
        ExpectSameSettings(expected, settings);
        EXPECT_FALSE(showNext);
    }
}

struct TBadValueCase
{
    const char* Name;
    const char* Stored;
    bool ShowNextAfter;
};

TEST_F(LoadSettingsTest, AValueThatIsNotANumberBringsBackAllDefaults)
{
    const TBadValueCase cases[] = {
        {"ColNumber", "nine", true},
        {"BlockWidth", "44px", true},
        {"FastDropping", "true", true},
        {"ShowNext", "yes", true},
        {"InnerColor", "#808080", false},
        {"RBlockKey", "", false},
        {"LeftKey", "4294967396", false},
    };
    for (const TBadValueCase& c : cases)
    {
        SCOPED_TRACE(c.Name);
        ClearStore();
        StoreUnusual(false);
        SetStored(c.Name, QString::fromLatin1(c.Stored));

        TSettings settings = UnusualSettings();
        bool showNext = true;
        TSettingsStore store;
        LoadSettings(settings, showNext, Narrow8Bit, store);
        ExpectSameSettings(DefaultsFor(Narrow8Bit), settings);
        EXPECT_EQ(c.ShowNextAfter, showNext);
    }
}

TEST_F(LoadSettingsTest, NarrowFieldsKeepTheLowBitsOfTheStoredNumber)
{
    StoreUnusual(true);
    SetStored("NumOfBlock", QStringLiteral("261"));     // 0x105
    SetStored("StartLevel", QStringLiteral("-1"));      // 0xFF
    SetStored("BlockPicture", QStringLiteral("258"));   // 0x102
    SetStored("LeftKey", QStringLiteral("65573"));      // 0x10025
    SetStored("InnerColor", QStringLiteral("-16777216")); // 0xFF000000
    SetStored("SoundOn", QStringLiteral("256"));

    TSettings settings;
    bool showNext = false;
    TSettingsStore store;
    LoadSettings(settings, showNext, WideTrueColor, store);
    EXPECT_EQ(5, settings.NumOfBlock);
    EXPECT_EQ(255, settings.StartLevel);
    EXPECT_EQ(2, settings.BlockPicture);
    EXPECT_EQ(37, settings.LeftKey);
    EXPECT_EQ(0xFF000000u, settings.InnerColor);
    EXPECT_TRUE(settings.SoundOn);
    EXPECT_TRUE(showNext);
}

TEST_F(LoadSettingsTest, AStoreThatCannotBeOpenedGivesTheDefaults)
{
    QFile blocker(StoreFolderPath());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    TSettings settings = UnusualSettings();
    bool showNext = false;
    TSettingsStore store;
    LoadSettings(settings, showNext, Narrow8Bit, store);
    ExpectSameSettings(DefaultsFor(Narrow8Bit), settings);
    EXPECT_FALSE(showNext);
}

} // namespace

namespace
{

struct TFitCase
{
    const char* Name;
    const char* Fit;     // stored "FitToWindow", null for none
    const char* Missing; // a specified value taken out
    bool Fitted;
    int KeysAfterSave;
};

TEST_F(LoadSettingsTest, FitToWindowIsReadOnItsOwn)
{
    const TFitCase cases[] = {
        {"a store from before it existed opens unchanged", nullptr, nullptr, false, 28},
        {"fitted reopens fitted", "1", nullptr, true, 29},
        {"turned off again", "0", nullptr, false, 29},
        {"fitted, with a specified value lost", "1", "RBlockKey", true, 29},
    };
    for (const TFitCase& c : cases)
    {
        SCOPED_TRACE(c.Name);
        StoreUnusual(false);
        if (c.Fit)
            SetStored("FitToWindow", QString::fromLatin1(c.Fit));
        if (c.Missing)
            RemoveStored(c.Missing);

        TSettings settings;
        bool showNext = true;
        TSettingsStore store;
        LoadSettings(settings, showNext, WideTrueColor, store);
        ExpectSameSettings(c.Missing ? DefaultsFor(WideTrueColor) : UnusualSettings(), settings);
        EXPECT_EQ(settings.FitToWindow, c.Fitted);
        ASSERT_TRUE(SaveSettings(settings, showNext, store));
        EXPECT_EQ(RawStore()->allKeys().size(), c.KeysAfterSave);
    }
}

} // namespace
