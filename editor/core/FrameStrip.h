#pragma once
// The frame strip as the editor core draws it: the picture the window shows,
// its scroll values, the size of the control it fills and the geometry of its
// cells (which the project file keeps beside the project).
#include "platform/Bitmap.h"
#include "platform/Color.h"

// The frame strip's scroll bar: range 0..Max at Position.
struct TStripScroll {
    int Max = 0;
    int Position = 0;
};

struct TFrameStrip {
    TBitmap FramesBMP;          // the strip the window shows
    TBitmap ThumbBMP;           // one thumbnail, reused for every cell
    TStripScroll FramesScroll;
    int Width = 0;              // size of the strip control
    int Height = 0;
    int CellsWidth = 0;         // width of the cells drawn; the scroll bar spans it
    TColor FillColor = clBtnFace; // the window's colour, right of the cells
    int FrCount = 0;            // thumbnails that fit
    int ImgH = 0;               // size of a thumbnail cell
    int OldPos = 0;             // first visible frame
};
