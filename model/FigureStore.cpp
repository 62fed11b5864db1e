// SetFig: a drawing object's present state stored at CurIndex as the
// difference from the state computed there.
#include "model/Document.h"
#include "model/TextLines.h"

#include "drawobjects/Ellipse.h"
#include "drawobjects/SolidWithText.h"

namespace {

// Builds the difference list: each property the state lacks or holds with
// another value is appended, in a fixed order.
class TDiffBuilder {
public:
    TDiffBuilder(const TQChange& state, QStringList& strArr) : fState(state), fStrArr(strArr) {}

    void Bool(TQPropName name, bool value)
    {
        const TQPropValue* s = Find(name);
        if (!s || s->BoolValue != value)
            fDiff.push_back(TQPropValue::OfBool(name, value));
    }
    void Int(TQPropName name, int32_t value)
    {
        const TQPropValue* s = Find(name);
        if (!s || s->IntValue != value)
            fDiff.push_back(TQPropValue::OfInt(name, value));
    }
    void Color(TQPropName name, TColor value)
    {
        const TQPropValue* s = Find(name);
        if (!s || s->Color != value)
            fDiff.push_back(TQPropValue::OfColor(name, value));
    }
    void Style(TFontStyles value)
    {
        const TQPropValue* s = Find(qpTextStyle);
        if (!s || s->Style != value)
            fDiff.push_back(TQPropValue::OfStyle(value));
    }
    void Node(int number, TPoint value)
    {
        const int j = TDocument::FindProp(fState, qpNode, number);
        if (j < 0 || fState[static_cast<size_t>(j)].Value != value)
            fDiff.push_back(TQPropValue::OfNode(number, value));
    }
    // A changed string is appended to the string table; the value is its index.
    void String(TQPropName name, const QString& value)
    {
        const TQPropValue* s = Find(name);
        if (s && s->StrValue >= 0 && s->StrValue < fStrArr.size() && fStrArr[s->StrValue] == value)
            return;
        fStrArr.append(value);
        fDiff.push_back(TQPropValue::OfString(name, static_cast<int32_t>(fStrArr.size() - 1)));
    }
    void TextGroup(const QString& text, const TFont& font)
    {
        String(qpTextValue, text);
        String(qpTextName, font.Name);
        Int(qpTextSize, font.Size);
        Color(qpTextColor, font.Color);
        Style(font.Style);
    }
    void Append(const TQPropValue& value) { fDiff.push_back(value); }

    const TQPropValue* Find(TQPropName name) const
    {
        const int j = TDocument::FindProp(fState, name, 0);
        return j < 0 ? nullptr : &fState[static_cast<size_t>(j)];
    }
    TQChange Take() { return std::move(fDiff); }

private:
    const TQChange& fState;
    QStringList& fStrArr;
    TQChange fDiff;
};

} // namespace

TQChange TDocument::Differences(TDrawObject& obj, const TQChange& state)
{
    TDiffBuilder d(state, StrArr);
    d.Int(qpNodeCount, obj.ButtonCount());
    for (int i = 0; i < static_cast<int>(obj.BtnPoints.size()); ++i)
        d.Node(i, obj.BtnPoints[static_cast<size_t>(i)]);

    d.Int(qpLeft, obj.Left);
    d.Int(qpTop, obj.Top);
    d.Int(qpWidth, obj.Width());
    d.Int(qpHeight, obj.Height());
    d.Int(qpAngle, obj.QAngle);
    d.Bool(qpCenter, obj.QRotCenter);
    d.Int(qpPointX, obj.QRotPt.X);
    d.Int(qpPointY, obj.QRotPt.Y);
    d.Color(qpBackColor, obj.Color);
    d.Color(qpShadowColor, obj.ColorShadow);
    d.Color(qpBorderColor, obj.Pen().Color);
    d.Int(qpBorderWidth, obj.Pen().Width);
    d.Int(qpShadowWidth, obj.ShadowSize());

    if (auto* solidText = dynamic_cast<TSolidWithText*>(&obj)) {
        d.TextGroup(StringsToText(solidText->Strings()), obj.Font);
        d.Int(qpPadding, solidText->Padding());
    }
    if (auto* ellipse = dynamic_cast<TEllipse*>(&obj))
        d.Int(qpTextSpeech, static_cast<int32_t>(ellipse->BalloonPoint()));
    return d.Take();
}

void TDocument::SetFig(int num)
{
    if (!IsGIFDraw)
        return;
    TQFigure* fig = Figure(num);
    if (!fig || !fig->Obj)
        return;
    const int savedIndex = CurIndex;
    if (CurIndex < fig->Start) {
        if (!fig->All)
            return;
        CurIndex = 0; // shown before its start: the edit belongs to frame 0
    }

    const TQChange state = GetChange(num);
    TQChange diff = Differences(*fig->Obj, state);
    if (!diff.empty()) {
        RedrawEnabled = true;
        if (CurFrame < 0) {
            TQFrame frame;
            frame.Number = CurIndex;
            frame.Change = std::move(diff);
            fig->Frames.insert(fig->Frames.begin() + (PrevFrame + 1), std::move(frame));
        } else {
            TQFrame& frame = fig->Frames[static_cast<size_t>(CurFrame)];
            frame.Change = AddChan(frame.Change, diff);
        }
    }
    CurIndex = savedIndex;
}
