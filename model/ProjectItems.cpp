#include "model/ProjectItems.h"

#include "model/PropertyTable.h"

namespace {

// The fewest bytes an element can take in the file; a count larger than the
// remaining bytes divided by this cannot be genuine.
constexpr qint64 kMinChangeBytes = 1;  // qpPointX/qpPointY: the name byte alone
constexpr qint64 kMinFrameBytes = 8;   // Number and an empty change list
constexpr qint64 kMinFigureBytes = 15; // Name, All, Foc, Start, Count, key-frame count

bool ReadCount(TBinaryReader& in, qint64 minBytes, int32_t& count)
{
    if (!in.ReadInt(count))
        return false;
    return count >= 0 && qint64(count) <= in.Remaining() / minBytes;
}

// A list is stored as its Int32 count followed by its elements.
template <class List, class WriteItem>
bool WriteList(TBinaryWriter& out, const List& list, WriteItem writeItem)
{
    if (!out.WriteInt(static_cast<int32_t>(list.size())))
        return false;
    for (const auto& item : list)
        if (!writeItem(item))
            return false;
    return true;
}

// Reads a counted list; the list is replaced only when every element was read.
// Grown element by element: memory follows the data actually read.
template <class List, class ReadItem>
bool ReadList(TBinaryReader& in, qint64 minItemBytes, List& list, ReadItem readItem)
{
    int32_t count = 0;
    if (!ReadCount(in, minItemBytes, count))
        return false;
    List result;
    for (int32_t i = 0; i < count; ++i) {
        typename List::value_type item;
        if (!readItem(item))
            return false;
        result.push_back(std::move(item));
    }
    list = std::move(result);
    return true;
}

bool WriteValue(TBinaryWriter& out, const TQPropValue& v)
{
    if (v.Name >= kPropNameCount)
        return false; // a name outside the table cannot be written
    if (!out.WriteByte(v.Name))
        return false;
    switch (PropertyInfo(v.Name).Encoding) {
    case TQEncoding::Bool:
        return out.WriteBool(v.BoolValue);
    case TQEncoding::None:
        return true; // the format keeps no value for these
    case TQEncoding::Int:
        return out.WriteInt(v.IntValue);
    case TQEncoding::Color:
        return out.WriteColor(v.Color);
    case TQEncoding::String:
        return out.WriteInt(v.StrValue);
    case TQEncoding::Style:
        return out.WriteStyle(v.Style);
    case TQEncoding::Node:
        return out.WriteInt(v.Number) && out.WritePoint(v.Value);
    case TQEncoding::Bitmap:
        return out.WriteBool(v.IsGIF) && out.WriteInt(v.Bitmap) && out.WriteInt(v.FNum);
    }
    return false;
}

bool ReadValueData(TBinaryReader& in, TQPropValue& v, TPictureEncoding encoding)
{
    uint8_t name = 0;
    if (!in.ReadByte(name) || name >= kPropNameCount)
        return false;
    v = TQPropValue{};
    v.Name = static_cast<TQPropName>(name);
    switch (PropertyInfo(v.Name).Encoding) {
    case TQEncoding::Bool:
        return in.ReadBool(v.BoolValue);
    case TQEncoding::None:
        return true; // the value is 0
    case TQEncoding::Int:
        return in.ReadInt(v.IntValue);
    case TQEncoding::Color:
        return in.ReadColor(v.Color);
    case TQEncoding::String:
        return in.ReadInt(v.StrValue);
    case TQEncoding::Style:
        return in.ReadStyle(v.Style);
    case TQEncoding::Node:
        return in.ReadInt(v.Number) && in.ReadPoint(v.Value);
    case TQEncoding::Bitmap:
        if (!in.ReadBool(v.IsGIF) || !in.ReadInt(v.Bitmap))
            return false;
        return encoding == TPictureEncoding::WithoutFNum || in.ReadInt(v.FNum);
    }
    return false;
}

bool ReadValue(TBinaryReader& in, TQPropValue& v, TPictureEncoding encoding)
{
    return ReadValueData(in, v, encoding) && InEditorRange(v);
}

bool Within(int32_t v, int32_t low, int32_t high)
{
    return v >= low && v <= high;
}

} // namespace

bool InEditorRange(const TQPropValue& v)
{
    switch (v.Name) {
    case qpLeft:
    case qpTop:
    case qpWidth:
    case qpHeight:
        return Within(v.IntValue, -kMaxCoordinate, kMaxCoordinate);
    case qpPadding:
    case qpBorderWidth:
    case qpShadowWidth: // a shadow up and left is negative
    case qpTextSize:
        return Within(v.IntValue, -kMaxThickness, kMaxThickness);
    case qpAngle1:
    case qpAngle2:
    case qpAngle:
        return Within(v.IntValue, -kMaxAngle, kMaxAngle);
    case qpNodeCount:
        return Within(v.IntValue, 0, kMaxNodes);
    case qpNode:
        return Within(v.Number, 0, kMaxNodes - 1) && Within(v.Value.X, -kMaxCoordinate, kMaxCoordinate)
            && Within(v.Value.Y, -kMaxCoordinate, kMaxCoordinate);
    default:
        return true; // flags, colours, choices and indexes are checked where they are used
    }
}

bool WriteChange(TBinaryWriter& out, const TQChange& change)
{
    return WriteList(out, change, [&](const TQPropValue& v) { return WriteValue(out, v); });
}

bool ReadChange(TBinaryReader& in, TQChange& change, TPictureEncoding encoding)
{
    return ReadList(in, kMinChangeBytes, change, [&](TQPropValue& v) { return ReadValue(in, v, encoding); });
}

bool WriteFrames(TBinaryWriter& out, const TQFrArr& frames)
{
    return WriteList(out, frames, [&](const TQFrame& frame) {
        return out.WriteInt(frame.Number) && WriteChange(out, frame.Change);
    });
}

bool ReadFrames(TBinaryReader& in, TQFrArr& frames, TPictureEncoding encoding)
{
    return ReadList(in, kMinFrameBytes, frames, [&](TQFrame& frame) {
        return in.ReadInt(frame.Number) && ReadChange(in, frame.Change, encoding);
    });
}

bool WriteFigure(TBinaryWriter& out, const TQFigure& figure)
{
    return out.WriteByte(figure.Name) && out.WriteBool(figure.All) && out.WriteBool(figure.Foc)
        && out.WriteInt(figure.Start) && out.WriteInt(figure.Count) && WriteFrames(out, figure.Frames);
}

bool ReadFigure(TBinaryReader& in, TQFigure& figure, TPictureEncoding encoding)
{
    uint8_t name = 0;
    TQFigure result;
    if (!in.ReadByte(name) || !in.ReadBool(result.All) || !in.ReadBool(result.Foc)
        || !in.ReadInt(result.Start) || !in.ReadInt(result.Count)
        || !Within(result.Start, 0, kMaxFigureStart - 1) || !Within(result.Count, 0, kMaxFigureFrames)
        || !ReadFrames(in, result.Frames, encoding))
        return false;
    result.Name = static_cast<TQFigName>(name); // checked when its object is made
    figure = std::move(result);
    return true;
}

bool WriteFigures(TBinaryWriter& out, const TQFigArr& figures)
{
    return WriteList(out, figures, [&](const TQFigure& figure) { return WriteFigure(out, figure); });
}

bool ReadFigures(TBinaryReader& in, TQFigArr& figures, TPictureEncoding encoding)
{
    return ReadList(in, kMinFigureBytes, figures, [&](TQFigure& figure) { return ReadFigure(in, figure, encoding); });
}
