#include "platform/ImageFiles.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QtEndian>
#include <cstdio>
#include <cstring>
#include <gtest/gtest.h>
#include <jpeglib.h>
#include <png.h>
#include <random>
#include <zlib.h>

namespace {

QByteArray Le(uint64_t value, int bytes)
{
    QByteArray out(bytes, '\0');
    for (int i = 0; i < bytes; ++i)
        out[i] = char(value >> (8 * i));
    return out;
}

// A BMP with a 40-byte (or `headerSize`) info header, built by hand.
QByteArray Bmp(int32_t width, int32_t height, int bits, uint32_t compression, const QByteArray& extra,
               const QByteArray& pixels, uint32_t clrUsed = 0, uint32_t headerSize = 40)
{
    QByteArray info = Le(headerSize, 4) + Le(uint32_t(width), 4) + Le(uint32_t(height), 4) + Le(1, 2)
                    + Le(uint32_t(bits), 2) + Le(compression, 4) + Le(uint32_t(pixels.size()), 4) + Le(0, 8)
                    + Le(clrUsed, 4) + Le(0, 4);
    info.append(QByteArray(int(headerSize) - 40, '\0'));
    const uint32_t offset = uint32_t(14 + info.size() + extra.size());
    return "BM" + Le(offset + uint32_t(pixels.size()), 4) + Le(0, 4) + Le(offset, 4) + info + extra + pixels;
}

QByteArray Hex(const char* hex)
{
    return QByteArray::fromHex(hex);
}

TBitmap Pattern(int w, int h, TPixelFormat format)
{
    TBitmap b(w, h, format);
    if (format == TPixelFormat::pf1bit || format == TPixelFormat::pf4bit || format == TPixelFormat::pf8bit) {
        const int colors = format == TPixelFormat::pf1bit ? 2 : format == TPixelFormat::pf4bit ? 16 : 200;
        std::vector<TColor> palette;
        for (int i = 0; i < colors; ++i)
            palette.push_back(RGB(uint8_t(i * 37), uint8_t(255 - i), uint8_t(i * 11)));
        b.SetPalette(palette);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                b.SetPixelIndex(x, y, (x * 3 + y * 7) % colors);
    } else {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                b.SetPixel(x, y, RGB(uint8_t(x * 40), uint8_t(y * 50), uint8_t(x * y)));
    }
    return b;
}

void ExpectSamePixels(const TBitmap& a, const TBitmap& b)
{
    ASSERT_EQ(a.Width(), b.Width());
    ASSERT_EQ(a.Height(), b.Height());
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            ASSERT_EQ(a.Pixel(x, y), b.Pixel(x, y)) << x << "," << y;
}

// Expects a load failure whose message says something.
void ExpectRejected(const QByteArray& data, const char* what)
{
    try {
        LoadImageData(data);
        ADD_FAILURE() << what << ": loaded";
    } catch (const EImageFileError& e) {
        EXPECT_GT(std::strlen(e.what()), 10u) << what;
    }
}

// PNG files written with libpng itself, for colour types our writer never makes.
QByteArray MakePng(int w, int h, int colorType, int depth, bool interlaced, const std::vector<uint8_t>& pixels,
                   std::vector<png_color> palette = {}, std::vector<uint8_t> alpha = {})
{
    QByteArray out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &out, [](png_structp p, png_bytep d, size_t n) {
        static_cast<QByteArray*>(png_get_io_ptr(p))->append(reinterpret_cast<const char*>(d), qsizetype(n));
    }, nullptr);
    png_set_IHDR(png, info, png_uint_32(w), png_uint_32(h), depth, colorType,
                 interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, 0, 0);
    if (!palette.empty())
        png_set_PLTE(png, info, palette.data(), int(palette.size()));
    if (!alpha.empty())
        png_set_tRNS(png, info, alpha.data(), int(alpha.size()), nullptr);
    png_write_info(png, info);
    const size_t rowBytes = pixels.size() / size_t(h);
    std::vector<png_bytep> rows;
    for (int y = 0; y < h; ++y)
        rows.push_back(const_cast<png_bytep>(pixels.data() + size_t(y) * rowBytes));
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

// A JPEG written with libjpeg itself in the given colour space.
QByteArray MakeJpeg(int w, int h, int components, J_COLOR_SPACE space, const std::vector<uint8_t>& pixels)
{
    jpeg_compress_struct info{};
    jpeg_error_mgr err{};
    info.err = jpeg_std_error(&err);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = JDIMENSION(w);
    info.image_height = JDIMENSION(h);
    info.input_components = components;
    info.in_color_space = space;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    jpeg_start_compress(&info, TRUE);
    for (int y = 0; y < h; ++y) {
        JSAMPROW row = const_cast<JSAMPROW>(pixels.data() + size_t(y * w * components));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    QByteArray out(reinterpret_cast<const char*>(buffer), qsizetype(size));
    free(buffer);
    return out;
}

int MaxChannelDifference(TColor a, TColor b)
{
    return std::max({std::abs(GetRValue(a) - GetRValue(b)), std::abs(GetGValue(a) - GetGValue(b)),
                     std::abs(GetBValue(a) - GetBValue(b))});
}

} // namespace

TEST(ImageFiles, WritesBmpBytesExactly)
{
    // 24 bits: rows bottom-up, each padded to 4 bytes; 40-byte header, no palette.
    TBitmap rgb(1, 2);
    rgb.SetPixel(0, 0, RGB(1, 2, 3));
    rgb.SetPixel(0, 1, RGB(4, 5, 6));
    EXPECT_EQ(EncodeBmp(rgb).toHex(' '),
              Hex("424d 3e000000 00000000 36000000"                     // file header
                  "28000000 01000000 02000000 0100 1800 00000000"       // size, 1 x 2, 24 bits, BI_RGB
                  "08000000 00000000 00000000 00000000 00000000"        // image size, no palette
                  "06050400 03020100").toHex(' '));                     // bottom row first
    // 4 bits with a 3-colour palette: biClrUsed 3, palette BGR0, two indexes per byte.
    TBitmap indexed(3, 1, TPixelFormat::pf4bit);
    indexed.SetPalette({RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)});
    indexed.SetPixelIndex(0, 0, 2);
    indexed.SetPixelIndex(1, 0, 0);
    indexed.SetPixelIndex(2, 0, 1);
    EXPECT_EQ(EncodeBmp(indexed).toHex(' '),
              Hex("424d 46000000 00000000 42000000"
                  "28000000 03000000 01000000 0100 0400 00000000"
                  "04000000 00000000 00000000 03000000 00000000"
                  "0000ff00 00ff0000 ff000000"                          // palette, BGR0
                  "20100000").toHex(' '));
}

TEST(ImageFiles, BmpRoundTripsKeepFormatAndPalette)
{
    const struct { TPixelFormat in, out; } cases[] = {
        {TPixelFormat::pf1bit, TPixelFormat::pf1bit}, {TPixelFormat::pf4bit, TPixelFormat::pf4bit},
        {TPixelFormat::pf8bit, TPixelFormat::pf8bit}, {TPixelFormat::pf24bit, TPixelFormat::pf24bit},
        {TPixelFormat::pf32bit, TPixelFormat::pf24bit},
    };
    for (const auto& c : cases) {
        const TBitmap original = Pattern(13, 5, c.in); // odd width exercises row padding
        const QString path = TempDir() + "/round.bmp";
        SaveBmpFile(original, path);
        const TBitmap loaded = LoadImageFile(path);
        EXPECT_EQ(loaded.PixelFormat(), c.out);
        EXPECT_EQ(loaded.Palette(), original.Palette());
        ExpectSamePixels(original, loaded);
    }
    // An empty bitmap is written and read back as an empty bitmap.
    EXPECT_TRUE(LoadImageData(EncodeBmp(TBitmap(0, 0))).Empty());
}

TEST(ImageFiles, ReadsBmpVariants)
{
    // 16 bits 5-5-5, top-down, two pixels in one row.
    TBitmap b = LoadImageData(Bmp(2, -1, 16, 0, {}, Hex("007c1f00")));
    EXPECT_EQ(b.Pixel(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(b.Pixel(1, 0), RGB(0, 0, 255));
    // 16 bits 5-6-5 with colour masks after the 40-byte header.
    b = LoadImageData(Bmp(1, 1, 16, 3, Le(0xF800, 4) + Le(0x07E0, 4) + Le(0x001F, 4), Hex("e0070000")));
    EXPECT_EQ(b.Pixel(0, 0), RGB(0, 255, 0));
    // 32 bits with masks inside a 124-byte (V5) header: RGBA byte order; alpha ignored.
    QByteArray v5 = Bmp(1, 1, 32, 3, {}, Hex("11223344"), 0, 124);
    v5.replace(14 + 40, 12, Le(0xFF, 4) + Le(0xFF00, 4) + Le(0xFF0000, 4));
    EXPECT_EQ(LoadImageData(v5).Pixel(0, 0), RGB(0x11, 0x22, 0x33));
    // OS/2 core header, 8 bits with 3-byte palette entries (a full 256-entry palette).
    QByteArray core = "BM" + Le(0, 4) + Le(0, 4) + Le(14 + 12 + 768, 4) + Le(12, 4) + Le(2, 2) + Le(1, 2)
                    + Le(1, 2) + Le(8, 2);
    QByteArray palette(768, '\0');
    palette[3] = char(0x30); palette[4] = char(0x20); palette[5] = char(0x10); // entry 1
    core += palette + Hex("00010000");
    b = LoadImageData(core);
    EXPECT_EQ(b.PixelFormat(), TPixelFormat::pf8bit);
    EXPECT_EQ(b.Pixel(1, 0), RGB(0x10, 0x20, 0x30));
    // 8 bits with a 2-entry palette but index 5 in the pixels: the palette is lengthened with black.
    b = LoadImageData(Bmp(2, 1, 8, 0, Hex("0000ff00ffffff00"), Hex("01050000"), 2));
    EXPECT_EQ(b.Pixel(0, 0), RGB(255, 255, 255));
    EXPECT_EQ(b.Pixel(1, 0), clBlack);
    // RLE8: a run of 3, end of line, a jump (2, 0), a literal run of 3, end of picture.
    b = LoadImageData(Bmp(6, 2, 8, 1, Hex("0000ff0000ff0000ff000000ffffff00"),
                          Hex("0301 0000 0002 0200 0003 020003 00 0001"), 4));
    EXPECT_EQ(b.PixelIndex(0, 1), 1); // bottom row first
    EXPECT_EQ(b.PixelIndex(2, 1), 1);
    EXPECT_EQ(b.PixelIndex(3, 1), 0);
    EXPECT_EQ(b.PixelIndex(2, 0), 2);
    EXPECT_EQ(b.PixelIndex(4, 0), 3);
    EXPECT_EQ(b.PixelIndex(5, 0), 0);
    // RLE4: a run of 5 alternating 1 and 2, end of picture.
    b = LoadImageData(Bmp(5, 1, 4, 2, Hex("00000000ffffff00ff000000"), Hex("05120001"), 3));
    EXPECT_EQ(b.PixelFormat(), TPixelFormat::pf4bit);
    EXPECT_EQ(b.PixelIndex(3, 0), 2);
    EXPECT_EQ(b.PixelIndex(4, 0), 1);
}

TEST(ImageFiles, RejectsDamagedBmp)
{
    const QByteArray good = EncodeBmp(Pattern(20, 10, TPixelFormat::pf8bit));
    for (int cut : {1, 2, 10, 14, 20, 53, 60, 54 + 800, int(good.size()) - 1})
        ExpectRejected(good.left(cut), "truncated BMP");
    ExpectRejected(Bmp(100000, 1, 24, 0, {}, QByteArray(400000, 'x')), "too wide");
    ExpectRejected(Bmp(20000, 20000, 8, 1, Hex("00000000"), Hex("0001")), "RLE declaring 400 megapixels");
    ExpectRejected(Bmp(16000, 16000, 8, 1, Hex("00000000"), Hex("0001")), "RLE with far too little data");
    ExpectRejected(Bmp(10000, 10000, 24, 0, {}, Hex("00")), "large picture without pixels");
    ExpectRejected(Bmp(1, INT32_MIN, 24, 0, {}, Hex("00000000")), "height INT32_MIN");
    ExpectRejected(Bmp(1, -1, 8, 1, Hex("00000000"), Hex("0001")), "top-down RLE");
    ExpectRejected(Bmp(1, 1, 7, 0, {}, Hex("00000000")), "7 bits per pixel");
    ExpectRejected(Bmp(1, 1, 24, 4, {}, Hex("00000000")), "embedded JPEG");
    ExpectRejected(Bmp(1, 1, 24, 0, {}, Hex("00000000"), 0, 41), "odd header size");
    ExpectRejected(Bmp(4, 1, 8, 1, Hex("00000000"), Hex("0003 0102")), "RLE literal cut short");
}

TEST(ImageFiles, PngRoundTripsKeepPixels)
{
    for (TPixelFormat f : {TPixelFormat::pf1bit, TPixelFormat::pf4bit, TPixelFormat::pf8bit,
                           TPixelFormat::pf24bit, TPixelFormat::pf32bit}) {
        const TBitmap original = Pattern(11, 7, f);
        const TBitmap loaded = LoadImageData(EncodePng(original));
        EXPECT_EQ(loaded.PixelFormat(), f == TPixelFormat::pf32bit ? TPixelFormat::pf24bit : f);
        ExpectSamePixels(original, loaded);
    }
    // RGBA frames keep their alpha; Qt's own reader checks them.
    QImage rgba(3, 1, QImage::Format_ARGB32);
    rgba.setPixel(0, 0, qRgba(255, 0, 0, 255));
    rgba.setPixel(1, 0, qRgba(0, 255, 0, 0));
    rgba.setPixel(2, 0, qRgba(0, 0, 255, 128));
    const QString path = TempDir() + "/frame.png";
    SavePngRgbaFile(rgba, path);
    const QImage back = QImage(path).convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(back.pixel(0, 0), rgba.pixel(0, 0));
    EXPECT_EQ(qAlpha(back.pixel(1, 0)), 0);
    EXPECT_EQ(back.pixel(2, 0), rgba.pixel(2, 0));
}

TEST(ImageFiles, ReadsEveryPngColourType)
{
    // Grey 2 bits, interlaced: 0, 1, 2, 3 -> 0, 85, 170, 255.
    TBitmap b = LoadImageData(MakePng(4, 1, PNG_COLOR_TYPE_GRAY, 2, true, {0x1B}));
    EXPECT_EQ(b.PixelFormat(), TPixelFormat::pf24bit);
    EXPECT_EQ(b.Pixel(1, 0), RGB(85, 85, 85));
    EXPECT_EQ(b.Pixel(3, 0), clWhite);
    // Grey + alpha 8 bits: black at half alpha over white.
    b = LoadImageData(MakePng(1, 1, PNG_COLOR_TYPE_GRAY_ALPHA, 8, false, {0, 128}));
    EXPECT_EQ(b.Pixel(0, 0), RGB(127, 127, 127));
    // RGB 16 bits, interlaced, 9x9 so that every Adam7 pass has pixels.
    std::vector<uint8_t> rgb16;
    for (int i = 0; i < 81; ++i)
        for (int c = 0; c < 3; ++c) {
            rgb16.push_back(uint8_t(i * (c + 1)));
            rgb16.push_back(0x7F);
        }
    b = LoadImageData(MakePng(9, 9, PNG_COLOR_TYPE_RGB, 16, true, rgb16));
    EXPECT_EQ(b.Pixel(8, 8), RGB(80, 160, 240));
    EXPECT_EQ(b.Pixel(3, 5), RGB(48, 96, 144));
    // RGBA 8 bits: red at alpha 128 composited over white.
    b = LoadImageData(MakePng(1, 1, PNG_COLOR_TYPE_RGB_ALPHA, 8, false, {255, 0, 0, 128}));
    EXPECT_EQ(b.Pixel(0, 0), RGB(255, 127, 127));
    // Palette 2 bits with tRNS: an indexed 4-bit bitmap; entry 1 fully transparent -> white.
    b = LoadImageData(MakePng(3, 1, PNG_COLOR_TYPE_PALETTE, 2, false, {0x18},
                              {{10, 20, 30}, {0, 0, 0}, {200, 100, 50}}, {255, 0}));
    EXPECT_EQ(b.PixelFormat(), TPixelFormat::pf4bit);
    EXPECT_EQ(b.PixelIndex(0, 0), 0);
    EXPECT_EQ(b.Pixel(1, 0), clWhite);
    EXPECT_EQ(b.Pixel(2, 0), RGB(200, 100, 50));
}

TEST(ImageFiles, RejectsDamagedPng)
{
    const QByteArray good = EncodePng(Pattern(40, 30, TPixelFormat::pf24bit));
    for (int cut : {4, 8, 16, 33, 40, int(good.size()) / 2, int(good.size()) - 13})
        ExpectRejected(good.left(cut), "truncated PNG");
    QByteArray badCrc = good;
    badCrc[29] = char(badCrc[29] ^ 1);
    ExpectRejected(badCrc, "IHDR with a wrong CRC");
    // Valid headers declaring 16000 x 16000 with almost no data, and 40000 x 40000.
    for (uint32_t side : {16000u, 40000u}) {
        QByteArray huge = MakePng(1, 1, PNG_COLOR_TYPE_RGB, 8, false, {1, 2, 3});
        huge.replace(16, 8, Le(qToBigEndian(side), 4) + Le(qToBigEndian(side), 4));
        const uint32_t crc = uint32_t(crc32(0, reinterpret_cast<const Bytef*>(huge.constData() + 12), 17));
        huge.replace(29, 4, Le(qToBigEndian(crc), 4));
        ExpectRejected(huge, "PNG declaring a huge size");
    }
}

TEST(ImageFiles, JpegRoundTripIsCloseAndQualityMatters)
{
    TBitmap smooth(64, 48);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x)
            smooth.SetPixel(x, y, RGB(uint8_t(x * 4), uint8_t(y * 5), 128));
    const QByteArray best = EncodeJpeg(smooth, 100);
    const QByteArray poor = EncodeJpeg(smooth, 5);
    EXPECT_LT(poor.size(), best.size());
    EXPECT_EQ(EncodeJpeg(smooth, 500), best); // clamped to 100
    const TBitmap loaded = LoadImageData(best);
    EXPECT_EQ(loaded.PixelFormat(), TPixelFormat::pf24bit);
    int worst = 0;
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x)
            worst = std::max(worst, MaxChannelDifference(loaded.Pixel(x, y), smooth.Pixel(x, y)));
    EXPECT_LE(worst, 8);
    // Indexed bitmaps are saved through their palette colours.
    TBitmap mono(8, 8, TPixelFormat::pf1bit);
    mono.SetPalette({RGB(200, 30, 60), clWhite});
    mono.Image().fill(0);
    EXPECT_LE(MaxChannelDifference(LoadImageData(EncodeJpeg(mono, 90)).Pixel(5, 5), RGB(200, 30, 60)), 4);
    EXPECT_THROW(EncodeJpeg(TBitmap(0, 3), 50), EImageFileError);
}

TEST(ImageFiles, ConvertsGreyAndCmykJpeg)
{
    const TBitmap grey = LoadImageData(MakeJpeg(8, 8, 1, JCS_GRAYSCALE, std::vector<uint8_t>(64, 100)));
    EXPECT_LE(MaxChannelDifference(grey.Pixel(3, 3), RGB(100, 100, 100)), 2);
    // libjpeg marks CMYK files as Adobe's, whose samples are inverted: red is 255, 0, 0, 255.
    std::vector<uint8_t> cmyk;
    for (int i = 0; i < 64; ++i)
        cmyk.insert(cmyk.end(), {255, 0, 0, 255});
    const TBitmap red = LoadImageData(MakeJpeg(8, 8, 4, JCS_CMYK, cmyk));
    EXPECT_LE(MaxChannelDifference(red.Pixel(4, 4), RGB(255, 0, 0)), 4);
}

TEST(ImageFiles, RejectsDamagedJpeg)
{
    const QByteArray good = EncodeJpeg(Pattern(32, 32, TPixelFormat::pf24bit), 80);
    for (int cut : {2, 3, 20, 200, int(good.size()) / 2, int(good.size()) - 10})
        ExpectRejected(good.left(cut), "truncated JPEG");
    ExpectRejected(Hex("ffd8ff") + QByteArray(100, 'z'), "garbage after the start marker");
    // The frame header (SOF0: FF C0, length, precision, height, width) declaring huge sizes.
    for (int side : {60000, 16000}) {
        QByteArray huge = good;
        int sof = 2; // walk the marker segments to the frame header
        while (sof + 4 < huge.size() && uchar(huge[sof + 1]) != 0xC0)
            sof += 2 + (uchar(huge[sof + 2]) << 8 | uchar(huge[sof + 3]));
        ASSERT_EQ(uchar(huge[sof + 1]), 0xC0);
        huge.replace(sof + 5, 4, Le(qToBigEndian(uint16_t(side)), 2) + Le(qToBigEndian(uint16_t(side)), 2));
        ExpectRejected(huge, "JPEG declaring a huge size");
    }
}

TEST(ImageFiles, DetectsKindFromContentAndReportsFileProblems)
{
    // A PNG named .bmp loads as PNG.
    const QString misnamed = TempDir() + "/picture.bmp";
    SavePngFile(Pattern(5, 5, TPixelFormat::pf24bit), misnamed);
    EXPECT_EQ(LoadImageFile(misnamed).Pixel(4, 4), Pattern(5, 5, TPixelFormat::pf24bit).Pixel(4, 4));
    EXPECT_EQ(DetectImageKind("GIF89a..."), TImageFileKind::Gif);

    ExpectRejected({}, "empty");
    ExpectRejected("GIF89a\x01\x00\x01\x00", "GIF");
    ExpectRejected("hello, world", "text");
    try {
        LoadImageFile(TempDir() + "/absent.png");
        ADD_FAILURE();
    } catch (const EImageFileError& e) {
        EXPECT_TRUE(e.Message().contains("absent.png")) << e.what();
    }

    // A save that fails leaves the old file in place.
    const QString target = TempDir() + "/frame.jpg";
    SaveImageFile(Pattern(4, 4, TPixelFormat::pf24bit), target, TImageFileKind::Jpeg, 77);
    const QByteArray before = [&] { QFile f(target); f.open(QIODevice::ReadOnly); return f.readAll(); }();
    EXPECT_THROW(SaveImageFile(TBitmap(), target, TImageFileKind::Png, 77), EImageFileError);
    EXPECT_THROW(SaveImageFile(Pattern(4, 4, TPixelFormat::pf24bit), target, TImageFileKind::Gif, 77), EImageFileError);
    QFile after(target);
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), before);
    EXPECT_THROW(SaveBmpFile(Pattern(2, 2, TPixelFormat::pf8bit), TempDir() + "/no/such/dir.bmp"), EImageFileError);
}

TEST(ImageFiles, MutatedFilesLoadOrFailCleanly)
{
    // Random byte changes in valid files of each kind: every result is a picture
    // or an EImageFileError (the sanitizer build catches memory faults here).
    std::mt19937 random(1234);
    const QByteArray seeds[] = {
        EncodeBmp(Pattern(9, 4, TPixelFormat::pf4bit)),
        Bmp(6, 2, 8, 1, Hex("0000ff00"), Hex("0301 0000 0002 0200 0003 020003 00 0001")),
        EncodePng(Pattern(9, 4, TPixelFormat::pf24bit)),
        EncodeJpeg(Pattern(17, 9, TPixelFormat::pf24bit), 60),
    };
    for (const QByteArray& seed : seeds)
        for (int round = 0; round < 300; ++round) {
            QByteArray data = seed;
            for (int n = 0; n < 1 + int(random() % 4); ++n)
                data[int(random() % uint32_t(data.size()))] = char(random());
            try {
                LoadImageData(data);
            } catch (const EImageFileError&) {
            }
        }
}

TEST(ImageFiles, PicturesBeyondTheBitmapLimitAreRefusedBeforeDecoding)
{
    // A PNG declaring 16384 x 16384 with a few rows of data, kept since it once took 1.8 GiB.
    const QDir kept(SourceDir() + QStringLiteral("/tests/data/regress/fuzz_image_loaders"));
    const QStringList names = kept.entryList(QDir::Files);
    ASSERT_FALSE(names.isEmpty());
    for (const QString& name : names) {
        QFile file(kept.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        try {
            LoadImageData(file.readAll());
            ADD_FAILURE() << name.toStdString() << " loaded";
        } catch (const EImageFileError& e) {
            EXPECT_NE(e.Message().indexOf(QStringLiteral("64 megapixels")), -1) << e.what();
        }
    }
    // 8192 x 8192 is the largest square accepted.
    QByteArray png = MakePng(1, 1, PNG_COLOR_TYPE_RGB, 8, false, {1, 2, 3});
    auto declare = [&](uint32_t w, uint32_t h) {
        QByteArray p = png;
        p.replace(16, 8, Le(qToBigEndian(w), 4) + Le(qToBigEndian(h), 4));
        const uint32_t crc = uint32_t(crc32(0, reinterpret_cast<const Bytef*>(p.constData() + 12), 17));
        p.replace(29, 4, Le(qToBigEndian(crc), 4));
        return p;
    };
    try {
        LoadImageData(declare(8192, 8193));
        ADD_FAILURE() << "8192 x 8193 loaded";
    } catch (const EImageFileError& e) {
        EXPECT_NE(e.Message().indexOf(QStringLiteral("too large")), -1) << e.what();
    }
    try {
        LoadImageData(declare(8192, 8192));
        ADD_FAILURE() << "a PNG without its rows loaded";
    } catch (const EImageFileError& e) {
        EXPECT_EQ(e.Message().indexOf(QStringLiteral("too large")), -1) << e.what();
    }
}
