#include "ClientArea.h"

#include "view/WellPainter.h"

#include <QPaintEvent>
#include <QPainter>

TClientArea::TClientArea(TWellPainter& painter, QWidget* parent) : QWidget(parent), Painter(painter)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

void TClientArea::paintEvent(QPaintEvent* event)
{
    if (Painter.PaintPending())
        Painter.PaintWindow();
    QPainter painter(this);
    const QRect r = event->rect();
    painter.drawImage(r.topLeft(), Painter.WindowImage(), r);
}

void TClientArea::resizeEvent(QResizeEvent*)
{
    if (Resized)
        Resized(width(), height());
}
