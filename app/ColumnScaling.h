#pragma once

#include <QFont>
#include <QRect>
#include <QSize>
#include <vector>

class QWidget;
class TBevelPanel;
class TSevenSegment;

// Grows the controls of the two side columns with the cells of a well fitted to the window: each
// keeps its fixed place, size, font, picture, border and segment widths times one scale. The right
// column stays its margin (25 pixels, scaled) inside the client area's right edge.
class TColumnScaling
{
public:
    void AddLeft(QWidget* control);
    void AddRight(QWidget* control);
    void AddDisplay(TSevenSegment* display);

    // Also called after every resize, for the right column's place.
    void Apply(double scale, int clientWidth);
    double Scale() const { return Current; }

private:
    struct TControl
    {
        QWidget* Control;
        QRect Geometry;
        QFont Font;
        QSize IconSize;
        int Border;
        bool Right;
    };
    struct TDisplay
    {
        TSevenSegment* Display;
        int Thickness;
        int Space;
        int HorzSpace;
        int VertSpace;
    };

    void Add(QWidget* control, bool right);
    void Resize(double scale);

    std::vector<TControl> Controls;
    std::vector<TDisplay> Displays;
    double Current = 1.0;
};
