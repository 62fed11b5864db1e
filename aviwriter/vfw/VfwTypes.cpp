#include "aviwriter/vfw/VfwTypes.h"
#include "aviwriter/vfw/ByteWriter.h"

#include <cstdio>

namespace vfw {

FourCC FourCCFromText(const std::string& text)
{
    FourCC code = 0;
    for (int i = 0; i < 4; ++i) {
        const uint8_t c = i < int(text.size()) ? uint8_t(text[size_t(i)]) : uint8_t(' ');
        code |= FourCC(c) << (8 * i);
    }
    return code;
}

std::string FourCCText(FourCC code)
{
    std::string s(4, '\0');
    for (int i = 0; i < 4; ++i)
        s[size_t(i)] = char(uint8_t(code >> (8 * i)));
    return s;
}

std::string HexCode(uint32_t code)
{
    char text[9];
    std::snprintf(text, sizeof text, "%08X", unsigned(code));
    return text;
}

EVfwError::EVfwError(uint32_t code) : std::runtime_error("AVI file library error " + HexCode(code)), fCode(code) {}

std::vector<uint8_t> TBitmapFormat::Bytes() const
{
    TByteWriter w;
    w.U32(Header.biSize);
    w.I32(Header.biWidth);
    w.I32(Header.biHeight);
    w.U16(Header.biPlanes);
    w.U16(Header.biBitCount);
    w.U32(Header.biCompression);
    w.U32(Header.biSizeImage);
    w.I32(Header.biXPelsPerMeter);
    w.I32(Header.biYPelsPerMeter);
    w.U32(Header.biClrUsed);
    w.U32(Header.biClrImportant);
    for (uint32_t c : Palette)
        w.U32(c);
    return w.Take();
}

TBitmapFormat TBitmapFormat::FromBytes(const std::vector<uint8_t>& bytes)
{
    TByteReader r(bytes.data(), bytes.size());
    TBitmapFormat f;
    TBitmapInfoHeader& h = f.Header;
    h.biSize = r.U32();
    h.biWidth = r.I32();
    h.biHeight = r.I32();
    h.biPlanes = r.U16();
    h.biBitCount = r.U16();
    h.biCompression = r.U32();
    h.biSizeImage = r.U32();
    h.biXPelsPerMeter = r.I32();
    h.biYPelsPerMeter = r.I32();
    h.biClrUsed = r.U32();
    h.biClrImportant = r.U32();
    if (!r.Ok() || h.biSize < kBitmapInfoHeaderSize || h.biSize > bytes.size())
        throw EVfwError(AVIERR_BADFORMAT);
    r.Skip(h.biSize - kBitmapInfoHeaderSize);
    while (r.Remaining() >= 4 && f.Palette.size() < 256)
        f.Palette.push_back(r.U32());
    return f;
}

std::vector<uint8_t> TWaveFormat::Bytes() const
{
    TByteWriter w;
    w.U16(wFormatTag);
    w.U16(nChannels);
    w.U32(nSamplesPerSec);
    w.U32(nAvgBytesPerSec);
    w.U16(nBlockAlign);
    w.U16(wBitsPerSample);
    w.U16(0);
    return w.Take();
}

} // namespace vfw
