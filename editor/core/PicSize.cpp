#include "editor/core/PicSize.h"

#include <climits>
#include <cmath>

namespace {

int RoundHalfEven(long double value)
{
    const long double r = std::nearbyint(value);
    if (r >= static_cast<long double>(INT_MAX))
        return INT_MAX;
    if (r <= static_cast<long double>(INT_MIN))
        return INT_MIN;
    return static_cast<int>(r);
}

TSize FitToWidth(int W, int w, int h)
{
    return {W, w == 0 ? h : RoundHalfEven(static_cast<long double>(W) / w * h)};
}

TSize FitToHeight(int H, int w, int h)
{
    return {h == 0 ? w : RoundHalfEven(static_cast<long double>(H) / h * w), H};
}

} // namespace

TSize GetPicSize(int boxWidth, int boxHeight, int picWidth, int picHeight)
{
    if (picHeight < picWidth) {
        const TSize r = FitToWidth(boxWidth, picWidth, picHeight);
        return r.cy > boxHeight ? FitToHeight(boxHeight, picWidth, picHeight) : r;
    }
    const TSize r = FitToHeight(boxHeight, picWidth, picHeight);
    return r.cx > boxWidth ? FitToWidth(boxWidth, picWidth, picHeight) : r;
}
