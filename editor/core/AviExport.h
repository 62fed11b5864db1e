#pragma once
// Exporting the rendered animation as an AVI, frame by frame, through the
// AVI-writer control, as the Save-AVI window does: every frame over the
// background colour, stretched to the frame size rounded down to multiples
// of 16, one frame per FrameTime ms, through the chosen compressor, under
// the progress window ("Saving AVI").
#include "com/BitmapHandle.h"
#include "editor/core/Messages.h"

#include <QString>
#include <cstdint>
#include <utility>
#include <vector>

class TEditorCore;
struct TProjectOptions;

// The members of the AVI-writer control the export uses. Failures are raised
// as exceptions carrying the control's message text.
class TAviWriterControl {
public:
    virtual ~TAviWriterControl() = default;
    virtual void Setfilename(const QString& value) = 0;
    virtual QString filename() const = 0;
    virtual void SetTempFileName(const QString& value) = 0;
    virtual void SetAWidth(int32_t value) = 0;
    virtual void SetAHeight(int32_t value) = 0;
    virtual void SetFrameTime(int32_t value) = 0;
    virtual void SetCompressionQuality(int32_t value) = 0;
    virtual void SetPixelFormat(int32_t value) = 0; // TxPixelFormat: 3 8 bits, 6 24 bits, 7 32 bits
    virtual void SetWavFileName(const QString& value) = 0;
    virtual void SetStretch(bool value) = 0;
    virtual void SetOnTheFlyCompression(bool value) = 0;
    virtual void Compressorlist() = 0;
    virtual int32_t AVIGetCount() = 0;
    virtual QString AVIGetCode(int32_t index) = 0;
    // The name of a compressor entry, trailing zero characters included.
    virtual QString AVIGetName(int32_t index) = 0;
    virtual void SetCompression(const QString& code) = 0;
    // The chosen compressor's configuration dialog over a parent window.
    virtual void ShowCompressorDialog(void* parent) = 0;
    virtual void AddWaveFile(const QString& fileName, int32_t delay) = 0;
    virtual void InitVideo(HBITMAP bitmap) = 0;
    virtual void AddFrame(HBITMAP bitmap) = 0;
    virtual void FinalizeVideo() = 0;
    virtual void WriteAvi() = 0;
};

struct TAviExportSettings {
    QString FileName;
    int32_t FrameTime = 50;   // ms
    int32_t Quality = 10000;  // 0..10000
    int PixelFormatIndex = 1; // item of "Pixel Format": 0 "8", 1 "24", 2 "32"
    int CompressorIndex = 0;  // item of "Compression"; 0 "No" (full frames)
    // A compressor code chosen directly instead of by CompressorIndex.
    QString Compressor;
    // Sound files with their delays in ms.
    std::vector<std::pair<QString, int32_t>> Waves;

    // The project's Save-AVI settings.
    static TAviExportSettings FromOptions(const TProjectOptions& options);
};

// The control's pixel format for an item of "Pixel Format" (24 bits when out of range).
int32_t AviPixelFormatOf(int pixelFormatIndex);
// The work file beside the output: C:/Video/clip.avi gives C:/Video/AWTempclip.avi.
QString AviTempFileName(const QString& fileName);

enum class TAviExportResult { Written, NoFileName, Cancelled };

// NoFileName (nothing done) when the file name is blank; Cancelled when the
// progress window was cancelled (the video is then neither finalised nor
// written, and its unfinished file is removed). Control failures are raised.
TAviExportResult ExportAvi(TEditorCore& core, TAviWriterControl& avi, const TAviExportSettings& settings,
                           const TToAVIMessages& msg);
