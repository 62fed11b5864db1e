#pragma once
// TBaseLine: an open figure (line or curve) that may carry an arrow head at its
// first and at its last point. A line end with an arrow is pulled back a little
// so that a thick line does not poke through the head, then the head is drawn
// over the end.
#include "drawobjects/DrawObject.h"

#include <functional>
#include <span>

// How far a line end is pulled back under an arrow head: (2w) div 3 + 5 for a
// pen of width w.
int ArrowPullBack(int penWidth);
// Length of an arrow head from its tip to its notch: 5 + (2w) div 3.
int ArrowHeadLength(int penWidth);
// The point D pixels before Tip on the way from From; Tip when both coincide.
TPoint ShortenToward(TPoint from, TPoint tip, int d);
// A solid barbed head pointing from From to Tip, in the canvas's pen colour,
// outlined at most 2 pixels wide. Pen and brush are left as they were.
void DrawArrowHead(TCanvas& canvas, TPoint from, TPoint tip);

class TBaseLine : public TDrawObject {
public:
    explicit TBaseLine(IDrawOwner* owner = nullptr);

    bool Arrow1() const { return fArrow1; }
    bool Arrow2() const { return fArrow2; }
    virtual void SetArrow1(bool value) { fArrow1 = value; }
    virtual void SetArrow2(bool value) { fArrow2 = value; }
    // Lines with a variable number of points change it here; others keep theirs.
    virtual void SetButtonCount(int count) {}
    // Adds or removes a segment at the end (or at the start with topEnd);
    // false when the figure cannot change its number of points.
    virtual bool Grow(bool topEnd) { return false; }
    virtual bool Shrink(bool topEnd) { return false; }

protected:
    // A head reaches from its tip up to sqrt(1.75^2 + 1) head lengths in any
    // direction, past the points' box for lines that run straight or nearly so.
    int DecorationPad() const override;

    using TLineBody = std::function<void(std::span<const TPoint> points)>;
    // Pulls the ends with arrows back, draws the body through the points, puts
    // the ends back and draws the heads. The first and last segments give the
    // heads their direction. With clearBrushForDashes a dashed pen draws with a
    // clear brush, so the gaps stay empty.
    void DrawWithArrows(TCanvas& canvas, std::span<TPoint> points, const TLineBody& body,
                        bool clearBrushForDashes = true);

    bool fArrow1 = false;
    bool fArrow2 = false;
};
