#include "gif/ZGIFImageSource.h"

#include "gif/ZGIFImage.h"

#include <algorithm>

TGIFAnimationInfo TZGIFImageSource::Info() const
{
    TGIFAnimationInfo info;
    // The screen covers every frame, as the image's own writer makes it.
    for (int i = 0; i < fImage.Count(); ++i) {
        const TZGIFFrame& frame = fImage.Frames(i);
        info.ScreenWidth = std::max(info.ScreenWidth, frame.Origin().X + frame.Width());
        info.ScreenHeight = std::max(info.ScreenHeight, frame.Origin().Y + frame.Height());
    }
    info.Looping = fImage.Looping();
    info.RepeatCount = fImage.RepeatCount();
    info.BackgroundColor = fImage.BackgroundColor();
    info.Comment = fImage.Comment();
    return info;
}

int TZGIFImageSource::Count() const
{
    return fImage.Count();
}

TGIFSourceFrame TZGIFImageSource::Frame(int index)
{
    TZGIFFrame& frame = fImage.Frames(index);
    const bool decoded = frame.HasBitmap();
    TGIFSourceFrame out;
    out.Pixels = frame.Bitmap().ConstImage();
    out.Origin = frame.Origin();
    out.Duration = frame.AnimateInterval();
    out.Transparent = frame.TransparentColor();
    out.Disposal = frame.DisposalMethod();
    if (!decoded)
        frame.FreeBitmap();
    return out;
}

void ExportGIF(TZGIFImage& image, const QString& fileName, const TGIFExportOptions& options)
{
    TZGIFImageSource source(image);
    TGIFExporter(options).ExportToFile(source, fileName);
}
