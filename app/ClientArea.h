#pragma once

#include <QWidget>

#include <functional>

class TWellPainter;

// The window's client area: shows the painter's window image, and does the full erase and
// paint first when the window was invalidated.
class TClientArea : public QWidget
{
public:
    TClientArea(TWellPainter& painter, QWidget* parent);

    std::function<void(int width, int height)> Resized;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    TWellPainter& Painter;
};
