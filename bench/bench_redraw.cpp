// "Redraw Frames" of a busy project: 200 frames of 640 x 480 with 40 figures
// of mixed kinds (some rotated, some with text, two GIF pictures), each moving
// between a key frame at the start and one at the end.
#include "bench/BenchFigures.h"
#include "editor/core/EditorCore.h"
#include "platform/ScriptedDialogs.h"

#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int kFrames = 200;
constexpr int kFigures = 40;

QString WriteGif(const QString& folder, const QString& name, int frames)
{
    TZGIFImage gif;
    for (int i = 0; i < frames; ++i) {
        TBitmap b(80, 60);
        TEditorCore::FillBitmap(b, i % 2 ? 0x00C000 : 0xC00000, 80, 60);
        b.Canvas().Brush.Color = 0x0000FF;
        b.Canvas().FillRect({i * 5 % 70, 10, i * 5 % 70 + 10, 50});
        gif.AddFrame(b);
        gif.Frames(i).SetAnimateInterval(80);
    }
    const QString path = QDir(folder).filePath(name);
    gif.SaveToFile(path);
    return path;
}

void BuildProject(TEditorCore& core, const QString& folder)
{
    core.NewProject();
    core.FramePanelResize(640, 480);
    const QString gifs[] = {WriteGif(folder, QStringLiteral("a.gif"), 12), WriteGif(folder, QStringLiteral("b.gif"), 7)};
    for (int n = 0; n < kFigures; ++n) {
        bench::SetBenchDefaults(core.DefaultParam, n);
        const bool picture = n == 7 || n == 23;
        core.QNewFigure(picture ? qfPicture : bench::BenchKind(n), picture ? gifs[n == 7 ? 0 : 1] : QString());
        // The figure crosses the frame from its first key frame to a last one.
        const int num = core.Doc.FigureCount() - 1;
        TQFigure& fig = core.Doc.Animation.Figures[size_t(num)];
        fig.All = false;
        fig.Start = 0;
        fig.Count = kFrames;
        core.Doc.CurIndex = kFrames - 1;
        fig.Obj->Left += 100;
        fig.Obj->Top += 50;
        core.Doc.SetFig(num);
        core.Doc.CurIndex = 0;
        core.Doc.GetFig(num);
    }
    core.ClearAllDrawObjFocuses();
    core.CountFocusedDrawObjs();
}

void BM_RedrawFrames(benchmark::State& state)
{
    TScriptedDialogs dialogs;
    THeadlessProgress progress;
    TEditorCore core(dialogs, progress);
    QTemporaryDir folder;
    BuildProject(core, folder.path());
    // Argument: threads packing the frames (-1 one per core), or -2 for no packing.
    const int threads = int(state.range(0));
    core.Animation().SetPackFrames(threads >= -1, threads);
    for (auto _ : state) {
        core.RedrawAnimation();
        if (core.FrameCount() != kFrames)
            state.SkipWithError("wrong frame count");
    }
    state.counters["frames/s"] = benchmark::Counter(double(kFrames) * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_RedrawFrames)->Unit(benchmark::kMillisecond)->MinTime(3.0)->ArgName("pack_threads")->Arg(-1)->Arg(1)->Arg(-2);

} // namespace
