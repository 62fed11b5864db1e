#pragma once
// The palettes of the engine's indexed frames, as Windows gives a new bitmap
// of that depth: black and white for 1 bit, the 16 VGA colours for 4 bits, the
// halftone palette for 8 bits. Entries are 0x00RRGGBB.
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace avi {

// The halftone palette (CreateHalftonePalette): the 20 static colours at the
// ends, a 6x6x6 colour cube and twenty greys between.
const std::array<uint32_t, 256>& HalftonePalette();
// The palette of a new bitmap of 1, 4 or 8 bits; empty for other depths.
std::vector<uint32_t> DefaultPalette(int bits);

// Nearest-entry lookup (smallest squared RGB distance, lowest index on a tie),
// remembering recent answers.
class TNearestColor {
public:
    explicit TNearestColor(std::vector<uint32_t> palette);
    int Index(uint32_t rgb);

private:
    std::vector<uint32_t> fPalette;
    std::array<uint32_t, 4096> fKeys{};
    std::array<int16_t, 4096> fValues{};
};

} // namespace avi
