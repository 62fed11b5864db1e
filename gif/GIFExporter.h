#pragma once
// TGIFExporter writes an animation as a small GIF file, frame by frame, pulling
// the frames from a source so that only a few decoded frames are held at once.
//
// Frames of more than 256 colours are reduced (in parallel); then each frame is
// compared with what a viewer shows at that point and only the rectangle that
// changed is written, its unchanged pixels made transparent where that makes
// the data smaller, with disposal methods chosen so that every frame, as a
// viewer composes it, is exactly the (reduced) frame. Frames that change
// nothing lengthen the previous one. Tables are sized to the colours used; one
// global table serves every frame whose colours it holds. The output is the
// same for any number of threads.
#include "gif/ColorReduction.h"
#include "gif/GIFTypes.h"
#include "platform/Types.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>

class QIODevice;

struct TGIFExportOptions {
    bool Optimise = true; // changed-area frames; off: every frame whole, as the source gives it
    TColorReducer Reducer = TColorReducer::HighQuality;
    bool Dither = false;
    int Threads = 0; // 0: one per core
};

struct TGIFAnimationInfo {
    int ScreenWidth = 0;
    int ScreenHeight = 0;
    bool Looping = false;
    uint16_t RepeatCount = 0; // 0: forever
    TColor BackgroundColor = clNone;
    QStringList Comment;
};

struct TGIFSourceFrame {
    QImage Pixels; // any format
    TPoint Origin;
    uint16_t Duration = 0; // milliseconds
    TColor Transparent = clNone;
    TDisposalMethod Disposal = TDisposalMethod::dmUndefined;
};

// Where the exporter takes an animation from. Frame() is called once per
// frame, in order, from the calling thread.
class TGIFFrameSource {
public:
    virtual ~TGIFFrameSource() = default;
    virtual TGIFAnimationInfo Info() const = 0;
    virtual int Count() const = 0;
    virtual TGIFSourceFrame Frame(int index) = 0;
};

class TGIFExporter {
public:
    explicit TGIFExporter(TGIFExportOptions options = {}) : fOptions(options) {}

    // Raises "No GIF Data to write" for a source without frames or pixels.
    void Export(TGIFFrameSource& source, QIODevice& out) const;
    QByteArray ExportToBytes(TGIFFrameSource& source) const;
    // Writes to a temporary file beside the target, renamed over it at the end.
    void ExportToFile(TGIFFrameSource& source, const QString& fileName) const;

private:
    TGIFExportOptions fOptions;
};
