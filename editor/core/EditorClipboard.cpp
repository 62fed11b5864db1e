// TEditorCore: the figure clipboard (copy, cut, paste) and figure deletion.
// A clipboard entry owns copies of the pictures its figure shows; its picture
// values index those copies. Pasting appends new copies to the picture tables
// and rebases the values; deleting removes the pictures only the deleted
// figure showed and lowers every reference above them, so that every other
// figure keeps showing its own pictures.
#include "editor/core/EditorCore.h"
#include "model/FigureFactory.h"

#include "drawobjects/Pic.h"

#include <algorithm>
#include <functional>
#include <map>
#include <set>

namespace {

// Calls `visit` for every picture value of the figure, in frame and change
// order; a value for which it returns false is dropped from its key frame.
void BitmapCycle(TQFigure& fig, const std::function<bool(TQPropValue&)>& visit)
{
    for (TQFrame& frame : fig.Frames) {
        TQChange& change = frame.Change;
        change.erase(std::remove_if(change.begin(), change.end(),
                                    [&visit](TQPropValue& v) { return v.Name == qpBitmap && !visit(v); }),
                     change.end());
    }
}

template <typename T>
bool InRange(const std::vector<T>& table, int index)
{
    return index >= 0 && index < static_cast<int>(table.size());
}

// Position of `key` in `table`, added at the end when missing: pictures that
// several values of one figure show are copied once.
int EntryIndex(std::map<int, int>& table, int key, const std::function<void()>& add)
{
    const auto found = table.find(key);
    if (found != table.end())
        return found->second;
    const int index = static_cast<int>(table.size());
    table.emplace(key, index);
    add();
    return index;
}

} // namespace

// --- Copy, cut -------------------------------------------------------------------

void TEditorCore::CopyFigureExecute()
{
    // Without a selection the clipboard keeps what it holds.
    if (!Doc.IsFig())
        return;
    Doc.CurIndex = std::max(FrameIndex(), 0);
    Doc.SetAnim();
    DelBuf();
    // Bottom first, so that a paste keeps the figures' stacking order.
    for (const std::unique_ptr<TDrawObject>& obj : Doc.DrawArr) {
        if (!obj->Focused() || obj->FigNum < 0 || obj->FigNum >= Doc.FigureCount())
            continue;
        TQBufEntry entry;
        entry.Fig = Doc.Animation.Figures[static_cast<size_t>(obj->FigNum)];
        entry.Fig.Obj = nullptr;
        if (entry.Fig.Name == qfPicture) {
            std::map<int, int> stills;
            std::map<int, int> gifs;
            // A value that names no picture (a damaged project) is not copied.
            BitmapCycle(entry.Fig, [&](TQPropValue& v) {
                if (!v.IsGIF) {
                    if (!InRange(Doc.BMPArr, v.Bitmap))
                        return false;
                    const TBitmap& source = Doc.BMPArr[static_cast<size_t>(v.Bitmap)];
                    v.Bitmap = EntryIndex(stills, v.Bitmap, [&] { entry.BMP.push_back(source); });
                    return true;
                }
                if (!InRange(Doc.GIFArr, v.Bitmap))
                    return false;
                const TZGIFImage& source = Doc.GIFArr[static_cast<size_t>(v.Bitmap)];
                v.Bitmap = EntryIndex(gifs, v.Bitmap, [&] { entry.GIF.push_back(source); });
                v.FNum = v.Bitmap;
                return true;
            });
        }
        Doc.FigBuf.push_back(std::move(entry));
    }
    Doc.IsModify = true;
    Notify(Hooks.CommandStates);
}

void TEditorCore::CutFigureExecute()
{
    TEditScope edit(fHistory, QStringLiteral("Cut"));
    CopyFigureExecute();
    DeleteFigureExecute();
}

// --- Paste -----------------------------------------------------------------------

void TEditorCore::PasteFigureExecute()
{
    TEditScope edit(fHistory, QStringLiteral("Paste"));
    if (Doc.FigBuf.empty())
        return;
    // Positions of a group drag are kept before the figures are reloaded.
    Doc.CurIndex = std::max(FrameIndex(), 0);
    Doc.SetAnim();
    Doc.RedrawEnabled = true;
    fGesture.DragList.clear();
    ClearAllDrawObjFocuses();
    CycleBuffer(cbfPasteFigure);
    CountFocusedDrawObjs();
    DeletePasteFigure();
}

void TEditorCore::CycleBuffer(TCycleBuffer mode)
{
    switch (mode) {
    case cbfDelBuf:
        // Each entry owns its pictures; emptying an entry frees them.
        for (TQBufEntry& entry : Doc.FigBuf) {
            entry.BMP.clear();
            entry.GIF.clear();
        }
        break;
    case cbfPasteFigure:
        for (const TQBufEntry& entry : Doc.FigBuf)
            PasteEntry(entry);
        break;
    }
}

void TEditorCore::DelBuf()
{
    CycleBuffer(cbfDelBuf);
    Doc.FigBuf.clear();
}

bool TEditorCore::PasteEntry(const TQBufEntry& entry)
{
    std::unique_ptr<TDrawObject> obj = CreateDrawObject(entry.Fig.Name, this);
    if (!obj)
        return false;
    TQFigure fig = entry.Fig;
    fig.Obj = nullptr;

    const int bmpLength = static_cast<int>(Doc.BMPArr.size());
    const int gifLength = static_cast<int>(Doc.GIFArr.size());
    const size_t listLength = Doc.BMPGIF.size();
    auto takeBack = [&] {
        Doc.BMPArr.resize(static_cast<size_t>(bmpLength));
        Doc.GIFArr.resize(static_cast<size_t>(gifLength));
        Doc.BMPGIF.resize(listLength);
    };

    Doc.BMPArr.insert(Doc.BMPArr.end(), entry.BMP.begin(), entry.BMP.end());
    // Each GIF is composed again; the composites index it receives is the one
    // its values take. A GIF that cannot be composed (the composer has said
    // "Not enough RAM!") takes the whole entry back: a figure whose picture
    // values named no composites would show other figures' pictures.
    std::vector<int> lists;
    const bool apply = Progress().IsApply();
    Progress().SetApply(true);
    for (const TZGIFImage& gif : entry.GIF) {
        Doc.GIFArr.push_back(gif);
        const int list = AddBMPArr(Doc.GIFArr.back());
        if (list < 0)
            break;
        lists.push_back(list);
    }
    Progress().SetApply(apply);
    if (lists.size() != entry.GIF.size()) {
        takeBack();
        return false;
    }

    const int bmpCount = static_cast<int>(entry.BMP.size());
    BitmapCycle(fig, [&](TQPropValue& v) {
        if (!v.IsGIF) {
            if (v.Bitmap < 0 || v.Bitmap >= bmpCount)
                return false;
            v.Bitmap += bmpLength;
            return true;
        }
        if (!InRange(lists, v.Bitmap))
            return false;
        v.FNum = lists[static_cast<size_t>(v.Bitmap)];
        v.Bitmap += gifLength;
        return true;
    });

    Doc.Animation.Figures.push_back(std::move(fig));
    Doc.DrawArr.push_back(std::move(obj));
    Doc.DrObj = Doc.DrawArr.back().get();
    PrepareFigure();
    return true;
}

void TEditorCore::PrepareFigure()
{
    TDrawObject* obj = Doc.DrObj;
    if (!obj || Doc.Animation.Figures.empty())
        return;
    obj->FigNum = Doc.FigureCount() - 1;
    obj->SmallRedraw = true;
    obj->BigRedraw = true;
    // Selectable and selected, as a figure read from a project.
    obj->SetCanFocus(true);
    obj->SetFocused(true);
    if (auto* pic = dynamic_cast<TPic*>(obj))
        pic->SetStretch(true);
    Doc.Animation.Figures.back().Obj = obj;
}

void TEditorCore::DeletePasteFigure()
{
    Doc.GetAnim();
    DrawFrameBuffer();
    Notify(Hooks.SelectionChanged); // the panels: one figure's pages, or none
    Notify(Hooks.CommandStates);
    // A single figure pasted outside the current frame was not loaded here:
    // its object holds no state of the figure to store.
    if (Doc.DrObj && !Doc.DrObj->Visible)
        Doc.IsModify = true;
    else
        SetModifyTrue();
}

// --- Delete ----------------------------------------------------------------------

void TEditorCore::DeleteFigureExecute()
{
    TEditScope edit(fHistory, QStringLiteral("Delete"));
    if (!Doc.IsFig())
        return;
    // Positions of a group drag are kept before the figures are reloaded.
    Doc.CurIndex = std::max(FrameIndex(), 0);
    Doc.SetAnim();
    Doc.RedrawEnabled = true;
    // The drag list and the gesture may name objects about to be freed.
    fGesture.DragList.clear();
    fGesture.IsMouseDown = false;
    fGesture.IsOldObj = false;
    for (int i = static_cast<int>(Doc.DrawArr.size()) - 1; i >= 0; --i) {
        TDrawObject* obj = Doc.DrawArr[static_cast<size_t>(i)].get();
        if (!obj->Focused())
            continue;
        const int f = obj->FigNum;
        if (f >= 0 && f < Doc.FigureCount()) {
            if (dynamic_cast<TPic*>(obj))
                DeleteFigurePictures(f);
            for (const std::unique_ptr<TDrawObject>& other : Doc.DrawArr)
                if (other->FigNum > f)
                    --other->FigNum;
            Doc.Animation.Figures.erase(Doc.Animation.Figures.begin() + f);
        }
        DeleteDraw(i);
    }
    Doc.DrObj = nullptr;
    Doc.QCount = 0;
    DeletePasteFigure();
}

void TEditorCore::DeleteFigurePictures(int num)
{
    std::set<int> stills;
    std::set<int> gifs;
    std::set<int> lists;
    BitmapCycle(Doc.Animation.Figures[static_cast<size_t>(num)], [&](TQPropValue& v) {
        if (!v.IsGIF) {
            if (InRange(Doc.BMPArr, v.Bitmap))
                stills.insert(v.Bitmap);
        } else {
            if (InRange(Doc.GIFArr, v.Bitmap))
                gifs.insert(v.Bitmap);
            // The background's composites are never a figure's to remove.
            if (InRange(Doc.BMPGIF, v.FNum) && v.FNum != Doc.BackNum)
                lists.insert(v.FNum);
        }
        return true;
    });
    // A picture another figure shows too stays.
    for (int i = 0; i < Doc.FigureCount(); ++i) {
        if (i == num)
            continue;
        BitmapCycle(Doc.Animation.Figures[static_cast<size_t>(i)], [&](TQPropValue& v) {
            if (!v.IsGIF) {
                stills.erase(v.Bitmap);
            } else {
                gifs.erase(v.Bitmap);
                lists.erase(v.FNum);
            }
            return true;
        });
    }
    // Highest first: the indexes still to remove stay valid.
    for (auto it = stills.rbegin(); it != stills.rend(); ++it)
        Doc.DelImgArr(false, *it, -1);
    for (auto it = gifs.rbegin(); it != gifs.rend(); ++it)
        Doc.DelImgArr(true, *it, -1);
    for (auto it = lists.rbegin(); it != lists.rend(); ++it)
        Doc.DelImgArr(true, -1, *it);
}

void TEditorCore::DeleteDraw(int i)
{
    if (i < 0 || i >= static_cast<int>(Doc.DrawArr.size()))
        return;
    if (Doc.DrObj == Doc.DrawArr[static_cast<size_t>(i)].get())
        Doc.DrObj = nullptr;
    Doc.DrawArr.erase(Doc.DrawArr.begin() + i);
}

void TEditorCore::ClearObjects()
{
    fGesture.DragList.clear();
    Doc.DrObj = nullptr;
    Doc.QCount = 0;
    for (TQFigure& fig : Doc.Animation.Figures)
        fig.Obj = nullptr;
    Doc.DrawArr.clear();
    Doc.BMPArr.clear();
    Doc.GIFArr.clear();
    Doc.BMPGIF.clear();
    DelBuf();
}
