#pragma once
// A small real owner for figures under test: an editor bitmap and a render
// bitmap, a selection count and the redraw flag, set by the test.
#include "drawobjects/DrawOwner.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"

class TTestOwner : public IDrawOwner {
public:
    explicit TTestOwner(int width = 200, int height = 200)
        : Editor(width, height), Render(width, height)
    {
        Clear(clWhite);
    }

    bool IsRedrawFrames() const override { return RedrawFrames; }
    int SelectedCount() const override { return Selected; }
    TCanvas& EditorCanvas() override { return Editor.Canvas(); }
    TCanvas& RenderCanvas() override { return Render.Canvas(); }
    QString DummyText() const override { return QStringLiteral("Text"); }

    void Clear(TColor color)
    {
        for (TBitmap* b : {&Editor, &Render}) {
            TCanvas& c = b->Canvas();
            c.Brush.Style = TBrushStyle::bsSolid;
            c.Brush.Color = color;
            c.FillRect({0, 0, b->Width(), b->Height()});
        }
    }

    bool RedrawFrames = false;
    int Selected = 1;
    TBitmap Editor;
    TBitmap Render;
};
