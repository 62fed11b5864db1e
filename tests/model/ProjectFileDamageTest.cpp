// Damaged project files: cut short or with bytes changed, they fail to open
// (or open as some valid project) without faults or runaway allocation.
#include "ProjectFileTestSupport.h"

#include "model/Document.h"
#include "model/ProjectFile.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>
#include <random>

namespace {

// A project with figures of several kinds, strings, a clipboard entry and a
// GIF picture, built by hand.
struct TDamageCase {
    QString Folder = TempDir();
    QByteArray Good;

    TDamageCase()
    {
        THandProject hand;
        hand.Strings = {QStringLiteral("Arial"), QStringLiteral("Text")};
        for (TQFigName kind : {qfRectangle, qfLine, qfBezier, qfText, qfPicture}) {
            hand.Figures.Byte(kind).Bool(true).Bool(kind == qfLine).Int(0).Int(4);
            hand.Figures.Int(2);
            hand.Figures.Int(0).Int(5);
            hand.Figures.Byte(qpLeft).Int(3).Byte(qpNode).Ints({1, 7, 8}).Byte(qpTextName).Int(0);
            hand.Figures.Byte(qpTextValue).Int(1).Byte(kind == qfPicture ? qpBitmap : qpCenter).Bool(true);
            if (kind == qfPicture)
                hand.Figures.Int(0).Int(0);
            hand.Figures.Int(3).Int(2).Byte(qpPointY).Byte(qpBackColor).Int(0xFF);
            hand.FigOrd.push_back(hand.FigureCount++);
        }
        hand.GIFCount = 1;
        hand.BackNum = 1;
        hand.ClipboardCount = 1;
        hand.Clipboard.Byte(qfStar).Bool(true).Bool(false).Int(0).Int(1).Int(1).Int(0).Int(1).Byte(qpTop).Int(9);
        hand.Clipboard.Int(0).Int(0);
        Good = hand.Build();
        const QString companion = Folder + QStringLiteral("/dFiles");
        QDir().mkpath(companion + QStringLiteral("/GIF"));
        MakeGIF(6, 6, {clRed, clBlue}).SaveToFile(companion + QStringLiteral("/GIF/Image1.gif"));
        MakeGIF(12, 12, {clLime}).SaveToFile(companion + QStringLiteral("/BackGIF.gif"));
    }

    // Reads `data` as the project; checks that a project that opens is whole.
    bool Read(const QByteArray& data)
    {
        const QString path = Folder + QStringLiteral("/d.zembra");
        WriteBytes(path, data);
        TDocument doc;
        TZGIFImage animation;
        THeadlessProgress progress;
        TProjectFile file(doc, animation, progress);
        doc.ClearProject();
        const bool ok = file.Read(path);
        if (ok) {
            EXPECT_EQ(doc.DrawArr.size(), size_t(doc.FigureCount()));
            for (const TQFigure& fig : doc.Animation.Figures)
                EXPECT_NE(fig.Obj, nullptr);
            EXPECT_GE(doc.BackNum, -1);
            EXPECT_LT(doc.BackNum, int(doc.BMPGIF.size()));
        }
        EXPECT_TRUE(progress.IsNotFile());
        return ok;
    }
};

} // namespace

TEST(ProjectFileDamage, EveryCutShortFileFails)
{
    TDamageCase c;
    ASSERT_TRUE(c.Read(c.Good));
    for (qsizetype size = 0; size < c.Good.size(); ++size)
        EXPECT_FALSE(c.Read(c.Good.left(size))) << size;
}

TEST(ProjectFileDamage, ChangedBytesNeverFault)
{
    TDamageCase c;
    std::mt19937 random(20240601);
    int opened = 0;
    for (int round = 0; round < 1500; ++round) {
        QByteArray data = c.Good;
        const int changes = 1 + int(random() % 4);
        for (int i = 0; i < changes; ++i) {
            const auto at = qsizetype(random() % uint32_t(data.size()));
            // Mostly counts and lengths turned large or negative.
            data[at] = char(random() % 3 == 0 ? 0xFF : random() % 256);
        }
        opened += c.Read(data) ? 1 : 0;
    }
    EXPECT_GT(opened, 0); // some changes only alter values
}

TEST(ProjectFileDamage, HugeCountsAndLengthsFail)
{
    TDamageCase c;
    THandProject hand;
    hand.Strings = {QStringLiteral("Q")};
    const QByteArray good = hand.Build();
    // The string table: count 1, then the string "Q".
    const QByteArray table = TBytes().Int(1).Str(QStringLiteral("Q")).Data();
    const qsizetype at = good.indexOf(table);
    ASSERT_GT(at, 0);
    ASSERT_TRUE(c.Read(good));
    for (qsizetype offset : {at, at + 4}) // the count, then the string's length
        for (int32_t count : {0x7FFFFFFF, -1, 0x40000000, 0x10000}) {
            QByteArray data = good;
            qToLittleEndian(count, data.data() + offset);
            EXPECT_FALSE(c.Read(data)) << offset - at << " " << count;
        }
}
