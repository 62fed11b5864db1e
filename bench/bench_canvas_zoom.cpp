// Dragging a figure on a zoomed canvas: a 640 x 480 frame with 40 figures at
// 400 %; each step is one pointer move (the core repaints its canvas bitmap)
// and the view painting the visible part magnified, as the canvas widget
// does, into a 1280 x 800 viewport. Items per second are frames per second.
#include "editor/core/CanvasZoom.h"
#include "bench/BenchFigures.h"
#include "editor/core/EditorCore.h"
#include "platform/ScriptedDialogs.h"

#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

namespace {

constexpr int kFigures = 40;

void BuildCanvas(TEditorCore& core)
{
    core.NewProject();
    core.FramePanelResize(640, 480);
    for (int n = 0; n < kFigures; ++n) {
        bench::SetBenchDefaults(core.DefaultParam, n);
        core.QNewFigure(bench::BenchKind(n));
    }
}

void BM_ZoomedCanvasDrag(benchmark::State& state)
{
    TScriptedDialogs dialogs;
    THeadlessProgress progress;
    TEditorCore core(dialogs, progress);
    BuildCanvas(core);
    TCanvasZoom zoom;
    zoom.SetPercent(static_cast<int>(state.range(0)));

    // The last figure (a rectangle on top) is grabbed in its middle.
    core.DefaultParam.Left = 200;
    core.DefaultParam.Top = 150;
    core.QNewFigure(qfRectangle);
    const TDrawObject& grabbed = *core.DrObj();
    const TPoint start{grabbed.Left + grabbed.Coord + 30, grabbed.Top + grabbed.Coord + 20};
    core.FramePanelMouseDown(TMouseButton::mbLeft, ssLeft, start.X, start.Y);

    QImage viewport(1280, 800, QImage::Format_RGB32);
    // The view scrolled so that the grabbed figure is in the middle.
    const QPoint scroll(static_cast<int>(start.X * zoom.Factor()) - 640, static_cast<int>(start.Y * zoom.Factor()) - 400);
    int step = 0;
    for (auto _ : state) {
        const int dx = step % 40 < 20 ? step % 20 : 20 - step % 20;
        core.FramePanelMouseMove(ssLeft, start.X + dx, start.Y + dx / 2);
        QPainter painter(&viewport);
        painter.translate(-scroll);
        zoom.Paint(painter, core.FramePanelBMP().ConstImage(), QRect(scroll, viewport.size()));
        ++step;
    }
    core.FramePanelMouseUp(TMouseButton::mbLeft, 0, start.X, start.Y);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ZoomedCanvasDrag)->Arg(100)->Arg(400)->Arg(800)->Unit(benchmark::kMillisecond);

} // namespace
