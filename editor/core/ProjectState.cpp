// TProjectState: capture and comparison of the editor's undoable state.
#include "editor/core/ProjectState.h"

#include "editor/core/EditorCore.h"

#include <algorithm>

namespace {

bool SameRecord(const TQFigure& a, const TQFigure& b)
{
    return a.Name == b.Name && a.All == b.All && a.Start == b.Start && a.Count == b.Count && a.Frames == b.Frames;
}

// Shared pictures are the same picture; a picture drawn on since is not.
bool SameBitmap(const TBitmap& a, const TBitmap& b)
{
    return a.ConstImage().cacheKey() == b.ConstImage().cacheKey() && a.PixelFormat() == b.PixelFormat()
        && a.Transparent() == b.Transparent() && a.TransparentMode() == b.TransparentMode()
        && (a.TransparentMode() == TTransparentMode::tmAuto || a.TransparentColor() == b.TransparentColor());
}

bool SameBitmaps(const std::vector<TBitmap>& a, const std::vector<TBitmap>& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), SameBitmap);
}

// Composites are never changed once made: copies of one list are the same list.
bool SameComposites(const TGIFComposites& a, const TGIFComposites& b)
{
    return a.SharesWith(b) || (a.empty() && b.empty());
}

bool SameGIFFrames(const TZGIFImage& a, const TZGIFImage& b)
{
    if (a.Count() == 0 && b.Count() == 0)
        return true; // an emptied image has new global data, and nothing to show
    if (a.Count() != b.Count() || &a.GlobalData() != &b.GlobalData())
        return false;
    for (int i = 0; i < a.Count(); ++i) {
        const TZGIFFrame& fa = a.Frames(i);
        const TZGIFFrame& fb = b.Frames(i);
        if (fa.ItemPtr() != fb.ItemPtr() || fa.AnimateInterval() != fb.AnimateInterval()
            || fa.DisposalMethod() != fb.DisposalMethod() || fa.TransparentColor() != fb.TransparentColor()
            || fa.Origin() != fb.Origin())
            return false;
    }
    return true;
}

bool SameGIF(const TZGIFImage& a, const TZGIFImage& b)
{
    return SameGIFFrames(a, b) && a.Looping() == b.Looping() && a.RepeatCount() == b.RepeatCount()
        && a.Transparent() == b.Transparent() && a.BackgroundColor() == b.BackgroundColor();
}

// The options the user edits, on the Options page and in the tool windows;
// the page positions and the angle box are not edits.
bool SameEditedOptions(const TProjectOptions& a, const TProjectOptions& b)
{
    TProjectOptions shown = b;
    shown.MainPage = a.MainPage;
    shown.FigurePage = a.FigurePage;
    shown.AngleSpin = a.AngleSpin;
    return a == shown;
}

} // namespace

std::shared_ptr<const TProjectState> TProjectState::Capture(const TEditorCore& core, const TProjectState* previous)
{
    const TDocument& d = core.Doc;
    auto s = std::make_shared<TProjectState>();
    s->Figures.reserve(d.Animation.Figures.size());
    s->Selected.reserve(d.Animation.Figures.size());
    for (size_t i = 0; i < d.Animation.Figures.size(); ++i) {
        const TQFigure& fig = d.Animation.Figures[i];
        if (previous && i < previous->Figures.size() && SameRecord(*previous->Figures[i], fig)) {
            s->Figures.push_back(previous->Figures[i]);
        } else {
            auto copy = std::make_shared<TQFigure>(fig);
            copy->Obj = nullptr;
            copy->Foc = false;
            s->Figures.push_back(std::move(copy));
        }
        s->Selected.push_back(fig.Obj && fig.Obj->Focused());
    }
    for (const auto& obj : d.DrawArr)
        s->PaintOrder.push_back(obj->FigNum);
    s->StrArr = d.StrArr;
    s->BMPArr = d.BMPArr;
    s->GIFArr = d.GIFArr;
    s->BMPGIF = d.BMPGIF;
    s->BackNum = d.BackNum;
    s->BackGIF = d.Animation.BackGIF;
    s->BackBMP = d.Animation.BackBMP;
    s->IsBackBMP = d.Animation.IsBackBMP;
    s->BackColor = d.Animation.BackColor;
    s->ImgWidth = d.ImgWidth;
    s->ImgHeight = d.ImgHeight;
    s->AnInt = d.AnInt;
    s->Options = d.Options;

    s->Animation = core.Animation();
    s->Frame = core.FrameIndex();
    s->CurIndex = d.CurIndex;
    s->OldFrame = d.OldFrame;
    s->ChangeNumber = d.ChangeNumber;
    s->QRow = core.QRow();
    s->OldIndex = core.OldIndex();
    s->OldPos = core.Strip().OldPos;
    s->BMPSel = d.BMPSel;
    s->SelCen = d.SelCen;
    s->IsDel = core.IsDel();
    s->IsStart = d.IsStart;
    s->IsChRot = d.IsChRot;
    s->IsChDelay = core.IsChDelay();
    s->IsChGoTo = core.IsChGoTo();
    s->IsFrOper = d.IsFrOper;
    return s;
}

bool TProjectState::SameProject(const TProjectState& a, const TProjectState& b)
{
    if (!std::equal(a.Figures.begin(), a.Figures.end(), b.Figures.begin(), b.Figures.end(),
                    [](const auto& x, const auto& y) { return x == y || SameRecord(*x, *y); }))
        return false;
    if (a.PaintOrder != b.PaintOrder || a.StrArr != b.StrArr || !SameBitmaps(a.BMPArr, b.BMPArr)
        || a.BackNum != b.BackNum || a.IsBackBMP != b.IsBackBMP || a.BackColor != b.BackColor
        || a.ImgWidth != b.ImgWidth || a.ImgHeight != b.ImgHeight || a.AnInt != b.AnInt
        || !SameEditedOptions(a.Options, b.Options))
        return false;
    if (!std::equal(a.GIFArr.begin(), a.GIFArr.end(), b.GIFArr.begin(), b.GIFArr.end(), SameGIF)
        || !std::equal(a.BMPGIF.begin(), a.BMPGIF.end(), b.BMPGIF.begin(), b.BMPGIF.end(), SameComposites))
        return false;
    if (!SameGIF(a.BackGIF, b.BackGIF) || (a.IsBackBMP && !SameBitmap(a.BackBMP, b.BackBMP)))
        return false;
    // The loop settings and transparency of the rendered animation are options too.
    return a.Animation.Looping() == b.Animation.Looping() && a.Animation.RepeatCount() == b.Animation.RepeatCount()
        && a.Animation.Transparent() == b.Animation.Transparent() && SameFrames(a, b);
}

bool TProjectState::SameFrames(const TProjectState& a, const TProjectState& b)
{
    return SameGIFFrames(a.Animation, b.Animation);
}

bool TStateMemory::First(const void* key)
{
    const auto at = std::lower_bound(fSeen.begin(), fSeen.end(), key);
    if (at != fSeen.end() && *at == key)
        return false;
    fSeen.insert(at, key);
    return true;
}

void TStateMemory::AddBitmap(const TBitmap& bitmap)
{
    const QImage& image = bitmap.ConstImage();
    if (image.isNull())
        return;
    const int64_t key = image.cacheKey();
    const auto at = std::lower_bound(fSeenImages.begin(), fSeenImages.end(), key);
    if (at != fSeenImages.end() && *at == key)
        return;
    fSeenImages.insert(at, key);
    fBytes += image.sizeInBytes();
}

void TStateMemory::AddGIF(const TZGIFImage& gif)
{
    for (int i = 0; i < gif.Count(); ++i) {
        const auto& item = gif.Frames(i).ItemPtr();
        if (item && First(item.get()))
            fBytes += static_cast<int64_t>(sizeof(TGIFItem) + item->FImageData.size());
    }
}

void TStateMemory::Add(const TProjectState& state)
{
    fBytes += static_cast<int64_t>(sizeof(TProjectState));
    for (const auto& fig : state.Figures) {
        if (!First(fig.get()))
            continue;
        fBytes += static_cast<int64_t>(sizeof(TQFigure));
        for (const TQFrame& frame : fig->Frames)
            fBytes += static_cast<int64_t>(sizeof(TQFrame) + frame.Change.size() * sizeof(TQPropValue));
    }
    if (First(state.StrArr.constData()))
        for (const QString& s : state.StrArr)
            fBytes += static_cast<int64_t>(sizeof(QString) + s.size() * sizeof(QChar));
    for (const TBitmap& b : state.BMPArr)
        AddBitmap(b);
    for (const TGIFComposites& list : state.BMPGIF)
        if (list.DataId() && First(list.DataId()))
            fBytes += list.PackedBytes() + list.CachedBytes();
    for (const TZGIFImage& g : state.GIFArr)
        AddGIF(g);
    AddGIF(state.BackGIF);
    AddBitmap(state.BackBMP);
    AddGIF(state.Animation);
}
