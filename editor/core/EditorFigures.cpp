// TEditorCore: new figures from the editing toolbar and the default
// properties they start with.
#include "editor/core/EditorCore.h"
#include "editor/core/PicSize.h"
#include "model/TextLines.h"

#include "drawobjects/Diamond.h"
#include "drawobjects/Ellipse.h"
#include "drawobjects/Rectangle.h"

#include <algorithm>

namespace {

// pi/180, as degrees have always been turned into radians here.
constexpr long double kDegToRad = 0.017453292519943295769L;

std::unique_ptr<TDrawObject> MakeFigure(TQFigName kind, IDrawOwner* owner)
{
    switch (kind) {
    case qfRectangle:
        return std::make_unique<TRectangle>(owner);
    case qfDiamond:
        return std::make_unique<TDiamond>(owner);
    case qfEllipse:
        return std::make_unique<TEllipse>(owner);
    case qfText:
        return std::make_unique<TText>(owner);
    default:
        return nullptr;
    }
}

} // namespace

bool TEditorCore::CanCreate(TQFigName kind)
{
    return MakeFigure(kind, nullptr) != nullptr;
}

bool TEditorCore::QNewFigure(TQFigName kind, const QString& pictureFile)
{
    (void)pictureFile;
    std::unique_ptr<TDrawObject> made = MakeFigure(kind, this);
    if (!made)
        return false;

    Doc.CurIndex = std::max(FrameIndex(), 0);
    Doc.SetAnim();
    ClearAllDrawObjFocuses();

    TDrawObject* obj = made.get();
    const int num = Doc.NewFigure(kind, std::move(made), FrameIndex());
    Doc.QCount = 1;
    Doc.DrObj = obj;
    obj->SetFocused(true);
    obj->SmallRedraw = true;
    obj->BigRedraw = true;
    SetDefault();

    Doc.StoreNewFigure(num);
    Doc.CurIndex = std::max(FrameIndex(), 0);
    Notify(Hooks.SelectionChanged);
    DrawFrameBuffer();
    SetModifyTrue();
    Notify(Hooks.CommandStates);
    return true;
}

void TEditorCore::SetDefault()
{
    TDrawObject* obj = Doc.DrObj;
    if (!obj)
        return;
    const TDefaultParam& d = DefaultParam;
    obj->CalcMargin();
    obj->QAngle = d.Angle;
    obj->SAngle = static_cast<float>(static_cast<long double>(d.Angle) * kDegToRad);
    obj->QRotCenter = d.Center;
    obj->QRotPt = {d.PointX, d.PointY};

    auto applyFont = [&d](TFont& font) {
        font.Size = d.TextSize;
        font.Color = d.TextColor;
        font.Name = d.TextName;
        font.Style = d.TextStyle;
    };
    if (auto* solidText = dynamic_cast<TSolidWithText*>(obj)) {
        solidText->SetPadding(d.Padding);
        applyFont(obj->Font);
        if (auto* text = dynamic_cast<TText*>(obj))
            text->SetStrings(TextToStrings(d.TextValue));
        else
            solidText->SetStrings(TextToStrings(d.TextValue));
    }
    if (auto* ellipse = dynamic_cast<TEllipse*>(obj))
        ellipse->SetBalloonPoint(static_cast<TBalloonPoint>(std::clamp(d.TextSpeech, 0, 4)));

    obj->Color = d.BackColor;
    obj->ColorShadow = d.ShadowColor;
    obj->Pen().Color = d.BorderColor;
    obj->Pen().Width = d.BorderWidth;
    obj->SetShadowSize(d.ShadowWidth);
    obj->Left = d.Left;
    obj->Top = d.Top;
    obj->SetWidth(d.Width);
    obj->SetHeight(d.Height);
    obj->Resize();
    obj->SmallRedraw = true;
    obj->BigRedraw = true;
}
