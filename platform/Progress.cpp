#include "platform/Progress.h"

#include <algorithm>

void TProgress::ApplyStart(int count, const QString& title)
{
    fApply = true;
    fDec = fShowApply || count > WindowThreshold;
    fTitle = title;
    fMaximum = std::max(count, 0);
    fPosition = 0;
    if (fDec)
        ShowWindow();
}

void TProgress::SetProgress(int value)
{
    if (fNotFile) {
        fPosition = std::clamp(value, 0, fMaximum);
        MoveGauge(fPosition);
    }
    ProcessPending();
}

void TProgress::Close()
{
    if (fDec)
        HideWindow();
    fDec = false;
}

void THeadlessProgress::ProcessPending()
{
    ++fCalls;
    if (fCancelAt >= 0 && fLastValue == fCancelAt)
        Cancel();
}
