#pragma once
// Colour reduction of an exported frame to what a GIF table holds. A frame of
// at most 256 colours (its transparent colour not counted) is kept exact;
// larger ones go through the chosen reducer. The transparent colour is always
// kept exact: its pixels come out clear and no other pixel takes its colour.
#include "platform/Color.h"

#include <QImage>

enum class TColorReducer {
    Popularity,  // the table of the most used colours, as the companion folder's GIFs have it
    HighQuality, // median cut refined by k-means, in a perceptual weighting (libimagequant)
};

class TColorReduction {
public:
    // rgb32: Format_RGB32 or ARGB32 (alpha ignored). transparent: COLORREF or
    // clNone. The result is Format_ARGB32 with at most 256 distinct values:
    // opaque pixels 0xFFRRGGBB, transparent ones 0. dither: Floyd-Steinberg
    // error diffusion (high-quality reducer only).
    static QImage Reduce(const QImage& rgb32, TColor transparent, TColorReducer reducer, bool dither);

    // The same for a frame whose clear pixels (0) are its transparent ones
    // (always through the high-quality reducer).
    static QImage ReduceClear(const QImage& argb32, bool dither);

    // True when a GIF table holds the frame exactly: at most 256 distinct
    // opaque values in an ARGB32 image, 255 when some pixel is clear (0).
    static bool FitsTable(const QImage& argb32);
};
