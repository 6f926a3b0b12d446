#include "app/HelpBrowser.h"

#include "app/HelpKeys.h"

THelpBrowser::THelpBrowser(const TSettings& settings, QWidget* parent) : QTextBrowser(parent), Settings(settings)
{
}

QVariant THelpBrowser::loadResource(int type, const QUrl& name)
{
    const QVariant page = QTextBrowser::loadResource(type, name);
    if (type != QTextDocument::HtmlResource)
        return page;
    const QString text = page.typeId() == QMetaType::QByteArray ? QString::fromUtf8(page.toByteArray()) : page.toString();
    return FillKeyNames(text, Settings);
}
