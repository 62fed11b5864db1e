#pragma once
// TPackedFrame: the pixels of a full-colour frame bitmap (24 or 32 bits per
// pixel) in a compact lossless form, so that a long animation need not keep
// every frame decoded. Unpack() gives back exactly the pixels and pixel format
// that were packed.
//
// A frame of at most 256 colours is kept as the GIF data that the writer makes
// for it (its popularity palette and LZW codes), which writing then reuses; any
// other frame as deflated rows of blue, green, red (and alpha, when some pixel
// is not opaque) bytes, each stored as its difference to the byte of the pixel
// on its left.
#include "gif/GIFItem.h"
#include "platform/Bitmap.h"

#include <QImage>
#include <cstdint>
#include <memory>
#include <vector>

class TPackedFrame {
public:
    // Packs an image of Format_RGB32 (what a 24- or 32-bit TBitmap holds).
    // Safe to call on any thread: it only reads the image.
    static std::shared_ptr<const TPackedFrame> Pack(const QImage& image, TPixelFormat format);

    // The pixels again, in the format they had; no transparency set.
    TBitmap Unpack() const;

    int Width() const { return fWidth; }
    int Height() const { return fHeight; }
    TPixelFormat PixelFormat() const { return fFormat; }
    // Bytes this form holds.
    size_t Bytes() const;
    // For a frame of at most 256 colours: the encoded frame that the GIF writer
    // makes from these pixels, whatever their transparent colour; else null.
    const std::shared_ptr<const TGIFItem>& Item() const { return fItem; }

private:
    int fWidth = 0;
    int fHeight = 0;
    TPixelFormat fFormat = TPixelFormat::pf24bit;
    std::shared_ptr<const TGIFItem> fItem;
    bool fAlpha = false;           // deflated rows carry an alpha byte per pixel
    std::vector<uint8_t> fDeflated; // zlib stream of the filtered rows
};
