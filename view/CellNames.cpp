#include "view/CellNames.h"

#include "core/CellSizes.h"

TCellSize TCellNames::SizeOfWidth(int cellWidth)
{
    if (cellWidth == SmallCell.Width)
        return TCellSize::Small;
    if (cellWidth == MediumCell.Width)
        return TCellSize::Medium;
    return TCellSize::Large;
}

namespace
{

QString SizedStem(const char* stem, int cellWidth)
{
    switch (TCellNames::SizeOfWidth(cellWidth))
    {
    case TCellSize::Small: return QString::fromLatin1(stem) + QLatin1Char('S');
    case TCellSize::Medium: return QString::fromLatin1(stem) + QLatin1Char('M');
    case TCellSize::Large: break;
    }
    return QString::fromLatin1(stem);
}

} // namespace

QString TCellNames::CellImageName(int skin, int cellWidth, int colour)
{
    QString stem;
    switch (skin)
    {
    case Solid256: stem = QStringLiteral("SOLID256"); break;
    case Solid16: stem = QStringLiteral("SOLID"); break;
    case Pyramid: stem = SizedStem("PYRAMID", cellWidth); break;
    case Number: stem = SizedStem("NUMBER", cellWidth); break;
    default: return {};
    }
    return stem + QString::number(colour);
}

QString TCellNames::SolveImageName(int cellWidth, int step)
{
    switch (SizeOfWidth(cellWidth))
    {
    case TCellSize::Small: return QStringLiteral("SOLVESMALL") + QString::number(step);
    case TCellSize::Medium: return QStringLiteral("SOLVEMEDIUM") + QString::number(step);
    case TCellSize::Large: break;
    }
    return QStringLiteral("SOLVELARGE") + QString::number(step);
}

QString TCellNames::ResourcePath(const QString& name)
{
    return QStringLiteral(":/cells/") + name;
}
