#include "gif/LZWEncoder.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

// Open-addressing map from (prefix code, next index) to the code of that
// string; key and code share one 32-bit slot (20 + 12 bits).
class TStringTable {
public:
    static constexpr int Slots = 1 << 13;

    void Clear() { std::memset(fSlots, 0xFF, sizeof fSlots); }

    // The code for the key, or -1; `slot` receives where to insert it.
    int Find(uint32_t key, uint32_t& slot) const
    {
        uint32_t s = ((key * 0x9E3779B1u) >> 19) & (Slots - 1);
        for (;;) {
            const uint32_t v = fSlots[s];
            if (v == Empty)
                break;
            if ((v >> 12) == key)
                return int(v & 0xFFF);
            s = (s + 1) & (Slots - 1);
        }
        slot = s;
        return -1;
    }
    void Insert(uint32_t slot, uint32_t key, int code) { fSlots[slot] = key << 12 | uint32_t(code); }

private:
    static constexpr uint32_t Empty = 0xFFFFFFFFu;
    uint32_t fSlots[Slots];
};

// Packs codes least-significant bit first into a buffer sized for the worst case.
class TCodeWriter {
public:
    explicit TCodeWriter(uint8_t* out) : fStart(out), fOut(out) {}
    void Write(int code, int width)
    {
        fBits |= uint64_t(code) << fCount;
        fCount += width;
        if (fCount >= 32) {
            const uint32_t word = uint32_t(fBits);
            std::memcpy(fOut, &word, 4);
            fOut += 4;
            fBits >>= 32;
            fCount -= 32;
        }
    }
    // Writes what is pending; returns the number of bytes written in all.
    size_t Flush()
    {
        while (fCount > 0) {
            *fOut++ = uint8_t(fBits);
            fBits >>= 8;
            fCount -= 8;
        }
        fCount = 0;
        return size_t(fOut - fStart);
    }

private:
    uint8_t* fStart;
    uint8_t* fOut;
    uint64_t fBits = 0;
    int fCount = 0;
};

template <bool WithAlternates>
std::vector<uint8_t> EncodeRows(const uint8_t* pixels, const uint8_t* alternates, int width, int height,
                                ptrdiff_t stride, int codeSize, const TLZWEncoder::TProgress& progress,
                                TLZWEncoder::TTableRule rule = TLZWEncoder::TTableRule::Restart,
                                bool* filled = nullptr)
{
    codeSize = std::clamp(codeSize, 2, 8);
    // At most one 12-bit code per pixel, plus a clear and a pending code per
    // table restart, the first clear and the end code.
    const size_t pixelCount = size_t(std::max(width, 0)) * size_t(std::max(height, 0));
    const size_t maxCodes = pixelCount + 2 * (pixelCount / 4000 + 1) + 3;
    std::vector<uint8_t> codes(maxCodes * 12 / 8 + 16);
    TCodeWriter writer(codes.data());
    auto table = std::make_unique<TStringTable>();
    table->Clear();

    const int clear = 1 << codeSize;
    const int endOfInfo = clear + 1;
    int codeWidth = codeSize + 1;
    int next = clear + 2;
    int prefix = -1;
    writer.Write(clear, codeWidth);
    const bool keepFull = rule == TLZWEncoder::TTableRule::KeepWhilePaying;
    // With keepFull: whether the table is full and kept, and the cost of the
    // pixels since the last restart and since the table became full.
    bool full = false;
    int64_t cycleBits = 0, cyclePixels = 0;
    int64_t windowBits = 0, windowPixels = 0;
    constexpr int64_t Window = 6144; // pixels between checks
    auto restart = [&] {
        writer.Write(clear, codeWidth);
        table->Clear();
        codeWidth = codeSize + 1;
        next = clear + 2;
        prefix = -1;
        full = false;
        cycleBits = cyclePixels = 0;
    };

    for (int y = 0; y < height; ++y) {
        const uint8_t* row = pixels + ptrdiff_t(y) * stride;
        [[maybe_unused]] const uint8_t* alternateRow = WithAlternates ? alternates + ptrdiff_t(y) * stride : nullptr;
        for (int x = 0; x < width; ++x) {
            const int c = row[x];
            if (keepFull) {
                ++cyclePixels;
                ++windowPixels;
            }
            if (prefix < 0) {
                prefix = c;
                continue;
            }
            const uint32_t key = (uint32_t(prefix) << 8) | uint32_t(c);
            uint32_t slot;
            const int found = table->Find(key, slot);
            if (found >= 0) {
                prefix = found;
                continue;
            }
            if constexpr (WithAlternates) {
                // The other way of writing this pixel may continue the string.
                if (const int a = alternateRow[x]; a != c) {
                    uint32_t unused;
                    if (const int other = table->Find((uint32_t(prefix) << 8) | uint32_t(a), unused); other >= 0) {
                        prefix = other;
                        continue;
                    }
                }
            }
            writer.Write(prefix, codeWidth);
            if (keepFull) {
                cycleBits += codeWidth;
                if (full) {
                    windowBits += codeWidth;
                    prefix = c;
                    if (windowPixels >= Window) {
                        if (windowBits * (cyclePixels - windowPixels) * 100
                            > (cycleBits - windowBits) * windowPixels * 105) {
                            restart();
                            prefix = c; // starts the first string after the restart
                            cyclePixels = 1;
                        }
                        windowBits = windowPixels = 0;
                    }
                    continue;
                }
            }
            const int code = next++;
            table->Insert(slot, key, code);
            if (code == (1 << codeWidth))
                ++codeWidth;
            prefix = c;
            if (code == 4094) {
                if (filled)
                    *filled = true;
                if (keepFull) {
                    full = true;
                    windowBits = 0;
                    windowPixels = 1;
                } else {
                    writer.Write(prefix, codeWidth);
                    restart();
                }
            }
        }
        if (progress)
            progress(int((int64_t(y) + 1) * 100 / height));
    }
    if (prefix >= 0)
        writer.Write(prefix, codeWidth);
    writer.Write(endOfInfo, codeWidth);
    codes.resize(writer.Flush());

    std::vector<uint8_t> out;
    out.reserve(codes.size() + codes.size() / 255 + 3);
    out.push_back(uint8_t(codeSize));
    for (size_t p = 0; p < codes.size(); p += 255) {
        const size_t n = std::min<size_t>(255, codes.size() - p);
        out.push_back(uint8_t(n));
        out.insert(out.end(), codes.begin() + ptrdiff_t(p), codes.begin() + ptrdiff_t(p + n));
    }
    out.push_back(0);
    return out;
}

} // namespace

std::vector<uint8_t> TLZWEncoder::Encode(const uint8_t* pixels, int width, int height, ptrdiff_t stride, int codeSize,
                                         const TProgress& progress)
{
    return EncodeRows<false>(pixels, nullptr, width, height, stride, codeSize, progress);
}

std::vector<uint8_t> TLZWEncoder::EncodeWithAlternates(const uint8_t* pixels, const uint8_t* alternates, int width,
                                                       int height, ptrdiff_t stride, int codeSize)
{
    return EncodeRows<true>(pixels, alternates, width, height, stride, codeSize, {});
}

TLZWEncoder::TResult TLZWEncoder::EncodeWithRule(const uint8_t* pixels, const uint8_t* alternates, int width,
                                                 int height, ptrdiff_t stride, int codeSize, TTableRule rule)
{
    TResult result;
    result.Data = alternates ? EncodeRows<true>(pixels, alternates, width, height, stride, codeSize, {}, rule,
                                                &result.Filled)
                             : EncodeRows<false>(pixels, nullptr, width, height, stride, codeSize, {}, rule,
                                                 &result.Filled);
    return result;
}
