#include "drawobjects/Diamond.h"

TDiamond::TDiamond(IDrawOwner* owner) : TSolidWithText(owner)
{
    SetBtnCount(6);
    DeriveVertices();
}

void TDiamond::DeriveVertices()
{
    if (BtnPoints.size() < 6)
        return;
    const TPoint p0 = BtnPoints[0], p1 = BtnPoints[1];
    const TPoint m{(p0.X + p1.X) / 2, (p0.Y + p1.Y) / 2};
    BtnPoints[2] = {p0.X, m.Y};
    BtnPoints[3] = {m.X, p0.Y};
    BtnPoints[4] = {p1.X, m.Y};
    BtnPoints[5] = {m.X, p1.Y};
}

void TDiamond::DrawObject(TCanvas& canvas, bool isShadow)
{
    if (BtnPoints.size() < 6)
        return;
    const TPoint vertices[4] = {BtnPoints[2], BtnPoints[3], BtnPoints[4], BtnPoints[5]};
    canvas.Polygon(vertices);
    if (!isShadow && !fStrings.isEmpty())
        DrawStringsInFig(canvas, fStrings);
}

void TDiamond::PlaceButton(int btnIdx, TPoint pt)
{
    TSolidWithText::PlaceButton(btnIdx, pt);
    DeriveVertices();
}

TPoint TDiamond::ClosestScreenPt(TPoint fromScreenPt)
{
    return BtnToFrame(QuadOutlinePoint(FrameToBtn(fromScreenPt)));
}

bool TDiamond::ResizeObjectToFitText()
{
    // A rhombus holds text about half as wide and high as its box.
    const int n = static_cast<int>(fStrings.size());
    const TTextMetrics m = MeasureStrings();
    const int p = FitMargin();
    SetWidth(2 * m.MaxWidth + 2 * p);
    SetHeight(2 * (n + 1) * m.LineHeight + 2 * p);
    return true;
}
