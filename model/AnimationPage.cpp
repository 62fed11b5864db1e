// The model side of the figure panel's "Animation" page: key frames of the
// current figure, "In All Frames", start frame and frame count.
#include "model/Document.h"

#include <algorithm>

namespace {

// The range of the start-frame and frame-count spin edits.
constexpr int kMaxSpin = 100000;

} // namespace

QStringList TDocument::FramesChangesList(int num) const
{
    QStringList lines;
    if (const TQFigure* fig = Figure(num))
        for (const TQFrame& frame : fig->Frames)
            lines.append(QString::number(static_cast<int64_t>(frame.Number) + 1));
    return lines;
}

int TDocument::FramesChangesListClick(int row)
{
    const TQFigure* fig = CurrentFigure();
    if (!fig || row < 0 || row >= static_cast<int>(fig->Frames.size()))
        return -1;
    RedrawEnabled = true;
    ChangeNumber = fig->Frames[static_cast<size_t>(row)].Number;
    DeleteChangesEnabled = true;
    return ChangeNumber;
}

bool TDocument::DeleteChanges()
{
    const int index = GetFrInd();
    if (index < 0)
        return false;
    TQFigure& fig = *CurrentFigure();
    RedrawEnabled = true;
    // Pictures the key frame referred to stay in their tables.
    fig.Frames.erase(fig.Frames.begin() + index);
    GetFig(DrObj->FigNum);
    return true;
}

void TDocument::AllFramesCheck(bool value)
{
    TQFigure* fig = CurrentFigure();
    if (!fig)
        return;
    fig->All = value;
    RedrawEnabled = true;
}

TStartCountChange TDocument::StartFrameSpinExit(int startSpin, int countSpin, int animationFrames)
{
    TStartCountChange result;
    TQFigure* fig = CurrentFigure();
    if (!fig)
        return result;
    OldStart = fig->Start;
    OldCount = fig->Count;
    fig->Start = std::clamp(startSpin, 1, kMaxSpin) - 1;
    fig->Count = std::clamp(countSpin, 1, kMaxSpin);
    if (fig->Start == OldStart && fig->Count == OldCount)
        return result;
    result.Changed = true;
    RedrawEnabled = true;
    const int64_t needed = static_cast<int64_t>(fig->Start) + fig->Count;
    if (animationFrames < needed) {
        result.AddFrames = static_cast<int>(needed - std::max(animationFrames, 0));
    } else {
        const int maxNum = GetMaxNum();
        if (maxNum < animationFrames)
            result.DeleteFrames = animationFrames - maxNum;
    }
    return result;
}

void TDocument::CancelStartCount()
{
    TQFigure* fig = CurrentFigure();
    if (!fig)
        return;
    fig->Start = OldStart;
    fig->Count = OldCount;
}
