#include "cli/RenderCommand.h"

#include "editor/core/EditorCore.h"
#include "editor/core/OptionsPage.h"
#include "editor/core/ProjectLife.h"
#include "platform/ScriptedDialogs.h"

#include <QDir>
#include <QFileInfo>
#include <cstdio>
#include <exception>
#include <optional>

const char* const RenderUsage =
    "usage: zembra render PROJECT.zembra [--gif OUT.gif] [--frames DIR [--format png|jpg|gif|bmp] "
    "[--quality N]] [--save-project OUT.zembra]";

namespace {

struct TRenderArgs {
    QString Project;
    std::optional<QString> Gif;
    std::optional<QString> Frames;
    QString Format = QStringLiteral("png");
    int Quality = 77;
    std::optional<QString> SaveProject;
};

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
        const QString& arg = args[i];
        auto value = [&]() -> std::optional<QString> {
            if (i + 1 >= args.size())
                return std::nullopt;
            return args[++i];
        };
        if (arg == QStringLiteral("--gif") || arg == QStringLiteral("--frames") || arg == QStringLiteral("--format")
            || arg == QStringLiteral("--quality") || arg == QStringLiteral("--save-project")) {
            const auto v = value();
            if (!v || v->isEmpty())
                return QStringLiteral("%1 needs a value").arg(arg);
            if (arg == QStringLiteral("--gif"))
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
        } else if (arg.startsWith(QStringLiteral("--")) || !out.Project.isEmpty()) {
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
    if (const auto error = Parse(args, a))
        return Fail(*error + QStringLiteral("\n") + QString::fromUtf8(RenderUsage));

    TScriptedDialogs dialogs; // questions are answered "No": nothing is asked of anyone
    THeadlessProgress progress;
    TEditorCore core(dialogs, progress);
    TOptionsPage page(core);
    TProjectLife life(core, page);
    core.IsRedraw = false;
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
            core.Animation().SaveToFile(*a.Gif);

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

        if (a.SaveProject && !life.WriteProject(*a.SaveProject))
            return Fail(life.NotSavedMessage(core.Msg.QPrNotSaved).replace(QStringLiteral("\r\n"), QStringLiteral(" ")));
    } catch (const std::exception& e) {
        return Fail(QString::fromUtf8(e.what()));
    }
    return 0;
}
