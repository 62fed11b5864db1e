#include "gif/PackedFrame.h"

#include "gif/FrameCodec.h"
#include "gif/GIFError.h"

#include <array>
#include <stdexcept>
#include <zlib.h>

namespace {

// Whether the image has at most 256 distinct colours, and whether every pixel
// is opaque (the GIF form gives back opaque pixels only).
struct TColorSurvey {
    bool FewColors = true;
    bool Opaque = true;
};

TColorSurvey Survey(const QImage& image)
{
    constexpr uint32_t kEmpty = 0xFFFFFFFFu; // no 24-bit colour has this value
    std::array<uint32_t, 1024> table;
    table.fill(kEmpty);
    int colors = 0;
    TColorSurvey result;
    uint32_t last = kEmpty;
    const int width = image.width(), height = image.height();
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(image.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            const uint32_t px = row[x];
            if (px >> 24 != 0xFF)
                result.Opaque = false;
            const uint32_t rgb = px & 0xFFFFFFu;
            if (rgb == last || !result.FewColors)
                continue;
            last = rgb;
            size_t slot = (rgb * 2654435761u) >> 22;
            while (table[slot] != kEmpty && table[slot] != rgb)
                slot = (slot + 1) & (table.size() - 1);
            if (table[slot] == kEmpty) {
                table[slot] = rgb;
                if (++colors > 256)
                    result.FewColors = false;
            }
        }
        if (!result.FewColors && !result.Opaque)
            break;
    }
    return result;
}

} // namespace

std::shared_ptr<const TPackedFrame> TPackedFrame::Pack(const QImage& image, TPixelFormat format)
{
    if (image.format() != QImage::Format_RGB32 || image.isNull())
        throw EInvalidGraphicOperation(GIFMessages::EncodingError);
    auto packed = std::make_shared<TPackedFrame>();
    packed->fWidth = image.width();
    packed->fHeight = image.height();
    packed->fFormat = format;

    const TColorSurvey survey = Survey(image);
    if (survey.FewColors && survey.Opaque && image.width() <= 0xFFFF && image.height() <= 0xFFFF) {
        packed->fItem = TGIFFrameCodec::Encode(TBitmap(image), clNone);
        return packed;
    }

    // Rows of B, G, R (, A) bytes, each byte less the same byte of the pixel on its left.
    const int bpp = survey.Opaque ? 3 : 4;
    packed->fAlpha = !survey.Opaque;
    const size_t rowBytes = size_t(image.width()) * size_t(bpp);
    std::vector<uint8_t> filtered(rowBytes * size_t(image.height()));
    const int width = image.width(), height = image.height();
    for (int y = 0; y < height; ++y) {
        const uchar* src = image.constScanLine(y); // little-endian 0xAARRGGBB: B, G, R, A
        uint8_t* dst = filtered.data() + size_t(y) * rowBytes;
        uint8_t previous[4] = {0, 0, 0, 0};
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < bpp; ++c) {
                const uint8_t v = src[size_t(x) * 4 + size_t(c)];
                *dst++ = uint8_t(v - previous[c]);
                previous[c] = v;
            }
    }
    uLongf size = compressBound(uLong(filtered.size()));
    packed->fDeflated.resize(size);
    if (compress2(packed->fDeflated.data(), &size, filtered.data(), uLong(filtered.size()), 1) != Z_OK)
        throw std::bad_alloc();
    packed->fDeflated.resize(size);
    packed->fDeflated.shrink_to_fit();
    return packed;
}

TBitmap TPackedFrame::Unpack() const
{
    QImage image;
    if (fItem) {
        bool corrupted = false;
        const TBitmap indexed = TGIFFrameCodec::Decode(*fItem, false, corrupted);
        image = TBitmap::ToRgb32(indexed.ConstImage());
    } else {
        const int bpp = fAlpha ? 4 : 3;
        const size_t rowBytes = size_t(fWidth) * size_t(bpp);
        std::vector<uint8_t> filtered(rowBytes * size_t(fHeight));
        uLongf size = uLongf(filtered.size());
        if (uncompress(filtered.data(), &size, fDeflated.data(), uLong(fDeflated.size())) != Z_OK
            || size != filtered.size())
            throw EInvalidGraphicOperation(GIFMessages::EncodingError);
        image = QImage(fWidth, fHeight, QImage::Format_RGB32);
        if (image.isNull())
            throw std::bad_alloc();
        for (int y = 0; y < fHeight; ++y) {
            const uint8_t* src = filtered.data() + size_t(y) * rowBytes;
            uchar* dst = image.scanLine(y);
            uint8_t previous[4] = {0, 0, 0, uint8_t(fAlpha ? 0 : 0xFF)};
            for (int x = 0; x < fWidth; ++x)
                for (int c = 0; c < 4; ++c) {
                    if (c < bpp)
                        previous[c] = uint8_t(previous[c] + *src++);
                    dst[size_t(x) * 4 + size_t(c)] = previous[c];
                }
        }
    }
    TBitmap bitmap(image);
    if (fFormat != TPixelFormat::pf24bit)
        bitmap.SetPixelFormat(fFormat);
    return bitmap;
}

size_t TPackedFrame::Bytes() const
{
    size_t bytes = sizeof(TPackedFrame) + fDeflated.capacity();
    if (fItem)
        bytes += sizeof(TGIFItem) + fItem->FImageData.capacity() + sizeof(TGIFColorTable);
    return bytes;
}
