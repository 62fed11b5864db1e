// The picture tables: removing pictures keeps every reference valid, and
// replacing a picture figure's picture at a key frame removes only what that
// key frame alone held.
#include "ModelTestSupport.h"

#include <gtest/gtest.h>

namespace {

TPic& Pic(TDocument& doc, int num)
{
    return static_cast<TPic&>(Obj(doc, num));
}

// The figure's qpBitmap value at key frame `index`.
TQPropValue PictureAt(const TDocument& doc, int num, int index = 0)
{
    const TQChange& c = doc.Animation.Figures[static_cast<size_t>(num)].Frames[static_cast<size_t>(index)].Change;
    const int j = TDocument::FindProp(c, qpBitmap, 0);
    return j < 0 ? TQPropValue{} : c[static_cast<size_t>(j)];
}

// The picture figure shows a new still picture at CurIndex (as loading an image file does).
void LoadStill(TDocument& doc, int num, TColor color)
{
    TPic& pic = Pic(doc, num);
    pic.Picture() = Solid(6, 6, color);
    pic.GNum = -1;
    pic.Modify = true;
    doc.SetFig(num);
}

// The picture figure shows a newly loaded GIF at CurIndex.
void LoadGIF(TDocument& doc, int num, TColor color)
{
    const int list = AddGIF(doc, {color, color ^ 0xFFFFFF});
    TPic& pic = Pic(doc, num);
    pic.BitNum = static_cast<int>(doc.GIFArr.size() - 1);
    pic.GNum = list;
    pic.Picture() = doc.BMPGIF[static_cast<size_t>(list)][0];
    pic.Modify = true;
    doc.SetFig(num);
}

TColor Shown(TDocument& doc, int num, int frame)
{
    doc.CurIndex = frame;
    doc.GetFig(num);
    return Pic(doc, num).Picture().Pixel(0, 0);
}

} // namespace

TEST(ImageTables, RemovingAGIFLowersLaterReferencesAndTheBackground)
{
    TDocument doc;
    doc.CurIndex = 0;
    const int a = AddFigure(doc, qfPicture);
    const int b = AddFigure(doc, qfPicture);
    const int c = AddFigure(doc, qfPicture);
    const int still = AddFigure(doc, qfPicture); // a still picture, BMPArr entry 3 once the others are GIFs
    LoadGIF(doc, a, 0x0000AA);
    LoadGIF(doc, b, 0x00BB00);
    LoadGIF(doc, c, 0xCC0000);
    AddGIF(doc, {0x777777}); // the background GIF, composed after the pictures
    doc.GIFArr.pop_back();
    doc.BackNum = 3;
    ASSERT_TRUE(PictureReferencesValid(doc));
    ASSERT_EQ(doc.BMPArr.size(), 1u);

    // Deleting the figure that shows the second GIF removes its pictures.
    const TQPropValue removed = PictureAt(doc, b);
    doc.DelImgArr(true, removed.Bitmap, removed.FNum);
    EXPECT_EQ(doc.GIFArr.size(), 2u);
    EXPECT_EQ(doc.BMPGIF.size(), 3u);
    EXPECT_EQ(PictureAt(doc, a), TQPropValue::OfBitmap(true, 0, 0));
    EXPECT_EQ(PictureAt(doc, c), TQPropValue::OfBitmap(true, 1, 1));
    EXPECT_EQ(PictureAt(doc, still), TQPropValue::OfBitmap(false, 0));
    EXPECT_EQ(doc.BackNum, 2);
    EXPECT_EQ(doc.BMPGIF[2][0].Pixel(0, 0), 0x777777u);
    EXPECT_EQ(Pic(doc, c).GNum, 1);
    EXPECT_EQ(Pic(doc, c).BitNum, 1);
    EXPECT_EQ(Pic(doc, a).GNum, 0);
    EXPECT_EQ(Shown(doc, c, 0), 0xCC0000u);

    // A list after the background leaves it alone.
    AddGIF(doc, {0x888888});
    doc.DelImgArr(true, 2, 3);
    EXPECT_EQ(doc.BackNum, 2);
    EXPECT_EQ(doc.BMPGIF.size(), 3u);

    // Still pictures: only still references move.
    doc.BMPArr.insert(doc.BMPArr.begin(), Solid(2, 2, 0));
    doc.Animation.Figures[still].Frames[0].Change.back().Bitmap = 1;
    doc.DelImgArr(false, 0, 0);
    EXPECT_EQ(PictureAt(doc, still), TQPropValue::OfBitmap(false, 0));
    EXPECT_EQ(PictureAt(doc, a), TQPropValue::OfBitmap(true, 0, 0));
    EXPECT_TRUE(PictureReferencesValid(doc));

    // Indexes outside the tables change nothing.
    doc.DelImgArr(false, 5, 0);
    doc.DelImgArr(true, 9, 9);
    EXPECT_EQ(doc.BMPArr.size(), 1u);
    EXPECT_EQ(doc.GIFArr.size(), 2u);
}

TEST(ImageTables, StillReplacedByGIFAtItsOwnKeyFrame)
{
    TDocument doc;
    doc.CurIndex = 0;
    const int first = AddFigure(doc, qfPicture);  // BMPArr 0
    const int edited = AddFigure(doc, qfPicture); // BMPArr 1
    const int last = AddFigure(doc, qfPicture);   // BMPArr 2
    Pic(doc, last).Picture() = Solid(3, 3, 0x010203);
    doc.BMPArr[2] = Pic(doc, last).Picture();
    LoadGIF(doc, edited, 0x00FF00);

    EXPECT_EQ(doc.BMPArr.size(), 2u);
    EXPECT_EQ(PictureAt(doc, first), TQPropValue::OfBitmap(false, 0));
    EXPECT_EQ(PictureAt(doc, last), TQPropValue::OfBitmap(false, 1));
    EXPECT_EQ(PictureAt(doc, edited), TQPropValue::OfBitmap(true, 0, 0)); // GIF indexes untouched
    EXPECT_EQ(Pic(doc, edited).GNum, 0);
    EXPECT_TRUE(PictureReferencesValid(doc));
    EXPECT_EQ(Shown(doc, last, 0), 0x010203u);
    EXPECT_EQ(Shown(doc, edited, 0), 0x00FF00u);
}

TEST(ImageTables, GIFReplacedByStillKeepsTheBackgroundAndLaterGIFs)
{
    TDocument doc;
    doc.CurIndex = 0;
    AddGIF(doc, {0x777777}); // background first
    doc.GIFArr.pop_back();
    doc.BackNum = 0;
    const int edited = AddFigure(doc, qfPicture);
    const int other = AddFigure(doc, qfPicture);
    LoadGIF(doc, edited, 0x0000FF); // GIFArr 0, list 1
    LoadGIF(doc, other, 0x00FF00);  // GIFArr 1, list 2
    ASSERT_TRUE(doc.BMPArr.empty());

    LoadStill(doc, edited, 0xABCDEF);
    EXPECT_EQ(doc.GIFArr.size(), 1u);
    EXPECT_EQ(doc.BMPGIF.size(), 2u);
    EXPECT_EQ(doc.BackNum, 0);
    EXPECT_EQ(PictureAt(doc, edited), TQPropValue::OfBitmap(false, 0)); // still index untouched
    EXPECT_EQ(PictureAt(doc, other), TQPropValue::OfBitmap(true, 0, 1));
    EXPECT_EQ(Pic(doc, other).GNum, 1);
    EXPECT_EQ(Pic(doc, other).BitNum, 0);
    EXPECT_EQ(Pic(doc, edited).GNum, -1);
    EXPECT_TRUE(PictureReferencesValid(doc));
    EXPECT_EQ(Shown(doc, other, 0), 0x00FF00u);
    EXPECT_EQ(Shown(doc, edited, 0), 0xABCDEFu);
}

TEST(ImageTables, GIFReplacedByGIFAcrossTheBackground)
{
    TDocument doc;
    doc.CurIndex = 0;
    const int edited = AddFigure(doc, qfPicture);
    const int other = AddFigure(doc, qfPicture);
    LoadGIF(doc, edited, 0x0000FF); // GIFArr 0, list 0
    AddGIF(doc, {0x777777});        // background: list 1
    doc.GIFArr.pop_back();
    doc.BackNum = 1;
    LoadGIF(doc, other, 0x00FF00);  // GIFArr 1, list 2

    LoadGIF(doc, edited, 0xFF0000); // GIFArr 2, list 3, replacing GIFArr 0 / list 0
    EXPECT_EQ(doc.GIFArr.size(), 2u);
    EXPECT_EQ(doc.BMPGIF.size(), 3u);
    EXPECT_EQ(doc.BackNum, 0);
    EXPECT_EQ(PictureAt(doc, other), TQPropValue::OfBitmap(true, 0, 1));
    EXPECT_EQ(PictureAt(doc, edited), TQPropValue::OfBitmap(true, 1, 2));
    EXPECT_EQ(Pic(doc, edited).GNum, 2);
    EXPECT_EQ(Pic(doc, edited).BitNum, 1);
    EXPECT_TRUE(PictureReferencesValid(doc));
    EXPECT_EQ(Shown(doc, edited, 0), 0xFF0000u);
    EXPECT_EQ(Shown(doc, edited, 1), 0x00FFFFu); // its second frame
    EXPECT_EQ(Shown(doc, other, 0), 0x00FF00u);

    // Storing again without a new picture keeps everything.
    doc.SetFig(edited);
    EXPECT_EQ(doc.GIFArr.size(), 2u);
}

TEST(ImageTables, AnInheritedPictureIsNotRemoved)
{
    TDocument doc;
    doc.CurIndex = 0;
    const int num = AddFigure(doc, qfPicture);
    doc.CurIndex = 5;
    Obj(doc, num).Left += 10;
    doc.SetFig(num); // a key frame at 5 without a picture of its own
    LoadStill(doc, num, 0x00AA00);
    EXPECT_EQ(doc.BMPArr.size(), 2u);
    EXPECT_EQ(PictureAt(doc, num, 1), TQPropValue::OfBitmap(false, 1));
    EXPECT_EQ(Shown(doc, num, 0), 0x112233u);
    EXPECT_EQ(Shown(doc, num, 5), 0x00AA00u);

    // A GIF over the inherited still picture likewise leaves it.
    doc.CurIndex = 8;
    doc.GetFig(num);
    Obj(doc, num).Top += 1;
    doc.SetFig(num);
    LoadGIF(doc, num, 0x0000CC);
    EXPECT_EQ(doc.BMPArr.size(), 2u);
    EXPECT_TRUE(PictureReferencesValid(doc));
    EXPECT_EQ(Shown(doc, num, 5), 0x00AA00u);
    EXPECT_EQ(Shown(doc, num, 8), 0x0000CCu);
}

TEST(ImageTables, APictureAnotherValueShowsIsKept)
{
    TDocument doc;
    doc.CurIndex = 0;
    const int a = AddFigure(doc, qfPicture);
    const int b = AddFigure(doc, qfPicture);
    // Both figures show BMPArr entry 0 (as a hand-made project may say).
    doc.Animation.Figures[b].Frames[0].Change.back().Bitmap = 0;
    doc.BMPArr.pop_back();
    LoadStill(doc, a, 0x00FF00);
    EXPECT_EQ(doc.BMPArr.size(), 2u);
    EXPECT_EQ(PictureAt(doc, b), TQPropValue::OfBitmap(false, 0));
    EXPECT_EQ(PictureAt(doc, a), TQPropValue::OfBitmap(false, 1));
}
