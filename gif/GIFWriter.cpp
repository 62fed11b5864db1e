#include "gif/GIFWriter.h"

#include "gif/GIFError.h"
#include "gif/SubBlocks.h"
#include "gif/ZGIFImage.h"

#include <algorithm>
#include <cstring>

namespace {

class TByteSink {
public:
    void Byte(uint8_t b) { fBytes.append(char(b)); }
    void Word(int w)
    {
        Byte(uint8_t(w));
        Byte(uint8_t(w >> 8));
    }
    void Bytes(const void* data, size_t n) { fBytes.append(static_cast<const char*>(data), qsizetype(n)); }
    void Table(const TGIFColorTable& table) { Bytes(table.Colors.data(), size_t(table.Count) * 3); }
    // Lines as data sub-blocks (empty lines skipped, each cut to 255 bytes) and the terminator.
    void Lines(const QStringList& lines) { WriteLineSubBlocks(*this, lines); }
    QByteArray& Result() { return fBytes; }

private:
    QByteArray fBytes;
};

// log2 of a table size that is a power of two from 2 to 256.
int TableBits(int count)
{
    for (int bits = 1; bits <= 8; ++bits)
        if (count == 1 << bits)
            return bits;
    throw EInvalidGraphicOperation(GIFMessages::WrongColorCount);
}

void WriteExtension(TByteSink& out, const TExtension& ext)
{
    out.Byte(0x21);
    out.Byte(uint8_t(ext.FExtType));
    switch (ext.FExtType) {
    case TExtensionType::etGraphic:
        out.Bytes(&std::get<TGraphicControlExtension>(ext.FExtRec), sizeof(TGraphicControlExtension));
        break;
    case TExtensionType::etPlainText:
        out.Bytes(&std::get<TPlainTextExtension>(ext.FExtRec), sizeof(TPlainTextExtension));
        out.Lines(ext.FData);
        break;
    case TExtensionType::etApplication:
        out.Bytes(&std::get<TAppExtension>(ext.FExtRec), sizeof(TAppExtension));
        out.Lines(ext.FData);
        break;
    case TExtensionType::etComment:
        out.Lines(ext.FData);
        break;
    }
}

uint16_t Checked16(int value)
{
    if (value < 0 || value > 0xFFFF)
        throw EInvalidGraphicOperation(GIFMessages::EncodingError);
    return uint16_t(value);
}

} // namespace

void TGIFWriter::UpdateExtensions(TZGIFFrame& frame)
{
    std::vector<TExtension>& extensions = frame.FExtensions;
    const bool hasGraphic = std::any_of(extensions.begin(), extensions.end(),
                                        [](const TExtension& e) { return e.FExtType == TExtensionType::etGraphic; });
    if (!hasGraphic && (frame.FAnimateInterval != 0 || frame.FTransparentColor != clNone ||
                        frame.FDisposal != TDisposalMethod::dmUndefined))
        extensions.emplace_back(TExtensionType::etGraphic);
    const int transparentIndex =
        frame.FTransparentColor == clNone ? -1 : frame.Item().ColorMap().IndexOf(ColorToRGB(frame.FTransparentColor));
    for (TExtension& ext : extensions) {
        if (ext.FExtType != TExtensionType::etGraphic)
            continue;
        TGraphicControlExtension& gce = ext.Graphic();
        gce.DelayTime = uint16_t(frame.FAnimateInterval / 10);
        if (transparentIndex >= 0) {
            gce.PackedFields |= 1;
            gce.TransparentColorIndex = uint8_t(transparentIndex);
        } else {
            gce.PackedFields &= uint8_t(~1);
        }
        gce.PackedFields = uint8_t((gce.PackedFields & ~0x1C) | (uint8_t(frame.FDisposal) << 2));
    }
    std::erase_if(extensions, [](const TExtension& e) { return e.FExtType == TExtensionType::etComment && e.FData.isEmpty(); });
    if (!extensions.empty() && frame.FOwner)
        frame.FOwner->FVersion = TGIFVersion::gv89a;
}

QByteArray TGIFWriter::Write(TZGIFImage& image)
{
    if (image.FItems.empty())
        throw EInvalidGraphicOperation(GIFMessages::NoDataToWrite);
    for (auto& frame : image.FItems) {
        if (!frame->Item().Encoded())
            image.Encode(*frame);
        UpdateExtensions(*frame);
    }
    if (!image.FImage->FComment.isEmpty() || image.FItems.size() >= 2)
        image.FVersion = TGIFVersion::gv89a;
    image.RecomputeScreenSize();

    TByteSink out;
    out.Bytes(image.FVersion == TGIFVersion::gv89a ? "GIF89a" : "GIF87a", 6);

    const TGIFData& global = *image.FImage;
    const TGIFColorTable& globalTable = global.FColorMap;
    out.Word(image.FScreenWidth);
    out.Word(image.FScreenHeight);
    if (globalTable.Count > 0) {
        const int c = TableBits(globalTable.Count);
        const int bits = std::clamp<int>(global.FBitsPerPixel, 1, 8);
        out.Byte(uint8_t(0x80 | ((c - 1) << 4) | (bits - 1)));
    } else {
        out.Byte(0);
    }
    const int background =
        image.FBackgroundColor == clNone ? -1 : globalTable.IndexOf(ColorToRGB(image.FBackgroundColor));
    out.Byte(uint8_t(std::max(background, 0)));
    out.Byte(global.FAspectRatio);
    out.Table(globalTable);

    if (image.FLooping && image.FItems.size() >= 2) {
        out.Bytes("\x21\xFF\x0BNETSCAPE2.0\x03\x01", 16);
        out.Word(image.FRepeatCount);
        out.Byte(0);
    }

    for (const auto& frame : image.FItems) {
        for (const TExtension& ext : frame->FExtensions)
            WriteExtension(out, ext);
        const TGIFItem& item = frame->Item();
        const TGIFColorTable& table = item.ColorMap();
        const bool local = frame->FLocalColors && table.Count > 0;
        out.Byte(0x2C);
        out.Word(Checked16(frame->FTopLeft.X));
        out.Word(Checked16(frame->FTopLeft.Y));
        out.Word(Checked16(item.FSize.cx));
        out.Word(Checked16(item.FSize.cy));
        uint8_t flags = 0;
        if (local)
            flags = uint8_t(0x80 | (TableBits(table.Count) - 1));
        if (frame->FInterlaced)
            flags |= 0x40;
        out.Byte(flags);
        if (local)
            out.Table(table);
        out.Bytes(item.FImageData.data(), item.FImageData.size());
    }

    if (!global.FComment.isEmpty()) {
        out.Byte(0x21);
        out.Byte(0xFE);
        out.Lines(global.FComment);
    }
    out.Byte(0x3B);
    return std::move(out.Result());
}
