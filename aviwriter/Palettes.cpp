#include "aviwriter/Palettes.h"

#include <limits>

namespace avi {

namespace {

std::array<uint32_t, 256> MakeHalftone()
{
    std::array<uint32_t, 256> p{};
    const uint32_t first[10] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080,
                                0x800080, 0x008080, 0xC0C0C0, 0xC0DCC0, 0xA6CAF0};
    const uint32_t last[10] = {0xFFFBF0, 0xA0A0A4, 0x808080, 0xFF0000, 0x00FF00,
                               0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    for (int i = 0; i < 10; ++i) {
        p[size_t(i)] = first[i];
        p[size_t(246 + i)] = last[i];
    }
    // Entry 10 + 36 b + 6 g + r for the levels 0, 0x33 ... 0xFF.
    for (uint32_t b = 0; b < 6; ++b)
        for (uint32_t g = 0; g < 6; ++g)
            for (uint32_t r = 0; r < 6; ++r)
                p[10 + 36 * b + 6 * g + r] = (r * 51) << 16 | (g * 51) << 8 | (b * 51);
    // Greys of level round(k * 10.2), k = 1..24 without the cube's own.
    size_t n = 226;
    for (uint32_t k = 1; k < 25; ++k) {
        if (k % 5 == 0)
            continue;
        const uint32_t level = (k * 102 + 5) / 10;
        p[n++] = level << 16 | level << 8 | level;
    }
    return p;
}

} // namespace

const std::array<uint32_t, 256>& HalftonePalette()
{
    static const std::array<uint32_t, 256> palette = MakeHalftone();
    return palette;
}

std::vector<uint32_t> DefaultPalette(int bits)
{
    const auto& h = HalftonePalette();
    switch (bits) {
    case 1:
        return {0x000000, 0xFFFFFF};
    case 4: {
        // The VGA colours: the halftone palette's entries 0..7 and 248..255.
        std::vector<uint32_t> p(h.begin(), h.begin() + 8);
        p.insert(p.end(), h.begin() + 248, h.end());
        return p;
    }
    case 8:
        return std::vector<uint32_t>(h.begin(), h.end());
    default:
        return {};
    }
}

TNearestColor::TNearestColor(std::vector<uint32_t> palette) : fPalette(std::move(palette))
{
    fKeys.fill(0xFFFFFFFF); // no colour has the top byte set
}

int TNearestColor::Index(uint32_t rgb)
{
    rgb &= 0xFFFFFF;
    const size_t slot = ((rgb * 2654435761u) >> 20) & 4095;
    if (fKeys[slot] == rgb)
        return fValues[slot];
    const int r = int(rgb >> 16 & 0xFF), g = int(rgb >> 8 & 0xFF), b = int(rgb & 0xFF);
    int best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (size_t i = 0; i < fPalette.size(); ++i) {
        const uint32_t c = fPalette[i];
        const int dr = int(c >> 16 & 0xFF) - r, dg = int(c >> 8 & 0xFF) - g, db = int(c & 0xFF) - b;
        const int d = dr * dr + dg * dg + db * db;
        if (d < bestDistance) {
            bestDistance = d;
            best = int(i);
            if (d == 0)
                break;
        }
    }
    fKeys[slot] = rgb;
    fValues[slot] = int16_t(best);
    return best;
}

} // namespace avi
