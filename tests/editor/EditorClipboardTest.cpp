// The figure clipboard and figure deletion: the picture tables after deletes,
// pastes with their own picture copies, a GIF that cannot be composed again,
// the clipboard through a save and reopen, and random command sequences
// checked against the pictures (by their pixels) every figure must still show.
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

// Per figure: key frame number -> colour of the picture it shows (a GIF's
// first composite), with the GIF flag in the top byte.
using TPictures = std::map<int, uint32_t>;
constexpr uint32_t kGIF = 0x01000000;

class ClipboardTest : public EditorCoreTest {
protected:
    void SetUp() override
    {
        core.SetRedrawQuestion(false);
        EditorCoreTest::SetUp();
        for (int i = 0; i < 3; ++i)
            core.AddFrames(0);
        core.SetFrameIndex(0);
    }
    TColor NextColor()
    {
        ++colors;
        return TColor((colors * 53 % 256) | (colors * 97 % 256) << 8 | ((colors * 151 + 80) % 256) << 16);
    }
    static TZGIFImage MakeGif(TColor first, int frames = 2)
    {
        TZGIFImage gif;
        for (int i = 0; i < frames; ++i)
            gif.AddFrame(Solid(12, 8, i == 0 ? first : first ^ 0xFFFFFF));
        return gif;
    }
    QString File(const char* ext) { return QDir(dir).filePath(QStringLiteral("p%1.%2").arg(++files).arg(ext)); }
    void Picture(bool gif, TColor color)
    {
        const QString file = File(gif ? "gif" : "png");
        if (gif)
            MakeGif(color).SaveToFile(file);
        else
            SavePngFile(Solid(16, 10, color), file);
        ASSERT_TRUE(core.QNewFigure(qfPicture, file));
    }
    void BackGif(TColor color)
    {
        const QString file = File("gif");
        MakeGif(color, 4).SaveToFile(file);
        page.GIFOpenButtonClick(file);
    }
    // Figure `num` gets a new picture at `frame`, stored as an edit there stores it.
    void NewPictureAt(int num, int frame, bool gif, TColor color)
    {
        TDocument& d = core.Doc;
        auto* pic = dynamic_cast<TPic*>(d.Animation.Figures[size_t(num)].Obj);
        d.CurIndex = frame;
        d.GetFig(num);
        pic->GNum = -1;
        pic->Picture() = Solid(16, 10, color);
        if (gif) {
            d.GIFArr.push_back(MakeGif(color));
            pic->BitNum = int(d.GIFArr.size()) - 1;
            progress.SetApply(true);
            pic->GNum = core.AddBMPArr(d.GIFArr.back());
            progress.SetApply(false);
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
    // What figure `num`'s key frames show, read through the tables (0 for an index out of range).
    TPictures Shown(int num)
    {
        const TDocument& d = core.Doc;
        TPictures shown;
        for (const TQFrame& frame : d.Animation.Figures[size_t(num)].Frames)
            for (const TQPropValue& v : frame.Change) {
                if (v.Name != qpBitmap)
                    continue;
                uint32_t& s = shown[frame.Number];
                if (!v.IsGIF) {
                    if (v.Bitmap >= 0 && v.Bitmap < int(d.BMPArr.size()))
                        s = d.BMPArr[size_t(v.Bitmap)].Pixel(1, 1);
                } else if (v.Bitmap >= 0 && v.Bitmap < int(d.GIFArr.size()) && v.FNum >= 0
                           && v.FNum < int(d.BMPGIF.size()) && v.FNum != d.BackNum) {
                    TZGIFImage gif = d.GIFArr[size_t(v.Bitmap)];
                    const TColor composite = d.BMPGIF[size_t(v.FNum)].at(0).Pixel(1, 1);
                    if (gif.Frames(0).Bitmap().Pixel(1, 1) == composite)
                        s = composite | kGIF;
                }
            }
        return shown;
    }
    const TQPropValue& PictureOf(int num)
    {
        for (const TQPropValue& v : core.Doc.Animation.Figures[size_t(num)].Frames[0].Change)
            if (v.Name == qpBitmap)
                return v;
        throw std::logic_error("no picture");
    }
    void SaveAndReopen()
    {
        const QString file = QDir(dir).filePath(QStringLiteral("project.zembra"));
        ASSERT_TRUE(life.SaveAsProjectButtonClick(file));
        life.ClearProject();
        ASSERT_TRUE(life.OpenProject(file));
        core.SetFrameIndex(0);
    }

    TOptionsPage page{core};
    TProjectLife life{core, page};
    QString dir = TempDir();
    int colors = 0;
    int files = 0;
};

} // namespace

TEST_F(ClipboardTest, DeletedPictureFiguresTakeTheirPicturesAndLowerLaterReferences)
{
    const TColor a = NextColor(), b = NextColor(), c = NextColor(), back = NextColor();
    Picture(true, a);
    Picture(true, b);
    Picture(true, c);
    BackGif(back); // composed after the three GIFs
    const TColor s1 = NextColor(), s2 = NextColor(), t = NextColor();
    Picture(false, s1);
    NewPictureAt(3, 2, false, s2); // figure 3 shows two still pictures
    Picture(false, t);
    ASSERT_EQ(core.Doc.BackNum, 3);
    ASSERT_EQ(PictureOf(4).Bitmap, 2);

    Select({1, 3});
    core.DeleteFigureExecute();

    ASSERT_EQ(core.Doc.FigureCount(), 3);
    EXPECT_EQ(PictureOf(0).Bitmap, 0);
    EXPECT_EQ(PictureOf(0).FNum, 0);
    EXPECT_EQ(PictureOf(1).Bitmap, 1);
    EXPECT_EQ(PictureOf(1).FNum, 1);
    EXPECT_EQ(dynamic_cast<TPic*>(core.Doc.Animation.Figures[1].Obj)->GNum, 1);
    EXPECT_EQ(PictureOf(2).Bitmap, 0);
    EXPECT_EQ(Shown(1), (TPictures{{0, c | kGIF}}));
    EXPECT_EQ(Shown(2), (TPictures{{0, t}}));
    EXPECT_EQ(core.Doc.BackNum, 2);
    EXPECT_EQ(core.Doc.BMPGIF[2][0].Pixel(1, 1), back);
    EXPECT_EQ(core.Doc.BMPArr.size(), 1u);
    EXPECT_EQ(core.Doc.GIFArr.size(), 2u);
}

TEST_F(ClipboardTest, DeletingTheBottomOfThreeFiguresKeepsTheOthersInOrder)
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
    EXPECT_EQ(core.Doc.Animation.Figures[1].Obj, top);
    EXPECT_EQ(core.DrObj(), nullptr);
}

TEST_F(ClipboardTest, PastesAreIndependentCopiesAndTheClipboardIsSavedWithTheProject)
{
    const TColor still = NextColor(), gif = NextColor();
    Picture(false, still);
    Picture(true, gif);
    core.Doc.Animation.Figures[1].Start = 2;
    core.Doc.Animation.Figures[1].Count = 3;
    const TQFrArr gifFrames = core.Doc.Animation.Figures[1].Frames;
    Select({0, 1});
    core.CutFigureExecute();
    ASSERT_EQ(core.Doc.FigBuf.size(), 2u);
    EXPECT_TRUE(core.Doc.BMPArr.empty() && core.Doc.GIFArr.empty() && core.Doc.BMPGIF.empty());
    Select({});
    core.CopyFigureExecute(); // without a selection the clipboard stays
    core.RedrawAnimation();   // so it does through redraws
    SaveAndReopen();

    core.PasteFigureExecute();
    core.PasteFigureExecute();
    ASSERT_EQ(core.Doc.FigureCount(), 4);
    EXPECT_EQ(core.QCount(), 2); // the second paste
    for (int f : {0, 2})
        EXPECT_EQ(Shown(f), (TPictures{{0, still}})) << f;
    EXPECT_EQ(Shown(3), (TPictures{{0, gif | kGIF}}));
    EXPECT_NE(PictureOf(1).FNum, PictureOf(3).FNum);
    const TQFigure& pasted = core.Doc.Animation.Figures[3];
    EXPECT_EQ(pasted.Start, 2);
    EXPECT_EQ(pasted.Count, 3);
    EXPECT_EQ(pasted.Frames.size(), gifFrames.size());
    EXPECT_EQ(dynamic_cast<TPic*>(pasted.Obj)->GNum, PictureOf(3).FNum);

    // Deleting the first pair leaves the second showing its own copies.
    Select({0, 1});
    core.DeleteFigureExecute();
    EXPECT_EQ(Shown(0), (TPictures{{0, still}}));
    EXPECT_EQ(Shown(1), (TPictures{{0, gif | kGIF}}));
}

TEST_F(ClipboardTest, AFigurePastedOutsideTheCurrentFrameKeepsItsKeyFrames)
{
    AddFigure(10, 10);
    TQFigure& fig = core.Doc.Animation.Figures[0];
    fig.All = false;
    fig.Start = 2;
    const TQFrArr frames = fig.Frames;
    Select({0});
    core.CopyFigureExecute();
    core.PasteFigureExecute();
    ASSERT_EQ(core.QCount(), 1);
    EXPECT_EQ(core.Doc.Animation.Figures[1].Frames, frames);
}

TEST_F(ClipboardTest, AnEntryWhoseGIFCannotBeComposedIsNotPasted)
{
    const TColor still = NextColor();
    Picture(false, still);
    Select({0});
    core.CopyFigureExecute();
    // An entry whose GIF spans far more pixels than composites may take.
    TQBufEntry huge;
    huge.Fig = core.Doc.FigBuf[0].Fig;
    for (TQPropValue& v : huge.Fig.Frames[0].Change)
        if (v.Name == qpBitmap)
            v = TQPropValue::OfBitmap(true, 0, 0);
    huge.GIF.push_back(MakeGif(NextColor(), 1));
    huge.GIF[0].Frames(0).SetOrigin({60000, 60000});
    huge.GIF[0].RecomputeScreenSize();
    core.Doc.FigBuf.push_back(huge);
    core.Doc.FigBuf.push_back(core.Doc.FigBuf[0]);

    core.PasteFigureExecute();
    ASSERT_EQ(core.Doc.FigureCount(), 3); // the entries before and after it
    for (int f = 0; f < 3; ++f)
        EXPECT_EQ(Shown(f), (TPictures{{0, still}})) << f;
    // A GIF file with such a screen is refused whole and leaves no GIF behind.
    const QString file = File("gif");
    huge.GIF[0].SaveToFile(file);
    EXPECT_FALSE(core.QNewFigure(qfPicture, file));
    EXPECT_EQ(core.Doc.FigureCount(), 3);
    EXPECT_EQ(dialogs.Messages().value(0), QStringLiteral("Not enough RAM!"));
    EXPECT_TRUE(core.Doc.GIFArr.empty() && core.Doc.BMPGIF.empty());
}

// Random copy, cut, paste and delete of still-picture, GIF-picture and plain
// figures, with new pictures at other frames, the background GIF replaced and
// the project saved and reopened now and then. After each step every figure and
// clipboard entry shows what it showed, the background keeps its composites,
// and the tables hold nothing no figure shows.
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
        std::vector<TPictures> expected, clipboard;
        TColor back = NextColor();
        BackGif(back);
        auto selectSome = [&] {
            std::vector<int> nums; // bottom first
            core.ClearAllDrawObjFocuses();
            for (auto& obj : core.Doc.DrawArr)
                if (range(0, 2) == 0) {
                    obj->SetFocused(true);
                    nums.push_back(obj->FigNum);
                }
            core.CountFocusedDrawObjs();
            return nums;
        };
        auto copy = [&](const std::vector<int>& nums) {
            clipboard.clear();
            for (int f : nums)
                clipboard.push_back(expected[size_t(f)]);
        };
        auto erase = [&](std::vector<int> nums) {
            std::sort(nums.rbegin(), nums.rend());
            for (int f : nums)
                expected.erase(expected.begin() + f);
        };

        for (int step = 0; step < 60 && !HasFailure(); ++step) {
            SCOPED_TRACE(step);
            const int op = range(0, 19);
            if (op < 6) {
                const bool gif = op >= 3;
                const TColor c = NextColor();
                Picture(gif, c);
                expected.push_back({{0, c | (gif ? kGIF : 0)}});
            } else if (op < 7) {
                AddFigure(range(0, 150), range(0, 150));
                expected.push_back({});
            } else if (op < 9) {
                if (expected.empty())
                    continue;
                const int f = range(0, int(expected.size()) - 1);
                if (core.Doc.Animation.Figures[size_t(f)].Name != qfPicture)
                    continue;
                const bool gif = range(0, 1) == 1;
                const int frame = range(1, 3);
                const TColor c = NextColor();
                NewPictureAt(f, frame, gif, c);
                expected[size_t(f)][frame] = c | (gif ? kGIF : 0);
            } else if (op < 12) {
                const std::vector<int> nums = selectSome();
                core.CopyFigureExecute();
                if (!nums.empty())
                    copy(nums);
            } else if (op < 15) {
                core.PasteFigureExecute();
                expected.insert(expected.end(), clipboard.begin(), clipboard.end());
            } else if (op < 17) {
                const std::vector<int> nums = selectSome();
                core.CutFigureExecute();
                if (!nums.empty())
                    copy(nums);
                erase(nums);
            } else if (op < 18) {
                erase(selectSome());
                core.DeleteFigureExecute();
            } else if (op < 19) {
                BackGif(back = NextColor());
            } else {
                SaveAndReopen();
            }

            TDocument& d = core.Doc;
            ASSERT_EQ(d.FigureCount(), int(expected.size()));
            ASSERT_EQ(d.DrawArr.size(), expected.size());
            std::set<int> stills, gifs, lists;
            for (int f = 0; f < d.FigureCount(); ++f) {
                EXPECT_EQ(Shown(f), expected[size_t(f)]) << "figure " << f;
                EXPECT_EQ(d.Animation.Figures[size_t(f)].Obj->FigNum, f);
                for (const TQFrame& frame : d.Animation.Figures[size_t(f)].Frames)
                    for (const TQPropValue& v : frame.Change)
                        if (v.Name == qpBitmap && v.IsGIF) {
                            gifs.insert(v.Bitmap);
                            lists.insert(v.FNum);
                        } else if (v.Name == qpBitmap) {
                            stills.insert(v.Bitmap);
                        }
            }
            ASSERT_TRUE(d.BackNum >= 0 && d.BackNum < int(d.BMPGIF.size()));
            EXPECT_EQ(d.BMPGIF[size_t(d.BackNum)].size(), 4u);
            EXPECT_EQ(d.BMPGIF[size_t(d.BackNum)][0].Pixel(1, 1), back);
            EXPECT_EQ(stills.size(), d.BMPArr.size());
            EXPECT_EQ(gifs.size(), d.GIFArr.size());
            EXPECT_EQ(lists.size() + 1, d.BMPGIF.size());
            // The clipboard's entries show their own copies.
            ASSERT_EQ(d.FigBuf.size(), clipboard.size());
            for (size_t e = 0; e < d.FigBuf.size(); ++e) {
                TQBufEntry& entry = d.FigBuf[e];
                TPictures inEntry;
                for (const TQFrame& frame : entry.Fig.Frames)
                    for (const TQPropValue& v : frame.Change)
                        if (v.Name == qpBitmap)
                            inEntry[frame.Number] =
                                v.IsGIF ? entry.GIF.at(size_t(v.Bitmap)).Frames(0).Bitmap().Pixel(1, 1) | kGIF
                                        : entry.BMP.at(size_t(v.Bitmap)).Pixel(1, 1);
                EXPECT_EQ(inEntry, clipboard[e]) << "entry " << e;
            }
        }
    }
}
