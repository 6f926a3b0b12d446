#pragma once

#include <cstdint>

// The values the graphics device gives meaning to, as both metafile kinds store them; each keeps
// the device's own name beside it.
namespace Gdi
{

// Mapping modes.
constexpr int MapText = 1;        // MM_TEXT
constexpr int MapLoMetric = 2;    // MM_LOMETRIC
constexpr int MapTwips = 6;       // MM_TWIPS
constexpr int MapIsotropic = 7;   // MM_ISOTROPIC
constexpr int MapAnisotropic = 8; // MM_ANISOTROPIC

constexpr uint32_t Opaque = 2;       // OPAQUE background mode
constexpr uint32_t Winding = 2;      // WINDING polygon fill mode
constexpr uint32_t Clockwise = 2;    // AD_CLOCKWISE arc direction

// Text alignment flags.
constexpr uint32_t AlignUpdateCp = 0x0001; // TA_UPDATECP
constexpr uint32_t AlignRight = 0x0002;    // TA_RIGHT
constexpr uint32_t AlignCenter = 0x0006;   // TA_CENTER
constexpr uint32_t AlignBottom = 0x0008;   // TA_BOTTOM
constexpr uint32_t AlignBaseline = 0x0018; // TA_BASELINE
constexpr uint32_t AlignHorizontal = AlignCenter;
constexpr uint32_t AlignVertical = AlignBaseline;

// Text output options.
constexpr uint32_t TextOpaque = 0x0002;  // ETO_OPAQUE
constexpr uint32_t TextClipped = 0x0004; // ETO_CLIPPED

// Pen styles: the line in the low nibble, end caps and joins above it.
constexpr uint32_t PenLineMask = 0x000F;
constexpr uint32_t PenDash = 1;       // PS_DASH
constexpr uint32_t PenDot = 2;        // PS_DOT
constexpr uint32_t PenDashDot = 3;    // PS_DASHDOT
constexpr uint32_t PenDashDotDot = 4; // PS_DASHDOTDOT
constexpr uint32_t PenNull = 5;       // PS_NULL
constexpr uint32_t PenCapMask = 0x0F00;
constexpr uint32_t PenCapSquare = 0x0100; // PS_ENDCAP_SQUARE
constexpr uint32_t PenCapFlat = 0x0200;   // PS_ENDCAP_FLAT
constexpr uint32_t PenJoinMask = 0xF000;
constexpr uint32_t PenJoinBevel = 0x1000; // PS_JOIN_BEVEL
constexpr uint32_t PenJoinMiter = 0x2000; // PS_JOIN_MITER

// Brush styles.
constexpr uint32_t BrushSolid = 0;   // BS_SOLID
constexpr uint32_t BrushNull = 1;    // BS_NULL
constexpr uint32_t BrushHatched = 2; // BS_HATCHED
constexpr uint32_t BrushPattern = 3; // BS_PATTERN; this and above carry a picture
constexpr uint32_t BrushDibPattern = 5; // BS_DIBPATTERN

// Stock objects, by their index.
constexpr uint32_t StockWhiteBrush = 0;  // WHITE_BRUSH .. BLACK_BRUSH are 0 to 4
constexpr uint32_t StockBlackBrush = 4;  // BLACK_BRUSH
constexpr uint32_t StockNullBrush = 5;   // NULL_BRUSH
constexpr uint32_t StockWhitePen = 6;    // WHITE_PEN
constexpr uint32_t StockBlackPen = 7;    // BLACK_PEN
constexpr uint32_t StockNullPen = 8;     // NULL_PEN
constexpr uint32_t StockFirstFont = 10;  // OEM_FIXED_FONT
constexpr uint32_t StockPalette = 15;    // DEFAULT_PALETTE
constexpr uint32_t StockLastFont = 17;   // DEFAULT_GUI_FONT

// Region combination modes.
constexpr int RegionAnd = 1;  // RGN_AND
constexpr int RegionOr = 2;   // RGN_OR
constexpr int RegionXor = 3;  // RGN_XOR
constexpr int RegionDiff = 4; // RGN_DIFF
constexpr int RegionCopy = 5; // RGN_COPY

// World transform changes.
constexpr uint32_t WorldIdentity = 1;      // MWT_IDENTITY
constexpr uint32_t WorldLeftMultiply = 2;  // MWT_LEFTMULTIPLY
constexpr uint32_t WorldRightMultiply = 3; // MWT_RIGHTMULTIPLY
constexpr uint32_t WorldSet = 4;           // MWT_SET

// Raster operations of bitmap transfers.
constexpr uint32_t SrcCopy = 0x00CC0020;    // SRCCOPY
constexpr uint32_t SrcPaint = 0x00EE0086;   // SRCPAINT
constexpr uint32_t SrcAnd = 0x008800C6;     // SRCAND
constexpr uint32_t SrcInvert = 0x00660046;  // SRCINVERT
constexpr uint32_t NotSrcCopy = 0x00330008; // NOTSRCCOPY
constexpr uint32_t Blackness = 0x00000042;  // BLACKNESS
constexpr uint32_t Whiteness = 0x00FF0062;  // WHITENESS
constexpr uint32_t PatCopy = 0x00F00021;    // PATCOPY

// Blend function alpha format: the bitmap carries its own coverage.
constexpr uint8_t AcSrcAlpha = 0x01; // AC_SRC_ALPHA

} // namespace Gdi
