#include "app/DisplayColumn.h"

#include "app/BevelPanel.h"
#include "app/ColumnCaption.h"
#include "app/Fonts.h"
#include "view/NextPreview.h"
#include "view/Seven.h"
#include "view/WindowLimits.h"

#include <QLabel>

namespace
{
void StyleDisplay(TSevenSegment* display, int digits)
{
    display->SetThickness(3);
    display->SetSpace(1);
    display->SetHorzSpace(4);
    display->SetVertSpace(4);
    display->SetColor(Qt::black);
    display->SetOnColor(QColor(255, 255, 0));
    display->SetOffColor(QColor(64, 64, 64));
    display->SetNumberOfDecimals(0);
    display->SetShowDecimalPoint(false);
    display->SetShowPlusMinus(false);
    display->SetLeadingZeros(false);
    display->SetValueType(ssNumeric);
    display->SetNumberOfDigits(digits);
    display->SetValue(QStringLiteral("0"));
}
} // namespace

TDisplayColumn BuildDisplayColumn(QWidget& client, TCellImages& cells)
{
    TDisplayColumn column;
    const QFont labelFont = SerifFont(16, true);
    QLabel* labelNext = MakeColumnCaption(client, QStringLiteral("Next block"), labelFont, {0, 8});
    column.PanelNext = new TBevelPanel(&client, true, 5);
    column.PanelNext->setGeometry(0, 30, 133, 131);
    column.Preview = new TNextPreview(cells);
    column.PanelNext->SetContent(column.Preview);

    std::array<QLabel*, 3> labels{};
    std::array<TBevelPanel*, 3> panels{};
    auto addDisplay = [&](int index, const QString& caption, int top, int width, int digits) {
        labels[index] = MakeColumnCaption(client, caption, labelFont, {0, top});
        panels[index] = new TBevelPanel(&client, false, 3);
        panels[index]->setGeometry(0, top + 18, width, 37);
        auto* display = new TSevenSegment;
        StyleDisplay(display, digits);
        panels[index]->SetContent(display);
        return display;
    };
    column.Score = addDisplay(0, QStringLiteral("Score"), 182, 121, 6);
    column.Level = addDisplay(1, QStringLiteral("Level"), 254, 42, 2);
    column.High = addDisplay(2, QStringLiteral("Highest Score"), 326, 121, 6);
    column.Placed = {labelNext, labels[0], labels[1], labels[2], column.PanelNext, panels[0], panels[1], panels[2]};
    return column;
}

void TDisplayColumn::KeepRight(int clientWidth) const
{
    for (QWidget* control : Placed)
        control->move(TWindowLimits::RightColumnLeft(clientWidth, control->width()), control->y());
}
