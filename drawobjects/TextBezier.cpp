#include "drawobjects/TextBezier.h"

#include "drawobjects/DrawHelpers.h"

#include <cmath>
#include <vector>

void DrawRotatedChar(TCanvas& canvas, TPoint at, const QString& c, TFontOutline outline, int offset, int along,
                     float angle)
{
    int deg = RoundEven(static_cast<long double>(angle) * 180 / kPi);
    if (deg > 180)
        deg -= 360;
    if (deg == 0)
        deg = 1;
    const TFont previous = canvas.Font;
    canvas.Font.Orientation = deg * 10;

    const float pi = static_cast<float>(kPi);
    if (along < 0)
        at = PolarPoint(at, -along, angle + pi);
    else
        at = PolarPoint(at, along, angle);
    if (offset < 0)
        at = PolarPoint(at, -offset, angle + pi / 2);
    else if (offset > 0)
        at = PolarPoint(at, offset, angle - pi / 2);

    if (outline != TFontOutline::foClear)
        canvas.TextOut(at.X, at.Y, c);
    if (outline != TFontOutline::foNone) {
        canvas.BeginPath();
        canvas.TextOut(at.X, at.Y, c);
        canvas.EndPath();
        canvas.StrokePath();
    }
    canvas.Font = previous;
}

void DrawTextAlongBezier(TCanvas& canvas, std::span<const TPoint> points, TFontOutline outline, int offset,
                         const QString& text)
{
    if (text.isEmpty() || points.size() < 4 || (points.size() - 1) % 3 != 0)
        return;

    // The curve as the canvas flattens it.
    canvas.BeginPath();
    canvas.PolyBezier(points);
    canvas.EndPath();
    canvas.FlattenPath();
    std::vector<TPoint> v;
    const bool flattened = canvas.GetPath(v);
    canvas.AbortPath();
    const int m = static_cast<int>(v.size());
    if (!flattened || m < 2)
        return;

    // Length along the curve up to each vertex.
    std::vector<int> s(static_cast<size_t>(m), 0);
    float total = 0;
    for (int i = 1; i < m; ++i) {
        total += static_cast<float>(std::hypot(static_cast<double>(v[i].X) - v[i - 1].X,
                                               static_cast<double>(v[i].Y) - v[i - 1].Y));
        s[i] = static_cast<int>(std::trunc(total));
    }

    const int count = static_cast<int>(text.size());
    long long sum = 0;
    for (const QChar ch : text)
        sum += canvas.TextWidth(QString(ch));
    const float spacing = count > 1 ? static_cast<float>((total - sum) / (count - 1)) : 0.0f;

    if (outline == TFontOutline::foColored)
        canvas.Font.Color = canvas.Brush.Color;
    else if (outline == TFontOutline::foClear)
        canvas.Brush.Style = TBrushStyle::bsClear;
    canvas.SetBkMode(TBkMode::bmTransparent);

    long long pos = 0;
    int j = 1;
    for (int i = 1; i <= count; ++i) {
        const QString c(text[i - 1]);
        const int hw = canvas.TextWidth(c) / 2;
        pos += hw;
        while (j < m - 1 && pos > s[j])
            ++j;
        TPoint anchor = v[j];
        if (pos != s[j]) {
            const int span = s[j] - s[j - 1];
            const float t = span != 0 ? static_cast<float>(static_cast<double>(pos - s[j - 1]) / span) : 0.0f;
            auto along = [t](int a, int b) { return b == a ? a : a + RoundEven(static_cast<long double>(b - a) * t); };
            anchor = {along(v[j - 1].X, v[j].X), along(v[j - 1].Y, v[j].Y)};
        }
        const float angle = AngleOf(v[j - 1], v[j]);
        DrawRotatedChar(canvas, anchor, c, outline, offset, -hw, angle);
        const long double step = static_cast<long double>(i) * spacing;
        pos += RoundEven(step - std::trunc(step)) + static_cast<long long>(std::trunc(spacing)) + hw;
    }
}

TTextBezier::TTextBezier(IDrawOwner* owner) : TBezier(owner)
{
    fFilled = false; // a Bezier text is never filled
    IsText = true;
}

void TTextBezier::DrawObject(TCanvas& canvas, bool isShadow)
{
    QString text = fText;
    if (text.isEmpty())
        text = Owner() ? Owner()->DummyText() : QStringLiteral("Text");
    canvas.Font = Font;
    canvas.Font.Charset = 1; // default character set
    canvas.Brush.Style = TBrushStyle::bsClear;
    const TColor fontColor = canvas.Font.Color;
    if (isShadow) {
        canvas.Font.Color = ColorShadow;
        canvas.Brush.Color = ColorShadow;
    } else if (fOutline == TFontOutline::foColored) {
        canvas.Brush.Color = Color;
    }
    const int h = canvas.TextHeight(QStringLiteral("Yy"));
    DrawTextAlongBezier(canvas, BtnPoints, fOutline, -RoundEven(2.0L * h / 3), text);
    canvas.Font.Color = fontColor;
}
