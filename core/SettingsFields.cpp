#include "core/SettingsFields.h"

#include "core/GameModes.h"

#include <algorithm>
#include <type_traits>

namespace
{

constexpr bool SavePositionsAreDistinct()
{
    std::array<bool, SettingsFields.size() + 1> taken{};
    for (const TSettingsField& field : SettingsFields)
    {
        if (field.SavePosition < 1 || field.SavePosition > int(SettingsFields.size()) || taken[field.SavePosition])
            return false;
        taken[field.SavePosition] = true;
    }
    return true;
}
static_assert(SavePositionsAreDistinct(), "every field needs its own place in a save");

constexpr bool ChosenValuesHaveFixedDefaults()
{
    for (const TSettingsField& field : SettingsFields)
        if (field.Presence == TPresence::OnceChosen && (field.Default || field.Member.index() == 0))
            return false;
    return true;
}
// An older store lacks them, and the display it was written on is not known when they are saved.
static_assert(ChosenValuesHaveFixedDefaults(), "a value written once chosen needs a fixed default");

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

std::optional<TStoredValue> SettingsRules::ScreenCellWidth(const TDisplayFacts& display)
{
    return DefaultCellSize(display.ScreenWidth).Width;
}

std::optional<TStoredValue> SettingsRules::ScreenCellHeight(const TDisplayFacts& display)
{
    return DefaultCellSize(display.ScreenWidth).Height;
}

const std::array<const TSettingsField*, SettingsFields.size()>& FieldsInSaveOrder()
{
    static const auto order = [] {
        std::array<const TSettingsField*, SettingsFields.size()> fields{};
        for (const TSettingsField& field : SettingsFields)
            fields[field.SavePosition - 1] = &field;
        return fields;
    }();
    return order;
}

TStoredValue FieldValue(const TSettingsField& field, const TSettings& settings, bool showNext)
{
    return std::visit(
        [&](auto member) -> TStoredValue {
            if constexpr (std::is_same_v<decltype(member), TPreviewShowNext>)
                return int32_t(showNext);
            else if constexpr (std::is_same_v<decltype(member), std::string TSettings::*>)
                return settings.*member;
            else
                return static_cast<int32_t>(settings.*member);
        },
        field.Member);
}

void SetFieldValue(const TSettingsField& field, TSettings& settings, bool& showNext, const TStoredValue& value)
{
    std::visit(
        [&](auto member) {
            if constexpr (std::is_same_v<decltype(member), TPreviewShowNext>)
            {
                if (const int32_t* number = std::get_if<int32_t>(&value))
                    showNext = *number != 0;
            }
            else if constexpr (std::is_same_v<decltype(member), std::string TSettings::*>)
            {
                if (const std::string* text = std::get_if<std::string>(&value))
                    settings.*member = *text;
            }
            else if (const int32_t* number = std::get_if<int32_t>(&value))
            {
                using TField = std::remove_reference_t<decltype(settings.*member)>;
                if constexpr (std::is_same_v<TField, bool>)
                    settings.*member = *number != 0;
                else
                    settings.*member = static_cast<TField>(*number);
            }
        },
        field.Member);
}

TStoredValue DefaultValue(const TSettingsField& field, const TDisplayFacts& display)
{
    if (field.Default)
        if (std::optional<TStoredValue> value = field.Default(display))
            return *value;
    return FieldValue(field, TSettings{}, TPreviewShowNext::AtStart);
}

void LoadDefaultSettings(TSettings& settings, const TDisplayFacts& display)
{
    bool untouched = TPreviewShowNext::AtStart;
    for (const TSettingsField& field : SettingsFields)
        if (!std::holds_alternative<TPreviewShowNext>(field.Member))
            SetFieldValue(field, settings, untouched, DefaultValue(field, display));
}

TSettings DefaultSettings(const TDisplayFacts& display)
{
    TSettings settings;
    LoadDefaultSettings(settings, display);
    return settings;
}

void ClampStoredSettings(TSettings& settings, const TDisplayFacts& display)
{
    bool showNext = TPreviewShowNext::AtStart; // holds no range
    bool cellOutside = false;
    for (const TSettingsField& field : SettingsFields)
    {
        const TStoredRange& range = field.Range;
        const TStoredValue stored = FieldValue(field, settings, showNext);
        const int32_t* number = std::get_if<int32_t>(&stored);
        if (range.Outside == TStoredRange::Keep || !number || (*number >= range.Min && *number <= range.Max))
            continue;
        if (range.Outside == TStoredRange::Nearest)
            SetFieldValue(field, settings, showNext, std::clamp(*number, range.Min, range.Max));
        else if (range.Outside == TStoredRange::Fallback)
            SetFieldValue(field, settings, showNext, range.FallbackValue);
        else
            cellOutside = true;
    }
    // Width and height go back together: half of a stretched pair would be another odd size.
    if (cellOutside)
        for (const TSettingsField& field : SettingsFields)
            if (field.Range.Outside == TStoredRange::ScreenCell)
                SetFieldValue(field, settings, showNext, DefaultValue(field, display));

    if (!WellFitsPieces(settings))
    {
        const TModePreset& preset = ModePreset(DeriveModeNumber(settings.NumOfBlock, settings.GameMode));
        settings.ColNumber = preset.ColNumber;
        settings.RowNumber = preset.RowNumber;
    }
}

void CopyDialogFields(const TSettings& from, bool fromShowNext, TSettings& to, bool& toShowNext)
{
    for (const TSettingsField& field : SettingsFields)
        if (field.InDialog)
            SetFieldValue(field, to, toShowNext, FieldValue(field, from, fromShowNext));
}
