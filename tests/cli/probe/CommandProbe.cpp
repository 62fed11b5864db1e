// The headless commands in a process of their own, for tests that kill or
// limit them: "zembra_command_probe render ..." runs what "zembra render ..." runs.
#include "cli/CliMain.h"

int main(int argc, char** argv)
{
    return RunCommandLine(argc, argv).value_or(2);
}
