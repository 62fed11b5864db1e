#pragma once
// TZGIFFrame: one frame of a TZGIFImage. A frame has up to three forms: its
// bitmap (assigned or decoded), its encoded data (read from a file or made
// when the image is written) and, in an image that packs its frames, a
// lossless packed copy of its assigned full-colour pixels. Encoded data and
// packed pixels are shared between copies and never changed in place; the
// bitmap is produced from the packed pixels, or else from the encoded data, on
// first access.
#include "gif/Extension.h"
#include "gif/GIFItem.h"
#include "gif/GIFTypes.h"
#include "platform/Bitmap.h"
#include "platform/Types.h"

#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

class TCanvas;
class TPackTicket;
class TZGIFImage;

class TZGIFFrame {
public:
    explicit TZGIFFrame(TZGIFImage* owner);
    ~TZGIFFrame();
    TZGIFFrame(const TZGIFFrame&) = delete;
    TZGIFFrame& operator=(const TZGIFFrame&) = delete;

    // Assignment from nothing, another frame, the current frame of an image,
    // or a bitmap. Each recomputes the owner's screen size.
    void Clear();
    void Assign(const TZGIFFrame& source);
    void Assign(const TZGIFImage& source);
    void Assign(const TBitmap& source);
    // The destination takes the frame's bitmap and, when the frame has one,
    // its transparent colour and transparent flag.
    void AssignTo(TBitmap& destination);

    uint16_t AnimateInterval() const { return FAnimateInterval; } // milliseconds
    void SetAnimateInterval(uint16_t value);
    TDisposalMethod DisposalMethod() const { return FDisposal; }
    void SetDisposalMethod(TDisposalMethod value);
    TColor TransparentColor() const { return FTransparentColor; } // clNone: opaque
    void SetTransparentColor(TColor value);
    TPoint Origin() const { return FTopLeft; }
    void SetOrigin(TPoint value);
    bool Interlaced() const { return FInterlaced; }
    bool Corrupted() const { return FCorrupted; }
    bool Grayscale() const { return FGrayscale; }
    bool LocalColors() const { return FLocalColors; }

    // The frame's pixels, unpacked or decoded from the encoded data when needed
    // (an empty bitmap when there is neither). Decoding errors are raised.
    // In an image that packs its frames, the bitmap may be dropped once other
    // frames of the image are decoded: the reference is good until then, and
    // a copy (cheap: it shares the pixels) keeps them for longer.
    TBitmap& Bitmap();
    // The frame has pixels of its own: a bitmap, or packed pixels.
    bool HasBitmap() const;
    // Drops the decoded pixels of an encoded or packed frame; they are decoded
    // again on next access.
    void FreeBitmap();
    // Size of the bitmap, or of the encoded frame when it is not decoded yet; 0 without either.
    int Width() const;
    int Height() const;
    int ColorCount() const;
    // Lines of the frame's comment (the comment extension is made on first access).
    QStringList& Comment();
    QStringList CommentLines() const;
    bool HasComment() const;

    // Stretches the bitmap into the rectangle; with `transparent` and a
    // transparent colour, pixels of that colour are left out.
    void Draw(TCanvas& canvas, const TRect& rect, bool transparent);

    TZGIFImage* Owner() const { return FOwner; }
    const TGIFItem& Item() const { return *FImage; }
    const std::shared_ptr<const TGIFItem>& ItemPtr() const { return FImage; }
    std::vector<TExtension>& Extensions() { return FExtensions; }
    const std::vector<TExtension>& Extensions() const { return FExtensions; }

private:
    friend class TZGIFImage;
    friend class TGIFReader;
    friend class TGIFWriter;

    friend class TFrameCache;

    void Reset();
    void Decode();
    void NotifyOwner();
    // The bitmap equals its packed or encoded form (nothing was drawn on it since).
    bool Clean() const;
    // The bitmap can be dropped and made again exactly.
    bool Restorable() const;
    // Drops the bitmap when it can be made again exactly (packing it first when
    // its pixels changed); false when it is kept.
    bool DropCachedBitmap();
    // What the writer would encode: the packed frame's GIF data, or null.
    std::shared_ptr<const TGIFItem> PackedItem() const;
    void ForgetPixels(); // bitmap, packed pixels and kept look go

    // The transparency settings of a dropped bitmap, given back to it when it
    // is made again.
    struct TBitmapLook {
        bool Transparent = false;
        TTransparentMode Mode = TTransparentMode::tmAuto;
        TColor Color = clNone;
    };

    TZGIFImage* FOwner;
    std::unique_ptr<TBitmap> FBitmap;
    std::shared_ptr<const TGIFItem> FImage;
    std::shared_ptr<TPackTicket> FPacked; // lossless copy of assigned full-colour pixels, or null
    uint64_t FCleanGeneration = 0;        // FBitmap's generation when it equalled its packed or encoded form
    std::optional<TBitmapLook> FLook;     // set while the bitmap is dropped
    std::vector<TExtension> FExtensions;
    TPoint FTopLeft;
    bool FInterlaced = false;
    bool FCorrupted = false;
    bool FGrayscale = false;
    TColor FTransparentColor = clNone;
    uint16_t FAnimateInterval = 0;
    TDisposalMethod FDisposal = TDisposalMethod::dmUndefined;
    bool FLocalColors = false;
};
