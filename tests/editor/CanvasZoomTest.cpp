// The canvas zoom's arithmetic and its sharp-pixel painting.
#include "editor/core/CanvasZoom.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

TEST(CanvasZoomTest, StepsStayInRangeAndPointsMapToTheirPixel)
{
    TCanvasZoom z;
    z.SetPercent(2000);
    EXPECT_EQ(z.Percent(), 800);
    EXPECT_EQ(z.StepIn(), 800);
    z.SetPercent(1);
    EXPECT_EQ(z.StepOut(), 25);
    z.SetPercent(120); // between steps (a fit): the neighbours
    EXPECT_EQ(z.StepIn(), 150);
    EXPECT_EQ(z.StepOut(), 100);

    z.SetPercent(400);
    EXPECT_EQ(z.ToFrame(7.9, 8.0), (TPoint{1, 2}));
    EXPECT_EQ(z.ToFrame(-0.5, 0), (TPoint{-1, 0})) << "left of the frame is outside it";
    EXPECT_EQ(z.ToScreen({3, 5}), (TSize{12, 20}));
    EXPECT_EQ(z.FramePixels(6), 2);
    z.SetPercent(50);
    EXPECT_EQ(z.ToFrame(3, 1.9), (TPoint{6, 3}));
    EXPECT_EQ(z.FramePixels(6), 12);
    EXPECT_EQ(TCanvasZoom::FitPercent({640, 480}, {320, 400}), 50);
    EXPECT_EQ(TCanvasZoom::FitPercent({10, 10}, {1000, 1000}), 800);
}

TEST(CanvasZoomTest, PaintsEachPixelAsASharpSquareAndOnlyWhatIsExposed)
{
    QImage frame(3, 2, QImage::Format_RGB888);
    const QRgb colours[] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0x00FFFF, 0xFF00FF};
    for (int i = 0; i < 6; ++i)
        frame.setPixel(i % 3, i / 3, colours[i]);
    TCanvasZoom z;
    z.SetPercent(400);
    QImage shown(12, 8, QImage::Format_RGB32);
    shown.fill(Qt::black);
    {
        QPainter painter(&shown);
        z.Paint(painter, frame, QRect(4, 0, 8, 8)); // the two right columns only
    }
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 12; ++x) {
            const QRgb expected = x < 4 ? 0x000000 : colours[(y / 4) * 3 + x / 4];
            ASSERT_EQ(shown.pixel(x, y) & 0xFFFFFF, expected) << x << "," << y;
        }
}
