#include "gif/ColorReduction.h"

#include "gif/GIFError.h"
#include "gif/PopularityReduction.h"

#include <libimagequant.h>
#include <memory>
#include <omp.h>
#include <vector>

namespace {

constexpr QRgb Clear = 0;
// Speed 1..10 of libimagequant: 8 is three times as fast as its default (4)
// and loses about half a decibel; it still beats the usual tools' reducers.
constexpr int QuantizerSpeed = 8;

QRgb KeyRgb(TColor transparent)
{
    return transparent == clNone ? 0xFFFFFFFFu : (ColorToQRgb(ColorToRGB(transparent)) & 0xFFFFFF);
}

// Opaque pixels as they are, pixels of the key colour clear.
QImage Exact(const QImage& rgb32, QRgb key)
{
    QImage out = rgb32.convertToFormat(QImage::Format_ARGB32);
    const int width = out.width(), height = out.height();
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < width; ++x)
            row[x] = (row[x] & 0xFFFFFF) == key ? Clear : (row[x] | 0xFF000000u);
    }
    return out;
}

// A reduced colour that happens to equal the key moves one step in blue, so
// that it does not vanish.
QRgb Opaque(QRgb rgb, QRgb key)
{
    rgb &= 0xFFFFFF;
    if (rgb == key)
        rgb = (rgb & 0xFF) == 0 ? rgb + 1 : rgb - 1;
    return rgb | 0xFF000000u;
}

QImage Popularity(const QImage& rgb32, TColor transparent, QRgb key)
{
    const QImage source = rgb32.convertToFormat(QImage::Format_RGB32);
    const TReducedImage reduced =
        TPopularityReduction::Reduce(reinterpret_cast<const uint32_t*>(source.constBits()), source.width(),
                                     source.height(), source.bytesPerLine() / 4, transparent);
    QImage out(source.size(), QImage::Format_ARGB32);
    const int width = out.width(), height = out.height();
    for (int y = 0; y < height; ++y) {
        const QRgb* in = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
        const uint8_t* index = reduced.Indices.data() + size_t(y) * size_t(width);
        for (int x = 0; x < width; ++x) {
            const TGIFColor c = reduced.Palette[index[x]];
            row[x] = (in[x] & 0xFFFFFF) == key ? Clear : Opaque(qRgb(c.Red, c.Green, c.Blue), key);
        }
    }
    return out;
}

struct TLiqDelete {
    void operator()(liq_attr* p) const { liq_attr_destroy(p); }
    void operator()(liq_image* p) const { liq_image_destroy(p); }
    void operator()(liq_result* p) const { liq_result_destroy(p); }
};

void Check(bool ok)
{
    if (!ok)
        throw EInvalidGraphicOperation(GIFMessages::EncodingError);
}

// argb32: clear pixels (0) are the transparent ones.
QImage HighQuality(const QImage& argb32, QRgb key, bool dither)
{
    // libimagequant spreads its work over OpenMP threads; one thread keeps its
    // results the same whatever the machine, and the exporter runs frames in
    // parallel instead.
    omp_set_num_threads(1);
    const int w = argb32.width(), h = argb32.height();
    QImage rgba(w, h, QImage::Format_RGBA8888);
    for (int y = 0; y < h; ++y) {
        const QRgb* in = reinterpret_cast<const QRgb*>(argb32.constScanLine(y));
        uint8_t* p = rgba.scanLine(y);
        for (int x = 0; x < w; ++x, p += 4) {
            p[0] = uint8_t(qRed(in[x]));
            p[1] = uint8_t(qGreen(in[x]));
            p[2] = uint8_t(qBlue(in[x]));
            p[3] = in[x] == 0 ? 0 : 255;
        }
    }
    std::unique_ptr<liq_attr, TLiqDelete> attr(liq_attr_create());
    Check(attr != nullptr);
    Check(liq_set_speed(attr.get(), QuantizerSpeed) == LIQ_OK);
    Check(liq_set_max_colors(attr.get(), 256) == LIQ_OK);
    std::unique_ptr<liq_image, TLiqDelete> image(liq_image_create_rgba(attr.get(), rgba.constBits(), w, h, 0));
    Check(image != nullptr);
    liq_result* raw = nullptr;
    Check(liq_image_quantize(image.get(), attr.get(), &raw) == LIQ_OK && raw != nullptr);
    std::unique_ptr<liq_result, TLiqDelete> result(raw);
    Check(liq_set_dithering_level(result.get(), dither ? 1.0f : 0.0f) == LIQ_OK);
    std::vector<uint8_t> indices(size_t(w) * size_t(h));
    Check(liq_write_remapped_image(result.get(), image.get(), indices.data(), indices.size()) == LIQ_OK);
    const liq_palette* palette = liq_get_palette(result.get());
    Check(palette != nullptr);
    QRgb colors[256];
    for (unsigned i = 0; i < 256; ++i) {
        const liq_color c = i < palette->count ? palette->entries[i] : liq_color{0, 0, 0, 255};
        colors[i] = Opaque(qRgb(c.r, c.g, c.b), key);
    }
    QImage out(w, h, QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y) {
        const uint8_t* in = rgba.constScanLine(y);
        const uint8_t* index = indices.data() + size_t(y) * size_t(w);
        auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < w; ++x)
            row[x] = in[x * 4 + 3] == 0 ? Clear : colors[index[x]];
    }
    return out;
}

} // namespace

bool TColorReduction::FitsTable(const QImage& argb32)
{
    // Open addressing over a table four times the limit; 0 (clear) marks a free slot.
    constexpr uint32_t size = 1024;
    std::vector<uint32_t> seen(size, 0);
    int found = 0;
    bool clear = false;
    uint32_t last = 0;
    const int width = argb32.width(), height = argb32.height();
    for (int y = 0; y < height; ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(argb32.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            const uint32_t c = row[x];
            if (c == last)
                continue;
            last = c;
            if (c == 0) {
                clear = true;
                if (found > 255)
                    return false;
                continue;
            }
            uint32_t slot = (c * 2654435761u) >> 22;
            while (seen[slot] != 0 && seen[slot] != c)
                slot = (slot + 1) & (size - 1);
            if (seen[slot] == c)
                continue;
            if (++found > (clear ? 255 : 256))
                return false;
            seen[slot] = c;
        }
    }
    return true;
}

QImage TColorReduction::Reduce(const QImage& rgb32, TColor transparent, TColorReducer reducer, bool dither)
{
    const QRgb key = KeyRgb(transparent);
    QImage keyed = Exact(rgb32, key);
    if (FitsTable(keyed))
        return keyed;
    if (reducer == TColorReducer::Popularity)
        return Popularity(rgb32, transparent, key);
    return HighQuality(keyed, key, dither);
}

QImage TColorReduction::ReduceClear(const QImage& argb32, bool dither)
{
    return FitsTable(argb32) ? argb32 : HighQuality(argb32, 0xFFFFFFFFu, dither);
}
