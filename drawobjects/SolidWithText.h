#pragma once
// TSolidWithText: a closed figure that shows lines of text centred in its box.
// Point 0 is the top-left and point 1 the bottom-right handle of the box; only
// these two get handles, and point 0 cannot be dragged past point 1.
#include "drawobjects/Solid.h"

#include <QString>
#include <QStringList>

class TSolidWithText : public TSolid {
public:
    explicit TSolidWithText(IDrawOwner* owner = nullptr);

    const QString& Action() const { return fAction; }
    void SetAction(const QString& value) { fAction = value; }
    const QStringList& Strings() const { return fStrings; }
    void SetStrings(const QStringList& value) { fStrings = value; }
    int Padding() const { return fPadding; }
    void SetPadding(int value) { fPadding = value; }

    // Fits the box to the text; false when nothing changed.
    virtual bool ResizeObjectToFitText() { return false; }

    void PaintButton(TPoint pt, int btnIdx, bool pressed) override;
    void PlaceButton(int btnIdx, TPoint pt) override;

    // Draws the lines centred in the box, each only when it fits inside the padding.
    void DrawStringsInFig(TCanvas& canvas, const QStringList& strings);

protected:
    // Text size of the lines in the figure's font: line height (of "Yy") and
    // the width of the widest line.
    struct TTextMetrics {
        int LineHeight = 0;
        int MaxWidth = 0;
    };
    TTextMetrics MeasureStrings();
    // Pen width div 2 + 1 + padding: the room fitted text keeps from the box.
    int FitMargin() const { return fPen.Width / 2 + 1 + fPadding; }
    // The outline point toward P for figures whose outline is the quadrilateral
    // P2..P5 (rectangle, rhombus).
    TPoint QuadOutlinePoint(TPoint p) const;

    int fPadding = 4;
    QStringList fStrings;
    QString fAction;
};
