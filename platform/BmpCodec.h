#pragma once
// Windows BMP files (device-independent bitmaps).
//
// Reading: the 12-byte OS/2 core header and the 40-, 52-, 56-, 64-, 108- and
// 124-byte info headers (V4, V5); 1, 4, 8, 16, 24 and 32 bits per pixel;
// bottom-up and top-down rows; BI_RGB, BI_BITFIELDS (also with an alpha mask),
// BI_RLE8 and BI_RLE4. 1/4/8-bit files give indexed bitmaps with their palette,
// the others 24-bit bitmaps (alpha ignored). A picture of 0 pixels gives an
// empty bitmap.
//
// Writing: a 14-byte file header, a 40-byte info header, the palette of indexed
// bitmaps (1, 4 or 8 bits; biClrUsed is the palette's length, 0 when it is full)
// and bottom-up rows padded to 4 bytes, no compression. Bitmaps of 24 and 32
// bits are written with 24 bits (GDI ignores the fourth byte, and 24 bits is
// what every reader takes).
#include "platform/Bitmap.h"

#include <QByteArray>

namespace BmpCodec {

TBitmap Decode(const QByteArray& data);
QByteArray Encode(const TBitmap& bitmap);

} // namespace BmpCodec
