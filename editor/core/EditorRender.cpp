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
    GIFRect = {0, 0, g.cx, g.cy};
    if (Doc.Animation.IsBackBMP) {
        const TBitmap& pic = Doc.Animation.BackBMP;
        const TSize p = GetPicSize(Doc.ImgWidth, Doc.ImgHeight, pic.Width(), pic.Height());
        BMPRect = {0, 0, p.cx, p.cy};
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
    target.Canvas().StretchDraw(GIFRect, composite);
}

void TEditorCore::DrawGIFFrame(int index)
{
    FillBMPBack();
    DrawGIFFrameAll(index, BMP);
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
    target.Canvas().CopyRect(BMPRect, pic, {0, 0, pic.Width(), pic.Height()});
}

void TEditorCore::EditFrame()
{
    FillBitmapBack(IBMP);
    const int index = Doc.CurIndex;
    if (index >= 0 && index < Doc.Animation.BackGIF.Count() && Doc.BackNum >= 0)
        DrawGIFFrameAll(index, IBMP);
    else if (Doc.Animation.IsBackBMP)
        DrawBackPicture(IBMP);
    DrawResizePoint();
    DrawFrameBuffer();
}

void TEditorCore::DrawResizePoint()
{
    const int w = IBMP.Width();
    const int h = IBMP.Height();
    TCanvas& canvas = IBMP.Canvas();
    canvas.Pen = TPen{};
    canvas.Pen.Color = clBlue;
    canvas.Brush.Style = TBrushStyle::bsSolid;
    canvas.Brush.Color = clWhite;
    canvas.Rectangle(w - 6, h - 6, w - 1, h - 1);
}

void TEditorCore::DrawFrameBuffer()
{
    if (!Doc.IsRedrawFrames) {
        if (FramePanelBMP.Width() != IBMP.Width() || FramePanelBMP.Height() != IBMP.Height())
            FramePanelBMP.SetSize(IBMP.Width(), IBMP.Height());
        FramePanelBMP.Canvas().CopyRect({0, 0, IBMP.Width(), IBMP.Height()}, IBMP,
                                        {0, 0, IBMP.Width(), IBMP.Height()});
    }
    DrawFigures();
    if (!Doc.IsRedrawFrames) {
        if (IsSelRec)
            DrawFocusRec(NormalizeRect({SelPt1.X, SelPt1.Y, SelPt2.X, SelPt2.Y}));
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
    TCanvas& canvas = FramePanelBMP.Canvas();
    canvas.Brush.Style = TBrushStyle::bsClear;
    canvas.Pen = TPen{};
    canvas.Pen.Color = clBlue;
    canvas.Pen.Style = TPenStyle::psDot;
    canvas.Rectangle(r);
    canvas.Pen.Style = TPenStyle::psSolid;
    canvas.Brush.Style = TBrushStyle::bsSolid;
    FocusRecDrawn = true;
}
