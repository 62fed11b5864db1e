// Saving and opening a sizeable project (see BenchProject.h): a 100-frame
// 640 x 480 background GIF, the same frames as the rendered animation, and 20
// figures of every kind with two key frames each.
#include "bench/BenchProject.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

using bench::PeakMiB;
using bench::TBenchProject;

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
    state.counters["peak_MiB"] = PeakMiB();
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
    state.counters["peak_MiB"] = PeakMiB();
}
BENCHMARK(BM_ReadProject)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
