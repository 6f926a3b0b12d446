#include "FlatButton.h"

#include "Fonts.h"
#include "GlyphIcon.h"

#include <QIcon>

TFlatButton::TFlatButton(QWidget* parent, const QString& caption, const QString& glyph, QPoint position)
    : QToolButton(parent)
{
    setText(caption);
    setIcon(GlyphIcon(glyph));
    setIconSize(QSize(16, 16));
    setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    setAutoRaise(true);
    setFocusPolicy(Qt::NoFocus);
    setFont(SansFont(12, true));
    setGeometry(position.x(), position.y(), 120, 25);
    setCursor(Qt::PointingHandCursor);
    SetCaptionColor(QColor(255, 255, 0));
}

void TFlatButton::SetCaptionColor(const QColor& colour)
{
    Colour = colour;
    setStyleSheet(QStringLiteral(
                      "QToolButton { color: %1; background: transparent; border: 1px solid transparent;"
                      " padding-left: 2px; text-align: left; }"
                      "QToolButton:hover { border-color: #ffffff #808080 #808080 #ffffff; }"
                      "QToolButton:pressed { border-color: #808080 #ffffff #ffffff #808080; }")
                      .arg(colour.name()));
}
