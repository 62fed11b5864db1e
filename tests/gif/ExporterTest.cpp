// The exporter: every written GIF, decoded by giflib and by Pillow and composed
// as a viewer composes it, shows exactly the (reduced) frames for their
// durations; the changed-area search against random frame sequences; tables
// sized to the colours; the same bytes for any number of threads; the colour
// reduction's quality and its exact transparent colour.
#include "gif/ColorReduction.h"
#include "gif/GIFExporter.h"
#include "gif/ZGIFImage.h"
#include "gif/ZGIFImageSource.h"
#include "tests/gif/ShownFrames.h"

#include <QPainter>
#include <cmath>
#include <gtest/gtest.h>
#include <random>

namespace {

class TListSource : public TGIFFrameSource {
public:
    TGIFAnimationInfo Animation;
    std::vector<TGIFSourceFrame> List;

    TGIFAnimationInfo Info() const override { return Animation; }
    int Count() const override { return int(List.size()); }
    TGIFSourceFrame Frame(int index) override { return List.at(size_t(index)); }
};

TListSource Source(int width, int height)
{
    TListSource source;
    source.Animation.ScreenWidth = width;
    source.Animation.ScreenHeight = height;
    source.Animation.Looping = true;
    return source;
}

// The screens a viewer shows for the source frames, written here on its own
// (pixels of a frame's transparent colour leave the screen as it is).
std::vector<TShown> Expected(const TListSource& source, bool reduce = false)
{
    std::vector<TShown> shown;
    QImage screen(source.Animation.ScreenWidth, source.Animation.ScreenHeight, QImage::Format_ARGB32);
    screen.fill(0);
    for (const TGIFSourceFrame& f : source.List) {
        const QImage before = screen.copy();
        const QImage pixels = reduce ? TColorReduction::Reduce(f.Pixels, f.Transparent, TColorReducer::HighQuality, false)
                                     : f.Pixels.convertToFormat(QImage::Format_RGB32);
        const QRgb key = f.Transparent == clNone ? 0x1000000u : ColorToQRgb(f.Transparent) & 0xFFFFFF;
        for (int y = 0; y < pixels.height(); ++y)
            for (int x = 0; x < pixels.width(); ++x) {
                const QRgb c = pixels.pixel(x, y);
                if ((reduce ? c == 0 : (c & 0xFFFFFF) == key) || !screen.rect().contains(f.Origin.X + x, f.Origin.Y + y))
                    continue;
                screen.setPixel(f.Origin.X + x, f.Origin.Y + y, c | 0xFF000000u);
            }
        AppendShown(shown, screen, f.Duration / 10);
        if (f.Disposal == TDisposalMethod::dmRestoreBackground) {
            for (int y = 0; y < pixels.height(); ++y)
                for (int x = 0; x < pixels.width(); ++x)
                    if (screen.rect().contains(f.Origin.X + x, f.Origin.Y + y))
                        screen.setPixel(f.Origin.X + x, f.Origin.Y + y, 0);
        } else if (f.Disposal == TDisposalMethod::dmRestorePrevious) {
            screen = before;
        }
    }
    return shown;
}

// The first screen that differs, or -1 when both sequences are the same.
int FirstDifference(const std::vector<TShown>& a, const std::vector<TShown>& b)
{
    for (size_t i = 0; i < std::max(a.size(), b.size()); ++i)
        if (i >= a.size() || i >= b.size() || a[i].Screen != b[i].Screen || a[i].Delay != b[i].Delay)
            return int(i);
    return -1;
}

// A scene of a few colours: a striped backdrop, a square moving right, a
// still circle; frames 4 to 6 repeat frame 3.
TListSource MovingFigures(TColor transparent = clNone, TDisposalMethod disposal = TDisposalMethod::dmUndefined)
{
    TListSource source = Source(64, 48);
    for (int i = 0; i < 10; ++i) {
        QImage image(64, 48, QImage::Format_RGB32);
        image.fill(transparent == clNone ? QColor(240, 240, 220) : QColor::fromRgb(ColorToQRgb(transparent)));
        QPainter p(&image);
        if (transparent == clNone)
            for (int s = 0; s < 48; s += 8)
                p.fillRect(0, s, 64, 4, QColor(200, 210, 230));
        const int step = std::clamp(i, 0, 3) + std::max(0, i - 6);
        p.fillRect(4 + step * 5, 10, 12, 12, QColor(200, 30, 30));
        p.setBrush(QColor(20, 120, 40));
        p.drawEllipse(40, 26, 14, 14);
        p.end();
        source.List.push_back({image, {}, uint16_t(100 + 10 * i), transparent, disposal});
    }
    return source;
}

void ExpectShownByPeers(const QByteArray& gif, const std::vector<TShown>& expected)
{
    EXPECT_EQ(FirstDifference(ShownByGiflib(gif), expected), -1) << "giflib";
    QString error;
    const std::vector<TShown> pillow = ShownByPillow(gif, error);
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    EXPECT_EQ(FirstDifference(pillow, expected), -1) << "Pillow";
}

QImage PhotoLike(int width, int height, unsigned seed)
{
    QImage image(width, height, QImage::Format_RGB32);
    std::mt19937 rng(seed);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int n = int(rng() % 9) - 4;
            image.setPixel(x, y, qRgb(std::clamp(x * 255 / width + n, 0, 255), std::clamp(y * 255 / height + n, 0, 255),
                                      std::clamp(128 + int(60 * std::sin((x + y + int(seed) * 5) / 9.0)) + n, 0, 255)));
        }
    return image;
}

} // namespace

TEST(GIFExporter, MovingAndStillFramesShowExactlyInGiflibAndPillow)
{
    TListSource source = MovingFigures();
    const QByteArray gif = TGIFExporter().ExportToBytes(source);
    ExpectShownByPeers(gif, Expected(source));

    const TPeerGif peer = DecodeWithGiflib(gif);
    ASSERT_TRUE(peer.Ok);
    EXPECT_EQ(peer.Frames.size(), 7u) << "the three frames that repeat frame 3 lengthen it";
    EXPECT_EQ(peer.Frames[3].DelayHundredths, 13 + 14 + 15 + 16);
    for (size_t i = 1; i < peer.Frames.size(); ++i)
        EXPECT_LT(peer.Frames[i].Width * peer.Frames[i].Height, 64 * 48 / 4) << "frame " << i << " is cropped";
    EXPECT_EQ(peer.LoopCount, 0);

    TGIFExportOptions whole;
    whole.Optimise = false;
    const QByteArray plain = TGIFExporter(whole).ExportToBytes(source);
    EXPECT_EQ(DecodeWithGiflib(plain).Frames.size(), 10u);
    ExpectShownByPeers(plain, Expected(source));
}

TEST(GIFExporter, TransparentFramesClearWhatTheyNoLongerCover)
{
    // A figure moving over nothing: where it was must become clear again.
    for (const TDisposalMethod disposal : {TDisposalMethod::dmRestoreBackground, TDisposalMethod::dmUndefined}) {
        TListSource source = MovingFigures(RGB(255, 0, 255), disposal);
        const QByteArray gif = TGIFExporter().ExportToBytes(source);
        ExpectShownByPeers(gif, Expected(source));
        // Read back by the editor, the transparent colour is the frames' own.
        TZGIFImage image;
        image.LoadFromBytes({reinterpret_cast<const uint8_t*>(gif.constData()), size_t(gif.size())});
        EXPECT_EQ(image.Frames(0).TransparentColor(), RGB(255, 0, 255));
    }
}

TEST(GIFExporter, RandomFrameSequencesShowExactly)
{
    std::mt19937 rng(7);
    const QRgb colors[] = {0xFF102030, 0xFFE0E0E0, 0xFF00FF00, 0xFFFF00FF /* the key */, 0xFF808000};
    for (int round = 0; round < 300; ++round) {
        TListSource source = Source(8, 6);
        source.Animation.Looping = round % 2 == 0;
        const int count = 2 + int(rng() % 4);
        for (int i = 0; i < count; ++i) {
            const int w = 1 + int(rng() % 8), h = 1 + int(rng() % 6);
            QImage image(w, h, QImage::Format_RGB32);
            const int palette = 1 + int(rng() % 5);
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x)
                    image.setPixel(x, y, colors[rng() % unsigned(palette)]);
            const TColor key = rng() % 2 ? RGB(255, 0, 255) : clNone;
            const auto disposal = TDisposalMethod(rng() % 4);
            source.List.push_back({image, TPoint(int(rng() % unsigned(9 - w)), int(rng() % unsigned(7 - h))),
                                   uint16_t(10 * (rng() % 3)), key, disposal});
        }
        for (const bool optimise : {true, false}) {
            TGIFExportOptions options;
            options.Optimise = optimise;
            const QByteArray gif = TGIFExporter(options).ExportToBytes(source);
            ASSERT_EQ(FirstDifference(ShownByGiflib(gif), Expected(source)), -1)
                << "round " << round << (optimise ? ", optimised" : ", whole frames");
        }
    }
}

TEST(GIFExporter, TablesAreSizedToTheColoursAndSharedWhenTheyFit)
{
    TListSource source = Source(40, 30);
    for (int i = 0; i < 3; ++i) {
        QImage image(40, 30, QImage::Format_RGB32);
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 40; ++x)
                image.setPixel(x, y, qRgb((x * 21 / 40) * 12, 100, 50)); // 21 colours
        if (i == 2)
            image.setPixel(5, 5, qRgb(1, 2, 3)); // a colour the first frame lacks
        if (i == 1)
            image.setPixel(7, 7, qRgb(0, 100, 50));
        source.List.push_back({image, {}, 100, clNone, TDisposalMethod::dmUndefined});
    }
    const QByteArray gif = TGIFExporter().ExportToBytes(source);
    const TPeerGif peer = DecodeWithGiflib(gif);
    ASSERT_TRUE(peer.Ok);
    EXPECT_EQ(peer.GlobalPalette.size(), 32u);
    EXPECT_EQ(gif.at(13 + 32 * 3 + 19 + 8 + 10), 5) << "minimum code size of the first frame";
    ASSERT_EQ(peer.Frames.size(), 3u);
    EXPECT_FALSE(peer.Frames[1].HasLocalTable);
    EXPECT_TRUE(peer.Frames[2].HasLocalTable);
    EXPECT_LE(peer.Frames[2].Palette.size(), 4u) << "a local table as small as the changed area needs";
    EXPECT_EQ(FirstDifference(ShownByGiflib(gif), Expected(source)), -1);
}

TEST(GIFExporter, ManyColouredFramesGiveTheSameBytesOnAnyNumberOfThreads)
{
    TListSource source = Source(96, 64);
    for (int i = 0; i < 7; ++i)
        source.List.push_back({PhotoLike(96, 64, unsigned(i / 2)), {}, 50, clNone, TDisposalMethod::dmUndefined});
    for (const TColorReducer reducer : {TColorReducer::HighQuality, TColorReducer::Popularity}) {
        for (const bool dither : {false, true}) {
            TGIFExportOptions options;
            options.Reducer = reducer;
            options.Dither = dither;
            options.Threads = 1;
            const QByteArray serial = TGIFExporter(options).ExportToBytes(source);
            for (const int threads : {2, 3, 0}) {
                options.Threads = threads;
                EXPECT_EQ(TGIFExporter(options).ExportToBytes(source), serial) << threads << " threads";
            }
            if (reducer == TColorReducer::HighQuality && !dither) {
                EXPECT_EQ(FirstDifference(ShownByGiflib(serial), Expected(source, true)), -1);
            }
        }
    }
}

TEST(GIFExporter, ReadGIFsExportToWhatTheyShowed)
{
    // An animation as the editor holds one read from a file: encoded frames,
    // partly transparent, of several sizes, decoded only on demand.
    TZGIFImage original;
    TListSource frames = MovingFigures(RGB(255, 0, 255), TDisposalMethod::dmRestoreBackground);
    for (const TGIFSourceFrame& f : frames.List) {
        original.AddFrame(TBitmap(f.Pixels.copy(0, 0, 40 + original.Count(), 48)));
        TZGIFFrame& frame = original.Frames(original.Count() - 1);
        frame.SetTransparentColor(f.Transparent);
        frame.SetDisposalMethod(f.Disposal);
        frame.SetAnimateInterval(f.Duration);
    }
    original.SetLooping(true);
    const QByteArray bytes = original.SaveToBytes();
    TZGIFImage read;
    read.LoadFromBytes({reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size())});
    TZGIFImageSource source(read);
    const QByteArray exported = TGIFExporter().ExportToBytes(source);
    EXPECT_EQ(FirstDifference(ShownByGiflib(exported), ShownByGiflib(bytes)), -1);
    EXPECT_LT(exported.size(), bytes.size());
    for (int i = 1; i < read.Count(); ++i)
        EXPECT_FALSE(read.Frames(i).HasBitmap()) << "frame " << i << " stays encoded only";
}

TEST(GIFExporter, EmptySourcesAreRefused)
{
    TListSource none = Source(10, 10);
    EXPECT_THROW(TGIFExporter().ExportToBytes(none), std::exception);
    TListSource empty = Source(10, 10);
    empty.List.push_back({QImage(), {}, 0, clNone, TDisposalMethod::dmUndefined});
    EXPECT_THROW(TGIFExporter().ExportToBytes(empty), std::exception);
}

TEST(ColorReduction, PhotoFramesKeepTheirQualityAndTheTransparentColour)
{
    QImage photo = PhotoLike(160, 120, 3);
    for (int x = 0; x < 40; ++x)
        photo.setPixel(x, 0, qRgb(255, 0, 255));
    const QImage reduced = TColorReduction::Reduce(photo, RGB(255, 0, 255), TColorReducer::HighQuality, false);
    double squared = 0;
    int clear = 0;
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 160; ++x) {
            const QRgb a = photo.pixel(x, y), b = reduced.pixel(x, y);
            if (b == 0) {
                ++clear;
                EXPECT_EQ(a & 0xFFFFFF, 0xFF00FFu);
                continue;
            }
            EXPECT_NE(b & 0xFFFFFF, 0xFF00FFu) << "no other pixel takes the transparent colour";
            squared += std::pow(qRed(a) - qRed(b), 2) + std::pow(qGreen(a) - qGreen(b), 2) + std::pow(qBlue(a) - qBlue(b), 2);
        }
    EXPECT_EQ(clear, 40);
    const double psnr = 10 * std::log10(255.0 * 255.0 * 3 * (160 * 120 - 40) / squared);
    EXPECT_GT(psnr, 30.0);
    EXPECT_FALSE(TColorReduction::FitsTable(photo));
    EXPECT_TRUE(TColorReduction::FitsTable(reduced));

    const QImage popular = TColorReduction::Reduce(photo, RGB(255, 0, 255), TColorReducer::Popularity, false);
    EXPECT_EQ(popular.pixel(0, 0), 0u);
    EXPECT_TRUE(TColorReduction::FitsTable(popular));
}

TEST(ColorReduction, FramesOfAtMost256ColoursStayExact)
{
    QImage image(32, 16, QImage::Format_RGB32);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 32; ++x)
            image.setPixel(x, y, qRgb(x / 2 * 16, y * 16, 7)); // 512 pixels, 256 colours
    for (const TColorReducer reducer : {TColorReducer::HighQuality, TColorReducer::Popularity}) {
        const QImage reduced = TColorReduction::Reduce(image, clNone, reducer, true);
        EXPECT_EQ(reduced, image.convertToFormat(QImage::Format_ARGB32));
    }
    // With a transparent colour there is room for 255 others only.
    image.setPixel(0, 0, qRgb(1, 1, 1));
    const QImage keyed = TColorReduction::Reduce(image, RGB(1, 1, 1), TColorReducer::HighQuality, false);
    EXPECT_EQ(keyed.pixel(0, 0), 0u);
    EXPECT_EQ(keyed.pixel(31, 15), image.pixel(31, 15));
}
