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
    Value = colorRef & 0xFFFFFF;
    QPalette swatch = palette();
    swatch.setColor(QPalette::Window, QColor(RgbFromColorRef(Value)));
    setPalette(swatch);
}
