// GetFig: a figure's property set at CurIndex applied to its drawing object.
#include "model/Document.h"
#include "model/TextLines.h"

#include "drawobjects/Bezier.h"
#include "drawobjects/Connector.h"
#include "drawobjects/Ellipse.h"
#include "drawobjects/Pic.h"
#include "drawobjects/SolidWithText.h"
#include "drawobjects/TextBezier.h"
#include "drawobjects/ZLine.h"

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
    const TQChange state = ShownState(num);
    const int nodeCount = FindProp(state, qpNodeCount, 0);
    if (nodeCount >= 0) {
        const int32_t count = state[static_cast<size_t>(nodeCount)].IntValue;
        if (count >= 0 && count <= kMaxNodeCount)
            fig->Obj->SetBtnCount(count);
    }
    for (const TQPropValue& prop : state)
        ApplyProp(*fig, prop);
}

TQChange TDocument::ShownState(int num)
{
    TQChange state = GetChange(num);
    const TQFigure* fig = Figure(num);
    // Shown before its first key frame (through In All Frames): as at that key frame.
    if (fig && state.empty() && PrevFrame < 0 && !fig->Frames.empty())
        state = AddChanAll(*fig, 0);
    return state;
}

void TDocument::ApplyProp(TQFigure& fig, const TQPropValue& prop)
{
    TDrawObject& obj = *fig.Obj;
    auto* solidText = dynamic_cast<TSolidWithText*>(&obj);
    auto* textBezier = dynamic_cast<TTextBezier*>(&obj);
    // Only figures that show text take the font.
    TFont* font = solidText || textBezier ? &obj.Font : nullptr;
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
    case qpArrow1:
        if (auto* line = dynamic_cast<TBaseLine*>(&obj))
            line->SetArrow1(prop.BoolValue);
        break;
    case qpArrow2:
        if (auto* line = dynamic_cast<TBaseLine*>(&obj))
            line->SetArrow2(prop.BoolValue);
        break;
    case qpChCn:
        if (auto* zline = dynamic_cast<TZLine*>(&obj))
            zline->SetAutoCenter(prop.BoolValue);
        break;
    case qpLine:
        if (auto* bezier = dynamic_cast<TBezier*>(&obj))
            bezier->SetFilled(!prop.BoolValue);
        break;
    case qpTransparent:
        if (auto* pic = dynamic_cast<TPic*>(&obj))
            pic->SetTransparent(prop.BoolValue);
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
        else if (textBezier)
            textBezier->SetText(text);
        break;
    }
    case qpAngle:
        obj.QAngle = prop.IntValue;
        obj.SAngle = static_cast<float>(static_cast<long double>(prop.IntValue) * kDegToRad);
        break;
    case qpTextFill:
        if (textBezier)
            textBezier->SetOutline(static_cast<TFontOutline>(prop.IntValue));
        break;
    case qpTextSpeech:
        if (auto* ellipse = dynamic_cast<TEllipse*>(&obj))
            ellipse->SetBalloonPoint(static_cast<TBalloonPoint>(prop.IntValue));
        break;
    case qpOrient:
        if (auto* connector = dynamic_cast<TConnector*>(&obj))
            connector->SetOrientation(static_cast<TOrientation>(prop.IntValue));
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
    case qpBitmap:
        if (auto* pic = dynamic_cast<TPic*>(&obj))
            ApplyBitmap(fig, *pic, prop);
        break;
    default: // qpAngle1, qpAngle2, qpNodeCount: nothing here
        break;
    }
}

void TDocument::ApplyBitmap(const TQFigure& fig, TPic& pic, const TQPropValue& prop)
{
    if (prop.IsGIF) {
        // A reference to a missing entry comes only from a damaged project:
        // the picture is left as it is.
        if (prop.FNum < 0 || prop.FNum >= static_cast<int>(BMPGIF.size()))
            return;
        pic.GNum = prop.FNum;
        pic.BitNum = prop.Bitmap;
        const std::vector<TBitmap>& frames = BMPGIF[static_cast<size_t>(prop.FNum)];
        if (frames.empty())
            return;
        // A GIF picture plays its own frames, one per animation frame, from the
        // figure's start, looping.
        const int64_t n = static_cast<int64_t>(frames.size());
        const int64_t k = CurIndex >= fig.Start ? (static_cast<int64_t>(CurIndex) - fig.Start) % n : 0;
        pic.Picture() = frames[static_cast<size_t>(k)];
    } else {
        if (prop.Bitmap < 0 || prop.Bitmap >= static_cast<int>(BMPArr.size()))
            return;
        pic.GNum = -1;
        pic.Picture() = BMPArr[static_cast<size_t>(prop.Bitmap)];
    }
    pic.Picture().SetTransparent(pic.Transparent());
    SetTransparentColor(pic.Picture());
}
