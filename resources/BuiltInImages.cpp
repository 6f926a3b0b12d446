#include "resources/BuiltInImages.h"

QString BuiltInImages::CellPath(const QString& name)
{
    return QStringLiteral(":/cells/") + name;
}

QString BuiltInImages::GlyphPath(const QString& name)
{
    return QStringLiteral(":/glyphs/") + name + QStringLiteral(".png");
}

QString BuiltInImages::IconPath(int size)
{
    return size == 32 ? QStringLiteral(":/icon/pelmo2000.png") : QStringLiteral(":/icon/pelmo2000-%1.png").arg(size);
}

QString BuiltInImages::HelpPage(const QString& name)
{
    return QStringLiteral("qrc:/help/") + name + QStringLiteral(".html");
}
