// The project file's bytes: what a save writes, item by item, and how the
// record lists are encoded and decoded.
#include "ProjectFileTestSupport.h"

#include "model/Document.h"
#include "model/ProjectFile.h"
#include "model/ProjectItems.h"
#include "tests/support/TestSupport.h"

#include <QBuffer>
#include <gtest/gtest.h>

namespace {

// What a new project's file holds, built from the item table.
QByteArray NewProjectBytes(const TProjectOptions& o, int32_t anInt = 50, int32_t frameDelay = 50,
                           int32_t currentDelay = 50)
{
    TBytes b;
    b.Str(QStringLiteral("Zembra")).Int(4);                         // 1, 2
    b.Bool(false).Bool(true).Bool(true).Bool(true).Bool(true);      // 3-7: SelCen IsDel IsStart IsProject IsChRot
    b.Byte(0);                                                      // 8
    b.Bool(false).Bool(true).Bool(false);                           // 9-11: IsChDelay IsChGoTo IsFrOper
    b.Ints({0, 0, 0, 200, 200, anInt, 0, 0, -1, -2, 0});           // 12-22
    b.IntArray({}).IntArray({});                                    // 23 BMPSel, 24 FigOrd
    b.Int(0);                                                       // 25 reserved figure list
    b.Int(0xFFFFFF);                                                // 26 BackColor
    b.Int(0);                                                       // 27 Figures
    b.IntArray({});                                                 // 28 reserved
    b.Ints({0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF});               // 29-32
    b.Int(200).Int(200).Bool(false).Int(frameDelay).Bool(true).Int(1); // 33-38
    b.Ints({currentDelay, currentDelay, currentDelay});             // 39-41
    b.Int(0).Int(0).Int(50);                                        // 42-44
    b.Str(o.ExtractFolder).Ints({0, 0, 0}).Str(o.ExtractFolder);    // 45-49
    b.Str({}).Int(77);                                              // 50, 51
    b.Int(0).Int(0).Int(0).Int(-1).Int(0);                          // 52-56
    b.Bool(false).Str({}).Ints({50, 10000, 1, 0});                  // 58-63
    b.Int(0).Int(50).Str(o.ImagesFolder).Bool(true);                // 64-67
    return b.Data();
}

struct TNewProject {
    TDocument Doc;
    TZGIFImage Animation;
    THeadlessProgress Progress;
    TProjectFile File{Doc, Animation, Progress};

    TNewProject()
    {
        Doc.ClearProject();
        // Folder names with characters outside ASCII show the UTF-16 encoding.
        Doc.Options.ExtractFolder = QStringLiteral("/home/u/Bilder/Übung");
        Doc.Options.ImagesFolder = QStringLiteral("/home/u/Картинки");
    }
};

QByteArray Encode(const std::function<bool(TBinaryWriter&)>& write)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    TBinaryWriter out(buffer);
    EXPECT_TRUE(write(out));
    return buffer.data();
}

} // namespace

TEST(ProjectFileBytes, NewProjectWritesEveryItemInOrder)
{
    TNewProject p;
    const QString dir = TempDir();
    const QString path = dir + QStringLiteral("/new.zembra");
    ASSERT_TRUE(p.File.Write(path)) << p.File.ErrorText().toStdString();

    const QByteArray bytes = ReadBytes(path);
    // It starts with the Int32 6, "Zembra" in UTF-16 and the Int32 4.
    EXPECT_EQ(bytes.left(20).toHex(), QByteArray("060000005a0065006d0062007200610004000000"));
    EXPECT_EQ(FirstDifference(bytes, NewProjectBytes(p.Doc.Options)), "");

    // Nothing to show: no pictures, but every subfolder.
    const QDir folder(dir + QStringLiteral("/newFiles"));
    for (const char* name : {"BackGIF.gif", "BackBMP.bmp", "Buffer.gif", "Anim.gif"})
        EXPECT_FALSE(folder.exists(QString::fromLatin1(name))) << name;
    for (const char* sub : {"Bitmap", "GIF", "Buffer", "Buffer/Bitmap", "Buffer/GIF"}) {
        const QDir subfolder(folder.filePath(QString::fromLatin1(sub)));
        EXPECT_TRUE(subfolder.exists()) << sub;
        EXPECT_TRUE(subfolder.entryList(QDir::Files).isEmpty()) << sub;
    }
}

TEST(ProjectFileBytes, DurationsBeyondSixteenBitsAreStoredAsTheLongest)
{
    TNewProject p;
    p.Doc.AnInt = 70000;                     // low 16 bits would be 4464
    p.Doc.Options.FrameDelay = 1000000;
    p.Doc.Options.CurrentFrameDelay = 65536; // low 16 bits would be 0
    const QString path = TempDir() + QStringLiteral("/long.zembra");
    ASSERT_TRUE(p.File.Write(path));
    EXPECT_EQ(FirstDifference(ReadBytes(path), NewProjectBytes(p.Doc.Options, 65535, 65535, 65535)), "");

    TNewProject q;
    ASSERT_TRUE(q.File.Read(path));
    EXPECT_EQ(q.Doc.AnInt, 65535);
    EXPECT_EQ(q.Doc.Options.FrameDelay, 65535);
    EXPECT_EQ(q.Doc.Options.CurrentFrameDelay, 65535);
}

TEST(ProjectFileBytes, ChangeListEncodesEachKindOfValue)
{
    const TQChange change = {
        TQPropValue::OfBool(qpCenter, true),
        TQPropValue::OfInt(qpPointX, 30), // stored as the name alone
        TQPropValue::OfInt(qpLeft, -7),
        TQPropValue::OfNode(2, TPoint{11, -12}),
        TQPropValue::OfColor(qpBorderColor, 0x00336699),
        TQPropValue::OfString(qpTextValue, 5),
        TQPropValue::OfStyle(fsBold | fsStrikeOut),
        TQPropValue::OfBitmap(true, 3, 4),
    };
    TBytes expected;
    expected.Int(8);
    expected.Byte(qpCenter).Bool(true);
    expected.Byte(qpPointX);
    expected.Byte(qpLeft).Int(-7);
    expected.Byte(qpNode).Ints({2, 11, -12});
    expected.Byte(qpBorderColor).Int(0x00336699);
    expected.Byte(qpTextValue).Int(5);
    expected.Byte(qpTextStyle).Byte(fsBold | fsStrikeOut);
    expected.Byte(qpBitmap).Bool(true).Int(3).Int(4);
    const QByteArray bytes = Encode([&](TBinaryWriter& out) { return WriteChange(out, change); });
    EXPECT_EQ(bytes.toHex(), expected.Data().toHex());

    TBinaryReader in(bytes);
    TQChange back;
    ASSERT_TRUE(ReadChange(in, back, TPictureEncoding::WithFNum));
    TQChange want = change;
    want[1].IntValue = 0; // the rotation point does not survive the file
    EXPECT_EQ(back, want);
    EXPECT_TRUE(in.AtEnd());

    // Without a header a picture value has no composite index.
    TBytes old;
    old.Int(1).Byte(qpBitmap).Bool(false).Int(9);
    TBinaryReader oldIn(old.Data());
    ASSERT_TRUE(ReadChange(oldIn, back, TPictureEncoding::WithoutFNum));
    EXPECT_EQ(back, TQChange{TQPropValue::OfBitmap(false, 9, 0)});
}

TEST(ProjectFileBytes, FigureRecordsAndKeyFrames)
{
    TQFigure fig;
    fig.Name = qfStar;
    fig.All = false;
    fig.Foc = true;
    fig.Start = 3;
    fig.Count = 9;
    fig.Frames = {TQFrame{3, {TQPropValue::OfInt(qpWidth, 100)}}, TQFrame{8, {}}};
    TBytes expected;
    expected.Int(1).Byte(qfStar).Bool(false).Bool(true).Int(3).Int(9);
    expected.Int(2).Int(3).Int(1).Byte(qpWidth).Int(100).Int(8).Int(0);
    const QByteArray bytes = Encode([&](TBinaryWriter& out) { return WriteFigures(out, {fig}); });
    EXPECT_EQ(bytes.toHex(), expected.Data().toHex());

    TBinaryReader in(bytes);
    TQFigArr back;
    ASSERT_TRUE(ReadFigures(in, back, TPictureEncoding::WithFNum));
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0].Name, qfStar);
    EXPECT_TRUE(back[0].Foc);
    EXPECT_EQ(back[0].Start, 3);
    EXPECT_EQ(back[0].Count, 9);
    EXPECT_EQ(back[0].Frames, fig.Frames);
}

TEST(ProjectFileBytes, ReadersRefuseCountsAndNamesThatCannotBeGenuine)
{
    const auto refuses = [](const TBytes& b) {
        TBinaryReader in(b.Data());
        TQFigArr figures;
        return !ReadFigures(in, figures, TPictureEncoding::WithFNum);
    };
    EXPECT_TRUE(refuses(TBytes().Int(-1)));
    EXPECT_TRUE(refuses(TBytes().Int(0x7FFFFFFF)));           // far more figures than bytes
    EXPECT_TRUE(refuses(TBytes().Int(2).Byte(0).Bool(true))); // cut short
    // One figure whose key-frame count outruns the data.
    EXPECT_TRUE(refuses(TBytes().Int(1).Byte(qfLine).Bool(true).Bool(false).Int(0).Int(1).Int(0x10000000)));
    // A change whose property name is outside the table.
    EXPECT_TRUE(refuses(TBytes().Int(1).Byte(qfLine).Bool(true).Bool(false).Int(0).Int(1).Int(1).Int(0).Int(1).Byte(32)));

    TQFigArr empty;
    TBinaryReader in(TBytes().Int(0).Data());
    EXPECT_TRUE(ReadFigures(in, empty, TPictureEncoding::WithFNum));
    EXPECT_TRUE(empty.empty());
}

TEST(ProjectFileBytes, CompanionFolderIsTheNameUpToTheFirstDot)
{
    EXPECT_EQ(TProjectFile::CompanionFolder(QStringLiteral("/work/demo.zembra")), QStringLiteral("/work/demoFiles"));
    EXPECT_EQ(TProjectFile::CompanionFolder(QStringLiteral("/work/my.anim.zembra")), QStringLiteral("/work/myFiles"));
    EXPECT_EQ(TProjectFile::CompanionFolder(QStringLiteral("/work/plain")), QStringLiteral("/work/plainFiles"));
}
