#include "app/FormTumbla.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pelmo 2000"));
    QApplication::setApplicationDisplayName(QStringLiteral("Pelmo 2000"));
    QApplication::setOrganizationName(QStringLiteral("Hollin"));
    // Lets the desktop match the window to its launcher entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("com.hollin.Pelmo2000"));

    TFormTumbla formTumbla;
    formTumbla.showMaximized();
    return application.exec();
}
