#pragma once
// Windows colour values: COLORREF (0x00BBGGRR, red in the low byte). Values with
// the top byte 0xFF name system colours and are resolved with ColorToRGB before
// use. clNone (0x1FFFFFFF) stands for "no colour".
#include <QColor>
#include <QRgb>
#include <array>
#include <cstdint>

using TColor = uint32_t;

constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;
constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clSkyBlue = 0xF0CAA6;

// System colours (top byte 0xFF, low byte the GetSysColor index).
// The values they resolve to are listed in Color.cpp.
constexpr TColor clScrollBar = 0xFF000000;
constexpr TColor clBackground = 0xFF000001;
constexpr TColor clActiveCaption = 0xFF000002;
constexpr TColor clInactiveCaption = 0xFF000003;
constexpr TColor clMenu = 0xFF000004;
constexpr TColor clWindow = 0xFF000005;
constexpr TColor clWindowFrame = 0xFF000006;
constexpr TColor clMenuText = 0xFF000007;
constexpr TColor clWindowText = 0xFF000008;
constexpr TColor clCaptionText = 0xFF000009;
constexpr TColor clAppWorkSpace = 0xFF00000C;
constexpr TColor clHighlight = 0xFF00000D;
constexpr TColor clHighlightText = 0xFF00000E;
constexpr TColor clBtnFace = 0xFF00000F;
constexpr TColor clBtnShadow = 0xFF000010;
constexpr TColor clGrayText = 0xFF000011;
constexpr TColor clBtnText = 0xFF000012;
constexpr TColor clBtnHighlight = 0xFF000014;
constexpr TColor cl3DDkShadow = 0xFF000015;
constexpr TColor cl3DLight = 0xFF000016;
constexpr TColor clInfoText = 0xFF000017;
constexpr TColor clInfoBk = 0xFF000018;

constexpr TColor RGB(uint8_t r, uint8_t g, uint8_t b) { return TColor(r) | (TColor(g) << 8) | (TColor(b) << 16); }
constexpr uint8_t GetRValue(TColor c) { return uint8_t(c & 0xFF); }
constexpr uint8_t GetGValue(TColor c) { return uint8_t((c >> 8) & 0xFF); }
constexpr uint8_t GetBValue(TColor c) { return uint8_t((c >> 16) & 0xFF); }

// Resolves a system colour to its RGB value (the classic Windows defaults; an
// unknown index gives black); any other value is returned with its top byte cleared.
TColor ColorToRGB(TColor c);

// Conversions to and from Qt's 0xAARRGGBB (alpha ignored on the way in, 0xFF on the way out).
constexpr QRgb ColorToQRgb(TColor c)
{
    return 0xFF000000u | (QRgb(GetRValue(c)) << 16) | (QRgb(GetGValue(c)) << 8) | QRgb(GetBValue(c));
}
constexpr TColor QRgbToColor(QRgb q) { return RGB(uint8_t(q >> 16), uint8_t(q >> 8), uint8_t(q)); }
inline QColor ToQColor(TColor c) { return QColor::fromRgb(ColorToQRgb(ColorToRGB(c))); }

// The 256-entry halftone palette that Windows builds for 8-bit devices
// (CreateHalftonePalette): the 20 static colours, a 6x6x6 colour cube and greys.
// The layout is documented with the table in Color.cpp.
const std::array<TColor, 256>& HalftonePalette();

// The 16 colours of a 4-bit device (the VGA colours): the halftone palette's
// entries 0..7 followed by its entries 248..255.
const std::array<TColor, 16>& VgaPalette();

// Index of the palette entry nearest to the colour (smallest squared RGB distance,
// the lowest index wins a tie), like GetNearestPaletteIndex.
int NearestPaletteIndex(const TColor* palette, int count, TColor color);
