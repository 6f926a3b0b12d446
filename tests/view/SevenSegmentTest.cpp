#include "view/Seven.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPoint>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace
{

const QColor Black(0, 0, 0);
const QColor Red(255, 0, 0);
const QColor Yellow(255, 255, 0);
const QColor DarkGrey(64, 64, 64);

struct TCell
{
    int Left;
    int Top;
    int Right;
    int Bottom;
};

// Where the display's cells lie, worked out independently from the layout rules.
struct TLayout
{
    int Width;
    int Height;
    int Digits;
    int VertSpace;
    bool PlusMinus = false;

    int CellCount() const { return Digits + (PlusMinus ? 1 : 0); }
    int CellWidth() const { return Width / CellCount(); }
    int FirstLeft() const { return (Width - CellWidth() * CellCount()) / 2; }
    int Top() const { return VertSpace / 2; }
    int Bottom() const { return Height - VertSpace / 2; }
    // Digit cell i (0-based), after the plus/minus cell when there is one.
    TCell DigitCell(int i) const
    {
        const int left = FirstLeft() + CellWidth() * (i + (PlusMinus ? 1 : 0));
        return {left, Top(), left + CellWidth(), Bottom()};
    }
};

TLayout LayoutOf(const TSevenSegment& display)
{
    return {display.width(), display.height(), display.NumberOfDigits(), display.VertSpace(),
            display.ValueType() == ssNumeric && display.ShowPlusMinus()};
}

// Middle of segment 'a'..'g' of a digit cell: the centre of its polygon's bounding box.
QPoint SegmentCentre(const TSevenSegment& display, const TCell& cell, char segment)
{
    const int L = cell.Left + display.HorzSpace() / 2;
    const int R = cell.Right - display.HorzSpace() / 2;
    const int T = cell.Top;
    const int B = cell.Bottom;
    const int M = (T + B) / 2;
    const int S = display.Space();
    const int W = display.Thickness();
    const int h = S / 2;
    const int t = W / 2;
    std::vector<QPoint> corners;
    switch (segment)
    {
    case 'a': corners = {{L + S, T}, {L + S + W, T + W}, {R - S - W, T + W}, {R - S, T}}; break;
    case 'b': corners = {{R, M - h}, {R - W, M - h - W}, {R - W, T + S + W}, {R, T + S}}; break;
    case 'c': corners = {{R, B - S}, {R - W, B - S - W}, {R - W, M + h + W}, {R, M + h}}; break;
    case 'd': corners = {{L + S, B}, {L + S + W, B - W}, {R - S - W, B - W}, {R - S, B}}; break;
    case 'e': corners = {{L, M + h}, {L + W, M + h + W}, {L + W, B - S - W}, {L, B - S}}; break;
    case 'f': corners = {{L, T + S}, {L + W, T + S + W}, {L + W, M - h - W}, {L, M - h}}; break;
    default:
        corners = {{L + S, M}, {L + S + t, M - t}, {R - S - t, M - t}, {R - S, M}, {R - S - t, M + t}, {L + S + t, M + t}};
    }
    int minX = corners[0].x(), maxX = minX, minY = corners[0].y(), maxY = minY;
    for (const QPoint& p : corners)
    {
        minX = std::min(minX, p.x());
        maxX = std::max(maxX, p.x());
        minY = std::min(minY, p.y());
        maxY = std::max(maxY, p.y());
    }
    return {(minX + maxX) / 2, (minY + maxY) / 2};
}

// The lit segments of a cell as letters, e.g. "bc" for a one; '?' marks a segment whose
// middle is neither OnColor nor OffColor.
std::string LitSegments(const TSevenSegment& display, const QImage& image, const TCell& cell)
{
    std::string lit;
    for (char segment : std::string("abcdefg"))
    {
        const QPoint p = SegmentCentre(display, cell, segment);
        const QRgb pixel = image.pixel(p);
        if (pixel == display.OnColor().rgb())
            lit += segment;
        else if (pixel != display.OffColor().rgb())
            lit += '?';
    }
    return lit;
}

std::vector<std::string> ShownCells(const TSevenSegment& display)
{
    const QImage image = display.Render();
    const TLayout layout = LayoutOf(display);
    std::vector<std::string> cells;
    for (int i = 0; i < display.NumberOfDigits(); ++i)
        cells.push_back(LitSegments(display, image, layout.DigitCell(i)));
    return cells;
}

// The lit segments of each character as a player reads them.
const char* const Zero = "abcdef";
const char* const One = "bc";
const char* const Two = "abdeg";
const char* const Three = "abcdg";
const char* const Four = "bcfg";
const char* const Five = "acdfg";
const char* const Six = "acdefg";
const char* const Seven = "abc";
const char* const Eight = "abcdefg";
const char* const Nine = "abcdfg";
const char* const Blank = "";
const char* const Minus = "g";

// Like the game's score and best-score displays.
void SetUpScoreDisplay(TSevenSegment& display)
{
    display.resize(113, 29);
    display.SetThickness(3);
    display.SetSpace(1);
    display.SetHorzSpace(4);
    display.SetVertSpace(4);
    display.SetColor(Black);
    display.SetOnColor(Yellow);
    display.SetOffColor(DarkGrey);
    display.SetShowDecimalPoint(false);
    display.SetNumberOfDigits(6);
}

enum TSize
{
    ScoreSize, // 113 x 29 with the game's settings
    DefaultSize // 200 x 50 with everything at its default
};

void Prepare(TSevenSegment& display, TSize size)
{
    if (size == ScoreSize)
        SetUpScoreDisplay(display);
}

struct TCellCase
{
    const char* Name;
    TSize Size;
    std::function<void(TSevenSegment&)> Configure;
    std::vector<std::string> Expected;
};

TEST(SevenSegmentTest, CellsShowTheFormattedValue)
{
    const std::vector<TCellCase> cases = {
        {"zero on the score display", ScoreSize, [](TSevenSegment& d) { d.SetValue("0"); },
         {Blank, Blank, Blank, Blank, Blank, Zero}},
        {"zero at the default size", DefaultSize, [](TSevenSegment& d) { d.SetValue("0"); },
         {Blank, Blank, Blank, Blank, Blank, Zero}},
        {"every digit", ScoreSize, [](TSevenSegment& d) { d.SetValue("890123"); },
         {Eight, Nine, Zero, One, Two, Three}},
        {"more digits", DefaultSize, [](TSevenSegment& d) { d.SetValue("4567"); },
         {Blank, Blank, Four, Five, Six, Seven}},
        {"too long: leading digits cut off", ScoreSize, [](TSevenSegment& d) { d.SetValue("1234567"); },
         {Two, Three, Four, Five, Six, Seven}},
        {"too long at the default size", DefaultSize, [](TSevenSegment& d) { d.SetValue("1234567"); },
         {Two, Three, Four, Five, Six, Seven}},
        {"leading zeros", ScoreSize, [](TSevenSegment& d) { d.SetLeadingZeros(true); d.SetValue("42"); },
         {Zero, Zero, Zero, Zero, Four, Two}},
        {"leading zeros at the default size", DefaultSize,
         [](TSevenSegment& d) { d.SetLeadingZeros(true); d.SetValue("42"); },
         {Zero, Zero, Zero, Zero, Four, Two}},
        {"negative keeps its sign cell", ScoreSize, [](TSevenSegment& d) { d.SetValue("-42"); },
         {Blank, Blank, Blank, Minus, Four, Two}},
        {"negative at the default size", DefaultSize, [](TSevenSegment& d) { d.SetValue("-42"); },
         {Blank, Blank, Blank, Minus, Four, Two}},
        {"negative with leading zeros keeps its sign", ScoreSize,
         [](TSevenSegment& d) { d.SetLeadingZeros(true); d.SetValue("-42"); },
         {Minus, Zero, Zero, Zero, Four, Two}},
        {"two decimals: the point takes no cell", DefaultSize,
         [](TSevenSegment& d) { d.SetNumberOfDecimals(2); d.SetValue("3.14159"); },
         {Blank, Blank, Blank, Three, One, Four}},
        {"two decimals on the score display", ScoreSize,
         [](TSevenSegment& d) { d.SetNumberOfDecimals(2); d.SetShowDecimalPoint(true); d.SetValue("3.14159"); },
         {Blank, Blank, Blank, Three, One, Four}},
        {"two decimals without room for dots", DefaultSize,
         [](TSevenSegment& d) { d.SetHorzSpace(5); d.SetNumberOfDecimals(2); d.SetValue("3.14159"); },
         {Blank, Blank, Blank, Three, One, Four}},
        {"a point with as many characters after it as cells takes no cell", ScoreSize,
         [](TSevenSegment& d) { d.SetNumberOfDigits(4); d.SetValueType(ssAlphaNumeric); d.SetValue("9.1:23"); },
         {Nine, One, Two, Three}},
        {"a point further left is cut off with the digits before it", ScoreSize,
         [](TSevenSegment& d) { d.SetNumberOfDigits(4); d.SetValueType(ssAlphaNumeric); d.SetValue("9.12345"); },
         {Two, Three, Four, Five}},
        {"not a number shows zero", ScoreSize, [](TSevenSegment& d) { d.SetValue("12ab"); },
         {Blank, Blank, Blank, Blank, Blank, Zero}},
        {"plus/minus cell: magnitude only", ScoreSize,
         [](TSevenSegment& d) { d.SetShowPlusMinus(true); d.SetValue("-42"); },
         {Blank, Blank, Blank, Blank, Four, Two}},
        {"plus/minus is numeric only", DefaultSize,
         [](TSevenSegment& d) { d.SetShowPlusMinus(true); d.SetValueType(ssAlphaNumeric); d.SetValue("-42"); },
         {Blank, Blank, Blank, Minus, Four, Two}},
    };
    for (const TCellCase& c : cases)
    {
        SCOPED_TRACE(c.Name);
        TSevenSegment display;
        Prepare(display, c.Size);
        c.Configure(display);
        EXPECT_EQ(ShownCells(display), c.Expected);
    }
}

TEST(SevenSegmentTest, DigitCountBelowOneBecomesOne)
{
    const std::vector<std::pair<int, int>> cases = {{0, 1}, {-1, 1}, {-100, 1}, {1, 1}, {2, 2}};
    for (TSize size : {ScoreSize, DefaultSize})
        for (const auto& [given, stored] : cases)
        {
            SCOPED_TRACE(given);
            TSevenSegment display;
            Prepare(display, size);
            display.SetNumberOfDigits(given);
            EXPECT_EQ(display.NumberOfDigits(), stored);
            display.SetValue("57");
            // One cell spans the whole width and shows the last digit.
            const std::vector<std::string> expected =
                stored == 1 ? std::vector<std::string>{Seven} : std::vector<std::string>{Five, Seven};
            EXPECT_EQ(ShownCells(display), expected);
        }
}

TEST(SevenSegmentTest, LettersAreShownRegardlessOfCase)
{
    struct TGlyphCase
    {
        const char* Text;
        std::vector<std::string> Expected;
    };
    const std::vector<TGlyphCase> cases = {
        {"ABCDEF", {"abcefg", "cdefg", "adef", "bcdeg", "adefg", "aefg"}},
        {"GHIJKL", {"acdefg", "cefg", "bc", "bcd", "bcefg", "def"}},
        {"MNOPQR", {"ceg", "ceg", "cdeg", "abefg", "abcfg", "eg"}},
        {"STUVWX", {"acdfg", "efg", "bcdef", "bcdef", "bcdef", "bcefg"}},
        {"YZ-? 5", {"bcdfg", "abdeg", "g", Blank, Blank, Five}},
        {"_*=+@#", {Blank, Blank, Blank, Blank, Blank, Blank}},
    };
    for (TSize size : {ScoreSize, DefaultSize})
        for (const TGlyphCase& c : cases)
            for (const QString& text : {QString::fromLatin1(c.Text), QString::fromLatin1(c.Text).toLower()})
            {
                SCOPED_TRACE(text.toStdString());
                TSevenSegment display;
                Prepare(display, size);
                display.SetValueType(ssAlphaNumeric);
                display.SetValue(text);
                EXPECT_EQ(ShownCells(display), c.Expected);
            }

    // Letters outside ASCII are blank, even where they look like a Latin letter.
    TSevenSegment display;
    display.SetValueType(ssAlphaNumeric);
    display.SetValue(QString::fromUtf8("\xc3\x89\xc3\xa9\xce\x91\xd0\x90\xef\xbc\xa1\xef\xbc\x91"));
    EXPECT_EQ(ShownCells(display), std::vector<std::string>(6, Blank));
}

// The dot square in the gap before digit cell i, sampled at its middle.
QRgb DotBefore(const TSevenSegment& display, const QImage& image, int i)
{
    const TCell cell = LayoutOf(display).DigitCell(i);
    const int w = display.Thickness();
    return image.pixel(cell.Left, cell.Bottom - w + w / 2);
}

struct TDotCase
{
    const char* Name;
    TSize Size;
    std::function<void(TSevenSegment&)> Configure;
    // Gaps before cells 0..5: 'L' lit, 'u' unlit, ' ' background only.
    const char* Expected;
};

TEST(SevenSegmentTest, DecimalPointsSitBetweenCells)
{
    const std::vector<TDotCase> cases = {
        {"lit between 3 and 1", DefaultSize,
         [](TSevenSegment& d) { d.SetNumberOfDecimals(2); d.SetValue("3.14159"); }, " uuuLu"},
        {"lit between 3 and 1 on the score display", ScoreSize,
         [](TSevenSegment& d) { d.SetShowDecimalPoint(true); d.SetNumberOfDecimals(2); d.SetValue("3.14159"); },
         " uuuLu"},
        {"whole numbers leave every point unlit", DefaultSize, [](TSevenSegment& d) { d.SetValue("314"); },
         " uuuuu"},
        {"no points when switched off", DefaultSize,
         [](TSevenSegment& d) { d.SetShowDecimalPoint(false); d.SetNumberOfDecimals(2); d.SetValue("3.14159"); },
         "      "},
        {"no points when the margin equals the thickness", DefaultSize,
         [](TSevenSegment& d) { d.SetHorzSpace(5); d.SetNumberOfDecimals(2); d.SetValue("3.14159"); }, "      "},
        {"no points when the margin is thinner", ScoreSize,
         [](TSevenSegment& d) {
             d.SetShowDecimalPoint(true);
             d.SetHorzSpace(2);
             d.SetNumberOfDecimals(2);
             d.SetValue("3.14159");
         },
         "      "},
        {"text mode: unlit points are invisible", DefaultSize,
         [](TSevenSegment& d) { d.SetValueType(ssAlphaNumeric); d.SetValue("12.5"); }, "     L"},
        {"plus/minus cell shifts the points", DefaultSize,
         [](TSevenSegment& d) { d.SetShowPlusMinus(true); d.SetNumberOfDecimals(1); d.SetValue("-2.5"); },
         " uuuuL"},
    };
    for (const TDotCase& c : cases)
    {
        SCOPED_TRACE(c.Name);
        TSevenSegment display;
        Prepare(display, c.Size);
        c.Configure(display);
        const QImage image = display.Render();
        std::string dots;
        for (int i = 0; i < 6; ++i)
        {
            const QRgb pixel = DotBefore(display, image, i);
            dots += pixel == display.OnColor().rgb()    ? 'L'
                    : pixel == display.OffColor().rgb() ? 'u'
                    : pixel == display.Color().rgb()    ? ' '
                                                        : '?';
        }
        EXPECT_EQ(dots, c.Expected);
    }
}

struct TColonCase
{
    const char* Name;
    TSize Size;
    int HorzSpace;
};

TEST(SevenSegmentTest, ColonLightsTwoSquaresBetweenCells)
{
    const std::vector<TColonCase> cases = {
        {"default size", DefaultSize, 8},
        {"score display size", ScoreSize, 4},
        {"margin equal to the thickness", DefaultSize, 5},
        {"margin thinner than the thickness", ScoreSize, 1},
    };
    for (const TColonCase& c : cases)
    {
        SCOPED_TRACE(c.Name);
        TSevenSegment display;
        Prepare(display, c.Size);
        display.SetHorzSpace(c.HorzSpace);
        display.SetNumberOfDigits(4);
        display.SetValueType(ssAlphaNumeric);
        display.SetValue("12:30");
        EXPECT_EQ(ShownCells(display), (std::vector<std::string>{One, Two, Three, Zero}));

        const QImage image = display.Render();
        const TLayout layout = LayoutOf(display);
        const int w = display.Thickness();
        const int c0 = (display.height() - display.VertSpace() / 2) / 2;
        const int upperY = c0 - w - 4 + w / 2;
        const int lowerY = c0 + 4 + w / 2;
        // Sampled at the squares' left column, which the next digit never paints over.
        const int colon = layout.DigitCell(2).Left - w / 2;
        EXPECT_EQ(image.pixel(colon, upperY), display.OnColor().rgb());
        EXPECT_EQ(image.pixel(colon, lowerY), display.OnColor().rgb());

        // Nothing lit just outside the squares.
        if (display.HorzSpace() > display.Thickness())
            for (int y : {c0 - w - 5, c0 - 4, c0 + 3, c0 + w + 4})
            {
                SCOPED_TRACE(y);
                EXPECT_EQ(image.pixel(colon, y), display.Color().rgb());
            }

        // Where the margin leaves a clear gap, the other gaps hold no colon and the text
        // mode's unlit dots stay invisible.
        if (display.HorzSpace() <= display.Thickness())
            continue;
        for (int i : {1, 3})
        {
            SCOPED_TRACE(i);
            const int x = layout.DigitCell(i).Left - w / 2;
            EXPECT_EQ(image.pixel(x, upperY), display.Color().rgb());
            EXPECT_EQ(image.pixel(x, lowerY), display.Color().rgb());
            EXPECT_EQ(DotBefore(display, image, i), display.Color().rgb());
        }
        EXPECT_EQ(DotBefore(display, image, 2), display.Color().rgb());
    }
}

struct TSignCase
{
    TSize Size;
    const char* Value;
    bool PlusLit;
};

TEST(SevenSegmentTest, PlusMinusCellLightsExactlyOneSign)
{
    const std::vector<TSignCase> cases = {
        {ScoreSize, "42", true},  {ScoreSize, "-42", false}, {ScoreSize, "0", true},
        {DefaultSize, "42", true}, {DefaultSize, "-42", false}, {DefaultSize, "-0.5", false},
    };
    for (const TSignCase& c : cases)
    {
        SCOPED_TRACE(std::string(c.Value) + (c.Size == ScoreSize ? " score" : " default"));
        TSevenSegment display;
        Prepare(display, c.Size);
        display.SetShowPlusMinus(true);
        display.SetValue(c.Value);
        const QImage image = display.Render();

        const TLayout layout = LayoutOf(display);
        const int s = std::min(layout.CellWidth(), layout.Bottom() - layout.Top());
        const int cx = layout.FirstLeft() + s / 2;
        const int cy = layout.Top() + s / 2;
        const QRgb lit = display.OnColor().rgb();
        const QRgb unlit = display.OffColor().rgb();
        const QRgb plus = c.PlusLit ? lit : unlit;
        EXPECT_EQ(image.pixel(cx, cy), plus);                          // crossing
        EXPECT_EQ(image.pixel(cx, cy - s / 2), plus);                  // top of the upright
        EXPECT_EQ(image.pixel(cx - s / 2, cy), plus);                  // left end of the bar
        EXPECT_EQ(image.pixel(cx, cy + s), c.PlusLit ? unlit : lit);   // minus below
        EXPECT_EQ(image.pixel(cx - s / 2, cy + s), c.PlusLit ? unlit : lit);
    }
}

struct TTextCase
{
    const char* Name;
    std::function<void(TSevenSegment&)> Configure;
    const char* Expected;
    bool Negative;
};

TEST(SevenSegmentTest, NumbersAreFormattedForTheCells)
{
    const std::vector<TTextCase> cases = {
        {"plain integer", [](TSevenSegment& d) { d.SetValue("1234567"); }, "1234567", false},
        {"fraction, shortest form", [](TSevenSegment& d) { d.SetValue("0.1"); }, "0.1", false},
        {"fifteen significant digits", [](TSevenSegment& d) { d.SetValue("0.33333333333333333"); },
         "0.333333333333333", false},
        {"large values use an exponent", [](TSevenSegment& d) { d.SetValue("123456789012345678"); },
         "1.23456789012346e+17", false},
        {"surrounding blanks ignored", [](TSevenSegment& d) { d.SetValue(" 12 "); }, "12", false},
        {"negative", [](TSevenSegment& d) { d.SetValue("-7"); }, "-7", true},
        {"negative zero is zero", [](TSevenSegment& d) { d.SetValue("-0"); }, "0", false},
        {"empty is zero", [](TSevenSegment& d) { d.SetValue(""); }, "0", false},
        {"text is zero", [](TSevenSegment& d) { d.SetValue("score"); }, "0", false},
        {"comma is not a decimal separator", [](TSevenSegment& d) { d.SetValue("1,5"); }, "0", false},
        {"infinity is zero", [](TSevenSegment& d) { d.SetValue("inf"); }, "0", false},
        {"overflow is zero", [](TSevenSegment& d) { d.SetValue("1e999"); }, "0", false},
        {"leading zeros", [](TSevenSegment& d) { d.SetLeadingZeros(true); d.SetValue("42"); }, "000042", false},
        {"leading zeros keep decimals", [](TSevenSegment& d) { d.SetLeadingZeros(true); d.SetValue("3.5"); },
         "000003.5", false},
        {"leading zeros with decimals",
         [](TSevenSegment& d) { d.SetLeadingZeros(true); d.SetNumberOfDecimals(2); d.SetValue("42"); }, "0042.00",
         false},
        {"leading zeros leave a cell for the sign", [](TSevenSegment& d) { d.SetLeadingZeros(true); d.SetValue("-42"); },
         "-00042", true},
        {"leading zeros, sign in its own cell",
         [](TSevenSegment& d) { d.SetLeadingZeros(true); d.SetShowPlusMinus(true); d.SetValue("-42"); }, "000042",
         true},
        {"too many decimals with leading zeros",
         [](TSevenSegment& d) { d.SetLeadingZeros(true); d.SetNumberOfDecimals(8); d.SetValue("3.14159"); },
         "3.141590", false},
        {"two decimals", [](TSevenSegment& d) { d.SetNumberOfDecimals(2); d.SetValue("3.14159"); }, "3.14", false},
        {"fixed decimals padded", [](TSevenSegment& d) { d.SetNumberOfDecimals(3); d.SetValue("2"); }, "2.000", false},
        {"below one", [](TSevenSegment& d) { d.SetNumberOfDecimals(2); d.SetValue(".5"); }, "0.50", false},
        {"exact half rounds up", [](TSevenSegment& d) { d.SetNumberOfDecimals(2); d.SetValue("0.125"); }, "0.13", false},
        {"stored just below a half", [](TSevenSegment& d) { d.SetNumberOfDecimals(2); d.SetValue("2.675"); }, "2.67",
         false},
        {"rounding carries", [](TSevenSegment& d) { d.SetNumberOfDecimals(2); d.SetValue("-9.999"); }, "-10.00",
         true},
        {"rounds to zero without a sign", [](TSevenSegment& d) { d.SetNumberOfDecimals(2); d.SetValue("-0.004"); },
         "0.00", true},
        {"plus/minus shows the magnitude", [](TSevenSegment& d) { d.SetShowPlusMinus(true); d.SetValue("-2.5"); },
         "2.5", true},
        {"text is right-aligned", [](TSevenSegment& d) { d.SetValueType(ssAlphaNumeric); d.SetValue("12:30"); },
         " 12:30", false},
        {"long text is kept whole", [](TSevenSegment& d) { d.SetValueType(ssAlphaNumeric); d.SetValue("-HELLO-2"); },
         "-HELLO-2", false},
    };
    for (const TTextCase& c : cases)
    {
        SCOPED_TRACE(c.Name);
        TSevenSegment display;
        c.Configure(display);
        bool negative = !c.Negative;
        EXPECT_EQ(display.DisplayText(&negative).toStdString(), c.Expected);
        EXPECT_EQ(negative, c.Negative);
    }
}

struct TScanCase
{
    TSize Size;
    bool Column; // a column through the middle of the last cell, else a row across it
    int At;      // the row of a row scan
    const char* Expected; // '#' lit, 'o' unlit, '.' background
};

TEST(SevenSegmentTest, SegmentsFillExactlyTheirCorners)
{
    // A "7" in the last cell: a lit top, unlit middle and bottom, unlit upper left, lit upper right.
    const std::vector<TScanCase> cases = {
        {ScoreSize, true, 0, "..###........oo.........ooo.."},
        {ScoreSize, false, 8, "..ooo........###.."},
        {DefaultSize, true, 0, "...#####...............oooo...............ooooo..."},
        {DefaultSize, false, 12, "....ooooo...............#####...."},
    };
    for (const TScanCase& c : cases)
    {
        SCOPED_TRACE(c.Expected);
        TSevenSegment display;
        Prepare(display, c.Size);
        display.SetValue("7");
        const QImage image = display.Render();
        const TCell cell = LayoutOf(display).DigitCell(5);
        std::string scan;
        const auto add = [&](int x, int y) {
            const QRgb pixel = image.pixel(x, y);
            scan += pixel == display.OnColor().rgb()    ? '#'
                    : pixel == display.OffColor().rgb() ? 'o'
                    : pixel == display.Color().rgb()    ? '.'
                                                        : '?';
        };
        if (c.Column)
            for (int y = 0; y < display.height(); ++y)
                add((cell.Left + cell.Right) / 2, y);
        else
            for (int x = cell.Left; x < cell.Right; ++x)
                add(x, c.At);
        EXPECT_EQ(scan, c.Expected);
    }
}

TEST(SevenSegmentTest, HugeDecimalCountsShowTrailingZeros)
{
    // Far more decimals than digits: the cells show the last (all zero) decimals.
    TSevenSegment display;
    display.SetNumberOfDecimals(1000000000);
    display.SetValue("3.14159");
    EXPECT_EQ(ShownCells(display), std::vector<std::string>(6, Zero));
}

TEST(SevenSegmentTest, StartsWithTheDocumentedLook)
{
    TSevenSegment display;
    EXPECT_EQ(display.size(), QSize(200, 50));
    EXPECT_TRUE(display.testAttribute(Qt::WA_OpaquePaintEvent));
    EXPECT_EQ(display.Value(), QString("0"));
    EXPECT_EQ(display.Thickness(), 5);
    EXPECT_EQ(display.Space(), 2);
    EXPECT_EQ(display.HorzSpace(), 8);
    EXPECT_EQ(display.VertSpace(), 6);
    EXPECT_EQ(display.Color(), Black);
    EXPECT_EQ(display.OnColor(), Red);
    EXPECT_EQ(display.OffColor(), DarkGrey);
    EXPECT_EQ(display.NumberOfDigits(), 6);
    EXPECT_EQ(display.NumberOfDecimals(), 0);
    EXPECT_TRUE(display.ShowDecimalPoint());
    EXPECT_FALSE(display.ShowPlusMinus());
    EXPECT_FALSE(display.LeadingZeros());
    EXPECT_EQ(display.ValueType(), ssNumeric);

    // The background shows around the cells: the 2-pixel strip left over at 200 wide
    // splits into one column each side, and the top margin is VertSpace / 2 rows.
    const QImage image = display.Render();
    ASSERT_EQ(image.size(), QSize(200, 50));
    EXPECT_EQ(image.pixel(0, 25), Black.rgb());
    EXPECT_EQ(image.pixel(199, 25), Black.rgb());
    EXPECT_EQ(image.pixel(100, 1), Black.rgb());
}

TEST(SevenSegmentTest, PaintShowsTheRenderedImage)
{
    TSevenSegment display;
    SetUpScoreDisplay(display);
    display.SetValue("2048");
    const QImage rendered = display.Render();
    const QImage painted = display.grab().toImage().convertToFormat(rendered.format());
    ASSERT_EQ(painted.size(), rendered.size());
    EXPECT_TRUE(painted == rendered);
}

TEST(SevenSegmentTest, DegenerateSizesDoNotBreakPainting)
{
    TSevenSegment display;
    display.resize(0, 0);
    EXPECT_TRUE(display.Render().isNull());

    // More cells than pixels across: only the background.
    display.resize(5, 20);
    display.SetNumberOfDigits(10);
    const QImage image = display.Render();
    ASSERT_EQ(image.size(), QSize(5, 20));
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 5; ++x)
            ASSERT_EQ(image.pixel(x, y), Black.rgb());
}

} // namespace
