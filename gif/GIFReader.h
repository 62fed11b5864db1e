#pragma once
// Reads a whole GIF file held in memory into a TZGIFImage: header, logical
// screen, global table, extensions and frames (kept encoded), then decodes
// frame 0.
#include <cstdint>
#include <span>

class TZGIFImage;

class TGIFReader {
public:
    static void Read(TZGIFImage& image, std::span<const uint8_t> data);
};
