// Random edits of random figures at random frames, stored the way the editor
// stores them. After each one: the edited state comes back at its frame, an
// unchanged object stores nothing, the key frames stay ordered, other figures
// and the frames up to the preceding key frame keep their states, and every
// picture reference stays valid. Also the defaults a new figure receives.
#include "ModelTestSupport.h"

#include "drawobjects/Line.h"
#include "drawobjects/Polygon.h"
#include "drawobjects/SolidPoint.h"
#include "model/FigureDefaults.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

namespace {

constexpr int kFrames = 24;

class TRandomEditor {
public:
    TRandomEditor(TDocument& doc, unsigned seed) : fDoc(doc), fRng(seed) {}

    int Range(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(fRng); }
    bool Coin() { return Range(0, 1) == 1; }
    template <typename T>
    const T& Pick(std::initializer_list<T> items) { return items.begin()[Range(0, int(items.size()) - 1)]; }

    void Edit(int num)
    {
        TDrawObject& obj = Obj(fDoc, num);
        const int edits = Range(1, 3);
        for (int i = 0; i < edits; ++i)
            EditOnce(num, obj);
        // A centred Z-line whose box was scaled or whose orientation changed
        // is re-centred at its next move; reloading it centres it too.
        if (auto* z = dynamic_cast<TZLine*>(&obj); z && z->AutoCenter())
            z->ArrangeMiddlePoints();
    }

private:
    void EditOnce(int num, TDrawObject& obj)
    {
        switch (Range(0, 9)) {
        case 0:
            obj.Left += Range(-30, 30);
            obj.Top += Range(-30, 30);
            break;
        case 1:
            obj.SetWidth(std::max(1, obj.Width() + Range(-40, 40)));
            obj.SetHeight(std::max(1, obj.Height() + Range(-40, 40)));
            obj.Resize();
            break;
        case 2: {
            const int i = Range(0, obj.ButtonCount() - 1);
            obj.MoveBtnTo(i, obj.BtnToFrame(obj.BtnPoints[static_cast<size_t>(i)]) + TPoint{Range(-15, 15), Range(-15, 15)});
            obj.InternalResize();
            break;
        }
        case 3:
            obj.Color = Pick({0x0000FFu, 0x00FF00u, 0x123456u, 0xFFFFFFu});
            obj.ColorShadow = Pick({0x000000u, 0x808080u, 0xFF00FFu});
            obj.Pen().Color = Pick({0x000000u, 0x0000FFu, 0x00C0C0u});
            break;
        case 4:
            obj.Pen().Width = Range(1, 8);
            obj.SetShadowSize(Range(-5, 5));
            break;
        case 5:
            obj.QAngle = Range(-180, 180);
            obj.SAngle = static_cast<float>(obj.QAngle * 0.017453292519943295769L);
            obj.QRotCenter = Coin();
            obj.QRotPt = {Range(0, 200), Range(0, 200)};
            break;
        case 6:
            ChangeNodeCount(obj);
            break;
        case 7:
            obj.Font.Name = Pick({QStringLiteral("Arial"), QStringLiteral("Times New Roman")});
            obj.Font.Size = Range(6, 30);
            obj.Font.Color = Pick({0x000000u, 0x0000FFu});
            obj.Font.Style = static_cast<TFontStyles>(Range(0, 15));
            break;
        default:
            EditKind(num, obj);
            break;
        }
    }

    void ChangeNodeCount(TDrawObject& obj)
    {
        if (auto* line = dynamic_cast<TLine*>(&obj))
            line->SetButtonCount(Range(2, 6));
        else if (auto* bezier = dynamic_cast<TBezier*>(&obj))
            bezier->SetButtonCount(Range(4, 13));
        else if (auto* polygon = dynamic_cast<TPolygon*>(&obj))
            polygon->SetButtonCount(Range(3, 14));
        else
            return;
        obj.InternalResize();
    }

    void EditKind(int num, TDrawObject& obj)
    {
        if (auto* line = dynamic_cast<TBaseLine*>(&obj)) {
            line->SetArrow1(Coin());
            line->SetArrow2(Coin());
        }
        if (auto* c = dynamic_cast<TConnector*>(&obj))
            c->SetOrientation(Coin() ? TOrientation::oVertical : TOrientation::oHorizontal);
        if (auto* z = dynamic_cast<TZLine*>(&obj))
            z->SetAutoCenter(Coin());
        if (auto* b = dynamic_cast<TBezier*>(&obj); b && Coin())
            b->SetFilled(Coin());
        if (auto* t = dynamic_cast<TSolidWithText*>(&obj)) {
            QStringList lines;
            for (int i = Range(0, 3); i > 0; --i)
                lines << Pick({QStringLiteral("one"), QStringLiteral("Two"), QString()});
            t->SetStrings(lines);
            t->SetPadding(Range(0, 12));
        }
        if (auto* t = dynamic_cast<TTextBezier*>(&obj)) {
            t->SetText(Pick({QStringLiteral("abc"), QStringLiteral("text along"), QString()}));
            t->SetOutline(static_cast<TFontOutline>(Range(0, 2)));
        }
        if (auto* e = dynamic_cast<TEllipse*>(&obj))
            e->SetBalloonPoint(static_cast<TBalloonPoint>(Range(0, 4)));
        if (auto* p = dynamic_cast<TPic*>(&obj))
            EditPicture(num, *p);
    }

    void EditPicture(int num, TPic& pic)
    {
        switch (Range(0, 2)) {
        case 0:
            pic.SetTransparent(!pic.Transparent());
            break;
        case 1:
            pic.Picture() = Solid(Range(1, 9), Range(1, 9), static_cast<TColor>(Range(0, 0xFFFFFF)));
            pic.GNum = -1;
            pic.Modify = true;
            break;
        default: {
            const int list = AddGIF(fDoc, {static_cast<TColor>(Range(0, 0xFFFFFF)), 0x010101u, 0x020202u});
            pic.BitNum = static_cast<int>(fDoc.GIFArr.size() - 1);
            pic.GNum = list;
            // The frame of the GIF that belongs to the current frame, as loading shows it.
            const TQFigure& fig = fDoc.Animation.Figures[static_cast<size_t>(num)];
            const int k = fDoc.CurIndex >= fig.Start ? (fDoc.CurIndex - fig.Start) % 3 : 0;
            pic.Picture() = fDoc.BMPGIF[static_cast<size_t>(list)][static_cast<size_t>(k)];
            pic.Picture().SetTransparent(pic.Transparent());
            SetTransparentColor(pic.Picture());
            pic.Modify = true;
            break;
        }
        }
    }

    TDocument& fDoc;
    std::mt19937 fRng;
};

bool KeyFramesOrdered(const TQFigure& fig)
{
    for (size_t i = 0; i < fig.Frames.size(); ++i) {
        if (i > 0 && fig.Frames[i - 1].Number >= fig.Frames[i].Number)
            return false;
        std::set<std::pair<int, int>> seen;
        for (const TQPropValue& v : fig.Frames[i].Change)
            if (!seen.insert({v.Name, v.Name == qpNode ? v.Number : 0}).second)
                return false;
    }
    return true;
}

// Every figure's property set at every frame, pictures by content.
std::vector<std::vector<TQChange>> AllStates(TDocument& doc)
{
    const int saved = doc.CurIndex;
    std::vector<std::vector<TQChange>> states(doc.Animation.Figures.size());
    for (size_t g = 0; g < states.size(); ++g)
        for (int f = 0; f <= kFrames; ++f) {
            doc.CurIndex = f;
            TQChange state = doc.GetChange(static_cast<int>(g));
            // Pictures by their content: removing a replaced picture renumbers the others.
            for (TQPropValue& v : state)
                if (v.Name == qpBitmap) {
                    const TBitmap& b = v.IsGIF ? doc.BMPGIF.at(static_cast<size_t>(v.FNum)).at(0)
                                               : doc.BMPArr.at(static_cast<size_t>(v.Bitmap));
                    v.Bitmap = v.FNum = static_cast<int32_t>(b.Pixel(0, 0));
                }
            states[g].push_back(std::move(state));
        }
    doc.CurIndex = saved;
    return states;
}

// Frames at or before this one cannot change when figure `num` is stored at `frame`.
int LastSettledFrame(TDocument& doc, int num, int frame)
{
    doc.CurIndex = frame;
    doc.GetChange(num);
    const TQFrArr& k = doc.Animation.Figures[static_cast<size_t>(num)].Frames;
    if (doc.CurFrame >= 0)
        return doc.CurFrame > 0 ? k[static_cast<size_t>(doc.CurFrame - 1)].Number : -1;
    return doc.PrevFrame >= 0 ? k[static_cast<size_t>(doc.PrevFrame)].Number : -1;
}

} // namespace

TEST(RandomEdits, StoredStatesReloadAndNothingElseMoves)
{
    const TQFigName kinds[] = {qfPoint, qfLine,  qfLLine,  qfZLine,  qfRectangle, qfDiamond,    qfArrow,
                               qfStar,  qfPolygon, qfEllipse, qfBezier, qfText,   qfTextBezier, qfPicture};
    for (unsigned seed = 1; seed <= 12; ++seed) {
        SCOPED_TRACE(seed);
        TDocument doc;
        TRandomEditor rnd(doc, seed);
        TDefaultParam defaults;
        for (int i = 0; i < 5; ++i) {
            const TQFigName kind = kinds[rnd.Range(0, 13)];
            doc.CurIndex = rnd.Range(0, 6);
            const int num = doc.NewFigure(kind, CreateDrawObject(kind), doc.CurIndex);
            SetDefault(Obj(doc, num), kind, defaults);
            if (auto* pic = dynamic_cast<TPic*>(&Obj(doc, num))) {
                pic->Picture() = Solid(5, 5, 0x3030C0);
                pic->Modify = true;
            }
            doc.StoreNewFigure(num);
            doc.Animation.Figures[static_cast<size_t>(num)].All = rnd.Coin();
            doc.Animation.Figures[static_cast<size_t>(num)].Count = rnd.Range(1, kFrames);
        }

        for (int step = 0; step < 60; ++step) {
            const int num = rnd.Range(0, 4);
            const TQFigure& fig = doc.Animation.Figures[static_cast<size_t>(num)];
            const int frame = rnd.Range(fig.Start, kFrames);
            if (!fig.IsVisible(frame))
                continue;
            SCOPED_TRACE(::testing::Message() << "step " << step << " figure " << num << " frame " << frame);
            doc.CurIndex = frame;
            doc.GetAnim();
            const auto before = AllStates(doc);
            const int settled = LastSettledFrame(doc, num, frame);
            doc.CurIndex = frame;

            rnd.Edit(num);
            doc.SetFig(num);
            // After storing: a replaced GIF renumbers the picture object's indexes.
            const TFigState edited = Capture(Obj(doc, num));

            ASSERT_TRUE(KeyFramesOrdered(fig));
            ASSERT_TRUE(PictureReferencesValid(doc));
            const auto after = AllStates(doc);
            for (size_t g = 0; g < after.size(); ++g)
                for (int f = 0; f <= kFrames; ++f) {
                    if (static_cast<int>(g) != num || f <= settled) {
                        ASSERT_EQ(after[g][static_cast<size_t>(f)], before[g][static_cast<size_t>(f)])
                            << "figure " << g << " frame " << f;
                    }
                }

            doc.CurIndex = rnd.Range(0, kFrames); // away and back, as frame switching does
            doc.GetAnim();
            doc.CurIndex = frame;
            doc.GetAnim();
            ASSERT_EQ(Capture(Obj(doc, num)), edited);
            const size_t keyFrames = fig.Frames.size();
            const qsizetype strings = doc.StrArr.size();
            doc.SetAnim();
            ASSERT_EQ(fig.Frames.size(), keyFrames);
            ASSERT_EQ(doc.StrArr.size(), strings);
        }
    }
}

TEST(RandomEdits, NewFiguresTakeTheDefaults)
{
    TDefaultParam defaults;
    TDocument doc;
    doc.CurIndex = 0;
    const int point = doc.NewFigure(qfPoint, CreateDrawObject(qfPoint), 0);
    SetDefault(Obj(doc, point), qfPoint, defaults);
    EXPECT_EQ(Obj(doc, point).Pen().Width, 3);
    EXPECT_EQ(Obj(doc, point).Width(), 6);
    EXPECT_EQ(Obj(doc, point).Height(), 6);

    defaults.TextValue = QStringLiteral("Hi\r\nthere");
    defaults.Angle = 45;
    defaults.Line = true;
    defaults.Arrow2 = true;
    defaults.BackColor = 0x00FF00;
    const int bezier = doc.NewFigure(qfBezier, CreateDrawObject(qfBezier), 0);
    const int zline = doc.NewFigure(qfZLine, CreateDrawObject(qfZLine), 0);
    const int rect = doc.NewFigure(qfRectangle, CreateDrawObject(qfRectangle), 0);
    for (int num : {bezier, zline, rect})
        SetDefault(Obj(doc, num), doc.Animation.Figures[static_cast<size_t>(num)].Name, defaults);
    auto& b = static_cast<TBezier&>(Obj(doc, bezier));
    EXPECT_FALSE(b.Filled());
    EXPECT_TRUE(b.Arrow2());
    EXPECT_EQ(b.Color, 0x00FF00u);
    EXPECT_EQ(Obj(doc, zline).Color, clWhite); // Z-lines have no fill
    EXPECT_EQ(static_cast<TSolidWithText&>(Obj(doc, rect)).Strings(), (QStringList{"Hi", "there"}));
    EXPECT_EQ(Obj(doc, rect).QAngle, 45);
    EXPECT_EQ(Obj(doc, rect).Width(), 100);
    doc.StoreNewFigure(rect);
    const TQChange& first = doc.Animation.Figures[static_cast<size_t>(rect)].Frames[0].Change;
    EXPECT_EQ(doc.StrArr[first[static_cast<size_t>(TDocument::FindProp(first, qpTextValue, 0))].StrValue],
              QStringLiteral("Hi\r\nthere\r\n"));
}
