#pragma once
// What a drawing object needs to know about the window that owns it. The editor
// implements this; tests implement it with two plain bitmaps. An object without
// an owner still keeps its cached bitmaps up to date but paints them nowhere.
#include <QString>

class TCanvas;

class IDrawOwner {
public:
    virtual ~IDrawOwner() = default;

    // True while every frame of the animation is being rendered: objects then
    // paint into the render bitmap and skip their selection decorations.
    virtual bool IsRedrawFrames() const = 0;
    // Number of selected figures; control points are drawn only when it is 1.
    virtual int SelectedCount() const = 0;
    // The canvas of the editor image the user works on.
    virtual TCanvas& EditorCanvas() = 0;
    // The canvas of the bitmap a frame is rendered into.
    virtual TCanvas& RenderCanvas() = 0;
    // The placeholder shown by text figures that have no text of their own.
    virtual QString DummyText() const = 0;
};
