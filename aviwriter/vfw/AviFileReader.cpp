#include "aviwriter/vfw/AviFileReader.h"

#include "aviwriter/vfw/ByteWriter.h"

#include <algorithm>

namespace vfw {

namespace {

constexpr uint32_t kMaxHeaderChunk = 1 << 20;
constexpr uint32_t kMaxFrames = 10'000'000;

uint32_t Le32(const uint8_t* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

// "00db", "01dc" ...: the stream number of a data chunk, or -1.
int StreamOf(FourCC id)
{
    const char a = char(id & 0xFF), b = char((id >> 8) & 0xFF);
    if (a < '0' || a > '9' || b < '0' || b > '9')
        return -1;
    return (a - '0') * 10 + (b - '0');
}

} // namespace

TAviFileReader::TAviFileReader(const std::string& path)
{
    fFile = std::fopen(path.c_str(), "rb");
    if (!fFile)
        throw EVfwError(AVIERR_FILEOPEN);
    if (fseeko(fFile, 0, SEEK_END) != 0) {
        std::fclose(fFile);
        throw EVfwError(AVIERR_FILEREAD);
    }
    fSize = uint64_t(ftello(fFile));
    try {
        uint8_t head[12];
        if (!ReadAt(0, head, 12) || Le32(head) != MakeFourCC("RIFF") || Le32(head + 8) != MakeFourCC("AVI "))
            throw EVfwError(AVIERR_BADFORMAT);
        const uint64_t end = std::min<uint64_t>(fSize, 8 + uint64_t(Le32(head + 4)));
        uint64_t pos = 12, movi = 0, moviEnd = 0;
        bool indexed = false;
        while (pos + 8 <= end) {
            uint8_t ch[12];
            if (!ReadAt(pos, ch, 8))
                throw EVfwError(AVIERR_FILEREAD);
            const FourCC id = Le32(ch);
            const uint64_t size = Le32(ch + 4);
            const uint64_t next = pos + 8 + size + (size & 1);
            if (pos + 8 + size > end)
                throw EVfwError(AVIERR_BADFORMAT);
            if (id == MakeFourCC("LIST") && size >= 4) {
                ReadAt(pos + 8, ch + 8, 4);
                if (Le32(ch + 8) == MakeFourCC("hdrl"))
                    ParseHeaders(pos + 12, pos + 8 + size);
                else if (Le32(ch + 8) == MakeFourCC("movi")) {
                    movi = pos + 8;
                    moviEnd = pos + 8 + size;
                }
            } else if (id == MakeFourCC("idx1") && movi) {
                ReadIndex(pos + 8, size, movi, moviEnd);
                indexed = true;
            }
            pos = next;
        }
        if (!fHasVideo)
            throw EVfwError(AVIERR_NODATA);
        if (!indexed && movi)
            ScanMovie(movi + 4, moviEnd);
    } catch (...) {
        std::fclose(fFile);
        throw;
    }
}

TAviFileReader::~TAviFileReader()
{
    std::fclose(fFile);
}

bool TAviFileReader::ReadAt(uint64_t offset, void* data, size_t size) const
{
    if (offset > fSize || size > fSize - offset)
        return false;
    return fseeko(fFile, off_t(offset), SEEK_SET) == 0 && std::fread(data, 1, size, fFile) == size;
}

const TAviStreamInfo& TAviFileReader::VideoInfo() const
{
    if (!fHasVideo)
        throw EVfwError(AVIERR_NODATA);
    return fVideoInfo;
}

void TAviFileReader::ParseHeaders(uint64_t begin, uint64_t end)
{
    uint64_t pos = begin;
    while (pos + 8 <= end) {
        uint8_t ch[12];
        if (!ReadAt(pos, ch, 8))
            throw EVfwError(AVIERR_FILEREAD);
        const FourCC id = Le32(ch);
        const uint32_t size = Le32(ch + 4);
        if (pos + 8 + size > end)
            throw EVfwError(AVIERR_BADFORMAT);
        if (id == MakeFourCC("LIST") && size >= 4) {
            ReadAt(pos + 8, ch + 8, 4);
            if (Le32(ch + 8) == MakeFourCC("strl")) {
                ParseHeaders(pos + 12, pos + 8 + size);
                ++fStreamNumber;
            }
        } else if ((id == MakeFourCC("strh") || id == MakeFourCC("strf")) && size <= kMaxHeaderChunk) {
            std::vector<uint8_t> data(size);
            if (!ReadAt(pos + 8, data.data(), size))
                throw EVfwError(AVIERR_FILEREAD);
            if (id == MakeFourCC("strh")) {
                TByteReader r(data.data(), data.size());
                TAviStreamInfo info;
                info.fccType = r.U32();
                info.fccHandler = r.U32();
                info.dwFlags = r.U32();
                info.wPriority = r.U16();
                info.wLanguage = r.U16();
                info.dwInitialFrames = r.U32();
                info.dwScale = r.U32();
                info.dwRate = r.U32();
                info.dwStart = r.U32();
                info.dwLength = r.U32();
                info.dwSuggestedBufferSize = r.U32();
                info.dwQuality = r.U32();
                info.dwSampleSize = r.U32();
                if (!r.Ok())
                    throw EVfwError(AVIERR_BADFORMAT);
                if (info.fccType == streamtypeVIDEO && !fHasVideo) {
                    fHasVideo = true;
                    fVideoNumber = fStreamNumber;
                    fVideoInfo = info;
                }
            } else if (fHasVideo && fVideoNumber == fStreamNumber && fVideoFormat.empty()) {
                fVideoFormat = std::move(data);
            }
        }
        pos += 8 + uint64_t(size) + (size & 1);
    }
}

void TAviFileReader::ReadIndex(uint64_t begin, uint64_t size, uint64_t movi, uint64_t moviEnd)
{
    const uint64_t count = size / 16;
    std::vector<uint8_t> entry(16);
    // Offsets are absolute in some files and count from "movi" in others: the
    // first entry tells which.
    uint64_t base = movi;
    for (uint64_t i = 0; i < count && fFrames.size() < kMaxFrames; ++i) {
        if (!ReadAt(begin + 16 * i, entry.data(), 16))
            throw EVfwError(AVIERR_FILEREAD);
        const FourCC id = Le32(entry.data());
        if (StreamOf(id) != fVideoNumber)
            continue;
        const uint64_t offset = Le32(entry.data() + 8);
        const uint32_t length = Le32(entry.data() + 12);
        if (fFrames.empty()) {
            uint8_t probe[4];
            if (ReadAt(offset, probe, 4) && Le32(probe) == id && offset >= movi)
                base = 0;
        }
        const uint64_t data = base + offset + 8;
        if (data + length > moviEnd)
            throw EVfwError(AVIERR_BADFORMAT);
        fFrames.push_back({data, length});
    }
}

void TAviFileReader::ScanMovie(uint64_t begin, uint64_t end)
{
    uint64_t pos = begin;
    while (pos + 8 <= end && fFrames.size() < kMaxFrames) {
        uint8_t ch[8];
        if (!ReadAt(pos, ch, 8))
            throw EVfwError(AVIERR_FILEREAD);
        const uint32_t size = Le32(ch + 4);
        if (pos + 8 + size > end)
            throw EVfwError(AVIERR_BADFORMAT);
        if (StreamOf(Le32(ch)) == fVideoNumber)
            fFrames.push_back({pos + 8, size});
        pos += 8 + uint64_t(size) + (size & 1);
    }
}

std::vector<uint8_t> TAviFileReader::ReadFrame(int index) const
{
    const TChunk& c = fFrames.at(size_t(index));
    std::vector<uint8_t> data(c.Size);
    if (!ReadAt(c.Offset, data.data(), c.Size))
        throw EVfwError(AVIERR_FILEREAD);
    return data;
}

} // namespace vfw
