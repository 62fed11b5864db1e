#include "tests/gif/ShownFrames.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QFile>
#include <cstring>

void AppendShown(std::vector<TShown>& shown, const QImage& screen, int delay)
{
    if (!shown.empty() && shown.back().Screen == screen)
        shown.back().Delay += delay;
    else
        shown.push_back({screen.copy(), delay});
}

std::vector<TShown> ShownByGiflib(const QByteArray& file)
{
    std::vector<TShown> shown;
    const TPeerGif gif = DecodeWithGiflib(file);
    if (!gif.Ok)
        return shown;
    QImage screen(gif.ScreenWidth, gif.ScreenHeight, QImage::Format_ARGB32);
    screen.fill(0);
    for (size_t i = 0; i < gif.Frames.size(); ++i) {
        const TPeerFrame& f = gif.Frames[i];
        const QImage before = screen.copy();
        for (int y = 0; y < f.Height; ++y)
            for (int x = 0; x < f.Width; ++x) {
                const int index = f.Indices[size_t(y) * size_t(f.Width) + size_t(x)];
                if (index == f.TransparentIndex || !screen.rect().contains(f.Left + x, f.Top + y))
                    continue;
                screen.setPixel(f.Left + x, f.Top + y, 0xFF000000u | f.Palette.at(size_t(index)));
            }
        AppendShown(shown, screen, std::max(f.DelayHundredths, 0));
        if (f.Disposal == 2) {
            for (int y = f.Top; y < f.Top + f.Height; ++y)
                for (int x = f.Left; x < f.Left + f.Width; ++x)
                    if (screen.rect().contains(x, y))
                        screen.setPixel(x, y, 0);
        } else if (f.Disposal == 3) {
            screen = before;
        }
    }
    return shown;
}

std::vector<TShown> ShownByPillow(const QByteArray& gif, QString& error)
{
    std::vector<TShown> shown;
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("in.gif")));
    if (!file.open(QIODevice::WriteOnly) || file.write(gif) != gif.size()) {
        error = QStringLiteral("cannot write the file");
        return shown;
    }
    file.close();
    static const char* const script = R"(
import sys
from PIL import Image, ImageSequence
image = Image.open(sys.argv[1])
out = sys.stdout.buffer
out.write(image.size[0].to_bytes(4, 'little') + image.size[1].to_bytes(4, 'little'))
for frame in ImageSequence.Iterator(image):
    out.write(int(frame.info.get('duration', 0)).to_bytes(4, 'little'))
    out.write(frame.convert('RGBA').tobytes())
)";
    QProcess python;
    // Debian's own interpreter, the one python3-pil serves.
    python.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), QString::fromLatin1(script), file.fileName()});
    if (!python.waitForFinished(60000) || python.exitCode() != 0) {
        error = QString::fromLocal8Bit(python.readAllStandardError()) + python.errorString();
        return shown;
    }
    const QByteArray out = python.readAllStandardOutput();
    auto word = [&](qsizetype at) {
        uint32_t v = 0;
        std::memcpy(&v, out.constData() + at, 4);
        return int(v);
    };
    if (out.size() < 8) {
        error = QStringLiteral("no output");
        return shown;
    }
    const int w = word(0), h = word(4);
    const qsizetype frameBytes = qsizetype(w) * h * 4;
    for (qsizetype at = 8; at + 4 + frameBytes <= out.size(); at += 4 + frameBytes) {
        const QImage rgba(reinterpret_cast<const uchar*>(out.constData() + at + 4), w, h, w * 4,
                          QImage::Format_RGBA8888);
        QImage screen = rgba.convertToFormat(QImage::Format_ARGB32);
        // Only opaque or clear matter; a clear pixel keeps no colour.
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (qAlpha(screen.pixel(x, y)) == 0)
                    screen.setPixel(x, y, 0);
        AppendShown(shown, screen, word(at) / 10);
    }
    return shown;
}
