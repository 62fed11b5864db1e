#pragma once
// TZGIFImage: a multi-frame GIF image and the GIF file codec. Copies share the
// global data and every frame's encoded data by reference counting, so copying
// an image copies no pixels. Frames are decoded on first use and encoded when
// the image is written.
#include "gif/FrameCache.h"
#include "gif/FramePacker.h"
#include "gif/GIFData.h"
#include "gif/GIFTypes.h"
#include "gif/ZGIFFrame.h"
#include "platform/Bitmap.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <span>
#include <vector>

class QIODevice;
class TCanvas;

class TZGIFImage {
public:
    using TNotifyEvent = std::function<void()>;
    using TProgressEvent = std::function<void(TProgressStage stage, int percent, const QString& message)>;

    TZGIFImage();
    ~TZGIFImage();
    TZGIFImage(const TZGIFImage& other); // shares data, as Assign
    TZGIFImage& operator=(const TZGIFImage& other);

    // Empties the image: fresh global data, no frames, FrameIndex -1,
    // no background colour, RepeatCount 1, not looping, version unknown.
    void Clear();
    void Assign(const TZGIFImage& source);
    void Assign(const TZGIFFrame& source);
    void Assign(const TBitmap& source);
    // The current frame (frame 0 when FrameIndex < 0) into a bitmap; nothing when empty.
    void AssignTo(TBitmap& destination);

    int Count() const { return int(FItems.size()); }
    TZGIFFrame& Frames(int index) const;
    // Appends a frame made from the graphic and makes it current; returns its index.
    int AddFrame(const TBitmap& source);
    int AddFrame(const TZGIFFrame& source);
    int AddFrame(const TZGIFImage& source);
    void DeleteFrame(int index);
    void MoveFrame(int currentIndex, int newIndex);

    int FrameIndex() const { return FFrameIndex; }
    void SetFrameIndex(int value);
    bool Looping() const { return FLooping; }
    void SetLooping(bool value);
    uint16_t RepeatCount() const { return FRepeatCount; } // 0 = forever
    void SetRepeatCount(uint16_t value);
    TColor BackgroundColor() const { return FBackgroundColor; }
    void SetBackgroundColor(TColor value);
    TGIFVersion Version() const { return FVersion; }
    void SetVersion(TGIFVersion value) { FVersion = value; }
    bool Corrupted() const { return FCorrupted; }
    const QStringList& Comment() const { return FImage->FComment; }
    void SetComment(const QStringList& lines);
    int GlobalColorCount() const { return FImage->FColorMap.Count; }
    const TGIFData& GlobalData() const { return *FImage; }
    TPixelFormat PixelFormat();

    // The current frame's transparent colour; clNone without one.
    TColor TransparentColor() const;
    // The transparent flag, and at least one frame with a transparent colour.
    bool Transparent() const;
    void SetTransparent(bool value);

    // Size of the current frame; 0 when there is none. Setting raises an error.
    int Width() const;
    int Height() const;
    void SetWidth(int);
    void SetHeight(int);
    int ScreenWidth() const { return FItems.empty() ? 0 : FScreenWidth; }
    int ScreenHeight() const { return FItems.empty() ? 0 : FScreenHeight; }
    bool Empty() const;
    bool PaletteModified() const { return FPaletteModified; }
    void SetPaletteModified(bool value) { FPaletteModified = value; }

    // Draws the current frame stretched into the rectangle.
    void Draw(TCanvas& canvas, const TRect& rect);
    // True when both images write the same bytes.
    bool Equals(TZGIFImage& other);

    void LoadFromBytes(std::span<const uint8_t> bytes);
    QByteArray SaveToBytes();
    void LoadFromStream(QIODevice& stream);
    void SaveToStream(QIODevice& stream);
    void LoadFromFile(const QString& fileName);
    // Writes to a temporary file beside the target, then renames it over the target.
    void SaveToFile(const QString& fileName);

    void DecodeAllFrames();
    void EncodeAllFrames();
    // Encodes frame `index` now, unless it is encoded already, and drops its
    // pixels, which decode again on next access: a long sequence of frames
    // then takes only their encoded size.
    void EncodeFrame(int index);
    void Grayscale();

    // Grows the logical screen to the largest frame extent, as after any frame change.
    void RecomputeScreenSize();

    // Packing keeps a long animation small: the assigned full-colour pixels of
    // every frame are packed without loss on `threads` threads (< 0: one per
    // core, 0: at once), and only the most recently used decoded bitmaps are
    // kept, up to CacheBudget() bytes. Off by default; the setting belongs to
    // this image and is not copied by Assign.
    void SetPackFrames(bool on, int threads = -1);
    bool PackFrames() const { return FCache != nullptr; }
    static constexpr int64_t DefaultCacheBudget = int64_t(64) << 20;
    int64_t CacheBudget() const;
    void SetCacheBudget(int64_t bytes);
    // Bytes of decoded bitmaps the cache holds, and of packed pixels (waits for packing).
    int64_t CachedBytes() const;
    int64_t PackedBytes() const;
    // A bitmap the packer takes: 24 or 32 bits per pixel, not empty.
    static bool Packable(const TBitmap& bitmap);

    TNotifyEvent OnChange;
    TProgressEvent OnProgress;
    void Changed();
    void Progress(TProgressStage stage, int percent, const QString& message = {});

private:
    friend class TZGIFFrame;
    friend class TGIFReader;
    friend class TGIFWriter;

    TGIFData& MutableData(); // copies the global data first when it is shared
    void Encode(TZGIFFrame& frame);
    // A frame got new pixels: packed when this image packs its frames.
    void FrameAssigned(TZGIFFrame& frame);
    // A frame's bitmap was used: kept in the cache when it can be made again.
    void FrameUsed(TZGIFFrame& frame);
    void FrameForgotten(const TZGIFFrame& frame);

    // Declared before the frames, which leave the cache when they go.
    std::unique_ptr<TFramePacker> FPacker;
    std::unique_ptr<TFrameCache> FCache;
    std::shared_ptr<TGIFData> FImage;
    TGIFVersion FVersion = TGIFVersion::gvUnknown;
    std::vector<std::unique_ptr<TZGIFFrame>> FItems;
    int FFrameIndex = -1;
    uint16_t FScreenWidth = 0;
    uint16_t FScreenHeight = 0;
    TColor FBackgroundColor = clNone;
    bool FLooping = false;
    bool FCorrupted = false;
    uint16_t FRepeatCount = 1;
    bool FPaletteModified = false;
    bool FTransparent = true;
};
