#include "gif/LZWDecoder.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

constexpr int MaxCodes = 4096;

// Reads codes least-significant bit first from the joined sub-block bytes.
class TCodeReader {
public:
    explicit TCodeReader(std::span<const uint8_t> bytes) : fData(bytes.data()), fSize(bytes.size()) {}

    // False when the data ends before a whole code.
    bool Read(int width, int& code)
    {
        if (fCount < width) {
            if (fPos + 8 <= fSize) {
                uint64_t v;
                std::memcpy(&v, fData + fPos, 8);
                fBits |= v << fCount;
                const int bytes = (63 - fCount) >> 3;
                fPos += size_t(bytes);
                fCount += bytes * 8;
            } else {
                while (fCount < width && fPos < fSize) {
                    fBits |= uint64_t(fData[fPos++]) << fCount;
                    fCount += 8;
                }
                if (fCount < width)
                    return false;
            }
        }
        code = int(fBits & ((uint64_t(1) << width) - 1));
        fBits >>= width;
        fCount -= width;
        return true;
    }
    size_t Consumed() const { return fPos; }

private:
    const uint8_t* fData;
    size_t fSize;
    size_t fPos = 0;
    uint64_t fBits = 0;
    int fCount = 0;
};

// Joins the data sub-blocks that follow the code-size byte.
std::vector<uint8_t> JoinSubBlocks(std::span<const uint8_t> encoded)
{
    std::vector<uint8_t> joined;
    joined.reserve(encoded.size());
    size_t p = 1;
    while (p < encoded.size()) {
        const size_t n = encoded[p++];
        if (n == 0)
            break;
        const size_t take = std::min(n, encoded.size() - p);
        joined.insert(joined.end(), encoded.begin() + ptrdiff_t(p), encoded.begin() + ptrdiff_t(p + take));
        p += take;
    }
    return joined;
}

// Row order of the decoded rows: straight, or the four interlace passes.
std::vector<int> RowOrder(int height, bool interlaced)
{
    std::vector<int> rows;
    rows.reserve(size_t(height));
    if (!interlaced) {
        for (int r = 0; r < height; ++r)
            rows.push_back(r);
        return rows;
    }
    static constexpr int start[4] = {0, 4, 2, 1};
    static constexpr int step[4] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass)
        for (int r = start[pass]; r < height; r += step[pass])
            rows.push_back(r);
    return rows;
}

} // namespace

TLZWDecodeResult TLZWDecoder::Decode(std::span<const uint8_t> encoded, int width, int height, bool interlaced,
                                     int bitsPerPixel, uint8_t* out, ptrdiff_t stride, const TProgress& progress)
{
    TLZWDecodeResult result;
    if (width <= 0 || height <= 0)
        return result;
    if (encoded.empty()) {
        result.Corrupted = true;
        return result;
    }
    int codeSize = encoded[0];
    if (codeSize < 1 || codeSize > 11) {
        codeSize = std::clamp(codeSize, 2, 9);
        result.Corrupted = true;
    }
    const std::vector<uint8_t> stream = JoinSubBlocks(encoded);

    // Strings are decoded into one linear run of pixels; every table entry is
    // a (position, length) pair pointing at an earlier copy of its string.
    const size_t total = size_t(width) * size_t(height);
    const bool direct = !interlaced && stride == width;
    // Otherwise into a scratch run that grows as pixels arrive, so that a
    // stream that ends early costs no more than what it holds.
    std::vector<uint8_t> scratch;
    uint8_t* linear = out;
    if (!direct) {
        scratch.resize(std::min<size_t>(total, 1 << 16));
        linear = scratch.data();
    }
    auto reserve = [&](size_t end) {
        if (direct || end <= scratch.size())
            return;
        scratch.resize(std::min(total, std::max(end, scratch.size() * 2)));
        linear = scratch.data();
    };

    uint32_t offset[MaxCodes];
    uint16_t length[MaxCodes];
    const int clear = 1 << codeSize;
    const int endOfInfo = clear + 1;
    const uint8_t mask = uint8_t((1u << std::clamp(bitsPerPixel, 1, 8)) - 1);
    int codeWidth = codeSize + 1;
    int next = clear + 2;
    int prev = -1;
    uint32_t prevPos = 0;
    uint32_t prevLen = 0;
    size_t pos = 0;
    size_t nextReport = progress ? total / 8 : total + 1;

    TCodeReader reader(stream);
    while (pos < total) {
        int code;
        if (!reader.Read(codeWidth, code)) {
            result.Corrupted = true; // data ended before the last pixel
            break;
        }
        if (code == clear) {
            codeWidth = codeSize + 1;
            next = clear + 2;
            prev = -1;
            continue;
        }
        if (code == endOfInfo) {
            result.Corrupted = true; // the frame ended before its last pixel
            break;
        }
        reserve(pos + MaxCodes + 1);
        const uint32_t curPos = uint32_t(pos);
        uint32_t curLen;
        if (code < clear) {
            linear[pos++] = uint8_t(code) & mask;
            curLen = 1;
        } else if (code < next && prev >= 0) {
            curLen = length[code];
            const size_t n = std::min<size_t>(curLen, total - pos);
            std::memcpy(linear + pos, linear + offset[code], n);
            pos += n;
        } else if (code == next && prev >= 0) {
            // The string of the previous code followed by its own first pixel.
            const size_t n = std::min<size_t>(prevLen, total - pos);
            std::memcpy(linear + pos, linear + prevPos, n);
            pos += n;
            if (pos < total)
                linear[pos++] = linear[prevPos];
            curLen = prevLen + 1;
        } else {
            result.Corrupted = true; // a code that is not in the table
            break;
        }
        if (prev >= 0 && next < MaxCodes) {
            offset[next] = prevPos;
            length[next] = uint16_t(prevLen + 1);
            ++next;
            if (next == (1 << codeWidth) && codeWidth < 12)
                ++codeWidth;
        }
        prev = code;
        prevPos = curPos;
        prevLen = curLen;
        if (pos >= nextReport) {
            progress(int(reader.Consumed() * 100 / std::max<size_t>(stream.size(), 1)));
            nextReport += total / 8;
        }
    }

    if (!direct) {
        const std::vector<int> rows = RowOrder(height, interlaced);
        for (int i = 0; i < height && size_t(i) * size_t(width) < pos; ++i)
            std::memcpy(out + ptrdiff_t(rows[size_t(i)]) * stride, linear + size_t(i) * size_t(width),
                        std::min(size_t(width), pos - size_t(i) * size_t(width)));
    }
    return result;
}
