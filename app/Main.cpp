#include "app/FormTumbla.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    // The program's title; not also its display name, which some desktops would append to the
    // title of every dialog ("High Scores - Pelmo 2000").
    QApplication::setApplicationName(QStringLiteral("Pelmo 2000"));
    QApplication::setOrganizationName(QStringLiteral("Hollin"));
    // Lets the desktop match the window to its launcher entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("net.hollin_games.Pelmo2000"));

    // The game window builds itself completely, the high-score window that its first showing
    // needs included.
    TFormTumbla formTumbla;
    formTumbla.showMaximized();
    return application.exec();
}
