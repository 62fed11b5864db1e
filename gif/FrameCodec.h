#pragma once
// Conversion between a frame's encoded data and its bitmap.
#include "gif/GIFItem.h"
#include "platform/Bitmap.h"

#include <functional>
#include <memory>

class TGIFFrameCodec {
public:
    using TProgress = std::function<void(int percent)>;

    // Decodes into an indexed bitmap: 1 bit per pixel for 1-bit frames, 4 for
    // 2..4 bits, 8 for 5..8 bits, with a palette of 2^bits entries from the
    // frame's table (entries past its Count grey). Raises "Wrong number of
    // colors; must be a power of 2" for a frame without a table and refuses
    // frames larger than MaxGIFFramePixels.
    static TBitmap Decode(const TGIFItem& item, bool interlaced, bool& corrupted, const TProgress& progress = {});

    // Encodes a bitmap: 1, 4 and 8-bit bitmaps as they are, any other depth
    // through the popularity reduction, keeping `transparent` exact.
    static std::shared_ptr<TGIFItem> Encode(const TBitmap& bitmap, TColor transparent, const TProgress& progress = {});
};
