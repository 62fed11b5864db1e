// Writing: files from new animations checked byte by byte where the layout is
// fixed, and decoded by giflib to the exact pixels and delays we wrote.
#include "gif/GIFError.h"
#include "gif/ZGIFImage.h"
#include "tests/gif/GiflibPeer.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <random>

namespace {

// A 24-bit bitmap whose pixel (x, y) is f(x, y) as 0xRRGGBB.
template <typename F>
TBitmap Picture(int width, int height, F f)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, 0xFF000000u | f(x, y));
    return TBitmap(image);
}

uint32_t PixelRgb(const TBitmap& b, int x, int y)
{
    return b.ConstImage().pixel(x, y) & 0xFFFFFF;
}

int Find(const QByteArray& bytes, const QByteArray& what)
{
    return int(bytes.indexOf(what));
}

} // namespace

TEST(GIFWriter, AnimationDecodesInGiflibToExactPixelsAndDelays)
{
    TZGIFImage image;
    std::mt19937 rng(11);
    std::vector<TBitmap> sources;
    // Frame sizes differ; each frame has at most 256 colours, so nothing is lost.
    sources.push_back(Picture(64, 48, [](int x, int y) { return uint32_t((x / 4 * 16) << 16 | (y / 4 * 20) << 8 | 0x33); }));
    sources.push_back(Picture(40, 30, [&](int, int) { return uint32_t(rng() % 200) * 0x010307u; }));
    sources.push_back(Picture(13, 77, [](int x, int y) { return (x + y) % 2 ? 0xFFFFFFu : 0x000000u; }));
    const uint16_t delays[] = {125, 0, 2000};
    for (size_t i = 0; i < sources.size(); ++i) {
        image.AddFrame(sources[i]);
        image.Frames(int(i)).SetAnimateInterval(delays[i]);
    }
    image.Frames(1).SetOrigin({10, 5});
    image.SetLooping(true);
    image.SetRepeatCount(200);
    const QByteArray bytes = image.SaveToBytes();
    EXPECT_TRUE(bytes.startsWith("GIF89a"));
    // The loop block carries 200 as C8 00.
    EXPECT_GE(Find(bytes, QByteArray("NETSCAPE2.0\x03\x01\xC8\x00\x00", 16)), 0);

    const TPeerGif peer = DecodeWithGiflib(bytes);
    ASSERT_TRUE(peer.Ok) << peer.Error;
    EXPECT_EQ(peer.ScreenWidth, 64);
    EXPECT_EQ(peer.ScreenHeight, 77);
    EXPECT_EQ(peer.LoopCount, 200);
    ASSERT_EQ(peer.Frames.size(), 3u);
    // One global table, from frame 0; every later frame has its own table.
    EXPECT_TRUE(peer.HasGlobalTable);
    EXPECT_FALSE(peer.Frames[0].HasLocalTable);
    EXPECT_TRUE(peer.Frames[1].HasLocalTable);
    EXPECT_TRUE(peer.Frames[2].HasLocalTable);
    EXPECT_EQ(peer.GlobalPalette.size(), 256u);
    EXPECT_EQ(peer.Frames[0].DelayHundredths, 12);
    EXPECT_EQ(peer.Frames[1].DelayHundredths, -1); // no duration: no control block
    EXPECT_EQ(peer.Frames[2].DelayHundredths, 200);
    EXPECT_EQ(peer.Frames[1].Left, 10);
    EXPECT_EQ(peer.Frames[1].Top, 5);
    for (size_t i = 0; i < sources.size(); ++i) {
        ASSERT_EQ(peer.Frames[i].Width, sources[i].Width());
        ASSERT_EQ(peer.Frames[i].Height, sources[i].Height());
        for (int y = 0; y < sources[i].Height(); ++y)
            for (int x = 0; x < sources[i].Width(); ++x)
                ASSERT_EQ(peer.Rgb(int(i), x, y), PixelRgb(sources[i], x, y)) << i << " " << x << "," << y;
    }
    // Unused entries of a frame of few colours are grey.
    EXPECT_EQ(peer.Frames[2].Palette[2], 0x808080u);
}

TEST(GIFWriter, TransparencySurvivesColourReductionAndRoundTrips)
{
    // 3000 colours and a transparent colour with an odd blue, used by a few pixels.
    const uint32_t key = 0x102031;
    TBitmap source = Picture(100, 30, [&](int x, int y) {
        const int i = y * 100 + x;
        if (i % 97 == 5)
            return key;
        return uint32_t((i & 0xFF) << 16 | (i >> 8) << 8 | (i % 2) | 0x40);
    });
    TZGIFImage image;
    image.AddFrame(source);
    image.Frames(0).SetTransparentColor(RGB(0x10, 0x20, 0x31));
    image.Frames(0).SetDisposalMethod(TDisposalMethod::dmRestoreBackground);
    const QByteArray bytes = image.SaveToBytes();

    const TPeerGif peer = DecodeWithGiflib(bytes);
    ASSERT_TRUE(peer.Ok) << peer.Error;
    const TPeerFrame& f = peer.Frames[0];
    ASSERT_GE(f.TransparentIndex, 0);
    EXPECT_EQ(f.Palette[size_t(f.TransparentIndex)], key);
    EXPECT_EQ(f.Disposal, 2);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 100; ++x)
            EXPECT_EQ(f.Indices[size_t(y * 100 + x)] == f.TransparentIndex, (y * 100 + x) % 97 == 5) << x << "," << y;

    TZGIFImage back;
    back.LoadFromBytes({reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size())});
    EXPECT_EQ(back.Frames(0).TransparentColor(), RGB(0x10, 0x20, 0x31));
    EXPECT_EQ(back.Frames(0).DisposalMethod(), TDisposalMethod::dmRestoreBackground);
}

TEST(GIFWriter, LoopBlockOnlyForLoopingAnimations)
{
    auto write = [](int frames, bool looping, uint16_t repeat) {
        TZGIFImage image;
        for (int i = 0; i < frames; ++i)
            image.AddFrame(Picture(4, 4, [i](int, int) { return uint32_t(i * 40); }));
        image.SetLooping(looping);
        image.SetRepeatCount(repeat);
        return image.SaveToBytes();
    };
    EXPECT_GE(Find(write(2, true, 0), QByteArray("NETSCAPE2.0\x03\x01\x00\x00\x00", 16)), 0);
    EXPECT_LT(Find(write(2, false, 7), "NETSCAPE"), 0);
    EXPECT_LT(Find(write(1, true, 0), "NETSCAPE"), 0);

    TZGIFImage capped;
    capped.SetRepeatCount(40000);
    EXPECT_EQ(capped.RepeatCount(), 30000);
}

TEST(GIFWriter, VersionAndLayoutOfASinglePlainFrame)
{
    TZGIFImage image;
    image.AddFrame(Picture(3, 2, [](int x, int) { return x ? 0xFF0000u : 0x0000FFu; }));
    const QByteArray plain = image.SaveToBytes();
    ASSERT_TRUE(plain.startsWith("GIF87a"));
    // Screen 3 x 2, a global table of 256 entries (flags F7), background 0, aspect 0.
    EXPECT_EQ(plain.mid(6, 7), QByteArray("\x03\x00\x02\x00\xF7\x00\x00", 7));
    // Then the image descriptor at 0,0 without a local table, code size 8.
    EXPECT_EQ(plain.mid(13 + 768, 11), QByteArray("\x2C\x00\x00\x00\x00\x03\x00\x02\x00\x00\x08", 11));
    EXPECT_TRUE(plain.endsWith('\x3B'));

    image.Frames(0).SetAnimateInterval(50);
    EXPECT_TRUE(image.SaveToBytes().startsWith("GIF89a"));

    TZGIFImage commented;
    commented.AddFrame(Picture(2, 2, [](int, int) { return 0u; }));
    commented.SetComment({"made by", "", "Zembra"});
    const QByteArray withComment = commented.SaveToBytes();
    EXPECT_TRUE(withComment.startsWith("GIF89a"));
    EXPECT_TRUE(withComment.endsWith(QByteArray("\x21\xFE\x07made by\x06Zembra\x00\x3B", 19)));
}

TEST(GIFWriter, RefusesWhatCannotBeWritten)
{
    TZGIFImage empty;
    EXPECT_THROW(
        {
            try {
                empty.SaveToBytes();
            } catch (const EInvalidGraphicOperation& e) {
                EXPECT_STREQ(e.what(), "No GIF Data to write");
                throw;
            }
        },
        EInvalidGraphicOperation);
    TZGIFImage blank;
    blank.AddFrame(TBitmap());
    EXPECT_THROW(blank.SaveToBytes(), EInvalidGraphicOperation);

    TZGIFImage image;
    image.AddFrame(Picture(2, 2, [](int, int) { return 0u; }));
    try {
        image.SetWidth(10);
        FAIL();
    } catch (const EInvalidGraphicOperation& e) {
        EXPECT_STREQ(e.what(), "Cannot change the Size of a GIF image");
    }
}

TEST(GIFWriter, SaveToFileKeepsTheOldFileWhenEncodingFails)
{
    const QString name = QDir::tempPath() + "/zembra-gif-writer-test.gif";
    TZGIFImage good;
    good.AddFrame(Picture(5, 5, [](int, int) { return 0x123456u; }));
    good.SaveToFile(name);
    TZGIFImage bad;
    EXPECT_THROW(bad.SaveToFile(name), EInvalidGraphicOperation);
    TZGIFImage back;
    back.LoadFromFile(name);
    EXPECT_EQ(back.Count(), 1);
    EXPECT_EQ(PixelRgb(back.Frames(0).Bitmap(), 2, 2), 0x123456u);
    QFile::remove(name);
}
