#pragma once
// The composited frames of the GIFs a project shows (TDocument::BMPGIF): each
// GIF is turned once into full-size 24-bit pictures, frame i drawn over a copy
// of frame i-1, so that later repaints only stretch a ready bitmap.
#include "gif/ZGIFImage.h"

class TDocument;
class TProgress;

// Composes `gif` into a new last list of doc.BMPGIF and returns its index; -1
// when the GIF has no frames or the pictures do not fit in memory (the list is
// then removed and the caller shows "Not enough RAM!"). Each frame advances the
// progress by one; once IsApply is false the remaining frames are skipped and
// their slots stay empty. Frame disposal methods are not consulted; frames
// start from their transparent colour (white when they have none), and a frame
// that does not decode adds nothing to its picture.
int AddBMPArr(TDocument& doc, const TZGIFImage& gif, TProgress& progress);

// Removes list `index` of doc.BMPGIF; later lists move down by one. The owners
// of indexes into the list correct them themselves.
void DelBMPArr(TDocument& doc, int index);

// Most pixels one GIF's composites may take together (3 bytes each).
constexpr qint64 kMaxCompositePixels = qint64(1) << 30;
