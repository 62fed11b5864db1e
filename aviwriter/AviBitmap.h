#pragma once
// TAviBitmap: a bitmap section of the engine's own (a device-independent
// bitmap: rows from the bottom up, each padded to 4 bytes, a palette for 1, 4
// and 8 bits), and the drawing the engine does into it from a host's bitmap
// handle: stretching over the whole bitmap, or copying unscaled and centred.
//
// Stretching takes for each target pixel the source pixel under its centre
// (nearest neighbour, as StretchBlt in colour-on-colour mode); indexed targets
// take the nearest palette entry.
#include "aviwriter/vfw/VfwTypes.h"
#include "com/BitmapHandle.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace avi {

class TNearestColor;

// The section a handle points at, or null when the handle is null or its
// description is not a usable bitmap (bad depth, stride, or missing pixels).
const ZBitmapSection* CheckedSection(HBITMAP handle);

class TAviBitmap {
public:
    // A black bitmap of 1, 4, 8, 24 or 32 bits with the depth's default palette.
    // Throws std::bad_alloc or std::length_error past 2^28 pixels.
    TAviBitmap(int width, int height, int bits);
    // The same with a palette of its own (indexed depths; cut to 2^bits entries).
    TAviBitmap(int width, int height, int bits, std::vector<uint32_t> palette);
    // A copy of a host's bitmap with its own depth and palette.
    static TAviBitmap FromSection(const ZBitmapSection& section);

    int Width() const { return fWidth; }
    int Height() const { return fHeight; }
    int Bits() const { return fBits; }
    const std::vector<uint32_t>& Palette() const { return fPalette; }
    const uint8_t* Pixels() const { return fPixels.data(); }
    size_t ImageSize() const { return fPixels.size(); }
    // The information header (no compression) and a palette of 2^bits entries
    // for depths up to 8.
    vfw::TBitmapFormat Format() const;

    // 0x00RRGGBB of a pixel (x, y from the top left).
    uint32_t Pixel(int x, int y) const;
    void Fill(uint32_t rgb);
    void StretchFrom(const ZBitmapSection& source);
    // Copies at (x, y) unscaled; parts outside are cut off.
    void DrawAt(const ZBitmapSection& source, int x, int y);

private:
    uint8_t* Row(int y) { return fPixels.data() + size_t(fHeight - 1 - y) * fStride; }
    const uint8_t* Row(int y) const { return fPixels.data() + size_t(fHeight - 1 - y) * fStride; }
    void SetRow(int y, const uint32_t* rgb, int x0, int count);

    int fWidth = 0;
    int fHeight = 0;
    int fBits = 24;
    size_t fStride = 0;
    std::vector<uint32_t> fPalette;
    std::vector<uint8_t> fPixels;
    std::shared_ptr<TNearestColor> fNearest; // palette lookup of indexed bitmaps
};

// 0x00RRGGBB of a pixel of a host's bitmap (x, y inside it).
uint32_t SectionPixel(const ZBitmapSection& s, int x, int y);

} // namespace avi
