#include "platform/Color.h"

#include <gtest/gtest.h>

#include <set>

TEST(Color, SystemColoursResolveToClassicValues)
{
    EXPECT_EQ(ColorToRGB(clBtnFace), RGB(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(ColorToRGB(clBtnHighlight), clWhite);
    EXPECT_EQ(ColorToRGB(clBtnShadow), RGB(0x80, 0x80, 0x80));
    EXPECT_EQ(ColorToRGB(clWindow), clWhite);
    EXPECT_EQ(ColorToRGB(clWindowText), clBlack);
    EXPECT_EQ(ColorToRGB(clHighlight), RGB(0, 0, 0x80));
    EXPECT_EQ(ColorToRGB(clInfoBk), RGB(0xFF, 0xFF, 0xE1));
    // An index past the table is black, not a read out of bounds.
    EXPECT_EQ(ColorToRGB(0xFF0000FFu), clBlack);
    // Plain colours only lose their top byte.
    EXPECT_EQ(ColorToRGB(0x00123456u), 0x00123456u);
    EXPECT_EQ(ColorToRGB(0x02123456u), 0x00123456u);
    EXPECT_EQ(ToQColor(clRed), QColor(255, 0, 0));
    EXPECT_EQ(QRgbToColor(ColorToQRgb(0x00ABCDEFu)), 0x00ABCDEFu);
}

TEST(Color, HalftonePaletteLayout)
{
    const auto& p = HalftonePalette();
    // Static colours where Windows has them.
    EXPECT_EQ(p[0], clBlack);
    EXPECT_EQ(p[1], RGB(0x80, 0, 0));
    EXPECT_EQ(p[7], clSilver);
    EXPECT_EQ(p[8], RGB(0xC0, 0xDC, 0xC0));
    EXPECT_EQ(p[9], clSkyBlue);
    EXPECT_EQ(p[246], RGB(0xFF, 0xFB, 0xF0));
    EXPECT_EQ(p[248], clGray);
    EXPECT_EQ(p[249], clRed);
    EXPECT_EQ(p[252], clBlue);
    EXPECT_EQ(p[255], clWhite);
    // The whole 6x6x6 cube is there.
    const std::set<TColor> all(p.begin(), p.end());
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                EXPECT_TRUE(all.count(RGB(uint8_t(r * 51), uint8_t(g * 51), uint8_t(b * 51))));
    // Greys between the cube's greys are all different and really grey.
    std::set<TColor> greys;
    for (int i = 226; i < 246; ++i) {
        EXPECT_EQ(GetRValue(p[i]), GetGValue(p[i]));
        EXPECT_EQ(GetRValue(p[i]), GetBValue(p[i]));
        EXPECT_NE(GetRValue(p[i]) % 51, 0);
        greys.insert(p[i]);
    }
    EXPECT_EQ(greys.size(), 20u);
    // The 4-bit colours are the VGA set.
    const auto& vga = VgaPalette();
    EXPECT_EQ(vga[7], clSilver);
    EXPECT_EQ(vga[8], clGray);
    EXPECT_EQ(vga[15], clWhite);
    EXPECT_EQ(std::set<TColor>(vga.begin(), vga.end()).size(), 16u);
}

TEST(Color, NearestPaletteIndex)
{
    const auto& p = HalftonePalette();
    // Every entry finds itself or an earlier entry of the same colour.
    for (int i = 0; i < 256; ++i) {
        const int found = NearestPaletteIndex(p.data(), 256, p[i]);
        EXPECT_LE(found, i);
        EXPECT_EQ(p[found], p[i]);
    }
    // Ties go to the lowest index: white is both a cube and a static entry.
    EXPECT_LT(NearestPaletteIndex(p.data(), 256, clWhite), 255);
    const TColor two[2] = {RGB(0, 0, 0), RGB(20, 20, 20)};
    EXPECT_EQ(NearestPaletteIndex(two, 2, RGB(10, 10, 10)), 0);
    EXPECT_EQ(NearestPaletteIndex(two, 2, RGB(11, 10, 10)), 1);
    // Off-palette colours go to the nearest cube colour.
    EXPECT_EQ(p[NearestPaletteIndex(p.data(), 256, RGB(250, 5, 48))], RGB(255, 0, 51));
    // System colours are resolved first; no palette answers 0.
    EXPECT_EQ(p[NearestPaletteIndex(p.data(), 256, clBtnFace)], clSilver);
    EXPECT_EQ(NearestPaletteIndex(nullptr, 0, clRed), 0);
}
