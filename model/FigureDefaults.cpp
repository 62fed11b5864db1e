#include "model/FigureDefaults.h"
#include "model/DefaultFields.h"
#include "model/PropertyTable.h"

#include "drawobjects/LLine.h"
#include "drawobjects/Line.h"
#include "drawobjects/SolidPoint.h"
#include "drawobjects/TextBezier.h"
#include "drawobjects/ZLine.h"

#include <algorithm>

namespace {

template <class T>
bool Is(const TDrawObject& obj)
{
    return dynamic_cast<const T*>(&obj) != nullptr;
}

// Whether a new figure takes the default of a property its kind has. Plain,
// L- and Z-lines keep no fill colour, the orientation default is an L-line's
// only, and a Bezier text takes neither arrows nor the "Line" check. The box
// is placed after every other property (SetDefault).
bool TakesDefault(const TDrawObject& obj, TQPropName name)
{
    switch (name) {
    case qpBackColor:
        return !Is<TLine>(obj) && !Is<TLLine>(obj) && !Is<TZLine>(obj);
    case qpOrient:
        return Is<TLLine>(obj);
    case qpArrow1:
    case qpArrow2:
    case qpLine:
        return !Is<TTextBezier>(obj);
    case qpLeft:
    case qpTop:
    case qpWidth:
    case qpHeight:
        return false;
    default:
        return true;
    }
}

} // namespace

void SetDefault(TDrawObject& obj, TQFigName kind, const TDefaultParam& param)
{
    obj.CalcMargin();
    const bool point = Is<TSolidPoint>(obj);
    for (const TFigureProperty* property : FigureProperties(kind).InOrder()) {
        if (!TakesDefault(obj, property->Name))
            continue;
        if (property->SetText) {
            if (const std::optional<QString> text = DefaultText(param, property->Name))
                property->SetText(obj, *text);
        } else if (property->Set) {
            if (std::optional<TQPropValue> value = DefaultValue(param, property->Name)) {
                // A point is drawn by its pen: never thinner than 3.
                if (point && value->Name == qpBorderWidth)
                    value->IntValue = std::max(value->IntValue, 3);
                property->Set(obj, *value);
            }
        }
    }
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
