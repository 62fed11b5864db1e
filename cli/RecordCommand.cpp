#include "cli/RecordCommand.h"
#include "cli/ProgramOptions.h"
#include "cli/Usage.h"

#include "editor/core/ScreenRecording.h"
#include "gif/ZGIFImage.h"
#include "gif/ZGIFImageSource.h"
#include "platform/GrabSource.h"
#include "platform/ScreenGrab.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <exception>
#include <memory>
#include <optional>

namespace {

struct TRecordArgs {
    std::optional<TRect> Rect; // corners included
    int Interval = 0;
    int Frames = 0;
    QString Out;
    TGIFExportOptions GifOptions;
    QString UnknownOption; // set when parsing stopped at an option nobody knows
};

int Fail(const QString& message)
{
    std::fputs(message.toUtf8().constData(), stderr);
    std::fputc('\n', stderr);
    return 1;
}

std::optional<TRect> ParseRect(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 4)
        return std::nullopt;
    int v[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        v[i] = parts[i].trimmed().toInt(&ok);
        if (!ok)
            return std::nullopt;
    }
    if (v[2] < 1 || v[3] < 1 || v[2] > 0xFFFF || v[3] > 0xFFFF)
        return std::nullopt;
    return TRect(v[0], v[1], v[0] + v[2] - 1, v[1] + v[3] - 1);
}

std::optional<QString> Parse(const QStringList& args, TRecordArgs& out)
{
    double seconds = -1;
    for (int i = 0; i < args.size(); ++i) {
        if (QString error; TakeGIFExportOption(args, i, out.GifOptions, error)) {
            if (!error.isEmpty())
                return error;
            continue;
        }
        const QString& arg = args[i];
        if (arg == QStringLiteral("--rect") || arg == QStringLiteral("--interval") || arg == QStringLiteral("--frames")
            || arg == QStringLiteral("--seconds")) {
            if (i + 1 >= args.size())
                return QStringLiteral("%1 needs a value").arg(arg);
            const QString v = args[++i];
            bool ok = false;
            if (arg == QStringLiteral("--rect")) {
                out.Rect = ParseRect(v);
                if (!out.Rect)
                    return QStringLiteral("--rect takes X,Y,W,H with W and H from 1 to 65535");
            } else if (arg == QStringLiteral("--interval")) {
                out.Interval = v.toInt(&ok);
                if (!ok || out.Interval < 10 || out.Interval > 1000000)
                    return QStringLiteral("--interval takes milliseconds from 10 to 1000000");
            } else if (arg == QStringLiteral("--frames")) {
                out.Frames = v.toInt(&ok);
                if (!ok || out.Frames < 1 || out.Frames > 100000)
                    return QStringLiteral("--frames takes a number from 1 to 100000");
            } else {
                seconds = v.toDouble(&ok);
                if (!ok || !(seconds > 0) || seconds > 86400)
                    return QStringLiteral("--seconds takes a positive number up to 86400");
            }
        } else if (LooksLikeOption(arg)) {
            out.UnknownOption = arg;
            return QStringLiteral("unknown option %1").arg(arg);
        } else if (!out.Out.isEmpty()) {
            return QStringLiteral("unexpected argument %1").arg(arg);
        } else {
            out.Out = arg;
        }
    }
    if (!out.Rect)
        return QStringLiteral("no --rect given");
    if (out.Interval == 0)
        return QStringLiteral("no --interval given");
    if ((out.Frames > 0) == (seconds > 0))
        return QStringLiteral("give either --frames or --seconds");
    if (seconds > 0)
        out.Frames = std::max(1, int(std::lround(seconds * 1000.0 / out.Interval)));
    if (out.Out.isEmpty())
        return QStringLiteral("no output file given");
    return std::nullopt;
}

} // namespace

int RunRecordCommand(const QStringList& args)
{
    TRecordArgs a;
    if (const auto error = Parse(args, a)) {
        if (!a.UnknownOption.isEmpty())
            return ReportUnknownOption(QStringLiteral("record"), a.UnknownOption, CommandSynopsis(TCommand::Record));
        return Fail(*error + QStringLiteral("\n") + CommandSynopsis(TCommand::Record));
    }
    // The X11 screen, or under Wayland what the user shares through the portal.
    const std::unique_ptr<TGrabSource> source = MakeGrabSource();
    try {
        source->Open();
    } catch (const std::exception& e) {
        return Fail(QString::fromUtf8(e.what()));
    }
    const TRect screen = source->Area();
    const TRect& r = *a.Rect;
    if (r.Left < screen.Left || r.Top < screen.Top || r.Right >= screen.Right || r.Bottom >= screen.Bottom)
        return Fail(QStringLiteral("the rectangle %1,%2,%3,%4 is not on the screen (%5,%6,%7,%8)")
                        .arg(r.Left).arg(r.Top).arg(r.Width() + 1).arg(r.Height() + 1)
                        .arg(screen.Left).arg(screen.Top).arg(screen.Width()).arg(screen.Height()));

    // Frames are taken at their due times; a late one does not make up for
    // the ones it missed, it only moves the schedule on.
    TZGIFImage gif;
    TBitmap frBMP;
    TBitmap pic;
    QElapsedTimer clock;
    clock.start();
    qint64 due = 0;
    bool ended = false;
    try {
        for (int i = 0; i < a.Frames; ++i) {
            // Waiting runs the event loop, so the connection to the display is served.
            const qint64 now = clock.elapsed();
            if (due > now) {
                QEventLoop wait;
                QTimer::singleShot(int(due - now), Qt::PreciseTimer, &wait, &QEventLoop::quit);
                wait.exec();
            }
            due = std::max(due, clock.elapsed()) + a.Interval;
            // Sharing ended from the desktop: the recording ends with what it has.
            if (source->Ended()) {
                ended = true;
                break;
            }
            RecordFrame(gif, *source, r, a.Interval, TPixelFormat::pf24bit, frBMP, pic);
        }
    } catch (const std::exception& e) {
        return Fail(QString::fromUtf8(e.what()));
    }
    const double seconds = clock.elapsed() / 1000.0;
    if (ended && gif.Count() == 0)
        return Fail(QStringLiteral("the screen sharing ended before the first frame"));
    if (ended)
        std::fprintf(stderr, "the screen sharing ended after %d of %d frames\n", gif.Count(), a.Frames);
    gif.SetLooping(true);
    gif.SetRepeatCount(0);
    try {
        ExportGIF(gif, a.Out, a.GifOptions);
    } catch (const std::exception& e) {
        return Fail(a.Out + QStringLiteral(": ") + QString::fromUtf8(e.what()));
    }
    std::printf("%d frames of %dx%d in %.2f s (%.1f frames per second, %.1f asked)\n", gif.Count(), gif.ScreenWidth(),
                gif.ScreenHeight(), seconds, seconds > 0 ? gif.Count() / seconds : 0.0, 1000.0 / a.Interval);
    return 0;
}
