#pragma once

#include <QColor>
#include <QImage>
#include <QString>
#include <QWidget>

#include <cstdint>

class QPainter;

enum TValueType
{
    ssNumeric = 0,
    ssAlphaNumeric = 1
};

// A row of seven-segment digit cells: lit segments in OnColor, unlit ones in OffColor,
// on a solid Color background. Holds the geometry and the glyphs; painting is left to
// TSevenSegment.
class TCustomSevenSegment : public QWidget
{
    Q_OBJECT

public:
    // The code of a character that shows nothing (space and anything not in the glyph table).
    static constexpr int BlankCode = 36;
    static constexpr int CodeCount = 40;

    explicit TCustomSevenSegment(QWidget* parent = nullptr);

    const QString& Value() const { return FValue; }
    void SetValue(const QString& value);

    int Thickness() const { return FThickness; }
    void SetThickness(int thickness);

    int Space() const { return FSpace; }
    void SetSpace(int space);

    int HorzSpace() const { return FHorzSpace; }
    void SetHorzSpace(int horzSpace);

    int VertSpace() const { return FVertSpace; }
    void SetVertSpace(int vertSpace);

    QColor Color() const { return FColor; }
    void SetColor(const QColor& color);

    QColor OnColor() const { return FOnColor; }
    void SetOnColor(const QColor& color);

    QColor OffColor() const { return FOffColor; }
    void SetOffColor(const QColor& color);

    int NumberOfDigits() const { return FNumberOfDigits; }
    // Anything below 1 is stored as 1.
    virtual void SetNumberOfDigits(int numberOfDigits);

    // Glyph code 0..39 of a character; letters are matched regardless of case.
    static int CharToCode(QChar character);
    // Bits 0..6 light segments a..g (top, upper right, lower right, bottom, lower left,
    // upper left, middle). Bit 7 marks a point or colon and is never drawn as a segment.
    static uint8_t SegmentBits(int code);

protected:
    // Draws all seven segments of one digit into the cell running from (left, top) to
    // (right, bottom); the horizontal margin is taken inside the cell.
    void DrawDigit(QPainter& painter, int code, int left, int top, int right, int bottom) const;

private:
    QString FValue = QStringLiteral("0");
    int FThickness = 5;
    int FSpace = 2;
    int FHorzSpace = 8;
    int FVertSpace = 6;
    QColor FColor = QColor(0, 0, 0);
    QColor FOnColor = QColor(255, 0, 0);
    QColor FOffColor = QColor(64, 64, 64);
    int FNumberOfDigits = 6;
};

// The seven-segment display proper: formats Value as a number (or shows it as text),
// with an optional plus/minus cell, decimal-point dots and colons, and paints it
// off-screen first so that an update never flickers.
class TSevenSegment : public TCustomSevenSegment
{
    Q_OBJECT

public:
    explicit TSevenSegment(QWidget* parent = nullptr);

    int NumberOfDecimals() const { return FNumberOfDecimals; }
    void SetNumberOfDecimals(int numberOfDecimals);

    bool ShowDecimalPoint() const { return FShowDecimalPoint; }
    void SetShowDecimalPoint(bool show);

    bool ShowPlusMinus() const { return FShowPlusMinus; }
    void SetShowPlusMinus(bool show);

    bool LeadingZeros() const { return FLeadingZeros; }
    void SetLeadingZeros(bool leadingZeros);

    TValueType ValueType() const { return FValueType; }
    void SetValueType(TValueType valueType);

    // The text laid out over the cells, points and colons included. In numeric mode a
    // Value that is not a finite number counts as 0; isNegative tells whether the value
    // was below zero (only the plus/minus cell needs that).
    QString DisplayText(bool* isNegative = nullptr) const;

    // The whole control as it appears on screen, at the widget's current size.
    QImage Render() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int FNumberOfDecimals = 0;
    bool FShowDecimalPoint = true;
    bool FShowPlusMinus = false;
    bool FLeadingZeros = false;
    TValueType FValueType = ssNumeric;
};
