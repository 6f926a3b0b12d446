#pragma once

#include <QString>

// Where the pictures compiled into the program are found.
class BuiltInImages
{
public:
    // A cell picture or dissolve mask by its bare name, e.g. "PYRAMIDM3" or "SOLVELARGE1".
    static QString CellPath(const QString& name) { return ":/cells/" + name; }
    // A 16 x 16 button or menu picture, e.g. "newgame" or "quartet".
    static QString GlyphPath(const QString& name) { return ":/glyphs/" + name + ".png"; }
    // The 32 x 32 program icon.
    static QString IconPath() { return ":/icon/pelmo2000.png"; }
    // The icon at another size: 16, 24, 48, 64, 128 or 256.
    static QString IconPath(int size) { return size == 32 ? IconPath() : QString(":/icon/pelmo2000-%1.png").arg(size); }
    // How many cell pictures and masks there are; a linked-in check that they are present.
    static int CellCount();
};
