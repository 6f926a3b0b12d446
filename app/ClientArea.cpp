#include "ClientArea.h"

#include "view/WellPainter.h"

#include <QPaintEngine>
#include <QPaintEvent>
#include <QPainter>
#include <cmath>

namespace
{

// The region to paint in the device's pixels: what the window system lets this paint touch
// when it says so, else the event's region scaled out to whole pixels.
QRegion DeviceRegion(const QPainter& painter, const QPaintEvent& event)
{
    const QRegion system = painter.paintEngine()->systemClip();
    if (!system.isEmpty())
        return system;
    QRegion region;
    const QTransform toDevice = painter.deviceTransform();
    for (const QRect& rect : event.region())
        region += toDevice.mapRect(QRectF(rect)).toAlignedRect();
    return region;
}

} // namespace

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
    QPaintDevice* device = painter.paintEngine() ? painter.paintEngine()->paintDevice() : nullptr;
    auto* surface = device && device->devType() == QInternal::Image ? static_cast<QImage*>(device) : nullptr;
    const QTransform toDevice = painter.deviceTransform();
    const bool pixelExact = surface && surface->depth() == 32 && toDevice.type() <= QTransform::TxScale
                            && std::abs(toDevice.m11() - Painter.PixelRatio()) < 1e-9
                            && std::abs(toDevice.m22() - Painter.PixelRatio()) < 1e-9;
    if (!pixelExact)
    {
        // Some other device (a grab into a picture): the whole client area drawn through the
        // painter, pixel for pixel.
        QImage image = Painter.WindowImage();
        image.setDevicePixelRatio(Painter.PixelRatio());
        painter.drawImage(QPointF(0, 0), image);
        return;
    }
    // Straight into the window's backing store: the area's pixels are written where the window
    // system will show them, with no client-sized picture in between.
    const QPoint origin(static_cast<int>(std::lround(toDevice.dx())), static_cast<int>(std::lround(toDevice.dy())));
    const QRect client = QRect(origin, Painter.WindowRect().size()) & surface->rect();
    for (const QRect& rect : DeviceRegion(painter, *event))
    {
        const QRect area = rect & client;
        if (area.isEmpty())
            continue;
        QImage view(surface->bits() + area.y() * surface->bytesPerLine() + area.x() * 4, area.width(), area.height(),
                    surface->bytesPerLine(), QImage::Format_RGB32);
        Painter.Paint(view, area.translated(-origin));
    }
}

void TClientArea::resizeEvent(QResizeEvent*)
{
    if (Resized)
        Resized(width(), height());
}
