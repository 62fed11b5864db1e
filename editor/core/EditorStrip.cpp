// TEditorCore: the frame strip under the canvas (thumbnails, scrolling, hit
// testing, the frame selection) and the frame commands that edit the
// animation directly: add, duplicate, copy, cut, paste, delete, move.
// These edit only the rendered animation; the next "Redraw Frames" rebuilds
// it from the project and discards them (IsFrOper tells the redraw question).
#include "editor/core/EditorCore.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <stdexcept>

namespace {

// Frame durations are 16-bit milliseconds; longer defaults are held at the most a frame takes.
uint16_t FrameDuration(int milliseconds)
{
    return static_cast<uint16_t>(std::clamp(milliseconds, 0, 65535));
}

// Cells keep this margin around their thumbnail: 10 pixels on each side.
constexpr int kThumbMargin = 20;

} // namespace

// --- Drawing and scrolling ---------------------------------------------------

void TEditorCore::SetStripSize(int width, int height)
{
    fStrip.Width = std::max(width, 0);
    fStrip.Height = std::max(height, 0);
    DrawFrames(fStrip.OldPos);
    SetScroll();
}

void TEditorCore::DrawFrames(int p)
{
    FillBitmap(fStrip.FramesBMP, clWhite, fStrip.Width, fStrip.Height);
    TCanvas& canvas = fStrip.FramesBMP.Canvas();
    const int count = FrameCount();
    int shown = 0;
    p = std::max(p, 0);
    if (count > 0 && fStrip.Width > 0 && fStrip.Height > 0) {
        canvas.Font = TFont{};
        canvas.Font.Name = QStringLiteral("Times New Roman");
        canvas.Font.Size = 12;
        const int t = canvas.TextHeight(QStringLiteral("#"));
        // A strip lower than its labels still divides into cells of at least one pixel.
        fStrip.ImgH = std::max(fStrip.Height - t, 1);

        TSize thumb;
        const int side = fStrip.ImgH - kThumbMargin;
        const int w = Animation().ScreenWidth();
        const int h = Animation().ScreenHeight();
        if (side > 0 && w > 0 && h > 0) {
            if (h < w)
                thumb = {side, static_cast<int32_t>(std::lrint(double(h) * side / w))};
            else
                thumb = {static_cast<int32_t>(std::lrint(double(w) * side / h)), side};
        }

        fStrip.FrCount = fStrip.Width / fStrip.ImgH;
        if (count < fStrip.FrCount) {
            shown = count;
            p = 0;
        } else {
            shown = fStrip.FrCount;
            p = std::min(p, count - fStrip.FrCount);
        }
        if (thumb.cx > 0 && thumb.cy > 0) {
            fStrip.ThumbBMP.SetSize(thumb.cx, thumb.cy);
            fStrip.ThumbBMP.SetTransparent(false);
        }
        for (int i = 0; i < shown; ++i)
            DrawFrameCell(i, p + i, t, thumb);
    }

    fStrip.CellsWidth = shown > 0 ? fStrip.ImgH * shown : 0;
    canvas.Pen = TPen{};
    canvas.Brush.Style = TBrushStyle::bsSolid;
    canvas.Brush.Color = ColorToRGB(fStrip.FillColor);
    canvas.FillRect({fStrip.CellsWidth, 0, fStrip.Width, fStrip.Height});
    fStrip.OldPos = p;
    fStrip.FramesScroll.Position = std::clamp(p, 0, std::max(fStrip.FramesScroll.Max, 0));
    Notify(Hooks.Strip);
}

void TEditorCore::DrawFrameCell(int i, int n, int textHeight, TSize thumb)
{
    TCanvas& canvas = fStrip.FramesBMP.Canvas();
    const int x = fStrip.ImgH * i;
    const bool selected = BMPIsIn(n) >= 0;
    const TColor cell = selected ? clBlue : clBlack;
    const TColor ink = selected ? clYellow : clWhite;

    canvas.Pen = TPen{};
    canvas.Pen.Color = ink;
    canvas.Pen.Width = 3;
    canvas.Brush.Style = TBrushStyle::bsSolid;
    canvas.Brush.Color = cell;
    canvas.Rectangle(x, 0, x + fStrip.ImgH, fStrip.Height);

    canvas.SetBkMode(TBkMode::bmTransparent);
    canvas.Font.Color = ink;
    canvas.TextOut(x + 3, 3, QStringLiteral("#") + QString::number(n + 1));
    TZGIFFrame& frame = Animation().Frames(n);
    const QString duration = QString::number(frame.AnimateInterval()) + QStringLiteral(" ms");
    canvas.TextOut(x + fStrip.ImgH - canvas.TextWidth(duration) - 3, 3, duration);

    if (n == FrameIndex()) {
        canvas.Pen.Color = clRed;
        canvas.Pen.Width = 3;
        canvas.Brush.Color = cell;
        canvas.Rectangle(x + 7, textHeight + 7, x + thumb.cx + 13, textHeight + thumb.cy + 13);
    }

    if (thumb.cx <= 0 || thumb.cy <= 0)
        return;
    FillBitmap(fStrip.ThumbBMP, Doc.Animation.BackColor, -1, -1);
    try {
        frame.Draw(fStrip.ThumbBMP.Canvas(), {0, 0, thumb.cx, thumb.cy}, true);
    } catch (const std::exception&) {
        // A frame that cannot be decoded shows the background colour alone;
        // the strip must still draw.
    }
    canvas.Draw(x + 10, textHeight + 10, fStrip.ThumbBMP);
}

void TEditorCore::SetScroll()
{
    const int count = FrameCount();
    if (count > 0) {
        fStrip.FramesScroll.Max = count < fStrip.FrCount ? 0 : count - fStrip.FrCount;
        fStrip.FramesScroll.Position = fStrip.OldPos >= 0 && fStrip.OldPos <= fStrip.FramesScroll.Max ? fStrip.OldPos : 0;
    } else {
        fStrip.FramesScroll = {};
    }
    Notify(Hooks.Strip);
}

void TEditorCore::SetScrollIndex()
{
    SetScroll();
    SetIndex();
}

void TEditorCore::RedrawStrip()
{
    SetScroll();
    DrawFrames(fStrip.OldPos);
}

void TEditorCore::FramesEnd()
{
    SetScrollIndex();
    Notify(Hooks.AnimationChanged);
    DrawFrames(fStrip.OldPos);
}

void TEditorCore::HorizontalEnd()
{
    SetScroll();
    FrameChange();
    SetGoModify();
}

void TEditorCore::FramesScrollBarChange(int position)
{
    if (IsFrames())
        DrawFrames(position);
    Doc.IsModify = true; // the strip's position is kept with the project
    Notify(Hooks.CommandStates);
}

// --- Selection -----------------------------------------------------------------

void TEditorCore::SetOne(int n)
{
    if (IsFrames())
        Doc.BMPSel.assign(1, n);
}

void TEditorCore::BMPAdd(int n)
{
    TQFrInt& sel = Doc.BMPSel;
    const auto at = std::lower_bound(sel.begin(), sel.end(), n, std::greater<int32_t>());
    if (at == sel.end() || *at != n)
        sel.insert(at, n);
}

int TEditorCore::BMPIsIn(int n) const
{
    const TQFrInt& sel = Doc.BMPSel;
    for (size_t i = 0; i < sel.size(); ++i)
        if (sel[i] == n)
            return static_cast<int>(i);
    return -1;
}

int TEditorCore::CycleBMPSel(TBMPSelCycle mode, int n)
{
    TZGIFImage& animation = Animation();
    for (size_t i = 0; i < Doc.BMPSel.size(); ++i) {
        int32_t& frame = Doc.BMPSel[i];
        switch (mode) {
        case bscDeleteFrame:
            if (frame >= 0 && frame < animation.Count())
                animation.DeleteFrame(frame);
            break;
        case bscBMPIsIn:
            if (frame == n)
                return static_cast<int>(i);
            break;
        case bscRightFrame:
            if (frame >= 0 && frame + 1 < animation.Count()) {
                animation.MoveFrame(frame, frame + 1);
                ++frame;
            }
            break;
        }
    }
    return -1;
}

void TEditorCore::PruneBMPSel()
{
    TQFrInt& sel = Doc.BMPSel;
    const int count = FrameCount();
    std::erase_if(sel, [count](int32_t n) { return n < 0 || n >= count; });
    std::sort(sel.begin(), sel.end(), std::greater<int32_t>());
    sel.erase(std::unique(sel.begin(), sel.end()), sel.end());
}

bool TEditorCore::CanMoveLeft() const
{
    if (!IsFrames() || IsPlaying)
        return false;
    const int count = FrameCount();
    int smallest = count;
    for (int32_t n : Doc.BMPSel)
        if (n >= 0 && n < count)
            smallest = std::min(smallest, static_cast<int>(n));
    return smallest < count && smallest > 0;
}

bool TEditorCore::CanMoveRight() const
{
    if (!IsFrames() || IsPlaying)
        return false;
    const int count = FrameCount();
    int largest = -1;
    for (int32_t n : Doc.BMPSel)
        if (n >= 0 && n < count)
            largest = std::max(largest, static_cast<int>(n));
    return largest >= 0 && largest < count - 1;
}

void TEditorCore::FramesImageMouseDown(TMouseButton button, TShiftState shift, int x, int)
{
    // While the preview plays, the frames are the player's: a click would
    // change the selection under a frame that moves on at once.
    if (button != TMouseButton::mbLeft || !IsFrames() || IsPlaying || fStrip.ImgH <= 0 || x < 0)
        return;
    PruneBMPSel();
    const int k = x / fStrip.ImgH;
    int target = k;
    int position = 0;
    if (FrameCount() >= fStrip.FrCount) {
        target = k + fStrip.OldPos;
        position = fStrip.OldPos;
    }
    EnterFrame(target); // a click past the last frame leaves the current one
    fStrip.FramesScroll.Position = position;

    const int c = FrameIndex();
    TQFrInt& sel = Doc.BMPSel;
    if (shift & ssCtrl) {
        const int at = BMPIsIn(c);
        if (at >= 0)
            sel.erase(sel.begin() + at);
        else
            BMPAdd(c);
    } else if ((shift & ssShift) && !sel.empty()) {
        const int largest = sel.front();
        const int smallest = sel.back();
        if (largest < c) {
            for (int n = largest + 1; n <= c; ++n)
                BMPAdd(n);
        } else if (c < smallest) {
            for (int n = c; n < smallest; ++n)
                BMPAdd(n);
        }
    } else {
        SetOne(c);
    }

    Notify(Hooks.AnimationChanged);
    DrawFrames(position);
    Doc.IsModify = true;
    Notify(Hooks.CommandStates);
}

// --- Frame commands ------------------------------------------------------------

void TEditorCore::EnterFrame(int n)
{
    if (n < 0 || n >= FrameCount())
        return;
    SetFrameIndex(n); // runs the frame-changed handling when the frame changes
    // An edit of the image may already have moved the animator to n without
    // that handling; the figures are loaded for n all the same.
    if (!IsPlaying && Doc.OldFrame != FrameIndex())
        ChAnim();
}

TBitmap TEditorCore::BackgroundFrame(int current)
{
    const int next = current + 1;
    const TZGIFImage& back = Doc.Animation.BackGIF;
    TBitmap content;
    if (next >= 0 && next < back.Count()) {
        // The background GIF's frame there: its composite when there is one,
        // so that a partial GIF frame still fills the whole frame.
        const int list = Doc.BackNum;
        if (list >= 0 && list < static_cast<int>(Doc.BMPGIF.size())
            && next < static_cast<int>(Doc.BMPGIF[static_cast<size_t>(list)].size())
            && !Doc.BMPGIF[static_cast<size_t>(list)][static_cast<size_t>(next)].Empty()) {
            FillBitmapBack(content);
            DrawGIFFrameAll(next, content);
        } else {
            back.Frames(next).AssignTo(content);
        }
    } else if (Doc.Animation.IsBackBMP && !Doc.Animation.BackBMP.Empty()) {
        content = Doc.Animation.BackBMP;
    }
    return content.Empty() ? fWork.Pic : content;
}

void TEditorCore::AddFrames(int mode)
{
    TZGIFImage& animation = Animation();
    FillBitmap(fWork.Pic, Doc.Animation.BackColor, Doc.ImgWidth, Doc.ImgHeight);
    Doc.BMPSel.clear();
    if (mode == 2 && !IsFrames())
        return; // nothing to duplicate

    const int repeats = mode == 1 ? Doc.Buffer.Count() : 1;
    for (int i = 0; i < repeats; ++i) {
        const int current = FrameIndex();
        const int next = current + 1;
        int added = 0;
        if (mode == 1) {
            added = animation.AddFrame(Doc.Buffer.Frames(i)); // pixels, duration, transparency, disposal
        } else if (mode == 2) {
            // A duplicate is the whole frame, so that a transparent frame keeps its
            // transparency and disposal and plays as the original does.
            added = animation.AddFrame(animation.Frames(current));
        } else {
            added = animation.AddFrame(BackgroundFrame(current));
            animation.Frames(added).SetAnimateInterval(FrameDuration(Doc.AnInt));
        }

        if (animation.Count() < 2) {
            SetFrameIndex(added);
        } else {
            SetFrameIndex(next);
            if (added != next)
                animation.MoveFrame(added, next);
        }
        BMPAdd(FrameIndex());
    }

    SetScroll();
    if (FrameIndex() >= fStrip.OldPos + fStrip.FrCount && fStrip.OldPos + fStrip.FrCount < FrameCount())
        ++fStrip.OldPos;
    ChAnim();
    FrameChange();
    if (mode != 1)
        SetIndex(); // after a paste every pasted frame stays selected
    Notify(Hooks.AnimationChanged);
    DrawFrames(fStrip.OldPos);
    Notify(Hooks.Caption);
    Notify(Hooks.CommandStates);
}

void TEditorCore::SetGoModifyFrame(bool flag)
{
    Notify(Hooks.FrameChanged); // the go-to box follows
    Doc.IsModify = true;
    Doc.IsFrOper = flag;
    Notify(Hooks.CommandStates);
}

void TEditorCore::AddFrameButtonClick()
{
    TEditScope edit(fHistory, QStringLiteral("Add Frame"));
    AddFrames(0);
    SetGoModify();
}

void TEditorCore::DuplicateFrameButtonClick()
{
    TEditScope edit(fHistory, QStringLiteral("Duplicate Frame"));
    AddFrames(2);
    SetGoModify();
}

void TEditorCore::PasteFrameButtonClick()
{
    TEditScope edit(fHistory, QStringLiteral("Paste Frames"));
    AddFrames(1);
    SetGoModify();
}

void TEditorCore::CopyFrameButtonClick()
{
    PruneBMPSel();
    TZGIFImage& animation = Animation();
    // The frame clipboard takes full copies, smallest frame number first.
    Doc.Buffer.Clear();
    for (auto it = Doc.BMPSel.rbegin(); it != Doc.BMPSel.rend(); ++it)
        Doc.Buffer.AddFrame(animation.Frames(*it));

    const int c = FrameIndex();
    if (Hooks.CopyBitmap && c >= 0 && c < animation.Count()) {
        TBitmap bitmap;
        animation.Frames(c).AssignTo(bitmap);
        Hooks.CopyBitmap(bitmap);
    }
    Doc.IsModify = true;
    Notify(Hooks.CommandStates);
}

void TEditorCore::CutFrameButtonClick()
{
    TEditScope edit(fHistory, QStringLiteral("Cut Frames"));
    CopyFrameButtonClick();
    DeleteFrameButtonClick();
}

void TEditorCore::DeleteFrameButtonClick()
{
    TEditScope edit(fHistory, QStringLiteral("Delete Frames"));
    PruneBMPSel();
    int c = FrameIndex();
    CycleBMPSel(bscDeleteFrame); // largest first, so the others keep their numbers
    Doc.BMPSel.clear();
    if (c >= FrameCount())
        c = FrameCount() - 1;
    EnterFrame(c);
    SetScrollIndex();
    FrameChange();
    SetGoModifyFrame(true);
}

void TEditorCore::MoveLeftButtonClick()
{
    TEditScope edit(fHistory, QStringLiteral("Move Left"));
    PruneBMPSel();
    if (!CanMoveLeft())
        return;
    const int c = FrameIndex();
    TZGIFImage& animation = Animation();
    for (auto it = Doc.BMPSel.rbegin(); it != Doc.BMPSel.rend(); ++it) {
        animation.MoveFrame(*it, *it - 1);
        --*it;
    }
    EnterFrame(c > 0 ? c - 1 : c);
    if (Doc.BMPSel.back() < fStrip.OldPos)
        fStrip.OldPos = Doc.BMPSel.back();
    HorizontalEnd();
}

void TEditorCore::MoveRightButtonClick()
{
    TEditScope edit(fHistory, QStringLiteral("Move Right"));
    PruneBMPSel();
    if (!CanMoveRight())
        return;
    const int c = FrameIndex();
    CycleBMPSel(bscRightFrame);
    EnterFrame(c + 1 < FrameCount() ? c + 1 : c);
    if (Doc.BMPSel.front() >= fStrip.OldPos + fStrip.FrCount)
        fStrip.OldPos = Doc.BMPSel.front() - fStrip.FrCount + 1;
    HorizontalEnd();
}
