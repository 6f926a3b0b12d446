#include "settings/dialog/ColorPanel.h"

#include "view/ColorRef.h"

TColorPanel::TColorPanel(QWidget* parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setAutoFillBackground(true);
    SetColor(0);
}

void TColorPanel::SetColor(uint32_t colorRef)
{
    // The high byte shows nothing but stays, so OK gives back a hand-edited value unchanged.
    Value = colorRef;
    QPalette swatch = palette();
    swatch.setColor(QPalette::Window, QColor(RgbFromColorRef(Value & 0xFFFFFF)));
    setPalette(swatch);
}
