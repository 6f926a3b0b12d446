#include "engine/KeyBindings.h"

#include "core/Settings.h"

TPlayerAction ActionOfBinding(int index)
{
    return index >= 0 && index < ActionCount ? static_cast<TPlayerAction>(index + 1) : TPlayerAction::None;
}

TPlayerAction ActionOfKey(const TSettings& settings, uint16_t key)
{
    for (int i = 0; i < ActionCount; ++i)
        if (settings.*ActionKeys[i] == key)
            return ActionOfBinding(i);
    for (const TAlternateKey& alternate : AlternateKeys)
        if (alternate.Key == key)
            return alternate.Action;
    return TPlayerAction::None;
}

std::vector<uint16_t> KeysOfAction(const TSettings& settings, TPlayerAction action)
{
    std::vector<uint16_t> keys;
    const int index = static_cast<int>(action) - 1;
    if (index >= 0 && index < ActionCount && ActionOfKey(settings, settings.*ActionKeys[index]) == action)
        keys.push_back(settings.*ActionKeys[index]);
    for (const TAlternateKey& alternate : AlternateKeys)
        if (alternate.Action == action && ActionOfKey(settings, alternate.Key) == action &&
            (keys.empty() || keys.front() != alternate.Key))
            keys.push_back(alternate.Key);
    return keys;
}
