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
    const QImage& image = Painter.WindowImage();
    if (image.devicePixelRatio() != 1.0)
    {
        // Pixel for pixel onto the screen; the paint event's clip keeps the copy small.
        painter.drawImage(QPointF(0, 0), image);
        return;
    }
    const QRect r = event->rect();
    painter.drawImage(r.topLeft(), image, r);
}

void TClientArea::resizeEvent(QResizeEvent*)
{
    if (Resized)
        Resized(width(), height());
}
