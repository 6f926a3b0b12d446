#include "app/MenuCheckStyle.h"

#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionMenuItem>

namespace
{
const QStyleOptionMenuItem* CheckableItem(const QStyleOption* option)
{
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    return item && item->checkType != QStyleOptionMenuItem::NotCheckable ? item : nullptr;
}
} // namespace

QSize TMenuCheckStyle::sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                                        const QWidget* widget) const
{
    QSize result = QProxyStyle::sizeFromContents(type, option, size, widget);
    if (type == CT_MenuItem && CheckableItem(option))
        result.rwidth() += CheckColumn;
    return result;
}

void TMenuCheckStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                                  const QWidget* widget) const
{
    const QStyleOptionMenuItem* item = element == CE_MenuItem ? CheckableItem(option) : nullptr;
    if (!item)
    {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    // The row's background (and its highlight) across the whole width, then the command itself
    // to the right of the check column, drawn as if unchecked so its picture stays plain.
    QStyleOptionMenuItem row = *item;
    row.text.clear();
    row.icon = QIcon();
    row.checkType = QStyleOptionMenuItem::NotCheckable;
    row.checked = false;
    QProxyStyle::drawControl(element, &row, painter, widget);

    QStyleOptionMenuItem command = *item;
    command.rect.adjust(CheckColumn, 0, 0, 0);
    command.checked = false;
    QProxyStyle::drawControl(element, &command, painter, widget);

    if (!item->checked)
        return;
    const bool selected = item->state & State_Selected;
    const QRectF box(item->rect.left() + 5, item->rect.center().y() - 5, 11, 11);
    QPainterPath tick;
    tick.moveTo(box.left(), box.top() + box.height() * 0.55);
    tick.lineTo(box.left() + box.width() * 0.38, box.bottom() - 1);
    tick.lineTo(box.right(), box.top() + 1);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(QPen(item->palette.color(selected ? QPalette::HighlightedText : QPalette::Text), 2));
    painter->drawPath(tick);
    painter->restore();
}
