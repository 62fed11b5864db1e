// "zembra render": exit codes, the files written and the editor's messages;
// the headless commands keep Qt's own notes out of their output.
#include "HeadlessEditor.h"
#include "cli/CliMain.h"
#include "cli/RenderCommand.h"
#include "gif/ZGIFImage.h"
#include "platform/ImageFiles.h"
#include "tests/support/AviProbe.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <functional>
#include <gtest/gtest.h>

namespace {

// A saved project of 200 x 200 frames with a 3-frame background GIF, not looping.
QString MakeProject(const QString& dir, const std::function<void(TEditorCore&)>& tweak = {})
{
    THeadlessEditor editor;
    TEditorCore& core = editor.core;
    TProjectLife& life = editor.life;
    TOptionsPage& page = editor.page;
    TZGIFImage gif;
    for (int i = 0; i < 3; ++i) {
        TBitmap frame;
        frame.SetPixelFormat(TPixelFormat::pf24bit);
        TEditorCore::FillBitmap(frame, RGB(uint8_t(80 * i), 0, 0), 200, 200);
        gif.Frames(gif.AddFrame(frame)).SetAnimateInterval(200);
    }
    const QString gifPath = QDir(dir).filePath(QStringLiteral("back.gif"));
    gif.SaveToFile(gifPath);
    page.GIFOpenButtonClick(gifPath);
    page.InfinityCheckClick(false);
    page.TimesSpinExit(2);
    if (tweak)
        tweak(core);
    const QString project = QDir(dir).filePath(QStringLiteral("demo.zembra"));
    EXPECT_TRUE(life.WriteProject(project));
    return project;
}

int Render(const QStringList& args, QString* err = nullptr)
{
    testing::internal::CaptureStderr();
    const int status = RunRenderCommand(args);
    const std::string text = testing::internal::GetCapturedStderr();
    if (err)
        *err = QString::fromStdString(text).trimmed();
    return status;
}

} // namespace

TEST(RenderCommandTest, WritesGifFramesAndProject)
{
    const QString dir = TempDir();
    const QString project = MakeProject(dir);
    const QString out = QDir(dir).filePath(QStringLiteral("out.gif"));
    const QString frames = QDir(dir).filePath(QStringLiteral("frames"));
    const QString copy = QDir(dir).filePath(QStringLiteral("copy.zembra"));
    QString err;
    ASSERT_EQ(Render({project, QStringLiteral("--gif"), out, QStringLiteral("--frames"), frames,
                      QStringLiteral("--format"), QStringLiteral("jpg"), QStringLiteral("--save-project"), copy},
                     &err),
              0)
        << err.toStdString();

    TZGIFImage written;
    written.LoadFromFile(out);
    EXPECT_EQ(written.Count(), 3);
    EXPECT_EQ(written.Frames(1).AnimateInterval(), 200);
    EXPECT_FALSE(written.Looping());
    EXPECT_EQ(QDir(frames).entryList(QDir::Files), (QStringList{"Image1.jpg", "Image2.jpg", "Image3.jpg"}));
    const TBitmap second = LoadImageFile(QDir(frames).filePath(QStringLiteral("Image2.jpg")));
    EXPECT_EQ(second.Width(), 200);
    EXPECT_TRUE(QFile::exists(copy));
    EXPECT_TRUE(QFile::exists(QDir(dir).filePath(QStringLiteral("copyFiles/BackGIF.gif"))));

    // The copy renders the same.
    ASSERT_EQ(Render({copy, QStringLiteral("--frames"), frames}), 0);
    EXPECT_TRUE(QFile::exists(QDir(frames).filePath(QStringLiteral("Image3.png"))));
}

TEST(RenderCommandTest, FailsWithTheEditorsMessages)
{
    const QString dir = TempDir();
    QString err;
    EXPECT_EQ(Render({QDir(dir).filePath(QStringLiteral("none.zembra"))}, &err), 1);
    EXPECT_EQ(err, QStringLiteral("The project does not open!"));

    const QString bad = QDir(dir).filePath(QStringLiteral("bad.zembra"));
    QFile f(bad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(40, '\xff'));
    f.close();
    QDir().mkpath(QDir(dir).filePath(QStringLiteral("badFiles")));
    EXPECT_EQ(Render({bad}, &err), 1);
    EXPECT_EQ(err, QStringLiteral("The project does not open!"));

    const QString project = MakeProject(dir);
    EXPECT_EQ(Render({project, QStringLiteral("--frames"), dir, QStringLiteral("--format"), QStringLiteral("tif")}, &err), 1);
    EXPECT_EQ(err, QStringLiteral("Invalid file format!"));

    EXPECT_EQ(Render({}, &err), 1);
    EXPECT_TRUE(err.contains(QStringLiteral("usage: zembra render")));
    EXPECT_EQ(Render({project, QStringLiteral("--quality"), QStringLiteral("0")}, &err), 1);
}

TEST(HeadlessCommands, PrintOnlyTheirOwnLines)
{
    testing::internal::CaptureStderr();
    const QtMessageHandler previous = QuietToolkitMessages();
    qWarning("QStandardPaths: XDG_RUNTIME_DIR not set, defaulting to '/tmp/runtime-test'");
    qInstallMessageHandler(previous);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

// "--avi": the project's frames as the Save-AVI window exports them, with the
// project's AVI settings where no option is given.
TEST(RenderCommandTest, WritesAvi)
{
    const QString dir = TempDir();
    const QString project = MakeProject(dir, [](TEditorCore& core) {
        core.Doc.Options.AviFrameTime = 200;
        core.Doc.Options.AviPixelFormat = 2; // 32 bits
    });
    const QString out = QDir(dir).filePath(QStringLiteral("clip.avi"));
    QString err;
    ASSERT_EQ(Render({project, QStringLiteral("--avi"), out}, &err), 0) << err.toStdString();
    auto streams = Probe(out);
    ASSERT_EQ(streams.size(), 1u);
    EXPECT_EQ(streams[0].at("codec_name"), "rawvideo");
    EXPECT_EQ(streams[0].at("width"), "192"); // 200 rounded down to a multiple of 16
    EXPECT_EQ(streams[0].at("height"), "192");
    EXPECT_EQ(streams[0].at("nb_read_frames"), "3");
    EXPECT_EQ(streams[0].at("r_frame_rate"), "5/1");
    const std::vector<uint8_t> px = DecodeVideo(out);
    ASSERT_EQ(px.size(), size_t(3 * 192 * 192 * 3));
    EXPECT_EQ(px[size_t(192 * 192 * 3 + 2)], 80); // frame 2 is RGB(80, 0, 0)
    EXPECT_EQ(px[size_t(2 * 192 * 192 * 3 + 2)], 160);

    const QString wave = QDir(dir).filePath(QStringLiteral("s.wav"));
    WriteWave(wave.toStdString(), 22050, std::vector<int16_t>(22050, 1000));
    const QString mjpg = QDir(dir).filePath(QStringLiteral("mjpg.avi"));
    ASSERT_EQ(Render({project, QStringLiteral("--avi"), mjpg, QStringLiteral("--avi-codec"), QStringLiteral("mjpg"),
                      QStringLiteral("--avi-frame-time"), QStringLiteral("100"), QStringLiteral("--avi-bits"),
                      QStringLiteral("24"), QStringLiteral("--avi-quality"), QStringLiteral("8000"),
                      QStringLiteral("--wav"), wave + QStringLiteral("@250")},
                     &err),
              0)
        << err.toStdString();
    streams = Probe(mjpg);
    ASSERT_EQ(streams.size(), 2u);
    EXPECT_EQ(streams[0].at("codec_name"), "mjpeg");
    EXPECT_EQ(streams[0].at("r_frame_rate"), "10/1");
    EXPECT_EQ(streams[1].at("codec_type"), "audio");
    const std::vector<int16_t> sound = DecodeAudio(mjpg);
    ASSERT_EQ(sound.size(), size_t(5512 + 22050));
    EXPECT_EQ(sound[5511], 0);
    EXPECT_EQ(sound[5512], 1000);
}

TEST(RenderCommandTest, AviFailuresExitWithTheirTexts)
{
    const QString dir = TempDir();
    const QString project = MakeProject(dir);
    const QString out = QDir(dir).filePath(QStringLiteral("x.avi"));
    QString err;
    EXPECT_EQ(Render({project, QStringLiteral("--avi"), out, QStringLiteral("--wav"), QStringLiteral("x.mp3")}, &err), 1);
    EXPECT_EQ(err, QStringLiteral("WavFileName must name a file with the .wav extension"));
    EXPECT_EQ(Render({project, QStringLiteral("--avi"), QDir(dir).filePath(QStringLiteral("no/dir/x.avi"))}, &err), 1);
    EXPECT_EQ(err, QStringLiteral("Failed to create AVI video file. Err: $8004406F"));
    EXPECT_EQ(Render({project, QStringLiteral("--avi"), out, QStringLiteral("--avi-bits"), QStringLiteral("8"),
                      QStringLiteral("--avi-codec"), QStringLiteral("MJPG")},
                     &err),
              1);
    EXPECT_EQ(err, QStringLiteral("No compressor for MJPG available"));
    const QString notWave = QDir(dir).filePath(QStringLiteral("fake.wav"));
    QFile f(notWave);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("RIFF");
    f.close();
    EXPECT_EQ(Render({project, QStringLiteral("--avi"), out, QStringLiteral("--wav"), notWave}, &err), 1);
    EXPECT_EQ(err, QStringLiteral("FileOpen failed. Err: $80044066"));
    EXPECT_EQ(Render({project, QStringLiteral("--avi"), out, QStringLiteral("--avi-bits"), QStringLiteral("16")}, &err), 1);
    EXPECT_TRUE(err.startsWith(QStringLiteral("--avi-bits takes 8, 24 or 32")));
}
