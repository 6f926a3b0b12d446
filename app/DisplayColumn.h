#pragma once

#include <array>

class QWidget;
class TBevelPanel;
class TCellImages;
class TNextPreview;
class TSevenSegment;

// The right column: the next-piece preview and the score, level and best-score displays, each
// under its caption, kept at the right edge of the client area.
struct TDisplayColumn
{
    TBevelPanel* PanelNext = nullptr;
    TNextPreview* Preview = nullptr;
    TSevenSegment* Score = nullptr;
    TSevenSegment* Level = nullptr;
    TSevenSegment* High = nullptr;

    // Moves every caption and panel so that its right edge stays 25 pixels inside the client area.
    void KeepRight(int clientWidth) const;

    std::array<QWidget*, 8> Placed{};
};

TDisplayColumn BuildDisplayColumn(QWidget& client, TCellImages& cells);
