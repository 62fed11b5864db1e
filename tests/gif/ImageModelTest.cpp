// The image and frame model: sharing, current frame, frame list, assignment.
#include "gif/GIFError.h"
#include "gif/ZGIFImage.h"

#include <gtest/gtest.h>

namespace {

TBitmap Solid(int width, int height, QRgb rgb)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(rgb);
    return TBitmap(image);
}

TZGIFImage ThreeFrames()
{
    TZGIFImage image;
    image.AddFrame(Solid(4, 4, 0xFFFF0000));
    image.AddFrame(Solid(6, 2, 0xFF00FF00));
    image.AddFrame(Solid(2, 8, 0xFF0000FF));
    return image;
}

} // namespace

TEST(GIFImageModel, CopiesShareEncodedDataAndCopyGlobalDataOnWrite)
{
    TZGIFImage original = ThreeFrames();
    const QByteArray bytes = original.SaveToBytes(); // encodes every frame
    TZGIFImage copy(original);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(copy.Frames(i).ItemPtr().get(), original.Frames(i).ItemPtr().get());
    EXPECT_EQ(&copy.GlobalData(), &original.GlobalData());
    copy.SetComment({"copy only"});
    EXPECT_NE(&copy.GlobalData(), &original.GlobalData());
    EXPECT_TRUE(original.Comment().isEmpty());
    EXPECT_EQ(original.SaveToBytes(), bytes);
    EXPECT_TRUE(copy.Equals(copy));
    EXPECT_FALSE(copy.Equals(original));
}

TEST(GIFImageModel, CurrentFrameAndFrameListOperations)
{
    TZGIFImage image = ThreeFrames();
    int changes = 0;
    image.OnChange = [&] { ++changes; };
    EXPECT_EQ(image.FrameIndex(), 2);
    image.SetFrameIndex(99);
    EXPECT_EQ(image.FrameIndex(), 2);
    image.SetFrameIndex(-5);
    EXPECT_EQ(image.FrameIndex(), -1);
    EXPECT_EQ(image.TransparentColor(), clNone);
    EXPECT_EQ(changes, 1);

    EXPECT_EQ(image.ScreenWidth(), 6);
    EXPECT_EQ(image.ScreenHeight(), 8);
    image.SetFrameIndex(2);
    image.DeleteFrame(2); // the current, last frame: the one before becomes current
    EXPECT_EQ(image.FrameIndex(), 1);
    EXPECT_EQ(image.ScreenHeight(), 4);
    image.MoveFrame(1, 0);
    EXPECT_EQ(image.FrameIndex(), 0);
    EXPECT_EQ(image.Frames(0).Width(), 6);
    EXPECT_THROW(image.Frames(2), EListError);
    EXPECT_THROW(image.DeleteFrame(-1), EListError);
}

TEST(GIFImageModel, VersionFollowsWhatTheFramesNeed)
{
    TZGIFImage image;
    EXPECT_EQ(image.Version(), TGIFVersion::gvUnknown);
    image.AddFrame(Solid(2, 2, 0xFF000000));
    EXPECT_EQ(image.Version(), TGIFVersion::gv87a);
    image.Frames(0).SetTransparentColor(RGB(0, 0, 0));
    EXPECT_EQ(image.Version(), TGIFVersion::gv89a);

    TZGIFImage second;
    second.AddFrame(Solid(2, 2, 0xFF000000));
    second.AddFrame(Solid(2, 2, 0xFF000000));
    EXPECT_EQ(second.Version(), TGIFVersion::gv89a);
}

TEST(GIFImageModel, AssignmentFromBitmapsFramesAndImages)
{
    // A transparent bitmap hands over its key colour.
    TBitmap keyed = Solid(3, 3, 0xFF102030);
    keyed.SetTransparent(true);
    keyed.SetTransparentColor(RGB(0x10, 0x20, 0x30));
    TZGIFImage image;
    image.Assign(keyed);
    EXPECT_EQ(image.Count(), 1);
    EXPECT_EQ(image.Frames(0).TransparentColor(), RGB(0x10, 0x20, 0x30));
    EXPECT_TRUE(image.Transparent());

    // A frame of another image keeps its own table and brings the global data along.
    TZGIFImage source = ThreeFrames();
    source.SaveToBytes();
    TZGIFImage single;
    single.Assign(source.Frames(1));
    EXPECT_TRUE(single.Frames(0).LocalColors());
    EXPECT_EQ(single.GlobalData().FColorMap, source.GlobalData().FColorMap);
    EXPECT_EQ(single.Frames(0).ItemPtr().get(), source.Frames(1).ItemPtr().get());

    // AddFrame from an image takes its current frame, also from the image itself.
    source.SetFrameIndex(2);
    TZGIFImage picked;
    picked.AddFrame(source);
    EXPECT_EQ(picked.Frames(0).Height(), 8);
    source.SetFrameIndex(0);
    source.AddFrame(source);
    EXPECT_EQ(source.Count(), 4);
    EXPECT_EQ(source.Frames(3).ItemPtr().get(), source.Frames(0).ItemPtr().get());

    // Out to a bitmap: the frame's pixels and key.
    TBitmap out;
    image.AssignTo(out);
    EXPECT_EQ(out.Width(), 3);
    EXPECT_TRUE(out.Transparent());
    EXPECT_EQ(out.TransparentColor(), RGB(0x10, 0x20, 0x30));
}

TEST(GIFImageModel, EncodeAllFramesShowsReducedColoursAndGrayscaleGreys)
{
    TZGIFImage image;
    image.AddFrame(Solid(5, 5, 0xFF336699));
    image.EncodeAllFrames();
    EXPECT_EQ(image.Frames(0).Bitmap().PixelFormat(), TPixelFormat::pf8bit);
    EXPECT_EQ(image.Frames(0).Bitmap().Pixel(1, 1), RGB(0x33, 0x66, 0x99));

    image.Grayscale();
    const int grey = (77 * 0x33 + 150 * 0x66 + 29 * 0x99) >> 8;
    EXPECT_EQ(image.Frames(0).Bitmap().Pixel(1, 1), RGB(grey, grey, grey));
    EXPECT_TRUE(image.Frames(0).Grayscale());
    TZGIFImage empty;
    EXPECT_THROW(empty.Grayscale(), EInvalidGraphicOperation);
}
