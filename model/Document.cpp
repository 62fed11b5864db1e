#include "model/Document.h"

#include <algorithm>

TDocument::TDocument() = default;
TDocument::~TDocument() = default;

TQFigure* TDocument::Figure(int num)
{
    if (num < 0 || num >= FigureCount())
        return nullptr;
    return &Animation.Figures[static_cast<size_t>(num)];
}

const TQFigure* TDocument::Figure(int num) const
{
    if (num < 0 || num >= FigureCount())
        return nullptr;
    return &Animation.Figures[static_cast<size_t>(num)];
}

TQFigure* TDocument::CurrentFigure()
{
    return DrObj ? Figure(DrObj->FigNum) : nullptr;
}

const TQFigure* TDocument::CurrentFigure() const
{
    return DrObj ? Figure(DrObj->FigNum) : nullptr;
}

void TDocument::SetGetFig(int num)
{
    SetFig(num);
    GetFig(num);
}

bool TDocument::IsVisible(int num, int frame) const
{
    const TQFigure* fig = Figure(num);
    return fig && fig->IsVisible(frame);
}

void TDocument::SetAnim()
{
    for (int i = 0; i < FigureCount(); ++i)
        if (IsVisible(i, CurIndex))
            SetFig(i);
}

void TDocument::GetAnim()
{
    for (int i = 0; i < FigureCount(); ++i) {
        TDrawObject* obj = Animation.Figures[static_cast<size_t>(i)].Obj;
        if (!obj)
            continue;
        if (IsVisible(i, CurIndex)) {
            GetFig(i);
            obj->Visible = true;
            obj->SmallRedraw = true;
            if (!IsRedrawFrames)
                obj->BigRedraw = true;
        } else {
            obj->Visible = false;
        }
    }
}

int TDocument::GetMaxNum() const
{
    int64_t result = Animation.BackGIF.Count();
    for (const TQFigure& fig : Animation.Figures)
        result = std::max(result, static_cast<int64_t>(fig.Start) + fig.Count);
    return static_cast<int>(std::clamp<int64_t>(result, 0, INT32_MAX));
}

bool TDocument::IsFig() const
{
    return std::any_of(DrawArr.begin(), DrawArr.end(),
                       [](const std::unique_ptr<TDrawObject>& obj) { return obj && obj->Focused(); });
}

int TDocument::GetFrInd() const
{
    const TQFigure* fig = CurrentFigure();
    if (!fig)
        return -1;
    for (size_t i = 0; i < fig->Frames.size(); ++i)
        if (fig->Frames[i].Number == ChangeNumber)
            return static_cast<int>(i);
    return -1;
}

int TDocument::NewFigure(TQFigName kind, std::unique_ptr<TDrawObject> obj, int start)
{
    const int num = FigureCount();
    TQFigure fig;
    fig.Name = kind;
    fig.All = true;
    fig.Start = std::max(start, 0);
    fig.Count = 1;
    fig.Obj = obj.get();
    if (obj)
        obj->FigNum = num;
    Animation.Figures.push_back(std::move(fig));
    if (obj)
        DrawArr.push_back(std::move(obj));
    return num;
}

void TDocument::StoreNewFigure(int num)
{
    const TQFigure* fig = Figure(num);
    if (!fig)
        return;
    const int saved = CurIndex;
    CurIndex = fig->Start;
    SetGetFig(num);
    CurIndex = saved;
}

void TDocument::StoreSelectedFigure()
{
    if (QCount == 1 && CurrentFigure())
        SetFig(DrObj->FigNum);
}

void TDocument::ClearProject()
{
    DrObj = nullptr;
    QCount = 0;
    Animation.Figures.clear();
    DrawArr.clear();
    Animation.BackGIF.Clear();
    Animation.BackBMP = TBitmap();
    Animation.IsBackBMP = false;
    Animation.BackColor = clWhite;
    StrArr.clear();
    BMPArr.clear();
    GIFArr.clear();
    BMPGIF.clear();
    FigOrd.clear();
    BMPSel.clear();
    Buffer.Clear();
    FigBuf.clear();
    BackNum = -1;

    SelCen = false;
    IsProject = true;
    IsChRot = true;
    IsFrOper = false;
    IsRedrawFrames = false;
    IsGIFDraw = true;
    ImgWidth = 200;
    ImgHeight = 200;
    AnInt = 50;
    OldFrame = -1;
    CurIndex = -2;
    CurFrame = -1;
    PrevFrame = -1;
    ChangeNumber = 0;
    RedrawEnabled = false;
    DeleteChangesEnabled = false;
    IsModify = false;
    ProjFile.clear();
    Options = TProjectOptions::Defaults();
}
