#pragma once
// TWaveFile: a PCM wave file opened as an audio stream, as the platform's wave
// file handler offers it: samples are blocks of nBlockAlign bytes, timed at
// nAvgBytesPerSec / nBlockAlign per second.
//
// Only what the file holds is trusted after checking: the chunks are walked
// within the file's size, the format must be consistent PCM, and the data
// chunk must lie wholly inside the file. Failures throw EVfwError:
// AVIERR_FILEOPEN (cannot open), AVIERR_BADFORMAT (not a wave file, not PCM,
// inconsistent or truncated), AVIERR_FILEREAD (a read failed).
#include "aviwriter/vfw/VfwTypes.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vfw {

class TWaveFile {
public:
    explicit TWaveFile(const std::string& path);
    // The same from bytes in memory (tests and fuzzing).
    static TWaveFile FromBytes(std::vector<uint8_t> bytes);
    ~TWaveFile();
    TWaveFile(TWaveFile&&) noexcept;
    TWaveFile& operator=(TWaveFile&&) noexcept;

    const TWaveFormat& Format() const { return fFormat; }
    TAviStreamInfo StreamInfo() const;
    uint32_t SampleCount() const { return fSamples; }
    // Samples [start, start + count) cut to what the file has; returns their bytes.
    std::vector<uint8_t> Read(uint32_t start, uint32_t count) const;

private:
    class TSource;
    class TFileSource;
    class TMemorySource;
    explicit TWaveFile(std::unique_ptr<TSource> source);
    void Parse();

    std::unique_ptr<TSource> fSource;
    TWaveFormat fFormat;
    uint64_t fDataOffset = 0;
    uint32_t fSamples = 0;
};

} // namespace vfw
