// TEditorCore: a figure made by its toolbar button can be dragged out on the
// canvas. The button makes it as a plain click always did; the next press on
// the canvas, when it moves, draws the rectangle the figure then takes (one
// step with its making), and when it does not, is an ordinary click.
#include "editor/core/EditorCore.h"

#include "drawobjects/Connector.h"
#include "drawobjects/Pic.h"
#include "drawobjects/SolidPoint.h"

#include <algorithm>
#include <cstdlib>

bool TEditorCore::FigureButtonClick(TQFigName kind)
{
    const int key = fHistory.NewMergeKey();
    bool made = false;
    {
        TEditScope edit(fHistory, QStringLiteral("New ") + KindCaption(kind), key);
        made = QNewFigure(kind);
    }
    if (made && Doc.DrObj) {
        fGesture.DrawFigure = Doc.DrObj->FigNum;
        fGesture.DrawKey = key;
        fGesture.DrawIndex = fHistory.Stack().index();
        Notify(Hooks.CommandStates);
    }
    return made;
}

bool TEditorCore::IsDrawArmed() const
{
    // Only while nothing else happened since the figure was made.
    return fGesture.DrawFigure >= 0 && !fHistory.InEdit() && fHistory.Stack().index() == fGesture.DrawIndex
           && Doc.QCount == 1 && Doc.DrObj && Doc.DrObj->FigNum == fGesture.DrawFigure;
}

std::optional<TQFigName> TEditorCore::DrawingKind() const
{
    if (!IsDrawArmed() || fGesture.DrawFigure >= Doc.FigureCount())
        return std::nullopt;
    return Doc.Animation.Figures[static_cast<size_t>(fGesture.DrawFigure)].Name;
}

TRect TEditorCore::DrawOutRect(TShiftState shift, int x, int y) const
{
    const TPoint a = fGesture.DrawStart;
    int dx = x - a.X;
    int dy = y - a.Y;
    if (shift & ssShift) {
        const int side = std::max(std::abs(dx), std::abs(dy));
        dx = dx < 0 ? -side : side;
        dy = dy < 0 ? -side : side;
    }
    return TRect{a.X, a.Y, a.X + dx, a.Y + dy}.Normalized();
}

bool TEditorCore::DrawOutMove(TShiftState shift, int x, int y)
{
    if (!fGesture.DrawPending && !fGesture.DrawOut)
        return false;
    fGesture.CapX = x;
    fGesture.CapY = y;
    Notify(Hooks.Caption);
    if (fGesture.DrawPending) {
        const TPoint a = fGesture.DrawStart;
        if (std::max(std::abs(x - a.X), std::abs(y - a.Y)) < fGesture.ClickSlop)
            return true;
        fGesture.DrawPending = false;
        fGesture.DrawOut = true;
    }
    const TRect r = DrawOutRect(shift, x, y);
    fGesture.SelPt1 = {r.Left, r.Top};
    fGesture.SelPt2 = {r.Right, r.Bottom};
    fGesture.IsSelRec = true; // the band's drawing shows the rectangle
    DrawFrameBuffer();
    return true;
}

bool TEditorCore::DrawOutUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (fGesture.DrawPending) {
        // A click: the figure stays as made, and the press acts as any press.
        const TPoint at = fGesture.DrawStart;
        const TShiftState keys = fGesture.DrawShift;
        fGesture.DrawPending = false;
        fGesture.DrawFigure = -1;
        FramePanelMouseDown(button, keys, at.X, at.Y);
        return false;
    }
    if (!fGesture.DrawOut)
        return false;
    fGesture.DrawOut = false;
    fGesture.IsSelRec = false;
    fGesture.FocusRecDrawn = false;
    fGesture.DrawFigure = -1;
    CountFocusedDrawObjs();
    if (Doc.DrObj) {
        TDrawObject& obj = *Doc.DrObj;
        TPoint to{x, y};
        if (shift & ssShift) {
            const TRect r = DrawOutRect(shift, x, y);
            to = {r.Left == fGesture.DrawStart.X ? r.Right : r.Left, r.Top == fGesture.DrawStart.Y ? r.Bottom : r.Top};
        }
        TEditScope edit(fHistory, QStringLiteral("New ") + KindCaption(Doc.Animation.Figures[static_cast<size_t>(obj.FigNum)].Name),
                        fGesture.DrawKey);
        PlaceInRect(obj, DrawOutRect(shift, x, y), fGesture.DrawStart, to);
        Doc.SetFig(obj.FigNum);
        SetModifyTrue();
    }
    SetCursor(TCanvasCursor::Cross);
    Notify(Hooks.SelectionChanged);
    DrawFrameBuffer();
    Notify(Hooks.CommandStates);
    return true;
}

void TEditorCore::PlaceInRect(TDrawObject& obj, const TRect& r, TPoint from, TPoint to)
{
    obj.SmallRedraw = true;
    obj.BigRedraw = true;
    if (dynamic_cast<TSolidPoint*>(&obj)) {
        // A point keeps its size, in the middle of the rectangle.
        obj.Left = (r.Left + r.Right) / 2 - obj.Width() / 2 - obj.Coord;
        obj.Top = (r.Top + r.Bottom) / 2 - obj.Height() / 2 - obj.Coord;
        return;
    }
    auto* connector = dynamic_cast<TConnector*>(&obj);
    if (connector && obj.BtnPoints.size() == 2) {
        // A straight line runs from the press to the release.
        obj.Left = -obj.Coord;
        obj.Top = -obj.Coord;
        obj.BtnPoints[0] = from;
        obj.BtnPoints[1] = to;
        obj.InternalResize();
        return;
    }
    obj.Left = r.Left - obj.Coord;
    obj.Top = r.Top - obj.Coord;
    obj.SetWidth(std::max(r.Width(), 1));
    obj.SetHeight(std::max(r.Height(), 1));
    obj.Resize();
    if (auto* pic = dynamic_cast<TPic*>(&obj)) {
        pic->Modify = true;
        pic->SetStretch(true); // the picture fills the rectangle
    }
}
