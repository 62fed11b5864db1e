// Composing a GIF's frames into full pictures for the project.
#include "ProjectFileTestSupport.h"

#include "model/Document.h"
#include "model/GIFComposites.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

TEST(GIFComposites, EachFrameIsDrawnOverThePreviousWhateverItsDisposal)
{
    TZGIFImage gif;
    gif.AddFrame(MakeBitmap(10, 10, clRed));
    const int second = gif.AddFrame(MakeBitmap(3, 3, clBlue, TRect{1, 1, 2, 2}, clWhite));
    gif.Frames(second).SetOrigin(TPoint{2, 2});
    gif.Frames(second).SetTransparentColor(clWhite);
    gif.Frames(second).SetDisposalMethod(TDisposalMethod::dmRestoreBackground);
    const int third = gif.AddFrame(MakeBitmap(2, 2, clLime));
    gif.Frames(third).SetOrigin(TPoint{6, 6});

    TDocument doc;
    doc.BMPGIF.resize(1); // an earlier list
    THeadlessProgress progress;
    ASSERT_EQ(AddBMPArr(doc, gif, progress), 1);
    EXPECT_TRUE(doc.IsGIFDraw);
    const TGIFComposites& list = doc.BMPGIF[1];
    ASSERT_EQ(list.size(), 3u);
    for (size_t i = 0; i < list.size(); ++i) {
        EXPECT_EQ(list[i].Width(), 10);
        EXPECT_EQ(list[i].PixelFormat(), TPixelFormat::pf24bit);
    }
    EXPECT_EQ(list[1].Pixel(2, 2), clBlue);
    EXPECT_EQ(list[1].Pixel(3, 3), clRed); // the transparent pixel shows frame 0
    EXPECT_EQ(list[1].Pixel(6, 6), clRed);
    EXPECT_EQ(list[2].Pixel(2, 2), clBlue); // not cleared by the disposal method
    EXPECT_EQ(list[2].Pixel(7, 7), clLime);
    EXPECT_EQ(list[2].Pixel(9, 9), clRed);

    DelBMPArr(doc, 0);
    EXPECT_EQ(doc.BMPGIF.size(), 1u);
    EXPECT_EQ(doc.BMPGIF[0].size(), 3u);
}

TEST(GIFComposites, NothingForAnEmptyGIFAndEmptySlotsAfterCancel)
{
    TDocument doc;
    THeadlessProgress progress;
    TZGIFImage empty;
    EXPECT_EQ(AddBMPArr(doc, empty, progress), -1);
    EXPECT_TRUE(doc.BMPGIF.empty());

    TZGIFImage gif = MakeGIF(4, 4, {clRed, clLime, clBlue, clYellow});
    progress.ApplyStart(4, QString());
    progress.CancelAt(2);
    ASSERT_EQ(AddBMPArr(doc, gif, progress), 0);
    ASSERT_EQ(doc.BMPGIF[0].size(), 4u);
    EXPECT_FALSE(doc.BMPGIF[0][1].Empty());
    EXPECT_TRUE(doc.BMPGIF[0][2].Empty());
    EXPECT_TRUE(doc.BMPGIF[0][3].Empty());
    EXPECT_TRUE(doc.IsGIFDraw);
}

TEST(GIFComposites, WhatNoFrameCoversIsWhiteAndTheLoadedFramesAreNotKeptDecoded)
{
    TZGIFImage written;
    const int only = written.AddFrame(MakeBitmap(3, 3, clBlue));
    written.Frames(only).SetOrigin(TPoint{2, 2});
    const QString file = TempDir() + QStringLiteral("/corner.gif");
    written.SaveToFile(file);

    TZGIFImage gif;
    gif.LoadFromFile(file);
    ASSERT_EQ(gif.ScreenWidth(), 5);
    TDocument doc;
    THeadlessProgress progress;
    ASSERT_EQ(AddBMPArr(doc, gif, progress), 0);
    const TBitmap& composite = doc.BMPGIF[0][0];
    EXPECT_EQ(composite.Pixel(0, 0), clWhite);
    EXPECT_EQ(composite.Pixel(3, 3), clBlue);
    // The pictures live in the composites; the frame decodes again on demand.
    EXPECT_FALSE(gif.Frames(0).HasBitmap());
    TBitmap again;
    gif.Frames(0).AssignTo(again);
    EXPECT_EQ(again.Pixel(1, 1), clBlue);
}

TEST(GIFComposites, PicturesComeBackExactFromThePackedFormAndCopiesShareThem)
{
    // More composites than the list keeps decoded: the early ones are dropped
    // and decode again from their packed form.
    constexpr int kFrames = 24, kW = 640, kH = 480;
    TZGIFImage gif;
    for (int i = 0; i < kFrames; ++i) {
        const int f = gif.AddFrame(MakeBitmap(8, 8, TColor(0x010203 * (i + 1))));
        gif.Frames(f).SetOrigin(TPoint{(i * 23) % (kW - 8), (i * 17) % (kH - 8)});
    }
    gif.Frames(0).Assign(MakeBitmap(kW, kH, clWhite)); // frame 0 sets the screen size
    TDocument doc;
    THeadlessProgress progress;
    ASSERT_EQ(AddBMPArr(doc, gif, progress), 0);
    const TGIFComposites& list = doc.BMPGIF[0];
    ASSERT_EQ(list.size(), size_t(kFrames));
    for (int i = kFrames - 1; i >= 0; --i) {
        SCOPED_TRACE(i);
        const TBitmap picture = list[size_t(i)];
        ASSERT_EQ(picture.Width(), kW);
        EXPECT_EQ(picture.PixelFormat(), TPixelFormat::pf24bit);
        // Every square drawn so far is there, later ones are not.
        for (int j = 1; j < kFrames; ++j)
            EXPECT_EQ(picture.Pixel((j * 23) % (kW - 8) + 4, (j * 17) % (kH - 8) + 4),
                      j <= i ? TColor(0x010203 * (j + 1)) : clWhite);
    }
    EXPECT_LE(list.CachedBytes(), int64_t(16) << 20);
    EXPECT_LT(list.PackedBytes(), int64_t(kW) * kH * kFrames / 20);

    // A copy (an undo state) shares the pictures; appending to it leaves the original alone.
    TGIFComposites copy = list;
    EXPECT_TRUE(copy.SharesWith(list));
    copy.push_back(MakeBitmap(kW, kH, clRed));
    EXPECT_FALSE(copy.SharesWith(list));
    EXPECT_EQ(list.size(), size_t(kFrames));
    ASSERT_EQ(copy.size(), size_t(kFrames + 1));
    EXPECT_EQ(copy[size_t(kFrames)].Pixel(0, 0), clRed);
    EXPECT_EQ(copy[0].Pixel(1, 1), list[0].Pixel(1, 1));
    EXPECT_THROW(list.at(size_t(kFrames)), std::out_of_range);
}
