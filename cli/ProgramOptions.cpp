#include "cli/ProgramOptions.h"

namespace {

bool IsHelp(const QString& arg)
{
    return arg == QLatin1String("--help") || arg == QLatin1String("-h");
}

bool IsVersion(const QString& arg)
{
    return arg == QLatin1String("--version") || arg == QLatin1String("-V");
}

// Options that QGuiApplication and QApplication take from the command line,
// those followed by a value and those standing alone.
const QStringList QtValueOptions = {
    QStringLiteral("platform"), QStringLiteral("platformpluginpath"), QStringLiteral("platformtheme"),
    QStringLiteral("plugin"), QStringLiteral("qwindowgeometry"), QStringLiteral("qwindowicon"),
    QStringLiteral("qwindowtitle"), QStringLiteral("session"), QStringLiteral("style"),
    QStringLiteral("stylesheet"), QStringLiteral("display"), QStringLiteral("geometry"),
    QStringLiteral("qmljsdebugger")};
const QStringList QtFlagOptions = {QStringLiteral("reverse"), QStringLiteral("widgetcount"),
                                   QStringLiteral("nograb"), QStringLiteral("dograb"), QStringLiteral("sync")};

} // namespace

std::optional<int> AnswerProgramOptions(const QStringList& args)
{
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (IsHelp(arg))
            return PrintAndSucceed(ProgramHelp());
        if (IsVersion(arg))
            return PrintAndSucceed(VersionLine());
        if (!LooksLikeOption(arg))
            continue;
        // Qt reads "-style x", "--style x" and "-style=x" alike.
        QString name = arg.mid(arg.startsWith(QLatin1String("--")) ? 2 : 1);
        const bool inlineValue = name.contains(QLatin1Char('='));
        name = name.section(QLatin1Char('='), 0, 0);
        if (QtValueOptions.contains(name)) {
            if (!inlineValue)
                ++i;
            continue;
        }
        if (QtFlagOptions.contains(name))
            continue;
        return ReportUnknownOption({}, arg, ProgramHelp().section(QStringLiteral("\n\n"), 0, 0));
    }
    return std::nullopt;
}

std::optional<int> AnswerCommandOptions(TCommand command, const QStringList& args)
{
    for (const QString& arg : args) {
        if (IsHelp(arg))
            return PrintAndSucceed(CommandHelp(command));
        if (IsVersion(arg))
            return PrintAndSucceed(VersionLine());
    }
    return std::nullopt;
}

bool TakeGIFExportOption(const QStringList& args, int& i, TGIFExportOptions& options, QString& error)
{
    const QString& arg = args[i];
    if (arg == QLatin1String("--no-optimise") || arg == QLatin1String("--no-optimize")) {
        options.Optimise = false;
    } else if (arg == QLatin1String("--dither")) {
        options.Dither = true;
    } else if (arg == QLatin1String("--reducer")) {
        const QString value = i + 1 < args.size() ? args[++i] : QString();
        if (value == QLatin1String("popularity"))
            options.Reducer = TColorReducer::Popularity;
        else if (value == QLatin1String("quality"))
            options.Reducer = TColorReducer::HighQuality;
        else
            error = QStringLiteral("--reducer takes popularity or quality");
    } else {
        return false;
    }
    return true;
}
