#include "gif/GIFError.h"

#include <cstdio>

namespace GIFMessages {

std::string UnrecognizedExtension(int label)
{
    char text[64];
    std::snprintf(text, sizeof text, "Unrecognized extension block: %.2x", label & 0xFF);
    return text;
}

std::string ListIndexError(int index)
{
    char text[64];
    std::snprintf(text, sizeof text, "List index out of bounds (%d)", index);
    return text;
}

std::string FrameTooLarge(int width, int height)
{
    char text[96];
    std::snprintf(text, sizeof text, "GIF frame too large: %d x %d pixels", width, height);
    return text;
}

} // namespace GIFMessages
