#pragma once
// TWorkBitmaps: the pictures the editor core draws into while it works, and
// where the backgrounds go in them. The core holds them; the window shows
// FramePanelBMP.
#include "platform/Bitmap.h"
#include "platform/Types.h"

struct TWorkBitmaps {
    TBitmap BMP;           // render target of one frame during a redraw
    TBitmap IBMP;          // the current frame's background in the editor
    TBitmap ApBMP;         // a background frame for frames appended by figure edits
    TBitmap Pic;           // the picture handed to the animation as a new frame
    TBitmap FramePanelBMP; // the canvas the user sees
    TRect GIFRect{0, 0, 200, 200}; // where the background GIF's frame is stretched
    TRect BMPRect{0, 0, 200, 200}; // where the background picture is stretched
};
