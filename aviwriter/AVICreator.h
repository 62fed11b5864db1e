#pragma once
// TAVICreator: the engine's own writer of uncompressed AVI files, one video
// stream of full frames ("00db" chunks) with an "idx1" index, written straight
// to the file as frames come.
//
// Failures are reported only as false results: any write failure, and a frame
// past kMaxFrames, close the file and delete it, and the writer then refuses
// further frames.
#include "aviwriter/AviBitmap.h"
#include "aviwriter/vfw/OutFile.h"
#include "com/BitmapHandle.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace avi {

class TAVICreator {
public:
    TAVICreator() = default;
    ~TAVICreator(); // closes an open file
    TAVICreator(const TAVICreator&) = delete;
    TAVICreator& operator=(const TAVICreator&) = delete;

    // Needs a bitmap of at least 1 x 1 with even width and height. Creates the
    // file and writes its headers; frames last frameTime ms.
    bool Open(const std::string& fileName, HBITMAP bitmap, int32_t frameTime);
    // Appends a frame. One of another size, depth or palette than the first is
    // first stretched into the first frame's format.
    bool AddFrame(HBITMAP bitmap);
    // Writes the index and the sizes the headers wait for, and closes.
    bool Close();
    bool IsOpen() const { return fOut != nullptr; }
    int FrameCount() const { return int(fIndex.size()); }

    static constexpr int kMaxFrames = 1'000'000;

private:
    struct TIndexEntry {
        uint32_t Offset;
        uint32_t Size;
    };
    bool Fail();
    void WriteFrame(const TAviBitmap& frame);

    std::unique_ptr<vfw::TOutFile> fOut;
    std::string fFileName;
    int32_t fFrameTime = 0;
    std::vector<TIndexEntry> fIndex;
    uint64_t fFrameBytes = 0;  // data bytes of all frames
    uint64_t fSinceJunk = 0;   // bytes written since the last JUNK chunk
    uint64_t fLastJunk = 0;    // position of the last JUNK chunk
    uint64_t fMoviList = 0;    // position of the movie list
    int fWidth = 0, fHeight = 0, fBits = 0;
    std::vector<uint32_t> fPalette;
};

} // namespace avi
