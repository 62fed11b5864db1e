// Limits of "Redraw Frames" and "zembra render": frames that cannot be held
// are refused before the work starts, and frame files stay inside their folder.
#include "cli/RenderCommand.h"
#include "editor/core/EditorCore.h"
#include "editor/core/OptionsPage.h"
#include "editor/core/ProjectLife.h"
#include "model/FigureFactory.h"
#include "platform/ScriptedDialogs.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <gtest/gtest.h>

namespace {

struct TCore {
    TScriptedDialogs Dialogs;
    THeadlessProgress Progress;
    TEditorCore Core{Dialogs, Progress};
    TOptionsPage Page{Core};
    TProjectLife Life{Core, Page};

    TCore()
    {
        Core.SetRedrawQuestion(false);
        Life.NewProject();
    }
    void AddFigure(int start, int count)
    {
        const int num = Core.Doc.NewFigure(qfRectangle, CreateDrawObject(qfRectangle), start);
        Core.Doc.Animation.Figures[size_t(num)].Count = count;
    }
};

} // namespace

TEST(RenderLimits, FramesThatCannotBeHeldStopTheRedrawBeforeItStarts)
{
    // A long project of large frames: over a million frames of 8000 x 8000.
    TCore c;
    c.Core.Doc.ImgWidth = 8000;
    c.Core.Doc.ImgHeight = 8000;
    c.AddFigure(999999, 100000);
    c.Core.Doc.RedrawEnabled = true;
    QElapsedTimer timer;
    timer.start();
    c.Core.RedrawAnimation();
    EXPECT_LT(timer.elapsed(), 5000);
    ASSERT_FALSE(c.Dialogs.Messages().isEmpty());
    EXPECT_EQ(c.Dialogs.Messages().last(), QStringLiteral("Not enough RAM!"));
    EXPECT_EQ(c.Core.FrameCount(), 1); // the animation as it was
    EXPECT_TRUE(c.Core.Doc.RedrawEnabled);

    // Frames that fit are drawn.
    TCore small;
    small.AddFigure(0, 12);
    small.Core.RedrawAnimation();
    EXPECT_TRUE(small.Dialogs.Messages().isEmpty());
    EXPECT_EQ(small.Core.FrameCount(), 12);
}

TEST(RenderLimits, FrameFormatsAreOnlyTheListedOnes)
{
    const QString dir = TempDir();
    TCore c;
    const QString project = QDir(dir).filePath(QStringLiteral("f.zembra"));
    ASSERT_TRUE(c.Life.WriteProject(project));
    const QString frames = QDir(dir).filePath(QStringLiteral("frames"));
    for (const char* format : {"png/../../escaped", "/png", "png/", "tif"}) {
        testing::internal::CaptureStderr();
        const int status = RunRenderCommand({project, QStringLiteral("--frames"), frames, QStringLiteral("--format"),
                                             QString::fromLatin1(format)});
        const QString err = QString::fromStdString(testing::internal::GetCapturedStderr()).trimmed();
        EXPECT_EQ(status, 1) << format;
        EXPECT_EQ(err, QStringLiteral("Invalid file format!")) << format;
    }
    EXPECT_FALSE(QFileInfo::exists(frames));
    EXPECT_EQ(QDir(dir).entryList(QDir::Files), QStringList{QStringLiteral("f.zembra")});
    EXPECT_EQ(RunRenderCommand({project, QStringLiteral("--frames"), frames, QStringLiteral("--format"),
                                QStringLiteral("JPEG")}),
              0);
    EXPECT_TRUE(QFileInfo::exists(QDir(frames).filePath(QStringLiteral("Image1.jpg"))));
}
