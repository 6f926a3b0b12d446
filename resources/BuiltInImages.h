#pragma once

#include <QString>

// Where the pictures compiled into the program are found.
class BuiltInImages
{
public:
    // A cell picture or dissolve mask by its bare name, e.g. "PYRAMIDM3" or "SOLVELARGE1".
    static QString CellPath(const QString& name);
    // A 16 x 16 button or menu picture, e.g. "newgame" or "quartet".
    static QString GlyphPath(const QString& name);
    // The program icon at 16, 24, 32 (the window's), 48, 64, 128 or 256 pixels.
    static QString IconPath(int size = 32);
    // A page of the manual as a resource address, e.g. "index" or "scoring".
    static QString HelpPage(const QString& name);
};
