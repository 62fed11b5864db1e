// GIF codec throughput on 50 frames of 640 x 480 in three kinds of content,
// with giflib's decoder, ffmpeg (palettegen/paletteuse, no dithering),
// ImageMagick's convert (no dithering) and gifsicle -O3 measured in the same
// run. Encoders also report the file size (KiB) and the PSNR (dB) of the
// frames a viewer shows against the source frames (99 for lossless).
//
// Peers (not needed by the build or the tests): apt-get install gifsicle
// imagemagick ffmpeg python3-pil.
//
//   build-bench/bench/bench_gif --benchmark_counters_tabular=true
#include "cli/GifCommand.h"
#include "gif/GIFExporter.h"
#include "gif/ZGIFImage.h"

#include <QDir>
#include <QFile>
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

// The frames a viewer shows for a GIF, composed from giflib's decoding
// (clear pixels 0, restore-to-background clears).
std::vector<QImage> ShownFrames(const QByteArray& bytes);

double Psnr(TKind kind, const QByteArray& gif)
{
    const std::vector<QImage> shown = ShownFrames(gif);
    const auto& source = Frames(kind);
    if (shown.size() != source.size())
        return 0;
    double squared = 0;
    for (size_t i = 0; i < shown.size(); ++i)
        for (int y = 0; y < Height; ++y) {
            const QRgb* a = reinterpret_cast<const QRgb*>(shown[i].constScanLine(y));
            const QRgb* b = reinterpret_cast<const QRgb*>(source[i].constScanLine(y));
            for (int x = 0; x < Width; ++x) {
                const int dr = qRed(a[x]) - qRed(b[x]), dg = qGreen(a[x]) - qGreen(b[x]), db = qBlue(a[x]) - qBlue(b[x]);
                squared += dr * dr + dg * dg + db * db;
            }
        }
    const double mse = squared / (Pixels * 3);
    return mse == 0 ? 99 : 10 * std::log10(255.0 * 255.0 / mse);
}

class TFramesSource : public TGIFFrameSource {
public:
    explicit TFramesSource(TKind kind) : fFrames(Frames(kind)) {}
    TGIFAnimationInfo Info() const override { return {Width, Height, true, 0, clNone, {}}; }
    int Count() const override { return int(fFrames.size()); }
    TGIFSourceFrame Frame(int i) override { return {fFrames[size_t(i)], {}, 100, clNone, TDisposalMethod::dmUndefined}; }

private:
    const std::vector<QImage>& fFrames;
};

QByteArray Export(TKind kind, int threads, TColorReducer reducer = TColorReducer::HighQuality)
{
    TFramesSource source(kind);
    TGIFExportOptions options;
    options.Threads = threads;
    options.Reducer = reducer;
    return TGIFExporter(options).ExportToBytes(source);
}

void Quality(benchmark::State& state, TKind kind, const QByteArray& gif)
{
    state.counters["KiB"] = double(gif.size()) / 1024;
    state.counters["PSNR"] = Psnr(kind, gif);
}

QByteArray ReadFile(const QString& name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The frames as PNG files for the external tools, with the tools' output
// beside them: in a temporary folder, or kept in $ZEMBRA_BENCH_KEEP/<kind>
// for a look at the files.
QString PngFolder(TKind kind)
{
    static std::map<TKind, QString> paths;
    static std::map<TKind, std::unique_ptr<QTemporaryDir>> dirs;
    QString& path = paths[kind];
    if (path.isEmpty()) {
        if (const QString keep = qEnvironmentVariable("ZEMBRA_BENCH_KEEP"); !keep.isEmpty()) {
            path = keep + "/" + KindNames[int(kind)];
            QDir().mkpath(path);
        } else {
            auto& dir = dirs[kind];
            dir = std::make_unique<QTemporaryDir>();
            path = dir->path();
        }
        const auto& frames = Frames(kind);
        for (int i = 0; i < FrameCount; ++i)
            frames[size_t(i)].save(QString("%1/f%2.png").arg(path).arg(i, 4, 10, QChar('0')));
    }
    return path;
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

std::vector<QImage> ShownFrames(const QByteArray& bytes)
{
    std::vector<QImage> shown;
    TMemoryInput input{&bytes, 0};
    int error = 0;
    GifFileType* gif = DGifOpen(&input, ReadMemory, &error);
    if (!gif || DGifSlurp(gif) != GIF_OK) {
        if (gif)
            DGifCloseFile(gif, &error);
        return shown;
    }
    QImage screen(gif->SWidth, gif->SHeight, QImage::Format_ARGB32);
    screen.fill(0);
    QImage saved;
    for (int i = 0; i < gif->ImageCount; ++i) {
        const SavedImage& image = gif->SavedImages[i];
        GraphicsControlBlock gcb{};
        gcb.TransparentColor = NO_TRANSPARENT_COLOR;
        DGifSavedExtensionToGCB(gif, i, &gcb);
        const ColorMapObject* map = image.ImageDesc.ColorMap ? image.ImageDesc.ColorMap : gif->SColorMap;
        const GifImageDesc& d = image.ImageDesc;
        if (gcb.DisposalMode == DISPOSE_PREVIOUS)
            saved = screen.copy();
        for (int y = 0; y < d.Height; ++y)
            for (int x = 0; x < d.Width; ++x) {
                const int index = image.RasterBits[y * d.Width + x];
                if (index == gcb.TransparentColor || !screen.rect().contains(d.Left + x, d.Top + y) || !map || index >= map->ColorCount)
                    continue;
                const GifColorType c = map->Colors[index];
                screen.setPixel(d.Left + x, d.Top + y, qRgb(c.Red, c.Green, c.Blue));
            }
        shown.push_back(screen.copy());
        if (gcb.DisposalMode == DISPOSE_BACKGROUND)
            for (int y = d.Top; y < d.Top + d.Height; ++y)
                for (int x = d.Left; x < d.Left + d.Width; ++x)
                    if (screen.rect().contains(x, y))
                        screen.setPixel(x, y, 0);
        if (gcb.DisposalMode == DISPOSE_PREVIOUS)
            screen = saved;
        // Delays tell how long a frame stays: merged frames count as many frames again.
        for (int extra = gcb.DelayTime / 10 - 1; extra > 0; --extra)
            shown.push_back(shown.back());
    }
    DGifCloseFile(gif, &error);
    return shown;
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

// The exporter from decoded frames: state.range(1) threads.
// CPU seconds of the whole process (all threads), user and system.
double ProcessCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void BM_ZembraExport(benchmark::State& state)
{
    const TKind kind = TKind(state.range(0));
    Frames(kind);
    QByteArray gif;
    const double cpu = ProcessCpuSeconds();
    for (auto _ : state)
        gif = Export(kind, int(state.range(1)));
    state.counters["CPU s"] = benchmark::Counter(ProcessCpuSeconds() - cpu, benchmark::Counter::kAvgIterations);
    Rate(state);
    Quality(state, kind, gif);
    if (QFile out(PngFolder(kind) + "/zembra.gif"); out.open(QIODevice::WriteOnly))
        out.write(gif);
    state.SetLabel(QString("%1, %2 thread(s)").arg(KindNames[state.range(0)]).arg(state.range(1)).toStdString());
}

// The old whole-frame writer's output, for its size and quality.
void BM_ZembraEncodeQuality(benchmark::State& state)
{
    const TKind kind = TKind(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(Encoded(kind).size());
    Quality(state, kind, Encoded(kind));
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
    Quality(state, TKind(state.range(0)), ReadFile(dir + "/ffmpeg.gif"));
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
    Quality(state, TKind(state.range(0)), ReadFile(dir + "/magick.gif"));
}

void BM_ImageMagickEncodeNoDither(benchmark::State& state)
{
    const QString dir = PngFolder(TKind(state.range(0)));
    QStringList args = {"-delay", "10"};
    for (int i = 0; i < FrameCount; ++i)
        args << QString("%1/f%2.png").arg(dir).arg(i, 4, 10, QChar('0'));
    args << "+dither" << "-colors" << "256" << dir + "/magick.gif";
    External(state, "/usr/bin/convert", args);
    Quality(state, TKind(state.range(0)), ReadFile(dir + "/magick.gif"));
}

// gifsicle -O3 on zembra's whole-frame output (it changes no colours).
void BM_GifsicleO3(benchmark::State& state)
{
    const TKind kind = TKind(state.range(0));
    const QString dir = PngFolder(kind);
    QFile whole(dir + "/whole.gif");
    if (!whole.open(QIODevice::WriteOnly) || whole.write(Encoded(kind)) != Encoded(kind).size())
        state.SkipWithError("cannot write the input");
    whole.close();
    External(state, "gifsicle", {"-O3", dir + "/whole.gif", "-o", dir + "/gifsicle.gif"});
    Quality(state, kind, ReadFile(dir + "/gifsicle.gif"));
}

// The GIF file whole-frame zembra writes, in the kind's folder.
QString WholeGif(TKind kind)
{
    const QString path = PngFolder(kind) + "/whole.gif";
    QFile file(path);
    if (!file.exists() && file.open(QIODevice::WriteOnly))
        file.write(Encoded(kind));
    return path;
}

// "zembra gif frames": decoding every frame and writing it as a PNG
// (state.range(1): the zlib level).
void BM_ZembraGifFrames(benchmark::State& state)
{
    const TKind kind = TKind(state.range(0));
    const QString gif = WholeGif(kind);
    const QString dir = PngFolder(kind) + "/zframes";
    const double cpu = ProcessCpuSeconds();
    for (auto _ : state)
        if (RunGifCommand({"frames", gif, dir, "--png-level", QString::number(state.range(1))}) != 0)
            state.SkipWithError("gif frames failed");
    state.counters["CPU s"] = benchmark::Counter(ProcessCpuSeconds() - cpu, benchmark::Counter::kAvgIterations);
    Rate(state);
    state.SetLabel(QString("%1, level %2").arg(KindNames[state.range(0)]).arg(state.range(1)).toStdString());
}

// Pillow doing the same (its own GIF decoder, PNG at its default level).
void BM_PillowGifFrames(benchmark::State& state)
{
    const TKind kind = TKind(state.range(0));
    const QString gif = WholeGif(kind);
    const QString dir = PngFolder(kind);
    External(state, "/usr/bin/python3",
             {"-c",
              "import sys\nfrom PIL import Image, ImageSequence\n"
              "for i, f in enumerate(ImageSequence.Iterator(Image.open(sys.argv[1]))):\n"
              "    f.convert('RGBA').save('%s/p%04d.png' % (sys.argv[2], i + 1))\n",
              gif, dir});
}

} // namespace

BENCHMARK(BM_ZembraEncode)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_ZembraEncodeQuality)->DenseRange(0, 2)->Iterations(1);
BENCHMARK(BM_ZembraExport)->ArgsProduct({{0, 1, 2}, {1, 2}})->Unit(benchmark::kMillisecond)->MinTime(2)->UseRealTime();
BENCHMARK(BM_ZembraGifFrames)->ArgsProduct({{0, 1, 2}, {1, 6}})->Unit(benchmark::kMillisecond)->MinTime(1)->UseRealTime();
BENCHMARK(BM_PillowGifFrames)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(2);
BENCHMARK(BM_GifsicleO3)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(2);
BENCHMARK(BM_ZembraDecode)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_GiflibDecode)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_FfmpegEncode)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(2);
BENCHMARK(BM_FfmpegReadPngOnly)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(2);
BENCHMARK(BM_ImageMagickEncode)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);
BENCHMARK(BM_ImageMagickEncodeNoDither)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);
