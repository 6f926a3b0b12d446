#pragma once

#include <QProxyStyle>

// Menus whose checkable commands also carry pictures: many styles show a checked command only
// by sinking its picture. This one keeps the picture as it is and draws a plain check mark in a
// column of its own to the left of it.
class TMenuCheckStyle : public QProxyStyle
{
public:
    static constexpr int CheckColumn = 20;

    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
};
