// The engine's on-the-fly path, its settings and compressor choice, checked
// with ffprobe/ffmpeg reading the files back.
#include "aviwriter/AviWriterEngine.h"
#include "tests/support/AviProbe.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using avi::TAviWriterEngine;
using avi::TxPixelFormat;

namespace {

std::string Path(const QString& dir, const char* name)
{
    return QDir(dir).filePath(QString::fromUtf8(name)).toStdString();
}

// Writes `frames` frames (each made by make(i)) on the fly, as the export does.
template <class Make>
void WriteVideo(TAviWriterEngine& e, int frames, Make make)
{
    TTestBitmap empty(0, 0);
    e.InitVideo(empty.Handle());
    for (int i = 0; i < frames; ++i) {
        TTestBitmap b = make(i);
        e.AddFrame(b.Handle());
    }
    e.FinalizeVideo();
    e.WriteAvi();
}

std::string Message(const std::function<void()>& f)
{
    try {
        f();
    } catch (const avi::EAviWriterError& e) {
        return e.what();
    }
    return {};
}

} // namespace

TEST(AviWriterEngineTest, SettingsRoundAndRefuse)
{
    TAviWriterEngine e(1600, 1024);
    EXPECT_EQ(e.AWidth(), 160);
    EXPECT_EQ(e.AHeight(), 96);
    EXPECT_EQ(e.FrameTime(), 1000);
    EXPECT_EQ(e.CompressionQuality(), 5000);
    e.SetAWidth(250);
    e.SetAHeight(190);
    EXPECT_EQ(e.AWidth(), 240);
    EXPECT_EQ(e.AHeight(), 176);
    EXPECT_EQ(Message([&] { e.SetPixelFormat(TxPixelFormat::pf16bit); }), "Pixelformat not supported");
    EXPECT_EQ(e.PixelFormat(), TxPixelFormat::pf24bit);
    EXPECT_EQ(Message([&] { e.SetWavFileName("sound.mp3"); }),
              "WavFileName must name a file with the .wav extension");
    EXPECT_EQ(Message([&] { e.AddWaveFile("/tmp/x.wav/other", 0); }),
              "WavFileName must name a file with the .wav extension");
    EXPECT_EQ(Message([&] { e.AddWaveFile("/tmp/S.WAV", 0); }), "");
    EXPECT_EQ(Message([&] { e.AVIGetCode(0); }), "List index out of bounds (0)");
}

TEST(AviWriterEngineTest, CompressorListFollowsTheDepth)
{
    TAviWriterEngine e;
    e.SetAWidth(64);
    e.SetAHeight(48);
    e.Compressorlist();
    ASSERT_EQ(e.AVIGetCount(), 2);
    EXPECT_EQ(e.AVIGetCode(0), "DIB");
    EXPECT_EQ(e.AVIGetName(0), "Без сжатия");
    EXPECT_EQ(e.AVIGetCode(1), "MJPG");
    EXPECT_EQ(e.AVIGetName(1), std::string("MJPG") + std::string(12, '\0'));
    e.SetCompression("MJPGX");
    EXPECT_EQ(e.Compression(), "MJPG");
    e.SetCompression("DIB");
    EXPECT_EQ(e.Compression(), "DIB");

    e.SetPixelFormat(TxPixelFormat::pf8bit);
    e.Compressorlist();
    EXPECT_EQ(e.AVIGetCount(), 1);
    EXPECT_EQ(Message([&] { e.SetCompression("MJPG"); }), "No compressor for MJPG available");
    EXPECT_EQ(e.Compression(), "");
    EXPECT_EQ(Message([&] { e.SetCompression("XVID"); }), "No compressor for XVID available");
}

TEST(AviWriterEngineTest, KeyFrameIntervalFollowsFrameTime)
{
    const QString dir = TempDir();
    for (const auto& [time, every] : {std::pair{50, 20u}, {400, 2u}, {3000, 0u}}) {
        TAviWriterEngine e;
        e.SetAWidth(32);
        e.SetAHeight(32);
        e.SetFrameTime(time);
        e.SetCompression("DIB");
        e.Setfilename(Path(dir, "key.avi"));
        WriteVideo(e, 1, [](int) { return TTestBitmap(32, 32); });
        EXPECT_EQ(e.CompressOptions().dwKeyFrameEvery, every) << time;
        EXPECT_EQ(e.CompressOptions().dwFlags, 12u);
    }
}

// Full frames come back from ffmpeg exactly as fed in, at the frame rate asked.
TEST(AviWriterEngineTest, FullFramesAreExact)
{
    const QString dir = TempDir();
    for (int bits : {24, 32}) {
        TAviWriterEngine e;
        e.SetAWidth(64);
        e.SetAHeight(48);
        e.SetFrameTime(50);
        e.SetPixelFormat(bits == 24 ? TxPixelFormat::pf24bit : TxPixelFormat::pf32bit);
        e.SetCompression("DIB");
        const std::string file = Path(dir, "dib.avi");
        e.Setfilename(file);
        std::vector<uint8_t> expected;
        WriteVideo(e, 5, [&](int i) {
            TTestBitmap b(64, 48);
            b.Pattern(i * 40);
            const std::vector<uint8_t> px = b.Bgr24();
            expected.insert(expected.end(), px.begin(), px.end());
            return b;
        });
        const auto streams = Probe(QString::fromStdString(file));
        ASSERT_EQ(streams.size(), 1u);
        EXPECT_EQ(streams[0].at("codec_name"), "rawvideo");
        EXPECT_EQ(streams[0].at("width"), "64");
        EXPECT_EQ(streams[0].at("height"), "48");
        EXPECT_EQ(streams[0].at("nb_read_frames"), "5");
        EXPECT_EQ(streams[0].at("r_frame_rate"), "20/1");
        EXPECT_EQ(DecodeVideo(QString::fromStdString(file)), expected) << bits;
    }
}

// 250 x 190 gives 240 x 176 frames; stretched the corners stay, centred the
// source is cut by 5 on the left and 7 at the top.
TEST(AviWriterEngineTest, StretchedOrCentred)
{
    const QString dir = TempDir();
    TTestBitmap source(250, 190);
    source.Pattern(3);
    for (bool stretch : {true, false}) {
        TAviWriterEngine e;
        e.SetAWidth(250);
        e.SetAHeight(190);
        e.SetStretch(stretch);
        e.SetCompression("DIB");
        const std::string file = Path(dir, "fit.avi");
        e.Setfilename(file);
        WriteVideo(e, 1, [&](int) { return source; });
        const std::vector<uint8_t> px = DecodeVideo(QString::fromStdString(file));
        ASSERT_EQ(px.size(), size_t(240 * 176 * 3));
        auto at = [&](int x, int y) {
            const uint8_t* p = &px[size_t(y * 240 + x) * 3];
            return uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
        };
        if (stretch) {
            EXPECT_EQ(at(0, 0), source.At(0, 0));
            EXPECT_EQ(at(239, 175), source.At(249, 189));
            EXPECT_EQ(at(120, 88), source.At(125, 95)); // under the pixel's centre
        } else {
            EXPECT_EQ(at(0, 0), source.At(5, 7));
            EXPECT_EQ(at(239, 175), source.At(244, 182));
        }
    }
}

TEST(AviWriterEngineTest, MotionJpegDecodes)
{
    const QString dir = TempDir();
    TAviWriterEngine e;
    e.SetAWidth(160);
    e.SetAHeight(128);
    e.SetFrameTime(40);
    e.SetCompressionQuality(9000);
    e.SetCompression("MJPG");
    const std::string file = Path(dir, "mjpg.avi");
    e.Setfilename(file);
    WriteVideo(e, 30, [](int i) {
        TTestBitmap b(320, 256, 24); // stretched down by half
        b.Pattern(i);
        return b;
    });
    const auto streams = Probe(QString::fromStdString(file));
    ASSERT_EQ(streams.size(), 1u);
    EXPECT_EQ(streams[0].at("codec_name"), "mjpeg");
    EXPECT_EQ(streams[0].at("width"), "160");
    EXPECT_EQ(streams[0].at("height"), "128");
    EXPECT_EQ(streams[0].at("nb_read_frames"), "30");
    EXPECT_EQ(streams[0].at("r_frame_rate"), "25/1");
    QString errors;
    EXPECT_EQ(DecodeVideo(QString::fromStdString(file), &errors).size(), size_t(30 * 160 * 128 * 3));
    EXPECT_TRUE(errors.isEmpty()) << errors.toStdString();
}

TEST(AviWriterEngineTest, StatesAndAbort)
{
    const QString dir = TempDir();
    {
        TAviWriterEngine e;
        e.SetCompression("DIB");
        e.Setfilename(Path(dir, "state.avi"));
        TTestBitmap b(16, 16);
        EXPECT_EQ(Message([&] { e.AddFrame(b.Handle()); }), "Video must be initialized.");
        e.InitVideo(b.Handle());
        EXPECT_EQ(Message([&] { e.WriteAvi(); }), "Video must be finalized");
    }
    {
        // An abort asked for at frame 40 leaves 40 frames and no sound.
        const std::string wave = Path(dir, "abort.wav");
        WriteWave(wave, 8000, std::vector<int16_t>(8000, 100));
        TAviWriterEngine e;
        e.SetAWidth(32);
        e.SetAHeight(32);
        e.SetFrameTime(50);
        e.SetCompression("MJPG");
        const std::string file = Path(dir, "abort.avi");
        e.Setfilename(file);
        e.AddWaveFile(wave, 0);
        std::vector<int> calls;
        e.OnProgress = [&](TAviWriterEngine&, int32_t count, bool& abort) {
            calls.push_back(count);
            abort = count == 40;
        };
        EXPECT_EQ(Message([&] { WriteVideo(e, 100, [](int) { return TTestBitmap(32, 32); }); }), "");
        EXPECT_EQ(calls, (std::vector<int>{20, 40}));
        EXPECT_TRUE(e.Aborted());
        const auto streams = Probe(QString::fromStdString(file));
        ASSERT_EQ(streams.size(), 1u);
        EXPECT_EQ(streams[0].at("nb_read_frames"), "40");
    }
    {
        TAviWriterEngine e;
        e.SetCompression("DIB");
        const std::string missing = Path(dir, "no/such/folder/x.avi");
        e.Setfilename(missing);
        TTestBitmap b(16, 16);
        EXPECT_EQ(Message([&] { e.InitVideo(b.Handle()); }), "Failed to create AVI video file. Err: $8004406F");
        // An output name that is a folder is never removed for the video.
        const std::string folder = Path(dir, "folder.avi");
        QDir().mkpath(QString::fromStdString(folder));
        e.Setfilename(folder);
        EXPECT_EQ(Message([&] { e.InitVideo(b.Handle()); }),
                  "Could not delete " + folder
                      + " file might be in use. Try to close the folder if it's open in Explorer");
        EXPECT_TRUE(QDir(QString::fromStdString(folder)).exists());
    }
}
