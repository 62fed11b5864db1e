#pragma once
// PNG files through libpng. Every colour type and bit depth is read, also
// interlaced files. Palette files give indexed bitmaps (1-bit files 1 bit,
// 2- and 4-bit files 4 bits, 8-bit files 8 bits) whose palette entries are
// composited over white by their tRNS alpha; every other file gives a 24-bit
// bitmap, translucent pixels composited over white. 16-bit samples are scaled
// to 8 bits. Ancillary chunks (gamma, colour profiles, text) are not applied.
//
// Writing: indexed bitmaps as palette PNGs of 1, 4 or 8 bits, the others as
// 8-bit RGB; EncodeRgba keeps a QImage's alpha channel (8-bit RGBA). `level`
// is zlib's compression level 0..9, -1 for libpng's default.
//
// libpng's error handler jumps back into the codec (setjmp/longjmp, across
// libpng's C frames only), which throws EImageFileError with libpng's message.
#include "platform/Bitmap.h"

#include <QByteArray>
#include <QImage>

namespace PngCodec {

TBitmap Decode(const QByteArray& data);
QByteArray Encode(const TBitmap& bitmap, int level = -1);
QByteArray EncodeRgba(const QImage& image, int level = -1);

} // namespace PngCodec
