// Composition with disposal methods and the animator's stepping logic.
#include "gif/GIFComposer.h"
#include "gif/ZGIFAnimatorCore.h"

#include <gtest/gtest.h>

namespace {

TBitmap Solid(int width, int height, QRgb rgb)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(rgb);
    return TBitmap(image);
}

void Add(TZGIFImage& image, const TBitmap& bitmap, TPoint origin, TDisposalMethod disposal, uint16_t delay = 100)
{
    image.AddFrame(bitmap);
    TZGIFFrame& frame = image.Frames(image.Count() - 1);
    frame.SetOrigin(origin);
    frame.SetDisposalMethod(disposal);
    frame.SetAnimateInterval(delay);
}

// The composition as rows of letters: R red, G green, B blue, W white, K black.
std::vector<std::string> Rows(const TBitmap& bitmap)
{
    std::vector<std::string> rows;
    for (int y = 0; y < bitmap.Height(); ++y) {
        std::string row;
        for (int x = 0; x < bitmap.Width(); ++x) {
            switch (bitmap.Pixel(x, y)) {
            case RGB(255, 0, 0): row += 'R'; break;
            case RGB(0, 255, 0): row += 'G'; break;
            case RGB(0, 0, 255): row += 'B'; break;
            case RGB(255, 255, 255): row += 'W'; break;
            case RGB(0, 0, 0): row += 'K'; break;
            default: row += '?';
            }
        }
        rows.push_back(row);
    }
    return rows;
}

using TRows = std::vector<std::string>;

TZGIFImage DisposalSample()
{
    TZGIFImage image;
    Add(image, Solid(4, 4, 0xFFFF0000), {0, 0}, TDisposalMethod::dmLeave);
    Add(image, Solid(2, 2, 0xFF00FF00), {1, 1}, TDisposalMethod::dmRestoreBackground);
    Add(image, Solid(1, 1, 0xFF0000FF), {0, 0}, TDisposalMethod::dmRestorePrevious);
    Add(image, Solid(1, 1, 0xFF000000), {3, 3}, TDisposalMethod::dmLeave);
    return image;
}

} // namespace

TEST(GIFComposer, DisposalMethodsShapeTheNextFrame)
{
    TZGIFImage image = DisposalSample();
    image.SetFrameIndex(0);
    TGIFComposer composer(image);
    TColor key;
    EXPECT_EQ(Rows(composer.Compose(0, key)), TRows({"RRRR", "RRRR", "RRRR", "RRRR"}));
    EXPECT_EQ(key, clNone);
    EXPECT_EQ(Rows(composer.Compose(1, key)), TRows({"RRRR", "RGGR", "RGGR", "RRRR"}));
    // Frame 1 restores its rectangle to the fill colour (the window colour here).
    EXPECT_EQ(Rows(composer.Compose(2, key)), TRows({"BRRR", "RWWR", "RWWR", "RRRR"}));
    // Frame 2 restores the previous picture: frame 3 is composed from scratch.
    const TRows expected = {"RRRR", "RWWR", "RWWR", "RRRK"};
    EXPECT_EQ(Rows(composer.Compose(3, key)), expected);
    TGIFComposer fresh(image);
    EXPECT_EQ(Rows(fresh.Compose(3, key)), expected);
    // Past the end means the last frame.
    EXPECT_EQ(Rows(fresh.Compose(9, key)), expected);
}

TEST(GIFComposer, TransparentPixelsShowWhatIsBehind)
{
    TZGIFImage image;
    Add(image, Solid(3, 1, 0xFF0000FF), {0, 0}, TDisposalMethod::dmLeave);
    TBitmap holes = Solid(3, 1, 0xFF00FF00);
    holes.SetPixel(1, 0, RGB(255, 255, 255));
    Add(image, holes, {0, 0}, TDisposalMethod::dmLeave);
    image.Frames(1).SetTransparentColor(RGB(255, 255, 255));
    image.SetFrameIndex(1);
    TGIFComposer composer(image);
    TColor key;
    // A frame covering the screen but with a transparent colour does not start the
    // replay: frame 0 shows through its hole.
    EXPECT_EQ(Rows(composer.Compose(1, key)), TRows({"GBG"}));
    // The image's current frame has a key: the canvas starts in that colour.
    EXPECT_EQ(key, RGB(255, 255, 255));
    TBitmap out;
    EXPECT_TRUE(composer.GetFrameBitmap(0, key, out));
    EXPECT_TRUE(out.Transparent());
    EXPECT_FALSE(composer.GetFrameBitmap(2, key, out));
}

TEST(GIFAnimatorCore, DelaysAreClampedAndSingleFramesStayPut)
{
    TZGIFAnimatorCore core;
    TZGIFImage image;
    Add(image, Solid(2, 2, 0xFFFF0000), {0, 0}, TDisposalMethod::dmUndefined, 0);
    core.SetImage(image);
    EXPECT_EQ(core.FrameDelay(), 0);
    core.Step();
    EXPECT_EQ(core.FrameIndex(), 0);

    Add(image, Solid(2, 2, 0xFF00FF00), {0, 0}, TDisposalMethod::dmUndefined, 10);
    Add(image, Solid(2, 2, 0xFF0000FF), {0, 0}, TDisposalMethod::dmUndefined, 20000);
    image.SetFrameIndex(0);
    std::vector<int> intervals;
    core.OnIntervalChanged = [&](int ms) { intervals.push_back(ms); };
    core.SetImage(image);
    EXPECT_EQ(core.FrameIndex(), 0);
    EXPECT_EQ(core.FrameDelay(), 50);
    core.Step();
    EXPECT_EQ(core.FrameDelay(), 50);
    core.Step();
    EXPECT_EQ(core.FrameDelay(), 10000);
    EXPECT_EQ(intervals, (std::vector<int>{50, 50, 10000}));
}

TEST(GIFAnimatorCore, FrameIndexStepsAndLooping)
{
    TZGIFAnimatorCore core;
    TZGIFImage image = DisposalSample();
    image.SetFrameIndex(0);
    core.SetImage(image);
    int frameChanges = 0, starts = 0, stops = 0;
    core.OnFrameChanged = [&] { ++frameChanges; };
    core.OnStart = [&] { ++starts; };
    core.OnStop = [&] { ++stops; };

    core.SetFrameIndex(4); // the frame count: ignored
    core.SetFrameIndex(-1);
    core.SetFrameIndex(0);
    EXPECT_EQ(frameChanges, 0);
    core.SetFrameIndex(3);
    EXPECT_EQ(frameChanges, 1);
    EXPECT_EQ(core.Image().FrameIndex(), 0); // the image's own index is left alone

    core.SetLoop(false);
    core.SetAnimate(true);
    EXPECT_TRUE(core.Animate());
    core.Step(); // wraps to frame 0: playback stops
    EXPECT_EQ(core.FrameIndex(), 0);
    EXPECT_FALSE(core.Animate());
    EXPECT_EQ(starts, 1);
    EXPECT_EQ(stops, 1);

    core.SetLoop(true);
    core.SetAnimate(true);
    for (int i = 0; i < 5; ++i)
        core.Step();
    EXPECT_EQ(core.FrameIndex(), 1);
    EXPECT_TRUE(core.Animate());

    // A step is skipped while the control cannot show it.
    core.CanStep = [] { return false; };
    core.Step();
    EXPECT_EQ(core.FrameIndex(), 1);
}

TEST(GIFAnimatorCore, PlacementInTheClientArea)
{
    TZGIFAnimatorCore core;
    EXPECT_EQ(core.Placement(100, 50, 40, 20), TRect(0, 0, 40, 20));
    core.SetCenter(true);
    EXPECT_EQ(core.Placement(100, 50, 41, 20), TRect(29, 15, 70, 35));
    core.SetStretch(true);
    EXPECT_EQ(core.Placement(100, 50, 41, 20), TRect(0, 0, 100, 50));
    EXPECT_TRUE(core.NothingToPaint());
}

TEST(GIFComposer, FramesReachingPastTheScreenAreClipped)
{
    TZGIFImage made;
    Add(made, Solid(4, 2, 0xFFFF0000), {0, 0}, TDisposalMethod::dmLeave);
    TBitmap wide = Solid(4, 2, 0xFF00FF00);
    wide.SetPixel(0, 0, RGB(0, 0, 255));
    Add(made, wide, {2, 0}, TDisposalMethod::dmLeave);
    QByteArray bytes = made.SaveToBytes();
    bytes[6] = 4; // the logical screen as a file may declare it: narrower than frame 1 reaches
    TZGIFImage image;
    image.LoadFromBytes({reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size())});
    ASSERT_EQ(image.ScreenWidth(), 4);
    TGIFComposer composer(image);
    TColor key;
    EXPECT_EQ(Rows(composer.Compose(1, key)), TRows({"RRBG", "RRGG"}));
}
