// Popularity colour reduction: palette order, mask order, nearest mapping and
// the exact transparent colour.
#include "gif/PopularityReduction.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <random>
#include <set>

namespace {

struct TPicture {
    int Width, Height;
    std::vector<uint32_t> Pixels; // 0xFFRRGGBB, row 0 at the top
    uint32_t& At(int x, int y) { return Pixels[size_t(y) * size_t(Width) + size_t(x)]; }
};

TPicture Make(int width, int height, uint32_t fill = 0xFF000000u)
{
    return {width, height, std::vector<uint32_t>(size_t(width) * size_t(height), fill)};
}

TReducedImage Reduce(const TPicture& p, TColor transparent = clNone)
{
    return TPopularityReduction::Reduce(p.Pixels.data(), p.Width, p.Height, p.Width, transparent);
}

uint32_t Rgb(const TGIFColor& c)
{
    return (uint32_t(c.Red) << 16) | (uint32_t(c.Green) << 8) | c.Blue;
}

// n distinct colours, each with a variant pattern picked by `variant`.
TPicture ManyColours(int base, int variants, uint32_t (*variant)(int index, int v))
{
    TPicture p = Make(base * variants, 1);
    for (int i = 0; i < base; ++i)
        for (int v = 0; v < variants; ++v)
            p.At(i * variants + v, 0) = 0xFF000000u | variant(i, v);
    return p;
}

} // namespace

TEST(PopularityReduction, FewColoursAreExactAndOrderedByUse)
{
    // Bottom row scanned first: on equal counts the colour met there comes first.
    TPicture p = Make(4, 2);
    p.At(0, 0) = 0xFF0000FFu; // blue x3 (top row)
    p.At(1, 0) = 0xFF0000FFu;
    p.At(2, 0) = 0xFF0000FFu;
    p.At(3, 0) = 0xFF00FF00u; // green x1 (top row)
    p.At(0, 1) = 0xFFFF0000u; // red x2, found before blue
    p.At(1, 1) = 0xFFFF0000u;
    p.At(2, 1) = 0xFF112233u; // x2, found after red
    p.At(3, 1) = 0xFF112233u;
    const TReducedImage r = Reduce(p);
    EXPECT_EQ(Rgb(r.Palette[0]), 0x0000FFu);
    EXPECT_EQ(Rgb(r.Palette[1]), 0xFF0000u);
    EXPECT_EQ(Rgb(r.Palette[2]), 0x112233u);
    EXPECT_EQ(Rgb(r.Palette[3]), 0x00FF00u);
    for (int i = 4; i < 256; ++i)
        EXPECT_EQ(Rgb(r.Palette[size_t(i)]), 0x808080u);
    EXPECT_EQ(r.Indices, (std::vector<uint8_t>{0, 0, 0, 3, 1, 1, 2, 2}));
}

TEST(PopularityReduction, ChannelsLoseBitsBlueThenRedThenGreen)
{
    // 3000 colours in pairs differing in the lowest blue bit: losing that bit suffices.
    const TReducedImage blueOnly = Reduce(ManyColours(1500, 2, [](int i, int v) {
        return uint32_t((i & 0xFF) << 16 | ((i >> 8) * 3) << 8 | ((i * 7 & 0x7F) << 1 | v));
    }));
    for (const TGIFColor& c : blueOnly.Palette)
        EXPECT_EQ(c.Blue & 1, 0);

    // 4400 colours in fours differing in the lowest blue and red bits: blue, then red goes.
    const TReducedImage blueRed = Reduce(ManyColours(1100, 4, [](int i, int v) {
        return uint32_t(((i & 0x7F) << 1 | (v & 1)) << 16 | (i >> 4) << 8 | ((i * 5 & 0x7F) << 1 | v >> 1));
    }));
    bool oddGreen = false;
    for (const TGIFColor& c : blueRed.Palette) {
        EXPECT_EQ(c.Blue & 1, 0);
        EXPECT_EQ(c.Red & 1, 0);
        oddGreen |= (c.Green & 1) != 0;
    }
    EXPECT_TRUE(oddGreen); // green kept all its bits
}

TEST(PopularityReduction, ColoursPastThePaletteMapToTheNearestEntry)
{
    // 256 colours used twice and 44 used once: the 44 map to their nearest neighbours.
    TPicture p = Make(300 * 2, 1);
    int x = 0;
    for (int i = 0; i < 256; ++i) {
        p.At(x++, 0) = 0xFF000000u | uint32_t(i * 4 % 256) << 8 | uint32_t(i / 64 * 80);
        p.At(x++, 0) = 0xFF000000u | uint32_t(i * 4 % 256) << 8 | uint32_t(i / 64 * 80);
    }
    for (int i = 0; i < 44; ++i)
        p.At(x++, 0) = 0xFF000000u | uint32_t(i * 4 + 1) << 8 | 1; // next to an entry (i*4, 0)
    p.Width = x;
    p.Pixels.resize(size_t(x));
    const TReducedImage r = Reduce(p);
    for (int i = 0; i < 44; ++i) {
        const TGIFColor& c = r.Palette[r.Indices[size_t(512 + i)]];
        EXPECT_EQ(c.Green, i * 4);
        EXPECT_EQ(c.Blue, 0);
    }
}

TEST(PopularityReduction, TransparentColourStaysExactAndUnshared)
{
    // 3000 colours in pairs differing in the lowest blue bit, so that bit is lost.
    // The key (7, 0, 40) is met only in the last 5 pixels; its masked twin
    // (7, 0, 41) -> (7, 0, 40) is common.
    TPicture p = Make(2999 + 10 + 5, 1);
    int x = 0;
    for (int i = 0; i < 1500; ++i)
        for (int v = 0; v < 2; ++v)
            if (i != 7 || v != 0)
                p.At(x++, 0) = 0xFF000000u | uint32_t(i & 0xFF) << 16 | uint32_t(i >> 8) << 8 | uint32_t(40 + v);
    const int twin = x;
    for (int i = 0; i < 10; ++i)
        p.At(x++, 0) = 0xFF070029u;
    const int keyed = x;
    for (int i = 0; i < 5; ++i)
        p.At(x++, 0) = 0xFF070028u;

    const TReducedImage r = Reduce(p, RGB(7, 0, 40));
    const uint8_t keyIndex = r.Indices[size_t(keyed)];
    EXPECT_EQ(Rgb(r.Palette[keyIndex]), 0x070028u);
    for (int i = 0; i < x; ++i)
        EXPECT_EQ(r.Indices[size_t(i)] == keyIndex, i >= keyed) << i;
    int holders = 0;
    for (const TGIFColor& c : r.Palette)
        holders += Rgb(c) == 0x070028u;
    EXPECT_EQ(holders, 1);
    EXPECT_EQ(Rgb(r.Palette[r.Indices[size_t(twin)]]), 0x070027u); // the twin's entry moved off the key

    // Without the key the plain algorithm merges the key's pixels with their twin.
    const TReducedImage plain = Reduce(p);
    EXPECT_EQ(plain.Indices[size_t(keyed)], plain.Indices[size_t(twin)]);
}

TEST(PopularityReduction, TransparentColourOutsideTheTopEntriesStillGetsOne)
{
    // 400 colours without masking; the key is the least used and nearest to a common colour.
    TPicture p = Make(400 * 3 + 1, 1);
    int x = 0;
    for (int i = 0; i < 400; ++i)
        for (int k = 0; k < 3; ++k)
            p.At(x++, 0) = 0xFF000000u | uint32_t(i) << 4;
    p.At(x, 0) = 0xFF000011u; // 0x000011: one step from 0x000010
    const TReducedImage r = Reduce(p, RGB(0, 0, 0x11));
    EXPECT_EQ(Rgb(r.Palette[r.Indices[size_t(x)]]), 0x000011u);
    EXPECT_EQ(r.Indices[size_t(x)], 255);
    for (int i = 0; i < x; ++i)
        EXPECT_NE(r.Indices[size_t(i)], 255);
}

TEST(PopularityReduction, KeyChangesNothingForFewColours)
{
    TPicture p = Make(37, 23);
    for (int y = 0; y < p.Height; ++y)
        for (int x = 0; x < p.Width; ++x)
            p.At(x, y) = 0xFF000000u | uint32_t((x * 7 + y * 3) % 200) * 0x010203u;
    const TReducedImage plain = Reduce(p);
    for (TColor key : {RGB(0, 0, 0), RGB(3, 2, 1), RGB(1, 2, 3)}) {
        const TReducedImage keyed = Reduce(p, key);
        EXPECT_EQ(keyed.Indices, plain.Indices);
        EXPECT_EQ(keyed.Palette, plain.Palette);
    }
}

namespace {

// The reduction written the plain way: start the scan over after every lost bit.
TReducedImage ReferenceReduce(const TPicture& p)
{
    uint32_t red = 0xFF, green = 0xFF, blue = 0xFF;
    std::vector<uint32_t> colours;
    std::vector<uint32_t> counts;
    for (;;) {
        const uint32_t mask = red << 16 | green << 8 | blue;
        colours.clear();
        counts.clear();
        bool fits = true;
        for (int y = p.Height - 1; y >= 0 && fits; --y)
            for (int x = 0; x < p.Width; ++x) {
                const uint32_t c = p.Pixels[size_t(y * p.Width + x)] & mask;
                const auto it = std::find(colours.begin(), colours.end(), c);
                if (it != colours.end()) {
                    ++counts[size_t(it - colours.begin())];
                } else if (colours.size() == 2049) {
                    fits = false;
                    break;
                } else {
                    colours.push_back(c);
                    counts.push_back(1);
                }
            }
        if (fits)
            break;
        if (red < green)
            green &= green - 1;
        else if (red > blue)
            red &= red - 1;
        else
            blue &= blue - 1;
    }
    std::vector<size_t> order(colours.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return counts[a] > counts[b]; });
    TReducedImage r;
    r.Palette.fill({128, 128, 128});
    const size_t used = std::min<size_t>(256, order.size());
    for (size_t i = 0; i < used; ++i)
        r.Palette[i] = {uint8_t(colours[order[i]] >> 16), uint8_t(colours[order[i]] >> 8), uint8_t(colours[order[i]])};
    const uint32_t mask = red << 16 | green << 8 | blue;
    for (uint32_t px : p.Pixels) {
        const uint32_t c = px & mask;
        int best = 0, bestDistance = 1 << 30;
        for (size_t i = 0; i < used; ++i) {
            const int dr = int(r.Palette[i].Red) - int(c >> 16 & 0xFF), dg = int(r.Palette[i].Green) - int(c >> 8 & 0xFF),
                      db = int(r.Palette[i].Blue) - int(c & 0xFF);
            const int d = dr * dr + dg * dg + db * db;
            if (d < bestDistance) {
                best = int(i);
                bestDistance = d;
            }
        }
        r.Indices.push_back(uint8_t(best));
    }
    return r;
}

} // namespace

TEST(PopularityReduction, MatchesScanningOverAfterEveryLostBit)
{
    std::mt19937 rng(5);
    for (int kind = 0; kind < 3; ++kind) {
        SCOPED_TRACE(kind);
        TPicture p = Make(90, 70);
        for (int y = 0; y < p.Height; ++y)
            for (int x = 0; x < p.Width; ++x) {
                const int n = int(rng() % 9) - 4;
                const uint32_t noise = kind == 0 ? uint32_t(rng()) & 0xFFFFFF
                                       : kind == 1 ? uint32_t(std::clamp(x * 3 + n, 0, 255)) << 16 |
                                                         uint32_t(std::clamp(y * 3 + n, 0, 255)) << 8 | uint32_t(x ^ y)
                                                   : uint32_t(rng() % 3000) * 0x010101u % 0x1000000u;
                p.At(x, y) = 0xFF000000u | noise;
            }
        const TReducedImage fast = Reduce(p);
        const TReducedImage plain = ReferenceReduce(p);
        EXPECT_EQ(fast.Palette, plain.Palette);
        EXPECT_EQ(fast.Indices, plain.Indices);
    }
}
