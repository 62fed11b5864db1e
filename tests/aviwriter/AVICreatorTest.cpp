// The direct writer: its bytes, and what ffmpeg makes of them.
#include "aviwriter/AviWriterEngine.h"
#include "tests/support/AviProbe.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

const char* Code(const std::vector<uint8_t>& b, size_t at)
{
    static std::string s;
    s.assign(reinterpret_cast<const char*>(&b[at]), 4);
    return s.c_str();
}

} // namespace

TEST(AVICreatorTest, DirectFileBytes)
{
    const QString file = QDir(TempDir()).filePath(QStringLiteral("direct.avi"));
    avi::TAviWriterEngine e; // no compressor: the direct path
    e.Setfilename(file.toStdString());
    e.SetFrameTime(40);
    TTestBitmap first(100, 60, 24); // 300 bytes a row: 18000 bytes a frame
    first.Pattern(1);
    e.InitVideo(first.Handle());
    std::vector<uint8_t> expected;
    for (int i = 0; i < 3; ++i) {
        TTestBitmap b(100, 60, 24);
        b.Pattern(10 * i);
        e.AddFrame(b.Handle());
        const auto px = b.Bgr24();
        expected.insert(expected.end(), px.begin(), px.end());
    }
    e.WriteAvi();

    const std::vector<uint8_t> b = ReadAll(file);
    ASSERT_GT(b.size(), 300u);
    EXPECT_STREQ(Code(b, 0), "RIFF");
    EXPECT_EQ(U32At(b, 4), b.size() - 8);
    EXPECT_STREQ(Code(b, 8), "AVI ");
    EXPECT_EQ(U32At(b, 16), 180u + 40 - 20);      // hdrl: up to the movie list
    EXPECT_EQ(U32At(b, 32), 40000u);              // microseconds per frame
    EXPECT_EQ(U32At(b, 36), 450000u);             // 18000 bytes x 1000 / 40
    EXPECT_EQ(U32At(b, 44), 0x10010u);
    EXPECT_EQ(U32At(b, 48), 3u);                  // total frames
    EXPECT_EQ(U32At(b, 64), 100u);
    EXPECT_EQ(U32At(b, 68), 60u);
    EXPECT_EQ(U32At(b, 92), 84u + 40);            // strl
    EXPECT_EQ(U32At(b, 104), 64u);                // strh
    EXPECT_EQ(U32At(b, 128), 40u);                // scale
    EXPECT_EQ(U32At(b, 132), 1000u);              // rate
    EXPECT_EQ(U32At(b, 140), 3u);                 // length
    EXPECT_EQ(U32At(b, 148), 10000u);             // quality
    EXPECT_STREQ(Code(b, 172), "strf");
    EXPECT_EQ(U32At(b, 176), 40u);
    const size_t movi = 220;
    EXPECT_STREQ(Code(b, movi), "LIST");
    EXPECT_STREQ(Code(b, movi + 8), "movi");
    // Frame, frame (over 20000 bytes since the start: JUNK), frame.
    size_t at = movi + 12;
    std::vector<uint32_t> offsets;
    for (int i = 0; i < 3; ++i) {
        offsets.push_back(uint32_t(at));
        EXPECT_STREQ(Code(b, at), "00db");
        EXPECT_EQ(U32At(b, at + 4), 18000u);
        at += 8 + 18000;
        if (i == 1) {
            EXPECT_STREQ(Code(b, at), "JUNK") << i;
            EXPECT_EQ(U32At(b, at + 4), 1u);
            at += 10;
        }
    }
    EXPECT_EQ(U32At(b, movi + 4), at - movi - 8);
    EXPECT_STREQ(Code(b, at), "idx1");
    EXPECT_EQ(U32At(b, at + 4), 48u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_STREQ(Code(b, at + 8 + 16 * size_t(i)), "00db");
        EXPECT_EQ(U32At(b, at + 12 + 16 * size_t(i)), 0x10u);
        EXPECT_EQ(U32At(b, at + 16 + 16 * size_t(i)), offsets[size_t(i)]); // absolute
        EXPECT_EQ(U32At(b, at + 20 + 16 * size_t(i)), 18000u);
    }
    EXPECT_EQ(DecodeVideo(file), expected);
}

TEST(AVICreatorTest, OddWidthWritesNothingAndOtherSizesAreStretched)
{
    const QString dir = TempDir();
    {
        const QString file = QDir(dir).filePath(QStringLiteral("odd.avi"));
        avi::TAviWriterEngine e;
        e.Setfilename(file.toStdString());
        TTestBitmap odd(31, 20);
        e.InitVideo(odd.Handle());
        e.AddFrame(odd.Handle());
        e.FinalizeVideo();
        e.WriteAvi(); // closes quietly: the direct path has no states
        EXPECT_FALSE(QFile::exists(file));
    }
    {
        const QString file = QDir(dir).filePath(QStringLiteral("sizes.avi"));
        avi::TAviWriterEngine e;
        e.Setfilename(file.toStdString());
        TTestBitmap first(40, 30, 32);
        first.Pattern(2);
        e.InitVideo(first.Handle());
        e.AddFrame(first.Handle());
        TTestBitmap big(80, 60, 24);
        big.Pattern(2);
        e.AddFrame(big.Handle());
        TTestBitmap paletted(40, 30, 8);
        paletted.Pattern(0);
        e.AddFrame(paletted.Handle());
        e.WriteAvi();
        const auto streams = Probe(file);
        ASSERT_EQ(streams.size(), 1u);
        EXPECT_EQ(streams[0].at("nb_read_frames"), "3");
        const std::vector<uint8_t> px = DecodeVideo(file);
        ASSERT_EQ(px.size(), size_t(3 * 40 * 30 * 3));
        // The larger frame, halved, holds the pixel under each centre.
        const uint8_t* p = &px[size_t(40 * 30 * 3) + size_t(10 * 40 + 10) * 3];
        EXPECT_EQ(uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0], big.At(21, 21));
        p = &px[size_t(2 * 40 * 30 * 3) + size_t(5 * 40 + 7) * 3];
        EXPECT_EQ(uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0], paletted.At(7, 5));
    }
}
