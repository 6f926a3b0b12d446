#include "settings/dialog/KeyTable.h"

#include <algorithm>

namespace
{
const char* const NamedKeys[] = {
    "Up arrow key", "Left arrow key", "Down arrow key", "Right arrow key", "Space key", "Enter key",
    "Page Up key",  "Page Down key",  "End key",        "Home key",        "Insert key", "Delete key",
};
const char* const KeypadOperators[] = {"Multiply key", "Add key", "Subtract key", "Decimal key", "Divide key"};
constexpr int FirstDigit = 12;
constexpr int FirstLetter = 22;
constexpr int FirstOperator = 48;
} // namespace

QString KeyName(int index)
{
    if (index < 0 || index >= int(KeyTable.size()))
        return {};
    if (index < FirstDigit)
        return QString::fromLatin1(NamedKeys[index]);
    if (index < FirstLetter)
        return QStringLiteral("Numpad %1 key").arg(index - FirstDigit);
    if (index < FirstOperator)
        return QStringLiteral("%1 key").arg(QChar(u'A' + (index - FirstLetter)));
    return QString::fromLatin1(KeypadOperators[index - FirstOperator]);
}

QString KeyNameOfCode(uint16_t code)
{
    const auto found = std::find(KeyTable.begin(), KeyTable.end(), code);
    return found != KeyTable.end() ? KeyName(int(found - KeyTable.begin())) : QStringLiteral("key code %1").arg(code);
}
