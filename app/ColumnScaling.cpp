#include "app/ColumnScaling.h"

#include "app/BevelPanel.h"
#include "view/Seven.h"
#include "view/WindowLimits.h"

#include <QAbstractButton>
#include <QLabel>
#include <algorithm>
#include <cmath>

namespace
{

int Scaled(int value, double scale)
{
    return static_cast<int>(std::lround(value * scale));
}

} // namespace

void TColumnScaling::Add(QWidget* control, bool right)
{
    auto* button = qobject_cast<QAbstractButton*>(control);
    auto* panel = dynamic_cast<TBevelPanel*>(control);
    Controls.push_back({control, control->geometry(), control->font(), button ? button->iconSize() : QSize(),
                        panel ? panel->Border() : 0, right});
}

void TColumnScaling::AddLeft(QWidget* control)
{
    Add(control, false);
}

void TColumnScaling::AddRight(QWidget* control)
{
    Add(control, true);
}

void TColumnScaling::AddDisplay(TSevenSegment* display)
{
    Displays.push_back({display, display->Thickness(), display->Space(), display->HorzSpace(), display->VertSpace()});
}

void TColumnScaling::Resize(double scale)
{
    for (const TControl& c : Controls)
    {
        QFont font = c.Font;
        if (c.Font.pixelSize() > 0)
            font.setPixelSize(Scaled(c.Font.pixelSize(), scale));
        c.Control->setFont(font);
        if (auto* button = qobject_cast<QAbstractButton*>(c.Control); button && c.IconSize.isValid())
            button->setIconSize(c.IconSize * std::max(1L, std::lround(scale))); // whole pixels of the picture
        if (auto* panel = dynamic_cast<TBevelPanel*>(c.Control))
            panel->SetBorder(Scaled(c.Border, scale));
        // Labels take the width of their caption in the new font.
        const bool label = qobject_cast<QLabel*>(c.Control) != nullptr;
        c.Control->resize(label ? c.Control->sizeHint().width() : Scaled(c.Geometry.width(), scale),
                          Scaled(c.Geometry.height(), scale));
        if (!c.Right)
            c.Control->move(Scaled(c.Geometry.x(), scale), Scaled(c.Geometry.y(), scale));
    }
    for (const TDisplay& d : Displays)
    {
        d.Display->SetThickness(Scaled(d.Thickness, scale));
        d.Display->SetSpace(Scaled(d.Space, scale));
        d.Display->SetHorzSpace(Scaled(d.HorzSpace, scale));
        d.Display->SetVertSpace(Scaled(d.VertSpace, scale));
    }
}

void TColumnScaling::Apply(double scale, int clientWidth)
{
    if (scale != Current)
    {
        Current = scale;
        Resize(scale);
    }
    const int margin = Scaled(TWindowLimits::RightMargin, scale);
    for (const TControl& c : Controls)
        if (c.Right)
            c.Control->move(clientWidth - c.Control->width() - margin, Scaled(c.Geometry.y(), scale));
}
