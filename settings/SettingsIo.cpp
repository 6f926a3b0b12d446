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
        if (!ReadField(field, settings, showNext, store))
            return false;
    return true;
}

bool WriteAll(const TSettings& settings, bool showNext, TSettingsStore& store)
{
    if (!store.WriteString(VersionKey, StoredVersion))
        return false;
    for (const TSettingsField* field : FieldsInSaveOrder())
        if (!WriteField(*field, settings, showNext, store))
            return false;
    return true;
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
