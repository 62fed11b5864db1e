#pragma once
// TGIFComposer: composes frame I of a TZGIFImage as a GIF viewer shows it, on
// a bitmap of the logical screen size, honouring the frames' disposal methods.
// The last composition is cached; the next frame is built on top of it unless
// the cached frame restores the previous picture.
#include "gif/ZGIFImage.h"
#include "platform/Bitmap.h"

#include <memory>

class TCanvas;

class TGIFComposer {
public:
    explicit TGIFComposer(TZGIFImage& image) : fImage(&image) {}

    // Drops the cached composition (after the image changed).
    void Invalidate();

    // The composition of frame `index` (limited to the last frame); `transColor`
    // receives its transparent colour (clNone when opaque). Raises the image's
    // decoding errors, and refuses screens larger than MaxGIFFramePixels.
    const TBitmap& Compose(int index, TColor& transColor);

    // With an index inside the frames: the composition is assigned to `bitmap`,
    // its transparent colour returned in transColor; true. Otherwise false.
    bool GetFrameBitmap(int index, TColor& transColor, TBitmap& bitmap);

    // New compositions with a transparent colour become colour-keyed bitmaps.
    bool Transparent = true;

    int CacheIndex() const { return FCacheIndex; }
    TColor TransColor() const { return FTransColor; }

private:
    bool CoversScreen(TZGIFFrame& frame) const;
    void DrawFrame(TCanvas& canvas, TZGIFFrame& frame);
    static TRect FrameRect(TZGIFFrame& frame);

    TZGIFImage* fImage;
    std::unique_ptr<TBitmap> FCache;
    int FCacheIndex = -1;
    TColor FTransColor = clNone;
    TColor fFillColor = clNone;
};
