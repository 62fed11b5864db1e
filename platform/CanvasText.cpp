#include "platform/Canvas.h"
#include "platform/CanvasState.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

// Text on the canvas: fonts sized like GDI's at 96 dpi, drawn aliased so that
// colour keys stay clean, with the top-left corner of the text cell at the
// given point and the escapement rotating about that point.

int CanvasFont::PixelSize(const TFont& font)
{
    const int height = font.Height();
    if (height < 0)
        return std::min(-height, kMaxPixelSize);
    if (height == 0)
        return 16; // GDI's default character height on a 96-dpi screen
    return std::clamp(height, 1, kMaxPixelSize);
}

QFont CanvasFont::Make(const TFont& font, int pixelSize)
{
    QFont f(font.Name);
    f.setPixelSize(std::clamp(pixelSize, 1, kMaxPixelSize));
    f.setBold((font.Style & fsBold) != 0);
    f.setItalic((font.Style & fsItalic) != 0);
    f.setUnderline((font.Style & fsUnderline) != 0);
    f.setStrikeOut((font.Style & fsStrikeOut) != 0);
    f.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::PreferOutline));
    f.setHintingPreference(QFont::PreferFullHinting);
    f.setKerning(false); // GDI's TextOut does not kern
    return f;
}

int CanvasFont::CellHeight(const QFont& font)
{
    const QFontMetricsF m(font);
    return int(std::lround(m.ascent() + m.descent()));
}

void TCanvas::EnsureFont()
{
    State& s = *d;
    if (s.fontValid && s.fontKey == Font)
        return;
    s.fontKey = Font;
    s.fontValid = true;
    s.qfont = CanvasFont::Make(Font, CanvasFont::PixelSize(Font));
    const QFontMetricsF metrics(s.qfont);
    s.metrics.emplace(s.qfont);
    s.ascent = int(std::lround(metrics.ascent()));
    s.cellHeight = int(std::lround(metrics.ascent() + metrics.descent()));
}

int TCanvas::TextWidth(const QString& text)
{
    EnsureFont();
    return d->metrics->horizontalAdvance(text);
}

int TCanvas::TextHeight(const QString& text)
{
    (void)text; // the cell height is the font's, whatever the text
    EnsureFont();
    return d->cellHeight;
}

TSize TCanvas::TextExtent(const QString& text)
{
    return {TextWidth(text), TextHeight(text)};
}

void TCanvas::SetBkMode(TBkMode mode)
{
    d->bkOverride = true;
    d->bkMode = mode;
    d->bkBrush = Brush;
}

TBkMode TCanvas::BkMode() const
{
    if (d->bkOverride && d->bkBrush == Brush)
        return d->bkMode;
    return Brush.Style == TBrushStyle::bsClear ? TBkMode::bmTransparent : TBkMode::bmOpaque;
}

// The transform that turns the text's own coordinates (cell top-left at x, y,
// running along +x) into logical ones: the escapement turns counter-clockwise.
QTransform TCanvas::TextTransform(int x, int y) const
{
    QTransform t;
    if (Font.Orientation % 3600 != 0) {
        t.translate(x, y);
        t.rotate(-Font.Orientation / 10.0);
        t.translate(-x, -y);
    }
    return t;
}

void TCanvas::TextOut(int x, int y, const QString& text)
{
    EnsureFont();
    const int width = d->metrics->horizontalAdvance(text);
    fPenPos = {x + width, y}; // the pen is left just after the text
    if (text.isEmpty())
        return;
    const QTransform toLogical = TextTransform(x, y);
    if (d->pathState == State::PathState::Recording) {
        QPainterPath glyphs;
        glyphs.addText(QPointF(x, y + d->ascent), d->qfont, text);
        PathAddQPath((toLogical * d->world).map(glyphs));
        return;
    }
    if (!Begin())
        return;
    UseTransform(toLogical * d->world);
    QPainter& p = d->painter;
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (BkMode() == TBkMode::bmOpaque)
        p.fillRect(QRect(x, y, width, d->cellHeight), ToQColor(Brush.Color));
    p.setFont(d->qfont);
    p.setPen(ToQColor(Font.Color));
    p.drawText(QPointF(x, y + d->ascent), text);
    Touch();
}
