// The figure clipboard in the window: enabled states, the shortcuts, a picture
// pasted from the system clipboard, and files dropped on the canvas and the
// window, all through synthesized events.
#include "editor/MainForm.h"
#include "editor/core/EditorCore.h"
#include "platform/ImageFiles.h"
#include "platform/ScriptedDialogs.h"
#include "tests/support/TestSupport.h"

#include "drawobjects/Pic.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QDropEvent>
#include <QMimeData>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

class MainFormClipboardTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = std::make_unique<TMainForm>(dialogs, QStringList{}, TempDir());
        form->show();
        QApplication::setActiveWindow(form.get());
        canvas = form->findChild<QWidget*>(QStringLiteral("FramePanel"));
        ASSERT_NE(canvas, nullptr);
        canvas->setFocus();
    }
    QAction* Act(const char* name) { return form->findChild<QAction*>(QString::fromLatin1(name)); }
    TEditorCore& Core() { return form->EditorCore(); }
    QString Png(TColor color)
    {
        const QString file = QDir(dir).filePath(QStringLiteral("p%1.png").arg(++files));
        TBitmap b(30, 10);
        TEditorCore::FillBitmap(b, color, 30, 10);
        SavePngFile(b, file);
        return file;
    }
    // Drags the files over `target` and drops them at `at`; whether the drag was taken.
    bool Drop(QWidget* target, const QStringList& paths, QPoint at)
    {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString& path : paths)
            urls.append(QUrl::fromLocalFile(path));
        data.setUrls(urls);
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &drop);
        return drop.isAccepted();
    }

    TScriptedDialogs dialogs;
    std::unique_ptr<TMainForm> form;
    QWidget* canvas = nullptr;
    QString dir = TempDir();
    int files = 0;
};

} // namespace

TEST_F(MainFormClipboardTest, CommandsFollowTheSelectionAndTheClipboardAndAnswerTheirShortcuts)
{
    for (const char* name : {"CopyFigureAct", "CutFigureAct", "PasteFigureAct", "DeleteFigureAct"})
        EXPECT_FALSE(Act(name)->isEnabled()) << name;
    EXPECT_TRUE(canvas->actions().contains(Act("PasteFigureAct")));
    EXPECT_TRUE(canvas->actions().contains(Act("PasteImageAct")));

    Act("RectangleAct")->trigger();
    ASSERT_EQ(Core().Doc.FigureCount(), 1);
    for (const char* name : {"CopyFigureAct", "CutFigureAct", "DeleteFigureAct"})
        EXPECT_TRUE(Act(name)->isEnabled()) << name;
    EXPECT_FALSE(Act("PasteFigureAct")->isEnabled());

    QTest::keyClick(canvas, Qt::Key_C, Qt::ControlModifier | Qt::AltModifier);
    ASSERT_EQ(Core().Doc.FigBuf.size(), 1u);
    EXPECT_TRUE(Act("PasteFigureAct")->isEnabled());
    QTest::keyClick(canvas, Qt::Key_V, Qt::ControlModifier | Qt::AltModifier);
    ASSERT_EQ(Core().Doc.FigureCount(), 2);
    EXPECT_TRUE(Core().Doc.DrawArr[1]->Focused());
    EXPECT_FALSE(Core().Doc.DrawArr[0]->Focused());
    QTest::keyClick(canvas, Qt::Key_Delete, Qt::ControlModifier);
    ASSERT_EQ(Core().Doc.FigureCount(), 1);
    for (const char* name : {"CopyFigureAct", "CutFigureAct", "DeleteFigureAct"})
        EXPECT_FALSE(Act(name)->isEnabled()) << name;

    Core().Doc.DrawArr[0]->SetFocused(true);
    Core().CountFocusedDrawObjs();
    form->EnBut();
    QTest::keyClick(canvas, Qt::Key_X, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(Core().Doc.FigureCount(), 0);
    EXPECT_EQ(Core().Doc.FigBuf.size(), 1u);
    EXPECT_TRUE(Act("PasteFigureAct")->isEnabled());
    EXPECT_TRUE(Act("SaveAct")->isEnabled());
}

TEST_F(MainFormClipboardTest, CtrlVOnTheCanvasPastesTheSystemClipboardsPicture)
{
    QGuiApplication::clipboard()->clear();
    EXPECT_FALSE(Act("PasteImageAct")->isEnabled());
    QImage image(30, 10, QImage::Format_RGB32);
    image.fill(QColor(0, 255, 0));
    QGuiApplication::clipboard()->setImage(image);
    EXPECT_TRUE(Act("PasteImageAct")->isEnabled());

    QTest::keyClick(canvas, Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(Core().Doc.FigureCount(), 1);
    auto* pic = dynamic_cast<TPic*>(Core().DrObj());
    ASSERT_NE(pic, nullptr);
    EXPECT_EQ(pic->GNum, -1);
    // 30 x 10 fitted into the default 100 x 100, as a picture file would be.
    EXPECT_EQ(pic->Width(), 100);
    EXPECT_EQ(pic->Height(), 33);
    ASSERT_EQ(Core().Doc.BMPArr.size(), 1u);
    EXPECT_EQ(Core().Doc.BMPArr[0].Pixel(5, 5), 0x00FF00u);

    // With figures on the figure clipboard, Ctrl+V pastes those.
    Act("CopyFigureAct")->trigger();
    QTest::keyClick(canvas, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Core().Doc.FigureCount(), 2);
    EXPECT_EQ(Core().Doc.BMPArr.size(), 2u);
    QGuiApplication::clipboard()->clear();
}

TEST_F(MainFormClipboardTest, DroppedPicturesBecomeFiguresWhereTheyWereDropped)
{
    const QString png = Png(0x0000FF);
    TZGIFImage gif;
    TBitmap frame(20, 20);
    TEditorCore::FillBitmap(frame, 0x00FF00, 20, 20);
    gif.AddFrame(frame);
    gif.AddFrame(frame);
    const QString gifFile = QDir(dir).filePath(QStringLiteral("d.gif"));
    gif.SaveToFile(gifFile);

    ASSERT_TRUE(Drop(canvas, {png, gifFile}, {50, 60}));
    ASSERT_EQ(Core().Doc.FigureCount(), 2);
    const TDrawObject& first = *Core().Doc.DrawArr[0];
    EXPECT_EQ(first.Left + first.Coord, 50);
    EXPECT_EQ(first.Top + first.Coord, 60);
    auto* second = dynamic_cast<TPic*>(Core().Doc.DrawArr[1].get());
    ASSERT_NE(second, nullptr);
    EXPECT_GE(second->GNum, 0);
    EXPECT_GT(second->Left, first.Left);
    // The stored state keeps the place.
    EXPECT_EQ(Core().Doc.Animation.Figures[0].Frames[0].Number, 0);

    // Other files are not taken.
    const QString text = QDir(dir).filePath(QStringLiteral("notes.txt"));
    QFile(png).copy(text);
    EXPECT_FALSE(Drop(canvas, {text}, {10, 10}));
    EXPECT_EQ(Core().Doc.FigureCount(), 2);
}

TEST_F(MainFormClipboardTest, ADroppedProjectOpensAfterTheSaveQuestion)
{
    Act("RectangleAct")->trigger();
    const QString project = QDir(dir).filePath(QStringLiteral("dropped.zembra"));
    dialogs.QueueFile(project);
    Act("SaveAsProjectAct")->trigger();
    ASSERT_TRUE(QFile::exists(project));
    Act("EllipseAct")->trigger();
    ASSERT_EQ(Core().Doc.FigureCount(), 2);

    dialogs.ClearAsked();
    dialogs.QueueYesNo(false);
    ASSERT_TRUE(Drop(form.get(), {project}, {5, 5}));
    EXPECT_EQ(dialogs.Questions(), QStringList{QStringLiteral("Save changes to the project?")});
    EXPECT_EQ(Core().Doc.FigureCount(), 1);
    EXPECT_EQ(Core().Doc.Animation.Figures[0].Name, qfRectangle);
}
