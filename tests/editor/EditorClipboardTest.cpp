// The figure clipboard and figure deletion: the picture tables after deleting
// picture figures, copy / cut / paste with their own picture copies, a GIF
// that cannot be composed again, the clipboard through a save and reopen, and
// long random sequences of these commands checked against the pictures every
// figure must still show.
#include "tests/editor/EditorCoreFixture.h"
#include "tests/support/TestSupport.h"

#include "drawobjects/Pic.h"
#include "editor/core/OptionsPage.h"
#include "editor/core/ProjectLife.h"
#include "platform/ImageFiles.h"

#include <QDir>
#include <map>
#include <random>
#include <set>

namespace {

// The colour a picture value shows (the first composite of a GIF).
struct TShown {
    bool IsGIF = false;
    TColor Color = 0;
    friend bool operator==(const TShown&, const TShown&) = default;
};
// Per figure: the picture each key frame shows, by frame number.
using TFigurePictures = std::map<int, TShown>;

class ClipboardTest : public EditorCoreTest {
protected:
    void SetUp() override
    {
        core.IsRedraw = false;
        EditorCoreTest::SetUp();
        for (int i = 0; i < 3; ++i)
            core.AddFrames(0);
        core.SetFrameIndex(0);
    }

    TColor NextColor()
    {
        ++fColors;
        return TColor((fColors * 53 % 256) | (fColors * 97 % 256) << 8 | ((fColors * 151 + 80) % 256) << 16);
    }
    static TZGIFImage MakeGif(TColor first, int frames = 2)
    {
        TZGIFImage gif;
        for (int i = 0; i < frames; ++i)
            gif.AddFrame(Solid(12, 8, i == 0 ? first : first ^ 0xFFFFFF));
        return gif;
    }
    QString FileOf(const QString& ext)
    {
        return QDir(dir).filePath(QStringLiteral("picture%1.%2").arg(++fFiles).arg(ext));
    }
    int StillFigure(TColor color)
    {
        const QString file = FileOf(QStringLiteral("png"));
        SavePngFile(Solid(16, 10, color), file);
        EXPECT_TRUE(core.QNewFigure(qfPicture, file));
        return core.Doc.FigureCount() - 1;
    }
    int GifFigure(TColor color)
    {
        const QString file = FileOf(QStringLiteral("gif"));
        MakeGif(color).SaveToFile(file);
        EXPECT_TRUE(core.QNewFigure(qfPicture, file));
        return core.Doc.FigureCount() - 1;
    }
    void BackGif(TColor color)
    {
        const QString file = FileOf(QStringLiteral("gif"));
        MakeGif(color, 4).SaveToFile(file);
        page.GIFOpenButtonClick(file);
    }
    // Gives figure `num` a new picture at `frame`, the way an edit there stores it.
    void NewPictureAt(int num, int frame, bool gif, TColor color)
    {
        TDocument& d = core.Doc;
        auto* pic = dynamic_cast<TPic*>(d.Animation.Figures[size_t(num)].Obj);
        ASSERT_NE(pic, nullptr);
        d.CurIndex = frame;
        d.GetFig(num);
        if (gif) {
            d.GIFArr.push_back(MakeGif(color));
            pic->BitNum = int(d.GIFArr.size()) - 1;
            progress.SetApply(true);
            pic->GNum = core.AddBMPArr(d.GIFArr.back());
            progress.SetApply(false);
            ASSERT_GE(pic->GNum, 0);
            pic->Picture() = d.BMPGIF[size_t(pic->GNum)][0];
        } else {
            pic->Picture() = Solid(16, 10, color);
            pic->GNum = -1;
        }
        pic->Modify = true;
        d.SetFig(num);
        d.CurIndex = 0;
        d.GetFig(num);
    }
    void Select(std::initializer_list<int> figures)
    {
        core.ClearAllDrawObjFocuses();
        for (int f : figures)
            core.Doc.Animation.Figures[size_t(f)].Obj->SetFocused(true);
        core.CountFocusedDrawObjs();
    }
    const TQPropValue& PictureOf(int num, int key = 0)
    {
        for (const TQPropValue& v : core.Doc.Animation.Figures[size_t(num)].Frames[size_t(key)].Change)
            if (v.Name == qpBitmap)
                return v;
        static const TQPropValue none;
        ADD_FAILURE() << "no picture in figure " << num;
        return none;
    }
    // What a value shows, read from the tables; fails on an index out of range.
    TShown Shown(const TQPropValue& v)
    {
        const TDocument& d = core.Doc;
        if (!v.IsGIF) {
            EXPECT_TRUE(v.Bitmap >= 0 && v.Bitmap < int(d.BMPArr.size())) << v.Bitmap;
            if (v.Bitmap < 0 || v.Bitmap >= int(d.BMPArr.size()))
                return {};
            return {false, d.BMPArr[size_t(v.Bitmap)].Pixel(1, 1)};
        }
        const bool ok = v.Bitmap >= 0 && v.Bitmap < int(d.GIFArr.size()) && v.FNum >= 0
                        && v.FNum < int(d.BMPGIF.size()) && v.FNum != d.BackNum;
        EXPECT_TRUE(ok) << v.Bitmap << " " << v.FNum << " back " << d.BackNum;
        if (!ok)
            return {};
        TZGIFImage gif = d.GIFArr[size_t(v.Bitmap)];
        const std::vector<TBitmap>& list = d.BMPGIF[size_t(v.FNum)];
        EXPECT_EQ(list.size(), size_t(gif.Count()));
        EXPECT_EQ(gif.Frames(0).Bitmap().Pixel(1, 1), list.at(0).Pixel(1, 1)) << "GIF and composites differ";
        return {true, list.at(0).Pixel(1, 1)};
    }
    TFigurePictures PicturesOf(int num)
    {
        TFigurePictures shown;
        for (const TQFrame& frame : core.Doc.Animation.Figures[size_t(num)].Frames)
            for (const TQPropValue& v : frame.Change)
                if (v.Name == qpBitmap)
                    shown[frame.Number] = Shown(v);
        return shown;
    }
    void SaveAndReopen()
    {
        const QString file = QDir(dir).filePath(QStringLiteral("project.zembra"));
        ASSERT_TRUE(life.SaveAsProjectButtonClick(file));
        life.ClearProject();
        ASSERT_TRUE(life.OpenProject(file)) << dialogs.Messages().join(QLatin1Char('|')).toStdString();
        core.SetFrameIndex(0);
    }

    TOptionsPage page{core};
    TProjectLife life{core, page};
    QString dir = TempDir();
    int fColors = 0;
    int fFiles = 0;
};

} // namespace

TEST_F(ClipboardTest, DeletingTheFigureOfTheSecondOfThreeGIFsLowersTheThirdAndTheBackground)
{
    const TColor a = NextColor(), b = NextColor(), c = NextColor(), back = NextColor();
    GifFigure(a);
    GifFigure(b);
    const int third = GifFigure(c);
    BackGif(back); // composed after the three
    ASSERT_EQ(core.Doc.BackNum, 3);
    auto* thirdPic = dynamic_cast<TPic*>(core.Doc.Animation.Figures[size_t(third)].Obj);

    Select({1});
    core.DeleteFigureExecute();

    ASSERT_EQ(core.Doc.FigureCount(), 2);
    EXPECT_EQ(core.Doc.GIFArr.size(), 2u);
    EXPECT_EQ(core.Doc.BMPGIF.size(), 3u);
    EXPECT_EQ(PictureOf(0).Bitmap, 0);
    EXPECT_EQ(PictureOf(0).FNum, 0);
    EXPECT_EQ(PictureOf(1).Bitmap, 1);
    EXPECT_EQ(PictureOf(1).FNum, 1);
    EXPECT_EQ(thirdPic->GNum, 1);
    EXPECT_EQ(thirdPic->BitNum, 1);
    EXPECT_EQ(Shown(PictureOf(0)).Color, a);
    EXPECT_EQ(Shown(PictureOf(1)).Color, c);
    EXPECT_EQ(core.Doc.BackNum, 2);
    EXPECT_EQ(core.Doc.BMPGIF[2][0].Pixel(1, 1), back);
}

TEST_F(ClipboardTest, DeletingAFigureWithTwoStillPicturesLowersALaterPictureByTwo)
{
    const TColor first = NextColor(), second = NextColor(), other = NextColor();
    const int two = StillFigure(first);
    NewPictureAt(two, 2, false, second);
    const int later = StillFigure(other);
    ASSERT_EQ(PicturesOf(two).size(), 2u);
    ASSERT_EQ(PictureOf(later).Bitmap, 2);

    Select({two});
    core.DeleteFigureExecute();

    ASSERT_EQ(core.Doc.FigureCount(), 1);
    EXPECT_EQ(core.Doc.BMPArr.size(), 1u);
    EXPECT_EQ(PictureOf(0).Bitmap, 0);
    EXPECT_EQ(Shown(PictureOf(0)).Color, other);
}

TEST_F(ClipboardTest, DeletingTheBottomOfThreeFiguresKeepsTheOrderOfTheOthers)
{
    AddFigure(10, 10);
    TDrawObject* middle = AddFigure(20, 20, 40, 40, qfEllipse);
    TDrawObject* top = AddFigure(30, 30, 40, 40, qfStar);
    Select({0});
    core.DeleteFigureExecute();

    ASSERT_EQ(core.Doc.DrawArr.size(), 2u);
    EXPECT_EQ(core.Doc.DrawArr[0].get(), middle);
    EXPECT_EQ(core.Doc.DrawArr[1].get(), top);
    EXPECT_EQ(middle->FigNum, 0);
    EXPECT_EQ(top->FigNum, 1);
    EXPECT_EQ(core.Doc.Animation.Figures[0].Obj, middle);
    EXPECT_EQ(core.Doc.Animation.Figures[1].Name, qfStar);
    EXPECT_EQ(core.QCount(), 0);
    EXPECT_EQ(core.DrObj(), nullptr);
    EXPECT_TRUE(core.Doc.RedrawEnabled);
}

TEST_F(ClipboardTest, CopyDeleteTheSourceThenPasteShowsTheClipboardsCopies)
{
    const TColor still = NextColor(), gif = NextColor();
    StillFigure(still);
    GifFigure(gif);
    core.Doc.Animation.Figures[1].Start = 2;
    core.Doc.Animation.Figures[1].Count = 3;
    const TQFrArr gifFrames = core.Doc.Animation.Figures[1].Frames;
    Select({0, 1});
    core.CopyFigureExecute();
    ASSERT_EQ(core.Doc.FigBuf.size(), 2u);
    EXPECT_EQ(core.Doc.FigBuf[0].BMP.size(), 1u);
    EXPECT_EQ(core.Doc.FigBuf[1].GIF.size(), 1u);

    core.DeleteFigureExecute();
    ASSERT_EQ(core.Doc.FigureCount(), 0);
    EXPECT_TRUE(core.Doc.BMPArr.empty() && core.Doc.GIFArr.empty() && core.Doc.BMPGIF.empty());

    core.PasteFigureExecute();
    ASSERT_EQ(core.Doc.FigureCount(), 2);
    EXPECT_EQ(core.QCount(), 2);
    EXPECT_EQ(Shown(PictureOf(0)), (TShown{false, still}));
    EXPECT_EQ(Shown(PictureOf(1)), (TShown{true, gif}));
    const TQFigure& pasted = core.Doc.Animation.Figures[1];
    EXPECT_EQ(pasted.Start, 2);
    EXPECT_EQ(pasted.Count, 3);
    ASSERT_EQ(pasted.Frames.size(), gifFrames.size());
    EXPECT_EQ(pasted.Frames[0].Number, gifFrames[0].Number);
    EXPECT_EQ(core.Doc.DrawArr[1]->FigNum, 1);
    EXPECT_TRUE(core.Doc.DrawArr[1]->Focused());
    // The pasted picture object shows the composed GIF.
    auto* pic = dynamic_cast<TPic*>(pasted.Obj);
    ASSERT_NE(pic, nullptr);
    EXPECT_EQ(pic->GNum, PictureOf(1).FNum);
}

TEST_F(ClipboardTest, AFigurePastedOutsideTheCurrentFrameKeepsItsKeyFrames)
{
    AddFigure(10, 10);
    TQFigure& fig = core.Doc.Animation.Figures[0];
    fig.All = false;
    fig.Start = 2;
    fig.Count = 1;
    const TQFrArr frames = fig.Frames;
    Select({0});
    core.CopyFigureExecute();
    core.PasteFigureExecute();
    ASSERT_EQ(core.Doc.FigureCount(), 2);
    EXPECT_EQ(core.QCount(), 1);
    EXPECT_FALSE(core.DrObj()->Visible);
    EXPECT_EQ(core.Doc.Animation.Figures[1].Frames, frames);
    EXPECT_TRUE(core.Doc.IsModify);
}

TEST_F(ClipboardTest, PastingTwiceMakesIndependentFigures)
{
    const TColor still = NextColor(), gif = NextColor();
    StillFigure(still);
    GifFigure(gif);
    Select({0, 1});
    core.CopyFigureExecute();
    core.PasteFigureExecute();
    core.PasteFigureExecute();
    ASSERT_EQ(core.Doc.FigureCount(), 6);
    EXPECT_EQ(core.Doc.BMPArr.size(), 3u);
    EXPECT_EQ(core.Doc.GIFArr.size(), 3u);
    EXPECT_EQ(core.Doc.BMPGIF.size(), 3u);
    EXPECT_NE(PictureOf(2).Bitmap, PictureOf(4).Bitmap);
    EXPECT_NE(PictureOf(3).FNum, PictureOf(5).FNum);
    // Only the second paste is selected.
    EXPECT_EQ(core.QCount(), 2);
    // A copy without a selection keeps the clipboard.
    Select({});
    core.CopyFigureExecute();
    EXPECT_EQ(core.Doc.FigBuf.size(), 2u);

    // Deleting the first pasted pair leaves the second showing its own pictures.
    Select({2, 3});
    core.DeleteFigureExecute();
    ASSERT_EQ(core.Doc.FigureCount(), 4);
    EXPECT_EQ(Shown(PictureOf(2)), (TShown{false, still}));
    EXPECT_EQ(Shown(PictureOf(3)), (TShown{true, gif}));
    EXPECT_EQ(Shown(PictureOf(1)), (TShown{true, gif}));
}

TEST_F(ClipboardTest, AnEntryWhoseGIFCannotBeComposedIsNotPasted)
{
    const TColor still = NextColor();
    StillFigure(still);
    Select({0});
    core.CopyFigureExecute();
    // A second entry whose GIF spans far more pixels than composites may take.
    TQBufEntry huge;
    huge.Fig = core.Doc.FigBuf[0].Fig;
    for (TQFrame& frame : huge.Fig.Frames)
        for (TQPropValue& v : frame.Change)
            if (v.Name == qpBitmap)
                v = TQPropValue::OfBitmap(true, 0, 0);
    huge.GIF.push_back(MakeGif(NextColor(), 1));
    huge.GIF[0].Frames(0).SetOrigin({60000, 60000});
    huge.GIF[0].RecomputeScreenSize();
    core.Doc.FigBuf.push_back(huge);
    core.Doc.FigBuf.push_back(core.Doc.FigBuf[0]);

    core.PasteFigureExecute();
    EXPECT_EQ(dialogs.Messages(), QStringList{QStringLiteral("Not enough RAM!")});
    // The figure before it and the one after it are pasted; nothing of it stays.
    ASSERT_EQ(core.Doc.FigureCount(), 3);
    EXPECT_EQ(core.Doc.GIFArr.size(), 0u);
    EXPECT_EQ(core.Doc.BMPGIF.size(), 0u);
    EXPECT_EQ(core.Doc.BMPArr.size(), 3u);
    for (int f = 0; f < 3; ++f)
        EXPECT_EQ(Shown(PictureOf(f)), (TShown{false, still})) << f;
    EXPECT_EQ(core.Doc.DrawArr.size(), 3u);
}

TEST_F(ClipboardTest, TheClipboardComesBackWithTheProject)
{
    const TColor still = NextColor(), gif = NextColor(), back = NextColor();
    BackGif(back);
    StillFigure(still);
    GifFigure(gif);
    Select({0, 1});
    core.CutFigureExecute();
    EXPECT_EQ(core.Doc.FigureCount(), 0);
    EXPECT_TRUE(core.Doc.IsModify);
    // A redraw and frame operations leave the clipboard alone.
    core.RedrawAnimation();
    core.AddFrameButtonClick();
    SaveAndReopen();

    ASSERT_EQ(core.Doc.FigBuf.size(), 2u);
    core.PasteFigureExecute();
    ASSERT_EQ(core.Doc.FigureCount(), 2);
    EXPECT_EQ(Shown(PictureOf(0)), (TShown{false, still}));
    EXPECT_EQ(Shown(PictureOf(1)), (TShown{true, gif}));
    EXPECT_EQ(core.Doc.BMPGIF.at(size_t(core.Doc.BackNum))[0].Pixel(1, 1), back);
}

// Random copy, cut, paste and delete of still-picture, GIF-picture and plain
// figures, with new pictures at other frames, a background GIF replaced now and
// then, and saving and reopening in between. After every step each figure's key
// frames show the pictures they showed before (by their pixels), the
// background keeps its composites, and the tables hold nothing that no figure
// shows.
TEST_F(ClipboardTest, RandomSequencesKeepEveryFigureShowingItsOwnPictures)
{
    for (unsigned seed : {1u, 2u, 3u}) {
        SCOPED_TRACE(seed);
        life.NewProject();
        for (int i = 0; i < 3; ++i)
            core.AddFrames(0);
        core.SetFrameIndex(0);
        std::mt19937 rng(seed);
        auto range = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
        std::vector<TFigurePictures> expected; // per figure number
        std::vector<TFigurePictures> clipboard;
        TColor back = NextColor();
        BackGif(back);

        auto selectRandom = [&] {
            core.ClearAllDrawObjFocuses();
            for (auto& obj : core.Doc.DrawArr)
                if (range(0, 2) == 0)
                    obj->SetFocused(true);
            core.CountFocusedDrawObjs();
        };
        auto selected = [&] {
            std::vector<int> nums; // bottom first
            for (auto& obj : core.Doc.DrawArr)
                if (obj->Focused())
                    nums.push_back(obj->FigNum);
            return nums;
        };
        auto copyModel = [&] {
            clipboard.clear();
            for (int f : selected())
                clipboard.push_back(expected[size_t(f)]);
        };
        auto deleteModel = [&] {
            std::vector<int> nums = selected();
            std::sort(nums.rbegin(), nums.rend());
            for (int f : nums)
                expected.erase(expected.begin() + f);
        };

        for (int step = 0; step < 60; ++step) {
            SCOPED_TRACE(step);
            const int op = range(0, 19);
            if (op < 3) {
                const TColor c = NextColor();
                StillFigure(c);
                expected.push_back({{0, {false, c}}});
            } else if (op < 6) {
                const TColor c = NextColor();
                GifFigure(c);
                expected.push_back({{0, {true, c}}});
            } else if (op < 7) {
                AddFigure(range(0, 150), range(0, 150));
                expected.push_back({});
            } else if (op < 9 && !expected.empty()) {
                const int f = range(0, int(expected.size()) - 1);
                if (core.Doc.Animation.Figures[size_t(f)].Name != qfPicture)
                    continue;
                const bool gif = range(0, 1) == 1;
                const int frame = range(1, 3);
                const TColor c = NextColor();
                NewPictureAt(f, frame, gif, c);
                expected[size_t(f)][frame] = {gif, c};
            } else if (op < 12) {
                selectRandom();
                if (core.QCount() == 0)
                    continue;
                copyModel();
                core.CopyFigureExecute();
            } else if (op < 15) {
                const size_t before = expected.size();
                core.PasteFigureExecute();
                expected.insert(expected.end(), clipboard.begin(), clipboard.end());
                if (!clipboard.empty())
                    ASSERT_EQ(core.QCount(), int(expected.size() - before));
            } else if (op < 17) {
                selectRandom();
                if (core.QCount() == 0)
                    continue;
                copyModel();
                deleteModel();
                core.CutFigureExecute();
            } else if (op < 18) {
                selectRandom();
                deleteModel();
                core.DeleteFigureExecute();
            } else if (op < 19) {
                back = NextColor();
                BackGif(back);
            } else {
                SaveAndReopen();
            }
            if (::testing::Test::HasFatalFailure())
                return;

            // Every figure shows what it showed.
            TDocument& d = core.Doc;
            ASSERT_EQ(d.FigureCount(), int(expected.size()));
            ASSERT_EQ(d.DrawArr.size(), expected.size());
            for (int f = 0; f < d.FigureCount(); ++f) {
                EXPECT_EQ(PicturesOf(f), expected[size_t(f)]) << "figure " << f;
                const TDrawObject* obj = d.Animation.Figures[size_t(f)].Obj;
                ASSERT_NE(obj, nullptr);
                EXPECT_EQ(obj->FigNum, f);
                EXPECT_EQ(std::count_if(d.DrawArr.begin(), d.DrawArr.end(),
                                        [obj](const auto& p) { return p.get() == obj; }),
                          1);
            }
            // The background keeps its composites.
            ASSERT_TRUE(d.BackNum >= 0 && d.BackNum < int(d.BMPGIF.size()));
            EXPECT_EQ(d.BMPGIF[size_t(d.BackNum)].size(), 4u);
            EXPECT_EQ(d.BMPGIF[size_t(d.BackNum)][0].Pixel(1, 1), back);
            // Nothing is kept that no figure shows: one list per GIF and the background's.
            std::set<int> stills, gifs, lists;
            for (const TQFigure& fig : d.Animation.Figures)
                for (const TQFrame& frame : fig.Frames)
                    for (const TQPropValue& v : frame.Change)
                        if (v.Name == qpBitmap && v.IsGIF) {
                            gifs.insert(v.Bitmap);
                            lists.insert(v.FNum);
                        } else if (v.Name == qpBitmap) {
                            stills.insert(v.Bitmap);
                        }
            EXPECT_EQ(stills.size(), d.BMPArr.size());
            EXPECT_EQ(gifs.size(), d.GIFArr.size());
            EXPECT_EQ(lists.size() + 1, d.BMPGIF.size());
            // The clipboard's entries show their own copies.
            ASSERT_EQ(d.FigBuf.size(), clipboard.size());
            for (size_t e = 0; e < d.FigBuf.size(); ++e) {
                TFigurePictures inEntry;
                for (const TQFrame& frame : d.FigBuf[e].Fig.Frames)
                    for (const TQPropValue& v : frame.Change) {
                        if (v.Name != qpBitmap)
                            continue;
                        if (v.IsGIF) {
                            ASSERT_LT(size_t(v.Bitmap), d.FigBuf[e].GIF.size());
                            inEntry[frame.Number] = {true, d.FigBuf[e].GIF[size_t(v.Bitmap)].Frames(0).Bitmap().Pixel(1, 1)};
                        } else {
                            ASSERT_LT(size_t(v.Bitmap), d.FigBuf[e].BMP.size());
                            inEntry[frame.Number] = {false, d.FigBuf[e].BMP[size_t(v.Bitmap)].Pixel(1, 1)};
                        }
                    }
                EXPECT_EQ(inEntry, clipboard[e]) << "entry " << e;
            }
            if (::testing::Test::HasFailure())
                return;
        }
    }
}
