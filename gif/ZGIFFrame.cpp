#include "gif/ZGIFFrame.h"

#include "gif/FrameCodec.h"
#include "gif/FramePacker.h"
#include "gif/GIFError.h"
#include "gif/ZGIFImage.h"
#include "platform/Canvas.h"

#include <algorithm>

TZGIFFrame::TZGIFFrame(TZGIFImage* owner) : FOwner(owner), FImage(std::make_shared<const TGIFItem>()) {}

TZGIFFrame::~TZGIFFrame()
{
    if (FOwner)
        FOwner->FrameForgotten(*this);
}

void TZGIFFrame::ForgetPixels()
{
    if (FOwner)
        FOwner->FrameForgotten(*this);
    FBitmap.reset();
    FPacked.reset();
    FCleanGeneration = 0;
    FLook.reset();
}

void TZGIFFrame::Reset()
{
    ForgetPixels();
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
    ForgetPixels();
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
    ForgetPixels();
    const bool sourceClean = !source.FBitmap || source.Clean();
    if (source.FPacked && sourceClean) {
        // The packed pixels are shared; the bitmap only while they are not ready.
        FPacked = source.FPacked;
        if (source.FBitmap) {
            FLook = TBitmapLook{source.FBitmap->Transparent(), source.FBitmap->TransparentMode(),
                                source.FBitmap->TransparentColor()};
            if (!FPacked->Ready()) {
                FBitmap = std::make_unique<TBitmap>(*source.FBitmap);
                FCleanGeneration = FBitmap->Generation();
                FLook.reset();
            }
        } else {
            FLook = source.FLook;
        }
    } else if (source.FBitmap) {
        FBitmap = std::make_unique<TBitmap>(*source.FBitmap);
        if (source.Clean() && FImage->Encoded())
            FCleanGeneration = FBitmap->Generation();
    }
    if (source.HasComment())
        Comment() = source.CommentLines();
    if (FOwner) {
        FOwner->FrameAssigned(*this);
        FOwner->RecomputeScreenSize();
    }
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
    if (FOwner) {
        FOwner->FrameAssigned(*this);
        FOwner->RecomputeScreenSize();
    }
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
        if (FPacked) {
            FBitmap = std::make_unique<TBitmap>(FPacked->Wait()->Unpack());
        } else {
            FBitmap = std::make_unique<TBitmap>();
            if (FImage->Encoded())
                Decode();
        }
        if (FLook) {
            FBitmap->SetTransparent(FLook->Transparent);
            FBitmap->SetTransparentColor(FLook->Color);
            FBitmap->SetTransparentMode(FLook->Mode);
            FLook.reset();
        }
        FCleanGeneration = FPacked || FImage->Encoded() ? FBitmap->Generation() : 0;
    }
    if (FOwner)
        FOwner->FrameUsed(*this);
    return *FBitmap;
}

bool TZGIFFrame::HasBitmap() const
{
    return (FBitmap && !FBitmap->Empty()) || FPacked;
}

bool TZGIFFrame::Clean() const
{
    return FBitmap && FCleanGeneration != 0 && FBitmap->Generation() == FCleanGeneration;
}

bool TZGIFFrame::Restorable() const
{
    return FPacked || (FImage->Encoded() && Clean());
}

bool TZGIFFrame::DropCachedBitmap()
{
    if (!FBitmap)
        return true;
    try {
        if (!Clean()) {
            // Something drew on the bitmap: its pixels are packed again first.
            if (!FPacked || !TZGIFImage::Packable(*FBitmap))
                return false;
            FPacked = TFramePacker::PackNow(FBitmap->ConstImage(), FBitmap->PixelFormat());
        }
        if (FPacked)
            FPacked->Wait();
    } catch (const std::exception&) {
        // Packing failed (memory): the frame keeps its bitmap.
        FPacked.reset();
        FCleanGeneration = 0;
        return false;
    }
    FLook = TBitmapLook{FBitmap->Transparent(), FBitmap->TransparentMode(), FBitmap->TransparentColor()};
    FBitmap.reset();
    FCleanGeneration = 0;
    return true;
}

std::shared_ptr<const TGIFItem> TZGIFFrame::PackedItem() const
{
    if (!FPacked || (FBitmap && !Clean()))
        return nullptr;
    try {
        return FPacked->Wait()->Item();
    } catch (const std::exception&) {
        return nullptr;
    }
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
    if (FPacked && DropCachedBitmap()) {
        if (FOwner)
            FOwner->FrameForgotten(*this);
    } else if (FImage->Encoded()) {
        if (FOwner)
            FOwner->FrameForgotten(*this);
        FBitmap.reset();
        FPacked.reset();
        FLook.reset();
        FCleanGeneration = 0;
    }
}

int TZGIFFrame::Width() const
{
    if (FBitmap && !FBitmap->Empty())
        return FBitmap->Width();
    if (FPacked)
        return FPacked->Width();
    return FImage->Encoded() ? FImage->FSize.cx : 0;
}

int TZGIFFrame::Height() const
{
    if (FBitmap && !FBitmap->Empty())
        return FBitmap->Height();
    if (FPacked)
        return FPacked->Height();
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
