#include "app/HelpKeys.h"

#include "core/Settings.h"
#include "engine/KeyBindings.h"
#include "settings/dialog/KeyTable.h"

#include <QStringList>

namespace
{
const char* const Placeholders[ActionCount] = {"{{MoveLeft}}", "{{MoveRight}}", "{{Drop}}", "{{RotateColor}}",
                                               "{{RotateBlock}}"};

QString KeysHtml(const TSettings& settings, TPlayerAction action)
{
    QStringList names;
    for (uint16_t key : KeysOfAction(settings, action))
    {
        QString name = KeyNameOfCode(key);
        if (name.endsWith(QLatin1String(" key")))
            name.chop(4);
        names << QStringLiteral("<b>%1</b>").arg(name.toHtmlEscaped());
    }
    return names.isEmpty() ? QStringLiteral("<i>no key</i>") : names.join(QStringLiteral(" or "));
}
} // namespace

QString FillKeyNames(QString page, const TSettings& settings)
{
    for (int i = 0; i < ActionCount; ++i)
        page.replace(QLatin1String(Placeholders[i]), KeysHtml(settings, ActionOfBinding(i)));
    return page;
}
