// GetFig: a figure's property set at CurIndex applied to its drawing object.
#include "model/Document.h"
#include "model/TextLines.h"

#include "drawobjects/Ellipse.h"
#include "drawobjects/SolidWithText.h"

namespace {

// More control points than any figure can be given in the editor; a larger
// count comes only from a damaged project and is not applied.
constexpr int kMaxNodeCount = 100000;

// pi/180 as the editor has always converted degrees.
constexpr long double kDegToRad = 0.017453292519943295769L;

} // namespace

void TDocument::GetFig(int num)
{
    TQFigure* fig = Figure(num);
    if (!fig || !fig->Obj || !fig->IsVisible(CurIndex))
        return;
    const TQChange state = GetChange(num);
    const int nodeCount = FindProp(state, qpNodeCount, 0);
    if (nodeCount >= 0) {
        const int32_t count = state[static_cast<size_t>(nodeCount)].IntValue;
        if (count >= 0 && count <= kMaxNodeCount)
            fig->Obj->SetBtnCount(count);
    }
    for (const TQPropValue& prop : state)
        ApplyProp(*fig, prop);
}

void TDocument::ApplyProp(TQFigure& fig, const TQPropValue& prop)
{
    TDrawObject& obj = *fig.Obj;
    auto* solidText = dynamic_cast<TSolidWithText*>(&obj);
    // Only figures that show text take the font.
    TFont* font = solidText ? &obj.Font : nullptr;
    auto stringAt = [this](int32_t index, QString& out) {
        if (index < 0 || index >= StrArr.size())
            return false;
        out = StrArr[index];
        return true;
    };

    switch (prop.Name) {
    case qpCenter:
        obj.QRotCenter = prop.BoolValue;
        break;
    case qpPointX:
        obj.QRotPt.X = prop.IntValue;
        break;
    case qpPointY:
        obj.QRotPt.Y = prop.IntValue;
        break;
    case qpLeft:
        obj.Left = prop.IntValue;
        break;
    case qpTop:
        obj.Top = prop.IntValue;
        break;
    case qpWidth:
        obj.SetWidth(prop.IntValue);
        break;
    case qpHeight:
        obj.SetHeight(prop.IntValue);
        break;
    case qpPadding:
        if (solidText)
            solidText->SetPadding(prop.IntValue);
        break;
    case qpBorderWidth:
        obj.Pen().Width = prop.IntValue;
        break;
    case qpShadowWidth:
        obj.SetShadowSize(prop.IntValue);
        break;
    case qpTextSize:
        if (font)
            font->Size = prop.IntValue;
        break;
    case qpTextColor:
        if (font)
            font->Color = prop.Color;
        break;
    case qpTextStyle:
        if (font)
            font->Style = prop.Style;
        break;
    case qpTextName: {
        QString name;
        if (font && stringAt(prop.StrValue, name))
            font->Name = name;
        break;
    }
    case qpTextValue: {
        QString text;
        if (!stringAt(prop.StrValue, text))
            break;
        if (solidText)
            solidText->SetStrings(TextToStrings(text)); // the lines only; a text block keeps its box
        break;
    }
    case qpAngle:
        obj.QAngle = prop.IntValue;
        obj.SAngle = static_cast<float>(static_cast<long double>(prop.IntValue) * kDegToRad);
        break;
    case qpTextSpeech:
        if (auto* ellipse = dynamic_cast<TEllipse*>(&obj))
            ellipse->SetBalloonPoint(static_cast<TBalloonPoint>(prop.IntValue));
        break;
    case qpNode:
        if (prop.Number >= 0 && prop.Number < static_cast<int>(obj.BtnPoints.size()))
            obj.BtnPoints[static_cast<size_t>(prop.Number)] = prop.Value;
        break;
    case qpBackColor:
        obj.Color = prop.Color;
        break;
    case qpShadowColor:
        obj.ColorShadow = prop.Color;
        break;
    case qpBorderColor:
        obj.Pen().Color = prop.Color;
        break;
    default: // qpAngle1, qpAngle2, qpNodeCount: nothing here
        break;
    }
}
