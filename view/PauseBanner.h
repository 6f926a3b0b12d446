#pragma once

#include <QFont>
#include <QRect>
#include <QString>

class QPainter;

// The banner a paused game shows centred in the well: black text on a white field, in a silver
// panel bevelled like the well's frame. Its size follows the well's width, so the text is as
// readable on a large or fitted well as on a small one and never leaves a narrow one.
class TPauseBanner
{
public:
    static QString Text();

    // Draws the banner centred in well, given in the painter's device pixels. ratio is the device
    // pixels per window coordinate (the bevel's lines grow with it); the text takes typeface's
    // family and style, at a size of its own.
    static void Draw(QPainter& painter, const QRect& well, double ratio, const QFont& typeface);
};
