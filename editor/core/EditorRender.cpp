// TEditorCore: backgrounds, GIF composites and the editor's view of the
// current frame.
#include "editor/core/EditorCore.h"
#include "editor/core/PicSize.h"
#include "model/GIFComposites.h"

#include <algorithm>
#include <new>
#include <stdexcept>

namespace {

// The composites of one GIF may take at most this many pixels in all (4 GiB
// of 32-bit pixels would be far past any sensible animation); a larger GIF is
// refused as if memory had run out.
constexpr qint64 kMaxCompositePixels = qint64(1) << 28;

void FillWhole(TBitmap& bitmap, TColor color)
{
    TCanvas& canvas = bitmap.Canvas();
    canvas.Brush.Style = TBrushStyle::bsSolid;
    canvas.Brush.Color = color;
    canvas.FillRect({0, 0, bitmap.Width(), bitmap.Height()});
}

} // namespace

void TEditorCore::FillBitmap(TBitmap& bitmap, TColor color, int width, int height)
{
    const int w = width < 0 ? bitmap.Width() : width;
    const int h = height < 0 ? bitmap.Height() : height;
    if (w != bitmap.Width() || h != bitmap.Height())
        bitmap.SetSize(w, h);
    FillWhole(bitmap, color);
}

void TEditorCore::SetRectangles()
{
    const TZGIFImage& gif = Doc.Animation.BackGIF;
    const TSize g = GetPicSize(Doc.ImgWidth, Doc.ImgHeight, gif.ScreenWidth(), gif.ScreenHeight());
    fWork.GIFRect = {0, 0, g.cx, g.cy};
    if (Doc.Animation.IsBackBMP) {
        const TBitmap& pic = Doc.Animation.BackBMP;
        const TSize p = GetPicSize(Doc.ImgWidth, Doc.ImgHeight, pic.Width(), pic.Height());
        fWork.BMPRect = {0, 0, p.cx, p.cy};
    }
}

int TEditorCore::AddBMPArr(const TZGIFImage& gif)
{
    const int k = ::AddBMPArr(Doc, gif, Progress());
    if (k == -1 && gif.Count() > 0)
        Dialogs.ShowMessage(Msg.QRAM);
    return k;
}

void TEditorCore::DelBMPArr(int index)
{
    ::DelBMPArr(Doc, index);
}

void TEditorCore::DrawGIFFrameAll(int index, TBitmap& target)
{
    const int back = Doc.BackNum;
    if (back < 0 || back >= static_cast<int>(Doc.BMPGIF.size()))
        return;
    const TGIFComposites& list = Doc.BMPGIF[static_cast<size_t>(back)];
    if (index < 0 || !list.Filled(static_cast<size_t>(index)))
        return; // a composition that was cancelled or failed: the background colour alone
    TBitmap composite = list[static_cast<size_t>(index)]; // a copy: the list's picture stays as it is
    SetBitmapTransparent(composite, Doc.Animation.BackColor);
    target.Canvas().StretchDraw(fWork.GIFRect, composite);
}

void TEditorCore::DrawGIFFrame(int index)
{
    FillBMPBack();
    DrawGIFFrameAll(index, fWork.BMP);
}

void TEditorCore::SetBitmapTransparent(TBitmap& bitmap, TColor color) const
{
    bitmap.SetTransparent(Doc.Options.BackTransparent);
    if (Doc.Options.BackTransparent)
        bitmap.SetTransparentColor(color);
}

void TEditorCore::SetTransparentColor(TBitmap& bitmap)
{
    if (!bitmap.Empty())
        bitmap.SetTransparentColor(bitmap.Pixel(0, 0));
}

void TEditorCore::DrawBackPicture(TBitmap& target)
{
    const TBitmap& pic = Doc.Animation.BackBMP;
    if (pic.Empty())
        return;
    target.Canvas().CopyRect(fWork.BMPRect, pic, {0, 0, pic.Width(), pic.Height()});
}

void TEditorCore::EditFrame()
{
    FillBitmapBack(fWork.IBMP);
    const int index = Doc.CurIndex;
    if (index >= 0 && index < Doc.Animation.BackGIF.Count() && Doc.BackNum >= 0)
        DrawGIFFrameAll(index, fWork.IBMP);
    else if (Doc.Animation.IsBackBMP)
        DrawBackPicture(fWork.IBMP);
    DrawResizePoint();
    DrawFrameBuffer();
}

void TEditorCore::DrawResizePoint()
{
    const int w = fWork.IBMP.Width();
    const int h = fWork.IBMP.Height();
    TCanvas& canvas = fWork.IBMP.Canvas();
    canvas.Pen = TPen{};
    canvas.Pen.Color = clBlue;
    canvas.Brush.Style = TBrushStyle::bsSolid;
    canvas.Brush.Color = clWhite;
    canvas.Rectangle(w - 6, h - 6, w - 1, h - 1);
}

void TEditorCore::DrawFrameBuffer()
{
    if (!Doc.IsRedrawFrames) {
        TBitmap& panel = fWork.FramePanelBMP;
        const TBitmap& back = fWork.IBMP;
        if (panel.Width() != back.Width() || panel.Height() != back.Height())
            panel.SetSize(back.Width(), back.Height());
        panel.Canvas().CopyRect({0, 0, back.Width(), back.Height()}, back, {0, 0, back.Width(), back.Height()});
    }
    DrawFigures();
    if (!Doc.IsRedrawFrames) {
        if (fGesture.IsSelRec)
            DrawFocusRec(fGesture.Band());
        Notify(Hooks.Repaint);
    }
}

void TEditorCore::DrawFigures()
{
    for (const auto& obj : Doc.DrawArr)
        if (obj->Visible)
            obj->Paint();
}

void TEditorCore::SetRedraw()
{
    if (Doc.DrObj) {
        Doc.DrObj->SmallRedraw = true;
        Doc.DrObj->BigRedraw = true;
    }
}

void TEditorCore::DrawFocusRec(const TRect& r)
{
    TCanvas& canvas = fWork.FramePanelBMP.Canvas();
    canvas.Brush.Style = TBrushStyle::bsClear;
    canvas.Pen = TPen{};
    canvas.Pen.Color = clBlue;
    canvas.Pen.Style = TPenStyle::psDot;
    canvas.Rectangle(r);
    canvas.Pen.Style = TPenStyle::psSolid;
    canvas.Brush.Style = TBrushStyle::bsSolid;
    fGesture.FocusRecDrawn = true;
}
