// The key-frame engine: merging key frames into a state and computing a
// figure's property set at any frame, interpolated between key frames.
#include "model/Document.h"

#include <algorithm>
#include <cmath>

namespace {

// b + Round((e - b) * t), the product in extended precision and rounded half
// to even. With t in 0..1 the result lies between b and e, so it fits.
int32_t Interpolate(int32_t b, int32_t e, long double t)
{
    const long double diff = static_cast<long double>(static_cast<int64_t>(e) - b);
    const auto step = static_cast<int64_t>(std::nearbyint(diff * t));
    return static_cast<int32_t>(b + step);
}

// Each of the three colour bytes on its own; the top byte of the result is 0.
TColor InterpolateColor(TColor b, TColor e, long double t)
{
    TColor result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const auto bc = static_cast<int32_t>((b >> shift) & 0xFF);
        const auto ec = static_cast<int32_t>((e >> shift) & 0xFF);
        result |= (static_cast<TColor>(Interpolate(bc, ec, t)) & 0xFF) << shift;
    }
    return result;
}

} // namespace

int TDocument::FindProp(const TQChange& chan, TQPropName name, int number)
{
    for (size_t i = 0; i < chan.size(); ++i)
        if (chan[i].Name == name && (name != qpNode || chan[i].Number == number))
            return static_cast<int>(i);
    return -1;
}

void TDocument::DelProp(int num, TQChange& chan)
{
    if (num >= 0 && num < static_cast<int>(chan.size()))
        chan.erase(chan.begin() + num);
}

TQChange TDocument::AddChan(const TQChange& base, const TQChange& changes)
{
    TQChange result = base;
    bool hasNodeCount = false;
    int nodeCount = 0;
    for (const TQPropValue& e : changes) {
        // Looked up in the base as it was, not in the growing result.
        const int j = FindProp(base, e.Name, e.Number);
        if (j < 0)
            result.push_back(e);
        else
            result[j] = e;
        if (e.Name == qpNodeCount) {
            hasNodeCount = true;
            nodeCount = e.IntValue;
        }
    }
    if (hasNodeCount) {
        int i = 0;
        while (i < static_cast<int>(result.size())) {
            if (result[i].Name == qpNode && result[i].Number >= nodeCount)
                DelProp(i, result);
            else
                ++i;
        }
    }
    return result;
}

TQChange TDocument::AddChanAll(const TQFigure& fig, int lst)
{
    TQChange result;
    const int last = std::min(lst, static_cast<int>(fig.Frames.size()) - 1);
    for (int i = 0; i <= last; ++i)
        result = AddChan(result, fig.Frames[i].Change);
    return result;
}

TQChange TDocument::GetChange(int num)
{
    CurFrame = -1;
    PrevFrame = -1;
    const TQFigure* fig = Figure(num);
    if (!fig)
        return {};
    const TQFrArr& k = fig->Frames;
    const int n = static_cast<int>(k.size());
    const int c = CurIndex;
    if (n == 0 || c < k[0].Number)
        return {};
    if (k[n - 1].Number < c) {
        PrevFrame = n - 1;
        return AddChanAll(*fig, n - 1);
    }
    for (int i = 0; i < n; ++i) {
        if (k[i].Number == c) {
            CurFrame = i;
            PrevFrame = i;
            return AddChanAll(*fig, i);
        }
        if (i < n - 1 && k[i].Number < c && c < k[i + 1].Number) {
            PrevFrame = i;
            const TQChange base = AddChanAll(*fig, i);
            TQChange result = base;
            const long double t = (1.0L / (static_cast<long double>(k[i + 1].Number) - k[i].Number))
                                  * (static_cast<long double>(c) - k[i].Number);
            for (const TQPropValue& e : k[i + 1].Change) {
                // A property first set at the next key frame does not exist before it.
                const int j = FindProp(base, e.Name, e.Name == qpNode ? e.Number : 0);
                if (j < 0)
                    continue;
                TQPropValue& r = result[j];
                const TQPropValue& b = base[j];
                switch (PropKind(e.Name)) {
                case TQPropKind::Next:
                    r = e;
                    break;
                case TQPropKind::Interpolated:
                    r.IntValue = Interpolate(b.IntValue, e.IntValue, t);
                    break;
                case TQPropKind::NodeInterpolated:
                    r.Value.X = Interpolate(b.Value.X, e.Value.X, t);
                    r.Value.Y = Interpolate(b.Value.Y, e.Value.Y, t);
                    break;
                case TQPropKind::ColorInterpolated:
                    r.Color = InterpolateColor(b.Color, e.Color, t);
                    break;
                case TQPropKind::Held:
                    break;
                }
            }
            return result;
        }
    }
    return {};
}
