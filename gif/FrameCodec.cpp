#include "gif/FrameCodec.h"

#include "gif/GIFError.h"
#include "gif/LZWDecoder.h"
#include "gif/LZWEncoder.h"
#include "gif/PopularityReduction.h"

#include <QImage>
#include <cstring>
#include <vector>

TBitmap TGIFFrameCodec::Decode(const TGIFItem& item, bool interlaced, bool& corrupted, const TProgress& progress)
{
    const TGIFColorTable& table = item.ColorMap();
    const int bits = item.FBitsPerPixel;
    if (table.Count <= 0 || bits < 1 || bits > 8)
        throw EInvalidGraphicOperation(GIFMessages::WrongColorCount);
    const int width = std::max(item.FSize.cx, 0);
    const int height = std::max(item.FSize.cy, 0);
    if (int64_t(width) * int64_t(height) > MaxGIFFramePixels)
        throw EInvalidGraphicOperation(GIFMessages::FrameTooLarge(width, height));

    const TPixelFormat format = bits == 1 ? TPixelFormat::pf1bit : bits <= 4 ? TPixelFormat::pf4bit : TPixelFormat::pf8bit;
    std::vector<TColor> palette(size_t(1) << bits, RGB(128, 128, 128));
    for (int i = 0; i < table.Count && i < int(palette.size()); ++i)
        palette[size_t(i)] = table.Colors[size_t(i)].ToColor();

    TBitmap bitmap(width, height, format);
    bitmap.SetPalette(palette);
    if (width == 0 || height == 0)
        return bitmap;

    QImage& image = bitmap.Image();
    if (format == TPixelFormat::pf1bit) {
        std::vector<uint8_t> indices(size_t(width) * size_t(height), 0);
        corrupted |= TLZWDecoder::Decode(item.FImageData, width, height, interlaced, bits, indices.data(), width, progress)
                         .Corrupted;
        for (int y = 0; y < height; ++y) {
            uchar* row = image.scanLine(y);
            std::memset(row, 0, size_t(image.bytesPerLine()));
            const uint8_t* src = indices.data() + size_t(y) * size_t(width);
            for (int x = 0; x < width; ++x)
                if (src[x])
                    row[x >> 3] |= uchar(0x80 >> (x & 7));
        }
    } else {
        // A new indexed bitmap starts at index 0 everywhere.
        corrupted |= TLZWDecoder::Decode(item.FImageData, width, height, interlaced, bits, image.bits(),
                                         image.bytesPerLine(), progress)
                         .Corrupted;
    }
    return bitmap;
}

namespace {

// Indices of an indexed bitmap, rows top to bottom, masked to the table size.
std::vector<uint8_t> IndicesOf(const QImage& image, int bits)
{
    const int width = image.width(), height = image.height();
    std::vector<uint8_t> indices(size_t(width) * size_t(height));
    const uint8_t mask = uint8_t((1u << bits) - 1);
    for (int y = 0; y < height; ++y) {
        const uchar* row = image.constScanLine(y);
        uint8_t* dst = indices.data() + size_t(y) * size_t(width);
        if (image.format() == QImage::Format_Mono) {
            for (int x = 0; x < width; ++x)
                dst[x] = (row[x >> 3] >> (7 - (x & 7))) & 1;
        } else if (image.format() == QImage::Format_MonoLSB) {
            for (int x = 0; x < width; ++x)
                dst[x] = (row[x >> 3] >> (x & 7)) & 1;
        } else {
            for (int x = 0; x < width; ++x)
                dst[x] = row[x] & mask;
        }
    }
    return indices;
}

} // namespace

std::shared_ptr<TGIFItem> TGIFFrameCodec::Encode(const TBitmap& bitmap, TColor transparent, const TProgress& progress)
{
    if (bitmap.Empty())
        throw EInvalidGraphicOperation(GIFMessages::NoDataToWrite);
    const int width = bitmap.Width(), height = bitmap.Height();
    if (width > 0xFFFF || height > 0xFFFF)
        throw EInvalidGraphicOperation(GIFMessages::EncodingError);

    auto item = std::make_shared<TGIFItem>();
    auto table = std::make_shared<TGIFColorTable>();
    item->FSize = {width, height};
    std::vector<uint8_t> indices;
    const uint8_t* pixels;
    ptrdiff_t stride;
    int sourceBits;
    TReducedImage reduced;

    const int bpp = bitmap.BitsPerPixel();
    if (bpp == 1 || bpp == 4 || bpp == 8) {
        sourceBits = bpp;
        const QImage& image = bitmap.ConstImage();
        if (image.format() != QImage::Format_Indexed8 && image.format() != QImage::Format_Mono &&
            image.format() != QImage::Format_MonoLSB)
            throw EInvalidGraphicOperation(GIFMessages::EncodingError);
        indices = IndicesOf(image, bpp);
        pixels = indices.data();
        stride = width;
        const std::vector<TColor> palette = bitmap.Palette();
        table->Count = 1 << bpp;
        for (int i = 0; i < table->Count && i < int(palette.size()); ++i)
            table->Colors[size_t(i)] = TGIFColor::FromColor(ColorToRGB(palette[size_t(i)]));
    } else {
        QImage converted;
        const QImage* image = &bitmap.ConstImage();
        if (image->format() != QImage::Format_RGB32 && image->format() != QImage::Format_ARGB32) {
            converted = image->convertToFormat(QImage::Format_RGB32);
            if (converted.isNull())
                throw EInvalidGraphicOperation(GIFMessages::BitCountNotImplemented);
            image = &converted;
        }
        reduced = TPopularityReduction::Reduce(reinterpret_cast<const uint32_t*>(image->constBits()), width, height,
                                               image->bytesPerLine() / 4, transparent);
        sourceBits = 8;
        pixels = reduced.Indices.data();
        stride = width;
        table->Count = 256;
        table->Colors = reduced.Palette;
    }

    item->FBitsPerPixel = uint8_t(BitsForColorCount(table->Count));
    item->FColorMap = std::move(table);
    item->FImageData = TLZWEncoder::Encode(pixels, width, height, stride, sourceBits == 1 ? 2 : sourceBits, progress);
    return item;
}
