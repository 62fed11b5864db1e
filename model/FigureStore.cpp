// SetFig: a drawing object's present state stored at CurIndex as the
// difference from the state computed there.
#include "model/Document.h"
#include "model/PropertyTable.h"

#include "drawobjects/Pic.h"

namespace {

// Builds the difference list in a fixed order. A property goes in when the
// object's value differs from the state it was shown with (or that state
// lacks it) - that is what makes the object changed at all. It also goes in
// when it differs from the state the stored values build on (the base), which
// is another one between two key frames (the earlier key frame's own state,
// not the interpolated one) and before a figure's start (frame 0): the key
// frame then holds what the user saw.
class TDiffBuilder {
public:
    TDiffBuilder(const TQChange& shown, const TQChange& base, QStringList& strArr)
        : fShown(shown), fBase(base), fStrArr(strArr)
    {
    }

    void Bool(TQPropName name, bool value)
    {
        Add(TQPropValue::OfBool(name, value), [](const TQPropValue& a, const TQPropValue& b) { return a.BoolValue == b.BoolValue; });
    }
    void Int(TQPropName name, int32_t value)
    {
        Add(TQPropValue::OfInt(name, value), [](const TQPropValue& a, const TQPropValue& b) { return a.IntValue == b.IntValue; });
    }
    void Color(TQPropName name, TColor value)
    {
        Add(TQPropValue::OfColor(name, value), [](const TQPropValue& a, const TQPropValue& b) { return a.Color == b.Color; });
    }
    // A Bool, Int, Color or Style value, compared on the field its property uses.
    void Value(const TQPropValue& value)
    {
        switch (PropertyInfo(value.Name).Value) {
        case TQValueKind::Bool:
            Bool(value.Name, value.BoolValue);
            break;
        case TQValueKind::Color:
            Color(value.Name, value.Color);
            break;
        case TQValueKind::Style:
            Style(value.Style);
            break;
        default:
            Int(value.Name, value.IntValue);
            break;
        }
    }
    void Style(TFontStyles value)
    {
        Add(TQPropValue::OfStyle(value), [](const TQPropValue& a, const TQPropValue& b) { return a.Style == b.Style; });
    }
    void Node(int number, TPoint value)
    {
        Add(TQPropValue::OfNode(number, value), [](const TQPropValue& a, const TQPropValue& b) { return a.Value == b.Value; });
    }
    // A changed string becomes a new entry of the string table (compared
    // case-sensitively); the value is that entry's index.
    void String(TQPropName name, const QString& value)
    {
        const bool changed = !HoldsString(fShown, name, value);
        if (!changed && HoldsString(fBase, name, value))
            return;
        fChanged = fChanged || changed;
        fNewStrings.append(value);
        fDiff.push_back(TQPropValue::OfString(name, static_cast<int32_t>(fStrArr.size() + fNewStrings.size() - 1)));
    }
    // A value that is stored in any case.
    void Append(const TQPropValue& value)
    {
        fChanged = true;
        fDiff.push_back(value);
    }

    // The shown state's entry of a property, or nullptr.
    const TQPropValue* Shown(TQPropName name) const
    {
        const int j = TDocument::FindProp(fShown, name, 0);
        return j < 0 ? nullptr : &fShown[static_cast<size_t>(j)];
    }
    const TQPropValue* Base(TQPropName name) const
    {
        const int j = TDocument::FindProp(fBase, name, 0);
        return j < 0 ? nullptr : &fBase[static_cast<size_t>(j)];
    }
    bool Changed() const { return fChanged; }
    const TQChange& Pending() const { return fDiff; }
    // The differences, with their new strings added to the string table; nothing
    // (and no new strings) when the object did not change.
    TQChange Take()
    {
        if (!fChanged)
            return {};
        fStrArr.append(fNewStrings);
        return std::move(fDiff);
    }

private:
    template <typename Same>
    void Add(const TQPropValue& value, Same same)
    {
        const bool changed = Differs(fShown, value, same);
        fChanged = fChanged || changed;
        if (changed || Differs(fBase, value, same))
            fDiff.push_back(value);
    }
    template <typename Same>
    static bool Differs(const TQChange& state, const TQPropValue& value, Same same)
    {
        const int j = TDocument::FindProp(state, value.Name, value.Number);
        return j < 0 || !same(state[static_cast<size_t>(j)], value);
    }
    bool HoldsString(const TQChange& state, TQPropName name, const QString& value) const
    {
        const int j = TDocument::FindProp(state, name, 0);
        if (j < 0)
            return false;
        const int32_t index = state[static_cast<size_t>(j)].StrValue;
        return index >= 0 && index < fStrArr.size() && fStrArr[index] == value;
    }

    const TQChange& fShown;
    const TQChange& fBase;
    QStringList& fStrArr;
    QStringList fNewStrings; // appended to fStrArr when the differences are taken
    TQChange fDiff;
    bool fChanged = false;
};

} // namespace

bool TDocument::Differences(const TQFigure& fig, const TQChange& shown, const TQChange& base, TQChange& diff)
{
    TDrawObject& obj = *fig.Obj;
    TPic* pic = fig.Name == qfPicture ? static_cast<TPic*>(&obj) : nullptr;
    TDiffBuilder d(shown, base, StrArr);
    for (const TFigureProperty* property : FigureProperties(fig.Name).InOrder()) {
        switch (property->Name) {
        case qpNodeCount:
            d.Int(qpNodeCount, obj.ButtonCount());
            break;
        case qpNode:
            for (int i = 0; i < static_cast<int>(obj.BtnPoints.size()); ++i)
                d.Node(i, obj.BtnPoints[static_cast<size_t>(i)]);
            break;
        case qpBitmap:
            if (!d.Shown(qpBitmap) || pic->Modify)
                d.Append(PictureValue(*pic));
            break;
        default:
            if (property->GetText)
                d.String(property->Name, property->GetText(obj));
            else
                d.Value(property->Get(obj));
            break;
        }
    }
    // A picture figure's key frame that builds on a state without a picture
    // gets the picture it shows (always the figure's last stored property).
    if (pic && d.Changed() && !d.Base(qpBitmap) && FindProp(d.Pending(), qpBitmap, 0) < 0)
        d.Append(PictureValue(*pic));
    diff = d.Take();
    return d.Changed();
}

TQPropValue TDocument::PictureValue(TPic& pic)
{
    pic.Modify = false;
    if (pic.GNum >= 0)
        return TQPropValue::OfBitmap(true, pic.BitNum, pic.GNum);
    TBitmap copy(pic.Picture());
    copy.SetPixelFormat(TPixelFormat::pf24bit);
    BMPArr.push_back(std::move(copy));
    return TQPropValue::OfBitmap(false, static_cast<int32_t>(BMPArr.size() - 1));
}

bool TDocument::SetProperty(int num, const TQPropValue& value)
{
    TQFigure* fig = Figure(num);
    if (!fig || !fig->Obj)
        return false;
    const TFigureProperty* property = FigureProperties(fig->Name).Find(value.Name);
    if (!property || !property->Set)
        return false;
    property->Set(*fig->Obj, value);
    return true;
}

bool TDocument::StoreProperty(int num, const TQPropValue& value)
{
    if (!SetProperty(num, value))
        return false;
    SetFig(num);
    return true;
}

void TDocument::SetFig(int num)
{
    if (!IsGIFDraw)
        return;
    TQFigure* fig = Figure(num);
    if (!fig || !fig->Obj)
        return;
    // The object shows the state at CurIndex; an edit there is stored at
    // CurIndex, or at frame 0 while the figure is shown before its start.
    const int shownAt = CurIndex;
    int storeAt = CurIndex;
    if (storeAt < fig->Start) {
        if (!fig->All)
            return;
        storeAt = 0;
    }
    const TQChange shown = ShownState(num);
    CurIndex = storeAt;
    TQChange base = GetChange(num);
    // Strictly between two key frames the state is interpolated; a new key
    // frame there builds on the earlier key frame's own state.
    if (CurFrame < 0 && PrevFrame >= 0 && PrevFrame < static_cast<int>(fig->Frames.size()) - 1)
        base = AddChanAll(*fig, PrevFrame);
    TQChange diff;
    if (Differences(*fig, shown, base, diff)) {
        RedrawEnabled = true;
        if (CurFrame < 0) {
            TQFrame frame;
            frame.Number = CurIndex;
            frame.Change = std::move(diff);
            fig->Frames.insert(fig->Frames.begin() + (PrevFrame + 1), std::move(frame));
        } else {
            if (dynamic_cast<TPic*>(fig->Obj))
                ReleaseReplacedPicture(fig->Frames[static_cast<size_t>(CurFrame)], diff);
            TQFrame& frame = fig->Frames[static_cast<size_t>(CurFrame)];
            frame.Change = AddChan(frame.Change, diff);
        }
    }
    CurIndex = shownAt;
}

void TDocument::ReleaseReplacedPicture(const TQFrame& frame, TQChange& diff)
{
    const int own = FindProp(frame.Change, qpBitmap, 0);
    const int replacing = FindProp(diff, qpBitmap, 0);
    // A picture inherited from an earlier key frame is still shown there.
    if (own < 0 || replacing < 0)
        return;
    const TQPropValue old = frame.Change[static_cast<size_t>(own)];
    if (PictureInUse(old, &frame.Change[static_cast<size_t>(own)]))
        return;
    DelImgArr(old.IsGIF, old.Bitmap, old.FNum);
    // The new value is in no key frame yet: lower it as the stored ones were,
    // in the table that lost the entry only. (Objects were lowered already.)
    TQPropValue& value = diff[static_cast<size_t>(replacing)];
    if (old.IsGIF != value.IsGIF)
        return;
    if (value.Bitmap > old.Bitmap)
        --value.Bitmap;
    if (old.IsGIF && value.FNum > old.FNum)
        --value.FNum;
}
