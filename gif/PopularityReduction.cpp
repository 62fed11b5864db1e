#include "gif/PopularityReduction.h"

#include <algorithm>
#include <memory>
#include <numeric>

namespace {

struct TEntry {
    uint32_t Color; // 0x00RRGGBB, masked (the transparent entry holds its exact colour)
    uint32_t Count;
};

// The distinct colours of one scan, in the order they were found.
class TColorCounter {
public:
    TColorCounter() { fEntries.reserve(TPopularityReduction::MaxColors); }

    void Reset()
    {
        std::fill(std::begin(fSlots), std::end(fSlots), int16_t(-1));
        fEntries.clear();
        fTransparentEntry = -1;
    }

    // Entry of a masked colour, added when new; -1 when the table is full.
    int Find(uint32_t color)
    {
        const uint32_t r = (color >> 16) & 0xFF, g = (color >> 8) & 0xFF, b = color & 0xFF;
        uint32_t slot = ((r + g) * (b + g) * (r + b)) % TPopularityReduction::HashSlots;
        for (;;) {
            const int e = fSlots[slot];
            if (e < 0)
                break;
            if (fEntries[size_t(e)].Color == color)
                return e;
            slot = slot + 1 == TPopularityReduction::HashSlots ? 0 : slot + 1;
        }
        const int e = Add(color);
        if (e >= 0)
            fSlots[slot] = int16_t(e);
        return e;
    }

    // The entry of the exact transparent colour (kept out of the hash, so that
    // masked colours never merge with it); -1 when the table is full.
    int Transparent(uint32_t color)
    {
        if (fTransparentEntry < 0)
            fTransparentEntry = Add(color);
        return fTransparentEntry;
    }

    // Re-masks the table in place, merging entries that now share a colour. The
    // result equals what scanning the same pixels again with the new mask
    // gives: entries stay in order of first appearance and counts add up.
    // remap[old entry] receives the new entry.
    void Remask(uint32_t mask, std::vector<uint16_t>& remap)
    {
        std::vector<TEntry> old;
        old.swap(fEntries);
        const int oldTransparent = fTransparentEntry;
        Reset();
        remap.resize(old.size());
        for (size_t e = 0; e < old.size(); ++e) {
            int target;
            if (int(e) == oldTransparent) {
                target = Transparent(old[e].Color);
            } else {
                target = Find(old[e].Color & mask);
            }
            fEntries[size_t(target)].Count += old[e].Count;
            remap[e] = uint16_t(target);
        }
    }

    std::vector<TEntry>& Entries() { return fEntries; }
    int TransparentEntry() const { return fTransparentEntry; }

private:
    int Add(uint32_t color)
    {
        if (int(fEntries.size()) >= TPopularityReduction::MaxColors)
            return -1;
        fEntries.push_back({color, 0});
        return int(fEntries.size()) - 1;
    }

    int16_t fSlots[TPopularityReduction::HashSlots];
    std::vector<TEntry> fEntries;
    int fTransparentEntry = -1;
};

// One channel loses its lowest remaining bit: blue, red, green, blue, ...
void LoseOneBit(uint32_t& red, uint32_t& green, uint32_t& blue)
{
    if (red < green)
        green &= green - 1;
    else if (red > blue)
        red &= red - 1;
    else
        blue &= blue - 1;
}

// Counts the colours of the image, bottom row first, and fills entryOf (top-down
// rows) with each pixel's entry. Whenever a colour does not fit, the masks lose a
// bit and the table is re-masked (the same as starting the scan over).
void Scan(TColorCounter& counter, const uint32_t* pixels, int width, int height, ptrdiff_t stride,
          bool hasTransparent, uint32_t transparent, uint16_t* entryOf)
{
    counter.Reset();
    uint32_t red = 0xFF, green = 0xFF, blue = 0xFF;
    uint32_t mask = 0xFFFFFF;
    std::vector<uint16_t> remap, step;
    for (int y = height - 1; y >= 0; --y) {
        const uint32_t* row = pixels + ptrdiff_t(y) * stride;
        uint16_t* dst = entryOf + size_t(y) * size_t(width);
        uint32_t lastColor = 0xFFFFFFFFu;
        int lastEntry = -1;
        for (int x = 0; x < width; ++x) {
            const uint32_t px = row[x] & 0xFFFFFFu;
            int e;
            if (hasTransparent && px == transparent) {
                e = counter.Transparent(px);
            } else {
                const uint32_t color = px & mask;
                if (color == lastColor) {
                    e = lastEntry;
                } else {
                    e = counter.Find(color);
                    lastColor = color;
                    lastEntry = e;
                }
            }
            if (e < 0) {
                // Coarser masks until this colour fits; then renumber what was scanned.
                remap.clear();
                while (e < 0) {
                    LoseOneBit(red, green, blue);
                    mask = (red << 16) | (green << 8) | blue;
                    counter.Remask(mask, step);
                    if (remap.empty())
                        remap = step;
                    else
                        for (uint16_t& r : remap)
                            r = step[r];
                    e = hasTransparent && px == transparent ? counter.Transparent(px) : counter.Find(px & mask);
                }
                for (int yy = height - 1; yy > y; --yy) {
                    uint16_t* done = entryOf + size_t(yy) * size_t(width);
                    for (int xx = 0; xx < width; ++xx)
                        done[xx] = remap[done[xx]];
                }
                for (int xx = 0; xx < x; ++xx)
                    dst[xx] = remap[dst[xx]];
                lastColor = 0xFFFFFFFFu;
                lastEntry = -1;
            }
            ++counter.Entries()[size_t(e)].Count;
            dst[x] = uint16_t(e);
        }
    }
}

int Distance(const TGIFColor& a, uint32_t color)
{
    const int dr = int(a.Red) - int((color >> 16) & 0xFF);
    const int dg = int(a.Green) - int((color >> 8) & 0xFF);
    const int db = int(a.Blue) - int(color & 0xFF);
    return dr * dr + dg * dg + db * db;
}

} // namespace

TReducedImage TPopularityReduction::Reduce(const uint32_t* pixels, int width, int height, ptrdiff_t strideInPixels,
                                           TColor transparent)
{
    TReducedImage result;
    result.Width = std::max(width, 0);
    result.Height = std::max(height, 0);
    result.Palette.fill(TGIFColor{128, 128, 128});
    const size_t total = size_t(result.Width) * size_t(result.Height);
    result.Indices.assign(total, 0);
    if (total == 0)
        return result;

    const bool hasTransparent = transparent != clNone;
    const uint32_t transparentRgb = hasTransparent ? (ColorToQRgb(ColorToRGB(transparent)) & 0xFFFFFFu) : 0;

    auto counter = std::make_unique<TColorCounter>();
    std::vector<uint16_t> entryOf(total);
    Scan(*counter, pixels, width, height, strideInPixels, hasTransparent, transparentRgb, entryOf.data());

    const std::vector<TEntry>& entries = counter->Entries();
    std::vector<int> order(entries.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return entries[size_t(a)].Count > entries[size_t(b)].Count; });
    const int used = int(std::min<size_t>(256, order.size()));
    const int transparentEntry = counter->TransparentEntry();
    if (transparentEntry >= 0 && std::find(order.begin(), order.begin() + used, transparentEntry) == order.begin() + used)
        order[size_t(used - 1)] = transparentEntry;

    std::vector<uint8_t> paletteOf(entries.size(), 0);
    std::vector<bool> inPalette(entries.size(), false);
    int transparentSlot = -1;
    for (int i = 0; i < used; ++i) {
        const uint32_t c = entries[size_t(order[size_t(i)])].Color;
        result.Palette[size_t(i)] = {uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c)};
        paletteOf[size_t(order[size_t(i)])] = uint8_t(i);
        inPalette[size_t(order[size_t(i)])] = true;
        if (order[size_t(i)] == transparentEntry)
            transparentSlot = i;
    }
    // No entry but the transparent one may hold the transparent RGB.
    if (hasTransparent) {
        const TGIFColor key{uint8_t(transparentRgb >> 16), uint8_t(transparentRgb >> 8), uint8_t(transparentRgb)};
        for (int i = 0; i < used; ++i)
            if (i != transparentSlot && result.Palette[size_t(i)] == key)
                result.Palette[size_t(i)].Blue = key.Blue > 0 ? key.Blue - 1 : 1;
    }
    for (size_t e = 0; e < entries.size(); ++e) {
        if (inPalette[e])
            continue;
        int best = -1, bestDistance = 0;
        for (int i = 0; i < used; ++i) {
            if (i == transparentSlot)
                continue;
            const int d = Distance(result.Palette[size_t(i)], entries[e].Color);
            if (best < 0 || d < bestDistance) {
                best = i;
                bestDistance = d;
            }
        }
        paletteOf[e] = uint8_t(std::max(best, 0));
    }

    const uint8_t* lut = paletteOf.data();
    for (size_t i = 0; i < total; ++i)
        result.Indices[i] = lut[entryOf[i]];
    return result;
}
