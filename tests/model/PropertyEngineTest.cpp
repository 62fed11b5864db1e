// The key-frame engine on plain records: merging key frames and computing the
// property set between them.
#include "model/Document.h"

#include <gtest/gtest.h>

namespace {

TQFrame Key(int number, TQChange change)
{
    return TQFrame{number, std::move(change)};
}

// A document with one figure (no drawing object) holding the given key frames.
struct TEngineDoc {
    TDocument Doc;
    explicit TEngineDoc(TQFrArr frames, int start = 0)
    {
        TQFigure fig;
        fig.Name = qfRectangle;
        fig.All = true;
        fig.Start = start;
        fig.Count = 1;
        fig.Frames = std::move(frames);
        Doc.Animation.Figures.push_back(std::move(fig));
    }
    TQChange At(int frame)
    {
        Doc.CurIndex = frame;
        return Doc.GetChange(0);
    }
    const TQPropValue* Prop(int frame, TQPropName name, int number = 0)
    {
        fLast = At(frame);
        const int j = TDocument::FindProp(fLast, name, number);
        return j < 0 ? nullptr : &fLast[static_cast<size_t>(j)];
    }
    int Int(int frame, TQPropName name)
    {
        const TQPropValue* p = Prop(frame, name);
        return p ? p->IntValue : INT32_MIN;
    }
    TQChange fLast;
};

} // namespace

TEST(PropertyEngine, PositionsInterpolateBetweenKeyFramesAndHoldAfterTheLast)
{
    TEngineDoc d({Key(0, {TQPropValue::OfInt(qpLeft, 0)}), Key(10, {TQPropValue::OfInt(qpLeft, 100)})});
    EXPECT_EQ(d.Int(5, qpLeft), 50);
    EXPECT_EQ(d.Int(3, qpLeft), 30);
    EXPECT_EQ(d.Int(1, qpLeft), 10);
    EXPECT_EQ(d.Int(10, qpLeft), 100);
    EXPECT_EQ(d.Int(250, qpLeft), 100);

    d.At(5);
    EXPECT_EQ(d.Doc.CurFrame, -1);
    EXPECT_EQ(d.Doc.PrevFrame, 0);
    d.At(10);
    EXPECT_EQ(d.Doc.CurFrame, 1);
    EXPECT_EQ(d.Doc.PrevFrame, 1);
    d.At(11);
    EXPECT_EQ(d.Doc.CurFrame, -1);
    EXPECT_EQ(d.Doc.PrevFrame, 1);
}

TEST(PropertyEngine, NothingBeforeTheFirstKeyFrame)
{
    TEngineDoc d({Key(3, {TQPropValue::OfInt(qpLeft, 7)})});
    EXPECT_TRUE(d.At(2).empty());
    EXPECT_EQ(d.Doc.CurFrame, -1);
    EXPECT_EQ(d.Doc.PrevFrame, -1);
    EXPECT_TRUE(TEngineDoc({}).At(0).empty());
}

TEST(PropertyEngine, RoundingIsHalfToEvenOnTheExtendedProduct)
{
    TEngineDoc d({Key(0, {TQPropValue::OfInt(qpLeft, 0), TQPropValue::OfInt(qpTop, 1)}),
                  Key(4, {TQPropValue::OfInt(qpLeft, 10), TQPropValue::OfInt(qpTop, -1)})});
    EXPECT_EQ(d.Int(1, qpLeft), 2); // 2.5
    EXPECT_EQ(d.Int(2, qpLeft), 5);
    EXPECT_EQ(d.Int(3, qpLeft), 8); // 7.5
    EXPECT_EQ(d.Int(1, qpTop), 1);  // 1 + Round(-2 x 0.25) = 1 + Round(-0.5) = 1
    EXPECT_EQ(d.Int(2, qpTop), 0);  // 1 + Round(-1.0)

    // Extreme values do not overflow on the way.
    TEngineDoc wide({Key(0, {TQPropValue::OfInt(qpWidth, INT32_MIN)}), Key(2, {TQPropValue::OfInt(qpWidth, INT32_MAX)})});
    EXPECT_EQ(wide.Int(1, qpWidth), 0); // -2^31 + Round(2^32 - 1) / 2 = -2^31 + 2^31
}

TEST(PropertyEngine, ColoursInterpolatePerChannelWithTopByteZero)
{
    TEngineDoc d({Key(0, {TQPropValue::OfColor(qpBackColor, 0x0000FF), TQPropValue::OfColor(qpTextColor, 0xFF000000)}),
                  Key(2, {TQPropValue::OfColor(qpBackColor, 0xFF0000), TQPropValue::OfColor(qpTextColor, 0xFF000000)})});
    EXPECT_EQ(d.Prop(1, qpBackColor)->Color, 0x80007Fu);
    EXPECT_EQ(d.Prop(1, qpTextColor)->Color, 0u); // a system colour loses its top byte between key frames
    EXPECT_EQ(d.Prop(2, qpTextColor)->Color, 0xFF000000u);
}

TEST(PropertyEngine, SomePropertiesTakeTheNextValueOthersHold)
{
    TEngineDoc d({Key(0, {TQPropValue::OfBool(qpCenter, false), TQPropValue::OfBool(qpArrow1, false),
                          TQPropValue::OfInt(qpPointX, 1), TQPropValue::OfInt(qpNodeCount, 2),
                          TQPropValue::OfString(qpTextValue, 0), TQPropValue::OfBitmap(true, 0, 1)}),
                  Key(10, {TQPropValue::OfBool(qpCenter, true), TQPropValue::OfBool(qpArrow1, true),
                           TQPropValue::OfInt(qpPointX, 99), TQPropValue::OfInt(qpNodeCount, 7),
                           TQPropValue::OfString(qpTextValue, 3), TQPropValue::OfBitmap(false, 4, 0)})});
    for (int f = 1; f <= 9; ++f) {
        SCOPED_TRACE(f);
        EXPECT_TRUE(d.Prop(f, qpCenter)->BoolValue);
        EXPECT_EQ(d.Int(f, qpPointX), 99);
        EXPECT_FALSE(d.Prop(f, qpArrow1)->BoolValue);
        EXPECT_EQ(d.Int(f, qpNodeCount), 2);
        EXPECT_EQ(d.Prop(f, qpTextValue)->StrValue, 0);
        EXPECT_EQ(*d.Prop(f, qpBitmap), TQPropValue::OfBitmap(true, 0, 1));
    }
    EXPECT_TRUE(d.Prop(10, qpArrow1)->BoolValue);
    EXPECT_EQ(*d.Prop(10, qpBitmap), TQPropValue::OfBitmap(false, 4, 0));
}

TEST(PropertyEngine, APropertyFirstSetAtTheNextKeyFrameIsAbsentBeforeIt)
{
    TEngineDoc d({Key(0, {TQPropValue::OfInt(qpLeft, 0)}),
                  Key(10, {TQPropValue::OfInt(qpLeft, 10), TQPropValue::OfInt(qpAngle, 90),
                           TQPropValue::OfNode(1, {5, 5})})});
    for (int f = 1; f <= 9; ++f) {
        EXPECT_EQ(d.Prop(f, qpAngle), nullptr);
        EXPECT_EQ(d.Prop(f, qpNode, 1), nullptr);
    }
    EXPECT_EQ(d.Int(10, qpAngle), 90);
    EXPECT_EQ(d.At(5).size(), 1u);
}

TEST(PropertyEngine, NodesInterpolateByNodeNumber)
{
    TEngineDoc d({Key(0, {TQPropValue::OfNode(0, {0, 0}), TQPropValue::OfNode(1, {100, 50})}),
                  Key(4, {TQPropValue::OfNode(1, {0, 10}), TQPropValue::OfNode(0, {10, -10})})});
    EXPECT_EQ(d.Prop(1, qpNode, 0)->Value, TPoint(2, -2)); // 2.5 -> 2, -2.5 -> -2
    EXPECT_EQ(d.Prop(1, qpNode, 1)->Value, TPoint(75, 40));
    EXPECT_EQ(d.Prop(3, qpNode, 0)->Value, TPoint(8, -8));
    EXPECT_EQ(d.Prop(1, qpNode, 1)->Number, 1);
}

TEST(PropertyEngine, StateAccumulatesOverKeyFrames)
{
    TEngineDoc d({Key(0, {TQPropValue::OfInt(qpLeft, 1), TQPropValue::OfInt(qpTop, 2)}),
                  Key(5, {TQPropValue::OfInt(qpTop, 20)}),
                  Key(8, {TQPropValue::OfInt(qpWidth, 30), TQPropValue::OfInt(qpLeft, 10)})});
    const TQChange at8 = d.At(8);
    ASSERT_EQ(at8.size(), 3u);
    EXPECT_EQ(at8[0], TQPropValue::OfInt(qpLeft, 10)); // replaced in place
    EXPECT_EQ(at8[1], TQPropValue::OfInt(qpTop, 20));
    EXPECT_EQ(at8[2], TQPropValue::OfInt(qpWidth, 30)); // new ones at the end
    EXPECT_EQ(d.Int(6, qpLeft), 4);  // 1 + Round(9 / 3)
    EXPECT_EQ(d.Int(6, qpTop), 20);  // no top change ahead: held
}

TEST(PropertyEngine, AddChanMergesAndDropsNodesAtOrAboveALoweredCount)
{
    const TQChange base{TQPropValue::OfInt(qpNodeCount, 4), TQPropValue::OfNode(0, {0, 0}),
                        TQPropValue::OfNode(1, {1, 1}), TQPropValue::OfInt(qpLeft, 5),
                        TQPropValue::OfNode(2, {2, 2}), TQPropValue::OfNode(3, {3, 3})};
    const TQChange merged = TDocument::AddChan(
        base, {TQPropValue::OfInt(qpNodeCount, 2), TQPropValue::OfNode(1, {9, 9}), TQPropValue::OfInt(qpTop, 6)});
    const TQChange expected{TQPropValue::OfInt(qpNodeCount, 2), TQPropValue::OfNode(0, {0, 0}),
                            TQPropValue::OfNode(1, {9, 9}), TQPropValue::OfInt(qpLeft, 5),
                            TQPropValue::OfInt(qpTop, 6)};
    EXPECT_EQ(merged, expected);

    // Lookups run in the base as it was: two new entries of one property both append.
    const TQChange twice = TDocument::AddChan({}, {TQPropValue::OfInt(qpLeft, 1), TQPropValue::OfInt(qpLeft, 2)});
    EXPECT_EQ(twice.size(), 2u);

    TQChange chan{TQPropValue::OfInt(qpLeft, 1), TQPropValue::OfInt(qpTop, 2)};
    TDocument::DelProp(5, chan); // out of range: nothing
    TDocument::DelProp(0, chan);
    EXPECT_EQ(chan, (TQChange{TQPropValue::OfInt(qpTop, 2)}));
}

TEST(PropertyEngine, AKeyFrameLoweringTheNodeCountRemovesTheUpperNodes)
{
    TEngineDoc d({Key(0, {TQPropValue::OfInt(qpNodeCount, 3), TQPropValue::OfNode(0, {0, 0}),
                          TQPropValue::OfNode(1, {1, 1}), TQPropValue::OfNode(2, {2, 2})}),
                  Key(5, {TQPropValue::OfInt(qpNodeCount, 2)})});
    EXPECT_NE(d.Prop(4, qpNode, 2), nullptr);
    EXPECT_EQ(d.Prop(5, qpNode, 2), nullptr);
    EXPECT_EQ(d.Prop(9, qpNode, 2), nullptr);
    EXPECT_EQ(d.Prop(9, qpNode, 1)->Value, TPoint(1, 1));
}
