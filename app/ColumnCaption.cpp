#include "app/ColumnCaption.h"

#include <QLabel>

QLabel* MakeColumnCaption(QWidget& parent, const QString& caption, const QFont& font, QPoint position)
{
    auto* label = new QLabel(caption, &parent);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(palette);
    label->setAttribute(Qt::WA_TranslucentBackground);
    label->adjustSize();
    label->move(position);
    return label;
}
