// LZW coder: our encoder checked by giflib, our decoder checked against our
// encoder and against hand-made streams with faults.
#include "gif/LZWDecoder.h"
#include "gif/LZWEncoder.h"
#include "tests/gif/GiflibPeer.h"

#include <gtest/gtest.h>
#include <random>

namespace {

std::vector<uint8_t> Decode(const std::vector<uint8_t>& encoded, int width, int height, int bits, bool& corrupted,
                            bool interlaced = false)
{
    std::vector<uint8_t> out(size_t(width) * size_t(height), 0);
    corrupted = TLZWDecoder::Decode(encoded, width, height, interlaced, bits, out.data(), width).Corrupted;
    return out;
}

struct TSample {
    const char* Name;
    int Width, Height, Bits;
    std::vector<uint8_t> Pixels;
};

std::vector<TSample> Samples()
{
    std::mt19937 rng(7);
    std::vector<TSample> samples;
    auto add = [&](const char* name, int w, int h, int bits, auto pixel) {
        TSample s{name, w, h, bits, {}};
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                s.Pixels.push_back(uint8_t(pixel(x, y) & ((1 << bits) - 1)));
        samples.push_back(std::move(s));
    };
    add("one pixel", 1, 1, 8, [](int, int) { return 200; });
    add("flat", 333, 77, 8, [](int, int) { return 5; });
    add("noise 8 bit (many table restarts)", 301, 203, 8, [&](int, int) { return int(rng()); });
    add("noise 4 bit", 97, 131, 4, [&](int, int) { return int(rng()); });
    add("noise 2 bit", 640, 48, 2, [&](int, int) { return int(rng()); });
    add("1-bit stripes", 123, 45, 1, [](int x, int y) { return (x / 3 + y) & 1; });
    add("gradient", 640, 120, 8, [](int x, int y) { return (x + y) / 3; });
    add("alternating", 4093, 3, 8, [](int x, int) { return x % 2; });
    // Fills the table, keeps it full over the repeats (exporter's rule), then restarts on noise.
    add("stripes then noise", 256, 400, 8, [&](int x, int y) { return y < 200 ? (x * 7 + y % 3) : int(rng()); });
    return samples;
}

} // namespace

TEST(LZW, RoundTripsThroughOurDecoderAndGiflib)
{
    for (const TSample& s : Samples()) {
        SCOPED_TRACE(s.Name);
        const int codeSize = s.Bits == 1 ? 2 : s.Bits;
        // The fixed layout, and the exporter's other rule (a full table kept while it pays).
        const std::vector<uint8_t> fixed = TLZWEncoder::Encode(s.Pixels.data(), s.Width, s.Height, s.Width, codeSize);
        const TLZWEncoder::TResult kept = TLZWEncoder::EncodeWithRule(
            s.Pixels.data(), nullptr, s.Width, s.Height, s.Width, codeSize, TLZWEncoder::TTableRule::KeepWhilePaying);
        for (const std::vector<uint8_t>* encoded : {&fixed, &kept.Data}) {
            SCOPED_TRACE(encoded == &fixed ? "restarting" : "keeping");
            bool corrupted = true;
            EXPECT_EQ(Decode(*encoded, s.Width, s.Height, s.Bits, corrupted), s.Pixels);
            EXPECT_FALSE(corrupted);

            std::vector<uint32_t> palette(size_t(1) << s.Bits);
            for (size_t i = 0; i < palette.size(); ++i)
                palette[i] = uint32_t(i * 0x010101);
            const TPeerGif peer = DecodeWithGiflib(HandMadeGif(s.Width, s.Height, palette, *encoded));
            ASSERT_TRUE(peer.Ok) << peer.Error;
            ASSERT_EQ(peer.Frames.size(), 1u);
            EXPECT_EQ(peer.Frames[0].Indices, s.Pixels);
        }
        // Until the table fills the two rules write the same codes.
        if (!kept.Filled) {
            EXPECT_EQ(kept.Data, fixed);
        }
    }
}

TEST(LZW, TheSmallerOfTheTwoRulesIsTheSameWithSharedWorkAndALimit)
{
    for (const TSample& s : Samples()) {
        SCOPED_TRACE(s.Name);
        const int codeSize = s.Bits == 1 ? 2 : s.Bits;
        // Every third pixel may also be written as index 0.
        std::vector<uint8_t> alternates = s.Pixels;
        for (size_t i = 0; i < alternates.size(); i += 3)
            alternates[i] = 0;
        for (const uint8_t* alternate : std::initializer_list<const uint8_t*>{nullptr, alternates.data()}) {
            auto rule = [&](TLZWEncoder::TTableRule r) {
                return TLZWEncoder::EncodeWithRule(s.Pixels.data(), alternate, s.Width, s.Height, s.Width, codeSize, r)
                    .Data;
            };
            const std::vector<uint8_t> restarting = rule(TLZWEncoder::TTableRule::Restart);
            const std::vector<uint8_t> keeping = rule(TLZWEncoder::TTableRule::KeepWhilePaying);
            const std::vector<uint8_t>& smaller = keeping.size() < restarting.size() ? keeping : restarting;
            auto smallest = [&](size_t limit) {
                return TLZWEncoder::EncodeSmaller(s.Pixels.data(), alternate, s.Width, s.Height, s.Width, codeSize,
                                                  limit);
            };
            EXPECT_EQ(smallest(SIZE_MAX), smaller);
            EXPECT_EQ(smallest(smaller.size()), smaller);
            EXPECT_EQ(smallest(smaller.size() - 1), std::nullopt);
            // A limit between the two still finds the smaller one.
            const size_t larger = std::max(keeping.size(), restarting.size());
            if (larger > smaller.size()) {
                EXPECT_EQ(smallest(larger - 1), smaller);
            }
        }
    }
}

TEST(LZW, EncodedLayoutFollowsTheFixedChoices)
{
    std::mt19937 rng(3);
    std::vector<uint8_t> pixels(40000);
    for (auto& p : pixels)
        p = uint8_t(rng());
    const std::vector<uint8_t> encoded = TLZWEncoder::Encode(pixels.data(), 200, 200, 200, 8);
    ASSERT_EQ(encoded[0], 8);
    // Full 255-byte sub-blocks, one shorter last block, then the terminator.
    std::vector<uint8_t> codes;
    size_t p = 1;
    std::vector<int> sizes;
    while (encoded[p] != 0) {
        sizes.push_back(encoded[p]);
        codes.insert(codes.end(), encoded.begin() + ptrdiff_t(p + 1), encoded.begin() + ptrdiff_t(p + 1 + encoded[p]));
        p += 1 + encoded[p];
    }
    EXPECT_EQ(p + 1, encoded.size());
    for (size_t i = 0; i + 1 < sizes.size(); ++i)
        EXPECT_EQ(sizes[i], 255);
    EXPECT_LT(sizes.back(), 255);

    // Walk the codes with an independent reading of the width rule: starts with a
    // clear code, never uses code 4095, and every restart is a clear sent right
    // after the table reached 4094.
    size_t bit = 0;
    auto read = [&](int width) {
        int code = 0;
        for (int i = 0; i < width; ++i, ++bit)
            code |= ((codes[bit >> 3] >> (bit & 7)) & 1) << i;
        return code;
    };
    int width = 9, next = 258, clears = 0, first = 1;
    for (;;) {
        const int code = read(width);
        ASSERT_LT(code, 4095);
        if (first) {
            EXPECT_EQ(code, 256);
            first = 0;
        }
        if (code == 256) {
            if (clears > 0) {
                EXPECT_EQ(next, 4095);
            }
            ++clears;
            width = 9;
            next = 258;
            // The code after a clear adds nothing.
            const int literal = read(width);
            ASSERT_LT(literal, 256);
            continue;
        }
        if (code == 257)
            break;
        ++next;
        if (next == (1 << width) && width < 12)
            ++width;
    }
    EXPECT_GT(clears, 2);
}

TEST(LZW, DecoderToleratesAndFlagsDamagedStreams)
{
    bool corrupted = false;
    // Two pixels of index 1 with neither a clear code nor an end code.
    EXPECT_EQ(Decode({2, 1, 0x09, 0}, 2, 1, 2, corrupted), (std::vector<uint8_t>{1, 1}));
    EXPECT_FALSE(corrupted);

    // A code above the next free slot stops decoding; what was decoded stays.
    // Codes (3 bits): clear(4), 1, 7 (undefined) -> 0b111001100 = 0xCC 0x01.
    EXPECT_EQ(Decode({2, 2, 0xCC, 0x01, 0}, 2, 2, 2, corrupted), (std::vector<uint8_t>{1, 0, 0, 0}));
    EXPECT_TRUE(corrupted);

    // More data than pixels: the rest is ignored.
    const std::vector<uint8_t> many(100, 3);
    std::vector<uint8_t> encoded = TLZWEncoder::Encode(many.data(), 100, 1, 100, 2);
    EXPECT_EQ(Decode(encoded, 1, 1, 2, corrupted), (std::vector<uint8_t>{3}));
    EXPECT_FALSE(corrupted);

    // Data cut short: pixels decoded so far are kept, the rest stay 0.
    std::vector<uint8_t> ramp(64);
    for (size_t i = 0; i < ramp.size(); ++i)
        ramp[i] = uint8_t(i);
    encoded = TLZWEncoder::Encode(ramp.data(), 64, 1, 64, 8);
    encoded.resize(1 + 1 + 20);
    encoded[1] = 20;
    const std::vector<uint8_t> partial = Decode(encoded, 64, 1, 8, corrupted);
    EXPECT_TRUE(corrupted);
    EXPECT_EQ(partial[0], 0);
    EXPECT_EQ(partial[10], 10);
    EXPECT_EQ(partial[63], 0);

    // Code sizes that cannot be decoded are clamped and flagged, never trusted.
    for (uint8_t size : {uint8_t(0), uint8_t(12), uint8_t(255)}) {
        std::vector<uint8_t> bad = {size, 4, 0xFF, 0xFF, 0xFF, 0xFF, 0};
        Decode(bad, 8, 8, 8, corrupted);
        EXPECT_TRUE(corrupted) << int(size);
    }
    // An empty stream and a zero-size frame do not touch memory.
    Decode({}, 4, 4, 8, corrupted);
    EXPECT_TRUE(corrupted);
    EXPECT_FALSE(TLZWDecoder::Decode(std::vector<uint8_t>{2, 0}, 0, 0, false, 2, nullptr, 0).Corrupted);
}

TEST(LZW, DecoderMasksValuesAndAcceptsUnusualCodeSizes)
{
    bool corrupted = false;
    // Values above the frame's bit depth are masked (index 7 of a 2-bit frame is 3).
    std::vector<uint8_t> sevens(6, 7);
    auto encoded = TLZWEncoder::Encode(sevens.data(), 6, 1, 6, 4);
    EXPECT_EQ(Decode(encoded, 6, 1, 2, corrupted), std::vector<uint8_t>(6, 3));

    // A code size of 1 (seen in real files): clear 2, end 3, codes start at 2 bits.
    // Codes: clear(2), 1, 0, end(3) at 2 bits -> 0b11000110 = 0xC6.
    EXPECT_EQ(Decode({1, 1, 0xC6, 0}, 2, 1, 1, corrupted), (std::vector<uint8_t>{1, 0}));
    EXPECT_FALSE(corrupted);
}

TEST(LZW, InterlacedFramesFillRowsInFourPasses)
{
    const int width = 3, height = 11;
    // The stream carries rows in pass order: 0,8 | 4 | 2,6,10 | 1,3,5,7,9.
    const int order[] = {0, 8, 4, 2, 6, 10, 1, 3, 5, 7, 9};
    std::vector<uint8_t> stream;
    for (int r : order)
        for (int x = 0; x < width; ++x)
            stream.push_back(uint8_t(r));
    const auto encoded = TLZWEncoder::Encode(stream.data(), width, height, width, 4);
    bool corrupted = false;
    const auto rows = Decode(encoded, width, height, 4, corrupted, true);
    for (int y = 0; y < height; ++y)
        EXPECT_EQ(rows[size_t(y) * width], y);
}
