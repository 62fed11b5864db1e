#include "gif/GIFReader.h"

#include "gif/GIFError.h"
#include "gif/ZGIFImage.h"

#include <QByteArray>
#include <algorithm>
#include <cstring>

namespace {

// A cursor over the file's bytes; reading past the end is a stream read error.
class TByteCursor {
public:
    explicit TByteCursor(std::span<const uint8_t> data) : fData(data) {}

    bool AtEnd() const { return fPos >= fData.size(); }
    // A read wanted more bytes than the file has left.
    bool RanOut() const { return fRanOut; }
    size_t Remaining() const { return fData.size() - fPos; }
    uint8_t Peek() const { return fData[fPos]; }
    uint8_t Byte()
    {
        if (AtEnd())
            Short();
        return fData[fPos++];
    }
    uint16_t Word()
    {
        const uint8_t lo = Byte();
        return uint16_t(lo | (Byte() << 8));
    }
    void Read(void* target, size_t n)
    {
        if (Remaining() < n)
            Short();
        std::memcpy(target, fData.data() + fPos, n);
        fPos += n;
    }
    std::span<const uint8_t> Take(size_t n)
    {
        n = std::min(n, Remaining());
        auto part = fData.subspan(fPos, n);
        fPos += n;
        return part;
    }

private:
    [[noreturn]] void Short()
    {
        fRanOut = true;
        throw EInvalidGraphicOperation(GIFMessages::StreamRead);
    }

    std::span<const uint8_t> fData;
    size_t fPos = 0;
    bool fRanOut = false;
};

void ReadColorTable(TByteCursor& in, TGIFColorTable& table, int count)
{
    table.Count = count;
    in.Read(table.Colors.data(), size_t(count) * 3);
}

// Data sub-blocks of an extension, one raw item per sub-block.
std::vector<QByteArray> ReadSubBlocks(TByteCursor& in)
{
    std::vector<QByteArray> blocks;
    for (;;) {
        const uint8_t n = in.Byte();
        if (n == 0)
            break;
        QByteArray block(n, Qt::Uninitialized);
        in.Read(block.data(), n);
        blocks.push_back(std::move(block));
    }
    return blocks;
}

QStringList ToLines(const std::vector<QByteArray>& blocks)
{
    QStringList lines;
    for (const QByteArray& b : blocks)
        lines.append(QString::fromLatin1(b));
    return lines;
}

bool Clashes(const TGIFColorTable& table, int index)
{
    for (int i = 0; i < table.Count; ++i)
        if (i != index && table.Colors[size_t(i)] == table.Colors[size_t(index)])
            return true;
    return false;
}

// Moves the blue component of entry `index` one step at a time until no other
// entry of the table has the same colour, so the transparent colour is unique.
void MakeUnique(TGIFColorTable& table, int index)
{
    TGIFColor& entry = table.Colors[size_t(index)];
    auto clashes = [&] { return Clashes(table, index); };
    int direction = -1;
    for (int steps = 0; steps < 1024 && clashes(); ++steps) {
        if (direction < 0 && entry.Blue == 0)
            direction = 1;
        else if (direction > 0 && entry.Blue == 255)
            direction = -1;
        entry.Blue = uint8_t(entry.Blue + direction);
    }
}

} // namespace

void TGIFReader::Read(TZGIFImage& image, std::span<const uint8_t> data)
{
    image.Clear();
    TByteCursor in(data);
    if (in.Remaining() < 6 || std::memcmp(data.data(), "GIF", 3) != 0)
        throw EInvalidGraphicOperation(GIFMessages::UnknownVersion);
    if (std::memcmp(data.data() + 3, "87a", 3) == 0)
        image.FVersion = TGIFVersion::gv87a;
    else if (std::memcmp(data.data() + 3, "89a", 3) == 0)
        image.FVersion = TGIFVersion::gv89a;
    else
        throw EInvalidGraphicOperation(GIFMessages::UnknownVersion);
    in.Take(6);

    // Logical screen descriptor and global table.
    const uint16_t screenWidth = in.Word();
    const uint16_t screenHeight = in.Word();
    const uint8_t flags = in.Byte();
    const uint8_t backgroundIndex = in.Byte();
    const uint8_t aspect = in.Byte();
    // Every composed frame takes the screen's size: refuse one that cannot be held.
    if (int64_t(screenWidth) * screenHeight > MaxGIFFramePixels)
        throw EInvalidGraphicOperation(GIFMessages::FrameTooLarge(screenWidth, screenHeight));
    image.FScreenWidth = screenWidth;
    image.FScreenHeight = screenHeight;
    TGIFData& global = image.MutableData();
    global.FBitsPerPixel = uint8_t((flags & 7) + 1);
    global.FColorResBits = uint8_t(((flags >> 4) & 7) + 1);
    global.FAspectRatio = aspect;
    if (flags & 0x80) {
        ReadColorTable(in, global.FColorMap, 1 << global.FBitsPerPixel);
        if (backgroundIndex < global.FColorMap.Count)
            image.FBackgroundColor = global.FColorMap.Colors[backgroundIndex].ToColor();
    }
    const int globalBits = global.FColorMap.Count > 0 ? global.FBitsPerPixel : 0;
    const auto globalTable = std::make_shared<const TGIFColorTable>(global.FColorMap);

    std::vector<TExtension> pending;
    enum class TLast { Nothing, Frame, Extension } last = TLast::Nothing;
    // A file cut short after whole frames keeps them and is marked corrupted;
    // the block being read when the bytes ran out is dropped.
    try {
        for (;;) {
            while (!in.AtEnd() && in.Peek() == 0)
                in.Byte();
            if (in.AtEnd())
                break;
            const uint8_t block = in.Byte();
            if (block == 0x3B)
                break;
            if (block == 0x21) {
                const uint8_t label = in.Byte();
                switch (label) {
                case 0xF9: {
                    TExtension ext(TExtensionType::etGraphic);
                    in.Read(&ext.Graphic(), sizeof(TGraphicControlExtension));
                    pending.push_back(std::move(ext));
                    break;
                }
                case 0xFE: {
                    TExtension ext(TExtensionType::etComment);
                    ext.FData = ToLines(ReadSubBlocks(in));
                    pending.push_back(std::move(ext));
                    break;
                }
                case 0x01: {
                    TPlainTextExtension fixed;
                    in.Read(&fixed, sizeof fixed);
                    ReadSubBlocks(in);
                    pending.clear(); // plain text is not kept, nor what came before it
                    break;
                }
                case 0xFF: {
                    TAppExtension fixed;
                    in.Read(&fixed, sizeof fixed);
                    const std::vector<QByteArray> blocks = ReadSubBlocks(in);
                    const bool loopId = std::memcmp(fixed.AppId, "NETSCAPE", 8) == 0 && std::memcmp(fixed.Authentication, "2.0", 3) == 0;
                    const bool animId = std::memcmp(fixed.AppId, "ANIMEXTS", 8) == 0 && std::memcmp(fixed.Authentication, "1.0", 3) == 0;
                    if ((loopId || animId) && !blocks.empty() && blocks[0].size() >= 3 && blocks[0][0] == 1) {
                        const int count = uint8_t(blocks[0][1]) | (uint8_t(blocks[0][2]) << 8);
                        image.FLooping = true;
                        image.FRepeatCount = uint16_t(std::min(count, 30000));
                    }
                    break;
                }
                default:
                    throw EInvalidGraphicOperation(GIFMessages::UnrecognizedExtension(label));
                }
                last = TLast::Extension;
                continue;
            }
            if (block != 0x2C) {
                if (last == TLast::Extension)
                    throw EInvalidGraphicOperation(GIFMessages::StreamRead);
                break; // anything else after a frame ends the file
            }

            // Frame: descriptor, local table, encoded data.
            auto frame = std::make_unique<TZGIFFrame>(&image);
            frame->FExtensions = std::move(pending);
            pending.clear();
            auto item = std::make_shared<TGIFItem>();
            frame->FTopLeft.X = in.Word();
            frame->FTopLeft.Y = in.Word();
            int width = in.Word();
            int height = in.Word();
            const uint8_t frameFlags = in.Byte();
            item->FSize = {width == 0 ? screenWidth : width, height == 0 ? screenHeight : height};
            item->FPackedFields = frameFlags;
            item->FBitsPerPixel = uint8_t(globalBits);
            item->FColorMap = globalTable;
            if (frameFlags & 0x80) {
                auto local = std::make_shared<TGIFColorTable>();
                item->FBitsPerPixel = uint8_t((frameFlags & 7) + 1);
                ReadColorTable(in, *local, 1 << item->FBitsPerPixel);
                item->FColorMap = std::move(local);
                frame->FLocalColors = true;
            }
            frame->FInterlaced = (frameFlags & 0x40) != 0;

            // The code-size byte and the sub-blocks, kept as they are; a sub-block
            // cut short by the end of the file is kept as far as it goes.
            std::vector<uint8_t>& encoded = item->FImageData;
            encoded.push_back(in.Byte());
            for (;;) {
                if (in.AtEnd()) {
                    frame->FCorrupted = true;
                    encoded.push_back(0);
                    break;
                }
                const uint8_t n = in.Byte();
                const std::span<const uint8_t> part = in.Take(n);
                encoded.push_back(uint8_t(part.size()));
                if (n == 0)
                    break;
                encoded.insert(encoded.end(), part.begin(), part.end());
                if (part.size() < n) {
                    frame->FCorrupted = true;
                    encoded.push_back(0);
                    break;
                }
            }

            // Graphic control extensions: transparency, duration, disposal.
            int duration = 0;
            for (const TExtension& ext : frame->FExtensions) {
                if (ext.FExtType != TExtensionType::etGraphic)
                    continue;
                const TGraphicControlExtension& gce = ext.Graphic();
                if (gce.PackedFields & 1) {
                    const int index = gce.TransparentColorIndex;
                    if (index < item->ColorMap().Count) {
                        if (Clashes(item->ColorMap(), index)) {
                            auto table = std::make_shared<TGIFColorTable>(item->ColorMap());
                            MakeUnique(*table, index);
                            item->FColorMap = std::move(table);
                        }
                        frame->FTransparentColor = item->ColorMap().Colors[size_t(index)].ToColor();
                    }
                } else {
                    frame->FTransparentColor = clNone;
                }
                duration = std::max(duration, gce.DelayTime * 10);
                frame->FDisposal = TDisposalMethod((gce.PackedFields >> 2) & 7);
            }
            frame->FAnimateInterval = uint16_t(std::min(duration, 0xFFFF));
            frame->FImage = std::move(item);
            image.FItems.push_back(std::move(frame));
            last = TLast::Frame;
        }
    } catch (const EInvalidGraphicOperation&) {
        if (!in.RanOut() || image.FItems.empty())
            throw;
        image.FCorrupted = true;
        pending.clear();
    }

    // Comments after the last frame become the image comment.
    if (image.FImage->FComment.isEmpty()) {
        QStringList comment;
        bool first = true;
        for (const TExtension& ext : pending) {
            if (ext.FExtType != TExtensionType::etComment)
                continue;
            if (!first)
                comment.append(QStringLiteral("\r\n\r\n"));
            comment.append(ext.FData);
            first = false;
        }
        if (!comment.isEmpty())
            image.MutableData().FComment = comment;
    }

    if (!image.FItems.empty()) {
        image.FFrameIndex = 0;
        try {
            image.FItems.front()->Bitmap();
        } catch (...) {
            image.FItems.erase(image.FItems.begin());
            image.FFrameIndex = image.FItems.empty() ? -1 : 0;
            throw;
        }
    }
    image.Changed();
}
