#include "gif/ViewerCanvas.h"

#include <cstring>

TViewerCanvas::TViewerCanvas(int width, int height) : fScreen(width, height, QImage::Format_ARGB32)
{
    fScreen.fill(0);
}

void TViewerCanvas::Draw(const QImage& argb32, QPoint origin, TDisposalMethod disposal)
{
    const QRect screen = fScreen.rect();
    if (fLastDisposal == TDisposalMethod::dmRestoreBackground) {
        for (int y = fLastRect.top(); y <= fLastRect.bottom(); ++y)
            std::memset(fScreen.scanLine(y) + fLastRect.left() * 4, 0, size_t(fLastRect.width()) * 4);
    } else if (fLastDisposal == TDisposalMethod::dmRestorePrevious && !fSaved.isNull()) {
        fScreen = fSaved;
    }
    const QRect rect = QRect(origin, argb32.size()) & screen;
    if (disposal == TDisposalMethod::dmRestorePrevious) {
        fSaved = fScreen;
        fSaved.detach();
    }
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        const QRgb* in = reinterpret_cast<const QRgb*>(argb32.constScanLine(y - origin.y()));
        auto* out = reinterpret_cast<QRgb*>(fScreen.scanLine(y));
        for (int x = rect.left(); x <= rect.right(); ++x)
            if (const QRgb c = in[x - origin.x()]; c != 0)
                out[x] = c;
    }
    fLastRect = rect;
    fLastDisposal = disposal;
}

namespace {

template <typename Differs>
QRect BoundingRect(const QImage& a, const QImage& b, Differs differs)
{
    const int w = a.width(), h = a.height();
    int left = w, right = -1, top = -1, bottom = -1;
    for (int y = 0; y < h; ++y) {
        const QRgb* p = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const QRgb* q = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        int x = 0;
        while (x < w && !differs(p[x], q[x]))
            ++x;
        if (x == w)
            continue;
        if (top < 0)
            top = y;
        bottom = y;
        left = std::min(left, x);
        int r = w - 1;
        while (r > right && !differs(p[r], q[r]))
            --r;
        right = std::max(right, r);
    }
    return top < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

} // namespace

QRect ChangedRect(const QImage& before, const QImage& after)
{
    return BoundingRect(before, after, [](QRgb p, QRgb q) { return p != q; });
}

QRect ClearedRect(const QImage& before, const QImage& after)
{
    return BoundingRect(before, after, [](QRgb p, QRgb q) { return p != 0 && q == 0; });
}
