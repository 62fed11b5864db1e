#pragma once
// Internal to TCanvas: the drawing session and cached Qt objects behind a
// canvas, and the font helpers shared by its text and path code.
#include "platform/Canvas.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QPointF>
#include <QTransform>
#include <optional>
#include <vector>

// Shapes are filled (and wide pens stroked) with the pixel centres at integer
// coordinates, as GDI has them: QPainter samples pixel i at i + 0.5 and rounds
// ties up, so shapes are moved by just under half a pixel, which keeps left and
// top edges inside and right and bottom edges outside.
constexpr double kShapeShift = 0.5 - 1.0 / 64;

namespace CanvasFont {
// Character heights beyond this are drawn at this size (a sane bound on glyph work).
constexpr int kMaxPixelSize = 2000;

// The character (em) height in pixels of a logical font.
int PixelSize(const TFont& font);
// A Qt font for the logical font at the given character height: aliased, hinted.
QFont Make(const TFont& font, int pixelSize);
// The cell height (ascent + descent) of a font, like tmHeight.
int CellHeight(const QFont& font);
} // namespace CanvasFont

struct TCanvas::State {
    // The open drawing session: a QPainter on the bitmap's pixels, or on a 32-bit
    // copy of them for indexed bitmaps (mapped back when the session ends).
    QPainter painter;
    QImage* device = nullptr;
    QImage work;
    bool onWork = false;
    bool workDirty = false;
    bool active = false;
    bool painterTransformIsWorld = false;

    TXForm xform;
    QTransform world;

    // The wide pen last built from TCanvas::Pen.
    TPen penKey;
    bool penValid = false;
    QPen qpen;

    // The font last built from TCanvas::Font, with its metrics.
    TFont fontKey;
    bool fontValid = false;
    QFont qfont;
    std::optional<QFontMetrics> metrics;
    int ascent = 0;
    int cellHeight = 0;

    // SetBkMode's choice, valid while the brush stays what it was then.
    bool bkOverride = false;
    TBkMode bkMode = TBkMode::bmOpaque;
    TBrush bkBrush;

    // The path: recorded in device coordinates with GDI's vertex kinds.
    enum class PathState { None, Recording, Closed };
    PathState pathState = PathState::None;
    std::vector<QPointF> pathPoints;
    std::vector<uint8_t> pathTypes;
    bool pathNewFigure = true;
};
