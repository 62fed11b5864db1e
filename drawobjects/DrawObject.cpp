#include "drawobjects/DrawObject.h"

#include "drawobjects/DrawHelpers.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// Runs a function when the scope ends, also when an exception leaves it.
template <typename F>
class TScopeExit {
public:
    explicit TScopeExit(F f) : fF(std::move(f)) {}
    ~TScopeExit() { fF(); }
    TScopeExit(const TScopeExit&) = delete;
    TScopeExit& operator=(const TScopeExit&) = delete;

private:
    F fF;
};

} // namespace

TDrawObject::TDrawObject(IDrawOwner* owner) : fOwner(owner)
{
    for (TBitmap* bitmap : {&SmallBitmap, &BigBitmap}) {
        bitmap->SetTransparent(true);
        bitmap->SetTransparentColor(kTransparentKey);
    }
    SetBtnCount(2);
    SetWidth(100);
    SetHeight(100);
    BtnPoints[0] = {0, 0};
    BtnPoints[1] = {100, 100};
}

TDrawObject::~TDrawObject() = default;

void TDrawObject::SetWidth(int value)
{
    OldWidth = fWidth;
    fWidth = value;
}

void TDrawObject::SetHeight(int value)
{
    OldHeight = fHeight;
    fHeight = value;
}

void TDrawObject::SetButtonSize(int value)
{
    if (value > 2 && value <= 10)
        fBtnSize = value;
}

void TDrawObject::SetCanFocus(bool value)
{
    fCanFocus = value;
    if (!value)
        SetFocused(false);
}

void TDrawObject::SetFocused(bool value)
{
    if (value == fFocused || (value && !fCanFocus))
        return;
    fFocused = value;
    if (fFocusChangedEvent)
        fFocusChangedEvent(this);
    Paint();
}

void TDrawObject::SetShadowSize(int value)
{
    fShadowSize = std::clamp(value, -100, 100);
}

bool TDrawObject::GetCanMove() const
{
    return fFocused;
}

void TDrawObject::PaintButton(TPoint pt, int btnIdx, bool pressed)
{
    const int offset = Margin + Coord + BitmapLead();
    const TPoint c{pt.X + offset, pt.Y + offset};
    TRect r(c.X - fBtnSize, c.Y - fBtnSize, c.X + fBtnSize, c.Y + fBtnSize);
    TCanvas& canvas = BigBitmap.Canvas();
    canvas.Pen.Color = (fFocused || fPressedBtnIdx >= 0 || fMoving) ? clBlue : clSkyBlue;
    canvas.Rectangle(r);

    r = {r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
    TColor light = ColorToRGB(clBtnHighlight);
    TColor dark = ColorToRGB(clBtnShadow);
    if (pressed)
        std::swap(light, dark);
    canvas.Pen.Color = light;
    canvas.MoveTo(r.Left, r.Bottom - 1);
    canvas.LineTo(r.Left, r.Top);
    canvas.LineTo(r.Right - 1, r.Top);
    canvas.Pen.Color = dark;
    canvas.LineTo(r.Right - 1, r.Bottom - 1);
    canvas.LineTo(r.Left - 1, r.Bottom - 1);
}

void TDrawObject::DrawObject(TCanvas& canvas, bool isShadow)
{
    canvas.Polygon(BtnPoints);
}

bool TDrawObject::IsValidBtnDown(int btnIdx) const
{
    return true;
}

bool TDrawObject::CanMoveButton(int btnIdx, TPoint pt) const
{
    return btnIdx >= 0 && btnIdx < fBtnCount;
}

void TDrawObject::PlaceButton(int btnIdx, TPoint pt)
{
    if (btnIdx < 0 || btnIdx >= static_cast<int>(BtnPoints.size()))
        return;
    BtnPoints[btnIdx] = FrameToBtn(RotatePoint(pt, -SAngle));
}

void TDrawObject::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button != TMouseButton::mbLeft)
        return;
    if (shift & ssShift) {
        SetFocused(!fFocused);
        return;
    }
    SetFocused(true);
    int idx = -1;
    BtnIdxFromPt({x, y}, true, idx);
    fPressedBtnIdx = idx;
    if (idx < 0 && CanMove()) {
        fMovingPt = {x, y};
        fMoving = true;
    }
}

void TDrawObject::MouseMove(TShiftState shift, int x, int y)
{
    if (fPressedBtnIdx < 0) {
        if (fMoving) {
            Left += x - fMovingPt.X;
            Top += y - fMovingPt.Y;
            fMovingPt = {x, y};
        }
    } else if (CanMoveButton(fPressedBtnIdx, {x, y})) {
        PlaceButton(fPressedBtnIdx, {x, y});
        InternalResize();
    }
}

void TDrawObject::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    fPressedBtnIdx = -1;
    fMoving = false;
}

void TDrawObject::Resize()
{
    if (fWidth != OldWidth || fHeight != OldHeight) {
        BigRedraw = !IsRedrawFrames();
        SmallRedraw = true;
    }
    // Repeated scaling (a width of 1, then 100000) must not carry the points
    // out to where moving them overflows: they stay within +-2^28.
    constexpr long double limit = 1 << 28;
    auto scaled = [&](long double factor, int v) { return RoundEven(std::clamp(factor * v, -limit, limit)); };
    if (fWidth != OldWidth) {
        const float factor = OldWidth == 0 ? 1.0f : static_cast<float>(static_cast<long double>(fWidth) / OldWidth);
        for (TPoint& p : BtnPoints)
            p.X = scaled(factor, p.X);
        OldWidth = fWidth;
    }
    if (fHeight != OldHeight) {
        const float factor = OldHeight == 0 ? 1.0f : static_cast<float>(static_cast<long double>(fHeight) / OldHeight);
        for (TPoint& p : BtnPoints)
            p.Y = scaled(factor, p.Y);
        OldHeight = fHeight;
    }
}

TPoint TDrawObject::RotationCentre() const
{
    return QRotCenter ? TPoint{fWidth / 2 + Left, fHeight / 2 + Top} : QRotPt;
}

TPoint TDrawObject::RotatePoint(TPoint point, float angle) const
{
    if (QAngle == 0)
        return point;
    const TPoint c = RotationCentre();
    const float s = static_cast<float>(std::sin(static_cast<long double>(angle)));
    const float co = static_cast<float>(std::cos(static_cast<long double>(angle)));
    const long double dx = static_cast<long double>(point.X) - c.X;
    const long double dy = static_cast<long double>(point.Y) - c.Y;
    return {RoundEven(dx * co - dy * s + c.X), RoundEven(dx * s + dy * co + c.Y)};
}

void TDrawObject::SetBtnCount(int count)
{
    count = std::max(count, 0);
    fBtnCount = count;
    BtnPoints.resize(static_cast<size_t>(count));
}

void TDrawObject::OffsetPoints(int dx, int dy)
{
    for (TPoint& p : BtnPoints) {
        p.X += dx;
        p.Y += dy;
    }
}

void TDrawObject::InternalResize()
{
    if (fBtnCount < 2 || BtnPoints.size() < 2)
        return;
    TRect b(BtnPoints[0].X, BtnPoints[0].Y, BtnPoints[0].X, BtnPoints[0].Y);
    for (const TPoint& p : BtnPoints) {
        b.Left = std::min(b.Left, p.X);
        b.Top = std::min(b.Top, p.Y);
        b.Right = std::max(b.Right, p.X);
        b.Bottom = std::max(b.Bottom, p.Y);
    }
    NewBounds = b;
    Left += b.Left;
    Top += b.Top;
    OffsetPoints(-b.Left, -b.Top);
    SetWidth(b.Width());
    SetHeight(b.Height());
    BigRedraw = !IsRedrawFrames();
    SmallRedraw = true;
}

bool TDrawObject::BtnIdxFromPt(TPoint pt, bool ignoreDisabled, int& btnIdx) const
{
    btnIdx = -1;
    if (fBtnCount <= 1)
        return false;
    const TPoint p = FrameToBtn(RotatePoint(pt, -SAngle));
    if (!fFocused)
        return false;
    for (int i = 0; i < static_cast<int>(BtnPoints.size()); ++i) {
        const TPoint& b = BtnPoints[i];
        const TRect square(b.X - fBtnSize, b.Y - fBtnSize, b.X + fBtnSize, b.Y + fBtnSize);
        if (square.Contains(p) && (!ignoreDisabled || IsValidBtnDown(i))) {
            btnIdx = i;
            return true;
        }
    }
    return false;
}

bool TDrawObject::MoveBtnTo(int btnIdx, TPoint pt)
{
    const bool result = CanMoveButton(btnIdx, pt);
    if (result)
        PlaceButton(btnIdx, pt);
    return result;
}

TRect TDrawObject::GetRect() const
{
    const int h = TextDist / 2;
    TRect r(Left - Margin - h, Top - Margin - h, Left + fWidth + Margin + h, Top + fHeight + Margin + h);
    if (fFocused)
        r = {r.Left - Margin, r.Top - Margin, r.Right + Margin, r.Bottom + Margin};
    return r;
}

bool TDrawObject::IsInRect(int x, int y) const
{
    return GetRect().Contains(RotatePoint({x, y}, -SAngle));
}

void TDrawObject::CopyCoord()
{
    CoordRect = {Left, Top, fWidth, fHeight};
    CoordPoints = BtnPoints;
}

void TDrawObject::PasteCoord()
{
    Left = CoordRect.Left;
    Top = CoordRect.Top;
    SetWidth(CoordRect.Right);
    SetHeight(CoordRect.Bottom);
    BtnPoints = CoordPoints;
    fBtnCount = static_cast<int>(BtnPoints.size());
}

void TDrawObject::Draw(TCanvas& target, int x, int y)
{
    OffsetPoints(x, y);
    TScopeExit back([&] { OffsetPoints(-x, -y); });
    fDrawOrigin = {x, y};
    target.Pen = fPen;
    if (fShadowSize != 0) {
        const int s = fShadowSize;
        target.Pen.Color = ColorShadow;
        target.Brush.Color = ColorShadow;
        OffsetPoints(s, s);
        TScopeExit unshift([&] { OffsetPoints(-s, -s); });
        DrawObject(target, true);
    }
    target.Pen.Color = fPen.Color;
    target.Brush.Color = Color;
    DrawObject(target, false);
}

void TDrawObject::CalcMargin()
{
    if (SmallRedraw)
        SmallBitmap.Canvas().Font = Font;
    TextDist = IsText ? SmallBitmap.Canvas().TextHeight(QStringLiteral("Yy")) : 0;
    Margin = 2 * fPen.Width > 4 ? 2 * fPen.Width : 4;
    Coord = Margin / 2 + TextDist / 2;
}

void TDrawObject::SizeBitmap(TBitmap& bitmap, int width, int height)
{
    // A shadow far up and left must not shrink a bitmap to nothing.
    width = std::max(width, 1);
    height = std::max(height, 1);
    if (bitmap.Width() != width || bitmap.Height() != height)
        bitmap.SetSize(width, height);
}

void TDrawObject::ClearBitmap(TBitmap& bitmap)
{
    TCanvas& canvas = bitmap.Canvas();
    canvas.Brush.Style = TBrushStyle::bsSolid;
    canvas.Brush.Color = kTransparentKey;
    canvas.FillRect({0, 0, bitmap.Width(), bitmap.Height()});
}

void TDrawObject::Paint()
{
    CalcMargin();
    // The bitmaps grow by the shadow offset on the side the shadow falls, and
    // by the decoration pad on every side, so that neither the shadow nor the
    // figure is cut off.
    const int reach = BitmapLead();
    const int extra = std::abs(fShadowSize) + TextDist + 2 * DecorationPad();
    if (BigRedraw) {
        SizeBitmap(BigBitmap, fWidth + 3 * Margin + extra, fHeight + 3 * Margin + extra);
        ClearBitmap(BigBitmap);
        TCanvas& canvas = BigBitmap.Canvas();
        canvas.Pen.Color = clBlue;
        canvas.Pen.Width = 1;
        canvas.Pen.Style = TPenStyle::psDot;
        canvas.Brush.Style = TBrushStyle::bsClear;
        canvas.Rectangle(0, 0, BigBitmap.Width(), BigBitmap.Height());
    }
    if (SmallRedraw) {
        SizeBitmap(SmallBitmap, fWidth + Margin + extra, fHeight + Margin + extra);
        ClearBitmap(SmallBitmap);
        Draw(SmallBitmap.Canvas(), Coord + reach, Coord + reach);
        SmallRedraw = false;
    }
    if (BigRedraw) {
        TCanvas& canvas = BigBitmap.Canvas();
        canvas.Draw(Margin, Margin, SmallBitmap);
        if (fFocused && fOwner && fOwner->SelectedCount() == 1 && fBtnCount > 1) {
            PaintButtonGuides();
            canvas.Pen.Style = TPenStyle::psSolid;
            for (int i = 0; i < static_cast<int>(BtnPoints.size()); ++i)
                PaintButton(BtnPoints[i], i, i == fPressedBtnIdx);
        }
        BigRedraw = false;
    }

    if (!fOwner)
        return;
    const bool rendering = fOwner->IsRedrawFrames();
    TCanvas& target = rendering ? fOwner->RenderCanvas() : fOwner->EditorCanvas();
    BeginRotation(target);
    TScopeExit unrotate([&] { EndRotation(target); });
    if (!rendering && fFocused)
        target.Draw(Left - Margin - reach, Top - Margin - reach, BigBitmap);
    else
        target.Draw(Left - reach, Top - reach, SmallBitmap);
}

void TDrawObject::BeginRotation(TCanvas& canvas)
{
    if (QAngle == 0)
        return;
    OldXForm = canvas.GetWorldTransform();
    const TPoint c = RotationCentre();
    const float s = static_cast<float>(std::sin(static_cast<long double>(SAngle)));
    const float co = static_cast<float>(std::cos(static_cast<long double>(SAngle)));
    TXForm x;
    x.eM11 = co;
    x.eM12 = s;
    x.eM21 = -s;
    x.eM22 = co;
    x.eDx = static_cast<float>(c.X - c.X * static_cast<long double>(co) + c.Y * static_cast<long double>(s));
    x.eDy = static_cast<float>(c.Y - c.X * static_cast<long double>(s) - c.Y * static_cast<long double>(co));
    canvas.SetWorldTransform(x);
}

void TDrawObject::EndRotation(TCanvas& canvas)
{
    if (QAngle == 0)
        return;
    canvas.SetWorldTransform(OldXForm);
}
