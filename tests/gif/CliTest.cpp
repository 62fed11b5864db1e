// "zembra gif make / info / frames" end to end on files.
#include "cli/GifCommand.h"
#include "platform/ImageFiles.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <gtest/gtest.h>

namespace {

struct TRun {
    int Status;
    std::string Out, Err;
};

TRun RunGif(const QStringList& args)
{
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    const int status = RunGifCommand(args);
    TRun run{status, testing::internal::GetCapturedStdout(), testing::internal::GetCapturedStderr()};
    return run;
}

QString WritePicture(const QString& dir, const QString& name, QRgb fill, QRgb dot)
{
    QImage image(6, 4, QImage::Format_RGB32);
    image.fill(fill);
    image.setPixel(2, 1, dot);
    const QString path = dir + "/" + name;
    image.save(path);
    return path;
}

} // namespace

TEST(GifCommand, MakeThenInfoThenFrames)
{
    const QString dir = TempDir();
    const QString a = WritePicture(dir, "a.png", 0xFFFFFFFF, 0xFF0000FF);
    const QString b = WritePicture(dir, "b.bmp", 0xFFFFFFFF, 0xFFFF0000);
    const QString out = dir + "/out.gif";
    TRun run = RunGif({"make", out, "--delay", "125", "--loop", "3", "--transparent", "FFFFFF", "--no-optimise", a, b});
    ASSERT_EQ(run.Status, 0) << run.Err;

    run = RunGif({"info", out});
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Out,
              "version=89a screen=6x4 frames=2 loop=yes repeat=3 background=FFFFFF corrupted=no\n"
              "frame=0 origin=0,0 size=6x4 delay=120 disposal=2 transparent=FFFFFF local=no interlaced=no\n"
              "frame=1 origin=0,0 size=6x4 delay=120 disposal=2 transparent=FFFFFF local=yes interlaced=no\n");

    // A GIF as input contributes its first frame.
    const QString again = dir + "/again.gif";
    ASSERT_EQ(RunGif({"make", again, "--once", out}).Status, 0);
    run = RunGif({"info", again});
    // The exported file always has a global table, whose first entry names the background.
    EXPECT_EQ(run.Out.substr(0, run.Out.find('\n')),
              "version=89a screen=6x4 frames=1 loop=no repeat=1 background=FFFFFF corrupted=no");

    const QString frames = dir + "/frames";
    ASSERT_EQ(RunGif({"frames", out, frames}).Status, 0);
    const QImage second(frames + "/frame0002.png");
    ASSERT_FALSE(second.isNull());
    EXPECT_EQ(second.pixel(2, 1), 0xFFFF0000u);
    EXPECT_EQ(qAlpha(second.pixel(0, 0)), 0);
    EXPECT_TRUE(QFile::exists(frames + "/frame0001.png"));
    EXPECT_FALSE(QFile::exists(frames + "/frame0003.png"));

    ASSERT_EQ(RunGif({"frames", out, frames + "c", "--composed"}).Status, 0);
    const QImage composed(frames + "c/frame0002.png");
    EXPECT_EQ(composed.size(), QSize(6, 4));
    EXPECT_EQ(composed.pixel(2, 1), 0xFFFF0000u);
}

TEST(GifCommand, BadInputGivesOneLineAndStatusOne)
{
    const QString dir = TempDir();
    const QString bad = dir + "/bad.gif";
    QFile file(bad);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("GIF89a\x01\x00\x01\x00\x00\x00\x00\x21\x99", 15);
    file.close();
    TRun run = RunGif({"info", bad});
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(run.Err, "zembra gif: " + bad.toStdString() + ": Unrecognized extension block: 99\n");

    run = RunGif({"info", dir + "/missing.gif"});
    EXPECT_EQ(run.Status, 1);
    EXPECT_NE(run.Err.find("missing.gif"), std::string::npos);

    run = RunGif({"make", dir + "/x.gif", "--delay", "soon", bad});
    EXPECT_EQ(run.Status, 1);
    run = RunGif({"make", dir + "/x.gif", bad});
    EXPECT_EQ(run.Status, 1);
    EXPECT_NE(run.Err.find("bad.gif: Unrecognized extension block"), std::string::npos);
    EXPECT_FALSE(QFile::exists(dir + "/x.gif"));
    EXPECT_EQ(RunGif({"rotate"}).Status, 1);
}

TEST(GifCommand, MakeOptimisesByDefaultAndFramesTakeAPngLevel)
{
    const QString dir = TempDir();
    const QString a = WritePicture(dir, "a.png", 0xFFFFFFFF, 0xFF0000FF);
    const QString b = WritePicture(dir, "b.png", 0xFFFFFFFF, 0xFFFF0000);
    const QString out = dir + "/out.gif";
    TRun run = RunGif({"make", out, "--reducer", "popularity", "--dither", a, b, b});
    ASSERT_EQ(run.Status, 0) << run.Err;
    run = RunGif({"info", out});
    EXPECT_NE(run.Out.find("frames=2 "), std::string::npos) << run.Out;
    EXPECT_NE(run.Out.find("frame=1 origin=2,1 size=1x1 delay=200"), std::string::npos) << run.Out;

    EXPECT_EQ(RunGif({"make", out, "--reducer", "best", a}).Status, 1);
    EXPECT_EQ(RunGif({"frames", out, dir + "/f", "--png-level", "10"}).Status, 1);
    ASSERT_EQ(RunGif({"frames", out, dir + "/fast"}).Status, 0);
    ASSERT_EQ(RunGif({"frames", out, dir + "/small", "--png-level", "9", "--composed"}).Status, 0);
    EXPECT_EQ(QImage(dir + "/fast/frame0001.png"), QImage(dir + "/small/frame0001.png"));
    EXPECT_EQ(QImage(dir + "/small/frame0002.png").pixel(2, 1), 0xFFFF0000u);
}
