#include "aviwriter/vfw/Compressor.h"

#include "aviwriter/vfw/MjpgCompressor.h"

#include <cctype>
#include <cstring>

namespace vfw {

namespace {

constexpr FourCC kDIB = MakeFourCC("DIB ");
constexpr FourCC kMJPG = MakeFourCC("MJPG");

// Full frames: the data goes out as it came in.
class TDibCompressor final : public TCompressor {
public:
    TCompressorInfo Info() const override { return {ICTYPE_VIDEO, kDIB, "Full Frames"}; }
    bool CompressQuery(const TBitmapInfoHeader& in) const override
    {
        const int bits = in.biBitCount;
        return in.biCompression == BI_RGB && in.biWidth > 0 && in.biHeight != 0
            && (bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32);
    }
    TBitmapFormat OutputFormat(const TBitmapFormat& input) const override { return input; }
    std::vector<uint8_t> Compress(const TBitmapFormat&, const uint8_t* bits, size_t size, uint32_t) override
    {
        return std::vector<uint8_t>(bits, bits + size);
    }
};

FourCC Lower(FourCC code)
{
    FourCC out = 0;
    for (int i = 0; i < 4; ++i)
        out |= FourCC(std::tolower(int((code >> (8 * i)) & 0xFF))) << (8 * i);
    return out;
}

std::unique_ptr<TCompressor> Make(FourCC handler)
{
    if (Lower(handler) == Lower(kDIB))
        return std::make_unique<TDibCompressor>();
    if (Lower(handler) == Lower(kMJPG))
        return std::make_unique<TMjpgCompressor>();
    return nullptr;
}

} // namespace

namespace CompressorManager {

bool Info(FourCC type, int index, TCompressorInfo& info)
{
    // The installed list; the full-frames handler is built in and not listed.
    static const FourCC installed[] = {kMJPG};
    if (type != ICTYPE_VIDEO || index < 0 || index >= int(std::size(installed)))
        return false;
    info = Make(installed[index])->Info();
    return true;
}

std::unique_ptr<TCompressor> Open(FourCC type, FourCC handler)
{
    return type == ICTYPE_VIDEO ? Make(handler) : nullptr;
}

std::unique_ptr<TCompressor> Locate(FourCC type, FourCC handler, const TBitmapInfoHeader& input)
{
    std::unique_ptr<TCompressor> c = Open(type, handler);
    if (c && !c->CompressQuery(input))
        c.reset();
    return c;
}

} // namespace CompressorManager

} // namespace vfw
