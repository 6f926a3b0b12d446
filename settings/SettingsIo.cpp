#include "settings/SettingsIo.h"

#include "engine/GameModes.h"
#include "settings/SettingsStore.h"

#include <algorithm>

TCellPixels DefaultCellSize(int screenWidth)
{
    if (screenWidth >= 1024)
        return {44, 37};
    if (screenWidth < 800)
        return {26, 22};
    return {34, 29};
}

void LoadDefaultSettings(TSettings& settings, const TDisplayFacts& display)
{
    const bool manyColors = display.ColorDepth > 8;
    const TCellPixels cell = DefaultCellSize(display.ScreenWidth);

    settings.ColNumber = 9;
    settings.RowNumber = 17;
    settings.NumOfBlock = 5;
    settings.NumOfColor = 7;
    settings.BlockWidth = cell.Width;
    settings.BlockHeight = cell.Height;
    settings.StartLevel = 1;
    settings.BlockPicture = manyColors ? 1 : 2;
    settings.GameMode = 3;
    settings.FastDropping = true;
    settings.SoundOn = true;
    settings.MusicOn = true;
    settings.MusicFile = display.ProgramFolder + "pelmo2000.mid";
    settings.InnerColor = 0;
    settings.OuterColor = 0x808080;
    settings.InnerMode = manyColors ? 2 : 1;
    settings.OuterMode = manyColors ? 2 : 1;
    settings.InnerImage = manyColors ? display.ProgramFolder + "texture2.bmp" : std::string();
    settings.OuterImage = manyColors ? display.ProgramFolder + "texture1.bmp" : std::string();
    settings.InnerTile = manyColors;
    settings.OuterTile = manyColors;
    settings.LeftKey = 100;
    settings.RightKey = 102;
    settings.DropKey = 98;
    settings.RColorKey = 104;
    settings.RBlockKey = 101;
}

namespace
{

// A value is always stored as 32 bits; a narrower field keeps the low bits.
template <typename TField>
bool ReadNarrow(TSettingsStore& store, const char* name, TField& field)
{
    int32_t value = 0;
    if (!store.ReadInteger(name, value))
        return false;
    field = static_cast<TField>(value);
    return true;
}

bool ReadAll(TSettings& settings, bool& showNext, TSettingsStore& store)
{
    return ReadNarrow(store, "ColNumber", settings.ColNumber)
        && ReadNarrow(store, "RowNumber", settings.RowNumber)
        && ReadNarrow(store, "NumOfBlock", settings.NumOfBlock)
        && ReadNarrow(store, "NumOfColor", settings.NumOfColor)
        && ReadNarrow(store, "BlockWidth", settings.BlockWidth)
        && ReadNarrow(store, "BlockHeight", settings.BlockHeight)
        && ReadNarrow(store, "StartLevel", settings.StartLevel)
        && ReadNarrow(store, "BlockPicture", settings.BlockPicture)
        && ReadNarrow(store, "GameMode", settings.GameMode)
        && store.ReadBoolean("FastDropping", settings.FastDropping)
        && store.ReadBoolean("SoundOn", settings.SoundOn)
        && store.ReadBoolean("MusicOn", settings.MusicOn)
        && store.ReadString("MusicFile", settings.MusicFile)
        && store.ReadBoolean("ShowNext", showNext)
        && ReadNarrow(store, "InnerMode", settings.InnerMode)
        && ReadNarrow(store, "OuterMode", settings.OuterMode)
        && ReadNarrow(store, "InnerColor", settings.InnerColor)
        && ReadNarrow(store, "OuterColor", settings.OuterColor)
        && store.ReadString("InnerImage", settings.InnerImage)
        && store.ReadString("OuterImage", settings.OuterImage)
        && store.ReadBoolean("InnerTile", settings.InnerTile)
        && store.ReadBoolean("OuterTile", settings.OuterTile)
        && ReadNarrow(store, "LeftKey", settings.LeftKey)
        && ReadNarrow(store, "RightKey", settings.RightKey)
        && ReadNarrow(store, "DropKey", settings.DropKey)
        && ReadNarrow(store, "RColorKey", settings.RColorKey)
        && ReadNarrow(store, "RBlockKey", settings.RBlockKey);
}

// Colours and key codes are unsigned in memory; they go out as the same 32 bits.
bool WriteUnsigned(TSettingsStore& store, const char* name, uint32_t value)
{
    return store.WriteInteger(name, static_cast<int32_t>(value));
}

bool WriteAll(const TSettings& settings, bool showNext, TSettingsStore& store)
{
    return store.WriteString("Version", "1.0")
        && store.WriteInteger("NumOfBlock", settings.NumOfBlock)
        && store.WriteInteger("NumOfColor", settings.NumOfColor)
        && store.WriteInteger("ColNumber", settings.ColNumber)
        && store.WriteInteger("RowNumber", settings.RowNumber)
        && store.WriteInteger("BlockWidth", settings.BlockWidth)
        && store.WriteInteger("BlockHeight", settings.BlockHeight)
        && store.WriteInteger("StartLevel", settings.StartLevel)
        && store.WriteInteger("BlockPicture", settings.BlockPicture)
        && store.WriteInteger("GameMode", settings.GameMode)
        && store.WriteBoolean("FastDropping", settings.FastDropping)
        && store.WriteBoolean("SoundOn", settings.SoundOn)
        && store.WriteBoolean("MusicOn", settings.MusicOn)
        && store.WriteString("MusicFile", settings.MusicFile)
        && store.WriteBoolean("ShowNext", showNext)
        && store.WriteInteger("InnerMode", settings.InnerMode)
        && store.WriteInteger("OuterMode", settings.OuterMode)
        && WriteUnsigned(store, "InnerColor", settings.InnerColor)
        && WriteUnsigned(store, "OuterColor", settings.OuterColor)
        && store.WriteBoolean("InnerTile", settings.InnerTile)
        && store.WriteBoolean("OuterTile", settings.OuterTile)
        && store.WriteString("InnerImage", settings.InnerImage)
        && store.WriteString("OuterImage", settings.OuterImage)
        && WriteUnsigned(store, "LeftKey", settings.LeftKey)
        && WriteUnsigned(store, "RightKey", settings.RightKey)
        && WriteUnsigned(store, "DropKey", settings.DropKey)
        && WriteUnsigned(store, "RColorKey", settings.RColorKey)
        && WriteUnsigned(store, "RBlockKey", settings.RBlockKey);
}

// Values that came after the 28 above are read one by one: an absent one (a store written before
// it existed) keeps its default and never brings back the defaults of the others.
void ReadLaterValues(TSettings& settings, TSettingsStore& store)
{
    settings.FitToWindow = false;
    store.ReadBoolean("FitToWindow", settings.FitToWindow);
}

// A store in which "Fit to window" was never chosen keeps exactly its 28 values.
bool WriteLaterValues(const TSettings& settings, TSettingsStore& store)
{
    bool stored = false;
    if (!settings.FitToWindow && !store.ReadBoolean("FitToWindow", stored))
        return true;
    return store.WriteBoolean("FitToWindow", settings.FitToWindow);
}

} // namespace

void LoadSettings(TSettings& settings, bool& showNext, const TDisplayFacts& display, TSettingsStore& store)
{
    if (!store.Open())
    {
        LoadDefaultSettings(settings, display);
        return;
    }
    if (!ReadAll(settings, showNext, store))
        LoadDefaultSettings(settings, display);
    ReadLaterValues(settings, store);
    store.Close();
}

bool SaveSettings(const TSettings& settings, bool showNext, TSettingsStore& store)
{
    if (!store.Open())
        return false;
    const bool saved = WriteAll(settings, showNext, store) && WriteLaterValues(settings, store);
    const bool closed = store.Close();
    return saved && closed;
}

namespace
{

// Lying pieces of up to five cells enter from the middle column, longer rows at the left wall, so
// the well must hold the longest one from there. A standing piece needs its height, and two more
// rows leave room for a run of three to form; a shallower well ends every game at once.
bool WellFitsPieces(const TSettings& settings)
{
    const bool mixed = settings.NumOfBlock == 5; // one to four cells, now and then a row of nine
    const bool mayLie = settings.GameMode != 2;
    const bool mayStand = settings.GameMode != 1;
    int columns = 1;
    int rows = 3;
    for (int count = 1; count <= 9; ++count)
    {
        if (mixed ? (count > 4 && count < 9) : count != settings.NumOfBlock)
            continue;
        if (mayLie)
            columns = std::max(columns, count <= 5 ? 2 * count - 1 : count);
        if (mayStand && (settings.GameMode == 2 || count <= 5))
            rows = std::max(rows, count + 2);
    }
    return settings.ColNumber >= columns && settings.RowNumber >= rows;
}

} // namespace

void ClampStoredSettings(TSettings& settings, const TDisplayFacts& display)
{
    // Cell colours are drawn from 1 to NumOfColor and index the seven cell images.
    settings.NumOfColor = std::clamp(settings.NumOfColor, 1, 7);

    // A piece has nine colour slots; an empty or overlong one falls back to the mixed lengths.
    if (settings.NumOfBlock == 0 || settings.NumOfBlock > 9)
        settings.NumOfBlock = 5;

    // The well holds at most 9 columns by 17 rows; one too small for the mode's pieces takes the
    // mode's own size.
    settings.ColNumber = std::clamp(settings.ColNumber, 1, 9);
    settings.RowNumber = std::clamp(settings.RowNumber, 1, 17);
    if (!WellFitsPieces(settings))
    {
        const TModePreset& preset = ModePreset(DeriveModeNumber(settings.NumOfBlock, settings.GameMode));
        settings.ColNumber = preset.ColNumber;
        settings.RowNumber = preset.RowNumber;
    }

    // The fall delay is 15 - Level ticks and must not wrap.
    settings.StartLevel = std::clamp<uint8_t>(settings.StartLevel, 1, 12);

    // Odd sizes inside a sane range are drawn stretched; anything else gets the screen's default pair.
    constexpr int32_t SmallestCell = 4;
    constexpr int32_t LargestCell = 128;
    const auto outside = [](int32_t pixels) { return pixels < SmallestCell || pixels > LargestCell; };
    if (outside(settings.BlockWidth) || outside(settings.BlockHeight))
    {
        const TCellPixels cell = DefaultCellSize(display.ScreenWidth);
        settings.BlockWidth = cell.Width;
        settings.BlockHeight = cell.Height;
    }

    // An unknown skin would draw every cell invisible; the Preferences dialog shows it as Number.
    if (settings.BlockPicture < 1 || settings.BlockPicture > 4)
        settings.BlockPicture = 4;

    // InnerMode, OuterMode, GameMode and the key codes are kept as stored: they only choose between
    // cases and index no table (a background mode other than 1 shows its picture, a key code nobody
    // presses is simply never matched).
}
