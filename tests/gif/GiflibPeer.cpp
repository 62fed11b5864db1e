#include "tests/gif/GiflibPeer.h"

#include <cstring>
#include <gif_lib.h>

namespace {

struct TMemoryInput {
    const QByteArray* Data;
    int Pos = 0;
};

int ReadFromMemory(GifFileType* gif, GifByteType* buffer, int size)
{
    auto* in = static_cast<TMemoryInput*>(gif->UserData);
    const int n = std::min(size, int(in->Data->size()) - in->Pos);
    std::memcpy(buffer, in->Data->constData() + in->Pos, size_t(std::max(n, 0)));
    in->Pos += std::max(n, 0);
    return std::max(n, 0);
}

std::vector<uint32_t> PaletteOf(const ColorMapObject* map)
{
    std::vector<uint32_t> palette;
    if (!map)
        return palette;
    for (int i = 0; i < map->ColorCount; ++i)
        palette.push_back((uint32_t(map->Colors[i].Red) << 16) | (uint32_t(map->Colors[i].Green) << 8) |
                          map->Colors[i].Blue);
    return palette;
}

} // namespace

uint32_t TPeerGif::Rgb(int frame, int x, int y) const
{
    const TPeerFrame& f = Frames[size_t(frame)];
    return f.Palette[f.Indices[size_t(y) * size_t(f.Width) + size_t(x)]];
}

TPeerGif DecodeWithGiflib(const QByteArray& file)
{
    TPeerGif result;
    TMemoryInput input{&file};
    int error = 0;
    GifFileType* gif = DGifOpen(&input, ReadFromMemory, &error);
    if (!gif) {
        result.Error = GifErrorString(error) ? GifErrorString(error) : "open failed";
        return result;
    }
    if (DGifSlurp(gif) != GIF_OK) {
        result.Error = GifErrorString(gif->Error) ? GifErrorString(gif->Error) : "slurp failed";
        DGifCloseFile(gif, &error);
        return result;
    }
    result.Ok = true;
    result.ScreenWidth = gif->SWidth;
    result.ScreenHeight = gif->SHeight;
    result.HasGlobalTable = gif->SColorMap != nullptr;
    result.GlobalPalette = PaletteOf(gif->SColorMap);
    for (int i = 0; i < gif->ImageCount; ++i) {
        const SavedImage& image = gif->SavedImages[i];
        TPeerFrame frame;
        frame.Left = image.ImageDesc.Left;
        frame.Top = image.ImageDesc.Top;
        frame.Width = image.ImageDesc.Width;
        frame.Height = image.ImageDesc.Height;
        frame.Interlaced = image.ImageDesc.Interlace;
        frame.HasLocalTable = image.ImageDesc.ColorMap != nullptr;
        frame.Palette = PaletteOf(image.ImageDesc.ColorMap ? image.ImageDesc.ColorMap : gif->SColorMap);
        frame.Indices.assign(image.RasterBits, image.RasterBits + size_t(frame.Width) * size_t(frame.Height));
        // DGifSlurp puts interlaced rows in their places itself.
        GraphicsControlBlock gcb;
        if (DGifSavedExtensionToGCB(gif, i, &gcb) == GIF_OK) {
            bool hasGcb = false;
            for (int e = 0; e < image.ExtensionBlockCount; ++e)
                hasGcb |= image.ExtensionBlocks[e].Function == GRAPHICS_EXT_FUNC_CODE;
            if (hasGcb) {
                frame.DelayHundredths = gcb.DelayTime;
                frame.TransparentIndex = gcb.TransparentColor;
                frame.Disposal = gcb.DisposalMode;
            }
        }
        result.Frames.push_back(std::move(frame));
    }
    // The loop block sits before frame 0 (giflib files it with the first image) or at the end.
    auto scanLoop = [&](const ExtensionBlock* blocks, int count) {
        for (int e = 0; e + 1 < count; ++e)
            if (blocks[e].Function == APPLICATION_EXT_FUNC_CODE && blocks[e].ByteCount == 11 &&
                std::memcmp(blocks[e].Bytes, "NETSCAPE2.0", 11) == 0 && blocks[e + 1].ByteCount >= 3)
                result.LoopCount = blocks[e + 1].Bytes[1] | (blocks[e + 1].Bytes[2] << 8);
    };
    if (gif->ImageCount > 0)
        scanLoop(gif->SavedImages[0].ExtensionBlocks, gif->SavedImages[0].ExtensionBlockCount);
    scanLoop(gif->ExtensionBlocks, gif->ExtensionBlockCount);
    DGifCloseFile(gif, &error);
    return result;
}

QByteArray HandMadeGif(int width, int height, const std::vector<uint32_t>& palette, const std::vector<uint8_t>& encoded,
                       bool interlaced)
{
    int bits = 1;
    while ((1u << bits) < palette.size())
        ++bits;
    QByteArray gif("GIF89a");
    auto word = [&](int v) {
        gif.append(char(v & 0xFF));
        gif.append(char((v >> 8) & 0xFF));
    };
    word(width);
    word(height);
    gif.append(char(0x80 | ((bits - 1) << 4) | (bits - 1)));
    gif.append('\0');
    gif.append('\0');
    for (int i = 0; i < (1 << bits); ++i) {
        const uint32_t c = i < int(palette.size()) ? palette[size_t(i)] : 0;
        gif.append(char(c >> 16));
        gif.append(char(c >> 8));
        gif.append(char(c));
    }
    gif.append(char(0x2C));
    word(0);
    word(0);
    word(width);
    word(height);
    gif.append(char(interlaced ? 0x40 : 0));
    gif.append(reinterpret_cast<const char*>(encoded.data()), qsizetype(encoded.size()));
    gif.append(char(0x3B));
    return gif;
}
