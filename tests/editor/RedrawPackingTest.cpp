// "Redraw Frames" into an animation that packs its frames: the same frames
// and the same GIF as without packing, on any number of threads, with only a
// few frames decoded at the end.
#include "EditorCoreFixture.h"

#include <QRandomGenerator>

namespace {

// Noise: the composites of this GIF keep thousands of colours.
TZGIFImage NoiseGIF(int frames)
{
    TZGIFImage gif;
    for (int i = 0; i < frames; ++i) {
        TBitmap b(200, 200);
        QRandomGenerator random{uint32_t(i)};
        QImage& image = b.Image();
        for (int y = 0; y < 200; ++y) {
            auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < 200; ++x)
                row[x] = y < 100 ? qRgb(x, y, int(random.bounded(256))) : qRgb(0, 128, 255);
        }
        gif.Frames(gif.AddFrame(b)).SetAnimateInterval(uint16_t(20 + i));
    }
    return gif;
}

} // namespace

TEST_F(EditorCoreTest, RedrawGivesTheSameAnimationWhateverThePacking)
{
    SetBackGIF(NoiseGIF(24));
    AddFigure(20, 120);
    core.Doc.Options.BackTransparent = true;
    const int64_t oneFrame = 200 * 200 * 4;
    struct TRun {
        bool Pack;
        int Threads;
        int64_t Budget;
    };
    QByteArray expected;
    std::vector<TBitmap> frames;
    for (const TRun run : {TRun{false, 0, 0}, TRun{true, 0, 0}, TRun{true, 2, 3 * oneFrame}, TRun{true, -1, 0}}) {
        SCOPED_TRACE(testing::Message() << run.Pack << " " << run.Threads << " " << run.Budget);
        core.Animation().SetPackFrames(run.Pack, run.Threads);
        core.Animation().SetCacheBudget(run.Budget);
        core.RedrawAnimation();
        ASSERT_EQ(core.FrameCount(), 24);
        if (run.Pack) {
            EXPECT_LE(core.Animation().CachedBytes(), std::max(run.Budget, oneFrame));
        }
        for (int i = 0; i < 24; ++i) {
            const TBitmap frame = core.Animation().Frames(i).Bitmap();
            if (!run.Pack) {
                frames.push_back(frame);
                continue;
            }
            EXPECT_EQ(frame.ConstImage(), frames[size_t(i)].ConstImage()) << "frame " << i;
            EXPECT_EQ(frame.Transparent(), frames[size_t(i)].Transparent());
            EXPECT_EQ(frame.TransparentColor(), frames[size_t(i)].TransparentColor());
        }
        const QByteArray bytes = core.Animation().SaveToBytes();
        if (!run.Pack)
            expected = bytes;
        EXPECT_EQ(bytes, expected);
    }
}
