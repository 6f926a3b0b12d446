#include "app/WebPage.h"

#include <QDesktopServices>
#include <QUrl>

void OpenWebPage(const char* address)
{
    QDesktopServices::openUrl(QUrl(QString::fromLatin1(address)));
}
