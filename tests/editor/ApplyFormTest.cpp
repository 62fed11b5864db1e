// The progress window: when it shows, its gauge, Cancel, and that only it takes
// input while a long loop runs.
#include "editor/ApplyForm.h"

#include <QApplication>
#include <QMainWindow>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

void PostClick(QWidget* widget)
{
    const QPointF at(widget->width() / 2.0, widget->height() / 2.0);
    const QPointF global = widget->mapToGlobal(at);
    QCoreApplication::postEvent(widget, new QMouseEvent(QEvent::MouseButtonPress, at, global, Qt::LeftButton,
                                                        Qt::LeftButton, Qt::NoModifier));
    QCoreApplication::postEvent(widget, new QMouseEvent(QEvent::MouseButtonRelease, at, global, Qt::LeftButton,
                                                        Qt::NoButton, Qt::NoModifier));
}

class ApplyFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        owner.setGeometry(100, 80, 900, 700);
        owner.show();
    }
    void TearDown() override { form->Close(); }

    QMainWindow owner;
    TApplyForm* form = new TApplyForm(&owner);
};

} // namespace

TEST_F(ApplyFormTest, ShowsOnlyForMoreThanTenItemsUnlessForced)
{
    form->ApplyStart(10, QStringLiteral("Frame Redrawing"));
    EXPECT_TRUE(form->IsApply());
    EXPECT_FALSE(form->IsDec());
    EXPECT_FALSE(form->isVisible());
    form->Close();

    form->ApplyStart(11, QStringLiteral("Frame Redrawing"));
    EXPECT_TRUE(form->IsDec());
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Frame Redrawing"));
    form->Close();
    EXPECT_FALSE(form->isVisible());

    form->SetShowApply(true);
    form->ApplyStart(2, QStringLiteral("Creating GIF"));
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Creating GIF"));
}

TEST_F(ApplyFormTest, GaugeRunsFromZeroToTheCountAndStaysWhenNotFileIsOff)
{
    QProgressBar* gauge = form->findChild<QProgressBar*>(QStringLiteral("Gauge"));
    ASSERT_NE(gauge, nullptr);
    EXPECT_EQ(gauge->size(), QSize(548, 17));

    form->ApplyStart(40, QStringLiteral("Saving an Image"));
    EXPECT_EQ(gauge->minimum(), 0);
    EXPECT_EQ(gauge->maximum(), 40);
    EXPECT_EQ(gauge->value(), 0);
    form->SetProgress(25);
    EXPECT_EQ(gauge->value(), 25);
    form->SetProgress(99); // past the end: held at the end
    EXPECT_EQ(gauge->value(), 40);

    form->SetNotFile(false);
    form->SetProgress(3);
    EXPECT_EQ(gauge->value(), 40);
    form->SetNotFile(true);
}

TEST_F(ApplyFormTest, CentredOverTheMainWindow)
{
    form->ApplyStart(50, QStringLiteral("Frame Redrawing"));
    const QRect o = owner.frameGeometry();
    const QRect f = form->frameGeometry();
    EXPECT_EQ(f.left(), o.left() + (o.width() - f.width()) / 2);
    EXPECT_EQ(f.top(), o.top() + (o.height() - f.height()) / 2);
}

TEST_F(ApplyFormTest, CancelClearsIsApplyWhileOtherWindowsGetNoInput)
{
    auto* other = new QPushButton(QStringLiteral("Other"), &owner);
    owner.setCentralWidget(other);
    int otherClicks = 0;
    QObject::connect(other, &QPushButton::clicked, [&] { ++otherClicks; });

    form->ApplyStart(100, QStringLiteral("Frame Redrawing"));
    QPushButton* cancel = form->findChild<QPushButton*>(QStringLiteral("CancelButton"));
    ASSERT_NE(cancel, nullptr);
    EXPECT_EQ(cancel->text(), QStringLiteral("Cancel"));

    PostClick(other);
    form->SetProgress(1);
    EXPECT_EQ(otherClicks, 0);
    EXPECT_TRUE(form->IsApply());

    PostClick(cancel);
    form->SetProgress(2);
    EXPECT_FALSE(form->IsApply());

    // Once the window is closed the other window takes input again.
    form->Close();
    PostClick(other);
    QCoreApplication::processEvents();
    EXPECT_EQ(otherClicks, 1);
}

TEST_F(ApplyFormTest, TimersOfOtherWindowsWaitForTheLoopToEnd)
{
    auto* other = new QWidget(&owner);
    owner.setCentralWidget(other);
    auto* timer = new QTimer(other); // like the preview's frame timer
    timer->setSingleShot(true);
    int fired = 0;
    QObject::connect(timer, &QTimer::timeout, [&] { ++fired; });

    form->ApplyStart(100, QStringLiteral("Frame Redrawing"));
    timer->start(0);
    for (int i = 1; i <= 20; ++i)
        form->SetProgress(i);
    EXPECT_EQ(fired, 0);
    form->Close();
    for (int i = 0; i < 5 && fired == 0; ++i)
        QCoreApplication::processEvents();
    EXPECT_EQ(fired, 1);
}

TEST_F(ApplyFormTest, AShortOperationTakesNoInputAtAll)
{
    auto* other = new QPushButton(QStringLiteral("Other"), &owner);
    owner.setCentralWidget(other);
    int otherClicks = 0;
    QObject::connect(other, &QPushButton::clicked, [&] { ++otherClicks; });

    form->ApplyStart(5, QStringLiteral("Adding Frames"));
    PostClick(other);
    form->SetProgress(1);
    EXPECT_EQ(otherClicks, 0); // still queued, handled after the operation
    form->Close();
    QCoreApplication::processEvents();
    EXPECT_EQ(otherClicks, 1);
}

TEST(HeadlessProgress, RunsWithoutWindowAndCancelsWhenTold)
{
    THeadlessProgress progress;
    progress.ApplyStart(500, QStringLiteral("Frame Redrawing"));
    EXPECT_TRUE(progress.IsDec());
    int done = 0;
    progress.CancelAt(7);
    for (int i = 0; i < 500 && progress.IsApply(); ++i) {
        ++done;
        progress.SetProgress(i);
    }
    EXPECT_EQ(done, 8);
    EXPECT_FALSE(progress.IsApply());
    progress.Close();
    progress.ApplyStart(3, QStringLiteral("again"));
    EXPECT_TRUE(progress.IsApply()); // a new operation starts uncancelled
}
