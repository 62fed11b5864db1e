// The preview control: timer behaviour and painting.
#include "editor/ZGIFAnimator.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// Runs the event loop for a while.
void Wait(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

TBitmap Solid(int width, int height, QRgb rgb)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(rgb);
    return TBitmap(image);
}

TZGIFImage TwoColours(uint16_t delay)
{
    TZGIFImage image;
    image.AddFrame(Solid(8, 6, 0xFFFF0000));
    image.AddFrame(Solid(8, 6, 0xFF0000FF));
    image.Frames(0).SetAnimateInterval(delay);
    image.Frames(1).SetAnimateInterval(delay);
    image.SetFrameIndex(0);
    return image;
}

} // namespace

TEST(ZGIFAnimator, AdvancesAtOnceThenWaitsEachFramesDelay)
{
    QWidget parent;
    auto* animator = new TZGIFAnimator(&parent);
    animator->SetImage(TwoColours(400));
    parent.show();
    int changes = 0;
    QElapsedTimer clock;
    std::vector<qint64> times;
    QObject::connect(animator, &TZGIFAnimator::OnFrameChanged, [&] {
        ++changes;
        times.push_back(clock.elapsed());
    });
    clock.start();
    animator->SetAnimate(true);
    EXPECT_TRUE(animator->Animate());
    while (changes < 3 && clock.elapsed() < 5000)
        Wait(5);
    ASSERT_EQ(changes, 3);
    EXPECT_LT(times[0], 300);               // the first step comes at once
    EXPECT_GE(times[1] - times[0], 390);    // then each frame stays up for its delay
    EXPECT_GE(times[2] - times[1], 390);
    EXPECT_EQ(animator->TimerInterval(), 400);
    animator->SetAnimate(false);
    EXPECT_FALSE(animator->TimerActive());
    Wait(450);
    EXPECT_EQ(changes, 3);

    // A delay under 50 ms plays at 50 ms.
    animator->SetImage(TwoColours(10));
    EXPECT_EQ(animator->TimerInterval(), 50);
}

TEST(ZGIFAnimator, PaintsTheCompositionStretchedOrAtItsSize)
{
    QWidget parent;
    parent.resize(40, 30);
    auto* animator = new TZGIFAnimator(&parent);
    animator->SetImage(TwoColours(100));
    EXPECT_EQ(animator->size(), QSize(8, 6)); // auto size takes the logical screen
    animator->SetAutoSize(false);
    animator->resize(40, 30);
    animator->SetStretch(true);
    QImage shot = animator->grab().toImage();
    EXPECT_EQ(shot.pixel(39, 29) & 0xFFFFFF, 0xFF0000u);
    animator->SetFrameIndex(1);
    animator->SetStretch(false);
    animator->SetCenter(true);
    shot = animator->grab().toImage();
    EXPECT_EQ(shot.pixel(20, 15) & 0xFFFFFF, 0x0000FFu);
    EXPECT_NE(shot.pixel(2, 2) & 0xFFFFFF, 0x0000FFu); // outside the centred picture
}
