// Loading and storing figure state: every figure kind survives a round trip
// through its key frames; what is stored where; GIF pictures playing.
#include "ModelTestSupport.h"

#include "drawobjects/Line.h"
#include "drawobjects/Polygon.h"

#include <gtest/gtest.h>

namespace {

const TQFigName kAllKinds[] = {qfPoint,   qfLine,    qfLLine,   qfZLine,  qfRectangle, qfDiamond, qfArrow,
                               qfStar,    qfPolygon, qfEllipse, qfBezier, qfText,      qfTextBezier, qfPicture};

// Changes every property the engine stores, the way the editor's panels do.
void EditEverything(TDocument& doc, TDrawObject& obj)
{
    if (auto* line = dynamic_cast<TLine*>(&obj))
        line->SetButtonCount(4);
    else if (auto* bezier = dynamic_cast<TBezier*>(&obj))
        bezier->SetButtonCount(7);
    else if (auto* polygon = dynamic_cast<TPolygon*>(&obj))
        polygon->SetButtonCount(12);
    obj.BtnPoints.back().X += 13;
    obj.InternalResize();
    obj.Left += 7;
    obj.Top -= 3;
    obj.SetWidth(obj.Width() + 10);
    obj.Resize();
    obj.QAngle = 30;
    obj.SAngle = static_cast<float>(30 * 0.017453292519943295769L);
    obj.QRotCenter = !obj.QRotCenter;
    obj.QRotPt = {11, 12};
    obj.Color = 0x123456;
    obj.ColorShadow = 0x654321;
    obj.Pen().Color = 0x00FF00;
    obj.Pen().Width = 5;
    obj.SetShadowSize(7);
    if (auto* line = dynamic_cast<TBaseLine*>(&obj)) {
        line->SetArrow1(!line->Arrow1());
        line->SetArrow2(true);
    }
    if (auto* c = dynamic_cast<TConnector*>(&obj))
        c->SetOrientation(TOrientation::oVertical);
    if (auto* z = dynamic_cast<TZLine*>(&obj)) {
        z->SetAutoCenter(false);
        z->BtnPoints[1].Y += 5;
    }
    if (auto* t = dynamic_cast<TSolidWithText*>(&obj)) {
        t->SetStrings({QStringLiteral("one"), QString(), QStringLiteral("three")});
        t->SetPadding(9);
    }
    if (auto* t = dynamic_cast<TTextBezier*>(&obj)) {
        t->SetText(QStringLiteral("along\r\nthe curve"));
        t->SetOutline(TFontOutline::foColored);
    }
    obj.Font.Name = QStringLiteral("Times New Roman");
    obj.Font.Size = 20;
    obj.Font.Color = 0x0000FF;
    obj.Font.Style = fsBold | fsItalic;
    if (auto* e = dynamic_cast<TEllipse*>(&obj))
        e->SetBalloonPoint(TBalloonPoint::bpTopRight);
    if (auto* p = dynamic_cast<TPic*>(&obj)) {
        p->SetTransparent(true);
        p->Picture() = Solid(5, 9, 0x445566);
        p->Modify = true;
    }
    (void)doc;
}

class FigureRoundTrip : public ::testing::TestWithParam<TQFigName> {};

} // namespace

TEST_P(FigureRoundTrip, StoredStatesComeBackAtTheirFrames)
{
    TDocument doc;
    const int num = AddFigure(doc, GetParam());
    TDrawObject& obj = Obj(doc, num);
    const TFigState initial = Capture(obj);
    doc.RedrawEnabled = false;
    ASSERT_EQ(doc.Animation.Figures[0].Frames.size(), 1u);
    EXPECT_EQ(doc.Animation.Figures[0].Frames[0].Number, 0);

    doc.CurIndex = 5;
    doc.GetFig(num);
    EXPECT_EQ(Capture(obj), initial);
    doc.SetFig(num); // nothing changed: nothing stored
    EXPECT_EQ(doc.Animation.Figures[0].Frames.size(), 1u);
    EXPECT_FALSE(doc.RedrawEnabled);

    EditEverything(doc, obj);
    const TFigState edited = Capture(obj);
    ASSERT_NE(edited, initial);
    doc.SetFig(num);
    EXPECT_TRUE(doc.RedrawEnabled);
    ASSERT_EQ(doc.Animation.Figures[0].Frames.size(), 2u);
    EXPECT_EQ(doc.Animation.Figures[0].Frames[1].Number, 5);

    doc.CurIndex = 0;
    doc.GetFig(num);
    EXPECT_EQ(Capture(obj), initial);
    for (int frame : {5, 9}) {
        doc.CurIndex = frame;
        doc.GetFig(num);
        EXPECT_EQ(Capture(obj), edited) << "frame " << frame;
    }
    doc.SetFig(num);
    EXPECT_EQ(doc.Animation.Figures[0].Frames.size(), 2u);
}

INSTANTIATE_TEST_SUITE_P(EveryKind, FigureRoundTrip, ::testing::ValuesIn(kAllKinds),
                         [](const ::testing::TestParamInfo<TQFigName>& kind) { return "Kind" + std::to_string(int(kind.param)); });

TEST(FigureState, TheFirstKeyFrameHoldsEveryPropertyOfTheKind)
{
    TDocument doc;
    auto names = [&](TQFigName kind) {
        const int num = AddFigure(doc, kind);
        std::vector<TQPropName> result;
        for (const TQPropValue& v : doc.Animation.Figures[num].Frames[0].Change)
            if (v.Name != qpNode)
                result.push_back(v.Name);
        return result;
    };
    const std::vector<TQPropName> common{qpNodeCount, qpLeft, qpTop, qpWidth, qpHeight, qpAngle, qpCenter,
                                         qpPointX, qpPointY, qpBackColor, qpShadowColor, qpBorderColor,
                                         qpBorderWidth, qpShadowWidth};
    auto with = [&](std::initializer_list<TQPropName> extra) {
        std::vector<TQPropName> v = common;
        v.insert(v.end(), extra);
        return v;
    };
    EXPECT_EQ(names(qfRectangle), with({qpTextValue, qpTextName, qpTextSize, qpTextColor, qpTextStyle, qpPadding}));
    EXPECT_EQ(names(qfEllipse),
              with({qpTextValue, qpTextName, qpTextSize, qpTextColor, qpTextStyle, qpPadding, qpTextSpeech}));
    EXPECT_EQ(names(qfZLine), with({qpArrow1, qpArrow2, qpOrient, qpChCn}));
    EXPECT_EQ(names(qfTextBezier), with({qpArrow1, qpArrow2, qpOrient, qpLine, qpTextValue, qpTextName, qpTextSize,
                                         qpTextColor, qpTextStyle, qpTextFill}));
    EXPECT_EQ(names(qfPicture), with({qpTransparent, qpBitmap}));
    EXPECT_EQ(names(qfStar), common);
    // One node entry per control point, after the count.
    const TQChange& rect = doc.Animation.Figures[0].Frames[0].Change;
    EXPECT_EQ(rect[1], TQPropValue::OfNode(0, Obj(doc, 0).BtnPoints[0]));
    EXPECT_EQ(rect[6], TQPropValue::OfNode(5, Obj(doc, 0).BtnPoints[5]));
}

TEST(FigureState, StringsAreAppendedOnlyWhenTheyChange)
{
    TDocument doc;
    const int num = AddFigure(doc, qfRectangle);
    const qsizetype before = doc.StrArr.size();
    auto& rect = static_cast<TSolidWithText&>(Obj(doc, num));
    doc.CurIndex = 3;
    doc.GetFig(num);
    rect.SetStrings({QStringLiteral("Hello"), QStringLiteral("World")});
    doc.SetFig(num);
    ASSERT_EQ(doc.StrArr.size(), before + 1); // the text only; the font name is unchanged
    EXPECT_EQ(doc.StrArr.back(), QStringLiteral("Hello\r\nWorld\r\n"));
    rect.Font.Name = QStringLiteral("arial"); // case counts
    doc.SetFig(num);
    EXPECT_EQ(doc.StrArr.size(), before + 2);
    doc.SetFig(num);
    EXPECT_EQ(doc.StrArr.size(), before + 2);
}

TEST(FigureState, StoringBeforeTheStartGoesToFrameZeroOnlyWithAllFrames)
{
    TDocument doc;
    const int num = AddFigure(doc, qfRectangle, 4);
    TQFigure& fig = doc.Animation.Figures[0];
    ASSERT_EQ(fig.Frames[0].Number, 4);

    fig.All = false;
    doc.CurIndex = 2;
    Obj(doc, num).Left = 40;
    doc.SetFig(num);
    EXPECT_EQ(fig.Frames.size(), 1u);

    fig.All = true;
    doc.SetFig(num);
    EXPECT_EQ(doc.CurIndex, 2); // restored
    ASSERT_EQ(fig.Frames.size(), 2u);
    EXPECT_EQ(fig.Frames[0].Number, 0);
    EXPECT_EQ(fig.Frames[1].Number, 4);
}

TEST(FigureState, EditsBetweenKeyFramesInsertInOrderAndKeepWhatWasShown)
{
    TDocument doc;
    const int num = AddFigure(doc, qfRectangle);
    TDrawObject& obj = Obj(doc, num);
    const int left0 = obj.Left;
    doc.CurIndex = 10;
    obj.Left = left0 + 100;
    obj.QRotCenter = !obj.QRotCenter; // takes the next key frame's value in between
    doc.SetFig(num);

    doc.CurIndex = 5;
    doc.GetFig(num);
    ASSERT_EQ(obj.Left, left0 + 50);
    doc.SetFig(num); // unchanged at an interpolated frame: nothing stored
    ASSERT_EQ(doc.Animation.Figures[0].Frames.size(), 2u);

    obj.Top += 20;
    const TFigState shown = Capture(obj);
    doc.SetFig(num);
    const TQFrArr& frames = doc.Animation.Figures[0].Frames;
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_EQ(frames[1].Number, 5);
    EXPECT_EQ(frames[2].Number, 10);
    doc.CurIndex = 0;
    doc.GetFig(num);
    doc.CurIndex = 5;
    doc.GetFig(num);
    EXPECT_EQ(Capture(obj), shown); // the interpolated left and the next key frame's centre flag stay
    doc.CurIndex = 7;
    doc.GetFig(num);
    EXPECT_EQ(obj.Left, left0 + 70);
}

TEST(FigureState, MovingBackToTheEarlierValueBetweenKeyFramesIsStored)
{
    TDocument doc;
    const int num = AddFigure(doc, qfRectangle);
    TDrawObject& obj = Obj(doc, num);
    const int left0 = obj.Left;
    doc.CurIndex = 10;
    obj.Left = left0 + 100;
    doc.SetFig(num);
    doc.CurIndex = 5;
    doc.GetFig(num);
    obj.Left = left0; // equal to the earlier key frame's value, not to the shown one
    doc.SetFig(num);
    doc.CurIndex = 0;
    doc.GetFig(num);
    doc.CurIndex = 5;
    doc.GetFig(num);
    EXPECT_EQ(obj.Left, left0);
}

TEST(FigureState, NothingIsStoredWhileGIFsAreComposed)
{
    TDocument doc;
    const int num = AddFigure(doc, qfEllipse);
    doc.IsGIFDraw = false;
    doc.CurIndex = 3;
    Obj(doc, num).Left = 99;
    doc.SetFig(num);
    EXPECT_EQ(doc.Animation.Figures[0].Frames.size(), 1u);
}

TEST(FigureState, ALoweredNodeCountKeepsOnlyTheRemainingNodes)
{
    TDocument doc;
    const int num = AddFigure(doc, qfPolygon);
    auto& polygon = static_cast<TPolygon&>(Obj(doc, num));
    doc.CurIndex = 4;
    polygon.SetButtonCount(3);
    const TFigState triangle = Capture(polygon);
    doc.SetFig(num);
    doc.CurIndex = 0;
    doc.GetFig(num);
    EXPECT_EQ(polygon.ButtonCount(), 5);
    doc.CurIndex = 4;
    doc.GetFig(num);
    EXPECT_EQ(Capture(polygon), triangle);
    const TQChange state = doc.GetChange(num);
    EXPECT_EQ(TDocument::FindProp(state, qpNode, 3), -1);
    EXPECT_EQ(TDocument::FindProp(state, qpNode, 4), -1);
}

TEST(FigureState, AnAngleSetsDegreesAndRadians)
{
    TDocument doc;
    const int num = AddFigure(doc, qfArrow);
    doc.CurIndex = 6;
    Obj(doc, num).QAngle = 180;
    doc.SetFig(num);
    doc.CurIndex = 3;
    doc.GetFig(num);
    EXPECT_EQ(Obj(doc, num).QAngle, 90);
    EXPECT_FLOAT_EQ(Obj(doc, num).SAngle, 1.5707964f);
}

TEST(FigureState, AGIFPicturePlaysItsOwnFramesFromItsStartLooping)
{
    TDocument doc;
    const TColor colors[] = {0x0000FF, 0x00FF00, 0xFF0000};
    const int list = AddGIF(doc, {colors[0], colors[1], colors[2]});
    const int num = doc.NewFigure(qfPicture, CreateDrawObject(qfPicture), 2);
    auto& pic = static_cast<TPic&>(Obj(doc, num));
    pic.BitNum = 0;
    pic.GNum = list;
    pic.Picture() = doc.BMPGIF[list][0];
    pic.Modify = true;
    doc.StoreNewFigure(num);
    const TQChange& first = doc.Animation.Figures[0].Frames[0].Change;
    EXPECT_EQ(first[static_cast<size_t>(TDocument::FindProp(first, qpBitmap, 0))], TQPropValue::OfBitmap(true, 0, list));
    EXPECT_FALSE(pic.Modify);

    doc.CurIndex = 0; // shown before its start (in all frames): an edit is stored at frame 0
    doc.GetFig(num);
    doc.SetFig(num);
    ASSERT_EQ(doc.Animation.Figures[0].Frames.size(), 1u); // not without an edit
    pic.Left += 1;
    doc.SetFig(num);
    ASSERT_EQ(doc.Animation.Figures[0].Frames.front().Number, 0);

    const int expected[] = {0, 0, 0, 1, 2, 0, 1};
    for (int frame = 0; frame <= 6; ++frame) {
        doc.CurIndex = frame;
        doc.GetFig(num);
        EXPECT_EQ(pic.Picture().Pixel(1, 1), colors[expected[frame]]) << "frame " << frame;
        EXPECT_EQ(pic.GNum, list);
    }
    EXPECT_TRUE(doc.BMPArr.empty());
}

TEST(FigureState, StillPicturesAreStoredAs24BitCopies)
{
    TDocument doc;
    const int num = doc.NewFigure(qfPicture, CreateDrawObject(qfPicture), 0);
    auto& pic = static_cast<TPic&>(Obj(doc, num));
    TBitmap indexed(3, 3, TPixelFormat::pf8bit);
    indexed.SetPixel(0, 0, 0x0000FF);
    pic.Picture() = indexed;
    pic.Modify = true;
    pic.SetTransparent(true);
    doc.StoreNewFigure(num);
    ASSERT_EQ(doc.BMPArr.size(), 1u);
    EXPECT_EQ(doc.BMPArr[0].PixelFormat(), TPixelFormat::pf24bit);
    EXPECT_EQ(pic.GNum, -1);
    EXPECT_TRUE(pic.Picture().Transparent());
    EXPECT_EQ(pic.Picture().TransparentColor() & 0xFFFFFF, 0x0000FFu); // keyed on the top-left pixel

    // Unchanged and not modified: no new copy.
    doc.CurIndex = 4;
    doc.SetFig(num);
    EXPECT_EQ(doc.BMPArr.size(), 1u);
}

TEST(FigureState, DamagedReferencesAreNotApplied)
{
    TDocument doc;
    const int num = AddFigure(doc, qfRectangle);
    auto& rect = static_cast<TSolidWithText&>(Obj(doc, num));
    const TFigState before = Capture(rect);
    doc.Animation.Figures[0].Frames.push_back(
        {3, {TQPropValue::OfString(qpTextValue, 999), TQPropValue::OfString(qpTextName, -1),
             TQPropValue::OfNode(77, {1, 1}), TQPropValue::OfNode(-1, {1, 1})}});
    doc.CurIndex = 3;
    doc.GetFig(num);
    EXPECT_EQ(Capture(rect), before);

    doc.Animation.Figures[0].Frames.push_back({4, {TQPropValue::OfInt(qpNodeCount, INT32_MAX)}});
    doc.CurIndex = 4;
    doc.GetFig(num);
    EXPECT_EQ(rect.ButtonCount(), 6);

    const int picNum = AddFigure(doc, qfPicture);
    auto& pic = static_cast<TPic&>(Obj(doc, picNum));
    const TFigState picBefore = Capture(pic);
    doc.Animation.Figures[1].Frames.push_back({5, {TQPropValue::OfBitmap(false, 7), TQPropValue::OfBitmap(true, 0, 3)}});
    doc.CurIndex = 5;
    doc.GetFig(picNum);
    EXPECT_EQ(Capture(pic), picBefore);
}
