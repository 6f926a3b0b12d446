#pragma once

#include "core/Settings.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>

// The stored values, one row each: how the store keeps a value, where it lives in memory, its
// default, the range loading brings it back into, its place in a save and whether the Preferences
// dialog edits it. Defaults, load, save, clamping and the dialog's copies all follow this table,
// so a new stored value is one row here, one field in TSettings and, when the player sets it, one
// control.

// How the store keeps a value: a 32-bit integer, 0 or 1 (any non-zero reads true), or text.
enum class TStoredType : uint8_t
{
    Integer,
    Boolean,
    String,
};

// A value on its way to or from the store: integers and booleans as 32 bits, text as UTF-8.
using TStoredValue = std::variant<int32_t, std::string>;

// The one stored value outside the record: the preview's switch that shows the next piece.
struct TPreviewShowNext
{
    static constexpr bool AtStart = true;
};

using TFieldMember = std::variant<TPreviewShowNext, int32_t TSettings::*, uint8_t TSettings::*,
                                  uint16_t TSettings::*, uint32_t TSettings::*, bool TSettings::*,
                                  std::string TSettings::*>;

// A default that depends on the display; nullopt keeps the value a TSettings starts with.
using TDisplayRule = std::optional<TStoredValue> (*)(const TDisplayFacts&);

// What loading does with a value the program never writes itself.
struct TStoredRange
{
    enum TOutside : uint8_t
    {
        Keep,       // chooses between cases only and indexes no table
        Nearest,    // the nearest end of Min..Max
        Fallback,   // FallbackValue
        ScreenCell, // both cell sizes return to the screen's default pair
    };
    TOutside Outside = Keep;
    int32_t Min = 0;
    int32_t Max = 0;
    int32_t FallbackValue = 0;
};

// Whether a save always holds the value. Values added after the first layout are written only once
// chosen (or already stored), so an older store keeps exactly its layout, and their absence never
// brings back the defaults of the others.
enum class TPresence : uint8_t
{
    Always,
    OnceChosen,
};

struct TSettingsField
{
    const char* Key;
    TStoredType Type;
    TFieldMember Member;
    TDisplayRule Default;
    TStoredRange Range;
    int SavePosition; // 1..28; "Version" goes first
    bool InDialog;    // the Preferences dialog edits it
    TPresence Presence = TPresence::Always;
};

inline constexpr const char* VersionKey = "Version";
inline constexpr const char* StoredVersion = "1.0"; // of the file's layout, not of the program

inline constexpr char DefaultMusicName[] = "pelmo2000.mid";
inline constexpr char InnerTextureName[] = "texture2.bmp";
inline constexpr char OuterTextureName[] = "texture1.bmp";

namespace SettingsRules
{
std::optional<TStoredValue> ScreenCellWidth(const TDisplayFacts& display);
std::optional<TStoredValue> ScreenCellHeight(const TDisplayFacts& display);

// Displays of 8 bits per pixel or fewer take this value instead.
template <int32_t Value>
std::optional<TStoredValue> WithFewColours(const TDisplayFacts& display)
{
    if (display.ColorDepth <= 8)
        return Value;
    return std::nullopt;
}

template <const char* Name>
std::optional<TStoredValue> InProgramFolder(const TDisplayFacts& display)
{
    return display.ProgramFolder + Name;
}

// Pictures only where the display shows them well; few colours keep the empty path.
template <const char* Name>
std::optional<TStoredValue> InProgramFolderWithManyColours(const TDisplayFacts& display)
{
    if (display.ColorDepth <= 8)
        return std::nullopt;
    return display.ProgramFolder + Name;
}

constexpr TStoredRange Nearest(int32_t min, int32_t max)
{
    return {TStoredRange::Nearest, min, max, 0};
}

constexpr TStoredRange Otherwise(int32_t min, int32_t max, int32_t fallback)
{
    return {TStoredRange::Fallback, min, max, fallback};
}

// Odd sizes inside a sane range are drawn stretched.
constexpr TStoredRange CellRange{TStoredRange::ScreenCell, 4, 128, 0};
} // namespace SettingsRules

// In the order LoadSettings reads them. With "Version" the ones always present make the 28 values of
// a save.
inline constexpr std::array<TSettingsField, 28> SettingsFields = [] {
    using namespace SettingsRules;
    using enum TStoredType;
    using S = TSettings;
    constexpr TStoredRange keep{};
    return std::array<TSettingsField, 28>{{
        // The well holds at most 9 columns by 17 rows.
        {"ColNumber", Integer, &S::ColNumber, nullptr, Nearest(1, 9), 3, false},
        {"RowNumber", Integer, &S::RowNumber, nullptr, Nearest(1, 17), 4, false},
        // A piece has nine colour slots; none or too many falls back to the mixed lengths.
        {"NumOfBlock", Integer, &S::NumOfBlock, nullptr, Otherwise(1, 9, 5), 1, false},
        // Cell colours index the seven cell images.
        {"NumOfColor", Integer, &S::NumOfColor, nullptr, Nearest(1, 7), 2, false},
        {"BlockWidth", Integer, &S::BlockWidth, ScreenCellWidth, CellRange, 5, true},
        {"BlockHeight", Integer, &S::BlockHeight, ScreenCellHeight, CellRange, 6, true},
        // The fall delay is 15 - Level ticks and must not wrap.
        {"StartLevel", Integer, &S::StartLevel, nullptr, Nearest(1, 12), 7, false},
        // An unknown skin would draw every cell invisible; the dialog shows it as Number.
        {"BlockPicture", Integer, &S::BlockPicture, WithFewColours<2>, Otherwise(1, 4, 4), 8, true},
        {"GameMode", Integer, &S::GameMode, nullptr, keep, 9, false},
        {"FastDropping", Boolean, &S::FastDropping, nullptr, keep, 10, true},
        {"SoundOn", Boolean, &S::SoundOn, nullptr, keep, 11, true},
        {"MusicOn", Boolean, &S::MusicOn, nullptr, keep, 12, true},
        {"MusicFile", String, &S::MusicFile, InProgramFolder<DefaultMusicName>, keep, 13, true},
        {"ShowNext", Boolean, TPreviewShowNext{}, nullptr, keep, 14, true},
        // A background mode other than 1 shows its picture.
        {"InnerMode", Integer, &S::InnerMode, WithFewColours<1>, keep, 15, true},
        {"OuterMode", Integer, &S::OuterMode, WithFewColours<1>, keep, 16, true},
        {"InnerColor", Integer, &S::InnerColor, nullptr, keep, 17, true},
        {"OuterColor", Integer, &S::OuterColor, nullptr, keep, 18, true},
        {"InnerImage", String, &S::InnerImage, InProgramFolderWithManyColours<InnerTextureName>, keep, 21, true},
        {"OuterImage", String, &S::OuterImage, InProgramFolderWithManyColours<OuterTextureName>, keep, 22, true},
        {"InnerTile", Boolean, &S::InnerTile, WithFewColours<0>, keep, 19, true},
        {"OuterTile", Boolean, &S::OuterTile, WithFewColours<0>, keep, 20, true},
        // A key code nobody presses is simply never matched.
        {"LeftKey", Integer, &S::LeftKey, nullptr, keep, 23, true},
        {"RightKey", Integer, &S::RightKey, nullptr, keep, 24, true},
        {"DropKey", Integer, &S::DropKey, nullptr, keep, 25, true},
        {"RColorKey", Integer, &S::RColorKey, nullptr, keep, 26, true},
        {"RBlockKey", Integer, &S::RBlockKey, nullptr, keep, 27, true},
        // BlockWidth and BlockHeight keep the last fixed size meanwhile.
        {"FitToWindow", Boolean, &S::FitToWindow, nullptr, keep, 28, true, TPresence::OnceChosen},
    }};
}();

// The fields in the order SaveSettings writes them, after "Version".
const std::array<const TSettingsField*, SettingsFields.size()>& FieldsInSaveOrder();

// A field's value as the store keeps it: unsigned fields as the same 32 bits, booleans as 0 or 1.
TStoredValue FieldValue(const TSettingsField& field, const TSettings& settings, bool showNext);
// Narrow fields keep the low bits of an integer; a boolean is any non-zero integer.
void SetFieldValue(const TSettingsField& field, TSettings& settings, bool& showNext, const TStoredValue& value);

TStoredValue DefaultValue(const TSettingsField& field, const TDisplayFacts& display);

// Every field to its default. The preview's ShowNext is not part of the record and is left alone.
void LoadDefaultSettings(TSettings& settings, const TDisplayFacts& display);
TSettings DefaultSettings(const TDisplayFacts& display);

// Brings stored values that the program never writes itself back into the ranges the engine and
// the drawing index with; a well too small for the mode's pieces takes the mode's own size.
void ClampStoredSettings(TSettings& settings, const TDisplayFacts& display);

// Copies what the Preferences dialog edits, ShowNext included, and nothing else.
void CopyDialogFields(const TSettings& from, bool fromShowNext, TSettings& to, bool& toShowNext);
