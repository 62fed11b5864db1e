#include "cli/RenderCommand.h"
#include "cli/ProgramOptions.h"
#include "cli/Usage.h"

#include "editor/core/AviExport.h"
#include "editor/core/EditorCore.h"
#include "editor/core/OptionsPage.h"
#include "editor/core/ProjectLife.h"
#include "editor/core/ZembraAviWriter.h"
#include "gif/ZGIFImageSource.h"
#include "platform/ScriptedDialogs.h"

#include <QDir>
#include <QFileInfo>
#include <cstdio>
#include <exception>
#include <optional>
#include <utility>
#include <vector>

namespace {

struct TRenderArgs {
    QString Project;
    std::optional<QString> Gif;
    TGIFExportOptions GifOptions;
    std::optional<QString> Frames;
    QString Format = QStringLiteral("png");
    int Quality = 77;
    std::optional<QString> SaveProject;
    // The AVI and what is given of its settings; the project's settings
    // stand in for the rest.
    std::optional<QString> Avi;
    std::optional<QString> AviCodec;
    std::optional<int> AviQuality;
    std::optional<int> AviFrameTime;
    std::optional<int> AviPixelFormatIndex;
    std::vector<std::pair<QString, int32_t>> Waves;
    QString UnknownOption; // set when parsing stopped at an option nobody knows
};

// Reads one of the --avi-* values; a message when it is malformed.
std::optional<QString> ParseAviOption(const QString& arg, const QString& v, TRenderArgs& out)
{
    bool ok = false;
    if (arg == QStringLiteral("--avi")) {
        out.Avi = v;
    } else if (arg == QStringLiteral("--avi-codec")) {
        const QString code = v.toUpper();
        if (code != QStringLiteral("DIB") && code != QStringLiteral("MJPG"))
            return QStringLiteral("--avi-codec takes DIB or MJPG");
        out.AviCodec = code;
    } else if (arg == QStringLiteral("--avi-quality")) {
        const int q = v.toInt(&ok);
        if (!ok || q < 0 || q > 10000)
            return QStringLiteral("--avi-quality takes a number from 0 to 10000");
        out.AviQuality = q;
    } else if (arg == QStringLiteral("--avi-frame-time")) {
        const int t = v.toInt(&ok);
        if (!ok || t < 1 || t > 1000000)
            return QStringLiteral("--avi-frame-time takes milliseconds from 1 to 1000000");
        out.AviFrameTime = t;
    } else if (arg == QStringLiteral("--avi-bits")) {
        const int bits = v.toInt(&ok);
        if (!ok || (bits != 8 && bits != 24 && bits != 32))
            return QStringLiteral("--avi-bits takes 8, 24 or 32");
        out.AviPixelFormatIndex = bits == 8 ? 0 : bits == 24 ? 1 : 2;
    } else { // --wav FILE[@DELAY_MS]
        QString file = v;
        int delay = 0;
        const int at = v.lastIndexOf(QLatin1Char('@'));
        if (at > 0) {
            const int d = v.mid(at + 1).toInt(&ok);
            if (ok) {
                file = v.left(at);
                delay = d;
            }
        }
        out.Waves.emplace_back(file, delay);
    }
    return std::nullopt;
}

int Fail(const QString& message)
{
    std::fputs(message.toUtf8().constData(), stderr);
    std::fputc('\n', stderr);
    return 1;
}

// Parses the arguments; a message when they are malformed.
std::optional<QString> Parse(const QStringList& args, TRenderArgs& out)
{
    for (int i = 0; i < args.size(); ++i) {
        if (QString error; TakeGIFExportOption(args, i, out.GifOptions, error)) {
            if (!error.isEmpty())
                return error;
            continue;
        }
        const QString& arg = args[i];
        auto value = [&]() -> std::optional<QString> {
            if (i + 1 >= args.size())
                return std::nullopt;
            return args[++i];
        };
        if (arg == QStringLiteral("--gif") || arg == QStringLiteral("--frames") || arg == QStringLiteral("--format")
            || arg == QStringLiteral("--quality") || arg == QStringLiteral("--save-project")
            || arg.startsWith(QStringLiteral("--avi")) || arg == QStringLiteral("--wav")) {
            const auto v = value();
            if (!v || v->isEmpty())
                return QStringLiteral("%1 needs a value").arg(arg);
            if (arg.startsWith(QStringLiteral("--avi")) || arg == QStringLiteral("--wav")) {
                if (arg != QStringLiteral("--avi") && arg != QStringLiteral("--avi-codec")
                    && arg != QStringLiteral("--avi-quality") && arg != QStringLiteral("--avi-frame-time")
                    && arg != QStringLiteral("--avi-bits") && arg != QStringLiteral("--wav")) {
                    out.UnknownOption = arg;
                    return QStringLiteral("unknown option %1").arg(arg);
                }
                if (auto error = ParseAviOption(arg, *v, out))
                    return error;
            } else if (arg == QStringLiteral("--gif"))
                out.Gif = *v;
            else if (arg == QStringLiteral("--frames"))
                out.Frames = *v;
            else if (arg == QStringLiteral("--format"))
                out.Format = v->toLower();
            else if (arg == QStringLiteral("--save-project"))
                out.SaveProject = *v;
            else {
                bool ok = false;
                out.Quality = v->toInt(&ok);
                if (!ok || out.Quality < 1 || out.Quality > 100)
                    return QStringLiteral("--quality takes a number from 1 to 100");
            }
        } else if (LooksLikeOption(arg)) {
            out.UnknownOption = arg;
            return QStringLiteral("unknown option %1").arg(arg);
        } else if (!out.Project.isEmpty()) {
            return QStringLiteral("unexpected argument %1").arg(arg);
        } else {
            out.Project = arg;
        }
    }
    if (out.Project.isEmpty())
        return QStringLiteral("no project given");
    return std::nullopt;
}

} // namespace

int RunRenderCommand(const QStringList& args)
{
    TRenderArgs a;
    if (const auto error = Parse(args, a)) {
        if (!a.UnknownOption.isEmpty())
            return ReportUnknownOption(QStringLiteral("render"), a.UnknownOption, CommandSynopsis(TCommand::Render));
        return Fail(*error + QStringLiteral("\n") + CommandSynopsis(TCommand::Render));
    }

    TScriptedDialogs dialogs; // questions are answered "No": nothing is asked of anyone
    THeadlessProgress progress;
    TEditorCore core(dialogs, progress);
    TOptionsPage page(core);
    TProjectLife life(core, page);
    core.SetRedrawQuestion(false);
    // The format becomes part of each file name: only the listed ones, before any work.
    static const QStringList formats = {QStringLiteral("png"), QStringLiteral("jpg"), QStringLiteral("jpeg"),
                                        QStringLiteral("gif"), QStringLiteral("bmp")};
    if (!formats.contains(a.Format))
        return Fail(core.Msg.QBadFormat);

    try {
        life.ClearProject();
        if (!QFileInfo(a.Project).isFile() || !life.OpenProject(a.Project))
            return Fail(core.Msg.QPrNotOpen);

        core.RedrawAnimation();
        if (const QStringList shown = dialogs.Messages(); !shown.isEmpty())
            return Fail(shown.last());

        if (a.Gif)
            ExportGIF(core.Animation(), *a.Gif, a.GifOptions);

        if (a.Frames) {
            const QString ext = a.Format == QStringLiteral("jpeg") ? QStringLiteral("jpg") : a.Format;
            if (!QDir().mkpath(*a.Frames))
                return Fail(QStringLiteral("The folder is not created!"));
            TZGIFImage& animation = core.Animation();
            for (int i = 0; i < animation.Count(); ++i) {
                const QString name = QDir(*a.Frames).filePath(QStringLiteral("Image%1.%2").arg(i + 1).arg(ext));
                TBitmap frame;
                animation.Frames(i).AssignTo(frame);
                if (!TOptionsPage::SaveFrame(frame, name, a.Quality))
                    return Fail(core.Msg.QBadFormat);
            }
        }

        if (a.Avi) {
            TAviExportSettings settings = TAviExportSettings::FromOptions(core.Doc.Options);
            settings.FileName = *a.Avi;
            if (a.AviCodec)
                settings.Compressor = *a.AviCodec;
            if (a.AviQuality)
                settings.Quality = *a.AviQuality;
            if (a.AviFrameTime)
                settings.FrameTime = *a.AviFrameTime;
            if (a.AviPixelFormatIndex)
                settings.PixelFormatIndex = *a.AviPixelFormatIndex;
            settings.Waves = a.Waves;
            // The control as the Save-AVI window has it, created by its class identifier.
            TZembraAviWriter control(TZembraAviWriter::DialogState());
            ExportAvi(core, control, settings, TToAVIMessages());
        }

        if (a.SaveProject && !life.WriteProject(*a.SaveProject))
            return Fail(life.NotSavedMessage(core.Msg.QPrNotSaved).replace(QStringLiteral("\r\n"), QStringLiteral(" ")));
    } catch (const std::exception& e) {
        return Fail(QString::fromUtf8(e.what()));
    }
    return 0;
}
