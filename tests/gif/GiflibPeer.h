#pragma once
// giflib as an independent decoder for checking what our writer produces.
#include <QByteArray>
#include <cstdint>
#include <string>
#include <vector>

struct TPeerFrame {
    int Left = 0, Top = 0, Width = 0, Height = 0;
    bool Interlaced = false;
    bool HasLocalTable = false;
    std::vector<uint32_t> Palette; // 0xRRGGBB of the table the frame uses
    std::vector<uint8_t> Indices;  // rows top to bottom, de-interlaced
    int DelayHundredths = -1;      // -1 without a graphic control block
    int TransparentIndex = -1;
    int Disposal = 0;
};

struct TPeerGif {
    bool Ok = false;
    std::string Error;
    int ScreenWidth = 0, ScreenHeight = 0;
    bool HasGlobalTable = false;
    std::vector<uint32_t> GlobalPalette;
    int LoopCount = -1; // -1 without a NETSCAPE2.0 block
    std::vector<TPeerFrame> Frames;

    // The RGB of pixel (x, y) of a frame.
    uint32_t Rgb(int frame, int x, int y) const;
};

TPeerGif DecodeWithGiflib(const QByteArray& file);

// A GIF file built byte by byte: one frame with a global table and the given encoded data.
QByteArray HandMadeGif(int width, int height, const std::vector<uint32_t>& palette, const std::vector<uint8_t>& encoded,
                       bool interlaced = false);
