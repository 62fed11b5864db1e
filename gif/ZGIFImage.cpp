#include "gif/ZGIFImage.h"

#include "gif/FrameCodec.h"
#include "gif/GIFError.h"
#include "gif/GIFReader.h"
#include "gif/GIFWriter.h"

#include <QFile>
#include <QIODevice>
#include <QSaveFile>
#include <algorithm>

TZGIFImage::TZGIFImage() : FImage(std::make_shared<TGIFData>()) {}

TZGIFImage::~TZGIFImage() = default;

TZGIFImage::TZGIFImage(const TZGIFImage& other) : FImage(std::make_shared<TGIFData>())
{
    Assign(other);
}

TZGIFImage& TZGIFImage::operator=(const TZGIFImage& other)
{
    Assign(other);
    return *this;
}

void TZGIFImage::Clear()
{
    FImage = std::make_shared<TGIFData>();
    FItems.clear();
    FFrameIndex = -1;
    FScreenWidth = 0;
    FScreenHeight = 0;
    FBackgroundColor = clNone;
    FRepeatCount = 1;
    FLooping = false;
    FCorrupted = false;
    FVersion = TGIFVersion::gvUnknown;
    Changed();
}

void TZGIFImage::Assign(const TZGIFImage& source)
{
    if (&source == this)
        return;
    FImage = source.FImage;
    FVersion = source.FVersion;
    FBackgroundColor = source.FBackgroundColor;
    FRepeatCount = source.FRepeatCount;
    FLooping = source.FLooping;
    FCorrupted = source.FCorrupted;
    std::vector<std::unique_ptr<TZGIFFrame>> frames;
    frames.reserve(source.FItems.size());
    for (const auto& from : source.FItems) {
        auto frame = std::make_unique<TZGIFFrame>(nullptr); // no screen recomputation while copying
        frame->Assign(*from);
        frame->FLocalColors = from->FLocalColors;
        frame->FOwner = this;
        frames.push_back(std::move(frame));
    }
    FItems = std::move(frames);
    for (auto& frame : FItems)
        FrameAssigned(*frame);
    FScreenWidth = source.FScreenWidth;
    FScreenHeight = source.FScreenHeight;
    FFrameIndex = source.FFrameIndex;
    Changed();
}

void TZGIFImage::Assign(const TZGIFFrame& source)
{
    Clear();
    if (source.FOwner) {
        TGIFData& data = MutableData();
        const TGIFData& from = *source.FOwner->FImage;
        data.FAspectRatio = from.FAspectRatio;
        data.FBitsPerPixel = from.FBitsPerPixel;
        data.FColorResBits = from.FColorResBits;
        data.FColorMap = from.FColorMap;
    }
    AddFrame(source);
    if (FVersion == TGIFVersion::gvUnknown)
        FVersion = TGIFVersion::gv87a;
    Changed();
}

void TZGIFImage::Assign(const TBitmap& source)
{
    Clear();
    AddFrame(source);
    Changed();
}

void TZGIFImage::AssignTo(TBitmap& destination)
{
    if (Empty())
        return;
    Frames(std::max(FFrameIndex, 0)).AssignTo(destination);
}

TZGIFFrame& TZGIFImage::Frames(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError(GIFMessages::ListIndexError(index));
    return *FItems[size_t(index)];
}

namespace {
template <typename Source>
int AppendFrame(TZGIFImage& image, std::vector<std::unique_ptr<TZGIFFrame>>& items, int& frameIndex,
                TGIFVersion& version, const Source& source)
{
    items.push_back(std::make_unique<TZGIFFrame>(&image));
    frameIndex = int(items.size()) - 1;
    try {
        items.back()->Assign(source);
    } catch (...) {
        items.pop_back();
        frameIndex = int(items.size()) - 1;
        throw;
    }
    if (version == TGIFVersion::gvUnknown)
        version = TGIFVersion::gv87a;
    if (items.size() >= 2)
        version = TGIFVersion::gv89a;
    return frameIndex;
}
} // namespace

int TZGIFImage::AddFrame(const TBitmap& source)
{
    return AppendFrame(*this, FItems, FFrameIndex, FVersion, source);
}

int TZGIFImage::AddFrame(const TZGIFFrame& source)
{
    return AppendFrame(*this, FItems, FFrameIndex, FVersion, source);
}

int TZGIFImage::AddFrame(const TZGIFImage& source)
{
    // Pick the source frame first: when the source is this image, the new frame
    // becomes its current one.
    if (source.Count() > 0)
        return AddFrame(source.Frames(std::max(source.FrameIndex(), 0)));
    return AppendFrame(*this, FItems, FFrameIndex, FVersion, source);
}

void TZGIFImage::DeleteFrame(int index)
{
    Frames(index); // range check
    FItems.erase(FItems.begin() + index);
    RecomputeScreenSize();
    if (FFrameIndex >= Count())
        FFrameIndex = Count() - 1;
    Changed();
}

void TZGIFImage::MoveFrame(int currentIndex, int newIndex)
{
    Frames(currentIndex);
    Frames(newIndex);
    auto frame = std::move(FItems[size_t(currentIndex)]);
    FItems.erase(FItems.begin() + currentIndex);
    FItems.insert(FItems.begin() + newIndex, std::move(frame));
    FFrameIndex = newIndex;
    Changed();
}

void TZGIFImage::SetFrameIndex(int value)
{
    value = std::clamp(value, -1, Count() - 1);
    if (value == FFrameIndex)
        return;
    FFrameIndex = value;
    FPaletteModified = true;
    Changed();
}

void TZGIFImage::SetLooping(bool value)
{
    if (value == FLooping)
        return;
    FLooping = value;
    Changed();
}

void TZGIFImage::SetRepeatCount(uint16_t value)
{
    const uint16_t stored = std::min<uint16_t>(value, 30000);
    if (stored == FRepeatCount)
        return;
    FRepeatCount = stored;
    Changed();
}

void TZGIFImage::SetBackgroundColor(TColor value)
{
    if (value == FBackgroundColor)
        return;
    FBackgroundColor = value;
    Changed();
}

void TZGIFImage::SetComment(const QStringList& lines)
{
    MutableData().FComment = lines;
    Changed();
}

TPixelFormat TZGIFImage::PixelFormat()
{
    if (Empty())
        return TPixelFormat::pfDevice;
    return Frames(std::max(FFrameIndex, 0)).Bitmap().PixelFormat();
}

TColor TZGIFImage::TransparentColor() const
{
    if (FFrameIndex < 0 || FFrameIndex >= Count())
        return clNone;
    return FItems[size_t(FFrameIndex)]->TransparentColor();
}

bool TZGIFImage::Transparent() const
{
    return FTransparent && std::any_of(FItems.begin(), FItems.end(),
                                       [](const auto& f) { return f->TransparentColor() != clNone; });
}

void TZGIFImage::SetTransparent(bool value)
{
    if (value == FTransparent)
        return;
    FTransparent = value;
    Changed();
}

int TZGIFImage::Width() const
{
    if (FFrameIndex < 0 || FFrameIndex >= Count())
        return 0;
    return FItems[size_t(FFrameIndex)]->Width();
}

int TZGIFImage::Height() const
{
    if (FFrameIndex < 0 || FFrameIndex >= Count())
        return 0;
    return FItems[size_t(FFrameIndex)]->Height();
}

void TZGIFImage::SetWidth(int)
{
    throw EInvalidGraphicOperation(GIFMessages::CannotChangeSize);
}

void TZGIFImage::SetHeight(int)
{
    throw EInvalidGraphicOperation(GIFMessages::CannotChangeSize);
}

bool TZGIFImage::Empty() const
{
    if (FItems.empty())
        return true;
    const TZGIFFrame& frame = *FItems[size_t(std::max(FFrameIndex, 0))];
    return !frame.HasBitmap() && !frame.Item().Encoded();
}

void TZGIFImage::Draw(TCanvas& canvas, const TRect& rect)
{
    if (FFrameIndex < 0 || FFrameIndex >= Count())
        return;
    FItems[size_t(FFrameIndex)]->Draw(canvas, rect, Transparent());
}

bool TZGIFImage::Equals(TZGIFImage& other)
{
    if (Empty() || other.Empty())
        return Empty() && other.Empty();
    try {
        return SaveToBytes() == other.SaveToBytes();
    } catch (const std::exception&) {
        return false;
    }
}

void TZGIFImage::LoadFromBytes(std::span<const uint8_t> bytes)
{
    TGIFReader::Read(*this, bytes);
}

QByteArray TZGIFImage::SaveToBytes()
{
    return TGIFWriter::Write(*this);
}

void TZGIFImage::LoadFromStream(QIODevice& stream)
{
    const QByteArray bytes = stream.readAll();
    LoadFromBytes({reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size())});
}

void TZGIFImage::SaveToStream(QIODevice& stream)
{
    const QByteArray bytes = SaveToBytes();
    if (stream.write(bytes) != bytes.size())
        throw EInvalidGraphicOperation(GIFMessages::StreamWrite);
}

void TZGIFImage::LoadFromFile(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EFileError(QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, file.errorString()));
    LoadFromStream(file);
}

void TZGIFImage::SaveToFile(const QString& fileName)
{
    const QByteArray bytes = SaveToBytes(); // encoding errors leave the old file alone
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw EFileError(QStringLiteral("Cannot create file \"%1\". %2").arg(fileName, file.errorString()));
}

void TZGIFImage::DecodeAllFrames()
{
    for (int i = 0; i < Count(); ++i) {
        try {
            FItems[size_t(i)]->Bitmap();
        } catch (const EAbort&) {
            FItems.erase(FItems.begin() + i, FItems.end());
            FCorrupted = true;
            FFrameIndex = std::min(FFrameIndex, Count() - 1);
            return;
        }
    }
}

void TZGIFImage::EncodeAllFrames()
{
    for (auto& frame : FItems)
        if (!frame->Item().Encoded())
            Encode(*frame);
    for (auto& frame : FItems)
        if ((frame->FBitmap && frame->FBitmap->Palette().empty()) || frame->FPacked) {
            frame->ForgetPixels();
            frame->Bitmap();
        }
}

void TZGIFImage::EncodeFrame(int index)
{
    TZGIFFrame& frame = Frames(index);
    if (!frame.Item().Encoded())
        Encode(frame);
    frame.FreeBitmap();
}

void TZGIFImage::Encode(TZGIFFrame& frame)
{
    if (!frame.HasBitmap())
        throw EInvalidGraphicOperation(GIFMessages::NoDataToWrite);
    TGIFFrameCodec::TProgress progress;
    if (OnProgress)
        progress = [this](int percent) { Progress(TProgressStage::psRunning, percent); };
    Progress(TProgressStage::psStarting, 0);
    std::shared_ptr<const TGIFItem> item;
    try {
        // Packed pixels of at most 256 colours were encoded as writing encodes them.
        item = frame.PackedItem();
        if (!item) {
            // A copy: decoding this frame cannot drop it.
            const TBitmap bitmap = frame.Bitmap();
            item = TGIFFrameCodec::Encode(bitmap, frame.FTransparentColor, progress);
        }
    } catch (const EAbort& e) {
        frame.FImage = std::make_shared<const TGIFItem>();
        frame.FTransparentColor = clNone;
        frame.FTopLeft = {};
        frame.FAnimateInterval = 0;
        Progress(TProgressStage::psEnding, 100, QString::fromStdString(e.what()));
        throw;
    } catch (const std::exception& e) {
        Progress(TProgressStage::psEnding, 100, QString::fromStdString(e.what()));
        throw;
    }
    Progress(TProgressStage::psEnding, 100);

    // The first encoded frame of an image without a global table defines it.
    if (FImage->FColorMap.Count == 0) {
        TGIFData& data = MutableData();
        data.FColorMap = *item->FColorMap;
        data.FBitsPerPixel = item->FBitsPerPixel;
        frame.FLocalColors = false;
    } else {
        frame.FLocalColors = true;
    }
    frame.FImage = std::move(item);
    frame.FInterlaced = false;
    FScreenWidth = uint16_t(std::clamp(frame.Width() + frame.FTopLeft.X, int(FScreenWidth), 0xFFFF));
    FScreenHeight = uint16_t(std::clamp(frame.Height() + frame.FTopLeft.Y, int(FScreenHeight), 0xFFFF));
}

namespace {
uint8_t Grey(const TGIFColor& c)
{
    return uint8_t((77 * c.Red + 150 * c.Green + 29 * c.Blue) >> 8);
}
TColor Grey(TColor c)
{
    if (c == clNone)
        return c;
    const uint8_t g = Grey(TGIFColor::FromColor(ColorToRGB(c)));
    return RGB(g, g, g);
}
void GreyTable(TGIFColorTable& table)
{
    for (int i = 0; i < table.Count; ++i) {
        const uint8_t g = Grey(table.Colors[size_t(i)]);
        table.Colors[size_t(i)] = {g, g, g};
    }
}
} // namespace

void TZGIFImage::Grayscale()
{
    if (FItems.empty())
        throw EInvalidGraphicOperation(GIFMessages::NoDataToWrite);
    if (FImage->FColorMap.Count > 0)
        GreyTable(MutableData().FColorMap);
    for (auto& frame : FItems) {
        if (frame->FImage->Encoded()) {
            auto item = std::make_shared<TGIFItem>(*frame->FImage);
            auto table = std::make_shared<TGIFColorTable>(item->ColorMap());
            GreyTable(*table);
            item->FColorMap = std::move(table);
            frame->FImage = std::move(item);
            frame->ForgetPixels();
        } else if (frame->HasBitmap()) {
            TBitmap bitmap = frame->Bitmap();
            frame->ForgetPixels(); // the grey pixels are the frame's own from now on
            if (bitmap.BitsPerPixel() <= 8) {
                std::vector<TColor> palette = bitmap.Palette();
                for (TColor& c : palette)
                    c = Grey(c);
                bitmap.SetPalette(palette);
            } else {
                QImage& image = bitmap.Image();
                const int width = image.width(), height = image.height();
                for (int y = 0; y < height; ++y) {
                    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
                    for (int x = 0; x < width; ++x) {
                        const int g = (77 * qRed(row[x]) + 150 * qGreen(row[x]) + 29 * qBlue(row[x])) >> 8;
                        row[x] = qRgb(g, g, g);
                    }
                }
            }
            frame->FBitmap = std::make_unique<TBitmap>(std::move(bitmap));
            FrameAssigned(*frame);
        }
        frame->FTransparentColor = Grey(frame->FTransparentColor);
        frame->FGrayscale = true;
    }
    FBackgroundColor = Grey(FBackgroundColor);
    Changed();
}

void TZGIFImage::RecomputeScreenSize()
{
    int width = 0, height = 0;
    for (const auto& frame : FItems) {
        width = std::max(width, frame->Width() + frame->Origin().X);
        height = std::max(height, frame->Height() + frame->Origin().Y);
    }
    FScreenWidth = uint16_t(std::clamp(width, 0, 0xFFFF));
    FScreenHeight = uint16_t(std::clamp(height, 0, 0xFFFF));
}

bool TZGIFImage::Packable(const TBitmap& bitmap)
{
    return (bitmap.PixelFormat() == TPixelFormat::pf24bit || bitmap.PixelFormat() == TPixelFormat::pf32bit)
        && !bitmap.Empty() && bitmap.ConstImage().format() == QImage::Format_RGB32;
}

void TZGIFImage::SetPackFrames(bool on, int threads)
{
    if (!on) {
        FCache.reset(); // the bitmaps decoded now stay; packed frames decode on their next access
        FPacker.reset();
        return;
    }
    const int64_t budget = FCache ? FCache->Budget() : DefaultCacheBudget;
    FPacker.reset();
    FPacker = std::make_unique<TFramePacker>(threads);
    FCache = std::make_unique<TFrameCache>(budget);
    for (auto& frame : FItems)
        FrameAssigned(*frame);
}

int64_t TZGIFImage::CacheBudget() const
{
    return FCache ? FCache->Budget() : DefaultCacheBudget;
}

void TZGIFImage::SetCacheBudget(int64_t bytes)
{
    if (FCache)
        FCache->SetBudget(std::max<int64_t>(bytes, 0));
}

int64_t TZGIFImage::CachedBytes() const
{
    return FCache ? FCache->Bytes() : 0;
}

int64_t TZGIFImage::PackedBytes() const
{
    int64_t bytes = 0;
    std::vector<const TPackTicket*> seen; // copies of a frame share its packed pixels
    for (const auto& frame : FItems) {
        const TPackTicket* ticket = frame->FPacked.get();
        if (!ticket || std::find(seen.begin(), seen.end(), ticket) != seen.end())
            continue;
        seen.push_back(ticket);
        try {
            bytes += int64_t(ticket->Wait()->Bytes());
        } catch (const std::exception&) {
        }
    }
    return bytes;
}

void TZGIFImage::FrameAssigned(TZGIFFrame& frame)
{
    if (!FCache || !frame.FBitmap)
        return;
    if (!frame.FPacked && !frame.Clean() && Packable(*frame.FBitmap)) {
        frame.FPacked = FPacker->Submit(frame.FBitmap->ConstImage(), frame.FBitmap->PixelFormat());
        frame.FCleanGeneration = frame.FBitmap->Generation();
    }
    FrameUsed(frame);
}

void TZGIFImage::FrameUsed(TZGIFFrame& frame)
{
    if (FCache && frame.FBitmap && frame.Restorable())
        FCache->Touch(frame, frame.FBitmap->ConstImage().sizeInBytes());
}

void TZGIFImage::FrameForgotten(const TZGIFFrame& frame)
{
    if (FCache)
        FCache->Forget(frame);
}

void TZGIFImage::Changed()
{
    if (OnChange)
        OnChange();
}

void TZGIFImage::Progress(TProgressStage stage, int percent, const QString& message)
{
    if (OnProgress)
        OnProgress(stage, percent, message);
}

TGIFData& TZGIFImage::MutableData()
{
    if (FImage.use_count() > 1)
        FImage = std::make_shared<TGIFData>(*FImage);
    return *FImage;
}
