#include "drawobjects/SolidPoint.h"

TSolidPoint::TSolidPoint(IDrawOwner* owner) : TSolid(owner)
{
    SetBtnCount(1);
    fPen.Width = 3;
    Left = 0;
    Top = 0;
    SetWidth(6);
    SetHeight(6);
}

void TSolidPoint::DrawObject(TCanvas& canvas, bool isShadow)
{
    const TPoint origin = DrawOrigin();
    const int shift = isShadow ? fShadowSize : 0;
    const int x = origin.X + shift, y = origin.Y + shift;
    canvas.Brush.Color = canvas.Pen.Color;
    canvas.Brush.Style = TBrushStyle::bsSolid;
    canvas.Ellipse(x, y, x + fWidth, y + fHeight);
}
