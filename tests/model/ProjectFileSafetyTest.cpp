// What a damaged file or an interrupted save can do to a project: values the
// editor never produces make the file damaged, an interrupted save is finished
// or cleared on the next open, a save cleans up after earlier ones and never
// writes into another project's companion folder.
#include "ProjectFileTestSupport.h"

#include "model/Document.h"
#include "model/FigureFactory.h"
#include "model/ProjectFile.h"
#include "model/ProjectItems.h"
#include "tests/support/TestSupport.h"

#include <QDirIterator>
#include <functional>
#include <gtest/gtest.h>

namespace {

struct TProject {
    TDocument Doc;
    TZGIFImage Animation;
    THeadlessProgress Progress;
    TProjectFile File{Doc, Animation, Progress};

    TProject() { Doc.ClearProject(); }
};

// A project of one rectangle shown from `start` for `count` frames, whose only
// key frame holds the change `change` writes (name byte and value).
QByteArray OneFigure(int32_t start, int32_t count, const std::function<void(TBytes&)>& change)
{
    THandProject hand;
    hand.Figures.Byte(qfRectangle).Bool(false).Bool(false).Int(start).Int(count).Int(1).Int(0).Int(1);
    change(hand.Figures);
    hand.FigureCount = 1;
    hand.FigOrd = {0};
    return hand.Build();
}

std::function<void(TBytes&)> Int(TQPropName name, int32_t v)
{
    return [=](TBytes& b) { b.Byte(name).Int(v); };
}

std::function<void(TBytes&)> Node(int32_t number, int32_t x, int32_t y)
{
    return [=](TBytes& b) { b.Byte(qpNode).Ints({number, x, y}); };
}

bool Opens(const QByteArray& data)
{
    const QString dir = TempDir();
    const QString path = PutProject(dir, QStringLiteral("v.zembra"), data);
    TProject p;
    return p.File.Read(path);
}

QStringList Files(const QString& folder)
{
    QStringList names;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        names << QDir(folder).relativeFilePath(it.next());
    names.sort();
    return names;
}

} // namespace

TEST(ProjectFileSafety, ValuesTheEditorCannotProduceMakeTheFileDamaged)
{
    auto left = [](int32_t v) { return Int(qpLeft, v); };
    ASSERT_TRUE(Opens(OneFigure(0, 5, left(3))));
    // Frame ranges: a billion frames to redraw is damage, a long project is not.
    EXPECT_FALSE(Opens(OneFigure(INT32_MAX, 5, left(3))));
    EXPECT_FALSE(Opens(OneFigure(-1, 5, left(3))));
    EXPECT_FALSE(Opens(OneFigure(0, kMaxFigureFrames + 1, left(3))));
    EXPECT_FALSE(Opens(OneFigure(0, -5, left(3))));
    EXPECT_TRUE(Opens(OneFigure(kMaxFigureStart - 1, kMaxFigureFrames, left(3))));
    // Coordinates, sizes and nodes near 2^31 would overflow the geometry.
    EXPECT_FALSE(Opens(OneFigure(0, 5, left(kMaxCoordinate + 1))));
    EXPECT_TRUE(Opens(OneFigure(0, 5, left(-kMaxCoordinate))));
    EXPECT_FALSE(Opens(OneFigure(0, 5, Int(qpWidth, INT32_MIN))));
    EXPECT_FALSE(Opens(OneFigure(0, 5, Node(0, 2147483600, 4))));
    EXPECT_FALSE(Opens(OneFigure(0, 5, Node(-1, 4, 4))));
    EXPECT_TRUE(Opens(OneFigure(0, 5, Node(3, kMaxCoordinate, -kMaxCoordinate))));
    EXPECT_FALSE(Opens(OneFigure(0, 5, Int(qpNodeCount, kMaxNodes + 1))));
    EXPECT_FALSE(Opens(OneFigure(0, 5, Int(qpBorderWidth, -kMaxThickness - 1))));
    EXPECT_TRUE(Opens(OneFigure(0, 5, Int(qpShadowWidth, -2))));
    EXPECT_FALSE(Opens(OneFigure(0, 5, Int(qpShadowWidth, INT32_MAX))));
    EXPECT_FALSE(Opens(OneFigure(0, 5, Int(qpAngle, kMaxAngle + 1))));
    EXPECT_TRUE(Opens(OneFigure(0, 5, Int(qpAngle, -3600))));
}

TEST(ProjectFileSafety, ExtremeAcceptedValuesKeepTheGeometryDefined)
{
    // Every kind at the ends of the accepted ranges, moving between them.
    for (int kind = 0; kind < kFigNameCount; ++kind) {
        if (kind == qfArc)
            continue;
        TDocument doc;
        doc.ClearProject();
        const int num = doc.NewFigure(TQFigName(kind), CreateDrawObject(TQFigName(kind)), 0);
        TQFigure& fig = doc.Animation.Figures[size_t(num)];
        fig.Count = 3;
        auto keyFrame = [](int number, int32_t sign) {
            TQFrame frame;
            frame.Number = number;
            for (TQPropName name : {qpLeft, qpTop, qpWidth, qpHeight})
                frame.Change.push_back(TQPropValue::OfInt(name, sign * kMaxCoordinate));
            frame.Change.push_back(TQPropValue::OfInt(qpNodeCount, 4));
            for (int n = 0; n < 4; ++n)
                frame.Change.push_back(TQPropValue::OfNode(n, {-sign * kMaxCoordinate, sign * kMaxCoordinate}));
            frame.Change.push_back(TQPropValue::OfInt(qpBorderWidth, kMaxThickness));
            frame.Change.push_back(TQPropValue::OfInt(qpShadowWidth, kMaxThickness));
            frame.Change.push_back(TQPropValue::OfInt(qpAngle, sign * kMaxAngle));
            return frame;
        };
        fig.Frames = {keyFrame(0, 1), keyFrame(2, -1)};
        for (int frame = 0; frame < 3; ++frame) {
            doc.CurIndex = frame;
            doc.GetFig(num);
            TDrawObject& obj = *fig.Obj;
            TBitmap target(16, 16);
            obj.Draw(target.Canvas(), kMaxCoordinate, -kMaxCoordinate);
            (void)obj.RotatePoint(obj.BtnPoints.empty() ? TPoint{} : obj.BtnPoints[0], obj.SAngle);
        }
        // Sizes swinging between 1 and the limit scale the nodes again and again.
        TDrawObject& obj = *fig.Obj;
        for (int i = 0; i < 4; ++i) {
            obj.SetWidth(i % 2 ? kMaxCoordinate : 1);
            obj.SetHeight(i % 2 ? -kMaxCoordinate : 1);
            obj.Resize();
        }
        TBitmap target(16, 16);
        obj.Draw(target.Canvas(), -kMaxCoordinate, kMaxCoordinate);
    }
}

TEST(ProjectFileSafety, AnInterruptedSaveIsFinishedWhenTheProjectOpens)
{
    const QString dir = TempDir();
    const QString path = dir + QStringLiteral("/j.zembra");
    TProject a;
    a.Doc.BMPArr = {MakeBitmap(4, 4, clRed), MakeBitmap(5, 5, clRed)};
    ASSERT_TRUE(a.File.Write(path));
    TProject b;
    b.Doc.ImgWidth = 77;
    b.Doc.BMPArr = {MakeBitmap(6, 6, clBlue)};
    const QString saved = TempDir() + QStringLiteral("/j.zembra");
    ASSERT_TRUE(b.File.Write(saved));

    // Killed after its journal was in place and the project file replaced, but
    // before the picture was: the journal still names the picture's temporary file.
    const QString bitmap = dir + QStringLiteral("/jFiles/Bitmap/Image1.bmp");
    const QString temp = bitmap + QStringLiteral(".Ab12Cd.tmp");
    ASSERT_TRUE(WriteBytes(temp, ReadBytes(QFileInfo(saved).dir().filePath(QStringLiteral("jFiles/Bitmap/Image1.bmp")))));
    ASSERT_TRUE(WriteBytes(path, ReadBytes(saved)));
    const QByteArray journal = "ZembraSave 1\nR " + QByteArray("jFiles/Bitmap/Image1.bmp.Ab12Cd.tmp").toPercentEncoding()
                             + ' ' + QByteArray("jFiles/Bitmap/Image1.bmp").toPercentEncoding() + "\nR "
                             + QByteArray("j.zembra.Zz99Yy.tmp").toPercentEncoding() + " j.zembra\nD "
                             + QByteArray("jFiles/Bitmap/Image2.bmp").toPercentEncoding() + "\nE\n";
    ASSERT_TRUE(WriteBytes(TProjectFile::JournalPath(path), journal));
    // A save that never reached its journal left a temporary file too.
    ASSERT_TRUE(WriteBytes(dir + QStringLiteral("/jFiles/GIF/Image1.gif.q1W2e3.tmp"), "partial"));

    TProject c;
    ASSERT_TRUE(c.File.Read(path)) << c.File.ErrorText().toStdString();
    EXPECT_EQ(c.Doc.ImgWidth, 77);
    ASSERT_EQ(c.Doc.BMPArr.size(), 1u);
    EXPECT_EQ(c.Doc.BMPArr[0].Width(), 6);
    EXPECT_EQ(Files(dir), (QStringList{QStringLiteral("j.zembra"), QStringLiteral("jFiles/Bitmap/Image1.bmp")}));

    // A journal that is not whole replaced nothing: it goes, the project opens as it is.
    ASSERT_TRUE(WriteBytes(TProjectFile::JournalPath(path), "ZembraSave 1\nR a b\n"));
    TProject d;
    EXPECT_TRUE(d.File.Read(path));
    EXPECT_FALSE(QFileInfo::exists(TProjectFile::JournalPath(path)));
}

TEST(ProjectFileSafety, ASaveRemovesLeftoversAndPicturesBeyondTheCounts)
{
    const QString dir = TempDir();
    const QString path = dir + QStringLiteral("/s.zembra");
    TProject a;
    a.Doc.BMPArr = {MakeBitmap(4, 4, clRed), MakeBitmap(4, 4, clRed), MakeBitmap(4, 4, clRed)};
    a.Doc.GIFArr.push_back(MakeGIF(3, 3, {clRed}));
    a.Doc.GIFArr.push_back(MakeGIF(3, 3, {clBlue}));
    ASSERT_TRUE(a.File.Write(path));
    ASSERT_TRUE(WriteBytes(dir + QStringLiteral("/s.zembra.xY12zQ.tmp"), QByteArray(1000, 'x')));
    ASSERT_TRUE(WriteBytes(dir + QStringLiteral("/sFiles/Bitmap/Image9.bmp.a1b2c3.tmp"), "x"));
    ASSERT_TRUE(WriteBytes(dir + QStringLiteral("/sFiles/notes.txt"), "the user's"));
    ASSERT_TRUE(WriteBytes(dir + QStringLiteral("/other.zembra.xY12zQ.tmp"), "not ours"));

    a.Doc.BMPArr.resize(1);
    a.Doc.GIFArr.clear();
    ASSERT_TRUE(a.File.Write(path)) << a.File.ErrorText().toStdString();
    EXPECT_EQ(Files(dir), (QStringList{QStringLiteral("other.zembra.xY12zQ.tmp"), QStringLiteral("s.zembra"),
                                       QStringLiteral("sFiles/Bitmap/Image1.bmp"), QStringLiteral("sFiles/notes.txt")}));
    TProject b;
    ASSERT_TRUE(b.File.Read(path));
    EXPECT_EQ(b.Doc.BMPArr.size(), 1u);
}

TEST(ProjectFileSafety, ASaveNeverWritesIntoAnotherProjectsFolder)
{
    const QString dir = TempDir();
    TProject clip;
    clip.Doc.BMPArr = {MakeBitmap(4, 4, clRed)};
    ASSERT_TRUE(clip.File.Write(dir + QStringLiteral("/clip.zembra")));
    const QStringList before = Files(dir);
    const QByteArray picture = ReadBytes(dir + QStringLiteral("/clipFiles/Bitmap/Image1.bmp"));

    TProject v2;
    v2.Doc.BMPArr = {MakeBitmap(9, 9, clBlue)};
    EXPECT_FALSE(v2.File.Write(dir + QStringLiteral("/clip.v2.zembra")));
    EXPECT_TRUE(v2.File.Notice().contains(QStringLiteral("clipFiles")));
    EXPECT_TRUE(v2.File.Notice().contains(QStringLiteral("clip.zembra")));
    EXPECT_EQ(Files(dir), before);
    EXPECT_EQ(ReadBytes(dir + QStringLiteral("/clipFiles/Bitmap/Image1.bmp")), picture);

    // A project saved beside it under its own stem, and clip.zembra itself, still save.
    EXPECT_TRUE(v2.File.Write(dir + QStringLiteral("/clip2.zembra")));
    EXPECT_TRUE(clip.File.Write(dir + QStringLiteral("/clip.zembra")));
    EXPECT_TRUE(clip.File.Notice().isEmpty());
    // A project saved on Windows as my.anim.zembra alone keeps its documented folder.
    TProject anim;
    EXPECT_TRUE(anim.File.Write(dir + QStringLiteral("/my.anim.zembra")));
    EXPECT_TRUE(QFileInfo(dir + QStringLiteral("/myFiles")).isDir());
}

TEST(ProjectFileSafety, EveryKeptDamagedProjectFailsToOpen)
{
    const QDir kept(SourceDir() + QStringLiteral("/tests/data/regress/fuzz_project_reader"));
    const QStringList names = kept.entryList({QStringLiteral("*.zembra")}, QDir::Files);
    ASSERT_FALSE(names.isEmpty());
    for (const QString& name : names)
        EXPECT_FALSE(Opens(ReadBytes(kept.filePath(name)))) << name.toStdString();
    // The seed they were made from opens.
    EXPECT_TRUE(Opens(ReadBytes(SourceDir() + QStringLiteral("/fuzz/corpus/fuzz_project_reader/rectangle.zembra"))));
}
