#include "platform/Canvas.h"
#include "platform/CanvasState.h"

#include <QPainterPath>
#include <cmath>

// Paths as GDI keeps them: between BeginPath and EndPath the figures are
// recorded as vertices in device coordinates, each with its kind (move, line,
// Bézier point), the last vertex of a closed figure marked PT_CLOSEFIGURE.

namespace {

constexpr int kMaxFlattenDepth = 10;  // at most 1024 segments per Bézier
constexpr double kFlatness = 0.25;    // largest distance of a control point from the chord, in pixels

void FlattenCubic(const QPointF& p0, const QPointF& p1, const QPointF& p2, const QPointF& p3, int depth,
                  std::vector<QPointF>& out)
{
    const QPointF chord = p3 - p0;
    const double len = std::hypot(chord.x(), chord.y());
    auto distance = [&](const QPointF& p) {
        if (len < 1e-9)
            return std::hypot(p.x() - p0.x(), p.y() - p0.y());
        return std::abs((p.x() - p0.x()) * chord.y() - (p.y() - p0.y()) * chord.x()) / len;
    };
    if (depth >= kMaxFlattenDepth || (distance(p1) <= kFlatness && distance(p2) <= kFlatness)) {
        out.push_back(p3);
        return;
    }
    const QPointF p01 = (p0 + p1) / 2, p12 = (p1 + p2) / 2, p23 = (p2 + p3) / 2;
    const QPointF p012 = (p01 + p12) / 2, p123 = (p12 + p23) / 2;
    const QPointF mid = (p012 + p123) / 2;
    FlattenCubic(p0, p01, p012, mid, depth + 1, out);
    FlattenCubic(mid, p123, p23, p3, depth + 1, out);
}

} // namespace

void TCanvas::BeginPath()
{
    State& s = *d;
    s.pathPoints.clear();
    s.pathTypes.clear();
    s.pathState = State::PathState::Recording;
    s.pathNewFigure = true;
}

void TCanvas::EndPath()
{
    if (d->pathState == State::PathState::Recording)
        d->pathState = State::PathState::Closed;
}

void TCanvas::AbortPath()
{
    d->pathPoints.clear();
    d->pathTypes.clear();
    d->pathState = State::PathState::None;
}

void TCanvas::CloseFigure()
{
    State& s = *d;
    if (s.pathState != State::PathState::Recording || s.pathTypes.empty())
        return;
    if (s.pathTypes.back() != PT_MOVETO)
        s.pathTypes.back() |= PT_CLOSEFIGURE;
    s.pathNewFigure = true;
}

void TCanvas::PathAppend(const QPointF& devicePoint, uint8_t type)
{
    d->pathPoints.push_back(devicePoint);
    d->pathTypes.push_back(type);
}

void TCanvas::PathLineTo(const TPoint& from, const TPoint& to)
{
    State& s = *d;
    if (s.pathNewFigure || s.pathTypes.empty()) {
        PathAppend(s.world.map(QPointF(from.X, from.Y)), PT_MOVETO);
        s.pathNewFigure = false;
    }
    PathAppend(s.world.map(QPointF(to.X, to.Y)), PT_LINETO);
}

// A figure of its own: a move to the first point, then lines or Bézier points.
void TCanvas::PathAddPoints(std::span<const TPoint> points, uint8_t kind, bool close)
{
    State& s = *d;
    PathAppend(s.world.map(QPointF(points[0].X, points[0].Y)), PT_MOVETO);
    for (size_t i = 1; i < points.size(); ++i)
        PathAppend(s.world.map(QPointF(points[i].X, points[i].Y)), kind);
    if (close && points.size() > 1)
        s.pathTypes.back() |= PT_CLOSEFIGURE;
    s.pathNewFigure = true;
}

// Appends a Qt path given in device coordinates. A subpath that ends where it
// started is a closed figure (Qt closes subpaths with a line back to the start;
// that line is dropped, the close mark stands for it).
void TCanvas::PathAddQPath(const QPainterPath& devicePath)
{
    State& s = *d;
    size_t figureStart = s.pathPoints.size();
    auto finishFigure = [&] {
        const size_t n = s.pathPoints.size();
        if (n < figureStart + 2)
            return;
        if (s.pathPoints.back() != s.pathPoints[figureStart])
            return;
        if (s.pathTypes.back() == PT_LINETO) {
            s.pathPoints.pop_back();
            s.pathTypes.pop_back();
        }
        if (s.pathPoints.size() > figureStart + 1)
            s.pathTypes.back() |= PT_CLOSEFIGURE;
    };
    for (int i = 0; i < devicePath.elementCount(); ++i) {
        const QPainterPath::Element e = devicePath.elementAt(i);
        switch (e.type) {
        case QPainterPath::MoveToElement:
            finishFigure();
            figureStart = s.pathPoints.size();
            PathAppend(QPointF(e.x, e.y), PT_MOVETO);
            break;
        case QPainterPath::LineToElement:
            PathAppend(QPointF(e.x, e.y), PT_LINETO);
            break;
        default:
            PathAppend(QPointF(e.x, e.y), PT_BEZIERTO);
            break;
        }
    }
    finishFigure();
    s.pathNewFigure = true;
}

QPainterPath TCanvas::PathToQPath() const
{
    const State& s = *d;
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    const size_t n = s.pathPoints.size();
    for (size_t i = 0; i < n; ++i) {
        const uint8_t kind = s.pathTypes[i] & ~PT_CLOSEFIGURE;
        if (kind == PT_MOVETO || path.elementCount() == 0) {
            path.moveTo(s.pathPoints[i]);
        } else if (kind == PT_BEZIERTO && i + 2 < n) {
            path.cubicTo(s.pathPoints[i], s.pathPoints[i + 1], s.pathPoints[i + 2]);
            i += 2;
        } else {
            path.lineTo(s.pathPoints[i]);
        }
        if (s.pathTypes[i] & PT_CLOSEFIGURE)
            path.closeSubpath();
    }
    return path;
}

void TCanvas::FlattenPath()
{
    State& s = *d;
    if (s.pathState != State::PathState::Closed)
        return;
    std::vector<QPointF> points;
    std::vector<uint8_t> types;
    const size_t n = s.pathPoints.size();
    for (size_t i = 0; i < n; ++i) {
        const uint8_t kind = s.pathTypes[i] & ~PT_CLOSEFIGURE;
        if (kind == PT_BEZIERTO && i + 2 < n && !points.empty()) {
            std::vector<QPointF> flat;
            FlattenCubic(points.back(), s.pathPoints[i], s.pathPoints[i + 1], s.pathPoints[i + 2], 0, flat);
            i += 2;
            // Vertices that round to the previous one add nothing.
            for (const QPointF& p : flat) {
                const QPoint q = ClampedRound(p);
                if (q == ClampedRound(points.back()) && &p != &flat.back())
                    continue;
                points.push_back(p);
                types.push_back(PT_LINETO);
            }
            types.back() |= s.pathTypes[i] & PT_CLOSEFIGURE;
        } else {
            points.push_back(s.pathPoints[i]);
            types.push_back(kind == PT_BEZIERTO ? uint8_t(PT_LINETO) : s.pathTypes[i]);
        }
    }
    s.pathPoints = std::move(points);
    s.pathTypes = std::move(types);
}

bool TCanvas::GetPath(std::vector<TPoint>& points, std::vector<uint8_t>* types) const
{
    points.clear();
    if (types)
        types->clear();
    if (d->pathState != State::PathState::Closed)
        return false;
    points.reserve(d->pathPoints.size());
    for (const QPointF& p : d->pathPoints) {
        const QPoint q = ClampedRound(p);
        points.emplace_back(q.x(), q.y());
    }
    if (types)
        *types = d->pathTypes;
    return true;
}

void TCanvas::StrokePath()
{
    PaintPath(false, true);
}

void TCanvas::FillPath()
{
    PaintPath(true, false);
}

void TCanvas::StrokeAndFillPath()
{
    PaintPath(true, true);
}

// Fills and/or outlines the path (its points are already in device
// coordinates), then discards it.
void TCanvas::PaintPath(bool fill, bool stroke)
{
    State& s = *d;
    if (s.pathState != State::PathState::Closed)
        return;
    const QPainterPath path = PathToQPath();
    const std::vector<uint8_t> types = s.pathTypes;
    const std::vector<QPointF> points = s.pathPoints;
    AbortPath();
    if (path.isEmpty() || !Begin())
        return;
    if (fill && BrushVisible()) {
        UseTransform(QTransform::fromTranslate(kShapeShift, kShapeShift));
        s.painter.setCompositionMode(QPainter::CompositionMode(ModeComposition()));
        s.painter.fillPath(path, ToQColor(Brush.Color));
    }
    if (stroke && PenVisible()) {
        if (WidePen()) {
            UseTransform(QTransform::fromTranslate(kShapeShift, kShapeShift));
            s.painter.setCompositionMode(QPainter::CompositionMode(ModeComposition()));
            s.painter.strokePath(path, WideQPen());
        } else {
            // Figure by figure, so that closed figures are drawn closed.
            size_t start = 0;
            while (start < points.size()) {
                size_t end = start + 1;
                while (end < points.size() && (types[end] & ~PT_CLOSEFIGURE) != PT_MOVETO)
                    ++end;
                QPainterPath figure;
                figure.moveTo(points[start]);
                bool closed = false;
                for (size_t i = start + 1; i < end; ++i) {
                    const uint8_t kind = types[i] & ~PT_CLOSEFIGURE;
                    if (kind == PT_BEZIERTO && i + 2 < end) {
                        figure.cubicTo(points[i], points[i + 1], points[i + 2]);
                        i += 2;
                    } else {
                        figure.lineTo(points[i]);
                    }
                    closed = closed || (types[i] & PT_CLOSEFIGURE);
                }
                std::vector<QPointF> flat;
                for (const QPolygonF& poly : figure.toSubpathPolygons())
                    flat.insert(flat.end(), poly.begin(), poly.end());
                if (closed && flat.size() > 1 && flat.front() == flat.back())
                    flat.pop_back();
                ThinPolyline(flat, closed);
                start = end;
            }
        }
    }
    Touch();
}
