// The canvas widget driven by synthesized mouse events: figure buttons, a
// rubber band, group selection, the frame-size handle and a right click with
// its menu reach the editor core.
#include "editor/MainForm.h"
#include "editor/core/EditorCore.h"
#include "platform/ScriptedDialogs.h"
#include "tests/support/TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QSpinBox>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class MainFormEditingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = std::make_unique<TMainForm>(dialogs, QStringList{}, TempDir());
        form->show();
        canvas = form->findChild<QWidget*>(QStringLiteral("FramePanel"));
        ASSERT_NE(canvas, nullptr);
    }
    void Trigger(const char* name) { form->findChild<QAction*>(QString::fromLatin1(name))->trigger(); }
    void Send(QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons held, Qt::KeyboardModifiers keys)
    {
        QMouseEvent event(type, QPointF(p), canvas->mapToGlobal(QPointF(p)), button, held, keys);
        QCoreApplication::sendEvent(canvas, &event);
    }
    void Press(QPoint p, Qt::KeyboardModifiers keys = {})
    {
        Send(QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton, keys);
    }
    void Move(QPoint p) { Send(QEvent::MouseMove, p, Qt::NoButton, Qt::LeftButton, {}); }
    void Release(QPoint p) { Send(QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton, {}); }
    TEditorCore& Core() { return form->EditorCore(); }

    TScriptedDialogs dialogs;
    std::unique_ptr<TMainForm> form;
    QWidget* canvas = nullptr;
};

} // namespace

TEST_F(MainFormEditingTest, FigureButtonsBandAndShiftClickReachTheCore)
{
    form->findChild<QAction*>(QStringLiteral("RectangleAct"))->trigger();
    ASSERT_EQ(Core().Doc.FigureCount(), 1);
    TDrawObject* first = Core().DrObj();
    first->Left = 100;
    first->Top = 100;
    first->Resize();
    Trigger("EllipseAct");
    ASSERT_EQ(Core().Doc.FigureCount(), 2);
    EXPECT_EQ(Core().Doc.Animation.Figures[1].Name, qfEllipse);

    // Shift-click adds the rectangle: two selected.
    Press({150, 150}, Qt::ShiftModifier);
    Release({150, 150});
    EXPECT_EQ(Core().QCount(), 2);
    // A press outside both deselects them and starts no band.
    Press({180, 20});
    EXPECT_EQ(Core().QCount(), 0);
    EXPECT_FALSE(Core().Gesture().IsSelRec);
    Release({180, 20});
    // A band from the bottom-right up to the top-left takes the ellipse only.
    Press({90, 90});
    Move({40, 40});
    Move({2, 2});
    Release({2, 2});
    EXPECT_EQ(Core().QCount(), 1);
    EXPECT_EQ(Core().DrObj(), Core().Doc.DrawArr[1].get());
    // The canvas shows the core's picture.
    EXPECT_EQ(form->findChild<QWidget*>(QStringLiteral("FramePanel"))->size(), QSize(200, 200));
}

TEST_F(MainFormEditingTest, FrameSizeHandleSetsTheSizeBoxes)
{
    Press({197, 197});
    Move({250, 120});
    Move({297, 147});
    Release({297, 147});
    EXPECT_EQ(Core().ImgWidth(), 300);
    EXPECT_EQ(Core().ImgHeight(), 150);
    EXPECT_EQ(canvas->size(), QSize(300, 150));
    EXPECT_EQ(form->findChild<QSpinBox*>(QStringLiteral("BackWidthSpin"))->value(), 300);
    EXPECT_EQ(form->findChild<QSpinBox*>(QStringLiteral("BackHeightSpin"))->value(), 150);
    EXPECT_TRUE(form->findChild<QAction*>(QStringLiteral("RedrawAct"))->isEnabled());
}

TEST_F(MainFormEditingTest, RightClickReachesTheCanvasWholeAndItsMenuRefreshesCommands)
{
    Trigger("RectangleAct");
    TDrawObject* r = Core().DrObj();
    ASSERT_NE(r, nullptr);
    auto* copy = form->findChild<QAction*>(QStringLiteral("CopyFigureAct"));
    ASSERT_TRUE(copy->isEnabled());
    const QPoint onFigure(r->Left + 20, r->Top + 20);
    const QPoint empty(195, 5);

    for (const QPoint p : {onFigure, empty}) {
        Send(QEvent::MouseButtonPress, p, Qt::RightButton, Qt::RightButton, {});
        // What the window system sends with a right press: no menu yet. A
        // menu that opened here would be closed by the timer and noticed.
        bool menuOnPress = false;
        QTimer::singleShot(0, [&menuOnPress] {
            if (QWidget* popup = QApplication::activePopupWidget()) {
                menuOnPress = true;
                popup->close();
            }
        });
        QContextMenuEvent request(QContextMenuEvent::Mouse, p, canvas->mapToGlobal(p));
        QCoreApplication::sendEvent(canvas, &request);
        QCoreApplication::processEvents();
        EXPECT_FALSE(menuOnPress);

        Send(QEvent::MouseButtonRelease, p, Qt::RightButton, Qt::NoButton, {});
        EXPECT_FALSE(Core().Gesture().IsOldObj) << "the release reached the canvas";
        EXPECT_FALSE(Core().Gesture().IsMouseDown);
        auto* menu = canvas->findChild<QMenu*>(QStringLiteral("FramePanelMenu"));
        ASSERT_NE(menu, nullptr);
        EXPECT_TRUE(menu->isVisible()) << "the menu opens on the release";
        menu->hide();
    }
    // The right click on empty canvas deselected the figure; the menu's commands followed.
    EXPECT_EQ(Core().QCount(), 0);
    EXPECT_FALSE(copy->isEnabled());
}
