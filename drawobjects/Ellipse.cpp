#include "drawobjects/Ellipse.h"

#include "drawobjects/DrawHelpers.h"

namespace {
// Half the circle constant 0.5522847 of a cubic Bezier quarter circle.
constexpr float kBezierK = 0.27614236f;
} // namespace

TEllipse::TEllipse(IDrawOwner* owner) : TSolidWithText(owner)
{
    SetBtnCount(15);
    DeriveBezierPoints();
}

void TEllipse::DeriveBezierPoints()
{
    if (BtnPoints.size() < 15)
        return;
    const int l = BtnPoints[0].X, t = BtnPoints[0].Y;
    const int r = BtnPoints[1].X - 1, b = BtnPoints[1].Y - 1;
    const int cx = l + (r - l) / 2, cy = t + (b - t) / 2;
    const int ox = RoundEven(static_cast<long double>(r - l) * kBezierK);
    const int oy = RoundEven(static_cast<long double>(b - t) * kBezierK);
    TPoint* p = BtnPoints.data();
    p[2] = {l, cy};
    p[3] = {l, cy - oy};
    p[4] = {cx - ox, t};
    p[5] = {cx, t};
    p[6] = {cx + ox, t};
    p[7] = {r, cy - oy};
    p[8] = {r, cy};
    p[9] = {r, cy + oy};
    p[10] = {cx + ox, b};
    p[11] = {cx, b};
    p[12] = {cx - ox, b};
    p[13] = {l, cy + oy};
    p[14] = p[2];
}

void TEllipse::SetRegular(bool value)
{
    fRegular = value;
    if (!value || BtnPoints.size() < 15)
        return;
    BtnPoints[1].Y = BtnPoints[0].Y + BtnPoints[1].X - BtnPoints[0].X;
    DeriveBezierPoints();
    // Keep the size in step with the points, or the cached bitmaps would cut the circle.
    InternalResize();
}

void TEllipse::PlaceButton(int btnIdx, TPoint pt)
{
    if (BtnPoints.size() < 15)
        return;
    if (fRegular) {
        const TPoint q = FrameToBtn(RotatePoint(pt, -SAngle));
        TPoint& p0 = BtnPoints[0];
        TPoint& p1 = BtnPoints[1];
        if (btnIdx == 0) {
            p0.X = q.X;
            p0.Y = p1.Y - (p1.X - q.X);
        } else {
            p1.X = q.X;
            p1.Y = p0.Y + (q.X - p0.X);
        }
    } else {
        TSolidWithText::PlaceButton(btnIdx, pt);
    }
    DeriveBezierPoints();
}

void TEllipse::DrawObject(TCanvas& canvas, bool isShadow)
{
    if (BtnPoints.size() < 15)
        return;
    canvas.Ellipse(BtnPoints[0].X, BtnPoints[0].Y, BtnPoints[1].X, BtnPoints[1].Y);
    if (fBalloonPoint != TBalloonPoint::bpNone)
        DrawBalloonTail(canvas, isShadow);
    if (!isShadow && !fStrings.isEmpty())
        DrawStringsInFig(canvas, fStrings);
}

void TEllipse::DrawBalloonTail(TCanvas& canvas, bool isShadow)
{
    const TPoint p0 = BtnPoints[0], p1 = BtnPoints[1];
    const int dx = RoundEven(fWidth / 8.0L), dy = RoundEven(fHeight / 8.0L);
    TPoint tip, targetA, targetB, step;
    switch (fBalloonPoint) {
    case TBalloonPoint::bpTopLeft:
        tip = p0, targetA = {p0.X + dx, p0.Y}, targetB = {p0.X, p0.Y + dy}, step = {1, 1};
        break;
    case TBalloonPoint::bpTopRight:
        tip = {p1.X, p0.Y}, targetA = {p1.X - dx, p0.Y}, targetB = {p1.X, p0.Y + dy}, step = {-1, 1};
        break;
    case TBalloonPoint::bpBottomLeft:
        tip = {p0.X, p1.Y}, targetA = {p0.X + dx, p1.Y}, targetB = {p0.X, p1.Y - dy}, step = {1, -1};
        break;
    case TBalloonPoint::bpBottomRight:
        tip = p1, targetA = {p1.X - dx, p1.Y}, targetB = {p1.X, p1.Y - dy}, step = {-1, -1};
        break;
    default:
        return;
    }
    // The tail's base points are where the rays from the centre toward the
    // targets leave the ellipse.
    const TPoint c{(p0.X + p1.X) / 2, (p0.Y + p1.Y) / 2};
    const int a = (p1.X - p0.X) / 2, b = (p1.Y - p0.Y) / 2;
    TPoint offA, offB;
    if (!EllipsePointAt(a, b, AngleOf(c, targetA), offA) || !EllipsePointAt(a, b, AngleOf(c, targetB), offB))
        return;
    TPoint baseA = c + offA, baseB = c + offB;
    if (!isShadow) {
        // A filled triangle a pixel inside covers the outline between the base points.
        baseA = baseA + step;
        baseB = baseB + step;
        const TColor penColor = canvas.Pen.Color;
        canvas.Pen.Color = canvas.Brush.Color;
        const TPoint triangle[3] = {tip, baseA, baseB};
        canvas.Polygon(triangle);
        canvas.Pen.Color = penColor;
    }
    canvas.MoveTo(baseA.X, baseA.Y);
    canvas.LineTo(tip.X, tip.Y);
    canvas.LineTo(baseB.X, baseB.Y);
}

TPoint TEllipse::ClosestScreenPt(TPoint fromScreenPt)
{
    if (BtnPoints.size() < 2)
        return BtnToFrame(ObjectMidPoint());
    const TPoint p = FrameToBtn(fromScreenPt);
    const TPoint p0 = BtnPoints[0], p1 = BtnPoints[1];
    const TPoint c{(p0.X + p1.X) / 2, (p0.Y + p1.Y) / 2};
    TPoint offset;
    if (!EllipsePointAt((p1.X - p0.X) / 2, (p1.Y - p0.Y) / 2, AngleOf(c, p), offset))
        return BtnToFrame(c);
    return BtnToFrame(c + offset);
}

bool TEllipse::ResizeObjectToFitText()
{
    // The text's box fits inside an ellipse about 1.42 (~sqrt 2) times its size.
    const int n = static_cast<int>(fStrings.size());
    const TTextMetrics m = MeasureStrings();
    const int p = FitMargin();
    SetWidth(RoundEven(1.42L * m.MaxWidth) + 2 * p);
    SetHeight(RoundEven(1.42L * (n + 1) * m.LineHeight) + 2 * p);
    return true;
}
