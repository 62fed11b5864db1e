#pragma once
// TDrawObject: what every figure of a project shares. A figure is a list of
// control points ("buttons") in its own button space, a position in the frame,
// a pen, fill and shadow colours, a font, a rotation and a shadow offset. It is
// rendered once into a small cached bitmap (and, for the editor, a big one that
// adds the selection frame and the handles) and blitted from there.
//
// Spaces: a point P of button space lies at frame position
// (P.X + Left + Coord, P.Y + Top + Coord) before rotation; the small bitmap's
// origin is at (Left, Top). Rotation is applied only when painting and when
// mapping mouse positions back; the object itself is stored unrotated.
#include "drawobjects/DrawOwner.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/Types.h"

#include <cstdint>
#include <functional>
#include <vector>

// A figure's pen: a canvas pen that starts 2 pixels wide.
struct TPenEx : TPen {
    TPenEx() { Width = 2; }
    TPenEx(const TPen& pen) : TPen(pen) {}
};

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

// Keys and buttons held during a mouse event.
using TShiftState = uint8_t;
constexpr TShiftState ssShift = 1;
constexpr TShiftState ssAlt = 2;
constexpr TShiftState ssCtrl = 4;
constexpr TShiftState ssLeft = 8;
constexpr TShiftState ssRight = 16;
constexpr TShiftState ssMiddle = 32;

class TDrawObject;
using TNotifyEvent = std::function<void(TDrawObject* sender)>;

// Colour of the cached bitmaps' background, left out when they are blitted.
constexpr TColor kTransparentKey = 0x070707;

class TDrawObject {
public:
    explicit TDrawObject(IDrawOwner* owner = nullptr);
    virtual ~TDrawObject();
    TDrawObject(const TDrawObject&) = delete;
    TDrawObject& operator=(const TDrawObject&) = delete;

    IDrawOwner* Owner() const { return fOwner; }
    void SetOwner(IDrawOwner* owner) { fOwner = owner; }

    // Properties.
    int ButtonCount() const { return fBtnCount; }
    int PressedBtnIdx() const { return fPressedBtnIdx; }
    bool CanMove() const { return GetCanMove(); }
    bool Moving() const { return fMoving; }
    int Width() const { return fWidth; }
    int Height() const { return fHeight; }
    // Store the new size and remember the old one; Resize rescales the points.
    void SetWidth(int value);
    void SetHeight(int value);
    int ButtonSize() const { return fBtnSize; }
    void SetButtonSize(int value); // only 3..10 are taken
    bool CanFocus() const { return fCanFocus; }
    void SetCanFocus(bool value);  // false also deselects
    bool Focused() const { return fFocused; }
    // Selecting or deselecting notifies FocusChangedEvent and repaints.
    void SetFocused(bool value);
    TPenEx& Pen() { return fPen; }
    const TPenEx& Pen() const { return fPen; }
    void SetPen(const TPen& pen) { fPen = TPenEx(pen); }
    int ShadowSize() const { return fShadowSize; }
    void SetShadowSize(int value); // clamped to -100..100
    const TNotifyEvent& FocusChangedEvent() const { return fFocusChangedEvent; }
    void SetFocusChangedEvent(TNotifyEvent event) { fFocusChangedEvent = std::move(event); }

    // Virtual operations.
    virtual bool GetCanMove() const;
    // Draws the handle of one control point onto the big bitmap.
    virtual void PaintButton(TPoint pt, int btnIdx, bool pressed);
    // Draws guide lines before the handles.
    virtual void PaintButtonGuides() {}
    // Draws the figure with the canvas's pen and brush; the points have been
    // shifted into the canvas's coordinates by the caller.
    virtual void DrawObject(TCanvas& canvas, bool isShadow);
    // Whether the user may grab a control point with the mouse.
    virtual bool IsValidBtnDown(int btnIdx) const;
    virtual bool CanMoveButton(int btnIdx, TPoint pt) const;
    // Moves a control point to a frame position (un-rotating it).
    virtual void PlaceButton(int btnIdx, TPoint pt);
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    // Rescales the points after Width/Height were set.
    virtual void Resize();

    // Geometry.
    TPoint ObjectMidPoint() const { return {fWidth / 2, fHeight / 2}; }
    TPoint BtnToFrame(TPoint pt) const { return {pt.X + Left + Coord, pt.Y + Top + Coord}; }
    TPoint FrameToBtn(TPoint pt) const { return {pt.X - Left - Coord, pt.Y - Top - Coord}; }
    // Rotates a frame position about the rotation centre (nothing when QAngle is 0).
    TPoint RotatePoint(TPoint point, float angle) const;
    void SetBtnCount(int count);
    void OffsetPoints(int dx, int dy);
    // Normalises the points to start at (0, 0) and moves Left/Top to match.
    void InternalResize();
    bool BtnIdxFromPt(TPoint pt, bool ignoreDisabled, int& btnIdx) const;
    bool MoveBtnTo(int btnIdx, TPoint pt);
    // The selectable area in frame coordinates (unrotated).
    TRect GetRect() const;
    bool IsInRect(int x, int y) const;
    void CopyCoord();
    void PasteCoord();

    // Drawing.
    // Draws the figure, shadow first, with button space placed at (x, y).
    void Draw(TCanvas& target, int x, int y);
    // Rebuilds the stale cached bitmaps and blits the figure to the owner.
    void Paint();
    void CalcMargin();
    void BeginRotation(TCanvas& canvas);
    void EndRotation(TCanvas& canvas);

    // Fields shared with the editor and the property engine.
    int OldWidth = 0;
    int OldHeight = 0;
    int TextDist = 0;     // height of "Yy" when IsText, else 0
    TXForm OldXForm;      // transform saved by BeginRotation
    TRect NewBounds;      // bounding box found by the last InternalResize
    bool IsText = false;  // text is drawn along the outline
    int Coord = 2;        // offset of button space in the small bitmap
    bool QRotCenter = false;
    bool Visible = true;
    bool SmallRedraw = true;
    bool BigRedraw = true;
    int FigNum = 0;
    int QAngle = 0;       // rotation in whole degrees
    int Left = 4;
    int Top = 4;
    int Margin = 4;       // room around the figure for thick pens
    float SAngle = 0;     // QAngle in radians
    TPoint QRotPt;        // rotation centre when not QRotCenter
    std::vector<TPoint> BtnPoints;
    std::vector<TPoint> CoordPoints;
    TColor Color = clWhite;
    TColor ColorShadow = clWhite;
    TFont Font;
    TRect CoordRect;      // Left, Top, Width, Height saved by CopyCoord
    TBitmap SmallBitmap;
    TBitmap BigBitmap;

protected:
    bool IsRedrawFrames() const { return fOwner && fOwner->IsRedrawFrames(); }
    // Where Draw placed button space on the canvas being drawn on. Drawing that
    // is positioned by the box rather than by the points (text, discs) uses it;
    // it equals (Coord, Coord) unless a shadow reaches up and left.
    TPoint DrawOrigin() const { return fDrawOrigin; }
    // How far the cached bitmaps reach up and left of (Left, Top) so that a
    // shadow cast up and left is not cut off.
    int ShadowReach() const { return fShadowSize < 0 ? -fShadowSize : 0; }
    // Room on every side of the box, beyond the pen margin, for drawing that
    // reaches past the points (arrow heads).
    virtual int DecorationPad() const { return 0; }
    // Where button space starts in the cached bitmaps, past the margin.
    int BitmapLead() const { return ShadowReach() + DecorationPad(); }

    bool fFocused = false;
    bool fCanFocus = true;
    bool fMoving = false;
    int fBtnCount = 2;
    int fBtnSize = 4;
    int fShadowSize = -2;
    int fPressedBtnIdx = -1;
    int fWidth = 0;
    int fHeight = 0;
    TPoint fMovingPt;
    TPenEx fPen;
    TNotifyEvent fFocusChangedEvent;

private:
    TPoint RotationCentre() const;
    static void SizeBitmap(TBitmap& bitmap, int width, int height);
    static void ClearBitmap(TBitmap& bitmap);

    IDrawOwner* fOwner = nullptr;
    TPoint fDrawOrigin{2, 2};
};
