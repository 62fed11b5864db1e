#include "platform/PngCodec.h"

#include "platform/ImageCodecSupport.h"
#include "platform/ImageFiles.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <png.h>

using namespace ImageCodecSupport;

namespace {

// Deflate expands at most about 1032:1; a little more covers the row filter bytes.
constexpr qint64 kMaxInflateRatio = 1100;

// libpng's messages and the input, kept outside the functions that call setjmp.
struct Messages {
    char text[256] = {};
};

void OnError(png_structp png, png_const_charp message)
{
    auto* messages = static_cast<Messages*>(png_get_error_ptr(png));
    std::snprintf(messages->text, sizeof messages->text, "%s", message ? message : "unknown error");
    png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

EImageFileError PngError(const Messages& messages)
{
    return EImageFileError(QStringLiteral("The PNG data is damaged or unsupported: %1.")
                               .arg(QString::fromLocal8Bit(messages.text)));
}

// ---- decoding -------------------------------------------------------------

struct Input {
    const unsigned char* data = nullptr;
    size_t size = 0;
    size_t pos = 0;
};

void OnRead(png_structp png, png_bytep out, size_t count)
{
    auto* in = static_cast<Input*>(png_get_io_ptr(png));
    if (count > in->size - in->pos)
        png_error(png, "the data ends early");
    std::memcpy(out, in->data + in->pos, count);
    in->pos += count;
}

struct Decoder {
    Messages messages;
    Input input;
    png_structp png = nullptr;
    png_infop info = nullptr;
    // Filled by ReadInfo.
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    int bitDepth = 0;
    int colorType = 0;
    int channels = 0; // in the file
    bool indexed = false;
    size_t rowBytes = 0; // after the transformations
    int paletteCount = 0;
    TColor palette[256] = {};

    Decoder()
    {
        png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &messages, OnError, OnWarning);
        if (png)
            info = png_create_info_struct(png);
    }
    ~Decoder() { png_destroy_read_struct(&png, info ? &info : nullptr, nullptr); }
};

uint8_t OverWhite(unsigned value, unsigned alpha)
{
    return uint8_t((value * alpha + 255 * (255 - alpha) + 127) / 255);
}

bool ReadInfo(Decoder& d)
{
    if (setjmp(png_jmpbuf(d.png)))
        return false;
    png_set_read_fn(d.png, &d.input, OnRead);
    png_set_user_limits(d.png, kMaxImageSide, kMaxImageSide);
    png_read_info(d.png, d.info);
    d.width = png_get_image_width(d.png, d.info);
    d.height = png_get_image_height(d.png, d.info);
    d.bitDepth = png_get_bit_depth(d.png, d.info);
    d.colorType = png_get_color_type(d.png, d.info);
    d.channels = png_get_channels(d.png, d.info);
    d.indexed = d.colorType == PNG_COLOR_TYPE_PALETTE;

    if (d.indexed) {
        png_colorp entries = nullptr;
        int count = 0;
        if (png_get_PLTE(d.png, d.info, &entries, &count) != 0 && entries) {
            png_bytep alpha = nullptr;
            int alphaCount = 0;
            if (png_get_valid(d.png, d.info, PNG_INFO_tRNS))
                png_get_tRNS(d.png, d.info, &alpha, &alphaCount, nullptr);
            d.paletteCount = count < 256 ? count : 256;
            for (int i = 0; i < d.paletteCount; ++i) {
                const unsigned a = alpha && i < alphaCount ? alpha[i] : 255;
                d.palette[i] = RGB(OverWhite(entries[i].red, a), OverWhite(entries[i].green, a),
                                   OverWhite(entries[i].blue, a));
            }
        }
        // 1-bit rows stay packed (the layout of a 1-bit bitmap); 2 and 4 bits
        // become one index per byte.
        if (d.bitDepth == 2 || d.bitDepth == 4)
            png_set_packing(d.png);
    } else {
        png_set_expand(d.png);       // low grey depths to 8 bits, tRNS to alpha
        png_set_scale_16(d.png);
        png_set_gray_to_rgb(d.png);
        png_set_bgr(d.png);          // BGRA in memory is QImage's 0xAARRGGBB
        png_set_filler(d.png, 0xFF, PNG_FILLER_AFTER); // only where there is no alpha
    }
    png_set_interlace_handling(d.png);
    png_read_update_info(d.png, d.info);
    d.rowBytes = png_get_rowbytes(d.png, d.info);
    return true;
}

bool ReadRows(Decoder& d, png_bytepp rows)
{
    if (setjmp(png_jmpbuf(d.png)))
        return false;
    png_read_image(d.png, rows);
    return true;
}

// ---- encoding -------------------------------------------------------------

struct Output {
    unsigned char* data = nullptr;
    size_t size = 0;
    size_t capacity = 0;
};

void OnWrite(png_structp png, png_bytep bytes, size_t count)
{
    auto* out = static_cast<Output*>(png_get_io_ptr(png));
    if (count > out->capacity - out->size) {
        size_t grown = std::max<size_t>(out->capacity * 2, 64 * 1024);
        while (grown - out->size < count)
            grown *= 2;
        auto* data = static_cast<unsigned char*>(std::realloc(out->data, grown));
        if (!data)
            png_error(png, "out of memory");
        out->data = data;
        out->capacity = grown;
    }
    std::memcpy(out->data + out->size, bytes, count);
    out->size += count;
}

void OnFlush(png_structp) {}

struct Encoder {
    Messages messages;
    Output output;
    png_structp png = nullptr;
    png_infop info = nullptr;

    Encoder()
    {
        png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &messages, OnError, OnWarning);
        if (png)
            info = png_create_info_struct(png);
    }
    ~Encoder()
    {
        png_destroy_write_struct(&png, info ? &info : nullptr);
        std::free(output.data);
    }
};

struct Picture {
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    int bitDepth = 8;
    int colorType = PNG_COLOR_TYPE_RGB;
    png_color palette[256] = {};
    int paletteCount = 0;
    int level = -1; // zlib level 0..9, -1 for libpng's default
};

bool Compress(Encoder& e, const Picture& p, png_bytepp rows)
{
    if (setjmp(png_jmpbuf(e.png)))
        return false;
    png_set_write_fn(e.png, &e.output, OnWrite, OnFlush);
    if (p.level >= 0)
        png_set_compression_level(e.png, std::min(p.level, 9));
    // At the fast levels trying every row filter would cost more than the
    // deflating; the left-neighbour filter alone serves pictures well.
    if (p.level >= 0 && p.level <= 3)
        png_set_filter(e.png, PNG_FILTER_TYPE_BASE, PNG_FILTER_SUB);
    png_set_IHDR(e.png, e.info, p.width, p.height, p.bitDepth, p.colorType, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (p.colorType == PNG_COLOR_TYPE_PALETTE)
        png_set_PLTE(e.png, e.info, const_cast<png_colorp>(p.palette), p.paletteCount);
    png_write_info(e.png, e.info);
    png_write_image(e.png, rows);
    png_write_end(e.png, nullptr);
    return true;
}

QByteArray Write(const Picture& picture, std::vector<png_bytep>& rows)
{
    Encoder e;
    if (!e.png || !e.info)
        throw EImageFileError("Not enough memory to write a PNG picture.");
    if (!Compress(e, picture, rows.data()))
        throw PngError(e.messages);
    return QByteArray(reinterpret_cast<const char*>(e.output.data), qsizetype(e.output.size));
}

} // namespace

namespace PngCodec {

TBitmap Decode(const QByteArray& data)
{
    static const char signature[8] = {'\x89', 'P', 'N', 'G', '\r', '\n', '\x1A', '\n'};
    if (data.size() < 8 || std::memcmp(data.constData(), signature, 8) != 0)
        throw EImageFileError("The data is not a PNG picture.");
    Decoder d;
    if (!d.png || !d.info)
        throw EImageFileError("Not enough memory to read a PNG picture.");
    d.input = {reinterpret_cast<const unsigned char*>(data.constData()), size_t(data.size()), 0};
    if (!ReadInfo(d))
        throw PngError(d.messages);

    const qint64 width = d.width;
    const qint64 height = d.height;
    CheckSize(width, height, "PNG");
    const qint64 bitsPerPixel = qint64(d.channels) * d.bitDepth;
    CheckDataFor(width * height, data.size(), std::max<qint64>(1, kMaxInflateRatio * 8 / bitsPerPixel), "PNG");

    TPixelFormat format = TPixelFormat::pf24bit;
    if (d.indexed)
        format = d.bitDepth == 1 ? TPixelFormat::pf1bit : d.bitDepth == 8 ? TPixelFormat::pf8bit : TPixelFormat::pf4bit;
    TBitmap bitmap = NewBitmap(int(width), int(height), format);
    QImage& image = bitmap.Image();
    if (d.rowBytes > size_t(image.bytesPerLine()) || (!d.indexed && d.rowBytes != size_t(width) * 4))
        throw EImageFileError("The PNG picture has a pixel layout that is not supported.");
    std::vector<png_bytep> rows(static_cast<size_t>(height));
    for (int y = 0; y < int(height); ++y)
        rows[size_t(y)] = image.scanLine(y);
    if (!ReadRows(d, rows.data()))
        throw PngError(d.messages);

    if (d.indexed) {
        SetIndexedPalette(bitmap, std::vector<TColor>(d.palette, d.palette + d.paletteCount));
    } else {
        for (int y = 0; y < int(height); ++y) {
            QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < int(width); ++x) {
                const QRgb c = line[x];
                const unsigned a = qAlpha(c);
                if (a != 255)
                    line[x] = qRgb(OverWhite(qRed(c), a), OverWhite(qGreen(c), a), OverWhite(qBlue(c), a));
            }
        }
    }
    return bitmap;
}

QByteArray Encode(const TBitmap& bitmap, int level)
{
    if (bitmap.Empty())
        throw EImageFileError("An empty picture cannot be saved as PNG.");
    const QImage& image = bitmap.ConstImage();
    Picture picture;
    picture.level = level;
    picture.width = png_uint_32(image.width());
    picture.height = png_uint_32(image.height());
    std::vector<png_bytep> rows(picture.height);
    std::vector<uchar> packed;
    QImage pixels;

    if (image.format() == QImage::Format_Mono || image.format() == QImage::Format_Indexed8) {
        const bool mono = image.format() == QImage::Format_Mono;
        picture.bitDepth = mono ? 1 : bitmap.PixelFormat() == TPixelFormat::pf4bit ? 4 : 8;
        picture.colorType = PNG_COLOR_TYPE_PALETTE;
        const std::vector<TColor> palette = PaletteForWriting(bitmap, picture.bitDepth);
        picture.paletteCount = int(palette.size());
        for (size_t i = 0; i < palette.size(); ++i)
            picture.palette[i] = {GetRValue(palette[i]), GetGValue(palette[i]), GetBValue(palette[i])};
        if (picture.bitDepth == 8) {
            for (int y = 0; y < image.height(); ++y)
                rows[size_t(y)] = const_cast<png_bytep>(image.constScanLine(y));
        } else {
            // Pack 1- and 4-bit rows, the unused low bits of the last byte cleared.
            const size_t rowBytes = (size_t(image.width()) * size_t(picture.bitDepth) + 7) / 8;
            packed.assign(rowBytes * picture.height, 0);
            for (int y = 0; y < image.height(); ++y) {
                const uchar* src = image.constScanLine(y);
                uchar* dst = packed.data() + size_t(y) * rowBytes;
                if (mono) {
                    std::memcpy(dst, src, rowBytes);
                    if (image.width() % 8)
                        dst[rowBytes - 1] &= uchar(0xFF << (8 - image.width() % 8));
                } else {
                    for (int x = 0; x < image.width(); ++x)
                        dst[x / 2] |= (x & 1) ? (src[x] & 0x0F) : uchar((src[x] & 0x0F) << 4);
                }
                rows[size_t(y)] = dst;
            }
        }
    } else {
        pixels = Rgb32Pixels(bitmap).convertToFormat(QImage::Format_RGB888);
        for (int y = 0; y < pixels.height(); ++y)
            rows[size_t(y)] = const_cast<png_bytep>(pixels.constScanLine(y));
    }
    return Write(picture, rows);
}

QByteArray EncodeRgba(const QImage& image, int level)
{
    if (image.isNull() || image.width() == 0 || image.height() == 0)
        throw EImageFileError("An empty picture cannot be saved as PNG.");
    const QImage pixels = image.convertToFormat(QImage::Format_RGBA8888);
    Picture picture;
    picture.level = level;
    picture.width = png_uint_32(pixels.width());
    picture.height = png_uint_32(pixels.height());
    picture.colorType = PNG_COLOR_TYPE_RGB_ALPHA;
    std::vector<png_bytep> rows(picture.height);
    for (int y = 0; y < pixels.height(); ++y)
        rows[size_t(y)] = const_cast<png_bytep>(pixels.constScanLine(y));
    return Write(picture, rows);
}

} // namespace PngCodec
