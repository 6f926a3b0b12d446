#pragma once

#include <QFrame>

#include <cstdint>

// A framed swatch whose colour is the value it holds (0x00BBGGRR, red in the low byte); a high
// byte given to it is kept, though it shows nothing.
class TColorPanel : public QFrame
{
public:
    explicit TColorPanel(QWidget* parent = nullptr);

    uint32_t Color() const { return Value; }
    void SetColor(uint32_t colorRef);

private:
    uint32_t Value = 0;
};
