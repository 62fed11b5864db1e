#include "drawobjects/SolidWithText.h"

#include "drawobjects/DrawHelpers.h"

#include <algorithm>

TSolidWithText::TSolidWithText(IDrawOwner* owner) : TSolid(owner) {}

void TSolidWithText::PaintButton(TPoint pt, int btnIdx, bool pressed)
{
    if (btnIdx == 0 || btnIdx == 1)
        TSolid::PaintButton(pt, btnIdx, pressed);
}

void TSolidWithText::PlaceButton(int btnIdx, TPoint pt)
{
    if (BtnPoints.size() < 2)
        return;
    const TPoint tl = RotatePoint(BtnToFrame(BtnPoints[0]), SAngle);
    const TPoint br = RotatePoint(BtnToFrame(BtnPoints[1]), SAngle);
    const TPoint target = btnIdx == 0 ? TPoint{std::min(pt.X, br.X), std::min(pt.Y, br.Y)}
                                      : TPoint{std::max(pt.X, tl.X), std::max(pt.Y, tl.Y)};
    TSolid::PlaceButton(btnIdx, target);
}

void TSolidWithText::DrawStringsInFig(TCanvas& canvas, const QStringList& strings)
{
    canvas.Font = Font;
    const int h = canvas.TextHeight(QStringLiteral("Yy"));
    const int n = static_cast<int>(strings.size());
    const TPoint origin = DrawOrigin();
    for (int i = 0; i < n; ++i) {
        const QString& line = strings[i];
        const int w = canvas.TextWidth(line);
        const int x = (fWidth - w) / 2;
        const int y = (fHeight - n * h) / 2 + h * i;
        // A line that does not fit is left out whole, never clipped.
        if (x >= fPadding && y >= fPadding && x + w <= fWidth - fPadding && y + h <= fHeight - fPadding)
            canvas.TextOut(x + origin.X, y + origin.Y, line);
    }
}

TSolidWithText::TTextMetrics TSolidWithText::MeasureStrings()
{
    // Measured in the font the text is drawn in, on the figure's own canvas.
    TCanvas& canvas = SmallBitmap.Canvas();
    const TFont saved = canvas.Font;
    canvas.Font = Font;
    TTextMetrics m;
    m.LineHeight = canvas.TextHeight(QStringLiteral("Yy"));
    for (const QString& line : fStrings)
        m.MaxWidth = std::max(m.MaxWidth, canvas.TextWidth(line));
    canvas.Font = saved;
    return m;
}

TPoint TSolidWithText::QuadOutlinePoint(TPoint p) const
{
    const TPoint m = ObjectMidPoint();
    if (BtnPoints.size() < 6)
        return m;
    // The outline vertex nearest to P picks the two sides that meet there.
    int nearest = 2;
    for (int i = 3; i <= 5; ++i)
        if (SquaredDistance(BtnPoints[i], p) < SquaredDistance(BtnPoints[nearest], p))
            nearest = i;
    const TPoint v = BtnPoints[nearest];
    const bool evenCorner = nearest == 2 || nearest == 4;
    const TPoint n1 = evenCorner ? BtnPoints[3] : BtnPoints[2];
    const TPoint n2 = evenCorner ? BtnPoints[5] : BtnPoints[4];

    TPoint result;
    if (LineIntersection(m, p, v, n1, result)) {
        const TRect box = TRect(v.X, v.Y, n1.X, n1.Y).Normalized();
        if (result.X >= box.Left && result.X <= box.Right && result.Y >= box.Top && result.Y <= box.Bottom)
            return result;
    }
    if (LineIntersection(m, p, v, n2, result))
        return result;
    return {0, 0};
}
