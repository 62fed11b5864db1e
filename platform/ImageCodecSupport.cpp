#include "platform/ImageCodecSupport.h"

#include <algorithm>

namespace ImageCodecSupport {

void CheckSize(qint64 width, qint64 height, const char* format, bool allowEmpty)
{
    const bool empty = width == 0 || height == 0;
    if (width < 0 || height < 0 || (empty && !allowEmpty))
        throw EImageFileError(QStringLiteral("The %1 picture has an invalid size (%2 x %3 pixels).")
                                  .arg(QLatin1String(format)).arg(width).arg(height));
    if (width > kMaxImageSide || height > kMaxImageSide || width * height > kMaxImagePixels)
        throw EImageFileError(QStringLiteral("The %1 picture is too large (%2 x %3 pixels; at most %4 on a side "
                                             "and %5 megapixels are accepted).")
                                  .arg(QLatin1String(format)).arg(width).arg(height).arg(kMaxImageSide)
                                  .arg(kMaxImagePixels >> 20));
}

void CheckDataFor(qint64 pixels, qint64 dataBytes, qint64 maxPixelsPerByte, const char* format)
{
    constexpr qint64 allowance = qint64(1) << 20;
    if (pixels > allowance && pixels / maxPixelsPerByte > dataBytes)
        throw EImageFileError(QStringLiteral("The %1 data is truncated: %2 bytes cannot hold a picture of %3 pixels.")
                                  .arg(QLatin1String(format)).arg(dataBytes).arg(pixels));
}

TBitmap NewBitmap(int width, int height, TPixelFormat format)
{
    const auto outOfMemory = [&] {
        return EImageFileError(QStringLiteral("Not enough memory for a picture of %1 x %2 pixels.").arg(width).arg(height));
    };
    try {
        TBitmap bitmap(width, height, format);
        if (width > 0 && height > 0 && bitmap.ConstImage().isNull())
            throw outOfMemory();
        return bitmap;
    } catch (const EImageFileError&) {
        throw;
    } catch (const std::exception&) { // the bitmap reports a failed allocation this way
        throw outOfMemory();
    }
}

void SetIndexedPalette(TBitmap& bitmap, std::vector<TColor> palette)
{
    const QImage& image = bitmap.ConstImage();
    size_t needed = image.format() == QImage::Format_Mono || image.format() == QImage::Format_MonoLSB ? 2 : 1;
    if (image.format() == QImage::Format_Indexed8) {
        int maxIndex = 0;
        for (int y = 0; image.width() > 0 && y < image.height() && maxIndex < 255; ++y) {
            const uchar* line = image.constScanLine(y);
            maxIndex = std::max<int>(maxIndex, *std::max_element(line, line + image.width()));
        }
        needed = size_t(maxIndex) + 1;
    }
    if (palette.size() < needed)
        palette.resize(needed, clBlack);
    bitmap.SetPalette(palette);
}

std::vector<TColor> PaletteForWriting(const TBitmap& bitmap, int bits)
{
    std::vector<TColor> palette = bitmap.Palette();
    const QImage& image = bitmap.ConstImage();
    int maxIndex = bits == 1 ? 1 : 0;
    if (image.format() == QImage::Format_Indexed8)
        for (int y = 0; image.width() > 0 && y < image.height() && maxIndex < 255; ++y) {
            const uchar* line = image.constScanLine(y);
            maxIndex = std::max<int>(maxIndex, *std::max_element(line, line + image.width()));
        }
    maxIndex = std::min(maxIndex, (1 << bits) - 1);
    if (palette.size() < size_t(maxIndex) + 1)
        palette.resize(size_t(maxIndex) + 1, clBlack);
    palette.resize(std::min<size_t>(palette.size(), size_t(1) << bits));
    return palette;
}

QImage Rgb32Pixels(const TBitmap& bitmap)
{
    const QImage& image = bitmap.ConstImage();
    return image.format() == QImage::Format_RGB32 ? image : image.convertToFormat(QImage::Format_RGB32);
}

} // namespace ImageCodecSupport
