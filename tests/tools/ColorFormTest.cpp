// The palette colour picker: grid shapes, the preselected cell, and what OK and
// Cancel return.
#include "tools/ColorForm.h"
#include "tools/ColorGrid.h"

#include <QTimer>
#include <gtest/gtest.h>
#include <vector>

namespace {

std::vector<TColor> Greys(int count)
{
    std::vector<TColor> palette;
    for (int i = 0; i < count; ++i)
        palette.push_back(RGB(uint8_t(i), uint8_t(i), uint8_t(i)));
    return palette;
}

// Runs the picker and answers it from the event loop once it is shown.
std::optional<TColor> PickAndAnswer(TColorForm& form, std::span<const TColor> palette, TColor color,
                                    std::function<void()> answer)
{
    QTimer::singleShot(0, &form, answer);
    return form.Pick(palette, color);
}

} // namespace

TEST(ColorFormTest, GridShapeFollowsTheEntryCount)
{
    TColorForm form(nullptr);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Color Selection"));
    struct Case { int entries, cols, rows, cell; };
    for (const Case c : {Case{256, 16, 16, 18}, Case{17, 16, 2, 18}, Case{32, 16, 2, 18}, Case{33, 16, 3, 18},
                         Case{16, 8, 2, 31}, Case{5, 8, 2, 31}, Case{300, 16, 16, 18}}) {
        const auto palette = Greys(std::min(c.entries, 256));
        std::vector<TColor> big = palette;
        big.resize(size_t(c.entries), clWhite);
        form.SetPalette(big);
        SCOPED_TRACE(c.entries);
        EXPECT_EQ(form.Count(), std::min(c.entries, 256));
        EXPECT_EQ(form.Grid()->ColCount(), c.cols);
        EXPECT_EQ(form.Grid()->RowCount(), c.rows);
        EXPECT_EQ(form.Grid()->CellSize(), c.cell);
        EXPECT_EQ(form.Grid()->size(), QSize(c.cols * c.cell, c.rows * c.cell));
        // The window is as wide as the grid plus its border and the button column.
        EXPECT_GT(form.width(), form.Grid()->width());
        EXPECT_GE(form.height(), form.Grid()->height());
    }
}

TEST(ColorFormTest, PreselectsTheNearestEntry)
{
    TColorForm form(nullptr);
    const auto& halftone = HalftonePalette();
    form.SetPalette(halftone);

    // An exact palette entry: its own cell.
    const int entry = 100;
    form.SelectColor(halftone[entry]);
    EXPECT_EQ(form.Grid()->Row(), entry / 16);
    EXPECT_EQ(form.Grid()->Col(), entry % 16);
    EXPECT_EQ(form.CurrentColor(), halftone[entry]);

    // A colour off the palette: the nearest entry's cell.
    const TColor offPalette = RGB(250, 3, 2);
    const int nearest = NearestPaletteIndex(halftone.data(), 256, offPalette);
    form.SelectColor(offPalette);
    EXPECT_EQ(form.Grid()->CurrentEntry(), nearest);
    EXPECT_EQ(form.CurrentColor(), halftone[size_t(nearest)]);

    // A system colour is resolved before the lookup (button face is light grey).
    form.SelectColor(clBtnFace);
    EXPECT_EQ(form.CurrentColor(), halftone[size_t(NearestPaletteIndex(halftone.data(), 256, ColorToRGB(clBtnFace)))]);

    // In a small palette the cells are 8 to a row.
    const auto greys = Greys(12);
    form.SetPalette(greys);
    form.SelectColor(RGB(10, 10, 10));
    EXPECT_EQ(form.Grid()->Row(), 1);
    EXPECT_EQ(form.Grid()->Col(), 2);
}

TEST(ColorFormTest, OkReturnsTheCellCancelTheColourGiven)
{
    TColorForm form(nullptr);
    const auto& halftone = HalftonePalette();
    const TColor start = halftone[40];

    auto picked = PickAndAnswer(form, halftone, start, [&] {
        EXPECT_TRUE(form.isVisible());
        EXPECT_EQ(form.Grid()->CurrentEntry(), 40);
        form.Grid()->SetCell(3, 5);
        form.accept();
    });
    ASSERT_TRUE(picked);
    EXPECT_EQ(*picked, halftone[3 * 16 + 5]);

    picked = PickAndAnswer(form, halftone, start, [&] {
        form.Grid()->SetCell(7, 7);
        form.reject();
    });
    EXPECT_FALSE(picked);
    QTimer::singleShot(0, &form, [&] { form.reject(); });
    EXPECT_EQ(form.ChooseColor(halftone, start), start);

    // Without a palette nothing is shown and the colour comes back unchanged.
    EXPECT_EQ(form.ChooseColor({}, RGB(1, 2, 3)), RGB(1, 2, 3));
}

TEST(ColorFormTest, GridFollowsMouseAndKeys)
{
    TColorForm form(nullptr);
    const auto& halftone = HalftonePalette();
    form.SetPalette(halftone);
    TColorGrid* grid = form.Grid();
    EXPECT_EQ(grid->CellAt(QPoint(18 * 3 + 1, 18 * 2 + 17)), QPoint(3, 2));
    EXPECT_EQ(grid->CellAt(QPoint(18 * 16, 0)), QPoint(-1, -1));
    grid->SetCell(0, 0);
    grid->SetCell(-1, 0); // ignored
    grid->SetCell(0, 16); // ignored
    EXPECT_EQ(grid->CurrentEntry(), 0);
    grid->SetCell(15, 15);
    EXPECT_EQ(form.CurrentColor(), halftone[255]);
}
