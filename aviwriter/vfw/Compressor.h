#pragma once
// The video compressors and the compressor manager that finds them, as the
// installable-compression manager does: each compressor has a handler code,
// a short name, answers whether it takes a given input format, and turns
// frames of that format into its output.
//
// Two exist: "DIB " (full frames, passed through unchanged; the platform's
// built-in, so it is located by its code but not listed) and "MJPG"
// (Motion-JPEG through libjpeg, 24 and 32 bits per pixel).
#include "aviwriter/vfw/VfwTypes.h"

#include <memory>
#include <string>
#include <vector>

namespace vfw {

// What ICGetInfo tells of a compressor.
struct TCompressorInfo {
    FourCC fccType = ICTYPE_VIDEO;
    FourCC fccHandler = 0;
    std::string szName; // the short name, at most 16 characters
};

class TCompressor {
public:
    virtual ~TCompressor() = default;
    virtual TCompressorInfo Info() const = 0;
    // ICCompressQuery: whether frames of this format can be compressed.
    virtual bool CompressQuery(const TBitmapInfoHeader& input) const = 0;
    virtual bool HasConfigureDialog() const { return false; }
    // The format of the compressed frames for an accepted input format.
    virtual TBitmapFormat OutputFormat(const TBitmapFormat& input) const = 0;
    // Compresses one frame (the input's pixels as a DIB holds them) at a
    // quality of 0..10000. AVIERR_COMPRESSOR when the frame cannot be taken.
    virtual std::vector<uint8_t> Compress(const TBitmapFormat& input, const uint8_t* bits, size_t size,
                                          uint32_t quality) = 0;
};

namespace CompressorManager {

// The installed compressor number `index` of the type; false past the last.
bool Info(FourCC type, int index, TCompressorInfo& info);
// Opens the compressor of that handler (case-insensitive) in query mode; null
// when there is none.
std::unique_ptr<TCompressor> Open(FourCC type, FourCC handler);
// ICLocate in compress mode: the compressor of that handler when it takes the
// input format; null otherwise.
std::unique_ptr<TCompressor> Locate(FourCC type, FourCC handler, const TBitmapInfoHeader& input);

} // namespace CompressorManager

} // namespace vfw
