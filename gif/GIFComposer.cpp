#include "gif/GIFComposer.h"

#include "gif/GIFError.h"
#include "platform/Canvas.h"

#include <algorithm>

void TGIFComposer::Invalidate()
{
    FCache.reset();
    FCacheIndex = -1;
    FTransColor = clNone;
}

TRect TGIFComposer::FrameRect(TZGIFFrame& frame)
{
    const TPoint o = frame.Origin();
    return TRect(o.X, o.Y, o.X + frame.Width(), o.Y + frame.Height());
}

bool TGIFComposer::CoversScreen(TZGIFFrame& frame) const
{
    const TRect r = FrameRect(frame);
    return r.Left <= 0 && r.Top <= 0 && r.Right >= fImage->ScreenWidth() && r.Bottom >= fImage->ScreenHeight();
}

void TGIFComposer::DrawFrame(TCanvas& canvas, TZGIFFrame& frame)
{
    // Only the part inside the logical screen is converted and drawn, so a frame
    // far larger than the screen costs no more than the screen.
    const TRect rect = FrameRect(frame);
    const TRect visible(std::max(rect.Left, 0), std::max(rect.Top, 0), std::min(rect.Right, fImage->ScreenWidth()),
                        std::min(rect.Bottom, fImage->ScreenHeight()));
    if (visible.IsEmpty())
        return;
    if (visible == rect) {
        frame.Draw(canvas, rect, true);
        return;
    }
    TBitmap part(frame.Bitmap().ConstImage().copy(visible.Left - rect.Left, visible.Top - rect.Top, visible.Width(),
                                                  visible.Height()));
    const TColor key = frame.TransparentColor();
    part.SetTransparent(key != clNone);
    if (key != clNone)
        part.SetTransparentColor(ColorToRGB(key));
    canvas.StretchDraw(visible, part);
}

const TBitmap& TGIFComposer::Compose(int index, TColor& transColor)
{
    TZGIFImage& image = *fImage;
    index = std::min(index, image.Count() - 1);
    if (index < 0) {
        Invalidate();
        FCache = std::make_unique<TBitmap>();
        transColor = clNone;
        return *FCache;
    }
    if (FCache && index == FCacheIndex) {
        transColor = FTransColor;
        return *FCache;
    }

    const bool reuse = FCache && FCacheIndex >= 0 && index == FCacheIndex + 1 &&
                       image.Frames(FCacheIndex).DisposalMethod() != TDisposalMethod::dmRestorePrevious;
    if (reuse) {
        TZGIFFrame& previous = image.Frames(FCacheIndex);
        if (previous.DisposalMethod() == TDisposalMethod::dmRestoreBackground) {
            TCanvas& canvas = FCache->Canvas();
            canvas.Brush.Color = fFillColor;
            canvas.Brush.Style = TBrushStyle::bsSolid;
            canvas.FillRect(FrameRect(previous));
        }
    } else {
        const int width = image.ScreenWidth(), height = image.ScreenHeight();
        if (int64_t(width) * int64_t(height) > MaxGIFFramePixels)
            throw EInvalidGraphicOperation(GIFMessages::FrameTooLarge(width, height));
        FCache = std::make_unique<TBitmap>(width, height, TPixelFormat::pf24bit);
        FTransColor = clNone;
        const TColor key = image.TransparentColor();
        if (key != clNone) {
            fFillColor = ColorToRGB(key);
            FTransColor = fFillColor;
        } else if (image.BackgroundColor() != clNone && image.Transparent()) {
            fFillColor = ColorToRGB(image.BackgroundColor());
        } else {
            fFillColor = ColorToRGB(clWindow);
        }
        TCanvas& canvas = FCache->Canvas();
        canvas.Brush.Color = fFillColor;
        canvas.Brush.Style = TBrushStyle::bsSolid;
        canvas.FillRect(TRect(0, 0, width, height));

        // Start from the last frame that paints the whole screen by itself.
        int start = 0;
        for (int k = index; k >= 1; --k) {
            TZGIFFrame& frame = image.Frames(k);
            if (CoversScreen(frame) &&
                (frame.TransparentColor() == clNone ||
                 (k < index && frame.DisposalMethod() == TDisposalMethod::dmRestoreBackground))) {
                start = k;
                break;
            }
        }
        for (int k = start; k < index; ++k) {
            TZGIFFrame& frame = image.Frames(k);
            switch (frame.DisposalMethod()) {
            case TDisposalMethod::dmUndefined:
            case TDisposalMethod::dmLeave:
                DrawFrame(canvas, frame);
                break;
            case TDisposalMethod::dmRestoreBackground:
                if (k > start)
                    canvas.FillRect(FrameRect(frame));
                break;
            default:
                break;
            }
        }
        FCache->SetTransparent(Transparent && FTransColor != clNone);
        if (FTransColor != clNone)
            FCache->SetTransparentColor(FTransColor);
    }

    TZGIFFrame& frame = image.Frames(index);
    DrawFrame(FCache->Canvas(), frame);
    FCache->Canvas().Flush();
    FCacheIndex = index;
    transColor = FTransColor;
    return *FCache;
}

bool TGIFComposer::GetFrameBitmap(int index, TColor& transColor, TBitmap& bitmap)
{
    if (index < 0 || index >= fImage->Count())
        return false;
    bitmap = Compose(index, transColor);
    return true;
}
