// The frame strip in the main window: a click on a cell goes to its frame, and
// the frame commands are offered as their state allows.
#include "MainFormFixture.h"

#include "editor/core/EditorCore.h"

#include <QAction>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSpinBox>

namespace {

class MainFormStripTest : public MainFormFixture {
protected:
    void SetUp() override { CreateAndShow(); }
    TEditorCore& Core() { return form->EditorCore(); }
    QAction* Act(const char* name) { return Find<QAction>(QString::fromLatin1(name)); }
    void ClickStrip(int x, Qt::KeyboardModifiers keys = {})
    {
        QWidget* strip = Find<QWidget>(QStringLiteral("FramesImage"));
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(x, 30), strip->mapToGlobal(QPointF(x, 30)),
                          Qt::LeftButton, Qt::LeftButton, keys);
        QCoreApplication::sendEvent(strip, &press);
    }
};

TEST_F(MainFormStripTest, ClickingACellGoesToItsFrameAndCommandsFollowTheSelection)
{
    Act("AddFrameAct")->trigger();
    Act("AddFrameAct")->trigger();
    ASSERT_EQ(Core().FrameCount(), 3);
    ASSERT_EQ(Core().FrameIndex(), 2);
    const int cell = Core().Strip().ImgH;
    ASSERT_GT(cell, 20) << "the strip was given its size";
    EXPECT_FALSE(Act("PasteFrameAct")->isEnabled());
    EXPECT_FALSE(Act("MoveRightAct")->isEnabled());
    EXPECT_TRUE(Act("MoveLeftAct")->isEnabled());

    ClickStrip(5);
    EXPECT_EQ(Core().FrameIndex(), 0);
    EXPECT_EQ(Core().Doc.BMPSel, TQFrInt{0});
    EXPECT_EQ(Find<QSpinBox>(QStringLiteral("GoSpin"))->value(), 1);
    EXPECT_FALSE(Act("MoveLeftAct")->isEnabled());
    EXPECT_TRUE(Act("MoveRightAct")->isEnabled());

    ClickStrip(cell + 5, Qt::ShiftModifier);
    EXPECT_EQ(Core().Doc.BMPSel, (TQFrInt{1, 0}));

    // Copy offers Paste.
    Act("CopyFrameAct")->trigger();
    EXPECT_TRUE(Act("PasteFrameAct")->isEnabled());
    Act("PasteFrameAct")->trigger();
    EXPECT_EQ(Core().FrameCount(), 5);
    EXPECT_EQ(Core().Doc.BMPSel, (TQFrInt{3, 2}));

    Act("DeleteFrameAct")->trigger();
    EXPECT_EQ(Core().FrameCount(), 3);
    EXPECT_TRUE(Core().Doc.IsFrOper);
    EXPECT_EQ(Find<QScrollBar>(QStringLiteral("FramesScrollBar"))->maximum(), Core().Strip().FramesScroll.Max);
}

} // namespace
