// Long files continuing as OpenDML, the two-pass path and the list-based write.
#include "aviwriter/AviWriterEngine.h"
#include "tests/support/AviProbe.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

TEST(AviFileTest, LongFileContinuesAsOpenDml)
{
    const QString file = QDir(TempDir()).filePath(QStringLiteral("long.avi"));
    avi::TAviWriterEngine e;
    e.SetAWidth(64);
    e.SetAHeight(48);
    e.SetFrameTime(40);
    e.SetCompression("DIB");
    e.RiffLimit = 100 * 1024; // parts of about 11 frames
    e.Setfilename(file.toStdString());
    TTestBitmap empty(0, 0);
    e.InitVideo(empty.Handle());
    std::vector<uint8_t> expected;
    for (int i = 0; i < 60; ++i) {
        TTestBitmap b(64, 48, 24);
        b.Pattern(i);
        e.AddFrame(b.Handle());
        const auto px = b.Bgr24();
        expected.insert(expected.end(), px.begin(), px.end());
    }
    e.FinalizeVideo();
    e.WriteAvi();
    const std::vector<uint8_t> bytes = ReadAll(file);
    const std::string text(bytes.begin(), bytes.end());
    EXPECT_NE(text.find("AVIX"), std::string::npos);
    EXPECT_NE(text.find("dmlh"), std::string::npos);
    EXPECT_NE(text.find("indx"), std::string::npos);
    EXPECT_EQ(U32At(bytes, 4) + 8, text.find("RIFF", 8)); // the first part ends where the next starts
    const auto streams = Probe(file);
    ASSERT_EQ(streams.size(), 1u);
    EXPECT_EQ(streams[0].at("nb_read_frames"), "60");
    EXPECT_EQ(DecodeVideo(file), expected);
}

TEST(AviFileTest, TwoPassCompressesTheWorkFileWithSound)
{
    const QString dir = TempDir();
    const std::string wave = QDir(dir).filePath(QStringLiteral("s.wav")).toStdString();
    WriteWave(wave, 8000, std::vector<int16_t>(4000, 321));
    const QString file = QDir(dir).filePath(QStringLiteral("twopass.avi"));
    const QString temp = QDir(dir).filePath(QStringLiteral("work.avi"));
    avi::TAviWriterEngine e;
    e.SetAWidth(64);
    e.SetAHeight(48);
    e.SetFrameTime(100);
    e.SetCompression("MJPG");
    e.SetOnTheFlyCompression(false);
    e.SetTempFileName(temp.toStdString());
    e.Setfilename(file.toStdString());
    e.AddWaveFile(wave, 0);
    TTestBitmap b(64, 48, 24);
    b.Pattern(5);
    e.InitVideo(b.Handle());
    for (int i = 0; i < 12; ++i)
        e.AddFrame(b.Handle());
    e.FinalizeVideo();
    e.WriteAvi();
    EXPECT_FALSE(QFile::exists(temp));
    const auto streams = Probe(file);
    ASSERT_EQ(streams.size(), 2u);
    EXPECT_EQ(streams[0].at("codec_name"), "mjpeg");
    EXPECT_EQ(streams[0].at("nb_read_frames"), "12");
    EXPECT_EQ(streams[0].at("r_frame_rate"), "10/1");
    EXPECT_EQ(DecodeAudio(file), std::vector<int16_t>(4000, 321));
}

TEST(AviFileTest, ListWriteMakesEightBitFrames)
{
    const QString dir = TempDir();
    avi::TAviWriterEngine e;
    EXPECT_THROW(e.Write(), avi::EAviWriterError);
    e.SetAWidth(32);
    e.SetAHeight(32);
    e.SetTempFileName(QDir(dir).filePath(QStringLiteral("w.tmp")).toStdString());
    const QString file = QDir(dir).filePath(QStringLiteral("list.avi"));
    e.Setfilename(file.toStdString());
    TTestBitmap red(16, 16), green(32, 32);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            red.Set(x, y, 0xFF0000);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            green.Set(x, y, 0x00FF00);
    e.Bitmaps() = {red.Handle(), nullptr};
    try {
        e.Write();
        ADD_FAILURE();
    } catch (const avi::EAviWriterError& error) {
        EXPECT_STREQ(error.what(), "Bitmaps[1] is not a TBitmap");
    }
    e.Bitmaps() = {red.Handle(), green.Handle()};
    e.Write();
    const auto streams = Probe(file);
    ASSERT_EQ(streams.size(), 1u);
    EXPECT_EQ(streams[0].at("nb_read_frames"), "2");
    EXPECT_EQ(streams[0].at("pix_fmt"), "pal8");
    const std::vector<uint8_t> px = DecodeVideo(file);
    ASSERT_EQ(px.size(), size_t(2 * 32 * 32 * 3));
    EXPECT_EQ(px[2], 0xFF);                            // red, stretched over the frame
    EXPECT_EQ(px[size_t(32 * 32 * 3 + 1)], 0xFF);      // green
    EXPECT_FALSE(QFile::exists(QDir(dir).filePath(QStringLiteral("w.tmp"))));
}
