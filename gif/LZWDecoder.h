#pragma once
// GIF LZW decoding of one frame's encoded data (the minimum-code-size byte, the
// data sub-blocks and their zero terminator) into palette indices.
//
// Choices: a minimum code size of 1..11 is decoded as given; any other value
// is clamped into 2..9 and marks the result corrupted. The table stops growing
// at 4096 entries until the next clear code. Decoding ends at the
// end-of-information code or once every pixel is filled; an undefined code,
// running out of data or an early end leave the rest at index 0 and mark the
// result corrupted. Decoded values are masked to the frame's bit depth.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>

struct TLZWDecodeResult {
    bool Corrupted = false;
};

class TLZWDecoder {
public:
    // Called now and then with the share of the input consumed so far (0..100).
    using TProgress = std::function<void(int percent)>;

    // Decodes into rows of `width` indices; row r of the frame is written at
    // out + r * stride. Interlaced frames fill their rows in the four passes.
    // The output must be cleared by the caller: pixels never reached stay 0.
    static TLZWDecodeResult Decode(std::span<const uint8_t> encoded, int width, int height, bool interlaced,
                                   int bitsPerPixel, uint8_t* out, ptrdiff_t stride,
                                   const TProgress& progress = {});
};
