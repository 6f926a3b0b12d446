#pragma once

#include <QToolButton>

// A flat button of the left column: caption and a 16 x 16 picture on the window's background,
// a thin bevel only while the pointer is over it. It never takes the keyboard focus, so the
// game keys always reach the game.
class TFlatButton : public QToolButton
{
public:
    TFlatButton(QWidget* parent, const QString& caption, const QString& glyph, QPoint position);

    void SetCaptionColor(const QColor& colour);
    QColor CaptionColor() const { return Colour; }

private:
    QColor Colour;
};
