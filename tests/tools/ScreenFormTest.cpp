// The "Screen Record" window where the screen cannot be read (the offscreen
// platform of this suite) and the recording interval as a project setting.
#include "model/ProjectFile.h"
#include "platform/ScreenGrab.h"
#include "platform/X11GrabSource.h"
#include "tests/tools/ToolsFixture.h"
#include "tools/DesktopForm.h"
#include "tools/ScreenForm.h"

#include <QPushButton>
#include <QSpinBox>
#include <QTest>

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
