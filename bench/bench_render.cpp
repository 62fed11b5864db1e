// "zembra render PROJECT.zembra --gif OUT.gif" in-process on the project of
// BenchProject.h: opening it, "Redraw Frames" and writing the GIF.
//
// bench_render --write-project=PATH [--frames=N] [--gif-frames=M] only writes
// that project (N frames long, a background GIF of M frames; 100 and 100 by
// default) to PATH and exits, so that the real binary can be measured on it
// (measure-render.sh).
#include "bench/BenchProject.h"
#include "cli/RenderCommand.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <malloc.h>
#include <optional>

namespace {

// Writes the project; the error text when it fails.
std::optional<QString> WriteProject(const QString& path, int frames, int gifFrames)
{
    bench::TBenchProject project;
    project.Fill(frames, gifFrames);
    if (!project.File.Write(path))
        return project.File.ErrorText();
    return std::nullopt;
}

QTemporaryDir& Folder()
{
    static QTemporaryDir dir;
    return dir;
}

// The resident memory high-water mark in MiB: VmHWM, which can be reset (see
// ResetPeak), else the process's lifetime peak.
double PeakMiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly))
        for (const QByteArray& line : status.readAll().split('\n'))
            if (line.startsWith("VmHWM:"))
                return line.mid(6).trimmed().split(' ').first().toDouble() / 1024;
    return bench::PeakMiB();
}

// Lowers the high-water mark to what is resident now, so that building the
// project in memory does not count toward the render's peak. The heap it
// freed goes back to the system first.
void ResetPeak()
{
    malloc_trim(0);
    QFile refs(QStringLiteral("/proc/self/clear_refs"));
    if (refs.open(QIODevice::WriteOnly))
        refs.write("5");
}

void BM_Render(benchmark::State& state)
{
    const QString project = QDir(Folder().path()).filePath(QStringLiteral("render.zembra"));
    const QString gif = QDir(Folder().path()).filePath(QStringLiteral("render.gif"));
    if (!QFileInfo::exists(project))
        if (const auto error = WriteProject(project, bench::kProjectFrames, bench::kProjectFrames)) {
            state.SkipWithError(error->toStdString().c_str());
            return;
        }
    ResetPeak();
    const double before = PeakMiB();
    state.counters["start_MiB"] = before;
    for (auto _ : state)
        if (RunRenderCommand({project, QStringLiteral("--gif"), gif}) != 0) {
            state.SkipWithError("zembra render failed");
            return;
        }
    state.counters["peak_MiB"] = PeakMiB();
    state.counters["rise_MiB"] = PeakMiB() - before;
    state.counters["gif_MiB"] = double(QFileInfo(gif).size()) / (1 << 20);
    state.counters["frames/s"] = benchmark::Counter(double(state.iterations()) * bench::kProjectFrames,
                                                    benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Render)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    std::optional<QString> path;
    int frames = bench::kProjectFrames;
    int gifFrames = bench::kProjectFrames;
    auto value = [](const char* arg, const char* flag) -> const char* {
        return std::strncmp(arg, flag, std::strlen(flag)) == 0 ? arg + std::strlen(flag) : nullptr;
    };
    for (int i = 1; i < argc; ++i) {
        if (const char* v = value(argv[i], "--write-project="))
            path = QString::fromLocal8Bit(v);
        else if (const char* n = value(argv[i], "--frames="))
            frames = std::atoi(n);
        else if (const char* m = value(argv[i], "--gif-frames="))
            gifFrames = std::atoi(m);
    }
    if (path) {
        if (path->isEmpty()) {
            std::fputs("--write-project needs a path\n", stderr);
            return 1;
        }
        if (frames < 1 || gifFrames < 1 || frames > 100000 || gifFrames > 100000) {
            std::fputs("--frames and --gif-frames take 1 to 100000\n", stderr);
            return 1;
        }
        if (const auto error = WriteProject(*path, frames, gifFrames)) {
            std::fprintf(stderr, "%s\n", error->toUtf8().constData());
            return 1;
        }
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
