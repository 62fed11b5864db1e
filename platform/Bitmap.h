#pragma once
// TBitmap stands in for a GDI bitmap: a pixel format of 1, 4, 8, 24 or 32
// bits per pixel, a palette for the indexed formats, a transparency flag with a
// transparent colour (colour-key drawing), and a canvas to draw on.
//
// Storage is a QImage: Format_Mono for 1 bit, Format_Indexed8 for 4 and 8 bits
// (a 4-bit bitmap holds at most 16 palette entries), Format_RGB32 for 24 and
// 32 bits (the alpha byte is ignored, as GDI ignores it). Copies share pixels
// until one of them is written (QImage's implicit sharing), so copying is cheap.
#include "platform/Color.h"
#include "platform/Types.h"

#include <QImage>
#include <cstdint>
#include <memory>
#include <vector>

class TCanvas;

// The most pixels a picture read from a file, a GIF screen or a GIF frame may
// have (64 megapixels: an 8K screen, or a wide desktop of several monitors).
// Larger ones are refused before anything is allocated; at 32 bits one takes
// 256 MiB. Bitmaps the editor makes itself (its frames go to 10000 x 10000)
// are limited by kMaxAllocatedPixels in Bitmap.cpp.
constexpr int64_t kMaxBitmapPixels = int64_t(1) << 26;

enum class TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf24bit, pf32bit };

// tmAuto: the transparent colour is the colour of the bottom-left pixel;
// tmFixed: the colour set with SetTransparentColor.
enum class TTransparentMode { tmAuto, tmFixed };

class TBitmap {
public:
    TBitmap();
    TBitmap(int width, int height, TPixelFormat format = TPixelFormat::pf24bit);
    explicit TBitmap(const QImage& image); // takes the image's pixels; 24 bits unless indexed/mono
    ~TBitmap();

    TBitmap(const TBitmap& other);             // copies pixels, format, palette, transparency
    TBitmap& operator=(const TBitmap& other);
    TBitmap(TBitmap&& other) noexcept;
    TBitmap& operator=(TBitmap&& other) noexcept;

    void Assign(const TBitmap& other) { *this = other; }

    int Width() const;
    int Height() const;
    bool Empty() const; // width or height is 0

    // Resizes; the overlapping part of the old pixels is kept, new pixels are black
    // (palette index 0 for indexed formats). Negative values count as 0. A size
    // whose pixels cannot be allocated, or of more than 2^28 pixels,
    // throws std::runtime_error and leaves the bitmap as it was.
    void SetSize(int width, int height);
    void SetWidth(int width);
    void SetHeight(int height);

    TPixelFormat PixelFormat() const;
    // Converts the pixels. Reducing to 8 or 4 bits maps each colour to the nearest
    // entry of the halftone palette (the 16 VGA colours, VgaPalette(), for 4 bits);
    // an indexed bitmap whose palette already fits keeps its indexes and palette.
    // 1 bit maps to black and white by luminance. pfDevice means 32 bits.
    // A new bitmap of 8 bits gets the halftone palette, of 4 bits the VGA colours,
    // of 1 bit black and white.
    void SetPixelFormat(TPixelFormat format);
    int BitsPerPixel() const; // 1, 4, 8, 24 or 32
    bool Monochrome() const;  // 1 bit per pixel

    // Palette of the indexed formats (empty for 24/32 bits). Setting it keeps the
    // pixel indexes; the list is cut to the format's maximum (2, 16, 256).
    std::vector<TColor> Palette() const;
    void SetPalette(const std::vector<TColor>& colors);

    // Colour-key transparency: when Transparent is on, pixels whose colour equals
    // TransparentColor (low 24 bits) are left out by TCanvas::Draw/StretchDraw.
    bool Transparent() const { return fTransparent; }
    void SetTransparent(bool value) { fTransparent = value; }
    TColor TransparentColor() const; // tmAuto: colour of the bottom-left pixel (clNone when empty)
    void SetTransparentColor(TColor color); // switches to tmFixed; clDefault switches back to tmAuto
    TTransparentMode TransparentMode() const { return fTransparentMode; }
    void SetTransparentMode(TTransparentMode mode) { fTransparentMode = mode; }

    // Pixel access in COLORREF; outside the bitmap Pixel answers clNone and
    // SetPixel does nothing. Indexed formats map through the palette (SetPixel
    // takes the nearest entry).
    TColor Pixel(int x, int y) const;
    void SetPixel(int x, int y, TColor color);
    // Palette index of a pixel of an indexed bitmap (0 for other formats).
    int PixelIndex(int x, int y) const;
    void SetPixelIndex(int x, int y, int index);

    // The canvas drawing on this bitmap; created on first use, owned by the bitmap.
    TCanvas& Canvas();

    // Direct access to the pixels. Image() finishes any drawing in progress
    // and marks the pixels changed; ConstImage() only finishes the drawing.
    QImage& Image();
    const QImage& ConstImage() const;

    // A counter that changes whenever the pixels, size, palette or format may have
    // changed (drawing, SetPixel, Image(), SetSize ...). Caches compare it.
    // Values are unique across all bitmaps, so a cache keyed by a bitmap's address
    // cannot mistake a new bitmap for an old one.
    uint64_t Generation() const { return fGeneration; }
    void Changed() { fGeneration = NextGeneration(); }

    // The pixels as 32-bit ARGB with alpha 0 where the colour key applies
    // (when Transparent), else fully opaque. Cached until the bitmap changes.
    const QImage& KeyedImage() const;

    // Pixel helpers shared with the canvas. ToRgb32 converts any image to
    // Format_RGB32 (an indexed image whose palette is shorter than its indexes
    // shows black for the missing entries). ReduceToPalette maps 32-bit pixels
    // to the nearest of the given colours (Format_Indexed8 with that palette).
    static QImage ToRgb32(const QImage& image);
    static QImage ReduceToPalette(const QImage& rgb32, const TColor* palette, int count);

private:
    friend class TCanvas;
    static uint64_t NextGeneration();
    void FinishDrawing() const;
    void SetImageFromStorage(QImage image, TPixelFormat format);
    QList<QRgb> CurrentColorTable() const;

    QImage fImage;
    QList<QRgb> fEmptyPalette; // palette of an indexed bitmap while it has no pixels
    TPixelFormat fFormat = TPixelFormat::pf24bit;
    bool fTransparent = false;
    TTransparentMode fTransparentMode = TTransparentMode::tmAuto;
    TColor fTransparentColor = clNone;
    uint64_t fGeneration = NextGeneration();
    std::unique_ptr<TCanvas> fCanvas;
    mutable QImage fKeyed;
    mutable uint64_t fKeyedGeneration = ~uint64_t(0);
    mutable TColor fKeyedColor = clNone;
    mutable bool fKeyedTransparent = false;
};
