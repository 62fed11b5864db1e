// The editor's host of the AVI-writer control: the persisted state it hands
// the control and takes back, and the control's failures as exceptions with
// the control's texts, through the table of functions and through dispatch.
#include "editor/core/ZembraAviWriter.h"

#include <gtest/gtest.h>
#include <string>

namespace {

std::string FailureOf(const std::function<void()>& call)
{
    try {
        call();
    } catch (const com::EComError& error) {
        return error.what();
    }
    return "(no failure)";
}

} // namespace

TEST(ZembraAviWriterHost, TheDialogStateIsLoadedAndSavedByteForByte)
{
    TZembraAviWriter control(TZembraAviWriter::DialogState());
    EXPECT_EQ(control.AWidth(), 160);
    EXPECT_EQ(control.AHeight(), 96);
    EXPECT_EQ(control.FrameTime(), 1000);
    EXPECT_EQ(control.PixelFormat(), pf24bit);
    EXPECT_EQ(control.TempFileName(), QStringLiteral("/tmp/~AWTemp.avi"));
    EXPECT_EQ(control.SaveState(), TZembraAviWriter::DialogState());

    // Changed values, and the file names written only when set.
    control.SetAWidth(330);
    control.SetFrameTime(40000);
    control.Setfilename(QStringLiteral("/video/Фильм.avi"));
    control.SetPixelFormat(pf8bit);
    const std::vector<uint8_t> state = control.SaveState();
    const std::string text(state.begin(), state.end());
    EXPECT_NE(text.find("filename"), std::string::npos);
    EXPECT_EQ(text.find("WavFileName"), std::string::npos);
    EXPECT_NE(text.find("pf8bit"), std::string::npos);
    TZembraAviWriter again(state);
    EXPECT_EQ(again.AWidth(), 320);
    EXPECT_EQ(again.FrameTime(), 40000);
    EXPECT_EQ(again.filename(), QStringLiteral("/video/Фильм.avi"));
    EXPECT_EQ(again.PixelFormat(), pf8bit);
}

TEST(ZembraAviWriterHost, DamagedStateIsRefusedWholly)
{
    std::vector<uint8_t> state = TZembraAviWriter::DialogState();
    for (size_t cut : {size_t(3), size_t(30), state.size() - 1}) {
        const std::vector<uint8_t> part(state.begin(), state.begin() + ptrdiff_t(cut));
        EXPECT_EQ(FailureOf([&] { TZembraAviWriter c(part); }), "Invalid stream format") << cut;
    }
    std::vector<uint8_t> other = state;
    other[4 + 1] = 'X'; // another class name
    EXPECT_EQ(FailureOf([&] { TZembraAviWriter c(other); }), "Invalid stream format");
}

TEST(ZembraAviWriterHost, FailuresCarryTheControlsText)
{
    TZembraAviWriter control;
    EXPECT_EQ(FailureOf([&] { control.SetPixelFormat(pf16bit); }), "Pixelformat not supported"); // dispatch
    EXPECT_EQ(control.PixelFormat(), pf24bit);
    EXPECT_EQ(FailureOf([&] { control.SetCompression(QStringLiteral("XVID")); }), "No compressor for XVID available");
    EXPECT_EQ(FailureOf([&] { control.WriteAvi(); }), "(no failure)"); // the direct path just closes
    control.SetCompression(QStringLiteral("DIB"));
    EXPECT_EQ(FailureOf([&] { control.WriteAvi(); }), "Video must be finalized");
    EXPECT_EQ(FailureOf([&] { control.SetWavFileName(QStringLiteral("a.mp3")); }),
              "WavFileName must name a file with the .wav extension");
    control.Compressorlist();
    ASSERT_EQ(control.AVIGetCount(), 2);
    EXPECT_EQ(control.AVIGetName(0), QStringLiteral("Без сжатия"));
    EXPECT_EQ(control.AVIGetCode(1), QStringLiteral("MJPG"));
}
