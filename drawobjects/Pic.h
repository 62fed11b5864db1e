#pragma once
// TPic: a picture in the box from P0 (top-left) to P1 (bottom-right). The
// picture may be a frame of an animated GIF, which the picture then also
// holds; the editor puts the frame that belongs to the current animation
// frame into the bitmap. Without Stretch the box keeps the picture's own size
// and its handles cannot be dragged. With Transparent, pixels of the colour of
// the picture's top-left pixel are left out.
#include "drawobjects/Solid.h"
#include "gif/ZGIFImage.h"
#include "platform/Bitmap.h"

class TPic : public TSolid {
public:
    explicit TPic(IDrawOwner* owner = nullptr);

    TBitmap& Picture() { return fPic; }
    const TBitmap& Picture() const { return fPic; }
    TZGIFImage& GIF() { return fGIF; }
    const TZGIFImage& GIF() const { return fGIF; }

    bool Stretch() const { return fStretch; }
    // Switching off returns the box to the picture's own size (when there is a picture).
    void SetStretch(bool value);
    bool Transparent() const { return fTransparent; }
    // Also keys the picture on the colour of its top-left pixel.
    void SetTransparent(bool value);
    bool TightConnections() const { return fTightConnections; }
    // Attached lines stop at the first pixel that is not background.
    void SetTightConnections(bool value) { fTightConnections = value; }

    void DrawObject(TCanvas& canvas, bool isShadow) override;
    bool IsValidBtnDown(int btnIdx) const override;
    TPoint ClosestScreenPt(TPoint fromScreenPt) override;

    int GNum = -1;       // list of composed GIF frames in the editor, -1 for a still picture
    int BitNum = -1;     // the GIF in the editor's GIF list
    bool Modify = false; // the picture changed since the project last stored it

private:
    bool fStretch = false;
    bool fTransparent = false;
    bool fTightConnections = false;
    TBitmap fPic;
    TZGIFImage fGIF;
};

// Keys a bitmap on the colour of its top-left pixel; nothing for an empty bitmap.
void SetTransparentColor(TBitmap& bitmap);
