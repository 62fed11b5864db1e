// Renders lines, curves, polygons, stars, block arrows, points and pictures
// at a few angles and pen widths, with shadows, into one picture per kind in
// the test output folder ("drawobjects2"), for a person to look at.
// Rows: pen widths 1, 3, 6; columns: 0, 30 and 90 degrees. A second picture
// shows the figure selected in the editor, with its handles.
#include "drawobjects/Bezier.h"
#include "drawobjects/DrawHelpers.h"
#include "drawobjects/LLine.h"
#include "drawobjects/Line.h"
#include "drawobjects/Pic.h"
#include "drawobjects/Polygon.h"
#include "drawobjects/SolidArrow.h"
#include "drawobjects/SolidPoint.h"
#include "drawobjects/Star.h"
#include "drawobjects/TextBezier.h"
#include "drawobjects/ZLine.h"
#include "tests/support/TestSupport.h"
#include "TestOwner.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

constexpr int kCell = 170;
using TMaker = std::function<std::unique_ptr<TDrawObject>(IDrawOwner*)>;

void RenderSheet(const QString& name, const TMaker& make, TPenStyle style = TPenStyle::psSolid)
{
    TTestOwner owner(3 * kCell, 3 * kCell);
    const int widths[] = {1, 3, 6};
    const int angles[] = {0, 30, 90};
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            std::unique_ptr<TDrawObject> f = make(&owner);
            f->Pen().Width = widths[row];
            f->Pen().Style = style;
            f->Pen().Color = clBlue;
            f->Color = RGB(255, 230, 150);
            f->ColorShadow = clSilver;
            f->SetShadowSize(row == 2 ? -4 : 4);
            f->Left = col * kCell + 20;
            f->Top = row * kCell + 30;
            f->QRotCenter = true;
            f->QAngle = angles[col];
            f->SAngle = float(angles[col] * kPi / 180);
            owner.RedrawFrames = true;
            f->Paint();
        }
    }
    owner.RedrawFrames = false;
    std::unique_ptr<TDrawObject> selected = make(&owner);
    selected->Left = selected->Top = 2 * kCell + 30;
    selected->SetFocused(true);
    const QString folder = TestOutputDir("drawobjects2");
    ASSERT_TRUE(owner.Render.Image().save(folder + "/" + name + ".png"));
    ASSERT_TRUE(owner.Editor.Image().save(folder + "/" + name + "-selected.png"));
}

template <typename T>
TMaker Maker(std::function<void(T&)> setup = {})
{
    return [setup](IDrawOwner* owner) {
        auto f = std::make_unique<T>(owner);
        if (setup)
            setup(*f);
        return std::unique_ptr<TDrawObject>(std::move(f));
    };
}

TBitmap Photo()
{
    TBitmap b(60, 40);
    TCanvas& c = b.Canvas();
    c.Brush.Color = clWhite;
    c.FillRect({0, 0, 60, 40});
    for (int i = 0; i < 6; ++i) {
        c.Brush.Color = RGB(uint8_t(40 * i), uint8_t(200 - 30 * i), 120);
        c.Ellipse(i * 9, 5 + (i % 2) * 10, i * 9 + 18, 23 + (i % 2) * 10);
    }
    return b;
}

} // namespace

TEST(LinesAndShapesGallery, EveryClass)
{
    RenderSheet("line", Maker<TLine>([](TLine& f) {
                    f.SetButtonCount(4);
                    f.BtnPoints = {{0, 0}, {60, 90}, {100, 20}, {130, 100}};
                    f.InternalResize();
                }));
    RenderSheet("line-arrows-dashed", Maker<TLine>([](TLine& f) {
                    f.SetArrow1(true);
                    f.SetArrow2(true);
                    f.BtnPoints = {{0, 60}, {130, 0}};
                    f.InternalResize();
                }),
                TPenStyle::psDash);
    RenderSheet("zline", Maker<TZLine>([](TZLine& f) { f.SetArrow2(true); }));
    RenderSheet("zline-vertical-dashdot", Maker<TZLine>([](TZLine& f) {
                    f.SetOrientation(TOrientation::oVertical);
                    f.SetAutoCenter(false);
                    f.PlaceButton(1, f.BtnToFrame({0, 30}));
                }),
                TPenStyle::psDashDot);
    RenderSheet("lline", Maker<TLLine>([](TLLine& f) { f.SetArrow2(true); }));
    RenderSheet("bezier-filled", Maker<TBezier>([](TBezier& f) {
                    f.SetButtonCount(7);
                    f.BtnPoints = {{0, 100}, {0, 0}, {60, 0}, {60, 50}, {60, 100}, {130, 100}, {130, 0}};
                    f.InternalResize();
                }));
    RenderSheet("bezier-open-arrows", Maker<TBezier>([](TBezier& f) {
                    f.SetArrow2(true);
                    f.BtnPoints = {{0, 100}, {20, -20}, {110, 120}, {130, 0}};
                    f.InternalResize();
                }),
                TPenStyle::psDot);
    const char* outlines[] = {"none", "clear", "colored"};
    for (int o = 0; o < 3; ++o)
        RenderSheet(QString("textbezier-%1").arg(outlines[o]), Maker<TTextBezier>([o](TTextBezier& f) {
                        f.SetText("Zembra along a curve");
                        f.SetOutline(static_cast<TFontOutline>(o));
                        f.Font.Size = 12;
                        f.Font.Style = fsBold;
                        f.Font.Color = clRed;
                        f.BtnPoints = {{0, 100}, {30, -30}, {100, -30}, {130, 100}};
                        f.InternalResize();
                    }));
    RenderSheet("polygon", Maker<TPolygon>([](TPolygon& f) { f.DuplicateButton(2); }));
    RenderSheet("polygon-hexagon", Maker<TPolygon>([](TPolygon& f) { f.SetButtonCount(6); }));
    RenderSheet("star", Maker<TStar>());
    RenderSheet("star-dragged", Maker<TStar>([](TStar& f) {
                    f.PlaceButton(1, f.BtnToFrame({95, 20}));
                    f.InternalResize();
                }));
    RenderSheet("solidarrow", Maker<TSolidArrow>([](TSolidArrow& f) {
                    f.PlaceButton(2, f.BtnToFrame({60, 40}));
                    f.InternalResize();
                }));
    RenderSheet("solidpoint", Maker<TSolidPoint>());
    RenderSheet("pic-stretched", Maker<TPic>([](TPic& f) {
                    f.Picture() = Photo();
                    f.SetStretch(true);
                }));
    RenderSheet("pic-transparent", Maker<TPic>([](TPic& f) {
                    f.Picture() = Photo();
                    f.SetStretch(true);
                    f.SetStretch(false);
                    f.SetTransparent(true);
                }));
}
