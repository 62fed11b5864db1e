#include "cli/GifCommand.h"
#include "cli/ProgramOptions.h"
#include "cli/Usage.h"

#include "gif/GIFComposer.h"
#include "gif/GIFError.h"
#include "gif/ZGIFImage.h"
#include "gif/ZGIFImageSource.h"
#include "platform/Bitmap.h"
#include "platform/ImageFiles.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <cstdio>
#include <exception>
#include <stdexcept>

namespace {

// A failure reported as one line naming the file.
struct TCommandError {
    QString File;
    QString Message;
};

void Print(const QString& line)
{
    std::fputs(line.toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
}

int Fail(const TCommandError& error)
{
    const QString line = error.File.isEmpty() ? QStringLiteral("zembra gif: %1").arg(error.Message)
                                              : QStringLiteral("zembra gif: %1: %2").arg(error.File, error.Message);
    std::fputs(line.toUtf8().constData(), stderr);
    std::fputc('\n', stderr);
    return 1;
}

int Usage()
{
    return Fail({{}, CommandSynopsis(TCommand::Gif)});
}

QString Hex(TColor c)
{
    if (c == clNone)
        return QStringLiteral("none");
    c = ColorToRGB(c);
    return QStringLiteral("%1%2%3")
        .arg(GetRValue(c), 2, 16, QLatin1Char('0'))
        .arg(GetGValue(c), 2, 16, QLatin1Char('0'))
        .arg(GetBValue(c), 2, 16, QLatin1Char('0'))
        .toUpper();
}

QString YesNo(bool value)
{
    return value ? QStringLiteral("yes") : QStringLiteral("no");
}

void Load(TZGIFImage& image, const QString& file)
{
    try {
        image.LoadFromFile(file);
    } catch (const std::exception& e) {
        throw TCommandError{file, QString::fromStdString(e.what())};
    }
}

int Info(const QString& file)
{
    TZGIFImage image;
    Load(image, file);
    // Decode every frame once, so that damaged frames show up as corrupted.
    bool corrupted = image.Corrupted();
    for (int i = 0; i < image.Count(); ++i) {
        TZGIFFrame& frame = image.Frames(i);
        try {
            frame.Bitmap();
        } catch (const std::exception&) {
            corrupted = true;
        }
        corrupted |= frame.Corrupted();
        if (i > 0)
            frame.FreeBitmap();
    }
    const char* version = image.Version() == TGIFVersion::gv89a ? "89a" : "87a";
    Print(QStringLiteral("version=%1 screen=%2x%3 frames=%4 loop=%5 repeat=%6 background=%7 corrupted=%8")
              .arg(QLatin1String(version))
              .arg(image.ScreenWidth())
              .arg(image.ScreenHeight())
              .arg(image.Count())
              .arg(YesNo(image.Looping()))
              .arg(image.RepeatCount())
              .arg(Hex(image.BackgroundColor()), YesNo(corrupted)));
    for (int i = 0; i < image.Count(); ++i) {
        TZGIFFrame& frame = image.Frames(i);
        Print(QStringLiteral("frame=%1 origin=%2,%3 size=%4x%5 delay=%6 disposal=%7 transparent=%8 local=%9 interlaced=%10")
                  .arg(i)
                  .arg(frame.Origin().X)
                  .arg(frame.Origin().Y)
                  .arg(frame.Width())
                  .arg(frame.Height())
                  .arg(frame.AnimateInterval())
                  .arg(int(frame.DisposalMethod()))
                  .arg(Hex(frame.TransparentColor()), YesNo(frame.LocalColors()), YesNo(frame.Interlaced())));
    }
    return 0;
}

// RGBA picture of a bitmap; pixels of the key colour get alpha 0.
QImage WithAlpha(const TBitmap& bitmap, TColor key)
{
    QImage image = bitmap.ConstImage().convertToFormat(QImage::Format_ARGB32);
    if (key != clNone) {
        const QRgb rgb = ColorToQRgb(ColorToRGB(key)) & 0xFFFFFF;
        for (int y = 0; y < image.height(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x)
                if ((row[x] & 0xFFFFFF) == rgb)
                    row[x] = 0;
        }
    }
    return image;
}

int Frames(const QString& file, const QString& dir, bool composed, int pngLevel)
{
    TZGIFImage image;
    Load(image, file);
    if (!QDir().mkpath(dir))
        throw TCommandError{dir, QStringLiteral("Cannot create the folder")};
    TGIFComposer composer(image);
    for (int i = 0; i < image.Count(); ++i) {
        QImage picture;
        try {
            if (composed) {
                TColor key = clNone;
                const TBitmap& bitmap = composer.Compose(i, key);
                picture = WithAlpha(bitmap, key);
            } else {
                TZGIFFrame& frame = image.Frames(i);
                picture = WithAlpha(frame.Bitmap(), frame.TransparentColor());
                if (i > 0)
                    frame.FreeBitmap();
            }
        } catch (const std::exception& e) {
            throw TCommandError{file, QStringLiteral("frame %1: %2").arg(i).arg(QString::fromStdString(e.what()))};
        }
        const QString name = QDir(dir).filePath(QStringLiteral("frame%1.png").arg(i + 1, 4, 10, QLatin1Char('0')));
        try {
            SavePngRgbaFile(picture, name, pngLevel);
        } catch (const std::exception& e) {
            throw TCommandError{name, QString::fromStdString(e.what())};
        }
    }
    return 0;
}

bool ParseColor(const QString& text, TColor& color)
{
    bool ok = false;
    const uint value = text.toUInt(&ok, 16);
    if (!ok || text.size() != 6)
        return false;
    color = RGB(uint8_t(value >> 16), uint8_t(value >> 8), uint8_t(value));
    return true;
}

int Make(const QStringList& args)
{
    QString out;
    QStringList inputs;
    int delay = 100;
    bool looping = true;
    int repeat = 0;
    TColor transparent = clNone;
    TGIFExportOptions options;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (QString error; TakeGIFExportOption(args, i, options, error)) {
            if (!error.isEmpty())
                throw TCommandError{{}, error};
            continue;
        }
        auto value = [&]() -> QString {
            if (i + 1 >= args.size())
                throw TCommandError{{}, QStringLiteral("%1 needs a value").arg(a)};
            return args[++i];
        };
        bool ok = true;
        if (a == QLatin1String("--delay")) {
            delay = value().toInt(&ok);
            ok = ok && delay >= 0 && delay <= 65535;
        } else if (a == QLatin1String("--loop")) {
            repeat = value().toInt(&ok);
            ok = ok && repeat >= 0 && repeat <= 65535;
            looping = true;
        } else if (a == QLatin1String("--once")) {
            looping = false;
        } else if (a == QLatin1String("--transparent")) {
            ok = ParseColor(value(), transparent);
        } else if (LooksLikeOption(a)) {
            return ReportUnknownOption(QStringLiteral("gif"), a, CommandSynopsis(TCommand::Gif));
        } else if (out.isEmpty()) {
            out = a;
        } else {
            inputs << a;
        }
        if (!ok)
            throw TCommandError{{}, QStringLiteral("bad value for %1: %2").arg(a, args[i])};
    }
    if (out.isEmpty() || inputs.isEmpty())
        return Usage();

    TZGIFImage image;
    for (const QString& input : inputs) {
        try {
            QFile file(input);
            if (!file.open(QIODevice::ReadOnly))
                throw std::runtime_error(file.errorString().toStdString());
            const QByteArray bytes = file.readAll();
            if (DetectImageKind(bytes) == TImageFileKind::Gif) {
                TZGIFImage source;
                source.LoadFromBytes({reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size())});
                if (source.Count() == 0)
                    throw std::runtime_error("the GIF has no frames");
                source.SetFrameIndex(0);
                image.AddFrame(source);
            } else {
                image.AddFrame(LoadImageData(bytes));
            }
        } catch (const std::exception& e) {
            throw TCommandError{input, QString::fromStdString(e.what())};
        }
        TZGIFFrame& frame = image.Frames(image.Count() - 1);
        frame.SetAnimateInterval(uint16_t(delay));
        if (transparent != clNone) {
            frame.SetTransparentColor(transparent);
            frame.SetDisposalMethod(TDisposalMethod::dmRestoreBackground);
        }
    }
    image.SetLooping(looping);
    image.SetRepeatCount(uint16_t(repeat));
    try {
        ExportGIF(image, out, options);
    } catch (const std::exception& e) {
        throw TCommandError{out, QString::fromStdString(e.what())};
    }
    return 0;
}

// frames FILE DIR [--composed] [--png-level N]
int RunFrames(const QStringList& args)
{
    QStringList positional;
    bool composed = false;
    int level = kPngFastLevel;
    for (int i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("--composed")) {
            composed = true;
        } else if (a == QLatin1String("--png-level")) {
            bool ok = false;
            level = i + 1 < args.size() ? args[++i].toInt(&ok) : -1;
            if (!ok || level < 0 || level > 9)
                throw TCommandError{{}, QStringLiteral("--png-level takes a number from 0 to 9")};
        } else if (LooksLikeOption(a)) {
            return ReportUnknownOption(QStringLiteral("gif"), a, CommandSynopsis(TCommand::Gif));
        } else {
            positional << a;
        }
    }
    if (positional.size() != 2)
        return Usage();
    return Frames(positional[0], positional[1], composed, level);
}

} // namespace

int RunGifCommand(const QStringList& args)
{
    try {
        if (args.isEmpty())
            return Usage();
        const QString& command = args[0];
        if (command == QLatin1String("frames"))
            return RunFrames(args);
        if (command != QLatin1String("make")) {
            for (const QString& arg : args.mid(1))
                if (LooksLikeOption(arg))
                    return ReportUnknownOption(QStringLiteral("gif"), arg, CommandSynopsis(TCommand::Gif));
        }
        if (command == QLatin1String("info") && args.size() == 2)
            return Info(args[1]);
        if (command == QLatin1String("make"))
            return Make(args.mid(1));
        return Usage();
    } catch (const TCommandError& error) {
        return Fail(error);
    } catch (const std::exception& e) {
        return Fail({{}, QString::fromStdString(e.what())});
    }
}
