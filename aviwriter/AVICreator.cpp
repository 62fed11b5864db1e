#include "aviwriter/AVICreator.h"

#include "aviwriter/vfw/ByteWriter.h"

#include <cmath>
#include <cstdio>

namespace avi {

namespace {

using vfw::MakeFourCC;

// Offsets of the values set on closing.
constexpr uint64_t kRiffSize = 4;
constexpr uint64_t kMaxBytesPerSec = 32 + 4;
constexpr uint64_t kTotalFrames = 32 + 16;
constexpr uint64_t kStreamLength = 108 + 32;
constexpr uint64_t kHeaderBytes = 180; // up to the format's data

} // namespace

TAVICreator::~TAVICreator()
{
    if (fOut)
        Close();
}

bool TAVICreator::Fail()
{
    fOut.reset();
    std::remove(fFileName.c_str());
    fIndex.clear();
    return false;
}

bool TAVICreator::Open(const std::string& fileName, HBITMAP bitmap, int32_t frameTime)
{
    if (fOut)
        Close();
    const ZBitmapSection* s = CheckedSection(bitmap);
    if (!s || s->Width < 1 || s->Height < 1 || s->Width % 2 || s->Height % 2)
        return false;
    fFileName = fileName;
    fFrameTime = frameTime;
    fIndex.clear();
    fFrameBytes = fSinceJunk = fLastJunk = 0;
    try {
        const TAviBitmap first = TAviBitmap::FromSection(*s);
        fWidth = first.Width();
        fHeight = first.Height();
        fBits = first.Bits();
        fPalette = first.Palette();
        vfw::TBitmapFormat format = first.Format();
        format.Header.biCompression = vfw::BI_RGB;
        const std::vector<uint8_t> formatBytes = format.Bytes();
        const uint32_t f = uint32_t(formatBytes.size());

        vfw::TByteWriter w;
        w.Code(MakeFourCC("RIFF"));
        w.U32(0);
        w.Code(MakeFourCC("AVI "));
        w.Code(MakeFourCC("LIST"));
        w.U32(uint32_t(kHeaderBytes + f - 20));
        w.Code(MakeFourCC("hdrl"));
        w.Code(MakeFourCC("avih"));
        w.U32(56);
        w.U32(uint32_t(int64_t(frameTime) * 1000));
        w.U32(0);       // maximum bytes per second
        w.U32(0);       // padding granularity
        w.U32(0x10010); // has index, capture file
        w.U32(0);       // total frames
        w.U32(0);       // initial frames
        w.U32(1);       // streams
        w.U32(0);       // suggested buffer
        w.I32(fWidth);
        w.I32(fHeight);
        w.Zeros(16);
        w.Code(MakeFourCC("LIST"));
        w.U32(84 + f);
        w.Code(MakeFourCC("strl"));
        w.Code(MakeFourCC("strh"));
        w.U32(64);
        w.Code(vfw::streamtypeVIDEO);
        w.U32(0); // handler
        w.U32(0); // flags
        w.U16(0); // priority
        w.U16(0); // language
        w.U32(0); // initial frames
        w.U32(uint32_t(frameTime));
        w.U32(1000);
        w.U32(0);     // start
        w.U32(0);     // length
        w.U32(0);     // suggested buffer
        w.U32(10000); // quality
        w.U32(0);     // sample size
        w.Zeros(16);  // frame rectangle
        w.Code(MakeFourCC("strf"));
        w.U32(f);
        w.Append(formatBytes);
        fMoviList = w.Size();
        w.Code(MakeFourCC("LIST"));
        w.U32(0);
        w.Code(MakeFourCC("movi"));
        fOut = std::make_unique<vfw::TOutFile>(fileName);
        fOut->Write(w.Take());
    } catch (const std::exception&) {
        return Fail();
    }
    return true;
}

void TAVICreator::WriteFrame(const TAviBitmap& frame)
{
    const uint32_t n = uint32_t(frame.ImageSize());
    fIndex.push_back({uint32_t(fOut->Position()), n});
    fOut->Code(MakeFourCC("00db"));
    fOut->U32(n);
    fOut->Write(frame.Pixels(), n);
    if (n & 1)
        fOut->Zeros(1);
    fFrameBytes += n;
    fSinceJunk += 8 + n + (n & 1);
    if (fSinceJunk > 20000) {
        fLastJunk = fOut->Position();
        fOut->Code(MakeFourCC("JUNK"));
        fOut->U32(1);
        fOut->Zeros(2);
        fSinceJunk = 0;
    }
}

bool TAVICreator::AddFrame(HBITMAP bitmap)
{
    if (!fOut)
        return false;
    if (fIndex.size() >= size_t(kMaxFrames))
        return Fail();
    const ZBitmapSection* s = CheckedSection(bitmap);
    if (!s || s->Width == 0 || s->Height == 0)
        return false;
    try {
        TAviBitmap frame = TAviBitmap::FromSection(*s);
        if (frame.Width() != fWidth || frame.Height() != fHeight || frame.Bits() != fBits
            || frame.Palette() != fPalette) {
            TAviBitmap fitted(fWidth, fHeight, fBits, fPalette);
            fitted.StretchFrom(*s);
            frame = std::move(fitted);
        }
        WriteFrame(frame);
    } catch (const std::exception&) {
        return Fail();
    }
    return true;
}

bool TAVICreator::Close()
{
    if (!fOut)
        return false;
    try {
        const uint64_t idx1 = fOut->Position();
        vfw::TByteWriter w;
        w.Code(MakeFourCC("idx1"));
        w.U32(uint32_t(16 * fIndex.size()));
        for (const TIndexEntry& e : fIndex) {
            w.Code(MakeFourCC("00db"));
            w.U32(0x10);
            w.U32(e.Offset);
            w.U32(e.Size);
        }
        fOut->Write(w.Take());
        const uint64_t frames = fIndex.size();
        const uint32_t maxBytesPerSec = frames && fFrameTime > 0
            ? uint32_t(std::nearbyint(double(fFrameBytes) / double(frames) * 1000.0 / fFrameTime))
            : 0;
        fOut->PatchU32(kRiffSize, uint32_t(fOut->Position() - 8));
        fOut->PatchU32(kMaxBytesPerSec, maxBytesPerSec);
        fOut->PatchU32(kTotalFrames, uint32_t(frames));
        fOut->PatchU32(kStreamLength, uint32_t(frames));
        fOut->PatchU32(fMoviList + 4, uint32_t(idx1 - fMoviList - 8));
        fOut->Close();
    } catch (const std::exception&) {
        return Fail();
    }
    fOut.reset();
    fIndex.clear();
    return true;
}

} // namespace avi
