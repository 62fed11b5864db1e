#include "tests/support/AviProbe.h"

#include <QFile>
#include <QProcess>
#include <QStringList>
#include <cstdio>

TTestBitmap::TTestBitmap(int width, int height, int bits) : Width(width), Height(height), Bits(bits)
{
    const int stride = (width * bits / 8 + 3) / 4 * 4 + 4; // padded beyond need on purpose
    Pixels.assign(size_t(stride) * size_t(height), 0);
    if (bits == 8)
        for (uint32_t i = 0; i < 256; ++i)
            Palette.push_back((i << 16) | ((255 - i) << 8) | (i / 2));
    Section.Width = width;
    Section.Height = height;
    Section.BitsPerPixel = bits;
    Section.Stride = stride;
    Section.PaletteCount = int32_t(Palette.size());
    Section.Palette = Palette.empty() ? nullptr : Palette.data();
    Section.Pixels = Pixels.data();
}

void TTestBitmap::Set(int x, int y, uint32_t rgb)
{
    uint8_t* p = Pixels.data() + size_t(y) * size_t(Section.Stride) + size_t(x) * size_t(Bits / 8);
    if (Bits == 8) {
        p[0] = uint8_t(rgb);
        return;
    }
    p[0] = uint8_t(rgb);
    p[1] = uint8_t(rgb >> 8);
    p[2] = uint8_t(rgb >> 16);
}

uint32_t TTestBitmap::At(int x, int y) const
{
    const uint8_t* p = Pixels.data() + size_t(y) * size_t(Section.Stride) + size_t(x) * size_t(Bits / 8);
    if (Bits == 8)
        return Palette[p[0]];
    return uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
}

void TTestBitmap::Pattern(int seed)
{
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x)
            Set(x, y, Bits == 8 ? uint32_t((x + y + seed) & 0xFF)
                                : (uint32_t(x * 7 + seed) & 0xFF) << 16 | (uint32_t(y * 5) & 0xFF) << 8 | uint32_t(seed & 0xFF));
}

std::vector<uint8_t> TTestBitmap::Bgr24() const
{
    std::vector<uint8_t> out;
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x) {
            const uint32_t c = At(x, y);
            out.push_back(uint8_t(c));
            out.push_back(uint8_t(c >> 8));
            out.push_back(uint8_t(c >> 16));
        }
    return out;
}

void WriteWave(const std::string& path, uint32_t rate, const std::vector<int16_t>& samples)
{
    std::FILE* f = std::fopen(path.c_str(), "wb");
    auto u32 = [&](uint32_t v) {
        const uint8_t b[4] = {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
        std::fwrite(b, 1, 4, f);
    };
    auto u16 = [&](uint16_t v) {
        const uint8_t b[2] = {uint8_t(v), uint8_t(v >> 8)};
        std::fwrite(b, 1, 2, f);
    };
    const uint32_t data = uint32_t(samples.size() * 2);
    std::fwrite("RIFF", 1, 4, f);
    u32(36 + data);
    std::fwrite("WAVEfmt ", 1, 8, f);
    u32(16);
    u16(1);
    u16(1);
    u32(rate);
    u32(rate * 2);
    u16(2);
    u16(16);
    std::fwrite("data", 1, 4, f);
    u32(data);
    for (int16_t s : samples)
        u16(uint16_t(s));
    std::fclose(f);
}

namespace {

QByteArray Run(const QString& program, const QStringList& args, QString* errors = nullptr)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(120000);
    if (errors)
        *errors = QString::fromUtf8(p.readAllStandardError());
    return p.readAllStandardOutput();
}

} // namespace

std::vector<std::map<std::string, std::string>> Probe(const QString& file)
{
    const QByteArray out = Run(QStringLiteral("ffprobe"),
                               {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-count_frames"),
                                QStringLiteral("-show_streams"), QStringLiteral("-of"),
                                QStringLiteral("default=nw=0"), file});
    std::vector<std::map<std::string, std::string>> streams;
    for (const QByteArray& line : out.split('\n')) {
        if (line == "[STREAM]")
            streams.emplace_back();
        const int eq = line.indexOf('=');
        if (eq > 0 && !streams.empty())
            streams.back()[line.left(eq).toStdString()] = line.mid(eq + 1).toStdString();
    }
    return streams;
}

std::vector<uint8_t> DecodeVideo(const QString& file, QString* errors)
{
    const QByteArray out = Run(QStringLiteral("ffmpeg"),
                               {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-i"), file,
                                QStringLiteral("-map"), QStringLiteral("0:v"), QStringLiteral("-f"),
                                QStringLiteral("rawvideo"), QStringLiteral("-pix_fmt"), QStringLiteral("bgr24"),
                                QStringLiteral("-")},
                               errors);
    return std::vector<uint8_t>(out.begin(), out.end());
}

std::vector<int16_t> DecodeAudio(const QString& file)
{
    const QByteArray out = Run(QStringLiteral("ffmpeg"),
                               {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-i"), file,
                                QStringLiteral("-map"), QStringLiteral("0:a"), QStringLiteral("-f"),
                                QStringLiteral("s16le"), QStringLiteral("-")});
    std::vector<int16_t> samples(size_t(out.size()) / 2);
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = int16_t(uint8_t(out[int(2 * i)]) | uint8_t(out[int(2 * i + 1)]) << 8);
    return samples;
}

uint32_t U32At(const std::vector<uint8_t>& b, size_t o)
{
    return uint32_t(b[o]) | uint32_t(b[o + 1]) << 8 | uint32_t(b[o + 2]) << 16 | uint32_t(b[o + 3]) << 24;
}

std::vector<uint8_t> ReadAll(const QString& file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray b = f.readAll();
    return std::vector<uint8_t>(b.begin(), b.end());
}
