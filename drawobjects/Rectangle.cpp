#include "drawobjects/Rectangle.h"

#include "drawobjects/DrawHelpers.h"

#include <algorithm>
#include <cmath>

TRectangle::TRectangle(IDrawOwner* owner) : TSolidWithText(owner)
{
    SetBtnCount(6);
    fCentered = true;
    fPadding = 4;
    DeriveCorners();
}

void TRectangle::DeriveCorners()
{
    if (BtnPoints.size() < 6)
        return;
    const TPoint p0 = BtnPoints[0], p1 = BtnPoints[1];
    BtnPoints[2] = p0;
    BtnPoints[3] = {p1.X, p0.Y};
    BtnPoints[4] = p1;
    BtnPoints[5] = {p0.X, p1.Y};
}

void TRectangle::DrawObject(TCanvas& canvas, bool isShadow)
{
    if (BtnPoints.size() < 6)
        return;
    const TPoint p2 = BtnPoints[2], p4 = BtnPoints[4];
    if (fRounded) {
        const int r = std::min(p4.X - p2.X, p4.Y - p2.Y) / 2;
        canvas.RoundRect(p2.X, p2.Y, p4.X, p4.Y, r, r);
    } else {
        const TPoint corners[4] = {BtnPoints[2], BtnPoints[3], BtnPoints[4], BtnPoints[5]};
        canvas.Polygon(corners);
    }
    if (!isShadow && !fStrings.isEmpty())
        DrawStringsInFig(canvas, fStrings);
}

void TRectangle::PlaceButton(int btnIdx, TPoint pt)
{
    TSolidWithText::PlaceButton(btnIdx, pt);
    DeriveCorners();
}

TPoint TRectangle::ClosestScreenPt(TPoint fromScreenPt)
{
    const TPoint p = FrameToBtn(fromScreenPt);
    TPoint result = QuadOutlinePoint(p);
    if (fRounded && BtnPoints.size() >= 6) {
        // The rounded corners are quarter circles of radius r; a result that
        // falls into a corner's r x r square moves onto the circle.
        const TPoint tl = BtnPoints[2], br = BtnPoints[4];
        const int r = std::min(br.X - tl.X, br.Y - tl.Y) / 4;
        const TPoint corners[4] = {tl, {br.X, tl.Y}, br, {tl.X, br.Y}};
        for (const TPoint& corner : corners) {
            const int sx = corner.X == tl.X ? 1 : -1; // toward the inside
            const int sy = corner.Y == tl.Y ? 1 : -1;
            const TRect square = TRect(corner.X, corner.Y, corner.X + sx * r, corner.Y + sy * r).Normalized();
            if (r <= 0 || result.X < square.Left || result.X > square.Right || result.Y < square.Top
                || result.Y > square.Bottom)
                continue;
            const TPoint m = ObjectMidPoint();
            const long double cx = corner.X + sx * r, cy = corner.Y + sy * r;
            const long double dx = static_cast<long double>(p.X) - m.X, dy = static_cast<long double>(p.Y) - m.Y;
            const long double fx = m.X - cx, fy = m.Y - cy;
            const long double a = dx * dx + dy * dy;
            const long double b = 2 * (fx * dx + fy * dy);
            const long double c = fx * fx + fy * fy - static_cast<long double>(r) * r;
            const long double disc = b * b - 4 * a * c;
            if (a == 0 || disc < 0)
                break;
            TPoint best;
            long long bestDist = -1;
            for (const int sign : {-1, 1}) {
                const long double t = (-b + sign * std::sqrt(disc)) / (2 * a);
                const TPoint q{RoundEven(m.X + t * dx), RoundEven(m.Y + t * dy)};
                const long long d = SquaredDistance(q, corner);
                if (bestDist < 0 || d < bestDist) {
                    best = q;
                    bestDist = d;
                }
            }
            result = best;
            break;
        }
    }
    return BtnToFrame(result);
}

bool TRectangle::ResizeObjectToFitText()
{
    const int n = static_cast<int>(fStrings.size());
    if (n == 0)
        return false;
    const TTextMetrics m = MeasureStrings();
    const int p = FitMargin();
    SetWidth(m.MaxWidth + 2 * p);
    SetHeight(n * m.LineHeight + 2 * p);
    return true;
}

TText::TText(IDrawOwner* owner) : TRectangle(owner)
{
    fPadding = 0;
    SetShadowSize(0);
    fCanConnect = false;
}

void TText::SetStrings(const QStringList& value)
{
    TSolidWithText::SetStrings(value);
    ResizeObjectToFitText();
}

void TText::DrawObject(TCanvas& canvas, bool isShadow)
{
    // The shadow pass of a text block writes its text in the text colour at
    // the text's own place, so a text block shows no shadow. Existing projects
    // were made with that look; the normal pass draws the very same pixels.
    if (isShadow)
        return;
    canvas.Brush.Style = TBrushStyle::bsClear;
    if (!fStrings.isEmpty()) {
        DrawStringsInFig(canvas, fStrings);
        return;
    }
    const QString placeholder = Owner() ? Owner()->DummyText() : QStringLiteral("Text");
    DrawStringsInFig(canvas, QStringList{placeholder});
}
