#include "editor/core/ScreenRecording.h"

#include "model/ProjectOptions.h"
#include "platform/ScreenGrab.h"
#include "platform/X11GrabSource.h"

#include <algorithm>

TRect RecordRect(TPoint a, TPoint b)
{
    return {std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y)};
}

int RecordFrame(TZGIFImage& gif, const TRect& rect, int interval, TPixelFormat format, TBitmap& frBMP, TBitmap& pic)
{
    TX11GrabSource screen;
    return RecordFrame(gif, screen, rect, interval, format, frBMP, pic);
}

int RecordFrame(TZGIFImage& gif, TGrabSource& source, const TRect& rect, int interval, TPixelFormat format,
                TBitmap& frBMP, TBitmap& pic)
{
    source.Grab(frBMP, {rect.Left, rect.Top}, rect.Right - rect.Left + 1, rect.Bottom - rect.Top + 1);
    pic = frBMP;
    pic.SetPixelFormat(format);
    const int index = gif.AddFrame(pic);
    try {
        gif.Frames(index).SetAnimateInterval(uint16_t(std::clamp(interval, 0, int(kMaxFrameDuration))));
        gif.EncodeFrame(index);
    } catch (...) {
        gif.DeleteFrame(index); // no half-made frame stays
        throw;
    }
    pic = TBitmap(); // the frame holds the encoded picture now
    return index;
}
