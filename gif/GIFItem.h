#pragma once
// TGIFItem: the encoded data of one frame, shared by reference counting
// between frames and never changed once it is built.
#include "gif/GIFTypes.h"
#include "platform/Types.h"

#include <cstdint>
#include <memory>
#include <vector>

struct TGIFItem {
    // The LZW minimum-code-size byte, the data sub-blocks and the zero
    // terminator, as in a file; empty when the frame is not encoded.
    std::vector<uint8_t> FImageData;
    TSize FSize;
    uint8_t FPackedFields = 0; // image-descriptor flags as read
    uint8_t FBitsPerPixel = 0; // 1..8; 0 when the frame has no colour table
    // The table the frame is drawn with: its local table, or the global one.
    std::shared_ptr<const TGIFColorTable> FColorMap = std::make_shared<const TGIFColorTable>();

    bool Encoded() const { return !FImageData.empty(); }
    const TGIFColorTable& ColorMap() const { return *FColorMap; }
};
