// Saving and opening a sizeable project: a 100-frame 640 x 480 background GIF
// (its composites made on opening), the same frames as the rendered animation,
// and 20 figures of every kind with two key frames each.
#include "gif/ZGIFImage.h"
#include "model/Document.h"
#include "model/FigureFactory.h"
#include "model/GIFComposites.h"
#include "model/ProjectFile.h"
#include "platform/Canvas.h"
#include "platform/Progress.h"

#include <QDir>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sys/resource.h>

namespace {

TZGIFImage MakeBackground(int frames)
{
    TZGIFImage gif;
    for (int i = 0; i < frames; ++i) {
        TBitmap bitmap(640, 480);
        TCanvas canvas(bitmap);
        for (int band = 0; band < 16; ++band) {
            canvas.Brush.Color = RGB(uint8_t(band * 16), uint8_t(255 - band * 12), uint8_t((i * 5 + band * 9) % 256));
            canvas.FillRect(TRect{0, band * 30, 640, band * 30 + 30});
        }
        canvas.Brush.Color = clRed;
        canvas.Ellipse(i * 5, 100, i * 5 + 80, 180);
        const int index = gif.AddFrame(bitmap);
        gif.Frames(index).SetAnimateInterval(40);
    }
    return gif;
}

struct TBenchProject {
    TDocument Doc;
    TZGIFImage Animation;
    THeadlessProgress Progress;
    TProjectFile File{Doc, Animation, Progress};

    void Fill()
    {
        Doc.ClearProject();
        Doc.Animation.BackGIF = MakeBackground(100);
        Doc.BackNum = AddBMPArr(Doc, Doc.Animation.BackGIF, Progress);
        Animation = Doc.Animation.BackGIF;
        Doc.ImgWidth = 640;
        Doc.ImgHeight = 480;
        for (int n = 0; n < 20; ++n) {
            const auto kind = TQFigName(n % kFigNameCount == qfArc ? qfRectangle : n % kFigNameCount);
            auto obj = CreateDrawObject(kind);
            obj->Left = 10 + n * 25;
            obj->Top = 20 + n * 15;
            const int num = Doc.NewFigure(kind, std::move(obj), 0);
            Doc.Animation.Figures[size_t(num)].Count = 100;
            Doc.StoreNewFigure(num);
            Doc.CurIndex = 99;
            Doc.GetFig(num);
            Doc.Animation.Figures[size_t(num)].Obj->Left += 200;
            Doc.SetFig(num);
            Doc.CurIndex = 0;
        }
        Doc.OldFrame = 0;
        Doc.GetAnim();
    }
};

long PeakKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

QTemporaryDir& Folder()
{
    static QTemporaryDir dir;
    return dir;
}

void BM_WriteProject(benchmark::State& state)
{
    TBenchProject project;
    project.Fill();
    const QString path = Folder().path() + "/bench.zembra";
    for (auto _ : state)
        if (!project.File.Write(path))
            state.SkipWithError(project.File.ErrorText().toStdString().c_str());
    state.counters["peak_MiB"] = double(PeakKiB()) / 1024;
    state.counters["file_MiB"] = double(QFileInfo(Folder().path() + "/benchFiles/BackGIF.gif").size()
                                        + QFileInfo(Folder().path() + "/benchFiles/Anim.gif").size()) / (1 << 20);
}
BENCHMARK(BM_WriteProject)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ReadProject(benchmark::State& state)
{
    const QString path = Folder().path() + "/bench.zembra";
    for (auto _ : state) {
        TBenchProject project;
        project.Doc.ClearProject();
        if (!project.File.Read(path))
            state.SkipWithError(project.File.ErrorText().toStdString().c_str());
        benchmark::DoNotOptimize(project.Doc.BMPGIF.size());
    }
    state.counters["peak_MiB"] = double(PeakKiB()) / 1024;
}
BENCHMARK(BM_ReadProject)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
