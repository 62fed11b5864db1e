// GetFig: a figure's property set at CurIndex applied to its drawing object.
#include "model/Document.h"
#include "model/PropertyTable.h"

#include "drawobjects/Pic.h"

namespace {

// More control points than any figure can be given in the editor; a larger
// count comes only from a damaged project and is not applied.
constexpr int kMaxNodeCount = 100000;

} // namespace

void TDocument::GetFig(int num)
{
    TQFigure* fig = Figure(num);
    if (!fig || !fig->Obj || !fig->IsVisible(CurIndex))
        return;
    const TQChange state = ShownState(num);
    const int nodeCount = FindProp(state, qpNodeCount, 0);
    if (nodeCount >= 0) {
        const int32_t count = state[static_cast<size_t>(nodeCount)].IntValue;
        if (count >= 0 && count <= kMaxNodeCount)
            fig->Obj->SetBtnCount(count);
    }
    for (const TQPropValue& prop : state)
        ApplyProp(*fig, prop);
}

TQChange TDocument::ShownState(int num)
{
    TQChange state = GetChange(num);
    const TQFigure* fig = Figure(num);
    // Shown before its first key frame (through In All Frames): as at that key frame.
    if (fig && state.empty() && PrevFrame < 0 && !fig->Frames.empty())
        state = AddChanAll(*fig, 0);
    return state;
}

void TDocument::ApplyProp(TQFigure& fig, const TQPropValue& prop)
{
    TDrawObject& obj = *fig.Obj;
    // A property the figure's kind does not have is not applied.
    const TFigureProperty* property = FigureProperties(fig.Name).Find(prop.Name);
    if (!property)
        return;
    switch (prop.Name) {
    case qpNodeCount:
        return; // applied before the values
    case qpNode:
        if (prop.Number >= 0 && prop.Number < static_cast<int>(obj.BtnPoints.size()))
            obj.BtnPoints[static_cast<size_t>(prop.Number)] = prop.Value;
        return;
    case qpBitmap:
        ApplyBitmap(fig, static_cast<TPic&>(obj), prop);
        return;
    default:
        break;
    }
    if (property->SetText) {
        if (prop.StrValue >= 0 && prop.StrValue < StrArr.size())
            property->SetText(obj, StrArr[prop.StrValue]);
    } else if (property->Set) {
        property->Set(obj, prop);
    }
}

void TDocument::ApplyBitmap(const TQFigure& fig, TPic& pic, const TQPropValue& prop)
{
    if (prop.IsGIF) {
        // A reference to a missing entry comes only from a damaged project:
        // the picture is left as it is.
        if (prop.FNum < 0 || prop.FNum >= static_cast<int>(BMPGIF.size()))
            return;
        pic.GNum = prop.FNum;
        pic.BitNum = prop.Bitmap;
        const TGIFComposites& frames = BMPGIF[static_cast<size_t>(prop.FNum)];
        if (frames.empty())
            return;
        // A GIF picture plays its own frames, one per animation frame, from the
        // figure's start, looping.
        const int64_t n = static_cast<int64_t>(frames.size());
        const int64_t k = CurIndex >= fig.Start ? (static_cast<int64_t>(CurIndex) - fig.Start) % n : 0;
        pic.Picture() = frames[static_cast<size_t>(k)];
    } else {
        if (prop.Bitmap < 0 || prop.Bitmap >= static_cast<int>(BMPArr.size()))
            return;
        pic.GNum = -1;
        pic.Picture() = BMPArr[static_cast<size_t>(prop.Bitmap)];
    }
    pic.Picture().SetTransparent(pic.Transparent());
    SetTransparentColor(pic.Picture());
}
