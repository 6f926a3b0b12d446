#include "view/Seven.h"

#include <QPainter>
#include <QPoint>
#include <QRect>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace
{

constexpr uint8_t Glyphs[TCustomSevenSegment::CodeCount] = {
    0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F, // 0 .. 9
    0x77, 0x7C, 0x39, 0x5E, 0x79, 0x71,                         // A .. F
    0x7D, 0x74, 0x06, 0x0E, 0x76, 0x38,                         // G .. L
    0x54, 0x54, 0x5C, 0x73, 0x67, 0x50,                         // M .. R
    0x6D, 0x70, 0x3E, 0x3E, 0x3E, 0x76,                         // S .. X
    0x6E, 0x5B,                                                 // Y, Z
    0x00,                                                       // blank
    0x40,                                                       // -
    0x8B,                                                       // .
    0xC0,                                                       // :
};

constexpr int MinusCode = 37;
constexpr int PointCode = 38;
constexpr int ColonCode = 39;

// Beyond this many decimals past the digit count, the cells can only ever show zeros
// (a double has no significant digit that far right), so longer pictures change nothing.
constexpr int MaxDecimalsPastDigits = 400;

// A square (or bar) given by its corners, right and bottom edges excluded.
QRect Span(int x1, int y1, int x2, int y2)
{
    return QRect(x1, y1, x2 - x1, y2 - y1);
}

// Shortest general decimal text with at most 15 significant digits, always with ".".
std::string GeneralText(double magnitude)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::general, 15);
    return std::string(buffer, result.ptr);
}

// Formats a non-negative value like a picture of intMin "0"s, a ".", decMin "0"s and then
// (decMax - decMin) "#"s: at least intMin integer digits, decimals rounded half away from
// zero to decMax places with trailing zeros dropped down to decMin; no point without decimals.
std::string PictureText(double magnitude, int intMin, int decMin, int decMax)
{
    // 18 significant digits, so that a value such as 2.675 (stored just below it) rounds
    // the way its binary value says, while an exact half still rounds up.
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, 17);
    const std::string scientific(buffer, result.ptr);
    const size_t exponentAt = scientific.find('e');
    std::string digits;
    for (size_t i = 0; i < exponentAt; ++i)
        if (scientific[i] != '.')
            digits += scientific[i];
    int pointAt = std::stoi(scientific.substr(exponentAt + 1)) + 1; // digits before the point

    const long long keep = static_cast<long long>(pointAt) + decMax;
    if (keep < static_cast<long long>(digits.size()))
    {
        const bool roundUp = keep >= 0 && digits[static_cast<size_t>(keep)] >= '5';
        digits.resize(static_cast<size_t>(std::max<long long>(keep, 0)));
        if (roundUp)
        {
            size_t i = digits.size();
            while (i > 0 && digits[i - 1] == '9')
                digits[--i] = '0';
            if (i > 0)
                ++digits[i - 1];
            else
            {
                digits.insert(digits.begin(), '1');
                ++pointAt;
            }
        }
    }

    const auto digitAt = [&](long long index) {
        return index >= 0 && index < static_cast<long long>(digits.size()) ? digits[static_cast<size_t>(index)] : '0';
    };

    std::string integerPart;
    for (long long i = 0; i < pointAt; ++i)
        integerPart += digitAt(i);
    integerPart.erase(0, std::min(integerPart.find_first_not_of('0'), integerPart.size()));
    if (static_cast<int>(integerPart.size()) < intMin)
        integerPart.insert(0, static_cast<size_t>(intMin) - integerPart.size(), '0');

    std::string fraction;
    for (int i = 0; i < decMax; ++i)
        fraction += digitAt(static_cast<long long>(pointAt) + i);
    while (static_cast<int>(fraction.size()) > decMin && fraction.back() == '0')
        fraction.pop_back();

    std::string text = fraction.empty() ? integerPart : integerPart + "." + fraction;
    return text.empty() ? std::string("0") : text;
}

bool HasNonZeroDigit(const std::string& text)
{
    return std::any_of(text.begin(), text.end(), [](char c) { return c >= '1' && c <= '9'; });
}

} // namespace

// ---------------------------------------------------------------------------------------

TCustomSevenSegment::TCustomSevenSegment(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(200, 50);
}

void TCustomSevenSegment::SetValue(const QString& value)
{
    FValue = value;
    update();
}

void TCustomSevenSegment::SetThickness(int thickness)
{
    FThickness = thickness;
    update();
}

void TCustomSevenSegment::SetSpace(int space)
{
    FSpace = space;
    update();
}

void TCustomSevenSegment::SetHorzSpace(int horzSpace)
{
    FHorzSpace = horzSpace;
    update();
}

void TCustomSevenSegment::SetVertSpace(int vertSpace)
{
    FVertSpace = vertSpace;
    update();
}

void TCustomSevenSegment::SetColor(const QColor& color)
{
    FColor = color;
    update();
}

void TCustomSevenSegment::SetOnColor(const QColor& color)
{
    FOnColor = color;
    update();
}

void TCustomSevenSegment::SetOffColor(const QColor& color)
{
    FOffColor = color;
    update();
}

void TCustomSevenSegment::SetNumberOfDigits(int numberOfDigits)
{
    FNumberOfDigits = std::max(numberOfDigits, 1);
    update();
}

int TCustomSevenSegment::CharToCode(QChar character)
{
    const char16_t c = character.unicode();
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'A' && c <= u'Z')
        return 10 + (c - u'A');
    if (c >= u'a' && c <= u'z')
        return 10 + (c - u'a');
    if (c == u'-')
        return MinusCode;
    if (c == u'.')
        return PointCode;
    if (c == u':')
        return ColonCode;
    return BlankCode;
}

uint8_t TCustomSevenSegment::SegmentBits(int code)
{
    return code >= 0 && code < CodeCount ? Glyphs[code] : 0;
}

void TCustomSevenSegment::DrawDigit(QPainter& painter, int code, int left, int top, int right, int bottom) const
{
    const int L = left + FHorzSpace / 2;
    const int R = right - FHorzSpace / 2;
    const int T = top;
    const int B = bottom;
    const int M = (T + B) / 2;
    const int S = FSpace;
    const int W = FThickness;
    const int h = S / 2;
    const int t = W / 2;

    const QPoint a[] = {{L + S, T}, {L + S + W, T + W}, {R - S - W, T + W}, {R - S, T}};
    const QPoint b[] = {{R, M - h}, {R - W, M - h - W}, {R - W, T + S + W}, {R, T + S}};
    const QPoint c[] = {{R, B - S}, {R - W, B - S - W}, {R - W, M + h + W}, {R, M + h}};
    const QPoint d[] = {{L + S, B}, {L + S + W, B - W}, {R - S - W, B - W}, {R - S, B}};
    const QPoint e[] = {{L, M + h}, {L + W, M + h + W}, {L + W, B - S - W}, {L, B - S}};
    const QPoint f[] = {{L, T + S}, {L + W, T + S + W}, {L + W, M - h - W}, {L, M - h}};
    const QPoint g[] = {{L + S, M},     {L + S + t, M - t}, {R - S - t, M - t},
                        {R - S, M},     {R - S - t, M + t}, {L + S + t, M + t}};
    const QPoint* const segments[] = {a, b, c, d, e, f, g};

    const uint8_t bits = SegmentBits(code);
    painter.setPen(Qt::NoPen);
    for (int segment = 0; segment < 7; ++segment)
    {
        painter.setBrush(bits & (1u << segment) ? FOnColor : FOffColor);
        painter.drawPolygon(segments[segment], segment == 6 ? 6 : 4);
    }
}

// ---------------------------------------------------------------------------------------

TSevenSegment::TSevenSegment(QWidget* parent)
    : TCustomSevenSegment(parent)
{
}

void TSevenSegment::SetNumberOfDecimals(int numberOfDecimals)
{
    FNumberOfDecimals = numberOfDecimals;
    update();
}

void TSevenSegment::SetShowDecimalPoint(bool show)
{
    FShowDecimalPoint = show;
    update();
}

void TSevenSegment::SetShowPlusMinus(bool show)
{
    FShowPlusMinus = show;
    update();
}

void TSevenSegment::SetLeadingZeros(bool leadingZeros)
{
    FLeadingZeros = leadingZeros;
    update();
}

void TSevenSegment::SetValueType(TValueType valueType)
{
    FValueType = valueType;
    update();
}

QString TSevenSegment::DisplayText(bool* isNegative) const
{
    const int n = NumberOfDigits();
    if (FValueType == ssAlphaNumeric)
    {
        if (isNegative)
            *isNegative = false;
        return Value().rightJustified(n, QLatin1Char(' '));
    }

    bool ok = false;
    double v = Value().toDouble(&ok);
    if (!ok || !std::isfinite(v))
        v = 0.0;
    const bool negative = v < 0.0;
    if (isNegative)
        *isNegative = negative;

    const double magnitude = std::fabs(v);
    const bool signInText = negative && !FShowPlusMinus;
    std::string body;
    if (FLeadingZeros)
    {
        // A minus sign in the text takes one of the cells, so pad one zero fewer for it.
        const int signCell = signInText ? 1 : 0;
        const int decimals = std::clamp(FNumberOfDecimals, 0, n);
        if (decimals == 0)
            body = PictureText(magnitude, std::max(n - signCell, 0), 0, n);
        else
            body = PictureText(magnitude, std::max(n - decimals - signCell, 0), decimals, decimals);
    }
    else if (FNumberOfDecimals > 0)
    {
        const int decimals = static_cast<int>(std::min<long long>(FNumberOfDecimals, static_cast<long long>(n) + MaxDecimalsPastDigits));
        body = PictureText(magnitude, 1, decimals, decimals);
    }
    else
        body = GeneralText(magnitude);

    // A value that rounds to nothing but zeros shows no minus sign.
    if (signInText && HasNonZeroDigit(body))
        body.insert(body.begin(), '-');
    return QString::fromStdString(body);
}

QImage TSevenSegment::Render() const
{
    const int clientWidth = width();
    const int clientHeight = height();
    if (clientWidth <= 0 || clientHeight <= 0)
        return QImage();

    // The segments are polygons: on a screen with more pixels per coordinate they are filled at
    // its own pixels rather than enlarged afterwards.
    const qreal ratio = devicePixelRatioF();
    QImage image(QSize(clientWidth, clientHeight) * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Color());

    const int n = NumberOfDigits();
    const bool plusMinus = FValueType == ssNumeric && FShowPlusMinus;
    const long long cellCount = static_cast<long long>(n) + (plusMinus ? 1 : 0);
    const int cellWidth = static_cast<int>(clientWidth / cellCount);
    // More cells than pixels across: nothing sensible to draw, only the background.
    if (cellWidth <= 0)
        return image;

    bool negative = false;
    const QString text = DisplayText(&negative);

    QPainter painter(&image);
    painter.setPen(Qt::NoPen);

    const int W = Thickness();
    const int cellTop = VertSpace() / 2;
    const int cellBottom = clientHeight - VertSpace() / 2;
    int cellLeft = (clientWidth - cellWidth * static_cast<int>(cellCount)) / 2;

    if (plusMinus)
    {
        const int s = std::min(cellWidth, cellBottom - cellTop);
        const int cx = cellLeft + s / 2;
        const int cy = cellTop + s / 2;
        const QColor plusColor = negative ? OffColor() : OnColor();
        const QColor minusColor = negative ? OnColor() : OffColor();
        painter.fillRect(QRect(cx - W / 2, cy - s / 2, W, s), plusColor);
        painter.fillRect(QRect(cx - s / 2, cy - W / 2, s, W), plusColor);
        painter.fillRect(QRect(cx - s / 2, cy + s - W / 2, s, W), minusColor);
        cellLeft += cellWidth;
    }

    // Points and colons sit between cells and take none of their own; a point counts so
    // only when it is close enough to the end to fall inside the display.
    const int length = static_cast<int>(text.size());
    int extra = 0;
    for (int i = 0; i < length; ++i)
        if (text[i] == QLatin1Char(':') || (text[i] == QLatin1Char('.') && length - 1 - i <= n))
            ++extra;
    const int visibleLength = length - extra;
    const int offset = n - visibleLength;

    const bool dotsFit = HorzSpace() > W;
    const int colonCentre = (clientHeight - VertSpace() / 2) / 2;
    bool previousWasPointOrColon = false;
    for (int k = 1; k <= n + extra; ++k)
    {
        const bool blank = n - k >= visibleLength;
        const QChar character = blank ? QLatin1Char(' ') : text[k - offset - 1];
        const bool isPoint = character == QLatin1Char('.');
        const bool isColon = character == QLatin1Char(':');

        DrawDigit(painter, blank ? BlankCode : CharToCode(character), cellLeft, cellTop, cellLeft + cellWidth, cellBottom);

        if (FShowDecimalPoint && !previousWasPointOrColon && dotsFit && k > 1)
        {
            const QColor dotColor = isPoint ? OnColor() : FValueType == ssNumeric ? OffColor() : Color();
            painter.fillRect(Span(cellLeft - W / 2, cellBottom - W, cellLeft + W / 2 + 1, cellBottom), dotColor);
        }
        if (isColon)
        {
            painter.fillRect(Span(cellLeft - W / 2, colonCentre - W - 4, cellLeft + W / 2 + 1, colonCentre - 4), OnColor());
            painter.fillRect(Span(cellLeft - W / 2, colonCentre + 4, cellLeft + W / 2 + 1, colonCentre + W + 4), OnColor());
        }

        // The next character is drawn over a point or colon's cell.
        previousWasPointOrColon = isPoint || isColon;
        if (!previousWasPointOrColon)
            cellLeft += cellWidth;
    }
    return image;
}

void TSevenSegment::paintEvent(QPaintEvent* /*event*/)
{
    const QImage image = Render();
    if (image.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(0, 0, image);
}
