#pragma once

#include <QIcon>
#include <QString>

// A 16 x 16 button or menu picture as an icon with whole-number enlargements of its pixels (up
// to 8 times), so that a screen with more pixels per coordinate, or a grown button, shows sharp
// pixels instead of a blurred enlargement.
QIcon GlyphIcon(const QString& path);
