#include "settings/SettingsStore.h"

#include <QFileInfo>
#include <QSettings>
#include <QString>
#include <QVariant>

#include <limits>

namespace
{

QString KeyName(const std::string& name)
{
    return QString::fromStdString(name);
}

bool FitsInt32(long long number)
{
    return number >= std::numeric_limits<int32_t>::min() && number <= std::numeric_limits<int32_t>::max();
}

// The file keeps no types: an integer comes back as its decimal text, while values written in
// this session are still typed in memory. Both must read alike.
bool ToInt32(const QVariant& stored, int32_t& value)
{
    bool ok = false;
    long long number = 0;
    switch (stored.typeId())
    {
    case QMetaType::QString:
        number = stored.toString().toLongLong(&ok, 10);
        break;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        number = stored.toLongLong(&ok);
        break;
    case QMetaType::ULong:
    case QMetaType::ULongLong:
    {
        const unsigned long long wide = stored.toULongLong(&ok);
        ok = ok && wide <= static_cast<unsigned long long>(std::numeric_limits<int32_t>::max());
        number = static_cast<long long>(wide);
        break;
    }
    default:
        return false; // booleans, lists, byte arrays, anything hand-edited into another type
    }
    if (!ok || !FitsInt32(number))
        return false;
    value = static_cast<int32_t>(number);
    return true;
}

} // namespace

TSettingsStore::TSettingsStore() = default;

TSettingsStore::~TSettingsStore() = default;

bool TSettingsStore::Open()
{
    Store = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Hollin"),
                                        QStringLiteral("Pelmo2000"));
    // Only the player's own file: a value missing there must not come from /etc/xdg or from an
    // organisation-wide file, or a damaged store would half-load someone else's settings.
    Store->setFallbacksEnabled(false);
    // A file with unparsable lines still gives its good values (FormatError); an unreadable one gives none.
    bool usable = Store->status() != QSettings::AccessError;
    // A store that does not exist yet must at least be creatable; isWritable() makes its folder.
    if (usable && !QFileInfo::exists(Store->fileName()))
        usable = Store->isWritable();
    if (!usable)
        Store.reset();
    return usable;
}

bool TSettingsStore::IsOpen() const
{
    return Store != nullptr;
}

bool TSettingsStore::Close()
{
    if (!Store)
        return true;
    Store->sync();
    const bool written = Store->status() != QSettings::AccessError;
    Store.reset();
    return written;
}

bool TSettingsStore::ReadInteger(const std::string& name, int32_t& value)
{
    if (!Store || name.empty())
        return false;
    return ToInt32(Store->value(KeyName(name)), value);
}

bool TSettingsStore::ReadBoolean(const std::string& name, bool& value)
{
    int32_t number = 0;
    if (!ReadInteger(name, number))
        return false;
    value = number != 0;
    return true;
}

bool TSettingsStore::ReadString(const std::string& name, std::string& value)
{
    if (!Store || name.empty())
        return false;
    const QVariant stored = Store->value(KeyName(name));
    if (!stored.isValid())
    {
        value.clear();
        return true;
    }
    if (stored.typeId() != QMetaType::QString)
        return false;
    value = stored.toString().toStdString();
    return true;
}

bool TSettingsStore::WriteInteger(const std::string& name, int32_t value)
{
    return Write(name, QVariant(static_cast<int>(value)));
}

bool TSettingsStore::WriteBoolean(const std::string& name, bool value)
{
    return WriteInteger(name, value ? 1 : 0);
}

bool TSettingsStore::WriteString(const std::string& name, const std::string& value)
{
    return Write(name, QVariant(QString::fromStdString(value)));
}

bool TSettingsStore::Write(const std::string& name, const QVariant& value)
{
    // Asked before every write: status() only tells at Close(), and it keeps the first problem it
    // saw, so a FormatError from loading would hide a later AccessError.
    if (!Store || name.empty() || !Store->isWritable())
        return false;
    Store->setValue(KeyName(name), value);
    return true;
}
