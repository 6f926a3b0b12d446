#include "app/FormTumbla.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pelmo 2000"));
    QApplication::setApplicationDisplayName(QStringLiteral("Pelmo 2000"));
    QApplication::setOrganizationName(QStringLiteral("Hollin"));

    TFormTumbla formTumbla;
    formTumbla.showMaximized();
    return application.exec();
}
