// Renders every figure class at a few angles and pen widths, with shadows and
// text, into one picture per class in the test output folder, for a person to
// look at. Rows: pen widths 1, 3, 6; columns: 0, 30 and 90 degrees.
#include "drawobjects/Diamond.h"
#include "drawobjects/DrawHelpers.h"
#include "drawobjects/Ellipse.h"
#include "drawobjects/Rectangle.h"
#include "tests/support/TestSupport.h"
#include "TestOwner.h"

#include <QFile>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

constexpr int kCell = 170;

void RenderSheet(const QString& name, const std::function<std::unique_ptr<TDrawObject>(IDrawOwner*)>& make)
{
    TTestOwner owner(3 * kCell, 3 * kCell);
    const int widths[] = {1, 3, 6};
    const int angles[] = {0, 30, 90};
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            std::unique_ptr<TDrawObject> f = make(&owner);
            f->Pen().Width = widths[row];
            f->Pen().Color = clBlue;
            f->Color = RGB(255, 230, 150);
            f->ColorShadow = clGray;
            f->SetShadowSize(row == 2 ? -5 : 5);
            f->SetWidth(120);
            f->SetHeight(80);
            f->Resize();
            f->Left = col * kCell + 20;
            f->Top = row * kCell + 40;
            f->QRotCenter = true;
            f->QAngle = angles[col];
            f->SAngle = float(angles[col] * kPi / 180);
            f->Font.Size = 11;
            f->Font.Color = clRed;
            owner.RedrawFrames = true;
            f->Paint();
        }
    }
    // The last cell once more as the editor shows a selected figure.
    owner.RedrawFrames = false;
    std::unique_ptr<TDrawObject> selected = make(&owner);
    selected->Left = selected->Top = 2 * kCell + 30;
    selected->SetWidth(100);
    selected->SetHeight(60);
    selected->Resize();
    selected->SetFocused(true);
    const QString path = TestOutputDir("drawobjects") + "/" + name + ".png";
    ASSERT_TRUE(owner.Render.Image().save(path));
    ASSERT_TRUE(owner.Editor.Image().save(TestOutputDir("drawobjects") + "/" + name + "-selected.png"));
}

template <typename T>
std::function<std::unique_ptr<TDrawObject>(IDrawOwner*)> Maker(std::function<void(T&)> setup = {})
{
    return [setup](IDrawOwner* owner) {
        auto f = std::make_unique<T>(owner);
        if (setup)
            setup(*f);
        return std::unique_ptr<TDrawObject>(std::move(f));
    };
}

} // namespace

TEST(Gallery, EveryClass)
{
    const QStringList text{"Zembra", "two lines"};
    RenderSheet("base-polygon", Maker<TDrawObject>([](TDrawObject& f) {
                    f.SetBtnCount(3);
                    f.BtnPoints = {{0, 100}, {50, 0}, {100, 100}};
                }));
    RenderSheet("rectangle", Maker<TRectangle>([&](TRectangle& f) { f.SetStrings(text); }));
    RenderSheet("rectangle-rounded", Maker<TRectangle>([&](TRectangle& f) {
                    f.SetRounded(true);
                    f.SetStrings(text);
                }));
    RenderSheet("text", Maker<TText>([&](TText& f) { f.TSolidWithText::SetStrings(text); }));
    RenderSheet("text-placeholder", Maker<TText>());
    RenderSheet("diamond", Maker<TDiamond>([&](TDiamond& f) { f.SetStrings({"Zembra"}); }));
    RenderSheet("ellipse", Maker<TEllipse>([&](TEllipse& f) { f.SetStrings(text); }));
    for (int corner = 1; corner <= 4; ++corner)
        RenderSheet(QString("ellipse-balloon-%1").arg(corner), Maker<TEllipse>([&](TEllipse& f) {
                        f.SetBalloonPoint(static_cast<TBalloonPoint>(corner));
                        f.SetStrings({"Hello!"});
                    }));
}
