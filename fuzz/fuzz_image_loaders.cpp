// Feeds arbitrary bytes to the BMP, JPEG and PNG loaders: every input must give
// a picture or an EImageFileError, within the size limits and without faults.
#include "platform/ImageFiles.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    try {
        const TBitmap bitmap = LoadImageData(bytes);
        if (!bitmap.Empty())
            (void)bitmap.Pixel(bitmap.Width() - 1, bitmap.Height() - 1);
    } catch (const EImageFileError&) {
    }
    return 0;
}
