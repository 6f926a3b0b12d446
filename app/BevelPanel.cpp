#include "BevelPanel.h"

#include <QPainter>

namespace
{
const QColor Face(192, 192, 192);
const QColor Highlight(255, 255, 255);
const QColor Shadow(128, 128, 128);

void DrawBevel(QPainter& painter, const QRect& r, const QColor& topLeft, const QColor& bottomRight)
{
    painter.setPen(topLeft);
    painter.drawLine(r.left(), r.top(), r.right(), r.top());
    painter.drawLine(r.left(), r.top(), r.left(), r.bottom());
    painter.setPen(bottomRight);
    painter.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
    painter.drawLine(r.right(), r.top(), r.right(), r.bottom());
}
} // namespace

TBevelPanel::TBevelPanel(QWidget* parent, bool raisedOuter, int borderWidth)
    : QWidget(parent), RaisedOuter(raisedOuter), BorderWidth(borderWidth)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QRect TBevelPanel::InnerRect() const
{
    const int inset = (RaisedOuter ? 1 : 0) + BorderWidth + 1;
    return rect().adjusted(inset, inset, -inset, -inset);
}

void TBevelPanel::SetContent(QWidget* child)
{
    Content = child;
    child->setParent(this);
    child->setGeometry(InnerRect());
}

void TBevelPanel::SetBorder(int borderWidth)
{
    BorderWidth = borderWidth;
    if (Content)
        Content->setGeometry(InnerRect());
    update();
}

void TBevelPanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Face);
    QRect r = rect();
    if (RaisedOuter)
    {
        DrawBevel(painter, r, Highlight, Shadow);
        r.adjust(1, 1, -1, -1);
    }
    r.adjust(BorderWidth, BorderWidth, -BorderWidth, -BorderWidth);
    DrawBevel(painter, r, Shadow, Highlight);
}

void TBevelPanel::resizeEvent(QResizeEvent*)
{
    if (Content)
        Content->setGeometry(InnerRect());
}
