#include "aviwriter/vfw/AviFileWriter.h"

#include "aviwriter/vfw/ByteWriter.h"

#include <algorithm>
#include <cstdio>

namespace vfw {

namespace {

// Room for the headers before the first movie list: four streams with
// formats of up to kMaxFormat bytes and super indexes of kMaxSuperEntries.
constexpr size_t kMaxFormat = 1100;
constexpr size_t kMaxSuperEntries = 256;
constexpr size_t kHeaderRoom = 24 * 1024;

constexpr FourCC kRIFF = MakeFourCC("RIFF");
constexpr FourCC kLIST = MakeFourCC("LIST");
constexpr FourCC kJUNK = MakeFourCC("JUNK");

FourCC ChunkIdFor(int stream, const TAviStreamInfo& info, const std::vector<uint8_t>& format)
{
    char kind[3] = "wb";
    if (info.fccType == streamtypeVIDEO) {
        // Uncompressed frames are "db", compressed ones "dc".
        const bool rgb = format.size() < 20 || (format[16] | format[17] | format[18] | format[19]) == 0;
        kind[0] = 'd';
        kind[1] = rgb ? 'b' : 'c';
    } else if (info.fccType != streamtypeAUDIO) {
        kind[0] = 'd';
        kind[1] = 'c';
    }
    const char id[5] = {char('0' + stream / 10), char('0' + stream % 10), kind[0], kind[1], 0};
    return MakeFourCC({id[0], id[1], id[2], id[3], 0});
}

FourCC IndexChunkId(int stream)
{
    return MakeFourCC({'i', 'x', char('0' + stream / 10), char('0' + stream % 10), 0});
}

} // namespace

TAviFileWriter::TAviFileWriter(const std::string& path) : fOut(std::make_unique<TOutFile>(path))
{
    fOut->Zeros(kHeaderRoom);
    StartPart();
}

TAviFileWriter::~TAviFileWriter()
{
    try {
        Close();
    } catch (const EVfwError&) {
    }
}

int TAviFileWriter::CreateStream(const TAviStreamInfo& info)
{
    if (!fOut || int(fStreams.size()) >= kMaxStreams)
        throw EVfwError(AVIERR_BADPARAM);
    TStream s;
    s.Info = info;
    if (s.Info.szName.size() > 63)
        s.Info.szName.resize(63);
    fStreams.push_back(std::move(s));
    return int(fStreams.size()) - 1;
}

const TAviStreamInfo& TAviFileWriter::StreamInfo(int stream) const
{
    return fStreams.at(size_t(stream)).Info;
}

void TAviFileWriter::SetFormat(int stream, const std::vector<uint8_t>& format)
{
    if (stream < 0 || stream >= StreamCount() || format.size() > kMaxFormat)
        throw EVfwError(AVIERR_BADPARAM);
    TStream& s = fStreams[size_t(stream)];
    s.Format = format;
    s.ChunkId = ChunkIdFor(stream, s.Info, s.Format);
}

const std::vector<uint8_t>& TAviFileWriter::Format(int stream) const
{
    return fStreams.at(size_t(stream)).Format;
}

void TAviFileWriter::Write(int stream, const void* data, uint32_t size, uint32_t samples, bool keyFrame)
{
    if (!fOut)
        throw EVfwError(AVIERR_FILEWRITE);
    if (stream < 0 || stream >= StreamCount() || fStreams[size_t(stream)].Format.empty())
        throw EVfwError(AVIERR_BADPARAM);
    if (size >= (uint32_t(1) << 31))
        throw EVfwError(AVIERR_BADSIZE);
    if (fOut->Position() - fPartStart + size > RiffLimit && !fStreams.empty()
        && fOut->Position() > fMoviStart + 12) {
        EndPart(false);
        StartPart();
    }
    TStream& s = fStreams[size_t(stream)];
    const uint32_t flags = keyFrame ? AVIIF_KEYFRAME : 0;
    const TIndexEntry entry{fOut->Position(), size, flags};
    fOut->Code(s.ChunkId);
    fOut->U32(size);
    fOut->Write(data, size);
    if (size & 1)
        fOut->Zeros(1);
    s.PartIndex.push_back(entry);
    if (fParts == 1) {
        fIdx1.push_back(entry);
        fIdx1Stream.push_back(stream);
        if (s.Info.fccType == streamtypeVIDEO)
            ++s.FirstPartFrames;
    }
    s.Samples += samples;
    s.MaxChunk = std::max(s.MaxChunk, size);
}

void TAviFileWriter::StartPart()
{
    ++fParts;
    if (fParts > 1) {
        fPartStart = fOut->Position();
        fOut->Code(kRIFF);
        fOut->U32(0);
        fOut->Code(MakeFourCC("AVIX"));
    } else {
        fPartStart = 0;
    }
    fMoviStart = fOut->Position();
    fOut->Code(kLIST);
    fOut->U32(0);
    fOut->Code(MakeFourCC("movi"));
}

void TAviFileWriter::WriteStandardIndex(int stream)
{
    TStream& s = fStreams[size_t(stream)];
    if (s.PartIndex.empty())
        return;
    if (s.SuperIndex.size() >= kMaxSuperEntries)
        throw EVfwError(AVIERR_FILEWRITE);
    // AVISTDINDEX: entries hold the data's offset from a base and its size;
    // the size's top bit marks chunks that are not key frames.
    const uint64_t base = s.PartIndex.front().Offset;
    const uint64_t at = fOut->Position();
    TByteWriter w;
    w.Code(IndexChunkId(stream));
    w.U32(uint32_t(24 + 8 * s.PartIndex.size()));
    w.U16(2);   // longs per entry
    w.U8(0);    // sub type
    w.U8(1);    // AVI_INDEX_OF_CHUNKS
    w.U32(uint32_t(s.PartIndex.size()));
    w.Code(s.ChunkId);
    w.U64(base);
    w.U32(0);
    uint64_t duration = 0;
    for (const TIndexEntry& e : s.PartIndex) {
        w.U32(uint32_t(e.Offset + 8 - base));
        w.U32(e.Size | (e.Flags & AVIIF_KEYFRAME ? 0u : 0x80000000u));
        duration += s.Info.dwSampleSize ? e.Size / s.Info.dwSampleSize : 1;
    }
    const std::vector<uint8_t> bytes = w.Take();
    fOut->Write(bytes);
    s.SuperIndex.push_back({at, uint32_t(bytes.size()), uint32_t(duration)});
    s.PartIndex.clear();
}

void TAviFileWriter::EndPart(bool last)
{
    if (!last || fParts > 1)
        fOpenDml = true;
    if (fOpenDml)
        for (int i = 0; i < StreamCount(); ++i)
            WriteStandardIndex(i);
    else
        for (TStream& s : fStreams)
            s.PartIndex.clear();
    fOut->PatchU32(fMoviStart + 4, uint32_t(fOut->Position() - fMoviStart - 8));
    if (fParts == 1) {
        // idx1 offsets count from the "movi" code of the first movie list.
        TByteWriter w;
        w.Code(MakeFourCC("idx1"));
        w.U32(uint32_t(16 * fIdx1.size()));
        for (size_t i = 0; i < fIdx1.size(); ++i) {
            w.Code(fStreams[size_t(fIdx1Stream[i])].ChunkId);
            w.U32(fIdx1[i].Flags);
            w.U32(uint32_t(fIdx1[i].Offset - (fMoviStart + 8)));
            w.U32(fIdx1[i].Size);
        }
        fOut->Write(w.Take());
        fIdx1.clear();
        fIdx1.shrink_to_fit();
        fIdx1Stream.clear();
        fIdx1Stream.shrink_to_fit();
    }
    const uint32_t partSize = uint32_t(fOut->Position() - fPartStart - 8);
    if (fParts == 1)
        fFirstPartSize = partSize; // the headers written on closing carry it
    else
        fOut->PatchU32(fPartStart + 4, partSize);
}

std::vector<uint8_t> TAviFileWriter::Headers() const
{
    const TStream* video = nullptr;
    for (const TStream& s : fStreams)
        if (s.Info.fccType == streamtypeVIDEO && !video)
            video = &s;
    TByteWriter w;
    w.Code(kRIFF);
    w.U32(0); // patched by the caller
    w.Code(MakeFourCC("AVI "));
    w.Code(kLIST);
    const size_t hdrlSize = w.Size();
    w.U32(0);
    w.Code(MakeFourCC("hdrl"));

    // Main header.
    w.Code(MakeFourCC("avih"));
    w.U32(56);
    uint32_t microSecPerFrame = 0, maxBytesPerSec = 0, width = 0, height = 0;
    uint32_t suggested = 0;
    for (const TStream& s : fStreams)
        suggested = std::max(suggested, s.MaxChunk);
    if (video) {
        const TAviStreamInfo& v = video->Info;
        if (v.dwRate)
            microSecPerFrame = uint32_t(uint64_t(v.dwScale) * 1000000 / v.dwRate);
        width = uint32_t(v.rcFrame.right - v.rcFrame.left);
        height = uint32_t(v.rcFrame.bottom - v.rcFrame.top);
        if (video->Format.size() >= 12 && (width == 0 || height == 0)) {
            const TBitmapFormat f = TBitmapFormat::FromBytes(video->Format);
            width = uint32_t(f.Header.biWidth);
            height = uint32_t(f.Header.biHeight < 0 ? -f.Header.biHeight : f.Header.biHeight);
        }
        if (v.dwScale)
            maxBytesPerSec = uint32_t(std::min<uint64_t>(0xFFFFFFFFu, uint64_t(video->MaxChunk) * v.dwRate / v.dwScale));
    }
    w.U32(microSecPerFrame);
    w.U32(maxBytesPerSec);
    w.U32(0);                  // padding granularity
    w.U32(0x10);               // AVIF_HASINDEX
    w.U32(video ? video->FirstPartFrames : 0);
    w.U32(0);                  // initial frames
    w.U32(uint32_t(fStreams.size()));
    w.U32(suggested);
    w.U32(width);
    w.U32(height);
    w.Zeros(16);

    for (size_t i = 0; i < fStreams.size(); ++i) {
        const TStream& s = fStreams[i];
        const TAviStreamInfo& in = s.Info;
        w.Code(kLIST);
        const size_t strlSize = w.Size();
        w.U32(0);
        w.Code(MakeFourCC("strl"));
        w.Code(MakeFourCC("strh"));
        w.U32(56);
        w.Code(in.fccType);
        w.Code(in.fccHandler);
        w.U32(in.dwFlags);
        w.U16(in.wPriority);
        w.U16(in.wLanguage);
        w.U32(in.dwInitialFrames);
        w.U32(in.dwScale);
        w.U32(in.dwRate);
        w.U32(in.dwStart);
        w.U32(uint32_t(std::min<uint64_t>(s.Samples, 0xFFFFFFFFu)));
        w.U32(std::max(in.dwSuggestedBufferSize, s.MaxChunk));
        w.U32(in.dwQuality);
        w.U32(in.dwSampleSize);
        w.U16(uint16_t(in.rcFrame.left));
        w.U16(uint16_t(in.rcFrame.top));
        w.U16(uint16_t(in.rcFrame.right));
        w.U16(uint16_t(in.rcFrame.bottom));
        w.Code(MakeFourCC("strf"));
        w.U32(uint32_t(s.Format.size()));
        w.Append(s.Format);
        if (s.Format.size() & 1)
            w.U8(0);
        if (!in.szName.empty()) {
            w.Code(MakeFourCC("strn"));
            w.U32(uint32_t(in.szName.size() + 1));
            w.Append(std::vector<uint8_t>(in.szName.begin(), in.szName.end()));
            w.U8(0);
            if ((in.szName.size() + 1) & 1)
                w.U8(0);
        }
        if (fOpenDml) {
            // AVISUPERINDEX: one entry per ix## chunk of the stream.
            w.Code(MakeFourCC("indx"));
            w.U32(uint32_t(24 + 16 * s.SuperIndex.size()));
            w.U16(4);   // longs per entry
            w.U8(0);    // sub type
            w.U8(0);    // AVI_INDEX_OF_INDEXES
            w.U32(uint32_t(s.SuperIndex.size()));
            w.Code(s.ChunkId);
            w.Zeros(12);
            for (const TSuperEntry& e : s.SuperIndex) {
                w.U64(e.Offset);
                w.U32(e.Size);
                w.U32(e.Duration);
            }
        }
        w.PatchU32(strlSize, uint32_t(w.Size() - strlSize - 4));
    }
    if (fOpenDml) {
        w.Code(kLIST);
        w.U32(4 + 8 + 248);
        w.Code(MakeFourCC("odml"));
        w.Code(MakeFourCC("dmlh"));
        w.U32(248);
        w.U32(video ? uint32_t(std::min<uint64_t>(video->Samples, 0xFFFFFFFFu)) : 0);
        w.Zeros(244);
    }
    w.PatchU32(hdrlSize, uint32_t(w.Size() - hdrlSize - 4));
    return w.Take();
}

void TAviFileWriter::Close()
{
    if (!fOut)
        return;
    try {
        EndPart(true);
        std::vector<uint8_t> headers = Headers();
        if (headers.size() + 8 > kHeaderRoom)
            throw EVfwError(AVIERR_FILEWRITE);
        // The rest of the room before the movie list is a JUNK chunk.
        TByteWriter junk;
        junk.Code(kJUNK);
        junk.U32(uint32_t(kHeaderRoom - headers.size() - 8));
        const std::vector<uint8_t> junkBytes = junk.Take();
        headers.insert(headers.end(), junkBytes.begin(), junkBytes.end());
        // The first RIFF ends where the second part starts, or at the end.
        headers[4] = uint8_t(fFirstPartSize);
        headers[5] = uint8_t(fFirstPartSize >> 8);
        headers[6] = uint8_t(fFirstPartSize >> 16);
        headers[7] = uint8_t(fFirstPartSize >> 24);
        fOut->PatchBytes(0, headers);
        fOut->Close();
    } catch (...) {
        fOut.reset();
        throw;
    }
    fOut.reset();
}

} // namespace vfw
