#pragma once

#include <cstdint>
#include <memory>
#include <string>

class QSettings;
class QVariant;

// The per-user key/value store that holds the settings and the high scores: organisation
// "Hollin", application "Pelmo2000", in the platform's native format ($XDG_CONFIG_HOME/Hollin/
// Pelmo2000.conf on Linux, the registry key Software\Hollin\Pelmo2000 on Windows).
// Integers are 32-bit signed, booleans are the integers 0 and 1, strings are UTF-8.
// Writes are kept together and reach the disk at Close() (or when the store is destroyed), so a
// save is one file replacement, not one per value.
class TSettingsStore
{
public:
    TSettingsStore();
    virtual ~TSettingsStore();

    TSettingsStore(const TSettingsStore&) = delete;
    TSettingsStore& operator=(const TSettingsStore&) = delete;

    // Opens the store, creating it when it does not exist yet. Fails when it exists but cannot be
    // read, or does not exist and cannot be created. Opening an open store reopens it.
    bool Open();
    bool IsOpen() const;
    // Writes what is pending and closes; false when that could not be written.
    bool Close();

    // Fails when the name is absent or its value is not a 32-bit integer; value is then left as it was.
    virtual bool ReadInteger(const std::string& name, int32_t& value);
    // An integer; any non-zero value is true.
    virtual bool ReadBoolean(const std::string& name, bool& value);
    // An absent name reads as the empty string; fails only for a value that is not text.
    virtual bool ReadString(const std::string& name, std::string& value);

    // Each write fails when the store cannot be written (not open, read-only, its folder gone).
    virtual bool WriteInteger(const std::string& name, int32_t value);
    virtual bool WriteBoolean(const std::string& name, bool value); // stores 1 or 0
    virtual bool WriteString(const std::string& name, const std::string& value);

private:
    bool Write(const std::string& name, const QVariant& value);

    std::unique_ptr<QSettings> Store;
};
