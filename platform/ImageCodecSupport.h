#pragma once
// Helpers shared by the BMP, JPEG and PNG codecs: size limits, allocation of
// the target bitmap and palettes of indexed pictures.
#include "platform/Bitmap.h"
#include "platform/ImageFiles.h"

#include <vector>

namespace ImageCodecSupport {

// Throws unless 0 < width, height (or 0 allowed when `allowEmpty`) and the
// picture stays within kMaxImageSide and kMaxImagePixels. `format` names the
// file kind in the message ("BMP", "PNG", ...).
void CheckSize(qint64 width, qint64 height, const char* format, bool allowEmpty = false);

// Throws when `pixels` cannot come from `dataBytes` of compressed data, given
// the most pixels one byte of that format can describe (plus a small allowance).
void CheckDataFor(qint64 pixels, qint64 dataBytes, qint64 maxPixelsPerByte, const char* format);

// A bitmap of that size and format, or EImageFileError when memory runs out.
TBitmap NewBitmap(int width, int height, TPixelFormat format);

// Sets the palette of an indexed bitmap whose pixels are already in place:
// the palette is lengthened with black so that every index used has a colour
// (a 1-bit bitmap always gets two colours).
void SetIndexedPalette(TBitmap& bitmap, std::vector<TColor> palette);

// The palette to write for an indexed bitmap stored with `bits` bits per pixel
// (1, 4 or 8): the bitmap's palette, lengthened with black so that every index
// used has a colour, and cut to 2^bits entries.
std::vector<TColor> PaletteForWriting(const TBitmap& bitmap, int bits);

// The pixels of any bitmap as 32-bit 0xFFRRGGBB (a shallow copy when they already are).
QImage Rgb32Pixels(const TBitmap& bitmap);

} // namespace ImageCodecSupport
