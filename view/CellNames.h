#pragma once

#include <QString>

// The four looks of the cells, stored as BlockPicture.
enum TSkin : int
{
    Solid256 = 1,
    Solid16 = 2,
    Pyramid = 3,
    Number = 4,
};

// The three cell sizes, told apart by the cell width alone.
enum class TCellSize
{
    Small,  // SmallCell
    Medium, // MediumCell
    Large,  // LargeCell
};

// Names of the built-in cell pictures and dissolve masks.
class TCellNames
{
public:
    // SmallCell's width is Small, MediumCell's Medium, any other width Large.
    static TCellSize SizeOfWidth(int cellWidth);

    // The picture of colour 1..7 for a skin and cell width; empty for a skin outside 1..4.
    static QString CellImageName(int skin, int cellWidth, int colour);

    // The dissolve mask of step 1..4 for a cell width.
    static QString SolveImageName(int cellWidth, int step);

    // Where a built-in picture is found among the program's resources.
    static QString ResourcePath(const QString& name);
};
