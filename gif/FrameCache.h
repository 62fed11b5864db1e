#pragma once
// TFrameCache: the decoded bitmaps of an image's packed or encoded frames that
// are kept for reuse, least recently used first, up to a budget of bytes.
// Touching a frame that pushes the cache over its budget drops the bitmaps of
// the frames used longest ago (never the one touched); they decode again on
// their next access.
#include <cstdint>
#include <vector>

class TZGIFFrame;

class TFrameCache {
public:
    explicit TFrameCache(int64_t budget) : fBudget(budget) {}

    // The frame's bitmap of `bytes` was just made or used.
    void Touch(TZGIFFrame& frame, int64_t bytes);
    // The frame's bitmap is gone, or the frame itself.
    void Forget(const TZGIFFrame& frame);

    int64_t Budget() const { return fBudget; }
    void SetBudget(int64_t bytes);
    int64_t Bytes() const { return fBytes; }
    int Count() const { return int(fEntries.size()); }

private:
    void Trim(const TZGIFFrame* keep);

    struct TEntry {
        TZGIFFrame* Frame;
        int64_t Bytes;
    };
    int64_t fBudget;
    int64_t fBytes = 0;
    std::vector<TEntry> fEntries; // least recently used first
};
