// The property table: what each property is, and which figures have it.
#include "model/PropertyTable.h"

#include "model/FigureFactory.h"
#include "model/TextLines.h"

#include "drawobjects/Bezier.h"
#include "drawobjects/Connector.h"
#include "drawobjects/Ellipse.h"
#include "drawobjects/Pic.h"
#include "drawobjects/SolidWithText.h"
#include "drawobjects/TextBezier.h"
#include "drawobjects/ZLine.h"

#include <memory>

namespace {

using V = TQValueKind;
using E = TQEncoding;
using B = TQPropKind;

// Indexed by TQPropName.
constexpr TQPropertyInfo kInfo[kPropNameCount] = {
    {qpCenter, V::Bool, E::Bool, B::Next},
    {qpArrow1, V::Bool, E::Bool, B::Held},
    {qpArrow2, V::Bool, E::Bool, B::Held},
    {qpChCn, V::Bool, E::Bool, B::Held},
    {qpLine, V::Bool, E::Bool, B::Held},
    {qpTransparent, V::Bool, E::Bool, B::Held},
    {qpPointX, V::Int, E::None, B::Next},
    {qpPointY, V::Int, E::None, B::Next},
    {qpLeft, V::Int, E::Int, B::Interpolated},
    {qpTop, V::Int, E::Int, B::Interpolated},
    {qpWidth, V::Int, E::Int, B::Interpolated},
    {qpHeight, V::Int, E::Int, B::Interpolated},
    {qpPadding, V::Int, E::Int, B::Interpolated},
    {qpBorderWidth, V::Int, E::Int, B::Interpolated},
    {qpShadowWidth, V::Int, E::Int, B::Interpolated},
    {qpTextSize, V::Int, E::Int, B::Interpolated},
    {qpAngle1, V::Int, E::Int, B::Interpolated},
    {qpAngle2, V::Int, E::Int, B::Interpolated},
    {qpAngle, V::Int, E::Int, B::Interpolated},
    {qpTextFill, V::Int, E::Int, B::Held},
    {qpTextSpeech, V::Int, E::Int, B::Held},
    {qpOrient, V::Int, E::Int, B::Held},
    {qpNodeCount, V::Int, E::Int, B::Held},
    {qpNode, V::Node, E::Node, B::NodeInterpolated},
    {qpBackColor, V::Color, E::Color, B::ColorInterpolated},
    {qpShadowColor, V::Color, E::Color, B::ColorInterpolated},
    {qpBorderColor, V::Color, E::Color, B::ColorInterpolated},
    {qpTextColor, V::Color, E::Color, B::ColorInterpolated},
    {qpTextName, V::String, E::String, B::Held},
    {qpTextValue, V::String, E::String, B::Held},
    {qpTextStyle, V::Style, E::Style, B::Held},
    {qpBitmap, V::Bitmap, E::Bitmap, B::Held},
};

// pi/180 as the editor has always converted degrees.
constexpr long double kDegToRad = 0.017453292519943295769L;

template <class T>
const T& As(const TDrawObject& obj)
{
    return static_cast<const T&>(obj);
}
template <class T>
T& As(TDrawObject& obj)
{
    return static_cast<T&>(obj);
}

// An entry of the table and the class its figures must be.
struct TEntry {
    TFigureProperty Property;
    bool (*Has)(const TDrawObject&);
};

template <class T>
bool Is(const TDrawObject& obj)
{
    return dynamic_cast<const T*>(&obj) != nullptr;
}
bool All(const TDrawObject&)
{
    return true;
}

// The text group of shapes with text and of Bezier texts: the same
// properties, the text held differently.
#define ZEMBRA_FONT_GROUP(Class, getText, setText)                                                              \
    {{qpTextValue, nullptr, nullptr, [](const TDrawObject& o) { return getText; },                             \
      [](TDrawObject& o, const QString& s) { setText; }},                                                       \
     Is<Class>},                                                                                                \
    {{qpTextName, nullptr, nullptr, [](const TDrawObject& o) { return o.Font.Name; },                           \
      [](TDrawObject& o, const QString& s) { o.Font.Name = s; }},                                               \
     Is<Class>},                                                                                                \
    {{qpTextSize, [](const TDrawObject& o) { return TQPropValue::OfInt(qpTextSize, o.Font.Size); },            \
      [](TDrawObject& o, const TQPropValue& v) { o.Font.Size = v.IntValue; }},                                  \
     Is<Class>},                                                                                                \
    {{qpTextColor, [](const TDrawObject& o) { return TQPropValue::OfColor(qpTextColor, o.Font.Color); },       \
      [](TDrawObject& o, const TQPropValue& v) { o.Font.Color = v.Color; }},                                    \
     Is<Class>},                                                                                                \
    {{qpTextStyle, [](const TDrawObject& o) { return TQPropValue::OfStyle(o.Font.Style); },                    \
      [](TDrawObject& o, const TQPropValue& v) { o.Font.Style = v.Style; }},                                    \
     Is<Class>}

// Every property of every figure class, in the order a key frame stores them.
const TEntry kEntries[] = {
    {{qpNodeCount}, All},
    {{qpNode}, All},
    {{qpLeft, [](const TDrawObject& o) { return TQPropValue::OfInt(qpLeft, o.Left); },
      [](TDrawObject& o, const TQPropValue& v) { o.Left = v.IntValue; }},
     All},
    {{qpTop, [](const TDrawObject& o) { return TQPropValue::OfInt(qpTop, o.Top); },
      [](TDrawObject& o, const TQPropValue& v) { o.Top = v.IntValue; }},
     All},
    {{qpWidth, [](const TDrawObject& o) { return TQPropValue::OfInt(qpWidth, o.Width()); },
      [](TDrawObject& o, const TQPropValue& v) { o.SetWidth(v.IntValue); }},
     All},
    {{qpHeight, [](const TDrawObject& o) { return TQPropValue::OfInt(qpHeight, o.Height()); },
      [](TDrawObject& o, const TQPropValue& v) { o.SetHeight(v.IntValue); }},
     All},
    {{qpAngle, [](const TDrawObject& o) { return TQPropValue::OfInt(qpAngle, o.QAngle); },
      [](TDrawObject& o, const TQPropValue& v) {
          o.QAngle = v.IntValue;
          o.SAngle = static_cast<float>(static_cast<long double>(v.IntValue) * kDegToRad);
      }},
     All},
    {{qpCenter, [](const TDrawObject& o) { return TQPropValue::OfBool(qpCenter, o.QRotCenter); },
      [](TDrawObject& o, const TQPropValue& v) { o.QRotCenter = v.BoolValue; }},
     All},
    {{qpPointX, [](const TDrawObject& o) { return TQPropValue::OfInt(qpPointX, o.QRotPt.X); },
      [](TDrawObject& o, const TQPropValue& v) { o.QRotPt.X = v.IntValue; }},
     All},
    {{qpPointY, [](const TDrawObject& o) { return TQPropValue::OfInt(qpPointY, o.QRotPt.Y); },
      [](TDrawObject& o, const TQPropValue& v) { o.QRotPt.Y = v.IntValue; }},
     All},
    {{qpBackColor, [](const TDrawObject& o) { return TQPropValue::OfColor(qpBackColor, o.Color); },
      [](TDrawObject& o, const TQPropValue& v) { o.Color = v.Color; }},
     All},
    {{qpShadowColor, [](const TDrawObject& o) { return TQPropValue::OfColor(qpShadowColor, o.ColorShadow); },
      [](TDrawObject& o, const TQPropValue& v) { o.ColorShadow = v.Color; }},
     All},
    {{qpBorderColor, [](const TDrawObject& o) { return TQPropValue::OfColor(qpBorderColor, o.Pen().Color); },
      [](TDrawObject& o, const TQPropValue& v) { o.Pen().Color = v.Color; }},
     All},
    {{qpBorderWidth, [](const TDrawObject& o) { return TQPropValue::OfInt(qpBorderWidth, o.Pen().Width); },
      [](TDrawObject& o, const TQPropValue& v) { o.Pen().Width = v.IntValue; }},
     All},
    {{qpShadowWidth, [](const TDrawObject& o) { return TQPropValue::OfInt(qpShadowWidth, o.ShadowSize()); },
      [](TDrawObject& o, const TQPropValue& v) { o.SetShadowSize(v.IntValue); }},
     All},
    {{qpArrow1, [](const TDrawObject& o) { return TQPropValue::OfBool(qpArrow1, As<TBaseLine>(o).Arrow1()); },
      [](TDrawObject& o, const TQPropValue& v) { As<TBaseLine>(o).SetArrow1(v.BoolValue); }},
     Is<TBaseLine>},
    {{qpArrow2, [](const TDrawObject& o) { return TQPropValue::OfBool(qpArrow2, As<TBaseLine>(o).Arrow2()); },
      [](TDrawObject& o, const TQPropValue& v) { As<TBaseLine>(o).SetArrow2(v.BoolValue); }},
     Is<TBaseLine>},
    {{qpTransparent, [](const TDrawObject& o) { return TQPropValue::OfBool(qpTransparent, As<TPic>(o).Transparent()); },
      [](TDrawObject& o, const TQPropValue& v) { As<TPic>(o).SetTransparent(v.BoolValue); }},
     Is<TPic>},
    {{qpBitmap}, Is<TPic>},
    {{qpOrient,
      [](const TDrawObject& o) {
          return TQPropValue::OfInt(qpOrient, static_cast<int32_t>(As<TConnector>(o).Orientation()));
      },
      [](TDrawObject& o, const TQPropValue& v) { As<TConnector>(o).SetOrientation(static_cast<TOrientation>(v.IntValue)); }},
     Is<TConnector>},
    ZEMBRA_FONT_GROUP(TSolidWithText, StringsToText(As<TSolidWithText>(o).Strings()),
                      As<TSolidWithText>(o).SetStrings(TextToStrings(s))), // the lines only; a block keeps its box
    {{qpPadding, [](const TDrawObject& o) { return TQPropValue::OfInt(qpPadding, As<TSolidWithText>(o).Padding()); },
      [](TDrawObject& o, const TQPropValue& v) { As<TSolidWithText>(o).SetPadding(v.IntValue); }},
     Is<TSolidWithText>},
    {{qpChCn, [](const TDrawObject& o) { return TQPropValue::OfBool(qpChCn, As<TZLine>(o).AutoCenter()); },
      [](TDrawObject& o, const TQPropValue& v) { As<TZLine>(o).SetAutoCenter(v.BoolValue); }},
     Is<TZLine>},
    // Stored negated: true means the figure is not filled.
    {{qpLine, [](const TDrawObject& o) { return TQPropValue::OfBool(qpLine, !As<TBezier>(o).Filled()); },
      [](TDrawObject& o, const TQPropValue& v) { As<TBezier>(o).SetFilled(!v.BoolValue); }},
     Is<TBezier>},
    ZEMBRA_FONT_GROUP(TTextBezier, As<TTextBezier>(o).Text(), As<TTextBezier>(o).SetText(s)),
    {{qpTextFill,
      [](const TDrawObject& o) {
          return TQPropValue::OfInt(qpTextFill, static_cast<int32_t>(As<TTextBezier>(o).Outline()));
      },
      [](TDrawObject& o, const TQPropValue& v) { As<TTextBezier>(o).SetOutline(static_cast<TFontOutline>(v.IntValue)); }},
     Is<TTextBezier>},
    {{qpTextSpeech,
      [](const TDrawObject& o) {
          return TQPropValue::OfInt(qpTextSpeech, static_cast<int32_t>(As<TEllipse>(o).BalloonPoint()));
      },
      [](TDrawObject& o, const TQPropValue& v) { As<TEllipse>(o).SetBalloonPoint(static_cast<TBalloonPoint>(v.IntValue)); }},
     Is<TEllipse>},
};

#undef ZEMBRA_FONT_GROUP

} // namespace

const TQPropertyInfo& PropertyInfo(TQPropName name)
{
    return kInfo[name < kPropNameCount ? name : 0];
}

const TFigureProperties& FigureProperties(TQFigName kind)
{
    static const std::array<TFigureProperties, kFigNameCount> tables = [] {
        std::array<TFigureProperties, kFigNameCount> result;
        for (int k = 0; k < kFigNameCount; ++k) {
            const std::unique_ptr<TDrawObject> prototype = CreateDrawObject(static_cast<TQFigName>(k));
            if (!prototype)
                continue; // a kind without a class has no properties
            TFigureProperties& table = result[static_cast<size_t>(k)];
            for (const TEntry& entry : kEntries) {
                if (!entry.Has(*prototype))
                    continue;
                table.fOrder[table.fCount++] = &entry.Property;
                table.fByName[entry.Property.Name] = &entry.Property;
            }
        }
        return result;
    }();
    return tables[kind < kFigNameCount ? kind : qfArc];
}
