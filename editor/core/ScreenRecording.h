#pragma once
// One step of a screen recording, shared by the "Screen Record" window and the
// headless "zembra record": the screen area is grabbed, takes the pixel format
// asked for and is appended to the GIF as an encoded frame, so that a long
// recording keeps no full picture per frame.
#include "gif/ZGIFImage.h"
#include "platform/GrabSource.h"
#include "platform/Bitmap.h"
#include "platform/Types.h"

// The area between two corners, both included: (min, min, max, max).
TRect RecordRect(TPoint a, TPoint b);

// Grabs `rect` (Right and Bottom included) of `source` into frBMP, copies it
// into pic in `format`, appends pic to `gif` lasting `interval` ms (held at the
// longest duration a frame keeps) and encodes the new frame. Returns its index.
// Screen errors are raised (EScreenGrabError) before the GIF is touched.
int RecordFrame(TZGIFImage& gif, TGrabSource& source, const TRect& rect, int interval, TPixelFormat format,
                TBitmap& frBMP, TBitmap& pic);
// The same from the X11 screen.
int RecordFrame(TZGIFImage& gif, const TRect& rect, int interval, TPixelFormat format, TBitmap& frBMP, TBitmap& pic);
