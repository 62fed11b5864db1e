#include "aviwriter/vfw/WaveFile.h"

#include "aviwriter/vfw/ByteWriter.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace vfw {

namespace {

constexpr uint32_t kMaxChannels = 32;
constexpr uint32_t kMaxRate = 1'000'000;

uint32_t Le32(const uint8_t* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

} // namespace

class TWaveFile::TSource {
public:
    virtual ~TSource() = default;
    virtual uint64_t Size() const = 0;
    virtual bool ReadAt(uint64_t offset, void* data, size_t size) const = 0;
};

class TWaveFile::TFileSource final : public TSource {
public:
    explicit TFileSource(const std::string& path) : fFile(std::fopen(path.c_str(), "rb"))
    {
        if (!fFile)
            throw EVfwError(AVIERR_FILEOPEN);
        if (fseeko(fFile, 0, SEEK_END) != 0 || ftello(fFile) < 0) {
            std::fclose(fFile);
            throw EVfwError(AVIERR_FILEREAD);
        }
        fSize = uint64_t(ftello(fFile));
    }
    ~TFileSource() override { std::fclose(fFile); }
    uint64_t Size() const override { return fSize; }
    bool ReadAt(uint64_t offset, void* data, size_t size) const override
    {
        if (offset > fSize || size > fSize - offset)
            return false;
        return fseeko(fFile, off_t(offset), SEEK_SET) == 0 && std::fread(data, 1, size, fFile) == size;
    }

private:
    std::FILE* fFile;
    uint64_t fSize = 0;
};

class TWaveFile::TMemorySource final : public TSource {
public:
    explicit TMemorySource(std::vector<uint8_t> bytes) : fBytes(std::move(bytes)) {}
    uint64_t Size() const override { return fBytes.size(); }
    bool ReadAt(uint64_t offset, void* data, size_t size) const override
    {
        if (offset > fBytes.size() || size > fBytes.size() - offset)
            return false;
        if (size)
            std::memcpy(data, fBytes.data() + offset, size);
        return true;
    }

private:
    std::vector<uint8_t> fBytes;
};

TWaveFile::TWaveFile(const std::string& path) : TWaveFile(std::make_unique<TFileSource>(path)) {}

TWaveFile::TWaveFile(std::unique_ptr<TSource> source) : fSource(std::move(source))
{
    Parse();
}

TWaveFile TWaveFile::FromBytes(std::vector<uint8_t> bytes)
{
    return TWaveFile(std::make_unique<TMemorySource>(std::move(bytes)));
}

TWaveFile::~TWaveFile() = default;
TWaveFile::TWaveFile(TWaveFile&&) noexcept = default;
TWaveFile& TWaveFile::operator=(TWaveFile&&) noexcept = default;

void TWaveFile::Parse()
{
    const uint64_t fileSize = fSource->Size();
    uint8_t head[12];
    if (!fSource->ReadAt(0, head, 12) || Le32(head) != MakeFourCC("RIFF") || Le32(head + 8) != MakeFourCC("WAVE"))
        throw EVfwError(AVIERR_BADFORMAT);
    // A RIFF size beyond the file is taken as the file's end; the data chunk
    // itself must still be complete.
    const uint64_t end = std::min<uint64_t>(fileSize, 8 + uint64_t(Le32(head + 4)));
    bool haveFormat = false, haveData = false;
    uint64_t dataSize = 0;
    for (uint64_t pos = 12; pos + 8 <= end && !(haveFormat && haveData);) {
        uint8_t ch[8];
        if (!fSource->ReadAt(pos, ch, 8))
            throw EVfwError(AVIERR_FILEREAD);
        const FourCC id = Le32(ch);
        const uint64_t size = Le32(ch + 4);
        if (id == MakeFourCC("fmt ") && !haveFormat) {
            if (size < 16 || size > end - pos - 8)
                throw EVfwError(AVIERR_BADFORMAT);
            uint8_t f[16];
            if (!fSource->ReadAt(pos + 8, f, 16))
                throw EVfwError(AVIERR_FILEREAD);
            TByteReader r(f, 16);
            fFormat.wFormatTag = r.U16();
            fFormat.nChannels = r.U16();
            fFormat.nSamplesPerSec = r.U32();
            fFormat.nAvgBytesPerSec = r.U32();
            fFormat.nBlockAlign = r.U16();
            fFormat.wBitsPerSample = r.U16();
            haveFormat = true;
        } else if (id == MakeFourCC("data") && !haveData) {
            if (size > end - pos - 8)
                throw EVfwError(AVIERR_BADFORMAT); // truncated
            fDataOffset = pos + 8;
            dataSize = size;
            haveData = true;
        }
        pos += 8 + size + (size & 1);
    }
    if (!haveFormat || !haveData)
        throw EVfwError(AVIERR_BADFORMAT);
    const TWaveFormat& f = fFormat;
    const uint32_t bits = f.wBitsPerSample;
    if (f.wFormatTag != WAVE_FORMAT_PCM || f.nChannels == 0 || f.nChannels > kMaxChannels
        || (bits != 8 && bits != 16 && bits != 24 && bits != 32) || f.nSamplesPerSec == 0
        || f.nSamplesPerSec > kMaxRate || f.nBlockAlign != f.nChannels * (bits / 8)
        || f.nAvgBytesPerSec != f.nSamplesPerSec * f.nBlockAlign)
        throw EVfwError(AVIERR_BADFORMAT);
    fSamples = uint32_t(dataSize / f.nBlockAlign);
}

TAviStreamInfo TWaveFile::StreamInfo() const
{
    TAviStreamInfo info;
    info.fccType = streamtypeAUDIO;
    info.fccHandler = 0;
    info.dwScale = fFormat.nBlockAlign;
    info.dwRate = fFormat.nAvgBytesPerSec;
    info.dwLength = fSamples;
    info.dwSampleSize = fFormat.nBlockAlign;
    // About a second of sound per chunk.
    info.dwSuggestedBufferSize = fFormat.nAvgBytesPerSec;
    info.dwQuality = 0xFFFFFFFF;
    return info;
}

std::vector<uint8_t> TWaveFile::Read(uint32_t start, uint32_t count) const
{
    if (start >= fSamples)
        return {};
    count = std::min(count, fSamples - start);
    std::vector<uint8_t> data(size_t(count) * fFormat.nBlockAlign);
    if (!fSource->ReadAt(fDataOffset + uint64_t(start) * fFormat.nBlockAlign, data.data(), data.size()))
        throw EVfwError(AVIERR_FILEREAD);
    return data;
}

} // namespace vfw
