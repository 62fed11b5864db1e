#include "platform/BmpCodec.h"

#include "platform/ImageCodecSupport.h"
#include "platform/ImageFiles.h"

#include <QtEndian>
#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>

using namespace ImageCodecSupport;

namespace {

// File header (BITMAPFILEHEADER).
constexpr qint64 kFileHeaderSize = 14;
constexpr qint64 kOffType = 0;
constexpr qint64 kOffFileSize = 2;
constexpr qint64 kOffPixelOffset = 10;
// Info header, relative to its start (kFileHeaderSize).
constexpr qint64 kOffHeaderSize = 0;
constexpr qint64 kOffCoreWidth = 4, kOffCoreHeight = 6, kOffCoreBitCount = 10;
constexpr qint64 kOffWidth = 4, kOffHeight = 8, kOffPlanes = 12, kOffBitCount = 14, kOffCompression = 16,
                 kOffSizeImage = 20, kOffClrUsed = 32, kOffMasks = 40;
constexpr qint64 kCoreHeaderSize = 12;
constexpr qint64 kInfoHeaderSize = 40;
constexpr qint64 kOs2HeaderSize = 64;

enum Compression : uint32_t {
    BI_RGB = 0, BI_RLE8 = 1, BI_RLE4 = 2, BI_BITFIELDS = 3, BI_JPEG = 4, BI_PNG = 5, BI_ALPHABITFIELDS = 6,
};

// RLE data can describe many pixels per byte (runs, line ends, jumps); a
// sensible file stays far below this.
constexpr qint64 kMaxRlePixelsPerByte = 1024;

[[noreturn]] void Truncated(const char* what)
{
    throw EImageFileError(QStringLiteral("The BMP file is truncated (%1 missing).").arg(QLatin1String(what)));
}

class Bytes {
public:
    explicit Bytes(const QByteArray& data) : fData(reinterpret_cast<const uchar*>(data.constData())), fSize(data.size()) {}
    qint64 Size() const { return fSize; }
    bool Has(qint64 offset, qint64 count) const { return offset >= 0 && count >= 0 && offset <= fSize - count; }
    const uchar* At(qint64 offset) const { return fData + offset; }
    uint16_t U16(qint64 offset) const { return qFromLittleEndian<uint16_t>(fData + offset); }
    uint32_t U32(qint64 offset) const { return qFromLittleEndian<uint32_t>(fData + offset); }
    int32_t I32(qint64 offset) const { return qFromLittleEndian<int32_t>(fData + offset); }

private:
    const uchar* fData;
    qint64 fSize;
};

// One colour channel of a BI_BITFIELDS pixel, scaled to 0..255.
struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    uint64_t max = 0;

    explicit Channel(uint32_t m) : mask(m)
    {
        if (m != 0) {
            shift = std::countr_zero(m);
            max = m >> shift;
        }
    }
    uint32_t Extract(uint32_t pixel) const
    {
        return max == 0 ? 0 : uint32_t((((pixel & mask) >> shift) * 255 + max / 2) / max);
    }
};

struct Header {
    qint64 headerSize = 0;
    qint64 width = 0;
    qint64 height = 0;
    bool topDown = false;
    int bits = 0;
    uint32_t compression = BI_RGB;
    uint32_t clrUsed = 0;
    qint64 paletteEntrySize = 4;
    qint64 paletteStart = 0;
    uint32_t masks[3] = {0, 0, 0};
};

Header ReadHeader(const Bytes& in)
{
    if (!in.Has(0, 2) || in.At(kOffType)[0] != 'B' || in.At(kOffType)[1] != 'M')
        throw EImageFileError("The data is not a BMP picture.");
    if (!in.Has(kFileHeaderSize, 4))
        Truncated("header");
    Header h;
    h.headerSize = in.U32(kFileHeaderSize + kOffHeaderSize);
    const qint64 base = kFileHeaderSize;
    switch (h.headerSize) {
    case kCoreHeaderSize: case kInfoHeaderSize: case 52: case 56: case kOs2HeaderSize: case 108: case 124:
        break;
    default:
        throw EImageFileError(QStringLiteral("The BMP file has an unknown header of %1 bytes.").arg(h.headerSize));
    }
    if (!in.Has(base, h.headerSize))
        Truncated("header");

    if (h.headerSize == kCoreHeaderSize) {
        h.width = in.U16(base + kOffCoreWidth);
        h.height = in.U16(base + kOffCoreHeight);
        h.bits = in.U16(base + kOffCoreBitCount);
        h.paletteEntrySize = 3;
        h.paletteStart = base + h.headerSize;
    } else {
        h.width = in.I32(base + kOffWidth);
        h.height = in.I32(base + kOffHeight);
        if (h.height < 0) {
            h.topDown = true;
            h.height = -h.height;
        }
        h.bits = in.U16(base + kOffBitCount);
        h.compression = in.U32(base + kOffCompression);
        h.clrUsed = in.U32(base + kOffClrUsed);
        h.paletteStart = base + h.headerSize;
        if (h.headerSize == kOs2HeaderSize && h.compression > BI_RLE4)
            throw EImageFileError("The BMP file uses an OS/2 compression that is not supported.");
        if (h.compression == BI_BITFIELDS || h.compression == BI_ALPHABITFIELDS) {
            qint64 masksAt = base + kOffMasks;
            if (h.headerSize == kInfoHeaderSize) {
                // The masks follow a 40-byte header, before the palette.
                const qint64 count = h.compression == BI_ALPHABITFIELDS ? 4 : 3;
                if (!in.Has(masksAt, count * 4))
                    Truncated("colour masks");
                h.paletteStart += count * 4;
            }
            for (int i = 0; i < 3; ++i)
                h.masks[i] = in.U32(masksAt + 4 * i);
        }
    }

    switch (h.compression) {
    case BI_RGB:
        if (h.bits != 1 && h.bits != 4 && h.bits != 8 && h.bits != 16 && h.bits != 24 && h.bits != 32)
            throw EImageFileError(QStringLiteral("The BMP file has an unsupported depth of %1 bits per pixel.").arg(h.bits));
        break;
    case BI_RLE8:
    case BI_RLE4:
        if (h.bits != (h.compression == BI_RLE8 ? 8 : 4) || h.topDown)
            throw EImageFileError("The BMP file has invalid run-length compression settings.");
        break;
    case BI_BITFIELDS:
    case BI_ALPHABITFIELDS:
        if (h.bits != 16 && h.bits != 32)
            throw EImageFileError("The BMP file has colour masks for a depth other than 16 or 32 bits.");
        break;
    case BI_JPEG:
    case BI_PNG:
        throw EImageFileError("BMP files holding JPEG or PNG data are not supported.");
    default:
        throw EImageFileError(QStringLiteral("The BMP file uses an unknown compression (%1).").arg(h.compression));
    }
    CheckSize(h.width, h.height, "BMP", true);
    return h;
}

qint64 Stride(const Header& h)
{
    return (h.width * h.bits + 31) / 32 * 4;
}

// Uncompressed rows must all be present; the padding of the last row may be missing.
void CheckRowsPresent(const Bytes& in, const Header& h, qint64 dataStart)
{
    const qint64 needed = h.height == 0 ? 0 : Stride(h) * (h.height - 1) + (h.width * h.bits + 7) / 8;
    if (!in.Has(dataStart, needed))
        throw EImageFileError(QStringLiteral("The BMP file is truncated: its pixels need %1 bytes, %2 are present.")
                                  .arg(needed).arg(std::max<qint64>(0, in.Size() - dataStart)));
}

void DecodeRows(const Bytes& in, const Header& h, qint64 dataStart, QImage& image)
{
    const qint64 stride = Stride(h);
    const qint64 rowBytes = (h.width * h.bits + 7) / 8;
    uint32_t masks[3] = {h.masks[0], h.masks[1], h.masks[2]};
    if (h.compression == BI_RGB && h.bits == 16) {
        masks[0] = 0x7C00; masks[1] = 0x03E0; masks[2] = 0x001F;
    } else if (h.compression == BI_RGB && h.bits == 32) {
        masks[0] = 0xFF0000; masks[1] = 0x00FF00; masks[2] = 0x0000FF;
    }
    const Channel red(masks[0]), green(masks[1]), blue(masks[2]);
    const int w = int(h.width);

    for (qint64 r = 0; r < h.height; ++r) {
        const uchar* src = in.At(dataStart + r * stride);
        const int y = int(h.topDown ? r : h.height - 1 - r);
        uchar* line = image.scanLine(y);
        switch (h.bits) {
        case 1:
        case 8:
            std::memcpy(line, src, size_t(rowBytes));
            break;
        case 4:
            for (int x = 0; x < w; ++x)
                line[x] = (x & 1) ? (src[x / 2] & 0x0F) : (src[x / 2] >> 4);
            break;
        case 24: {
            QRgb* out = reinterpret_cast<QRgb*>(line);
            for (int x = 0; x < w; ++x, src += 3)
                out[x] = qRgb(src[2], src[1], src[0]);
            break;
        }
        case 16:
        case 32: {
            QRgb* out = reinterpret_cast<QRgb*>(line);
            const int step = h.bits / 8;
            for (int x = 0; x < w; ++x, src += step) {
                const uint32_t v = step == 2 ? qFromLittleEndian<uint16_t>(src) : qFromLittleEndian<uint32_t>(src);
                out[x] = qRgb(int(red.Extract(v)), int(green.Extract(v)), int(blue.Extract(v)));
            }
            break;
        }
        }
    }
}

// Run-length data: pairs (count, index) repeat an index; (0, 0) ends a line,
// (0, 1) the picture, (0, 2, dx, dy) jumps; (0, n >= 3) is followed by n
// literal indexes padded to a 16-bit boundary. Pixels never written stay 0.
void DecodeRle(const Bytes& in, const Header& h, qint64 dataStart, QImage& image)
{
    image.fill(0);
    const bool rle4 = h.compression == BI_RLE4;
    const qint64 w = h.width;
    qint64 pos = dataStart;
    qint64 x = 0;
    qint64 row = 0;
    auto put = [&](uchar index) {
        if (x < w && row < h.height)
            image.scanLine(int(h.height - 1 - row))[x] = index;
        ++x;
    };
    while (row < h.height) {
        if (!in.Has(pos, 2))
            Truncated("run-length data");
        const uchar count = *in.At(pos);
        const uchar code = *in.At(pos + 1);
        pos += 2;
        if (count > 0) {
            for (int i = 0; i < count; ++i)
                put(rle4 ? ((i & 1) ? (code & 0x0F) : (code >> 4)) : code);
        } else if (code == 0) {
            x = 0;
            ++row;
        } else if (code == 1) {
            break;
        } else if (code == 2) {
            if (!in.Has(pos, 2))
                Truncated("run-length data");
            x += *in.At(pos);
            row += *in.At(pos + 1);
            pos += 2;
        } else {
            const qint64 bytes = rle4 ? (code + 1) / 2 : code;
            if (!in.Has(pos, bytes))
                Truncated("run-length data");
            const uchar* src = in.At(pos);
            for (int i = 0; i < code; ++i)
                put(rle4 ? ((i & 1) ? (src[i / 2] & 0x0F) : (src[i / 2] >> 4)) : src[i]);
            pos += (bytes + 1) & ~qint64(1);
        }
    }
}

} // namespace

namespace BmpCodec {

TBitmap Decode(const QByteArray& data)
{
    const Bytes in(data);
    const Header h = ReadHeader(in);

    // The palette of indexed pictures; the pixel offset may shorten it.
    const qint64 maxColors = h.bits <= 8 ? (qint64(1) << h.bits) : 0;
    qint64 colors = 0;
    qint64 paletteEnd = h.paletteStart;
    if (h.bits <= 8) {
        const qint64 declared = h.clrUsed == 0 || h.headerSize == kCoreHeaderSize ? maxColors : qint64(h.clrUsed);
        colors = std::min(declared, maxColors);
        paletteEnd = h.paletteStart + declared * h.paletteEntrySize;
    }
    qint64 dataStart = paletteEnd;
    const qint64 pixelOffset = in.U32(kOffPixelOffset);
    if (pixelOffset >= h.paletteStart && pixelOffset <= in.Size()) {
        dataStart = pixelOffset;
        colors = std::min(colors, (pixelOffset - h.paletteStart) / h.paletteEntrySize);
    }
    if (!in.Has(h.paletteStart, colors * h.paletteEntrySize))
        Truncated("palette");
    std::vector<TColor> palette;
    for (qint64 i = 0; i < colors; ++i) {
        const uchar* e = in.At(h.paletteStart + i * h.paletteEntrySize);
        palette.push_back(RGB(e[2], e[1], e[0]));
    }

    const bool rle = h.compression == BI_RLE8 || h.compression == BI_RLE4;
    if (rle)
        CheckDataFor(h.width * h.height, in.Size() - std::min(dataStart, in.Size()), kMaxRlePixelsPerByte, "BMP");
    else
        CheckRowsPresent(in, h, dataStart);

    const TPixelFormat format = h.bits == 1 ? TPixelFormat::pf1bit
                              : h.bits == 4 ? TPixelFormat::pf4bit
                              : h.bits == 8 ? TPixelFormat::pf8bit
                                            : TPixelFormat::pf24bit;
    TBitmap bitmap = NewBitmap(int(h.width), int(h.height), format);
    if (h.width > 0 && h.height > 0) {
        QImage& image = bitmap.Image();
        if (rle)
            DecodeRle(in, h, dataStart, image);
        else
            DecodeRows(in, h, dataStart, image);
    }
    if (h.bits <= 8)
        SetIndexedPalette(bitmap, std::move(palette));
    return bitmap;
}

QByteArray Encode(const TBitmap& bitmap)
{
    const QImage& image = bitmap.ConstImage();
    const qint64 w = std::max(0, bitmap.Width());
    const qint64 h = std::max(0, bitmap.Height());
    int bits = 24;
    if (image.format() == QImage::Format_Mono)
        bits = 1;
    else if (image.format() == QImage::Format_Indexed8)
        bits = bitmap.PixelFormat() == TPixelFormat::pf4bit ? 4 : 8;

    std::vector<TColor> palette;
    if (bits <= 8)
        palette = PaletteForWriting(bitmap, bits);
    const qint64 colors = qint64(palette.size());
    const qint64 stride = (w * bits + 31) / 32 * 4;
    const qint64 imageSize = stride * h;
    const qint64 pixelOffset = kFileHeaderSize + kInfoHeaderSize + 4 * colors;
    const qint64 fileSize = pixelOffset + imageSize;
    if (fileSize > std::numeric_limits<uint32_t>::max())
        throw EImageFileError("The picture is too large for a BMP file.");

    QByteArray out(fileSize, '\0');
    uchar* p = reinterpret_cast<uchar*>(out.data());
    p[0] = 'B';
    p[1] = 'M';
    qToLittleEndian<uint32_t>(uint32_t(fileSize), p + kOffFileSize);
    qToLittleEndian<uint32_t>(uint32_t(pixelOffset), p + kOffPixelOffset);
    uchar* info = p + kFileHeaderSize;
    qToLittleEndian<uint32_t>(uint32_t(kInfoHeaderSize), info + kOffHeaderSize);
    qToLittleEndian<int32_t>(int32_t(w), info + kOffWidth);
    qToLittleEndian<int32_t>(int32_t(h), info + kOffHeight);
    qToLittleEndian<uint16_t>(1, info + kOffPlanes);
    qToLittleEndian<uint16_t>(uint16_t(bits), info + kOffBitCount);
    qToLittleEndian<uint32_t>(BI_RGB, info + kOffCompression);
    qToLittleEndian<uint32_t>(uint32_t(imageSize), info + kOffSizeImage);
    qToLittleEndian<uint32_t>(colors == (qint64(1) << bits) ? 0 : uint32_t(colors), info + kOffClrUsed);
    for (qint64 i = 0; i < colors; ++i) {
        uchar* e = info + kInfoHeaderSize + 4 * i;
        e[0] = GetBValue(palette[size_t(i)]);
        e[1] = GetGValue(palette[size_t(i)]);
        e[2] = GetRValue(palette[size_t(i)]);
    }

    const QImage pixels = bits == 24 ? Rgb32Pixels(bitmap) : image;
    for (qint64 r = 0; r < h; ++r) {
        const uchar* src = pixels.constScanLine(int(h - 1 - r));
        uchar* dst = p + pixelOffset + r * stride;
        switch (bits) {
        case 1: {
            const qint64 bytes = (w + 7) / 8;
            std::memcpy(dst, src, size_t(bytes));
            if (w % 8)
                dst[bytes - 1] &= uchar(0xFF << (8 - w % 8));
            break;
        }
        case 4:
            for (qint64 x = 0; x < w; ++x)
                dst[x / 2] |= (x & 1) ? (src[x] & 0x0F) : uchar((src[x] & 0x0F) << 4);
            break;
        case 8:
            std::memcpy(dst, src, size_t(w));
            break;
        default: {
            const QRgb* in = reinterpret_cast<const QRgb*>(src);
            for (qint64 x = 0; x < w; ++x, dst += 3) {
                dst[0] = uchar(qBlue(in[x]));
                dst[1] = uchar(qGreen(in[x]));
                dst[2] = uchar(qRed(in[x]));
            }
        }
        }
    }
    return out;
}

} // namespace BmpCodec
