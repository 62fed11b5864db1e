// TEditorCore: editing on the canvas — the pointer state machine (selection by
// click, Shift-click and rubber band, single-object gestures, group drags,
// rotation-centre picking, the frame-size handle) and the stacking order.
#include "editor/core/EditorCore.h"

#include <algorithm>

void TEditorCore::CountFocusedDrawObjs()
{
    Doc.QCount = 0;
    Doc.DrObj = nullptr;
    for (const auto& obj : Doc.DrawArr)
        if (obj->Focused()) {
            ++Doc.QCount;
            Doc.DrObj = obj.get();
        }
}

void TEditorCore::ClearAllDrawObjFocuses()
{
    for (const auto& obj : Doc.DrawArr) {
        obj->SetFocused(false);
        obj->BigRedraw = true;
    }
}

TDrawObject* TEditorCore::TopmostAt(int x, int y) const
{
    for (auto it = Doc.DrawArr.rbegin(); it != Doc.DrawArr.rend(); ++it)
        if ((*it)->Visible && (*it)->IsInRect(x, y))
            return it->get();
    return nullptr;
}

bool TEditorCore::IsFramePanelResize(int x, int y) const
{
    const int w = fWork.FramePanelBMP.Width();
    const int h = fWork.FramePanelBMP.Height();
    const int zone = fGesture.HandleZone;
    return x >= w - zone && x <= w - 1 && y >= h - zone && y <= h - 1;
}

void TEditorCore::SetPointerTolerance(int handleZone, int clickSlop)
{
    fGesture.HandleZone = std::max(handleZone, 1);
    fGesture.ClickSlop = std::max(clickSlop, 1);
}

void TEditorCore::BuildDragList()
{
    fGesture.DragList.clear();
    for (const auto& obj : Doc.DrawArr) {
        if (!obj->Focused())
            continue;
        if (IsTiedConnector(*obj))
            continue; // a line held by an unselected figure stays with it
        fGesture.DragList.push_back({obj.get(), obj->Left, obj->Top});
    }
}

void TEditorCore::BeginGesture()
{
    EndGesture({}); // a press without its release ends the gesture before it
    fGesture.GestureKey = fHistory.NewMergeKey();
    fHistory.Begin(QStringLiteral("Move"), fGesture.GestureKey);
    fGesture.GestureSize = Doc.DrObj ? TSize{Doc.DrObj->Width(), Doc.DrObj->Height()} : TSize{};
}

void TEditorCore::EndGesture(const QString& text)
{
    if (fGesture.GestureKey == 0)
        return;
    fGesture.GestureKey = 0;
    fHistory.End(text);
}

void TEditorCore::FramePanelMouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    CountFocusedDrawObjs();
    if (button == TMouseButton::mbLeft && !Doc.SelCen && IsDrawArmed()) {
        // A new figure waits: the move decides between a drag and a click.
        fGesture.DrawPending = true;
        fGesture.DrawStart = {x, y};
        fGesture.DrawShift = shift;
        return;
    }
    fGesture.DrawFigure = -1;
    BeginGesture();
    fGesture.FocusRecDrawn = false;
    fGesture.IsOldObj = false;
    fGesture.IsMouseDown = false;
    CountFocusedDrawObjs();

    if (Doc.SelCen) {
        if (Doc.QCount == 1) {
            Doc.DrObj->QRotPt = {x, y};
            SetRedraw();
            if (Hooks.RotationCentre)
                Hooks.RotationCentre(x, y);
            Doc.DeleteChangesEnabled = true;
            SetModifyTrue();
            DrawFrameBuffer();
            Notify(Hooks.CommandStates);
        }
        return;
    }

    if (IsFramePanelResize(x, y)) {
        fGesture.IsResize = true;
        fGesture.ResX = fWork.FramePanelBMP.Width() - x;
        fGesture.ResY = fWork.FramePanelBMP.Height() - y;
        return;
    }

    fGesture.IsShift = (shift & ssShift) != 0;
    if (fGesture.IsShift) {
        if (TDrawObject* hit = TopmostAt(x, y)) {
            hit->MouseDown(button, shift, x, y);
            CountFocusedDrawObjs();
            Notify(Hooks.SelectionChanged);
            if (Doc.QCount == 1)
                Doc.DrObj->BigRedraw = true;
            for (const auto& obj : Doc.DrawArr)
                obj->BigRedraw = true; // handles show only while one figure is selected
            DrawFrameBuffer();
            Notify(Hooks.CommandStates);
            return;
        }
        fGesture.IsShift = false;
    }

    if (Doc.QCount == 1) {
        TDrawObject* hit = TopmostAt(x, y);
        TDrawObject* old = Doc.DrObj;
        old->SetFocused(false);
        old->BigRedraw = true;
        if (!hit) {
            Doc.QCount = 0;
            Doc.DrObj = nullptr;
            Notify(Hooks.SelectionChanged);
            DrawFrameBuffer();
            return;
        }
        Doc.DrObj = hit;
        hit->SetFocused(true);
        hit->BigRedraw = true;
        if (hit != old)
            Notify(Hooks.SelectionChanged);
        DrawFrameBuffer();
        hit->MouseDown(button, shift, x, y);
        fGesture.IsOldObj = true;
        return;
    }

    if (Doc.QCount > 1) {
        for (const auto& obj : Doc.DrawArr) {
            if (obj->Focused() && obj->Visible && obj->IsInRect(x, y)) {
                fGesture.IsMouseDown = true;
                fGesture.StartDragPt = {x, y};
                BuildDragList();
                DrawFrameBuffer();
                return;
            }
        }
        ClearAllDrawObjFocuses();
        CountFocusedDrawObjs();
        Notify(Hooks.SelectionChanged);
        DrawFrameBuffer();
        return;
    }

    if (button == TMouseButton::mbLeft) {
        fGesture.IsSelRec = true;
        fGesture.SelPt1 = fGesture.SelPt2 = {x, y};
        DrawFrameBuffer();
    }
}

void TEditorCore::FramePanelMouseMove(TShiftState shift, int x, int y)
{
    if (DrawOutMove(shift, x, y))
        return;
    if (!fGesture.IsSelRec && !fGesture.IsOldObj && !fGesture.IsMouseDown) {
        if (Doc.SelCen)
            SetCursor(TCanvasCursor::Hand);
        else if (fGesture.IsResize || IsFramePanelResize(x, y))
            SetCursor(TCanvasCursor::SizeNWSE);
        else
            SetCursor(TCanvasCursor::Cross);
        fGesture.CapX = x;
        fGesture.CapY = y;
        Notify(Hooks.Caption);
    }
    if (Doc.SelCen)
        return;
    if (fGesture.IsResize) {
        const int width = std::clamp(x + fGesture.ResX, 1, 10000);
        const int height = std::clamp(y + fGesture.ResY, 1, 10000);
        if (width != Doc.ImgWidth || height != Doc.ImgHeight) {
            if (Hooks.CanvasSize)
                Hooks.CanvasSize(width, height); // the widget reports back through FramePanelResize
            if (Doc.ImgWidth != width || Doc.ImgHeight != height)
                FramePanelResize(width, height);
        }
        return;
    }
    if (fGesture.IsShift)
        return;

    CountFocusedDrawObjs();
    if (Doc.QCount == 1) {
        if (fGesture.IsOldObj) {
            Doc.DrObj->MouseMove(shift, x, y);
            FollowConnectionsOf(*Doc.DrObj);
        } else {
            int btn = -1;
            if (Doc.DrObj->BtnIdxFromPt({x, y}, true, btn))
                SetCursor(TCanvasCursor::Hand);
        }
    } else if (Doc.QCount > 1) {
        if (fGesture.IsMouseDown && (shift & ssLeft) && !fGesture.DragList.empty()) {
            for (const TDragItem& item : fGesture.DragList) {
                item.Obj->Left = item.Left + (x - fGesture.StartDragPt.X);
                item.Obj->Top = item.Top + (y - fGesture.StartDragPt.Y);
            }
            for (const TDragItem& item : fGesture.DragList)
                FollowConnectionsOf(*item.Obj);
        }
    } else if (fGesture.FocusRecDrawn) {
        fGesture.SelPt2 = {x, y};
    }
    DrawFrameBuffer();
}

void TEditorCore::SelectByBand()
{
    const TRect band = NormalizeRect({fGesture.SelPt1.X, fGesture.SelPt1.Y, fGesture.SelPt2.X, fGesture.SelPt2.Y});
    for (const auto& obj : Doc.DrawArr) {
        const TPoint a = obj->RotatePoint({band.Left, band.Top}, -obj->SAngle);
        const TPoint b = obj->RotatePoint({band.Right, band.Bottom}, -obj->SAngle);
        const TRect r = NormalizeRect({a.X, a.Y, b.X, b.Y});
        const TRect o = obj->GetRect();
        const bool overlaps = r.Left < o.Right && o.Left < r.Right && r.Top < o.Bottom && o.Top < r.Bottom;
        obj->SetFocused(obj->Visible && overlaps);
        obj->BigRedraw = true;
    }
}

void TEditorCore::FramePanelMouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (DrawOutUp(button, shift, x, y))
        return;
    SetCursor(TCanvasCursor::Cross);
    if (Doc.SelCen) {
        Doc.SelCen = false;
        EndGesture(QStringLiteral("Rotation Centre"));
        return;
    }
    if (fGesture.IsResize) {
        fGesture.IsResize = false;
        EndGesture(QStringLiteral("Frame Size"));
        return;
    }
    if (fGesture.IsShift) {
        fGesture.IsShift = false;
        EndGesture({});
        return;
    }

    CountFocusedDrawObjs();
    QString step;
    if (Doc.QCount == 1 && fGesture.IsOldObj) {
        Doc.DrObj->MouseUp(button, shift, x, y);
        Doc.SetFig(Doc.DrObj->FigNum);
        SetModifyTrue();
        fGesture.IsOldObj = false;
        if (fGesture.GestureSize != TSize{Doc.DrObj->Width(), Doc.DrObj->Height()})
            step = QStringLiteral("Resize");
    } else if (Doc.QCount > 1 && fGesture.IsMouseDown) {
        ClearDragList();
        fGesture.IsMouseDown = false;
        // The new positions go into the project now, so that the drag is one step.
        Doc.SetAnim();
    } else if (Doc.QCount == 0 && fGesture.FocusRecDrawn) {
        SelectByBand();
        fGesture.FocusRecDrawn = false;
        fGesture.IsSelRec = false;
    }
    fGesture.IsOldObj = false;
    fGesture.IsMouseDown = false;
    fGesture.IsSelRec = false;

    CountFocusedDrawObjs();
    for (const auto& obj : Doc.DrawArr)
        if (obj->Focused())
            obj->BigRedraw = true; // the handles follow the new count
    Notify(Hooks.SelectionChanged);
    DrawFrameBuffer();
    EndGesture(step);
    Notify(Hooks.CommandStates);
}

void TEditorCore::FramePanelResize(int width, int height)
{
    if (!IsEditorResize || width < 1 || height < 1)
        return;
    IsFramePanel = false;
    Doc.ImgWidth = width;
    Doc.ImgHeight = height;
    fWork.FramePanelBMP.SetSize(width, height);
    if (Hooks.FrameSize)
        Hooks.FrameSize(width, height);
    SetRectangles();
    IsFramePanel = true;
    Doc.RedrawEnabled = true;
    EditFrame();
    Notify(Hooks.CommandStates);
}

void TEditorCore::BackButtonClick()
{
    TEditScope edit(fHistory, QStringLiteral("Send to Back"));
    std::vector<TDrawObject*> order;
    for (const auto& obj : Doc.DrawArr)
        order.push_back(obj.get());
    int slot = 0;
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        TDrawObject* obj = *it;
        if (!obj->Focused() || !obj->Visible)
            continue;
        auto& arr = Doc.DrawArr;
        auto pos = std::find_if(arr.begin(), arr.end(), [obj](const auto& p) { return p.get() == obj; });
        std::unique_ptr<TDrawObject> taken = std::move(*pos);
        arr.erase(pos);
        arr.insert(arr.begin() + slot++, std::move(taken));
    }
    DrawFrameBuffer();
    SetModifyTrue();
    Doc.RedrawEnabled = true;
    Notify(Hooks.CommandStates);
}

void TEditorCore::FrontButtonClick()
{
    TEditScope edit(fHistory, QStringLiteral("Bring to Front"));
    std::vector<TDrawObject*> order;
    for (const auto& obj : Doc.DrawArr)
        order.push_back(obj.get());
    int slot = static_cast<int>(order.size()) - 1;
    for (TDrawObject* obj : order) {
        if (!obj->Focused() || !obj->Visible)
            continue;
        auto& arr = Doc.DrawArr;
        auto pos = std::find_if(arr.begin(), arr.end(), [obj](const auto& p) { return p.get() == obj; });
        std::unique_ptr<TDrawObject> taken = std::move(*pos);
        arr.erase(pos);
        arr.insert(arr.begin() + slot--, std::move(taken));
    }
    DrawFrameBuffer();
    SetModifyTrue();
    Doc.RedrawEnabled = true;
    Notify(Hooks.CommandStates);
}

void TEditorCore::CenterButtonClick()
{
    Doc.SelCen = true;
    Doc.IsModify = true;
}

void TEditorCore::NudgeSelection(int dx, int dy)
{
    CountFocusedDrawObjs();
    if (Doc.QCount == 0 || (dx == 0 && dy == 0) || fHistory.InEdit())
        return;
    std::vector<int> figures;
    for (const auto& obj : Doc.DrawArr)
        if (obj->Focused())
            figures.push_back(obj->FigNum);
    if (fGesture.NudgeKey == 0 || figures != fGesture.NudgeFigures) {
        fGesture.NudgeKey = fHistory.NewMergeKey();
        fGesture.NudgeFigures = figures;
    }
    TEditScope edit(fHistory, QStringLiteral("Move"), fGesture.NudgeKey);
    // The figures a group drag would move, stored as a drag stores them.
    BuildDragList();
    for (const TDragItem& item : fGesture.DragList) {
        item.Obj->Left += dx;
        item.Obj->Top += dy;
    }
    for (const TDragItem& item : fGesture.DragList)
        FollowConnectionsOf(*item.Obj);
    ClearDragList();
    if (Doc.QCount == 1) {
        Doc.SetFig(Doc.DrObj->FigNum);
        SetModifyTrue();
    } else {
        Doc.SetAnim();
    }
    DrawFrameBuffer();
    Notify(Hooks.CommandStates);
}

void TEditorCore::CancelPointer()
{
    EndGesture({});
    fGesture.DrawPending = false;
    fGesture.DrawOut = false;
    fGesture.IsMouseDown = false;
    fGesture.IsOldObj = false;
    fGesture.IsSelRec = false;
    fGesture.IsResize = false;
    fGesture.FocusRecDrawn = false;
    fGesture.DragList.clear();
}
