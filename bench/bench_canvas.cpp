// Canvas figures: frames are rendered by blitting many small cached bitmaps
// (colour-keyed, sometimes rotated), and the figures draw shapes and text.
#include "platform/Canvas.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

TBitmap MakeFigure()
{
    TBitmap fig(60, 40);
    TCanvas& c = fig.Canvas();
    c.Brush.Color = RGB(7, 7, 7);
    c.FillRect({0, 0, 60, 40});
    c.Pen.Width = 2;
    c.Brush.Color = clYellow;
    c.Ellipse(2, 2, 58, 38);
    fig.SetTransparent(true);
    fig.SetTransparentColor(RGB(7, 7, 7));
    return fig;
}

void BM_KeyedBlit(benchmark::State& state)
{
    TBitmap fig = MakeFigure();
    TBitmap frame(400, 300);
    for (auto _ : state)
        for (int i = 0; i < 100; ++i)
            frame.Canvas().Draw((i * 37) % 340, (i * 23) % 260, fig);
    frame.Canvas().Flush();
    state.SetItemsProcessed(state.iterations() * 100);
}
BENCHMARK(BM_KeyedBlit);

void BM_RotatedKeyedBlit(benchmark::State& state)
{
    TBitmap fig = MakeFigure();
    TBitmap frame(400, 300);
    const float a = 0.5f, s = std::sin(a), c = std::cos(a);
    for (auto _ : state)
        for (int i = 0; i < 100; ++i) {
            const float cx = float((i * 37) % 340 + 30), cy = float((i * 23) % 260 + 20);
            frame.Canvas().SetWorldTransform({c, s, -s, c, cx - cx * c + cy * s, cy - cx * s - cy * c});
            frame.Canvas().Draw(int(cx) - 30, int(cy) - 20, fig);
            frame.Canvas().ResetWorldTransform();
        }
    frame.Canvas().Flush();
    state.SetItemsProcessed(state.iterations() * 100);
}
BENCHMARK(BM_RotatedKeyedBlit);

// A figure redrawn from scratch: clear, shape, outline, text.
void BM_FigureRedraw(benchmark::State& state)
{
    TBitmap fig(120, 80);
    TCanvas& c = fig.Canvas();
    c.Font.Size = 10;
    for (auto _ : state) {
        c.Brush.Style = TBrushStyle::bsSolid;
        c.Brush.Color = RGB(7, 7, 7);
        c.FillRect({0, 0, 120, 80});
        c.Pen.Width = 3;
        c.Brush.Color = clAqua;
        c.RoundRect(4, 4, 116, 76, 20, 20);
        c.Pen.Width = 1;
        c.TextOut(20, 30, "Hello, Zembra");
        c.Flush();
    }
}
BENCHMARK(BM_FigureRedraw);

void BM_ThinLines(benchmark::State& state)
{
    TBitmap bmp(400, 300);
    TCanvas& c = bmp.Canvas();
    c.Pen.Style = TPenStyle::psDash;
    for (auto _ : state)
        for (int i = 0; i < 100; ++i) {
            c.MoveTo(i, 0);
            c.LineTo(399 - i, 299);
        }
    c.Flush();
    state.SetItemsProcessed(state.iterations() * 100);
}
BENCHMARK(BM_ThinLines);

} // namespace
