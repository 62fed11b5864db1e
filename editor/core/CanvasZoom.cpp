#include "editor/core/CanvasZoom.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr std::array<int, 11> kSteps{25, 33, 50, 67, 100, 150, 200, 300, 400, 600, 800};

} // namespace

void TCanvasZoom::SetPercent(int percent)
{
    fPercent = std::clamp(percent, MinPercent, MaxPercent);
}

int TCanvasZoom::StepIn() const
{
    for (const int step : kSteps)
        if (step > fPercent)
            return step;
    return MaxPercent;
}

int TCanvasZoom::StepOut() const
{
    for (auto it = kSteps.rbegin(); it != kSteps.rend(); ++it)
        if (*it < fPercent)
            return *it;
    return MinPercent;
}

int TCanvasZoom::FitPercent(TSize frame, TSize view)
{
    if (frame.cx < 1 || frame.cy < 1 || view.cx < 1 || view.cy < 1)
        return 100;
    const int byWidth = view.cx * 100 / frame.cx;
    const int byHeight = view.cy * 100 / frame.cy;
    return std::clamp(std::min(byWidth, byHeight), MinPercent, MaxPercent);
}

TPoint TCanvasZoom::ToFrame(double x, double y) const
{
    const double f = Factor();
    return {static_cast<int>(std::floor(x / f)), static_cast<int>(std::floor(y / f))};
}

TSize TCanvasZoom::ToScreen(TSize frame) const
{
    const double f = Factor();
    return {static_cast<int>(std::ceil(frame.cx * f)), static_cast<int>(std::ceil(frame.cy * f))};
}

TPoint TCanvasZoom::ScrollKeeping(double frameX, double frameY, double viewX, double viewY) const
{
    const double f = Factor();
    return {static_cast<int>(std::lround(frameX * f - viewX)), static_cast<int>(std::lround(frameY * f - viewY))};
}

int TCanvasZoom::FramePixels(int screenPixels) const
{
    return std::max(1, static_cast<int>(std::ceil(screenPixels / Factor())));
}

void TCanvasZoom::Paint(QPainter& painter, const QImage& frame, const QRect& exposed) const
{
    const double f = Factor();
    const int x0 = std::max(0, static_cast<int>(std::floor(exposed.left() / f)));
    const int y0 = std::max(0, static_cast<int>(std::floor(exposed.top() / f)));
    const int x1 = std::min(frame.width(), static_cast<int>(std::ceil((exposed.right() + 1) / f)));
    const int y1 = std::min(frame.height(), static_cast<int>(std::ceil((exposed.bottom() + 1) / f)));
    if (x1 <= x0 || y1 <= y0)
        return;
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(QRectF(x0 * f, y0 * f, (x1 - x0) * f, (y1 - y0) * f), frame, QRectF(x0, y0, x1 - x0, y1 - y0));
}
