#pragma once
// TCanvasGesture: the pointer state of the canvas — which gesture a press
// started (group drag, single-object gesture, Shift toggle, rubber band,
// frame-size handle, a figure being drawn out) and what it needs until the
// release. Only TEditorCore writes it; at most one gesture is under way.
#include "drawobjects/DrawObject.h"
#include "platform/Types.h"

#include <vector>

// One object of a group drag and where it was when the drag began.
struct TDragItem {
    TDrawObject* Obj = nullptr;
    int Left = 0;
    int Top = 0;
};

class TCanvasGesture {
public:
    // Back to idle: no gesture, no drag list, no figure waiting to be drawn
    // out (the caption's place and the tolerances stay).
    void Clear()
    {
        TCanvasGesture idle;
        idle.CapX = CapX;
        idle.CapY = CapY;
        idle.HandleZone = HandleZone;
        idle.ClickSlop = ClickSlop;
        *this = std::move(idle);
    }
    // The rubber band with left <= right and top <= bottom.
    TRect Band() const { return TRect{SelPt1.X, SelPt1.Y, SelPt2.X, SelPt2.Y}.Normalized(); }

    bool IsMouseDown = false;   // a group drag is under way
    bool IsOldObj = false;      // a gesture is handed to the single selected object
    bool IsShift = false;       // the press came with Shift (toggling); moves and release ignored
    bool IsSelRec = false;      // a rubber band is being drawn
    bool FocusRecDrawn = false; // the band has been drawn; moves and release act on it
    bool IsResize = false;      // the frame-size handle is being dragged
    int ResX = 0;               // from the pointer to the canvas's right edge when the handle was grabbed
    int ResY = 0;               // ... and to its bottom edge
    int CapX = 0;               // the pointer's place on the canvas, shown in the caption
    int CapY = 0;
    TPoint SelPt1;              // the rubber band's start corner
    TPoint SelPt2;              // the rubber band's moving corner
    TPoint StartDragPt;         // where a group drag began
    std::vector<TDragItem> DragList; // the objects a group drag moves
    int GestureKey = 0;         // merge key of the history step the press opened (0: none)
    TSize GestureSize;          // the selected object's size when the gesture began

    // Tolerances in frame pixels, set by the view for its zoom.
    int HandleZone = 6;         // the frame-size handle: the last HandleZone pixels each way
    int ClickSlop = 1;          // a press that moves less than this is a click

    // Nudging with the arrow keys: the step's merge key and the figures it moved.
    int NudgeKey = 0;
    std::vector<int> NudgeFigures;

    // A figure just made by its toolbar button waits for the next press: a
    // drag gives it the dragged rectangle, a click leaves it as made.
    int DrawFigure = -1;        // its figure number (-1: none waits)
    int DrawKey = 0;            // merge key of the step that made it
    int DrawIndex = -1;         // the history's index after that step
    bool DrawPending = false;   // pressed, not yet moved past ClickSlop
    bool DrawOut = false;       // being dragged out (the band shows the rectangle)
    TPoint DrawStart;           // where the press was
    TShiftState DrawShift = 0;  // the keys held at the press
};
