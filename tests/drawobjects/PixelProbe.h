#pragma once
// Drawing a figure straight onto a white test bitmap and counting what landed.
#include "drawobjects/DrawObject.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"

#include <algorithm>

// A white bitmap with a figure's button space drawn at (x, y); no shadow.
inline TBitmap DrawFigure(TDrawObject& figure, int x = 0, int y = 0, int size = 200)
{
    TBitmap b(size, size);
    TCanvas& c = b.Canvas();
    c.Brush.Color = clWhite;
    c.FillRect({0, 0, size, size});
    figure.SetShadowSize(0);
    figure.Draw(c, x, y);
    return b;
}

// Pixels of one colour in a rectangle (right and bottom excluded).
inline int CountColor(const TBitmap& b, TRect r, TColor color)
{
    int n = 0;
    for (int y = std::max(r.Top, 0); y < std::min(r.Bottom, b.Height()); ++y)
        for (int x = std::max(r.Left, 0); x < std::min(r.Right, b.Width()); ++x)
            n += b.Pixel(x, y) == color;
    return n;
}

// The bounding box of the pixels of one colour; empty when there are none.
inline TRect ColorBounds(const TBitmap& b, TColor color)
{
    TRect r(b.Width(), b.Height(), 0, 0);
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            if (b.Pixel(x, y) == color) {
                r.Left = std::min(r.Left, x);
                r.Top = std::min(r.Top, y);
                r.Right = std::max(r.Right, x + 1);
                r.Bottom = std::max(r.Bottom, y + 1);
            }
    return r.IsEmpty() ? TRect() : r;
}
