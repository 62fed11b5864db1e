#pragma once
// TAviFileWriter: an AVI file being written, with its streams (video, audio).
// Chunks go to the file as they come; the headers and the index are written
// when the file is closed, into room kept free at its start.
//
// Up to RiffLimit bytes the file is a plain AVI ("RIFF AVI " with an "idx1"
// index). Past it the file continues in "RIFF AVIX" parts with OpenDML
// indexes ("indx" in each stream header, "ix##" in each part, "dmlh" with the
// total frame count), so that no size field overflows however long it gets.
#include "aviwriter/vfw/OutFile.h"
#include "aviwriter/vfw/VfwTypes.h"

#include <memory>
#include <string>
#include <vector>

namespace vfw {

class TAviFileWriter {
public:
    // Creates (or empties) the file: throws EVfwError(AVIERR_FILEOPEN).
    explicit TAviFileWriter(const std::string& path);
    // Closes the file if Close was not called; errors are then lost.
    ~TAviFileWriter();
    TAviFileWriter(const TAviFileWriter&) = delete;
    TAviFileWriter& operator=(const TAviFileWriter&) = delete;

    // Adds a stream and returns its number (0, 1 ...); at most kMaxStreams.
    int CreateStream(const TAviStreamInfo& info);
    int StreamCount() const { return int(fStreams.size()); }
    const TAviStreamInfo& StreamInfo(int stream) const;
    void SetFormat(int stream, const std::vector<uint8_t>& format);
    const std::vector<uint8_t>& Format(int stream) const;
    // Appends one chunk holding `samples` samples of the stream.
    void Write(int stream, const void* data, uint32_t size, uint32_t samples, bool keyFrame);

    // Writes headers and indexes and closes the file. Throws AVIERR_FILEWRITE.
    void Close();
    bool IsOpen() const { return fOut != nullptr; }

    // Part size after which the next chunk opens a new RIFF part.
    uint64_t RiffLimit = uint64_t(1) << 30;
    static constexpr int kMaxStreams = 4;

private:
    struct TIndexEntry {
        uint64_t Offset; // of the chunk header
        uint32_t Size;   // of the data
        uint32_t Flags;
    };
    struct TSuperEntry {
        uint64_t Offset;
        uint32_t Size;
        uint32_t Duration;
    };
    struct TStream {
        TAviStreamInfo Info;
        std::vector<uint8_t> Format;
        FourCC ChunkId = 0;
        uint32_t MaxChunk = 0;
        uint64_t Samples = 0;
        uint32_t FirstPartFrames = 0;        // chunks in the first part
        std::vector<TIndexEntry> PartIndex;  // chunks of the current part
        std::vector<TSuperEntry> SuperIndex; // ix## chunks written so far
    };

    void StartPart();
    void EndPart(bool last);
    void WriteStandardIndex(int stream);
    std::vector<uint8_t> Headers() const;

    std::unique_ptr<TOutFile> fOut;
    std::vector<TStream> fStreams;
    std::vector<TIndexEntry> fIdx1; // first part, every stream, in file order
    std::vector<int> fIdx1Stream;
    uint64_t fPartStart = 0;     // position of the part's "RIFF"
    uint64_t fMoviStart = 0;     // position of the part's "LIST" movi
    int fParts = 0;
    uint32_t fFirstPartSize = 0;
    bool fOpenDml = false;
};

} // namespace vfw
