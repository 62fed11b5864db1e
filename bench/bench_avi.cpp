// AVI export throughput: 640 x 480 frames through the engine's on-the-fly
// Motion-JPEG path, against ffmpeg's mjpeg encoder (one thread) on the same
// frames (raw BGRA read from a file), in one run; frames per second of wall
// time and of CPU time. A second benchmark writes 10 times as
// many frames and reports how much the resident memory grew meanwhile.
//
//   build-bench/bench/bench_avi --benchmark_counters_tabular=true
#include "aviwriter/AviWriterEngine.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int Width = 640, Height = 480, FrameCount = 100;

// A frame with smooth gradients, edges and a little texture, moving per frame.
std::vector<uint8_t> Frame(int n)
{
    std::vector<uint8_t> px(size_t(Width) * Height * 4);
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x) {
            uint8_t* p = &px[(size_t(y) * Width + x) * 4];
            const int u = x + 3 * n, v = y + 2 * n;
            p[0] = uint8_t(u / 3 + ((u ^ v) & 15));
            p[1] = uint8_t(v / 2 + (((u / 40 + v / 40) & 1) ? 60 : 0));
            p[2] = uint8_t((u * v) >> 10);
            p[3] = 0;
        }
    return px;
}

const std::vector<std::vector<uint8_t>>& Frames()
{
    static const std::vector<std::vector<uint8_t>> frames = [] {
        std::vector<std::vector<uint8_t>> f;
        for (int i = 0; i < FrameCount; ++i)
            f.push_back(Frame(i));
        return f;
    }();
    return frames;
}

// CPU seconds of this process, or of its finished children.
double CpuSeconds(int who)
{
    rusage u{};
    getrusage(who, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

long ResidentKiB()
{
    long pages = 0, resident = 0;
    if (std::FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// Writes `count` frames (cycling through the prepared ones) as the export does.
void WriteMjpg(const std::string& file, int count, int quality, long* residentAfterFirst = nullptr)
{
    avi::TAviWriterEngine e;
    e.SetAWidth(Width);
    e.SetAHeight(Height);
    e.SetFrameTime(40);
    e.SetCompressionQuality(quality);
    e.SetCompression("MJPG");
    e.Setfilename(file);
    ZBitmapSection empty{};
    e.InitVideo(ZBitmapHandleOf(&empty));
    for (int i = 0; i < count; ++i) {
        const std::vector<uint8_t>& px = Frames()[size_t(i % FrameCount)];
        const ZBitmapSection s{Width, Height, 32, Width * 4, 0, nullptr, px.data()};
        e.AddFrame(ZBitmapHandleOf(&s));
        if (residentAfterFirst && i == FrameCount - 1)
            *residentAfterFirst = ResidentKiB();
    }
    e.FinalizeVideo();
    e.WriteAvi();
}

void BM_ZembraMjpg(benchmark::State& state)
{
    QTemporaryDir dir;
    const std::string file = dir.filePath(QStringLiteral("zembra.avi")).toStdString();
    Frames();
    const double cpu = CpuSeconds(RUSAGE_SELF);
    for (auto _ : state)
        WriteMjpg(file, FrameCount, int(state.range(0)));
    state.counters["frames/s"] = benchmark::Counter(FrameCount, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["frames/cpu s"] = double(FrameCount) * double(state.iterations()) / (CpuSeconds(RUSAGE_SELF) - cpu);
    state.counters["KiB/frame"] = double(QFileInfo(QString::fromStdString(file)).size()) / 1024 / FrameCount;
}

// ffmpeg -c:v mjpeg with -q:v chosen near libjpeg's quality of the same run.
void BM_FfmpegMjpg(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString raw = dir.filePath(QStringLiteral("frames.raw"));
    {
        QFile f(raw);
        f.open(QIODevice::WriteOnly);
        for (const auto& px : Frames())
            f.write(reinterpret_cast<const char*>(px.data()), qint64(px.size()));
    }
    const QString out = dir.filePath(QStringLiteral("ffmpeg.avi"));
    const double cpu = CpuSeconds(RUSAGE_CHILDREN);
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        QProcess p;
        p.start(QStringLiteral("ffmpeg"),
                {"-v", "error", "-y", "-f", "rawvideo", "-pix_fmt", "bgra", "-s", "640x480", "-r", "25", "-i", raw,
                 "-c:v", "mjpeg", "-pix_fmt", "yuvj420p", "-q:v", QString::number(state.range(0)), "-threads", "1", out});
        p.waitForFinished(-1);
        state.SetIterationTime(double(timer.nsecsElapsed()) / 1e9);
    }
    state.counters["frames/s"] = benchmark::Counter(FrameCount, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["frames/cpu s"] =
        double(FrameCount) * double(state.iterations()) / (CpuSeconds(RUSAGE_CHILDREN) - cpu);
    state.counters["KiB/frame"] = double(QFileInfo(out).size()) / 1024 / FrameCount;
}

// Memory: resident size after 100 frames and after 1000.
void BM_ZembraMjpgMemory(benchmark::State& state)
{
    QTemporaryDir dir;
    const std::string file = dir.filePath(QStringLiteral("long.avi")).toStdString();
    long first = 0, last = 0;
    for (auto _ : state) {
        WriteMjpg(file, 10 * FrameCount, 7500, &first);
        last = ResidentKiB();
    }
    state.counters["RSS@100 KiB"] = double(first);
    state.counters["RSS@1000 KiB"] = double(last);
    state.counters["growth KiB"] = double(last - first);
}

} // namespace

BENCHMARK(BM_ZembraMjpg)->Arg(7500)->Arg(5000)->Unit(benchmark::kMillisecond)->MinTime(2)->UseRealTime();
BENCHMARK(BM_FfmpegMjpg)->Arg(4)->Arg(8)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);
BENCHMARK(BM_ZembraMjpgMemory)->Unit(benchmark::kMillisecond)->Iterations(1);
