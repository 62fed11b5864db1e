#include "cli/GifCommand.h"

#include <cstdio>

int RunGifCommand(const QStringList&)
{
    std::fprintf(stderr, "zembra gif: not available in this build\n");
    return 1;
}
