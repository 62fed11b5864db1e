// The canvas at other zooms: the pointer reaches the core in frame pixels,
// Ctrl+wheel zooms about the pointer, panning and the arrow keys.
#include "editor/CanvasPage.h"
#include "editor/ImagePanel.h"
#include "editor/MainForm.h"
#include "editor/core/EditorCore.h"
#include "platform/ScriptedDialogs.h"
#include "tests/support/TestSupport.h"

#include <QAction>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace {

class MainFormZoomTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = std::make_unique<TMainForm>(dialogs, QStringList{}, TempDir());
        form->resize(1000, 700);
        form->show();
        page = form->findChild<TCanvasPage*>(QStringLiteral("EditingSheet"));
        ASSERT_NE(page, nullptr);
        canvas = page->Canvas();
    }
    TEditorCore& Core() { return form->EditorCore(); }
    // The middle of frame pixel p on the canvas widget at the present zoom.
    QPointF At(TPoint p) const
    {
        const double f = page->ZoomPercent() / 100.0;
        return {(p.X + 0.5) * f, (p.Y + 0.5) * f};
    }
    void Send(QEvent::Type type, QPointF p, Qt::MouseButton button, Qt::MouseButtons held)
    {
        QMouseEvent event(type, p, canvas->mapToGlobal(p), button, held, {});
        QCoreApplication::sendEvent(canvas, &event);
    }
    void Drag(TPoint from, TPoint to, Qt::MouseButton button = Qt::LeftButton)
    {
        Send(QEvent::MouseButtonPress, At(from), button, button);
        Send(QEvent::MouseMove, At({(from.X + to.X) / 2, (from.Y + to.Y) / 2}), Qt::NoButton, button);
        Send(QEvent::MouseMove, At(to), Qt::NoButton, button);
        Send(QEvent::MouseButtonRelease, At(to), button, Qt::NoButton);
    }
    TDrawObject* AddRectangle(int left, int top)
    {
        Core().DefaultParam.Left = left;
        Core().DefaultParam.Top = top;
        Core().DefaultParam.Width = 50;
        Core().DefaultParam.Height = 40;
        EXPECT_TRUE(Core().QNewFigure(qfRectangle));
        return Core().DrObj();
    }
    // The frame point under a point of the scroll box's viewport.
    QPointF FrameUnder(QPointF view) const
    {
        const double f = page->ZoomPercent() / 100.0;
        return {(view.x() + page->Scroller()->horizontalScrollBar()->value()) / f,
                (view.y() + page->Scroller()->verticalScrollBar()->value()) / f};
    }

    TScriptedDialogs dialogs;
    std::unique_ptr<TMainForm> form;
    TCanvasPage* page = nullptr;
    TImagePanel* canvas = nullptr;
};

struct TFigureState {
    int Left, Top, Width, Height;
    bool operator==(const TFigureState&) const = default;
};

} // namespace

TEST_F(MainFormZoomTest, SelectDragHandlesAndBandGiveTheSameFiguresAtEveryZoom)
{
    std::vector<std::vector<TFigureState>> results;
    for (const int zoom : {50, 100, 400}) {
        Core().NewProject();
        page->SetZoomPercent(zoom);
        EXPECT_EQ(canvas->size(), QSize(200 * zoom / 100, 200 * zoom / 100));
        TDrawObject* a = AddRectangle(20, 20);
        TDrawObject* b = AddRectangle(110, 120);
        // A click on empty canvas deselects; a band takes the first rectangle only.
        Drag({190, 5}, {190, 5});
        EXPECT_EQ(Core().QCount(), 0);
        Drag({10, 10}, {60, 50});
        ASSERT_EQ(Core().QCount(), 1);
        EXPECT_EQ(Core().DrObj(), a);
        // Its body dragged, then its bottom-right handle.
        Drag({40, 40}, {55, 47});
        const TPoint handle = a->BtnToFrame(a->BtnPoints[1]);
        Drag(handle, {handle.X + 9, handle.Y + 6});
        // The second one picked by a click on its edge pixel and moved.
        Drag({112, 123}, {102, 133});
        EXPECT_EQ(Core().DrObj(), b);
        results.push_back({{a->Left, a->Top, a->Width(), a->Height()}, {b->Left, b->Top, b->Width(), b->Height()}});
        EXPECT_EQ(Core().ImgWidth(), 200) << "zooming leaves the frame size";
    }
    EXPECT_EQ(results[0], results[1]);
    EXPECT_EQ(results[2], results[1]);
    EXPECT_EQ(results[1][0].Left, 20 + 15);
    EXPECT_NE(results[1][0].Width, 50) << "the handle drag resized";

    // The frame-size handle at 400 %: a pointer on its last pixels grabs it,
    // and the frame follows in frame pixels.
    Core().NewProject();
    page->SetZoomPercent(400);
    Drag({199, 199}, {249, 149});
    EXPECT_EQ(Core().ImgWidth(), 250);
    EXPECT_EQ(Core().ImgHeight(), 150);
    EXPECT_EQ(canvas->size(), QSize(1000, 600));
    // At 25 % the handle's zone still spans a few screen pixels.
    page->SetZoomPercent(25);
    EXPECT_TRUE(Core().IsFramePanelResize(250 - 20, 150 - 20));
}

TEST_F(MainFormZoomTest, CtrlWheelZoomsAboutThePointerAndChangesNothingInTheProject)
{
    Core().FramePanelResize(640, 480);
    Core().CanvasTakesFrameSize();
    const int steps = Core().History().Stack().count();
    QWidget* viewport = page->Scroller()->viewport();
    const QPointF pointer(300.0, 200.0);
    for (const int delta : {120, 120, 240, -120, 120, -240}) {
        const QPointF before = FrameUnder(pointer);
        const int zoom = page->ZoomPercent();
        QWheelEvent wheel(pointer, viewport->mapToGlobal(pointer), {}, {0, delta}, Qt::NoButton, Qt::ControlModifier,
                          Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(viewport, &wheel);
        EXPECT_NE(page->ZoomPercent(), zoom);
        const QPointF after = FrameUnder(pointer);
        const double pixel = 100.0 / page->ZoomPercent();
        EXPECT_NEAR(after.x(), before.x(), pixel) << page->ZoomPercent();
        EXPECT_NEAR(after.y(), before.y(), pixel) << page->ZoomPercent();
    }
    EXPECT_EQ(Core().ImgWidth(), 640);
    EXPECT_EQ(Core().ImgHeight(), 480);
    EXPECT_EQ(Core().History().Stack().count(), steps);

    // The keys, and the range's ends.
    QAction* zoomIn = page->findChild<QAction*>(QStringLiteral("ZoomInAct"));
    ASSERT_NE(zoomIn, nullptr);
    for (int i = 0; i < 20; ++i)
        zoomIn->trigger();
    EXPECT_EQ(page->ZoomPercent(), 800);
    page->findChild<QAction*>(QStringLiteral("ZoomResetAct"))->trigger();
    EXPECT_EQ(page->ZoomPercent(), 100);
    page->findChild<QAction*>(QStringLiteral("ZoomFitAct"))->trigger();
    EXPECT_LE(canvas->width(), viewport->width());
    EXPECT_LE(canvas->height(), viewport->height());
}

TEST_F(MainFormZoomTest, MiddleDragPansWithoutReachingTheCoreAndArrowsNudgeOnlyOnTheCanvas)
{
    Core().FramePanelResize(640, 480);
    Core().CanvasTakesFrameSize();
    TDrawObject* r = AddRectangle(20, 20);
    page->SetZoomPercent(400);
    QScrollBar* h = page->Scroller()->horizontalScrollBar();
    h->setValue(200);
    // The pointer goes 80 screen pixels left: the view follows it.
    const QPointF p = At({60, 60});
    const QPointF g = canvas->mapToGlobal(p);
    auto send = [&](QEvent::Type type, QPointF global, Qt::MouseButton button, Qt::MouseButtons held) {
        QMouseEvent event(type, canvas->mapFromGlobal(global), global, button, held, {});
        QCoreApplication::sendEvent(canvas, &event);
    };
    send(QEvent::MouseButtonPress, g, Qt::MiddleButton, Qt::MiddleButton);
    send(QEvent::MouseMove, g - QPointF(40, 0), Qt::NoButton, Qt::MiddleButton);
    send(QEvent::MouseMove, g - QPointF(80, 0), Qt::NoButton, Qt::MiddleButton);
    send(QEvent::MouseButtonRelease, g - QPointF(80, 0), Qt::MiddleButton, Qt::NoButton);
    EXPECT_EQ(h->value(), 200 + 80);
    EXPECT_EQ(r->Left, 20) << "panning moved the figure";
    EXPECT_EQ(Core().QCount(), 1);

    const int steps = Core().History().Stack().count();
    canvas->setFocus();
    QTest::keyClick(canvas, Qt::Key_Right);
    QTest::keyClick(canvas, Qt::Key_Right);
    QTest::keyClick(canvas, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(r->Left, 22);
    EXPECT_EQ(r->Top, 30);
    EXPECT_EQ(Core().History().Stack().count(), steps + 1);
    // In a spin box the arrows are the box's.
    auto* spin = form->findChild<QSpinBox*>(QStringLiteral("BackWidthSpin"));
    ASSERT_NE(spin, nullptr);
    QTest::keyClick(spin, Qt::Key_Right);
    EXPECT_EQ(r->Left, 22);
}
