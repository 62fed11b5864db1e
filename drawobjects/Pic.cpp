#include "drawobjects/Pic.h"

#include "drawobjects/DrawHelpers.h"

#include <algorithm>
#include <cstdlib>

void SetTransparentColor(TBitmap& bitmap)
{
    if (!bitmap.Empty())
        bitmap.SetTransparentColor(bitmap.Pixel(0, 0));
}

TPic::TPic(IDrawOwner* owner) : TSolid(owner)
{
    fPic.SetTransparent(false);
    fTransparent = false;
    fPen.Width = 1;
    SetShadowSize(0);
}

void TPic::SetStretch(bool value)
{
    if (value == fStretch)
        return;
    fStretch = value;
    if (!value && fPic.Width() > 0 && BtnPoints.size() >= 2) {
        BtnPoints[1] = BtnPoints[0] + TPoint{fPic.Width(), fPic.Height()};
        // The box is the figure's size: keep it in step with the points.
        InternalResize();
    }
}

void TPic::SetTransparent(bool value)
{
    if (value == fTransparent)
        return;
    fTransparent = value;
    fPic.SetTransparent(value);
    SetTransparentColor(fPic);
}

void TPic::DrawObject(TCanvas& canvas, bool isShadow)
{
    if (isShadow || BtnPoints.size() < 2)
        return;
    fPic.SetTransparent(fTransparent);
    const TPoint p0 = BtnPoints[0], p1 = BtnPoints[1];
    canvas.StretchDraw({p0.X, p0.Y, p1.X, p1.Y}, fPic);
}

bool TPic::IsValidBtnDown(int btnIdx) const
{
    return fStretch;
}

TPoint TPic::ClosestScreenPt(TPoint fromScreenPt)
{
    const TPoint outline = TSolid::ClosestScreenPt(fromScreenPt);
    if (!fTightConnections || !fPic.Transparent() || fStretch || fPic.Empty())
        return outline;
    // Walk from the outline toward the centre, one pixel at a time, until a
    // pixel of the picture itself is met; each step is taken in X or in Y,
    // whichever stays nearer to the straight line to the centre.
    const TPoint m = ObjectMidPoint();
    const TPoint start = FrameToBtn(outline);
    TPoint q{std::clamp(start.X, 0, fPic.Width() - 1), std::clamp(start.Y, 0, fPic.Height() - 1)};
    const TPoint from = q;
    const TColor key = fPic.TransparentColor() & 0xFFFFFF;
    auto offLine = [&](TPoint p) {
        const long long cross = static_cast<long long>(m.X - from.X) * (p.Y - from.Y)
                              - static_cast<long long>(m.Y - from.Y) * (p.X - from.X);
        return std::llabs(cross);
    };
    while (q != m && (fPic.Pixel(q.X, q.Y) & 0xFFFFFF) == key) {
        const int sx = m.X > q.X ? 1 : (m.X < q.X ? -1 : 0);
        const int sy = m.Y > q.Y ? 1 : (m.Y < q.Y ? -1 : 0);
        const TPoint stepX{q.X + sx, q.Y};
        const TPoint stepY{q.X, q.Y + sy};
        if (sy == 0 || (sx != 0 && offLine(stepX) <= offLine(stepY)))
            q = stepX;
        else
            q = stepY;
    }
    return BtnToFrame(q);
}
