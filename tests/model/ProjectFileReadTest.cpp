// Reading project files made by hand: every format version, the companion
// folder's pictures, the order of the GIF composites and the drawing objects.
#include "ProjectFileTestSupport.h"

#include "drawobjects/Rectangle.h"
#include "model/Document.h"
#include "model/ProjectFile.h"
#include "platform/ImageFiles.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

struct TReadCase {
    TDocument Doc;
    TZGIFImage Animation;
    THeadlessProgress Progress;
    TProjectFile File{Doc, Animation, Progress};
    QString Folder = TempDir();

    TReadCase() { Doc.ClearProject(); }

    bool Read(const THandProject& hand, const QString& name = QStringLiteral("p.zembra"))
    {
        return File.Read(PutProject(Folder, name, hand.Build()));
    }
    QString Companion(const QString& relative, const QString& base = QStringLiteral("p")) const
    {
        return Folder + QLatin1Char('/') + base + QStringLiteral("Files/") + relative;
    }
};

// A rectangle shown in all frames, selected when saved, with one key frame.
void AddRectangle(THandProject& hand, TQFigName kind = qfRectangle)
{
    hand.Figures.Byte(kind).Bool(true).Bool(true).Int(0).Int(5);
    hand.Figures.Int(1).Int(0).Int(6);
    hand.Figures.Byte(qpLeft).Int(10).Byte(qpTop).Int(20).Byte(qpWidth).Int(30).Byte(qpHeight).Int(40);
    hand.Figures.Byte(qpPointX).Byte(qpTextValue).Int(0);
    hand.FigOrd.push_back(hand.FigureCount++);
    hand.Strings = {QStringLiteral("Hello")};
}

// A picture figure showing GIF picture `gif` (composite list `fNum` when the
// version stores one).
void AddGIFPicture(THandProject& hand, int gif, int fNum)
{
    hand.Figures.Byte(qfPicture).Bool(true).Bool(false).Int(0).Int(1);
    hand.Figures.Int(1).Int(0).Int(1).Byte(qpBitmap).Bool(true).Int(gif);
    if (hand.Version >= 0)
        hand.Figures.Int(fNum);
    hand.FigOrd.push_back(hand.FigureCount++);
}

TColor CompositeColor(const TDocument& doc, int list)
{
    return doc.BMPGIF.at(size_t(list)).at(0).Pixel(0, 0);
}

} // namespace

class ProjectFileVersions : public testing::TestWithParam<int> {};

TEST_P(ProjectFileVersions, EveryVersionReadsItsItems)
{
    const int version = GetParam();
    TReadCase c;
    THandProject hand;
    hand.Version = version;
    AddRectangle(hand);
    // Kept as samples (the fuzz target's seeds).
    WriteBytes(TestOutputDir(QStringLiteral("project-files")) + QStringLiteral("/version%1.zembra").arg(version),
               hand.Build());
    ASSERT_TRUE(c.Read(hand)) << c.File.ErrorText().toStdString();

    const TDocument& d = c.Doc;
    const TEditorView& v = c.File.View;
    EXPECT_TRUE(d.SelCen);
    EXPECT_FALSE(v.IsDel);
    EXPECT_FALSE(d.IsStart);
    EXPECT_TRUE(d.IsProject);
    EXPECT_FALSE(d.IsChRot);
    EXPECT_TRUE(v.IsChDelay);
    EXPECT_FALSE(v.IsChGoTo);
    EXPECT_TRUE(d.IsFrOper);
    EXPECT_EQ(v.FrCount, 7);
    EXPECT_EQ(v.ImgH, 8);
    EXPECT_EQ(v.OldPos, 9);
    EXPECT_EQ(d.ImgWidth, 320);
    EXPECT_EQ(d.ImgHeight, 240);
    EXPECT_EQ(d.AnInt, 70);
    EXPECT_EQ(v.QRow, 2);
    EXPECT_EQ(d.OldFrame, 3); // no rendered animation: the saved cursors stay
    EXPECT_EQ(d.CurIndex, 4);
    EXPECT_EQ(v.OldIndex, 5);
    EXPECT_EQ(d.BMPSel, (TQFrInt{1, 2}));
    EXPECT_EQ(d.Animation.BackColor, 0x00C08040u);
    EXPECT_FALSE(d.RedrawEnabled);

    const TProjectOptions& o = d.Options;
    EXPECT_EQ(o.BackShapeColor, 0x123456u); // the first of the four copies
    EXPECT_TRUE(o.BackTransparent);
    EXPECT_EQ(o.FrameDelay, 80);
    EXPECT_FALSE(o.InfiniteLoop);
    EXPECT_EQ(o.RepeatCount, 3);
    EXPECT_EQ(o.CurrentFrameDelay, 90);      // the first of three
    EXPECT_EQ(o.MainPage, 1);
    EXPECT_EQ(o.FigurePage, 2);
    EXPECT_EQ(o.RecordDelay, 60);
    EXPECT_EQ(o.AngleSpin, 33);              // the third of three
    EXPECT_EQ(o.ExtractFolder, QStringLiteral("/tmp/frames"));
    EXPECT_EQ(o.ExtractQuality, 55);

    const TProjectOptions fresh = TProjectOptions::Defaults();
    EXPECT_EQ(o.SelectedOnly, version > 0);
    EXPECT_EQ(o.AviFile, version > 1 ? QStringLiteral("out.avi") : fresh.AviFile);
    EXPECT_EQ(o.AviFrameTime, version > 1 ? 40 : 50);
    EXPECT_EQ(o.AviQuality, version > 1 ? 5000 : 10000);
    EXPECT_EQ(o.AviPixelFormat, version > 1 ? 2 : 1);
    EXPECT_EQ(o.AviCompressor, version > 1 ? 1 : 0);
    EXPECT_EQ(o.ImagesSource, version > 2 ? 1 : 0);
    EXPECT_EQ(o.ImagesDelay, version > 2 ? 120 : 50);
    EXPECT_EQ(o.ImagesFolder, version > 2 ? QStringLiteral("/tmp/images") : fresh.ImagesFolder);
    EXPECT_EQ(o.MaintainAspectRatio, version <= 3);

    // The figure and its drawing object, loaded for the current frame.
    EXPECT_EQ(d.StrArr, QStringList{QStringLiteral("Hello")});
    ASSERT_EQ(d.FigureCount(), 1);
    const TQFigure& fig = d.Animation.Figures[0];
    EXPECT_EQ(fig.Count, 5);
    ASSERT_EQ(fig.Frames.size(), 1u);
    EXPECT_EQ(fig.Frames[0].Change.size(), 6u);
    ASSERT_EQ(d.DrawArr.size(), 1u);
    auto* rect = dynamic_cast<TRectangle*>(d.DrawArr[0].get());
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(fig.Obj, rect);
    EXPECT_EQ(rect->FigNum, 0);
    EXPECT_TRUE(rect->Focused());
    EXPECT_EQ(d.QCount, 1);
    EXPECT_EQ(d.DrObj, rect);
    EXPECT_EQ(rect->Left, 10);
    EXPECT_EQ(rect->Top, 20);
    EXPECT_EQ(rect->Width(), 30);
}

INSTANTIATE_TEST_SUITE_P(WithoutHeaderAndVersions0To4, ProjectFileVersions, testing::Values(-1, 0, 1, 2, 3, 4));

TEST(ProjectFileRead, AviSettingsOnlyWhenTheWindowWouldTakeThem)
{
    struct TAvi {
        int32_t FrameTime, Quality, PixelFormat, Compressor;
        int32_t WantFrameTime, WantQuality, WantPixelFormat, WantCompressor;
    };
    const TAvi cases[] = {
        {15, 150, 3, 1, 50, 10000, 1, 0},        // none applies; no pixel format, no compressor
        {20, 200, 0, 1, 20, 200, 0, 1},          // all apply
        {1000010, -100, 2, 2, 50, 10000, 2, 0},  // compressor 2 is not listed
        {1000000, 10000, -1, 0, 1000000, 10000, 1, 0},
    };
    for (const TAvi& a : cases) {
        TReadCase c;
        THandProject hand;
        hand.Version = 2;
        hand.AviFrameTime = a.FrameTime;
        hand.AviQuality = a.Quality;
        hand.AviPixelFormat = a.PixelFormat;
        hand.AviCompressor = a.Compressor;
        ASSERT_TRUE(c.Read(hand));
        EXPECT_EQ(c.Doc.Options.AviFrameTime, a.WantFrameTime) << a.FrameTime;
        EXPECT_EQ(c.Doc.Options.AviQuality, a.WantQuality) << a.Quality;
        EXPECT_EQ(c.Doc.Options.AviPixelFormat, a.WantPixelFormat) << a.PixelFormat;
        EXPECT_EQ(c.Doc.Options.AviCompressor, a.WantCompressor) << a.Compressor;
    }
    // With a third compressor listed, index 2 applies.
    TReadCase c;
    c.File.CompressorCount = 3;
    THandProject hand;
    hand.AviCompressor = 2;
    ASSERT_TRUE(c.Read(hand));
    EXPECT_EQ(c.Doc.Options.AviCompressor, 2);
}

TEST(ProjectFileRead, BackgroundCompositesGoWhereTheSavedIndexSays)
{
    for (int backNum : {0, 1, 2}) {
        TReadCase c;
        THandProject hand;
        hand.GIFCount = 2;
        hand.BackNum = backNum;
        AddGIFPicture(hand, 0, backNum <= 0 ? 1 : 0);
        AddGIFPicture(hand, 1, backNum <= 1 ? 2 : 1);
        QDir().mkpath(c.Companion(QStringLiteral("GIF")));
        MakeGIF(8, 8, {clRed}).SaveToFile(c.Companion(QStringLiteral("GIF/Image1.gif")));
        MakeGIF(8, 8, {clLime, clYellow}).SaveToFile(c.Companion(QStringLiteral("GIF/Image2.gif")));
        MakeGIF(16, 16, {clBlue, clBlue, clBlue}).SaveToFile(c.Companion(QStringLiteral("BackGIF.gif")));
        ASSERT_TRUE(c.Read(hand)) << c.File.ErrorText().toStdString();

        EXPECT_EQ(c.Doc.BackNum, backNum);
        ASSERT_EQ(c.Doc.BMPGIF.size(), 3u);
        EXPECT_EQ(c.Doc.BMPGIF[size_t(backNum)].size(), 3u);
        EXPECT_EQ(CompositeColor(c.Doc, backNum), clBlue);
        // Each picture's saved index still finds its own GIF.
        for (int f = 0; f < 2; ++f) {
            const TQPropValue& v = c.Doc.Animation.Figures[size_t(f)].Frames[0].Change[0];
            EXPECT_EQ(CompositeColor(c.Doc, v.FNum), f == 0 ? clRed : clLime) << backNum;
        }
    }
}

TEST(ProjectFileRead, FilesWithoutHeaderGiveEachGIFPictureValueItsOwnComposites)
{
    TReadCase c;
    THandProject hand;
    hand.Version = -1;
    hand.GIFCount = 1;
    AddGIFPicture(hand, 0, 0);
    AddGIFPicture(hand, 0, 0);
    QDir().mkpath(c.Companion(QStringLiteral("GIF")));
    MakeGIF(8, 8, {clRed, clLime}).SaveToFile(c.Companion(QStringLiteral("GIF/Image1.gif")));
    MakeGIF(16, 16, {clBlue}).SaveToFile(c.Companion(QStringLiteral("BackGIF.gif")));
    ASSERT_TRUE(c.Read(hand)) << c.File.ErrorText().toStdString();

    EXPECT_EQ(c.Doc.BackNum, 0); // the background first
    ASSERT_EQ(c.Doc.BMPGIF.size(), 3u);
    EXPECT_EQ(c.Doc.Animation.Figures[0].Frames[0].Change[0].FNum, 1);
    EXPECT_EQ(c.Doc.Animation.Figures[1].Frames[0].Change[0].FNum, 2);
    EXPECT_EQ(CompositeColor(c.Doc, 2), clRed);
    EXPECT_TRUE(c.Doc.FigBuf.empty());
}

TEST(ProjectFileRead, PicturesOfTheCompanionFolder)
{
    TReadCase c;
    THandProject hand;
    hand.BitmapCount = 2;
    hand.ClipboardCount = 1;
    hand.Clipboard.Byte(qfEllipse).Bool(false).Bool(false).Int(2).Int(3).Int(0); // the figure, no key frames
    hand.Clipboard.Int(1).Int(1);                                               // one still, one GIF
    for (const char* sub : {"Bitmap", "Buffer/Bitmap", "Buffer/GIF"})
        QDir().mkpath(c.Companion(QString::fromLatin1(sub)));
    SaveBmpFile(MakeBitmap(4, 3, clRed), c.Companion(QStringLiteral("Bitmap/Image1.bmp")));
    SaveBmpFile(MakeBitmap(5, 2, clLime), c.Companion(QStringLiteral("Bitmap/Image2.bmp")));
    SaveBmpFile(MakeBitmap(6, 6, clBlue), c.Companion(QStringLiteral("Buffer/Bitmap/Image1.bmp")));
    MakeGIF(7, 7, {clYellow}).SaveToFile(c.Companion(QStringLiteral("Buffer/GIF/Image1.gif")));
    MakeGIF(9, 9, {clRed, clRed}).SaveToFile(c.Companion(QStringLiteral("Buffer.gif")));
    MakeGIF(320, 240, {clWhite, clBlack}).SaveToFile(c.Companion(QStringLiteral("Anim.gif")));
    SaveBmpFile(MakeBitmap(30, 20, clAqua), c.Companion(QStringLiteral("BackBMP.bmp")));
    ASSERT_TRUE(c.Read(hand)) << c.File.ErrorText().toStdString();

    ASSERT_EQ(c.Doc.BMPArr.size(), 2u);
    EXPECT_EQ(c.Doc.BMPArr[1].Width(), 5);
    EXPECT_EQ(c.Doc.BMPArr[1].Pixel(0, 0), clLime);
    EXPECT_EQ(c.Doc.BMPArr[0].PixelFormat(), TPixelFormat::pf24bit);
    ASSERT_EQ(c.Doc.FigBuf.size(), 1u);
    EXPECT_EQ(c.Doc.FigBuf[0].Fig.Name, qfEllipse);
    EXPECT_EQ(c.Doc.FigBuf[0].Fig.Count, 3);
    ASSERT_EQ(c.Doc.FigBuf[0].BMP.size(), 1u);
    EXPECT_EQ(c.Doc.FigBuf[0].BMP[0].Pixel(1, 1), clBlue);
    ASSERT_EQ(c.Doc.FigBuf[0].GIF.size(), 1u);
    EXPECT_EQ(c.Doc.FigBuf[0].GIF[0].ScreenWidth(), 7);
    EXPECT_EQ(c.Doc.Buffer.Count(), 2);
    EXPECT_TRUE(c.Doc.Animation.IsBackBMP);
    EXPECT_EQ(c.Doc.Animation.BackBMP.Width(), 30);
    EXPECT_EQ(c.Doc.BackNum, -1);
    // With a rendered animation the first frame is shown.
    EXPECT_EQ(c.Animation.Count(), 2);
    EXPECT_EQ(c.Animation.FrameIndex(), 0);
    EXPECT_EQ(c.Doc.CurIndex, 0);
    EXPECT_EQ(c.Doc.OldFrame, 0);
}

TEST(ProjectFileRead, FailsOnWhatCannotMakeAProject)
{
    {   // No companion folder.
        TReadCase c;
        const QString path = c.Folder + QStringLiteral("/lone.zembra");
        WriteBytes(path, THandProject().Build());
        EXPECT_FALSE(c.File.Read(path));
        EXPECT_FALSE(c.File.Read(c.Folder + QStringLiteral("/absent.zembra")));
    }
    {   // A listed picture is missing.
        TReadCase c;
        THandProject hand;
        hand.BitmapCount = 1;
        EXPECT_FALSE(c.Read(hand));
        EXPECT_TRUE(c.File.ErrorText().contains(QStringLiteral("Image1.bmp")));
    }
    for (TQFigName kind : {qfArc, TQFigName(15), TQFigName(255)}) {
        TReadCase c;
        THandProject hand;
        AddRectangle(hand, kind);
        EXPECT_FALSE(c.Read(hand)) << int(kind);
    }
    for (std::vector<int32_t> order : {std::vector<int32_t>{}, {1}, {-1}, {0, 0}}) {
        TReadCase c;
        THandProject hand;
        AddRectangle(hand);
        if (order.size() == 2) // two figures, one of them listed twice
            AddRectangle(hand);
        hand.FigOrd = order;
        EXPECT_FALSE(c.Read(hand)) << order.size();
    }
    {   // A stored negative version.
        TReadCase c;
        THandProject hand;
        TBytes header;
        header.Str(QStringLiteral("Zembra")).Int(-3);
        hand.Version = -1;
        EXPECT_FALSE(c.File.Read(PutProject(c.Folder, QStringLiteral("neg.zembra"), header.Data() + hand.Build())));
    }
    {   // Cancelled while opening.
        TReadCase c;
        TCancellingProgress cancel(2);
        TProjectFile file(c.Doc, c.Animation, cancel);
        EXPECT_FALSE(file.Read(PutProject(c.Folder, QStringLiteral("c.zembra"), THandProject().Build())));
        EXPECT_FALSE(cancel.IsApply());
        EXPECT_TRUE(cancel.IsNotFile());
    }
}

TEST(ProjectFileRead, FigureOrderRebuildsThePaintingOrder)
{
    TReadCase c;
    THandProject hand;
    AddRectangle(hand, qfEllipse);
    AddRectangle(hand, qfLine);
    AddRectangle(hand, qfText);
    hand.FigOrd = {2, 0, 1, 7}; // entries past the figures are not used
    ASSERT_TRUE(c.Read(hand)) << c.File.ErrorText().toStdString();
    ASSERT_EQ(c.Doc.DrawArr.size(), 3u);
    EXPECT_EQ(c.Doc.FigOrd, (TQFrInt{2, 0, 1}));
    for (int i = 0; i < 3; ++i) {
        const TDrawObject* obj = c.Doc.DrawArr[size_t(i)].get();
        EXPECT_EQ(obj->FigNum, c.Doc.FigOrd[size_t(i)]);
        EXPECT_EQ(c.Doc.Animation.Figures[size_t(obj->FigNum)].Obj, obj);
    }
    EXPECT_EQ(c.Doc.QCount, 3);
    EXPECT_EQ(c.Doc.DrObj, c.Doc.DrawArr[2].get()); // the last selected in painting order
}
