#include "aviwriter/AviBitmap.h"

#include "aviwriter/Palettes.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace avi {

namespace {

constexpr int64_t kMaxPixels = int64_t(1) << 28;

bool ValidDepth(int bits)
{
    return bits == 1 || bits == 4 || bits == 8 || bits == 24 || bits == 32;
}

// The colour (0x00RRGGBB) at x in a row of the given depth; an index past the
// palette reads as black.
uint32_t RowPixel(const uint8_t* row, int x, int bits, const uint32_t* palette, size_t paletteCount)
{
    int index = 0;
    switch (bits) {
    case 32:
    case 24: {
        const uint8_t* p = row + size_t(x) * size_t(bits / 8);
        return uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
    }
    case 8:
        index = row[x];
        break;
    case 4:
        index = (row[x / 2] >> (x % 2 ? 0 : 4)) & 0xF;
        break;
    default:
        index = (row[x / 8] >> (7 - x % 8)) & 1;
        break;
    }
    return size_t(index) < paletteCount ? palette[index] : 0;
}

} // namespace

const ZBitmapSection* CheckedSection(HBITMAP handle)
{
    const ZBitmapSection* s = ZBitmapSectionOf(handle);
    if (!s || s->Width < 0 || s->Height < 0 || !ValidDepth(s->BitsPerPixel)
        || int64_t(s->Width) * s->Height > kMaxPixels)
        return nullptr;
    if (s->Width == 0 || s->Height == 0)
        return s;
    if (!s->Pixels || s->Stride < (int64_t(s->Width) * s->BitsPerPixel + 7) / 8 || s->PaletteCount < 0
        || (s->PaletteCount > 0 && !s->Palette))
        return nullptr;
    return s;
}

uint32_t SectionPixel(const ZBitmapSection& s, int x, int y)
{
    const uint8_t* row = s.Pixels + size_t(y) * size_t(s.Stride);
    return RowPixel(row, x, s.BitsPerPixel, s.Palette, size_t(s.PaletteCount)) & 0xFFFFFF;
}

TAviBitmap::TAviBitmap(int width, int height, int bits)
    : fWidth(std::max(width, 0)), fHeight(std::max(height, 0)), fBits(bits)
{
    if (!ValidDepth(bits))
        throw std::invalid_argument("unsupported bit depth");
    if (int64_t(fWidth) * fHeight > kMaxPixels)
        throw std::length_error("bitmap too large");
    fStride = size_t(vfw::DibStride(fWidth, bits));
    fPalette = DefaultPalette(bits);
    fPixels.assign(fStride * size_t(fHeight), 0);
}

TAviBitmap::TAviBitmap(int width, int height, int bits, std::vector<uint32_t> palette)
    : TAviBitmap(width, height, bits)
{
    if (bits <= 8 && !palette.empty()) {
        palette.resize(std::min(palette.size(), size_t(1) << bits));
        fPalette = std::move(palette);
    }
}

TAviBitmap TAviBitmap::FromSection(const ZBitmapSection& s)
{
    TAviBitmap b(s.Width, s.Height, s.BitsPerPixel);
    if (s.BitsPerPixel <= 8) {
        const size_t n = size_t(1) << s.BitsPerPixel;
        b.fPalette.assign(n, 0);
        b.fNearest.reset();
        for (size_t i = 0; i < n && i < size_t(s.PaletteCount); ++i)
            b.fPalette[i] = s.Palette[i] & 0xFFFFFF;
    }
    const size_t rowBytes = size_t((int64_t(s.Width) * s.BitsPerPixel + 7) / 8);
    for (int y = 0; y < s.Height; ++y)
        std::memcpy(b.Row(y), s.Pixels + size_t(y) * size_t(s.Stride), rowBytes);
    return b;
}

vfw::TBitmapFormat TAviBitmap::Format() const
{
    vfw::TBitmapFormat f;
    f.Header.biWidth = fWidth;
    f.Header.biHeight = fHeight;
    f.Header.biBitCount = uint16_t(fBits);
    f.Header.biSizeImage = uint32_t(fPixels.size());
    if (fBits <= 8) {
        f.Palette = fPalette;
        f.Palette.resize(size_t(1) << fBits, 0);
    }
    return f;
}

uint32_t TAviBitmap::Pixel(int x, int y) const
{
    return RowPixel(Row(y), x, fBits, fPalette.data(), fPalette.size());
}

// Writes `count` colours into row y from column x0, in the bitmap's depth.
void TAviBitmap::SetRow(int y, const uint32_t* rgb, int x0, int count)
{
    uint8_t* row = Row(y);
    if (fBits >= 24) {
        const int step = fBits / 8;
        uint8_t* p = row + size_t(x0) * size_t(step);
        for (int i = 0; i < count; ++i, p += step) {
            p[0] = uint8_t(rgb[i]);
            p[1] = uint8_t(rgb[i] >> 8);
            p[2] = uint8_t(rgb[i] >> 16);
            if (step == 4)
                p[3] = 0;
        }
        return;
    }
    if (!fNearest)
        fNearest = std::make_shared<TNearestColor>(fPalette);
    TNearestColor& nearest = *fNearest;
    for (int i = 0; i < count; ++i) {
        const int x = x0 + i;
        const int index = nearest.Index(rgb[i]);
        if (fBits == 8) {
            row[x] = uint8_t(index);
        } else if (fBits == 4) {
            const int shift = x % 2 ? 0 : 4;
            row[x / 2] = uint8_t((row[x / 2] & ~(0xF << shift)) | index << shift);
        } else {
            const int shift = 7 - x % 8;
            row[x / 8] = uint8_t((row[x / 8] & ~(1 << shift)) | index << shift);
        }
    }
}

void TAviBitmap::Fill(uint32_t rgb)
{
    std::vector<uint32_t> line(static_cast<size_t>(fWidth), rgb & 0xFFFFFF);
    for (int y = 0; y < fHeight; ++y)
        SetRow(y, line.data(), 0, fWidth);
}

void TAviBitmap::StretchFrom(const ZBitmapSection& s)
{
    if (s.Width <= 0 || s.Height <= 0 || fWidth == 0 || fHeight == 0)
        return;
    // Source column and row under the centre of each target pixel.
    std::vector<int> columns(static_cast<size_t>(fWidth));
    for (int x = 0; x < fWidth; ++x)
        columns[size_t(x)] = int((int64_t(2 * x + 1) * s.Width) / (2 * int64_t(fWidth)));
    std::vector<uint32_t> line(static_cast<size_t>(fWidth));
    int lastRow = -1;
    for (int y = 0; y < fHeight; ++y) {
        const int sy = int((int64_t(2 * y + 1) * s.Height) / (2 * int64_t(fHeight)));
        if (sy != lastRow) {
            if (s.BitsPerPixel == 32) {
                const uint8_t* row = s.Pixels + size_t(sy) * size_t(s.Stride);
                for (int x = 0; x < fWidth; ++x) {
                    const uint8_t* p = row + size_t(columns[size_t(x)]) * 4;
                    line[size_t(x)] = uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
                }
            } else {
                for (int x = 0; x < fWidth; ++x)
                    line[size_t(x)] = SectionPixel(s, columns[size_t(x)], sy);
            }
            lastRow = sy;
        }
        SetRow(y, line.data(), 0, fWidth);
    }
}

void TAviBitmap::DrawAt(const ZBitmapSection& s, int x, int y)
{
    const int x0 = std::max(x, 0), x1 = std::min<int64_t>(int64_t(x) + s.Width, fWidth);
    const int y0 = std::max(y, 0), y1 = std::min<int64_t>(int64_t(y) + s.Height, fHeight);
    if (x0 >= x1 || y0 >= y1)
        return;
    std::vector<uint32_t> line(static_cast<size_t>(x1 - x0));
    for (int ty = y0; ty < y1; ++ty) {
        for (int tx = x0; tx < x1; ++tx)
            line[size_t(tx - x0)] = SectionPixel(s, tx - x, ty - y);
        SetRow(ty, line.data(), x0, x1 - x0);
    }
}

} // namespace avi
