#pragma once
// What a GIF viewer shows: a screen of ARGB32 pixels, clear (0) where nothing
// is drawn, onto which frames are drawn at their origin (clear pixels of a
// frame leave the screen as it is) and then disposed of: left, cleared to the
// background over the frame's rectangle, or put back as before the frame.
#include "gif/GIFTypes.h"

#include <QImage>
#include <QRect>

class TViewerCanvas {
public:
    TViewerCanvas(int width, int height);

    // Disposes of the previous frame, then draws this one.
    void Draw(const QImage& argb32, QPoint origin, TDisposalMethod disposal);
    // The screen with the last frame drawn.
    const QImage& Screen() const { return fScreen; }

private:
    QImage fScreen;
    QImage fSaved; // the screen before the last frame, for dmRestorePrevious
    QRect fLastRect;
    TDisposalMethod fLastDisposal = TDisposalMethod::dmUndefined;
};

// The smallest rectangle holding every pixel where the two images (ARGB32, of
// one size) differ; an empty rectangle when they are equal.
QRect ChangedRect(const QImage& before, const QImage& after);
// The smallest rectangle holding every pixel that is opaque in `before` and
// clear in `after`: what drawing cannot reach and only a disposal can clear.
QRect ClearedRect(const QImage& before, const QImage& after);
