// Wave files: reading (sample files and damaged ones) and the sound track
// mixed into the on-the-fly file.
#include "aviwriter/AviWriterEngine.h"
#include "aviwriter/vfw/WaveFile.h"
#include "tests/support/AviProbe.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

std::vector<int16_t> Ramp(size_t count, int16_t base)
{
    std::vector<int16_t> s(count);
    for (size_t i = 0; i < count; ++i)
        s[i] = int16_t(base + int16_t(i % 1000));
    return s;
}

std::vector<uint8_t> Bytes(const std::string& text)
{
    return std::vector<uint8_t>(text.begin(), text.end());
}

uint32_t OpenError(std::vector<uint8_t> bytes)
{
    try {
        vfw::TWaveFile::FromBytes(std::move(bytes));
    } catch (const vfw::EVfwError& e) {
        return e.Code();
    }
    return 0;
}

} // namespace

TEST(WaveFileTest, ReadsPcmAndRefusesTheRest)
{
    const QString dir = TempDir();
    const std::string path = QDir(dir).filePath(QStringLiteral("ok.wav")).toStdString();
    WriteWave(path, 11025, Ramp(500, 7));
    const vfw::TWaveFile wave(path);
    EXPECT_EQ(wave.SampleCount(), 500u);
    EXPECT_EQ(wave.StreamInfo().dwRate, 22050u);
    EXPECT_EQ(wave.StreamInfo().dwScale, 2u);
    const std::vector<uint8_t> tail = wave.Read(498, 10);
    ASSERT_EQ(tail.size(), 4u);
    EXPECT_EQ(tail[0], 7 + 498 % 256);

    std::vector<uint8_t> bytes = ReadAll(QString::fromStdString(path));
    std::vector<uint8_t> cut(bytes.begin(), bytes.end() - 10);
    EXPECT_EQ(OpenError(cut), vfw::AVIERR_BADFORMAT); // truncated data
    std::vector<uint8_t> alaw = bytes;
    alaw[20] = 6;
    EXPECT_EQ(OpenError(alaw), vfw::AVIERR_BADFORMAT); // not PCM
    EXPECT_EQ(OpenError(Bytes("RIFF\x04\0\0\0WAVE")), vfw::AVIERR_BADFORMAT);
    EXPECT_EQ(OpenError(Bytes("not a wave file at all")), vfw::AVIERR_BADFORMAT);
    // A chunk claiming 4 GiB ends the walk instead of reading past the file.
    EXPECT_EQ(OpenError(Bytes(std::string("RIFF\xff\xff\xff\xffWAVEjunk\xff\xff\xff\xff", 20))),
              vfw::AVIERR_BADFORMAT);

    // Sample files: each opens within its bounds or is refused, never more.
    const QDir corpus(CorpusDir() + QStringLiteral("/wav"));
    const QStringList files = corpus.entryList({QStringLiteral("*.wav")}, QDir::Files);
    ASSERT_GE(files.size(), 10);
    int accepted = 0;
    for (const QString& name : files) {
        const std::vector<uint8_t> data = ReadAll(corpus.filePath(name));
        try {
            const vfw::TWaveFile w = vfw::TWaveFile::FromBytes(data);
            EXPECT_LE(uint64_t(w.SampleCount()) * w.Format().nBlockAlign, data.size()) << name.toStdString();
            w.Read(0, w.SampleCount());
            ++accepted;
        } catch (const vfw::EVfwError& e) {
            EXPECT_TRUE(e.Code() == vfw::AVIERR_BADFORMAT || e.Code() == vfw::AVIERR_FILEREAD) << name.toStdString();
        }
    }
    EXPECT_GE(accepted, 1);
    EXPECT_EQ(OpenError(ReadAll(corpus.filePath(QStringLiteral("scipy_test-8000Hz-le-1ch-1byte-ulaw.wav")))),
              vfw::AVIERR_BADFORMAT);
}

// Two files at 0 and 2000 ms, the first 3 s long: the first is cut at 2 s; a
// file at 500 ms after a short one gets silence before it.
TEST(AviSoundTest, WavesPlacedAtTheirDelays)
{
    const QString dir = TempDir();
    const std::string first = QDir(dir).filePath(QStringLiteral("a.wav")).toStdString();
    const std::string second = QDir(dir).filePath(QStringLiteral("b.wav")).toStdString();
    const std::string third = QDir(dir).filePath(QStringLiteral("c.wav")).toStdString();
    const std::vector<int16_t> a = Ramp(3 * 8000, 1000), b = Ramp(8000, -3000), c = Ramp(800, 5000);
    WriteWave(first, 8000, a);
    WriteWave(second, 8000, b);
    WriteWave(third, 16000, c);
    const std::string file = QDir(dir).filePath(QStringLiteral("sound.avi")).toStdString();
    avi::TAviWriterEngine e;
    e.SetAWidth(32);
    e.SetAHeight(32);
    e.SetFrameTime(100);
    e.SetCompression("MJPG");
    e.Setfilename(file);
    e.AddWaveFile(second, 2000); // the list is sorted by delay
    e.AddWaveFile(first, 0);
    e.AddWaveFile(third, 2500);  // another rate: passed over
    TTestBitmap empty(0, 0);
    e.InitVideo(empty.Handle());
    for (int i = 0; i < 40; ++i) {
        TTestBitmap f(32, 32);
        e.AddFrame(f.Handle());
    }
    e.FinalizeVideo();
    e.WriteAvi();

    const auto streams = Probe(QString::fromStdString(file));
    ASSERT_EQ(streams.size(), 2u);
    EXPECT_EQ(streams[0].at("codec_type"), "video");
    EXPECT_EQ(streams[0].at("nb_read_frames"), "40");
    EXPECT_EQ(streams[1].at("codec_name"), "pcm_s16le");
    EXPECT_EQ(streams[1].at("sample_rate"), "8000");
    std::vector<int16_t> expected(a.begin(), a.begin() + 2 * 8000);
    expected.insert(expected.end(), b.begin(), b.end());
    const std::vector<int16_t> got = DecodeAudio(QString::fromStdString(file));
    ASSERT_EQ(got.size(), expected.size());
    EXPECT_EQ(got, expected);

    // A gap before a later file is silence.
    avi::TAviWriterEngine g;
    g.SetAWidth(16);
    g.SetAHeight(16);
    g.SetCompression("DIB");
    const std::string gapFile = QDir(dir).filePath(QStringLiteral("gap.avi")).toStdString();
    g.Setfilename(gapFile);
    const std::string fourth = QDir(dir).filePath(QStringLiteral("d.wav")).toStdString();
    WriteWave(fourth, 11025, b);
    g.AddWaveFile(fourth, 500);
    g.InitVideo(empty.Handle());
    TTestBitmap f(16, 16);
    g.AddFrame(f.Handle());
    g.FinalizeVideo();
    g.WriteAvi();
    std::vector<int16_t> gapped(5512, 0); // trunc(500 ms x 11025 / s)
    gapped.insert(gapped.end(), b.begin(), b.end());
    EXPECT_EQ(DecodeAudio(QString::fromStdString(gapFile)), gapped);
}

TEST(AviSoundTest, BadWaveFilesFailWithTheirTexts)
{
    const QString dir = TempDir();
    const std::string bad = QDir(dir).filePath(QStringLiteral("bad.wav")).toStdString();
    QFile f(QString::fromStdString(bad));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("RIFF....WAVEnothing");
    f.close();
    for (const auto& [name, text] :
         {std::pair{bad, std::string("FileOpen failed. Err: $80044066")},
          {QDir(dir).filePath(QStringLiteral("missing.wav")).toStdString(), "FileOpen failed. Err: $8004406F"}}) {
        avi::TAviWriterEngine e;
        e.SetAWidth(16);
        e.SetAHeight(16);
        e.SetCompression("DIB");
        e.Setfilename(QDir(dir).filePath(QStringLiteral("x.avi")).toStdString());
        e.AddWaveFile(name, 0);
        TTestBitmap b(16, 16);
        e.InitVideo(b.Handle());
        e.AddFrame(b.Handle());
        e.FinalizeVideo();
        try {
            e.WriteAvi();
            ADD_FAILURE() << "no error for " << name;
        } catch (const avi::EAviWriterError& error) {
            EXPECT_EQ(error.what(), text);
        }
    }
}
