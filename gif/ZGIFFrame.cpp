#include "gif/ZGIFFrame.h"

#include "gif/FrameCodec.h"
#include "gif/GIFError.h"
#include "gif/ZGIFImage.h"
#include "platform/Canvas.h"

#include <algorithm>

TZGIFFrame::TZGIFFrame(TZGIFImage* owner) : FOwner(owner), FImage(std::make_shared<const TGIFItem>()) {}

TZGIFFrame::~TZGIFFrame() = default;

void TZGIFFrame::Reset()
{
    FImage = std::make_shared<const TGIFItem>();
    FTransparentColor = clNone;
    FTopLeft = {};
    FInterlaced = false;
    FLocalColors = false;
    FAnimateInterval = 0;
    FDisposal = TDisposalMethod::dmUndefined;
    FGrayscale = false;
    FCorrupted = false;
}

void TZGIFFrame::Clear()
{
    FImage = std::make_shared<const TGIFItem>();
    FBitmap.reset();
    if (FOwner)
        FOwner->RecomputeScreenSize();
}

void TZGIFFrame::Assign(const TZGIFFrame& source)
{
    if (&source == this)
        return;
    FImage = source.FImage;
    FLocalColors = FOwner == source.FOwner ? source.FLocalColors : true;
    FTopLeft = source.FTopLeft;
    FInterlaced = source.FInterlaced;
    FTransparentColor = source.FTransparentColor;
    FAnimateInterval = source.FAnimateInterval;
    FDisposal = source.FDisposal;
    FGrayscale = source.FGrayscale;
    FCorrupted = source.FCorrupted;
    FBitmap = source.FBitmap ? std::make_unique<TBitmap>(*source.FBitmap) : nullptr;
    if (source.HasComment())
        Comment() = source.CommentLines();
    if (FOwner)
        FOwner->RecomputeScreenSize();
}

void TZGIFFrame::Assign(const TZGIFImage& source)
{
    if (source.Count() == 0)
        return;
    Assign(source.Frames(std::max(source.FrameIndex(), 0)));
}

void TZGIFFrame::Assign(const TBitmap& source)
{
    if (source.Empty()) {
        Clear();
        return;
    }
    Reset();
    FBitmap = std::make_unique<TBitmap>(source);
    if (source.Transparent())
        FTransparentColor = ColorToRGB(source.TransparentColor());
    if (FOwner)
        FOwner->RecomputeScreenSize();
}

void TZGIFFrame::AssignTo(TBitmap& destination)
{
    destination = Bitmap();
    if (FTransparentColor != clNone) {
        destination.SetTransparentColor(ColorToRGB(FTransparentColor));
        destination.SetTransparent(true);
    }
}

void TZGIFFrame::NotifyOwner()
{
    if (FOwner)
        FOwner->Changed();
}

void TZGIFFrame::SetAnimateInterval(uint16_t value)
{
    if (value == FAnimateInterval)
        return;
    FAnimateInterval = value;
    if (value != 0 && FOwner)
        FOwner->FVersion = TGIFVersion::gv89a;
    NotifyOwner();
}

void TZGIFFrame::SetDisposalMethod(TDisposalMethod value)
{
    if (value == FDisposal)
        return;
    FDisposal = value;
    if (value != TDisposalMethod::dmUndefined && FOwner)
        FOwner->FVersion = TGIFVersion::gv89a;
    NotifyOwner();
}

void TZGIFFrame::SetTransparentColor(TColor value)
{
    if (value == FTransparentColor)
        return;
    FTransparentColor = value;
    if (value != clNone && FOwner)
        FOwner->FVersion = TGIFVersion::gv89a;
    NotifyOwner();
}

void TZGIFFrame::SetOrigin(TPoint value)
{
    if (value == FTopLeft)
        return;
    FTopLeft = value;
    if (FOwner) {
        FOwner->FScreenWidth = uint16_t(std::clamp(Width() + value.X, int(FOwner->FScreenWidth), 0xFFFF));
        FOwner->FScreenHeight = uint16_t(std::clamp(Height() + value.Y, int(FOwner->FScreenHeight), 0xFFFF));
    }
    NotifyOwner();
}

TBitmap& TZGIFFrame::Bitmap()
{
    if (!FBitmap || FBitmap->Empty()) {
        FBitmap = std::make_unique<TBitmap>();
        if (FImage->Encoded())
            Decode();
    }
    return *FBitmap;
}

void TZGIFFrame::Decode()
{
    TGIFFrameCodec::TProgress progress;
    if (FOwner && FOwner->OnProgress)
        progress = [this](int percent) { FOwner->Progress(TProgressStage::psRunning, percent); };
    if (FOwner)
        FOwner->Progress(TProgressStage::psStarting, 0);
    bool corrupted = false;
    try {
        *FBitmap = TGIFFrameCodec::Decode(*FImage, FInterlaced, corrupted, progress);
    } catch (const std::exception& e) {
        if (FOwner)
            FOwner->Progress(TProgressStage::psEnding, 100, QString::fromStdString(e.what()));
        throw;
    }
    if (corrupted)
        FCorrupted = true;
    if (FOwner)
        FOwner->Progress(TProgressStage::psEnding, 100);
}

void TZGIFFrame::FreeBitmap()
{
    if (FImage->Encoded())
        FBitmap.reset();
}

int TZGIFFrame::Width() const
{
    if (HasBitmap())
        return FBitmap->Width();
    return FImage->Encoded() ? FImage->FSize.cx : 0;
}

int TZGIFFrame::Height() const
{
    if (HasBitmap())
        return FBitmap->Height();
    return FImage->Encoded() ? FImage->FSize.cy : 0;
}

int TZGIFFrame::ColorCount() const
{
    if (FImage->ColorMap().Count > 0)
        return FImage->ColorMap().Count;
    return FBitmap ? int(FBitmap->Palette().size()) : 0;
}

QStringList& TZGIFFrame::Comment()
{
    for (TExtension& e : FExtensions)
        if (e.FExtType == TExtensionType::etComment)
            return e.FData;
    FExtensions.emplace_back(TExtensionType::etComment);
    return FExtensions.back().FData;
}

QStringList TZGIFFrame::CommentLines() const
{
    for (const TExtension& e : FExtensions)
        if (e.FExtType == TExtensionType::etComment)
            return e.FData;
    return {};
}

bool TZGIFFrame::HasComment() const
{
    return std::any_of(FExtensions.begin(), FExtensions.end(), [](const TExtension& e) {
        return e.FExtType == TExtensionType::etComment && !e.FData.isEmpty();
    });
}

void TZGIFFrame::Draw(TCanvas& canvas, const TRect& rect, bool transparent)
{
    const TBitmap& bitmap = Bitmap();
    if (bitmap.Empty())
        return;
    TBitmap source(bitmap);
    const bool keyed = transparent && FTransparentColor != clNone;
    source.SetTransparent(keyed);
    if (keyed)
        source.SetTransparentColor(ColorToRGB(FTransparentColor));
    canvas.StretchDraw(rect, source);
}
