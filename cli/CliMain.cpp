#include "cli/CliMain.h"

#include "cli/GifCommand.h"
#include "cli/ProgramOptions.h"
#include "cli/RecordCommand.h"
#include "cli/RegsvrCommand.h"
#include "cli/RenderCommand.h"

#include <QGuiApplication>
#include <QStringList>
#include <cstdio>
#include <cstring>

namespace {

void DropToolkitMessage(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type != QtFatalMsg)
        return;
    std::fputs(message.toLocal8Bit().constData(), stderr);
    std::fputc('\n', stderr);
}

} // namespace

QtMessageHandler QuietToolkitMessages()
{
    return qInstallMessageHandler(DropToolkitMessage);
}

std::optional<int> RunCommandLine(int argc, char** argv)
{
    if (argc < 2)
        return std::nullopt;
    const char* command = argv[1];
    if (std::strcmp(command, "regsvr") == 0) { // needs no display, no toolkit
        QStringList args;
        for (int i = 2; i < argc; ++i)
            args << QString::fromLocal8Bit(argv[i]);
        if (const auto answer = AnswerCommandOptions(TCommand::Regsvr, args))
            return answer;
        return RunRegsvrCommand(args);
    }
    const bool gif = std::strcmp(command, "gif") == 0;
    const bool render = std::strcmp(command, "render") == 0;
    const bool record = std::strcmp(command, "record") == 0;
    // --help, --version and unknown options are answered without a display.
    QStringList rawArgs;
    for (int i = 1; i < argc; ++i)
        rawArgs << QString::fromLocal8Bit(argv[i]);
    if (!gif && !render && !record)
        return AnswerProgramOptions(rawArgs);
    if (const auto answer = AnswerCommandOptions(gif ? TCommand::Gif : render ? TCommand::Render : TCommand::Record,
                                                 rawArgs.mid(1)))
        return answer;

    QuietToolkitMessages();
    // Fonts and painting need a GUI application; the offscreen platform needs no
    // display. Recording reads the X11 screen, and falls back to offscreen, where
    // it reports that the screen cannot be read, when there is none.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", record ? "xcb;offscreen" : "offscreen");
    QGuiApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments();
    args.removeFirst(); // program
    args.removeFirst(); // command
    if (record)
        return RunRecordCommand(args);
    return gif ? RunGifCommand(args) : RunRenderCommand(args);
}
