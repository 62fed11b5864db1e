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
    return x >= w - 6 && x <= w - 1 && y >= h - 6 && y <= h - 1;
}

void TEditorCore::BuildDragList()
{
    DragList.clear();
    for (const auto& obj : Doc.DrawArr) {
        if (!obj->Focused())
            continue;
        if (IsTiedConnector(*obj))
            continue; // a line held by an unselected figure stays with it
        DragList.push_back({obj.get(), obj->Left, obj->Top});
    }
}

void TEditorCore::BeginGesture()
{
    EndGesture({}); // a press without its release ends the gesture before it
    fGestureKey = fHistory.NewMergeKey();
    fHistory.Begin(QStringLiteral("Move"), fGestureKey);
    fGestureSize = Doc.DrObj ? TSize{Doc.DrObj->Width(), Doc.DrObj->Height()} : TSize{};
}

void TEditorCore::EndGesture(const QString& text)
{
    if (fGestureKey == 0)
        return;
    fGestureKey = 0;
    fHistory.End(text);
}

void TEditorCore::FramePanelMouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    CountFocusedDrawObjs();
    BeginGesture();
    FocusRecDrawn = false;
    IsOldObj = false;
    IsMouseDown = false;
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
        IsResize = true;
        ResX = fWork.FramePanelBMP.Width() - x;
        ResY = fWork.FramePanelBMP.Height() - y;
        return;
    }

    IsShift = (shift & ssShift) != 0;
    if (IsShift) {
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
        IsShift = false;
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
        IsOldObj = true;
        return;
    }

    if (Doc.QCount > 1) {
        for (const auto& obj : Doc.DrawArr) {
            if (obj->Focused() && obj->Visible && obj->IsInRect(x, y)) {
                IsMouseDown = true;
                StartDragPt = {x, y};
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
        IsSelRec = true;
        SelPt1 = SelPt2 = {x, y};
        DrawFrameBuffer();
    }
}

void TEditorCore::FramePanelMouseMove(TShiftState shift, int x, int y)
{
    if (!IsSelRec && !IsOldObj && !IsMouseDown) {
        if (Doc.SelCen)
            SetCursor(TCanvasCursor::Hand);
        else if (IsResize || IsFramePanelResize(x, y))
            SetCursor(TCanvasCursor::SizeNWSE);
        else
            SetCursor(TCanvasCursor::Cross);
        CapX = x;
        CapY = y;
        Notify(Hooks.Caption);
    }
    if (Doc.SelCen)
        return;
    if (IsResize) {
        const int width = std::clamp(x + ResX, 1, 10000);
        const int height = std::clamp(y + ResY, 1, 10000);
        if (width != Doc.ImgWidth || height != Doc.ImgHeight) {
            if (Hooks.CanvasSize)
                Hooks.CanvasSize(width, height); // the widget reports back through FramePanelResize
            if (Doc.ImgWidth != width || Doc.ImgHeight != height)
                FramePanelResize(width, height);
        }
        return;
    }
    if (IsShift)
        return;

    CountFocusedDrawObjs();
    if (Doc.QCount == 1) {
        if (IsOldObj) {
            Doc.DrObj->MouseMove(shift, x, y);
            FollowConnectionsOf(*Doc.DrObj);
        } else {
            int btn = -1;
            if (Doc.DrObj->BtnIdxFromPt({x, y}, true, btn))
                SetCursor(TCanvasCursor::Hand);
        }
    } else if (Doc.QCount > 1) {
        if (IsMouseDown && (shift & ssLeft) && !DragList.empty()) {
            for (const TDragItem& item : DragList) {
                item.Obj->Left = item.Left + (x - StartDragPt.X);
                item.Obj->Top = item.Top + (y - StartDragPt.Y);
            }
            for (const TDragItem& item : DragList)
                FollowConnectionsOf(*item.Obj);
        }
    } else if (FocusRecDrawn) {
        SelPt2 = {x, y};
    }
    DrawFrameBuffer();
}

void TEditorCore::SelectByBand()
{
    const TRect band = NormalizeRect({SelPt1.X, SelPt1.Y, SelPt2.X, SelPt2.Y});
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
    SetCursor(TCanvasCursor::Cross);
    if (Doc.SelCen) {
        Doc.SelCen = false;
        EndGesture(QStringLiteral("Rotation Centre"));
        return;
    }
    if (IsResize) {
        IsResize = false;
        EndGesture(QStringLiteral("Frame Size"));
        return;
    }
    if (IsShift) {
        IsShift = false;
        EndGesture({});
        return;
    }

    CountFocusedDrawObjs();
    QString step;
    if (Doc.QCount == 1 && IsOldObj) {
        Doc.DrObj->MouseUp(button, shift, x, y);
        Doc.SetFig(Doc.DrObj->FigNum);
        SetModifyTrue();
        IsOldObj = false;
        if (fGestureSize != TSize{Doc.DrObj->Width(), Doc.DrObj->Height()})
            step = QStringLiteral("Resize");
    } else if (Doc.QCount > 1 && IsMouseDown) {
        ClearDragList();
        IsMouseDown = false;
        // The new positions go into the project now, so that the drag is one step.
        Doc.SetAnim();
    } else if (Doc.QCount == 0 && FocusRecDrawn) {
        SelectByBand();
        FocusRecDrawn = false;
        IsSelRec = false;
    }
    IsOldObj = false;
    IsMouseDown = false;
    IsSelRec = false;

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

void TEditorCore::CancelPointer()
{
    EndGesture({});
    IsMouseDown = false;
    IsOldObj = false;
    IsSelRec = false;
    IsResize = false;
    FocusRecDrawn = false;
    DragList.clear();
}
