#pragma once
// TCanvasZoom: the canvas's magnification, a view setting only (never stored
// in the project). The frame's pixel (x, y) covers the screen pixels from
// x * Factor() up to (x + 1) * Factor(); a screen point maps back to the frame
// pixel it lies on (floor), so every canvas operation keeps working in frame
// coordinates.
#include "platform/Types.h"

class QImage;
class QPainter;
class QRect;

class TCanvasZoom {
public:
    static constexpr int MinPercent = 25;
    static constexpr int MaxPercent = 800;

    int Percent() const { return fPercent; }
    double Factor() const { return fPercent / 100.0; }
    // Clamped to MinPercent..MaxPercent.
    void SetPercent(int percent);

    // The next step up or down of 25, 33, 50, 67, 100, 150, 200, 300, 400, 600, 800
    // (from a level between steps, the next step in that direction).
    int StepIn() const;
    int StepOut() const;
    // The largest level at which a frame of `frame` fits in `view`, within the range.
    static int FitPercent(TSize frame, TSize view);

    // The frame pixel under a point of the canvas widget.
    TPoint ToFrame(double x, double y) const;
    // The widget's size for a frame of this size (every frame pixel whole).
    TSize ToScreen(TSize frame) const;
    // The scroll offset that keeps the frame point `frame` under the viewport
    // point `view` at this level (the widget at the viewport's top-left).
    TPoint ScrollKeeping(double frameX, double frameY, double viewX, double viewY) const;
    // How many frame pixels `screenPixels` screen pixels span, at least 1.
    int FramePixels(int screenPixels) const;

    // Paints the frame pixels that reach into `exposed` (widget coordinates)
    // magnified, each pixel a sharp square (no smoothing).
    void Paint(QPainter& painter, const QImage& frame, const QRect& exposed) const;

private:
    int fPercent = 100;
};
