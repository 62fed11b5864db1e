// Packed frames of an image that packs them: exact round trips, the cache of
// decoded bitmaps, bounded memory, and writing that does not depend on packing
// or on the number of threads.
#include "gif/PackedFrame.h"
#include "gif/ZGIFImage.h"
#include "platform/Canvas.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

// Flat shapes over a few colours: at most 256 colours.
TBitmap Flat(int width, int height, int seed)
{
    TBitmap b(width, height);
    TCanvas canvas(b);
    canvas.Brush.Color = RGB(uint8_t(seed * 40), 200, 30);
    canvas.FillRect({0, 0, width, height});
    canvas.Brush.Color = clBlue;
    canvas.FillRect({seed % width, 5, seed % width + 20, 25});
    return b;
}

// A gradient with noise: thousands of colours.
TBitmap Photo(int width, int height, int seed)
{
    TBitmap b(width, height);
    QRandomGenerator random{uint32_t(seed)};
    QImage& image = b.Image();
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x)
            row[x] = qRgb((x * 255 / width + seed) & 0xFF, y * 255 / height, int(random.bounded(256)));
    }
    return b;
}

bool SamePixels(const TBitmap& a, const TBitmap& b)
{
    return a.PixelFormat() == b.PixelFormat() && a.ConstImage() == b.ConstImage()
        && std::memcmp(a.ConstImage().constBits(), b.ConstImage().constBits(), size_t(a.ConstImage().sizeInBytes()))
        == 0;
}

int64_t FrameBytes(int width, int height)
{
    return int64_t(width) * height * 4;
}

} // namespace

TEST(PackedFrame, GivesBackExactlyThePixelsOfEveryKindOfFrame)
{
    TBitmap translucent = Photo(31, 17, 3);
    reinterpret_cast<QRgb*>(translucent.Image().scanLine(4))[7] = qRgba(1, 2, 3, 40); // an alpha byte not 0xFF
    TBitmap deep = Flat(40, 30, 1);
    deep.SetPixelFormat(TPixelFormat::pf32bit);
    struct TCase {
        const char* Name;
        TBitmap Bitmap;
        bool GIF;
    } cases[] = {{"few colours", Flat(64, 48, 2), true},
                 {"many colours", Photo(64, 48, 7), false},
                 {"alpha bytes", translucent, false},
                 {"32 bits", deep, true},
                 {"one pixel", Flat(1, 1, 0), true}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        const auto packed = TPackedFrame::Pack(c.Bitmap.ConstImage(), c.Bitmap.PixelFormat());
        EXPECT_EQ(packed->Item() != nullptr, c.GIF);
        EXPECT_TRUE(SamePixels(packed->Unpack(), c.Bitmap));
        EXPECT_LT(packed->Bytes(), size_t(c.Bitmap.ConstImage().sizeInBytes()) + 1024); // a colour table at most
    }
}

TEST(PackedFrames, EvictedFramesDecodeAgainWithTheirPixelsAndTransparency)
{
    constexpr int w = 80, h = 60, n = 12;
    TZGIFImage image;
    image.SetPackFrames(true, 2);
    image.SetCacheBudget(3 * FrameBytes(w, h));
    std::vector<TBitmap> originals;
    for (int i = 0; i < n; ++i) {
        originals.push_back(i % 2 ? Photo(w, h, i) : Flat(w, h, i));
        const int index = image.AddFrame(originals.back());
        TBitmap& bitmap = image.Frames(index).Bitmap();
        bitmap.SetTransparent(true);
        bitmap.SetTransparentColor(RGB(uint8_t(i), 0, 0));
        EXPECT_LE(image.CachedBytes(), image.CacheBudget());
    }
    for (int round = 0; round < 2; ++round)
        for (int i = 0; i < n; ++i) {
            SCOPED_TRACE(i);
            const TBitmap bitmap = image.Frames(i).Bitmap();
            EXPECT_TRUE(SamePixels(bitmap, originals[size_t(i)]));
            EXPECT_TRUE(bitmap.Transparent());
            EXPECT_EQ(bitmap.TransparentColor(), RGB(uint8_t(i), 0, 0));
            EXPECT_EQ(image.Frames(i).Width(), w);
            EXPECT_LE(image.CachedBytes(), image.CacheBudget());
        }
    EXPECT_EQ(image.ScreenWidth(), w);
    EXPECT_FALSE(image.Empty());
}

TEST(PackedFrames, DrawingOnAFrameIsKeptWhenItIsDroppedAndWritten)
{
    TZGIFImage image, plain;
    image.SetPackFrames(true, 0);
    image.SetCacheBudget(0); // every other frame's use drops it
    for (int i = 0; i < 3; ++i) {
        image.AddFrame(Flat(50, 40, i));
        plain.AddFrame(Flat(50, 40, i));
    }
    for (TZGIFImage* gif : {&image, &plain}) {
        TCanvas canvas(gif->Frames(1).Bitmap());
        canvas.Brush.Color = clYellow;
        canvas.FillRect({0, 0, 10, 10});
    }
    image.Frames(2).Bitmap(); // frame 1 goes now
    EXPECT_EQ(image.Frames(1).Bitmap().Pixel(5, 5), clYellow);
    EXPECT_EQ(image.SaveToBytes(), plain.SaveToBytes());
}

TEST(PackedFrames, ALongAnimationHoldsOnlyItsPackedFramesAndTheCache)
{
    constexpr int w = 160, h = 120, n = 300;
    TZGIFImage image;
    image.SetPackFrames(true);
    image.SetCacheBudget(4 * FrameBytes(w, h));
    for (int i = 0; i < n; ++i) {
        image.AddFrame(i % 10 == 0 ? Photo(w, h, i) : Flat(w, h, i));
        ASSERT_LE(image.CachedBytes(), image.CacheBudget());
    }
    // Frames of few colours pack to a small part of their 32-bit size, noisy ones to about 3/4.
    EXPECT_LT(image.PackedBytes(), n * FrameBytes(w, h) / 8);
}

TEST(PackedFrames, WritingIsTheSameWithOrWithoutPackingOnAnyNumberOfThreads)
{
    constexpr int w = 72, h = 40;
    auto fill = [](TZGIFImage& gif) {
        for (int i = 0; i < 16; ++i) {
            const int index = gif.AddFrame(i % 3 == 1 ? Photo(w, h, i) : Flat(w, h, i));
            TZGIFFrame& frame = gif.Frames(index);
            frame.SetAnimateInterval(uint16_t(40 + i));
            frame.SetDisposalMethod(TDisposalMethod::dmRestoreBackground);
            // The key of a few-colour frame, and an odd-blue one of a photo frame.
            if (i % 4 == 0)
                frame.SetTransparentColor(i % 3 == 1 ? RGB(3, 5, 7) : clBlue);
        }
        gif.SetLooping(true);
        gif.SetRepeatCount(0);
    };
    TZGIFImage plain;
    fill(plain);
    const QByteArray expected = plain.SaveToBytes();
    for (int threads : {0, 1, 4}) {
        SCOPED_TRACE(threads);
        TZGIFImage packed;
        packed.SetPackFrames(true, threads);
        packed.SetCacheBudget(2 * FrameBytes(w, h));
        fill(packed);
        EXPECT_EQ(packed.SaveToBytes(), expected);
        // Written frames keep their full colours.
        EXPECT_TRUE(SamePixels(packed.Frames(1).Bitmap(), Photo(w, h, 1)));
    }
}

TEST(PackedFrames, CopiesShareThePackedPixelsAndOutliveTheOriginal)
{
    auto original = std::make_unique<TZGIFImage>();
    original->SetPackFrames(true);
    original->SetCacheBudget(0);
    for (int i = 0; i < 5; ++i)
        original->AddFrame(Photo(30, 20, i));
    TZGIFImage copy(*original);
    const TBitmap held = original->Frames(0).Bitmap(); // a copy holds the pixels past any eviction
    for (int i = 1; i < 5; ++i)
        original->Frames(i).Bitmap();
    original.reset();
    EXPECT_FALSE(copy.PackFrames());
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(SamePixels(copy.Frames(i).Bitmap(), Photo(30, 20, i)));
    EXPECT_TRUE(SamePixels(held, Photo(30, 20, 0)));

    TZGIFImage back;
    back.SetPackFrames(true);
    back.Assign(copy);
    back.DeleteFrame(2); // a frame in the cache goes
    EXPECT_TRUE(SamePixels(back.Frames(2).Bitmap(), Photo(30, 20, 3)));
    back.Clear();
    EXPECT_EQ(back.CachedBytes(), 0);
}
