#include "platform/Color.h"

#include <limits>

namespace {

// System colours by GetSysColor index, with the values of the classic Windows
// ("Windows Standard") scheme, so that files and pictures look the same
// whatever the desktop theme:
//   0 scroll bar C0C0C0        11 inactive border C0C0C0     22 3D light C0C0C0
//   1 desktop 008080           12 app workspace 808080       23 info text 000000
//   2 active caption 000080    13 highlight 000080           24 info back FFFFE1
//   3 inactive caption 808080  14 highlight text FFFFFF      25 (unused) 000000
//   4 menu C0C0C0              15 button face C0C0C0         26 hot light 000080
//   5 window FFFFFF            16 button shadow 808080       27 gradient active 1084D0
//   6 window frame 000000      17 grey text 808080           28 gradient inactive B5B5B5
//   7 menu text 000000         18 button text 000000         29 menu highlight 000080
//   8 window text 000000       19 inactive caption text C0C0C0  30 menu bar C0C0C0
//   9 caption text FFFFFF      20 button highlight FFFFFF
//  10 active border C0C0C0     21 3D dark shadow 000000
// (written above as RRGGBB; the table holds COLORREF values)
constexpr TColor Rgb(uint32_t rrggbb) { return RGB(uint8_t(rrggbb >> 16), uint8_t(rrggbb >> 8), uint8_t(rrggbb)); }

constexpr std::array<TColor, 31> kSystemColors = {
    Rgb(0xC0C0C0), Rgb(0x008080), Rgb(0x000080), Rgb(0x808080), Rgb(0xC0C0C0), Rgb(0xFFFFFF),
    Rgb(0x000000), Rgb(0x000000), Rgb(0x000000), Rgb(0xFFFFFF), Rgb(0xC0C0C0), Rgb(0xC0C0C0),
    Rgb(0x808080), Rgb(0x000080), Rgb(0xFFFFFF), Rgb(0xC0C0C0), Rgb(0x808080), Rgb(0x808080),
    Rgb(0x000000), Rgb(0xC0C0C0), Rgb(0xFFFFFF), Rgb(0x000000), Rgb(0xC0C0C0), Rgb(0x000000),
    Rgb(0xFFFFE1), Rgb(0x000000), Rgb(0x000080), Rgb(0x1084D0), Rgb(0xB5B5B5), Rgb(0x000080),
    Rgb(0xC0C0C0),
};

// The halftone palette, indexes:
//   0..9     the first ten static colours: 000000 800000 008000 808000 000080
//            800080 008080 C0C0C0 C0DCC0 A6CAF0 (RRGGBB)
//   10..225  the 6x6x6 colour cube with the levels 00 33 66 99 CC FF;
//            entry 10 + 36*b + 6*g + r for level numbers r, g, b (red fastest)
//   226..245 twenty greys between the cube's greys: level round(k * 10.2) for
//            k = 1..24 except the multiples of 5 (0A 14 1F 29 3D 47 52 5C ...)
//   246..255 the last ten static colours: FFFBF0 A0A0A4 808080 FF0000 00FF00
//            FFFF00 0000FF FF00FF 00FFFF FFFFFF
// The static colours sit where Windows puts them, so the 16 VGA colours are the
// entries 0..7 and 248..255.
std::array<TColor, 256> MakeHalftone()
{
    std::array<TColor, 256> p{};
    const uint32_t first[10] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080,
                                0x800080, 0x008080, 0xC0C0C0, 0xC0DCC0, 0xA6CAF0};
    const uint32_t last[10] = {0xFFFBF0, 0xA0A0A4, 0x808080, 0xFF0000, 0x00FF00,
                               0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    for (int i = 0; i < 10; ++i) {
        p[i] = Rgb(first[i]);
        p[246 + i] = Rgb(last[i]);
    }
    for (int b = 0; b < 6; ++b)
        for (int g = 0; g < 6; ++g)
            for (int r = 0; r < 6; ++r)
                p[10 + 36 * b + 6 * g + r] = RGB(uint8_t(r * 51), uint8_t(g * 51), uint8_t(b * 51));
    int n = 226;
    for (int k = 1; k < 25; ++k) {
        if (k % 5 == 0)
            continue;
        const auto level = uint8_t((k * 102 + 5) / 10); // round(k * 10.2)
        p[n++] = RGB(level, level, level);
    }
    return p;
}

} // namespace

TColor ColorToRGB(TColor c)
{
    if ((c & 0xFF000000u) == 0xFF000000u) {
        const uint32_t index = c & 0xFFu;
        return index < kSystemColors.size() ? kSystemColors[index] : clBlack;
    }
    return c & 0x00FFFFFFu;
}

const std::array<TColor, 256>& HalftonePalette()
{
    static const std::array<TColor, 256> palette = MakeHalftone();
    return palette;
}

const std::array<TColor, 16>& VgaPalette()
{
    static const std::array<TColor, 16> palette = [] {
        std::array<TColor, 16> p{};
        const auto& h = HalftonePalette();
        for (int i = 0; i < 8; ++i) {
            p[i] = h[i];
            p[8 + i] = h[248 + i];
        }
        return p;
    }();
    return palette;
}

int NearestPaletteIndex(const TColor* palette, int count, TColor color)
{
    if (!palette || count <= 0)
        return 0;
    const TColor c = ColorToRGB(color);
    const int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
    int best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (int i = 0; i < count; ++i) {
        const int dr = GetRValue(palette[i]) - r;
        const int dg = GetGValue(palette[i]) - g;
        const int db = GetBValue(palette[i]) - b;
        const int d = dr * dr + dg * dg + db * db;
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
            if (d == 0)
                break;
        }
    }
    return best;
}
