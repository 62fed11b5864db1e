#pragma once
// Helpers of the AVI tests: bitmaps behind handles, wave files, and
// ffprobe/ffmpeg as the independent reader of the files written.
#include "com/BitmapHandle.h"

#include <QString>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

// A top-down bitmap of 24 or 32 bits (or 8 with a palette) behind a handle.
struct TTestBitmap {
    TTestBitmap(int width, int height, int bits = 32);
    void Set(int x, int y, uint32_t rgb); // 0x00RRGGBB, or an index at 8 bits
    // Every pixel a colour made from its position and `seed`.
    void Pattern(int seed);
    uint32_t At(int x, int y) const;
    HBITMAP Handle() { return ZBitmapHandleOf(&Section); }
    std::vector<uint8_t> Bgr24() const; // rows top-down, for comparing with ffmpeg's output

    int Width, Height, Bits;
    std::vector<uint8_t> Pixels;
    std::vector<uint32_t> Palette;
    ZBitmapSection Section{};
};

// A PCM wave file of 16-bit mono samples: sample i is value(i).
void WriteWave(const std::string& path, uint32_t rate, const std::vector<int16_t>& samples);

// One map of ffprobe's key=value entries per stream, in stream order
// (codec_type, codec_name, width, height, nb_read_frames, r_frame_rate ...).
std::vector<std::map<std::string, std::string>> Probe(const QString& file);
// The video decoded as bgr24 (all frames, rows top-down), and ffmpeg's error output.
std::vector<uint8_t> DecodeVideo(const QString& file, QString* errors = nullptr);
// The first audio stream decoded as 16-bit samples.
std::vector<int16_t> DecodeAudio(const QString& file);

// Little-endian 32-bit value at an offset of a file's bytes.
uint32_t U32At(const std::vector<uint8_t>& bytes, size_t offset);
std::vector<uint8_t> ReadAll(const QString& file);
