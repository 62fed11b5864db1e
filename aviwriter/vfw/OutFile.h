#pragma once
// A file written front to back with patches at earlier positions. Every
// failure throws EVfwError(AVIERR_FILEWRITE); opening throws AVIERR_FILEOPEN.
#include "aviwriter/vfw/VfwTypes.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace vfw {

class TOutFile {
public:
    explicit TOutFile(const std::string& path);
    ~TOutFile();
    TOutFile(const TOutFile&) = delete;
    TOutFile& operator=(const TOutFile&) = delete;

    void Write(const void* data, size_t size);
    void Write(const std::vector<uint8_t>& bytes) { Write(bytes.data(), bytes.size()); }
    void U32(uint32_t v);
    void Code(FourCC c) { U32(c); }
    void Zeros(size_t n);
    // Overwrites 4 bytes at an earlier position and returns to the end.
    void PatchU32(uint64_t at, uint32_t v);
    void PatchBytes(uint64_t at, const std::vector<uint8_t>& bytes);
    uint64_t Position() const { return fPos; }
    // Flushes and closes; throws when the data did not reach the file.
    void Close();

private:
    std::FILE* fFile = nullptr;
    uint64_t fPos = 0;
};

} // namespace vfw
