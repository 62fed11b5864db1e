// The "Screen Record" window where the screen cannot be read (the offscreen
// platform of this suite) and the recording interval as a project setting.
#include "model/ProjectFile.h"
#include "platform/ScreenGrab.h"
#include "platform/ScreenCastPortal.h"
#include "platform/X11GrabSource.h"
#include "tests/tools/ToolsFixture.h"
#include "tools/DesktopForm.h"
#include "tools/ScreenForm.h"

#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <vector>

class ScreenFormTest : public ToolsFixture {
protected:
    void SetUp() override
    {
        ToolsFixture::SetUp();
        form = new TScreenForm(&main);
        form->SetDesktopForm(new TDesktopForm(&main));
        form->SetHost(Host());
        // The offscreen screen, even when the tests run inside a Wayland session.
        form->MakeSource = [] { return std::make_unique<TX11GrabSource>(); };
        SetBackGIF(2, 30, 20);
        core.Doc.IsModify = false;
    }

    // The project as it was before the window was used.
    void ExpectUntouched()
    {
        EXPECT_FALSE(form->IsRecording());
        EXPECT_EQ(core.Doc.Animation.BackGIF.Count(), 2);
        EXPECT_GE(core.Doc.BackNum, 0);
        EXPECT_FALSE(core.Doc.IsModify);
    }

    QWidget main;
    TScreenForm* form = nullptr;
};

TEST_F(ScreenFormTest, StartWithoutRectangleOnlyAsksForOne)
{
    form->show();
    form->RecordButtonClick();
    EXPECT_EQ(dialogs.Messages(), QStringList{QStringLiteral("Select a rectangular area!")});
    EXPECT_EQ(form->RecordButton->text(), form->QStartRecord);
    EXPECT_TRUE(form->Spin->isEnabled());
    ExpectUntouched();
}

TEST_F(ScreenFormTest, AScreenThatCannotBeReadIsReportedAndTheProjectKept)
{
    TBitmap bitmap;
    EXPECT_FALSE(CanGrabScreen());
    try {
        GrabScreen(bitmap, {0, 0}, 10, 10);
        ADD_FAILURE() << "the offscreen platform was read";
    } catch (const EScreenGrabError& error) {
        EXPECT_STREQ(error.what(), "Cannot get device context of the window");
    }

    main.show();
    form->show();
    form->SetRect(TRect(0, 0, 9, 9));
    form->RecordButtonClick();
    EXPECT_EQ(dialogs.Messages(), QStringList{QStringLiteral("Cannot get device context of the window")});
    ExpectUntouched();

    // Choosing a rectangle says so too, and the window comes back.
    form->SelectButtonClick();
    EXPECT_TRUE(QTest::qWaitFor([&] { return form->isVisible(); }, 3000));
    EXPECT_EQ(dialogs.Messages().size(), 2);
    ExpectUntouched();
}

TEST_F(ScreenFormTest, TheIntervalIsAProjectSetting)
{
    core.Doc.Options.RecordDelay = 70;
    form->show();
    EXPECT_EQ(form->Spin->value(), 70);
    EXPECT_FALSE(core.Doc.IsModify);

    form->Spin->setValue(120);
    emit form->Spin->editingFinished();
    EXPECT_EQ(core.Doc.Options.RecordDelay, 120);
    EXPECT_TRUE(core.Doc.IsModify);

    const QString path = QDir(TempDir()).filePath(QStringLiteral("rec.zembra"));
    ASSERT_TRUE(TProjectFile(core.Doc, core.Animation(), progress).Write(path));
    TScriptedDialogs otherDialogs;
    THeadlessProgress otherProgress;
    TEditorCore other{otherDialogs, otherProgress};
    TOptionsPage otherPage{other};
    other.ClearProject();
    ASSERT_TRUE(TProjectFile(other.Doc, other.Animation(), otherProgress).Read(path));
    EXPECT_EQ(other.Doc.Options.RecordDelay, 120);
    TScreenForm otherForm(nullptr);
    otherForm.SetHost(TToolHost{&other, &otherPage, nullptr});
    otherForm.show();
    EXPECT_EQ(otherForm.Spin->value(), 120);
}

namespace {

// A source that shares a 40 x 30 picture, or refuses, and ends by itself
// after `EndAfter` grabs, as a desktop does when the user stops sharing.
class TSharingSource : public TGrabSource {
public:
    void Open() override
    {
        ++Opens;
        if (Refuse)
            throw EScreenGrabError(QPortalRefused);
    }
    TRect Area() const override { return {0, 0, 40, 30}; }
    void Grab(TBitmap& bitmap, TPoint, int width, int height) override
    {
        ++Grabs;
        bitmap = TBitmap(width, height);
        TEditorCore::FillBitmap(bitmap, RGB(10, 200, 30), width, height);
    }
    bool Ended() const override { return Grabs >= EndAfter; }

    bool Refuse = false;
    int EndAfter = 1 << 30;
    int Opens = 0;
    int Grabs = 0;
};

} // namespace

TEST_F(ScreenFormTest, ARefusedSharingIsReportedAndAskedAgainNextTime)
{
    std::vector<TSharingSource*> made; // observed; the window owns them
    form->MakeSource = [&] {
        auto source = std::make_unique<TSharingSource>();
        source->Refuse = true;
        made.push_back(source.get());
        return source;
    };
    main.show();
    form->show();
    form->SelectButtonClick();
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->isVisible(); }, 3000));
    EXPECT_EQ(dialogs.Messages(), QStringList{QPortalRefused});
    form->SetRect(TRect(0, 0, 9, 9));
    form->RecordButtonClick(); // a new request, refused again
    EXPECT_EQ(made.size(), 2u);
    EXPECT_EQ(dialogs.Messages().size(), 2);
    ExpectUntouched();
}

TEST_F(ScreenFormTest, SharingEndedFromTheDesktopStopsTheRecordingKeepingTheFrames)
{
    form->MakeSource = [] {
        auto made = std::make_unique<TSharingSource>();
        made->EndAfter = 5; // the snapshot and four frames
        return made;
    };
    auto* desktop = main.findChild<TDesktopForm*>();
    ASSERT_NE(desktop, nullptr);
    main.show();
    form->show();
    form->SelectButtonClick();
    ASSERT_TRUE(QTest::qWaitFor([&] { return desktop->isVisible(); }, 3000));
    desktop->FormMouseDown(5, 5);
    desktop->FormMouseUp(24, 14);
    EXPECT_EQ(form->Rect(), TRect(5, 5, 24, 14));
    form->Spin->setValue(10);
    emit form->Spin->editingFinished();
    form->RecordButtonClick();
    ASSERT_TRUE(form->IsRecording());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !form->IsRecording(); }, 5000));
    EXPECT_TRUE(dialogs.Messages().isEmpty());
    EXPECT_EQ(form->RecordedFrames(), 4);
    EXPECT_EQ(core.Doc.Animation.BackGIF.Count(), 4);
    EXPECT_EQ(core.Doc.Animation.BackGIF.ScreenWidth(), 20);
    EXPECT_EQ(core.Doc.Animation.BackGIF.ScreenHeight(), 10);
    EXPECT_GE(core.Doc.BackNum, 0);
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(main.isVisible());
}
