#pragma once
// The frame strip as the editor core draws it: the picture the window shows,
// its scroll values and the size of the control it fills. The strip's
// geometry that projects store (first visible frame, cell size, cells that
// fit) stays with the project's editing state.
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
};
