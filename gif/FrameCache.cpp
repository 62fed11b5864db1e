#include "gif/FrameCache.h"

#include "gif/ZGIFFrame.h"

#include <algorithm>

void TFrameCache::Touch(TZGIFFrame& frame, int64_t bytes)
{
    const auto at = std::find_if(fEntries.begin(), fEntries.end(), [&](const TEntry& e) { return e.Frame == &frame; });
    if (at != fEntries.end()) {
        fBytes -= at->Bytes;
        fEntries.erase(at);
    }
    fEntries.push_back({&frame, bytes});
    fBytes += bytes;
    Trim(&frame);
}

void TFrameCache::Forget(const TZGIFFrame& frame)
{
    const auto at = std::find_if(fEntries.begin(), fEntries.end(), [&](const TEntry& e) { return e.Frame == &frame; });
    if (at == fEntries.end())
        return;
    fBytes -= at->Bytes;
    fEntries.erase(at);
}

void TFrameCache::SetBudget(int64_t bytes)
{
    fBudget = bytes;
    Trim(nullptr);
}

void TFrameCache::Trim(const TZGIFFrame* keep)
{
    while (fBytes > fBudget && !fEntries.empty() && fEntries.front().Frame != keep) {
        const TEntry victim = fEntries.front();
        fEntries.erase(fEntries.begin());
        fBytes -= victim.Bytes;
        victim.Frame->DropCachedBitmap(); // a frame that cannot drop it keeps it, uncounted
    }
}
