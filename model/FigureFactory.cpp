#include "model/FigureFactory.h"

#include "drawobjects/Bezier.h"
#include "drawobjects/Diamond.h"
#include "drawobjects/Ellipse.h"
#include "drawobjects/LLine.h"
#include "drawobjects/Line.h"
#include "drawobjects/Pic.h"
#include "drawobjects/Polygon.h"
#include "drawobjects/Rectangle.h"
#include "drawobjects/SolidArrow.h"
#include "drawobjects/SolidPoint.h"
#include "drawobjects/Star.h"
#include "drawobjects/TextBezier.h"
#include "drawobjects/ZLine.h"

std::unique_ptr<TDrawObject> CreateDrawObject(TQFigName kind, IDrawOwner* owner)
{
    switch (kind) {
    case qfPoint:
        return std::make_unique<TSolidPoint>(owner);
    case qfLine:
        return std::make_unique<TLine>(owner);
    case qfLLine:
        return std::make_unique<TLLine>(owner);
    case qfZLine:
        return std::make_unique<TZLine>(owner);
    case qfRectangle:
        return std::make_unique<TRectangle>(owner);
    case qfDiamond:
        return std::make_unique<TDiamond>(owner);
    case qfArrow:
        return std::make_unique<TSolidArrow>(owner);
    case qfStar:
        return std::make_unique<TStar>(owner);
    case qfPolygon:
        return std::make_unique<TPolygon>(owner);
    case qfEllipse:
        return std::make_unique<TEllipse>(owner);
    case qfBezier:
        return std::make_unique<TBezier>(owner);
    case qfText:
        return std::make_unique<TText>(owner);
    case qfTextBezier:
        return std::make_unique<TTextBezier>(owner);
    case qfPicture:
        return std::make_unique<TPic>(owner);
    case qfArc:
        break;
    }
    return nullptr;
}
