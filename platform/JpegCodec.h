#pragma once
// JPEG files through libjpeg (IJG interface, version 62). Decoding gives a
// 24-bit bitmap; greyscale pictures are expanded to RGB and CMYK/YCCK pictures
// (Adobe's inverted convention included) converted to RGB. Encoding writes a
// baseline YCbCr JPEG of the given quality (1..100, clamped).
//
// libjpeg reports errors by calling a handler that must not return; ours jumps
// back into the codec (setjmp/longjmp, only across libjpeg's C frames), which
// then throws EImageFileError with libjpeg's message. Data that ends early is
// an error here, not a picture padded with grey.
#include "platform/Bitmap.h"

#include <QByteArray>

namespace JpegCodec {

TBitmap Decode(const QByteArray& data);
QByteArray Encode(const TBitmap& bitmap, int quality);

} // namespace JpegCodec
