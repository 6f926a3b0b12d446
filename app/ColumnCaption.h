#pragma once

#include <QPoint>
#include <QString>

class QFont;
class QLabel;
class QWidget;

// A white caption above a group of the side columns, on the window's background.
QLabel* MakeColumnCaption(QWidget& parent, const QString& caption, const QFont& font, QPoint position);
