#include "settings/SettingsIo.h"

#include "settings/SettingsStore.h"

namespace
{

bool ReadField(const TSettingsField& field, TSettings& settings, bool& showNext, TSettingsStore& store)
{
    switch (field.Type)
    {
    case TStoredType::Integer:
    {
        int32_t number = 0;
        if (!store.ReadInteger(field.Key, number))
            return false;
        SetFieldValue(field, settings, showNext, number);
        return true;
    }
    case TStoredType::Boolean:
    {
        bool value = false;
        if (!store.ReadBoolean(field.Key, value))
            return false;
        SetFieldValue(field, settings, showNext, int32_t(value));
        return true;
    }
    case TStoredType::String:
    {
        std::string text;
        if (!store.ReadString(field.Key, text))
            return false;
        SetFieldValue(field, settings, showNext, text);
        return true;
    }
    }
    return false;
}

bool WriteField(const TSettingsField& field, const TSettings& settings, bool showNext, TSettingsStore& store)
{
    const TStoredValue value = FieldValue(field, settings, showNext);
    switch (field.Type)
    {
    case TStoredType::Integer: return store.WriteInteger(field.Key, std::get<int32_t>(value));
    case TStoredType::Boolean: return store.WriteBoolean(field.Key, std::get<int32_t>(value) != 0);
    case TStoredType::String: return store.WriteString(field.Key, std::get<std::string>(value));
    }
    return false;
}

bool ReadAll(TSettings& settings, bool& showNext, TSettingsStore& store)
{
    for (const TSettingsField& field : SettingsFields)
        if (field.Presence == TPresence::Always && !ReadField(field, settings, showNext, store))
            return false;
    return true;
}

// Such values have no display-dependent default: what a fresh record holds.
TStoredValue UnchosenValue(const TSettingsField& field)
{
    return FieldValue(field, TSettings{}, TPreviewShowNext::AtStart);
}

void ReadChosenValues(TSettings& settings, bool& showNext, TSettingsStore& store)
{
    for (const TSettingsField& field : SettingsFields)
        if (field.Presence == TPresence::OnceChosen)
        {
            SetFieldValue(field, settings, showNext, UnchosenValue(field));
            ReadField(field, settings, showNext, store);
        }
}

bool IsStored(const TSettingsField& field, TSettingsStore& store)
{
    TSettings scratch;
    bool showNext = false;
    return ReadField(field, scratch, showNext, store);
}

bool WriteAll(const TSettings& settings, bool showNext, TSettingsStore& store)
{
    if (!store.WriteString(VersionKey, StoredVersion))
        return false;
    for (const TSettingsField* field : FieldsInSaveOrder())
    {
        if (field->Presence == TPresence::OnceChosen
            && FieldValue(*field, settings, showNext) == UnchosenValue(*field) && !IsStored(*field, store))
            continue;
        if (!WriteField(*field, settings, showNext, store))
            return false;
    }
    return true;
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
    ReadChosenValues(settings, showNext, store);
    store.Close();
}

bool SaveSettings(const TSettings& settings, bool showNext, TSettingsStore& store)
{
    if (!store.Open())
        return false;
    const bool saved = WriteAll(settings, showNext, store);
    const bool closed = store.Close();
    return saved && closed;
}
