#include "app/WebPage.h"

#include <QDesktopServices>
#include <QLoggingCategory>
#include <QUrl>

// Quiet unless asked for: QT_LOGGING_RULES="pelmo.web.info=true".
Q_LOGGING_CATEGORY(WebPageLog, "pelmo.web", QtWarningMsg)

bool OpenWebPage(const char* address)
{
    // The player is told nothing: a desktop without a browser simply does not open the page.
    const bool opened = QDesktopServices::openUrl(QUrl(QString::fromLatin1(address)));
    if (!opened)
        qCInfo(WebPageLog, "no program opened %s", address);
    return opened;
}
