#pragma once
// TCanvas draws on a TBitmap with the rules of a GDI device context:
// - aliased drawing; rectangles, ellipses and FillRect exclude the right and
//   bottom edges; LineTo/Polyline leave out the last pixel of the last segment;
// - Rectangle, RoundRect, Ellipse, Polygon fill the inside with the brush
//   (unless the brush is clear) and outline it with the pen (unless the pen is clear);
//   polygons fill with the alternate rule;
// - pens wider than 1 have round caps and joins; a width-1 pen with a dash style
//   draws the classic cosmetic patterns (dash 18/6, dot 3/3, dash-dot 9/6/3/6,
//   dash-dot-dot 9/3/3/3/3/3); a wider pen with a dash style draws solid, unless
//   it is a geometric pen with user dashes (TPen::UserDashes), which draws that pattern;
// - pen mode pmNot inverts the pixels under the stroke, pmXor xors the pen colour;
// - text is drawn aliased with the top-left corner of its cell at the given point;
//   the cell is filled with the brush colour when the background mode is opaque;
// - a world transform (XFORM) maps every coordinate before drawing;
// - paths: between BeginPath and EndPath the figures drawn (lines, Béziers,
//   polygons, text) are recorded instead of drawn; the path can then be stroked,
//   filled, flattened and read back.
// The drawing state (pen, brush, font) is public, as on a GDI canvas, and is applied
// at the next drawing call.
#include "platform/Bitmap.h"
#include "platform/Color.h"
#include "platform/Types.h"

#include <QRgb>
#include <QString>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

class QPainterPath;
class QPen;
class QPoint;
class QPointF;
class QRect;
class QRectF;
class QTransform;

enum class TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum class TPenMode { pmCopy, pmNot, pmXor, pmNotXor };
enum class TBrushStyle { bsSolid, bsClear };

using TFontStyles = uint8_t; // bit set as stored in files
constexpr TFontStyles fsBold = 1;
constexpr TFontStyles fsItalic = 2;
constexpr TFontStyles fsUnderline = 4;
constexpr TFontStyles fsStrikeOut = 8;

struct TPen {
    TColor Color = clBlack;
    int Width = 1;
    TPenStyle Style = TPenStyle::psSolid;
    TPenMode Mode = TPenMode::pmCopy;
    // A geometric pen with a user dash pattern (ExtCreatePen with PS_USERSTYLE):
    // alternating dash and gap lengths in pixels; empty means none.
    std::vector<uint32_t> UserDashes;

    friend bool operator==(const TPen&, const TPen&) = default;
};

struct TBrush {
    TColor Color = clWhite;
    TBrushStyle Style = TBrushStyle::bsSolid;
    friend bool operator==(const TBrush&, const TBrush&) = default;
};

// A logical font. Size is in points at 96 dots per inch: the character height in
// pixels (em size, without internal leading) is Size * 96 / 72 rounded, like
// Height = -MulDiv(Size, 96, 72). Font names resolve through fontconfig
// ("Arial" is Liberation Sans, "Times New Roman" Liberation Serif).
struct TFont {
    QString Name = QStringLiteral("Arial");
    int Size = 8;
    TColor Color = clBlack;
    TFontStyles Style = 0;
    int Orientation = 0; // escapement in tenths of a degree, counter-clockwise
    uint8_t Charset = 1; // DEFAULT_CHARSET; kept for files, not used for drawing

    int Height() const;          // -(character height in pixels)
    void SetHeight(int height);  // negative: character height; positive: cell height
    friend bool operator==(const TFont&, const TFont&) = default;
};

// A world transform: x' = x*eM11 + y*eM21 + eDx, y' = x*eM12 + y*eM22 + eDy.
struct TXForm {
    float eM11 = 1, eM12 = 0, eM21 = 0, eM22 = 1, eDx = 0, eDy = 0;
    friend bool operator==(const TXForm&, const TXForm&) = default;
};

enum class TBkMode { bmTransparent, bmOpaque };

// Kinds of the vertices read back from a path (GetPath).
enum : uint8_t { PT_CLOSEFIGURE = 1, PT_LINETO = 2, PT_BEZIERTO = 4, PT_MOVETO = 6 };

class TCanvas {
public:
    explicit TCanvas(TBitmap& target);
    ~TCanvas();
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    TPen Pen;
    TBrush Brush;
    TFont Font;

    TBitmap& Bitmap() { return *fTarget; }

    // Positions and lines.
    TPoint PenPos() const { return fPenPos; }
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void Polyline(std::span<const TPoint> points);
    void Polygon(std::span<const TPoint> points);
    void PolyBezier(std::span<const TPoint> points); // 3k+1 points: start, then (c1, c2, end) per segment

    // Shapes (right and bottom edges excluded).
    void Rectangle(int x1, int y1, int x2, int y2);
    void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
    void RoundRect(int x1, int y1, int x2, int y2, int ellipseWidth, int ellipseHeight);
    void Ellipse(int x1, int y1, int x2, int y2);
    void Ellipse(const TRect& r) { Ellipse(r.Left, r.Top, r.Right, r.Bottom); }
    void FillRect(const TRect& r);      // brush only, no outline
    void FrameRect(const TRect& r);     // 1-pixel frame in the brush colour
    void DrawFocusRect(const TRect& r); // dotted frame that inverts (drawing it twice restores)

    // Pixels.
    TColor Pixel(int x, int y) const;
    void SetPixel(int x, int y, TColor color);

    // Text. TextHeight is the cell height (ascent + descent) like tmHeight.
    void TextOut(int x, int y, const QString& text);
    int TextWidth(const QString& text);
    int TextHeight(const QString& text);
    TSize TextExtent(const QString& text);
    // Background mode for text: reset from the brush whenever the brush changes
    // (opaque for a solid brush, transparent for a clear one).
    void SetBkMode(TBkMode mode);
    TBkMode BkMode() const;

    // Bitmaps, honouring the source's colour-key transparency.
    void Draw(int x, int y, const TBitmap& source);
    void StretchDraw(const TRect& dest, const TBitmap& source);
    // Copies a rectangle of another bitmap, opaque (BitBlt/StretchBlt with SRCCOPY).
    void CopyRect(const TRect& dest, const TBitmap& source, const TRect& sourceRect);

    // World transform (the graphics mode is always "advanced").
    TXForm GetWorldTransform() const;
    void SetWorldTransform(const TXForm& xform);
    void ResetWorldTransform();

    // Paths.
    void BeginPath();
    void EndPath();
    void AbortPath();
    void CloseFigure();
    void StrokePath();         // outlines with the pen, then discards the path
    void FillPath();           // fills with the brush, then discards the path
    void StrokeAndFillPath();  // both, then discards the path
    void FlattenPath();        // turns the curves of the path into line segments
    // The vertices of the current path in device coordinates and their kinds
    // (PT_* values); returns false when there is no closed path.
    bool GetPath(std::vector<TPoint>& points, std::vector<uint8_t>* types = nullptr) const;

    // Ends the QPainter session if one is open (the bitmap calls this before its
    // pixels are touched directly).
    void Flush();

private:
    struct State; // see CanvasState.h
    // Drawing session.
    bool Begin();
    void MapWorkBack();
    void Touch();
    void UseWorldTransform();
    void UseShapeTransform();
    void UseTransform(const QTransform& t);
    // Pen, brush and font.
    int ModeComposition() const; // QPainter::CompositionMode for Pen.Mode
    bool PenVisible() const;
    bool BrushVisible() const;
    bool WidePen() const;
    const QPen& WideQPen();
    std::vector<int> CosmeticPattern() const;
    void EnsureFont();
    QTransform TextTransform(int x, int y) const;
    // Pixels and outlines.
    void PlotDevice(int x, int y, QRgb color, TPenMode mode);
    void BresenhamSegment(QPoint a, QPoint b, QRgb color, const std::vector<int>& pattern, long long& phase);
    void ThinPolyline(const std::vector<QPointF>& devicePoints, bool closed);
    static QPoint ClampedRound(const QPointF& p);
    void StrokeLogical(const QPainterPath& path);
    void StrokeThin(const QPainterPath& devicePath);
    void FillLogical(const QPainterPath& path);
    std::vector<QPointF> ToDevice(std::span<const TPoint> points) const;
    void DrawOpenPolyline(std::span<const TPoint> points);
    void DrawShape(const QPainterPath& outline, const QPainterPath* interior);
    void DrawRoundShape(const QRect& box, double cornerW, double cornerH, const QPainterPath& outline);
    QRectF OutlineBox(const QRect& box) const;
    void BlitImage(const TRect& dest, const QImage& image, const QRect& sourceRect);
    // Paths.
    void PathAppend(const QPointF& devicePoint, uint8_t type);
    void PathLineTo(const TPoint& from, const TPoint& to);
    void PathAddPoints(std::span<const TPoint> points, uint8_t kind, bool close);
    void PathAddQPath(const QPainterPath& devicePath);
    QPainterPath PathToQPath() const;
    void PaintPath(bool fill, bool stroke);

    std::unique_ptr<State> d;
    TBitmap* fTarget;
    TPoint fPenPos;
};
