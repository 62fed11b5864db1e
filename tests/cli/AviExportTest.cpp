// The Save-AVI export loop through the AVI-writer control: transparent pixels show the
// background colour, a blank file name writes nothing, a cancel ends it.
#include "editor/core/AviExport.h"
#include "editor/core/EditorCore.h"
#include "editor/core/ZembraAviWriter.h"
#include "platform/ScriptedDialogs.h"
#include "tests/support/AviProbe.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

struct TExportFixture {
    TScriptedDialogs Dialogs;
    THeadlessProgress Progress;
    TEditorCore Core{Dialogs, Progress};

    // Frames of 64 x 48, left half blue, right half the transparent green.
    explicit TExportFixture(int frames)
    {
        Core.SetRedrawQuestion(false);
        Core.Doc.ImgWidth = 64;
        Core.Doc.ImgHeight = 48;
        Core.Animation().Clear();
        for (int i = 0; i < frames; ++i) {
            TBitmap b(64, 48, TPixelFormat::pf24bit);
            for (int y = 0; y < 48; ++y)
                for (int x = 0; x < 64; ++x)
                    b.SetPixel(x, y, x < 32 ? RGB(0, 0, 255) : RGB(0, 255, 0));
            const int n = Core.Animation().AddFrame(b);
            Core.Animation().Frames(n).SetTransparentColor(RGB(0, 255, 0));
        }
        Core.Doc.Options.BackShapeColor = RGB(255, 0, 0);
    }
};

} // namespace

TEST(AviExportTest, TransparentPixelsShowTheBackgroundColour)
{
    TExportFixture f(4);
    const QString file = QDir(TempDir()).filePath(QStringLiteral("export.avi"));
    TAviExportSettings s;
    s.FileName = file;
    TZembraAviWriter control(TZembraAviWriter::DialogState());
    ASSERT_EQ(ExportAvi(f.Core, control, s, TToAVIMessages()), TAviExportResult::Written);
    EXPECT_EQ(f.Progress.Title(), QStringLiteral("Saving AVI"));
    const auto streams = Probe(file);
    ASSERT_EQ(streams.size(), 1u);
    EXPECT_EQ(streams[0].at("nb_read_frames"), "4");
    EXPECT_EQ(streams[0].at("r_frame_rate"), "20/1");
    const std::vector<uint8_t> px = DecodeVideo(file);
    ASSERT_EQ(px.size(), size_t(4 * 64 * 48 * 3));
    EXPECT_EQ((std::vector<uint8_t>(px.begin(), px.begin() + 3)), (std::vector<uint8_t>{255, 0, 0}));   // blue
    const size_t right = size_t(10 * 64 + 40) * 3;
    EXPECT_EQ((std::vector<uint8_t>(px.begin() + ptrdiff_t(right), px.begin() + ptrdiff_t(right) + 3)),
              (std::vector<uint8_t>{0, 0, 255})); // red where the frame is transparent
    EXPECT_FALSE(QFile::exists(QDir(TempDir()).filePath(QStringLiteral("AWTempexport.avi"))));
}

TEST(AviExportTest, BlankNameAndCancel)
{
    TExportFixture f(30);
    TAviExportSettings s;
    s.FileName = QStringLiteral("   ");
    TZembraAviWriter control(TZembraAviWriter::DialogState());
    EXPECT_EQ(ExportAvi(f.Core, control, s, TToAVIMessages()), TAviExportResult::NoFileName);
    EXPECT_EQ(f.Progress.ProgressCalls(), 0);

    s.FileName = QDir(TempDir()).filePath(QStringLiteral("cancel.avi"));
    f.Progress.CancelAt(10);
    EXPECT_EQ(ExportAvi(f.Core, control, s, TToAVIMessages()), TAviExportResult::Cancelled);
    EXPECT_EQ(f.Progress.ProgressCalls(), 11);
    EXPECT_EQ(control.AVIGetCount(), 2); // 24 bits: "No" and MJPG
    EXPECT_EQ(AviTempFileName(QStringLiteral("/video/clip.avi")), QStringLiteral("/video/AWTempclip.avi"));
}
