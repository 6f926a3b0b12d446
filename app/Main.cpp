#include "app/FormTumbla.h"
#include "scores/FormScore.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pelmo 2000"));
    QApplication::setApplicationDisplayName(QStringLiteral("Pelmo 2000"));
    QApplication::setOrganizationName(QStringLiteral("Hollin"));

    // The game window builds itself completely, then the high-score window that its first
    // showing needs; it is a child of the game window and goes before it.
    TFormTumbla formTumbla;
    TFormScore formScore(&formTumbla);
    formTumbla.SetFormScore(&formScore);
    formTumbla.showMaximized();
    return application.exec();
}
