#pragma once

#include <QWidget>

// A panel in the classic style: an optional raised outer bevel, a border in the face colour
// and a lowered inner bevel around its contents.
class TBevelPanel : public QWidget
{
public:
    TBevelPanel(QWidget* parent, bool raisedOuter, int borderWidth);

    // Where a child filling the panel goes.
    QRect InnerRect() const;
    // Makes the child fill the inner area, now and after every resize.
    void SetContent(QWidget* child);
    int Border() const { return BorderWidth; }
    void SetBorder(int borderWidth);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    bool RaisedOuter;
    int BorderWidth;
    QWidget* Content = nullptr;
};
