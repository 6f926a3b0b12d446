#include "resources/BuiltInImages.h"

#include <QDir>

int BuiltInImages::CellCount()
{
    return int(QDir(":/cells").entryList(QDir::Files).size());
}
