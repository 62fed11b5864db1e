#include "aviwriter/vfw/OutFile.h"

namespace vfw {

TOutFile::TOutFile(const std::string& path)
{
    fFile = std::fopen(path.c_str(), "wb");
    if (!fFile)
        throw EVfwError(AVIERR_FILEOPEN);
    std::setvbuf(fFile, nullptr, _IOFBF, 1 << 20);
}

TOutFile::~TOutFile()
{
    if (fFile)
        std::fclose(fFile);
}

void TOutFile::Write(const void* data, size_t size)
{
    if (!fFile || (size && std::fwrite(data, 1, size, fFile) != size))
        throw EVfwError(AVIERR_FILEWRITE);
    fPos += size;
}

void TOutFile::U32(uint32_t v)
{
    const uint8_t b[4] = {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
    Write(b, 4);
}

void TOutFile::Zeros(size_t n)
{
    static const uint8_t zeros[4096] = {};
    while (n) {
        const size_t part = n < sizeof zeros ? n : sizeof zeros;
        Write(zeros, part);
        n -= part;
    }
}

void TOutFile::PatchU32(uint64_t at, uint32_t v)
{
    const uint8_t b[4] = {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
    PatchBytes(at, std::vector<uint8_t>(b, b + 4));
}

void TOutFile::PatchBytes(uint64_t at, const std::vector<uint8_t>& bytes)
{
    if (!fFile || fseeko(fFile, off_t(at), SEEK_SET) != 0
        || (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), fFile) != bytes.size())
        || fseeko(fFile, off_t(fPos), SEEK_SET) != 0)
        throw EVfwError(AVIERR_FILEWRITE);
}

void TOutFile::Close()
{
    if (!fFile)
        return;
    const bool ok = std::fflush(fFile) == 0 && !std::ferror(fFile);
    const bool closed = std::fclose(fFile) == 0;
    fFile = nullptr;
    if (!ok || !closed)
        throw EVfwError(AVIERR_FILEWRITE);
}

} // namespace vfw
