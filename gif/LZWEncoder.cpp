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
    size_t BitsWritten() const { return size_t(fOut - fStart) * 8 + size_t(fCount); }
    // Bytes the codes so far take once flushed.
    size_t Bytes() const { return size_t(fOut - fStart) + size_t(fCount + 7) / 8; }
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
    size_t Offset() const { return size_t(fOut - fStart); }
    // Goes on in another buffer that holds this one's first `offset` bytes.
    void Rebase(uint8_t* start, size_t offset)
    {
        fStart = start;
        fOut = start + offset;
    }

private:
    uint8_t* fStart;
    uint8_t* fOut;
    uint64_t fBits = 0;
    int fCount = 0;
};

// Size of the encoded data for `codeBytes` bytes of codes: the code size
// byte, a length byte per sub-block and the terminator.
size_t DataSize(size_t codeBytes)
{
    return 1 + codeBytes + (codeBytes + 254) / 255 + 1;
}

struct TInput {
    const uint8_t* Pixels;
    const uint8_t* Alternates; // or null
    int Width, Height;
    ptrdiff_t Stride;
    int CodeSize; // 2..8
};

// An encoding in progress, resumable at any pixel: what the table rules fork from.
class TEncoding {
public:
    explicit TEncoding(const TInput& in) : fIn(in)
    {
        // The buffer starts small (most frames compress well) and grows
        // before each row to hold that row's worst case.
        const size_t pixelCount = size_t(in.Width) * size_t(in.Height);
        fCodes.resize(std::min(WorstCase(pixelCount), size_t(1) << 16) + RowWorstCase());
        fWriter = TCodeWriter(fCodes.data());
        fTable = std::make_unique<TStringTable>();
        fTable->Clear();
        fClear = 1 << in.CodeSize;
        fCodeWidth = in.CodeSize + 1;
        fNext = fClear + 2;
        fWriter.Write(fClear, fCodeWidth);
    }

    // Encodes the pixels from where it stands. Restarting (KeepFull false)
    // with a `fork`, the state at the moment the table first fills is copied there,
    // ready to go on under the other rule. False, leaving the data unusable,
    // once the data would be larger than `limit` bytes.
    template <bool WithAlternates, bool KeepFull>
    bool Run(size_t limit, const TLZWEncoder::TProgress& progress, std::unique_ptr<TEncoding>* fork);

    bool Filled() const { return fFilled; }

    std::vector<uint8_t> Finish()
    {
        if (fPrefix >= 0)
            fWriter.Write(fPrefix, fCodeWidth);
        fWriter.Write(fClear + 1, fCodeWidth); // end of information
        const size_t n = fWriter.Flush();
        std::vector<uint8_t> out;
        out.reserve(DataSize(n));
        out.push_back(uint8_t(fIn.CodeSize));
        for (size_t p = 0; p < n; p += 255) {
            const size_t k = std::min<size_t>(255, n - p);
            out.push_back(uint8_t(k));
            out.insert(out.end(), fCodes.begin() + ptrdiff_t(p), fCodes.begin() + ptrdiff_t(p + k));
        }
        out.push_back(0);
        return out;
    }

private:
    // At most one 12-bit code per pixel, plus a clear and a pending code per
    // table restart (one in 3,836 codes at least), the first clear and the
    // end code, and the 4-byte writes.
    static size_t WorstCase(size_t pixels) { return (pixels + 2 * (pixels / 3836 + 1) + 3) * 12 / 8 + 16; }
    size_t RowWorstCase() const { return WorstCase(size_t(fIn.Width)); }
    // Room for the next row's codes; the writer moves along with the buffer.
    void Reserve(TCodeWriter& writer)
    {
        const size_t used = writer.Offset();
        if (fCodes.size() - used >= RowWorstCase() + 8)
            return;
        fCodes.resize(std::max(fCodes.size() * 2, used + RowWorstCase() + 8));
        writer.Rebase(fCodes.data(), used);
    }

    TEncoding(const TEncoding& other)
        : fIn(other.fIn), fCodes(other.fCodes.size() + other.RowWorstCase()),
          fWriter(other.fWriter),
          fTable(std::make_unique<TStringTable>(*other.fTable)), fClear(other.fClear), fCodeWidth(other.fCodeWidth),
          fNext(other.fNext), fPrefix(other.fPrefix), fY(other.fY), fX(other.fX), fFilled(other.fFilled)
    {
        fWriter.Rebase(fCodes.data(), other.fWriter.Offset());
        std::memcpy(fCodes.data(), other.fCodes.data(), other.fWriter.Offset());
    }

    TInput fIn;
    std::vector<uint8_t> fCodes;
    TCodeWriter fWriter{nullptr};
    std::unique_ptr<TStringTable> fTable;
    int fClear = 0, fCodeWidth = 0, fNext = 0;
    int fPrefix = -1;
    int fY = 0, fX = 0; // the next pixel
    bool fFilled = false;
    // KeepWhilePaying: whether the table is full and kept, and the cost of
    // the pixels since the last restart and since the table became full.
    bool fFull = false;
    int64_t fCycleBits = 0, fCyclePixels = 0;
    int64_t fWindowBits = 0, fWindowPixels = 0;
};

template <bool WithAlternates, bool KeepFull>
bool TEncoding::Run(size_t limit, const TLZWEncoder::TProgress& progress, std::unique_ptr<TEncoding>* fork)
{
    const int width = fIn.Width, height = fIn.Height, codeSize = fIn.CodeSize;
    TStringTable& table = *fTable;
    TCodeWriter writer = fWriter;
    const int clear = fClear;
    int codeWidth = fCodeWidth, next = fNext, prefix = fPrefix;
    bool full = fFull;
    int64_t cycleBits = fCycleBits, cyclePixels = fCyclePixels;
    int64_t windowBits = fWindowBits, windowPixels = fWindowPixels;
    constexpr int64_t Window = 6144; // pixels between checks
    // Stores where the encoding stands, the next pixel being (y, x).
    auto save = [&](int y, int x) {
        fWriter = writer;
        fCodeWidth = codeWidth;
        fNext = next;
        fPrefix = prefix;
        fFull = full;
        fCycleBits = cycleBits;
        fCyclePixels = cyclePixels;
        fWindowBits = windowBits;
        fWindowPixels = windowPixels;
        fY = x < width ? y : y + 1;
        fX = x < width ? x : 0;
    };
    auto restart = [&] {
        writer.Write(clear, codeWidth);
        table.Clear();
        codeWidth = codeSize + 1;
        next = clear + 2;
        prefix = -1;
        full = false;
        cycleBits = cyclePixels = 0;
    };

    for (int y = fY, x0 = fX; y < height; ++y, x0 = 0) {
        const uint8_t* row = fIn.Pixels + ptrdiff_t(y) * fIn.Stride;
        [[maybe_unused]] const uint8_t* alternateRow =
            WithAlternates ? fIn.Alternates + ptrdiff_t(y) * fIn.Stride : nullptr;
        Reserve(writer);
        for (int x = x0; x < width; ++x) {
            const int c = row[x];
            if constexpr (KeepFull) {
                ++cyclePixels;
                ++windowPixels;
            }
            if (prefix < 0) {
                prefix = c;
                continue;
            }
            const uint32_t key = (uint32_t(prefix) << 8) | uint32_t(c);
            uint32_t slot;
            const int found = table.Find(key, slot);
            if (found >= 0) {
                prefix = found;
                continue;
            }
            if constexpr (WithAlternates) {
                // The other way of writing this pixel may continue the string.
                if (const int a = alternateRow[x]; a != c) {
                    uint32_t unused;
                    if (const int other = table.Find((uint32_t(prefix) << 8) | uint32_t(a), unused); other >= 0) {
                        prefix = other;
                        continue;
                    }
                }
            }
            writer.Write(prefix, codeWidth);
            if constexpr (KeepFull) {
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
            table.Insert(slot, key, code);
            if (code == (1 << codeWidth))
                ++codeWidth;
            prefix = c;
            if (code == 4094) {
                if constexpr (KeepFull) {
                    fFilled = true;
                    full = true;
                    windowBits = 0;
                    windowPixels = 1;
                } else {
                    if (fork && !fFilled) {
                        // The other rule goes on from here with the table kept.
                        save(y, x + 1);
                        fork->reset(new TEncoding(*this));
                        TEncoding& other = **fork;
                        other.fFilled = true;
                        other.fFull = true;
                        other.fCyclePixels = int64_t(y) * width + x + 1;
                        other.fCycleBits = int64_t(writer.BitsWritten()) - (codeSize + 1);
                        other.fWindowBits = 0;
                        other.fWindowPixels = 1;
                    }
                    fFilled = true;
                    writer.Write(prefix, codeWidth);
                    restart();
                }
            }
        }
        if (progress)
            progress(int((int64_t(y) + 1) * 100 / height));
        if (DataSize(writer.Bytes()) > limit)
            return false;
    }
    save(height, 0);
    return true;
}

template <bool KeepFull>
bool Run(TEncoding& e, const TInput& in, size_t limit, const TLZWEncoder::TProgress& progress = {},
         std::unique_ptr<TEncoding>* fork = nullptr)
{
    return in.Alternates ? e.Run<true, KeepFull>(limit, progress, fork)
                         : e.Run<false, KeepFull>(limit, progress, fork);
}

TInput Input(const uint8_t* pixels, const uint8_t* alternates, int width, int height, ptrdiff_t stride,
             int codeSize)
{
    return {pixels, alternates, std::max(width, 0), std::max(height, 0), stride, std::clamp(codeSize, 2, 8)};
}

} // namespace

std::vector<uint8_t> TLZWEncoder::Encode(const uint8_t* pixels, int width, int height, ptrdiff_t stride, int codeSize,
                                         const TProgress& progress)
{
    const TInput in = Input(pixels, nullptr, width, height, stride, codeSize);
    TEncoding e(in);
    Run<false>(e, in, SIZE_MAX, progress);
    return e.Finish();
}

TLZWEncoder::TResult TLZWEncoder::EncodeWithRule(const uint8_t* pixels, const uint8_t* alternates, int width,
                                                 int height, ptrdiff_t stride, int codeSize, TTableRule rule)
{
    const TInput in = Input(pixels, alternates, width, height, stride, codeSize);
    TEncoding e(in);
    if (rule == TTableRule::Restart)
        Run<false>(e, in, SIZE_MAX);
    else
        Run<true>(e, in, SIZE_MAX);
    return {e.Finish(), e.Filled()};
}

std::optional<std::vector<uint8_t>> TLZWEncoder::EncodeSmaller(const uint8_t* pixels, const uint8_t* alternates,
                                                               int width, int height, ptrdiff_t stride, int codeSize,
                                                               size_t limit)
{
    const TInput in = Input(pixels, alternates, width, height, stride, codeSize);
    TEncoding restarting(in);
    std::unique_ptr<TEncoding> keeping; // the same up to where the table fills
    std::optional<std::vector<uint8_t>> best;
    if (Run<false>(restarting, in, limit, {}, &keeping)) {
        best = restarting.Finish();
        if (best->size() > limit)
            best.reset();
    }
    if (keeping) {
        // The kept table is taken only when it is strictly smaller.
        const size_t keptLimit = best ? best->size() - 1 : limit;
        if (Run<true>(*keeping, in, keptLimit)) {
            std::vector<uint8_t> kept = keeping->Finish();
            if (kept.size() <= keptLimit)
                best = std::move(kept);
        }
    }
    return best;
}
