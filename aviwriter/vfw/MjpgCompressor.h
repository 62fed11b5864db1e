#pragma once
// Motion-JPEG: every frame a baseline JPEG made by libjpeg, from 24- or
// 32-bit frames. Quality 0..10000 maps to libjpeg's 1..100.
#include "aviwriter/vfw/Compressor.h"

namespace vfw {

class TMjpgCompressor final : public TCompressor {
public:
    TCompressorInfo Info() const override;
    bool CompressQuery(const TBitmapInfoHeader& input) const override;
    TBitmapFormat OutputFormat(const TBitmapFormat& input) const override;
    std::vector<uint8_t> Compress(const TBitmapFormat& input, const uint8_t* bits, size_t size,
                                  uint32_t quality) override;

    // libjpeg's quality for a compressor quality of 0..10000.
    static int JpegQuality(uint32_t quality);
};

} // namespace vfw
