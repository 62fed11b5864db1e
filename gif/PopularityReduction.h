#pragma once
// Popularity colour reduction of a full-colour image to 256 palette entries.
//
// Pixels are scanned bottom row first, left to right. Each channel is masked
// (all masks start at 0xFF) and the distinct masked colours are counted in a
// table of at most 2049 entries, found through an open-addressing hash of 5191
// slots. Meeting a 2050th colour costs one channel its lowest remaining bit
// (blue, red, green, blue, ...) and the scan starts over. The palette takes the
// most used colours, the earliest found first among equals, up to 256; unused
// entries are grey (128, 128, 128). Other colours map to the nearest entry by
// squared RGB distance, the lowest index winning a tie.
//
// A transparent colour is kept exact: its pixels get an entry of their own
// holding exactly that colour, that entry is always in the palette, and no
// other pixel maps to it (no other entry holds that RGB either). Images of at
// most 256 colours, and images without a transparent colour, come out as the
// plain algorithm gives them.
#include "gif/GIFTypes.h"

#include <cstddef>
#include <cstdint>
#include <vector>

struct TReducedImage {
    std::array<TGIFColor, 256> Palette{};
    std::vector<uint8_t> Indices; // width * height, rows top to bottom
    int Width = 0;
    int Height = 0;
};

class TPopularityReduction {
public:
    static constexpr int MaxColors = 2049;
    static constexpr int HashSlots = 5191;

    // pixels: rows of 32-bit 0xAARRGGBB values (alpha ignored), row r at
    // pixels + r * strideInPixels, row 0 at the top. transparent: a COLORREF
    // RGB or clNone.
    static TReducedImage Reduce(const uint32_t* pixels, int width, int height, ptrdiff_t strideInPixels,
                                TColor transparent = clNone);
};
