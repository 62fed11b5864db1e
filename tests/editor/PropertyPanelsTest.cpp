// The figure property pages without a window: what each kind of figure shows,
// edits stored at the current frame, default mode, "Delete Changes", node
// counts and the nodes grid, colours, and the command states.
#include "EditorCoreFixture.h"

#include "drawobjects/Bezier.h"
#include "drawobjects/Pic.h"
#include "drawobjects/SolidWithText.h"
#include "editor/core/CommandStates.h"
#include "editor/core/PropertyPanels.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <numbers>

namespace {

class PropertyPanelsTest : public EditorCoreTest {
protected:
    TPanelView Select(TQFigName kind)
    {
        AddFigure(20, 20, 60, 60, kind);
        return panels.Fill();
    }
    const TQFigure& Figure() { return core.Doc.Animation.Figures[static_cast<size_t>(core.DrObj()->FigNum)]; }

    TDefaultParam defaults;
    TPropertyPanels panels{core, defaults};
};

} // namespace

TEST_F(PropertyPanelsTest, EachKindShowsItsPagesAndRanges)
{
    TPanelView v = Select(qfPoint);
    EXPECT_EQ(v.BorderMin, 3);
    EXPECT_GE(v.BorderWidth, 3);
    EXPECT_FALSE(v.SizeShown);
    EXPECT_TRUE(v.Nodes.empty());
    EXPECT_FALSE(v.FillShown);
    EXPECT_TRUE(v.ColorPage);
    EXPECT_FALSE(v.TextPage);

    v = Select(qfStar);
    EXPECT_TRUE(v.AmountShown);
    EXPECT_EQ(v.AmountMin, 10);
    EXPECT_EQ(v.AmountStep, 2);
    EXPECT_EQ(v.AmountMax, 100);
    EXPECT_EQ(v.Amount, core.DrObj()->ButtonCount());
    EXPECT_EQ(v.Nodes.size(), static_cast<size_t>(v.Amount));

    v = Select(qfBezier);
    EXPECT_EQ(v.AmountMin, 4);
    EXPECT_EQ(v.AmountStep, 3);
    EXPECT_TRUE(v.LinePage);
    EXPECT_TRUE(v.LineShown);
    EXPECT_FALSE(v.OrientationShown);
    EXPECT_EQ(v.Line, !dynamic_cast<TBezier*>(core.DrObj())->Filled());

    v = Select(qfPolygon);
    EXPECT_EQ(v.AmountMin, 3);
    EXPECT_FALSE(v.LinePage);

    v = Select(qfLine);
    EXPECT_EQ(v.AmountMin, 2);
    EXPECT_TRUE(v.LinePage) << "for its arrows";
    EXPECT_FALSE(v.OrientationShown || v.AutoCenterShown || v.LineShown);
    EXPECT_FALSE(v.FillShown);

    v = Select(qfLLine);
    EXPECT_TRUE(v.LinePage);
    EXPECT_TRUE(v.OrientationShown);
    EXPECT_FALSE(v.AutoCenterShown);
    EXPECT_FALSE(v.AmountShown);

    v = Select(qfZLine);
    EXPECT_TRUE(v.AutoCenterShown);

    v = Select(qfText);
    EXPECT_FALSE(v.ColorPage);
    EXPECT_TRUE(v.TextPage);
    EXPECT_TRUE(v.MarginShown);
    EXPECT_FALSE(v.SpeechShown);

    v = Select(qfEllipse);
    EXPECT_TRUE(v.SpeechShown);
    EXPECT_FALSE(v.OutlineShown);

    v = Select(qfTextBezier);
    EXPECT_TRUE(v.TextPage);
    EXPECT_TRUE(v.OutlineShown);
    EXPECT_FALSE(v.MarginShown);
    EXPECT_FALSE(v.LinePage);

    // A GIF picture: its first composite, size and frame count; no colours.
    const QString gif = QDir(CorpusDir()).filePath(QStringLiteral("gif/imagegif_set_hsts.gif"));
    ASSERT_TRUE(core.QNewFigure(qfPicture, gif));
    v = panels.Fill();
    EXPECT_TRUE(v.ImagePage);
    EXPECT_FALSE(v.ColorPage);
    ASSERT_NE(v.ImagePicture, nullptr);
    EXPECT_EQ(v.ImageDimensions,
              QString::number(v.ImagePicture->Width()) + " X " + QString::number(v.ImagePicture->Height()));
    const auto* pic = dynamic_cast<TPic*>(core.DrObj());
    EXPECT_EQ(v.ImageFrames, QString::number(core.Doc.BMPGIF[static_cast<size_t>(pic->GNum)].size()) + " frame(s)");
}

TEST_F(PropertyPanelsTest, EditsApplyAtOnceAndAreStoredAtTheCurrentFrame)
{
    for (int i = 0; i < 3; ++i)
        core.AddFrames(0);
    core.SetFrameIndex(0);
    TDrawObject* obj = AddFigure(20, 20, 60, 60, qfRectangle);
    core.Doc.Animation.Figures[0].Count = 4;
    core.SetFrameIndex(2);
    core.Doc.IsModify = false;

    panels.BorderWidthChange(7);
    panels.AngleChange(90);
    panels.PaddingChange(11);
    panels.TextChange({QStringLiteral("one"), QStringLiteral("two")});
    EXPECT_EQ(obj->Pen().Width, 7);
    EXPECT_EQ(obj->QAngle, 90);
    EXPECT_FLOAT_EQ(obj->SAngle, static_cast<float>(std::numbers::pi / 2));
    EXPECT_TRUE(core.Doc.IsModify);
    // A key frame at frame 2 already holds the edits.
    ASSERT_EQ(Figure().Frames.size(), 2u);
    EXPECT_EQ(Figure().Frames[1].Number, 2);
    TPanelView v = panels.Fill();
    EXPECT_EQ(v.Angle, 90);
    EXPECT_EQ(v.Changes, (QStringList{QStringLiteral("1"), QStringLiteral("3")}));
    EXPECT_EQ(v.TextLines, (QStringList{QStringLiteral("one"), QStringLiteral("two")}));

    core.SetFrameIndex(0);
    EXPECT_EQ(obj->Pen().Width, 2);
    EXPECT_EQ(panels.Fill().Angle, 0);
    core.SetFrameIndex(2);
    EXPECT_EQ(obj->Pen().Width, 7);

    // While the pages are being filled nothing is applied to the angle.
    core.SetIsDel(false);
    panels.AngleChange(45);
    EXPECT_EQ(obj->QAngle, 90);
    core.SetIsDel(true);

    // Width and height go through the object's resize and are stored at once.
    panels.CoordInit(TCoordBox::Width, 120);
    EXPECT_EQ(obj->Width(), 120);
    core.SetFrameIndex(0);
    EXPECT_EQ(obj->Width(), 60);
}

TEST_F(PropertyPanelsTest, DefaultModeWritesOnlyTheDefaults)
{
    TDrawObject* obj = AddFigure(20, 20, 60, 60, qfEllipse);
    core.Doc.IsModify = false;
    const int padding = dynamic_cast<TSolidWithText*>(obj)->Padding();
    const int left = obj->Left;
    panels.IsDefault = true;

    panels.PaddingChange(9);
    panels.CoordInit(TCoordBox::Left, 33);
    panels.SpeechChange(3);
    panels.TextChange({QStringLiteral("a"), QStringLiteral("b")});
    dialogs.QueueColor(0x123456);
    EXPECT_EQ(panels.ColorButtonClick(TColorSwatch::Shadow), TColor(0x123456));

    EXPECT_EQ(defaults.Padding, 9);
    EXPECT_EQ(defaults.Left, 33);
    EXPECT_EQ(defaults.TextSpeech, 3);
    EXPECT_EQ(defaults.TextValue, QStringLiteral("a\r\nb"));
    EXPECT_EQ(defaults.ShadowColor, TColor(0x123456));
    EXPECT_EQ(dynamic_cast<TSolidWithText*>(obj)->Padding(), padding);
    EXPECT_EQ(obj->Left, left);
    EXPECT_FALSE(core.Doc.IsModify);

    // Filling the pages for a figure ends default mode.
    panels.Fill();
    EXPECT_FALSE(panels.IsDefault);
}

TEST_F(PropertyPanelsTest, DeleteChangesRemovesTheChosenKeyFrameOnly)
{
    for (int i = 0; i < 3; ++i)
        core.AddFrames(0);
    core.SetFrameIndex(0);
    TDrawObject* obj = AddFigure(20, 20, 60, 60, qfRectangle);
    core.Doc.Animation.Figures[0].Count = 4;
    core.SetFrameIndex(3);
    panels.ShadowWidthChange(6);
    ASSERT_EQ(Figure().Frames.size(), 2u);

    // Nothing chosen in the list yet that is a key frame of this figure.
    core.Doc.ChangeNumber = 1;
    EXPECT_FALSE(panels.ChangesEnable());
    EXPECT_FALSE(panels.DeleteChanges());

    EXPECT_EQ(core.Doc.FramesChangesListClick(1), 3);
    EXPECT_TRUE(panels.ChangesEnable());
    EXPECT_TRUE(panels.DeleteChanges());
    ASSERT_EQ(Figure().Frames.size(), 1u);
    EXPECT_EQ(obj->ShadowSize(), 0); // back to the state of frame 0
    EXPECT_FALSE(panels.ChangesEnable());
}

TEST_F(PropertyPanelsTest, ArrowsAreSetOnTheLinePageAndKeyFramed)
{
    for (int i = 0; i < 2; ++i)
        core.AddFrames(0);
    core.SetFrameIndex(0);
    AddFigure(20, 20, 60, 60, qfLine);
    auto* line = dynamic_cast<TBaseLine*>(core.DrObj());
    core.Doc.Animation.Figures[0].Count = 3;
    core.SetFrameIndex(2);
    core.Doc.IsModify = false;

    panels.ArrowChange(false, true);
    EXPECT_TRUE(line->Arrow2());
    EXPECT_FALSE(line->Arrow1());
    EXPECT_TRUE(core.Doc.IsModify);
    EXPECT_TRUE(core.Doc.DeleteChangesEnabled) << "an edit enables Delete Changes";
    TPanelView v = panels.Fill();
    EXPECT_TRUE(v.Arrow2);
    EXPECT_FALSE(v.Arrow1);
    // Held until the key frame at frame 2, like every flag.
    core.SetFrameIndex(1);
    EXPECT_FALSE(line->Arrow2());
    core.SetFrameIndex(2);
    EXPECT_TRUE(line->Arrow2());

    // On a Bezier figure an arrow takes the filling away.
    AddFigure(20, 20, 60, 60, qfBezier);
    auto* bezier = dynamic_cast<TBezier*>(core.DrObj());
    ASSERT_TRUE(bezier->Filled());
    panels.ArrowChange(true, true);
    EXPECT_TRUE(bezier->Arrow1());
    EXPECT_TRUE(panels.Fill().Line);

    // Default mode writes only the defaults.
    panels.IsDefault = true;
    panels.ArrowChange(true, true);
    panels.ArrowChange(false, true);
    EXPECT_TRUE(defaults.Arrow1);
    EXPECT_TRUE(defaults.Arrow2);
    EXPECT_FALSE(bezier->Arrow2());
}

TEST_F(PropertyPanelsTest, NodeCountsFollowEachKindsSteps)
{
    TDrawObject* bezier = AddFigure(20, 20, 60, 60, qfBezier);
    EXPECT_TRUE(panels.PointsCountChange(7));
    EXPECT_EQ(bezier->ButtonCount(), 7);
    EXPECT_FALSE(panels.PointsCountChange(8)); // not 3k + 1: stays
    EXPECT_EQ(bezier->ButtonCount(), 7);
    EXPECT_TRUE(panels.PointsCountChange(1000)); // capped
    EXPECT_EQ(bezier->ButtonCount(), 100);

    TDrawObject* star = AddFigure(20, 20, 60, 60, qfStar);
    const int before = star->ButtonCount();
    panels.PointsCountChange(before + 1); // odd counts do not make a star
    EXPECT_EQ(star->ButtonCount() % 2, 0);
    EXPECT_TRUE(panels.PointsCountChange(14));
    EXPECT_EQ(star->ButtonCount(), 14);
    panels.PointsCountChange(2);
    EXPECT_EQ(star->ButtonCount(), 10);

    TDrawObject* polygon = AddFigure(20, 20, 60, 60, qfPolygon);
    const int sides = polygon->ButtonCount() + 2;
    EXPECT_TRUE(panels.PointsCountChange(sides));
    EXPECT_EQ(polygon->ButtonCount(), sides);
    EXPECT_EQ(polygon->BtnPoints.size(), static_cast<size_t>(sides));

    TDrawObject* line = AddFigure(20, 20, 60, 60, qfLine);
    EXPECT_TRUE(panels.PointsCountChange(3));
    EXPECT_EQ(line->ButtonCount(), 3);
    EXPECT_EQ(panels.Fill().Nodes.size(), 3u);

    // A rectangle has no "Amount".
    TDrawObject* rectangle = AddFigure(20, 20, 60, 60, qfRectangle);
    const int corners = rectangle->ButtonCount();
    EXPECT_FALSE(panels.PointsCountChange(corners + 3));
    EXPECT_EQ(rectangle->ButtonCount(), corners);
}

TEST_F(PropertyPanelsTest, NodesGridRowsEditTheNodesAndCopyPasteRestoresThem)
{
    TDrawObject* line = AddFigure(20, 20, 60, 60, qfLine);
    ASSERT_GE(line->ButtonCount(), 2);
    const TPoint first = line->BtnPoints[0];
    const TPoint second = line->BtnPoints[1];
    panels.PointsCopy();
    EXPECT_TRUE(panels.Fill().PasteShown);

    // Row 3 is the y of node 2.
    core.Doc.IsModify = false;
    panels.PointChange(3, second.Y - 10);
    EXPECT_EQ(line->BtnPoints[1].X, second.X);
    EXPECT_EQ(line->BtnPoints[1].Y, second.Y - 10);
    EXPECT_EQ(line->BtnPoints[0], first);
    EXPECT_TRUE(core.Doc.IsModify);
    panels.PointChange(99, 5); // no such node
    EXPECT_EQ(line->ButtonCount(), 2);

    panels.PointsPaste();
    EXPECT_EQ(line->BtnPoints[1], second);
}

TEST_F(PropertyPanelsTest, ColourChoiceAppliesOnlyADifferentColour)
{
    TDrawObject* obj = AddFigure(20, 20, 60, 60, qfRectangle);
    core.Doc.IsModify = false;
    dialogs.QueueColor(obj->Color); // the same palette colour
    EXPECT_EQ(panels.ColorButtonClick(TColorSwatch::Fill), obj->Color);
    EXPECT_FALSE(core.Doc.IsModify);
    dialogs.QueueColor(std::nullopt); // cancelled
    panels.ColorButtonClick(TColorSwatch::Border);
    EXPECT_EQ(obj->Pen().Color, clBlack);
    EXPECT_FALSE(core.Doc.IsModify);

    dialogs.QueueColor(0x00FF00);
    EXPECT_EQ(panels.ColorButtonClick(TColorSwatch::Border), TColor(0x00FF00));
    EXPECT_EQ(obj->Pen().Color, TColor(0x00FF00));
    EXPECT_TRUE(core.Doc.IsModify);

    // Without a figure nothing is asked.
    core.Doc.DrObj = nullptr;
    EXPECT_EQ(panels.ColorButtonClick(TColorSwatch::Fill), clNone);
}

TEST_F(PropertyPanelsTest, CommandStatesFollowFramesPlayingSelectionAndClipboards)
{
    TCommandStates s = CommandStates(core);
    EXPECT_TRUE(s.Frames);
    EXPECT_TRUE(s.Play);
    EXPECT_FALSE(s.Stop);
    EXPECT_FALSE(s.StartPrevious);
    EXPECT_FALSE(s.NextEnd); // one frame only
    EXPECT_FALSE(s.FigureSelected);
    EXPECT_FALSE(s.FigurePaste);
    EXPECT_FALSE(s.FramePaste);
    EXPECT_FALSE(s.BackGIFDelete);

    core.AddFrames(0);
    core.SetFrameIndex(0);
    AddFigure(10, 10);
    s = CommandStates(core);
    EXPECT_TRUE(s.NextEnd);
    EXPECT_FALSE(s.StartPrevious);
    EXPECT_TRUE(s.FigureSelected);
    EXPECT_TRUE(s.SaveProject);
    core.SetFrameIndex(1);
    s = CommandStates(core);
    EXPECT_TRUE(s.StartPrevious);
    EXPECT_FALSE(s.NextEnd);

    core.CopyFrameButtonClick();
    EXPECT_TRUE(CommandStates(core).FramePaste);

    core.Play();
    s = CommandStates(core);
    EXPECT_FALSE(s.Frames);
    EXPECT_TRUE(s.Stop);
    EXPECT_FALSE(s.Play);
    EXPECT_FALSE(s.AddFrame);
    EXPECT_FALSE(s.FramePaste);
    EXPECT_FALSE(s.NextEnd);
    EXPECT_FALSE(s.StartPrevious);
    EXPECT_FALSE(s.Times);
    core.Stop();

    core.SetLoop(true);
    EXPECT_FALSE(CommandStates(core).Times); // repeating forever
}

TEST_F(PropertyPanelsTest, TextBlockTakesTheSizeOfItsLines)
{
    TDrawObject* text = AddFigure(10, 10, 20, 20, qfText);
    const QString line = QStringLiteral("A line much wider than twenty pixels");
    panels.TextChange({line, line});
    // Too narrow a box would leave the lines out whole.
    EXPECT_GT(text->Width(), 20 + text->SmallBitmap.Canvas().TextWidth(line) / 2);
    EXPECT_GT(text->Height(), 20);
    const int wide = text->Width();
    panels.TextChange({QStringLiteral("x")});
    EXPECT_LT(text->Width(), wide);
}
