#include "platform/Bitmap.h"

#include "platform/Canvas.h"

#include <QList>
#include <algorithm>
#include <atomic>
#include <cstring>
#include <stdexcept>
#include <unordered_map>

namespace {

// Matches the message Windows gives when a bitmap cannot be created.
const char* const kNoStorage = "Not enough storage is available to process this command.";

bool IsIndexed(TPixelFormat f)
{
    return f == TPixelFormat::pf1bit || f == TPixelFormat::pf4bit || f == TPixelFormat::pf8bit;
}

QImage::Format StorageFormat(TPixelFormat f)
{
    switch (f) {
    case TPixelFormat::pf1bit: return QImage::Format_Mono;
    case TPixelFormat::pf4bit:
    case TPixelFormat::pf8bit: return QImage::Format_Indexed8;
    default: return QImage::Format_RGB32;
    }
}

int MaxPaletteSize(TPixelFormat f)
{
    switch (f) {
    case TPixelFormat::pf1bit: return 2;
    case TPixelFormat::pf4bit: return 16;
    case TPixelFormat::pf8bit: return 256;
    default: return 0;
    }
}

QList<QRgb> ToQPalette(const TColor* colors, int count)
{
    QList<QRgb> table;
    table.reserve(count);
    for (int i = 0; i < count; ++i)
        table.append(ColorToQRgb(colors[i]));
    return table;
}

QList<QRgb> DefaultPalette(TPixelFormat f)
{
    switch (f) {
    case TPixelFormat::pf1bit: return {0xFF000000u, 0xFFFFFFFFu};
    case TPixelFormat::pf4bit: return ToQPalette(VgaPalette().data(), 16);
    case TPixelFormat::pf8bit: return ToQPalette(HalftonePalette().data(), 256);
    default: return {};
    }
}

std::vector<TColor> FromQPalette(const QList<QRgb>& table)
{
    std::vector<TColor> colors;
    colors.reserve(table.size());
    for (QRgb q : table)
        colors.push_back(QRgbToColor(q));
    return colors;
}

// Larger bitmaps are refused before anything is allocated: 2^28 pixels take
// 1 GiB at 32 bits, which every format must be convertible to.
constexpr int64_t kMaxAllocatedPixels = int64_t(1) << 28;

QImage Allocate(int width, int height, QImage::Format format)
{
    if (static_cast<int64_t>(width) * height > kMaxAllocatedPixels)
        throw std::runtime_error(kNoStorage);
    QImage image(width, height, format);
    if (image.isNull())
        throw std::runtime_error(kNoStorage);
    return image;
}

// Black and white by luminance (ITU-R 601 weights); index 0 black, 1 white.
QImage ToMono(const QImage& rgb32)
{
    QImage mono = Allocate(rgb32.width(), rgb32.height(), QImage::Format_Mono);
    mono.setColorTable({0xFF000000u, 0xFFFFFFFFu});
    mono.fill(0);
    for (int y = 0; y < rgb32.height(); ++y) {
        const auto* src = reinterpret_cast<const QRgb*>(rgb32.constScanLine(y));
        uchar* dst = mono.scanLine(y);
        for (int x = 0; x < rgb32.width(); ++x) {
            const QRgb p = src[x];
            const int luma = (qRed(p) * 299 + qGreen(p) * 587 + qBlue(p) * 114) / 1000;
            if (luma >= 128)
                dst[x >> 3] |= uchar(0x80 >> (x & 7));
        }
    }
    return mono;
}

} // namespace

uint64_t TBitmap::NextGeneration()
{
    static std::atomic<uint64_t> counter{1};
    return counter.fetch_add(1, std::memory_order_relaxed);
}

QImage TBitmap::ToRgb32(const QImage& image)
{
    if (image.isNull())
        return {};
    if (image.format() == QImage::Format_RGB32)
        return image;
    if (image.format() != QImage::Format_Indexed8) {
        QImage converted = image.convertToFormat(QImage::Format_RGB32);
        if (converted.isNull())
            throw std::runtime_error(kNoStorage);
        return converted;
    }
    QRgb table[256];
    const QList<QRgb> colors = image.colorTable();
    for (int i = 0; i < 256; ++i)
        table[i] = i < colors.size() ? (colors[i] | 0xFF000000u) : 0xFF000000u;
    QImage out = Allocate(image.width(), image.height(), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        const uchar* src = image.constScanLine(y);
        auto* dst = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            dst[x] = table[src[x]];
    }
    return out;
}

QImage TBitmap::ReduceToPalette(const QImage& rgb32, const TColor* palette, int count)
{
    count = std::clamp(count, 1, 256);
    QImage out = Allocate(rgb32.width(), rgb32.height(), QImage::Format_Indexed8);
    out.setColorTable(ToQPalette(palette, count));
    std::unordered_map<QRgb, uchar> nearest;
    QRgb lastColor = 0;
    uchar lastIndex = 0;
    bool haveLast = false;
    for (int y = 0; y < rgb32.height(); ++y) {
        const auto* src = reinterpret_cast<const QRgb*>(rgb32.constScanLine(y));
        uchar* dst = out.scanLine(y);
        for (int x = 0; x < rgb32.width(); ++x) {
            const QRgb c = src[x] & 0xFFFFFFu;
            if (!haveLast || c != lastColor) {
                auto it = nearest.find(c);
                if (it == nearest.end())
                    it = nearest.emplace(c, uchar(NearestPaletteIndex(palette, count, QRgbToColor(c)))).first;
                lastColor = c;
                lastIndex = it->second;
                haveLast = true;
            }
            dst[x] = lastIndex;
        }
    }
    return out;
}

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height, TPixelFormat format)
{
    SetPixelFormat(format);
    SetSize(width, height);
}

TBitmap::TBitmap(const QImage& image)
{
    if (image.isNull())
        return;
    switch (image.format()) {
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB: {
        QImage mono = image.convertToFormat(QImage::Format_Mono);
        if (mono.colorCount() < 2)
            mono.setColorTable({0xFF000000u, 0xFFFFFFFFu});
        SetImageFromStorage(std::move(mono), TPixelFormat::pf1bit);
        break;
    }
    case QImage::Format_Indexed8:
        SetImageFromStorage(image, TPixelFormat::pf8bit);
        break;
    default:
        SetImageFromStorage(ToRgb32(image), TPixelFormat::pf24bit);
        break;
    }
}

TBitmap::~TBitmap() = default;

TBitmap::TBitmap(const TBitmap& other)
{
    other.FinishDrawing();
    fImage = other.fImage;
    fFormat = other.fFormat;
    fTransparent = other.fTransparent;
    fTransparentMode = other.fTransparentMode;
    fTransparentColor = other.fTransparentColor;
}

TBitmap& TBitmap::operator=(const TBitmap& other)
{
    if (this == &other)
        return *this;
    other.FinishDrawing();
    FinishDrawing();
    fImage = other.fImage;
    fFormat = other.fFormat;
    fTransparent = other.fTransparent;
    fTransparentMode = other.fTransparentMode;
    fTransparentColor = other.fTransparentColor;
    fKeyed = QImage();
    Changed();
    return *this;
}

TBitmap::TBitmap(TBitmap&& other) noexcept
{
    other.FinishDrawing();
    fImage = std::move(other.fImage);
    other.fImage = QImage();
    fFormat = other.fFormat;
    fTransparent = other.fTransparent;
    fTransparentMode = other.fTransparentMode;
    fTransparentColor = other.fTransparentColor;
    other.Changed();
}

TBitmap& TBitmap::operator=(TBitmap&& other) noexcept
{
    if (this == &other)
        return *this;
    other.FinishDrawing();
    FinishDrawing();
    fImage = std::move(other.fImage);
    other.fImage = QImage();
    fFormat = other.fFormat;
    fTransparent = other.fTransparent;
    fTransparentMode = other.fTransparentMode;
    fTransparentColor = other.fTransparentColor;
    fKeyed = QImage();
    other.fKeyed = QImage();
    Changed();
    other.Changed();
    return *this;
}

void TBitmap::FinishDrawing() const
{
    if (fCanvas)
        fCanvas->Flush();
}

void TBitmap::SetImageFromStorage(QImage image, TPixelFormat format)
{
    FinishDrawing();
    fImage = std::move(image);
    fFormat = format;
    if (fFormat == TPixelFormat::pf8bit && fImage.colorCount() == 0)
        fImage.setColorTable(DefaultPalette(fFormat));
    fKeyed = QImage();
    Changed();
}

int TBitmap::Width() const { return fImage.width(); }
int TBitmap::Height() const { return fImage.height(); }
bool TBitmap::Empty() const { return fImage.width() <= 0 || fImage.height() <= 0; }

void TBitmap::SetSize(int width, int height)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    FinishDrawing();
    if (width == Width() && height == Height())
        return;
    const QList<QRgb> palette = IsIndexed(fFormat) ? CurrentColorTable() : QList<QRgb>{};
    QImage image;
    if (width > 0 && height > 0) {
        image = Allocate(width, height, StorageFormat(fFormat));
        image.fill(0);
        if (IsIndexed(fFormat))
            image.setColorTable(palette);
        const int w = std::min(width, Width());
        const int h = std::min(height, Height());
        if (fFormat == TPixelFormat::pf1bit) {
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x)
                    image.setPixel(x, y, uint(fImage.pixelIndex(x, y)));
        } else if (w > 0) {
            const size_t bytes = IsIndexed(fFormat) ? size_t(w) : size_t(w) * 4;
            for (int y = 0; y < h; ++y)
                std::memcpy(image.scanLine(y), fImage.constScanLine(y), bytes);
        }
    }
    // An emptied indexed bitmap keeps its palette for when it is sized again.
    fEmptyPalette = palette;
    fImage = std::move(image);
    fKeyed = QImage();
    Changed();
}

QList<QRgb> TBitmap::CurrentColorTable() const
{
    if (!fImage.isNull() && fImage.colorCount() > 0)
        return fImage.colorTable();
    return fEmptyPalette.isEmpty() ? DefaultPalette(fFormat) : fEmptyPalette;
}

void TBitmap::SetWidth(int width) { SetSize(width, Height()); }
void TBitmap::SetHeight(int height) { SetSize(Width(), height); }

TPixelFormat TBitmap::PixelFormat() const { return fFormat; }

int TBitmap::BitsPerPixel() const
{
    switch (fFormat) {
    case TPixelFormat::pf1bit: return 1;
    case TPixelFormat::pf4bit: return 4;
    case TPixelFormat::pf8bit: return 8;
    case TPixelFormat::pf24bit: return 24;
    default: return 32;
    }
}

bool TBitmap::Monochrome() const { return fFormat == TPixelFormat::pf1bit; }

void TBitmap::SetPixelFormat(TPixelFormat format)
{
    if (format == TPixelFormat::pfDevice)
        format = TPixelFormat::pf32bit;
    if (format == fFormat)
        return;
    FinishDrawing();
    const TPixelFormat old = fFormat;
    fFormat = format;
    if (fImage.isNull()) {
        fEmptyPalette = DefaultPalette(format);
        Changed();
        return;
    }
    QImage image;
    switch (format) {
    case TPixelFormat::pf24bit:
    case TPixelFormat::pf32bit:
        image = ToRgb32(fImage);
        break;
    case TPixelFormat::pf8bit:
        if (old == TPixelFormat::pf4bit)
            image = fImage; // same storage, the palette fits
        else if (old == TPixelFormat::pf1bit)
            image = fImage.convertToFormat(QImage::Format_Indexed8, fImage.colorTable());
        else
            image = ReduceToPalette(fImage, HalftonePalette().data(), 256);
        break;
    case TPixelFormat::pf4bit:
        if (old == TPixelFormat::pf8bit && fImage.colorCount() <= 16)
            image = fImage;
        else if (old == TPixelFormat::pf1bit)
            image = fImage.convertToFormat(QImage::Format_Indexed8, fImage.colorTable());
        else
            image = ReduceToPalette(ToRgb32(fImage), VgaPalette().data(), 16);
        break;
    case TPixelFormat::pf1bit:
        image = ToMono(ToRgb32(fImage));
        break;
    default:
        break;
    }
    if (image.isNull())
        throw std::runtime_error(kNoStorage);
    fImage = std::move(image);
    fKeyed = QImage();
    Changed();
}

std::vector<TColor> TBitmap::Palette() const
{
    if (!IsIndexed(fFormat))
        return {};
    return FromQPalette(CurrentColorTable());
}

void TBitmap::SetPalette(const std::vector<TColor>& colors)
{
    if (!IsIndexed(fFormat))
        return;
    FinishDrawing();
    const int count = std::min<int>(int(colors.size()), MaxPaletteSize(fFormat));
    QList<QRgb> table = ToQPalette(colors.data(), count);
    if (fFormat == TPixelFormat::pf1bit)
        while (table.size() < 2)
            table.append(table.isEmpty() ? 0xFF000000u : 0xFFFFFFFFu);
    if (fImage.isNull())
        fEmptyPalette = table;
    else
        fImage.setColorTable(table);
    fKeyed = QImage();
    Changed();
}

TColor TBitmap::TransparentColor() const
{
    if (fTransparentMode == TTransparentMode::tmFixed)
        return fTransparentColor;
    if (Empty())
        return clNone;
    return Pixel(0, Height() - 1);
}

void TBitmap::SetTransparentColor(TColor color)
{
    if (color == clDefault) {
        fTransparentMode = TTransparentMode::tmAuto;
        return;
    }
    fTransparentColor = color;
    fTransparentMode = TTransparentMode::tmFixed;
}

TColor TBitmap::Pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= Width() || y >= Height())
        return clNone;
    FinishDrawing();
    if (!IsIndexed(fFormat))
        return QRgbToColor(reinterpret_cast<const QRgb*>(fImage.constScanLine(y))[x]);
    const int index = fImage.pixelIndex(x, y);
    return index < fImage.colorCount() ? QRgbToColor(fImage.color(index)) : clBlack;
}

void TBitmap::SetPixel(int x, int y, TColor color)
{
    if (x < 0 || y < 0 || x >= Width() || y >= Height())
        return;
    FinishDrawing();
    if (!IsIndexed(fFormat)) {
        reinterpret_cast<QRgb*>(fImage.scanLine(y))[x] = ColorToQRgb(ColorToRGB(color));
    } else {
        const std::vector<TColor> palette = Palette();
        fImage.setPixel(x, y, uint(NearestPaletteIndex(palette.data(), int(palette.size()), color)));
    }
    Changed();
}

int TBitmap::PixelIndex(int x, int y) const
{
    if (!IsIndexed(fFormat) || x < 0 || y < 0 || x >= Width() || y >= Height())
        return 0;
    FinishDrawing();
    return fImage.pixelIndex(x, y);
}

void TBitmap::SetPixelIndex(int x, int y, int index)
{
    if (!IsIndexed(fFormat) || x < 0 || y < 0 || x >= Width() || y >= Height())
        return;
    if (index < 0 || index >= MaxPaletteSize(fFormat))
        return;
    FinishDrawing();
    // Written directly: QImage refuses indexes past its colour table, GDI does not.
    if (fFormat == TPixelFormat::pf1bit)
        fImage.setPixel(x, y, uint(index));
    else
        fImage.scanLine(y)[x] = uchar(index);
    Changed();
}

TCanvas& TBitmap::Canvas()
{
    if (!fCanvas)
        fCanvas = std::make_unique<TCanvas>(*this);
    return *fCanvas;
}

QImage& TBitmap::Image()
{
    FinishDrawing();
    Changed();
    return fImage;
}

const QImage& TBitmap::ConstImage() const
{
    FinishDrawing();
    return fImage;
}

const QImage& TBitmap::KeyedImage() const
{
    FinishDrawing();
    const TColor key = fTransparent ? TransparentColor() : clNone;
    if (!fKeyed.isNull() && fKeyedGeneration == fGeneration && fKeyedTransparent == fTransparent
        && fKeyedColor == key)
        return fKeyed;
    fKeyedGeneration = fGeneration;
    fKeyedTransparent = fTransparent;
    fKeyedColor = key;
    if (fImage.isNull()) {
        fKeyed = QImage();
        return fKeyed;
    }
    fKeyed = ToRgb32(fImage).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (fKeyed.isNull())
        throw std::runtime_error(kNoStorage);
    if (fTransparent && key != clNone) {
        const QRgb rgb = ColorToQRgb(ColorToRGB(key)) & 0xFFFFFFu;
        for (int y = 0; y < fKeyed.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(fKeyed.scanLine(y));
            for (int x = 0; x < fKeyed.width(); ++x)
                if ((line[x] & 0xFFFFFFu) == rgb)
                    line[x] = 0;
        }
    }
    return fKeyed;
}
