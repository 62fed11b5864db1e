// GIF codec throughput on 50 frames of 640 x 480 in three kinds of content,
// with giflib's decoder, ffmpeg (palettegen/paletteuse, no dithering) and
// ImageMagick's convert (no dithering) measured in the same run.
//
//   build-bench/bench/bench_gif --benchmark_counters_tabular=true
#include "gif/ZGIFImage.h"

#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstring>
#include <gif_lib.h>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <sys/resource.h>

namespace {

constexpr int Width = 640, Height = 480, FrameCount = 50;
constexpr double Pixels = double(Width) * Height * FrameCount;

enum class TKind { Flat, Screen, Photo };
const char* const KindNames[] = {"flat", "screen", "photo"};

// Flat vector drawing: solid shapes from a 48-colour palette, moving per frame.
QImage FlatFrame(int frame)
{
    QImage image(Width, Height, QImage::Format_RGB32);
    image.fill(0xFFF0F0E0);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    std::mt19937 rng(1);
    for (int i = 0; i < 60; ++i) {
        const QColor c = QColor::fromHsv(int(rng() % 16) * 22, 200, 120 + int(rng() % 3) * 60);
        p.setBrush(c);
        p.setPen(QPen(Qt::black, 2));
        const int x = int(rng() % Width) + frame * (i % 5 - 2) * 3, y = int(rng() % Height) + frame * (i % 3 - 1) * 2;
        const int w = 20 + int(rng() % 120), h = 20 + int(rng() % 90);
        if (i % 3 == 0)
            p.drawEllipse(x, y, w, h);
        else if (i % 3 == 1)
            p.drawRect(x, y, w, h);
        else
            p.drawPolygon(QPolygon({QPoint(x, y), QPoint(x + w, y + h / 2), QPoint(x, y + h)}));
    }
    return image;
}

// Screen content: window chrome, panels, lists of anti-aliased text, icons.
QImage ScreenFrame(int frame)
{
    QImage image(Width, Height, QImage::Format_RGB32);
    image.fill(0xFFFFFFFF);
    QPainter p(&image);
    p.fillRect(0, 0, Width, 28, QColor(0x2B, 0x57, 0x9A));
    p.fillRect(0, 28, 160, Height - 28, QColor(0xF3, 0xF3, 0xF3));
    for (int i = 0; i < 12; ++i)
        p.fillRect(8, 40 + i * 30, 16, 16, QColor::fromHsv(i * 30, 160, 220));
    QFont font("DejaVu Sans", 9);
    p.setFont(font);
    p.setPen(Qt::white);
    QFont title = font;
    title.setStyleStrategy(QFont::NoAntialias);
    p.setFont(title);
    p.drawText(10, 19, "Zembra - animation.zembra");
    p.setFont(font);
    p.setPen(QColor(0x20, 0x20, 0x20));
    QFont plain = font;
    plain.setStyleStrategy(QFont::NoAntialias);
    p.setFont(plain);
    for (int i = 0; i < 12; ++i)
        p.drawText(30, 53 + i * 30, QString("Layer %1").arg(i + 1));
    p.setFont(font);
    for (int line = 0; line < 26; ++line)
        p.drawText(175, 50 + line * 16,
                   QString("%1  frame %2 of 50, duration %3 ms, figure at %4, %5")
                       .arg(line + frame, 3)
                       .arg(frame + 1)
                       .arg(50 + line * 10)
                       .arg(line * 7 + frame)
                       .arg(line * 3));
    p.fillRect(175 + frame * 8, 460, 60, 12, QColor(0xE0, 0x40, 0x30));
    return image;
}

// Photographic content: smooth gradients with noise.
QImage PhotoFrame(int frame)
{
    QImage image(Width, Height, QImage::Format_RGB32);
    std::mt19937 rng{unsigned(frame)};
    for (int y = 0; y < Height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < Width; ++x) {
            const int n = int(rng() % 9) - 4;
            const int r = std::clamp((x + frame * 3) * 255 / Width + n, 0, 255);
            const int g = std::clamp(y * 255 / Height + n, 0, 255);
            const int b = std::clamp(128 + int(60 * std::sin((x + y) / 40.0 + frame * 0.2)) + n, 0, 255);
            row[x] = qRgb(r, g, b);
        }
    }
    return image;
}

const std::vector<QImage>& Frames(TKind kind)
{
    static std::map<TKind, std::vector<QImage>> cache;
    auto& frames = cache[kind];
    if (frames.empty())
        for (int i = 0; i < FrameCount; ++i)
            frames.push_back(kind == TKind::Flat ? FlatFrame(i) : kind == TKind::Screen ? ScreenFrame(i) : PhotoFrame(i));
    return frames;
}

QByteArray Encode(TKind kind)
{
    TZGIFImage image;
    for (const QImage& frame : Frames(kind)) {
        image.AddFrame(TBitmap(frame));
        image.Frames(image.Count() - 1).SetAnimateInterval(100);
    }
    image.SetLooping(true);
    image.SetRepeatCount(0);
    return image.SaveToBytes();
}

const QByteArray& Encoded(TKind kind)
{
    static std::map<TKind, QByteArray> cache;
    auto& bytes = cache[kind];
    if (bytes.isEmpty())
        bytes = Encode(kind);
    return bytes;
}

// The frames as PNG files for the external tools.
QString PngFolder(TKind kind)
{
    static std::map<TKind, std::unique_ptr<QTemporaryDir>> dirs;
    auto& dir = dirs[kind];
    if (!dir) {
        dir = std::make_unique<QTemporaryDir>();
        const auto& frames = Frames(kind);
        for (int i = 0; i < FrameCount; ++i)
            frames[size_t(i)].save(QString("%1/f%2.png").arg(dir->path()).arg(i, 4, 10, QChar('0')));
    }
    return dir->path();
}

int DistinctColours(TKind kind)
{
    std::set<QRgb> colours;
    const QImage& f = Frames(kind)[0];
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x)
            colours.insert(f.pixel(x, y));
    return int(colours.size());
}

void Rate(benchmark::State& state)
{
    state.counters["MPix/s"] = benchmark::Counter(Pixels / 1e6, benchmark::Counter::kIsIterationInvariantRate);
}

void BM_ZembraEncode(benchmark::State& state)
{
    const TKind kind = TKind(state.range(0));
    Frames(kind);
    for (auto _ : state)
        benchmark::DoNotOptimize(Encode(kind));
    Rate(state);
    state.counters["colours"] = DistinctColours(kind);
    state.counters["KiB"] = double(Encoded(kind).size()) / 1024;
    state.SetLabel(KindNames[state.range(0)]);
}

void BM_ZembraDecode(benchmark::State& state)
{
    const TKind kind = TKind(state.range(0));
    const QByteArray& bytes = Encoded(kind);
    for (auto _ : state) {
        TZGIFImage image;
        image.LoadFromBytes({reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size())});
        for (int i = 0; i < image.Count(); ++i)
            benchmark::DoNotOptimize(image.Frames(i).Bitmap().ConstImage().constBits());
    }
    Rate(state);
    state.SetLabel(KindNames[state.range(0)]);
}

struct TMemoryInput {
    const QByteArray* Data;
    int Pos;
};

int ReadMemory(GifFileType* gif, GifByteType* buffer, int size)
{
    auto* in = static_cast<TMemoryInput*>(gif->UserData);
    const int n = std::min(size, int(in->Data->size()) - in->Pos);
    std::memcpy(buffer, in->Data->constData() + in->Pos, size_t(n));
    in->Pos += n;
    return n;
}

void BM_GiflibDecode(benchmark::State& state)
{
    const TKind kind = TKind(state.range(0));
    const QByteArray& bytes = Encoded(kind);
    for (auto _ : state) {
        TMemoryInput input{&bytes, 0};
        int error = 0;
        GifFileType* gif = DGifOpen(&input, ReadMemory, &error);
        if (!gif || DGifSlurp(gif) != GIF_OK || gif->ImageCount != FrameCount)
            state.SkipWithError("giflib failed");
        benchmark::DoNotOptimize(gif->SavedImages[FrameCount - 1].RasterBits);
        DGifCloseFile(gif, &error);
    }
    Rate(state);
    state.SetLabel(KindNames[state.range(0)]);
}

// Runs an external command once per iteration; the time is the CPU time the
// command used (user and system, all its threads), its wall time a counter.
void External(benchmark::State& state, const QString& program, const QStringList& args)
{
    double wall = 0;
    for (auto _ : state) {
        rusage before{}, after{};
        getrusage(RUSAGE_CHILDREN, &before);
        QElapsedTimer timer;
        timer.start();
        QProcess process;
        process.start(program, args);
        if (!process.waitForFinished(600000) || process.exitCode() != 0) {
            state.SkipWithError(("external tool failed: " + program).toStdString().c_str());
            break;
        }
        wall += double(timer.nsecsElapsed()) / 1e9;
        getrusage(RUSAGE_CHILDREN, &after);
        auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
        state.SetIterationTime(seconds(after.ru_utime) - seconds(before.ru_utime) + seconds(after.ru_stime) -
                               seconds(before.ru_stime));
    }
    Rate(state);
    state.counters["wall s"] = benchmark::Counter(wall, benchmark::Counter::kAvgIterations);
    state.SetLabel(KindNames[state.range(0)]);
}

void BM_FfmpegEncode(benchmark::State& state)
{
    const QString dir = PngFolder(TKind(state.range(0)));
    External(state, "ffmpeg",
             {"-v", "error", "-y", "-framerate", "10", "-i", dir + "/f%04d.png", "-filter_complex",
              "[0:v]split[a][b];[a]palettegen=stats_mode=single[p];[b][p]paletteuse=new=1:dither=none", dir + "/ffmpeg.gif"});
}

// What ffmpeg spends reading the PNG files alone, to subtract from the above.
void BM_FfmpegReadPngOnly(benchmark::State& state)
{
    const QString dir = PngFolder(TKind(state.range(0)));
    External(state, "ffmpeg", {"-v", "error", "-framerate", "10", "-i", dir + "/f%04d.png", "-f", "null", "-"});
}

// convert as it is usually called (it reduces each frame to 256 colours, dithering),
// and with dithering switched off.
void BM_ImageMagickEncode(benchmark::State& state)
{
    const QString dir = PngFolder(TKind(state.range(0)));
    QStringList args = {"-delay", "10"};
    for (int i = 0; i < FrameCount; ++i)
        args << QString("%1/f%2.png").arg(dir).arg(i, 4, 10, QChar('0'));
    args << dir + "/magick.gif";
    External(state, "/usr/bin/convert", args);
}

void BM_ImageMagickEncodeNoDither(benchmark::State& state)
{
    const QString dir = PngFolder(TKind(state.range(0)));
    QStringList args = {"-delay", "10"};
    for (int i = 0; i < FrameCount; ++i)
        args << QString("%1/f%2.png").arg(dir).arg(i, 4, 10, QChar('0'));
    args << "+dither" << "-colors" << "256" << dir + "/magick.gif";
    External(state, "/usr/bin/convert", args);
}

} // namespace

BENCHMARK(BM_ZembraEncode)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_ZembraDecode)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_GiflibDecode)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_FfmpegEncode)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(2);
BENCHMARK(BM_FfmpegReadPngOnly)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(2);
BENCHMARK(BM_ImageMagickEncode)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);
BENCHMARK(BM_ImageMagickEncodeNoDither)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);
