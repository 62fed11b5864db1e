#pragma once
// Types of the AVI file library: four-character codes, the bitmap and wave
// format headers as files hold them, stream descriptions, and the library's
// error codes (the values Video for Windows gives them).
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace vfw {

using FourCC = uint32_t;

// 'abcd' in file order: the first character in the low byte.
constexpr FourCC MakeFourCC(const char (&s)[5])
{
    return FourCC(uint8_t(s[0])) | FourCC(uint8_t(s[1])) << 8 | FourCC(uint8_t(s[2])) << 16
        | FourCC(uint8_t(s[3])) << 24;
}
// Up to four characters of text, padded with spaces.
FourCC FourCCFromText(const std::string& text);
// The four characters in memory order (zero bytes kept as they are).
std::string FourCCText(FourCC code);

constexpr FourCC streamtypeVIDEO = MakeFourCC("vids");
constexpr FourCC streamtypeAUDIO = MakeFourCC("auds");
constexpr FourCC ICTYPE_VIDEO = MakeFourCC("vidc");

// Error codes: MAKE_SCODE(SEVERITY_ERROR, FACILITY_ITF, 0x4000 + n).
enum : uint32_t {
    AVIERR_UNSUPPORTED = 0x80044065,
    AVIERR_BADFORMAT = 0x80044066,
    AVIERR_MEMORY = 0x80044067,
    AVIERR_INTERNAL = 0x80044068,
    AVIERR_BADPARAM = 0x8004406A,
    AVIERR_BADSIZE = 0x8004406B,
    AVIERR_FILEREAD = 0x8004406D,
    AVIERR_FILEWRITE = 0x8004406E,
    AVIERR_FILEOPEN = 0x8004406F,
    AVIERR_COMPRESSOR = 0x80044070,
    AVIERR_NOCOMPRESSOR = 0x80044071,
    AVIERR_READONLY = 0x80044072,
    AVIERR_NODATA = 0x80044073,
    AVIERR_CANTCOMPRESS = 0x80044075,
    AVIERR_ERROR = 0x800440C7,
    AVIERR_CLASSNOTREG = 0x80040154, // REGDB_E_CLASSNOTREG: no handler for the file type
};

// A failure of the library, carrying its error code.
class EVfwError : public std::runtime_error {
public:
    explicit EVfwError(uint32_t code);
    uint32_t Code() const { return fCode; }

private:
    uint32_t fCode;
};

// "8004406F": the code as 8 upper-case hex digits.
std::string HexCode(uint32_t code);

constexpr uint32_t BI_RGB = 0;

// BITMAPINFOHEADER (40 bytes in files).
struct TBitmapInfoHeader {
    uint32_t biSize = 40;
    int32_t biWidth = 0;
    int32_t biHeight = 0;
    uint16_t biPlanes = 1;
    uint16_t biBitCount = 0;
    uint32_t biCompression = BI_RGB;
    uint32_t biSizeImage = 0;
    int32_t biXPelsPerMeter = 0;
    int32_t biYPelsPerMeter = 0;
    uint32_t biClrUsed = 0;
    uint32_t biClrImportant = 0;
};
constexpr uint32_t kBitmapInfoHeaderSize = 40;

// A video format: the header and the palette (0x00RRGGBB entries) after it.
struct TBitmapFormat {
    TBitmapInfoHeader Header;
    std::vector<uint32_t> Palette;
    std::vector<uint8_t> Bytes() const; // as a file holds it
    static TBitmapFormat FromBytes(const std::vector<uint8_t>& bytes); // AVIERR_BADFORMAT when short
};

// Bytes of one uncompressed row, rounded up to 4 bytes.
constexpr int64_t DibStride(int64_t width, int bits) { return ((width * bits + 31) / 32) * 4; }

constexpr uint16_t WAVE_FORMAT_PCM = 1;

// WAVEFORMATEX (the first 16 bytes are PCMWAVEFORMAT).
struct TWaveFormat {
    uint16_t wFormatTag = WAVE_FORMAT_PCM;
    uint16_t nChannels = 0;
    uint32_t nSamplesPerSec = 0;
    uint32_t nAvgBytesPerSec = 0;
    uint16_t nBlockAlign = 0;
    uint16_t wBitsPerSample = 0;
    std::vector<uint8_t> Bytes() const; // 18 bytes, cbSize 0
};

struct TRect32 {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
};

// AVISTREAMINFO: what a stream is and how its samples are timed
// (rate / scale samples per second).
struct TAviStreamInfo {
    FourCC fccType = 0;
    FourCC fccHandler = 0;
    uint32_t dwFlags = 0;
    uint32_t dwCaps = 0;
    uint16_t wPriority = 0;
    uint16_t wLanguage = 0;
    uint32_t dwScale = 1;
    uint32_t dwRate = 1;
    uint32_t dwStart = 0;
    uint32_t dwLength = 0;
    uint32_t dwInitialFrames = 0;
    uint32_t dwSuggestedBufferSize = 0;
    uint32_t dwQuality = 0xFFFFFFFF;
    uint32_t dwSampleSize = 0;
    TRect32 rcFrame;
    std::string szName;
};

constexpr uint32_t AVIIF_KEYFRAME = 0x10;

// AVICOMPRESSOPTIONS: how a video stream is compressed when saved.
constexpr uint32_t AVICOMPRESSF_KEYFRAMES = 0x4;
constexpr uint32_t AVICOMPRESSF_VALID = 0x8;
struct TAviCompressOptions {
    FourCC fccType = 0;
    FourCC fccHandler = 0;
    uint32_t dwKeyFrameEvery = 0;
    uint32_t dwQuality = 0;
    uint32_t dwFlags = 0;
    std::vector<uint8_t> lpFormat; // the format the compressor is given
};

} // namespace vfw
