// zembra: the editor, or a headless command when the first argument names one.
#include "app/ZembraApp.h"
#include "cli/CliMain.h"

int main(int argc, char** argv)
{
    if (const auto status = RunCommandLine(argc, argv))
        return *status;
    return RunZembra(argc, argv);
}
