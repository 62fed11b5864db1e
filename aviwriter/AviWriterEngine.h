#pragma once
// TAviWriterEngine: turns a sequence of bitmaps into an AVI file, optionally
// compressed by a video compressor and optionally with a sound track mixed
// from wave files placed at given delays. The AVI-writer control forwards
// every member of its interface to the operation of the same name here.
//
// Three ways of writing, chosen when InitVideo is called:
//   no compressor code            direct: TAVICreator writes full frames to
//                                 filename; no sound.
//   a code, OnTheFlyCompression   on the fly: each frame is stretched (or
//                                 centred) to AWidth x AHeight, converted to
//                                 PixelFormat and compressed into filename;
//                                 the wave list is mixed in at the end.
//   a code, not on the fly        two-pass: TAVICreator writes full frames to
//                                 TempFileName; WriteAvi compresses them into
//                                 filename with one sound file.
// Life of a video: InitVideo, AddFrame..., FinalizeVideo, WriteAvi. Failures
// throw EAviWriterError with the text for the user.
#include "aviwriter/AVICreator.h"
#include "aviwriter/AviWriterError.h"
#include "aviwriter/vfw/AviFileWriter.h"
#include "aviwriter/vfw/Compressor.h"
#include "aviwriter/vfw/VfwTypes.h"
#include "com/BitmapHandle.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace avi {

// The pixel formats of the control's interface, with their values there.
enum class TxPixelFormat : int32_t {
    pfDevice = 0,
    pf1bit = 1,
    pf4bit = 2,
    pf8bit = 3,
    pf15bit = 4,
    pf16bit = 5,
    pf24bit = 6,
    pf32bit = 7,
    pfCustom = 8,
};

// Bits per pixel of a format the engine writes (0 for the others).
int BitsOf(TxPixelFormat format);

// Removes a file; true when it is gone or was never there. Folders stay.
bool RemoveIfExists(const std::string& fileName);

class TAviWriterEngine {
public:
    // Progress while frames are added: every 20th frame, with the count and
    // the aborted flag, which the handler may set to stop adding frames.
    using TProgressEvent = std::function<void(TAviWriterEngine& sender, int32_t frameCount, bool& abort)>;

    // The default frame size is a tenth of the screen's, rounded down to
    // multiples of 16; a host without a screen may leave the default.
    explicit TAviWriterEngine(int screenWidth = 1920, int screenHeight = 1080);
    // Releases every open AVI object and deletes TempFileName if it exists.
    ~TAviWriterEngine();
    TAviWriterEngine(const TAviWriterEngine&) = delete;
    TAviWriterEngine& operator=(const TAviWriterEngine&) = delete;

    // Published properties.
    int32_t AHeight() const { return fAHeight; }
    void SetAHeight(int32_t value) { fAHeight = RoundTo16(value); }
    int32_t AWidth() const { return fAWidth; }
    void SetAWidth(int32_t value) { fAWidth = RoundTo16(value); }
    int32_t FrameTime() const { return fFrameTime; } // ms per frame
    void SetFrameTime(int32_t value) { fFrameTime = value; }
    const std::string& TempFileName() const { return fTempFileName; }
    void SetTempFileName(const std::string& value) { fTempFileName = value; }
    bool Stretch() const { return fStretch; }
    void SetStretch(bool value) { fStretch = value; }
    TxPixelFormat PixelFormat() const { return fPixelFormat; }
    void SetPixelFormat(TxPixelFormat value); // 1, 4, 8, 24 or 32 bits, else "Pixelformat not supported"
    const std::string& filename() const { return fFileName; }
    void Setfilename(const std::string& value) { fFileName = value; }
    const std::string& WavFileName() const { return fWavFileName; }
    void SetWavFileName(const std::string& value); // must end in ".wav"
    TProgressEvent OnProgress;

    // Public state.
    bool OnTheFlyCompression() const { return fOnTheFly; }
    void SetOnTheFlyCompression(bool value) { fOnTheFly = value; }
    int32_t CompressionQuality() const { return fQuality; } // 0..10000
    void SetCompressionQuality(int32_t value) { fQuality = value; }
    bool Aborted() const { return fAborted; }
    // The chosen compressor's code, up to 4 characters; empty: direct path.
    const std::string& Compression() const { return fCode; }
    // The bitmaps Write writes; a null entry is a missing bitmap.
    std::vector<HBITMAP>& Bitmaps() { return fBitmaps; }

    // The compressor list: parallel codes and names. AVIInit makes it the one
    // entry "DIB" (full frames) named "Без сжатия".
    void AVIInit();
    void AVIAdd(const std::string& code, const std::string& name);
    int32_t AVIGetCount() const { return int32_t(fCodes.size()); }
    std::string AVIGetCode(int32_t index) const;
    std::string AVIGetName(int32_t index) const;
    // Rebuilds the list: the full-frames entry, then every installed
    // compressor that takes frames of AWidth x AHeight at PixelFormat. Names
    // are the compressors' 16-character short-name fields, trailing zero
    // characters included.
    void Compressorlist();
    // Chooses the compressor by its code (first 4 characters); empty chooses
    // the direct path. "No compressor for <code> available" when none takes
    // frames of the current size and format.
    void SetCompression(const std::string& code);
    // The chosen compressor's configuration dialog, when it has one.
    void ShowCompressorDialog(void* parent);
    // Adds a sound file (".wav") at a delay in ms, for the on-the-fly path.
    void AddWaveFile(const std::string& fileName, int32_t delay);

    void InitVideo(HBITMAP bitmap);
    void AddFrame(HBITMAP bitmap);
    void FinalizeVideo();
    void WriteAvi();
    // Writes the Bitmaps list as 8-bit frames into filename in one go.
    void Write();

    // What compressed frames are made with (set by the first frame).
    const vfw::TAviCompressOptions& CompressOptions() const { return fOptions; }
    // Part size of the on-the-fly file after which it continues as OpenDML.
    uint64_t RiffLimit = uint64_t(1) << 30;

private:
    enum class TPath { Direct, OnTheFly, TwoPass };
    struct TWave {
        std::string FileName;
        int32_t Delay;
    };

    static int32_t RoundTo16(int32_t v) { return v / 16 * 16; }
    // The video stream's header for the present frame time, quality and size.
    vfw::TAviStreamInfo VideoStreamInfo(vfw::FourCC handler) const;
    // The path the present settings choose.
    TPath Path() const { return fCode.empty() ? TPath::Direct : fOnTheFly ? TPath::OnTheFly : TPath::TwoPass; }
    vfw::TBitmapInfoHeader QueryHeader() const;
    void PrepareFormat(const TAviBitmap& frame);
    TAviBitmap MakeFrame(HBITMAP bitmap) const;
    void ReleaseAll();
    void DeleteTempFile() const;
    void MixSound();
    void SaveTwoPass();
    void DeleteOutput(const std::string& message) const;

    // Published and public state.
    int32_t fAHeight = 0;
    int32_t fAWidth = 0;
    int32_t fFrameTime = 1000;
    std::string fTempFileName;
    bool fStretch = true;
    TxPixelFormat fPixelFormat = TxPixelFormat::pf24bit;
    std::string fFileName;
    std::string fWavFileName;
    bool fOnTheFly = true;
    int32_t fQuality = 5000;
    bool fAborted = false;
    std::string fCode;
    std::vector<std::string> fCodes;
    std::vector<std::string> fNames;
    std::vector<TWave> fWaves;
    std::vector<HBITMAP> fBitmaps;

    // The video being written.
    std::unique_ptr<TAVICreator> fCreator;
    std::unique_ptr<vfw::TAviFileWriter> fFile;
    int fVideoStream = -1;
    std::unique_ptr<vfw::TCompressor> fCompressor; // of the compressed stream
    vfw::TAviStreamInfo fVideoInfo;
    vfw::TAviCompressOptions fOptions;
    vfw::TBitmapFormat fFormat; // of the first frame
    bool fHaveFormat = false;
    int32_t fFrames = 0;
    bool fInitialised = false;
    bool fFinalised = false;
};

} // namespace avi
