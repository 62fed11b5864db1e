#pragma once
// The composited frames of the GIFs a project shows (TDocument::BMPGIF): each
// GIF is turned once into full-size 24-bit pictures, frame i drawn over a copy
// of frame i-1, so that later repaints only stretch a ready bitmap.
//
// TGIFComposites is one GIF's list. Its pictures are kept packed without loss
// (packed on a thread pool as they are added) and decoded on demand, only the
// most recently used ones staying decoded, so that a long background GIF
// takes about its packed size. Copies share the pictures; a list is not
// changed once made, except by appending, which copies shared data first.
#include "gif/ZGIFImage.h"

#include <initializer_list>
#include <memory>
#include <vector>

class TDocument;
class TProgress;

class TGIFComposites {
public:
    TGIFComposites() = default;
    // A list of the given pictures (an empty bitmap is an empty slot).
    TGIFComposites(const std::vector<TBitmap>& pictures);
    TGIFComposites(std::initializer_list<TBitmap> pictures);

    size_t size() const { return fData ? fData->FrameOf.size() : 0; }
    bool empty() const { return size() == 0; }
    // Picture i, decoded when needed; an empty bitmap for an empty slot. The
    // reference is good until other pictures of the list are decoded: copy
    // the bitmap (cheap, it shares the pixels) to keep it for longer.
    const TBitmap& operator[](size_t i) const;
    const TBitmap& at(size_t i) const; // raises std::out_of_range
    const TBitmap& front() const { return at(0); }
    // Slot i holds a picture (nothing is decoded to tell).
    bool Filled(size_t i) const;

    // Appends a picture; an empty bitmap appends an empty slot.
    void push_back(const TBitmap& picture);

    // Both lists share their pictures (copies of one list).
    bool SharesWith(const TGIFComposites& other) const { return fData == other.fData; }
    // Identity of the shared pictures, for counting them once.
    const void* DataId() const { return fData.get(); }
    // Bytes of the packed pictures (waits for packing), and of decoded ones kept.
    int64_t PackedBytes() const;
    int64_t CachedBytes() const;

private:
    struct TData {
        TData();
        TZGIFImage Pictures;       // packing its frames
        std::vector<int> FrameOf;  // slot -> frame of Pictures, or -1 for an empty slot
        TBitmap EmptyPicture;
    };
    TData& Mutable();

    std::shared_ptr<TData> fData;
};

// Composes `gif` into a new last list of doc.BMPGIF and returns its index; -1
// when the GIF has no frames or the pictures do not fit in memory (no list is
// then added and the caller shows "Not enough RAM!"). Each frame advances the
// progress by one; once IsApply is false the remaining frames are skipped and
// their slots stay empty. Frame disposal methods are not consulted; frames
// start from their transparent colour (white when they have none), and a frame
// that does not decode adds nothing to its picture.
int AddBMPArr(TDocument& doc, const TZGIFImage& gif, TProgress& progress);

// Removes list `index` of doc.BMPGIF; later lists move down by one. The owners
// of indexes into the list correct them themselves.
void DelBMPArr(TDocument& doc, int index);

// Most pixels one GIF's composites may take together.
constexpr qint64 kMaxCompositePixels = qint64(1) << 30;
