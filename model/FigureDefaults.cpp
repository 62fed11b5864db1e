#include "model/FigureDefaults.h"
#include "model/TextLines.h"

#include "drawobjects/Bezier.h"
#include "drawobjects/Ellipse.h"
#include "drawobjects/LLine.h"
#include "drawobjects/Line.h"
#include "drawobjects/Pic.h"
#include "drawobjects/SolidPoint.h"
#include "drawobjects/SolidWithText.h"
#include "drawobjects/TextBezier.h"
#include "drawobjects/ZLine.h"

#include <algorithm>

namespace {

void SetFont(TFont& font, const TDefaultParam& param)
{
    font.Size = param.TextSize;
    font.Color = param.TextColor;
    font.Name = param.TextName;
    font.Style = param.TextStyle;
}

} // namespace

void SetDefault(TDrawObject& obj, const TDefaultParam& param)
{
    obj.CalcMargin();
    obj.QAngle = param.Angle;
    obj.SAngle = static_cast<float>(static_cast<long double>(param.Angle) * 0.017453292519943295769L);
    obj.QRotCenter = param.Center;
    obj.QRotPt = {param.PointX, param.PointY};

    if (auto* solidText = dynamic_cast<TSolidWithText*>(&obj)) {
        solidText->SetPadding(param.Padding);
        solidText->SetStrings(TextToStrings(param.TextValue));
        SetFont(obj.Font, param);
    }
    if (auto* ellipse = dynamic_cast<TEllipse*>(&obj))
        ellipse->SetBalloonPoint(static_cast<TBalloonPoint>(param.TextSpeech));
    auto* textBezier = dynamic_cast<TTextBezier*>(&obj);
    if (auto* line = dynamic_cast<TBaseLine*>(&obj); line && !textBezier) {
        line->SetArrow1(param.Arrow1);
        line->SetArrow2(param.Arrow2);
        if (auto* lline = dynamic_cast<TLLine*>(&obj))
            lline->SetOrientation(static_cast<TOrientation>(param.Orient));
        if (auto* zline = dynamic_cast<TZLine*>(&obj))
            zline->SetAutoCenter(param.ChCn);
        if (auto* bezier = dynamic_cast<TBezier*>(&obj))
            bezier->SetFilled(!param.Line);
    }
    if (textBezier) {
        textBezier->SetText(param.TextValue);
        textBezier->SetOutline(static_cast<TFontOutline>(param.TextFill));
        SetFont(obj.Font, param);
    }
    // Plain lines, L- and Z-lines have no fill.
    if (!dynamic_cast<TLine*>(&obj) && !dynamic_cast<TLLine*>(&obj) && !dynamic_cast<TZLine*>(&obj))
        obj.Color = param.BackColor;
    if (auto* pic = dynamic_cast<TPic*>(&obj))
        pic->SetTransparent(param.Transparent);
    obj.ColorShadow = param.ShadowColor;
    obj.Pen().Color = param.BorderColor;
    const bool point = dynamic_cast<TSolidPoint*>(&obj) != nullptr;
    obj.Pen().Width = point ? std::max(param.BorderWidth, 3) : param.BorderWidth;
    obj.SetShadowSize(param.ShadowWidth);
    obj.Left = param.Left;
    obj.Top = param.Top;
    if (point) {
        obj.SetWidth(2 * obj.Pen().Width);
        obj.SetHeight(2 * obj.Pen().Width);
    } else {
        obj.SetWidth(param.Width);
        obj.SetHeight(param.Height);
        obj.Resize();
    }
}
