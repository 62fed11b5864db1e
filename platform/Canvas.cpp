#include "platform/Canvas.h"
#include "platform/CanvasState.h"

#include <QFontInfo>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

// How GDI's pixel rules are met on QPainter:
// - Coordinates name pixels; a figure's geometry runs through pixel centres, so
//   Rectangle(0, 0, 10, 10) has its outline on the pixels 0 and 9.
// - Fills go through QPainter (see kShapeShift), including a pixel when its
//   centre lies inside the shape, left/top edges included and right/bottom
//   edges excluded: the same rule as GDI's interiors.
// - Lines of width 1 are drawn here with Bresenham's algorithm, leaving out the
//   last pixel of an open figure, with the cosmetic dash patterns and the pen
//   modes applied per pixel, so every pixel of a figure is touched once.
// - Wider pens are stroked by QPainter (round caps and joins).

namespace {

QTransform ToQTransform(const TXForm& x)
{
    return QTransform(x.eM11, x.eM12, x.eM21, x.eM22, x.eDx, x.eDy);
}

int MulDivRound(int a, int b, int c)
{
    const long long p = static_cast<long long>(a) * b;
    const long long q = (std::llabs(p) + c / 2) / c;
    return static_cast<int>(p < 0 ? -q : q);
}

QRect NormalizedBox(int x1, int y1, int x2, int y2)
{
    const TRect r = TRect(x1, y1, x2, y2).Normalized();
    return QRect(r.Left, r.Top, r.Width(), r.Height());
}

} // namespace

// ---------------------------------------------------------------------------
// TFont

int TFont::Height() const
{
    return -MulDivRound(Size, 96, 72);
}

void TFont::SetHeight(int height)
{
    if (height < 0) {
        Size = MulDivRound(-height, 72, 96);
        return;
    }
    if (height == 0) {
        Size = 0;
        return;
    }
    // A positive height is the cell height: take the largest character height
    // whose cell fits.
    int pixels = height;
    for (; pixels > 1; --pixels) {
        QFont probe = CanvasFont::Make(*this, pixels);
        if (CanvasFont::CellHeight(probe) <= height)
            break;
    }
    Size = std::max(1, MulDivRound(pixels, 72, 96));
}

// ---------------------------------------------------------------------------
// TCanvas: set-up and state

TCanvas::TCanvas(TBitmap& target) : d(std::make_unique<State>()), fTarget(&target) {}

TCanvas::~TCanvas()
{
    Flush();
}

bool TCanvas::Begin()
{
    State& s = *d;
    if (s.active)
        return true;
    QImage& image = fTarget->fImage;
    if (image.isNull() || image.width() <= 0 || image.height() <= 0)
        return false;
    if (image.format() == QImage::Format_RGB32) {
        s.device = &image;
        s.onWork = false;
    } else {
        s.work = TBitmap::ToRgb32(image);
        s.device = &s.work;
        s.onWork = true;
    }
    if (!s.painter.begin(s.device)) {
        s.device = nullptr;
        s.work = QImage();
        return false;
    }
    s.painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing
                                 | QPainter::SmoothPixmapTransform,
                             false);
    s.painter.setWorldTransform(s.world);
    s.painterTransformIsWorld = true;
    s.active = true;
    s.workDirty = false;
    return true;
}

void TCanvas::Flush()
{
    State& s = *d;
    if (!s.active)
        return;
    s.painter.end();
    s.active = false;
    if (s.onWork) {
        if (s.workDirty)
            MapWorkBack();
        s.work = QImage();
        s.onWork = false;
    }
    s.device = nullptr;
}

// Writes the 32-bit working copy back into the indexed bitmap: pixels whose
// colour did not change keep their index (palettes may hold a colour twice),
// the others take the nearest palette entry.
void TCanvas::MapWorkBack()
{
    State& s = *d;
    QImage& image = fTarget->fImage;
    const QList<QRgb> table = image.colorTable();
    std::vector<TColor> palette;
    palette.reserve(table.size());
    for (QRgb q : table)
        palette.push_back(QRgbToColor(q));
    const int count = int(palette.size());
    if (count == 0)
        return;
    std::unordered_map<QRgb, int> nearest;
    const bool mono = image.format() == QImage::Format_Mono;
    for (int y = 0; y < image.height(); ++y) {
        const auto* src = reinterpret_cast<const QRgb*>(s.work.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int old = mono ? image.pixelIndex(x, y) : image.constScanLine(y)[x];
            const QRgb c = src[x] | 0xFF000000u;
            const QRgb was = old < count ? (table[old] | 0xFF000000u) : 0xFF000000u;
            if (c == was)
                continue;
            auto it = nearest.find(c);
            if (it == nearest.end())
                it = nearest.emplace(c, NearestPaletteIndex(palette.data(), count, QRgbToColor(c))).first;
            if (mono)
                image.setPixel(x, y, uint(it->second));
            else
                image.scanLine(y)[x] = uchar(it->second);
        }
    }
}

void TCanvas::Touch()
{
    d->workDirty = true;
    fTarget->Changed();
}

void TCanvas::UseWorldTransform()
{
    State& s = *d;
    if (!s.painterTransformIsWorld) {
        s.painter.setWorldTransform(s.world);
        s.painterTransformIsWorld = true;
    }
}

void TCanvas::UseShapeTransform()
{
    UseTransform(d->world * QTransform::fromTranslate(kShapeShift, kShapeShift));
}

void TCanvas::UseTransform(const QTransform& t)
{
    d->painter.setWorldTransform(t);
    d->painterTransformIsWorld = false;
}

int TCanvas::ModeComposition() const
{
    switch (Pen.Mode) {
    case TPenMode::pmNot: return QPainter::RasterOp_NotDestination;
    case TPenMode::pmXor: return QPainter::RasterOp_SourceXorDestination;
    case TPenMode::pmNotXor: return QPainter::RasterOp_NotSourceXorDestination;
    default: return QPainter::CompositionMode_SourceOver;
    }
}

bool TCanvas::PenVisible() const
{
    return Pen.Style != TPenStyle::psClear;
}

bool TCanvas::BrushVisible() const
{
    return Brush.Style != TBrushStyle::bsClear;
}

bool TCanvas::WidePen() const
{
    return Pen.Width > 1;
}

const QPen& TCanvas::WideQPen()
{
    State& s = *d;
    if (!s.penValid || !(s.penKey == Pen)) {
        s.penKey = Pen;
        s.penValid = true;
        QPen pen(ToQColor(Pen.Color), std::max(1, Pen.Width));
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
        if (!Pen.UserDashes.empty()) {
            // Qt measures dashes in pen widths; a pattern of odd length repeats
            // with dashes and gaps exchanged, as GDI's does.
            QList<qreal> pattern;
            const qreal w = pen.widthF();
            for (int round = 0; round < (Pen.UserDashes.size() % 2 ? 2 : 1); ++round)
                for (uint32_t len : Pen.UserDashes)
                    pattern.append(std::max<qreal>(len, 0.01) / w);
            pen.setDashPattern(pattern);
            pen.setCapStyle(Qt::FlatCap);
        }
        s.qpen = pen;
    }
    return s.qpen;
}

std::vector<int> TCanvas::CosmeticPattern() const
{
    if (!Pen.UserDashes.empty()) {
        std::vector<int> p;
        for (int round = 0; round < (Pen.UserDashes.size() % 2 ? 2 : 1); ++round)
            for (uint32_t len : Pen.UserDashes)
                p.push_back(int(std::min<uint32_t>(len, 1u << 20)));
        bool any = false;
        for (int v : p)
            any = any || v > 0;
        return any ? p : std::vector<int>{};
    }
    switch (Pen.Style) {
    case TPenStyle::psDash: return {18, 6};
    case TPenStyle::psDot: return {3, 3};
    case TPenStyle::psDashDot: return {9, 6, 3, 6};
    case TPenStyle::psDashDotDot: return {9, 3, 3, 3, 3, 3};
    default: return {};
    }
}

// ---------------------------------------------------------------------------
// Pixels and width-1 lines

void TCanvas::PlotDevice(int x, int y, QRgb color, TPenMode mode)
{
    QImage& img = *d->device;
    if (x < 0 || y < 0 || x >= img.width() || y >= img.height())
        return;
    // The painter writes straight into these bits too; constBits avoids a detach.
    auto* line = reinterpret_cast<QRgb*>(const_cast<uchar*>(img.constScanLine(y)));
    QRgb& p = line[x];
    switch (mode) {
    case TPenMode::pmCopy: p = color | 0xFF000000u; break;
    case TPenMode::pmNot: p = ~p | 0xFF000000u; break;
    case TPenMode::pmXor: p = (p ^ color) | 0xFF000000u; break;
    case TPenMode::pmNotXor: p = ~(p ^ color) | 0xFF000000u; break;
    }
}

// One segment in device pixels, from a to b without b. The pattern (dash and
// gap lengths in pixels) advances by one per pixel drawn or skipped and carries
// over from segment to segment through `phase`.
void TCanvas::BresenhamSegment(QPoint a, QPoint b, QRgb color, const std::vector<int>& pattern,
                               long long& phase)
{
    const long long dx = static_cast<long long>(b.x()) - a.x();
    const long long dy = static_cast<long long>(b.y()) - a.y();
    const long long adx = std::llabs(dx), ady = std::llabs(dy);
    const bool xMajor = adx >= ady;
    const long long steps = xMajor ? adx : ady;
    if (steps == 0)
        return;
    const long long minorDelta = xMajor ? ady : adx;
    const int majorSign = (xMajor ? dx : dy) < 0 ? -1 : 1;
    const int minorSign = (xMajor ? dy : dx) < 0 ? -1 : 1;
    const long long majorStart = xMajor ? a.x() : a.y();
    const long long minorStart = xMajor ? a.y() : a.x();
    const QImage& img = *d->device;
    const long long majorLimit = xMajor ? img.width() : img.height();

    // Only the steps whose major coordinate lies on the image can draw.
    long long first = 0, last = steps - 1;
    if (majorSign > 0) {
        first = std::max(first, -majorStart);
        last = std::min(last, majorLimit - 1 - majorStart);
    } else {
        first = std::max(first, majorStart - (majorLimit - 1));
        last = std::min(last, majorStart);
    }
    long long period = 0;
    for (int v : pattern)
        period += v;
    const TPenMode mode = Pen.Mode;
    for (long long i = first; i <= last; ++i) {
        if (period > 0) {
            long long pos = (phase + i) % period;
            size_t k = 0;
            while (pos >= pattern[k]) {
                pos -= pattern[k];
                ++k;
            }
            if (k % 2 == 1)
                continue; // in a gap
        }
        const long long major = majorStart + majorSign * i;
        const long long minor = minorStart + minorSign * ((2 * minorDelta * i + steps) / (2 * steps));
        const long long x = xMajor ? major : minor;
        const long long y = xMajor ? minor : major;
        if (y >= 0 && x >= 0 && x < img.width() && y < img.height())
            PlotDevice(int(x), int(y), color, mode);
    }
    phase += steps;
}

// Draws a polyline of device points with the width-1 pen. An open polyline leaves
// out its last pixel; a closed one returns to its first point.
void TCanvas::ThinPolyline(const std::vector<QPointF>& devicePoints, bool closed)
{
    if (devicePoints.empty())
        return;
    std::vector<QPoint> pts;
    pts.reserve(devicePoints.size() + 1);
    for (const QPointF& p : devicePoints) {
        const QPoint q = ClampedRound(p);
        if (pts.empty() || pts.back() != q)
            pts.push_back(q);
    }
    const QRgb color = ColorToQRgb(ColorToRGB(Pen.Color));
    const std::vector<int> pattern = CosmeticPattern();
    if (closed && pts.size() == 1) {
        PlotDevice(pts[0].x(), pts[0].y(), color, Pen.Mode);
        return;
    }
    if (closed && pts.size() > 1 && pts.front() != pts.back())
        pts.push_back(pts.front());
    long long phase = 0;
    for (size_t i = 0; i + 1 < pts.size(); ++i)
        BresenhamSegment(pts[i], pts[i + 1], color, pattern, phase);
}

QPoint TCanvas::ClampedRound(const QPointF& p)
{
    // Far-away points are pulled in to a range the line code can step through.
    constexpr double kLimit = 1 << 24;
    const double x = std::isfinite(p.x()) ? std::clamp(p.x(), -kLimit, kLimit) : 0.0;
    const double y = std::isfinite(p.y()) ? std::clamp(p.y(), -kLimit, kLimit) : 0.0;
    return QPoint(int(std::lround(x)), int(std::lround(y)));
}

// Outlines a path given in logical coordinates with the current pen.
void TCanvas::StrokeLogical(const QPainterPath& path)
{
    if (!PenVisible())
        return;
    if (WidePen()) {
        UseShapeTransform();
        d->painter.setCompositionMode(QPainter::CompositionMode(ModeComposition()));
        d->painter.strokePath(path, WideQPen());
        return;
    }
    StrokeThin(d->world.map(path));
}

// Width-1 outline of a path in device coordinates: each subpath is flattened
// and drawn; subpaths that end where they start are closed.
void TCanvas::StrokeThin(const QPainterPath& devicePath)
{
    const QList<QPolygonF> polys = devicePath.toSubpathPolygons();
    for (const QPolygonF& poly : polys) {
        if (poly.isEmpty())
            continue;
        std::vector<QPointF> pts(poly.begin(), poly.end());
        const bool closed = pts.size() > 2 && pts.front() == pts.back();
        if (closed)
            pts.pop_back();
        ThinPolyline(pts, closed);
    }
}

void TCanvas::FillLogical(const QPainterPath& path)
{
    if (!BrushVisible())
        return;
    UseShapeTransform();
    d->painter.setCompositionMode(QPainter::CompositionMode(ModeComposition()));
    d->painter.fillPath(path, ToQColor(Brush.Color));
}

std::vector<QPointF> TCanvas::ToDevice(std::span<const TPoint> points) const
{
    std::vector<QPointF> out;
    out.reserve(points.size());
    for (const TPoint& p : points)
        out.push_back(d->world.map(QPointF(p.X, p.Y)));
    return out;
}

// ---------------------------------------------------------------------------
// Lines

void TCanvas::MoveTo(int x, int y)
{
    fPenPos = {x, y};
    if (d->pathState == State::PathState::Recording)
        d->pathNewFigure = true;
}

void TCanvas::LineTo(int x, int y)
{
    const TPoint from = fPenPos;
    fPenPos = {x, y};
    if (d->pathState == State::PathState::Recording) {
        PathLineTo(from, {x, y});
        return;
    }
    const TPoint pts[2] = {from, {x, y}};
    DrawOpenPolyline(pts);
}

void TCanvas::Polyline(std::span<const TPoint> points)
{
    if (points.size() < 2)
        return;
    if (d->pathState == State::PathState::Recording) {
        PathAddPoints(points, PT_LINETO, false);
        return;
    }
    DrawOpenPolyline(points);
}

void TCanvas::DrawOpenPolyline(std::span<const TPoint> points)
{
    if (!PenVisible() || !Begin())
        return;
    if (WidePen()) {
        QPolygonF poly;
        for (const TPoint& p : points)
            poly << QPointF(p.X, p.Y);
        QPainterPath path;
        path.addPolygon(poly);
        StrokeLogical(path);
    } else {
        ThinPolyline(ToDevice(points), false);
    }
    Touch();
}

void TCanvas::Polygon(std::span<const TPoint> points)
{
    if (points.size() < 2)
        return;
    if (d->pathState == State::PathState::Recording) {
        PathAddPoints(points, PT_LINETO, true);
        return;
    }
    if (!Begin())
        return;
    QPolygonF poly;
    for (const TPoint& p : points)
        poly << QPointF(p.X, p.Y);
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    path.addPolygon(poly);
    path.closeSubpath();
    FillLogical(path);
    if (PenVisible()) {
        if (WidePen())
            StrokeLogical(path);
        else
            ThinPolyline(ToDevice(points), true);
    }
    Touch();
}

void TCanvas::PolyBezier(std::span<const TPoint> points)
{
    if (points.size() < 4 || (points.size() - 1) % 3 != 0)
        return;
    if (d->pathState == State::PathState::Recording) {
        PathAddPoints(points, PT_BEZIERTO, false);
        return;
    }
    if (!PenVisible() || !Begin())
        return;
    QPainterPath path;
    path.moveTo(points[0].X, points[0].Y);
    for (size_t i = 1; i + 2 < points.size(); i += 3)
        path.cubicTo(points[i].X, points[i].Y, points[i + 1].X, points[i + 1].Y, points[i + 2].X,
                     points[i + 2].Y);
    if (WidePen()) {
        StrokeLogical(path);
    } else {
        const QPainterPath device = d->world.map(path);
        for (const QPolygonF& poly : device.toSubpathPolygons())
            ThinPolyline(std::vector<QPointF>(poly.begin(), poly.end()), false);
    }
    Touch();
}

// ---------------------------------------------------------------------------
// Shapes

// Draws a closed shape: `outline` runs through the centres of the outline
// pixels; `interior` is what the brush fills when the pen draws an outline of
// width 1 (GDI fills inside that outline, or up to it when the pen is clear).
void TCanvas::DrawShape(const QPainterPath& outline, const QPainterPath* interior)
{
    if (!Begin())
        return;
    if (BrushVisible()) {
        const bool thinOutline = PenVisible() && !WidePen();
        FillLogical(thinOutline && interior ? *interior : outline);
    }
    if (PenVisible())
        StrokeLogical(outline);
    Touch();
}

QRectF TCanvas::OutlineBox(const QRect& box) const
{
    // The outline's centre line runs through the first and last pixel of the box;
    // an inside-frame pen keeps its whole width within the box.
    QRectF r(box.left(), box.top(), box.width() - 1, box.height() - 1);
    if (Pen.Style == TPenStyle::psInsideFrame && Pen.Width > 1) {
        const qreal inset = (Pen.Width - 1) / 2.0;
        r.adjust(inset, inset, -inset, -inset);
        if (r.width() < 0)
            r.setWidth(0);
        if (r.height() < 0)
            r.setHeight(0);
    }
    return r;
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2)
{
    const QRect box = NormalizedBox(x1, y1, x2, y2);
    if (box.isEmpty())
        return;
    if (d->pathState == State::PathState::Recording) {
        const TPoint pts[4] = {{box.left(), box.top()},
                               {box.left() + box.width() - 1, box.top()},
                               {box.left() + box.width() - 1, box.top() + box.height() - 1},
                               {box.left(), box.top() + box.height() - 1}};
        PathAddPoints(pts, PT_LINETO, true);
        return;
    }
    QPainterPath outline;
    outline.addRect(OutlineBox(box));
    QPainterPath interior;
    interior.addRect(QRectF(box.left() + 1, box.top() + 1, box.width() - 2, box.height() - 2));
    DrawShape(outline, &interior);
}

void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int ellipseWidth, int ellipseHeight)
{
    const QRect box = NormalizedBox(x1, y1, x2, y2);
    if (box.isEmpty())
        return;
    const QRectF r = OutlineBox(box);
    const qreal rx = std::clamp<qreal>(std::abs(ellipseWidth) / 2.0, 0, r.width() / 2);
    const qreal ry = std::clamp<qreal>(std::abs(ellipseHeight) / 2.0, 0, r.height() / 2);
    QPainterPath outline;
    outline.addRoundedRect(r, rx, ry);
    if (d->pathState == State::PathState::Recording) {
        PathAddQPath(d->world.map(outline));
        return;
    }
    if (rx <= 0 || ry <= 0) {
        Rectangle(x1, y1, x2, y2);
        return;
    }
    const double cw = std::min<double>(std::abs(ellipseWidth), box.width());
    const double ch = std::min<double>(std::abs(ellipseHeight), box.height());
    DrawRoundShape(box, cw, ch, outline);
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2)
{
    const QRect box = NormalizedBox(x1, y1, x2, y2);
    if (box.isEmpty())
        return;
    QPainterPath outline;
    outline.addEllipse(OutlineBox(box));
    if (d->pathState == State::PathState::Recording) {
        PathAddQPath(d->world.map(outline));
        return;
    }
    DrawRoundShape(box, box.width(), box.height(), outline);
}

// Ellipses and rounded rectangles. Without rotation or scaling they are
// rasterised here row by row, so that they come out symmetric and the outline
// of width 1 meets the fill without gaps: a pixel belongs to the shape when its
// centre lies inside the rounded box, the outline is the shape's border pixels.
// `cornerW` x `cornerH` is the corner ellipse (the whole box for an ellipse).
void TCanvas::DrawRoundShape(const QRect& box, double cornerW, double cornerH, const QPainterPath& outline)
{
    if (!Begin())
        return;
    const QTransform& w = d->world;
    const bool integerShift = w.type() <= QTransform::TxTranslate && w.dx() == std::floor(w.dx())
                              && w.dy() == std::floor(w.dy());
    const bool thin = PenVisible() && !WidePen();
    if (!integerShift || !(thin || !PenVisible() || Pen.Style != TPenStyle::psInsideFrame)) {
        DrawShape(outline, nullptr);
        return;
    }
    // With a clear pen GDI fills one pixel less to the right and bottom.
    QRect area = box.translated(int(w.dx()), int(w.dy()));
    if (!PenVisible())
        area.adjust(0, 0, -1, -1);
    if (area.width() <= 0 || area.height() <= 0)
        return;
    const double rx = std::min(cornerW, double(area.width())) / 2;
    const double ry = std::min(cornerH, double(area.height())) / 2;
    const double left = area.left(), right = area.left() + area.width();
    const double top = area.top(), bottom = area.top() + area.height();
    // Span of row y as the first and last pixel inside (first > last: empty).
    auto span = [&](long long y, long long& first, long long& last) {
        first = 1;
        last = 0;
        if (y < area.top() || y >= area.top() + area.height())
            return;
        const double yc = y + 0.5;
        double inset = 0;
        double dy = 0;
        if (yc < top + ry)
            dy = top + ry - yc;
        else if (yc > bottom - ry)
            dy = yc - (bottom - ry);
        if (dy > 0) {
            const double f = dy / ry;
            if (f > 1)
                return;
            inset = rx - rx * std::sqrt(1 - f * f);
        }
        first = (long long)std::ceil(left + inset - 0.5);
        last = (long long)std::floor(right - inset - 0.5);
    };
    const QImage& img = *d->device;
    const long long rowFrom = std::max<long long>(area.top(), 0);
    const long long rowTo = std::min<long long>((long long)area.top() + area.height(), img.height());
    const QRgb penColor = ColorToQRgb(ColorToRGB(Pen.Color));
    const QRgb brushColor = ColorToQRgb(ColorToRGB(Brush.Color));
    const bool fill = BrushVisible();
    for (long long y = rowFrom; y < rowTo; ++y) {
        long long f, l, fu, lu, fd, ld;
        span(y, f, l);
        span(y - 1, fu, lu);
        span(y + 1, fd, ld);
        const long long xFrom = std::max<long long>(f, 0);
        const long long xTo = std::min<long long>(l, img.width() - 1);
        for (long long x = xFrom; x <= xTo; ++x) {
            const bool border = x == f || x == l || x < fu || x > lu || x < fd || x > ld;
            if (thin && border)
                PlotDevice(int(x), int(y), penColor, Pen.Mode);
            else if (fill)
                PlotDevice(int(x), int(y), brushColor, Pen.Mode);
        }
    }
    if (PenVisible() && !thin)
        StrokeLogical(outline);
    Touch();
}

void TCanvas::FillRect(const TRect& r)
{
    const TRect n = r.Normalized();
    if (n.IsEmpty() || !BrushVisible() || !Begin())
        return;
    UseShapeTransform();
    d->painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    d->painter.fillRect(QRect(n.Left, n.Top, n.Width(), n.Height()), ToQColor(Brush.Color));
    Touch();
}

void TCanvas::FrameRect(const TRect& r)
{
    const TRect n = r.Normalized();
    if (n.IsEmpty() || !BrushVisible() || !Begin())
        return;
    UseShapeTransform();
    d->painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    const QColor c = ToQColor(Brush.Color);
    d->painter.fillRect(QRect(n.Left, n.Top, n.Width(), 1), c);
    d->painter.fillRect(QRect(n.Left, n.Bottom - 1, n.Width(), 1), c);
    d->painter.fillRect(QRect(n.Left, n.Top, 1, n.Height()), c);
    d->painter.fillRect(QRect(n.Right - 1, n.Top, 1, n.Height()), c);
    Touch();
}

void TCanvas::DrawFocusRect(const TRect& r)
{
    const TRect n = r.Normalized();
    if (n.IsEmpty() || !Begin())
        return;
    // Every other pixel of the frame (a checkerboard from the top-left corner)
    // is inverted once, so drawing the same rectangle again restores it.
    auto invert = [&](int x, int y) {
        if (((x - n.Left) + (y - n.Top)) % 2 != 0)
            return;
        const QPointF p = d->world.map(QPointF(x, y));
        PlotDevice(int(std::lround(p.x())), int(std::lround(p.y())), 0, TPenMode::pmNot);
    };
    for (int x = n.Left; x < n.Right; ++x) {
        invert(x, n.Top);
        if (n.Bottom - 1 > n.Top)
            invert(x, n.Bottom - 1);
    }
    for (int y = n.Top + 1; y < n.Bottom - 1; ++y) {
        invert(n.Left, y);
        if (n.Right - 1 > n.Left)
            invert(n.Right - 1, y);
    }
    Touch();
}

// ---------------------------------------------------------------------------
// Pixels

TColor TCanvas::Pixel(int x, int y) const
{
    const QPointF p = d->world.map(QPointF(x, y));
    const int px = int(std::lround(p.x())), py = int(std::lround(p.y()));
    if (d->active) {
        const QImage& img = *d->device;
        if (px < 0 || py < 0 || px >= img.width() || py >= img.height())
            return clNone;
        return QRgbToColor(reinterpret_cast<const QRgb*>(img.constScanLine(py))[px]);
    }
    return fTarget->Pixel(px, py);
}

void TCanvas::SetPixel(int x, int y, TColor color)
{
    if (!Begin())
        return;
    const QPointF p = d->world.map(QPointF(x, y));
    PlotDevice(int(std::lround(p.x())), int(std::lround(p.y())), ColorToQRgb(ColorToRGB(color)),
               TPenMode::pmCopy);
    Touch();
}

// ---------------------------------------------------------------------------
// Bitmaps

void TCanvas::Draw(int x, int y, const TBitmap& source)
{
    if (source.Empty())
        return;
    StretchDraw(TRect(x, y, x + source.Width(), y + source.Height()), source);
}

void TCanvas::StretchDraw(const TRect& dest, const TBitmap& source)
{
    if (source.Empty() || dest.Width() == 0 || dest.Height() == 0)
        return;
    // Take the source first: reading it may end drawing on it, which may be us.
    QImage image;
    if (!source.Transparent() && source.fImage.format() == QImage::Format_RGB32 && &source != fTarget)
        image = source.ConstImage();
    else
        image = source.KeyedImage();
    BlitImage(dest, image, QRect(0, 0, image.width(), image.height()));
}

void TCanvas::CopyRect(const TRect& dest, const TBitmap& source, const TRect& sourceRect)
{
    if (source.Empty() || dest.Width() == 0 || dest.Height() == 0 || sourceRect.Width() == 0
        || sourceRect.Height() == 0)
        return;
    QImage image = TBitmap::ToRgb32(source.ConstImage());
    if (&source == fTarget)
        image = image.copy();
    BlitImage(dest, image, sourceRect.toQRect());
}

// Copies (part of) an image into a rectangle, nearest-neighbour, under the
// world transform. Negative extents mirror, as with StretchBlt.
void TCanvas::BlitImage(const TRect& dest, const QImage& image, const QRect& sourceRect)
{
    if (image.isNull() || !Begin())
        return;
    QTransform t = d->world;
    QRectF target(dest.Left, dest.Top, dest.Width(), dest.Height());
    QRectF src(sourceRect);
    QTransform mirror;
    bool mirrored = false;
    if ((target.width() < 0) != (src.width() < 0)) {
        mirror.translate(target.left() + target.width() / 2, 0).scale(-1, 1).translate(
            -(target.left() + target.width() / 2), 0);
        mirrored = true;
    }
    if ((target.height() < 0) != (src.height() < 0)) {
        QTransform m;
        m.translate(0, target.top() + target.height() / 2).scale(1, -1).translate(
            0, -(target.top() + target.height() / 2));
        mirror = mirror * m;
        mirrored = true;
    }
    target = target.normalized();
    src = src.normalized();
    if (mirrored)
        UseTransform(mirror * t);
    else
        UseWorldTransform();
    d->painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    d->painter.drawImage(target, image, src);
    Touch();
}

// ---------------------------------------------------------------------------
// World transform

TXForm TCanvas::GetWorldTransform() const
{
    return d->xform;
}

void TCanvas::SetWorldTransform(const TXForm& xform)
{
    d->xform = xform;
    d->world = ToQTransform(xform);
    d->painterTransformIsWorld = false;
    if (d->active)
        UseWorldTransform();
}

void TCanvas::ResetWorldTransform()
{
    SetWorldTransform(TXForm{});
}
