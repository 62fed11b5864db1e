#include "platform/LibraryVersions.h"

#include <QtGlobal>
#include <cstdio>
#include <jpeglib.h>
#include <png.h>
#include <zlib.h>

namespace {

// LIBJPEG_TURBO_VERSION_NUMBER is MMMmmmppp.
QString JpegTurboVersion()
{
#ifdef LIBJPEG_TURBO_VERSION_NUMBER
    constexpr long n = LIBJPEG_TURBO_VERSION_NUMBER;
    return QStringLiteral("%1.%2.%3").arg(n / 1000000).arg(n / 1000 % 1000).arg(n % 1000);
#else
    return QStringLiteral("IJG %1").arg(JPEG_LIB_VERSION);
#endif
}

} // namespace

std::vector<TLibraryVersion> LibraryVersions()
{
    return {
        {QStringLiteral("Qt"), QString::fromLatin1(qVersion())},
        {QStringLiteral("libjpeg-turbo"), JpegTurboVersion()},
        {QStringLiteral("libpng"), QString::fromLatin1(png_get_libpng_ver(nullptr))},
        {QStringLiteral("zlib"), QString::fromLatin1(zlibVersion())},
    };
}
