#include "model/Records.h"

#include "model/PropertyTable.h"

TQPropKind PropKind(TQPropName name)
{
    return PropertyInfo(name).Between;
}

TQPropValue TQPropValue::OfBool(TQPropName name, bool value)
{
    TQPropValue v;
    v.Name = name;
    v.BoolValue = value;
    return v;
}

TQPropValue TQPropValue::OfInt(TQPropName name, int32_t value)
{
    TQPropValue v;
    v.Name = name;
    v.IntValue = value;
    return v;
}

TQPropValue TQPropValue::OfColor(TQPropName name, TColor value)
{
    TQPropValue v;
    v.Name = name;
    v.Color = value;
    return v;
}

TQPropValue TQPropValue::OfString(TQPropName name, int32_t strIndex)
{
    TQPropValue v;
    v.Name = name;
    v.StrValue = strIndex;
    return v;
}

TQPropValue TQPropValue::OfStyle(TFontStyles value)
{
    TQPropValue v;
    v.Name = qpTextStyle;
    v.Style = value;
    return v;
}

TQPropValue TQPropValue::OfNode(int32_t number, TPoint value)
{
    TQPropValue v;
    v.Name = qpNode;
    v.Number = number;
    v.Value = value;
    return v;
}

TQPropValue TQPropValue::OfBitmap(bool isGIF, int32_t bitmap, int32_t fNum)
{
    TQPropValue v;
    v.Name = qpBitmap;
    v.IsGIF = isGIF;
    v.Bitmap = bitmap;
    v.FNum = fNum;
    return v;
}

bool TQFigure::IsVisible(int frame) const
{
    if (All)
        return true;
    // 64 bits: Start + Count may pass the int range in a damaged project.
    return Start <= frame && static_cast<int64_t>(frame) <= static_cast<int64_t>(Start) + Count - 1;
}
