#pragma once

#include "app/Version.h"

#include <QDialog>

class QLabel;

// The About box: the program's name, version, author, maker and music credit, with links to the
// maker's and the composer's pages.
class TFormAbout : public QDialog
{
public:
    static constexpr const char* VersionLine = "Version " PELMO_VERSION;

    explicit TFormAbout(QWidget* parent);

    QLabel* MakerLink() const { return Label8; }
    QLabel* ComposerLink() const { return Label9; }

private:
    QLabel* Label8 = nullptr;
    QLabel* Label9 = nullptr;
};
