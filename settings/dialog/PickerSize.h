#pragma once

#include <QSize>

class QFileDialog;

// The size a file picker opens at: at first wide enough for its columns and its filter text,
// then the size the player last gave a picker of its kind during this run (never stored).
class TPickerSize
{
public:
    explicit TPickerSize(QSize first) : Size(first) {}

    // Sizes the picker and lets its detail columns and filter list take the width they need.
    void Apply(QFileDialog& picker) const;
    // Called when the picker closes, however it closes.
    void Keep(const QFileDialog& picker);

    QSize Current() const { return Size; }

private:
    QSize Size;
};
