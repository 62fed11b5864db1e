// The figure clipboard in the window, through synthesized events: enabled
// states, the shortcuts, the system clipboard's picture, and dropped files.
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
        canvas->setFocus();
    }
    QAction* Act(const char* name) { return form->findChild<QAction*>(QString::fromLatin1(name)); }
    bool Enabled(std::initializer_list<const char*> names)
    {
        return std::all_of(names.begin(), names.end(), [this](const char* n) { return Act(n)->isEnabled(); });
    }
    TDocument& Doc() { return form->EditorCore().Doc; }
    void Key(Qt::Key key, Qt::KeyboardModifiers keys) { QTest::keyClick(canvas, key, keys); }
    // Drags the files over `target` and drops them at `at`; whether the drop was taken.
    bool Drop(QWidget* target, const QStringList& paths, QPoint at)
    {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString& path : paths)
            urls.append(QUrl::fromLocalFile(path));
        data.setUrls(urls);
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &enter);
        QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        return enter.isAccepted() && QCoreApplication::sendEvent(target, &drop) && drop.isAccepted();
    }

    TScriptedDialogs dialogs;
    std::unique_ptr<TMainForm> form;
    QWidget* canvas = nullptr;
    QString dir = TempDir();
};

} // namespace

TEST_F(MainFormClipboardTest, CommandsFollowSelectionAndClipboardAndAnswerTheirShortcuts)
{
    const auto figureCommands = {"CopyFigureAct", "CutFigureAct", "DeleteFigureAct"};
    EXPECT_FALSE(Act("CopyFigureAct")->isEnabled() || Act("PasteFigureAct")->isEnabled());
    EXPECT_TRUE(canvas->actions().contains(Act("PasteFigureAct")) && canvas->actions().contains(Act("PasteImageAct")));
    Act("RectangleAct")->trigger();
    EXPECT_TRUE(Enabled(figureCommands));
    EXPECT_FALSE(Act("PasteFigureAct")->isEnabled());

    Key(Qt::Key_C, Qt::ControlModifier | Qt::AltModifier);
    ASSERT_EQ(Doc().FigBuf.size(), 1u);
    EXPECT_TRUE(Act("PasteFigureAct")->isEnabled());
    Key(Qt::Key_V, Qt::ControlModifier | Qt::AltModifier);
    ASSERT_EQ(Doc().FigureCount(), 2);
    EXPECT_TRUE(Doc().DrawArr[1]->Focused() && !Doc().DrawArr[0]->Focused());
    Key(Qt::Key_Delete, Qt::ControlModifier);
    ASSERT_EQ(Doc().FigureCount(), 1);
    EXPECT_FALSE(Act("CopyFigureAct")->isEnabled() || Act("CutFigureAct")->isEnabled()
                 || Act("DeleteFigureAct")->isEnabled());
    Doc().DrawArr[0]->SetFocused(true);
    form->EditorCore().CountFocusedDrawObjs();
    form->EnBut();
    Key(Qt::Key_X, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(Doc().FigureCount(), 0);
    EXPECT_TRUE(Act("PasteFigureAct")->isEnabled() && Act("SaveAct")->isEnabled());

    // Ctrl+V on the canvas: the figure clipboard first, else the system clipboard's picture.
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Doc().FigureCount(), 1);
    Doc().FigBuf.clear();
    QGuiApplication::clipboard()->clear();
    form->EnBut();
    EXPECT_FALSE(Act("PasteImageAct")->isEnabled());
    QImage image(30, 10, QImage::Format_RGB32);
    image.fill(QColor(0, 255, 0));
    QGuiApplication::clipboard()->setImage(image);
    EXPECT_TRUE(Act("PasteImageAct")->isEnabled());
    Key(Qt::Key_V, Qt::ControlModifier);
    QGuiApplication::clipboard()->clear();
    ASSERT_EQ(Doc().FigureCount(), 2);
    auto* pic = dynamic_cast<TPic*>(Doc().DrawArr.back().get());
    ASSERT_NE(pic, nullptr);
    EXPECT_EQ(pic->GNum, -1);
    EXPECT_EQ(pic->Width(), 100); // 30 x 10 fitted into the default 100 x 100
    EXPECT_EQ(pic->Height(), 33);
    ASSERT_EQ(Doc().BMPArr.size(), 1u);
    EXPECT_EQ(Doc().BMPArr[0].Pixel(5, 5), 0x00FF00u);
}

TEST_F(MainFormClipboardTest, DroppedPicturesBecomeFiguresThereAndADroppedProjectOpens)
{
    TBitmap solid(20, 20);
    TEditorCore::FillBitmap(solid, 0x00FF00, 20, 20);
    const QString png = QDir(dir).filePath(QStringLiteral("d.png"));
    const QString gifFile = QDir(dir).filePath(QStringLiteral("d.gif"));
    const QString text = QDir(dir).filePath(QStringLiteral("d.txt"));
    SavePngFile(solid, png);
    TZGIFImage gif;
    gif.AddFrame(solid);
    gif.AddFrame(solid);
    gif.SaveToFile(gifFile);
    QFile(png).copy(text);

    ASSERT_TRUE(Drop(canvas, {png, gifFile}, {50, 60}));
    ASSERT_EQ(Doc().FigureCount(), 2);
    const TDrawObject& first = *Doc().DrawArr[0];
    EXPECT_EQ(first.Left + first.Coord, 50);
    EXPECT_EQ(first.Top + first.Coord, 60);
    auto* second = dynamic_cast<TPic*>(Doc().DrawArr[1].get());
    EXPECT_GE(second->GNum, 0);
    EXPECT_GT(second->Left, first.Left);
    EXPECT_FALSE(Drop(canvas, {text}, {10, 10}));

    const QString project = QDir(dir).filePath(QStringLiteral("dropped.zembra"));
    dialogs.QueueFile(project);
    Act("SaveAsProjectAct")->trigger();
    Act("EllipseAct")->trigger();
    dialogs.ClearAsked();
    dialogs.QueueYesNo(false);
    ASSERT_TRUE(Drop(form.get(), {project}, {5, 5}));
    EXPECT_EQ(dialogs.Questions(), QStringList{QStringLiteral("Save changes to the project?")});
    EXPECT_EQ(Doc().FigureCount(), 2);
    EXPECT_EQ(Doc().Animation.Figures[1].Name, qfPicture);
}
