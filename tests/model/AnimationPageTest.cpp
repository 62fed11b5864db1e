// The "Animation" page's operations and the document-wide ones around them:
// key frames listed and deleted, In All Frames, start frame and frame count,
// visibility, storing the selected figure, clearing the project.
#include "ModelTestSupport.h"

#include <gtest/gtest.h>

namespace {

// Three key frames (0, 4, 9) on one rectangle, which is the current figure.
struct TPageDoc {
    TDocument Doc;
    int Num = 0;
    TPageDoc()
    {
        Doc.CurIndex = 0;
        Num = AddFigure(Doc, qfRectangle);
        for (int frame : {4, 9}) {
            Doc.CurIndex = frame;
            Obj(Doc, Num).Left = frame * 10;
            Doc.SetFig(Num);
        }
        Doc.DrObj = &Obj(Doc, Num);
        Doc.QCount = 1;
        Doc.RedrawEnabled = false;
    }
    TQFigure& Fig() { return Doc.Animation.Figures[static_cast<size_t>(Num)]; }
};

} // namespace

TEST(AnimationPage, ListChooseAndDeleteKeyFrames)
{
    TPageDoc p;
    EXPECT_EQ(p.Doc.FramesChangesList(p.Num), (QStringList{"1", "5", "10"}));
    EXPECT_TRUE(p.Doc.FramesChangesList(7).isEmpty());

    EXPECT_EQ(p.Doc.FramesChangesListClick(1), 4);
    EXPECT_EQ(p.Doc.ChangeNumber, 4);
    EXPECT_TRUE(p.Doc.RedrawEnabled);
    EXPECT_TRUE(p.Doc.DeleteChangesEnabled);
    EXPECT_EQ(p.Doc.GetFrInd(), 1);
    EXPECT_EQ(p.Doc.FramesChangesListClick(3), -1);
    EXPECT_EQ(p.Doc.ChangeNumber, 4);

    p.Doc.CurIndex = 4;
    p.Doc.RedrawEnabled = false;
    ASSERT_TRUE(p.Doc.DeleteChanges());
    EXPECT_TRUE(p.Doc.RedrawEnabled);
    EXPECT_EQ(p.Doc.FramesChangesList(p.Num), (QStringList{"1", "10"}));
    EXPECT_EQ(Obj(p.Doc, p.Num).Left, 4 + (90 - 4) * 4 / 9); // reloaded: interpolated again (4 + Round(38.2))
    EXPECT_EQ(p.Doc.GetFrInd(), -1);
    EXPECT_FALSE(p.Doc.DeleteChanges());

    p.Doc.ChangeNumber = 9;
    p.Doc.DrObj = nullptr;
    EXPECT_EQ(p.Doc.GetFrInd(), -1);
    EXPECT_FALSE(p.Doc.DeleteChanges());
    EXPECT_EQ(p.Fig().Frames.size(), 2u);
}

TEST(AnimationPage, DeletingAKeyFrameLeavesItsPicturesInTheTables)
{
    TDocument doc;
    doc.CurIndex = 0;
    const int num = AddFigure(doc, qfPicture);
    doc.CurIndex = 3;
    auto& pic = static_cast<TPic&>(Obj(doc, num));
    pic.Picture() = Solid(2, 2, 0x00FF00);
    pic.Modify = true;
    doc.SetFig(num);
    ASSERT_EQ(doc.BMPArr.size(), 2u);
    doc.DrObj = &pic;
    doc.ChangeNumber = 3;
    ASSERT_TRUE(doc.DeleteChanges());
    EXPECT_EQ(doc.BMPArr.size(), 2u);
    EXPECT_EQ(pic.Picture().Pixel(0, 0), 0x112233u); // the first key frame's picture again
}

TEST(AnimationPage, InAllFramesDecidesVisibility)
{
    TPageDoc p;
    p.Fig().Start = 3;
    p.Fig().Count = 2;
    p.Doc.AllFramesCheck(false);
    EXPECT_FALSE(p.Fig().All);
    EXPECT_TRUE(p.Doc.RedrawEnabled);
    EXPECT_FALSE(p.Doc.IsVisible(p.Num, 2));
    EXPECT_TRUE(p.Doc.IsVisible(p.Num, 3));
    EXPECT_TRUE(p.Doc.IsVisible(p.Num, 4));
    EXPECT_FALSE(p.Doc.IsVisible(p.Num, 5));

    TDrawObject& obj = Obj(p.Doc, p.Num);
    p.Doc.CurIndex = 9;
    obj.Left = -1;
    p.Doc.GetAnim();
    EXPECT_FALSE(obj.Visible);
    EXPECT_EQ(obj.Left, -1); // a hidden figure is not loaded
    p.Doc.SetAnim();
    EXPECT_EQ(p.Fig().Frames.size(), 3u);

    p.Doc.AllFramesCheck(true);
    obj.SmallRedraw = obj.BigRedraw = false;
    p.Doc.GetAnim();
    EXPECT_TRUE(obj.Visible);
    EXPECT_EQ(obj.Left, 90);
    EXPECT_TRUE(obj.SmallRedraw);
    EXPECT_TRUE(obj.BigRedraw);
    p.Doc.CurIndex = 1000; // after Start + Count - 1
    EXPECT_TRUE(p.Doc.IsVisible(p.Num, 1000));

    obj.SmallRedraw = obj.BigRedraw = false;
    p.Doc.IsRedrawFrames = true; // rendering frames: the editor's decorations stay
    p.Doc.GetAnim();
    EXPECT_TRUE(obj.SmallRedraw);
    EXPECT_FALSE(obj.BigRedraw);
}

TEST(AnimationPage, StartAndCountAskForFramesToAddOrDelete)
{
    TPageDoc p;
    p.Doc.Animation.BackGIF.AddFrame(Solid(4, 4, 0));
    p.Doc.Animation.BackGIF.AddFrame(Solid(4, 4, 0));
    EXPECT_EQ(p.Doc.GetMaxNum(), 2);

    TStartCountChange r = p.Doc.StartFrameSpinExit(1, 1, 10);
    EXPECT_FALSE(r.Changed);
    EXPECT_FALSE(p.Doc.RedrawEnabled);

    r = p.Doc.StartFrameSpinExit(6, 7, 10); // frames 5..11 in an animation of 10
    EXPECT_TRUE(r.Changed);
    EXPECT_TRUE(p.Doc.RedrawEnabled);
    EXPECT_EQ(r.AddFrames, 2);
    EXPECT_EQ(r.DeleteFrames, 0);
    EXPECT_EQ(p.Fig().Start, 5);
    EXPECT_EQ(p.Fig().Count, 7);
    EXPECT_EQ(p.Doc.OldStart, 0);
    EXPECT_EQ(p.Doc.OldCount, 1);

    p.Doc.CancelStartCount(); // adding the frames was cancelled
    EXPECT_EQ(p.Fig().Start, 0);
    EXPECT_EQ(p.Fig().Count, 1);

    r = p.Doc.StartFrameSpinExit(2, 1, 12); // the project now needs 2 frames
    EXPECT_EQ(r.AddFrames, 0);
    EXPECT_EQ(r.DeleteFrames, 10);
    r = p.Doc.StartFrameSpinExit(1, 1, 2); // the background GIF still needs both
    EXPECT_EQ(r.DeleteFrames, 0);

    r = p.Doc.StartFrameSpinExit(0, -5, 2); // below the spin edits' range
    EXPECT_EQ(p.Fig().Start, 0);
    EXPECT_EQ(p.Fig().Count, 1);

    p.Doc.DrObj = nullptr;
    EXPECT_FALSE(p.Doc.StartFrameSpinExit(3, 3, 2).Changed);
}

TEST(AnimationPage, GetMaxNumCoversFiguresAndBackground)
{
    TDocument doc;
    EXPECT_EQ(doc.GetMaxNum(), 0);
    doc.CurIndex = 0;
    AddFigure(doc, qfEllipse, 5);
    doc.Animation.Figures[0].Count = 2;
    EXPECT_EQ(doc.GetMaxNum(), 7);
    doc.Animation.Figures[0].Start = INT32_MAX; // damaged: no overflow
    EXPECT_EQ(doc.GetMaxNum(), INT32_MAX);
}

TEST(Document, OnlyAnEditStoresTheSingleSelectedFigureTheModifiedFlagDoesNot)
{
    TPageDoc p;
    p.Doc.CurIndex = 6;
    p.Doc.GetFig(p.Num);
    Obj(p.Doc, p.Num).Top = 321;
    p.Doc.QCount = 1;
    p.Doc.SetModify(true);
    EXPECT_TRUE(p.Doc.IsModify);
    EXPECT_EQ(p.Fig().Frames.size(), 3u);
    p.Doc.QCount = 2;
    p.Doc.StoreSelectedFigure();
    EXPECT_EQ(p.Fig().Frames.size(), 3u);
    p.Doc.QCount = 1;
    p.Doc.StoreSelectedFigure();
    p.Doc.SetModify(false);
    EXPECT_FALSE(p.Doc.IsModify);
    EXPECT_EQ(p.Doc.FramesChangesList(p.Num), (QStringList{"1", "5", "7", "10"}));

    EXPECT_FALSE(p.Doc.IsFig());
    Obj(p.Doc, p.Num).SetFocused(true);
    EXPECT_TRUE(p.Doc.IsFig());
}

TEST(Document, NewFiguresAndClearProject)
{
    TDocument doc;
    doc.CurIndex = 3;
    const int a = doc.NewFigure(qfStar, CreateDrawObject(qfStar), 3);
    const int b = doc.NewFigure(qfText, CreateDrawObject(qfText), -4);
    EXPECT_EQ(a, 0);
    EXPECT_EQ(b, 1);
    const TQFigure& fig = doc.Animation.Figures[1];
    EXPECT_EQ(fig.Name, qfText);
    EXPECT_TRUE(fig.All);
    EXPECT_EQ(fig.Start, 0);
    EXPECT_EQ(fig.Count, 1);
    EXPECT_TRUE(fig.Frames.empty());
    ASSERT_EQ(doc.DrawArr.size(), 2u);
    EXPECT_EQ(doc.DrawArr[1].get(), fig.Obj);
    EXPECT_EQ(fig.Obj->FigNum, 1);
    doc.StoreNewFigure(a);
    EXPECT_EQ(doc.Animation.Figures[0].Frames[0].Number, 3);
    EXPECT_EQ(doc.CurIndex, 3);
    EXPECT_EQ(CreateDrawObject(qfArc), nullptr);

    doc.DrObj = fig.Obj;
    doc.BackNum = 0;
    doc.StrArr << "x";
    AddGIF(doc, {0});
    doc.Animation.BackColor = 0;
    doc.Animation.IsBackBMP = true;
    doc.ClearProject();
    EXPECT_TRUE(doc.Animation.Figures.empty());
    EXPECT_TRUE(doc.DrawArr.empty());
    EXPECT_EQ(doc.DrObj, nullptr);
    EXPECT_TRUE(doc.StrArr.isEmpty());
    EXPECT_TRUE(doc.GIFArr.empty());
    EXPECT_TRUE(doc.BMPGIF.empty());
    EXPECT_EQ(doc.BackNum, -1);
    EXPECT_EQ(doc.CurIndex, -2);
    EXPECT_EQ(doc.Animation.BackColor, clWhite);
    EXPECT_FALSE(doc.Animation.IsBackBMP);
    EXPECT_TRUE(doc.IsProject);
}

// An edit by property name writes the key frame the engine writes for the
// object edited directly; a property the kind lacks is neither set nor stored.
TEST(Document, StorePropertyWritesTheKeyFrameOfTheEditAndOnlyForPropertiesOfTheKind)
{
    TPageDoc byName;
    TPageDoc direct;
    for (TPageDoc* p : {&byName, &direct}) {
        p->Doc.CurIndex = 6; // between two key frames: the interpolated Left goes in too
        p->Doc.GetFig(p->Num);
    }
    ASSERT_TRUE(byName.Doc.StoreProperty(byName.Num, TQPropValue::OfInt(qpBorderWidth, 7)));
    Obj(direct.Doc, direct.Num).Pen().Width = 7;
    direct.Doc.SetFig(direct.Num);
    EXPECT_EQ(byName.Fig().Frames, direct.Fig().Frames);
    EXPECT_EQ(byName.Doc.FramesChangesList(byName.Num), (QStringList{"1", "5", "7", "10"}));

    const TQFrArr before = byName.Fig().Frames;
    byName.Doc.CurIndex = 2;
    EXPECT_FALSE(byName.Doc.StoreProperty(byName.Num, TQPropValue::OfBool(qpChCn, false))); // a Z-line's
    EXPECT_FALSE(byName.Doc.StoreProperty(byName.Num + 1, TQPropValue::OfInt(qpLeft, 1)));  // no such figure
    EXPECT_EQ(byName.Fig().Frames, before);
}
