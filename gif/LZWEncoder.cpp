#include "gif/LZWEncoder.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

// Open-addressing map from (prefix code, next index) to the code of that string.
class TStringTable {
public:
    static constexpr int Slots = 1 << 13;

    void Clear() { std::memset(fKeys, 0xFF, sizeof fKeys); }

    // The code for the key, or -1; `slot` receives where to insert it.
    int Find(uint32_t key, uint32_t& slot) const
    {
        uint32_t s = ((key * 0x9E3779B1u) >> 19) & (Slots - 1);
        while (fKeys[s] != Empty) {
            if (fKeys[s] == key)
                return fCodes[s];
            s = (s + 1) & (Slots - 1);
        }
        slot = s;
        return -1;
    }
    void Insert(uint32_t slot, uint32_t key, int code)
    {
        fKeys[slot] = key;
        fCodes[slot] = uint16_t(code);
    }

private:
    static constexpr uint32_t Empty = 0xFFFFFFFFu;
    uint32_t fKeys[Slots];
    uint16_t fCodes[Slots];
};

// Packs codes least-significant bit first.
class TCodeWriter {
public:
    explicit TCodeWriter(std::vector<uint8_t>& out) : fOut(out) {}
    void Write(int code, int width)
    {
        fBits |= uint64_t(code) << fCount;
        fCount += width;
        while (fCount >= 8) {
            fOut.push_back(uint8_t(fBits));
            fBits >>= 8;
            fCount -= 8;
        }
    }
    void Flush()
    {
        if (fCount > 0)
            fOut.push_back(uint8_t(fBits));
        fBits = 0;
        fCount = 0;
    }

private:
    std::vector<uint8_t>& fOut;
    uint64_t fBits = 0;
    int fCount = 0;
};

} // namespace

std::vector<uint8_t> TLZWEncoder::Encode(const uint8_t* pixels, int width, int height, ptrdiff_t stride, int codeSize,
                                         const TProgress& progress)
{
    codeSize = std::clamp(codeSize, 2, 8);
    std::vector<uint8_t> codes;
    codes.reserve(size_t(std::max(width, 0)) * size_t(std::max(height, 0)) / 2 + 16);
    TCodeWriter writer(codes);
    auto table = std::make_unique<TStringTable>();
    table->Clear();

    const int clear = 1 << codeSize;
    const int endOfInfo = clear + 1;
    int codeWidth = codeSize + 1;
    int next = clear + 2;
    int prefix = -1;
    writer.Write(clear, codeWidth);

    for (int y = 0; y < height; ++y) {
        const uint8_t* row = pixels + ptrdiff_t(y) * stride;
        for (int x = 0; x < width; ++x) {
            const int c = row[x];
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
            writer.Write(prefix, codeWidth);
            const int code = next++;
            table->Insert(slot, key, code);
            if (code == (1 << codeWidth))
                ++codeWidth;
            prefix = c;
            if (code == 4094) {
                writer.Write(prefix, codeWidth);
                writer.Write(clear, codeWidth);
                table->Clear();
                codeWidth = codeSize + 1;
                next = clear + 2;
                prefix = -1;
            }
        }
        if (progress)
            progress(int((int64_t(y) + 1) * 100 / height));
    }
    if (prefix >= 0)
        writer.Write(prefix, codeWidth);
    writer.Write(endOfInfo, codeWidth);
    writer.Flush();

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
