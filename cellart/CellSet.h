#pragma once

#include <QImage>
#include <QString>
#include <vector>

// Every built-in cell picture and dissolve mask under the name the game loads it by,
// with the bit depth it is stored at.
struct NamedCell
{
    QString Name;
    QImage Image; // indexed
    int BitsPerPixel;
};

class CellSet
{
public:
    static std::vector<NamedCell> All();
};
