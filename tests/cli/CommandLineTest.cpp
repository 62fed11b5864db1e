// The command-line conventions: --help and --version answer on stdout with
// status 0, an unknown option gets the usage on stderr and status 2, and what
// is neither (a project, Qt's window options) starts the editor.
#include "cli/CliMain.h"
#include "cli/GifCommand.h"
#include "cli/RecordCommand.h"
#include "cli/RegsvrCommand.h"
#include "cli/RenderCommand.h"

#include <QRegularExpression>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

struct TAnswer {
    std::optional<int> Status;
    std::string Out, Err;
};

// RunCommandLine over "zembra ARGS..." with its output captured.
TAnswer RunZembra(std::vector<std::string> args)
{
    args.insert(args.begin(), "zembra");
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    TAnswer answer;
    answer.Status = RunCommandLine(int(args.size()), argv.data());
    answer.Out = testing::internal::GetCapturedStdout();
    answer.Err = testing::internal::GetCapturedStderr();
    return answer;
}

template <class F>
TAnswer RunCommand(F command, const QStringList& args)
{
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    TAnswer answer;
    answer.Status = command(args);
    answer.Out = testing::internal::GetCapturedStdout();
    answer.Err = testing::internal::GetCapturedStderr();
    return answer;
}

bool Has(const std::string& text, const char* part)
{
    return text.find(part) != std::string::npos;
}

} // namespace

TEST(CommandLineTest, ProgramHelpAndVersion)
{
    for (const char* help : {"--help", "-h"}) {
        const TAnswer a = RunZembra({help});
        EXPECT_EQ(a.Status, 0);
        EXPECT_EQ(a.Err, "");
        for (const char* usage : {"usage: zembra [OPTION]", "zembra gif info", "zembra gif frames", "zembra gif make",
                                  "zembra render", "zembra record", "--version"})
            EXPECT_TRUE(Has(a.Out, usage)) << usage;
    }
    for (const char* version : {"--version", "-V"}) {
        const TAnswer a = RunZembra({version});
        EXPECT_EQ(a.Status, 0);
        EXPECT_TRUE(QRegularExpression(QStringLiteral("^zembra \\d+\\.\\d+\\.\\d+\\n$"))
                        .match(QString::fromStdString(a.Out)).hasMatch())
            << a.Out;
    }
}

TEST(CommandLineTest, UnknownProgramOptionGivesUsageAndStatusTwo)
{
    for (const char* option : {"--bogus", "-x", "--platformx"}) {
        const TAnswer a = RunZembra({option, "project.zembra"});
        EXPECT_EQ(a.Status, 2) << option;
        EXPECT_EQ(a.Out, "");
        EXPECT_TRUE(Has(a.Err, (std::string("zembra: unknown option ") + option + "\n").c_str())) << a.Err;
        EXPECT_TRUE(Has(a.Err, "usage: zembra [OPTION]"));
    }
}

TEST(CommandLineTest, ProjectsAndQtOptionsStartTheEditor)
{
    EXPECT_EQ(RunZembra({}).Status, std::nullopt);
    EXPECT_EQ(RunZembra({"clip.zembra"}).Status, std::nullopt);
    EXPECT_EQ(RunZembra({"-"}).Status, std::nullopt);
    const TAnswer a = RunZembra({"-platform", "offscreen", "--style", "fusion", "-stylesheet=x.qss", "-reverse", "clip.zembra"});
    EXPECT_EQ(a.Status, std::nullopt);
    EXPECT_EQ(a.Out + a.Err, "");
}

TEST(CommandLineTest, EveryCommandAnswersHelpAndVersion)
{
    const std::vector<std::pair<const char*, const char*>> commands{
        {"gif", "usage: zembra gif info FILE"}, {"render", "usage: zembra render PROJECT.zembra"},
        {"record", "usage: zembra record --rect"}, {"regsvr", "usage: zembra regsvr [-u] LIBRARY"}};
    for (const auto& [command, synopsis] : commands) {
        TAnswer a = RunZembra({command, "--help"});
        EXPECT_EQ(a.Status, 0) << command;
        EXPECT_TRUE(Has(a.Out, synopsis)) << a.Out;
        EXPECT_EQ(a.Err, "");
        a = RunZembra({command, "make", "-h"}); // anywhere among the arguments
        EXPECT_EQ(a.Status, 0) << command;
        EXPECT_TRUE(Has(a.Out, synopsis));
        a = RunZembra({command, "--version"});
        EXPECT_EQ(a.Status, 0);
        EXPECT_TRUE(Has(a.Out, "zembra "));
    }
}

TEST(CommandLineTest, UnknownCommandOptionsGiveStatusTwoAndBadValuesStatusOne)
{
    struct TCase {
        TAnswer Answer;
        const char* Message;
    };
    const std::vector<TCase> unknown{
        {RunCommand(RunGifCommand, {"info", "--fast", "a.gif"}), "zembra gif: unknown option --fast\nusage: zembra gif"},
        {RunCommand(RunGifCommand, {"frames", "a.gif", "out", "-c"}), "zembra gif: unknown option -c\n"},
        {RunCommand(RunGifCommand, {"make", "out.gif", "--fps", "10", "a.png"}), "zembra gif: unknown option --fps\n"},
        {RunCommand(RunRenderCommand, {"p.zembra", "--mp4", "x.mp4"}), "zembra render: unknown option --mp4\nusage: zembra render"},
        {RunCommand(RunRenderCommand, {"p.zembra", "--avi-fps", "10"}), "zembra render: unknown option --avi-fps\n"},
        {RunCommand(RunRecordCommand, {"--rect", "0,0,10,10", "--fast", "o.gif"}), "zembra record: unknown option --fast\nusage: zembra record"},
        {RunCommand(RunRegsvrCommand, {"--all", "lib.so"}), "zembra regsvr: unknown option --all\nusage: zembra regsvr"},
    };
    for (const TCase& c : unknown) {
        EXPECT_EQ(c.Answer.Status, 2) << c.Message;
        EXPECT_TRUE(Has(c.Answer.Err, c.Message)) << c.Answer.Err;
        EXPECT_EQ(c.Answer.Out, "");
    }
    // Malformed values and missing arguments are failures of their own.
    EXPECT_EQ(RunCommand(RunGifCommand, {"make", "out.gif", "--delay", "-5", "a.png"}).Status, 1);
    EXPECT_EQ(RunCommand(RunRecordCommand, {"--rect", "0,0,10,10", "o.gif"}).Status, 1);
    EXPECT_EQ(RunCommand(RunRenderCommand, {"p.zembra", "--gif"}).Status, 1);
}
