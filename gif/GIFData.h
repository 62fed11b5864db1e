#pragma once
// TGIFData: the global data of a GIF file, shared between images by
// reference counting and copied before it is changed (copy on write).
#include "gif/GIFTypes.h"

#include <QStringList>
#include <cstdint>

struct TGIFData {
    QStringList FComment;
    uint8_t FAspectRatio = 0;  // as read; 0 for new images
    uint8_t FBitsPerPixel = 1; // size of the global table is 2^bits
    uint8_t FColorResBits = 1;
    TGIFColorTable FColorMap;  // the global colour table (Count 0: none)
};
