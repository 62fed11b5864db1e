#pragma once
// Little-endian building and reading of byte blocks (headers, chunks). The
// reader's error is sticky: reading past the end gives zeros and Ok() false.
#include "aviwriter/vfw/VfwTypes.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vfw {

class TByteWriter {
public:
    void U8(uint8_t v) { fBytes.push_back(v); }
    void U16(uint16_t v)
    {
        U8(uint8_t(v));
        U8(uint8_t(v >> 8));
    }
    void U32(uint32_t v)
    {
        U16(uint16_t(v));
        U16(uint16_t(v >> 16));
    }
    void I32(int32_t v) { U32(uint32_t(v)); }
    void U64(uint64_t v)
    {
        U32(uint32_t(v));
        U32(uint32_t(v >> 32));
    }
    void Code(FourCC c) { U32(c); }
    void Zeros(size_t n) { fBytes.insert(fBytes.end(), n, 0); }
    void Append(const std::vector<uint8_t>& b) { fBytes.insert(fBytes.end(), b.begin(), b.end()); }
    // Overwrites 4 bytes at a position already written.
    void PatchU32(size_t at, uint32_t v)
    {
        for (int i = 0; i < 4; ++i)
            fBytes[at + size_t(i)] = uint8_t(v >> (8 * i));
    }
    size_t Size() const { return fBytes.size(); }
    std::vector<uint8_t> Take() { return std::move(fBytes); }

private:
    std::vector<uint8_t> fBytes;
};

class TByteReader {
public:
    TByteReader(const uint8_t* data, size_t size) : fData(data), fSize(size) {}
    uint8_t U8() { return fPos < fSize ? fData[fPos++] : Fail(); }
    uint16_t U16()
    {
        const uint16_t lo = U8();
        return uint16_t(lo | uint16_t(U8()) << 8);
    }
    uint32_t U32()
    {
        const uint32_t lo = U16();
        return lo | uint32_t(U16()) << 16;
    }
    int32_t I32() { return int32_t(U32()); }
    void Skip(size_t n) { fPos = n <= fSize - fPos ? fPos + n : (fOk = false, fSize); }
    size_t Remaining() const { return fSize - fPos; }
    size_t Position() const { return fPos; }
    bool Ok() const { return fOk; }

private:
    uint8_t Fail()
    {
        fOk = false;
        return 0;
    }
    const uint8_t* fData;
    size_t fSize;
    size_t fPos = 0;
    bool fOk = true;
};

} // namespace vfw
