#include "platform/BitmapSection.h"

TBitmapSection::TBitmapSection(const TBitmap& bitmap)
{
    fImage = bitmap.ConstImage();
    if (fImage.isNull() || bitmap.Empty())
        return; // an empty bitmap: no pixels
    switch (fImage.format()) {
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
        fSection.BitsPerPixel = 32;
        break;
    case QImage::Format_Indexed8:
        fSection.BitsPerPixel = 8;
        break;
    case QImage::Format_Mono:
        fSection.BitsPerPixel = 1;
        break;
    default:
        fImage = fImage.convertToFormat(QImage::Format_RGB32);
        fSection.BitsPerPixel = 32;
        break;
    }
    for (const QRgb c : fImage.colorTable())
        fPalette.push_back(c & 0xFFFFFFu);
    fSection.Width = fImage.width();
    fSection.Height = fImage.height();
    fSection.Stride = int32_t(fImage.bytesPerLine());
    fSection.PaletteCount = int32_t(fPalette.size());
    fSection.Palette = fPalette.empty() ? nullptr : fPalette.data();
    fSection.Pixels = fImage.constBits();
}
