#pragma once
// TAviFileReader: an AVI file opened for reading its first video stream, as
// the two-pass export reads back the frames it wrote. Every size in the file
// is checked against the file: a damaged file throws EVfwError.
#include "aviwriter/vfw/VfwTypes.h"

#include <cstdio>
#include <string>
#include <vector>

namespace vfw {

class TAviFileReader {
public:
    explicit TAviFileReader(const std::string& path); // AVIERR_FILEOPEN, AVIERR_BADFORMAT
    ~TAviFileReader();
    TAviFileReader(const TAviFileReader&) = delete;
    TAviFileReader& operator=(const TAviFileReader&) = delete;

    // The video stream: AVIERR_NODATA when the file has none.
    const TAviStreamInfo& VideoInfo() const;
    const std::vector<uint8_t>& VideoFormat() const { return fVideoFormat; }
    int FrameCount() const { return int(fFrames.size()); }
    // The data of one frame: AVIERR_FILEREAD when it cannot be read.
    std::vector<uint8_t> ReadFrame(int index) const;

private:
    struct TChunk {
        uint64_t Offset; // of the data
        uint32_t Size;
    };
    bool ReadAt(uint64_t offset, void* data, size_t size) const;
    void ParseHeaders(uint64_t begin, uint64_t end);
    void ReadIndex(uint64_t begin, uint64_t size, uint64_t movi, uint64_t moviEnd);
    void ScanMovie(uint64_t begin, uint64_t end);

    std::FILE* fFile = nullptr;
    uint64_t fSize = 0;
    bool fHasVideo = false;
    int fVideoNumber = -1;
    int fStreamNumber = 0;
    TAviStreamInfo fVideoInfo;
    std::vector<uint8_t> fVideoFormat;
    std::vector<TChunk> fFrames;
};

} // namespace vfw
