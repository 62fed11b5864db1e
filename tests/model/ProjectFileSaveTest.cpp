// Saving and reopening whole projects: every figure kind, pictures and GIFs
// survive; a failed or cancelled save leaves the previous project untouched.
#include "ProjectFileTestSupport.h"

#include "drawobjects/Pic.h"
#include "model/Document.h"
#include "model/FigureFactory.h"
#include "model/GIFComposites.h"
#include "model/ProjectFile.h"
#include "tests/support/TestSupport.h"

#include <QDirIterator>
#include <gtest/gtest.h>
#include <map>
#include <typeinfo>

namespace {

// Every file below `folder` (relative name -> bytes).
std::map<QString, QByteArray> Snapshot(const QString& folder)
{
    std::map<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    const QDir base(folder);
    while (it.hasNext()) {
        const QString path = it.next();
        files[base.relativeFilePath(path)] = ReadBytes(path);
    }
    return files;
}

struct TProject {
    TDocument Doc;
    TZGIFImage Animation;
    THeadlessProgress Progress;
    TProjectFile File{Doc, Animation, Progress};

    TProject() { Doc.ClearProject(); }

    int AddFigure(TQFigName kind, int index)
    {
        std::unique_ptr<TDrawObject> obj = CreateDrawObject(kind);
        obj->Left = 5 + 7 * index;
        obj->Top = 3 + 5 * index;
        obj->SetWidth(40 + index);
        obj->SetHeight(30 + 2 * index);
        obj->Resize();
        obj->Color = RGB(uint8_t(10 * index), 100, 200);
        obj->Pen().Width = 1 + index % 4;
        obj->QAngle = index % 3 == 0 ? 15 * index : 0;
        obj->QRotPt = TPoint{index, 2 * index};
        TDrawObject* raw = obj.get();
        const int num = Doc.NewFigure(kind, std::move(obj), 0);
        if (auto* pic = dynamic_cast<TPic*>(raw)) {
            pic->Picture() = MakeBitmap(12, 9, clYellow, TRect{2, 2, 6, 5}, clRed);
            pic->Modify = true;
        }
        Doc.StoreNewFigure(num);
        if (auto* pic = dynamic_cast<TPic*>(raw)) {
            if (Doc.BMPArr.empty())
                Doc.BMPArr.push_back(pic->Picture());
            EnsureBitmapValue(num, TQPropValue::OfBitmap(false, 0));
        }
        return num;
    }

    // The picture value a picture figure's first key frame must hold.
    void EnsureBitmapValue(int num, const TQPropValue& value)
    {
        TQChange& change = Doc.Animation.Figures[size_t(num)].Frames.at(0).Change;
        if (TDocument::FindProp(change, qpBitmap, 0) < 0)
            change.push_back(value);
    }

    // A project with a figure of every kind, a still and a GIF picture, a
    // background GIF composited after the picture's GIF, a figures clipboard
    // entry, a frames clipboard, a rendered animation and changed settings.
    void FillRich()
    {
        Doc.CurIndex = 0;
        int index = 0;
        for (int k = 0; k < kFigNameCount; ++k)
            if (CreateDrawObject(TQFigName(k)))
                AddFigure(TQFigName(k), index++);

        // A picture showing a GIF.
        Doc.GIFArr.push_back(MakeGIF(10, 10, {clRed, clLime, clBlue}));
        const int list = AddBMPArr(Doc, Doc.GIFArr.back(), Progress);
        ASSERT_EQ(list, 0);
        auto obj = CreateDrawObject(qfPicture);
        auto* pic = static_cast<TPic*>(obj.get());
        pic->GNum = list;
        pic->BitNum = 0;
        pic->Picture() = Doc.BMPGIF[0][0];
        pic->Modify = true;
        const int gifFigure = Doc.NewFigure(qfPicture, std::move(obj), 0);
        Doc.Animation.Figures[size_t(gifFigure)].All = false;
        Doc.Animation.Figures[size_t(gifFigure)].Count = 6;
        Doc.StoreNewFigure(gifFigure);
        EnsureBitmapValue(gifFigure, TQPropValue::OfBitmap(true, 0, list));

        Doc.Animation.BackGIF = MakeGIF(64, 48, {clWhite, clSilver, clGray}, 70);
        Doc.BackNum = AddBMPArr(Doc, Doc.Animation.BackGIF, Progress);
        ASSERT_EQ(Doc.BackNum, 1);
        Doc.Animation.IsBackBMP = true;
        Doc.Animation.BackBMP = MakeBitmap(33, 22, clAqua, TRect{0, 0, 5, 5}, clFuchsia);

        // Second key frames: a move at frame 4 for the first figures.
        Doc.CurIndex = 4;
        for (int f = 0; f < 4; ++f) {
            Doc.Animation.Figures[size_t(f)].Count = 8;
            Doc.GetFig(f);
            Doc.Animation.Figures[size_t(f)].Obj->Left += 20;
            Doc.SetFig(f);
        }
        Doc.CurIndex = 0;
        Doc.OldFrame = 0;
        Doc.GetAnim();
        Doc.DrawArr[3]->SetFocused(true);
        Doc.QCount = 1; // as the editor counts the selection
        Doc.DrObj = Doc.DrawArr[3].get();
        std::swap(Doc.DrawArr[0], Doc.DrawArr[5]); // a painting order of its own

        TQBufEntry entry;
        entry.Fig = Doc.Animation.Figures[0];
        entry.Fig.Obj = nullptr;
        entry.BMP.push_back(MakeBitmap(5, 5, clBlue));
        entry.BMP.push_back(MakeBitmap(6, 4, clRed));
        entry.GIF.push_back(MakeGIF(4, 4, {clLime, clRed}));
        Doc.FigBuf.push_back(entry);
        Doc.FigBuf.push_back(entry);
        Doc.Buffer = MakeGIF(64, 48, {clBlack, clWhite});
        Animation = MakeGIF(64, 48, {clRed, clLime, clBlue, clYellow}, 50);
        Animation.SetFrameIndex(0);
        Doc.BMPSel = {0, 2};
        Doc.ImgWidth = 64;
        Doc.ImgHeight = 48;

        TProjectOptions& o = Doc.Options;
        o.BackShapeColor = 0x00445566;
        o.BackTransparent = true;
        o.FrameDelay = 120;
        o.InfiniteLoop = false;
        o.RepeatCount = 4;
        o.CurrentFrameDelay = 70;
        o.MaintainAspectRatio = false;
        o.MainPage = 2;
        o.FigurePage = 3;
        o.AngleSpin = 45;
        o.RecordDelay = 200;
        o.ExtractFolder = QStringLiteral("/tmp/out frames");
        o.ExtractQuality = 90;
        o.SelectedOnly = true;
        o.AviFile = QStringLiteral("/tmp/movie.avi");
        o.AviFrameTime = 60;
        o.AviQuality = 7500;
        o.AviPixelFormat = 2;
        o.AviCompressor = 1;
        o.ImagesSource = 1;
        o.ImagesDelay = 300;
        o.ImagesFolder = QStringLiteral("/tmp/pictures");
    }
};

// The records as the file keeps them: the rotation point is not stored.
TQFigArr Stored(TQFigArr figures)
{
    for (TQFigure& fig : figures) {
        fig.Obj = nullptr;
        for (TQFrame& frame : fig.Frames)
            for (TQPropValue& v : frame.Change)
                if (v.Name == qpPointX || v.Name == qpPointY)
                    v.IntValue = 0;
    }
    return figures;
}

void ExpectSameFigures(const TQFigArr& got, const TQFigArr& want)
{
    ASSERT_EQ(got.size(), want.size());
    for (size_t i = 0; i < want.size(); ++i) {
        EXPECT_EQ(got[i].Name, want[i].Name) << i;
        EXPECT_EQ(got[i].All, want[i].All) << i;
        EXPECT_EQ(got[i].Foc, want[i].Foc) << i;
        EXPECT_EQ(got[i].Start, want[i].Start) << i;
        EXPECT_EQ(got[i].Count, want[i].Count) << i;
        EXPECT_EQ(got[i].Frames, want[i].Frames) << i;
    }
}

bool SamePixels(const TBitmap& a, const TBitmap& b)
{
    if (a.Width() != b.Width() || a.Height() != b.Height())
        return false;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.Pixel(x, y) != b.Pixel(x, y))
                return false;
    return true;
}

} // namespace

TEST(ProjectFileSave, RichProjectComesBackAsItWasSaved)
{
    TProject a;
    a.FillRich();
    const QString dir = TempDir();
    const QString first = dir + QStringLiteral("/rich.v1.zembra");
    ASSERT_TRUE(a.File.Write(first)) << a.File.ErrorText().toStdString();
    WriteBytes(TestOutputDir(QStringLiteral("project-files")) + QStringLiteral("/rich.zembra"), ReadBytes(first));

    TProject b;
    ASSERT_TRUE(b.File.Read(first)) << b.File.ErrorText().toStdString();
    ExpectSameFigures(b.Doc.Animation.Figures, Stored(a.Doc.Animation.Figures));
    EXPECT_EQ(b.Doc.StrArr, a.Doc.StrArr);
    EXPECT_EQ(b.Doc.FigOrd, a.Doc.FigOrd);
    EXPECT_EQ(b.Doc.BMPSel, a.Doc.BMPSel);
    EXPECT_EQ(b.Doc.BackNum, 1);
    EXPECT_EQ(b.Doc.ImgWidth, 64);
    EXPECT_EQ(b.Doc.Options, a.Doc.Options);
    EXPECT_TRUE(b.Doc.Animation.IsBackBMP);
    EXPECT_TRUE(SamePixels(b.Doc.Animation.BackBMP, a.Doc.Animation.BackBMP));
    ASSERT_EQ(b.Doc.BMPArr.size(), a.Doc.BMPArr.size());
    for (size_t i = 0; i < a.Doc.BMPArr.size(); ++i)
        EXPECT_TRUE(SamePixels(b.Doc.BMPArr[i], a.Doc.BMPArr[i])) << i;
    ASSERT_EQ(b.Doc.BMPGIF.size(), 2u);
    for (size_t i = 0; i < 2; ++i) {
        ASSERT_EQ(b.Doc.BMPGIF[i].size(), a.Doc.BMPGIF[i].size());
        for (size_t f = 0; f < a.Doc.BMPGIF[i].size(); ++f)
            EXPECT_TRUE(SamePixels(b.Doc.BMPGIF[i][f], a.Doc.BMPGIF[i][f])) << i << "/" << f;
    }
    EXPECT_EQ(b.Doc.Animation.BackGIF.Count(), 3);
    EXPECT_EQ(b.Doc.Animation.BackGIF.Frames(1).AnimateInterval(), 70);
    EXPECT_EQ(b.Doc.Buffer.Count(), 2);
    EXPECT_EQ(b.Animation.Count(), 4);
    ASSERT_EQ(b.Doc.FigBuf.size(), 2u);
    EXPECT_EQ(b.Doc.FigBuf[1].Fig.Frames, a.Doc.FigBuf[1].Fig.Frames);
    ASSERT_EQ(b.Doc.FigBuf[1].BMP.size(), 2u);
    EXPECT_TRUE(SamePixels(b.Doc.FigBuf[1].BMP[1], a.Doc.FigBuf[1].BMP[1]));
    ASSERT_EQ(b.Doc.FigBuf[1].GIF.size(), 1u);
    EXPECT_EQ(b.Doc.FigBuf[1].GIF[0].Count(), 2);

    // The same objects in the same painting order and selection.
    ASSERT_EQ(b.Doc.DrawArr.size(), a.Doc.DrawArr.size());
    for (size_t i = 0; i < a.Doc.DrawArr.size(); ++i) {
        const TDrawObject& x = *a.Doc.DrawArr[i];
        const TDrawObject& y = *b.Doc.DrawArr[i];
        EXPECT_EQ(typeid(x), typeid(y)) << i;
        EXPECT_EQ(y.FigNum, x.FigNum);
        EXPECT_EQ(y.Focused(), x.Focused()) << i;
        EXPECT_EQ(y.Left, x.Left) << i;
        EXPECT_EQ(y.Top, x.Top) << i;
        EXPECT_EQ(y.Width(), x.Width()) << i;
        EXPECT_EQ(y.BtnPoints, x.BtnPoints) << i;
    }
    EXPECT_EQ(b.Doc.QCount, 1);

    // Saved again, the reopened project writes the same bytes.
    const QString second = dir + QStringLiteral("/again.zembra");
    ASSERT_TRUE(b.File.Write(second)) << b.File.ErrorText().toStdString();
    EXPECT_EQ(FirstDifference(ReadBytes(second), ReadBytes(first)), "");
    const auto before = Snapshot(dir + QStringLiteral("/richFiles"));
    const auto after = Snapshot(dir + QStringLiteral("/againFiles"));
    ASSERT_EQ(before.size(), after.size());
    for (const auto& [name, bytes] : before) {
        ASSERT_TRUE(after.count(name)) << name.toStdString();
        EXPECT_EQ(FirstDifference(after.at(name), bytes), "") << name.toStdString();
    }
    EXPECT_TRUE(before.count(QStringLiteral("Buffer/GIF/Image2.gif")));
    EXPECT_TRUE(before.count(QStringLiteral("Buffer/Bitmap/Image4.bmp")));
}

TEST(ProjectFileSave, RotationPointChangeComesBackAsZero)
{
    TProject a;
    a.Doc.CurIndex = 0;
    const int num = a.AddFigure(qfRectangle, 1);
    TQChange& change = a.Doc.Animation.Figures[size_t(num)].Frames[0].Change;
    change.push_back(TQPropValue::OfInt(qpPointX, 30));
    change.push_back(TQPropValue::OfInt(qpPointY, 40));
    a.Doc.CurIndex = -2; // nothing shown: the records are written as they are
    const QString path = TempDir() + QStringLiteral("/point.zembra");
    ASSERT_TRUE(a.File.Write(path));

    TProject b;
    ASSERT_TRUE(b.File.Read(path));
    const TQChange& back = b.Doc.Animation.Figures[size_t(num)].Frames[0].Change;
    const int x = TDocument::FindProp(back, qpPointX, 0);
    const int y = TDocument::FindProp(back, qpPointY, 0);
    ASSERT_GE(x, 0);
    ASSERT_GE(y, 0);
    EXPECT_EQ(back[size_t(x)].IntValue, 0);
    EXPECT_EQ(back[size_t(y)].IntValue, 0);
}

TEST(ProjectFileSave, MyAnimProjectUsesMyFiles)
{
    TProject a;
    a.Doc.Animation.IsBackBMP = true;
    a.Doc.Animation.BackBMP = MakeBitmap(3, 3, clRed);
    const QString dir = TempDir();
    ASSERT_TRUE(a.File.Write(dir + QStringLiteral("/my.anim.zembra")));
    EXPECT_TRUE(QFileInfo::exists(dir + QStringLiteral("/myFiles/BackBMP.bmp")));
    EXPECT_FALSE(QFileInfo::exists(dir + QStringLiteral("/my.animFiles")));

    TProject b;
    ASSERT_TRUE(b.File.Read(dir + QStringLiteral("/my.anim.zembra")));
    EXPECT_TRUE(b.Doc.Animation.IsBackBMP);
}

TEST(ProjectFileSave, PicturesDroppedSinceTheLastSaveDoNotComeBack)
{
    TProject a;
    a.FillRich();
    const QString dir = TempDir();
    const QString path = dir + QStringLiteral("/stale.zembra");
    ASSERT_TRUE(a.File.Write(path));
    for (const char* name : {"BackGIF.gif", "BackBMP.bmp", "Buffer.gif", "Anim.gif"})
        ASSERT_TRUE(QFileInfo::exists(dir + QStringLiteral("/staleFiles/") + QLatin1String(name))) << name;

    a.Doc.Animation.IsBackBMP = false;
    a.Doc.Animation.BackGIF.Clear();
    DelBMPArr(a.Doc, a.Doc.BackNum);
    a.Doc.BackNum = -1;
    a.Doc.Buffer.Clear();
    a.Animation.Clear();
    ASSERT_TRUE(a.File.Write(path)) << a.File.ErrorText().toStdString();
    for (const char* name : {"BackGIF.gif", "BackBMP.bmp", "Buffer.gif", "Anim.gif"})
        EXPECT_FALSE(QFileInfo::exists(dir + QStringLiteral("/staleFiles/") + QLatin1String(name))) << name;

    TProject b;
    ASSERT_TRUE(b.File.Read(path)) << b.File.ErrorText().toStdString();
    EXPECT_FALSE(b.Doc.Animation.IsBackBMP);
    EXPECT_EQ(b.Doc.Animation.BackGIF.Count(), 0);
    EXPECT_EQ(b.Doc.BackNum, -1);
    EXPECT_EQ(b.Doc.Buffer.Count(), 0);
    EXPECT_EQ(b.Animation.Count(), 0);
}

TEST(ProjectFileSave, FailedSaveLeavesThePreviousProjectByteIdentical)
{
    TProject a;
    a.FillRich();
    const QString dir = TempDir();
    const QString path = dir + QStringLiteral("/keep.zembra");
    ASSERT_TRUE(a.File.Write(path));
    const QByteArray oldFile = ReadBytes(path);
    const QString folder = dir + QStringLiteral("/keepFiles");
    const auto oldFolder = Snapshot(folder);

    // Changes that would alter nearly every file.
    a.Doc.Animation.BackColor = clRed;
    a.Doc.Animation.BackBMP = MakeBitmap(8, 8, clBlue);
    a.Doc.BMPArr[0] = MakeBitmap(2, 2, clBlack);
    a.Doc.Buffer = MakeGIF(5, 5, {clBlue});
    a.Doc.Animation.BackGIF = MakeGIF(5, 5, {clBlue});

    // The GIF subfolder cannot be made: a file stands in its place.
    ASSERT_TRUE(QDir(folder + QStringLiteral("/GIF")).removeRecursively());
    ASSERT_TRUE(WriteBytes(folder + QStringLiteral("/GIF"), "in the way"));
    const auto blocked = Snapshot(folder);
    EXPECT_FALSE(a.File.Write(path));
    EXPECT_FALSE(a.File.ErrorText().isEmpty());
    EXPECT_EQ(ReadBytes(path), oldFile);
    EXPECT_EQ(Snapshot(folder), blocked); // nothing replaced, no temporary file left
    EXPECT_EQ(QDir(dir).entryList(QDir::Files), QStringList{QStringLiteral("keep.zembra")});

    // Cancelled at each point where the save looks at the progress window.
    QFile::remove(folder + QStringLiteral("/GIF"));
    ASSERT_TRUE(QDir().mkpath(folder + QStringLiteral("/GIF")));
    for (const auto& [name, bytes] : oldFolder)
        WriteBytes(folder + QLatin1Char('/') + name, bytes);
    ASSERT_EQ(Snapshot(folder), oldFolder);
    int cancelAt = 1;
    for (;; ++cancelAt) {
        TCancellingProgress cancel(cancelAt);
        TProjectFile file(a.Doc, a.Animation, cancel);
        if (file.Write(path))
            break;
        EXPECT_EQ(ReadBytes(path), oldFile) << cancelAt;
        EXPECT_EQ(Snapshot(folder), oldFolder) << cancelAt;
        EXPECT_EQ(QDir(dir).entryList(QDir::Files), QStringList{QStringLiteral("keep.zembra")});
        ASSERT_LT(cancelAt, 100);
    }
    // Looked at after the strings and after each picture file: one still, one
    // GIF, and two clipboard entries of two stills and a GIF each.
    EXPECT_EQ(cancelAt, 1 + 1 + 1 + 6 + 1);
    EXPECT_NE(ReadBytes(path), oldFile);

    // A folder where the project file should go.
    TProject c;
    ASSERT_TRUE(QDir().mkpath(dir + QStringLiteral("/taken.zembra")));
    EXPECT_FALSE(c.File.Write(dir + QStringLiteral("/taken.zembra")));
}
