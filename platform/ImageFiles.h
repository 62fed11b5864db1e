#pragma once
// Picture files: BMP, JPEG and PNG read into a TBitmap and written from one.
// The kind of a file is recognised from its first bytes, not from its name.
//
// What a loaded picture looks like:
// - BMP with 1, 4 or 8 bits per pixel: an indexed bitmap of that pixel format
//   with the file's palette; 16, 24 and 32 bits: a 24-bit bitmap (an alpha
//   channel is ignored, as GDI ignores it).
// - PNG with a palette: an indexed bitmap (1 bit for 1-bit files, 4 bits for
//   2- and 4-bit files, 8 bits otherwise); every other PNG: a 24-bit bitmap.
//   Transparent and translucent pixels (alpha channel, tRNS) are composited
//   over white, since a bitmap has no alpha.
// - JPEG: a 24-bit bitmap; greyscale and CMYK/YCCK pictures are converted to RGB.
//
// Every failure throws EImageFileError with a message for the user: missing or
// unreadable file, unknown format, truncated or corrupt data, or a picture larger
// than kMaxImageSide on a side or kMaxImagePixels in all. Sizes declared in a
// file are checked against the amount of data before anything is allocated.
#include "platform/Bitmap.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <stdexcept>
#include <string>

class EImageFileError : public std::runtime_error {
public:
    explicit EImageFileError(const QString& message) : std::runtime_error(message.toStdString()) {}
    explicit EImageFileError(const char* message) : std::runtime_error(message) {}
    QString Message() const { return QString::fromUtf8(what()); }
};

enum class TImageFileKind { Unknown, Bmp, Jpeg, Png, Gif };

// Largest picture accepted, per side and in pixels (the bitmap limit, 64 megapixels).
constexpr int kMaxImageSide = 32768;
constexpr qint64 kMaxImagePixels = kMaxBitmapPixels;

// The kind of picture the bytes start with (GIF is recognised but not loaded here).
TImageFileKind DetectImageKind(const QByteArray& data);

// Loading, from memory or from a file.
TBitmap LoadImageData(const QByteArray& data);
TBitmap LoadImageFile(const QString& path);

// Encoding into memory. JPEG quality runs from 1 (smallest) to 100 (best);
// values outside are clamped. BMP keeps indexed formats (1, 4, 8 bits with
// their palette) and writes every other format as 24 bits. PNG writes indexed
// bitmaps with a palette (1, 4 or 8 bits) and others as 24-bit RGB.
QByteArray EncodeBmp(const TBitmap& bitmap);
QByteArray EncodeJpeg(const TBitmap& bitmap, int quality);
// PNG compression: `level` is zlib's 0..9 (-1: libpng's default, 6). Writing
// many frames takes the fast level; a smaller file costs several times the time.
inline constexpr int kPngFastLevel = 1;
QByteArray EncodePng(const TBitmap& bitmap, int level = -1);
// A 32-bit RGBA PNG that keeps the image's alpha channel.
QByteArray EncodePngRgba(const QImage& image, int level = -1);

// Saving to a file. An existing file is replaced only when the new one has been
// written completely. `kind` must be Bmp, Jpeg or Png (jpegQuality serves Jpeg only).
void SaveImageFile(const TBitmap& bitmap, const QString& path, TImageFileKind kind, int jpegQuality);
void SaveBmpFile(const TBitmap& bitmap, const QString& path);
void SaveJpegFile(const TBitmap& bitmap, const QString& path, int quality);
void SavePngFile(const TBitmap& bitmap, const QString& path, int level = -1);
void SavePngRgbaFile(const QImage& image, const QString& path, int level = -1);
